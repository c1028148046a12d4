#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "session.h"

// Writes `bytes` to a new file `name` in `dir` and returns its path.
QString writeRom(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);
