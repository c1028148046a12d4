#include "core/rom/fileio.h"
#include "core/rom/romfile.h"
#include "datarows.h"
#include "testfiles.h"
#include "testtiles.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Opens as an unprivileged user, whom permission bits stop, even when the test runs as root.
RomFile::OpenResult openAsUser(const QString& path, FileIo& io = FileIo::system()) {
    const bool root = ::geteuid() == 0;
    if (root && (::setegid(65534) != 0 || ::seteuid(65534) != 0)) qFatal("can not change user");
    RomFile::OpenResult result = RomFile::open(path, io);
    if (root && (::seteuid(0) != 0 || ::setegid(0) != 0)) qFatal("can not change back");
    return result;
}

constexpr TileBytes kTile{0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7,
                          0xC8, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF};

// Fails the calls named in `fault` (see readAndWrite_data) and passes the rest to the system.
class FaultyIo : public FileIo {
  public:
    QString fault;
    int n = 0;
    bool beforeStart = false; // a read asked for bytes before the start of the file

    qint64 readAt(int fd, void* buffer, qint64 length, qint64 offset) override {
        beforeStart |= offset < 0;
        if (fault == "unread" || (fault == "pieces" && n++ == 0))
            return errno = fault == "unread" ? EIO : EINTR, -1;
        return FileIo::readAt(fd, buffer, fault == "pieces" ? qMin(length, 5) : length, offset);
    }
    qint64 writeAt(int fd, const void* data, qint64 length, qint64 offset) override {
        if (fault == "fail" || (fault == "interrupt" && n-- > 0))
            return errno = fault == "fail" ? EIO : EINTR, -1;
        return fault == "claim" ? n : FileIo::writeAt(fd, data, length, offset);
    }
    std::optional<FileStatus> statFd(int fd) override {
        if (fault == "unstat") return errno = EIO, std::nullopt;
        return FileIo::statFd(fd);
    }
    std::optional<FileStatus> statPath(const QByteArray& path) override {
        std::optional<FileStatus> status = FileIo::statPath(path);
        if (status && fault == "device") ++status->device;
        return status;
    }
};

} // namespace

class TestRomFile : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    // A new file `name` (the old one removed) with these bytes and permission bits.
    QString writeFile(const QString& name, const QByteArray& bytes, int mode = 0644) {
        QFile::remove(dir.filePath(name));
        const QString path = writeRom(dir, name, bytes);
        if (::chmod(QFile::encodeName(path).constData(), mode_t(mode)) != 0) qFatal("no chmod");
        return path;
    }

  private slots:
    // The unprivileged user must reach the files.
    void initTestCase() { QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0); }

    // Why the path is not opened (empty: opened, as long as the file; files are sparse).
    void open_data() {
        const QString missing = "No such file or directory.";
        const QString special = "It is not a regular file (a device, a pipe or a socket).";
        using R = Row<QString>;
        rows(R{"missing", missing}, R{"dangling symlink", missing}, R{"folder", "It is a folder."},
             R{"named pipe", special}, R{"unreadable", "Permission denied."}, R{"2147483647", ""},
             R{"2147483648",
               "It is 2147483648 bytes long; only files shorter than 2 GiB can be edited."});
    }
    void open() {
        const auto [reason] = fetch<QString>();
        const QString kind = QTest::currentDataTag();
        const QString path = dir.filePath(kind + ".gb");
        const qint64 length = kind.toLongLong();
        if (kind == "dangling symlink") QVERIFY(QFile::link(dir.filePath("gone.gb"), path));
        if (kind == "folder") QVERIFY(QDir(dir.path()).mkdir(kind + ".gb"));
        if (kind == "named pipe") QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        if (kind == "unreadable") writeFile(kind + ".gb", randomBytes(32, 1), 0200);
        if (length > 0) QVERIFY(QFile::resize(writeFile(kind + ".gb", {}, 0666), length));
        RomFile::OpenResult result = openAsUser(path);
        QCOMPARE(std::holds_alternative<QString>(result) ? std::get<QString>(result) : "", reason);
        if (kind == "missing") QVERIFY(!QFileInfo::exists(path)); // nothing is created
        if (!reason.isEmpty()) return;
        QCOMPARE(qint64(std::get<std::unique_ptr<RomFile>>(std::move(result))->length()), length);
    }

    // 16 bytes of a file of 100 read ("pieces": 5 at a time after an interruption), then a tile
    // written after another program's change ("device": same inode, other device) or with a
    // failing call ("claim N" bytes written). "user": opened by a user whom mode 0444 lets only
    // read. Read-only is what the permission bits say at the time of asking.
    void readAndWrite_data() {
        const QString outside =
            "The 16 bytes at address %1 do not lie inside PATH, which is now %2 bytes long.";
        const QString gone = "The file PATH was removed or replaced since it was opened.";
        const QString only = "Only %1 of 16 bytes could be written to PATH at address 32.";
        const QString failed = "Writing to PATH failed: Input/output error.";
        const QString unexamined = "The file PATH can not be examined: Input/output error.";
        using R = Row<int, int, bool, QString>; // offset: got, read-only, refusal
        rows(R{"last tile", 84, 16, false, ""},
             R{"one byte past", 85, 15, false, outside.arg(85).arg(100)},
             R{"before the start", -1, 0, false, outside.arg(-1).arg(100)},
             R{"pieces", 8, 16, false, ""}, R{"unread", 8, 0, false, ""},
             R{"resize 60", 50, 16, false, outside.arg(50).arg(60)},
             R{"resize 150", 120, 0, false, ""}, R{"remove", 16, 16, false, gone},
             R{"replace", 16, 16, false, gone}, R{"device", 16, 16, false, gone},
             R{"fail", 32, 16, false, failed}, R{"claim 7", 32, 16, false, only.arg(7)},
             R{"claim 0", 32, 16, false, only.arg(0)}, R{"unstat", 32, 16, false, unexamined},
             R{"interrupt 2", 32, 16, false, ""}, R{"chmod 0444", 0, 16, true, ""},
             R{"chmod 0464", 0, 16, false, ""}, R{"chmod 0446", 0, 16, false, ""},
             R{"user", 0, 16, true, "The file PATH was opened for reading only."});
    }
    void readAndWrite() {
        const auto [offset, got, readOnly, refusal] = fetch<int, int, bool, QString>();
        const QString verb = QString(QTest::currentDataTag()).section(u' ', 0, 0);
        const int n = QString(QTest::currentDataTag()).section(u' ', 1).toInt(nullptr, 0);
        const QByteArray bytes = randomBytes(100, 5);
        const QString path = writeFile("Größe 名前.gb", bytes, verb == "user" ? 0444 : 0644);
        FaultyIo io;
        const auto rom = std::get<std::unique_ptr<RomFile>>(
            verb == "user" ? openAsUser(path, io) : RomFile::open(path, io));
        io.fault = verb;
        io.n = n;
        QByteArray buffer(32, '\xA5');
        QCOMPARE(rom->read(offset, reinterpret_cast<quint8*>(buffer.data()), 16), qint64(got));
        QCOMPARE(buffer, bytes.mid(offset, got) + QByteArray(32 - got, '\xA5'));
        QVERIFY(!io.beforeStart);
        if (verb == "resize") QVERIFY(QFile::resize(path, n));
        if (verb == "chmod") QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(n)), 0);
        if (verb == "remove") QVERIFY(QFile::rename(path, path + ".old"));
        if (verb == "replace")
            QVERIFY(QFile::remove(path) && QFile::rename(writeFile("o.gb", "other"), path));
        const QByteArray before = fileBytes(path);
        // What the path names now, and the length taken again through the open file.
        const auto now = verb == "remove"                        ? RomFile::PathNow::Nothing
                         : verb == "replace" || verb == "device" ? RomFile::PathNow::OtherFile
                                                                 : RomFile::PathNow::ThisFile;
        QCOMPARE(rom->pathNow(), now);
        const bool refreshed = rom->refreshLength();
        QCOMPARE(std::pair(refreshed, rom->length()),
                 std::pair(verb == "resize", verb == "resize" ? n : 100));
        QCOMPARE(std::pair(rom->isReadOnly(), rom->openedForReadingOnly()),
                 std::pair(readOnly, verb == "user"));
        QCOMPARE(rom->writeTile(offset, kTile).value_or(""),
                 QString(refusal).replace("PATH", path));
        // A write notes what it wrote as what this program last saw there.
        QCOMPARE(rom->seen().changedElsewhere(offset, TileBytes{}), refusal.isEmpty());
        QCOMPARE(fileBytes(path),
                 refusal.isEmpty() ? QByteArray(before).replace(offset, 16, QByteArrayView(kTile))
                                   : before);
    }
};

QTEST_GUILESS_MAIN(TestRomFile)
#include "tst_romfile.moc"
