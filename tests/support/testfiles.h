#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Files for tests: made up of pseudo-random bytes, written and read back.

// Pseudo-random bytes, the same for the same seed.
[[nodiscard]] QByteArray randomBytes(qsizetype length, quint32 seed);
// The whole content of a file, read again from disk (empty when it can not be read).
[[nodiscard]] QByteArray fileBytes(const QString& path);
// Writes `bytes` to a new file `name` in `dir` and returns its path.
QString writeRom(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);
// The file an IPS patch makes of `file`, by an applier written here from the format; empty when
// the patch does not parse to its end or holds a record of size 0.
[[nodiscard]] QByteArray applyIps(QByteArray file, const QByteArray& patch);
