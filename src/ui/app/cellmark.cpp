#include "cellmark.h"

#include "core/app/viewgeometry.h"
#include "ui/platform/offscreendc.h"
#include "ui/platform/picturebox.h"

void strokeGridRing(OffscreenDC& dc, int column, int row, ColorRef color) {
    const Corners ring = gridRing(column, row);
    dc.SelectPen(color);
    strokeClosedPath(dc, ring.left, ring.top, ring.right, ring.bottom);
}

void outlineCell(PictureBox& box, int column, int row, int zoom, ColorRef color) {
    const Corners outline = boxOutline(column, row, zoom);
    box.outlineBox(outline.left, outline.top, outline.right, outline.bottom, color);
}
