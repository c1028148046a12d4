// The four colour fields and the options dialog, as a user works them: the current colour,
// new colours from the picker in both views, the read-out, and the dialog's ways of closing.
#include "pictures.h"
#include "session.h"
#include "testtiles.h"
#include "ui/app/formmain.h"
#include "ui/palette/formoptions.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/picturebox.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

constexpr ColorRef kRed = rgbColor(255, 0, 0);
constexpr ColorRef kNavy = rgbColor(0, 0, 128);
constexpr ColorRef kYellow = rgbColor(255, 255, 0);

} // namespace

class TestPalette : public QObject {
    Q_OBJECT
  private slots:
    void fieldClick_data() {
        QTest::addColumn<int>("field");
        QTest::newRow("1") << 1;
        QTest::newRow("2") << 2;
        QTest::newRow("3") << 3;
    }
    void fieldClick() {
        QFETCH(int, field);
        Session s;
        const ViewColors start;
        Session::click(s.form.BtCol[field]);
        QCOMPARE(backColor(s.form.ShpCol), start.palette[field]);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(backColor(s.form.BtCol[i]), start.palette[i]);
        Session::click(s.form.OptionPaint);
        Session::press(s.form.EditorBox, s.editorPixel(0, 0, 1, 2));
        EditorTileArray tiles{};
        tiles[0].Pixels[17] = quint8(field);
        COMPARE_PICTURE(s.form.EditorBox->surface(), expectedEditor(tiles, {}), "painted");
    }

    // A 40-byte file: two whole tiles, half a tile, and then only pixels outside the file,
    // which stay grey whatever the fields say.
    void doubleClick_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<ColorRef>("color");
        QTest::addColumn<QString>("hover");
        QTest::newRow("1 red") << 1 << false << kRed << "Color no. 1 ( Hex FF )";
        QTest::newRow("2 blue") << 2 << false << rgbColor(0, 0, 255)
                                << "Color no. 2 ( Hex FF0000 )";
        QTest::newRow("0 black") << 0 << false << ColorRef(0) << "Color no. 0 ( Hex 0 )";
        QTest::newRow("3 cancelled") << 3 << true << ColorRef(0) << "Color no. 3 ( Hex 204040 )";
    }
    void doubleClick() {
        QFETCH(int, field);
        QFETCH(bool, cancel);
        QFETCH(ColorRef, color);
        QFETCH(QString, hover);
        Session s;
        const QByteArray bytes = randomBytes(40, 2);
        s.open(bytes);
        s.copyToEditor(1, 0);
        EditorTileArray tiles{};
        tiles[0] = {decodeByHand(bytes, 16), 16};
        ViewColors colors;
        if (cancel)
            s.prompts.expectColorCancel();
        else
            s.prompts.expectColor(color);
        // Both views are drawn again, also after a cancel.
        s.form.SpriteBox->surface().fill(Qt::red);
        s.form.EditorBox->surface().fill(Qt::red);
        // As the platform delivers a double-click: a click, the double-click, a release.
        Session::click(s.form.BtCol[field]);
        QTest::mouseDClick(s.form.BtCol[field], Qt::LeftButton);
        QTest::mouseRelease(s.form.BtCol[field], Qt::LeftButton);
        QCOMPARE(s.prompts.colorsOffered, QList<ColorRef>{colors.palette[field]});
        if (!cancel) colors.palette[field] = color;
        QCOMPARE(backColor(s.form.BtCol[field]), colors.palette[field]);
        QCOMPARE(backColor(s.form.ShpCol), colors.palette[field]);
        COMPARE_PICTURE(s.form.SpriteBox->surface(),
                        expectedBrowser(bytes, {.markColumn = 1, .colors = colors}), "browser");
        COMPARE_PICTURE(s.form.EditorBox->surface(),
                        expectedEditor(tiles, {.selColumn = 1, .colors = colors}), "editor");
        Session::move(s.form.BtCol[field], {5, 5});
        QCOMPARE(s.form.LbStatus->text(), hover);
        VERIFY_PROMPTS(s.prompts);
    }

    // Both grids are on and cells without address hidden, so that all three colours show.
    void options_data() {
        QTest::addColumn<int>("close"); // Ok, Cancle, Escape, close box, Enter, Tab and Enter
        QTest::addColumn<bool>("taken");
        QTest::newRow("Ok") << 0 << true;
        QTest::newRow("Cancle") << 1 << false;
        QTest::newRow("Escape") << 2 << false;
        QTest::newRow("close box") << 3 << false;
        QTest::newRow("Enter on Cancle, which has the focus") << 4 << false;
        QTest::newRow("Tab to Ok and Enter") << 5 << true;
    }
    void options() {
        QFETCH(int, close);
        QFETCH(bool, taken);
        Session s;
        const QByteArray bytes = randomBytes(2048, 3);
        s.open(bytes);
        s.copyToEditor(1, 0);
        EditorTileArray tiles{};
        tiles[0] = {decodeByHand(bytes, 16), 16};
        Session::click(s.form.ChkGrid);
        Session::click(s.form.ChkGridEditor);
        Session::click(s.form.ChkNoncopied);
        Session::click(s.form.BtOptions);
        FormOptions* dialog = s.form.optionsDialog();
        QVERIFY(dialog && dialog->isVisible());
        QVERIFY(!s.form.isEnabled());
        ColorField* swatches[] = {dialog->LbGridColor, dialog->LbSelectionColor,
                                  dialog->LbEmptyColor};
        const ViewColors start;
        QCOMPARE(backColor(swatches[0]), start.grid);
        QCOMPARE(backColor(swatches[1]), start.selection);
        QCOMPARE(backColor(swatches[2]), start.empty);
        s.prompts.expectColor(kNavy);
        s.prompts.expectColor(kRed);
        s.prompts.expectColor(kYellow);
        s.prompts.expectColorCancel();
        Session::click(swatches[0]);
        Session::click(swatches[1]);
        Session::click(swatches[2]);
        Session::click(swatches[2]);
        QCOMPARE(s.prompts.colorsOffered,
                 (QList<ColorRef>{start.grid, start.selection, start.empty, kYellow}));
        QCOMPARE(backColor(swatches[0]), kNavy);
        QCOMPARE(backColor(swatches[1]), kRed);
        QCOMPARE(backColor(swatches[2]), kYellow);
        Session::click(s.form.BtBrowZoomIn); // the main window takes no clicks now
        QCOMPARE(dialog->focusWidget(), dialog->BtAbort);
        switch (close) {
        case 0:
            Session::click(dialog->BtOk);
            break;
        case 1:
            Session::click(dialog->BtAbort);
            break;
        case 2:
            QTest::keyClick(dialog, Qt::Key_Escape);
            break;
        case 3:
            QVERIFY(dialog->close());
            break;
        case 5:
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
            [[fallthrough]];
        case 4:
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
            break;
        }
        QVERIFY(!dialog->isVisible());
        QVERIFY(s.form.isEnabled());
        ViewColors colors;
        if (taken) {
            colors.grid = kNavy;
            colors.selection = kRed;
            colors.empty = kYellow;
        }
        COMPARE_PICTURE(s.form.SpriteBox->surface(),
                        expectedBrowser(bytes, {.grid = true, .colors = colors}), "browser");
        COMPARE_PICTURE(
            s.form.EditorBox->surface(),
            expectedEditor(tiles,
                           {.grid = true, .selColumn = 1, .hideNoncopied = true, .colors = colors}),
            "editor");
        // Opened again, the dialog shows the stored colours.
        Session::click(s.form.BtOptions);
        QCOMPARE(backColor(swatches[0]), colors.grid);
        QCOMPARE(backColor(swatches[1]), colors.selection);
        QCOMPARE(backColor(swatches[2]), colors.empty);
        Session::click(dialog->BtAbort);
        VERIFY_PROMPTS(s.prompts);
    }
};

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
