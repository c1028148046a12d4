// Tiles between the file and the editor as a user moves them: double-clicks that copy a
// browser tile in, the four buttons that write tiles back, the reloads and the clears. Every
// check looks at what the user sees (boxes, pictures, tile controls) and what the file holds.
#include "session.h"

#include <QFile>

namespace {

constexpr qsizetype kLength = 8192;

// The browser at zoom 3 without grid shows 10 columns: cell (c, r) holds address 16 (c + 10 r).
constexpr qint32 cellAddress(int column, int row) {
    return 16 * (column + 10 * row);
}

TileRecord copied(const QByteArray& file, qint32 address) {
    TileRecord t;
    t.Pixels = decodeByHand(file, address);
    t.Address = address;
    return t;
}

QByteArray withTile(QByteArray file, qint64 address, const TilePixels& pixels) {
    return file.replace(address, 16, encodeByHand(pixels));
}

// The selected cell (0, 0) holds the tile of address 16, painted; the browser's marked cell is
// (2, 0) at address 32.
TilePixels prepareEditedTile(Session& s) {
    s.copyToEditor(1, 0);
    s.select(0, 0);
    s.paint(0, 0, 0, 0, 3);
    s.paint(0, 0, 7, 1, 1);
    s.select(0, 0);
    Session::press(s.form.SpriteBox, s.browserCell(2, 0));
    TilePixels pixels = decodeByHand(s.onDisk(), 16);
    pixels[0] = 3;
    pixels[15] = 1;
    return pixels;
}

QAbstractButton* writeButton(FormMain& f, const QString& name) {
    if (name == QLatin1String("SaveTile")) return f.SaveTile;
    if (name == QLatin1String("BtCopySelTile")) return f.BtCopySelTile;
    if (name == QLatin1String("BtCopyToAddress")) return f.BtCopyToAddress;
    return f.BtSaveEdit;
}

// Where each write button puts the prepared tile (the typed address is 300).
qint64 writeTarget(const QString& name) {
    if (name == QLatin1String("BtCopySelTile")) return 32;
    if (name == QLatin1String("BtCopyToAddress")) return 300;
    return 16;
}

} // namespace

class TestTransfer : public QObject {
    Q_OBJECT
    QByteArray m_file = randomBytes(kLength, 5);

  private slots:
    void copyFillsSelectedCellAndMovesOn_data() {
        using R = Row<int, int, int, int>;
        rows(R{"first cell", 0, 0, 1, 0}, R{"end of a row", 9, 2, 0, 3},
             R{"last cell wraps", 9, 7, 0, 0});
    }
    void copyFillsSelectedCellAndMovesOn() {
        const auto [column, row, nextColumn, nextRow] = fetch<int, int, int, int>();
        Session s;
        s.open(m_file);
        s.select(column, row);
        s.copyToEditor(3, 2);
        EditorTileArray cells{};
        cells[size_t(column + 10 * row)] = copied(m_file, cellAddress(3, 2));
        EditorPicture view;
        view.selColumn = nextColumn;
        view.selRow = nextRow;
        COMPARE_PICTURE(s.form.EditorBox->surface(), expectedEditor(cells, view), "copied");
        // The tile controls show the newly selected, empty cell.
        QCOMPARE(s.form.TextEditAddress->text(), QStringLiteral("0"));
        QCOMPARE(s.state().EditorTiles[size_t(column + 10 * row)],
                 cells[size_t(column + 10 * row)]);
        QCOMPARE(s.onDisk(), m_file);
        VERIFY_PROMPTS(s.prompts);
    }

    // Each refusal shows its box and leaves the cells and the selection as they were.
    // held: the address cell (5, 0) holds before; source: the address of browser cell (0, 0).
    void copyRefusals_data() {
        using R = Row<qint32, bool, qint32, const MessageSpec*>;
        const qint32 n = qint32(kLength);
        rows(R{"past the end", 0, false, n - 15, &expected::kEndOfFile},
             R{"end wins over protection", 0, true, n - 1, &expected::kEndOfFile},
             R{"protected", 0, true, 400, &expected::kProtected},
             R{"protection before overlap", 400, true, 408, &expected::kProtected},
             R{"overlap below", 400, false, 385, &expected::kOverlap},
             R{"overlap above", 400, false, 415, &expected::kOverlap},
             R{"touching below", 400, false, 384, nullptr},
             R{"touching above", 400, false, 416, nullptr},
             R{"same address twice", 400, false, 400, nullptr},
             R{"last whole tile", 0, false, n - 16, nullptr},
             R{"near 0 beside empty cells", 0, false, 5, nullptr},
             R{"address 0: a cell without address", 0, false, 0, nullptr});
    }
    void copyRefusals() {
        const auto [held, protect, source, refusal] =
            fetch<qint32, bool, qint32, const MessageSpec*>();
        Session s;
        s.open(m_file);
        if (held != 0) {
            s.select(5, 0);
            s.jumpTo(held);
            s.copyToEditor(0, 0);
        }
        s.select(0, 0);
        if (protect) Session::click(s.form.ChkWriteProtected);
        s.jumpTo(source);
        const EditorTileArray before = s.state().EditorTiles;
        if (refusal) s.prompts.expect(*refusal);
        s.copyToEditor(0, 0);
        VERIFY_PROMPTS(s.prompts);
        if (!refusal) {
            QCOMPARE(s.state().EditorTiles[0], copied(m_file, source));
            QCOMPARE(s.state().EditorSelColumn, 1);
        } else {
            QCOMPARE(s.state().EditorTiles, before);
            QCOMPARE(s.state().EditorSelColumn, 0);
        }
    }

    // The four write buttons: read-only test before the question, nothing without Yes, the
    // exact 16 bytes after it, the length never changed, the browser showing the new bytes.
    void writes_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("condition");
        for (const char* button : {"SaveTile", "BtCopySelTile", "BtCopyToAddress", "BtSaveEdit"}) {
            for (const char* condition : {"yes", "no", "read-only", "no file"})
                QTest::addRow("%s %s", button, condition) << button << condition;
        }
    }
    void writes() {
        QFETCH(QString, button);
        QFETCH(QString, condition);
        Session s;
        s.open(m_file);
        const TilePixels edited = prepareEditedTile(s);
        Session::type(s.form.TextEditAddress, QStringLiteral("300"));
        QByteArray after = m_file;
        if (condition == QLatin1String("yes"))
            after = withTile(m_file, writeTarget(button), edited);
        if (condition == QLatin1String("read-only")) {
            QVERIFY(QFile::setPermissions(s.path, QFile::ReadOwner | QFile::ReadGroup));
            s.prompts.expect(expected::kReadOnly);
        } else if (condition == QLatin1String("no file")) {
            Session::click(s.form.BtCloseFile);
        } else {
            s.confirmNextWrite(condition == QLatin1String("yes") ? MsgAnswer::Yes : MsgAnswer::No);
        }
        Session::press(s.form.SpriteBox, s.browserCell(2, 0)); // marks (2, 0) again
        s.form.SpriteBox->surface().fill(Qt::red);             // to see whether it is redrawn
        Session::click(writeButton(s.form, button));
        VERIFY_PROMPTS(s.prompts);
        QCOMPARE(s.onDisk(), after);
        QCOMPARE(s.onDisk().size(), kLength);
        if (condition == QLatin1String("yes") || condition == QLatin1String("no")) {
            BrowserPicture view;
            view.markColumn = 2;
            COMPARE_PICTURE(s.form.SpriteBox->surface(), expectedBrowser(after, view), "after");
        }
        QCOMPARE(s.state().EditorTiles[0].Pixels, edited); // writing never changes the editor
    }

    // Refusals after Yes; the marked cell's address as shown after a jump; typed targets read
    // leniently and tested before rounding. A target of -1 is refused.
    void targets_data() {
        using R = Row<QString, QString, qint32, int, qint64>; // button, typed, jump, marked row
        rows(R{"no address", "SaveTile", "", 0, 0, -1},
             R{"marked cell at 0", "BtCopySelTile", "", 0, 0, -1},
             R{"marked cell at 160", "BtCopySelTile", "", 0, 1, 160},
             R{"marked last whole tile", "BtCopySelTile", "", 8176, 0, 8176},
             R{"marked one byte further", "BtCopySelTile", "", 8177, 0, -1},
             R{"typed 0", "BtCopyToAddress", "0", 0, 0, -1},
             R{"typed negative", "BtCopyToAddress", "-32", 0, 0, -1},
             R{"typed letters", "BtCopyToAddress", "abc", 0, 0, -1},
             R{"typed nothing", "BtCopyToAddress", "", 0, 0, -1},
             R{"typed .5 rounds to 0", "BtCopyToAddress", ".5", 0, 0, -1},
             R{"typed with blanks", "BtCopyToAddress", " 40 96 ", 0, 0, 4096},
             R{"typed 2.5 to even", "BtCopyToAddress", "2.5", 0, 0, 2},
             R{"typed last tile", "BtCopyToAddress", "8176", 0, 0, 8176},
             R{"typed one past", "BtCopyToAddress", "8177", 0, 0, -1});
    }
    void targets() {
        const auto [button, typed, jump, markedRow, target] =
            fetch<QString, QString, qint32, int, qint64>();
        Session s;
        s.open(m_file);
        s.fill(0, 0, 2);
        s.select(0, 0); // an empty cell without address, filled with 2
        s.jumpTo(jump);
        Session::press(s.form.SpriteBox, s.browserCell(0, markedRow));
        Session::type(s.form.TextEditAddress, typed);
        s.confirmNextWrite();
        if (target < 0) {
            s.prompts.expect(button == QLatin1String("SaveTile") ? expected::kNoAddress
                             : button == QLatin1String("BtCopySelTile")
                                 ? expected::kInvalidBrowserTarget
                                 : expected::kInvalidTypedAddress);
        }
        Session::click(writeButton(s.form, button));
        VERIFY_PROMPTS(s.prompts);
        TilePixels twos{};
        twos.fill(2);
        QCOMPARE(s.onDisk(), target < 0 ? m_file : withTile(m_file, target, twos));
    }

    // Save all writes every cell with an address, protected and mirrored ones as stored; of
    // two cells with one address the later decides.
    void saveAllWritesStoredTiles() {
        Session s;
        s.open(m_file);
        s.copyToEditor(1, 0); // cell 0: 16
        s.copyToEditor(2, 0); // cell 1: 32
        s.fill(0, 0, 3);
        s.select(2, 0);
        s.copyToEditor(1, 0); // cell 2: 16 again, as the file holds it
        s.paint(1, 0, 0, 0, 2);
        s.select(1, 0);
        Session::click(s.form.ChkFlipX);
        Session::click(s.form.ChkWriteProtected);
        TilePixels cell1 = decodeByHand(m_file, 32);
        cell1[0] = 2;
        s.confirmNextWrite();
        Session::click(s.form.BtSaveEdit);
        VERIFY_PROMPTS(s.prompts);
        QCOMPARE(s.onDisk(), withTile(m_file, 32, cell1));
    }

    // A file removed, replaced or shortened since it was opened: the failure is shown with its
    // reason, nothing is reported as saved, and the file on disk is not touched.
    void writeFailures_data() {
        const char* gone = "was removed or replaced since it was opened.";
        using R = Row<QString, QString>;
        rows(R{"removed", "remove", gone}, R{"replaced", "replace", gone},
             R{"shortened", "shorten", "which is now 200 bytes long."});
    }
    void writeFailures() {
        const auto [change, reason] = fetch<QString, QString>();
        Session s;
        s.open(m_file);
        prepareEditedTile(s);
        Session::type(s.form.TextEditAddress, QStringLiteral("300"));
        const QByteArray other = randomBytes(kLength, 99);
        if (change == QLatin1String("shorten")) {
            QVERIFY(QFile::resize(s.path, 200));
        } else {
            QVERIFY(QFile::remove(s.path));
            if (change == QLatin1String("replace")) s.write(other);
        }
        const QByteArray onDisk = s.onDisk();
        s.prompts.anyBox = [](const MessageSpec& box) {
            return box.buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
        };
        Session::click(s.form.BtCopyToAddress);
        QCOMPARE(s.prompts.shown.size(), 2);
        QCOMPARE(s.prompts.shown[0], expected::kConfirmWrite);
        const MessageSpec box = s.prompts.shown[1];
        QVERIFY2(box.text.startsWith(QLatin1String("Can not save. ")) && box.text.endsWith(reason),
                 qPrintable(box.text));
        QCOMPARE(box.title, QStringLiteral("Saving not possible"));
        QCOMPARE(s.onDisk(), onDisk);
    }

    void saveAllCountsTilesWrittenBeforeFailure() {
        Session s;
        s.open(m_file);
        s.copyToEditor(1, 0); // 16
        s.copyToEditor(2, 0); // 32
        s.copyToEditor(9, 2); // 464, beyond the end once the file is shortened
        QVERIFY(QFile::resize(s.path, 100));
        s.confirmNextWrite();
        s.prompts.anyBox = [](const MessageSpec&) { return MsgAnswer::Ok; };
        Session::click(s.form.BtSaveEdit);
        QCOMPARE(s.prompts.shown.size(), 2);
        QVERIFY2(s.prompts.shown[1].text.endsWith(
                     QLatin1String("\r2 tiles were written before the failure.")),
                 qPrintable(s.prompts.shown[1].text));
        QCOMPARE(s.onDisk().size(), 100);
    }

    // Reloading takes the file's bytes again and drops the switches; the selected tile's
    // reload brings its copies into line; nothing is written.
    void reloads_data() {
        QTest::addColumn<bool>("all");
        QTest::newRow("selected tile") << false;
        QTest::newRow("all tiles") << true;
    }
    void reloads() {
        QFETCH(bool, all);
        Session s;
        s.open(m_file);
        s.copyToEditor(4, 1); // cell 0: 224
        s.copyToEditor(4, 1); // cell 1: 224
        s.fill(2, 0, 1);      // cell 2: no address, filled
        s.fill(0, 0, 3);      // both copies of 224 turn to 3
        s.select(0, 0);
        Session::click(s.form.ChkFlipY);
        Session::click(s.form.ChkWriteProtected);
        Session::click(all ? s.form.BtReload : s.form.BtReloadTile);
        const TileRecord fromFile = copied(m_file, cellAddress(4, 1));
        QCOMPARE(s.state().EditorTiles[0], fromFile);
        QCOMPARE(s.state().EditorTiles[1], fromFile);
        TilePixels ones{};
        ones.fill(1);
        QCOMPARE(s.state().EditorTiles[2].Pixels, ones); // no address: not reloaded
        QVERIFY(!s.form.ChkFlipY->isChecked());
        QVERIFY(!s.form.ChkWriteProtected->isChecked());
        QCOMPARE(s.onDisk(), m_file);
        VERIFY_PROMPTS(s.prompts);
    }

    // Clearing the selected tile empties it, moves on and makes copies of the next cell's
    // address equal to it; clearing all asks first.
    void clears() {
        Session s;
        s.open(m_file);
        s.select(6, 0);
        s.copyToEditor(3, 3); // cell 6: 528
        s.select(0, 2);
        s.copyToEditor(3, 3); // cell 20: 528
        s.select(0, 2);
        Session::click(s.form.ChkWriteProtected);
        s.fill(6, 0, 2); // reaches the protected copy too
        s.select(5, 0);
        Session::click(s.form.BtDeleteSprite);
        QCOMPARE(s.state().EditorSelColumn, 6);
        QCOMPARE(s.state().EditorTiles[20], s.state().EditorTiles[6]);
        QVERIFY(!s.state().EditorTiles[20].WriteProtected);
        QCOMPARE(s.form.TextEditAddress->text(), QStringLiteral("528"));
        s.prompts.expect(expected::kConfirmClear, MsgAnswer::No);
        Session::click(s.form.BtEditClear);
        QCOMPARE(s.state().EditorTiles[6].Address, 528);
        s.prompts.expect(expected::kConfirmClear, MsgAnswer::Yes);
        Session::click(s.form.BtEditClear);
        QCOMPARE(s.state().EditorTiles, EditorTileArray{});
        QCOMPARE(s.state().EditorSelColumn, 6);
        QCOMPARE(s.form.TextEditAddress->text(), QStringLiteral("0"));
        EditorPicture view;
        view.selColumn = 6;
        COMPARE_PICTURE(s.form.EditorBox->surface(), expectedEditor({}, view), "cleared");
        QCOMPARE(s.onDisk(), m_file);
        VERIFY_PROMPTS(s.prompts);
    }
};

QTEST_MAIN(TestTransfer)
#include "tst_transfer.moc"
