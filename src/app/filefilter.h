#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One entry of an open-dialog filter list written as "description|patterns|...".
struct FileFilter {
    QString description;
    QStringList patterns;
};

[[nodiscard]] QList<FileFilter> parseFileFilters(const QString& filterList);
