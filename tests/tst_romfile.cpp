#include "core/rom/fileio.h"
#include "core/rom/romfile.h"
#include "datarows.h"
#include "session.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString refusalOf(const RomFile::OpenResult& result) {
    const auto* reason = std::get_if<QString>(&result);
    return reason ? *reason : QStringLiteral("<opened>");
}

std::unique_ptr<RomFile> opened(RomFile::OpenResult result) {
    if (const auto* reason = std::get_if<QString>(&result)) qWarning("%s", qPrintable(*reason));
    auto* file = std::get_if<std::unique_ptr<RomFile>>(&result);
    return file ? std::move(*file) : nullptr;
}

// Opens as an unprivileged user, whom permission bits stop, even when the test runs as root.
RomFile::OpenResult openAsUser(const QString& path) {
    const bool root = ::geteuid() == 0;
    if (root && (::setegid(65534) != 0 || ::seteuid(65534) != 0)) qFatal("can not change user");
    RomFile::OpenResult result = RomFile::open(path);
    if (root && (::seteuid(0) != 0 || ::setegid(0) != 0)) qFatal("can not change back");
    return result;
}

// A new file at `path` (the old one removed) with these bytes and permission bits.
QString writeFile(const QString& path, const QByteArray& bytes, int mode = 0644) {
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        ::chmod(QFile::encodeName(path).constData(), mode_t(mode)) != 0)
        qFatal("can not write %s", qPrintable(path));
    return path;
}

constexpr TileBytes kTile{0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7,
                          0xC8, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF};

QByteArray withTile(QByteArray bytes, qint64 offset) {
    return bytes.replace(offset, kTileBytes, reinterpret_cast<const char*>(kTile.data()), 16);
}

// Fails the calls a test asks for and passes the rest to the system.
class FaultyIo : public FileIo {
  public:
    int readError = 0, writeError = 0, statError = 0, interrupts = 0;
    qint64 chunk = 0, claimed = -1;
    bool beforeStart = false; // a read asked for bytes before the start of the file

    // An interruption first, while there are any left, then `error` (0: none).
    bool fails(int error) {
        errno = interrupts > 0 ? EINTR : error;
        interrupts -= interrupts > 0;
        return errno != 0;
    }
    qint64 readAt(int fd, void* buffer, qint64 length, qint64 offset) override {
        beforeStart |= offset < 0;
        if (fails(readError)) return -1;
        return FileIo::readAt(fd, buffer, chunk ? std::min(length, chunk) : length, offset);
    }
    qint64 writeAt(int fd, const void* data, qint64 length, qint64 offset) override {
        if (fails(writeError)) return -1;
        return claimed >= 0 ? claimed : FileIo::writeAt(fd, data, length, offset);
    }
    int statFd(int fd, struct stat& info) override {
        errno = statError;
        return statError ? -1 : FileIo::statFd(fd, info);
    }
};

const QString kNotRegular =
    QStringLiteral("It is not a regular file (a device, a pipe or a socket).");

} // namespace

class TestRomFile : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

  private slots:
    // The unprivileged user must reach the files.
    void initTestCase() { QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0); }

    void refusedOpen_data() {
        using R = Row<QString, QString>; // what the path names: the reason
        rows(R{"missing", "missing", "No such file or directory."},
             R{"dangling symlink", "dangling", "No such file or directory."},
             R{"folder", "folder", "It is a folder."}, R{"named pipe", "fifo", kNotRegular},
             R{"device", "/dev/null", kNotRegular},
             R{"may not be read", "unreadable", "Permission denied."});
    }
    void refusedOpen() {
        const auto [kind, reason] = fetch<QString, QString>();
        const QString path = kind.startsWith('/') ? kind : dir.filePath(kind + ".gb");
        if (kind == "dangling") QVERIFY(QFile::link(dir.filePath("gone.gb"), path));
        if (kind == "folder") QVERIFY(QDir(dir.path()).mkdir(kind + ".gb"));
        if (kind == "fifo") QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        if (kind == "unreadable") writeFile(path, randomBytes(32, 1), 0200);
        QCOMPARE(refusalOf(openAsUser(path)), reason);
        if (kind == "missing") QVERIFY(!QFileInfo::exists(path)); // nothing is created
    }

    // Sparse files: only the last tile's bytes are ever written.
    void lengths_data() {
        using R = Row<qint64, QString>;
        rows(R{"empty", 0, ""}, R{"2^31 - 1 bytes", (1LL << 31) - 1, ""},
             R{"2^31 bytes", 1LL << 31,
               "It is 2147483648 bytes long; only files shorter than 2 GiB can be edited."});
    }
    void lengths() {
        const auto [length, refusal] = fetch<qint64, QString>();
        const QString path = dir.filePath(QString::number(length) + ".sfc");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(length));
        if (!refusal.isEmpty()) QCOMPARE(refusalOf(RomFile::open(path)), refusal);
        const auto rom = refusal.isEmpty() ? opened(RomFile::open(path)) : nullptr;
        if (!rom) return;
        QCOMPARE(qint64(rom->length()), length);
        const qint64 last = length - kTileBytes;
        QCOMPARE(rom->writeTile(last, kTile).has_value(), last < 0);
        QVERIFY(rom->writeTile(last + 1, kTile).has_value());
        TileBytes back{};
        QCOMPARE(rom->read(last, back.data(), 16), qint64(last < 0 ? 0 : 16));
        if (last >= 0) QCOMPARE(back, kTile);
        QCOMPARE(QFileInfo(path).size(), length);
    }

    // The permission bits of the file on disk at the time of asking, whoever runs the
    // program; or a file opened by a user whom they allow only to read.
    void readOnly_data() {
        using R = Row<int, bool, bool>; // mode, opened by that user: read-only
        rows(R{"0444", 0444, false, true}, R{"0400", 0400, false, true},
             R{"0644", 0644, false, false}, R{"0464: the group may write", 0464, false, false},
             R{"0446: others may write", 0446, false, false},
             R{"opened for reading only", 0444, true, true});
    }
    void readOnly() {
        const auto [mode, byUser, readOnly] = fetch<int, bool, bool>();
        const QByteArray bytes = randomBytes(64, 2);
        const QString path = writeFile(dir.filePath("m.gb"), bytes, byUser ? mode : 0644);
        const auto rom = opened(byUser ? openAsUser(path) : RomFile::open(path));
        QVERIFY(rom);
        QCOMPARE(rom->openedForReadingOnly(), byUser);
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
        QCOMPARE(rom->isReadOnly(), readOnly);
        if (byUser)
            QCOMPARE(rom->writeTile(0, kTile).value_or(""),
                     QString("The file %1 was opened for reading only.").arg(path));
        QCOMPARE(fileBytes(path), bytes);
    }

    void read_data() {
        // 40 bytes; fault 1: reads in pieces of 5 after an interruption, 2: the read fails.
        using R = Row<int, int, int, int>; // offset, length, fault: bytes got
        rows(R{"from 0", 0, 16, 0, 16}, R{"in pieces", 8, 16, 1, 16},
             R{"short at the end", 30, 16, 0, 10}, R{"short at the end, in pieces", 30, 16, 1, 10},
             R{"last byte", 39, 16, 0, 1}, R{"at the end", 40, 16, 0, 0},
             R{"past the end", 1000, 16, 0, 0}, R{"before the start", -1, 16, 0, 0},
             R{"failing read", 8, 16, 2, 0});
    }
    void read() {
        const auto [offset, length, fault, got] = fetch<int, int, int, int>();
        const QByteArray bytes = randomBytes(40, 4);
        FaultyIo io;
        const auto rom = opened(RomFile::open(writeFile(dir.filePath("r.gb"), bytes), io));
        QVERIFY(rom);
        io.chunk = fault == 1 ? 5 : 0;
        io.interrupts = fault == 1 ? 1 : 0;
        io.readError = fault == 2 ? EIO : 0;
        QByteArray buffer(32, '\xA5');
        QCOMPARE(rom->read(offset, reinterpret_cast<quint8*>(buffer.data()), length), qint64(got));
        QCOMPARE(buffer, bytes.mid(offset, got) + QByteArray(32 - got, '\xA5'));
        QVERIFY(!io.beforeStart);
    }

    // A file of 100 bytes, resized by another program after opening (-1: not); then
    // `change`: 1 removed, 2 replaced, 3 the write fails, 4 it claims 7 bytes, 5 it claims none,
    // 6 the open file can not be examined, 7 the write is interrupted twice.
    void writeTile_data() {
        const auto outside = [](int offset, int length) {
            return QString("The 16 bytes at address %1 do not lie inside PATH, which is now %2 "
                           "bytes long.")
                .arg(offset)
                .arg(length);
        };
        const QString gone = "The file PATH was removed or replaced since it was opened.";
        using R = Row<int, int, int, QString>; // resize, offset, change: refusal
        rows(R{"start", -1, 0, 0, ""}, R{"unaligned", -1, 37, 0, ""}, R{"last tile", -1, 84, 0, ""},
             R{"one byte past", -1, 85, 0, outside(85, 100)},
             R{"at the end", -1, 100, 0, outside(100, 100)},
             R{"negative", -1, -1, 0, outside(-1, 100)},
             R{"shortened meanwhile", 60, 50, 0, outside(50, 60)},
             R{"shortened, last tile that fits", 60, 44, 0, ""},
             R{"emptied", 0, 0, 0, outside(0, 0)}, R{"lengthened meanwhile", 150, 120, 0, ""},
             R{"removed", -1, 16, 1, gone}, R{"replaced by a rename", -1, 16, 2, gone},
             R{"failing write", -1, 32, 3, "Writing to PATH failed: Input/output error."},
             R{"short write", -1, 32, 4,
               "Only 7 of 16 bytes could be written to PATH at address 32."},
             R{"nothing written", -1, 32, 5,
               "Only 0 of 16 bytes could be written to PATH at address 32."},
             R{"can not be examined", -1, 32, 6,
               "The file PATH can not be examined: Input/output error."},
             R{"interrupted write is repeated", -1, 32, 7, ""});
    }
    void writeTile() {
        const auto [resize, offset, change, refusal] = fetch<int, int, int, QString>();
        const QString path = writeFile(dir.filePath("Größe 名前.gb"), randomBytes(100, 5));
        FaultyIo io;
        const auto rom = opened(RomFile::open(path, io));
        QVERIFY(rom);
        if (resize >= 0) QVERIFY(QFile::resize(path, resize));
        if (change == 1) QVERIFY(QFile::rename(path, path + ".old"));
        const QByteArray other =
            QFile::encodeName(writeFile(dir.filePath("o.gb"), randomBytes(100, 6)));
        if (change == 2)
            QCOMPARE(::rename(other.constData(), QFile::encodeName(path).constData()), 0);
        io.writeError = change == 3 ? EIO : 0;
        io.claimed = change == 4 ? 7 : change == 5 ? 0 : -1;
        io.statError = change == 6 ? EIO : 0;
        io.interrupts = change == 7 ? 2 : 0;
        const QByteArray before = fileBytes(path);
        QVERIFY(!rom->isReadOnly()); // a removed file too: the write tells what happened
        QCOMPARE(rom->writeTile(offset, kTile).value_or(""),
                 QString(refusal).replace("PATH", path));
        QCOMPARE(fileBytes(path), refusal.isEmpty() ? withTile(before, offset) : before);
        QCOMPARE(rom->length(), 100);
    }
};

QTEST_GUILESS_MAIN(TestRomFile)
#include "tst_romfile.moc"
