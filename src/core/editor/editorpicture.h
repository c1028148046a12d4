#pragma once

#include "core/editor/editorworkspace.h"

#include <optional>
#include <vector>

// A rectangle of editor cells: `columns` x `rows` cells from cell (column, row) on.
struct CellBlock {
    int column = 0;
    int row = 0;
    int columns = kEditorColumns;
    int rows = kEditorRows;
};

// The pixel values of the block as a picture of 8 * columns x 8 * rows pixels, row by row.
// Cells are taken as stored, since the mirror switches only change the view; hidden cells
// give value 0, as what they hold is not shown either.
[[nodiscard]] std::vector<quint8> blockPicture(const EditorTileArray& tiles, const CellBlock& block,
                                               bool hideNoncopied);

// Whether a picture of width x height pixels can be put into the editor from cell
// (column, row) on: whole tiles, no larger than the editor, and not past its right or
// bottom edge (nor from a cell outside it).
enum class PictureFit { Fits, TooLarge, WrongSize, PastEdge };
[[nodiscard]] PictureFit pictureFit(int width, int height, int column, int row);

// The longest picture file taken in, 1 MiB. A PNG file of 80 x 64 pixels holds about 41 KB
// even uncompressed, at 16 bits a channel with alpha; the rest leaves room for what paint
// programs add (colour profiles, text, thumbnails), and a file is never read without limit.
inline constexpr qint64 kMaxPictureFileBytes = 1024 * 1024;

// What putting a picture into the cells did.
struct PicturePlacement {
    int cells = 0;          // cells that took the picture's pixels
    int writeProtected = 0; // cells left alone because they are write-protected
    int hidden = 0;         // cells left alone because they are hidden
};

// Puts a picture of values (8 * block.columns pixels wide) into the block, cell after cell, row
// by row. Each cell keeps its address and switches; protected and hidden cells are left alone,
// as painting leaves them; the pixels of every cell that took them go on to the other cells of
// its address, as painted pixels do. A block that does not fit in the editor, or values that
// do not fill it exactly, change nothing and give nothing: whatever a caller measured before,
// no picture reaches past the last cell.
[[nodiscard]] std::optional<PicturePlacement> placePicture(EditorTileArray& tiles,
                                                           const std::vector<quint8>& values,
                                                           const CellBlock& block,
                                                           bool hideNoncopied);
