#pragma once

#include <QtGlobal>

#include <array>

// Pixel value of a row that does not lie wholly inside the file; never comes from its bytes.
inline constexpr quint8 OutsideFile = 4;
inline constexpr int kTileBytes = 16;
inline constexpr int kTilePixels = 64;

using TilePixels = std::array<quint8, kTilePixels>;
using TileBytes = std::array<quint8, kTileBytes>;

// One tile in memory. Pixel (x, y) is Pixels[8 * y + x]. Address 0 means "no address".
struct TileRecord {
    TilePixels Pixels{};
    qint32 Address = 0;
    bool FlipX = false;
    bool FlipY = false;
    bool WriteProtected = false;

    // Address 0 stands for "no address", even for a tile taken from the file's first 16 bytes.
    [[nodiscard]] bool hasAddress() const { return Address != 0; }
    bool operator==(const TileRecord&) const = default;
};
