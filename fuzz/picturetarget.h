#pragma once

// The body of the picture reader's fuzz target, apart from targets.h because it needs Qt Gui:
// a file's bytes read as the import reads them, the picture mapped to pixel values and put
// into the cells.

#include "core/editor/editorpicture.h"
#include "core/palette/picturemapping.h"
#include "targets.h"
#include "ui/platform/pngfile.h"

#include <QByteArray>

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace fuzzdetail {

// Pixel values for the picture in both drawing palettes' colours, each within 0 to 3 and
// found by the rule its mapping names.
inline void checkMapping(const PictureColors& picture, DrawingColors palette,
                         const MappedPicture& mapped) {
    const size_t pixels = picture.colors.size();
    require(mapped.values.size() == pixels);
    require(mapped.approximated >= 0 && size_t(mapped.approximated) <= pixels);
    require((mapped.approximated > 0) == (mapped.mapping == PictureMapping::Nearest));
    require(mapped.mapping != PictureMapping::ByIndex ||
            (picture.paletteEntries <= 4 && mapped.values == picture.indices));
    for (size_t i = 0; i < pixels; ++i) {
        const quint8 value = mapped.values[i];
        require(value <= 3);
        // By colour, every pixel takes the first field of its colour.
        if (mapped.mapping != PictureMapping::ByColor) continue;
        require(palette[value] == picture.colors[i]);
        for (quint8 earlier = 0; earlier < value; ++earlier)
            require(palette[earlier] != picture.colors[i]);
    }
}

// The mapped picture goes into the cells from where it was accepted, and is refused from the
// cell below and right of that, where it would no longer fit.
inline void checkPlacement(const PictureColors& picture, const MappedPicture& mapped, int column,
                           int row) {
    const int columns = picture.width / 8;
    const int rows = picture.height / 8;
    EditorTileArray tiles{};
    const std::optional<PicturePlacement> placed =
        placePicture(tiles, mapped.values, {column, row, columns, rows}, false);
    require(placed && placed->cells == columns * rows);
    const bool fitsFurther =
        pictureFit(picture.width, picture.height, column + 1, row + 1) == PictureFit::Fits;
    require(placePicture(tiles, mapped.values, {column + 1, row + 1, columns, rows}, false)
                .has_value() == fitsFurther);
}

} // namespace fuzzdetail

// The bytes as a PNG file imported from the first cell, the last and one between: a picture
// accepted for a cell fits from there, and its pixels map and go into the cells.
inline void fuzzPicture(const uint8_t* data, size_t size) {
    using namespace fuzzdetail;
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const auto& [column, row] : {std::pair(0, 0), std::pair(9, 7), std::pair(4, 3)}) {
        const std::variant<PictureColors, PngError, PictureMisfit> read =
            pictureForCell(bytes, column, row);
        const PictureColors* picture = std::get_if<PictureColors>(&read);
        if (!picture) continue;
        require(pictureFit(picture->width, picture->height, column, row) == PictureFit::Fits);
        const size_t pixels = size_t(picture->width * picture->height);
        require(picture->colors.size() == pixels);
        require(picture->indices.empty() || picture->indices.size() == pixels);
        // The start colours, and colours of the picture itself so that some pixels match.
        const std::array<ColorRef, 4> start{0x80FFFF, 0x60B5B5, 0x408080, 0x204040};
        const std::array<ColorRef, 4> own{picture->colors[0], picture->colors[pixels / 3],
                                          picture->colors[pixels / 2], picture->colors[pixels - 1]};
        for (const std::array<ColorRef, 4>& palette : {start, own}) {
            const MappedPicture mapped = mapPicture(*picture, palette);
            checkMapping(*picture, palette, mapped);
            checkPlacement(*picture, mapped, column, row);
        }
    }
}
