#include "core/editor/editorpicture.h"

namespace {

constexpr int kTileSide = 8;

// Index into a picture `width` pixels wide of pixel (x, y) of the block's cell (i, j).
[[nodiscard]] size_t pictureIndex(int width, int i, int j, int x, int y) {
    return size_t((kTileSide * j + y) * width + kTileSide * i + x);
}

// Whether the block lies inside the editor and the values are exactly its pixels.
[[nodiscard]] bool fillsBlock(const std::vector<quint8>& values, const CellBlock& block) {
    if (block.columns < 1 || block.columns > kEditorColumns || block.rows < 1 ||
        block.rows > kEditorRows)
        return false;
    const int width = kTileSide * block.columns;
    const int height = kTileSide * block.rows;
    return pictureFit(width, height, block.column, block.row) == PictureFit::Fits &&
           values.size() == size_t(width * height);
}

} // namespace

std::vector<quint8> blockPicture(const EditorTileArray& tiles, const CellBlock& block,
                                 bool hideNoncopied) {
    const int width = kTileSide * block.columns;
    std::vector<quint8> values(size_t(width * kTileSide * block.rows), 0);
    for (int j = 0; j < block.rows; ++j) {
        for (int i = 0; i < block.columns; ++i) {
            const TileRecord& t = tiles[size_t(editorCellIndex(block.column + i, block.row + j))];
            if (isHiddenCell(t, hideNoncopied)) continue;
            for (int y = 0; y < kTileSide; ++y)
                for (int x = 0; x < kTileSide; ++x)
                    values[pictureIndex(width, i, j, x, y)] = t.Pixels[size_t(kTileSide * y + x)];
        }
    }
    return values;
}

PictureFit pictureFit(int width, int height, int column, int row) {
    if (width > kTileSide * kEditorColumns || height > kTileSide * kEditorRows)
        return PictureFit::TooLarge;
    if (width <= 0 || height <= 0 || width % kTileSide != 0 || height % kTileSide != 0)
        return PictureFit::WrongSize;
    if (column < 0 || row < 0 || column > kEditorColumns - width / kTileSide ||
        row > kEditorRows - height / kTileSide)
        return PictureFit::PastEdge;
    return PictureFit::Fits;
}

std::optional<PicturePlacement> placePicture(EditorTileArray& tiles,
                                             const std::vector<quint8>& values,
                                             const CellBlock& block, bool hideNoncopied) {
    if (!fillsBlock(values, block)) return std::nullopt;
    const int width = kTileSide * block.columns;
    PicturePlacement placed;
    for (int j = 0; j < block.rows; ++j) {
        for (int i = 0; i < block.columns; ++i) {
            const int index = editorCellIndex(block.column + i, block.row + j);
            TileRecord& t = tiles[size_t(index)];
            if (t.WriteProtected) {
                ++placed.writeProtected;
                continue;
            }
            if (isHiddenCell(t, hideNoncopied)) {
                ++placed.hidden;
                continue;
            }
            for (int y = 0; y < kTileSide; ++y)
                for (int x = 0; x < kTileSide; ++x)
                    t.Pixels[size_t(kTileSide * y + x)] = values[pictureIndex(width, i, j, x, y)];
            propagatePixels(tiles, index);
            ++placed.cells;
        }
    }
    return placed;
}
