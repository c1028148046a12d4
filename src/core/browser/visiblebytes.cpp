#include "visiblebytes.h"

#include "core/rom/romfile.h"
#include "core/rom/tilecodec.h"

#include <algorithm>

VisibleBytes::VisibleBytes(const RomFile& file, qint64 start, qint64 tiles)
    : m_bytes(size_t(std::max<qint64>(tiles, 0) * kTileBytes)) {
    m_got = file.read(start, m_bytes.data(), qint64(m_bytes.size()));
}

void VisibleBytes::decode(qint64 index, TilePixels& pixels) const {
    const qint64 at = index * kTileBytes;
    decodeTile(m_bytes.data() + at, m_got - at, pixels);
}
