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

// Writes the bytes of that side of the step (undoing in reverse order), noting each write in
// the journal; the reason when a write fails, after the writes made before it.
[[nodiscard]] std::optional<QString> restoreWrites(const WrittenTiles& step, RomFile& file,
                                                   HistoryDirection direction,
                                                   WriteJournal& journal);
