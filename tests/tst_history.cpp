// Undo and redo of the editor's steps and of the writes, the patch of a session, and the keys
// that move the browser's view and the editor's selection, all driven as a user drives them.
#include "core/transfer/ipspatch.h"
#include "datarows.h"
#include "expected.h"
#include "pictures.h"
#include "session.h"
#include "ui/app/formmain.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/picturebox.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

namespace {

// A session with the history's keys at hand.
struct User : Session {
    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::ControlModifier) {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : &form, key, mods);
    }
    void undo() { press(Qt::Key_Z); }
    void redo() { press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
    [[nodiscard]] QString status() const { return form.LbStatus->text(); }
};
using Action = void (*)(User&);

// A press, moves and a release of the left button on the editor.
void stroke(User& s, const QList<QPointF>& points) {
    Session::press(s.form.EditorBox, points.first());
    for (const QPointF& p : points)
        Session::move(s.form.EditorBox, p, Qt::LeftButton);
    Session::release(s.form.EditorBox, points.last());
}
void selectCell(User& s, int column, int row) {
    s.click(s.form.OptionSelect);
    stroke(s, {s.editorPixel(column, row)});
}
void fillCell(User& s, int column, int row, int color = 3) {
    s.click(s.form.BtCol[color]);
    s.click(s.form.OptionFill);
    stroke(s, {s.editorPixel(column, row)});
}

// What the editor shows and holds.
struct EditorView {
    EditorTileArray tiles;
    int column, row;
    QString address;
    bool protect, flipX, flipY;
    QImage canvas;
    bool operator==(const EditorView&) const = default;
};
EditorView viewOf(const User& s) {
    const FormMain& f = s.form;
    return {s.state().EditorTiles,     s.state().EditorSelColumn,        s.state().EditorSelRow,
            f.TextEditAddress->text(), f.ChkWriteProtected->isChecked(), f.ChkFlipX->isChecked(),
            f.ChkFlipY->isChecked(),   f.EditorBox->surface().copy()};
}

// An IPS applier written from the format: "PATCH", records (3-byte offset, 2-byte size,
// bytes), "EOF". Empty when the patch does not parse to its end.
QByteArray applyIps(QByteArray file, const QByteArray& patch) {
    const auto at = [&](qsizetype i) { return qint64(quint8(patch.at(i))); };
    qsizetype i = 5;
    while (patch.startsWith("PATCH") && i + 3 <= patch.size() && patch.mid(i, 3) != "EOF") {
        const qint64 size = at(i + 3) << 8 | at(i + 4);
        file.replace(at(i) << 16 | at(i + 1) << 8 | at(i + 2), size, patch.mid(i + 5, size));
        i += 5 + size;
    }
    return i + 3 == patch.size() ? file : QByteArray();
}

// A file with tiles 16 (cell 0) and 32 (cell 1) copied into the editor and filled.
QByteArray openWithTwoFilledCells(User& s, quint32 seed) {
    const QByteArray original = randomBytes(8192, seed);
    s.open(original);
    s.copyToEditor(1, 0);
    s.copyToEditor(2, 0);
    fillCell(s, 0, 0);
    fillCell(s, 1, 0, 2);
    selectCell(s, 0, 0);
    return original;
}

// The refusal of an undo (or redo) of the write at `address` whose bytes another program
// changed.
MessageSpec bytesChanged(int address, const QString& path, bool undo) {
    return expected::refusal(
        QStringLiteral("The 16 bytes at address %1 of %2 are no longer the ones this %3.\r"
                       "Another program changed them. Nothing was changed.")
            .arg(address)
            .arg(path, undo ? "program wrote" : "write replaced"),
        undo ? "Can not undo the write" : "Can not redo the write");
}
// Another program changes a byte of the tile at `tile`.
void scribble(User& s, qint64 tile = 16) {
    QFile file(s.path);
    QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(tile + 4) && file.write("?"));
}

} // namespace

class TestHistory : public QObject {
    Q_OBJECT
  private slots:
    void editorStepsUndoAndRedo_data() {
        using R = Row<Action, QString>;
        rows(R{"paint stroke",
               [](User& s) {
                   s.click(s.form.OptionPaint);
                   stroke(s, {s.editorPixel(0, 0, 0, 0), s.editorPixel(0, 0, 1, 0),
                              s.editorPixel(0, 0, 2, 5), s.editorPixel(1, 0, 4, 4)});
               },
               "paint in cell ( 0, 0)"},
             R{"fill", [](User& s) { fillCell(s, 1, 0); }, "fill of cell ( 1, 0)"},
             R{"clear the tile", [](User& s) { s.click(s.form.BtDeleteSprite); },
               "clear of cell ( 0, 0)"},
             R{"clear all",
               [](User& s) {
                   s.prompts.expect(expected::kConfirmClear, MsgAnswer::Yes);
                   s.click(s.form.BtEditClear);
               },
               "clear of all cells"},
             R{"copy into the editor", [](User& s) { s.copyToEditor(4, 0); },
               "copy of address 64 into cell ( 0, 0)"},
             R{"reload the tile", [](User& s) { s.click(s.form.BtReloadTile); },
               "reload of cell ( 0, 0)"},
             R{"reload all", [](User& s) { s.click(s.form.BtReload); }, "reload of all cells"},
             R{"write protection", [](User& s) { s.click(s.form.ChkWriteProtected); },
               "write protection of cell ( 0, 0)"},
             R{"mirror", [](User& s) { s.click(s.form.ChkFlipX); }, "mirror of cell ( 0, 0)"},
             R{"upside down", [](User& s) { s.click(s.form.ChkFlipY); },
               "upside-down turn of cell ( 0, 0)"});
    }
    void editorStepsUndoAndRedo() {
        const auto [action, step] = fetch<Action, QString>();
        User s;
        s.open(randomBytes(8192, 5));
        for (int column : {1, 2, 1}) // addresses 16, 32 and 16 again: two copies of one tile
            s.copyToEditor(column, 0);
        selectCell(s, 0, 0);
        s.click(s.form.ChkFlipX);
        const EditorView before = viewOf(s);
        s.click(s.form.BtCol[3]);
        action(s);
        const EditorView after = viewOf(s);
        QVERIFY(!(after.tiles == before.tiles));
        s.undo();
        QVERIFY(viewOf(s) == before);
        QCOMPARE(s.status(), "Undone: " + step);
        s.redo();
        QVERIFY(viewOf(s) == after);
        QCOMPARE(s.status(), "Redone: " + step);
        s.undo();
        s.undo(); // the action was one step: the next undo takes back the mirror before it
        QCOMPARE(s.status(), QStringLiteral("Undone: mirror of cell ( 0, 0)"));
        VERIFY_PROMPTS(s.prompts);
    }

    // A stroke that paints nothing, selecting by click and by the arrow keys: no steps.
    void whatChangesNothingIsNoStep() {
        User s;
        s.click(s.form.OptionPaint); // colour 0 on empty cells
        stroke(s, {s.editorPixel(2, 1), s.editorPixel(3, 1)});
        selectCell(s, 4, 2);
        s.form.EditorBox->setFocus();
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Left, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up})
            QTest::keyClick(s.form.EditorBox, key, Qt::NoModifier);
        EditorPicture view;
        view.selColumn = 2;
        COMPARE_PICTURE(s.form.EditorBox->surface(), expectedEditor({}, view), "arrows");
        s.undo();
        QCOMPARE(s.status(), QStringLiteral("Nothing to undo."));
        s.press(Qt::Key_Y);
        QCOMPARE(s.status(), QStringLiteral("Nothing to redo."));
    }

    // Each write undone and redone; an undo refused, changing nothing, when the question is
    // answered No or the file no longer holds what the write left there.
    void writesUndoAndRedo_data() {
        // What happens before the undo; the step the undo names, or the box refusing it.
        using R = Row<Action, QString, QString>;
        const auto nothing = [](User&) {};
        rows(R{"save the tile", nothing, "save of cell ( 0, 0) at 16", ""},
             R{"copy to the marked cell", nothing, "copy of cell ( 0, 0) to 80", ""},
             R{"copy to a typed address", nothing, "copy of cell ( 0, 0) to 300", ""},
             R{"save all", nothing, "save of all tiles", ""},
             R{"undo answered No", [](User& s) { s.confirmNextWrite(MsgAnswer::No); }, "", ""},
             R{"bytes changed since", [](User& s) { scribble(s); }, "", "changed"},
             R{"file replaced since",
               [](User& s) {
                   QVERIFY(QFile::remove(s.path));
                   QVERIFY(QFile::copy(s.write(randomBytes(8192, 8), "new.gb"),
                                       s.dir.filePath("rom.gb")));
                   s.path = s.dir.filePath("rom.gb");
               },
               "",
               "The file %1 was removed or replaced since it was written.\rNothing was changed."});
    }
    void writesUndoAndRedo() {
        const auto [change, step, refusal] = fetch<Action, QString, QString>();
        const QString write = QTest::currentDataTag();
        User s;
        const QByteArray original = openWithTwoFilledCells(s, 9);
        Session::press(s.form.SpriteBox, s.browserCell(5, 0)); // the marked cell, address 80
        Session::type(s.form.TextEditAddress, QStringLiteral("300"));
        s.confirmNextWrite();
        s.click(write.contains("marked")  ? s.form.BtCopySelTile
                : write.contains("typed") ? s.form.BtCopyToAddress
                : write == "save all"     ? s.form.BtSaveEdit
                                          : s.form.SaveTile);
        const QByteArray written = s.onDisk();
        change(s);
        if (step.isEmpty()) {
            const QByteArray before = s.onDisk();
            if (!refusal.isEmpty()) s.confirmNextWrite();
            if (!refusal.isEmpty())
                s.prompts.expect(
                    refusal == "changed"
                        ? bytesChanged(16, s.path, true)
                        : expected::refusal(refusal.arg(s.path), "Can not undo the write"));
            s.undo();
            QCOMPARE(s.onDisk(), before);
            VERIFY_PROMPTS(s.prompts);
            return;
        }
        s.confirmNextWrite();
        s.undo();
        QCOMPARE(s.onDisk(), original);
        QCOMPARE(s.status(), "Undone: " + step);
        BrowserPicture view;
        view.markColumn = 5;
        COMPARE_PICTURE(s.form.SpriteBox->surface(), expectedBrowser(original, view), "undone");
        s.confirmNextWrite();
        s.press(Qt::Key_Y);
        QCOMPARE(s.onDisk(), written);
        QCOMPARE(s.status(), "Redone: " + step);
        // Redo asks for the bytes the write replaced.
        const int address = write.contains("marked") ? 80 : write.contains("typed") ? 300 : 16;
        s.confirmNextWrite();
        s.undo();
        scribble(s, address);
        s.confirmNextWrite();
        s.prompts.expect(bytesChanged(address, s.path, false));
        s.redo();
        VERIFY_PROMPTS(s.prompts);
    }

    // A failed "Save all" leaves the tiles written before the failure as its step; closing
    // the file drops the writes and the cells' addresses from the history.
    void failedWritesAndClosing() {
        User s;
        const QByteArray original = openWithTwoFilledCells(s, 6);
        selectCell(s, 1, 0);
        s.copyToEditor(0, 5); // address 800 into cell 1
        fillCell(s, 1, 0);
        QVERIFY(QFile::resize(s.path, 400));
        const QString failure = "Can not save. The 16 bytes at address 800 do not lie inside " +
                                s.path + ", which is now 400 bytes long.";
        s.confirmNextWrite();
        s.prompts.expect(expected::refusal(failure + "\r1 tile was written before the failure.",
                                           "Saving not possible"));
        s.click(s.form.BtSaveEdit); // cell 0 (address 16) is written, cell 1 fails
        s.confirmNextWrite();
        s.undo();
        QCOMPARE(s.onDisk(), original.left(400));
        QCOMPARE(s.status(), QStringLiteral("Undone: save of all tiles"));
        s.confirmNextWrite();
        s.redo();
        const QByteArray written = s.onDisk();
        s.press(Qt::Key_W);
        QCOMPARE(s.status(), "The history of writes to " + s.path + " was cleared.");
        s.undo(); // no question: the write is gone, the fill is next
        QCOMPARE(s.status(), QStringLiteral("Undone: fill of cell ( 1, 0)"));
        selectCell(s, 1, 0); // its tile came back without the closed file's address
        QCOMPARE(s.form.TextEditAddress->text(), QStringLiteral("0"));
        QCOMPARE(s.onDisk(), written);
        VERIFY_PROMPTS(s.prompts);
    }

    void patchOfTheSessionGivesTheFileOnDisk() {
        User s;
        const QByteArray original = openWithTwoFilledCells(s, 3);
        s.confirmNextWrite();
        s.click(s.form.BtSaveEdit); // bytes 16 to 47
        Session::type(s.form.TextEditAddress, QStringLiteral("1000"));
        s.confirmNextWrite();
        s.click(s.form.BtCopyToAddress);
        s.confirmNextWrite();
        s.undo(); // bytes 1000 to 1015 are the original ones again
        const QString patch = s.dir.filePath("session.ips");
        s.prompts.expectSave(patch);
        s.press(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(s.prompts.suggested, QStringList{s.dir.filePath("rom.ips")});
        QCOMPARE(applyIps(original, fileBytes(patch)), s.onDisk());
        const QByteArray now = s.onDisk();
        qsizetype changed = 0;
        for (qsizetype i = 16; i < 48; ++i)
            changed += original[i] != now[i];
        QCOMPARE(s.status(),
                 QString("A patch of %1 changed bytes was written to %2.").arg(changed).arg(patch));
        VERIFY_PROMPTS(s.prompts);
    }

    void patchRefusedPast16MiB() {
        User s;
        s.open(QByteArray((qsizetype(16) << 20) + 4096, '\0'));
        s.copyToEditor(1, 0);
        fillCell(s, 0, 0);
        selectCell(s, 0, 0);
        Session::type(s.form.TextEditAddress, QStringLiteral("16777300"));
        s.confirmNextWrite();
        s.click(s.form.BtCopyToAddress);
        s.prompts.expect(expected::refusal(
            "This session changed the byte at address 16777300. An IPS patch reaches only the "
            "first 16 MiB\r(addresses below 16777216). No patch was made.",
            "Can not make a patch"));
        s.press(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        VERIFY_PROMPTS(s.prompts);
    }

    void noRecordStartsWhereItWouldReadAsEof() {
        const auto fileByte = [](qint64) { return quint8(0x5A); };
        QCOMPARE(*encodeIpsPatch({{0x454F46, 1}, {0x454F47, 2}}, fileByte), // "PATCH", "EOF"
                 QByteArray::fromHex("5041544348"
                                     "454F45"
                                     "0003"
                                     "5A0102"
                                     "454F46"));
        std::map<qint64, quint8> run; // a longest record ends just before 0x454F46
        QByteArray expected(0x460000, '\0');
        for (qint64 at = 0x454F46 - 0xFFFF; at < 0x454F46 + 100; ++at)
            expected[at] = char(run[at] = quint8(at % 251));
        QCOMPARE(applyIps(QByteArray(0x460000, '\0'), *encodeIpsPatch(run, fileByte)), expected);
    }

    void keysMoveTheBrowserThroughTheJump_data() {
        using R = Row<int, int, int, int>; // typed address, key, rows and pages moved
        rows(R{"down a row", 4000, Qt::Key_Down, 1, 0}, R{"up a row", 4000, Qt::Key_Up, -1, 0},
             R{"a page down", 4000, Qt::Key_PageDown, 0, 1},
             R{"a page up", 4000, Qt::Key_PageUp, 0, -1},
             R{"up at the start", 16, Qt::Key_Up, -1, 0}, R{"home", 4000, Qt::Key_Home, 0, 0},
             R{"end", 4000, Qt::Key_End, 0, 0});
    }
    void keysMoveTheBrowserThroughTheJump() {
        const auto [start, key, rowsMoved, pages] = fetch<int, int, int, int>();
        User s;
        const QByteArray bytes = randomBytes(20000, 7);
        s.open(bytes);
        s.chooseOffset(3);
        Session::type(s.form.TextAddress, QString::number(start));
        QTest::keyClick(s.form.TextAddress, Qt::Key_Return);
        s.form.SpriteBox->setFocus();
        QTest::keyClick(s.form.SpriteBox, Qt::Key(key));
        const int row = 16 * s.state().BrowserColumns;
        const int page = row * s.state().BrowserRows;
        const int typed = key == Qt::Key_Home ? 0
                          : key == Qt::Key_End
                              ? 20000 - page
                              : std::max(start + rowsMoved * row + pages * page, 0);
        QCOMPARE(s.form.TextAddress->text(), QString::number(typed));
        BrowserPicture view;
        view.top = typed + 3;
        COMPARE_PICTURE(s.form.SpriteBox->surface(), expectedBrowser(bytes, view), "key");
        VERIFY_PROMPTS(s.prompts);
    }

    // Any series of actions, undone to its start, leaves the editor and the file as they
    // were; redone to its end, as they were then.
    void randomSessionUndoesToItsStart_data() {
        rows(Row<quint32>{"seed 1", 1}, Row<quint32>{"seed 2", 2}, Row<quint32>{"seed 3", 3});
    }
    void randomSessionUndoesToItsStart() {
        const auto [seed] = fetch<quint32>();
        QRandomGenerator random(seed);
        const auto pick = [&](int n) { return int(random.bounded(n)); };
        User s;
        s.prompts.anyBox = [](const MessageSpec&) { return MsgAnswer::Yes; };
        const QByteArray original = randomBytes(4096, seed);
        s.open(original);
        FormMain& f = s.form;
        QWidget* const widgets[] = {
            f.BtDeleteSprite, f.BtEditClear,     f.BtReloadTile, f.BtReload,
            f.ChkFlipX,       f.ChkFlipY,        f.SaveTile,     f.BtSaveEdit,
            f.BtCopySelTile,  f.BtCopyToAddress, f.OptionPaint,  f.OptionFill,
            f.OptionSelect,   f.BtCol[1],        f.BtCol[3],     f.ChkWriteProtected};
        const auto cell = [&] { return s.editorPixel(pick(10), pick(8), pick(8), pick(8)); };
        for (int action = 0; action < 80; ++action) {
            const int what = pick(5);
            if (what == 0) s.copyToEditor(pick(8), pick(6));
            if (what == 1) Session::type(f.TextEditAddress, QString::number(pick(4000)));
            if (what == 1 || what == 2) stroke(s, {cell(), cell()});
            if (what > 2) s.click(widgets[pick(int(std::size(widgets)))]);
        }
        s.form.EditorBox->setFocus(); // not the address box, whose Ctrl+Z undoes typing
        const EditorTileArray endTiles = s.state().EditorTiles;
        const QByteArray endBytes = s.onDisk();
        for (int n = 0; n < 200 && s.status() != "Nothing to undo."; ++n)
            s.undo();
        QVERIFY(s.state().EditorTiles == EditorTileArray{});
        QCOMPARE(s.onDisk(), original);
        for (int n = 0; n < 200 && s.status() != "Nothing to redo."; ++n)
            s.redo();
        QVERIFY(s.state().EditorTiles == endTiles);
        QCOMPARE(s.onDisk(), endBytes);
        VERIFY_PROMPTS(s.prompts);
    }
};

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
