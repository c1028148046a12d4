#pragma once

#include "core/browser/browsermath.h"

#include <QtGlobal>

#include <optional>

// How the browser brings a found tile into view, the way its keys move it: by typing an
// address and jumping, which adds the entry of "Add to address".
struct FoundView {
    // The address to type and jump to; nothing when the tile is already in a whole cell.
    std::optional<qint64> typed;
    // The entry of "Add to address" for the jump; another than the one chosen only where that
    // one lies past the tile (the jump would start after it).
    int entry = 0;
    // The cell that shows the tile afterwards.
    int column = 0;
    int row = 0;
};

// For a tile at `found`, a view whose top-left cell is at `top` with `columns` columns, of
// which `whole` lie wholly inside the box, and the entry `entry` of "Add to address": a tile
// already in a whole cell stays where it is; otherwise the jump puts it in the top-left cell.
[[nodiscard]] FoundView foundView(qint64 found, qint32 top, int columns, GridCounts whole,
                                  int entry);
