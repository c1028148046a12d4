#pragma once

#include "core/editor/editorchange.h"
#include "core/rom/romfile.h"

#include <QString>

#include <map>
#include <optional>
#include <span>
#include <vector>

// One write the program made: where, the bytes it replaced and the bytes it put there. A tile
// is 16 bytes; a header's checksums are fewer, and only the first `length` bytes count.
struct TileWrite {
    qint32 address = 0;
    TileBytes before{};
    TileBytes after{};
    int length = kTileBytes;

    [[nodiscard]] std::span<const quint8> replaced() const {
        return std::span(before).first(size_t(length));
    }
    [[nodiscard]] std::span<const quint8> written() const {
        return std::span(after).first(size_t(length));
    }
};

// The writes of one user step (one tile, every tile of "Save all", or a header's checksums),
// in the order made.
struct WrittenTiles {
    FileIdentity file;
    std::vector<TileWrite> writes;
    // The `before` bytes were read and shown to the user, who agreed to replace them: the
    // first write is refused unless the file still holds them.
    bool replacesShownBytes = false;
};

// How far a series of writes got: the tiles written, and why the next one could not be.
struct WriteOutcome {
    int written = 0;
    std::optional<QString> failure;
};

// What this session did to the open file, kept in memory: for every byte it wrote, the byte
// that was there before its first write and the last one it wrote there.
class WriteJournal {
  public:
    void noteWrite(qint64 address, std::span<const quint8> before, std::span<const quint8> after);
    void clear() { m_bytes.clear(); }
    [[nodiscard]] bool empty() const { return m_bytes.empty(); }
    // The bytes that now differ from what the file held before the session wrote to them.
    [[nodiscard]] std::map<qint64, quint8> changedBytes() const;

  private:
    struct Byte {
        quint8 original = 0;
        quint8 current = 0;
    };
    std::map<qint64, Byte> m_bytes;
};

// Why `step` can not be taken back (or made again) on `file` now, worded for the user: the
// file was replaced or shortened, or another program changed the bytes the step reads.
[[nodiscard]] std::optional<QString> whyNotRestorable(const WrittenTiles& step, const RomFile& file,
                                                      HistoryDirection direction);

// Writes the `after` bytes of every write in order, first reading into `before` the bytes each
// replaces, and notes them in the journal. Stops at the first failure. Afterwards `step` holds
// the writes that can be taken back: those made, whose replaced bytes could be read and differ
// from the new ones. Made again after an undo, it leaves the same writes. A step whose
// replaced bytes were shown writes nothing when the file no longer holds them.
WriteOutcome writeTiles(WrittenTiles& step, RomFile& file, WriteJournal& journal);

// Puts the `before` bytes back, the last write first, noting each in the journal; stops at the
// first failure.
WriteOutcome unwriteTiles(const WrittenTiles& step, RomFile& file, WriteJournal& journal);
