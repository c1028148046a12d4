// Undo and redo of the editor's steps and of the writes, the patch of a session, and the keys
// that move the browser's view and the editor's selection, all driven as a user drives them.
#include "core/transfer/ipspatch.h"
#include "session.h"

#include <QFile>
#include <QRandomGenerator>

namespace {

// A session with the history's keys at hand.
struct User : Session {
    void undo() { key(Qt::Key_Z, Qt::ControlModifier); }
    void redo() { key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
    // The write question answered Yes, then the undo or the write button's click.
    void undoWrite() {
        confirmNextWrite();
        undo();
    }
    void clickWrite(GraphicButton* button) {
        confirmNextWrite();
        click(button);
    }
};

// A press, moves and a release of the left button on the editor (24 pixels to a cell).
void stroke(User& s, const QList<QPointF>& at) {
    Session::press(s.form.EditorBox, at.first());
    for (const QPointF& p : at)
        Session::move(s.form.EditorBox, p, Qt::LeftButton);
    Session::release(s.form.EditorBox, at.last());
}
// Tool `tool` (Select unless given) used on cell (column, row), after colour `color`.
void useOn(User& s, int column, int row, Button tool = &FormMain::OptionSelect, int color = 3) {
    s.click(s.form.BtCol[color]);
    s.click(s.form.*tool);
    stroke(s, {s.editorPixel(column, row)});
}

// What the editor shows and holds.
auto viewOf(const User& s) {
    const FormMain& f = s.form;
    return std::tuple(s.state().EditorTiles, f.TextEditAddress->text(),
                      f.ChkWriteProtected->isChecked(), f.ChkFlipX->isChecked(),
                      f.ChkFlipY->isChecked(), s.editor().copy());
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

// A file with tiles 16 (cell 0) and 32 (cell 1) copied into the editor and filled with
// colours 3 and 2; cell 0 selected.
QByteArray openWithTwoFilledCells(User& s, const QByteArray& original) {
    s.open(original);
    s.copyToEditor(1, 0);
    s.copyToEditor(2, 0);
    useOn(s, 0, 0, &FormMain::OptionFill);
    useOn(s, 1, 0, &FormMain::OptionFill, 2);
    useOn(s, 0, 0);
    return original;
}

// Another program changes a byte of the tile at `tile`.
void scribble(User& s, qint64 tile) {
    QFile file(s.path);
    QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(tile + 4) && file.write("?"));
}

using F = FormMain; // for tables of its buttons

} // namespace

class TestHistory : public QObject {
    Q_OBJECT
  private slots:
    // The button clicked (none: a copy from the browser), then a stroke.
    void editorStepsUndoAndRedo_data() {
        using R = Row<Button, QList<QPointF>, QString>;
        // clang-format off
        rows(R{"paint", &F::OptionPaint, {{1, 1}, {7, 16}, {37, 13}}, "paint in cell ( 0, 0)"},
             R{"fill", &F::OptionFill, {{30, 10}}, "fill of cell ( 1, 0)"},
             R{"clear the tile", &F::BtDeleteSprite, {}, "clear of cell ( 0, 0)"},
             R{"clear all", &F::BtEditClear, {}, "clear of all cells"},
             R{"copy into the editor", nullptr, {}, "copy of address 64 into cell ( 0, 0)"},
             R{"reload the tile", &F::BtReloadTile, {}, "reload of cell ( 0, 0)"},
             R{"reload all", &F::BtReload, {}, "reload of all cells"},
             R{"write protection", &F::ChkWriteProtected, {}, "write protection of cell ( 0, 0)"},
             R{"mirror", &F::ChkFlipX, {}, "mirror of cell ( 0, 0)"},
             R{"upside down", &F::ChkFlipY, {}, "upside-down turn of cell ( 0, 0)"});
        // clang-format on
    }
    void editorStepsUndoAndRedo() {
        const auto [button, points, step] = fetch<Button, QList<QPointF>, QString>();
        User s;
        s.open(randomBytes(8192, 5));
        for (int column : {1, 2, 1}) // addresses 16, 32 and 16 again: two copies of one tile
            s.copyToEditor(column, 0);
        useOn(s, 0, 0);
        s.click(s.form.ChkFlipX);
        const auto before = viewOf(s);
        if (button == &F::BtEditClear) s.prompts.expect(expected::kConfirmClear, MsgAnswer::Yes);
        if (button) s.click(s.form.*button);
        if (!button) s.copyToEditor(4, 0);
        if (!points.isEmpty()) stroke(s, points);
        const auto after = viewOf(s);
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

    // Each write undone and redone. Undo and redo are refused, changing nothing, when the
    // question is answered No or the file no longer holds the bytes they expect there.
    void writesUndoAndRedo_data() {
        using R = Row<Button, int, QString>; // the write, its address: the step
        // clang-format off
        rows(R{"save the tile", &F::SaveTile, 16, "save of cell ( 0, 0) at 16"},
             R{"copy to the marked cell", &F::BtCopySelTile, 80, "copy of cell ( 0, 0) to 80"},
             R{"copy to a typed address", &F::BtCopyToAddress, 300, "copy of cell ( 0, 0) to 300"},
             R{"save all", &F::BtSaveEdit, 16, "save of all tiles"});
        // clang-format on
    }
    void writesUndoAndRedo() {
        const auto [button, address, step] = fetch<Button, int, QString>();
        User s;
        const QByteArray original = openWithTwoFilledCells(s, randomBytes(8192, 9));
        const auto refusal = [&s](const QString& text, bool undo) {
            s.confirmNextWrite();
            s.prompts.expect(expected::refusal(text, undo ? "Can not undo the write"
                                                          : "Can not redo the write"));
        };
        const QString changed = "The 16 bytes at address " + QString::number(address) + " of " +
                                s.path +
                                " are no longer the ones this %1.\rAnother program "
                                "changed them. Nothing was changed.";
        Session::press(s.form.SpriteBox, s.browserCell(5, 0)); // the marked cell, address 80
        Session::type(s.form.TextEditAddress, QStringLiteral("300"));
        s.clickWrite(s.form.*button);
        const QByteArray written = s.onDisk();
        s.confirmNextWrite(MsgAnswer::No);
        s.undo();
        scribble(s, address);
        const QByteArray scribbled = s.onDisk();
        refusal(changed.arg("program wrote"), true);
        s.undo();
        QCOMPARE(s.onDisk(), scribbled);
        s.write(written); // put back in place
        s.undoWrite();
        QCOMPARE(s.onDisk(), original);
        QCOMPARE(s.status(), "Undone: " + step);
        COMPARE_PICTURE(s.browser(), expectedBrowser(original, {.markColumn = 5}), "undone");
        s.confirmNextWrite();
        s.key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(s.onDisk(), written);
        QCOMPARE(s.status(), "Redone: " + step);
        s.undoWrite();
        scribble(s, address);
        refusal(changed.arg("write replaced"), false);
        s.redo();
        QVERIFY(QFile::rename(s.path, s.path + ".old"));
        s.write(original);
        refusal("The file " + s.path +
                    " was removed or replaced since it was written.\rNothing was changed.",
                false);
        s.redo();
        QCOMPARE(s.onDisk(), original);
        VERIFY_PROMPTS(s.prompts);
    }

    // A failed "Save all" leaves the tiles written before the failure as its step; closing
    // the file drops the writes and the cells' addresses from the history.
    void failedWritesAndClosing() {
        User s;
        const QByteArray original = openWithTwoFilledCells(s, randomBytes(8192, 6));
        useOn(s, 1, 0);
        s.copyToEditor(0, 5); // address 800 into cell 1
        useOn(s, 1, 0, &FormMain::OptionFill);
        QVERIFY(QFile::resize(s.path, 400));
        s.confirmNextWrite();
        s.prompts.expect(expected::refusal(
            "Can not save. The 16 bytes at address 800 do not lie inside " + s.path +
                ", which is now 400 bytes long.\r1 tile was written before the failure.",
            "Saving not possible"));
        s.click(s.form.BtSaveEdit); // cell 0 (address 16) is written, cell 1 fails
        s.undoWrite();
        QCOMPARE(s.onDisk(), original.left(400));
        QCOMPARE(s.status(), QStringLiteral("Undone: save of all tiles"));
        s.confirmNextWrite();
        s.redo();
        const QByteArray written = s.onDisk();
        s.key(Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(s.status(), "The history of writes to " + s.path + " was cleared.");
        s.undo(); // no question: the write is gone, the fill is next
        QCOMPARE(s.status(), QStringLiteral("Undone: fill of cell ( 1, 0)"));
        useOn(s, 1, 0); // its tile came back without the closed file's address
        QCOMPARE(s.form.TextEditAddress->text(), QStringLiteral("0"));
        QCOMPARE(s.onDisk(), written);
        VERIFY_PROMPTS(s.prompts);
    }

    // The patch of a 16 MiB file of zeros gives the file on disk; a byte changed past 16 MiB
    // makes it impossible.
    void patchOfTheSession() {
        User s;
        const QByteArray original =
            openWithTwoFilledCells(s, QByteArray((qsizetype(16) << 20) + 4096, 0));
        s.clickWrite(s.form.BtSaveEdit); // bytes 16 to 47
        Session::type(s.form.TextEditAddress, QStringLiteral("1000"));
        s.clickWrite(s.form.BtCopyToAddress);
        s.undoWrite(); // bytes 1000 to 1015 are the original ones again
        const QString patch = s.dir.filePath("session.ips");
        s.prompts.expectSave(patch);
        s.key(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(s.prompts.suggested, QStringList{s.dir.filePath("rom.ips")});
        QCOMPARE(applyIps(original, fileBytes(patch)), s.onDisk());
        // 16 bytes 0xFF of colour 3, 8 of colour 2's high bit plane
        QCOMPARE(s.status(), "A patch of 24 changed bytes was written to " + patch + '.');
        Session::type(s.form.TextEditAddress, QStringLiteral("16777300"));
        s.clickWrite(s.form.BtCopyToAddress);
        s.prompts.expect(expected::refusal(
            "This session changed the byte at address 16777300. An IPS patch reaches only the "
            "first 16 MiB\r(addresses below 16777216). No patch was made.",
            "Can not make a patch"));
        s.key(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        VERIFY_PROMPTS(s.prompts);
    }

    void noRecordStartsWhereItWouldReadAsEof() {
        const auto fileByte = [](qint64) { return quint8(0x5A); };
        QCOMPARE(*encodeIpsPatch({{0x454F46, 1}, {0x454F47, 2}}, fileByte), // "PATCH", "EOF"
                 QByteArray::fromHex("5041544348 454F45 0003 5A0102 454F46"));
        std::map<qint64, quint8> run; // a longest record ends just before 0x454F46
        QByteArray expected(0x460000, '\0');
        for (qint64 at = 0x454F46 - 0xFFFF; at < 0x454F46 + 100; ++at)
            expected[at] = char(run[at] = quint8(at % 251));
        QCOMPARE(applyIps(QByteArray(0x460000, '\0'), *encodeIpsPatch(run, fileByte)), expected);
    }

    // Keys on the picture boxes. From the start the browser's view moves, each key after the
    // one before, with 10 cells of 16 bytes to a row and 17 rows to a page of a 20000-byte
    // file; the editor's selection moves and stops at the edges. Neither, nor a stroke that
    // paints nothing, nor selecting by click, is a step.
    void keysAndWhatChangesNothing() {
        User s;
        const QByteArray bytes = randomBytes(20000, 7);
        s.open(bytes);
        s.chooseOffset(3);
        s.form.SpriteBox->setFocus();
        const std::pair<Qt::Key, int> keys[] = {{Qt::Key_Down, 160},   {Qt::Key_Down, 320},
                                                {Qt::Key_Up, 160},     {Qt::Key_PageDown, 2880},
                                                {Qt::Key_PageUp, 160}, {Qt::Key_End, 17280},
                                                {Qt::Key_Home, 0},     {Qt::Key_Up, 0}};
        for (const auto& [key, typed] : keys) {
            QTest::keyClick(s.form.SpriteBox, key);
            QCOMPARE(s.form.TextAddress->text(), QString::number(typed));
            COMPARE_PICTURE(s.browser(), expectedBrowser(bytes, {.top = typed + 3}), "key");
        }
        s.click(s.form.OptionPaint); // colour 0 on empty cells
        stroke(s, {{50, 30}, {75, 30}});
        useOn(s, 8, 1);
        s.form.EditorBox->setFocus();
        // Up to row 0, right to column 9, down to 2, left to 7; then left to 0, down to 7, right
        // to 1, up to 6: each stop at an edge shows in the cell where the keys end.
        for (const auto& [keys, column, row] :
             {std::tuple("UURRDDLL", 7, 2), std::tuple("LLLLLLLLLDDDDDDRU", 1, 6)}) {
            for (const char key : QByteArrayView(keys)) // Left, Up, Right, Down
                QTest::keyClick(s.form.EditorBox,
                                Qt::Key(Qt::Key_Left + QByteArray("LURD").indexOf(key)));
            COMPARE_PICTURE(s.editor(), expectedEditor({}, {.selColumn = column, .selRow = row}),
                            keys);
        }
        s.undo();
        QCOMPARE(s.status(), QStringLiteral("Nothing to undo."));
        s.key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(s.status(), QStringLiteral("Nothing to redo."));
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
        const auto point = [&] { return QPointF(pick(240), pick(192)); };
        for (int action = 0; action < 80; ++action) {
            const int what = pick(5);
            if (what == 0) s.copyToEditor(pick(8), pick(6));
            if (what == 1) Session::type(f.TextEditAddress, QString::number(pick(4000)));
            if (what == 1 || what == 2) stroke(s, {point(), point()});
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
    }
};

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
