#pragma once

#include "core/rom/tilerecord.h"

#include <QtGlobal>

#include <array>
#include <span>
#include <vector>

// Finds up to a few hundred 16-byte patterns at once, in one pass over the bytes. It looks at
// the last two bytes of the 16 under the window, as Horspool's search does for one pattern:
// a pair that no pattern holds moves the window on by 15 bytes, one that some pattern holds
// further to the left by as much as lines them up, and only a pair that ends a pattern leads
// to a look-up of all 16 bytes. On bytes that hold none of the patterns that is a table look-up
// every 15 bytes, whatever the number of patterns; a stretch of one byte repeated is passed
// over at once.
class TileScanner {
  public:
    explicit TileScanner(std::span<const TileBytes> patterns);

    // Calls found(position, pattern) for every position of `data` at which all 16 bytes of a
    // pattern lie, in order; positions run from 0 to length - 16.
    template <class Found> void scan(const quint8* data, qint64 length, Found&& found) const {
        const qint64 last = length - kTileBytes;
        qint64 at = 0;
        while (at <= last) {
            const quint32 pair = pairAt(data + at + kTileBytes - 2);
            if (!(m_held[pair >> 6] >> (pair & 63u) & 1u)) {
                at += kTileBytes - 1;
                continue;
            }
            if (const quint8 shift = m_shift[pair]) {
                at += shift;
                continue;
            }
            if (const int pattern = patternAt(data + at); pattern >= 0) {
                found(at, pattern);
                ++at;
                continue;
            }
            at = pastRun(data, at, length);
        }
    }

  private:
    [[nodiscard]] static quint32 pairAt(const quint8* bytes) {
        return quint32(bytes[0]) | quint32(bytes[1]) << 8;
    }
    // The pattern whose 16 bytes start at `bytes`, or -1.
    [[nodiscard]] int patternAt(const quint8* bytes) const;
    // Where to look after a miss at `at`: the next position, or, when the 16 bytes there are
    // one byte repeated (the padding that fills much of a file), the first position whose
    // 16 bytes are not all that byte: every window before it is the same miss.
    [[nodiscard]] static qint64 pastRun(const quint8* data, qint64 at, qint64 length);

    // One bit for every pair of bytes: set when some pattern holds it (ending within the
    // first 16 bytes). 8 KiB, so it stays in the fastest cache.
    std::array<quint64, 1024> m_held{};
    // How far the window may move on when the pair ends it: 0 where it ends a pattern.
    std::vector<quint8> m_shift;
    // The patterns by a hash of their bytes, for the look-up of all 16 (open addressing).
    struct Key {
        quint64 low = 0;
        quint64 high = 0;
    };
    std::vector<Key> m_keys;
    std::vector<qint16> m_slots;
};
