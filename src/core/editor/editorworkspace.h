#pragma once

#include "core/rom/tilerecord.h"

#include <array>
#include <optional>

inline constexpr int kEditorColumns = 10;
inline constexpr int kEditorRows = 8;
inline constexpr int kEditorCells = kEditorColumns * kEditorRows;

using EditorTileArray = std::array<TileRecord, kEditorCells>;

// The tool that clicks on the canvas apply.
enum class EditModeKind : quint8 { Select = 0, Paint = 1, Fill = 2 };

[[nodiscard]] constexpr int editorCellIndex(int column, int row) {
    return column + kEditorColumns * row;
}

// A canvas position inside the 10 x 8 cells (grid gaps belong to the cell on their left/top).
struct EditorHit {
    int column = 0;
    int row = 0;
    [[nodiscard]] int index() const { return editorCellIndex(column, row); }
};
[[nodiscard]] std::optional<EditorHit> editorHitCell(double x, double y, int cellSize, int zoom);

// The stored pixel index a painting click reaches, after undoing the cell's mirroring;
// nothing for a grid gap.
[[nodiscard]] std::optional<int> editorHitPixel(const EditorHit& hit, double x, double y,
                                                int cellSize, int zoom, const TileRecord& tile);

// A cell without address is hidden while non-copied tiles are hidden.
[[nodiscard]] constexpr bool isHiddenCell(const TileRecord& tile, bool hideNoncopied) {
    return hideNoncopied && !tile.hasAddress();
}

// Copies the pixels of cell `from` into every other cell of the same non-zero address,
// protected ones included.
void propagatePixels(EditorTileArray& tiles, int from);

// Paint and Fill on cell `index`: refused (false) for hidden and write-protected cells.
bool paintPixel(EditorTileArray& tiles, int index, int pixelIndex, quint8 color,
                bool hideNoncopied);
bool fillTile(EditorTileArray& tiles, int index, quint8 color, bool hideNoncopied);

// The next cell, left to right and top to bottom, wrapping from the last to the first.
void advanceSelection(int& column, int& row);

// Mirror left-right and upside down, in place; each returns the record.
TileRecord& FlipTileX(TileRecord& tile);
TileRecord& FlipTileY(TileRecord& tile);

// The tile as the editor shows it, its mirror switches applied to a copy.
[[nodiscard]] TileRecord displayedTile(const TileRecord& tile);
