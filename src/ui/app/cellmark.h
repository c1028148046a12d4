#pragma once

#include "core/app/colorref.h"

class OffscreenDC;
class PictureBox;

// The mark of a selected cell, the same in browser and editor: with grid a ring drawn into
// the bitmap before the copy, without grid an outline drawn on the box after it.
void strokeGridRing(OffscreenDC& dc, int column, int row, ColorRef color);
void outlineCell(PictureBox& box, int column, int row, int zoom, ColorRef color);
