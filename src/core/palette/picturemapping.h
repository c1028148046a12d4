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

// How a picture's pixels became pixel values: by their colours, which all are drawing colours;
// by their palette indices, although some colours are none of the four; or by the drawing
// colour nearest in brightness for the colours that are none of the four.
enum class PictureMapping { ByColor, ByIndex, Nearest };

// A pixel value 0 to 3 for every pixel of a picture, how they were found, and the number of
// pixels that took the nearest drawing colour because their own colour is none of the four.
struct MappedPicture {
    std::vector<quint8> values;
    PictureMapping mapping = PictureMapping::ByColor;
    int approximated = 0;
};

// Perceived brightness, 0.299 R + 0.587 G + 0.114 B, in thousandths.
[[nodiscard]] constexpr int brightness(ColorRef c) {
    return 299 * colorRed(c) + 587 * colorGreen(c) + 114 * colorBlue(c);
}

// A picture whose pixels all have drawing colours maps each to the first drawing colour equal to
// it, whatever its palette's order, size or absence: paint programs reorder and prune palettes
// when they save, and users pick colours, not entries. Otherwise a palette picture of at most
// four entries maps by index (entry i gives value i), as whoever drew it may have meant the
// entries as the pixel values; any other picture maps the colours that are none of the four to
// the drawing colour nearest in brightness (the lower value on a tie).
[[nodiscard]] MappedPicture mapPicture(const PictureColors& picture, DrawingColors palette);
