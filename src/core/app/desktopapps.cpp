#include "core/app/desktopapps.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QStandardPaths>

namespace {

const QString kOwnEntry = QStringLiteral("pelorin.desktop");

QString readText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

// The lines "key=value" of group `group` of a desktop-style file, values as written.
QList<std::pair<QString, QString>> groupEntries(const QString& text, const QString& group) {
    QList<std::pair<QString, QString>> entries;
    bool inGroup = false;
    for (const QString& raw : text.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[')) {
            inGroup = line == u'[' + group + u']';
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (inGroup && equals > 0 && !line.startsWith(u'#'))
            entries.append({line.left(equals).trimmed(), line.mid(equals + 1).trimmed()});
    }
    return entries;
}

// The escapes of a desktop entry's string values: \s, \n, \t, \r and \\. Any other backslash
// stays, for the quoting of an Exec line (\" inside quotes) comes after these.
QString unescaped(const QString& value) {
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const qsizetype code = i + 1 < value.size() && value[i] == u'\\'
                                   ? QStringLiteral("sntr\\").indexOf(value[i + 1])
                                   : -1;
        if (code < 0) {
            out += value[i];
            continue;
        }
        out += QStringLiteral(" \n\t\r\\")[code];
        ++i;
    }
    return out;
}

// Where mimeapps.list files are looked for, most important first.
QStringList mimeAppsLists() {
    QStringList names;
    for (const QString& desktop : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':')) {
        if (!desktop.isEmpty()) names << desktop.toLower() + QStringLiteral("-mimeapps.list");
    }
    names << QStringLiteral("mimeapps.list");
    QStringList lists;
    const QStringList folders =
        QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation) +
        QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
    for (const QString& folder : folders) {
        for (const QString& name : names)
            lists << QDir(folder).filePath(name);
    }
    return lists;
}

std::optional<DesktopApp> installedApp(const QString& id) {
    if (id == kOwnEntry) return std::nullopt;
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        const QString path = QDir(folder).filePath(id);
        if (QFile::exists(path)) return readDesktopEntry(id, readText(path));
    }
    return std::nullopt;
}

} // namespace

QString desktopFileType(const QString& path) {
    return QMimeDatabase().mimeTypeForFile(path).name();
}

std::optional<DesktopApp> defaultAppFor(const QString& type) {
    for (const QString& list : mimeAppsLists()) {
        for (const QString& id : defaultsInMimeApps(readText(list), type)) {
            if (std::optional<DesktopApp> app = installedApp(id)) return app;
        }
    }
    return std::nullopt;
}

QStringList defaultsInMimeApps(const QString& text, const QString& type) {
    QStringList ids;
    for (const auto& [key, value] : groupEntries(text, QStringLiteral("Default Applications"))) {
        if (key != type) continue;
        for (const QString& id : value.split(u';', Qt::SkipEmptyParts))
            ids << id.trimmed();
    }
    return ids;
}

std::optional<DesktopApp> readDesktopEntry(const QString& id, const QString& text) {
    DesktopApp app{id, {}, {}};
    bool application = false;
    for (const auto& [key, value] : groupEntries(text, QStringLiteral("Desktop Entry"))) {
        if (key == QLatin1String("Hidden") && value == QLatin1String("true")) return std::nullopt;
        if (key == QLatin1String("Type")) application = value == QLatin1String("Application");
        if (key == QLatin1String("Name")) app.name = unescaped(value);
        if (key == QLatin1String("Exec")) app.exec = unescaped(value);
    }
    if (!application || app.exec.isEmpty()) return std::nullopt;
    return app;
}

QStringList execCommand(const QString& exec, const QString& file) {
    QStringList command;
    QString arg;
    bool inArg = false; // something, if only quotes, was written for the argument
    bool quoted = false;
    bool fileGiven = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted) {
            if (c == u'"')
                quoted = false;
            else
                arg += c == u'\\' && i + 1 < exec.size() ? exec[++i] : c;
            continue;
        }
        if (c == u' ' || c == u'\t' || c == u'\n') {
            if (inArg || !arg.isEmpty()) command << arg;
            arg.clear();
            inArg = false;
            continue;
        }
        if (c == u'"') {
            quoted = inArg = true;
        } else if (c == u'%' && i + 1 < exec.size()) {
            // Codes other than the file's and %% stand for what this program does not give.
            const QChar code = exec[++i];
            if (code == u'%') arg += u'%';
            if (QStringLiteral("fFuU").contains(code)) {
                arg += file;
                fileGiven = true;
            }
        } else {
            arg += c;
        }
    }
    if (inArg || !arg.isEmpty()) command << arg;
    if (quoted || command.isEmpty()) return {};
    if (!fileGiven) command << file;
    return command;
}
