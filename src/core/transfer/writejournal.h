#pragma once

#include "core/editor/editorchange.h"
#include "core/rom/romfile.h"

#include <QString>

#include <map>
#include <optional>
#include <vector>

// One tile the program wrote: where, the 16 bytes it replaced and the 16 it put there.
struct TileWrite {
    qint32 address = 0;
    TileBytes before{};
    TileBytes after{};
};

// The writes of one user step (one tile, or every tile of "Save all"), in the order made.
struct WrittenTiles {
    FileIdentity file;
    std::vector<TileWrite> writes;
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
    void noteWrite(qint64 address, const TileBytes& before, const TileBytes& after);
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

// Writes the `after` bytes of every tile in order, first reading into `before` the 16 bytes
// each replaces, and notes them in the journal. Stops at the first failure. Afterwards `step`
// holds the writes that can be taken back: those made, whose replaced bytes could be read and
// differ from the new ones. Made again after an undo, it leaves the same writes.
WriteOutcome writeTiles(WrittenTiles& step, RomFile& file, WriteJournal& journal);

// Puts the `before` bytes back, the last write first, noting each in the journal; stops at the
// first failure.
WriteOutcome unwriteTiles(const WrittenTiles& step, RomFile& file, WriteJournal& journal);
