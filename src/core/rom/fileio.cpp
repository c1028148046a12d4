#include "core/rom/fileio.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

FileStatus statusOf(const struct stat& info) {
    FileStatus status;
    status.kind = S_ISREG(info.st_mode)   ? FileStatus::Kind::Regular
                  : S_ISDIR(info.st_mode) ? FileStatus::Kind::Folder
                                          : FileStatus::Kind::Other;
    status.size = qint64(info.st_size);
    status.writable = (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    status.device = quint64(info.st_dev);
    status.inode = quint64(info.st_ino);
    return status;
}

} // namespace

qint64 FileIo::readAt(int fd, void* buffer, qint64 length, qint64 offset) {
    return ::pread(fd, buffer, size_t(length), off_t(offset));
}

qint64 FileIo::writeAt(int fd, const void* data, qint64 length, qint64 offset) {
    return ::pwrite(fd, data, size_t(length), off_t(offset));
}

std::optional<FileStatus> FileIo::statFd(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return std::nullopt;
    return statusOf(info);
}

std::optional<FileStatus> FileIo::statPath(const QByteArray& path) {
    struct stat info {};
    if (::stat(path.constData(), &info) != 0) return std::nullopt;
    return statusOf(info);
}

FileIo& FileIo::system() {
    static FileIo io;
    return io;
}
