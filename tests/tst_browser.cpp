// The browser: what it shows of a file pixel for pixel, how it moves through the file, what it
// says under the pointer, how a tile is marked, and how files are opened and closed.
#include "pictures.h"
#include "romfiles.h"
#include "scriptedprompts.h"
#include "ui/app/formmain.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/picturebox.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointF>
#include <QScrollBar>
#include <QTest>

#include <cmath>
#include <sys/stat.h>

namespace {

const QString kTitle = QStringLiteral("Dorvane's Pelorin 0.22");

const MessageSpec kAddressTooLarge{
    QStringLiteral("The address must be smaller than the length of the file."), QString(),
    MsgButtons::Ok, MsgIcon::Information, MsgAnswer::Ok};

// Records the message boxes instead of matching them, for texts holding a reason that the
// operating system words.
class RecordingPrompts : public ScriptedPrompts {
  public:
    bool recordOnly = false;
    MsgAnswer messageBox(const MessageSpec& message) override {
        if (!recordOnly) return ScriptedPrompts::messageBox(message);
        shown << message;
        return MsgAnswer::Ok;
    }
};

void openWithDialog(FormMain& form, ScriptedPrompts& prompts, const QString& path) {
    prompts.expectOpen(path);
    form.BtOpenFile_Click();
}

void chooseOffset(FormMain& form, int offset) {
    form.ComboDivert->setCurrentIndex(offset);
    form.ComboDivert_click();
}

void zoomTo(FormMain& form, int zoom) {
    while (form.state().BrowserZoom < zoom)
        form.BtBrowZoomIn_Click();
    while (form.state().BrowserZoom > zoom)
        form.BtBrowZoomOut_Click();
}

// Moves the thumb to `value` so that the change handler runs even if it is there already.
void scrollTo(FormMain& form, int value) {
    if (form.SpriteScroll->value() == value) form.SpriteScroll->setValue(value == 0 ? 1 : 0);
    form.SpriteScroll->setValue(value);
}

// A file of `length` bytes, all zero but for its last bytes, that takes no room on disk.
QString writeSparse(const QTemporaryDir& dir, const QString& name, qint64 length) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(length)) return {};
    return path;
}

BrowserPicture view(qint64 top, int zoom = 3, bool grid = false, int column = 0, int row = 0) {
    BrowserPicture v;
    v.top = top;
    v.zoom = zoom;
    v.grid = grid;
    v.markColumn = column;
    v.markRow = row;
    return v;
}

} // namespace

class TestBrowser : public QObject {
    Q_OBJECT
  private slots:
    // Pictures

    void noFileIsGrey() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedGreyBrowser(), "no-file");
        // Zoom, grid and offsets change nothing while no file is open.
        form.BtBrowZoomIn_Click();
        form.ChkGrid->click();
        chooseOffset(form, 5);
        scrollTo(form, 300);
        form.SpriteBox_MouseDown(1, 0, 50, 50);
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedGreyBrowser(), "no-file-after");
        QCOMPARE(form.state().BrowserSelAddress, 0);
        VERIFY_PROMPTS(prompts);
    }

    void picture_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<bool>("grid");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QList<QPointF>>("presses");

        const QList<QPointF> none;
        QTest::newRow("20 bytes zoom 3") << 20 << 3 << false << 0 << none;
        QTest::newRow("20 bytes zoom 3 grid") << 20 << 3 << true << 0 << none;
        QTest::newRow("20 bytes zoom 2 offset 5") << 20 << 2 << false << 5 << none;
        QTest::newRow("20 bytes zoom 9 grid offset 5") << 20 << 9 << true << 5 << none;
        QTest::newRow("1000 bytes zoom 2") << 1000 << 2 << false << 0 << none;
        QTest::newRow("1000 bytes zoom 2 grid") << 1000 << 2 << true << 0 << none;
        QTest::newRow("1000 bytes zoom 3 offset 5") << 1000 << 3 << false << 5 << none;
        QTest::newRow("1000 bytes zoom 3 grid offset 5 mark")
            << 1000 << 3 << true << 5 << QList<QPointF>{{100, 60}};
        QTest::newRow("1000 bytes zoom 9 mark")
            << 1000 << 9 << false << 0 << QList<QPointF>{{150, 300}};
        QTest::newRow("1000 bytes zoom 9 grid mark")
            << 1000 << 9 << true << 0 << QList<QPointF>{{100, 200}};
        QTest::newRow("70000 bytes zoom 2") << 70000 << 2 << false << 0 << none;
        QTest::newRow("70000 bytes zoom 2 mark moved")
            << 70000 << 2 << false << 0 << QList<QPointF>{{40, 40}, {200, 390}};
        QTest::newRow("70000 bytes zoom 2 grid mark moved")
            << 70000 << 2 << true << 5 << QList<QPointF>{{40, 40}, {220, 390}};
        QTest::newRow("70000 bytes zoom 3 grid mark moved twice")
            << 70000 << 3 << true << 0 << QList<QPointF>{{30, 30}, {120, 200}, {2, 2}};
        QTest::newRow("70000 bytes zoom 3 offset 5 mark on the last partial cell")
            << 70000 << 3 << false << 5 << QList<QPointF>{{228, 396}};
        QTest::newRow("70000 bytes zoom 9") << 70000 << 9 << false << 0 << none;
        QTest::newRow("70000 bytes zoom 9 grid offset 5 mark")
            << 70000 << 9 << true << 5 << QList<QPointF>{{200, 390}};
        QTest::newRow("70000 bytes zoom 6 grid") << 70000 << 6 << true << 0 << none;
    }
    void picture() {
        QFETCH(int, length);
        QFETCH(int, zoom);
        QFETCH(bool, grid);
        QFETCH(int, offset);
        QFETCH(QList<QPointF>, presses);
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(length, quint32(length + zoom));
        const QString path = writeRom(dir, "tiles.gb", bytes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        chooseOffset(form, offset);
        openWithDialog(form, prompts, path);
        zoomTo(form, zoom);
        if (grid) form.ChkGrid->click();
        QCOMPARE(int(form.state().BrowserCellSize), grid ? 9 : 8);
        int column = 0;
        int row = 0;
        const int cell = grid ? 9 : 8;
        for (const QPointF& p : presses) {
            form.SpriteBox_MouseDown(1, 0, p.x(), p.y());
            column = int(p.x()) / (cell * zoom);
            row = int(p.y()) / (cell * zoom);
        }
        QCOMPARE(form.state().BrowserSelColumn, column);
        QCOMPARE(int(form.state().BrowserSelRow), row);
        COMPARE_PICTURE(form.SpriteBox->surface(),
                        expectedBrowser(fileBytes(path), view(offset, zoom, grid, column, row)),
                        QString::fromLatin1(QTest::currentDataTag()));
        // A full redraw shows the same.
        form.DrawBrowser();
        COMPARE_PICTURE(form.SpriteBox->surface(),
                        expectedBrowser(bytes, view(offset, zoom, grid, column, row)),
                        QString::fromLatin1(QTest::currentDataTag()) + QLatin1String("-redraw"));
        VERIFY_PROMPTS(prompts);
    }

    void shortenedFileDrawsMissingRowsOutside() {
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(1000, 5);
        const QString path = writeRom(dir, "short.gb", bytes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openWithDialog(form, prompts, path);
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(bytes, view(0)), "before");
        QVERIFY(QFile::resize(path, 100));
        form.DrawBrowser();
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(bytes.left(100), view(0)),
                        "shortened");
        form.BtBrowZoomOut_Click();
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(bytes.left(100), view(0, 2)),
                        "shortened-zoom-2");
        // The length taken at opening stays.
        QCOMPARE(form.state().RomFileLength, 1000);
        VERIFY_PROMPTS(prompts);
    }

    // Moving through the file

    void scrollFormula_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("value");
        QTest::addColumn<qint32>("top");
        QTest::addColumn<QString>("text");
        // 17 rows of 16 bytes: the top moves in steps of 272 bytes.
        QTest::newRow("32768 at 1") << 32768 << 0 << 1 << 0 << " 0";
        QTest::newRow("32768 at 9") << 32768 << 0 << 9 << 272 << " 272";
        QTest::newRow("32768 at the end") << 32768 << 0 << 1024 << 32640 << " 32640";
        QTest::newRow("32768 at the start") << 32768 << 0 << 0 << 0 << " 0";
        QTest::newRow("offset 4 at the start") << 32768 << 4 << 0 << 4 << " 4";
        QTest::newRow("offset 4 at 9") << 32768 << 4 << 9 << 276 << " 276";
        QTest::newRow("1000 offset 5 at the end") << 1000 << 5 << 1024 << 821 << " 821";
        QTest::newRow("70000 at the middle") << 70000 << 0 << 512 << 34816 << " 34816";
        QTest::newRow("70000 offset 15 at the end") << 70000 << 15 << 1024 << 69919 << " 69919";
    }
    void scrollFormula() {
        QFETCH(int, length);
        QFETCH(int, offset);
        QFETCH(int, value);
        QFETCH(qint32, top);
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(length, 9);
        const QString path = writeRom(dir, "scroll.gb", bytes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        chooseOffset(form, offset);
        openWithDialog(form, prompts, path);
        QCOMPARE(int(form.state().BrowserRows), 17);
        scrollTo(form, value);
        QCOMPARE(form.SpriteScroll->value(), value);
        QCOMPARE(form.state().BrowserTopAddress, top);
        QCOMPARE(form.TextAddress->text(), text);
        COMPARE_PICTURE(form.SpriteBox->surface(),
                        expectedBrowser(bytes, view(form.state().BrowserTopAddress)),
                        QString::fromLatin1(QTest::currentDataTag()));
        VERIFY_PROMPTS(prompts);
    }

    void offsetChangeRecomputesTheTop() {
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(32768, 3);
        const QString path = writeRom(dir, "offset.gb", bytes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openWithDialog(form, prompts, path);
        scrollTo(form, 9);
        QCOMPARE(form.state().BrowserTopAddress, 272);
        chooseOffset(form, 5);
        QCOMPARE(form.state().BrowserTopAddress, 277);
        QCOMPARE(form.TextAddress->text(), QStringLiteral(" 277"));
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(bytes, view(277)), "offset-5");
        // A jump is discarded by the next offset change.
        form.TextAddress->setText(QStringLiteral("1000"));
        form.BtJumpAdd_Click();
        QCOMPARE(form.state().BrowserTopAddress, 1005);
        chooseOffset(form, 15);
        QCOMPARE(form.state().BrowserTopAddress, 287);
        QCOMPARE(form.TextAddress->text(), QStringLiteral(" 287"));
        chooseOffset(form, 0);
        QCOMPARE(form.state().BrowserTopAddress, 272);
        QCOMPARE(form.TextAddress->text(), QStringLiteral(" 272"));
        VERIFY_PROMPTS(prompts);
    }

    void scrollingWithoutAFileStaysGrey() {
        QTemporaryDir dir;
        const QString path = writeRom(dir, "a.gb", randomBytes(32768, 1));
        ScriptedPrompts prompts;
        FormMain form(prompts);
        // Before any file: length 0, so only the offset counts.
        chooseOffset(form, 3);
        scrollTo(form, 500);
        QCOMPARE(form.state().BrowserTopAddress, 3);
        QCOMPARE(form.TextAddress->text(), QStringLiteral(" 3"));
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedGreyBrowser(), "grey-before");
        // After closing, the last length still counts.
        openWithDialog(form, prompts, path);
        form.BtCloseFile_Click();
        scrollTo(form, 9);
        QCOMPARE(form.state().BrowserTopAddress, 275);
        QCOMPARE(form.TextAddress->text(), QStringLiteral(" 275"));
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedGreyBrowser(), "grey-after");
        VERIFY_PROMPTS(prompts);
    }

    void jump_data() {
        QTest::addColumn<qint64>("length");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<qint32>("top");

        QTest::newRow("decimal with offset 4") << qint64(1000) << 4 << "100" << true << 104;
        QTest::newRow("hexadecimal") << qint64(1000) << 0 << "&H100" << true << 256;
        QTest::newRow("hexadecimal with offset") << qint64(1000) << 3 << "&H1F" << true << 34;
        QTest::newRow("blanks") << qint64(1000) << 0 << " 1 0 0 " << true << 100;
        QTest::newRow("exponent") << qint64(1000) << 0 << "1e2" << true << 100;
        QTest::newRow("half rounds to even down") << qint64(1000) << 0 << "10.5" << true << 10;
        QTest::newRow("half rounds to even up") << qint64(1000) << 0 << "11.5" << true << 12;
        QTest::newRow("length minus 1") << qint64(1000) << 0 << "999" << true << 999;
        QTest::newRow("length minus 16") << qint64(1000) << 0 << "984" << true << 984;
        QTest::newRow("zero") << qint64(1000) << 9 << "0" << true << 9;
        QTest::newRow("not a number") << qint64(1000) << 7 << "abc" << true << 7;
        QTest::newRow("empty") << qint64(1000) << 2 << "" << true << 2;
        QTest::newRow("exactly the length") << qint64(1000) << 0 << "1000" << false << 0;
        QTest::newRow("past the end") << qint64(1000) << 0 << "5000" << false << 0;
        QTest::newRow("far past the end") << qint64(1000) << 0 << "1e10" << false << 0;
        QTest::newRow("negative") << qint64(1000) << 0 << "-16" << false << 0;
        QTest::newRow("negative below the offset") << qint64(1000) << 5 << "-1" << false << 0;
        QTest::newRow("hexadecimal minus one") << qint64(1000) << 0 << "&HFFFF" << false << 0;
        const qint64 big = (qint64(1) << 31) - 1;
        QTest::newRow("sum reaches the largest address")
            << big << 15 << "2147483632" << true << 2147483647;
        QTest::newRow("sum past the largest address") << big << 15 << "2147483640" << false << 0;
        QTest::newRow("largest address minus 15 with offset 15")
            << big << 15 << "2147483633" << false << 0;
    }
    void jump() {
        QFETCH(qint64, length);
        QFETCH(int, offset);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(qint32, top);
        QTemporaryDir dir;
        const bool sparse = length > 1000000;
        QByteArray bytes;
        QString path;
        if (sparse) {
            path = writeSparse(dir, "big.gb", length);
            QVERIFY(!path.isEmpty());
        } else {
            bytes = randomBytes(length, 21);
            path = writeRom(dir, "jump.gb", bytes);
        }
        ScriptedPrompts prompts;
        FormMain form(prompts);
        chooseOffset(form, offset);
        openWithDialog(form, prompts, path);
        QCOMPARE(form.state().RomFileLength, qint32(length));
        // Start from a place of our own, so that a refusal can show that nothing moved.
        form.TextAddress->setText(QStringLiteral("32"));
        form.BtJumpAdd_Click();
        const qint32 before = 32 + offset;
        QCOMPARE(form.state().BrowserTopAddress, before);
        const QImage pictureBefore = form.SpriteBox->surface().copy();

        form.TextAddress->setText(typed);
        if (!accepted) prompts.expect(kAddressTooLarge);
        form.BtJumpAdd_Click();
        VERIFY_PROMPTS(prompts);
        QCOMPARE(form.state().BrowserTopAddress, accepted ? top : before);
        // The jump neither rewrites the address box nor moves the thumb.
        QCOMPARE(form.TextAddress->text(), typed);
        QCOMPARE(form.SpriteScroll->value(), 0);
        if (!accepted)
            COMPARE_PICTURE(form.SpriteBox->surface(), pictureBefore, "refused-jump");
        else if (!sparse)
            COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(bytes, view(top)),
                            QString::fromLatin1(QTest::currentDataTag()));
        else if (top == 2147483647)
            // The first row of the first cell already needs a byte past the end.
            COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(QByteArray(), view(top)),
                            "largest-address");
    }

    void jumpWithoutAFileDoesNothing() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        form.TextAddress->setText(QStringLiteral("5000"));
        form.BtJumpAdd_Click();
        form.TextAddress->setText(QStringLiteral("16"));
        form.BtJumpAdd->click();
        QCOMPARE(form.state().BrowserTopAddress, 0);
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedGreyBrowser(), "no-file-jump");
        VERIFY_PROMPTS(prompts);
    }

    void jumpButtonRunsTheJump() {
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(2000, 8);
        const QString path = writeRom(dir, "a.gb", bytes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openWithDialog(form, prompts, path);
        form.TextAddress->setText(QStringLiteral("640"));
        form.BtJumpAdd->click();
        QCOMPARE(form.state().BrowserTopAddress, 640);
        form.TextAddress->setText(QStringLiteral("2000"));
        prompts.expect(kAddressTooLarge);
        form.BtJumpAdd->click();
        QCOMPARE(form.state().BrowserTopAddress, 640);
        VERIFY_PROMPTS(prompts);
    }

    void zoomCounts_data() {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<bool>("grid");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        // Drawing area 229 x 397 divided by zoom x cell, halves to even.
        QTest::newRow("zoom 2") << 2 << false << 14 << 25;
        QTest::newRow("zoom 3") << 3 << false << 10 << 17;
        QTest::newRow("zoom 4") << 4 << false << 7 << 12;
        QTest::newRow("zoom 5") << 5 << false << 6 << 10;
        QTest::newRow("zoom 6") << 6 << false << 5 << 8;
        QTest::newRow("zoom 7") << 7 << false << 4 << 7;
        QTest::newRow("zoom 8") << 8 << false << 4 << 6;
        QTest::newRow("zoom 9") << 9 << false << 3 << 6;
        QTest::newRow("zoom 2 grid") << 2 << true << 13 << 22;
        QTest::newRow("zoom 3 grid") << 3 << true << 8 << 15;
        QTest::newRow("zoom 5 grid") << 5 << true << 5 << 9;
        QTest::newRow("zoom 9 grid") << 9 << true << 3 << 5;
    }
    void zoomCounts() {
        QFETCH(int, zoom);
        QFETCH(bool, grid);
        QFETCH(int, columns);
        QFETCH(int, rows);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        if (grid) form.ChkGrid->click();
        zoomTo(form, zoom);
        QCOMPARE(int(form.state().BrowserColumns), columns);
        QCOMPARE(int(form.state().BrowserRows), rows);
    }

    void zoomLimits() {
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(9000, 4);
        const QString path = writeRom(dir, "zoom.gb", bytes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openWithDialog(form, prompts, path);
        QList<int> zooms;
        for (int i = 0; i < 7; ++i) {
            form.BtBrowZoomIn->click();
            zooms << form.state().BrowserZoom;
        }
        QCOMPARE(zooms, (QList<int>{4, 5, 6, 7, 8, 9, 9}));
        // At the limit the button does nothing at all: the mark stays where it was.
        form.SpriteBox_MouseDown(1, 0, 100, 100);
        QCOMPARE(form.state().BrowserSelColumn, 1);
        form.BtBrowZoomIn_Click();
        QCOMPARE(form.state().BrowserZoom, 9);
        QCOMPARE(form.state().BrowserSelColumn, 1);
        QCOMPARE(int(form.state().BrowserSelRow), 1);
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(bytes, view(0, 9, false, 1, 1)),
                        "zoom-9-limit");

        zooms.clear();
        for (int i = 0; i < 8; ++i) {
            form.BtBrowZoomOut->click();
            zooms << form.state().BrowserZoom;
        }
        QCOMPARE(zooms, (QList<int>{8, 7, 6, 5, 4, 3, 2, 2}));
        form.SpriteBox_MouseDown(1, 0, 40, 40);
        form.BtBrowZoomOut_Click();
        QCOMPARE(form.state().BrowserZoom, 2);
        QCOMPARE(form.state().BrowserSelColumn, 2);
        QCOMPARE(int(form.state().BrowserSelRow), 2);
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(bytes, view(0, 2, false, 2, 2)),
                        "zoom-2-limit");
        VERIFY_PROMPTS(prompts);
    }

    void gridSwitchMovesTheMark() {
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(9000, 6);
        const QString path = writeRom(dir, "grid.gb", bytes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openWithDialog(form, prompts, path);
        form.SpriteBox_MouseDown(1, 0, 60, 80);
        QCOMPARE(form.state().BrowserSelAddress, 16 * (2 + 3 * 10));
        form.ChkGrid->click();
        QVERIFY(form.ChkGrid->isChecked());
        QCOMPARE(int(form.state().BrowserCellSize), 9);
        QCOMPARE(form.state().BrowserSelColumn, 0);
        QCOMPARE(int(form.state().BrowserSelRow), 0);
        QCOMPARE(form.state().BrowserSelAddress, 16 * (2 + 3 * 10));
        QCOMPARE(int(form.state().BrowserColumns), 8);
        QCOMPARE(int(form.state().BrowserRows), 15);
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(bytes, view(0, 3, true)),
                        "grid-on");
        form.SpriteBox_MouseDown(1, 0, 60, 80);
        form.ChkGrid->click();
        QVERIFY(!form.ChkGrid->isChecked());
        QCOMPARE(int(form.state().BrowserCellSize), 8);
        QCOMPARE(form.state().BrowserSelColumn, 0);
        QCOMPARE(int(form.state().BrowserSelRow), 0);
        QCOMPARE(int(form.state().BrowserColumns), 10);
        QCOMPARE(int(form.state().BrowserRows), 17);
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(bytes, view(0)), "grid-off");
        VERIFY_PROMPTS(prompts);
    }

    // Pointing and marking

    void statusText_data() {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<bool>("grid");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("button");
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<QString>("text");
        QTest::newRow("worked example")
            << 3 << false << 0 << 0 << QPointF(50, 30) << "Sprite at 192 ( 2, 1)";
        QTest::newRow("offset 5") << 3 << false << 5 << 0 << QPointF(50, 30)
                                  << "Sprite at 197 ( 2, 1)";
        QTest::newRow("origin") << 3 << false << 0 << 0 << QPointF(0, 0) << "Sprite at 0 ( 0, 0)";
        QTest::newRow("fraction below a cell edge")
            << 3 << false << 0 << 0 << QPointF(23.9, 24) << "Sprite at 160 ( 0, 1)";
        QTest::newRow("last partly visible column and row")
            << 3 << false << 0 << 0 << QPointF(228, 396) << "Sprite at 2704 ( 9, 16)";
        QTest::newRow("left of the box, button held")
            << 3 << false << 0 << 1 << QPointF(-5, 30) << "Sprite at 144 ( 0, 1)";
        QTest::newRow("above and left of the box, button held")
            << 3 << false << 0 << 1 << QPointF(-5, -5) << "Sprite at-176 ( 0, 0)";
        QTest::newRow("below the box, button held")
            << 3 << false << 0 << 1 << QPointF(10, 410) << "Sprite at 2720 ( 0, 17)";
        QTest::newRow("zoom 2 grid")
            << 2 << true << 0 << 0 << QPointF(40, 20) << "Sprite at 240 ( 2, 1)";
        QTest::newRow("zoom 9 grid last partly visible")
            << 9 << true << 0 << 0 << QPointF(228, 396) << "Sprite at 224 ( 2, 4)";
    }
    void statusText() {
        QFETCH(int, zoom);
        QFETCH(bool, grid);
        QFETCH(int, offset);
        QFETCH(int, button);
        QFETCH(QPointF, point);
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QString path = writeRom(dir, "status.gb", randomBytes(70000, 2));
        ScriptedPrompts prompts;
        FormMain form(prompts);
        chooseOffset(form, offset);
        openWithDialog(form, prompts, path);
        zoomTo(form, zoom);
        if (grid) form.ChkGrid->click();
        form.SpriteBox_MouseMove(button, 0, point.x(), point.y());
        QCOMPARE(form.LbStatus->text(), text);
        // Moving changes nothing else.
        QCOMPARE(form.state().BrowserSelAddress, 0);
        QCOMPARE(form.state().BrowserSelColumn, 0);
        VERIFY_PROMPTS(prompts);
    }

    void statusTextNeedsAnOpenFile() {
        QTemporaryDir dir;
        const QString path = writeRom(dir, "a.gb", randomBytes(500, 2));
        ScriptedPrompts prompts;
        FormMain form(prompts);
        const QString credit = form.LbStatus->text();
        form.SpriteBox_MouseMove(0, 0, 50, 30);
        QCOMPARE(form.LbStatus->text(), credit);
        openWithDialog(form, prompts, path);
        form.BtCloseFile_Click();
        form.SpriteBox_MouseMove(0, 0, 50, 30);
        QCOMPARE(form.LbStatus->text(), credit);
        VERIFY_PROMPTS(prompts);
    }

    void mouseDownMarksATile_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<qint32>("address");
        QTest::addColumn<QString>("text");
        QTest::newRow("left") << 1 << 0 << QPointF(50, 30) << 2 << 1 << 192 << "192";
        QTest::newRow("right") << 2 << 0 << QPointF(50, 30) << 2 << 1 << 192 << "192";
        QTest::newRow("middle") << 4 << 0 << QPointF(50, 30) << 2 << 1 << 192 << "192";
        QTest::newRow("left with offset 5") << 1 << 5 << QPointF(50, 30) << 2 << 1 << 197 << "197";
        QTest::newRow("origin") << 1 << 0 << QPointF(0, 0) << 0 << 0 << 0 << "0";
        QTest::newRow("last partly visible cell")
            << 2 << 0 << QPointF(228, 396) << 9 << 16 << 2704 << "2704";
    }
    void mouseDownMarksATile() {
        QFETCH(int, button);
        QFETCH(int, offset);
        QFETCH(QPointF, point);
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(qint32, address);
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(70000, 12);
        const QString path = writeRom(dir, "mark.gb", bytes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        chooseOffset(form, offset);
        openWithDialog(form, prompts, path);
        form.SpriteBox_MouseDown(button, 0, point.x(), point.y());
        QCOMPARE(form.state().BrowserSelAddress, address);
        QCOMPARE(form.TextAddress->text(), text);
        QCOMPARE(form.state().BrowserSelColumn, column);
        QCOMPARE(int(form.state().BrowserSelRow), row);
        QCOMPARE(form.state().BrowserTopAddress, offset);
        COMPARE_PICTURE(form.SpriteBox->surface(),
                        expectedBrowser(bytes, view(offset, 3, false, column, row)),
                        QString::fromLatin1(QTest::currentDataTag()));
        VERIFY_PROMPTS(prompts);
    }

    void markStaysOnItsCellWhileScrolling() {
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(32768, 13);
        const QString path = writeRom(dir, "a.gb", bytes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openWithDialog(form, prompts, path);
        form.ChkGrid->click();
        form.SpriteBox_MouseDown(1, 0, 60, 60);
        QCOMPARE(form.state().BrowserSelAddress, 16 * (2 + 2 * 8));
        scrollTo(form, 9);
        // 15 rows with grid: steps of 240 bytes; 32 * 9 / 240 = 1.2.
        QCOMPARE(form.state().BrowserTopAddress, 240);
        QCOMPARE(form.state().BrowserSelColumn, 2);
        QCOMPARE(int(form.state().BrowserSelRow), 2);
        QCOMPARE(form.state().BrowserSelAddress, 16 * (2 + 2 * 8));
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(bytes, view(240, 3, true, 2, 2)),
                        "scrolled-mark");
        VERIFY_PROMPTS(prompts);
    }

    void mouseDownWithoutAFileDoesNothing() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        form.SpriteBox_MouseDown(1, 0, 50, 30);
        QCOMPARE(form.state().BrowserSelAddress, 0);
        QCOMPARE(form.state().BrowserSelColumn, 0);
        QCOMPARE(form.TextAddress->text(), QStringLiteral(" 0"));
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedGreyBrowser(), "no-file-press");
        VERIFY_PROMPTS(prompts);
    }

    // Opening and closing

    void openShowsTheFile() {
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(3000, 17);
        const QString path = writeRom(dir, "game.gb", bytes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openWithDialog(form, prompts, path);
        QCOMPARE(prompts.filters,
                 QStringList{QStringLiteral(
                     "Gameboy Roms (*.gb,*.gbc)|*.gb;*.gbc|Super Nintendo Roms (*.smc, "
                     "*.sfc,*.fig)|*.smc; *.sfc;*.fig|All files (*.*)|*.*")});
        QCOMPARE(form.windowTitle(), path + QStringLiteral(" - Dorvane's Pelorin 0.22"));
        QCOMPARE(form.state().RomFileOpen, true);
        QCOMPARE(form.state().RomFilePath, path);
        QCOMPARE(form.state().RomFileLength, 3000);
        QCOMPARE(form.state().BrowserTopAddress, 0);
        QCOMPARE(form.TextAddress->text(), QStringLiteral("0"));
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(bytes, view(0)), "opened");
        QCOMPARE(fileBytes(path), bytes);
        VERIFY_PROMPTS(prompts);
    }

    void openButtonShowsTheDialog() {
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(300, 17);
        const QString path = writeRom(dir, "game.gbc", bytes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        prompts.expectOpen(path);
        form.BtOpenFile->click();
        QCOMPARE(prompts.filters.size(), 1);
        QCOMPARE(form.state().RomFileOpen, true);
        form.BtCloseFile->click();
        QCOMPARE(form.state().RomFileOpen, false);
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedGreyBrowser(), "closed-by-button");
        VERIFY_PROMPTS(prompts);
    }

    void openStartsAtTheOffset() {
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(32768, 19);
        const QString a = writeRom(dir, "a.gb", bytes);
        const QString b = writeRom(dir, "b.gb", randomBytes(32768, 20));
        ScriptedPrompts prompts;
        FormMain form(prompts);
        chooseOffset(form, 3);
        openWithDialog(form, prompts, a);
        QCOMPARE(form.state().BrowserTopAddress, 3);
        QCOMPARE(form.TextAddress->text(), QStringLiteral("0"));
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(bytes, view(3)), "offset-3");
        // Scrolled, closed, and another opened: back to 0 plus the offset.
        scrollTo(form, 500);
        QVERIFY(form.state().BrowserTopAddress > 3);
        form.BtCloseFile_Click();
        openWithDialog(form, prompts, b);
        QCOMPARE(form.state().BrowserTopAddress, 3);
        QCOMPARE(form.windowTitle(), b + QStringLiteral(" - Dorvane's Pelorin 0.22"));
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(fileBytes(b), view(3)),
                        "second-offset-3");
        VERIFY_PROMPTS(prompts);
    }

    void cancelledDialogChangesNothing_data() {
        QTest::addColumn<bool>("fileOpen");
        QTest::newRow("no file") << false;
        QTest::newRow("file open") << true;
    }
    void cancelledDialogChangesNothing() {
        QFETCH(bool, fileOpen);
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(5000, 23);
        const QString path = writeRom(dir, "a.gb", bytes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        if (fileOpen) {
            openWithDialog(form, prompts, path);
            scrollTo(form, 300);
        }
        const FormMainState before = form.state();
        const QString caption = form.windowTitle();
        const QString address = form.TextAddress->text();
        const QImage picture = form.SpriteBox->surface().copy();
        openWithDialog(form, prompts, QString());
        QCOMPARE(prompts.filters.size(), fileOpen ? 2 : 1);
        QCOMPARE(form.windowTitle(), caption);
        QCOMPARE(form.TextAddress->text(), address);
        QCOMPARE(form.state().RomFileOpen, before.RomFileOpen);
        QCOMPARE(form.state().RomFilePath, before.RomFilePath);
        QCOMPARE(form.state().RomFileLength, before.RomFileLength);
        QCOMPARE(form.state().BrowserTopAddress, before.BrowserTopAddress);
        COMPARE_PICTURE(form.SpriteBox->surface(), picture, "cancelled");
        if (fileOpen) {
            // The file is still there to be read.
            form.TextAddress->setText(QStringLiteral("160"));
            form.BtJumpAdd_Click();
            COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(bytes, view(160)),
                            "still-open");
        }
        VERIFY_PROMPTS(prompts);
    }

    void editorCellsLoseTheirAddresses_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("close button") << "close";
        QTest::newRow("second file") << "second";
        QTest::newRow("same file again") << "same";
    }
    void editorCellsLoseTheirAddresses() {
        QFETCH(QString, how);
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(4096, 29);
        const QString a = writeRom(dir, "a.gb", bytes);
        const QByteArray otherBytes = randomBytes(2048, 30);
        const QString b = writeRom(dir, "b.gb", otherBytes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openWithDialog(form, prompts, a);
        // Tile of cell (1, 0), address 16, into editor cell 0.
        form.SpriteBox_MouseDown(1, 0, 30, 5);
        QCOMPARE(form.state().BrowserSelAddress, 16);
        form.SpriteBox_DblClick();
        QCOMPARE(form.state().EditorTiles[0].Address, 16);
        form.EditorBox_MouseDown(1, 0, 5, 5);
        QCOMPARE(form.TextEditAddress->text(), QStringLiteral("16"));
        const auto pixels = form.state().EditorTiles[0].Pixels;

        if (how == QLatin1String("close")) {
            form.BtCloseFile_Click();
            QCOMPARE(form.state().RomFileOpen, false);
        } else {
            openWithDialog(form, prompts, how == QLatin1String("same") ? a : b);
            QCOMPARE(form.state().RomFileOpen, true);
            QCOMPARE(form.TextAddress->text(), QStringLiteral("0"));
            QCOMPARE(form.state().BrowserTopAddress, 0);
        }
        for (const TileRecord& tile : form.state().EditorTiles)
            QCOMPARE(tile.Address, 0);
        QCOMPARE(form.state().EditorTiles[0].Pixels, pixels);
        QCOMPARE(form.TextEditAddress->text(), QStringLiteral("0"));
        QCOMPARE(fileBytes(a), bytes);
        QCOMPARE(fileBytes(b), otherBytes);
        VERIFY_PROMPTS(prompts);
    }

    void closeKeepsCaptionLengthAndPlace() {
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(32768, 31);
        const QString path = writeRom(dir, "a.gb", bytes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openWithDialog(form, prompts, path);
        scrollTo(form, 9);
        form.SpriteBox_MouseDown(1, 0, 50, 30);
        const QString caption = path + QStringLiteral(" - Dorvane's Pelorin 0.22");
        for (int time = 0; time < 2; ++time) {
            form.BtCloseFile_Click();
            QCOMPARE(form.state().RomFileOpen, false);
            QCOMPARE(form.windowTitle(), caption);
            QCOMPARE(form.state().RomFilePath, path);
            QCOMPARE(form.state().RomFileLength, 32768);
            QCOMPARE(form.state().BrowserTopAddress, 272);
            QCOMPARE(form.state().BrowserSelAddress, 272 + 192);
            QCOMPARE(form.SpriteScroll->value(), 9);
            QCOMPARE(form.TextAddress->text(), QStringLiteral("464"));
            COMPARE_PICTURE(form.SpriteBox->surface(), expectedGreyBrowser(), "closed");
        }
        QCOMPARE(fileBytes(path), bytes);
        VERIFY_PROMPTS(prompts);
    }

    void emptyFileOpensAndRefusesTheJump() {
        QTemporaryDir dir;
        const QString path = writeRom(dir, "empty.gb", QByteArray());
        ScriptedPrompts prompts;
        FormMain form(prompts);
        chooseOffset(form, 6);
        prompts.expectOpen(path);
        prompts.expect(kAddressTooLarge);
        form.BtOpenFile_Click();
        VERIFY_PROMPTS(prompts);
        QCOMPARE(form.state().RomFileOpen, true);
        QCOMPARE(form.state().RomFileLength, 0);
        QCOMPARE(form.state().BrowserTopAddress, 6);
        QCOMPARE(form.windowTitle(), path + QStringLiteral(" - Dorvane's Pelorin 0.22"));
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(QByteArray(), view(6)),
                        "empty-file");
        QCOMPARE(fileBytes(path), QByteArray());
    }

    void refusedPath_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("openBefore");
        QTest::addColumn<bool>("commandLine");
        const char* kinds[] = {"missing", "folder", "fifo", "device", "2 GiB"};
        for (const char* kind : kinds) {
            for (int before = 0; before < 2; ++before) {
                for (int route = 0; route < 2; ++route) {
                    QTest::addRow("%s%s%s", kind, before ? ", a file open before" : "",
                                  route ? ", command line" : ", dialog")
                        << QString::fromLatin1(kind) << bool(before) << bool(route);
                }
            }
        }
    }
    void refusedPath() {
        QFETCH(QString, kind);
        QFETCH(bool, openBefore);
        QFETCH(bool, commandLine);
        QTemporaryDir dir;
        QString path;
        if (kind == QLatin1String("missing")) {
            path = dir.filePath(QStringLiteral("missing.gb"));
        } else if (kind == QLatin1String("folder")) {
            path = dir.filePath(QStringLiteral("folder.gb"));
            QVERIFY(QDir().mkpath(path));
        } else if (kind == QLatin1String("fifo")) {
            path = dir.filePath(QStringLiteral("pipe.gb"));
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == QLatin1String("device")) {
            path = QStringLiteral("/dev/zero");
        } else {
            path = writeSparse(dir, QStringLiteral("huge.gb"), qint64(1) << 31);
            QVERIFY(!path.isEmpty());
        }
        const QString good = writeRom(dir, "good.gb", randomBytes(4096, 37));
        RecordingPrompts prompts;
        FormMain form(prompts);
        if (openBefore) {
            openWithDialog(form, prompts, good);
            form.SpriteBox_MouseDown(1, 0, 30, 5);
            form.SpriteBox_DblClick();
            QCOMPARE(form.state().EditorTiles[0].Address, 16);
        }
        prompts.recordOnly = true;
        if (commandLine) {
            form.openPath(path);
        } else {
            prompts.expectOpen(path);
            form.BtOpenFile_Click();
        }
        prompts.recordOnly = false;
        QCOMPARE(prompts.shown.size(), 1);
        const MessageSpec box = prompts.shown.first();
        QCOMPARE(box.title, QStringLiteral("Can not open file"));
        const QString start =
            QStringLiteral("The file ") + path + QStringLiteral(" can not be opened.\r");
        QVERIFY2(box.text.startsWith(start), qPrintable(box.text));
        QVERIFY2(box.text.size() > start.size() + 3, qPrintable(box.text));
        QVERIFY2(!box.text.mid(start.size()).contains(u'\r'), qPrintable(box.text));
        QCOMPARE(box.buttons, MsgButtons::Ok);
        QCOMPARE(form.state().RomFileOpen, false);
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedGreyBrowser(), "refused");
        for (const TileRecord& tile : form.state().EditorTiles)
            QCOMPARE(tile.Address, 0);
        if (kind == QLatin1String("missing")) QVERIFY(!QFile::exists(path));
        // Nothing reads the refused path afterwards.
        form.TextAddress->setText(QStringLiteral("16"));
        form.BtJumpAdd_Click();
        form.SpriteBox_MouseDown(1, 0, 30, 5);
        QCOMPARE(form.state().RomFileOpen, false);
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedGreyBrowser(), "refused-after");
        // And a good file opens as usual.
        openWithDialog(form, prompts, good);
        QCOMPARE(form.state().RomFileOpen, true);
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(fileBytes(good), view(0)),
                        "good-after-refused");
        VERIFY_PROMPTS(prompts);
    }

    void commandLineOpensLikeTheDialog() {
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(6000, 41);
        const QString path = writeRom(dir, "cmd.gb", bytes);
        ScriptedPrompts prompts;
        FormMain byDialog(prompts);
        openWithDialog(byDialog, prompts, path);
        FormMain byName(prompts);
        byName.openPath(path);
        QCOMPARE(prompts.filters.size(), 1); // only the first one showed a dialog
        QCOMPARE(byName.windowTitle(), path + QStringLiteral(" - Dorvane's Pelorin 0.22"));
        QCOMPARE(byName.windowTitle(), byDialog.windowTitle());
        QCOMPARE(byName.state().RomFileOpen, true);
        QCOMPARE(byName.state().RomFileLength, 6000);
        QCOMPARE(byName.state().BrowserTopAddress, 0);
        QCOMPARE(byName.TextAddress->text(), QStringLiteral("0"));
        COMPARE_PICTURE(byName.SpriteBox->surface(), expectedBrowser(bytes, view(0)),
                        "command-line");
        COMPARE_PICTURE(byName.SpriteBox->surface(), byDialog.SpriteBox->surface(),
                        "command-line-vs-dialog");
        VERIFY_PROMPTS(prompts);
    }
};

QTEST_MAIN(TestBrowser)
#include "tst_browser.moc"
