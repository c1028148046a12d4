#pragma once

#include <QtGlobal>

#include <optional>

// Visible cell counts of the browser: the drawing area divided by the cell's screen size,
// rounded half to even, so the last column and row may be only partly visible.
struct GridCounts {
    qint16 columns = 0;
    qint16 rows = 0;
};
[[nodiscard]] GridCounts browserGridCounts(int scaleWidth, int scaleHeight, int zoom, int cellSize);
// The cells wholly inside the drawing area: the same quotients rounded down.
[[nodiscard]] GridCounts browserWholeCells(int scaleWidth, int scaleHeight, int zoom, int cellSize);

// The top address the scroll thumb picks: v/1024 of the file, moved down to a multiple of
// 16 bytes per visible row, plus the byte offset. Clamped to the 32-bit range.
[[nodiscard]] qint32 scrollTopAddress(qint32 fileLength, int thumb, int rows, double offset);

// The top address a jump to the typed address `typed` gives: typed plus the offset, for a
// typed address from 0 up to below the file's length; nothing (the jump is refused) for one
// outside the file or a sum that leaves the 32-bit range.
[[nodiscard]] std::optional<qint32> jumpTopAddress(double typed, qint32 fileLength, double offset);

// What lies under a point of the browser box.
struct BrowserPoint {
    qint64 address = 0; // by the floor of the cell position
    qint64 column = 0;  // truncated toward zero, for display and marking
    qint64 row = 0;
    // True for a point on one of the columns x rows cells shown.
    [[nodiscard]] bool onGrid(int columns, int rows) const {
        return column >= 0 && row >= 0 && column < columns && row < rows;
    }
};
[[nodiscard]] BrowserPoint browserPointAt(double x, double y, int cellSize, int zoom,
                                          qint32 topAddress, int columns);

// Address of the tile in browser cell (column, row).
[[nodiscard]] constexpr qint64 browserCellAddress(qint32 top, int columns, int column, int row) {
    return qint64(top) + 16 * (qint64(column) + qint64(row) * columns);
}

// The browser's keys move the view by typing an address for the jump, which adds the offset.
enum class BrowserKey { RowUp, RowDown, PageUp, PageDown, Home, End };

// The cells the keys reckon with: those laid out (a page is `shown.rows` rows) and those
// wholly visible.
struct BrowserPage {
    GridCounts shown;
    GridCounts whole;
};

// The address `key` types when the view's top address less the offset is `typed`; nothing
// when the key does not move the view. End puts the file's last whole tile at the offset's
// alignment (the offset plus a multiple of 16) into the last wholly visible cell, so that the
// cells before it are filled, or goes Home when that tile shows from Home already or the file
// holds none. Down and Page Down stop at End's page and do nothing at or past it; no key
// does anything in an empty file.
[[nodiscard]] std::optional<qint64> browserKeyTyped(BrowserKey key, qint64 typed, qint64 fileLength,
                                                    qint64 offset, const BrowserPage& page);
