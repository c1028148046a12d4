#include "ui/platform/offscreendc.h"

#include "ui/platform/picturebox.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

OffscreenDC::OffscreenDC(int width, int height)
    : m_image(width, height, QImage::Format_RGB32), m_width(width), m_height(height) {
    m_image.fill(Qt::black);
    m_bits = reinterpret_cast<QRgb*>(m_image.bits());
    m_stride = m_image.bytesPerLine() / qsizetype(sizeof(QRgb));
}

void OffscreenDC::plot(int x, int y, QRgb color) {
    if (unsigned(x) < unsigned(m_width) && unsigned(y) < unsigned(m_height))
        m_bits[qsizetype(y) * m_stride + x] = color;
}

void OffscreenDC::Rectangle(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    const int x0 = std::max(left + 1, 0);
    const int x1 = std::min(right - 1, m_width);
    for (int y = std::max(top + 1, 0); y < std::min(bottom - 1, m_height); ++y) {
        QRgb* line = row(y);
        std::fill(line + std::min(x0, x1), line + x1, m_brush);
    }
    for (int x = left; x < right; ++x) {
        plot(x, top, m_pen);
        plot(x, bottom - 1, m_pen);
    }
    for (int y = top; y < bottom; ++y) {
        plot(left, y, m_pen);
        plot(right - 1, y, m_pen);
    }
}

void OffscreenDC::MoveToEx(int x, int y) {
    m_curX = x;
    m_curY = y;
}

void OffscreenDC::LineTo(int x, int y) {
    // Bresenham from the current point, stopping short of the end point.
    int cx = m_curX;
    int cy = m_curY;
    const int dx = std::abs(x - cx);
    const int dy = -std::abs(y - cy);
    const int sx = cx < x ? 1 : -1;
    const int sy = cy < y ? 1 : -1;
    int err = dx + dy;
    while (cx != x || cy != y) {
        plot(cx, cy, m_pen);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            cx += sx;
        }
        if (e2 <= dx) {
            err += dx;
            cy += sy;
        }
    }
    MoveToEx(x, y);
}

void strokeClosedPath(OffscreenDC& dc, int left, int top, int right, int bottom) {
    dc.MoveToEx(left, top);
    dc.LineTo(right, top);
    dc.LineTo(right, bottom);
    dc.LineTo(left, bottom);
    dc.LineTo(left, top);
}

void fillCellGaps(OffscreenDC& dc, int columns, int rows, int cell, ColorRef color) {
    constexpr int kTileSide = 8;
    const int width = std::min(columns * cell, dc.width());
    const int height = std::min(rows * cell, dc.height());
    if (cell <= kTileSide || width <= 0 || height <= 0) return;
    const QRgb rgb = toQRgb(color);
    for (int y = 0; y < height; ++y) {
        QRgb* line = dc.row(y);
        if (y % cell >= kTileSide) {
            std::fill_n(line, width, rgb);
            continue;
        }
        for (int x = kTileSide; x < width; x += cell)
            std::fill(line + x, line + std::min(x + cell - kTileSide, width), rgb);
    }
}

void fillAround(PictureBox& box, int width, int height, ColorRef color) {
    QImage& target = box.surface();
    const int boxWidth = target.width();
    const int boxHeight = target.height();
    const int left = std::clamp(width, 0, boxWidth);
    const int top = std::clamp(height, 0, boxHeight);
    if (left == boxWidth && top == boxHeight) return;
    const QRgb rgb = toQRgb(color);
    const qsizetype stride = target.bytesPerLine() / qsizetype(sizeof(QRgb));
    QRgb* line = reinterpret_cast<QRgb*>(target.bits());
    for (int y = 0; y < boxHeight; ++y, line += stride) {
        const int from = y < top ? left : 0;
        std::fill(line + from, line + boxWidth, rgb);
    }
}

namespace {
// One source row widened by a fixed zoom: with the zoom known the compiler unrolls and
// vectorises the inner loop, which a zoom read at run time keeps it from doing.
template <int Zoom> void widenRow(QRgb* out, const QRgb* from, int count) {
    for (int i = 0; i < count; ++i) {
        const QRgb value = from[i];
        for (int k = 0; k < Zoom; ++k)
            out[i * Zoom + k] = value;
    }
}

void widenRow(QRgb* out, const QRgb* from, int count, int zoom) {
    switch (zoom) {
    case 2:
        return widenRow<2>(out, from, count);
    case 3:
        return widenRow<3>(out, from, count);
    case 4:
        return widenRow<4>(out, from, count);
    case 5:
        return widenRow<5>(out, from, count);
    case 6:
        return widenRow<6>(out, from, count);
    case 7:
        return widenRow<7>(out, from, count);
    case 8:
        return widenRow<8>(out, from, count);
    case 9:
        return widenRow<9>(out, from, count);
    default:
        for (int i = 0; i < count; ++i)
            std::fill_n(out + i * zoom, zoom, from[i]);
    }
}
} // namespace

void StretchBlt(PictureBox& box, const OffscreenDC& source, int width, int height, int zoom) {
    QImage& target = box.surface();
    const int boxWidth = target.width();
    const int boxHeight = target.height();
    width = std::min(width, source.width());
    height = std::min(height, source.height());
    if (width <= 0 || height <= 0 || zoom <= 0) return;
    // Each source row is widened once into the first row of its blocks and then copied into
    // the others. The box cuts the last column's and the last row's blocks where it ends.
    const int span = std::min(width * zoom, boxWidth);
    const int whole = std::min(width, boxWidth / zoom);
    const qsizetype stride = target.bytesPerLine() / qsizetype(sizeof(QRgb));
    auto* bits = reinterpret_cast<QRgb*>(target.bits());
    for (int r = 0; r < height && r * zoom < boxHeight; ++r) {
        const QRgb* from = source.row(r);
        QRgb* first = bits + qsizetype(r) * zoom * stride;
        widenRow(first, from, whole, zoom);
        if (whole < width) std::fill(first + whole * zoom, first + span, from[whole]);
        for (int y = r * zoom + 1; y < std::min((r + 1) * zoom, boxHeight); ++y)
            std::memcpy(bits + y * stride, first, size_t(span) * sizeof(QRgb));
    }
}
