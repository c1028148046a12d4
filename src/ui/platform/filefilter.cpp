#include "ui/platform/filefilter.h"

QList<FileFilter> parseFileFilters(const QString& filterList) {
    QList<FileFilter> filters;
    const QStringList parts = filterList.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        FileFilter filter{parts[i], {}};
        for (const QString& pattern : parts[i + 1].split(u';')) {
            if (!pattern.trimmed().isEmpty()) filter.patterns << pattern.trimmed();
        }
        filters << filter;
    }
    return filters;
}

QStringList qtNameFilters(const QString& filterList) {
    QStringList filters;
    for (const FileFilter& filter : parseFileFilters(filterList)) {
        QStringList patterns;
        for (const QString& pattern : filter.patterns)
            patterns << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
        filters << filter.description + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return filters;
}
