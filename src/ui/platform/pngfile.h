#pragma once

#include "core/palette/picturemapping.h"

#include <QString>

#include <optional>
#include <variant>
#include <vector>

// PNG files of the editor's pictures: the one place where they meet QImage.

// Why a PNG file could not be read: the file could not be read at all (with the system's
// reason), it is no PNG file, or its contents are damaged.
enum class PngProblem { Unreadable, NotPng, Damaged };
struct PngError {
    PngProblem problem = PngProblem::Unreadable;
    QString reason;
};

// What the head of a PNG file declares, read without decoding the picture, so that a picture
// of any size is measured before its pixels are held in memory.
struct PngHead {
    int width = 0;
    int height = 0;
};
[[nodiscard]] std::variant<PngHead, PngError> readPngHead(const QString& path);

// Every pixel of a PNG file; a palette picture (indexed colour) with its indices too.
[[nodiscard]] std::variant<PictureColors, PngError> readPng(const QString& path);

// Writes pixel values 0 to 3 (width x height, row by row) as a palette PNG whose four entries
// are `palette`; the reason on failure, when an existing file is left as it was.
[[nodiscard]] std::optional<QString> writePalettePng(const QString& path, int width, int height,
                                                     const std::vector<quint8>& values,
                                                     DrawingColors palette);
