#include "core/editor/editorworkspace.h"

#include <cmath>
#include <utility>

std::optional<EditorHit> editorHitCell(double x, double y, int cellSize, int zoom) {
    if (x < 0 || y < 0) return std::nullopt;
    const double c = std::trunc(x / cellSize / zoom);
    const double r = std::trunc(y / cellSize / zoom);
    if (c >= kEditorColumns || r >= kEditorRows) return std::nullopt;
    return EditorHit{int(c), int(r)};
}

std::optional<int> editorHitPixel(const EditorHit& hit, double x, double y, int cellSize, int zoom,
                                  const TileRecord& tile) {
    int px = int(std::trunc((x - double(hit.column) * cellSize * zoom) / zoom));
    int py = int(std::trunc((y - double(hit.row) * cellSize * zoom) / zoom));
    if (px < 0 || py < 0 || px >= 8 || py >= 8) return std::nullopt;
    if (tile.FlipX) px = 7 - px;
    if (tile.FlipY) py = 7 - py;
    return py * 8 + px;
}

void propagatePixels(EditorTileArray& tiles, int from) {
    const TileRecord& source = tiles[from];
    if (!source.hasAddress()) return;
    for (int k = 0; k < kEditorCells; ++k) {
        if (k != from && tiles[k].Address == source.Address) tiles[k].Pixels = source.Pixels;
    }
}

namespace {
bool mayPaint(const TileRecord& tile, bool hideNoncopied) {
    return !isHiddenCell(tile, hideNoncopied) && !tile.WriteProtected;
}
} // namespace

bool paintPixel(EditorTileArray& tiles, int index, int pixelIndex, quint8 color,
                bool hideNoncopied) {
    if (!mayPaint(tiles[index], hideNoncopied)) return false;
    tiles[index].Pixels[pixelIndex] = color;
    propagatePixels(tiles, index);
    return true;
}

bool fillTile(EditorTileArray& tiles, int index, quint8 color, bool hideNoncopied) {
    if (!mayPaint(tiles[index], hideNoncopied)) return false;
    tiles[index].Pixels.fill(color);
    propagatePixels(tiles, index);
    return true;
}

void advanceSelection(int& column, int& row) {
    ++column;
    if (column >= kEditorColumns) {
        column = 0;
        row = row >= kEditorRows - 1 ? 0 : row + 1;
    }
}

TileRecord& FlipTileX(TileRecord& tile) {
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 4; ++x)
            std::swap(tile.Pixels[8 * y + x], tile.Pixels[8 * y + 7 - x]);
    }
    return tile;
}

TileRecord& FlipTileY(TileRecord& tile) {
    for (int x = 0; x < 8; ++x) {
        for (int y = 0; y < 4; ++y)
            std::swap(tile.Pixels[8 * y + x], tile.Pixels[8 * (7 - y) + x]);
    }
    return tile;
}

TileRecord displayedTile(const TileRecord& tile) {
    TileRecord shown = tile;
    if (shown.FlipX) FlipTileX(shown);
    if (shown.FlipY) FlipTileY(shown);
    return shown;
}
