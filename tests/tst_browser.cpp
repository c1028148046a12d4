// The browser as a user drives it: opening files, what it shows of them pixel for pixel, the
// scroll bar, the wheel, the jump, the offset list, the mark, the read-out under the pointer.
#include "expected.h"
#include "pictures.h"
#include "session.h"
#include "testtiles.h"
#include "ui/app/formmain.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/picturebox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>

#include <sys/stat.h>

namespace {

// Positive: that many clicks on "Zoom in"; negative: on "Zoom out".
void zoomBy(Session& s, int clicks) {
    for (int i = 0; i < qAbs(clicks); ++i)
        Session::click(clicks > 0 ? s.form.BtBrowZoomIn : s.form.BtBrowZoomOut);
}

QImage browser(const Session& s) {
    return s.form.SpriteBox->surface();
}

} // namespace

class TestBrowser : public QObject {
    Q_OBJECT
  private slots:
    void openButton() {
        Session s;
        const QByteArray bytes = randomBytes(3000, 1);
        s.open(bytes, QStringLiteral("a.gb"));
        QCOMPARE(s.prompts.filters, QStringList{expected::kOpenFilter});
        const QString caption = s.path + QStringLiteral(" - ") + expected::kCaption;
        QCOMPARE(s.form.windowTitle(), caption);
        QCOMPARE(s.form.TextAddress->text(), QStringLiteral("0"));
        Session::press(s.form.SpriteBox, s.browserCell(2, 1));
        // A cancelled dialog changes nothing, but lays out (the mark goes home) and redraws.
        s.form.SpriteBox->surface().fill(Qt::red);
        s.form.EditorBox->surface().fill(Qt::red);
        s.prompts.expectOpen(QString());
        Session::click(s.form.BtOpenFile);
        QCOMPARE(s.form.windowTitle(), caption);
        QCOMPARE(s.form.TextAddress->text(), QStringLiteral("192"));
        COMPARE_PICTURE(browser(s), expectedBrowser(bytes, {}), "cancelled");
        COMPARE_PICTURE(s.form.EditorBox->surface(), expectedEditor({}, {}), "cancelled-editor");
        VERIFY_PROMPTS(s.prompts);
    }

    void unopenable_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason"); // empty: worded by the system
        QTest::newRow("missing") << "none.gb"
                                 << "";
        QTest::newRow("folder") << "folder"
                                << "It is a folder.";
        QTest::newRow("pipe") << "pipe"
                              << "It is not a regular file (a device, a pipe or a socket).";
    }
    void unopenable() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        Session s;
        s.open(randomBytes(64, 2));
        const QString path = s.dir.filePath(name);
        if (name == QLatin1String("folder")) QVERIFY(QDir(s.dir.path()).mkdir(name));
        if (name == QLatin1String("pipe")) QCOMPARE(mkfifo(QFile::encodeName(path), 0600), 0);
        QList<MessageSpec> boxes;
        s.prompts.anyBox = [&boxes](const MessageSpec& box) {
            boxes << box;
            return MsgAnswer::Ok;
        };
        s.openPath(path);
        QCOMPARE(boxes.size(), 1);
        const QString text = QStringLiteral("The file %1 can not be opened.\r").arg(path);
        QVERIFY2(boxes[0].text.startsWith(text), qPrintable(describe(boxes[0])));
        if (!reason.isEmpty()) QCOMPARE(boxes[0].text, text + reason);
        QCOMPARE(boxes[0], expected::refusal(boxes[0].text, QStringLiteral("Can not open file")));
        // No file is open: the browser is grey and a press marks nothing.
        COMPARE_PICTURE(browser(s), expectedGreyBrowser(), "refused");
        Session::press(s.form.SpriteBox, s.browserCell(2, 1));
        QCOMPARE(s.form.TextAddress->text(), QStringLiteral("0"));
        VERIFY_PROMPTS(s.prompts);
    }

    void noFileIsGrey() {
        Session s;
        const QString status = s.form.LbStatus->text();
        s.chooseOffset(5);
        QCOMPARE(s.form.TextAddress->text(), QStringLiteral(" 5"));
        zoomBy(s, 1);
        Session::click(s.form.ChkGrid);
        Session::press(s.form.SpriteBox, {50, 30});
        Session::move(s.form.SpriteBox, {50, 30});
        Session::type(s.form.TextAddress, QStringLiteral("5000"));
        Session::click(s.form.BtJumpAdd); // no file: no jump and no message
        QCOMPARE(s.form.LbStatus->text(), status);
        QCOMPARE(s.form.TextAddress->text(), QStringLiteral("5000"));
        COMPARE_PICTURE(browser(s), expectedGreyBrowser(), "no-file");
        VERIFY_PROMPTS(s.prompts);
    }

    void picture_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<bool>("grid");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("button");
        QTest::addColumn<QList<QPointF>>("presses");
        QTest::addColumn<QPoint>("mark");
        QTest::addColumn<QString>("address");
        const int left = Qt::LeftButton;
        QTest::newRow("20 bytes") << 20 << 0 << 3 << false << 0 << left << QList<QPointF>{}
                                  << QPoint(0, 0) << "0";
        QTest::newRow("20 bytes from 5, zoom 2, grid")
            << 20 << -1 << 2 << true << 5 << left << QList<QPointF>{} << QPoint(0, 0) << "0";
        QTest::newRow("zoom 9 and no further, grid, right button")
            << 5000 << 7 << 9 << true << 0 << int(Qt::RightButton) << QList<QPointF>{{100, 200}}
            << QPoint(1, 2) << "112";
        QTest::newRow("zoom 2 and no further, mark moved")
            << 70000 << -2 << 2 << false << 15 << left << QList<QPointF>{{40, 40}, {200, 390}}
            << QPoint(12, 24) << "5583";
        QTest::newRow("grid ring moved twice")
            << 70000 << 0 << 3 << true << 0 << left << QList<QPointF>{{30, 30}, {120, 200}, {60, 2}}
            << QPoint(2, 0) << "32";
        QTest::newRow("presses in the margins beyond the grid mark nothing")
            << 4096 << 1 << 4 << false << 0 << left
            << QList<QPointF>{{50, 30}, {226, 100}, {100, 390}} << QPoint(1, 0) << "16";
        QTest::newRow("the last, partly shown cell")
            << 70000 << 0 << 3 << false << 3 << left << QList<QPointF>{{228, 396}} << QPoint(9, 16)
            << "2707";
    }
    void picture() {
        QFETCH(int, length);
        QFETCH(int, clicks);
        QFETCH(int, zoom);
        QFETCH(bool, grid);
        QFETCH(int, offset);
        QFETCH(int, button);
        QFETCH(QList<QPointF>, presses);
        QFETCH(QPoint, mark);
        QFETCH(QString, address);
        Session s;
        const QByteArray bytes = randomBytes(length, quint32(length));
        s.chooseOffset(offset);
        s.open(bytes);
        zoomBy(s, clicks);
        if (grid) Session::click(s.form.ChkGrid);
        for (const QPointF& at : presses)
            Session::press(s.form.SpriteBox, at, Qt::MouseButton(button));
        QCOMPARE(s.form.TextAddress->text(), address);
        COMPARE_PICTURE(browser(s),
                        expectedBrowser(bytes, {.top = offset,
                                                .zoom = zoom,
                                                .grid = grid,
                                                .markColumn = mark.x(),
                                                .markRow = mark.y()}),
                        QTest::currentDataTag());
        VERIFY_PROMPTS(s.prompts);
    }

    // The thumb picks v/1024 of the file, rounded down to 16 bytes per visible row.
    void scrollBar_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<bool>("grid");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("top");
        QTest::newRow("1 of 32768, 17 rows") << 32768 << 0 << false << 0 << 1 << 0;
        QTest::newRow("9 of 32768") << 32768 << 0 << false << 0 << 9 << 272;
        QTest::newRow("1024 of 32768") << 32768 << 0 << false << 0 << 1024 << 32640;
        QTest::newRow("offset 4 at the top") << 32768 << 0 << false << 4 << 0 << 4;
        QTest::newRow("500 of 100000, 22 rows, offset 7")
            << 100000 << -1 << true << 7 << 500 << 48583;
    }
    void scrollBar() {
        QFETCH(int, length);
        QFETCH(int, clicks);
        QFETCH(bool, grid);
        QFETCH(int, offset);
        QFETCH(int, value);
        QFETCH(int, top);
        Session s;
        const QByteArray bytes = randomBytes(length, 3);
        s.open(bytes);
        zoomBy(s, clicks);
        if (grid) Session::click(s.form.ChkGrid);
        s.chooseOffset(offset);
        QScrollBar* bar = s.form.SpriteScroll;
        const BrowserPicture view{.top = top, .zoom = 3 + clicks, .grid = grid};
        // The browser follows the thumb while it is dragged, and shows the same once let go.
        bar->setSliderDown(true);
        bar->setSliderPosition(value);
        QCOMPARE(s.form.TextAddress->text(), u' ' + QString::number(top));
        COMPARE_PICTURE(browser(s), expectedBrowser(bytes, view), "dragging");
        bar->setSliderDown(false);
        QCOMPARE(bar->value(), value);
        QCOMPARE(s.form.TextAddress->text(), u' ' + QString::number(top));
        COMPARE_PICTURE(browser(s), expectedBrowser(bytes, view), "let go");
    }

    void wheel_data() {
        QTest::addColumn<QList<int>>("angles");
        QTest::addColumn<int>("value");
        QTest::newRow("a notch toward the user") << QList<int>{-120} << 1;
        QTest::newRow("two half notches") << QList<int>{-60, -60} << 1;
        QTest::newRow("a half notch") << QList<int>{-60} << 0;
        QTest::newRow("a notch away at the top") << QList<int>{120} << 0;
        QTest::newRow("three notches and one back") << QList<int>{-360, 120} << 2;
    }
    void wheel() {
        QFETCH(QList<int>, angles);
        QFETCH(int, value);
        Session s;
        s.open(randomBytes(1024 * 272, 4)); // 17 rows of 16 bytes a step
        for (int angle : angles) {
            QWheelEvent turn({50, 50}, {50, 50}, {}, {0, angle}, Qt::NoButton, Qt::NoModifier,
                             Qt::NoScrollPhase, false);
            QApplication::sendEvent(s.form.SpriteBox, &turn);
        }
        QCOMPARE(s.form.SpriteScroll->value(), value);
        QCOMPARE(s.form.TextAddress->text(),
                 value ? u' ' + QString::number(272 * value) : QStringLiteral("0"));
    }

    void jump_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key"); // 0: the jump button
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("top"); // -1: refused
        QTest::newRow("100 and offset 4") << "100" << 0 << 4 << 104;
        QTest::newRow("hexadecimal, Return") << "&H100" << int(Qt::Key_Return) << 0 << 256;
        QTest::newRow("length - 1, keypad Enter") << "4095" << int(Qt::Key_Enter) << 0 << 4095;
        QTest::newRow("length - 16") << "4080" << 0 << 0 << 4080;
        QTest::newRow("no number") << "abc" << 0 << 3 << 3;
        QTest::newRow("the length") << "4096" << 0 << 0 << -1;
        QTest::newRow("negative") << "-1" << int(Qt::Key_Return) << 2 << -1;
    }
    void jump() {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(int, offset);
        QFETCH(int, top);
        Session s;
        const QByteArray bytes = randomBytes(4096, 5);
        s.open(bytes);
        s.chooseOffset(offset);
        Session::type(s.form.TextAddress, typed);
        if (top < 0) s.prompts.expect(expected::kJumpRefused);
        if (key == 0)
            Session::click(s.form.BtJumpAdd);
        else
            QTest::keyClick(s.form.TextAddress, Qt::Key(key),
                            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(s.form.TextAddress->text(), typed);
        QCOMPARE(s.form.SpriteScroll->value(), 0);
        COMPARE_PICTURE(browser(s), expectedBrowser(bytes, {.top = top < 0 ? offset : top}),
                        QTest::currentDataTag());
        VERIFY_PROMPTS(s.prompts);
    }

    void status_data() {
        QTest::addColumn<int>("clicks");
        QTest::addColumn<bool>("grid");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<bool>("held");
        QTest::addColumn<QString>("text"); // empty: the credit line stays
        QTest::newRow("zoom 3") << 0 << false << 0 << QPointF(50, 30) << false
                                << "Sprite at 192 ( 2, 1)";
        QTest::newRow("zoom 2, grid, offset 5")
            << -1 << true << 5 << QPointF(40, 20) << false << "Sprite at 245 ( 2, 1)";
        QTest::newRow("dragging just left of the box")
            << 0 << false << 0 << QPointF(-10, 30) << true << "Sprite at 144 ( 0, 1)";
        QTest::newRow("dragging above the first row")
            << 0 << false << 0 << QPointF(-10, -5) << true << "Sprite at-176 ( 0, 0)";
        QTest::newRow("hovering left of the box")
            << 0 << false << 0 << QPointF(-10, 30) << false << "";
    }
    void status() {
        QFETCH(int, clicks);
        QFETCH(bool, grid);
        QFETCH(int, offset);
        QFETCH(QPointF, at);
        QFETCH(bool, held);
        QFETCH(QString, text);
        Session s;
        const QString credit = s.form.LbStatus->text();
        s.open(randomBytes(4096, 6));
        zoomBy(s, clicks);
        if (grid) Session::click(s.form.ChkGrid);
        s.chooseOffset(offset);
        Session::move(s.form.SpriteBox, at, held ? Qt::LeftButton : Qt::NoButton);
        QCOMPARE(s.form.LbStatus->text(), text.isEmpty() ? credit : text);
    }

    // Zoom and grid bring the mark home; the address of the last press stays, so a
    // double-click where no cell is (which marks nothing) copies that tile.
    void layoutKeepsThePressedAddress_data() {
        QTest::addColumn<int>("control");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QPointF>("margin");
        QTest::newRow("zoom in") << 0 << 4 << QPointF(10, 390);
        QTest::newRow("zoom out") << 1 << 2 << QPointF(226, 10);
        QTest::newRow("grid") << 2 << 3 << QPointF(220, 10);
    }
    void layoutKeepsThePressedAddress() {
        QFETCH(int, control);
        QFETCH(int, zoom);
        QFETCH(QPointF, margin);
        Session s;
        const QByteArray bytes = randomBytes(4096, 7);
        s.open(bytes);
        Session::press(s.form.SpriteBox, {50, 30});
        GraphicButton* controls[] = {s.form.BtBrowZoomIn, s.form.BtBrowZoomOut, s.form.ChkGrid};
        Session::click(controls[control]);
        COMPARE_PICTURE(browser(s), expectedBrowser(bytes, {.zoom = zoom, .grid = control == 2}),
                        QTest::currentDataTag());
        QCOMPARE(s.form.TextAddress->text(), QStringLiteral("192"));
        Session::doubleClick(s.form.SpriteBox, margin);
        EditorTileArray tiles{};
        tiles[0] = {decodeByHand(bytes, 192), 192};
        COMPARE_PICTURE(s.form.EditorBox->surface(), expectedEditor(tiles, {.selColumn = 1}),
                        "copied");
        VERIFY_PROMPTS(s.prompts);
    }

    void closeButton() {
        Session s;
        const QByteArray bytes = randomBytes(4096, 8);
        s.open(bytes);
        const QString caption = s.form.windowTitle();
        s.copyToEditor(1, 0);
        Session::press(s.form.EditorBox, s.editorPixel(0, 0));
        QCOMPARE(s.form.TextEditAddress->text(), QStringLiteral("16"));
        Session::click(s.form.BtCloseFile);
        COMPARE_PICTURE(browser(s), expectedGreyBrowser(), "closed");
        QCOMPARE(s.form.windowTitle(), caption);
        QCOMPARE(s.form.TextEditAddress->text(), QStringLiteral("0"));
        EditorTileArray tiles{};
        tiles[0].Pixels = decodeByHand(bytes, 16);
        COMPARE_PICTURE(s.form.EditorBox->surface(), expectedEditor(tiles, {}), "editor");
        Session::move(s.form.EditorBox, s.editorPixel(0, 0));
        QCOMPARE(s.form.LbStatus->text(), QStringLiteral("Tile has no address."));
        VERIFY_PROMPTS(s.prompts);
    }

    void drop_data() {
        QTest::addColumn<bool>("local");
        QTest::newRow("a file") << true;
        QTest::newRow("a web address") << false;
    }
    void drop() {
        QFETCH(bool, local);
        Session s;
        const QByteArray bytes = randomBytes(2048, 9);
        const QString path = s.write(bytes, QStringLiteral("dropped.gb"));
        QMimeData mime;
        mime.setUrls(
            {local ? QUrl::fromLocalFile(path) : QUrl(QStringLiteral("https://example.org/a.gb"))});
        QDragEnterEvent enter({100, 200}, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&s.form, &enter);
        QCOMPARE(enter.isAccepted(), local);
        QDropEvent drop({100, 200}, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&s.form, &drop);
        QCOMPARE(s.form.windowTitle(),
                 local ? path + QStringLiteral(" - ") + expected::kCaption : expected::kCaption);
        COMPARE_PICTURE(browser(s), local ? expectedBrowser(bytes, {}) : expectedGreyBrowser(),
                        QTest::currentDataTag());
        VERIFY_PROMPTS(s.prompts);
    }
};

QTEST_MAIN(TestBrowser)
#include "tst_browser.moc"
