#include "core/search/tilescanner.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kLastPair = kTileBytes - 2;

quint64 load64(const quint8* bytes) {
    quint64 value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// Twice as many slots as patterns, at least 256: a look-up rarely needs a second slot.
size_t slotCount(size_t patterns) {
    size_t count = 256;
    while (count < 2 * patterns)
        count *= 2;
    return count;
}

size_t slotOf(quint64 low, quint64 high, size_t slots) {
    const quint64 mixed = low * 0x9E3779B97F4A7C15ull ^ high * 0xC2B2AE3D27D4EB4Full;
    return size_t(mixed >> 32) & (slots - 1);
}

} // namespace

TileScanner::TileScanner(std::span<const TileBytes> patterns)
    : m_shift(size_t(1) << 16, quint8(kTileBytes - 1)),
      m_slots(slotCount(patterns.size()), qint16(-1)) {
    for (const TileBytes& pattern : patterns) {
        for (int at = 0; at <= kLastPair; ++at) {
            const quint32 pair = pairAt(pattern.data() + at);
            m_held[pair >> 6] |= quint64(1) << (pair & 63u);
            m_shift[pair] = std::min(m_shift[pair], quint8(kLastPair - at));
        }
        const Key key{load64(pattern.data()), load64(pattern.data() + 8)};
        size_t slot = slotOf(key.low, key.high, m_slots.size());
        while (m_slots[slot] >= 0)
            slot = (slot + 1) & (m_slots.size() - 1);
        m_slots[slot] = qint16(m_keys.size());
        m_keys.push_back(key);
    }
}

int TileScanner::patternAt(const quint8* bytes) const {
    const quint64 low = load64(bytes);
    const quint64 high = load64(bytes + 8);
    for (size_t slot = slotOf(low, high, m_slots.size()); m_slots[slot] >= 0;
         slot = (slot + 1) & (m_slots.size() - 1)) {
        const Key& key = m_keys[size_t(m_slots[slot])];
        if (key.low == low && key.high == high) return m_slots[slot];
    }
    return -1;
}

qint64 TileScanner::pastRun(const quint8* data, qint64 at, qint64 length) {
    const quint64 low = load64(data + at);
    const quint64 repeated = quint64(data[at]) * 0x0101010101010101ull;
    if (low != repeated || load64(data + at + 8) != repeated) return at + 1;
    qint64 end = at + kTileBytes;
    while (end + 8 <= length && load64(data + end) == repeated)
        end += 8;
    while (end < length && data[end] == data[at])
        ++end;
    return end - (kTileBytes - 1);
}
