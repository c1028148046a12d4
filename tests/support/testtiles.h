#pragma once

#include "core/editor/editorworkspace.h"

#include <QByteArray>
#include <QString>

// Pixel (x, y) of the tile at `address` of `file`, worked out here from the bytes: row y is
// bytes 2y (low plane) and 2y + 1 (high plane), bit 7 the leftmost pixel; 4 (outside the
// file) where the row's second byte is not in the file.
[[nodiscard]] int pixelByHand(const QByteArray& file, qint64 address, int x, int y);
// All 64 pixels of that tile.
[[nodiscard]] TilePixels decodeByHand(const QByteArray& file, qint64 address);

// The 16 bytes of a tile, encoded here: per row the low bit plane, then the high one.
[[nodiscard]] QByteArray encodeByHand(const TilePixels& pixels);
