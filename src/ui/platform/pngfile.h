#pragma once

#include "core/editor/editorpicture.h"
#include "core/palette/picturemapping.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>
#include <vector>

// PNG files of the editor's pictures: the one place where they meet QImage.

// Why a PNG file could not be read: the file could not be read at all (with the system's
// reason), it is no PNG file, its contents are damaged, or it is longer than any PNG file of a
// picture that fits into the editor can reasonably be (kMaxPictureFileBytes).
enum class PngProblem { Unreadable, NotPng, Damaged, TooLong };
struct PngError {
    PngProblem problem = PngProblem::Unreadable;
    QString reason;
};

// The bytes of the file at `path`, read once and at most kMaxPictureFileBytes + 1 of them, so
// that a longer file is known as such without being read whole. Whatever is learnt about the
// picture afterwards comes from these bytes: a file saved again meanwhile, or a pipe, can not
// give a second read another picture.
[[nodiscard]] std::variant<QByteArray, PngError> readPngBytes(const QString& path);

// Why a picture does not go into the editor from the selected cell, and the size that says so:
// as the head of the file declares it, or as the picture was decoded.
struct PictureMisfit {
    PictureFit fit = PictureFit::TooLarge;
    int width = 0;
    int height = 0;
};

// The picture a PNG file's bytes hold (a palette picture with its indices too) when it fits
// into the editor from cell (column, row). The size its head declares is measured before
// anything is decoded, so that a picture of any size is refused before its pixels are held in
// memory, and the decoded picture is measured again.
[[nodiscard]] std::variant<PictureColors, PngError, PictureMisfit>
pictureForCell(const QByteArray& bytes, int column, int row);

// Writes pixel values 0 to 3 (width x height, row by row) as a palette PNG whose four entries
// are `palette`; the reason on failure, when an existing file is left as it was.
[[nodiscard]] std::optional<QString> writePalettePng(const QString& path, int width, int height,
                                                     const std::vector<quint8>& values,
                                                     DrawingColors palette);
