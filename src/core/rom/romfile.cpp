#include "core/rom/romfile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error)) + u'.';
}

std::optional<QString> refuseKind(const struct stat& info) {
    if (S_ISDIR(info.st_mode)) return QStringLiteral("It is a folder.");
    if (!S_ISREG(info.st_mode))
        return QStringLiteral("It is not a regular file (a device, a pipe or a socket).");
    if (qint64(info.st_size) >= kMaxRomLength)
        return QStringLiteral("It is %1 bytes long; only files shorter than 2 GiB can be edited.")
            .arg(qint64(info.st_size));
    return std::nullopt;
}

bool permissionProblem(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

} // namespace

RomFile::OpenResult RomFile::open(const QString& path, FileIo& io) {
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    // Look before opening: opening a pipe or a device could block or have side effects.
    if (io.statPath(native, info) != 0) return systemReason(errno);
    if (auto refusal = refuseKind(info)) return *refusal;

    const int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    bool readOnly = false;
    int fd = ::open(native.constData(), O_RDWR | flags);
    if (fd < 0 && permissionProblem(errno)) {
        readOnly = true;
        fd = ::open(native.constData(), O_RDONLY | flags);
    }
    if (fd < 0) return systemReason(errno);
    // The path may have been replaced between the look and the open.
    std::optional<QString> refusal;
    if (io.statFd(fd, info) != 0)
        refusal = systemReason(errno);
    else
        refusal = refuseKind(info);
    if (refusal) {
        ::close(fd);
        return *refusal;
    }
    return std::unique_ptr<RomFile>(
        new RomFile(io, fd, path, qint32(info.st_size), readOnly, info));
}

RomFile::RomFile(FileIo& io, int fd, QString path, qint32 length, bool readOnly,
                 const struct stat& id)
    : m_io(io), m_fd(fd), m_path(std::move(path)), m_length(length), m_readOnly(readOnly),
      m_device(id.st_dev), m_inode(id.st_ino) {}

RomFile::~RomFile() {
    ::close(m_fd);
}

qint64 RomFile::read(qint64 offset, quint8* buffer, qint64 length) const {
    if (offset < 0 || length <= 0) return 0;
    qint64 got = 0;
    while (got < length) {
        const qint64 n = m_io.readAt(m_fd, buffer + got, length - got, offset + got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += n;
    }
    return got;
}

bool RomFile::isReadOnly() const {
    if (m_readOnly) return true;
    struct stat info {};
    if (m_io.statPath(QFile::encodeName(m_path), info) != 0)
        return false; // the write reports what happened to the file
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::optional<FileIdentity> RomFile::identityOnDisk() const {
    struct stat onDisk {};
    if (m_io.statPath(QFile::encodeName(m_path), onDisk) != 0) return std::nullopt;
    return FileIdentity{m_path, quint64(onDisk.st_dev), quint64(onDisk.st_ino)};
}

std::optional<QString> RomFile::checkStillSameFile() const {
    struct stat onDisk {};
    if (m_io.statPath(QFile::encodeName(m_path), onDisk) != 0 || onDisk.st_dev != m_device ||
        onDisk.st_ino != m_inode)
        return QStringLiteral("The file %1 was removed or replaced since it was opened.")
            .arg(m_path);
    return std::nullopt;
}

std::optional<QString> RomFile::writeTile(qint64 offset, const TileBytes& bytes) {
    if (m_readOnly) return QStringLiteral("The file %1 was opened for reading only.").arg(m_path);
    if (auto replaced = checkStillSameFile()) return replaced;
    struct stat now {};
    if (m_io.statFd(m_fd, now) != 0)
        return QStringLiteral("The file %1 can not be examined: %2")
            .arg(m_path, systemReason(errno));
    if (offset < 0 || offset + kTileBytes > qint64(now.st_size))
        return QStringLiteral("The 16 bytes at address %1 do not lie inside %2, which is now %3 "
                              "bytes long.")
            .arg(offset)
            .arg(m_path)
            .arg(qint64(now.st_size));
    qint64 n = -1;
    do {
        n = m_io.writeAt(m_fd, bytes.data(), kTileBytes, offset);
    } while (n < 0 && errno == EINTR);
    if (n < 0) return QStringLiteral("Writing to %1 failed: %2").arg(m_path, systemReason(errno));
    if (n != kTileBytes)
        return QStringLiteral("Only %1 of 16 bytes could be written to %2 at address %3.")
            .arg(n)
            .arg(m_path)
            .arg(offset);
    return std::nullopt;
}
