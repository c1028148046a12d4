#pragma once

#include <QtGlobal>

// A colour as the drawing calls take it: red in bits 0-7, green 8-15, blue 16-23.
using ColorRef = quint32;

[[nodiscard]] constexpr ColorRef rgbColor(int red, int green, int blue) {
    return ColorRef(red & 0xFF) | ColorRef(green & 0xFF) << 8 | ColorRef(blue & 0xFF) << 16;
}

[[nodiscard]] constexpr int colorRed(ColorRef c) {
    return int(c & 0xFF);
}
[[nodiscard]] constexpr int colorGreen(ColorRef c) {
    return int((c >> 8) & 0xFF);
}
[[nodiscard]] constexpr int colorBlue(ColorRef c) {
    return int((c >> 16) & 0xFF);
}
