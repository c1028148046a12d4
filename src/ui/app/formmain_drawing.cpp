// Drawing that the browser and the editor share: their off-screen bitmaps and the drawing of
// a tile's pixels into them.
#include "ui/app/formmain.h"

#include "ui/platform/offscreendc.h"

#include <algorithm>

namespace {
constexpr int kBitmapSize = 255;
} // namespace

void FormMain::CreateOffscreenBitmaps() {
    BrowserDC = std::make_unique<OffscreenDC>(kBitmapSize, kBitmapSize);
    BrowserDC->SelectBrush(s.OptionColors[0]);
    BrowserDC->Rectangle(-1, -1, kBitmapSize, kBitmapSize);
    EditorDC = std::make_unique<OffscreenDC>(kBitmapSize, kBitmapSize);
    EditorDC->SelectBrush(s.OptionColors[0]);
    EditorDC->Rectangle(-1, -1, kBitmapSize, kBitmapSize);
}

void FormMain::takeTileColors() {
    for (size_t i = 0; i < m_tileColors.size(); ++i)
        m_tileColors[i] = toQRgb(s.PaletteColors[std::min<size_t>(i, OutsideFile)]);
}

void FormMain::DrawTilePixels(int x0, int y0, OffscreenDC& dc, const TilePixels& pixels) {
    if (!dc.holds(x0, y0, 8, 8)) {
        // Partly outside the bitmap: pixel by pixel, each clipped.
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                dc.SetPixel(x0 + x, y0 + y,
                            s.PaletteColors[size_t(std::min<int>(pixels[8 * y + x], OutsideFile))]);
        return;
    }
    QRgb* row = dc.row(y0) + x0;
    const qsizetype stride = dc.stride();
    for (int y = 0; y < 8; ++y, row += stride) {
        const quint8* values = pixels.data() + 8 * y;
        for (int x = 0; x < 8; ++x)
            row[x] = m_tileColors[values[x] & 7u];
    }
}
