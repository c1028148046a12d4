#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <sys/stat.h>

// The operating-system calls the ROM file goes through. Tests replace it to make reads and
// writes fail; the program uses system().
class FileIo {
  public:
    virtual ~FileIo() = default;

    // Return the byte count, or -1 with errno set, like the POSIX calls.
    virtual qint64 readAt(int fd, void* buffer, qint64 length, qint64 offset);
    virtual qint64 writeAt(int fd, const void* data, qint64 length, qint64 offset);
    // Return 0, or -1 with errno set.
    virtual int statFd(int fd, struct stat& info);
    virtual int statPath(const QByteArray& path, struct stat& info);

    static FileIo& system();
};
