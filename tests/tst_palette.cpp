// The drawing palette: the current colour, redefining a colour, the hover texts.
#include "pictures.h"
#include "romfiles.h"
#include "scriptedprompts.h"
#include "testtiles.h"
#include "ui/app/formmain.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/picturebox.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

#include <array>

namespace {

constexpr ColorRef kStart[4] = {rgbColor(255, 255, 128), rgbColor(181, 181, 96),
                                rgbColor(128, 128, 64), rgbColor(64, 64, 32)};

// 2000 bytes: the browser's last rows lie beyond the end of the file.
QByteArray shortFile() {
    return randomBytes(2000, 606);
}

} // namespace

class TestPalette : public QObject {
    Q_OBJECT
  private slots:
    void startFields() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(backColor(form.BtCol[i]), kStart[i]);
        QCOMPARE(backColor(form.ShpCol), kStart[0]);
        QCOMPARE(form.state().CurrentColor, qint16(0));
        QCOMPARE(form.state().PaletteColors[4], rgbColor(191, 191, 191));
        VERIFY_PROMPTS(prompts);
    }

    void clickChoosesColour_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("field 0") << 0;
        QTest::newRow("field 1") << 1;
        QTest::newRow("field 2") << 2;
        QTest::newRow("field 3") << 3;
    }
    void clickChoosesColour() {
        QFETCH(int, index);
        QTemporaryDir dir;
        const QByteArray file = shortFile();
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openRom(form, prompts, writeRom(dir, "c.gb", file));
        EditorTileArray tiles = copyFirstTiles(form, file, 3);
        const QImage browser = form.SpriteBox->surface().copy();
        const QImage editor = form.EditorBox->surface().copy();
        form.BtCol_Click(3 - index); // another colour first
        form.BtCol_Click(index);
        QCOMPARE(int(form.state().CurrentColor), index);
        QCOMPARE(backColor(form.ShpCol), kStart[index]);
        QCOMPARE(backColor(form.ShpCol), form.state().PaletteColors[size_t(index)]);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(backColor(form.BtCol[i]), kStart[i]);
        COMPARE_PICTURE(form.SpriteBox->surface(), browser, "palette-click-browser");
        COMPARE_PICTURE(form.EditorBox->surface(), editor, "palette-click-editor");
        // Painting stores the index; filling too.
        form.OptionPaint->click();
        form.EditorBox_MouseDown(1, 0, 4, 4); // cell 0, pixel (1, 1)
        tiles[0].Pixels[9] = quint8(index);
        form.OptionFill->click();
        form.EditorBox_MouseDown(1, 0, 30, 5); // cell 1
        tiles[1].Pixels.fill(quint8(index));
        QVERIFY(form.state().EditorTiles == tiles);
        EditorPicture view;
        view.selColumn = 3;
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(tiles, view),
                        "palette-click-painted");
        VERIFY_PROMPTS(prompts);
    }

    void redefineColour_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<ColorRef>("chosen");
        QTest::newRow("field 1 pure red") << 1 << rgbColor(255, 0, 0);
        QTest::newRow("field 0 pure blue") << 0 << rgbColor(0, 0, 255);
        QTest::newRow("field 3 black") << 3 << rgbColor(0, 0, 0);
        QTest::newRow("field 2 grey of the outside pixels") << 2 << rgbColor(191, 191, 191);
    }
    void redefineColour() {
        QFETCH(int, index);
        QFETCH(ColorRef, chosen);
        QTemporaryDir dir;
        const QByteArray file = shortFile();
        const QString path = writeRom(dir, "r.gb", file);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openRom(form, prompts, path);
        const EditorTileArray tiles = copyFirstTiles(form, file, 12);
        // A double-click comes after the click of its first press.
        form.BtCol_Click(index);
        prompts.expectColor(chosen);
        form.BtCol_DblClick(index);
        VERIFY_PROMPTS(prompts);
        QCOMPARE(prompts.colorsOffered, QList<ColorRef>{kStart[index]});
        QCOMPARE(form.state().PaletteColors[size_t(index)], chosen);
        QCOMPARE(backColor(form.BtCol[index]), chosen);
        QCOMPARE(backColor(form.ShpCol), chosen);
        for (int i = 0; i < 4; ++i)
            if (i != index) QCOMPARE(backColor(form.BtCol[i]), kStart[i]);
        QCOMPARE(form.state().PaletteColors[4], rgbColor(191, 191, 191));

        ViewColors colors;
        colors.palette[size_t(index)] = chosen;
        BrowserPicture browser;
        browser.colors = colors;
        browser.markColumn = 2; // the last press was on browser cell (2, 1)
        browser.markRow = 1;
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(file, browser),
                        "palette-redefined-browser");
        EditorPicture editor;
        editor.colors = colors;
        editor.selColumn = 2;
        editor.selRow = 1;
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(tiles, editor),
                        "palette-redefined-editor");
        QVERIFY(form.state().EditorTiles == tiles);
        QCOMPARE(fileBytes(path), file);
        QCOMPARE(form.state().CurrentColor, qint16(index));
    }

    void cancelKeepsColour_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("field 0") << 0;
        QTest::newRow("field 3") << 3;
    }
    void cancelKeepsColour() {
        QFETCH(int, index);
        QTemporaryDir dir;
        const QByteArray file = shortFile();
        const QString path = writeRom(dir, "k.gb", file);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openRom(form, prompts, path);
        const EditorTileArray tiles = copyFirstTiles(form, file, 5);
        form.BtCol_Click(index);
        prompts.expectColorCancel();
        form.BtCol_DblClick(index);
        VERIFY_PROMPTS(prompts);
        QCOMPARE(prompts.colorsOffered, QList<ColorRef>{kStart[index]});
        QCOMPARE(form.state().PaletteColors[size_t(index)], kStart[index]);
        QCOMPARE(int(form.state().CurrentColor), index);
        QCOMPARE(backColor(form.BtCol[index]), kStart[index]);
        QCOMPARE(backColor(form.ShpCol), kStart[index]);
        BrowserPicture browser;
        browser.markColumn = 5;
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(file, browser),
                        "palette-cancel-browser");
        EditorPicture editor;
        editor.selColumn = 5;
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(tiles, editor),
                        "palette-cancel-editor");
        QCOMPARE(fileBytes(path), file);
    }

    void hoverText_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("redefine");
        QTest::addColumn<ColorRef>("chosen");
        QTest::addColumn<QString>("text");
        QTest::newRow("start field 0")
            << 0 << false << ColorRef(0) << QStringLiteral("Color no. 0 ( Hex 80FFFF )");
        QTest::newRow("start field 1")
            << 1 << false << ColorRef(0) << QStringLiteral("Color no. 1 ( Hex 60B5B5 )");
        QTest::newRow("start field 2")
            << 2 << false << ColorRef(0) << QStringLiteral("Color no. 2 ( Hex 408080 )");
        QTest::newRow("start field 3")
            << 3 << false << ColorRef(0) << QStringLiteral("Color no. 3 ( Hex 204040 )");
        QTest::newRow("black") << 2 << true << rgbColor(0, 0, 0)
                               << QStringLiteral("Color no. 2 ( Hex 0 )");
        QTest::newRow("pure red") << 1 << true << rgbColor(255, 0, 0)
                                  << QStringLiteral("Color no. 1 ( Hex FF )");
        QTest::newRow("pure blue")
            << 0 << true << rgbColor(0, 0, 255) << QStringLiteral("Color no. 0 ( Hex FF0000 )");
        QTest::newRow("pure green")
            << 3 << true << rgbColor(0, 255, 0) << QStringLiteral("Color no. 3 ( Hex FF00 )");
        QTest::newRow("mixed") << 3 << true << rgbColor(0x12, 0xA4, 0x0B)
                               << QStringLiteral("Color no. 3 ( Hex BA412 )");
    }
    void hoverText() {
        QFETCH(int, index);
        QFETCH(bool, redefine);
        QFETCH(ColorRef, chosen);
        QFETCH(QString, text);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        if (redefine) {
            prompts.expectColor(chosen);
            form.BtCol_DblClick(index);
        }
        form.BtCol_MouseMove((index + 1) % 4, 0, 0, 1, 1);
        form.BtCol_MouseMove(index, 1, 2, 10, 12);
        QCOMPARE(form.LbStatus->text(), text);
        // The same text from a move reported by the field itself.
        form.BtCol_MouseMove((index + 1) % 4, 0, 0, 1, 1);
        emit form.BtCol[index]->mouseMoved(0, 0, 4, 4);
        QCOMPARE(form.LbStatus->text(), text);
        VERIFY_PROMPTS(prompts);
    }

    void outsidePixelsStayGrey_data() {
        QTest::addColumn<bool>("redefine");
        QTest::newRow("start palette") << false;
        QTest::newRow("all four fields redefined") << true;
    }
    void outsidePixelsStayGrey() {
        QFETCH(bool, redefine);
        QTemporaryDir dir;
        const QByteArray file = shortFile();
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openRom(form, prompts, writeRom(dir, "g.gb", file));
        ViewColors colors;
        if (redefine) {
            const ColorRef chosen[4] = {rgbColor(10, 20, 30), rgbColor(200, 0, 50),
                                        rgbColor(0, 0, 0), rgbColor(255, 255, 255)};
            for (int i = 0; i < 4; ++i) {
                prompts.expectColor(chosen[i]);
                form.BtCol_DblClick(i);
                colors.palette[size_t(i)] = chosen[i];
            }
        }
        BrowserPicture browser;
        browser.colors = colors;
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(file, browser),
                        "palette-outside-grey");
        // 2000 bytes end in browser row 12 (addresses 1920..2079 hold cells 0..9): row 13
        // lies wholly beyond the end of the file.
        const QImage& shown = form.SpriteBox->surface();
        for (const QPoint p : {QPoint(5, 13 * 24 + 5), QPoint(200, 15 * 24 + 20), QPoint(100, 396)})
            QCOMPARE(shown.pixel(p) & 0xFFFFFF, 0xBFBFBFu);
        QCOMPARE(form.state().PaletteColors[4], rgbColor(191, 191, 191));
        VERIFY_PROMPTS(prompts);
    }

    void layoutLeavesColours() {
        QTemporaryDir dir;
        const QByteArray file = shortFile();
        const QString path = writeRom(dir, "l.gb", file);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openRom(form, prompts, path);
        prompts.expectColor(rgbColor(0, 0, 255));
        form.BtCol_DblClick(0);
        form.BtCol_Click(2);
        const std::array<ColorRef, 5> entries = {rgbColor(0, 0, 255), kStart[1], kStart[2],
                                                 kStart[3], rgbColor(191, 191, 191)};
        QCOMPARE(form.state().PaletteColors, entries);
        // Each of these runs the layout again.
        form.BtBrowZoomIn->click();
        QCOMPARE(form.state().BrowserZoom, 4);
        form.ChkGrid->click();
        form.ChkGridEditor->click();
        prompts.expectOpen(path);
        form.BtOpenFile_Click();
        VERIFY_PROMPTS(prompts);
        QCOMPARE(form.state().CurrentColor, qint16(2));
        QCOMPARE(form.state().PaletteColors, entries);
        QCOMPARE(backColor(form.BtCol[0]), rgbColor(0, 0, 255));
        for (int i = 1; i < 4; ++i)
            QCOMPARE(backColor(form.BtCol[i]), kStart[i]);
        QCOMPARE(backColor(form.ShpCol), kStart[2]);
        // The browser shows the new colour 0 at the new zoom and grid.
        ViewColors colors;
        colors.palette[0] = rgbColor(0, 0, 255);
        BrowserPicture browser;
        browser.zoom = 4;
        browser.grid = true;
        browser.colors = colors;
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(file, browser),
                        "palette-after-layout");
    }
};

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
