#include "core/rom/tilecodec.h"

#include <QtEndian>

#include <algorithm>
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

TileColorDecoder::TileColorDecoder(std::span<const quint32, 5> colors)
    : m_outside(colors[OutsideFile]) {
    // The four pixels of a nibble pair are two pairs of two: build the 16 two-pixel entries
    // (high plane bits times 4 plus low plane bits) first, then put two of them side by side.
    std::array<std::array<quint32, 2>, 16> duos{};
    for (unsigned pair = 0; pair < 16; ++pair) {
        for (unsigned x = 0; x < 2; ++x) {
            const unsigned bit = 1 - x;
            duos[pair][x] = colors[((pair >> bit) & 1u) | (((pair >> (2 + bit)) & 1u) << 1)];
        }
    }
    for (unsigned high = 0; high < 16; ++high) {
        for (unsigned low = 0; low < 16; ++low) {
            std::array<quint32, 4>& quad = m_quads[high << 4 | low];
            const auto& left = duos[(high >> 2) << 2 | (low >> 2)];
            const auto& right = duos[(high & 3u) << 2 | (low & 3u)];
            quad = {left[0], left[1], right[0], right[1]};
        }
    }
}

namespace {
// Four rows of a tile as one little-endian 64-bit word hold four 16-bit lanes, the low plane
// byte in bits 0-7 and the high plane byte in bits 8-15 of each. These give, per lane, the
// byte offsets into the quad table of the row's left and right four pixels (the index,
// high nibble times 16 plus low nibble, times 16 bytes a quad), for all four rows at once.
constexpr quint64 kLaneLowNibble = 0x000F'000F'000F'000Full;
constexpr quint64 kLaneHighNibble = 0x00F0'00F0'00F0'00F0ull;
constexpr int kQuadBytes = 4 * sizeof(quint32);

quint64 leftQuadOffsets(quint64 rows) {
    return (((rows >> 4) & kLaneLowNibble) | ((rows >> 8) & kLaneHighNibble)) * kQuadBytes;
}
quint64 rightQuadOffsets(quint64 rows) {
    return ((rows & kLaneLowNibble) | ((rows >> 4) & kLaneHighNibble)) * kQuadBytes;
}

// One row of 8 colours: the quads at these byte offsets into the table, side by side.
void storeRow(quint32* out, const char* quads, quint64 leftOffset, quint64 rightOffset) {
    std::memcpy(out, quads + leftOffset, kQuadBytes);
    std::memcpy(out + 4, quads + rightOffset, kQuadBytes);
}

// Four whole rows from their 8 bytes, row y at out + y * stride.
void decodeFourRows(const quint8* bytes, const char* quads, quint32* out, qsizetype stride) {
    const quint64 rows = qFromLittleEndian<quint64>(bytes);
    const quint64 left = leftQuadOffsets(rows);
    const quint64 right = rightQuadOffsets(rows);
    for (int y = 0; y < 4; ++y, out += stride)
        storeRow(out, quads, (left >> (16 * y)) & 0xFFFFu, (right >> (16 * y)) & 0xFFFFu);
}
} // namespace

void TileColorDecoder::decode(const quint8* bytes, qint64 available, quint32* out,
                              qsizetype stride) const {
    const auto* quads = reinterpret_cast<const char*>(m_quads.data());
    if (available >= kTileBytes) {
        decodeFourRows(bytes, quads, out, stride);
        decodeFourRows(bytes + 8, quads, out + 4 * stride, stride);
        return;
    }
    // A row is inside the file when its second byte is: rows 0 to available / 2 - 1.
    const int inside = int(std::clamp<qint64>(available / 2, 0, 8));
    for (int y = 0; y < 8; ++y, out += stride) {
        if (y < inside) {
            const quint64 row = bytes[2 * y] | quint64(bytes[2 * y + 1]) << 8;
            storeRow(out, quads, leftQuadOffsets(row), rightQuadOffsets(row));
        } else {
            std::fill_n(out, 8, m_outside);
        }
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
