#include "searchtiles.h"

#include "testfiles.h"
#include "testtiles.h"

QByteArray formByHand(const TilePixels& tile, int form) {
    const bool lr = form == LeftRight || form == Both || form == LeftRightSwapped;
    const bool ud = form == UpsideDown || form == Both;
    TilePixels pixels{};
    for (int i = 0; i < 64; ++i) {
        const int x = lr ? 7 - i % 8 : i % 8;
        const int y = ud ? 7 - i / 8 : i / 8;
        const int v = tile[size_t(8 * y + x)];
        pixels[size_t(i)] = quint8(form == Reversed ? 3 - v : form == LeftRightSwapped ? v ^ 1 : v);
    }
    const QByteArray bytes = encodeByHand(pixels);
    return form == Run ? QByteArray(300, bytes[0]) : bytes.left(form == Cut ? 15 : 16);
}

QByteArray planted(QByteArray file, const TilePixels& tile, const QList<QPoint>& plants) {
    for (const QPoint& plant : plants) {
        const QByteArray bytes = formByHand(tile, plant.y());
        file.replace(plant.x(), bytes.size(), bytes);
    }
    return file;
}

TilePixels searchedTile() {
    const QByteArray bytes = randomBytes(14, 3);
    return decodeByHand(bytes + bytes.left(1).repeated(2), 0);
}
