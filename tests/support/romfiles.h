#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Writes `bytes` to a new file `name` in `dir` and returns its path.
QString writeRom(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);
// Reproducible pseudo-random bytes.
QByteArray randomBytes(qsizetype length, quint32 seed);
// The file's whole content, read again from disk.
QByteArray fileBytes(const QString& path);
