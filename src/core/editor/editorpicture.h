#pragma once

#include "core/editor/editorworkspace.h"

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
// bottom edge.
enum class PictureFit { Fits, TooLarge, WrongSize, PastEdge };
[[nodiscard]] PictureFit pictureFit(int width, int height, int column, int row);

// What putting a picture into the cells did.
struct PicturePlacement {
    int cells = 0;          // cells that took the picture's pixels
    int writeProtected = 0; // cells left alone because they are write-protected
    int hidden = 0;         // cells left alone because they are hidden
};

// Puts a picture of values (8 * block.columns pixels wide, fitting) into the block, cell after
// cell, row by row. Each cell keeps its address and switches; protected and hidden cells are
// left alone, as painting leaves them; the pixels of every cell that took them go on to the
// other cells of its address, as painted pixels do.
PicturePlacement placePicture(EditorTileArray& tiles, const std::vector<quint8>& values,
                              const CellBlock& block, bool hideNoncopied);
