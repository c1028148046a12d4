#include "core/rom/tilecodec.h"

#include <cstring>

namespace {
// For every byte, its 8 bits as 8 bytes of 0 or 1, the leftmost pixel (bit 7) first.
struct BitSpread {
    std::array<quint64, 256> table{};
    BitSpread() {
        for (unsigned b = 0; b < 256; ++b) {
            quint8 spread[8];
            for (int x = 0; x < 8; ++x)
                spread[x] = quint8((b >> (7 - x)) & 1u);
            std::memcpy(&table[b], spread, sizeof spread);
        }
    }
};
const BitSpread kSpread;
} // namespace

void decodeTile(const quint8* bytes, qint64 available, TilePixels& pixels) {
    for (int y = 0; y < 8; ++y) {
        quint8* row = pixels.data() + 8 * y;
        if (2 * y + 1 >= available) {
            for (int x = 0; x < 8; ++x)
                row[x] = OutsideFile;
            continue;
        }
        // Each byte of the spread low plane is 0 or 1, so doubling the high one never carries.
        const quint64 values = kSpread.table[bytes[2 * y]] | (kSpread.table[bytes[2 * y + 1]] << 1);
        std::memcpy(row, &values, sizeof values);
    }
}

TileBytes encodeTile(const TilePixels& pixels) {
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

bool reachesOutsideFile(const TilePixels& pixels) {
    for (quint8 p : pixels) {
        if (p == OutsideFile) return true;
    }
    return false;
}
