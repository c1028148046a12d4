// Game Boy and Super Nintendo images in the window: the question before a write into a header,
// the checksums (Ctrl+K) and colours read from the file (Ctrl+L).
#include "romimages.h"
#include "session.h"

#include <QFile>

namespace {

constexpr qsizetype KiB = 1024;

QString hex(qint64 value, int digits = 1) {
    return QStringLiteral("%1").arg(value, digits, 16, QChar(u'0')).toUpper();
}

// "bytes 256 to 335 (hex 100 to 14F)", or a single byte so.
QString bytesAt(qint64 first, qint64 last) {
    if (first == last) return QStringLiteral("byte %1 (hex %2)").arg(first).arg(hex(first));
    return QStringLiteral("bytes %1 to %2 (hex %3 to %4)")
        .arg(first)
        .arg(last)
        .arg(hex(first), hex(last));
}

// What Ctrl+K shows: `what` the file is, then a line a checksum.
QString reportByHand(const QString& what, const std::vector<HandSum>& sums) {
    QString text = what;
    for (const HandSum& s : sums)
        text += QStringLiteral("\r%1, %2: holds %3, should hold %4.")
                    .arg(s.name, bytesAt(s.at, s.at + s.bytes - 1), hex(s.holds, 2 * s.bytes),
                         hex(s.should, 2 * s.bytes));
    return text;
}

// The question before a write reaching into the header: the Game Boy's (no mapping) or the
// Super Nintendo's, whose 80 guarded bytes start at `first`.
MessageSpec guardQuestion(qint64 first = 0x100, const QString& mapping = {}) {
    const QString gameBoy =
        QStringLiteral("This write reaches into %1: the Game Boy cartridge header.\rIt holds where "
                       "the game starts, the logo, the title, the kind of cartridge and the header "
                       "checksum.\rThe console compares the logo and the header checksum before it "
                       "starts a game:\rwith other bytes there, the game may not start.\rWrite "
                       "into the header all the same?");
    const QString superNintendo =
        QStringLiteral("This write reaches into %1: the Super Nintendo internal header (%2) and "
                       "the vectors.\rThey hold the title, the map mode, the sizes, the region, "
                       "the checksum and where the processor starts the game and handles its "
                       "interrupts.\rEmulators read the header to run the game and warn of a "
                       "wrong checksum, and some games check it:\rwith other bytes there, the "
                       "game may not run.\rWrite into the header all the same?");
    const QString range = bytesAt(first, first + 79);
    return expected::yesNo(mapping.isEmpty() ? gameBoy.arg(range)
                                             : superNintendo.arg(range, mapping),
                           QStringLiteral("Writing into the cartridge header"));
}

struct User : Session {
    void ctrl(Qt::Key k) { key(k, Qt::ControlModifier); }
    // Ctrl+K's question on the file of `sums`, `what` it is after its path; answered `answer`.
    void expectChecksums(const QString& what, const std::vector<HandSum>& sums, MsgAnswer answer,
                         std::function<void()> meanwhile = {}) {
        prompts.expect(expected::yesNo(reportByHand(path + what, sums) +
                                           "\rWrite the right checksums into the file?",
                                       "Checksums"),
                       answer, std::move(meanwhile));
    }
};

const QString kGameBoy = QStringLiteral(" is a Game Boy ROM image, title \"PELORIN\".");

} // namespace

class TestHeaders : public QObject {
    Q_OBJECT
  private slots:
    // A tile written by a button (or by Save all) touching the first or last guarded byte asks
    // once more after the confirmation; one byte outside it does not. No writes nothing. Where
    // the guarded bytes lie in each kind of image is the core's rule; the Super Nintendo
    // question, and the one before an undo, show in checksums().
    void headerQuestion_data() {
        // the file; written at, by Save all: the answer to the header question (Ok: not asked)
        using R = Row<QByteArray, qint32, bool, MsgAnswer>;
        const QByteArray gb = gameBoyImage(32 * KiB, 5);
        rows(R{"before", gb, 0xF0, false, MsgAnswer::Ok},
             R{"first, by Save all", gb, 0xF1, true, MsgAnswer::Yes},
             R{"last", gb, 0x14F, false, MsgAnswer::No},
             R{"after", gb, 0x150, false, MsgAnswer::Ok});
    }
    void headerQuestion() {
        const auto [file, address, saveAll, answer] = fetch<QByteArray, qint32, bool, MsgAnswer>();
        User s;
        s.open(file);
        if (saveAll) {
            s.jumpTo(address);
            s.copyToEditor(0, 0);
        }
        s.fill(0, 0, 2);
        s.type(s.form.TextEditAddress, QString::number(address));
        s.confirmNextWrite();
        if (answer != MsgAnswer::Ok) s.prompts.expect(guardQuestion(), answer);
        s.click(saveAll ? s.form.BtSaveEdit : s.form.BtCopyToAddress);
        const QByteArray tile = QByteArray::fromHex("00FF").repeated(8); // colour 2
        const bool written = answer != MsgAnswer::No;
        QCOMPARE(s.onDisk(), written ? QByteArray(file).replace(address, 16, tile) : file);
        VERIFY_PROMPTS(s.prompts);
    }

    // A tile written first (into a Game Boy's title, so that its header checksum goes wrong
    // too), then Ctrl+K: the values shown are the ones worked out here, and a Yes writes them
    // as one step that undo and redo take, asking as before a write into the header. (The patch
    // takes this step as it takes any write.)
    void checksums_data() {
        using R = Row<QByteArray, QString, qint64, qsizetype>; // the file: mapping, header, copier
        rows(R{"gb 32 KiB", gameBoyImage(32 * KiB, 7), "", -1, 0},
             R{"lorom", snesImage(256 * KiB, 0x7FC0, 0x20), "LoROM", 0x7FC0, 0},
             R{"hirom, copier", snesImage(512 * KiB, 0xFFC0, 0x31, 512), "HiROM", 0xFFC0, 512});
    }
    void checksums() {
        const auto [original, mapping, header, copier] =
            fetch<QByteArray, QString, qint64, qsizetype>();
        const bool gb = header < 0;
        const QString snes =
            QStringLiteral(" is a Super Nintendo ROM image, %1, title \"PELORIN\".")
                .arg(mapping + (copier ? " after a 512-byte copier's header" : ""));
        const QString what = gb ? kGameBoy : snes;
        const MessageSpec guard =
            gb ? guardQuestion() : guardQuestion(copier + header - 16, mapping);
        User s;
        s.open(original);
        s.fill(0, 0, 1);
        s.type(s.form.TextEditAddress, gb ? "316" : "4096"); // hex 13C: the title's second half
        s.confirmNextWrite();
        if (gb) s.prompts.expect(guard, MsgAnswer::Yes);
        s.click(s.form.BtCopyToAddress);
        const QByteArray tiled = s.onDisk();
        const std::vector<HandSum> sums = checksumsByHand(tiled, header, copier);
        const QByteArray fixed = withRightChecksums(tiled, sums);
        s.expectChecksums(what, sums, MsgAnswer::Yes);
        s.ctrl(Qt::Key_K);
        QCOMPARE(s.onDisk(), fixed);
        QCOMPARE(s.status(), "The checksums of " + s.path + " were written.");
        const QString report = reportByHand(s.path + what, checksumsByHand(fixed, header, copier));
        s.prompts.expect(information(report + "\rThe checksums are right.", "Checksums"));
        s.ctrl(Qt::Key_K);
        const QString at = QStringLiteral("at address %1").arg(sums.front().at);
        s.prompts.expect(expected::confirmUndo(at, gb ? 3 : 4), MsgAnswer::Yes);
        s.prompts.expect(guard, MsgAnswer::Yes);
        s.ctrl(Qt::Key_Z);
        QCOMPARE(s.onDisk(), tiled);
        QCOMPARE(s.status(), "Undone: checksums of " + s.path);
        s.confirmNextWrite();
        s.prompts.expect(guard, MsgAnswer::Yes);
        s.ctrl(Qt::Key_Y);
        QCOMPARE(s.onDisk(), fixed);
        VERIFY_PROMPTS(s.prompts);
    }

    // Ctrl+K without a file, on a plain file, on a file another program changed while the
    // checksums were shown, and on a read-only file: nothing is written.
    void checksumsRefused() {
        User s;
        const auto refusal = [&s](const QString& text, const QString& title = "Checksums") {
            s.prompts.expect(expected::refusal(text, title));
        };
        refusal("No file is open. The checksums are read from the open file's header.");
        s.ctrl(Qt::Key_K);
        s.open(randomBytes(4096, 9));
        refusal(s.path + " is neither a Game Boy nor a Super Nintendo ROM image:\rit has no "
                         "header that this program knows, and so no checksums.");
        s.ctrl(Qt::Key_K);
        const QByteArray original = gameBoyImage(32 * KiB, 10);
        s.open(original);
        QByteArray changed = QByteArray(original).replace(0x4000, 1, "?");
        s.expectChecksums(kGameBoy, checksumsByHand(original, -1, 0), MsgAnswer::Yes,
                          [&s, &changed] { s.write(changed); });
        refusal("Can not save. " + s.path +
                    " changed since its checksums were shown: another program wrote to it.\r"
                    "Nothing was written. Press Ctrl+K to see the checksums as they are now.",
                "Saving not possible");
        s.ctrl(Qt::Key_K);
        QCOMPARE(s.onDisk(), changed);
        QVERIFY(QFile::setPermissions(s.path, QFile::ReadOwner));
        s.expectChecksums(kGameBoy, checksumsByHand(changed, -1, 0), MsgAnswer::Yes);
        s.prompts.expect(expected::kReadOnly);
        s.ctrl(Qt::Key_K);
        QCOMPARE(s.onDisk(), changed);
        VERIFY_PROMPTS(s.prompts);
    }

    // Ctrl+L: colours 0 to 3 from the 8 bytes at the marked cell (15-bit, little-endian, red
    // lowest, bit 15 ignored) into the fields and both views; refused without a file and with
    // fewer than 8 bytes left. The file does not change.
    void colorsFromTheFile() {
        User s;
        const auto refusal = [&s](const QString& text) {
            s.prompts.expect(expected::refusal(text, "Can not read the colors"));
            s.ctrl(Qt::Key_L);
        };
        refusal("No file is open. The colors are read from the 8 bytes at the browser's marked "
                "address.");
        const QByteArray bytes =
            randomBytes(100, 11).replace(48, 8, QByteArray::fromHex("FF7F1F00E083104A"));
        s.open(bytes);
        s.copyToEditor(1, 0);
        Session::press(s.form.SpriteBox, s.browserCell(3, 0));
        s.ctrl(Qt::Key_L);
        ViewColors colors;
        colors.palette = {rgbColor(255, 255, 255), rgbColor(255, 0, 0), rgbColor(0, 255, 0),
                          rgbColor(132, 132, 148), colors.palette[4]};
        QCOMPARE(s.status(), QStringLiteral("Colors 0 to 3 read from the 8 bytes at address 48."));
        COMPARE_PICTURE(s.browser(), expectedBrowser(bytes, {.markColumn = 3, .colors = colors}),
                        "browser");
        const EditorTileArray tiles{TileRecord{decodeByHand(bytes, 16), 16}};
        COMPARE_PICTURE(s.editor(), expectedEditor(tiles, {.selColumn = 1, .colors = colors}),
                        "editor");
        s.jumpTo(80);
        Session::press(s.form.SpriteBox, s.browserCell(1, 0));
        refusal("The colors are read from the 8 bytes at the marked address 96,\rbut the file is "
                "100 bytes long.\rMark a cell at least 8 bytes before its end.");
        for (int i = 0; i < 4; ++i)
            QVERIFY(shows(s.form.BtCol[i], colors.palette[i], 1));
        QVERIFY(shows(s.form.ShpCol, colors.palette[0])); // colour 0, the current one
        QCOMPARE(s.onDisk(), bytes);
        VERIFY_PROMPTS(s.prompts);
    }
};

QTEST_MAIN(TestHeaders)
#include "tst_headers.moc"
