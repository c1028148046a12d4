#include "romfiles.h"

#include <QFile>
#include <QRandomGenerator>

QString writeRom(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("can not write %s", qPrintable(path));
    return path;
}

QByteArray randomBytes(qsizetype length, quint32 seed) {
    QRandomGenerator generator(seed);
    QByteArray bytes(length, Qt::Uninitialized);
    for (auto& b : bytes)
        b = char(generator.bounded(256));
    return bytes;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}
