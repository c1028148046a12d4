#pragma once

#include "core/rom/tilerecord.h"

#include <QtGlobal>

#include <optional>
#include <vector>

class RomFile;

// The bytes a browser redraw shows, read with one positioned read; the visible tiles decode
// from them instead of reading the file once each. Lives for one redraw only, so that every
// redraw reads the file anew.
class VisibleBytes {
  public:
    VisibleBytes() = default;
    // Reads up to `length` bytes from `start` on (fewer where the file ends).
    VisibleBytes(const RomFile& file, qint64 start, qint64 length);

    // Decodes the tile at `address` when `tileAt` finds it; false otherwise.
    [[nodiscard]] bool decode(qint64 address, TilePixels& pixels) const;

    // The bytes of the tile at `address`, for decoders that take them as they are: its first
    // byte and how many bytes exist from there on (fewer than 16 where the file ends).
    struct Tile {
        const quint8* bytes;
        qint64 available;
    };
    // The tile at `address` when its 16 bytes lie in the range read and the address lies in
    // the file's address range (not below 0); nothing otherwise.
    [[nodiscard]] std::optional<Tile> tileAt(qint64 address) const;

  private:
    qint64 m_start = 0;
    qint64 m_got = 0;
    std::vector<quint8> m_bytes;
};
