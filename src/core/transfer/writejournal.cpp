#include "core/transfer/writejournal.h"

#include "core/app/messages.h"

void WriteJournal::noteWrite(qint64 address, const TileBytes& before, const TileBytes& after) {
    for (int i = 0; i < kTileBytes; ++i) {
        const auto [place, first] = m_bytes.try_emplace(address + i, Byte{before[i], after[i]});
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
        for (int i = 0; i < kTileBytes; ++i) {
            if (direction == HistoryDirection::Undo)
                expected[write.address + i] = write.after[i];
            else
                expected.try_emplace(write.address + i, write.before[i]);
        }
    }
    return expected;
}

} // namespace

std::optional<QString> whyNotRestorable(const WrittenTiles& step, const RomFile& file,
                                        HistoryDirection direction) {
    const QString& path = step.file.path;
    if (!(file.identity() == step.file) || !file.isFileAt(path))
        return msg::fileReplacedSince(path);
    const std::map<qint64, quint8> expected = expectedOnDisk(step, direction);
    for (const TileWrite& write : step.writes) {
        TileBytes now{};
        if (file.read(write.address, now.data(), kTileBytes) != kTileBytes)
            return msg::fileTooShortNow(path, write.address);
        for (int i = 0; i < kTileBytes; ++i) {
            if (now[i] != expected.at(write.address + i))
                return msg::bytesChangedSince(path, write.address,
                                              direction == HistoryDirection::Undo);
        }
    }
    return std::nullopt;
}

WriteOutcome writeTiles(WrittenTiles& step, RomFile& file, WriteJournal& journal) {
    WriteOutcome outcome;
    std::vector<TileWrite> undoable;
    for (TileWrite& write : step.writes) {
        TileBytes replaced{};
        const bool read = file.read(write.address, replaced.data(), kTileBytes) == kTileBytes;
        outcome.failure = file.writeTile(write.address, write.after);
        if (outcome.failure) break;
        ++outcome.written;
        if (!read) continue;
        journal.noteWrite(write.address, replaced, write.after);
        write.before = replaced;
        if (replaced != write.after) undoable.push_back(write);
    }
    step.writes = std::move(undoable);
    return outcome;
}

WriteOutcome unwriteTiles(const WrittenTiles& step, RomFile& file, WriteJournal& journal) {
    WriteOutcome outcome;
    for (auto write = step.writes.rbegin(); write != step.writes.rend(); ++write) {
        outcome.failure = file.writeTile(write->address, write->before);
        if (outcome.failure) break;
        ++outcome.written;
        journal.noteWrite(write->address, write->after, write->before);
    }
    return outcome;
}
