#pragma once

#include "core/rom/tilerecord.h"

#include <span>

// Decodes the tile whose first byte is bytes[0]. `available` is how many bytes really exist
// from there on (it may be 0 or less); a row whose second byte is not among them becomes
// OutsideFile. Only the first min(available, 16) bytes are touched.
void decodeTile(const quint8* bytes, qint64 available, TilePixels& pixels);

// The 16 bytes of a tile: per row the low bit plane, then the high one; bit 7 is x = 0.
[[nodiscard]] TileBytes encodeTile(const TilePixels& pixels);

// True when any row of a decoded tile lies outside the file.
[[nodiscard]] bool reachesOutsideFile(const TilePixels& pixels);

// Decodes tiles straight into the 32-bit pixel values of a bitmap, for drawing: the same
// pixels as decodeTile, each written as the colour given for its value.
class TileColorDecoder {
  public:
    // colors[v] for pixel value v (0 to 3), colors[OutsideFile] for a row outside the file.
    explicit TileColorDecoder(std::span<const quint32, 5> colors);

    // Writes the tile whose first byte is bytes[0] as 8 rows of 8 colours, row y starting at
    // out + y * stride. `available` as for decodeTile.
    void decode(const quint8* bytes, qint64 available, quint32* out, qsizetype stride) const;

  private:
    // Indexed by the high plane's nibble times 16 plus the low plane's nibble (of the same
    // four pixels): their four colours, left first. Two lookups give a row of eight.
    std::array<std::array<quint32, 4>, 256> m_quads{};
    quint32 m_outside = 0;
};
