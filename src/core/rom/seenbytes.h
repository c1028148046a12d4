#pragma once

#include <QtGlobal>

#include <map>
#include <span>

// What this program last saw of the open file, byte by byte: the bytes it last read there for
// the editor's cells (a copy in, a reload) or last wrote there (a write, an undo or redo of
// one). A byte on disk that differs from it was changed by another program since. Kept per
// address, not per cell: cells that share an address, undone editor steps and writes of other
// cells over the same bytes all agree with the file as this program left it.
class SeenBytes {
  public:
    void note(qint64 offset, std::span<const quint8> bytes);
    // True when a byte of `onDisk`, read at `offset`, differs from what this program last saw
    // there. Bytes it never saw count as unchanged.
    [[nodiscard]] bool changedElsewhere(qint64 offset, std::span<const quint8> onDisk) const;
    void clear() { m_bytes.clear(); }

  private:
    std::map<qint64, quint8> m_bytes;
};
