#pragma once

#include "core/rom/tilerecord.h"

#include <QByteArray>
#include <QList>
#include <QPoint>

// Tiles planted in files for the search's tests, in the forms a search finds, worked out here.

// How a tile is planted: as stored, mirrored, renumbered, its first 15 bytes only, or its
// first byte 300 times.
enum PlantedForm { Stored, LeftRight, UpsideDown, Both, Reversed, LeftRightSwapped, Cut, Run };

// The tile in one of those forms, pixel by pixel: Reversed is value v as 3 - v,
// LeftRightSwapped the mirror with 0 and 1, 2 and 3 swapped.
[[nodiscard]] QByteArray formByHand(const TilePixels& tile, int form);
// `file` with forms of `tile` planted in order, each plant (address, form).
[[nodiscard]] QByteArray planted(QByteArray file, const TilePixels& tile,
                                 const QList<QPoint>& plants);

// A tile of four values and no symmetry, whose first byte repeated ends it, so that a run of
// that byte looks like the end of the tile.
[[nodiscard]] TilePixels searchedTile();
