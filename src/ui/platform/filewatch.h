#pragma once

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// Watches one file and its folder (where a file renamed over it, or a new one, appears) and
// reports a burst of changes once: each change waits for the file to be quiet for kQuiet, but
// never more than kLongest after the first change of the burst, so that a program writing
// without pause still gets its bytes shown.
class FileWatch : public QObject {
    Q_OBJECT
  public:
    static constexpr int kQuiet = 50;    // milliseconds
    static constexpr int kLongest = 150; // milliseconds

    explicit FileWatch(QObject* parent = nullptr);

    // Watches `path`: the file it names now and its folder.
    void watch(const QString& path);
    void stop();
    // Reports the burst again later (the window was busy with a dialog).
    void postpone();

  signals:
    void changed();

  private:
    void noteChange();
    void report();

    QFileSystemWatcher m_watcher;
    QTimer m_quiet;
    QElapsedTimer m_burst;
    QString m_path;
};
