#pragma once

#include "core/rom/tilerecord.h"

#include <QtGlobal>

#include <vector>

class RomFile;

// The bytes a browser redraw shows, read with one positioned read; the visible tiles decode
// from them instead of reading the file once each. Lives for one redraw only, so that every
// redraw reads the file anew.
class VisibleBytes {
  public:
    VisibleBytes() = default;
    // Reads up to `length` bytes from `start` on (fewer where the file ends).
    VisibleBytes(const RomFile& file, qint64 start, qint64 length);

    // Decodes the tile at `address` when its 16 bytes lie in the range read; false otherwise.
    [[nodiscard]] bool decode(qint64 address, TilePixels& pixels) const;

  private:
    qint64 m_start = 0;
    qint64 m_got = 0;
    std::vector<quint8> m_bytes;
};
