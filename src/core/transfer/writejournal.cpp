#include "core/transfer/writejournal.h"

#include "core/app/messages.h"

#include <algorithm>

void WriteJournal::noteWrite(qint64 address, std::span<const quint8> before,
                             std::span<const quint8> after) {
    for (size_t i = 0; i < after.size(); ++i) {
        const auto [place, first] =
            m_bytes.try_emplace(address + qint64(i), Byte{before[i], after[i]});
        if (!first) place->second.current = after[i];
    }
}

std::map<qint64, quint8> WriteJournal::changedBytes() const {
    std::map<qint64, quint8> changed;
    for (const auto& [offset, byte] : m_bytes) {
        if (byte.current != byte.original)
            changed.emplace_hint(changed.end(), offset, byte.current);
    }
    return changed;
}

namespace {

// The bytes the file must hold at each written place for the step to be taken that way: the
// last bytes written before an undo, the first bytes replaced before a redo.
std::map<qint64, quint8> expectedOnDisk(const WrittenTiles& step, HistoryDirection direction) {
    std::map<qint64, quint8> expected;
    for (const TileWrite& write : step.writes) {
        for (int i = 0; i < write.length; ++i) {
            if (direction == HistoryDirection::Undo)
                expected[write.address + i] = write.after[i];
            else
                expected.try_emplace(write.address + i, write.before[i]);
        }
    }
    return expected;
}

// Why the file no longer holds the bytes the step expects there, worded by `expected`.
std::optional<QString> whyNotHolding(const WrittenTiles& step, const RomFile& file,
                                     HistoryDirection direction, msg::ExpectedBytes expected) {
    const QString& path = step.file.path;
    const std::map<qint64, quint8> onDisk = expectedOnDisk(step, direction);
    for (const TileWrite& write : step.writes) {
        TileBytes now{};
        if (file.read(write.address, now.data(), write.length) != write.length)
            return msg::fileTooShortNow(path, write.address, write.length);
        for (int i = 0; i < write.length; ++i) {
            if (now[size_t(i)] != onDisk.at(write.address + i))
                return msg::bytesChangedSince(path, write.address, write.length, expected);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> whyNotRestorable(const WrittenTiles& step, const RomFile& file,
                                        HistoryDirection direction) {
    if (!(file.identity() == step.file) || !file.isFileAt(step.file.path))
        return msg::fileReplacedSince(step.file.path);
    return whyNotHolding(step, file, direction,
                         direction == HistoryDirection::Undo ? msg::ExpectedBytes::Written
                                                             : msg::ExpectedBytes::Replaced);
}

WriteOutcome writeTiles(WrittenTiles& step, RomFile& file, WriteJournal& journal) {
    WriteOutcome outcome;
    if (step.replacesShownBytes) {
        // Made again after an undo, the step is checked as every redo is.
        step.replacesShownBytes = false;
        outcome.failure =
            whyNotHolding(step, file, HistoryDirection::Redo, msg::ExpectedBytes::Shown);
        if (outcome.failure) {
            step.writes.clear();
            return outcome;
        }
    }
    std::vector<TileWrite> undoable;
    for (TileWrite& write : step.writes) {
        TileBytes replaced{};
        const bool read = file.read(write.address, replaced.data(), write.length) == write.length;
        outcome.failure = file.writeBytes(write.address, write.written());
        if (outcome.failure) break;
        ++outcome.written;
        if (!read) continue;
        write.before = replaced;
        journal.noteWrite(write.address, write.replaced(), write.written());
        if (!std::ranges::equal(write.replaced(), write.written())) undoable.push_back(write);
    }
    step.writes = std::move(undoable);
    return outcome;
}

WriteOutcome unwriteTiles(const WrittenTiles& step, RomFile& file, WriteJournal& journal) {
    WriteOutcome outcome;
    for (auto write = step.writes.rbegin(); write != step.writes.rend(); ++write) {
        outcome.failure = file.writeBytes(write->address, write->replaced());
        if (outcome.failure) break;
        ++outcome.written;
        journal.noteWrite(write->address, write->written(), write->replaced());
    }
    return outcome;
}
