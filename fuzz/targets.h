#pragma once

// The bodies of the fuzz targets. They are kept apart from the libFuzzer entry points so that
// tests/tst_fuzzcorpus.cpp replays the kept corpus through exactly the same checks.

#include "core/app/numbers.h"
#include "core/rom/tilecodec.h"
#include "core/transfer/transferrules.h"

#include <QString>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

namespace fuzzdetail {

inline void require(bool condition) {
    if (!condition) std::abort();
}

// File lengths a typed target is checked against: none, too short for a tile, just long
// enough, ordinary, and the longest file the program opens.
inline constexpr std::array<qint32, 7> kLengths = {
    0, 1, 15, 16, 17, 32768, std::numeric_limits<qint32>::max()};

inline void checkValue(double value) {
    const std::optional<qint32> address = toAddress(value);
    if (address) {
        require(std::isfinite(value));
        // The address is the value rounded to the nearest integer, never a wrapped one.
        require(std::fabs(value - double(*address)) <= 0.5);
        require(double(*address) == roundHalfEven(value));
        // Written out and read back, an address gives itself again.
        const QString signedText = signedDecimal(*address);
        require(signedText.startsWith(u' ') == (*address >= 0));
        require(NumericValue(signedText) == double(*address));
        require(NumericValue(plainDecimal(*address)) == double(*address));
        require(saturateToAddress(*address) == *address);
    } else {
        const double r = std::isfinite(value) ? roundHalfEven(value) : 0.0;
        require(!std::isfinite(value) || r < double(std::numeric_limits<qint32>::min()) ||
                r > double(std::numeric_limits<qint32>::max()));
    }
    for (const qint32 length : kLengths) {
        const std::optional<qint32> target = typedTarget(value, length);
        if (!target) continue;
        // Accepted only for 0 < value <= length - 16; the address is the value rounded, so it
        // lies in [0, length - 16] and is 0 only for a value of at most one half.
        require(value > 0 && value <= double(length) - 16);
        require(*target >= 0 && qint64(*target) <= qint64(length) - 16);
        require(*target >= 1);
    }
}

} // namespace fuzzdetail

// NumericValue on the bytes read as UTF-8 and as Latin-1, then the conversions the program
// applies to its result.
inline void fuzzNumbers(const uint8_t* data, size_t size) {
    const auto* chars = reinterpret_cast<const char*>(data);
    const auto length = qsizetype(size);
    for (const QString& text :
         {QString::fromUtf8(chars, length), QString::fromLatin1(chars, length)})
        fuzzdetail::checkValue(NumericValue(text));
}

// Decodes the first bytes with every count of available bytes, encodes, and checks that the
// two are each other's inverse.
inline void fuzzTileCodec(const uint8_t* data, size_t size) {
    using fuzzdetail::require;
    const qint64 have = qint64(size < size_t(kTileBytes) ? size : size_t(kTileBytes));
    // Exactly the bytes there are, so that a read past them is seen by the address sanitizer.
    std::vector<quint8> bytes(data, data + have);
    for (qint64 available = -1; available <= have; ++available) {
        TilePixels pixels;
        pixels.fill(0xAA);
        decodeTile(bytes.data(), available, pixels);
        for (int y = 0; y < 8; ++y) {
            const bool inside = 2 * y + 1 < available;
            for (int x = 0; x < 8; ++x) {
                const quint8 p = pixels[8 * y + x];
                if (!inside) {
                    require(p == OutsideFile);
                    continue;
                }
                const unsigned low = (bytes[2 * y] >> (7 - x)) & 1u;
                const unsigned high = (bytes[2 * y + 1] >> (7 - x)) & 1u;
                require(p == (low | (high << 1)));
            }
        }
        require(reachesOutsideFile(pixels) == (available < kTileBytes));
        if (available == kTileBytes) {
            const TileBytes again = encodeTile(pixels);
            require(std::memcmp(again.data(), bytes.data(), kTileBytes) == 0);
        }
    }
    // The bytes taken as 64 pixel values of 0 to 3.
    if (size >= size_t(kTilePixels)) {
        TilePixels pixels;
        for (int i = 0; i < kTilePixels; ++i)
            pixels[i] = quint8(data[i] & 3u);
        const TileBytes encoded = encodeTile(pixels);
        TilePixels back;
        decodeTile(encoded.data(), kTileBytes, back);
        require(back == pixels);
    }
}
