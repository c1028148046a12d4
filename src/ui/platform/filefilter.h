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

// The same list as Qt's file dialog takes it, "description (pattern pattern)". The pattern
// "*.*" means every file, as it does in the list's own convention; in Qt it would match only
// names with a dot, so it becomes "*".
[[nodiscard]] QStringList qtNameFilters(const QString& filterList);
