// Undo and redo of the editor's steps and of the writes, the patch of a session, and the keys
// that move the browser's view and the editor's selection, all driven as a user drives them.
#include "session.h"

#include <QDir>
#include <QFile>

namespace {

// A session with the history's keys at hand.
struct User : Session {
    void undo() { key(Qt::Key_Z, Qt::ControlModifier); }
    void redo() { key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
    // The undo of the write at `address` asks what it puts back where, answered `answer`.
    void confirmUndo(qint32 address, MsgAnswer answer = MsgAnswer::Yes) {
        prompts.expect(expected::confirmUndo(QStringLiteral("at address %1").arg(address)), answer);
    }
    // The question answered Yes, then the write button's click.
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

// What the editor and the browser show and hold, and the file.
auto viewOf(const User& s) {
    const FormMain& f = s.form;
    return std::tuple(s.state().EditorTiles, f.TextEditAddress->text(),
                      f.ChkWriteProtected->isChecked(), f.ChkFlipX->isChecked(),
                      f.ChkFlipY->isChecked(), s.editor().copy(), s.browser().copy(), s.onDisk());
}

// A file with tiles 16 (cell 0) and 32 (cell 1) copied into the editor and filled with
// colours 3 and 2; cell 0 selected.
QByteArray openWithTwoFilledCells(User& s, const QByteArray& original) {
    s.open(original);
    s.copyToEditor(1, 0);
    s.copyToEditor(2, 0);
    s.fill(0, 0, 3);
    s.fill(1, 0, 2);
    s.select(0, 0);
    return original;
}

using F = FormMain; // for tables of its buttons

} // namespace

class TestHistory : public QObject {
    Q_OBJECT
  private slots:
    // Each kind of step (the button clicked, none: a copy from the browser; then a stroke)
    // undone and redone after copies, a fill and a mirror; a write asks each time.
    void stepsUndoAndRedo_data() {
        using R = Row<Button, QList<QPointF>, QString, qint32>; // ..., the step, written at
        // clang-format off
        rows(R{"paint", &F::OptionPaint, {{1, 1}, {7, 16}, {37, 13}}, "paint in cell ( 0, 0)", 0},
             R{"fill", &F::OptionFill, {{30, 10}}, "fill of cell ( 1, 0)", 0},
             R{"clear the tile", &F::BtDeleteSprite, {}, "clear of cell ( 0, 0)", 0},
             R{"clear all", &F::BtEditClear, {}, "clear of all cells", 0},
             R{"copy into the editor", nullptr, {}, "copy of address 80 into cell ( 0, 0)", 0},
             R{"reload the tile", &F::BtReloadTile, {}, "reload of cell ( 0, 0)", 0},
             R{"reload all", &F::BtReload, {}, "reload of all cells", 0},
             R{"write protection", &F::ChkWriteProtected, {}, "write protection of cell ( 0, 0)", 0},
             R{"mirror", &F::ChkFlipX, {}, "mirror of cell ( 0, 0)", 0},
             R{"upside down", &F::ChkFlipY, {}, "upside-down turn of cell ( 0, 0)", 0},
             R{"save the tile", &F::SaveTile, {}, "save of cell ( 0, 0) at 16", 16},
             R{"copy to the marked cell", &F::BtCopySelTile, {}, "copy of cell ( 0, 0) to 80", 80},
             R{"copy to a typed address", &F::BtCopyToAddress, {}, "copy of cell ( 0, 0) to 300", 300});
        // clang-format on
    }
    void stepsUndoAndRedo() {
        const auto [button, points, step, written] =
            fetch<Button, QList<QPointF>, QString, qint32>();
        const bool write = written != 0;
        User s;
        s.open(randomBytes(8192, 5));
        for (int column : {1, 2, 1}) // addresses 16, 32 and 16 again: two copies of one tile
            s.copyToEditor(column, 0);
        s.fill(0, 0, 2);
        s.select(0, 0);
        s.click(s.form.BtCol[3]);                              // the colour painted with
        Session::press(s.form.SpriteBox, s.browserCell(5, 0)); // the marked cell, address 80
        s.click(s.form.ChkFlipX);
        if (button == &F::BtCopyToAddress) s.type(s.form.TextEditAddress, QStringLiteral("300"));
        const auto before = viewOf(s);
        if (button == &F::BtEditClear) s.prompts.expect(expected::kConfirmClear, MsgAnswer::Yes);
        if (write) s.confirmNextWrite();
        if (button) s.click(s.form.*button);
        if (!button) s.copyToEditor(5, 0);
        if (!points.isEmpty()) stroke(s, points);
        const auto after = viewOf(s);
        QVERIFY(after != before);
        for (const bool undo : {true, false, true}) {
            if (write && undo) s.confirmUndo(written);
            if (write && !undo) s.confirmNextWrite();
            undo ? s.undo() : s.redo();
            QVERIFY(viewOf(s) == (undo ? before : after));
            QCOMPARE(s.status(), (undo ? "Undone: " : "Redone: ") + step);
        }
        s.undo(); // the action was one step: the next undo takes back the mirror before it
        QCOMPARE(s.status(), QStringLiteral("Undone: mirror of cell ( 0, 0)"));
        VERIFY_PROMPTS(s.prompts);
    }

    // A failed "Save all" leaves the tiles written before the failure as its step. Its undo
    // and redo are refused, changing nothing, when the question is answered No or the file no
    // longer holds the bytes they expect there. Closing the file drops the writes and the
    // cells' addresses from the history.
    void writeStepsRefusedAndForgotten() {
        User s;
        const QByteArray shortened = openWithTwoFilledCells(s, randomBytes(8192, 6)).left(400);
        const auto refusal = [&s](const QString& text, const QString& title) {
            title.contains("undo") ? s.confirmUndo(16) : s.confirmNextWrite();
            s.prompts.expect(expected::refusal(text, title));
        };
        const QString changed = "The 16 bytes at address 16 of " + s.path +
                                " are no longer the ones this %1.\rAnother program changed "
                                "them. Nothing was changed.";
        s.select(1, 0);
        s.copyToEditor(0, 5); // address 800 into cell 1
        s.fill(1, 0, 3);
        QVERIFY(QFile::resize(s.path, 400));
        refusal("Can not save. The 16 bytes at address 800 do not lie inside " + s.path +
                    ", which is now 400 bytes long.\r1 tile was written before the failure.",
                "Saving not possible");
        s.click(s.form.BtSaveEdit); // cell 0 (address 16) is written, cell 1 fails
        const QByteArray written = s.onDisk();
        s.confirmUndo(16, MsgAnswer::No);
        s.undo();
        s.write(s.onDisk().replace(20, 1, "?")); // another program changes the tile at 16
        const QByteArray scribbled = s.onDisk();
        refusal(changed.arg("program wrote"), "Can not undo the write");
        s.undo();
        QCOMPARE(s.onDisk(), scribbled);
        s.write(written); // put back in place
        s.confirmUndo(16);
        s.undo();
        QCOMPARE(s.onDisk(), shortened);
        QCOMPARE(s.status(), QStringLiteral("Undone: save of all tiles"));
        s.confirmNextWrite();
        s.key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(s.onDisk(), written);
        s.confirmUndo(16);
        s.undo();
        s.write(s.onDisk().replace(20, 1, "?"));
        refusal(changed.arg("write replaced"), "Can not redo the write");
        s.redo();
        QVERIFY(QFile::rename(s.path, s.path + ".old"));
        s.write(shortened);
        refusal("The file " + s.path +
                    " was removed or replaced since it was written.\rNothing was changed.",
                "Can not redo the write");
        s.redo();
        s.key(Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(s.status(), "The history of writes to " + s.path + " was cleared.");
        s.undo(); // no question: the write is gone, the fill is next
        QCOMPARE(s.status(), QStringLiteral("Undone: fill of cell ( 1, 0)"));
        s.select(1, 0); // its tile came back without the closed file's address
        QCOMPARE(s.form.TextEditAddress->text(), QStringLiteral("0"));
        QCOMPARE(s.onDisk(), shortened);
        VERIFY_PROMPTS(s.prompts);
    }

    // The patch of a 16 MiB file of zeros gives the file on disk, a write at the offset that
    // reads as "EOF" too; a byte changed at 16 MiB makes it impossible. The patch key ends a
    // stroke; a cancelled dialog, or the ROM's own name, makes no patch. (A session without
    // writes is the neighbours test's.)
    void patchOfTheSession() {
        User s;
        QByteArray zeros((qsizetype(16) << 20) + 4096, 0);
        zeros[0x454F45] = 'Z'; // a record at "EOF" read as an offset starts here, with this byte
        const QByteArray original = openWithTwoFilledCells(s, zeros);
        const auto patchKey = [&s] { s.key(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier); };
        const auto refusal = [&s](const QString& text) {
            s.prompts.expect(expected::refusal(text, "Can not make a patch"));
        };
        s.clickWrite(s.form.BtSaveEdit); // bytes 16 to 47
        Session::type(s.form.TextEditAddress, QString::number(0x454F46));
        s.clickWrite(s.form.BtCopyToAddress);
        s.select(1, 0); // colour 2: bytes 1, 3, ..., 15 of a tile change
        Session::type(s.form.TextEditAddress, QStringLiteral("16777200"));
        s.clickWrite(s.form.BtCopyToAddress); // up to 16777215, the last byte within reach
        const QByteArray rom = s.onDisk();
        s.paint(0, 0, 0, 0, 1); // a stroke, painted on after the cancelled dialog
        s.prompts.expectSave(QString());
        patchKey();
        Session::move(s.form.EditorBox, s.editorPixel(0, 0, 5, 5), Qt::LeftButton);
        Session::release(s.form.EditorBox, s.editorPixel(0, 0, 5, 5));
        s.undo();
        s.undo(); // the second undo still takes back paint: the key ended the first stroke
        QCOMPARE(s.status(), QStringLiteral("Undone: paint in cell ( 0, 0)"));
        s.prompts.expectSave(s.path);
        refusal("The patch would replace the open ROM file.\rChoose another name.");
        patchKey();
        QCOMPARE(s.onDisk(), rom);
        QCOMPARE(QDir(s.dir.path()).entryList(QDir::Files), QStringList{"rom.gb"});
        const QString patch = s.dir.filePath("session.ips");
        s.prompts.expectSave(patch);
        patchKey();
        QCOMPARE(s.prompts.suggested, QStringList(3, s.dir.filePath("rom.ips")));
        QCOMPARE(applyIps(original, fileBytes(patch)), rom);
        QCOMPARE(s.status(), "A patch of 48 changed bytes was written to " + patch + '.');
        Session::type(s.form.TextEditAddress, QStringLiteral("16777201"));
        s.clickWrite(s.form.BtCopyToAddress);
        refusal("This session changed the byte at address 16777216. An IPS patch reaches only "
                "the first 16 MiB\r(addresses below 16777216). No patch was made.");
        patchKey();
        VERIFY_PROMPTS(s.prompts);
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
        // End's page shows the last whole tile from 3 on (19971) in the last wholly shown cell
        // (8, 15); Page Up stops at 0. The read-out of the pointer standing still on cell (2, 1)
        // follows the view, but off the drawing area it names nothing.
        s.pointerOnBrowser(s.browserCell(2, 1));
        const std::pair<Qt::Key, int> keys[] = {{Qt::Key_Down, 160},  {Qt::Key_PageDown, 2880},
                                                {Qt::Key_Up, 2720},   {Qt::Key_PageUp, 0},
                                                {Qt::Key_End, 17440}, {Qt::Key_Home, 0}};
        for (const auto& [key, typed] : keys) { // each a jump to the address it types
            QTest::keyClick(s.form.SpriteBox, key);
            QCOMPARE(s.form.TextAddress->text(), QString::number(typed));
            COMPARE_PICTURE(s.browser(), expectedBrowser(bytes, {.top = typed + 3}), "key");
        }
        s.pointerOnBrowser({-1, 30});
        QTest::keyClick(s.form.SpriteBox, Qt::Key_PageDown);
        QCOMPARE(s.status(), QStringLiteral("Sprite at 195 ( 2, 1)"));
        s.click(s.form.OptionPaint); // colour 0 on empty cells
        stroke(s, {{50, 30}, {75, 30}});
        s.select(8, 1);
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
};

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
