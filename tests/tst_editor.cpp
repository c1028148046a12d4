// The editor canvas as a user drives it: its pictures, the three tools on the real canvas,
// painting that reaches every cell of the same address, protection and the mirror switches.
#include "pictures.h"
#include "session.h"
#include "testtiles.h"
#include "ui/app/formmain.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/picturebox.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

QImage canvas(const Session& s) {
    return s.form.EditorBox->surface();
}

// A press with the Select tool on cell `index`.
void selectCell(Session& s, int index) {
    Session::click(s.form.OptionSelect);
    Session::press(s.form.EditorBox, s.editorPixel(index % 10, index / 10));
}

EditorPicture view(int zoom, bool grid, int selected, bool hide = false) {
    return {.zoom = zoom,
            .grid = grid,
            .selColumn = selected % 10,
            .selRow = selected / 10,
            .hideNoncopied = hide};
}

} // namespace

class TestEditor : public QObject {
    Q_OBJECT
  private slots:
    // Browser cells 1, 2, ... are copied into editor cells 0, 1, ...
    void picture_data() {
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("larger");  // clicks on "Zoom in" (BtEditZoomOut)
        QTest::addColumn<int>("smaller"); // then on "Zoom out" (BtEditZoomIn)
        QTest::addColumn<int>("zoom");
        QTest::addColumn<bool>("grid");
        QTest::addColumn<bool>("hide");
        QTest::addColumn<QList<int>>("flipX");
        QTest::addColumn<QList<int>>("flipY");
        QTest::addColumn<int>("selected");
        const QList<int> none;
        QTest::newRow("start") << 0 << 0 << 0 << 3 << false << false << none << none << 0;
        QTest::newRow("zoom 2 and no further, last cell")
            << 12 << 0 << 2 << 2 << false << false << none << none << 79;
        QTest::newRow("zoom 9 and no further, grid")
            << 12 << 7 << 0 << 9 << true << false << none << none << 12;
        QTest::newRow("a step down leaves no remains")
            << 12 << 2 << 1 << 4 << false << false << none << none << 1;
        QTest::newRow("grid ring in the first column")
            << 3 << 0 << 0 << 3 << true << false << none << none << 30;
        QTest::newRow("hidden cells, grid")
            << 5 << 0 << 0 << 3 << true << true << none << none << 6;
        QTest::newRow("mirrored") << 4 << 0 << 0 << 3 << false << false << QList<int>{0, 2, 5}
                                  << QList<int>{1, 2} << 2;
        QTest::newRow("mirrored and hidden, grid, zoom 4")
            << 4 << 1 << 0 << 4 << true << true << QList<int>{3} << QList<int>{3, 7} << 3;
    }
    void picture() {
        QFETCH(int, copies);
        QFETCH(int, larger);
        QFETCH(int, smaller);
        QFETCH(int, zoom);
        QFETCH(bool, grid);
        QFETCH(bool, hide);
        QFETCH(QList<int>, flipX);
        QFETCH(QList<int>, flipY);
        QFETCH(int, selected);
        Session s;
        const QByteArray bytes = randomBytes(4096, 7);
        s.open(bytes);
        EditorTileArray tiles{};
        for (int k = 0; k < copies; ++k) {
            s.copyToEditor((k + 1) % 10, (k + 1) / 10);
            tiles[k] = {decodeByHand(bytes, 16 * (k + 1)), 16 * (k + 1)};
        }
        for (int k : flipX) {
            selectCell(s, k);
            Session::click(s.form.ChkFlipX);
            tiles[k].FlipX = true;
        }
        for (int k : flipY) {
            selectCell(s, k);
            Session::click(s.form.ChkFlipY);
            tiles[k].FlipY = true;
        }
        for (int i = 0; i < larger; ++i)
            Session::click(s.form.BtEditZoomOut);
        for (int i = 0; i < smaller; ++i)
            Session::click(s.form.BtEditZoomIn);
        if (grid) Session::click(s.form.ChkGridEditor);
        if (hide) Session::click(s.form.ChkNoncopied);
        selectCell(s, selected);
        COMPARE_PICTURE(canvas(s), expectedEditor(tiles, view(zoom, grid, selected, hide)),
                        QTest::currentDataTag());
        // Mirroring is a view: the cells keep their pixels as the file holds them.
        QCOMPARE(s.state().EditorTiles, tiles);
        QCOMPARE(s.form.TextEditAddress->text(), QString::number(tiles[selected].Address));
        QCOMPARE(s.form.ChkFlipX->isChecked(), tiles[selected].FlipX);
        QCOMPARE(s.form.ChkFlipY->isChecked(), tiles[selected].FlipY);
        VERIFY_PROMPTS(s.prompts);
    }

    // Zoom 3, colour 3. The cell's switches are set first, with the cell selected.
    void tools_data() {
        QTest::addColumn<int>("tool"); // select, paint, fill
        QTest::addColumn<bool>("grid");
        QTest::addColumn<int>("flip"); // 1 left-right, 2 upside down
        QTest::addColumn<bool>("protect");
        QTest::addColumn<bool>("hide");
        QTest::addColumn<int>("cell");
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("pixel"); // stored index painted; -1 whole tile; -2 nothing
        QTest::addColumn<int>("selected");
        const int left = Qt::LeftButton;
        const int right = Qt::RightButton;
        QTest::newRow("paint") << 1 << false << 0 << false << false << 21 << QPointF(25, 55) << left
                               << 16 << 21;
        QTest::newRow("paint, right button")
            << 1 << false << 0 << false << false << 21 << QPointF(25, 55) << right << 16 << 21;
        QTest::newRow("paint in the grid gap")
            << 1 << true << 0 << false << false << 1 << QPointF(52, 10) << left << -2 << 1;
        QTest::newRow("paint in the gap of a mirrored cell")
            << 1 << true << 1 << false << false << 1 << QPointF(52, 10) << left << -2 << 1;
        QTest::newRow("fill in the grid gap")
            << 2 << true << 0 << false << false << 1 << QPointF(52, 10) << left << -1 << 1;
        QTest::newRow("select in the grid gap, right button")
            << 0 << true << 0 << false << false << 5 << QPointF(52, 10) << right << -2 << 1;
        QTest::newRow("paint, mirrored left-right")
            << 1 << false << 1 << false << false << 2 << QPointF(49, 1) << left << 7 << 2;
        QTest::newRow("paint, upside down")
            << 1 << false << 2 << false << false << 2 << QPointF(49, 1) << left << 56 << 2;
        QTest::newRow("paint, turned")
            << 1 << false << 3 << false << false << 2 << QPointF(52, 4) << left << 54 << 2;
        QTest::newRow("paint, protected")
            << 1 << false << 0 << true << false << 21 << QPointF(25, 55) << left << -2 << 21;
        QTest::newRow("fill, protected")
            << 2 << false << 0 << true << false << 21 << QPointF(25, 55) << left << -2 << 21;
        QTest::newRow("paint, hidden")
            << 1 << false << 0 << false << true << 21 << QPointF(25, 55) << left << -2 << 21;
        QTest::newRow("fill, hidden")
            << 2 << false << 0 << false << true << 21 << QPointF(25, 55) << left << -2 << 21;
        QTest::newRow("select, hidden")
            << 0 << false << 0 << false << true << 0 << QPointF(25, 55) << left << -2 << 21;
        QTest::newRow("fill right of the last column")
            << 2 << false << 0 << false << false << 0 << QPointF(241, 10) << left << -2 << 0;
        QTest::newRow("fill below the last row")
            << 2 << false << 0 << false << false << 0 << QPointF(10, 193) << left << -2 << 0;
        QTest::newRow("select below the last row, grid")
            << 0 << true << 0 << false << false << 0 << QPointF(10, 217) << left << -2 << 0;
    }
    void tools() {
        QFETCH(int, tool);
        QFETCH(bool, grid);
        QFETCH(int, flip);
        QFETCH(bool, protect);
        QFETCH(bool, hide);
        QFETCH(int, cell);
        QFETCH(QPointF, at);
        QFETCH(int, button);
        QFETCH(int, pixel);
        QFETCH(int, selected);
        Session s;
        Session::click(s.form.BtCol[3]);
        if (grid) Session::click(s.form.ChkGridEditor);
        if (hide) Session::click(s.form.ChkNoncopied);
        selectCell(s, cell);
        if (flip & 1) Session::click(s.form.ChkFlipX);
        if (flip & 2) Session::click(s.form.ChkFlipY);
        if (protect) Session::click(s.form.ChkWriteProtected);
        GraphicButton* tools[] = {s.form.OptionSelect, s.form.OptionPaint, s.form.OptionFill};
        Session::click(tools[tool]);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(tools[i]->isChecked(), i == tool);
        Session::press(s.form.EditorBox, at, Qt::MouseButton(button));
        EditorTileArray tiles{};
        tiles[cell].FlipX = flip & 1;
        tiles[cell].FlipY = flip & 2;
        tiles[cell].WriteProtected = protect;
        if (pixel >= 0) tiles[cell].Pixels[pixel] = 3;
        if (pixel == -1) tiles[cell].Pixels.fill(3);
        QCOMPARE(s.state().EditorTiles, tiles);
        COMPARE_PICTURE(canvas(s), expectedEditor(tiles, view(3, grid, selected, hide)),
                        QTest::currentDataTag());
    }

    // Zoom 3, colour 3: a press at (1, 1) in cell 0, then moves with buttons held.
    void drag_data() {
        QTest::addColumn<int>("tool");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("held");
        QTest::addColumn<QList<QPointF>>("moves");
        QTest::addColumn<QList<QPoint>>("painted"); // (cell, stored index); index -1: filled
        QTest::addColumn<int>("selected");
        const int left = Qt::LeftButton;
        const int right = Qt::RightButton;
        const QList<QPointF> path{{4, 1}, {-5, 1}, {-5, -5}, {28, 1}};
        QTest::newRow("paint, left button, out to the left and back")
            << 1 << left << left << path << QList<QPoint>{{0, 0}, {0, 1}, {1, 1}} << 0;
        QTest::newRow("paint, right button")
            << 1 << right << right << path << QList<QPoint>{{0, 0}} << 0;
        QTest::newRow("paint, both buttons")
            << 1 << left << (left | right) << path << QList<QPoint>{{0, 0}} << 0;
        QTest::newRow("fill") << 2 << left << left << path << QList<QPoint>{{0, -1}} << 0;
        QTest::newRow("select, left button")
            << 0 << left << left << QList<QPointF>{{28, 1}, {52, 30}} << QList<QPoint>{} << 12;
        QTest::newRow("select, right button")
            << 0 << right << right << QList<QPointF>{{28, 1}, {52, 30}} << QList<QPoint>{} << 0;
    }
    void drag() {
        QFETCH(int, tool);
        QFETCH(int, button);
        QFETCH(int, held);
        QFETCH(QList<QPointF>, moves);
        QFETCH(QList<QPoint>, painted);
        QFETCH(int, selected);
        Session s;
        Session::click(s.form.BtCol[3]);
        GraphicButton* tools[] = {s.form.OptionSelect, s.form.OptionPaint, s.form.OptionFill};
        Session::click(tools[tool]);
        Session::press(s.form.EditorBox, {1, 1}, Qt::MouseButton(button));
        for (const QPointF& at : moves)
            Session::move(s.form.EditorBox, at, Qt::MouseButtons(held));
        EditorTileArray tiles{};
        for (const QPoint& p : painted) {
            if (p.y() < 0)
                tiles[p.x()].Pixels.fill(3);
            else
                tiles[p.x()].Pixels[p.y()] = 3;
        }
        COMPARE_PICTURE(canvas(s), expectedEditor(tiles, view(3, false, selected)),
                        QTest::currentDataTag());
        QCOMPARE(s.form.LbStatus->text(), QStringLiteral("Tile has no address."));
    }

    // Cells 0 and 1 hold the tile at 4096, cells 2 and 3 have no address.
    void sameAddress() {
        Session s;
        const QByteArray bytes = randomBytes(8192, 3);
        s.open(bytes);
        Session::type(s.form.TextAddress, QStringLiteral("4096"));
        QTest::keyClick(s.form.TextAddress, Qt::Key_Return);
        s.copyToEditor(0, 0);
        s.copyToEditor(0, 0);
        Session::move(s.form.EditorBox, s.editorPixel(1, 0));
        QCOMPARE(s.form.LbStatus->text(), QStringLiteral("Tile starting at byte 4096"));
        Session::move(s.form.EditorBox, s.editorPixel(2, 0));
        QCOMPARE(s.form.LbStatus->text(), QStringLiteral("Tile has no address."));
        EditorTileArray tiles{};
        tiles[0] = tiles[1] = {decodeByHand(bytes, 4096), 4096};
        Session::click(s.form.BtCol[3]);
        Session::click(s.form.OptionPaint);
        Session::press(s.form.EditorBox, s.editorPixel(0, 0, 2, 5));
        tiles[0].Pixels[42] = tiles[1].Pixels[42] = 3;
        Session::press(s.form.EditorBox, s.editorPixel(2, 0));
        tiles[2].Pixels[27] = 3;
        QCOMPARE(s.state().EditorTiles, tiles);
        // A protected cell takes no paint of its own, but still what its twin receives.
        selectCell(s, 1);
        Session::click(s.form.ChkWriteProtected);
        tiles[1].WriteProtected = true;
        Session::click(s.form.OptionPaint);
        Session::press(s.form.EditorBox, s.editorPixel(1, 0, 7, 7));
        QCOMPARE(s.state().EditorTiles, tiles);
        Session::press(s.form.EditorBox, s.editorPixel(0, 0, 0, 0));
        tiles[0].Pixels[0] = tiles[1].Pixels[0] = 3;
        COMPARE_PICTURE(canvas(s), expectedEditor(tiles, view(3, false, 1)), "painted");
        // Selecting shows each cell's switch and changes none.
        selectCell(s, 0);
        QVERIFY(!s.form.ChkWriteProtected->isChecked());
        selectCell(s, 1);
        QVERIFY(s.form.ChkWriteProtected->isChecked());
        QCOMPARE(s.state().EditorTiles, tiles);
        Session::click(s.form.ChkWriteProtected);
        Session::click(s.form.OptionFill);
        Session::press(s.form.EditorBox, s.editorPixel(1, 0));
        tiles[1] = {TilePixels{}, 4096};
        tiles[1].Pixels.fill(3);
        tiles[0].Pixels = tiles[1].Pixels;
        QCOMPARE(s.state().EditorTiles, tiles);
        VERIFY_PROMPTS(s.prompts);
    }

    // Any mouse button and the keyboard act alike; the second time switches back.
    void mirrorBoxes_data() {
        QTest::addColumn<bool>("upsideDown");
        QTest::addColumn<int>("how"); // 0 left press, 1 right press, 2 Space
        QTest::newRow("left-right, left button") << false << 0;
        QTest::newRow("left-right, right button") << false << 1;
        QTest::newRow("left-right, Space") << false << 2;
        QTest::newRow("upside down, left button") << true << 0;
        QTest::newRow("upside down, Space") << true << 2;
    }
    void mirrorBoxes() {
        QFETCH(bool, upsideDown);
        QFETCH(int, how);
        Session s;
        const QByteArray bytes = randomBytes(4096, 4);
        s.open(bytes);
        s.copyToEditor(1, 0);
        selectCell(s, 0);
        GraphicButton* box = upsideDown ? s.form.ChkFlipY : s.form.ChkFlipX;
        EditorTileArray tiles{};
        tiles[0] = {decodeByHand(bytes, 16), 16};
        for (bool on : {true, false}) {
            if (how == 2) {
                box->setFocus();
                QTest::keyClick(box, Qt::Key_Space);
            } else {
                Session::click(box, how == 0 ? Qt::LeftButton : Qt::RightButton);
            }
            (upsideDown ? tiles[0].FlipY : tiles[0].FlipX) = on;
            QCOMPARE(box->isChecked(), on);
            QCOMPARE(s.state().EditorTiles, tiles);
            COMPARE_PICTURE(canvas(s), expectedEditor(tiles, {}), on ? "on" : "off");
        }
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
