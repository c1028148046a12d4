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

void StrokeClosedPath(OffscreenDC& dc, int left, int top, int right, int bottom) {
    dc.MoveToEx(left, top);
    dc.LineTo(right, top);
    dc.LineTo(right, bottom);
    dc.LineTo(left, bottom);
    dc.LineTo(left, top);
}

namespace {
// One source row widened by a fixed zoom: the compiler unrolls the inner loop.
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

// The common case: every source pixel becomes a zoom x zoom block. Each source row is widened
// once and then copied into the remaining rows of its block.
void integerZoomCopy(QImage& target, int dx, int dy, const QImage& src, int sx, int sy, int sw,
                     int sh, int zoom) {
    const int width = target.width();
    const int height = target.height();
    const int srcWidth = src.width();
    const int srcHeight = src.height();
    // The source columns whose blocks are at least partly inside the target.
    const int cBegin = std::max({0, -sx, dx < 0 ? -dx / zoom : 0});
    const int cEnd = std::min({sw, srcWidth - sx, (width - dx + zoom - 1) / zoom});
    if (cBegin >= cEnd) return;
    const int x0 = std::max(dx + cBegin * zoom, 0);
    const int x1 = std::min(dx + cEnd * zoom, width);
    const qsizetype stride = target.bytesPerLine() / qsizetype(sizeof(QRgb));
    auto* bits = reinterpret_cast<QRgb*>(target.bits());
    for (int r = 0; r < sh; ++r) {
        const int y0 = dy + r * zoom;
        if (y0 >= height) break;
        const int yEnd = std::min(y0 + zoom, height);
        const int firstY = std::max(y0, 0);
        if (firstY >= yEnd || sy + r < 0 || sy + r >= srcHeight) continue;
        const auto* from = reinterpret_cast<const QRgb*>(src.constScanLine(sy + r)) + sx;
        QRgb* first = bits + firstY * stride;
        int c = cBegin;
        if (dx >= 0) {
            // Blocks wholly inside the row need no clipping.
            const int whole = std::max(cBegin, std::min(cEnd, (width - dx) / zoom));
            widenRow(first + dx + cBegin * zoom, from + cBegin, whole - cBegin, zoom);
            c = whole;
        }
        for (; c < cEnd; ++c) {
            const int left = std::max(dx + c * zoom, 0);
            const int right = std::min(dx + (c + 1) * zoom, width);
            const QRgb value = from[c];
            for (int x = left; x < right; ++x)
                first[x] = value;
        }
        for (int y = firstY + 1; y < yEnd; ++y)
            std::memcpy(bits + y * stride + x0, first + x0, size_t(x1 - x0) * sizeof(QRgb));
    }
}
} // namespace

void StretchBlt(PictureBox& box, int dx, int dy, int dw, int dh, const OffscreenDC& source, int sx,
                int sy, int sw, int sh) {
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    QImage& target = box.surface();
    const QImage& src = source.image();
    if (dw % sw == 0 && dh % sh == 0 && dw / sw == dh / sh) {
        integerZoomCopy(target, dx, dy, src, sx, sy, sw, sh, dw / sw);
        return;
    }
    const int x0 = std::max(dx, 0);
    const int x1 = std::min(dx + dw, target.width());
    const int y0 = std::max(dy, 0);
    const int y1 = std::min(dy + dh, target.height());
    const int srcWidth = src.width();
    for (int y = y0; y < y1; ++y) {
        const int srcY = sy + int(qint64(y - dy) * sh / dh);
        if (srcY < 0 || srcY >= src.height()) continue;
        const auto* srcLine = reinterpret_cast<const QRgb*>(src.constScanLine(srcY));
        auto* line = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = x0; x < x1; ++x) {
            const int c = sx + int(qint64(x - dx) * sw / dw);
            if (c >= 0 && c < srcWidth) line[x] = srcLine[c];
        }
    }
}
