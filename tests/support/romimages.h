#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// ROM images built here from the formats' descriptions, independently of the program's code,
// around pseudo-random bytes (the same for the same seed).

// A Game Boy image titled PELORIN, with the header checksum the console expects at 0x14D:
// x = 0, then x = x - b - 1 for every byte b from 0x134 to 0x14C. The global checksum at 0x14E
// is whatever the random bytes hold.
[[nodiscard]] QByteArray gameBoyImage(qsizetype length, quint32 seed);

// A Super Nintendo image of `length` bytes after `copier` bytes of a copier's header, with an
// internal header at `headerAt` of the image: the title padded with blanks to 21 bytes, the
// map-mode byte, and the checksum 0x0000 with its complement 0xFFFF at 0x1E and 0x1C, which
// add up as in a freshly built image.
[[nodiscard]] QByteArray snesImage(qsizetype length, qint64 headerAt, quint8 mapMode,
                                   qsizetype copier = 0, const QByteArray& title = "PELORIN");

// A checksum of a header: its name, place, width, what it holds and should hold.
struct HandSum {
    QString name;
    qint64 at;
    int bytes;
    quint32 holds;
    quint32 should;
};
// The checksums of a Game Boy image (header < 0): the header checksum, and the global one, the
// sum of every other byte, the header checksum counted as it should be. Of a Super Nintendo
// image with its header at `header` of the image: the complement and the checksum, the sum of
// the image without the copier's header, the part past the largest power of two repeated up to
// the next one, the four checksum bytes counted as FF FF 00 00.
[[nodiscard]] std::vector<HandSum> checksumsByHand(const QByteArray& file, qint64 header,
                                                   qsizetype copier);
// The file with the right values in place (the global checksum high byte first, the others
// low byte first).
[[nodiscard]] QByteArray withRightChecksums(QByteArray file, const std::vector<HandSum>& sums);
