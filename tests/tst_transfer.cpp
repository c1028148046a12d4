// Tiles between the file and the editor as a user moves them: double-clicks that copy a
// browser tile in, the four buttons that write tiles back, the reloads and the clears.
#include "session.h"

#include <QFile>

namespace {

constexpr qsizetype kLength = 8192;
using F = FormMain; // for tables of its buttons

QByteArray withTile(QByteArray file, qint64 address, const TilePixels& pixels) {
    return file.replace(address, 16, encodeByHand(pixels));
}

} // namespace

class TestTransfer : public QObject {
    Q_OBJECT
    QByteArray m_file = randomBytes(kLength, 5);

  private slots:
    // Browser cell (0, 0), after a jump to `source`, copied into cell `cell` (column + 10 row)
    // while cell 5 holds address 400: refused with its box, or copied, the selection moved on.
    void copies_data() {
        using R = Row<bool, qint32, int, const MessageSpec*>;
        const qint32 n = qint32(kLength);
        // clang-format off
        rows(R{"past the end", false, n - 15, 0, &expected::kEndOfFile},
             R{"end wins over protection", true, n - 1, 0, &expected::kEndOfFile},
             R{"protection before overlap", true, 408, 0, &expected::kProtected},
             R{"overlap below", false, 385, 0, &expected::kOverlap},
             R{"overlap above", false, 415, 0, &expected::kOverlap},
             R{"touching below", false, 384, 0, nullptr},
             R{"touching above", false, 416, 0, nullptr},
             R{"same address twice", false, 400, 0, nullptr},
             R{"last whole tile", false, n - 16, 0, nullptr},
             R{"near 0 beside empty cells", false, 5, 0, nullptr},
             R{"address 0: a cell without address", false, 0, 0, nullptr},
             R{"end of a row", false, 48, 29, nullptr},
             R{"last cell wraps", false, 48, 79, nullptr});
        // clang-format on
    }
    void copies() {
        const auto [protect, source, cell, refusal] =
            fetch<bool, qint32, int, const MessageSpec*>();
        Session s;
        s.open(m_file);
        s.select(5, 0);
        s.jumpTo(400);
        s.copyToEditor(0, 0);
        s.select(cell % 10, cell / 10);
        if (protect) Session::click(s.form.ChkWriteProtected);
        s.jumpTo(source);
        EditorTileArray cells = s.state().EditorTiles;
        if (refusal) s.prompts.expect(*refusal);
        if (!refusal) cells[size_t(cell)] = TileRecord{decodeByHand(m_file, source), source};
        const int next = refusal ? cell : (cell + 1) % 80;
        s.copyToEditor(0, 0);
        VERIFY_PROMPTS(s.prompts);
        QCOMPARE(s.state().EditorTiles, cells);
        COMPARE_PICTURE(s.editor(),
                        expectedEditor(cells, {.selColumn = next % 10, .selRow = next / 10}),
                        "copied");
    }

    // The prepared tile written: the read-only test before the question, nothing without Yes,
    // the exact 16 bytes after it, the browser redrawn. A file shortened since it was opened
    // (the file's other refusals are the core's): the failure shown, the file not touched.
    // Columns: the button, the condition, the typed address, the browser's jump and marked
    // cell: the target.
    void writes_data() {
        QTest::addColumn<std::tuple<Button, QString, QString, qint32, int, qint64>>("row");
        const std::tuple<const char*, Button, qint64> buttons[] = {
            {"SaveTile", &F::SaveTile, 16},
            {"BtCopySelTile", &F::BtCopySelTile, 32},
            {"BtCopyToAddress", &F::BtCopyToAddress, 300},
            {"BtSaveEdit", &F::BtSaveEdit, 16}};
        for (const auto& [name, button, target] : buttons) {
            for (const char* condition : {"yes", "no", "read-only", "no file", "shortened"}) {
                QTest::addRow("%s %s", name, condition)
                    << std::tuple(button, QString(condition), QString("300"), 0, 2, target);
            }
        }
    }
    void writes() {
        const auto [button, condition, typed, jump, marked, target] =
            fetch<Button, QString, QString, qint32, int, qint64>();
        const auto is = [&condition](const char* c) { return condition == QLatin1String(c); };
        Session s;
        s.open(m_file);
        s.copyToEditor(1, 0); // the selected cell (0, 0) holds the tile of address 16, painted
        s.select(0, 0);
        s.paint(0, 0, 0, 0, 3);
        s.paint(0, 0, 7, 1, 1);
        s.select(0, 0);
        TilePixels edited = decodeByHand(m_file, 16);
        edited[0] = 3;
        edited[15] = 1;
        Session::type(s.form.TextEditAddress, typed);
        s.jumpTo(jump);
        if (is("read-only"))
            QVERIFY(QFile::setPermissions(s.path, QFile::ReadOwner | QFile::ReadGroup));
        if (is("read-only")) s.prompts.expect(expected::kReadOnly);
        if (is("no file")) Session::click(s.form.BtCloseFile);
        if (!is("read-only") && !is("no file"))
            s.confirmNextWrite(is("no") ? MsgAnswer::No : MsgAnswer::Yes);
        if (is("shortened")) QVERIFY(QFile::resize(s.path, 10));
        QString why = QStringLiteral("Can not save. The 16 bytes at address %1 do not lie inside "
                                     "%2, which is now 10 bytes long.")
                          .arg(QString::number(target), s.path);
        if (button == &F::BtSaveEdit) why += "\r0 tiles were written before the failure.";
        if (is("shortened")) s.prompts.expect(expected::refusal(why, "Saving not possible"));
        if (target < 0)
            s.prompts.expect(button == &F::BtCopySelTile ? expected::kInvalidBrowserTarget
                                                         : expected::kInvalidTypedAddress);
        const bool written = is("yes") && target >= 0;
        const QByteArray after = written ? withTile(m_file, target, edited) : s.onDisk();
        const BrowserPicture view{.top = jump, .markColumn = marked % 10, .markRow = marked / 10};
        Session::press(s.form.SpriteBox, s.browserCell(view.markColumn, view.markRow));
        s.form.SpriteBox->surface().fill(Qt::red); // to see whether it is redrawn
        Session::click(s.form.*button);
        VERIFY_PROMPTS(s.prompts);
        QCOMPARE(s.onDisk(), after);
        if (written || is("no"))
            COMPARE_PICTURE(s.browser(), expectedBrowser(after, view), "after");
        QCOMPARE(s.state().EditorTiles[0].Pixels, edited); // writing never changes the editor
    }

    // The marked cell's address as shown after a jump; a typed target read leniently (the
    // rules' boundaries are the core's). A target of -1 is refused.
    void targets_data() {
        using R = Row<Button, QString, QString, qint32, int, qint64>;
        const auto to = &F::BtCopyToAddress;
        // clang-format off
        rows(R{"marked cell at 0", &F::BtCopySelTile, "yes", "", 0, 0, -1},
             R{"marked cell, after a jump", &F::BtCopySelTile, "yes", "", 8000, 10, 8160},
             R{"typed letters", to, "yes", "abc", 0, 0, -1},
             R{"typed with blanks", to, "yes", " 40 96 ", 0, 0, 4096});
        // clang-format on
    }
    void targets() { writes(); }

    // Save all writes every cell with an address, protected and mirrored ones as stored; of
    // two cells with one address the later decides. Clearing the selected tile empties it,
    // moves on and makes copies of the next cell's address equal to it. Reloading takes the
    // file's bytes again and drops the switches (the selected tile's copies follow); clearing
    // all asks first. Nothing but Save all writes.
    void saveAllReloadsAndClears() {
        Session s;
        s.open(m_file);
        s.copyToEditor(1, 0); // cell 0: 16
        s.copyToEditor(2, 0); // cell 1: 32
        s.fill(0, 0, 3);
        s.select(2, 0);
        s.copyToEditor(1, 0); // cell 2: 16 again, as the file holds it
        s.fill(3, 0, 1);      // cell 3: no address
        s.paint(1, 0, 0, 0, 2);
        s.select(1, 0);
        Session::click(s.form.ChkFlipX);
        Session::click(s.form.ChkWriteProtected);
        s.select(0, 0);
        Session::click(s.form.ChkWriteProtected);
        TilePixels cell1 = decodeByHand(m_file, 32);
        cell1[0] = 2;
        const QByteArray saved = withTile(m_file, 32, cell1);
        s.confirmNextWrite();
        Session::click(s.form.BtSaveEdit);
        QCOMPARE(s.onDisk(), saved);
        s.select(1, 0);
        Session::click(s.form.BtDeleteSprite);
        QCOMPARE(s.state().EditorTiles[1], TileRecord{});
        QCOMPARE(s.state().EditorTiles[0], s.state().EditorTiles[2]); // protection too
        QCOMPARE(s.form.TextEditAddress->text(), QStringLiteral("16"));
        EditorTileArray cells = s.state().EditorTiles;
        cells[0] = cells[2] = TileRecord{decodeByHand(m_file, 16), 16};
        for (Button reload : {&F::BtReloadTile, &F::BtReload}) {
            s.fill(2, 0, 2); // both copies of 16
            Session::click(s.form.ChkFlipY);
            Session::click(s.form.ChkWriteProtected);
            Session::click(s.form.*reload);
            QCOMPARE(s.state().EditorTiles, cells); // cell 3, without address, as it was
        }
        for (const MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
            s.prompts.expect(expected::kConfirmClear, answer);
            Session::click(s.form.BtEditClear);
            QCOMPARE(s.state().EditorTiles, answer == MsgAnswer::No ? cells : EditorTileArray{});
        }
        QCOMPARE(s.form.TextEditAddress->text(), QStringLiteral("0"));
        COMPARE_PICTURE(s.editor(), expectedEditor({}, {.selColumn = 2}), "cleared");
        s.confirmNextWrite(); // a cleared cell has no address to save at
        s.prompts.expect(expected::kNoAddress);
        Session::click(s.form.SaveTile);
        QCOMPARE(s.onDisk(), saved);
        VERIFY_PROMPTS(s.prompts);
    }
};

QTEST_MAIN(TestTransfer)
#include "tst_transfer.moc"
