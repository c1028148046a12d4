// Drawing that the browser and the editor share: their off-screen bitmaps and the drawing of
// a tile's pixels into them.
#include "ui/app/formmain.h"

#include "ui/platform/offscreendc.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {
constexpr int kBitmapSize = 255;

std::unique_ptr<OffscreenDC> filledBitmap(int width, int height, ColorRef color) {
    auto dc = std::make_unique<OffscreenDC>(width, height);
    dc->SelectBrush(color);
    dc->Rectangle(-1, -1, width, height);
    return dc;
}
} // namespace

void FormMain::CreateOffscreenBitmaps() {
    BrowserDC = filledBitmap(kBitmapSize, kBitmapSize, s.OptionColors[0]);
    EditorDC = filledBitmap(kBitmapSize, kBitmapSize, s.OptionColors[0]);
}

// The designed bitmap holds every grid the designed box can show. A box grown with the window
// needs one that holds its grid; one that shrinks again gives the memory back, down to the
// designed size. Called before a full redraw, which paints all of the grid anew.
void FormMain::fitBrowserBitmap() {
    const int width = std::max(kBitmapSize, s.BrowserColumns * s.BrowserCellSize);
    const int height = std::max(kBitmapSize, s.BrowserRows * s.BrowserCellSize);
    if (BrowserDC->width() != width || BrowserDC->height() != height)
        BrowserDC = filledBitmap(width, height, s.OptionColors[0]);
}

void FormMain::takeTileColors() {
    const auto color = [this](unsigned value) {
        return toQRgb(s.PaletteColors[std::min<unsigned>(value, OutsideFile)]);
    };
    for (unsigned i = 0; i < m_tileColors.size(); ++i)
        m_tileColors[i] = {color(i & 7u), color(i >> 3)};
}

void FormMain::DrawTilePixels(int x0, int y0, OffscreenDC& dc, const TilePixels& pixels) {
    // Cells beyond the bitmap are not drawn, so no row below needs clipping.
    if (!dc.holds(x0, y0, 8, 8)) return;
    QRgb* row = dc.row(y0) + x0;
    const qsizetype stride = dc.stride();
    for (int y = 0; y < 8; ++y, row += stride) {
        // The row's eight values as one word, pixel x in byte x. Two neighbours' values side
        // by side in six bits index the colours of the pair: four lookups a row, not eight.
        const quint64 values =
            qFromLittleEndian<quint64>(pixels.data() + 8 * y) & 0x0707'0707'0707'0707ull;
        const quint64 pairs = values | values >> 5;
        for (int x = 0; x < 8; x += 2)
            std::memcpy(row + x, m_tileColors[(pairs >> (8 * x)) & 0x3Fu].data(), 8);
    }
}
