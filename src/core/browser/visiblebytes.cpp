#include "visiblebytes.h"

#include "core/rom/romfile.h"
#include "core/rom/tilecodec.h"

VisibleBytes::VisibleBytes(const RomFile& file, qint64 start, qint64 length)
    : m_start(start), m_bytes(size_t(std::max<qint64>(length, 0))) {
    m_got = file.read(m_start, m_bytes.data(), qint64(m_bytes.size()));
}

bool VisibleBytes::decode(qint64 address, TilePixels& pixels) const {
    const std::optional<Tile> tile = tileAt(address);
    if (tile) decodeTile(tile->bytes, tile->available, pixels);
    return tile.has_value();
}

std::optional<VisibleBytes::Tile> VisibleBytes::tileAt(qint64 address) const {
    const qint64 at = address - m_start;
    if (address < 0 || at < 0 || at + kTileBytes > qint64(m_bytes.size())) return std::nullopt;
    return Tile{m_bytes.data() + at, m_got - at};
}
