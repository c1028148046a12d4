#pragma once

#include "core/rom/fileio.h"
#include "core/rom/seenbytes.h"
#include "core/rom/tilerecord.h"

#include <QString>

#include <algorithm>
#include <memory>
#include <optional>
#include <span>
#include <variant>

// Files this long or longer have bytes that no 32-bit address reaches.
inline constexpr qint64 kMaxRomLength = qint64(1) << 31;

// Which file a path named: the path and the device and inode it led to.
struct FileIdentity {
    QString path;
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

// An open ROM image: held open, never read whole, read and written at byte positions.
class RomFile {
  public:
    using OpenResult = std::variant<std::unique_ptr<RomFile>, QString>;

    // Opens an existing regular file for reading and writing (for reading only where writing
    // is not allowed). The QString alternative is the reason it could not be opened.
    [[nodiscard]] static OpenResult open(const QString& path, FileIo& io = FileIo::system());

    ~RomFile();
    RomFile(const RomFile&) = delete;
    RomFile& operator=(const RomFile&) = delete;

    [[nodiscard]] const QString& path() const { return m_path; }
    // The length taken when the file was opened, or by the last refreshLength(); a file that
    // grew to 2 GiB or more counts as long as the addresses reach.
    [[nodiscard]] qint32 length() const {
        return qint32(std::min(m_status.size, kMaxRomLength - 1));
    }
    // Takes the length again, for another program may have lengthened or shortened the file;
    // true when it changed.
    bool refreshLength();
    [[nodiscard]] bool openedForReadingOnly() const { return m_readOnly; }
    // The file that was opened.
    [[nodiscard]] FileIdentity identity() const {
        return {m_path, m_status.device, m_status.inode};
    }
    // True when `path` names this very file now (not one put in its place, nor nothing).
    [[nodiscard]] bool isFileAt(const QString& path) const;
    // What the path the file was opened by names now: this file (written in place, perhaps),
    // another file put in its place (renamed over it), or nothing (removed or renamed away).
    enum class PathNow { ThisFile, OtherFile, Nothing };
    [[nodiscard]] PathNow pathNow() const;

    // Reads up to `length` bytes at `offset` and returns how many the file gave (fewer at its
    // end, 0 on failure). Nothing before the start of the file is ever read.
    [[nodiscard]] qint64 read(qint64 offset, quint8* buffer, qint64 length) const;

    // True when saving must be refused: no write permission bit is set (whoever runs the
    // program), or the file could only be opened for reading.
    [[nodiscard]] bool isReadOnly() const;

    // Writes 1 to 16 bytes in place with one positioned write. Refuses, with the reason, a
    // range that does not lie wholly inside the file as it is on disk now, a file removed or
    // replaced since it was opened, and any failure of the write itself.
    [[nodiscard]] std::optional<QString> writeBytes(qint64 offset, std::span<const quint8> bytes);
    // One tile: its 16 bytes.
    [[nodiscard]] std::optional<QString> writeTile(qint64 offset, const TileBytes& bytes) {
        return writeBytes(offset, bytes);
    }

    // What this program last read for the editor or wrote, byte by byte; every write notes
    // what it wrote here.
    [[nodiscard]] SeenBytes& seen() { return m_seen; }

  private:
    RomFile(FileIo& io, int fd, QString path, bool readOnly, const FileStatus& status);

    FileIo& m_io;
    int m_fd;
    QString m_path;
    bool m_readOnly;
    FileStatus m_status; // as it was when opened
    SeenBytes m_seen;
};
