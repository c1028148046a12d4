#include "ui/platform/filewatch.h"

#include <QFileInfo>

FileWatch::FileWatch(QObject* parent) : QObject(parent) {
    m_quiet.setSingleShot(true);
    connect(&m_quiet, &QTimer::timeout, this, &FileWatch::report);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &FileWatch::noteChange);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &FileWatch::noteChange);
}

void FileWatch::watch(const QString& path) {
    const QString watched = path; // `path` may be m_path, which stop() clears
    stop();
    m_path = watched;
    // A watch follows the file it was set on, not the path: after a rename over the path it
    // watches the old file, so it is set anew on whatever the path names now.
    if (QFileInfo::exists(watched)) m_watcher.addPath(watched);
    const QString folder = QFileInfo(watched).absolutePath();
    if (QFileInfo(folder).isDir()) m_watcher.addPath(folder);
}

void FileWatch::stop() {
    m_quiet.stop();
    m_path.clear();
    if (!m_watcher.files().isEmpty()) m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty()) m_watcher.removePaths(m_watcher.directories());
}

void FileWatch::postpone() {
    m_burst.start();
    m_quiet.start(kLongest);
}

void FileWatch::noteChange() {
    if (m_path.isEmpty()) return;
    if (!m_quiet.isActive()) m_burst.start();
    if (!m_quiet.isActive() || m_burst.elapsed() + kQuiet <= kLongest) m_quiet.start(kQuiet);
}

void FileWatch::report() {
    if (m_path.isEmpty()) return;
    watch(m_path);
    emit changed();
}
