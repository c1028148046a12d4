#include "core/rom/fileio.h"

#include <unistd.h>

qint64 FileIo::readAt(int fd, void* buffer, qint64 length, qint64 offset) {
    return ::pread(fd, buffer, size_t(length), off_t(offset));
}

qint64 FileIo::writeAt(int fd, const void* data, qint64 length, qint64 offset) {
    return ::pwrite(fd, data, size_t(length), off_t(offset));
}

int FileIo::statFd(int fd, struct stat& info) {
    return ::fstat(fd, &info);
}

int FileIo::statPath(const QByteArray& path, struct stat& info) {
    return ::stat(path.constData(), &info);
}

FileIo& FileIo::system() {
    static FileIo io;
    return io;
}
