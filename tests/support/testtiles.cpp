#include "testtiles.h"

int pixelByHand(const QByteArray& file, qint64 address, int x, int y) {
    const qint64 low = address + 2 * y;
    if (address < 0 || low + 1 >= file.size()) return 4;
    const int l = quint8(file[low]);
    const int h = quint8(file[low + 1]);
    return ((l >> (7 - x)) & 1) + 2 * ((h >> (7 - x)) & 1);
}

TilePixels decodeByHand(const QByteArray& file, qint64 address) {
    TilePixels pixels{};
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x)
            pixels[size_t(8 * y + x)] = quint8(pixelByHand(file, address, x, y));
    }
    return pixels;
}

QByteArray encodeByHand(const TilePixels& pixels) {
    QByteArray bytes(16, '\0');
    for (int y = 0; y < 8; ++y) {
        int low = 0;
        int high = 0;
        for (int x = 0; x < 8; ++x) {
            const int p = pixels[size_t(8 * y + x)];
            low |= (p & 1) << (7 - x);
            high |= ((p >> 1) & 1) << (7 - x);
        }
        bytes[2 * y] = char(low);
        bytes[2 * y + 1] = char(high);
    }
    return bytes;
}
