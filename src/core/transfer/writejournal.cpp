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
    if (!(file.identity() == step.file) || file.identityOnDisk() != step.file)
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

std::optional<QString> restoreWrites(const WrittenTiles& step, RomFile& file,
                                     HistoryDirection direction, WriteJournal& journal) {
    const bool undo = direction == HistoryDirection::Undo;
    const auto count = qsizetype(step.writes.size());
    for (qsizetype n = 0; n < count; ++n) {
        const TileWrite& write = step.writes[size_t(undo ? count - 1 - n : n)];
        const TileBytes& from = undo ? write.after : write.before;
        const TileBytes& to = undo ? write.before : write.after;
        if (std::optional<QString> failure = file.writeTile(write.address, to)) return failure;
        journal.noteWrite(write.address, from, to);
    }
    return std::nullopt;
}
