#include "cellmark.h"

#include "core/app/viewgeometry.h"
#include "ui/platform/offscreendc.h"
#include "ui/platform/picturebox.h"

void strokeGridRing(OffscreenDC& dc, int column, int row, ColorRef color) {
    const Corners ring = gridRing(column, row);
    dc.SelectPen(color);
    StrokeClosedPath(dc, ring.left, ring.top, ring.right, ring.bottom);
}

void outlineCell(PictureBox& box, int column, int row, int zoom, ColorRef color) {
    const Corners outline = boxOutline(column, row, zoom);
    box.BoxOutline(outline.left, outline.top, outline.right, outline.bottom, color);
}
