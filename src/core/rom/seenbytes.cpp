#include "core/rom/seenbytes.h"

void SeenBytes::note(qint64 offset, std::span<const quint8> bytes) {
    for (size_t i = 0; i < bytes.size(); ++i)
        m_bytes[offset + qint64(i)] = bytes[i];
}

bool SeenBytes::changedElsewhere(qint64 offset, std::span<const quint8> onDisk) const {
    auto seen = m_bytes.lower_bound(offset);
    for (; seen != m_bytes.end() && seen->first < offset + qint64(onDisk.size()); ++seen) {
        if (seen->second != onDisk[size_t(seen->first - offset)]) return true;
    }
    return false;
}
