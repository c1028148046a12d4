// The core's rules for Game Boy and Super Nintendo images: what a file is taken for, its title
// and guarded bytes, its checksums against the ones worked out by hand, and their write.
#include "core/cartridge/checksums.h"
#include "core/rom/romfile.h"
#include "datarows.h"
#include "romimages.h"
#include "testfiles.h"

#include <QFile>

namespace {
constexpr qsizetype KiB = 1024;
constexpr qsizetype MiB = 1024 * KiB;
} // namespace

class TestCartridge : public QObject {
    Q_OBJECT
  private slots:
    // What a file is taken for, its title, its first guarded byte (-1: none) and its checksums
    // against the ones worked out here. A Super Nintendo place counts when the checksum and its
    // complement add up and the map mode fits or the title is printable; the best place wins.
    void recognition_data() {
        using K = CartridgeKind;
        using M = SnesMapping;
        using R = Row<QByteArray, K, M, qint64, QString, qint64>; // the file: what, header
        QByteArray wrongSum = gameBoyImage(32 * KiB, 1);
        wrongSum[0x14D] = char(wrongSum[0x14D] + 1);
        QByteArray notAdding = snesImage(256 * KiB, 0x7FC0, 0x20);
        notAdding[0x7FDC] = 0;
        QByteArray hiBest = snesImage(512 * KiB, 0xFFC0, 0x21); // and a LoROM place, title only
        hiBest.replace(0x7FC0, 32, hiBest.mid(0xFFC0, 32));
        QByteArray loBest = snesImage(512 * KiB, 0x7FC0, 0x20); // and a HiROM place, title only
        loBest.replace(0xFFC0, 32, loBest.mid(0x7FC0, 32));
        const QByteArray exHi = snesImage(0x410000, 0x40FFC0, 0x25, 512);
        // clang-format off
        rows(R{"gb 32 KiB", gameBoyImage(32 * KiB, 1), K::GameBoy, M::LoRom, 0, "PELORIN", 0x100},
             R{"gb, 1 byte short", gameBoyImage(0x150, 3).left(0x14F), K::Plain, M::LoRom, 0, "", -1},
             R{"gb, wrong header sum", wrongSum, K::Plain, M::LoRom, 0, "", -1},
             R{"lorom", snesImage(256 * KiB, 0x7FC0, 0x20), K::SuperNintendo, M::LoRom, 0, "PELORIN", 0x7FB0},
             R{"lorom, copier", snesImage(256 * KiB, 0x7FC0, 0x30, 512), K::SuperNintendo, M::LoRom, 512, "PELORIN", 0x81B0},
             R{"lorom 1.5 MiB", snesImage(3 * MiB / 2, 0x7FC0, 0x23), K::SuperNintendo, M::LoRom, 0, "PELORIN", 0x7FB0},
             R{"hirom", snesImage(512 * KiB, 0xFFC0, 0x31), K::SuperNintendo, M::HiRom, 0, "PELORIN", 0xFFB0},
             R{"exhirom, copier", exHi, K::SuperNintendo, M::ExHiRom, 512, "PELORIN", 0x4101B0},
             R{"both places, hirom fits", hiBest, K::SuperNintendo, M::HiRom, 0, "PELORIN", 0xFFB0},
             R{"both places, lorom fits", loBest, K::SuperNintendo, M::LoRom, 0, "PELORIN", 0x7FB0},
             R{"map mode off", snesImage(256 * KiB, 0x7FC0, 0x21), K::SuperNintendo, M::LoRom, 0, "PELORIN", 0x7FB0},
             R{"katakana title", snesImage(256 * KiB, 0x7FC0, 0x21, 0, "\xC3\xBD\xC4 "), K::SuperNintendo, M::LoRom, 0, "\uFF83\uFF7D\uFF84", 0x7FB0},
             R{"title unprintable", snesImage(256 * KiB, 0x7FC0, 0x20, 0, "\x01"), K::SuperNintendo, M::LoRom, 0, "", 0x7FB0},
             R{"both off", snesImage(256 * KiB, 0x7FC0, 0x21, 0, "\x01"), K::Plain, M::LoRom, 0, "", -1},
             R{"sums not adding up", notAdding, K::Plain, M::LoRom, 0, "", -1});
        // clang-format on
    }
    void recognition() {
        const auto [file, kind, mapping, copier, title, first] =
            fetch<QByteArray, CartridgeKind, SnesMapping, qint64, QString, qint64>();
        QTemporaryDir dir;
        const auto rom =
            std::get<std::unique_ptr<RomFile>>(RomFile::open(writeRom(dir, "r", file)));
        const Cartridge cartridge = recogniseCartridge(*rom);
        QVERIFY(cartridge == (Cartridge{kind, mapping, copier}));
        QCOMPARE(cartridgeTitle(*rom, cartridge), title);
        const std::optional<GuardedRange> guarded = guardedRange(cartridge);
        QCOMPARE(guarded ? std::pair(guarded->first, guarded->last) : std::pair(-1ll, -1ll),
                 std::pair(first, first < 0 ? -1 : first + 79));
        const std::optional<ChecksumReport> report = readChecksums(*rom, cartridge);
        QCOMPARE(report.has_value(), kind != CartridgeKind::Plain);
        if (!report) return;
        const qint64 header = kind == CartridgeKind::GameBoy ? -1 : first + 0x10 - copier;
        const std::vector<HandSum> sums = checksumsByHand(file, header, copier);
        QCOMPARE(report->sums.size(), sums.size());
        for (size_t i = 0; i < sums.size(); ++i) {
            const HeaderChecksum& s = report->sums[i];
            QCOMPARE(std::tuple(s.address, s.bytes, s.holds, s.should),
                     std::tuple(sums[i].at, sums[i].bytes, sums[i].holds, sums[i].should));
        }
    }

    // The checksums' write replaces the values shown: after another program changed them it
    // writes nothing, and the message says so.
    void checksumsWrittenOnlyOverWhatWasShown() {
        QTemporaryDir dir;
        const QString path = writeRom(dir, "rom.gb", gameBoyImage(32 * KiB, 4));
        const auto rom = std::get<std::unique_ptr<RomFile>>(RomFile::open(path));
        const ChecksumReport shown = *readChecksums(*rom, recogniseCartridge(*rom));
        WrittenTiles step{rom->identity(), {checksumWrite(shown)}, true};
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(0x14F) && file.putChar('?'));
        file.close();
        const QByteArray changed = fileBytes(path);
        WriteJournal journal;
        QCOMPARE(writeTiles(step, *rom, journal).failure.value_or(""),
                 "The 3 bytes at address 333 of " + path +
                     " are no longer the ones shown.\rAnother program changed them. Nothing "
                     "was changed.");
        QVERIFY(step.writes.empty() && journal.empty());
        QCOMPARE(fileBytes(path), changed);
    }
};

QTEST_GUILESS_MAIN(TestCartridge)
#include "tst_cartridge.moc"
