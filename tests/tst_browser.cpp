// The browser as a user drives it: opening files, what it shows of them pixel for pixel, the
// scroll bar, the wheel, the jump, the offset list, the mark, the read-out under the pointer.
#include "session.h"

#include <QApplication>
#include <QMimeData>
#include <QScrollBar>
#include <QUrl>
#include <QWheelEvent>

class TestBrowser : public QObject {
    Q_OBJECT
    static QString text(const Session& s) { return s.form.TextAddress->text(); }
    static void zoomBy(Session& s, int clicks) {
        Session::click(clicks > 0 ? s.form.BtBrowZoomIn : s.form.BtBrowZoomOut, Qt::LeftButton,
                       qAbs(clicks));
    }

  private slots:
    // The picture, the mark and the address of the presses; then the read-out of the point
    // the pointer moves to (empty: the credit stays), the left button held or not.
    void picture_data() {
        // length, zoom clicks, zoom, grid, offset, right button, presses: mark, address text;
        // point, held: read-out
        using R = Row<int, int, int, bool, int, bool, QList<QPointF>, QPoint, QString, QPointF,
                      bool, QString>;
        // clang-format off
        rows(R{"20 bytes from 5, zoom 2, grid", 20, -1, 2, true, 5, false, {}, {0, 0}, "0",
               {40, 20}, false, "Sprite at 245 ( 2, 1)"},
             R{"zoom 9 and no further, grid, right button", 5000, 7, 9, true, 0, true,
               {{100, 200}}, {1, 2}, "112", {-10, 30}, false, ""},
             R{"zoom 2 and no further, mark moved", 70000, -2, 2, false, 15, false,
               {{40, 40}, {200, 390}}, {12, 24}, "5583", {-10, -5}, true, "Sprite at-225 ( 0, 0)"},
             R{"grid ring moved twice", 70000, 0, 3, true, 0, false,
               {{30, 30}, {120, 200}, {60, 2}}, {2, 0}, "32", {50, 10}, false, "Sprite at 16 ( 1, 0)"},
             R{"presses in the margins mark nothing", 4096, 1, 4, false, 0, false,
               {{50, 30}, {226, 100}, {100, 390}}, {1, 0}, "16", {70, 10}, true, "Sprite at 32 ( 2, 0)"},
             R{"the last, partly shown cell", 70000, 0, 3, false, 3, false, {{228, 396}},
               {9, 16}, "2707", {-10, 30}, true, "Sprite at 147 ( 0, 1)"});
        // clang-format on
    }
    void picture() {
        const auto [length, clicks, zoom, grid, offset, right, presses, mark, address, at, held,
                    status] = fetch<int, int, int, bool, int, bool, QList<QPointF>, QPoint, QString,
                                    QPointF, bool, QString>();
        Session s;
        const QString credit = s.status();
        const QByteArray bytes = randomBytes(length, quint32(length));
        s.chooseOffset(offset);
        s.open(bytes);
        zoomBy(s, clicks);
        if (grid) Session::click(s.form.ChkGrid);
        for (const QPointF& p : presses)
            Session::press(s.form.SpriteBox, p, right ? Qt::RightButton : Qt::LeftButton);
        QCOMPARE(text(s), address);
        COMPARE_PICTURE(s.browser(),
                        expectedBrowser(bytes, {offset, zoom, grid, mark.x(), mark.y()}),
                        QTest::currentDataTag());
        Session::move(s.form.SpriteBox, at, held ? Qt::LeftButton : Qt::NoButton);
        QCOMPARE(s.status(), status.isEmpty() ? credit : status);
    }

    // The thumb dragged to v (no angles) picks v/1024 of the file, rounded down to 16 bytes a
    // visible row; the wheel moves it by whole notches (278528 bytes: 17 rows of 16 a notch).
    // Or the address typed is jumped to, by the button (key 0) or Return. The read-out
    // follows the view under a pointer that stands still on cell (1, 1).
    void top_data() {
        // length, zoom clicks, grid, offset, wheel angles, v or key, typed: top (-1: refused)
        using R = Row<int, int, bool, int, QList<int>, int, QString, int>;
        // clang-format off
        rows(R{"1024 of 32768", 32768, 0, false, 0, {}, 1024, "", 32640},
             R{"500 of 100000, 22 rows, offset 7", 100000, -1, true, 7, {}, 500, "", 48583},
             R{"three notches and one back", 278528, 0, false, 0, {-360, 120}, 2, "", 544},
             R{"jump, hexadecimal, Return", 4096, 0, false, 0, {}, Qt::Key_Return, "&H100", 256},
             R{"jump to the length", 4096, 0, false, 0, {}, 0, "4096", -1});
        // clang-format on
    }
    void top() {
        const auto [length, clicks, grid, offset, angles, value, typed, top] =
            fetch<int, int, bool, int, QList<int>, int, QString, int>();
        Session s;
        const QByteArray bytes = randomBytes(length, 3);
        s.open(bytes);
        zoomBy(s, clicks);
        if (grid) Session::click(s.form.ChkGrid);
        s.chooseOffset(offset);
        s.pointerOnBrowser(s.browserCell(1, 1));
        if (!typed.isEmpty()) {
            Session::type(s.form.TextAddress, typed);
            if (top < 0) s.prompts.expect(expected::kJumpRefused);
            if (value == 0) Session::click(s.form.BtJumpAdd);
            if (value != 0) QTest::keyClick(s.form.TextAddress, Qt::Key(value));
            QCOMPARE(text(s), typed);
        } else {
            // Dragged, the thumb is held down: only the drag itself moves the view.
            s.form.SpriteScroll->setSliderDown(angles.isEmpty());
            if (angles.isEmpty()) s.form.SpriteScroll->setSliderPosition(value);
            for (int angle : angles) {
                QWheelEvent turn({50, 50}, {50, 50}, {}, {0, angle}, Qt::NoButton, Qt::NoModifier,
                                 Qt::NoScrollPhase, false);
                QApplication::sendEvent(s.form.SpriteBox, &turn);
            }
            QCOMPARE(s.form.SpriteScroll->sliderPosition(), value);
            QCOMPARE(text(s), top ? u' ' + QString::number(top) : QStringLiteral("0"));
        }
        COMPARE_PICTURE(s.browser(),
                        expectedBrowser(bytes, {top < 0 ? offset : top, 3 + clicks, grid}),
                        QTest::currentDataTag());
        const int underPointer = (top < 0 ? offset : top) + 16 * (1 + s.state().BrowserColumns);
        QCOMPARE(s.status(), QStringLiteral("Sprite at %1 ( 1, 1)").arg(underPointer));
        VERIFY_PROMPTS(s.prompts);
    }

    // Zoom and either grid bring the mark home (shown at the next redraw, here a jump); the
    // address pressed stays, so a double-click where no cell is copies that tile.
    void layoutKeepsThePressedAddress_data() {
        using R = Row<Button, int, bool, QPointF>; // clicked: zoom, grid, a point off the grid
        rows(R{"zoom in", &FormMain::BtBrowZoomIn, 4, false, {10, 390}},
             R{"zoom out", &FormMain::BtBrowZoomOut, 2, false, {226, 10}},
             R{"grid", &FormMain::ChkGrid, 3, true, {220, 10}},
             R{"editor grid", &FormMain::ChkGridEditor, 3, false, {}});
    }
    void layoutKeepsThePressedAddress() {
        const auto [control, zoom, grid, margin] = fetch<Button, int, bool, QPointF>();
        Session s;
        const QByteArray bytes = randomBytes(4096, 7);
        s.open(bytes);
        Session::press(s.form.SpriteBox, {50, 30});
        Session::click(s.form.*control);
        QCOMPARE(text(s), "192");
        Session::click(s.form.BtJumpAdd);
        COMPARE_PICTURE(s.browser(), expectedBrowser(bytes, {192, zoom, grid}),
                        QTest::currentDataTag());
        if (margin.isNull()) return;
        Session::doubleClick(s.form.SpriteBox, margin);
        const EditorTileArray tiles{TileRecord{decodeByHand(bytes, 192), 192}};
        COMPARE_PICTURE(s.editor(), expectedEditor(tiles, {.selColumn = 1}), "copied");
    }

    // A tile of the first file is in the editor when the open dialog is cancelled, a file or a
    // web address dropped, the file closed or an open refused. All but the web address redraw
    // both views; closing and refusing take the cells' addresses and leave no file open. A drop
    // is over before the file is opened: a refusal never keeps the dragging program waiting.
    void replacedOrClosed_data() {
        using R = Row<int, bool>; // how, dropped
        rows(R{"cancelled", 0, false}, R{"file dropped", 1, true},
             R{"web address dropped", 2, true}, R{"closed", 3, false}, R{"missing", 4, false},
             R{"missing dropped", 4, true});
    }
    void replacedOrClosed() {
        const auto [how, dropped] = fetch<int, bool>();
        Session s;
        const QByteArray first = randomBytes(1024, 10), bytes = randomBytes(2048, 9);
        s.open(first, "first.gb");
        const QString caption = s.form.windowTitle();
        s.copyToEditor(2, 1);
        Session::press(s.form.EditorBox, s.editorPixel(0, 0));
        const QString path = how < 4 ? s.write(bytes, "dropped.gb") : s.dir.filePath("none.gb");
        s.prompts.anyBox = [](const MessageSpec&) { return MsgAnswer::Ok; };
        if (how != 2) s.form.SpriteBox->surface().fill(Qt::red);
        if (how != 2) s.form.EditorBox->surface().fill(Qt::red);
        if ((how == 0 || how >= 4) && !dropped) s.openPath(how ? path : QString());
        if (how == 3) Session::click(s.form.BtCloseFile);
        QMimeData mime;
        mime.setUrls({how == 2 ? QUrl("https://a.org/a") : QUrl::fromLocalFile(path)});
        QDragEnterEvent enter({100, 200}, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QDropEvent drop({100, 200}, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        if (dropped) QApplication::sendEvent(&s.form, &enter);
        QCOMPARE(enter.isAccepted(), dropped && how != 2);
        if (dropped) { // no box yet when the drop returns; the opening follows
            QApplication::sendEvent(&s.form, &drop);
            QCOMPARE(s.prompts.shown.size(), 0);
            QCoreApplication::processEvents();
        }
        if (how < 4)
            QCOMPARE(s.form.windowTitle(), how == 1 ? path + " - " + expected::kCaption : caption);
        if (how >= 3) { // no file open: a press, a move and the jump do nothing
            const QString status = s.status();
            Session::press(s.form.SpriteBox, {10, 10});
            Session::move(s.form.SpriteBox, {10, 10});
            Session::click(s.form.BtJumpAdd);
            QCOMPARE(text(s), "192");
            QCOMPARE(s.status(), status);
        }
        QCOMPARE(s.prompts.shown.size(), how < 4 ? 0 : 1);
        // The reason after the first line is the system's wording.
        const MessageSpec box = s.prompts.shown.value(0);
        if (how >= 4) QVERIFY(box.text.startsWith("The file " + path + " can not be opened.\r"));
        if (how >= 4) QCOMPARE(box, expected::refusal(box.text, "Can not open file"));
        const QImage browsers[] = {expectedBrowser(first, {}), expectedBrowser(bytes, {}),
                                   expectedBrowser(first, {.markColumn = 2, .markRow = 1})};
        COMPARE_PICTURE(s.browser(), how < 3 ? browsers[how] : expectedGreyBrowser(),
                        QTest::currentDataTag());
        const bool kept = how == 0 || how == 2; // the cells keep their addresses
        QCOMPARE(s.form.TextEditAddress->text(), kept ? "192" : "0");
        const EditorTileArray tiles{TileRecord{decodeByHand(first, 192), kept ? 192 : 0}};
        COMPARE_PICTURE(s.editor(), expectedEditor(tiles, {}), "editor");
        Session::move(s.form.EditorBox, s.editorPixel(0, 0));
        QCOMPARE(s.status(), kept ? "Tile starting at byte 192" : "Tile has no address.");
        VERIFY_PROMPTS(s.prompts);
    }
};

QTEST_MAIN(TestBrowser)
#include "tst_browser.moc"
