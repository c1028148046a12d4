// The editor canvas as a user drives it: its pictures, the three tools on the real canvas,
// painting that reaches every cell of the same address, protection and the mirror switches.
#include "session.h"

class TestEditor : public QObject {
    Q_OBJECT
    static constexpr int kLeft = Qt::LeftButton, kRight = Qt::RightButton;

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
                s.select(k % 10, k / 10);
                box->setFocus();
                if (how == 2) QTest::keyClick(box, Qt::Key_Space);
                if (how < 2) Session::click(box, how == 0 ? Qt::LeftButton : Qt::RightButton);
                tiles[k].*on = !(tiles[k].*on);
                QCOMPARE(box->isChecked(), tiles[k].*on);
                COMPARE_PICTURE(s.editor(),
                                expectedEditor(tiles, {.selColumn = k % 10, .selRow = k / 10}),
                                "switched");
            }
        };
        flip(flipX, s.form.ChkFlipX, &TileRecord::FlipX);
        flip(flipY, s.form.ChkFlipY, &TileRecord::FlipY);
        // The zoom buttons come last, so that each must redraw the canvas itself.
        s.select(selected % 10, selected / 10);
        if (grid) Session::click(s.form.ChkGridEditor);
        if (hide) Session::click(s.form.ChkNoncopied);
        Session::click(s.form.BtEditZoomOut, Qt::LeftButton, larger);
        Session::click(s.form.BtEditZoomIn, Qt::LeftButton, smaller);
        COMPARE_PICTURE(s.editor(),
                        expectedEditor(tiles, {zoom, grid, selected % 10, selected / 10, hide}),
                        QTest::currentDataTag());
    }

    // Tool 0 (Select), 1 (Paint) or 2 (Fill), zoom 3, colour 3, no file. The switches (1
    // left-right, 2 upside down, 4 protected) are set on `cell`, selected first; 8 hides cells
    // without address. A press at the first point, moves to the others with buttons held.
    // `painted`: (cell, stored index), index -1 for a filled cell.
    void tools_data() {
        // tool, grid, switches, cell, points, button, held: painted, selected
        using R = Row<int, bool, int, int, QList<QPointF>, int, int, QList<QPoint>, int>;
        const QList<QPointF> out{{1, 1}, {4, 1}, {-5, 1}, {-5, -5}, {28, 1}};
        const QList<QPointF> on{{1, 1}, {28, 1}, {52, 30}};
        const QList<QPoint> none;
        // clang-format off
        rows(R{"paint in the grid gap", 1, true, 0, 1, {{52, 10}}, kLeft, 0, none, 1},
             R{"fill in the grid gap", 2, true, 0, 1, {{52, 10}}, kLeft, 0, {{1, -1}}, 1},
             R{"paint, left-right", 1, false, 1, 2, {{49, 1}}, kLeft, 0, {{2, 7}}, 2},
             R{"fill, protected", 2, false, 4, 21, {{25, 55}}, kLeft, 0, none, 21},
             R{"paint, hidden", 1, false, 8, 21, {{25, 55}}, kLeft, 0, none, 21},
             R{"fill, hidden", 2, false, 8, 21, {{25, 55}}, kLeft, 0, none, 21},
             R{"drag paint, out and back", 1, false, 0, 0, out, kLeft, kLeft,
               {{0, 0}, {0, 1}, {1, 1}}, 0},
             R{"drag paint, both buttons", 1, false, 0, 0, out, kLeft, kLeft | kRight, {{0, 0}}, 0},
             R{"drag fill", 2, false, 0, 0, out, kLeft, kLeft, {{0, -1}}, 0},
             R{"drag select, left button", 0, false, 0, 0, on, kLeft, kLeft, none, 12});
        // clang-format on
    }
    void tools() {
        const auto [tool, grid, flip, cell, points, button, held, painted, selected] =
            fetch<int, bool, int, int, QList<QPointF>, int, int, QList<QPoint>, int>();
        const bool hide = flip & 8;
        Session s;
        if (grid) Session::click(s.form.ChkGridEditor);
        if (hide) Session::click(s.form.ChkNoncopied);
        s.select(cell % 10, cell / 10);
        if (flip & 1) Session::click(s.form.ChkFlipX);
        if (flip & 2) Session::click(s.form.ChkFlipY);
        if (flip & 4) Session::click(s.form.ChkWriteProtected);
        Session::click(s.form.BtCol[3]);
        GraphicButton* tools[] = {s.form.OptionSelect, s.form.OptionPaint, s.form.OptionFill};
        Session::click(tools[tool]);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(tools[i]->isChecked(), i == tool); // it alone is chosen
        Session::press(s.form.EditorBox, points[0], Qt::MouseButton(button));
        for (const QPointF& at : points.mid(1))
            Session::move(s.form.EditorBox, at, Qt::MouseButtons(held));
        EditorTileArray tiles{};
        tiles[cell] = {{}, 0, bool(flip & 1), bool(flip & 2), bool(flip & 4)};
        for (const QPoint& p : painted) {
            if (p.y() < 0) tiles[p.x()].Pixels.fill(3);
            if (p.y() >= 0) tiles[p.x()].Pixels[p.y()] = 3;
        }
        QCOMPARE(s.state().EditorTiles, tiles);
        COMPARE_PICTURE(s.editor(),
                        expectedEditor(tiles, {3, grid, selected % 10, selected / 10, hide}),
                        QTest::currentDataTag());
        if (points.size() > 1) QCOMPARE(s.status(), "Tile has no address.");
    }

    // Cells 0 and 1 hold the tile at 4096, cell 1 protected: it takes no paint of its own, but
    // what cell 0 receives, drawn at once.
    void sameAddress() {
        Session s;
        const QByteArray bytes = randomBytes(8192, 3);
        s.open(bytes);
        s.jumpTo(4096);
        s.copyToEditor(0, 0);
        s.copyToEditor(0, 0);
        s.select(1, 0);
        Session::click(s.form.ChkWriteProtected);
        s.paint(1, 0, 7, 7, 3);
        s.paint(0, 0, 2, 5, 3);
        EditorTileArray tiles{TileRecord{decodeByHand(bytes, 4096), 4096}};
        tiles[0].Pixels[42] = 3;
        tiles[1] = {tiles[0].Pixels, 4096, false, false, true};
        QCOMPARE(s.state().EditorTiles, tiles);
        COMPARE_PICTURE(s.editor(), expectedEditor(tiles, {.selColumn = 1}), "painted");
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
