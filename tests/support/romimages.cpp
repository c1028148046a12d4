#include "romimages.h"

#include "testfiles.h"

#include <numeric>

namespace {

quint16 sum(const QByteArray& bytes) {
    return quint16(std::accumulate(bytes.begin(), bytes.end(), 0u,
                                   [](unsigned s, char b) { return s + quint8(b); }));
}

// The image as the console sees it: a length between two powers of two filled up to the
// larger by repeating what lies past the smaller.
QByteArray mirrored(const QByteArray& image) {
    qsizetype head = 1;
    while (head * 2 <= image.size())
        head *= 2;
    if (head == image.size()) return image;
    const QByteArray rest = mirrored(image.mid(head));
    return image.left(head) + rest.repeated(head / rest.size());
}

bool bigEndian(const HandSum& sum) {
    return sum.name == QLatin1String("Global checksum");
}

quint32 valueIn(const QByteArray& file, const HandSum& sum) {
    quint32 value = 0;
    for (int i = 0; i < sum.bytes; ++i)
        value |= quint32(quint8(file[sum.at + i])) << 8 * (bigEndian(sum) ? sum.bytes - 1 - i : i);
    return value;
}

quint8 gameBoyHeaderSum(const QByteArray& image) {
    quint8 x = 0;
    for (qsizetype i = 0x134; i <= 0x14C; ++i)
        x = quint8(x - quint8(image[i]) - 1);
    return x;
}

} // namespace

QByteArray gameBoyImage(qsizetype length, quint32 seed) {
    QByteArray image = randomBytes(length, seed);
    image.replace(0x134, 16, QByteArray("PELORIN").leftJustified(16, '\0'));
    image[0x14D] = char(gameBoyHeaderSum(image));
    return image;
}

QByteArray snesImage(qsizetype length, qint64 headerAt, quint8 mapMode, qsizetype copier,
                     const QByteArray& title) {
    QByteArray image = randomBytes(length, quint32(headerAt + mapMode));
    image.replace(headerAt, 21, title.leftJustified(21, ' '));
    image[headerAt + 0x15] = char(mapMode);
    image.replace(headerAt + 0x1C, 4, QByteArray::fromHex("FFFF0000"));
    return QByteArray(copier, '\0') + image;
}

std::vector<HandSum> checksumsByHand(const QByteArray& file, qint64 header, qsizetype copier) {
    std::vector<HandSum> sums;
    if (header < 0) {
        QByteArray fixed = file;
        fixed[0x14D] = char(gameBoyHeaderSum(file));
        const auto global = quint16(sum(fixed) - quint8(file[0x14E]) - quint8(file[0x14F]));
        sums = {{"Header checksum", 0x14D, 1, 0, gameBoyHeaderSum(file)},
                {"Global checksum", 0x14E, 2, 0, global}};
    } else {
        QByteArray image = file.mid(copier);
        image.replace(header + 0x1C, 4, QByteArray::fromHex("FFFF0000"));
        const quint16 checksum = sum(mirrored(image));
        const qint64 at = copier + header + 0x1C;
        sums = {{"Checksum complement", at, 2, 0, checksum ^ 0xFFFFu},
                {"Checksum", at + 2, 2, 0, checksum}};
    }
    for (HandSum& s : sums)
        s.holds = valueIn(file, s);
    return sums;
}

QByteArray withRightChecksums(QByteArray file, const std::vector<HandSum>& sums) {
    for (const HandSum& s : sums) {
        for (int i = 0; i < s.bytes; ++i)
            file[s.at + i] = char(s.should >> 8 * (bigEndian(s) ? s.bytes - 1 - i : i));
    }
    return file;
}
