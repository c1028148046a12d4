#include "core/rom/fileio.h"
#include "core/rom/romfile.h"
#include "core/rom/tilecodec.h"
#include "romfiles.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::unique_ptr<RomFile> takeFile(RomFile::OpenResult&& result) {
    if (auto* reason = std::get_if<QString>(&result)) {
        qWarning("refused: %s", qPrintable(*reason));
        return nullptr;
    }
    return std::move(std::get<std::unique_ptr<RomFile>>(result));
}

QString refusalOf(const RomFile::OpenResult& result) {
    const auto* reason = std::get_if<QString>(&result);
    return reason ? *reason : QStringLiteral("<opened>");
}

TileBytes tileBytes(quint8 first) {
    TileBytes bytes{};
    for (int i = 0; i < kTileBytes; ++i)
        bytes[i] = quint8(first + i);
    return bytes;
}

QByteArray withTile(QByteArray bytes, qint64 offset, const TileBytes& tile) {
    bytes.replace(offset, kTileBytes,
                  QByteArray(reinterpret_cast<const char*>(tile.data()), kTileBytes));
    return bytes;
}

// Makes a sparse file of `length` bytes.
QString sparseFile(const QTemporaryDir& dir, const QString& name, qint64 length) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(length))
        qFatal("can not make %s", qPrintable(path));
    return path;
}

// Fails calls as a test wants and passes the rest to the system.
class FaultyIo : public FileIo {
  public:
    int writeError = 0;     // errno of a failing write
    qint64 shortWrite = -1; // byte count a write claims
    int readError = 0;
    qint64 readChunk = 0; // at most this many bytes per read call
    int interruptsLeft = 0;
    int writeCalls = 0;

    qint64 readAt(int fd, void* buffer, qint64 length, qint64 offset) override {
        if (interruptsLeft > 0) {
            --interruptsLeft;
            errno = EINTR;
            return -1;
        }
        if (readError) {
            errno = readError;
            return -1;
        }
        if (readChunk > 0) length = std::min(length, readChunk);
        return FileIo::readAt(fd, buffer, length, offset);
    }
    qint64 writeAt(int fd, const void* data, qint64 length, qint64 offset) override {
        ++writeCalls;
        if (interruptsLeft > 0) {
            --interruptsLeft;
            errno = EINTR;
            return -1;
        }
        if (writeError) {
            errno = writeError;
            return -1;
        }
        if (shortWrite >= 0) return shortWrite;
        return FileIo::writeAt(fd, data, length, offset);
    }
};

} // namespace

class TestRomFile : public QObject {
    Q_OBJECT
  private slots:
    // ----- opening -----
    void opensNormalFile() {
        QTemporaryDir dir;
        const QString path = writeRom(dir, "a.gb", randomBytes(4000, 1));
        auto rom = takeFile(RomFile::open(path));
        QVERIFY(rom);
        QCOMPARE(rom->length(), 4000);
        QCOMPARE(rom->path(), path);
        QVERIFY(!rom->openedForReadingOnly());
        QVERIFY(!rom->isReadOnly());
    }
    void opensEmptyFile() {
        QTemporaryDir dir;
        const QString path = writeRom(dir, "empty.gb", {});
        auto rom = takeFile(RomFile::open(path));
        QVERIFY(rom);
        QCOMPARE(rom->length(), 0);
        quint8 buffer[16];
        QCOMPARE(rom->read(0, buffer, 16), qint64(0));
        QVERIFY(rom->writeTile(0, tileBytes(1)).has_value());
        QCOMPARE(QFileInfo(path).size(), qint64(0));
    }
    void opensPathWithSpacesAndNonAscii() {
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(64, 2);
        const QString path =
            writeRom(dir, QString::fromUtf8("Mein Spiel – Größe ÄÖÜ ñ 名前.gb"), bytes);
        auto rom = takeFile(RomFile::open(path));
        QVERIFY(rom);
        QCOMPARE(rom->length(), 64);
        QVERIFY(!rom->writeTile(16, tileBytes(9)));
        QCOMPARE(fileBytes(path), withTile(bytes, 16, tileBytes(9)));
    }
    void refusesWhatIsNoFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing path") << "missing"
                                      << "No such file or directory.";
        QTest::newRow("dangling symlink") << "dangling"
                                          << "No such file or directory.";
        QTest::newRow("folder") << "folder"
                                << "It is a folder.";
        QTest::newRow("named pipe") << "fifo"
                                    << "It is not a regular file (a device, a pipe or a socket).";
        QTest::newRow("/dev/null") << "/dev/null"
                                   << "It is not a regular file (a device, a pipe or a socket).";
        QTest::newRow("/dev/zero") << "/dev/zero"
                                   << "It is not a regular file (a device, a pipe or a socket).";
    }
    void refusesWhatIsNoFile() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QString path = dir.filePath("x.gb");
        if (kind == "dangling") {
            QVERIFY(QFile::link(dir.filePath("gone.gb"), path));
        } else if (kind == "folder") {
            QVERIFY(QDir(dir.path()).mkdir("x.gb"));
        } else if (kind == "fifo") {
            // Opened without a writer at the other end, a pipe would block.
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        } else if (kind.startsWith('/')) {
            path = kind;
        }
        const RomFile::OpenResult result = RomFile::open(path);
        QCOMPARE(refusalOf(result), reason);
        if (kind == "missing") QVERIFY(!QFileInfo::exists(path)); // nothing is created
    }
    void sparseLongestFileOpens() {
        QTemporaryDir dir;
        const qint64 length = (qint64(1) << 31) - 1;
        const QString path = sparseFile(dir, "long.sfc", length);
        auto rom = takeFile(RomFile::open(path));
        QVERIFY(rom);
        QCOMPARE(rom->length(), qint32(2147483647));
        // The very last bytes are reached with 64-bit offsets.
        quint8 buffer[16];
        std::fill(std::begin(buffer), std::end(buffer), quint8(0xEE));
        QCOMPARE(rom->read(length - 16, buffer, 16), qint64(16));
        for (quint8 b : buffer)
            QCOMPARE(b, quint8(0));
        QCOMPARE(rom->read(length - 1, buffer, 16), qint64(1));
        QVERIFY(!rom->writeTile(length - 16, tileBytes(0x40)));
        QCOMPARE(rom->read(length - 16, buffer, 16), qint64(16));
        for (int i = 0; i < 16; ++i)
            QCOMPARE(buffer[i], quint8(0x40 + i));
        QVERIFY(rom->writeTile(length - 15, tileBytes(1)).has_value());
        QCOMPARE(QFileInfo(path).size(), length);
    }
    void sparseTooLongFileRefused() {
        QTemporaryDir dir;
        const QString path = sparseFile(dir, "toolong.sfc", qint64(1) << 31);
        const RomFile::OpenResult result = RomFile::open(path);
        QCOMPARE(
            refusalOf(result),
            QString("It is 2147483648 bytes long; only files shorter than 2 GiB can be edited."));
    }

    // ----- reading -----
    void read_data() {
        QTest::addColumn<qint64>("offset");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<qint64>("got");
        // The file holds 40 bytes.
        QTest::newRow("inside") << qint64(8) << qint64(16) << qint64(16);
        QTest::newRow("short at end") << qint64(30) << qint64(16) << qint64(10);
        QTest::newRow("last byte") << qint64(39) << qint64(16) << qint64(1);
        QTest::newRow("at end") << qint64(40) << qint64(16) << qint64(0);
        QTest::newRow("past end") << qint64(1000) << qint64(16) << qint64(0);
        QTest::newRow("past 32 bits") << (qint64(1) << 33) << qint64(16) << qint64(0);
        QTest::newRow("negative offset") << qint64(-1) << qint64(16) << qint64(0);
        QTest::newRow("very negative offset") << qint64(-100000) << qint64(16) << qint64(0);
        QTest::newRow("nothing asked") << qint64(0) << qint64(0) << qint64(0);
    }
    void read() {
        QFETCH(qint64, offset);
        QFETCH(qint64, length);
        QFETCH(qint64, got);
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(40, 3);
        auto rom = takeFile(RomFile::open(writeRom(dir, "r.gb", bytes)));
        QVERIFY(rom);
        std::array<quint8, 32> buffer;
        buffer.fill(0xA5);
        QCOMPARE(rom->read(offset, buffer.data(), length), got);
        for (qint64 i = 0; i < got; ++i)
            QCOMPARE(buffer[i], quint8(bytes[offset + i]));
        for (qint64 i = got; i < qint64(buffer.size()); ++i)
            QCOMPARE(buffer[i], quint8(0xA5));
    }

    // ----- writing -----
    void writeTileInPlace_data() {
        QTest::addColumn<qint64>("offset");
        QTest::newRow("start") << qint64(0);
        QTest::newRow("unaligned") << qint64(37);
        QTest::newRow("last tile") << qint64(84);
    }
    void writeTileInPlace() {
        QFETCH(qint64, offset);
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(100, 4);
        const QString path = writeRom(dir, "w.gb", bytes);
        auto rom = takeFile(RomFile::open(path));
        QVERIFY(rom);
        const std::optional<QString> failure = rom->writeTile(offset, tileBytes(0xC0));
        QVERIFY2(!failure, qPrintable(failure.value_or(QString())));
        const QByteArray after = fileBytes(path);
        QCOMPARE(after.size(), 100);
        QCOMPARE(after, withTile(bytes, offset, tileBytes(0xC0)));
    }
    void writeTilePastEndRefused_data() {
        QTest::addColumn<qint64>("offset");
        QTest::newRow("one byte past") << qint64(85);
        QTest::newRow("at end") << qint64(100);
        QTest::newRow("far past") << qint64(5000);
        QTest::newRow("negative") << qint64(-1);
    }
    void writeTilePastEndRefused() {
        QFETCH(qint64, offset);
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(100, 5);
        const QString path = writeRom(dir, "w.gb", bytes);
        auto rom = takeFile(RomFile::open(path));
        QVERIFY(rom);
        QCOMPARE(rom->writeTile(offset, tileBytes(1)),
                 std::optional<QString>(QString("The 16 bytes at address %1 do not lie inside %2, "
                                                "which is now 100 bytes long.")
                                            .arg(offset)
                                            .arg(path)));
        QCOMPARE(fileBytes(path), bytes);
    }
    void writeAfterOtherProgramShortened() {
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(100, 6);
        const QString path = writeRom(dir, "s.gb", bytes);
        auto rom = takeFile(RomFile::open(path));
        QVERIFY(rom);
        QCOMPARE(::truncate(QFile::encodeName(path).constData(), 60), 0);
        QCOMPARE(rom->length(), 100); // taken at opening
        QCOMPARE(rom->writeTile(50, tileBytes(1)),
                 std::optional<QString>(
                     QString("The 16 bytes at address 50 do not lie inside %1, which is now 60 "
                             "bytes long.")
                         .arg(path)));
        QCOMPARE(fileBytes(path), bytes.left(60));
        // What still fits is written.
        QVERIFY(!rom->writeTile(44, tileBytes(2)));
        QCOMPARE(fileBytes(path), withTile(bytes.left(60), 44, tileBytes(2)));
    }
    void writeAfterOtherProgramLengthened() {
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(100, 7);
        const QString path = writeRom(dir, "l.gb", bytes);
        auto rom = takeFile(RomFile::open(path));
        QVERIFY(rom);
        const QByteArray more = randomBytes(50, 8);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::Append));
            QCOMPARE(file.write(more), qint64(50));
        }
        QVERIFY(!rom->writeTile(120, tileBytes(3)));
        const QByteArray after = fileBytes(path);
        QCOMPARE(after.size(), 150);
        QCOMPARE(after, withTile(bytes + more, 120, tileBytes(3)));
    }
    void writeAfterRemovedOrReplaced_data() {
        QTest::addColumn<bool>("replace");
        QTest::newRow("removed") << false;
        QTest::newRow("replaced by rename") << true;
    }
    void writeAfterRemovedOrReplaced() {
        QFETCH(bool, replace);
        QTemporaryDir dir;
        const QString path = writeRom(dir, "gone.gb", randomBytes(100, 9));
        auto rom = takeFile(RomFile::open(path));
        QVERIFY(rom);
        const QByteArray other = randomBytes(100, 10);
        if (replace) {
            const QString otherPath = writeRom(dir, "other.gb", other);
            QCOMPARE(::rename(QFile::encodeName(otherPath).constData(),
                              QFile::encodeName(path).constData()),
                     0);
        } else {
            QVERIFY(QFile::remove(path));
        }
        QCOMPARE(
            rom->writeTile(16, tileBytes(4)),
            std::optional<QString>(
                QString("The file %1 was removed or replaced since it was opened.").arg(path)));
        if (replace)
            QCOMPARE(fileBytes(path), other);
        else
            QVERIFY(!QFileInfo::exists(path));
    }
    void openedForReadingOnly() {
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(
            dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                            QFileDevice::ReadOther | QFileDevice::ExeOther));
        const QByteArray bytes = randomBytes(64, 11);
        const QString path = writeRom(dir, "ro.gb", bytes);
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0444), 0);
        // Permission bits do not stop root: open as another user, who may only read.
        const bool root = ::geteuid() == 0;
        const bool switched = root && ::setegid(65534) == 0 && ::seteuid(65534) == 0;
        RomFile::OpenResult result = RomFile::open(path);
        if (root) {
            QCOMPARE(::seteuid(0), 0);
            QCOMPARE(::setegid(0), 0);
            QVERIFY(switched);
        }
        auto rom = takeFile(std::move(result));
        QVERIFY(rom);
        QVERIFY(rom->openedForReadingOnly());
        QVERIFY(rom->isReadOnly());
        QCOMPARE(rom->length(), 64);
        quint8 buffer[16];
        QCOMPARE(rom->read(0, buffer, 16), qint64(16));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(buffer), 16), bytes.left(16));
        QCOMPARE(
            rom->writeTile(0, tileBytes(5)),
            std::optional<QString>(QString("The file %1 was opened for reading only.").arg(path)));
        QCOMPARE(fileBytes(path), bytes);
    }
    void isReadOnly_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("0444") << 0444 << true;
        QTest::newRow("0400") << 0400 << true;
        QTest::newRow("0644") << 0644 << false;
        QTest::newRow("0600") << 0600 << false;
        QTest::newRow("0464 group may write") << 0464 << false;
    }
    void isReadOnly() {
        QFETCH(int, mode);
        QFETCH(bool, readOnly);
        QTemporaryDir dir;
        const QString path = writeRom(dir, "m.gb", randomBytes(32, 12));
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
        auto rom = takeFile(RomFile::open(path));
        if (!rom) QSKIP("not running as root: the file can not be opened at all");
        QCOMPARE(rom->isReadOnly(), readOnly);
    }
    void madeReadOnlyWhileOpen() {
        QTemporaryDir dir;
        const QString path = writeRom(dir, "later.gb", randomBytes(32, 13));
        auto rom = takeFile(RomFile::open(path));
        QVERIFY(rom);
        QVERIFY(!rom->isReadOnly());
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0444), 0);
        QVERIFY(rom->isReadOnly());
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0644), 0);
        QVERIFY(!rom->isReadOnly());
    }

    // ----- failing system calls -----
    void failingWrite_data() {
        QTest::addColumn<int>("error");
        QTest::addColumn<qint64>("claimed");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no space") << ENOSPC << qint64(-1)
                                  << "Writing to %1 failed: No space left on device.";
        QTest::newRow("I/O error")
            << EIO << qint64(-1) << "Writing to %1 failed: Input/output error.";
        QTest::newRow("short write of 7") << 0 << qint64(7)
                                          << "Only 7 of 16 bytes could be written to %1 at "
                                             "address 32.";
        QTest::newRow("nothing written") << 0 << qint64(0)
                                         << "Only 0 of 16 bytes could be written to %1 at "
                                            "address 32.";
    }
    void failingWrite() {
        QFETCH(int, error);
        QFETCH(qint64, claimed);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(80, 14);
        const QString path = writeRom(dir, "f.gb", bytes);
        FaultyIo io;
        io.writeError = error;
        io.shortWrite = claimed;
        auto rom = takeFile(RomFile::open(path, io));
        QVERIFY(rom);
        QCOMPARE(rom->writeTile(32, tileBytes(6)), std::optional<QString>(reason.arg(path)));
        QCOMPARE(io.writeCalls, 1);
        QCOMPARE(fileBytes(path), bytes);
    }
    void interruptedWriteIsRepeated() {
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(80, 15);
        const QString path = writeRom(dir, "i.gb", bytes);
        FaultyIo io;
        auto rom = takeFile(RomFile::open(path, io));
        QVERIFY(rom);
        io.interruptsLeft = 2;
        QVERIFY(!rom->writeTile(32, tileBytes(7)));
        QCOMPARE(io.writeCalls, 3);
        QCOMPARE(fileBytes(path), withTile(bytes, 32, tileBytes(7)));
    }
    void failingReadDecodesAsOutside_data() {
        QTest::addColumn<int>("error");
        QTest::newRow("I/O error") << EIO;
        QTest::newRow("bad descriptor") << EBADF;
    }
    void failingReadDecodesAsOutside() {
        QFETCH(int, error);
        QTemporaryDir dir;
        const QString path = writeRom(dir, "e.gb", randomBytes(64, 16));
        FaultyIo io;
        auto rom = takeFile(RomFile::open(path, io));
        QVERIFY(rom);
        io.readError = error;
        std::array<quint8, 16> buffer{};
        const qint64 got = rom->read(16, buffer.data(), 16);
        QCOMPARE(got, qint64(0));
        TilePixels pixels{};
        decodeTile(buffer.data(), got, pixels);
        for (quint8 p : pixels)
            QCOMPARE(p, quint8(4));
    }
    void piecewiseAndInterruptedReads() {
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(64, 17);
        const QString path = writeRom(dir, "p.gb", bytes);
        FaultyIo io;
        auto rom = takeFile(RomFile::open(path, io));
        QVERIFY(rom);
        io.readChunk = 5;
        io.interruptsLeft = 1;
        std::array<quint8, 16> buffer{};
        QCOMPARE(rom->read(40, buffer.data(), 16), qint64(16));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(buffer.data()), 16), bytes.mid(40, 16));
        QCOMPARE(rom->read(56, buffer.data(), 16), qint64(8));
    }
};

QTEST_GUILESS_MAIN(TestRomFile)
#include "tst_romfile.moc"
