#pragma once

#include <QtGlobal>

#include <optional>

// What the browser and the editor share: their zoom range, the cell pitch with and without
// grid, and where the mark of the selected cell runs.

inline constexpr int kMinZoom = 2;
inline constexpr int kMaxZoom = 9;

// One step larger or smaller; nothing at the limit.
[[nodiscard]] constexpr std::optional<int> zoomedIn(int zoom) {
    return zoom < kMaxZoom ? std::optional<int>(zoom + 1) : std::nullopt;
}
[[nodiscard]] constexpr std::optional<int> zoomedOut(int zoom) {
    return zoom > kMinZoom ? std::optional<int>(zoom - 1) : std::nullopt;
}

// Cell pitch in bitmap pixels: the grid is a one-pixel gap after every tile.
[[nodiscard]] constexpr quint8 cellSizeFor(bool grid) {
    return grid ? 9 : 8;
}

// Corners of a rectangle, both included.
struct Corners {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Corners&) const = default;
};

// With grid: the closed path on the grid gaps around cell (column, row), in bitmap pixels.
[[nodiscard]] constexpr Corners gridRing(int column, int row) {
    return {9 * column - 1, 9 * row - 1, 9 * column + 8, 9 * row + 8};
}

// Without grid: the outline drawn on the box after the copy, in box pixels. Its right and
// bottom edges lie on the first pixels of the neighbouring cells.
[[nodiscard]] constexpr Corners boxOutline(int column, int row, int zoom) {
    return {8 * zoom * column, 8 * zoom * row, 8 * zoom * (column + 1), 8 * zoom * (row + 1)};
}
