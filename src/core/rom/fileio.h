#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

// What the program asks the system about a file: what it is, how long, whether any write
// permission bit is set, and which file it is (device and inode).
struct FileStatus {
    enum class Kind { Regular, Folder, Other };
    Kind kind = Kind::Other;
    qint64 size = 0;
    bool writable = false;
    quint64 device = 0;
    quint64 inode = 0;

    [[nodiscard]] bool isSameFile(const FileStatus& other) const {
        return device == other.device && inode == other.inode;
    }
};

// The operating-system calls the ROM file goes through. Tests replace it to make reads and
// writes fail; the program uses system().
class FileIo {
  public:
    virtual ~FileIo() = default;

    // Return the byte count, or -1 with errno set, like the POSIX calls.
    virtual qint64 readAt(int fd, void* buffer, qint64 length, qint64 offset);
    virtual qint64 writeAt(int fd, const void* data, qint64 length, qint64 offset);
    // Nothing, with errno set, when the system can not say.
    virtual std::optional<FileStatus> statFd(int fd);
    virtual std::optional<FileStatus> statPath(const QByteArray& path);

    static FileIo& system();
};
