#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The program a desktop opens a type of file with, as the freedesktop.org rules find it: the
// default named in a mimeapps.list, whose desktop entry is installed.
struct DesktopApp {
    QString id;   // the desktop entry's file name, "player.desktop"
    QString name; // its Name
    QString exec; // its Exec line, escapes resolved
};

// The file's type as the desktop names it ("application/x-gameboy-rom"): by its name first,
// then by its content.
[[nodiscard]] QString desktopFileType(const QString& path);

// The default program for `type` from the mimeapps.list files in the XDG configuration and
// data folders, desktop-specific lists first: the first one named there that is installed.
// Nothing when none is set. This program's own entry does not count: it would only open the
// file again here.
[[nodiscard]] std::optional<DesktopApp> defaultAppFor(const QString& type);

// The desktop entry ids that a mimeapps.list text sets as defaults for `type`, in order.
[[nodiscard]] QStringList defaultsInMimeApps(const QString& text, const QString& type);

// The application a desktop entry text describes; nothing for one that is hidden, is not an
// application or has no Exec line.
[[nodiscard]] std::optional<DesktopApp> readDesktopEntry(const QString& id, const QString& text);

// The command an Exec line gives for `file`: the program, then its arguments, quotes and
// field codes resolved (%f, %F, %u and %U give the file's path; one that names none gets the
// path at its end). Empty when the line has no program or an unclosed quote.
[[nodiscard]] QStringList execCommand(const QString& exec, const QString& file);
