#include "ui/platform/offscreendc.h"

#include "ui/platform/picturebox.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
#if defined(__SSE2__)
// Widening by shuffles: four source pixels a b c d become 4 x Zoom pixels, that is Zoom
// 128-bit stores of four pixels each, lane t of store j showing source pixel (4j + t) / Zoom
// (for Zoom 3: a a a b, b b c c, c d d d). One load, Zoom shuffles and Zoom stores per four
// source pixels, against 4 x Zoom single-pixel stores.
template <int Zoom, int J> __m128i widenedLanes(__m128i four) {
    constexpr int t0 = (4 * J) / Zoom;
    constexpr int t1 = (4 * J + 1) / Zoom;
    constexpr int t2 = (4 * J + 2) / Zoom;
    constexpr int t3 = (4 * J + 3) / Zoom;
    return _mm_shuffle_epi32(four, _MM_SHUFFLE(t3, t2, t1, t0));
}

template <int Zoom, int... J>
void storeWidened(QRgb* out, __m128i four, std::integer_sequence<int, J...> /*stores*/) {
    (_mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4 * J), widenedLanes<Zoom, J>(four)), ...);
}

// One source row widened by a fixed zoom.
template <int Zoom> void widenRow(QRgb* out, const QRgb* from, int count) {
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        storeWidened<Zoom>(out + i * Zoom, four, std::make_integer_sequence<int, Zoom>());
    }
    for (; i < count; ++i)
        std::fill_n(out + i * Zoom, Zoom, from[i]);
}
#else
// One source row widened by a fixed zoom: the compiler unrolls the inner loop.
template <int Zoom> void widenRow(QRgb* out, const QRgb* from, int count) {
    for (int i = 0; i < count; ++i) {
        const QRgb value = from[i];
        for (int k = 0; k < Zoom; ++k)
            out[i * Zoom + k] = value;
    }
}
#endif

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
