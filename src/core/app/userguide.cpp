#include "core/app/userguide.h"

#include <QDir>
#include <QFileInfo>

QString userGuidePath(const QString& programDir, const QString& sourceGuide) {
    const QString installed =
        QDir::cleanPath(programDir + QStringLiteral("/../share/doc/pelorin/README.md"));
    if (QFileInfo(installed).isFile()) return installed;
    if (!sourceGuide.isEmpty() && QFileInfo(sourceGuide).isFile())
        return QDir::cleanPath(sourceGuide);
    return installed;
}
