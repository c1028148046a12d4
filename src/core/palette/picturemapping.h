#pragma once

#include "core/app/colorref.h"

#include <QtGlobal>

#include <span>
#include <vector>

// The colours of pixel values 0 to 3.
using DrawingColors = std::span<const ColorRef, 4>;

// A picture as its file holds it: the colour of every pixel, row by row, and for a palette
// picture also every pixel's index and the number of entries of its palette.
struct PictureColors {
    int width = 0;
    int height = 0;
    std::vector<ColorRef> colors;
    std::vector<quint8> indices;
    int paletteEntries = 0; // 0: the picture has no palette
};

// A pixel value 0 to 3 for every pixel of a picture, and the number of pixels that took the
// nearest drawing colour because their own colour is none of the four.
struct MappedPicture {
    std::vector<quint8> values;
    int approximated = 0;
};

// Perceived brightness, 0.299 R + 0.587 G + 0.114 B, in thousandths.
[[nodiscard]] constexpr int brightness(ColorRef c) {
    return 299 * colorRed(c) + 587 * colorGreen(c) + 114 * colorBlue(c);
}

// A palette picture of at most four entries maps by index: whoever drew it chose the pixel
// values, whatever colours its palette shows them in. Any other picture maps each colour to
// the first drawing colour equal to it, or else to the one nearest in brightness (the lower
// value on a tie).
[[nodiscard]] MappedPicture mapPicture(const PictureColors& picture, DrawingColors palette);
