#include "core/palette/picturemapping.h"

#include <cstdlib>
#include <optional>

namespace {

constexpr int kDrawingColors = 4;

[[nodiscard]] bool mapsByIndex(const PictureColors& picture) {
    if (picture.paletteEntries <= 0 || picture.paletteEntries > kDrawingColors ||
        picture.indices.size() != picture.colors.size())
        return false;
    for (const quint8 index : picture.indices) {
        if (index >= picture.paletteEntries) return false;
    }
    return true;
}

[[nodiscard]] std::optional<quint8> equalColor(ColorRef color, DrawingColors palette) {
    for (int v = 0; v < kDrawingColors; ++v) {
        if (palette[size_t(v)] == color) return quint8(v);
    }
    return std::nullopt;
}

[[nodiscard]] quint8 nearestInBrightness(ColorRef color, DrawingColors palette) {
    const int wanted = brightness(color);
    int best = 0;
    for (int v = 1; v < kDrawingColors; ++v) {
        if (std::abs(brightness(palette[size_t(v)]) - wanted) <
            std::abs(brightness(palette[size_t(best)]) - wanted))
            best = v;
    }
    return quint8(best);
}

} // namespace

MappedPicture mapPicture(const PictureColors& picture, DrawingColors palette) {
    MappedPicture mapped;
    mapped.values.reserve(picture.colors.size());
    for (const ColorRef color : picture.colors) {
        const std::optional<quint8> equal = equalColor(color, palette);
        if (!equal) ++mapped.approximated;
        mapped.values.push_back(equal ? *equal : nearestInBrightness(color, palette));
    }
    if (mapped.approximated == 0) return mapped;
    if (mapsByIndex(picture)) {
        mapped.values = picture.indices;
        mapped.mapping = PictureMapping::ByIndex;
        mapped.approximated = 0;
        return mapped;
    }
    mapped.mapping = PictureMapping::Nearest;
    return mapped;
}
