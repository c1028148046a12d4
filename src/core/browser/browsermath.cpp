#include "core/browser/browsermath.h"

#include "core/app/numbers.h"

#include <algorithm>
#include <cmath>

GridCounts browserGridCounts(int scaleWidth, int scaleHeight, int zoom, int cellSize) {
    const double cell = double(zoom) * cellSize;
    GridCounts counts;
    counts.rows = qint16(roundHalfEven(scaleHeight / cell));
    counts.columns = qint16(roundHalfEven(scaleWidth / cell));
    return counts;
}

GridCounts browserWholeCells(int scaleWidth, int scaleHeight, int zoom, int cellSize) {
    const double cell = double(zoom) * cellSize;
    GridCounts counts;
    counts.rows = qint16(std::floor(scaleHeight / cell));
    counts.columns = qint16(std::floor(scaleWidth / cell));
    return counts;
}

qint32 scrollTopAddress(qint32 fileLength, int thumb, int rows, double offset) {
    const double q = 16.0 * rows;
    const double start = q > 0 ? std::floor(double(fileLength) / 1024.0 * thumb / q) * q : 0.0;
    const double top = roundHalfEven(start + offset);
    return saturateToAddress(qint64(std::clamp(top, -4.0e18, 4.0e18)));
}

BrowserPoint browserPointAt(double x, double y, int cellSize, int zoom, qint32 topAddress,
                            int columns) {
    const double p = double(cellSize) * zoom;
    BrowserPoint point;
    const double col = std::floor(x / p);
    const double row = std::floor(y / p);
    point.address = qint64(roundHalfEven(topAddress + 16.0 * (col + row * columns)));
    point.column = qint64(std::trunc(x / p));
    point.row = qint64(std::trunc(y / p));
    return point;
}

std::optional<qint32> jumpTopAddress(double typed, qint32 fileLength, double offset) {
    // Nothing before the start of the file, and no top address that wraps around.
    if (!(typed >= 0 && typed < double(fileLength))) return std::nullopt;
    return toAddress(typed + offset);
}

namespace {
qint64 endTyped(qint64 fileLength, qint64 offset, const BrowserPage& page) {
    // Relative to the offset; below 0 when no whole tile fits, and End is then Home.
    const qint64 lastTile = 16 * ((fileLength - offset) / 16 - 1);
    // A box too small for one whole cell counts its first cell as one.
    const qint64 lastWholeCell = (std::max<qint64>(page.whole.rows, 1) - 1) * page.shown.columns +
                                 std::max<qint64>(page.whole.columns, 1) - 1;
    return std::max<qint64>(lastTile - 16 * lastWholeCell, 0);
}
} // namespace

std::optional<qint64> browserKeyTyped(BrowserKey key, qint64 typed, qint64 fileLength,
                                      qint64 offset, const BrowserPage& page) {
    if (fileLength <= 0) return std::nullopt;
    const qint64 rowBytes = 16 * qint64(page.shown.columns);
    const qint64 pageBytes = rowBytes * page.shown.rows;
    const qint64 end = endTyped(fileLength, offset, page);
    qint64 target = 0;
    switch (key) {
    case BrowserKey::RowUp:
        target = typed - rowBytes;
        break;
    case BrowserKey::PageUp:
        target = typed - pageBytes;
        break;
    case BrowserKey::RowDown:
    case BrowserKey::PageDown:
        if (typed >= end) return std::nullopt;
        target = std::min(typed + (key == BrowserKey::RowDown ? rowBytes : pageBytes), end);
        break;
    case BrowserKey::Home:
        target = 0;
        break;
    case BrowserKey::End:
        target = end;
        break;
    }
    return std::clamp<qint64>(target, 0, fileLength - 1);
}
