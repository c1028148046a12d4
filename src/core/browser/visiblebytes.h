#pragma once

#include "core/rom/tilerecord.h"

#include <QtGlobal>

#include <vector>

class RomFile;

// The tiles a browser redraw shows, read with one positioned read instead of one read a tile.
// Lives for one redraw only, so that every redraw reads the file anew.
class VisibleBytes {
  public:
    // Reads the bytes of `tiles` consecutive tiles from `start` on (fewer where the file ends).
    VisibleBytes(const RomFile& file, qint64 start, qint64 tiles);

    // Decodes tile `index` (0 to tiles - 1), the one at start + 16 x index, as LoadSprite
    // decodes it from the file: rows past the end of the file are OutsideFile.
    void decode(qint64 index, TilePixels& pixels) const;

  private:
    qint64 m_got = 0;
    std::vector<quint8> m_bytes;
};
