#pragma once

#include "ui/platform/qtcolor.h"

#include <QImage>

// An off-screen bitmap with its drawing context: one pixel per tile pixel, enlarged onto a
// picture box by StretchBlt. Offers the few drawing calls the views are written in.
class OffscreenDC {
  public:
    explicit OffscreenDC(int width = 255, int height = 255);

    void SelectBrush(ColorRef color) { m_brush = toQRgb(color); }
    // A solid pen one pixel wide.
    void SelectPen(ColorRef color) { m_pen = toQRgb(color); }

    // Fills (left, top)-(right, bottom), right and bottom excluded, with the brush and
    // outlines the same area with the pen.
    void Rectangle(int left, int top, int right, int bottom);
    void MoveToEx(int x, int y);
    // A line from the current point to (x, y), the end point excluded; it becomes current.
    void LineTo(int x, int y);

    void SetPixel(int x, int y, ColorRef color) {
        if (unsigned(x) < unsigned(m_width) && unsigned(y) < unsigned(m_height))
            m_bits[qsizetype(y) * m_stride + x] = toQRgb(color);
    }
    // For tight loops that already hold Qt colours: the start of pixel row y.
    [[nodiscard]] QRgb* row(int y) { return m_bits + qsizetype(y) * m_stride; }
    [[nodiscard]] const QRgb* row(int y) const { return m_bits + qsizetype(y) * m_stride; }
    // The distance in pixels from the start of one row to the start of the next.
    [[nodiscard]] qsizetype stride() const { return m_stride; }
    // True when the width x height block with its top-left corner at (x, y) lies wholly
    // inside the bitmap.
    [[nodiscard]] bool holds(int x, int y, int width, int height) const {
        return x >= 0 && y >= 0 && x <= m_width - width && y <= m_height - height;
    }

    [[nodiscard]] int width() const { return m_width; }
    [[nodiscard]] int height() const { return m_height; }
    [[nodiscard]] const QImage& image() const { return m_image; }

  private:
    void plot(int x, int y, QRgb color);

    QImage m_image;
    QRgb* m_bits;
    qsizetype m_stride;
    int m_width;
    int m_height;
    QRgb m_brush = qRgb(255, 255, 255);
    QRgb m_pen = qRgb(0, 0, 0);
    int m_curX = 0;
    int m_curY = 0;
};

// The closed path (left, top), (right, top), (right, bottom), (left, bottom) and back, drawn
// with the pen selected.
void strokeClosedPath(OffscreenDC& dc, int left, int top, int right, int bottom);

// Fills with `color` what 8 x 8 tiles drawn at the top-left corners of a columns x rows grid
// of cells, `cell` pixels square, leave free inside the grid: nothing for cells of 8, the
// ninth column and row of every cell (the grid lines) for cells of 9. Clipped to the bitmap.
// With the tiles drawn over the rest, every pixel of the grid's area is painted once.
void fillCellGaps(OffscreenDC& dc, int columns, int rows, int cell, ColorRef color);

class PictureBox;

// Fills with `color` all of the box's drawing area outside the width x height rectangle at
// its top-left corner: what a copy of that size onto that corner leaves as it was.
void fillAround(PictureBox& box, int width, int height, ColorRef color);

// Copies the width x height pixels at the source's top-left corner onto the box's top-left
// corner, each source pixel becoming a zoom x zoom block; plain source copy, cut by the box.
void StretchBlt(PictureBox& box, const OffscreenDC& source, int width, int height, int zoom);
