#include "filefilter.h"

QList<FileFilter> parseFileFilters(const QString& filterList)
{
    QList<FileFilter> filters;
    const QStringList parts = filterList.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        FileFilter filter{parts[i], {}};
        for (const QString& pattern : parts[i + 1].split(u';')) {
            if (!pattern.trimmed().isEmpty())
                filter.patterns << pattern.trimmed();
        }
        filters << filter;
    }
    return filters;
}
