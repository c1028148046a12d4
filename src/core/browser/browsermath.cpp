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
