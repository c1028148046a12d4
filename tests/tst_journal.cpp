// The history's pieces without the window: editor changes joined and stripped of their
// addresses, writes made, taken back and refused, the journal, the IPS patch, the undo question.
#include "core/app/messages.h"
#include "core/editor/editorchange.h"
#include "core/rom/romfile.h"
#include "core/transfer/ipspatch.h"
#include "core/transfer/writejournal.h"
#include "datarows.h"
#include "testfiles.h"
#include "testtiles.h"

#include <QFile>

namespace {

TileRecord tile(quint32 seed, qint32 address) {
    return {decodeByHand(randomBytes(kTileBytes, seed), 0), address, false, false, false};
}

// A step that changes `cells` (index: the seeds before and after, the address) and moves the
// selection from column `from` to `to`.
EditorChange change(const QList<std::tuple<int, quint32, quint32, qint32>>& cells, int from,
                    int to) {
    EditorChange made{{}, {from, 0}, {to, 0}};
    for (const auto& [index, before, after, address] : cells)
        made.cells.push_back({index, tile(before, address), tile(after, address)});
    return made;
}

TileBytes bytes(quint32 seed) {
    TileBytes tile{};
    const QByteArray random = randomBytes(kTileBytes, seed);
    std::copy(random.begin(), random.end(), tile.begin());
    return tile;
}

} // namespace

class TestJournal : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

  private slots:
    // Two moves of a stroke joined: the selection before the first and after the second (the
    // cells a stroke joins are checked by undoing strokes in the window). Painted back to where
    // it began, or a change of addresses alone once they are gone, the step changes nothing.
    void editorChanges() {
        const EditorChange first = change({{3, 1, 2, 16}}, 0, 1);
        const std::optional<EditorChange> joined =
            joinedChanges(first, change({{3, 2, 3, 16}}, 1, 2));
        QVERIFY(joined);
        QCOMPARE(std::pair(joined->selectionBefore.column, joined->selectionAfter.column),
                 std::pair(0, 2));
        QVERIFY(!joinedChanges(first, change({{3, 2, 1, 16}}, 1, 0)));
        EditorChange copied = change({{7, 1, 1, 0}}, 0, 0);
        copied.cells[0].after.Address = 48;
        QVERIFY(!withoutAddresses(copied));
        const std::optional<EditorChange> kept = withoutAddresses(change({{3, 1, 2, 16}}, 0, 0));
        QVERIFY(kept);
        QCOMPARE(kept->cells[0].after, tile(2, 0));
    }

    // Four writes: two overlapping ones change bytes 20 to 43, one puts back what is there,
    // one reaches past the end. Three are made, only the first two can be taken back (last
    // first), and the journal holds their bytes; taking them back puts the file as it was.
    // Refused when another program changed a byte, the file was shortened or replaced.
    void writesAndTheirUndo() {
        const QByteArray original = randomBytes(64, 9);
        const QString path = writeRom(m_dir, "w.gb", original);
        const auto rom = std::get<std::unique_ptr<RomFile>>(RomFile::open(path));
        TileBytes same{};
        std::copy(original.begin() + 44, original.begin() + 60, same.begin());
        WrittenTiles step{
            rom->identity(),
            {{20, {}, bytes(1)}, {28, {}, bytes(3)}, {44, {}, same}, {50, {}, bytes(2)}}};
        WriteJournal journal;
        const WriteOutcome outcome = writeTiles(step, *rom, journal);
        QCOMPARE(std::pair(outcome.written, outcome.failure.has_value()), std::pair(3, true));
        QCOMPARE(step.writes.size(), size_t(2));
        QCOMPARE(QByteArrayView(step.writes[0].before).toByteArray(), original.mid(20, 16));
        QByteArray written = QByteArray(original).replace(20, 16, QByteArrayView(bytes(1)));
        written.replace(28, 16, QByteArrayView(bytes(3)));
        QCOMPARE(fileBytes(path), written);
        std::map<qint64, quint8> changed;
        for (int i = 20; i < 44; ++i)
            if (written[i] != original[i]) changed[i] = quint8(written[i]);
        QCOMPARE(journal.changedBytes(), changed);
        QVERIFY(!whyNotRestorable(step, *rom, HistoryDirection::Undo));
        writeRom(m_dir, "w.gb", QByteArray(written).replace(35, 1, "?"));
        QCOMPARE(*whyNotRestorable(step, *rom, HistoryDirection::Undo),
                 msg::bytesChangedSince(path, 20, 16, msg::ExpectedBytes::Written));
        QVERIFY(QFile::resize(path, 30));
        QCOMPARE(*whyNotRestorable(step, *rom, HistoryDirection::Undo),
                 msg::fileTooShortNow(path, 20, 16));
        writeRom(m_dir, "w.gb", written);
        QCOMPARE(unwriteTiles(step, *rom, journal).written, 2);
        QCOMPARE(fileBytes(path), original);
        QVERIFY(journal.changedBytes().empty());
        QVERIFY(!whyNotRestorable(step, *rom, HistoryDirection::Redo));
        QVERIFY(QFile::remove(path));
        writeRom(m_dir, "w.gb", original);
        QCOMPARE(*whyNotRestorable(step, *rom, HistoryDirection::Redo),
                 msg::fileReplacedSince(path));
    }

    // No record starts at 0x454F46, whose offset would read as "EOF": it starts one byte
    // earlier, with the byte there, and stays within 65,535 bytes.
    void noRecordStartsWhereItWouldReadAsEof() {
        const auto fileByte = [](qint64 at) { return quint8(at); };         // 0x45 at 0x454F45
        QCOMPARE(*encodeIpsPatch({{0x454F46, 1}, {0x454F47, 2}}, fileByte), // "PATCH", "EOF"
                 QByteArray::fromHex("5041544348 454F45 0003 450102 454F46"));
        std::map<qint64, quint8> run; // a longest record ends just before 0x454F46, then 70000
        QByteArray expected(0x470000, '\0');
        for (qint64 at = 0x454F46 - 0xFFFF; at < 0x454F46 + 70000; ++at)
            expected[at] = char(run[at] = quint8(at % 251));
        QCOMPARE(applyIps(QByteArray(0x470000, '\0'), *encodeIpsPatch(run, fileByte)), expected);
    }

    // Where the undo question says the bytes go back, for more than one write.
    void undoQuestion_data() {
        using R = Row<QList<qint32>, QString>; // 16 bytes at each address
        rows(R{"two", {16, 48}, "at the addresses 16 and 48?"},
             R{"four", {16, 48, 32, 8}, "at the addresses 16, 48, 32 and 8?"},
             R{"five", {16, 48, 32, 8, 100}, "at 5 addresses from 8 to 100?"});
    }
    void undoQuestion() {
        const auto [at, where] = fetch<QList<qint32>, QString>();
        QCOMPARE(msg::confirmUndoWrite({at.begin(), at.end()}, 16 * int(at.size())),
                 QStringLiteral("Do you really want to put back the %1 bytes that the write "
                                "replaced\r%2\rThis will change the file permanently.")
                     .arg(16 * at.size())
                     .arg(where));
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
