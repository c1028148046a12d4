#include "ui/platform/pngfile.h"

#include "ui/platform/qtcolor.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>

#include <cstring>

namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
constexpr qint64 kSignatureSize = 8;
// Signature, the first chunk's length and type, then the IHDR fields.
constexpr qint64 kHeadSize = kSignatureSize + 8 + 13;
constexpr int kWidthAt = 16;
constexpr int kHeightAt = 20;
constexpr int kColorTypeAt = 25;
constexpr quint8 kPaletteColorType = 3;

[[nodiscard]] quint32 bigEndian32(const QByteArray& bytes, int at) {
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = value << 8 | quint8(bytes[at + i]);
    return value;
}

struct Head {
    int width = 0;
    int height = 0;
    bool palette = false;
};

[[nodiscard]] std::variant<Head, PngError> readHead(const QByteArray& bytes) {
    const QByteArray head = bytes.left(kHeadSize);
    if (head.size() < kSignatureSize || std::memcmp(head.constData(), kSignature, 8) != 0)
        return PngError{PngProblem::NotPng, {}};
    const quint32 width = head.size() == kHeadSize ? bigEndian32(head, kWidthAt) : 0;
    const quint32 height = head.size() == kHeadSize ? bigEndian32(head, kHeightAt) : 0;
    if (head.mid(12, 4) != "IHDR" || width == 0 || height == 0 || width > 0x7FFFFFFF ||
        height > 0x7FFFFFFF)
        return PngError{PngProblem::Damaged, {}};
    return Head{int(width), int(height), quint8(head[kColorTypeAt]) == kPaletteColorType};
}

[[nodiscard]] PictureColors picturePixels(const QImage& image, bool palette) {
    PictureColors picture{image.width(), image.height(), {}, {}, 0};
    const bool indexed = palette && image.format() == QImage::Format_Indexed8;
    picture.colors.reserve(size_t(image.width() * image.height()));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            picture.colors.push_back(fromQColor(QColor(image.pixel(x, y))));
            if (indexed) picture.indices.push_back(quint8(image.pixelIndex(x, y)));
        }
    }
    if (indexed) picture.paletteEntries = image.colorCount();
    return picture;
}

} // namespace

std::variant<QByteArray, PngError> readPngBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return PngError{PngProblem::Unreadable, file.errorString()};
    QByteArray bytes;
    // A pipe gives its bytes in pieces; the end of the file is an empty read without an error.
    while (bytes.size() <= kMaxPictureFileBytes) {
        const QByteArray piece = file.read(kMaxPictureFileBytes + 1 - bytes.size());
        if (file.error() != QFileDevice::NoError)
            return PngError{PngProblem::Unreadable, file.errorString()};
        if (piece.isEmpty()) break;
        bytes += piece;
    }
    return bytes;
}

std::variant<PictureColors, PngError, PictureMisfit> pictureForCell(const QByteArray& bytes,
                                                                    int column, int row) {
    const std::variant<Head, PngError> read = readHead(bytes);
    if (const PngError* error = std::get_if<PngError>(&read)) return *error;
    const Head& head = std::get<Head>(read);
    const PictureFit declared = pictureFit(head.width, head.height, column, row);
    if (declared != PictureFit::Fits) return PictureMisfit{declared, head.width, head.height};
    if (bytes.size() > kMaxPictureFileBytes) return PngError{PngProblem::TooLong, {}};
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "png");
    QImage image = reader.read();
    if (image.isNull()) return PngError{PngProblem::Damaged, {}};
    const PictureFit decoded = pictureFit(image.width(), image.height(), column, row);
    if (decoded != PictureFit::Fits) return PictureMisfit{decoded, image.width(), image.height()};
    // A two-entry palette comes as a 1-bit image; its indices are wanted all the same.
    if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB)
        image = image.convertToFormat(QImage::Format_Indexed8);
    return picturePixels(image, head.palette);
}

std::optional<QString> writePalettePng(const QString& path, int width, int height,
                                       const std::vector<quint8>& values, DrawingColors palette) {
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable(
        {toQRgb(palette[0]), toQRgb(palette[1]), toQRgb(palette[2]), toQRgb(palette[3])});
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), values.data() + size_t(y * width), size_t(width));
    // Written beside the old file and put in its place only when whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    if (!image.save(&file, "PNG")) {
        file.cancelWriting();
        return file.errorString();
    }
    if (!file.commit()) return file.errorString();
    return std::nullopt;
}
