#include "tilecodec.h"

void decodeTile(const quint8* bytes, qint64 available, TilePixels& pixels)
{
    for (int y = 0; y < 8; ++y) {
        quint8* row = pixels.data() + 8 * y;
        if (2 * y + 1 >= available) {
            for (int x = 0; x < 8; ++x)
                row[x] = OutsideFile;
            continue;
        }
        const unsigned low = bytes[2 * y];
        const unsigned high = bytes[2 * y + 1];
        for (int x = 0; x < 8; ++x) {
            const int shift = 7 - x;
            row[x] = quint8(((low >> shift) & 1u) | (((high >> shift) & 1u) << 1));
        }
    }
}

TileBytes encodeTile(const TilePixels& pixels)
{
    TileBytes bytes{};
    for (int y = 0; y < 8; ++y) {
        unsigned low = 0;
        unsigned high = 0;
        for (int x = 0; x < 8; ++x) {
            const unsigned p = pixels[8 * y + x];
            low |= (p & 1u) << (7 - x);
            high |= ((p >> 1) & 1u) << (7 - x);
        }
        bytes[2 * y] = quint8(low);
        bytes[2 * y + 1] = quint8(high);
    }
    return bytes;
}

bool reachesOutsideFile(const TilePixels& pixels)
{
    for (quint8 p : pixels) {
        if (p == OutsideFile)
            return true;
    }
    return false;
}
