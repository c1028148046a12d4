// The editor canvas as a user drives it: its pictures, the three tools on the real canvas,
// painting that reaches every cell of the same address, protection and the mirror switches.
#include "session.h"

#include <QLabel>

namespace {

constexpr int kLeft = Qt::LeftButton;
constexpr int kRight = Qt::RightButton;

// A press with the Select tool on cell `index`.
void selectCell(Session& s, int index) {
    Session::click(s.form.OptionSelect);
    Session::press(s.form.EditorBox, s.editorPixel(index % 10, index / 10));
}

// Clicks tool 0 (Select), 1 (Paint) or 2 (Fill) after colour 3, and checks that it alone is
// chosen.
void chooseTool(Session& s, int tool) {
    Session::click(s.form.BtCol[3]);
    GraphicButton* tools[] = {s.form.OptionSelect, s.form.OptionPaint, s.form.OptionFill};
    Session::click(tools[tool]);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(tools[i]->isChecked(), i == tool);
}

// Zoom, grid, the selected cell's column and row, cells without address hidden.
EditorPicture view(int zoom, bool grid, int selected, bool hide = false) {
    return {zoom, grid, selected % 10, selected / 10, hide};
}

} // namespace

class TestEditor : public QObject {
    Q_OBJECT
  private slots:
    // Browser cells 1, 2, ... are copied into editor cells 0, 1, ...; the mirror switches of
    // the cells listed are worked in turn (each time switching over) by the left button (0),
    // the right button (1) or Space (2); "Zoom in" (BtEditZoomOut) is clicked `larger` times,
    // then "Zoom out" (BtEditZoomIn) `smaller` times.
    void picture_data() {
        // copies, larger, smaller, zoom, grid, hidden, how, left-right, upside down, selected
        using R = Row<int, int, int, int, bool, bool, int, QList<int>, QList<int>, int>;
        // clang-format off
        rows(R{"zoom 2 and no further, last cell", 12, 0, 2, 2, false, false, 0, {}, {}, 79},
             R{"zoom 9 and no further, grid", 12, 7, 0, 9, true, false, 0, {}, {}, 12},
             R{"a step down leaves no remains", 12, 2, 1, 4, false, false, 0, {}, {}, 1},
             R{"grid ring in the first column", 3, 0, 0, 3, true, false, 0, {}, {}, 30},
             R{"hidden cells, grid", 5, 0, 0, 3, true, true, 0, {}, {}, 6},
             R{"mirrored", 4, 0, 0, 3, false, false, 0, {0, 2, 5}, {1, 2}, 2},
             R{"right button, switched back", 4, 0, 0, 3, false, false, 1, {0, 1, 0}, {1, 1, 3}, 1},
             R{"Space, hidden, grid, zoom 4", 4, 1, 0, 4, true, true, 2, {3}, {3, 7}, 3});
        // clang-format on
    }
    void picture() {
        const auto [copies, larger, smaller, zoom, grid, hide, how, flipX, flipY, selected] =
            fetch<int, int, int, int, bool, bool, int, QList<int>, QList<int>, int>();
        Session s;
        const QByteArray bytes = randomBytes(4096, 7);
        s.open(bytes);
        EditorTileArray tiles{};
        for (int k = 0; k < copies; ++k) {
            s.copyToEditor((k + 1) % 10, (k + 1) / 10);
            tiles[k] = {decodeByHand(bytes, 16 * (k + 1)), 16 * (k + 1)};
        }
        const auto flip = [&](const QList<int>& cells, GraphicButton* box, bool TileRecord::*on) {
            for (int k : cells) {
                selectCell(s, k);
                box->setFocus();
                if (how == 2) QTest::keyClick(box, Qt::Key_Space);
                if (how < 2) Session::click(box, how == 0 ? Qt::LeftButton : Qt::RightButton);
                tiles[k].*on = !(tiles[k].*on);
                QCOMPARE(box->isChecked(), tiles[k].*on);
            }
        };
        flip(flipX, s.form.ChkFlipX, &TileRecord::FlipX);
        flip(flipY, s.form.ChkFlipY, &TileRecord::FlipY);
        Session::click(s.form.BtEditZoomOut, Qt::LeftButton, larger);
        Session::click(s.form.BtEditZoomIn, Qt::LeftButton, smaller);
        if (grid) Session::click(s.form.ChkGridEditor);
        if (hide) Session::click(s.form.ChkNoncopied);
        selectCell(s, selected);
        COMPARE_PICTURE(s.editor(), expectedEditor(tiles, view(zoom, grid, selected, hide)),
                        QTest::currentDataTag());
        // Mirroring is a view: the cells keep their pixels as the file holds them.
        QCOMPARE(s.state().EditorTiles, tiles);
        QCOMPARE(s.form.TextEditAddress->text(), QString::number(tiles[selected].Address));
        QCOMPARE(s.form.ChkFlipX->isChecked(), tiles[selected].FlipX);
        QCOMPARE(s.form.ChkFlipY->isChecked(), tiles[selected].FlipY);
    }

    // Zoom 3, colour 3, no file. The switches (flip 1 left-right, 2 upside down, protect) are
    // set on `cell`, selected first. `pixel` is the stored index painted, -1 the whole tile,
    // -2 nothing.
    void tools_data() {
        // tool, grid, flip, protect, hide, cell, point, button: pixel, selected
        using R = Row<int, bool, int, bool, bool, int, QPointF, int, int, int>;
        // clang-format off
        rows(R{"paint", 1, false, 0, false, false, 21, {25, 55}, kLeft, 16, 21},
             R{"paint, right button", 1, false, 0, false, false, 21, {25, 55}, kRight, 16, 21},
             R{"paint in the grid gap", 1, true, 0, false, false, 1, {52, 10}, kLeft, -2, 1},
             R{"paint in a mirrored gap", 1, true, 1, false, false, 1, {52, 10}, kLeft, -2, 1},
             R{"fill in the grid gap", 2, true, 0, false, false, 1, {52, 10}, kLeft, -1, 1},
             R{"paint, left-right", 1, false, 1, false, false, 2, {49, 1}, kLeft, 7, 2},
             R{"paint, upside down", 1, false, 2, false, false, 2, {49, 1}, kLeft, 56, 2},
             R{"paint, turned", 1, false, 3, false, false, 2, {52, 4}, kLeft, 54, 2},
             R{"paint, protected", 1, false, 0, true, false, 21, {25, 55}, kLeft, -2, 21},
             R{"fill, protected", 2, false, 0, true, false, 21, {25, 55}, kLeft, -2, 21},
             R{"paint, hidden", 1, false, 0, false, true, 21, {25, 55}, kLeft, -2, 21},
             R{"fill, hidden", 2, false, 0, false, true, 21, {25, 55}, kLeft, -2, 21},
             R{"fill right of the cells", 2, false, 0, false, false, 0, {241, 10}, kLeft, -2, 0},
             R{"fill below the cells", 2, false, 0, false, false, 0, {10, 193}, kLeft, -2, 0},
             R{"select below the cells", 0, true, 0, false, false, 0, {10, 217}, kLeft, -2, 0});
        // clang-format on
    }
    void tools() {
        const auto [tool, grid, flip, protect, hide, cell, at, button, pixel, selected] =
            fetch<int, bool, int, bool, bool, int, QPointF, int, int, int>();
        Session s;
        if (grid) Session::click(s.form.ChkGridEditor);
        if (hide) Session::click(s.form.ChkNoncopied);
        selectCell(s, cell);
        if (flip & 1) Session::click(s.form.ChkFlipX);
        if (flip & 2) Session::click(s.form.ChkFlipY);
        if (protect) Session::click(s.form.ChkWriteProtected);
        chooseTool(s, tool);
        Session::press(s.form.EditorBox, at, Qt::MouseButton(button));
        EditorTileArray tiles{};
        tiles[cell].FlipX = flip & 1;
        tiles[cell].FlipY = flip & 2;
        tiles[cell].WriteProtected = protect;
        if (pixel >= 0) tiles[cell].Pixels[pixel] = 3;
        if (pixel == -1) tiles[cell].Pixels.fill(3);
        QCOMPARE(s.state().EditorTiles, tiles);
        COMPARE_PICTURE(s.editor(), expectedEditor(tiles, view(3, grid, selected, hide)),
                        QTest::currentDataTag());
    }

    // Zoom 3, colour 3: a press at (1, 1) in cell 0, then moves with buttons held. `painted`
    // holds (cell, stored index), index -1 for a filled cell.
    void drag_data() {
        using R = Row<int, int, int, QList<QPointF>, QList<QPoint>, int>;
        const QList<QPointF> out{{4, 1}, {-5, 1}, {-5, -5}, {28, 1}};
        const QList<QPointF> on{{28, 1}, {52, 30}};
        // clang-format off
        rows(R{"paint, out and back", 1, kLeft, kLeft, out, {{0, 0}, {0, 1}, {1, 1}}, 0},
             R{"paint, right button", 1, kRight, kRight, out, {{0, 0}}, 0},
             R{"paint, both buttons", 1, kLeft, kLeft | kRight, out, {{0, 0}}, 0},
             R{"fill", 2, kLeft, kLeft, out, {{0, -1}}, 0},
             R{"select, left button", 0, kLeft, kLeft, on, {}, 12},
             R{"select, right button", 0, kRight, kRight, on, {}, 0});
        // clang-format on
    }
    void drag() {
        const auto [tool, button, held, moves, painted, selected] =
            fetch<int, int, int, QList<QPointF>, QList<QPoint>, int>();
        Session s;
        chooseTool(s, tool);
        Session::press(s.form.EditorBox, {1, 1}, Qt::MouseButton(button));
        for (const QPointF& at : moves)
            Session::move(s.form.EditorBox, at, Qt::MouseButtons(held));
        EditorTileArray tiles{};
        for (const QPoint& p : painted) {
            if (p.y() < 0) tiles[p.x()].Pixels.fill(3);
            if (p.y() >= 0) tiles[p.x()].Pixels[p.y()] = 3;
        }
        COMPARE_PICTURE(s.editor(), expectedEditor(tiles, view(3, false, selected)),
                        QTest::currentDataTag());
        QCOMPARE(s.status(), QStringLiteral("Tile has no address."));
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
        EditorTileArray tiles{TileRecord{decodeByHand(bytes, 4096), 4096}};
        tiles[1] = tiles[0];
        chooseTool(s, 1);
        Session::press(s.form.EditorBox, s.editorPixel(0, 0, 2, 5));
        tiles[0].Pixels[42] = tiles[1].Pixels[42] = 3;
        Session::press(s.form.EditorBox, s.editorPixel(2, 0));
        tiles[2].Pixels[27] = 3;
        QCOMPARE(s.state().EditorTiles, tiles);
        // A protected cell takes no paint of its own, but still what its twin receives.
        selectCell(s, 1);
        Session::click(s.form.ChkWriteProtected);
        tiles[1].WriteProtected = true;
        chooseTool(s, 1);
        Session::press(s.form.EditorBox, s.editorPixel(1, 0, 7, 7));
        QCOMPARE(s.state().EditorTiles, tiles);
        Session::press(s.form.EditorBox, s.editorPixel(0, 0, 0, 0));
        tiles[0].Pixels[0] = tiles[1].Pixels[0] = 3;
        COMPARE_PICTURE(s.editor(), expectedEditor(tiles, view(3, false, 1)), "painted");
        // Selecting shows each cell's switch and changes none.
        selectCell(s, 0);
        QVERIFY(!s.form.ChkWriteProtected->isChecked());
        selectCell(s, 1);
        QVERIFY(s.form.ChkWriteProtected->isChecked());
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
