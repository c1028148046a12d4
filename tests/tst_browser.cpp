// The browser as a user drives it: opening files, what it shows of them pixel for pixel, the
// scroll bar, the wheel, the jump, the offset list, the mark, the read-out under the pointer.
#include "datarows.h"
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

constexpr int kLeft = Qt::LeftButton;

// Positive: that many clicks on "Zoom in"; negative: on "Zoom out".
void zoomBy(Session& s, int clicks) {
    for (int i = 0; i < qAbs(clicks); ++i)
        Session::click(clicks > 0 ? s.form.BtBrowZoomIn : s.form.BtBrowZoomOut);
}

QImage browser(const Session& s) {
    return s.form.SpriteBox->surface();
}

QString text(const Session& s) {
    return s.form.TextAddress->text();
}

} // namespace

class TestBrowser : public QObject {
    Q_OBJECT
  private slots:
    void openButton() {
        Session s;
        const QByteArray bytes = randomBytes(3000, 1);
        s.open(bytes);
        QCOMPARE(s.prompts.filters, QStringList{expected::kOpenFilter});
        const QString caption = s.path + QStringLiteral(" - ") + expected::kCaption;
        QCOMPARE(s.form.windowTitle(), caption);
        QCOMPARE(text(s), QStringLiteral("0"));
        Session::press(s.form.SpriteBox, s.browserCell(2, 1));
        // A cancelled dialog changes nothing, but lays out (the mark goes home) and redraws.
        s.form.SpriteBox->surface().fill(Qt::red);
        s.form.EditorBox->surface().fill(Qt::red);
        s.openPath(QString());
        QCOMPARE(s.form.windowTitle(), caption);
        QCOMPARE(text(s), QStringLiteral("192"));
        COMPARE_PICTURE(browser(s), expectedBrowser(bytes, {}), "cancelled");
        COMPARE_PICTURE(s.form.EditorBox->surface(), expectedEditor({}, {}), "cancelled-editor");
        VERIFY_PROMPTS(s.prompts);
    }

    void unopenable_data() {
        using R = Row<QString, QString>; // reason empty: worded by the system
        // clang-format off
        rows(R{"missing", "none.gb", ""}, R{"folder", "folder", "It is a folder."},
             R{"pipe", "pipe", "It is not a regular file (a device, a pipe or a socket)."});
        // clang-format on
    }
    // After a refused open no file is open, though one was before.
    void unopenable() {
        const auto [name, reason] = fetch<QString, QString>();
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
        const QString start = QStringLiteral("The file %1 can not be opened.\r").arg(path);
        QVERIFY2(boxes[0].text.startsWith(start), qPrintable(describe(boxes[0])));
        if (!reason.isEmpty()) QCOMPARE(boxes[0].text, start + reason);
        QCOMPARE(boxes[0], expected::refusal(boxes[0].text, QStringLiteral("Can not open file")));
        const QString status = s.form.LbStatus->text();
        Session::click(s.form.ChkGrid);
        Session::press(s.form.SpriteBox, {50, 30});
        Session::move(s.form.SpriteBox, {50, 30});
        QCOMPARE(text(s), QStringLiteral("0"));
        QCOMPARE(s.form.LbStatus->text(), status);
        Session::click(s.form.BtJumpAdd); // no jump and no message
        COMPARE_PICTURE(browser(s), expectedGreyBrowser(), "no file");
        QCOMPARE(boxes.size(), 1);
    }

    void picture_data() {
        // length, zoom clicks, zoom, grid, offset, button, presses: mark, address text
        using R = Row<int, int, int, bool, int, int, QList<QPointF>, QPoint, QString>;
        const int right = Qt::RightButton;
        // clang-format off
        rows(R{"20 bytes", 20, 0, 3, false, 0, kLeft, {}, {0, 0}, "0"},
             R{"20 bytes from 5, zoom 2, grid", 20, -1, 2, true, 5, kLeft, {}, {0, 0}, "0"},
             R{"zoom 9 and no further, grid, right button", 5000, 7, 9, true, 0, right,
               {{100, 200}}, {1, 2}, "112"},
             R{"zoom 2 and no further, mark moved", 70000, -2, 2, false, 15, kLeft,
               {{40, 40}, {200, 390}}, {12, 24}, "5583"},
             R{"grid ring moved twice", 70000, 0, 3, true, 0, kLeft,
               {{30, 30}, {120, 200}, {60, 2}}, {2, 0}, "32"},
             R{"presses in the margins mark nothing", 4096, 1, 4, false, 0, kLeft,
               {{50, 30}, {226, 100}, {100, 390}}, {1, 0}, "16"},
             R{"the last, partly shown cell", 70000, 0, 3, false, 3, kLeft, {{228, 396}},
               {9, 16}, "2707"});
        // clang-format on
    }
    void picture() {
        const auto [length, clicks, zoom, grid, offset, button, presses, mark, address] =
            fetch<int, int, int, bool, int, int, QList<QPointF>, QPoint, QString>();
        Session s;
        const QByteArray bytes = randomBytes(length, quint32(length));
        s.chooseOffset(offset);
        s.open(bytes);
        zoomBy(s, clicks);
        if (grid) Session::click(s.form.ChkGrid);
        for (const QPointF& at : presses)
            Session::press(s.form.SpriteBox, at, Qt::MouseButton(button));
        QCOMPARE(text(s), address);
        const BrowserPicture view{
            .top = offset, .zoom = zoom, .grid = grid, .markColumn = mark.x(), .markRow = mark.y()};
        COMPARE_PICTURE(browser(s), expectedBrowser(bytes, view), QTest::currentDataTag());
        VERIFY_PROMPTS(s.prompts);
    }

    // The thumb picks v/1024 of the file, rounded down to 16 bytes per visible row.
    void scrollBar_data() {
        using R = Row<int, int, bool, int, int, int>; // length, zoom clicks, grid, offset, v: top
        // clang-format off
        rows(R{"1 of 32768, 17 rows", 32768, 0, false, 0, 1, 0},
             R{"9 of 32768", 32768, 0, false, 0, 9, 272},
             R{"1024 of 32768", 32768, 0, false, 0, 1024, 32640},
             R{"offset 4 at the top", 32768, 0, false, 4, 0, 4},
             R{"500 of 100000, 22 rows, offset 7", 100000, -1, true, 7, 500, 48583});
        // clang-format on
    }
    void scrollBar() {
        const auto [length, clicks, grid, offset, value, top] =
            fetch<int, int, bool, int, int, int>();
        Session s;
        const QByteArray bytes = randomBytes(length, 3);
        s.open(bytes);
        zoomBy(s, clicks);
        if (grid) Session::click(s.form.ChkGrid);
        s.chooseOffset(offset);
        QScrollBar* bar = s.form.SpriteScroll;
        const QImage shown = expectedBrowser(bytes, {.top = top, .zoom = 3 + clicks, .grid = grid});
        // The browser follows the thumb while it is dragged, and shows the same once let go.
        bar->setSliderDown(true);
        bar->setSliderPosition(value);
        QCOMPARE(text(s), u' ' + QString::number(top));
        COMPARE_PICTURE(browser(s), shown, "dragging");
        bar->setSliderDown(false);
        QCOMPARE(bar->value(), value);
        QCOMPARE(text(s), u' ' + QString::number(top));
        COMPARE_PICTURE(browser(s), shown, "let go");
    }

    void wheel_data() {
        using R = Row<QList<int>, int>; // angles turned: thumb
        // clang-format off
        rows(R{"a notch toward the user", {-120}, 1}, R{"two half notches", {-60, -60}, 1},
             R{"a half notch", {-60}, 0}, R{"a notch away at the top", {120}, 0},
             R{"three notches and one back", {-360, 120}, 2});
        // clang-format on
    }
    void wheel() {
        const auto [angles, value] = fetch<QList<int>, int>();
        Session s;
        s.open(randomBytes(1024 * 272, 4)); // 17 rows of 16 bytes a step
        for (int angle : angles) {
            QWheelEvent turn({50, 50}, {50, 50}, {}, {0, angle}, Qt::NoButton, Qt::NoModifier,
                             Qt::NoScrollPhase, false);
            QApplication::sendEvent(s.form.SpriteBox, &turn);
        }
        QCOMPARE(s.form.SpriteScroll->value(), value);
        QCOMPARE(text(s), value ? u' ' + QString::number(272 * value) : QStringLiteral("0"));
    }

    void jump_data() {
        using R = Row<QString, int, int, int>; // typed, key (0: button), offset: top (-1 refused)
        // clang-format off
        rows(R{"100 and offset 4", "100", 0, 4, 104},
             R{"hexadecimal, Return", "&H100", Qt::Key_Return, 0, 256},
             R{"length - 1, keypad Enter", "4095", Qt::Key_Enter, 0, 4095},
             R{"length - 16", "4080", 0, 0, 4080}, R{"no number", "abc", 0, 3, 3},
             R{"the length", "4096", 0, 0, -1}, R{"negative", "-1", Qt::Key_Return, 2, -1});
        // clang-format on
    }
    void jump() {
        const auto [typed, key, offset, top] = fetch<QString, int, int, int>();
        Session s;
        const QByteArray bytes = randomBytes(4096, 5);
        s.open(bytes);
        s.chooseOffset(offset);
        Session::type(s.form.TextAddress, typed);
        if (top < 0) s.prompts.expect(expected::kJumpRefused);
        if (key == 0) Session::click(s.form.BtJumpAdd);
        if (key != 0)
            QTest::keyClick(s.form.TextAddress, Qt::Key(key),
                            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(text(s), typed);
        QCOMPARE(s.form.SpriteScroll->value(), 0);
        COMPARE_PICTURE(browser(s), expectedBrowser(bytes, {.top = top < 0 ? offset : top}),
                        QTest::currentDataTag());
        VERIFY_PROMPTS(s.prompts);
    }

    void status_data() {
        // zoom clicks, grid, offset, point, left button held: text
        using R = Row<int, bool, int, QPointF, bool, QString>;
        // clang-format off
        rows(R{"zoom 3", 0, false, 0, {50, 30}, false, "Sprite at 192 ( 2, 1)"},
             R{"zoom 2, grid, offset 5", -1, true, 5, {40, 20}, false, "Sprite at 245 ( 2, 1)"},
             R{"dragging left of the box", 0, false, 0, {-10, 30}, true, "Sprite at 144 ( 0, 1)"},
             R{"dragging above the box", 0, false, 0, {-10, -5}, true, "Sprite at-176 ( 0, 0)"},
             R{"hovering left of the box: the credit stays", 0, false, 0, {-10, 30}, false, ""});
        // clang-format on
    }
    void status() {
        const auto [clicks, grid, offset, at, held, status] =
            fetch<int, bool, int, QPointF, bool, QString>();
        Session s;
        const QString credit = s.form.LbStatus->text();
        s.open(randomBytes(4096, 6));
        zoomBy(s, clicks);
        if (grid) Session::click(s.form.ChkGrid);
        s.chooseOffset(offset);
        Session::move(s.form.SpriteBox, at, held ? Qt::LeftButton : Qt::NoButton);
        QCOMPARE(s.form.LbStatus->text(), status.isEmpty() ? credit : status);
    }

    // Zoom and either grid bring the mark home (shown at the next redraw, here a jump to the
    // text the press wrote); the address of the last press stays, so a double-click where no
    // cell is (which marks nothing) copies that tile.
    void layoutKeepsThePressedAddress_data() {
        using R = Row<int, int, QPointF>; // control clicked: zoom, a point off the grid
        // clang-format off
        rows(R{"zoom in", 0, 4, {10, 390}}, R{"zoom out", 1, 2, {226, 10}},
             R{"grid", 2, 3, {220, 10}}, R{"editor grid", 3, 3, {}});
        // clang-format on
    }
    void layoutKeepsThePressedAddress() {
        const auto [control, zoom, margin] = fetch<int, int, QPointF>();
        Session s;
        const QByteArray bytes = randomBytes(4096, 7);
        s.open(bytes);
        Session::press(s.form.SpriteBox, {50, 30});
        GraphicButton* controls[] = {s.form.BtBrowZoomIn, s.form.BtBrowZoomOut, s.form.ChkGrid,
                                     s.form.ChkGridEditor};
        Session::click(controls[control]);
        QCOMPARE(text(s), QStringLiteral("192"));
        Session::click(s.form.BtJumpAdd);
        COMPARE_PICTURE(browser(s),
                        expectedBrowser(bytes, {.top = 192, .zoom = zoom, .grid = control == 2}),
                        QTest::currentDataTag());
        if (margin.isNull()) return;
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
        Session::click(s.form.ChkNoncopied); // cells without address hidden
        Session::click(s.form.BtCloseFile);
        COMPARE_PICTURE(browser(s), expectedGreyBrowser(), "closed");
        QCOMPARE(s.form.windowTitle(), caption);
        QCOMPARE(s.form.TextEditAddress->text(), QStringLiteral("0"));
        EditorTileArray tiles{};
        tiles[0].Pixels = decodeByHand(bytes, 16); // the tile stays, its address goes
        COMPARE_PICTURE(s.form.EditorBox->surface(), expectedEditor(tiles, {.hideNoncopied = true}),
                        "hidden");
        Session::click(s.form.ChkNoncopied);
        COMPARE_PICTURE(s.form.EditorBox->surface(), expectedEditor(tiles, {}), "editor");
        Session::move(s.form.EditorBox, s.editorPixel(0, 0));
        QCOMPARE(s.form.LbStatus->text(), QStringLiteral("Tile has no address."));
    }

    void drop_data() { rows(Row<bool>{"a file", true}, Row<bool>{"a web address", false}); }
    // Onto a window with a file open, a tile marked and copied into the editor.
    void drop() {
        const auto [local] = fetch<bool>();
        Session s;
        const QByteArray first = randomBytes(1024, 10);
        s.open(first, QStringLiteral("first.gb"));
        s.copyToEditor(2, 1);
        const QString caption = s.form.windowTitle();
        const QByteArray bytes = randomBytes(2048, 9);
        const QString path = s.write(bytes, QStringLiteral("dropped.gb"));
        QMimeData mime;
        mime.setUrls({local ? QUrl::fromLocalFile(path) : QUrl(QStringLiteral("https://a.org/a"))});
        QDragEnterEvent enter({100, 200}, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&s.form, &enter);
        QCOMPARE(enter.isAccepted(), local);
        QDropEvent drop({100, 200}, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&s.form, &drop);
        QCOMPARE(s.form.windowTitle(),
                 local ? path + QStringLiteral(" - ") + expected::kCaption : caption);
        COMPARE_PICTURE(browser(s),
                        local ? expectedBrowser(bytes, {})
                              : expectedBrowser(first, {.markColumn = 2, .markRow = 1}),
                        QTest::currentDataTag());
        // The cells copied from the file opened before have lost their addresses.
        Session::move(s.form.EditorBox, s.editorPixel(0, 0));
        QCOMPARE(s.form.LbStatus->text(), local ? QStringLiteral("Tile has no address.")
                                                : QStringLiteral("Tile starting at byte 192"));
    }
};

QTEST_MAIN(TestBrowser)
#include "tst_browser.moc"
