#include "testfiles.h"

#include <QFile>
#include <QRandomGenerator>

QByteArray randomBytes(qsizetype length, quint32 seed) {
    QRandomGenerator generator(seed);
    QByteArray bytes(length, Qt::Uninitialized);
    for (auto& b : bytes)
        b = char(generator.bounded(256));
    return bytes;
}

QString writeRom(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("can not write %s", qPrintable(path));
    return path;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// An IPS applier written from the format: "PATCH", records (3-byte offset, 2-byte size,
// bytes), "EOF". Empty when the patch does not parse to its end, or holds a record of size 0
// (which other appliers read as a run of one byte; this program writes none).
QByteArray applyIps(QByteArray file, const QByteArray& patch) {
    const auto at = [&](qsizetype i) { return qint64(quint8(patch.at(i))); };
    qsizetype i = 5;
    while (patch.startsWith("PATCH") && i + 5 <= patch.size() && patch.mid(i, 3) != "EOF") {
        const qint64 size = at(i + 3) << 8 | at(i + 4);
        if (size == 0) return {};
        file.replace(at(i) << 16 | at(i + 1) << 8 | at(i + 2), size, patch.mid(i + 5, size));
        i += 5 + size;
    }
    return i + 3 == patch.size() ? file : QByteArray();
}
