// The editor canvas: its pictures, the Select, Paint and Fill tools, and the tile switches.
#include "pictures.h"
#include "romfiles.h"
#include "scriptedprompts.h"
#include "testtiles.h"
#include "ui/app/formmain.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/picturebox.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

TileRecord cellFrom(const QByteArray& file, qint64 address) {
    TileRecord t;
    t.Pixels = tileAt(file, address);
    t.Address = qint32(address);
    return t;
}

// A press and a double-click on browser cell (c, r) at the start zoom 3 without grid.
void copyFromBrowser(FormMain& form, int column, int row) {
    form.SpriteBox_MouseDown(1, 0, 24 * column + 5, 24 * row + 5);
    form.SpriteBox_DblClick();
}

// The middle of editor cell (c, r) on the canvas.
QPointF cellMiddle(int column, int row, int zoom = 3, int cellSize = 8) {
    return {column * cellSize * zoom + 4.0 * zoom, row * cellSize * zoom + 4.0 * zoom};
}

void selectCell(FormMain& form, int column, int row, int zoom = 3, int cellSize = 8) {
    form.OptionSelect->click();
    const QPointF p = cellMiddle(column, row, zoom, cellSize);
    form.EditorBox_MouseDown(1, 0, p.x(), p.y());
}

// A file of 8192 bytes of which no tile is all zero, so that copied cells show.
QByteArray sampleFile() {
    return randomBytes(8192, 4242);
}

// Empty when the cells are equal; otherwise names the first cell and field that differ.
QString tilesDifference(const EditorTileArray& actual, const EditorTileArray& expected) {
    for (int i = 0; i < kEditorCells; ++i) {
        const TileRecord& a = actual[size_t(i)];
        const TileRecord& e = expected[size_t(i)];
        if (a == e) continue;
        for (int p = 0; p < kTilePixels; ++p)
            if (a.Pixels[size_t(p)] != e.Pixels[size_t(p)])
                return QStringLiteral("cell %1 pixel %2: %3, expected %4")
                    .arg(i)
                    .arg(p)
                    .arg(a.Pixels[size_t(p)])
                    .arg(e.Pixels[size_t(p)]);
        return QStringLiteral("cell %1: address %2 flipX %3 flipY %4 protected %5, expected "
                              "address %6 flipX %7 flipY %8 protected %9")
            .arg(i)
            .arg(a.Address)
            .arg(a.FlipX)
            .arg(a.FlipY)
            .arg(a.WriteProtected)
            .arg(e.Address)
            .arg(e.FlipX)
            .arg(e.FlipY)
            .arg(e.WriteProtected);
    }
    return {};
}

} // namespace

#define COMPARE_TILES(actual, expected)                                                            \
    do {                                                                                           \
        const QString difference_ = tilesDifference((actual), (expected));                         \
        QVERIFY2(difference_.isEmpty(), qPrintable(difference_));                                  \
    } while (false)

class TestEditor : public QObject {
    Q_OBJECT
  private slots:
    // ---- pictures ----
    void startPicture() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        QCOMPARE(form.state().EditorZoom, qint16(3));
        QCOMPARE(form.state().EditorCellSize, quint8(8));
        QCOMPARE(form.state().EditorSelColumn, 0);
        QCOMPARE(form.state().EditorSelRow, 0);
        QCOMPARE(form.state().EditMode, EditModeKind::Select);
        const EditorTileArray blank{};
        QImage expected = expectedEditor(blank, {});
        COMPARE_PICTURE(form.EditorBox->surface(), expected, "editor-start");
        // Spot checks written out: colour 0 inside, black outline of the top-left cell.
        QCOMPARE(form.EditorBox->surface().pixel(10, 10) & 0xFFFFFF, 0xFFFF80u);
        QCOMPARE(form.EditorBox->surface().pixel(24, 10) & 0xFFFFFF, 0x000000u);
        QCOMPARE(form.EditorBox->surface().pixel(25, 10) & 0xFFFFFF, 0xFFFF80u);
        QCOMPARE(form.EditorBox->surface().pixel(250, 10) & 0xFFFFFF, 0x000000u);
        VERIFY_PROMPTS(prompts);
    }

    void zoomAndGrid_data() {
        QTest::addColumn<int>("zoomOut"); // presses of the button that enlarges
        QTest::addColumn<int>("zoomIn");  // presses of the button that shrinks
        QTest::addColumn<bool>("grid");
        QTest::addColumn<int>("zoom");
        QTest::newRow("zoom 2, no grid") << 0 << 1 << false << 2;
        QTest::newRow("zoom 2, grid") << 0 << 1 << true << 2;
        QTest::newRow("zoom 3, no grid") << 0 << 0 << false << 3;
        QTest::newRow("zoom 3, grid") << 0 << 0 << true << 3;
        QTest::newRow("zoom 9, no grid") << 6 << 0 << false << 9;
        QTest::newRow("zoom 9, grid (810 x 648 clipped)") << 6 << 0 << true << 9;
        QTest::newRow("zoom 2 is the lower limit") << 0 << 4 << false << 2;
        QTest::newRow("zoom 9 is the upper limit") << 9 << 0 << true << 9;
    }
    void zoomAndGrid() {
        QFETCH(int, zoomOut);
        QFETCH(int, zoomIn);
        QFETCH(bool, grid);
        QFETCH(int, zoom);
        QTemporaryDir dir;
        const QByteArray file = sampleFile();
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openRom(form, prompts, writeRom(dir, "z.gb", file));
        const EditorTileArray tiles = copyFirstTiles(form, file, 23);
        if (grid) form.ChkGridEditor->click();
        for (int i = 0; i < zoomOut; ++i)
            form.BtEditZoomOut->click();
        for (int i = 0; i < zoomIn; ++i)
            form.BtEditZoomIn->click();
        QCOMPARE(int(form.state().EditorZoom), zoom);
        QCOMPARE(int(form.state().EditorCellSize), grid ? 9 : 8);
        EditorPicture view;
        view.zoom = zoom;
        view.grid = grid;
        view.selColumn = 3; // 23 copies moved the selection on to cell 23
        view.selRow = 2;
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(tiles, view),
                        QStringLiteral("editor-zoom-%1-%2").arg(zoom).arg(grid));
        // Switching the grid off again gives the picture without grid.
        if (grid) {
            form.ChkGridEditor->click();
            view.grid = false;
            COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(tiles, view),
                            QStringLiteral("editor-zoom-%1-grid-off").arg(zoom));
        }
        VERIFY_PROMPTS(prompts);
    }

    void zoomStepDownLeavesNoRemains_data() {
        QTest::addColumn<bool>("grid");
        QTest::newRow("no grid") << false;
        QTest::newRow("grid") << true;
    }
    void zoomStepDownLeavesNoRemains() {
        QFETCH(bool, grid);
        QTemporaryDir dir;
        const QByteArray file = sampleFile();
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openRom(form, prompts, writeRom(dir, "s.gb", file));
        // Fill every cell, so that the large picture covers the whole canvas with tiles.
        EditorTileArray tiles{};
        for (int i = 0; i < 80; ++i) {
            copyFromBrowser(form, (i % 79 + 1) % 10, (i % 79 + 1) / 10);
            tiles[size_t(i)] = cellFrom(file, 16 * (i % 79 + 1));
        }
        if (grid) form.ChkGridEditor->click();
        form.BtEditZoomOut->click(); // 4: covers the canvas
        form.BtEditZoomIn->click();  // 3
        form.BtEditZoomIn->click();  // 2
        EditorPicture view;
        view.zoom = 2;
        view.grid = grid;
        const QImage expected = expectedEditor(tiles, view);
        COMPARE_PICTURE(form.EditorBox->surface(), expected, "editor-step-down");
        // Outside the picture: the grid colour, black.
        const QImage& shown = form.EditorBox->surface();
        QCOMPARE(shown.pixel(255, 10) & 0xFFFFFF, 0u);
        QCOMPARE(shown.pixel(10, 240) & 0xFFFFFF, 0u);
        VERIFY_PROMPTS(prompts);
    }

    void selectionMarking_data() {
        QTest::addColumn<bool>("grid");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        for (const bool grid : {false, true}) {
            const char* g = grid ? "grid" : "no grid";
            QTest::addRow("%s, column 0", g) << grid << 0 << 4;
            QTest::addRow("%s, row 0", g) << grid << 5 << 0;
            QTest::addRow("%s, last column", g) << grid << 9 << 3;
            QTest::addRow("%s, last row", g) << grid << 2 << 7;
            QTest::addRow("%s, last cell", g) << grid << 9 << 7;
        }
    }
    void selectionMarking() {
        QFETCH(bool, grid);
        QFETCH(int, column);
        QFETCH(int, row);
        QTemporaryDir dir;
        const QByteArray file = sampleFile();
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openRom(form, prompts, writeRom(dir, "m.gb", file));
        const EditorTileArray tiles = copyFirstTiles(form, file, 12);
        if (grid) form.ChkGridEditor->click();
        selectCell(form, column, row, 3, grid ? 9 : 8);
        QCOMPARE(form.state().EditorSelColumn, column);
        QCOMPARE(form.state().EditorSelRow, row);
        EditorPicture view;
        view.grid = grid;
        view.selColumn = column;
        view.selRow = row;
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(tiles, view),
                        QStringLiteral("editor-selection-%1-%2-%3").arg(grid).arg(column).arg(row));
        VERIFY_PROMPTS(prompts);
    }

    void mirroredCells_data() {
        QTest::addColumn<bool>("flipX");
        QTest::addColumn<bool>("flipY");
        QTest::newRow("as stored") << false << false;
        QTest::newRow("left-right") << true << false;
        QTest::newRow("upside down") << false << true;
        QTest::newRow("both (turned by 180 degrees)") << true << true;
    }
    void mirroredCells() {
        QFETCH(bool, flipX);
        QFETCH(bool, flipY);
        QTemporaryDir dir;
        const QByteArray file = sampleFile();
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openRom(form, prompts, writeRom(dir, "f.gb", file));
        EditorTileArray tiles = copyFirstTiles(form, file, 3);
        selectCell(form, 1, 0);
        if (flipX) form.ChkFlipX_MouseDown(1, 0, 5, 5);
        if (flipY) form.ChkFlipY_MouseDown(1, 0, 5, 5);
        tiles[1].FlipX = flipX;
        tiles[1].FlipY = flipY;
        EditorPicture view;
        view.selColumn = 1;
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(tiles, view), "editor-mirror");
        // The left half of the shown tile holds the stored right half when mirrored.
        const QImage& shown = form.EditorBox->surface();
        const TilePixels stored = tileAt(file, 32);
        const QRgb colors[4] = {qRgb(255, 255, 128), qRgb(181, 181, 96), qRgb(128, 128, 64),
                                qRgb(64, 64, 32)};
        for (int y = 1; y < 7; ++y)
            for (int x = 1; x < 7; ++x) {
                const int sx = flipX ? 7 - x : x;
                const int sy = flipY ? 7 - y : y;
                QCOMPARE(shown.pixel(24 + 3 * x + 1, 3 * y + 1),
                         colors[stored[size_t(8 * sy + sx)]]);
            }
        // Redraws keep the stored pixels in the file's orientation.
        form.BtEditZoomOut->click();
        form.BtEditZoomIn->click();
        form.ChkGridEditor->click();
        form.ChkGridEditor->click();
        QCOMPARE(form.state().EditorTiles[1].Pixels, stored);
        QCOMPARE(form.state().EditorTiles[1].FlipX, flipX);
        QCOMPARE(form.state().EditorTiles[1].FlipY, flipY);
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(tiles, view),
                        "editor-mirror-redrawn");
        // Switching the mirroring off again shows the stored tile.
        if (flipX) form.ChkFlipX_MouseDown(1, 0, 5, 5);
        if (flipY) form.ChkFlipY_MouseDown(1, 0, 5, 5);
        tiles[1].FlipX = false;
        tiles[1].FlipY = false;
        QCOMPARE(form.state().EditorTiles[1].Pixels, stored);
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(tiles, view),
                        "editor-mirror-off");
        VERIFY_PROMPTS(prompts);
    }

    void hiddenCells_data() {
        QTest::addColumn<bool>("grid");
        QTest::newRow("no grid") << false;
        QTest::newRow("grid") << true;
    }
    void hiddenCells() {
        QFETCH(bool, grid);
        QTemporaryDir dir;
        const QByteArray file = sampleFile();
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openRom(form, prompts, writeRom(dir, "h.gb", file));
        // Cells 0..4 from the file; cell 5 from address 0 (pixels, but no address).
        EditorTileArray tiles = copyFirstTiles(form, file, 5);
        copyFromBrowser(form, 0, 0);
        tiles[5].Pixels = tileAt(file, 0);
        if (grid) form.ChkGridEditor->click();
        form.ChkNoncopied->click();
        EditorPicture view;
        view.grid = grid;
        view.selColumn = 6;
        view.hideNoncopied = true;
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(tiles, view), "editor-hidden");
        const int cellSize = grid ? 9 : 8;
        QCOMPARE(form.EditorBox->surface().pixel(5 * cellSize * 3 + 4, 4) & 0xFFFFFF, 0xBFBFBFu);
        form.ChkNoncopied->click();
        view.hideNoncopied = false;
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(tiles, view), "editor-shown");
        COMPARE_TILES(form.state().EditorTiles, tiles);
        VERIFY_PROMPTS(prompts);
    }

    // ---- tools ----
    void toolButtons() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        const QImage before = form.EditorBox->surface().copy();
        form.OptionPaint->click();
        QCOMPARE(form.state().EditMode, EditModeKind::Paint);
        form.OptionFill->click();
        QCOMPARE(form.state().EditMode, EditModeKind::Fill);
        form.OptionSelect->click();
        QCOMPARE(form.state().EditMode, EditModeKind::Select);
        COMPARE_PICTURE(form.EditorBox->surface(), before, "editor-tools-no-redraw");
        VERIFY_PROMPTS(prompts);
    }

    void paintHit_data() {
        QTest::addColumn<bool>("grid");
        QTest::addColumn<bool>("flipX");
        QTest::addColumn<bool>("flipY");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<int>("cell");  // -1: nothing painted
        QTest::addColumn<int>("pixel"); // stored index
        QTest::newRow("no grid (25, 55): cell 21, pixel 16")
            << false << false << false << 25.0 << 55.0 << 21 << 16;
        QTest::newRow("no grid, last screen pixel of a cell")
            << false << false << false << 47.9 << 23.9 << 1 << 63;
        QTest::newRow("grid on, gap (24, 10) ignored")
            << true << false << false << 24.0 << 10.0 << -1 << 0;
        QTest::newRow("grid on, gap below (10, 24) ignored")
            << true << false << false << 10.0 << 24.0 << -1 << 0;
        QTest::newRow("grid on, next cell at (27, 10)")
            << true << false << false << 27.0 << 10.0 << 1 << 24;
        QTest::newRow("grid on, mirrored, gap ignored")
            << true << true << false << 24.0 << 10.0 << -1 << 0;
        QTest::newRow("mirrored left-right, leftmost column: stored column 7")
            << false << true << false << 1.0 << 4.0 << 0 << 15;
        QTest::newRow("upside down, top row: stored row 7")
            << false << false << true << 7.0 << 1.0 << 0 << 58;
        QTest::newRow("both, top-left: stored bottom-right")
            << false << true << true << 0.0 << 0.0 << 0 << 63;
        QTest::newRow("grid, mirrored, first column")
            << true << true << false << 0.0 << 23.0 << 0 << 63;
    }
    void paintHit() {
        QFETCH(bool, grid);
        QFETCH(bool, flipX);
        QFETCH(bool, flipY);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(int, cell);
        QFETCH(int, pixel);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        EditorTileArray expected{};
        if (flipX) form.ChkFlipX_MouseDown(1, 0, 5, 5); // cell 0 is selected at start
        if (flipY) form.ChkFlipY_MouseDown(1, 0, 5, 5);
        expected[0].FlipX = flipX;
        expected[0].FlipY = flipY;
        if (grid) form.ChkGridEditor->click();
        form.BtCol_Click(2);
        form.OptionPaint->click();
        form.EditorBox_MouseDown(1, 0, x, y);
        if (cell >= 0) expected[size_t(cell)].Pixels[size_t(pixel)] = 2;
        COMPARE_TILES(form.state().EditorTiles, expected);
        QCOMPARE(form.state().EditorSelColumn, 0);
        QCOMPARE(form.state().EditorSelRow, 0);
        EditorPicture view;
        view.grid = grid;
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(expected, view),
                        "editor-paint-hit");
        VERIFY_PROMPTS(prompts);
    }

    void gapFillAndSelect() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        form.ChkGridEditor->click();
        form.BtCol_Click(3);
        form.OptionFill->click();
        form.EditorBox_MouseDown(1, 0, 24, 10);
        EditorTileArray expected{};
        expected[0].Pixels.fill(3);
        COMPARE_TILES(form.state().EditorTiles, expected);
        // Select: from cell 4, the gap of cell 0 selects cell 0.
        selectCell(form, 4, 1, 3, 9);
        QCOMPARE(form.state().EditorSelColumn, 4);
        form.EditorBox_MouseDown(1, 0, 24, 10);
        QCOMPARE(form.state().EditorSelColumn, 0);
        QCOMPARE(form.state().EditorSelRow, 0);
        COMPARE_TILES(form.state().EditorTiles, expected);
        EditorPicture view;
        view.grid = true;
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(expected, view),
                        "editor-gap-fill-select");
        VERIFY_PROMPTS(prompts);
    }

    void outsideIgnored_data() {
        QTest::addColumn<bool>("grid");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("left of the canvas") << false << -0.5 << 10.0;
        QTest::newRow("above the canvas") << false << 10.0 << -0.5;
        QTest::newRow("right of column 9") << false << 240.0 << 10.0;
        QTest::newRow("below row 7") << false << 10.0 << 192.0;
        QTest::newRow("grid, right of column 9") << true << 270.0 << 10.0;
        QTest::newRow("grid, below row 7") << true << 10.0 << 216.0;
        QTest::newRow("far away") << false << 1.0e6 << 1.0e6;
    }
    void outsideIgnored() {
        QFETCH(bool, grid);
        QFETCH(double, x);
        QFETCH(double, y);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        if (grid) form.ChkGridEditor->click();
        selectCell(form, 1, 1, 3, grid ? 9 : 8);
        form.BtCol_Click(1);
        const QString status = form.LbStatus->text();
        const QImage before = form.EditorBox->surface().copy();
        const EditorTileArray blank{};
        for (QAbstractButton* tool : {static_cast<QAbstractButton*>(form.OptionSelect),
                                      static_cast<QAbstractButton*>(form.OptionPaint),
                                      static_cast<QAbstractButton*>(form.OptionFill)}) {
            tool->click();
            form.EditorBox_MouseDown(1, 0, x, y);
            form.Editorbox_MouseMove(1, 0, x, y);
            form.Editorbox_MouseMove(0, 0, x, y);
            COMPARE_TILES(form.state().EditorTiles, blank);
            QCOMPARE(form.state().EditorSelColumn, 1);
            QCOMPARE(form.state().EditorSelRow, 1);
            QCOMPARE(form.LbStatus->text(), status);
        }
        COMPARE_PICTURE(form.EditorBox->surface(), before, "editor-outside");
        VERIFY_PROMPTS(prompts);
    }

    void rightButtonPressActsLikeLeft_data() {
        QTest::addColumn<int>("button");
        QTest::newRow("right") << 2;
        QTest::newRow("middle") << 4;
        QTest::newRow("left and right") << 3;
    }
    void rightButtonPressActsLikeLeft() {
        QFETCH(int, button);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        form.BtCol_Click(1);
        EditorTileArray expected{};
        form.OptionPaint->click();
        form.EditorBox_MouseDown(button, 0, 25, 55);
        expected[21].Pixels[16] = 1;
        COMPARE_TILES(form.state().EditorTiles, expected);
        form.OptionFill->click();
        form.EditorBox_MouseDown(button, 0, 100, 100); // cell (4, 4)
        expected[44].Pixels.fill(1);
        COMPARE_TILES(form.state().EditorTiles, expected);
        form.OptionSelect->click();
        form.EditorBox_MouseDown(button, 0, 150, 180); // cell (6, 7)
        QCOMPARE(form.state().EditorSelColumn, 6);
        QCOMPARE(form.state().EditorSelRow, 7);
        EditorPicture view;
        view.selColumn = 6;
        view.selRow = 7;
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(expected, view),
                        "editor-right-button");
        VERIFY_PROMPTS(prompts);
    }

    void movesShowAddress_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("button");
        for (const int mode : {0, 1, 2}) {
            QTest::addRow("mode %d, no button", mode) << mode << 0;
            QTest::addRow("mode %d, right button", mode) << mode << 2;
            QTest::addRow("mode %d, left and right", mode) << mode << 3;
        }
    }
    void movesShowAddress() {
        QFETCH(int, mode);
        QFETCH(int, button);
        QTemporaryDir dir;
        const QByteArray file = sampleFile();
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openRom(form, prompts, writeRom(dir, "a.gb", file));
        form.TextAddress->setText(QStringLiteral("4096"));
        form.BtJumpAdd_Click();
        copyFromBrowser(form, 0, 0); // address 4096 into cell 0
        EditorTileArray expected{};
        expected[0] = cellFrom(file, 4096);
        COMPARE_TILES(form.state().EditorTiles, expected);
        QAbstractButton* const tools[] = {form.OptionSelect, form.OptionPaint, form.OptionFill};
        tools[mode]->click();
        form.BtCol_Click(3);
        form.Editorbox_MouseMove(button, 0, 5, 5);
        QCOMPARE(form.LbStatus->text(), QStringLiteral("Tile starting at byte 4096"));
        form.Editorbox_MouseMove(button, 0, 30, 5);
        QCOMPARE(form.LbStatus->text(), QStringLiteral("Tile has no address."));
        form.Editorbox_MouseMove(button, 0, 23.5, 23.5);
        QCOMPARE(form.LbStatus->text(), QStringLiteral("Tile starting at byte 4096"));
        form.Editorbox_MouseMove(button, 0, 100, 150);
        QCOMPARE(form.LbStatus->text(), QStringLiteral("Tile has no address."));
        // Only the status line changed.
        COMPARE_TILES(form.state().EditorTiles, expected);
        QCOMPARE(form.state().EditorSelColumn, 1);
        QCOMPARE(form.state().EditorSelRow, 0);
        EditorPicture view;
        view.selColumn = 1;
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(expected, view), "editor-moves");
        VERIFY_PROMPTS(prompts);
    }

    void paintDrag() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        form.BtCol_Click(2);
        form.OptionPaint->click();
        EditorTileArray expected{};
        form.EditorBox_MouseDown(1, 0, 4, 4);
        form.Editorbox_MouseMove(1, 0, 7, 4);  // pixel (2, 1)
        form.Editorbox_MouseMove(1, 0, 13, 4); // (4, 1); (3, 1) between is left out
        form.Editorbox_MouseMove(1, 0, -2, 4); // left the canvas
        form.Editorbox_MouseMove(1, 0, 4, -2); // above it
        form.Editorbox_MouseMove(1, 0, 1, 22); // back in: (0, 7)
        form.Editorbox_MouseMove(1, 0, 26, 1); // into cell 1: (0, 0)
        form.Editorbox_MouseMove(2, 0, 29, 1); // right button: nothing
        form.Editorbox_MouseMove(0, 0, 32, 1); // no button: nothing
        expected[0].Pixels[8 * 1 + 1] = 2;
        expected[0].Pixels[8 * 1 + 2] = 2;
        expected[0].Pixels[8 * 1 + 4] = 2;
        expected[0].Pixels[8 * 7 + 0] = 2;
        expected[1].Pixels[0] = 2;
        COMPARE_TILES(form.state().EditorTiles, expected);
        QCOMPARE(form.state().EditorSelColumn, 0);
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(expected, {}),
                        "editor-paint-drag");
        // Dragging in Fill fills nothing.
        form.OptionFill->click();
        form.Editorbox_MouseMove(1, 0, 100, 100);
        COMPARE_TILES(form.state().EditorTiles, expected);
        VERIFY_PROMPTS(prompts);
    }

    void selectDrag() {
        QTemporaryDir dir;
        const QByteArray file = sampleFile();
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openRom(form, prompts, writeRom(dir, "d.gb", file));
        const EditorTileArray tiles = copyFirstTiles(form, file, 4);
        form.OptionSelect->click();
        form.EditorBox_MouseDown(1, 0, 5, 5);
        form.Editorbox_MouseMove(1, 0, 30, 5);
        QCOMPARE(form.state().EditorSelColumn, 1);
        QCOMPARE(form.TextEditAddress->text(), QStringLiteral("32"));
        form.Editorbox_MouseMove(1, 0, 60, 30);
        QCOMPARE(form.state().EditorSelColumn, 2);
        QCOMPARE(form.state().EditorSelRow, 1);
        QCOMPARE(form.TextEditAddress->text(), QStringLiteral("0"));
        form.Editorbox_MouseMove(1, 0, -3, 30); // left the canvas: nothing
        QCOMPARE(form.state().EditorSelColumn, 2);
        QCOMPARE(form.state().EditorSelRow, 1);
        form.Editorbox_MouseMove(2, 0, 5, 5); // right button: nothing
        QCOMPARE(form.state().EditorSelColumn, 2);
        form.Editorbox_MouseMove(1, 0, 75, 5); // back with the left button: cell 3
        QCOMPARE(form.state().EditorSelColumn, 3);
        QCOMPARE(form.state().EditorSelRow, 0);
        QCOMPARE(form.TextEditAddress->text(), QStringLiteral("64"));
        COMPARE_TILES(form.state().EditorTiles, tiles);
        EditorPicture view;
        view.selColumn = 3;
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(tiles, view),
                        "editor-select-drag");
        VERIFY_PROMPTS(prompts);
    }

    void propagation() {
        QTemporaryDir dir;
        const QByteArray file = sampleFile();
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openRom(form, prompts, writeRom(dir, "p.gb", file));
        // Cells 0 and 1 from address 16, cell 2 from 48, cells 3 and 4 from address 0.
        copyFromBrowser(form, 1, 0);
        copyFromBrowser(form, 1, 0);
        copyFromBrowser(form, 3, 0);
        copyFromBrowser(form, 0, 0);
        copyFromBrowser(form, 0, 0);
        EditorTileArray expected{};
        expected[0] = cellFrom(file, 16);
        expected[1] = cellFrom(file, 16);
        expected[2] = cellFrom(file, 48);
        expected[3].Pixels = tileAt(file, 0);
        expected[4].Pixels = tileAt(file, 0);
        COMPARE_TILES(form.state().EditorTiles, expected);

        form.BtCol_Click(3);
        form.OptionPaint->click();
        form.EditorBox_MouseDown(1, 0, 2, 2); // cell 0, pixel 0
        expected[0].Pixels[0] = 3;
        expected[1].Pixels[0] = 3;
        COMPARE_TILES(form.state().EditorTiles, expected);
        form.EditorBox_MouseDown(1, 0, 24 + 22, 22); // cell 1, pixel 63
        expected[0].Pixels[63] = 3;
        expected[1].Pixels[63] = 3;
        COMPARE_TILES(form.state().EditorTiles, expected);
        // Address 0 cells: painting one leaves the other alone.
        form.EditorBox_MouseDown(1, 0, 72 + 1, 1);
        expected[3].Pixels[0] = 3;
        COMPARE_TILES(form.state().EditorTiles, expected);
        form.OptionFill->click();
        form.BtCol_Click(1);
        form.EditorBox_MouseDown(1, 0, 72 + 5, 5);
        expected[3].Pixels.fill(1);
        COMPARE_TILES(form.state().EditorTiles, expected);
        // Fill propagates too.
        form.EditorBox_MouseDown(1, 0, 5, 5);
        expected[0].Pixels.fill(1);
        expected[1].Pixels.fill(1);
        COMPARE_TILES(form.state().EditorTiles, expected);

        // Cell 1 protected: it refuses paint, but still receives what cell 0 gets.
        selectCell(form, 1, 0);
        form.ChkWriteProtected->click();
        QVERIFY(form.state().EditorTiles[1].WriteProtected);
        expected[1].WriteProtected = true;
        form.OptionPaint->click();
        form.BtCol_Click(2);
        form.EditorBox_MouseDown(1, 0, 24 + 2, 2);
        COMPARE_TILES(form.state().EditorTiles, expected);
        form.OptionFill->click();
        form.EditorBox_MouseDown(1, 0, 24 + 2, 2);
        COMPARE_TILES(form.state().EditorTiles, expected);
        form.OptionPaint->click();
        form.EditorBox_MouseDown(1, 0, 2, 5); // cell 0, pixel (0, 1)
        expected[0].Pixels[8] = 2;
        expected[1].Pixels[8] = 2;
        COMPARE_TILES(form.state().EditorTiles, expected);
        EditorPicture view;
        view.selColumn = 1;
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(expected, view),
                        "editor-propagation");
        VERIFY_PROMPTS(prompts);
    }

    void protectionStopsTools_data() {
        QTest::addColumn<bool>("fill");
        QTest::addColumn<bool>("drag");
        QTest::newRow("paint") << false << false;
        QTest::newRow("paint by dragging") << false << true;
        QTest::newRow("fill") << true << false;
    }
    void protectionStopsTools() {
        QFETCH(bool, fill);
        QFETCH(bool, drag);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        selectCell(form, 2, 1);
        form.ChkWriteProtected->click();
        EditorTileArray expected{};
        expected[12].WriteProtected = true;
        COMPARE_TILES(form.state().EditorTiles, expected);
        form.BtCol_Click(3);
        if (fill)
            form.OptionFill->click();
        else
            form.OptionPaint->click();
        const QPointF p = cellMiddle(2, 1);
        if (drag)
            form.Editorbox_MouseMove(1, 0, p.x(), p.y());
        else
            form.EditorBox_MouseDown(1, 0, p.x(), p.y());
        COMPARE_TILES(form.state().EditorTiles, expected);
        // Unprotected again, the same action works.
        form.ChkWriteProtected->click();
        expected[12].WriteProtected = false;
        if (drag)
            form.Editorbox_MouseMove(1, 0, p.x(), p.y());
        else
            form.EditorBox_MouseDown(1, 0, p.x(), p.y());
        if (fill)
            expected[12].Pixels.fill(3);
        else
            expected[12].Pixels[8 * 4 + 4] = 3;
        COMPARE_TILES(form.state().EditorTiles, expected);
        VERIFY_PROMPTS(prompts);
    }

    void hiddenCellsRefuseTools() {
        QTemporaryDir dir;
        const QByteArray file = sampleFile();
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openRom(form, prompts, writeRom(dir, "n.gb", file));
        EditorTileArray expected = copyFirstTiles(form, file, 1);
        form.ChkNoncopied->click();
        form.BtCol_Click(2);
        form.OptionPaint->click();
        form.EditorBox_MouseDown(1, 0, 30, 30); // cell (1, 1), hidden
        form.Editorbox_MouseMove(1, 0, 31, 31);
        form.OptionFill->click();
        form.EditorBox_MouseDown(1, 0, 30, 30);
        COMPARE_TILES(form.state().EditorTiles, expected);
        // The cell with an address can be painted.
        form.EditorBox_MouseDown(1, 0, 5, 5);
        expected[0].Pixels.fill(2);
        COMPARE_TILES(form.state().EditorTiles, expected);
        form.OptionSelect->click();
        form.EditorBox_MouseDown(1, 0, 30, 30);
        QCOMPARE(form.state().EditorSelColumn, 1);
        QCOMPARE(form.state().EditorSelRow, 1);
        form.Editorbox_MouseMove(0, 0, 30, 30);
        QCOMPARE(form.LbStatus->text(), QStringLiteral("Tile has no address."));
        EditorPicture view;
        view.selColumn = 1;
        view.selRow = 1;
        view.hideNoncopied = true;
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(expected, view),
                        "editor-hidden-tools");
        VERIFY_PROMPTS(prompts);
    }

    // ---- switches ----
    void mirrorBoxAnyPress_data() {
        QTest::addColumn<bool>("upsideDown");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("bySignal");
        for (const bool y : {false, true}) {
            const char* box = y ? "FlipY" : "FlipX";
            QTest::addRow("%s, left, handler", box) << y << 1 << false;
            QTest::addRow("%s, right, handler", box) << y << 2 << false;
            QTest::addRow("%s, middle, handler", box) << y << 4 << false;
            QTest::addRow("%s, right, box signal", box) << y << 2 << true;
            QTest::addRow("%s, left, box signal", box) << y << 1 << true;
        }
    }
    void mirrorBoxAnyPress() {
        QFETCH(bool, upsideDown);
        QFETCH(int, button);
        QFETCH(bool, bySignal);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        selectCell(form, 3, 2);
        GraphicButton* box = upsideDown ? form.ChkFlipY : form.ChkFlipX;
        EditorTileArray expected{};
        bool on = false;
        for (int press = 0; press < 3; ++press) {
            if (bySignal)
                emit box->mouseDown(button, 0, 3, 3);
            else if (upsideDown)
                form.ChkFlipY_MouseDown(button, 0, 3, 3);
            else
                form.ChkFlipX_MouseDown(button, 0, 3, 3);
            on = !on;
            (upsideDown ? expected[23].FlipY : expected[23].FlipX) = on;
            COMPARE_TILES(form.state().EditorTiles, expected);
            QCOMPARE(box->isChecked(), on);
            EditorPicture view;
            view.selColumn = 3;
            view.selRow = 2;
            COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(expected, view),
                            "editor-mirror-press");
        }
        VERIFY_PROMPTS(prompts);
    }

    void mirrorBoxKeyboard_data() {
        QTest::addColumn<bool>("upsideDown");
        QTest::newRow("FlipX") << false;
        QTest::newRow("FlipY") << true;
    }
    void mirrorBoxKeyboard() {
        QFETCH(bool, upsideDown);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        GraphicButton* box = upsideDown ? form.ChkFlipY : form.ChkFlipX;
        box->setFocus();
        bool on = false;
        for (int press = 0; press < 2; ++press) {
            QTest::keyClick(box, Qt::Key_Space);
            on = !on;
            const TileRecord& t = form.state().EditorTiles[0];
            QCOMPARE(upsideDown ? t.FlipY : t.FlipX, on);
            QCOMPARE(upsideDown ? t.FlipX : t.FlipY, false);
            QCOMPARE(box->isChecked(), on);
        }
        VERIFY_PROMPTS(prompts);
    }

    void mirrorBoxRealClick_data() {
        QTest::addColumn<bool>("upsideDown");
        QTest::addColumn<int>("button");
        QTest::newRow("FlipX, left") << false << int(Qt::LeftButton);
        QTest::newRow("FlipX, right") << false << int(Qt::RightButton);
        QTest::newRow("FlipY, left") << true << int(Qt::LeftButton);
        QTest::newRow("FlipY, right") << true << int(Qt::RightButton);
    }
    void mirrorBoxRealClick() {
        QFETCH(bool, upsideDown);
        QFETCH(int, button);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        GraphicButton* box = upsideDown ? form.ChkFlipY : form.ChkFlipX;
        bool on = false;
        for (int click = 0; click < 3; ++click) {
            QTest::mouseClick(box, Qt::MouseButton(button));
            on = !on;
            const TileRecord& t = form.state().EditorTiles[0];
            QCOMPARE(upsideDown ? t.FlipY : t.FlipX, on);
            QCOMPARE(box->isChecked(), on);
        }
        VERIFY_PROMPTS(prompts);
    }

    void selectionSetsBoxes() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        // Cell 0: mirrored left-right and protected; cell 1: upside down; cell 2: nothing.
        form.ChkFlipX_MouseDown(1, 0, 1, 1);
        form.ChkWriteProtected->click();
        selectCell(form, 1, 0);
        form.ChkFlipY_MouseDown(2, 0, 1, 1);
        EditorTileArray expected{};
        expected[0].FlipX = true;
        expected[0].WriteProtected = true;
        expected[1].FlipY = true;
        COMPARE_TILES(form.state().EditorTiles, expected);
        struct Step {
            int column;
            bool x, y, protect;
        };
        for (const Step step :
             {Step{2, false, false, false}, Step{0, true, false, true}, Step{1, false, true, false},
              Step{0, true, false, true}, Step{2, false, false, false}}) {
            selectCell(form, step.column, 0);
            QCOMPARE(form.ChkFlipX->isChecked(), step.x);
            QCOMPARE(form.ChkFlipY->isChecked(), step.y);
            QCOMPARE(form.ChkWriteProtected->isChecked(), step.protect);
            COMPARE_TILES(form.state().EditorTiles, expected);
        }
        VERIFY_PROMPTS(prompts);
    }

    void protectionBoxAgrees() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        selectCell(form, 5, 5);
        form.ChkWriteProtected->click();
        QVERIFY(form.ChkWriteProtected->isChecked());
        QVERIFY(form.state().EditorTiles[55].WriteProtected);
        selectCell(form, 6, 5);
        QVERIFY(!form.ChkWriteProtected->isChecked());
        QVERIFY(!form.state().EditorTiles[56].WriteProtected);
        QVERIFY(form.state().EditorTiles[55].WriteProtected);
        selectCell(form, 5, 5);
        QVERIFY(form.ChkWriteProtected->isChecked());
        form.ChkWriteProtected->click();
        QVERIFY(!form.ChkWriteProtected->isChecked());
        QVERIFY(!form.state().EditorTiles[55].WriteProtected);
        const EditorTileArray blank{};
        COMPARE_TILES(form.state().EditorTiles, blank);
        VERIFY_PROMPTS(prompts);
    }

    void protectionBoxRealClick() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        selectCell(form, 4, 0);
        QTest::mouseClick(form.ChkWriteProtected, Qt::LeftButton);
        QVERIFY(form.ChkWriteProtected->isChecked());
        QVERIFY(form.state().EditorTiles[4].WriteProtected);
        form.ChkWriteProtected->setFocus();
        QTest::keyClick(form.ChkWriteProtected, Qt::Key_Space);
        QVERIFY(!form.ChkWriteProtected->isChecked());
        QVERIFY(!form.state().EditorTiles[4].WriteProtected);
        VERIFY_PROMPTS(prompts);
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
