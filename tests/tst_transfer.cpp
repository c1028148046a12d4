// Moving tiles between the file and the editor, as a user does it: double-clicks that copy a
// browser tile into the editor, the four buttons that write tiles back into the file, the two
// reloads and the two clears. Every check looks at what the user sees (message boxes, the
// pictures, the tile switches) and at the bytes and length of the file on disk.
#include "pictures.h"
#include "romfiles.h"
#include "scriptedprompts.h"
#include "testtiles.h"
#include "ui/app/formmain.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/picturebox.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <cstdio>

namespace {

constexpr qsizetype kFileLength = 8192;

const QString kConfirmText = QStringLiteral("Do you really want to write your changes to file?\r"
                                            "This will change the file permantly.\r"
                                            "It is strongly recommend that you always\r"
                                            "have a backup of this file when\r"
                                            "you keep your changes.");

MessageSpec refusal(const QString& text, const QString& title) {
    return {text, title, MsgButtons::Ok, MsgIcon::None, MsgAnswer::Ok};
}
MessageSpec askYesNo(const QString& text, const QString& title) {
    return {text, title, MsgButtons::YesNo, MsgIcon::None, MsgAnswer::Yes};
}

const MessageSpec kConfirm = askYesNo(kConfirmText, QStringLiteral("Really saving changes?"));
const MessageSpec kReadOnlyBox = refusal(QStringLiteral("Can not save. The file is read-only."),
                                         QStringLiteral("Saving not possible"));
const MessageSpec kEndOfFileBox =
    refusal(QStringLiteral("The tile can not be copied. It extends\rbehind the end of file."),
            QStringLiteral("Tile can not be copied"));
const MessageSpec kProtectedBox =
    refusal(QStringLiteral("The tile in the editor is writeprotected."),
            QStringLiteral("Can not copy tile to editor"));
const MessageSpec kOverlapBox =
    refusal(QStringLiteral("This tile interferes with a tile that has already been copied."),
            QStringLiteral("Tile can not be copied to the editor."));
const MessageSpec kClearQuestion = askYesNo(
    QStringLiteral("Do you really want to clear the editor?"), QStringLiteral("Clear the editor"));

MessageSpec saveRefusal(const QString& text) {
    return refusal(text, QStringLiteral("Can not save to file."));
}

// The tile format worked out by hand: per row the low plane byte, then the high plane byte,
// bit 7 for the leftmost pixel.
TilePixels decodeLocal(const QByteArray& file, qsizetype address) {
    TilePixels pixels{};
    for (int y = 0; y < 8; ++y) {
        const auto low = quint8(file.at(address + 2 * y));
        const auto high = quint8(file.at(address + 2 * y + 1));
        for (int x = 0; x < 8; ++x)
            pixels[size_t(8 * y + x)] =
                quint8(((low >> (7 - x)) & 1) + 2 * ((high >> (7 - x)) & 1));
    }
    return pixels;
}

QByteArray withTile(QByteArray file, qsizetype address, const QByteArray& tile) {
    file.replace(address, 16, tile);
    return file;
}

// The three pixels that paintSample() puts into a cell, as stored pixel indices.
TilePixels paintedSample(TilePixels pixels) {
    pixels[0] = 3;         // (0, 0)
    pixels[8 + 7] = 1;     // (7, 1)
    pixels[8 * 7 + 2] = 2; // (2, 7)
    return pixels;
}

// Answers every question with Yes and records every box, for boxes whose text carries a reason
// of the system that a test can only check in part.
class RecordingPrompts : public Prompts {
  public:
    QString openPath;
    QList<MessageSpec> shown;
    MsgAnswer messageBox(const MessageSpec& message) override {
        shown << message;
        return message.buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
    }
    QString saveFileName(const QString&, const QString&) override { return {}; }
    QString openFileName(const QString& filterList) override {
        Q_UNUSED(filterList);
        return openPath;
    }
    ColorRef chooseColor(ColorRef current) override { return current; }
};

// What a user does with the mouse, at zoom 3 and without grids.
void pressBrowserCell(FormMain& f, int column, int row) {
    f.SpriteBox_MouseDown(1, 0, 24 * column + 5, 24 * row + 5);
}

void jumpTo(FormMain& f, qint32 address) {
    f.TextAddress->setText(QString::number(address));
    f.BtJumpAdd_Click();
}

// Shows the tile at `address` in the browser's top-left cell and double-clicks it.
void copyFrom(FormMain& f, qint32 address) {
    jumpTo(f, address);
    pressBrowserCell(f, 0, 0);
    f.SpriteBox_DblClick();
}

void selectCell(FormMain& f, int column, int row) {
    f.OptionSelect->click();
    f.EditorBox_MouseDown(1, 0, 24 * column + 5, 24 * row + 5);
}

void paintPixel(FormMain& f, int column, int row, int x, int y, int color) {
    f.OptionPaint->click();
    f.BtCol_Click(color);
    f.EditorBox_MouseDown(1, 0, 24 * column + 3 * x + 1, 24 * row + 3 * y + 1);
}

// Paints the three pixels of paintedSample() into an unmirrored cell.
void paintSample(FormMain& f, int column, int row) {
    paintPixel(f, column, row, 0, 0, 3);
    paintPixel(f, column, row, 7, 1, 1);
    paintPixel(f, column, row, 2, 7, 2);
}

void pressWriteButton(FormMain& f, const QString& button) {
    if (button == "SaveTile")
        f.SaveTile_Click();
    else if (button == "BtCopySelTile")
        f.BtCopySelTile_Click();
    else if (button == "BtCopyToAddress")
        f.BtCopyToAddress_Click();
    else if (button == "BtSaveEdit")
        f.BtSaveEdit_Click();
    else
        QFAIL("unknown button");
}

// A colour no view ever draws, put into a box to see whether it was drawn again.
constexpr QRgb kSentinel = 0xff010203;
void markSurface(PictureBox* box) {
    box->surface().setPixel(0, 0, kSentinel);
}
bool stillMarked(const PictureBox* box) {
    return box->surface().pixel(0, 0) == kSentinel;
}

BrowserPicture browserView(const FormMain& f) {
    BrowserPicture view;
    view.top = f.state().BrowserTopAddress;
    view.markColumn = f.state().BrowserSelColumn;
    view.markRow = f.state().BrowserSelRow;
    return view;
}

EditorPicture editorView(const FormMain& f) {
    EditorPicture view;
    view.selColumn = f.state().EditorSelColumn;
    view.selRow = f.state().EditorSelRow;
    return view;
}

const TileRecord& cell(const FormMain& f, int index) {
    return f.state().EditorTiles[size_t(index)];
}

} // namespace

class TestTransfer : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;
    QByteArray m_original;

    void openIn(FormMain& f, ScriptedPrompts& prompts) {
        prompts.expectOpen(m_path);
        f.BtOpenFile_Click();
    }

    // An editor whose cell (0, 0) holds the tile from 4096 with paintedSample()'s pixels,
    // selected, the browser showing 4096 at its top.
    void prepareEditedTile(FormMain& f) {
        copyFrom(f, 4096);
        paintSample(f, 0, 0);
        selectCell(f, 0, 0);
    }

  private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        m_original = randomBytes(kFileLength, 4242);
        m_path = writeRom(m_dir, QStringLiteral("tiles.gb"), m_original);
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
    }

    // --- Copying a browser tile into the editor ---

    void copyPutsTileIntoSelectedCellAndMovesOn() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        copyFrom(form, 16);
        copyFrom(form, 32);
        selectCell(form, 0, 0);
        copyFrom(form, 1000);

        const TileRecord& t = cell(form, 0);
        QVERIFY(t.Pixels == decodeLocal(m_original, 1000));
        QCOMPARE(t.Address, 1000);
        QVERIFY(!t.FlipX && !t.FlipY && !t.WriteProtected);
        QCOMPARE(form.state().EditorSelColumn, 1);
        QCOMPARE(form.state().EditorSelRow, 0);
        // The box beneath shows the address of the newly selected cell, which holds 32.
        QCOMPARE(form.TextEditAddress->text(), QStringLiteral("32"));
        QVERIFY(cell(form, 1).Pixels == decodeLocal(m_original, 32));

        EditorTileArray model{};
        model[0] = {decodeLocal(m_original, 1000), 1000, false, false, false};
        model[1] = {decodeLocal(m_original, 32), 32, false, false, false};
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(model, editorView(form)),
                        "copy-editor");
        QCOMPARE(fileBytes(m_path), m_original);
        VERIFY_PROMPTS(prompts);
    }

    void copyAdvancesSelection_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("nextColumn");
        QTest::addColumn<int>("nextRow");
        QTest::newRow("inside a row") << 3 << 2 << 4 << 2;
        QTest::newRow("end of a row") << 9 << 2 << 0 << 3;
        QTest::newRow("last cell back to first") << 9 << 7 << 0 << 0;
    }
    void copyAdvancesSelection() {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(int, nextColumn);
        QFETCH(int, nextRow);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        selectCell(form, column, row);
        copyFrom(form, 480);
        QCOMPARE(cell(form, column + 10 * row).Address, 480);
        QCOMPARE(form.state().EditorSelColumn, nextColumn);
        QCOMPARE(form.state().EditorSelRow, nextRow);
        VERIFY_PROMPTS(prompts);
    }

    void tenCopiesFillTheFirstRow() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        for (int i = 0; i < 10; ++i)
            copyFrom(form, 64 + 32 * i);
        for (int i = 0; i < 10; ++i)
            QCOMPARE(cell(form, i).Address, 64 + 32 * i);
        QCOMPARE(form.state().EditorSelColumn, 0);
        QCOMPARE(form.state().EditorSelRow, 1);
        VERIFY_PROMPTS(prompts);
    }

    // One cell holds 100 (or none does); the tile at `address` is then copied or refused.
    void copyOverlapRule_data() {
        QTest::addColumn<bool>("cellHolds100");
        QTest::addColumn<int>("address");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty editor, address 5") << false << 5 << true;
        QTest::newRow("empty editor, address 1") << false << 1 << true;
        QTest::newRow("empty editor, address 15") << false << 15 << true;
        QTest::newRow("empty editor, address 0") << false << 0 << true;
        QTest::newRow("empty editor, address 16") << false << 16 << true;
        QTest::newRow("100 held, 100 again") << true << 100 << true;
        QTest::newRow("100 held, 92") << true << 92 << false;
        QTest::newRow("100 held, 115") << true << 115 << false;
        QTest::newRow("100 held, 85") << true << 85 << false;
        QTest::newRow("100 held, 84") << true << 84 << true;
        QTest::newRow("100 held, 116") << true << 116 << true;
    }
    void copyOverlapRule() {
        QFETCH(bool, cellHolds100);
        QFETCH(int, address);
        QFETCH(bool, accepted);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        if (cellHolds100) copyFrom(form, 100);
        const EditorTileArray before = form.state().EditorTiles;
        const int target = form.state().editorSelIndex();
        if (!accepted) prompts.expect(kOverlapBox);
        copyFrom(form, address);
        VERIFY_PROMPTS(prompts);
        if (accepted) {
            QCOMPARE(cell(form, target).Address, address);
            QVERIFY(cell(form, target).Pixels == decodeLocal(m_original, address));
            QCOMPARE(form.state().editorSelIndex(), target + 1);
            if (cellHolds100 && address == 100)
                QCOMPARE(cell(form, 0).Address, 100); // both cells share one address
        } else {
            QVERIFY(form.state().EditorTiles == before);
            QCOMPARE(form.state().editorSelIndex(), target);
        }
    }

    void copyRefusals_data() {
        QTest::addColumn<int>("address");
        QTest::addColumn<bool>("protectTarget");
        QTest::addColumn<bool>("redrawn");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::newRow("one byte past the end")
            << int(kFileLength - 15) << false << false << kEndOfFileBox.text << kEndOfFileBox.title;
        QTest::newRow("end of file before protection")
            << int(kFileLength - 1) << true << false << kEndOfFileBox.text << kEndOfFileBox.title;
        QTest::newRow("protected target")
            << 2000 << true << true << kProtectedBox.text << kProtectedBox.title;
        QTest::newRow("protection before overlap")
            << 104 << true << true << kProtectedBox.text << kProtectedBox.title;
        QTest::newRow("overlap") << 104 << false << true << kOverlapBox.text << kOverlapBox.title;
    }
    // A cell already holds 100; the selected cell (1, 0) may be write-protected.
    void copyRefusals() {
        QFETCH(int, address);
        QFETCH(bool, protectTarget);
        QFETCH(bool, redrawn);
        QFETCH(QString, text);
        QFETCH(QString, title);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        copyFrom(form, 100);
        paintPixel(form, 1, 0, 4, 4, 2);
        selectCell(form, 1, 0);
        if (protectTarget) form.ChkWriteProtected->click();
        QCOMPARE(cell(form, 1).WriteProtected, protectTarget);
        const EditorTileArray before = form.state().EditorTiles;

        jumpTo(form, address);
        pressBrowserCell(form, 0, 0);
        markSurface(form.EditorBox);
        prompts.expect(refusal(text, title));
        form.SpriteBox_DblClick();
        VERIFY_PROMPTS(prompts);

        QVERIFY(form.state().EditorTiles == before);
        QCOMPARE(form.state().EditorSelColumn, 1);
        QCOMPARE(form.state().EditorSelRow, 0);
        QCOMPARE(stillMarked(form.EditorBox), !redrawn);
        if (redrawn)
            COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(before, editorView(form)),
                            "refused-copy-editor");
        QCOMPARE(fileBytes(m_path), m_original);
    }

    void copyOfLastWholeTile() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        copyFrom(form, qint32(kFileLength - 16));
        QCOMPARE(cell(form, 0).Address, qint32(kFileLength - 16));
        QVERIFY(cell(form, 0).Pixels == decodeLocal(m_original, kFileLength - 16));
        VERIFY_PROMPTS(prompts);
    }

    void copyWithoutFileDoesNothing() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        paintPixel(form, 0, 0, 1, 1, 3);
        const EditorTileArray before = form.state().EditorTiles;
        const QImage picture = form.EditorBox->surface();
        pressBrowserCell(form, 0, 0);
        form.SpriteBox_DblClick();
        QVERIFY(form.state().EditorTiles == before);
        QCOMPARE(form.state().editorSelIndex(), 0);
        COMPARE_PICTURE(form.EditorBox->surface(), picture, "nofile-copy-editor");
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedGreyBrowser(), "nofile-copy-browser");
        VERIFY_PROMPTS(prompts);
    }

    // --- Writing tiles into the file ---

    void writeAfterYes_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("SaveTile") << QStringLiteral("SaveTile");
        QTest::newRow("BtCopySelTile") << QStringLiteral("BtCopySelTile");
        QTest::newRow("BtCopyToAddress") << QStringLiteral("BtCopyToAddress");
        QTest::newRow("BtSaveEdit") << QStringLiteral("BtSaveEdit");
    }
    void writeAfterYes() {
        QFETCH(QString, button);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        prepareEditedTile(form);
        qint64 target = 4096;
        if (button == "BtCopySelTile") {
            pressBrowserCell(form, 2, 1);
            target = 4096 + 16 * (2 + form.state().BrowserColumns);
        } else if (button == "BtCopyToAddress") {
            form.TextEditAddress->setText(QStringLiteral("300"));
            target = 300;
        }
        const EditorTileArray before = form.state().EditorTiles;
        const TilePixels expectedPixels = paintedSample(decodeLocal(m_original, 4096));
        QVERIFY(cell(form, 0).Pixels == expectedPixels);

        prompts.expect(kConfirm, MsgAnswer::Yes);
        pressWriteButton(form, button);
        VERIFY_PROMPTS(prompts);

        const QByteArray expected = withTile(m_original, target, encodeByHand(expectedPixels));
        const QByteArray now = fileBytes(m_path);
        QCOMPARE(now.size(), kFileLength);
        QCOMPARE(now, expected);
        QVERIFY(form.state().EditorTiles == before);
        QCOMPARE(form.state().editorSelIndex(), 0);
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(now, browserView(form)),
                        "write-browser-" + button);
    }

    void writeAnswerNo_data() { writeAfterYes_data(); }
    void writeAnswerNo() {
        QFETCH(QString, button);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        prepareEditedTile(form);
        form.TextEditAddress->setText(QStringLiteral("300"));
        markSurface(form.SpriteBox);
        prompts.expect(kConfirm, MsgAnswer::No);
        pressWriteButton(form, button);
        VERIFY_PROMPTS(prompts);
        QCOMPARE(fileBytes(m_path), m_original);
        // The browser is drawn again after the answer No.
        QVERIFY(!stillMarked(form.SpriteBox));
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(m_original, browserView(form)),
                        "no-browser-" + button);
    }

    void writeRefusedAfterQuestion_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("text");
        const QString noAddress = QStringLiteral("Selected tile has no address.");
        const QString badBrowser = QStringLiteral("The selected tile is not a valid address.");
        const QString badTyped = QStringLiteral("You entered an invalid address.");
        QTest::newRow("SaveTile, never filled cell") << "SaveTile"
                                                     << "empty" << noAddress;
        QTest::newRow("SaveTile, cell copied from 0") << "SaveTile"
                                                      << "from0" << noAddress;
        QTest::newRow("BtCopySelTile, address 0") << "BtCopySelTile"
                                                  << "mark0" << badBrowser;
        QTest::newRow("BtCopySelTile, one past the end") << "BtCopySelTile"
                                                         << "markPastEnd" << badBrowser;
        QTest::newRow("BtCopyToAddress, 0") << "BtCopyToAddress"
                                            << "0" << badTyped;
        QTest::newRow("BtCopyToAddress, -5") << "BtCopyToAddress"
                                             << "-5" << badTyped;
        QTest::newRow("BtCopyToAddress, letters") << "BtCopyToAddress"
                                                  << "abc" << badTyped;
        QTest::newRow("BtCopyToAddress, empty") << "BtCopyToAddress"
                                                << "" << badTyped;
        QTest::newRow("BtCopyToAddress, length-15")
            << "BtCopyToAddress" << QString::number(kFileLength - 15) << badTyped;
    }
    void writeRefusedAfterQuestion() {
        QFETCH(QString, button);
        QFETCH(QString, setup);
        QFETCH(QString, text);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        if (setup == "empty") {
            paintPixel(form, 0, 0, 3, 3, 3);
        } else if (setup == "from0") {
            copyFrom(form, 0);
            paintPixel(form, 0, 0, 3, 3, 3);
            selectCell(form, 0, 0);
        } else {
            prepareEditedTile(form);
        }
        if (setup == "mark0") {
            jumpTo(form, 0);
            pressBrowserCell(form, 0, 0);
        } else if (setup == "markPastEnd") {
            jumpTo(form, qint32(kFileLength - 15));
            pressBrowserCell(form, 0, 0);
        } else if (button == "BtCopyToAddress") {
            form.TextEditAddress->setText(setup);
        }
        const EditorTileArray before = form.state().EditorTiles;
        markSurface(form.SpriteBox);
        prompts.expect(kConfirm, MsgAnswer::Yes);
        prompts.expect(saveRefusal(text));
        pressWriteButton(form, button);
        VERIFY_PROMPTS(prompts);
        QCOMPARE(fileBytes(m_path), m_original);
        QVERIFY(form.state().EditorTiles == before);
        QVERIFY(stillMarked(form.SpriteBox)); // nothing is drawn again after a refusal
    }

    void typedTargets_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("address");
        QTest::newRow("4096") << "4096" << 4096;
        QTest::newRow("blanks between and around") << " 4 0 9 6 " << 4096;
        QTest::newRow("digits then letters") << "12abc" << 12;
        QTest::newRow("half to even") << "2.5" << 2;
        QTest::newRow("hexadecimal") << "&H100" << 256;
        QTest::newRow("last whole tile")
            << QString::number(kFileLength - 16) << int(kFileLength - 16);
    }
    void typedTargets() {
        QFETCH(QString, typed);
        QFETCH(int, address);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        prepareEditedTile(form);
        form.TextEditAddress->setText(typed);
        prompts.expect(kConfirm, MsgAnswer::Yes);
        form.BtCopyToAddress_Click();
        VERIFY_PROMPTS(prompts);
        const QByteArray expected = withTile(
            m_original, address, encodeByHand(paintedSample(decodeLocal(m_original, 4096))));
        QCOMPARE(fileBytes(m_path), expected);
    }

    void copySelTileLastWholeTile() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        prepareEditedTile(form);
        jumpTo(form, qint32(kFileLength - 16));
        pressBrowserCell(form, 0, 0);
        prompts.expect(kConfirm, MsgAnswer::Yes);
        form.BtCopySelTile_Click();
        VERIFY_PROMPTS(prompts);
        QCOMPARE(fileBytes(m_path),
                 withTile(m_original, kFileLength - 16,
                          encodeByHand(paintedSample(decodeLocal(m_original, 4096)))));
    }

    void copySelTileAfterScrolling() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        prepareEditedTile(form);
        jumpTo(form, 0);
        pressBrowserCell(form, 1, 2);
        form.SpriteScroll->setValue(300);
        const qint32 top = form.state().BrowserTopAddress;
        QVERIFY(top > 0);
        QCOMPARE(form.state().BrowserSelColumn, 1);
        QCOMPARE(int(form.state().BrowserSelRow), 2);
        const qint64 target = top + 16 * (1 + 2 * form.state().BrowserColumns);
        QVERIFY(target + 16 <= kFileLength);
        prompts.expect(kConfirm, MsgAnswer::Yes);
        form.BtCopySelTile_Click();
        VERIFY_PROMPTS(prompts);
        const QByteArray expected = withTile(
            m_original, target, encodeByHand(paintedSample(decodeLocal(m_original, 4096))));
        QCOMPARE(fileBytes(m_path), expected);
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(expected, browserView(form)),
                        "scrolled-write-browser");
    }

    void readOnlyRefusedBeforeQuestion_data() { writeAfterYes_data(); }
    void readOnlyRefusedBeforeQuestion() {
        QFETCH(QString, button);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        prepareEditedTile(form);
        form.TextEditAddress->setText(QStringLiteral("300"));
        QVERIFY(
            QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        markSurface(form.SpriteBox);
        prompts.expect(kReadOnlyBox);
        pressWriteButton(form, button);
        VERIFY_PROMPTS(prompts);
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(fileBytes(m_path), m_original);
        QVERIFY(stillMarked(form.SpriteBox));
    }

    void mirroredProtectedWrittenAsStored() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        prepareEditedTile(form);
        form.ChkFlipX_MouseDown(1, 0, 5, 5);
        form.ChkFlipY_MouseDown(1, 0, 5, 5);
        form.ChkWriteProtected->click();
        QVERIFY(cell(form, 0).FlipX && cell(form, 0).FlipY && cell(form, 0).WriteProtected);
        prompts.expect(kConfirm, MsgAnswer::Yes);
        form.SaveTile_Click();
        VERIFY_PROMPTS(prompts);
        QCOMPARE(fileBytes(m_path),
                 withTile(m_original, 4096,
                          encodeByHand(paintedSample(decodeLocal(m_original, 4096)))));
    }

    void saveAllHigherCellDecides() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        // Cell 1 painted, cell 0 a fresh copy of the same address.
        selectCell(form, 1, 0);
        copyFrom(form, 4096);
        paintSample(form, 1, 0);
        selectCell(form, 0, 0);
        copyFrom(form, 4096);
        QCOMPARE(cell(form, 0).Address, 4096);
        QVERIFY(cell(form, 0).Pixels == decodeLocal(m_original, 4096));
        QCOMPARE(cell(form, 1).Address, 4096);
        QVERIFY(cell(form, 1).Pixels == paintedSample(decodeLocal(m_original, 4096)));
        prompts.expect(kConfirm, MsgAnswer::Yes);
        form.BtSaveEdit_Click();
        VERIFY_PROMPTS(prompts);
        QCOMPARE(fileBytes(m_path),
                 withTile(m_original, 4096,
                          encodeByHand(paintedSample(decodeLocal(m_original, 4096)))));
    }

    // --- Failures of the file under the program ---

    void fileGoneOrReplaced_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("replace");
        for (const char* b : {"SaveTile", "BtCopySelTile", "BtCopyToAddress", "BtSaveEdit"}) {
            QTest::addRow("%s, removed", b) << QString::fromLatin1(b) << false;
            QTest::addRow("%s, replaced", b) << QString::fromLatin1(b) << true;
        }
    }
    void fileGoneOrReplaced() {
        QFETCH(QString, button);
        QFETCH(bool, replace);
        RecordingPrompts prompts;
        prompts.openPath = m_path;
        FormMain form(prompts);
        form.BtOpenFile_Click();
        QVERIFY(form.state().RomFileOpen);
        prepareEditedTile(form);
        form.TextEditAddress->setText(QStringLiteral("300"));
        const EditorTileArray before = form.state().EditorTiles;
        const QString addressText = form.TextEditAddress->text();

        const QByteArray other = randomBytes(kFileLength, 777);
        QVERIFY(QFile::remove(m_path));
        if (replace) {
            const QString fresh = writeRom(m_dir, QStringLiteral("fresh.gb"), other);
            QCOMPARE(std::rename(QFile::encodeName(fresh).constData(),
                                 QFile::encodeName(m_path).constData()),
                     0);
        }
        prompts.shown.clear();
        pressWriteButton(form, button);

        QCOMPARE(prompts.shown.size(), 2);
        QVERIFY(prompts.shown[0] == kConfirm);
        const MessageSpec& failure = prompts.shown[1];
        QCOMPARE(failure.title, QStringLiteral("Saving not possible"));
        QVERIFY2(failure.text.startsWith(QStringLiteral("Can not save. ")),
                 qPrintable(failure.text));
        QVERIFY2(failure.text.contains(m_path), qPrintable(failure.text));
        QCOMPARE(failure.buttons, MsgButtons::Ok);
        if (replace)
            QCOMPARE(fileBytes(m_path), other);
        else
            QVERIFY(!QFile::exists(m_path));
        QVERIFY(form.state().EditorTiles == before);
        QCOMPARE(form.TextEditAddress->text(), addressText);
    }

    void fileShortened_data() { writeAfterYes_data(); }
    void fileShortened() {
        QFETCH(QString, button);
        RecordingPrompts prompts;
        prompts.openPath = m_path;
        FormMain form(prompts);
        form.BtOpenFile_Click();
        prepareEditedTile(form);
        form.TextEditAddress->setText(QStringLiteral("4096"));
        const EditorTileArray before = form.state().EditorTiles;
        constexpr qsizetype shortLength = 4100;
        QVERIFY(QFile::resize(m_path, shortLength));
        prompts.shown.clear();
        pressWriteButton(form, button);

        QCOMPARE(prompts.shown.size(), 2);
        QVERIFY(prompts.shown[0] == kConfirm);
        QCOMPARE(prompts.shown[1].title, QStringLiteral("Saving not possible"));
        QVERIFY2(prompts.shown[1].text.startsWith(QStringLiteral("Can not save. ")),
                 qPrintable(prompts.shown[1].text));
        const QByteArray now = fileBytes(m_path);
        QCOMPARE(now.size(), shortLength);
        QCOMPARE(now, m_original.left(shortLength));
        QVERIFY(form.state().EditorTiles == before);
    }

    void saveAllReportsTilesWrittenBeforeFailure() {
        RecordingPrompts prompts;
        prompts.openPath = m_path;
        FormMain form(prompts);
        form.BtOpenFile_Click();
        copyFrom(form, 16);
        copyFrom(form, 4096);
        copyFrom(form, 32);
        paintSample(form, 0, 0);
        paintSample(form, 2, 0);
        constexpr qsizetype shortLength = 4100;
        QVERIFY(QFile::resize(m_path, shortLength));
        prompts.shown.clear();
        form.BtSaveEdit_Click();

        QCOMPARE(prompts.shown.size(), 2);
        QVERIFY(prompts.shown[0] == kConfirm);
        const MessageSpec& failure = prompts.shown[1];
        QCOMPARE(failure.title, QStringLiteral("Saving not possible"));
        QVERIFY2(failure.text.startsWith(QStringLiteral("Can not save. ")),
                 qPrintable(failure.text));
        QVERIFY2(failure.text.endsWith(QStringLiteral("\r1 tile was written before the failure.")),
                 qPrintable(failure.text));
        const QByteArray expected =
            withTile(m_original.left(shortLength), 16,
                     encodeByHand(paintedSample(decodeLocal(m_original, 16))));
        QCOMPARE(fileBytes(m_path), expected);
    }

    // --- Reloading and clearing ---

    void reloadSelectedTile() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        copyFrom(form, 4096); // cell 0
        copyFrom(form, 2000); // cell 1
        copyFrom(form, 4096); // cell 2, a copy of cell 0
        selectCell(form, 2, 0);
        form.ChkFlipX_MouseDown(1, 0, 5, 5);
        paintSample(form, 0, 0); // reaches cell 2 as well
        selectCell(form, 0, 0);
        form.ChkFlipX_MouseDown(1, 0, 5, 5);
        form.ChkFlipY_MouseDown(1, 0, 5, 5);
        form.ChkWriteProtected->click();
        QVERIFY(cell(form, 0).WriteProtected && cell(form, 0).FlipX && cell(form, 0).FlipY);
        QVERIFY(cell(form, 2).FlipX && !cell(form, 2).FlipY);
        const TileRecord other = cell(form, 1);

        form.BtReloadTile_Click();
        const TileRecord fresh{decodeLocal(m_original, 4096), 4096, false, false, false};
        QVERIFY(cell(form, 0) == fresh);
        QVERIFY(cell(form, 2) == fresh);
        QVERIFY(cell(form, 1) == other);
        QVERIFY(!form.ChkFlipX->isChecked());
        QVERIFY(!form.ChkFlipY->isChecked());
        QVERIFY(!form.ChkWriteProtected->isChecked());
        QCOMPARE(form.TextEditAddress->text(), QStringLiteral("4096"));
        QCOMPARE(form.state().editorSelIndex(), 0);
        COMPARE_PICTURE(form.EditorBox->surface(),
                        expectedEditor(form.state().EditorTiles, editorView(form)),
                        "reload-editor");
        QVERIFY(cell(form, 0).Pixels == decodeLocal(m_original, 4096));
        QCOMPARE(fileBytes(m_path), m_original);
        VERIFY_PROMPTS(prompts);
    }

    void reloadCellWithoutAddress() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        copyFrom(form, 4096);
        paintSample(form, 0, 0);
        paintPixel(form, 5, 5, 2, 2, 3);
        selectCell(form, 5, 5);
        const EditorTileArray before = form.state().EditorTiles;
        form.BtReloadTile_Click();
        QVERIFY(form.state().EditorTiles == before);
        QCOMPARE(fileBytes(m_path), m_original);
        VERIFY_PROMPTS(prompts);
    }

    void reloadAllMakesCopiesEqual() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        selectCell(form, 1, 0);
        copyFrom(form, 4096);
        paintSample(form, 1, 0);
        selectCell(form, 0, 0);
        copyFrom(form, 4096);
        QVERIFY(cell(form, 0).Pixels != cell(form, 1).Pixels);
        paintPixel(form, 7, 7, 0, 0, 3); // a cell without address stays as it is
        const TileRecord unaddressed = cell(form, 77);
        form.BtReload_Click();
        const TileRecord fresh{decodeLocal(m_original, 4096), 4096, false, false, false};
        QVERIFY(cell(form, 0) == fresh);
        QVERIFY(cell(form, 1) == fresh);
        QVERIFY(cell(form, 77) == unaddressed);
        QCOMPARE(fileBytes(m_path), m_original);
        VERIFY_PROMPTS(prompts);
    }

    void reloadWithoutFile_data() {
        QTest::addColumn<bool>("all");
        QTest::newRow("BtReloadTile") << false;
        QTest::newRow("BtReload") << true;
    }
    void reloadWithoutFile() {
        QFETCH(bool, all);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        paintSample(form, 0, 0);
        form.ChkFlipX_MouseDown(1, 0, 5, 5);
        const EditorTileArray before = form.state().EditorTiles;
        markSurface(form.EditorBox);
        if (all)
            form.BtReload_Click();
        else
            form.BtReloadTile_Click();
        QVERIFY(form.state().EditorTiles == before);
        QVERIFY(stillMarked(form.EditorBox));
        VERIFY_PROMPTS(prompts);
    }

    void clearSelectedTile_data() { copyAdvancesSelection_data(); }
    void clearSelectedTile() {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(int, nextColumn);
        QFETCH(int, nextRow);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        selectCell(form, column, row);
        copyFrom(form, 1000);
        selectCell(form, column, row);
        form.ChkWriteProtected->click();
        QVERIFY(cell(form, column + 10 * row).WriteProtected);
        form.BtDeleteSprite_Click();
        QVERIFY(cell(form, column + 10 * row) == TileRecord{});
        QCOMPARE(form.state().EditorSelColumn, nextColumn);
        QCOMPARE(form.state().EditorSelRow, nextRow);
        COMPARE_PICTURE(form.EditorBox->surface(),
                        expectedEditor(EditorTileArray{}, editorView(form)), "clear-one-editor");
        QCOMPARE(fileBytes(m_path), m_original);
        VERIFY_PROMPTS(prompts);
    }

    void clearSelectedTileSynchronisesNextCell() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        selectCell(form, 5, 0);
        copyFrom(form, 1000); // cell 5
        copyFrom(form, 4096); // cell 6
        selectCell(form, 0, 2);
        copyFrom(form, 4096); // cell 20
        selectCell(form, 0, 2);
        form.ChkWriteProtected->click();
        form.ChkFlipY_MouseDown(1, 0, 5, 5);
        QVERIFY(cell(form, 20).WriteProtected && cell(form, 20).FlipY);
        selectCell(form, 5, 0);
        form.BtDeleteSprite_Click();
        QVERIFY(cell(form, 5) == TileRecord{});
        QCOMPARE(form.state().editorSelIndex(), 6);
        QVERIFY(cell(form, 20) == cell(form, 6));
        QVERIFY(!cell(form, 20).WriteProtected && !cell(form, 20).FlipY);
        QCOMPARE(form.TextEditAddress->text(), QStringLiteral("4096"));
        QCOMPARE(fileBytes(m_path), m_original);
        VERIFY_PROMPTS(prompts);
    }

    void clearEditor_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }
    void clearEditor() {
        QFETCH(bool, yes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openIn(form, prompts);
        copyFrom(form, 1000);
        copyFrom(form, 4096);
        paintSample(form, 0, 0);
        selectCell(form, 1, 0);
        form.ChkWriteProtected->click();
        selectCell(form, 4, 3);
        copyFrom(form, 2000);
        selectCell(form, 4, 3);
        const EditorTileArray before = form.state().EditorTiles;
        const QImage picture = form.EditorBox->surface();
        prompts.expect(kClearQuestion, yes ? MsgAnswer::Yes : MsgAnswer::No);
        form.BtEditClear_Click();
        VERIFY_PROMPTS(prompts);
        QCOMPARE(form.state().EditorSelColumn, 4);
        QCOMPARE(form.state().EditorSelRow, 3);
        if (yes) {
            QVERIFY(form.state().EditorTiles == EditorTileArray{});
            QCOMPARE(form.TextEditAddress->text(), QStringLiteral("0"));
            COMPARE_PICTURE(form.EditorBox->surface(),
                            expectedEditor(EditorTileArray{}, editorView(form)),
                            "clear-all-editor");
        } else {
            QVERIFY(form.state().EditorTiles == before);
            QCOMPARE(form.TextEditAddress->text(), QStringLiteral("2000"));
            COMPARE_PICTURE(form.EditorBox->surface(), picture, "clear-all-no-editor");
        }
        QCOMPARE(fileBytes(m_path), m_original);
    }
};

QTEST_MAIN(TestTransfer)
#include "tst_transfer.moc"
