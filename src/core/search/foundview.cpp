#include "core/search/foundview.h"

#include "core/rom/tilerecord.h"

#include <algorithm>

FoundView foundView(qint64 found, qint32 top, int columns, GridCounts whole, int entry) {
    const qint64 offset = found - top;
    if (columns > 0 && offset >= 0 && offset % kTileBytes == 0) {
        const qint64 cell = offset / kTileBytes;
        const qint64 column = cell % columns;
        const qint64 row = cell / columns;
        if (column < std::min<int>(whole.columns, columns) && row < whole.rows)
            return {std::nullopt, entry, int(column), int(row)};
    }
    // The jump adds the entry to the typed address, so typing found - entry puts the tile at
    // the top. Typed addresses start at 0: before the entry's own address only another entry
    // shows the tile, the one equal to its address.
    if (found >= entry) return {found - entry, entry, 0, 0};
    return {0, int(found), 0, 0};
}
