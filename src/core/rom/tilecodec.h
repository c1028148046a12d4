#pragma once

#include "core/rom/tilerecord.h"

// Decodes the tile whose first byte is bytes[0]. `available` is how many bytes really exist
// from there on (it may be 0 or less); a row whose second byte is not among them becomes
// OutsideFile. Only the first min(available, 16) bytes are touched.
void decodeTile(const quint8* bytes, qint64 available, TilePixels& pixels);

// The 16 bytes of a tile: per row the low bit plane, then the high one; bit 7 is x = 0.
[[nodiscard]] TileBytes encodeTile(const TilePixels& pixels);

// True when any row of a decoded tile lies outside the file.
[[nodiscard]] bool reachesOutsideFile(const TilePixels& pixels);
