#pragma once

#include "core/app/colorref.h"

#include <array>

// Four colours as the Game Boy Color and the Super Nintendo store a palette: 2 bytes each,
// little-endian, red in bits 0-4, green in 5-9, blue in 10-14, bit 15 unused.
inline constexpr int kStoredPaletteBytes = 8;
using StoredPalette = std::array<quint8, kStoredPaletteBytes>;

// Five bits widen to eight with their top bits repeated below them, so 31 gives 255.
[[nodiscard]] constexpr ColorRef colorFromBgr15(int value) {
    const auto widen = [](int v) { return (v << 3) | (v >> 2); };
    return rgbColor(widen(value & 31), widen((value >> 5) & 31), widen((value >> 10) & 31));
}

[[nodiscard]] constexpr std::array<ColorRef, 4>
colorsFromStoredPalette(const StoredPalette& bytes) {
    std::array<ColorRef, 4> colors{};
    for (size_t i = 0; i < colors.size(); ++i)
        colors[i] = colorFromBgr15(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return colors;
}
