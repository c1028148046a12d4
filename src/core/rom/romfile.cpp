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

std::optional<QString> refuseKind(const FileStatus& status) {
    if (status.kind == FileStatus::Kind::Folder) return QStringLiteral("It is a folder.");
    if (status.kind != FileStatus::Kind::Regular)
        return QStringLiteral("It is not a regular file (a device, a pipe or a socket).");
    if (status.size >= kMaxRomLength)
        return QStringLiteral("It is %1 bytes long; only files shorter than 2 GiB can be edited.")
            .arg(status.size);
    return std::nullopt;
}

bool permissionProblem(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

} // namespace

RomFile::OpenResult RomFile::open(const QString& path, FileIo& io) {
    const QByteArray native = QFile::encodeName(path);
    // Look before opening: opening a pipe or a device could block or have side effects.
    const std::optional<FileStatus> seen = io.statPath(native);
    if (!seen) return systemReason(errno);
    if (auto refusal = refuseKind(*seen)) return *refusal;

    const int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    bool readOnly = false;
    int fd = ::open(native.constData(), O_RDWR | flags);
    if (fd < 0 && permissionProblem(errno)) {
        readOnly = true;
        fd = ::open(native.constData(), O_RDONLY | flags);
    }
    if (fd < 0) return systemReason(errno);
    // The path may have been replaced between the look and the open.
    const std::optional<FileStatus> opened = io.statFd(fd);
    const std::optional<QString> refusal = opened ? refuseKind(*opened) : systemReason(errno);
    if (refusal) {
        ::close(fd);
        return *refusal;
    }
    return std::unique_ptr<RomFile>(new RomFile(io, fd, path, readOnly, *opened));
}

RomFile::RomFile(FileIo& io, int fd, QString path, bool readOnly, const FileStatus& status)
    : m_io(io), m_fd(fd), m_path(std::move(path)), m_readOnly(readOnly), m_status(status) {}

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
    // Whatever happened to the file is for the write itself to report.
    const std::optional<FileStatus> now = m_io.statPath(QFile::encodeName(m_path));
    return now && !now->writable;
}

bool RomFile::isFileAt(const QString& path) const {
    const std::optional<FileStatus> there = m_io.statPath(QFile::encodeName(path));
    return there && there->isSameFile(m_status);
}

RomFile::PathNow RomFile::pathNow() const {
    const std::optional<FileStatus> there = m_io.statPath(QFile::encodeName(m_path));
    if (!there) return PathNow::Nothing;
    return there->isSameFile(m_status) ? PathNow::ThisFile : PathNow::OtherFile;
}

bool RomFile::refreshLength() {
    const std::optional<FileStatus> now = m_io.statFd(m_fd);
    if (!now || now->size == m_status.size) return false;
    m_status.size = now->size;
    return true;
}

std::optional<QString> RomFile::writeBytes(qint64 offset, std::span<const quint8> bytes) {
    const auto count = qint64(bytes.size());
    Q_ASSERT(count >= 1 && count <= kTileBytes);
    if (m_readOnly) return QStringLiteral("The file %1 was opened for reading only.").arg(m_path);
    if (!isFileAt(m_path))
        return QStringLiteral("The file %1 was removed or replaced since it was opened.")
            .arg(m_path);
    const std::optional<FileStatus> now = m_io.statFd(m_fd);
    if (!now)
        return QStringLiteral("The file %1 can not be examined: %2")
            .arg(m_path, systemReason(errno));
    if (offset < 0 || offset + count > now->size)
        return QStringLiteral("The %1 bytes at address %2 do not lie inside %3, which is now %4 "
                              "bytes long.")
            .arg(count)
            .arg(offset)
            .arg(m_path)
            .arg(now->size);
    qint64 n = -1;
    do {
        n = m_io.writeAt(m_fd, bytes.data(), count, offset);
    } while (n < 0 && errno == EINTR);
    if (n < 0) return QStringLiteral("Writing to %1 failed: %2").arg(m_path, systemReason(errno));
    if (n != count)
        return QStringLiteral("Only %1 of %2 bytes could be written to %3 at address %4.")
            .arg(n)
            .arg(count)
            .arg(m_path)
            .arg(offset);
    m_seen.note(offset, bytes);
    return std::nullopt;
}
