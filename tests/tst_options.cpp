// The options dialog: its controls, the three swatches, "Ok", "Cancle" and the disabled
// main window behind it.
#include "pictures.h"
#include "romfiles.h"
#include "scriptedprompts.h"
#include "testtiles.h"
#include "ui/app/formmain.h"
#include "ui/palette/formoptions.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/picturebox.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

constexpr ColorRef kBlack = rgbColor(0, 0, 0);
constexpr ColorRef kWhite = rgbColor(255, 255, 255);
constexpr ColorRef kGrey = rgbColor(191, 191, 191);
constexpr ColorRef kRed = rgbColor(255, 0, 0);

ColorField* swatch(FormOptions* dialog, int which) {
    ColorField* const swatches[] = {dialog->LbGridColor, dialog->LbSelectionColor,
                                    dialog->LbEmptyColor};
    return swatches[which];
}

void clickSwatch(FormOptions* dialog, int which) {
    switch (which) {
    case 0:
        dialog->LbGridColor_Click();
        break;
    case 1:
        dialog->LbSelectionColor_Click();
        break;
    default:
        dialog->LbEmptyColor_Click();
        break;
    }
}

} // namespace

class TestOptions : public QObject {
    Q_OBJECT
  private slots:
    void dialogLooks() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(form.optionsDialog() == nullptr);
        form.BtOptions_Click();
        FormOptions* dialog = form.optionsDialog();
        QVERIFY(dialog != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->isWindow());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Options"));
        QCOMPARE(dialog->size(), QSize(286, 110));
        QCOMPARE(dialog->Frame1->geometry(), QRect(8, 8, 273, 65));
        QCOMPARE(dialog->Frame1->title(), QStringLiteral("Colors"));
        QCOMPARE(dialog->LbGridColor->geometry(), QRect(8, 32, 81, 25));
        QCOMPARE(dialog->LbSelectionColor->geometry(), QRect(96, 32, 81, 25));
        QCOMPARE(dialog->LbEmptyColor->geometry(), QRect(184, 32, 81, 25));
        QCOMPARE(dialog->LbGridColor->parentWidget(), dialog->Frame1);
        QCOMPARE(dialog->Label1->text(), QStringLiteral("Grid color"));
        QCOMPARE(dialog->Label2->text(), QStringLiteral("Selection color"));
        QCOMPARE(dialog->Label1->geometry(), QRect(8, 16, 73, 17));
        QCOMPARE(dialog->BtOk->geometry(), QRect(8, 80, 137, 25));
        QCOMPARE(dialog->BtOk->text(), QStringLiteral("Ok"));
        QCOMPARE(dialog->BtAbort->geometry(), QRect(152, 80, 129, 25));
        QCOMPARE(dialog->BtAbort->text(), QStringLiteral("Cancle"));
        QVERIFY(!dialog->BtOk->isDefault());
        // Start swatches, left to right: black, white, light grey.
        QCOMPARE(backColor(dialog->LbGridColor), kBlack);
        QCOMPARE(backColor(dialog->LbSelectionColor), kWhite);
        QCOMPARE(backColor(dialog->LbEmptyColor), kGrey);
        // The main window is disabled, the dialog is not.
        QVERIFY(!form.isEnabled());
        QVERIFY(dialog->isEnabled());
        QVERIFY(dialog->BtOk->isEnabled());
        QVERIFY(dialog->BtAbort->isEnabled());
        // "Cancle" has the focus, "Ok" comes next.
        QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(dialog->BtAbort));
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog->BtAbort));
        QTest::keyClick(dialog->BtAbort, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog->BtOk));
        dialog->BtAbort->click();
        VERIFY_PROMPTS(prompts);
    }

    void swatchClick_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("grid, red") << 0 << false;
        QTest::newRow("selection, red") << 1 << false;
        QTest::newRow("empty, red") << 2 << false;
        QTest::newRow("grid, picker cancelled") << 0 << true;
        QTest::newRow("empty, picker cancelled") << 2 << true;
    }
    void swatchClick() {
        QFETCH(int, which);
        QFETCH(bool, cancel);
        QTemporaryDir dir;
        const QByteArray file = randomBytes(3000, 31);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openRom(form, prompts, writeRom(dir, "s.gb", file));
        copyFirstTiles(form, file, 4);
        const QImage browser = form.SpriteBox->surface().copy();
        const QImage editor = form.EditorBox->surface().copy();
        form.BtOptions_Click();
        FormOptions* dialog = form.optionsDialog();
        const ColorRef start[3] = {kBlack, kWhite, kGrey};
        if (cancel)
            prompts.expectColorCancel();
        else
            prompts.expectColor(kRed);
        clickSwatch(dialog, which);
        VERIFY_PROMPTS(prompts);
        QCOMPARE(prompts.colorsOffered, QList<ColorRef>{start[which]});
        for (int i = 0; i < 3; ++i)
            QCOMPARE(backColor(swatch(dialog, i)), i == which && !cancel ? kRed : start[i]);
        // Nothing in the main window changed.
        const std::array<ColorRef, 3> options = {kBlack, kWhite, kGrey};
        QCOMPARE(form.state().OptionColors, options);
        COMPARE_PICTURE(form.SpriteBox->surface(), browser, "options-swatch-browser");
        COMPARE_PICTURE(form.EditorBox->surface(), editor, "options-swatch-editor");
        QVERIFY(!form.isEnabled());
        QVERIFY(dialog->isVisible());
        dialog->BtAbort->click();
    }

    void okTakesColours_data() {
        QTest::addColumn<int>("which"); // -1: nothing changed
        QTest::newRow("selection red") << 1;
        QTest::newRow("grid red") << 0;
        QTest::newRow("empty red") << 2;
        QTest::newRow("nothing changed") << -1;
    }
    void okTakesColours() {
        QFETCH(int, which);
        QTemporaryDir dir;
        const QByteArray file = randomBytes(5000, 77);
        const QString path = writeRom(dir, "o.gb", file);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        openRom(form, prompts, path);
        const EditorTileArray tiles = copyFirstTiles(form, file, 6);
        form.ChkGrid->click();
        form.ChkGridEditor->click();
        form.ChkNoncopied->click();
        form.BtOptions_Click();
        FormOptions* dialog = form.optionsDialog();
        if (which >= 0) {
            prompts.expectColor(kRed);
            clickSwatch(dialog, which);
        }
        // Both views are drawn again on "Ok", even when nothing changed: spoil them first
        // (the browser's cells cover its first 8 * 27 = 216 columns).
        QImage& shownBrowser = form.SpriteBox->surface();
        for (int y = 0; y < shownBrowser.height(); ++y)
            for (int x = 0; x < 216; ++x)
                shownBrowser.setPixel(x, y, qRgb(0, 255, 0));
        form.EditorBox->surface().fill(Qt::green);
        QTest::mouseClick(dialog->BtOk, Qt::LeftButton);
        VERIFY_PROMPTS(prompts);
        QVERIFY(form.isEnabled());
        QVERIFY(!dialog->isVisible());
        std::array<ColorRef, 3> options = {kBlack, kWhite, kGrey};
        if (which >= 0) options[size_t(which)] = kRed;
        QCOMPARE(form.state().OptionColors, options);
        ViewColors colors;
        colors.grid = options[0];
        colors.selection = options[1];
        colors.empty = options[2];
        BrowserPicture browser;
        browser.grid = true;
        browser.colors = colors;
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(file, browser),
                        "options-ok-browser");
        EditorPicture editor;
        editor.grid = true;
        editor.hideNoncopied = true;
        editor.selColumn = 6;
        editor.colors = colors;
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(tiles, editor),
                        "options-ok-editor");
        // Opening again shows the stored colours.
        form.BtOptions_Click();
        QCOMPARE(form.optionsDialog(), dialog);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(backColor(swatch(dialog, i)), options[size_t(i)]);
        dialog->BtAbort->click();
        QVERIFY(form.isEnabled());
    }

    void cancelChangesNothing_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("Cancle button") << 0;
        QTest::newRow("Cancle by a real click") << 1;
        QTest::newRow("close box") << 2;
        QTest::newRow("Escape") << 3;
    }
    void cancelChangesNothing() {
        QFETCH(int, how);
        QTemporaryDir dir;
        const QByteArray file = randomBytes(3000, 5);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        openRom(form, prompts, writeRom(dir, "c.gb", file));
        copyFirstTiles(form, file, 3);
        form.ChkGridEditor->click();
        const QImage browser = form.SpriteBox->surface().copy();
        const QImage editor = form.EditorBox->surface().copy();
        form.BtOptions_Click();
        FormOptions* dialog = form.optionsDialog();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        for (int i = 0; i < 3; ++i) {
            prompts.expectColor(kRed);
            clickSwatch(dialog, i);
        }
        switch (how) {
        case 0:
            dialog->BtAbort->click();
            break;
        case 1:
            QTest::mouseClick(dialog->BtAbort, Qt::LeftButton);
            break;
        case 2:
            dialog->close();
            break;
        default:
            QTest::keyClick(dialog, Qt::Key_Escape);
            break;
        }
        VERIFY_PROMPTS(prompts);
        QVERIFY(form.isEnabled());
        QVERIFY(!dialog->isVisible());
        const std::array<ColorRef, 3> options = {kBlack, kWhite, kGrey};
        QCOMPARE(form.state().OptionColors, options);
        COMPARE_PICTURE(form.SpriteBox->surface(), browser, "options-cancel-browser");
        COMPARE_PICTURE(form.EditorBox->surface(), editor, "options-cancel-editor");
        // The next opening shows the stored colours again, in the same dialog.
        form.BtOptions_Click();
        QCOMPARE(form.optionsDialog(), dialog);
        QCOMPARE(backColor(dialog->LbGridColor), kBlack);
        QCOMPARE(backColor(dialog->LbSelectionColor), kWhite);
        QCOMPARE(backColor(dialog->LbEmptyColor), kGrey);
        QVERIFY(!form.isEnabled());
        dialog->BtAbort->click();
        QVERIFY(form.isEnabled());
    }

    void secondOpeningShowsStoredColours() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        form.BtOptions_Click();
        FormOptions* dialog = form.optionsDialog();
        const ColorRef chosen[3] = {rgbColor(1, 2, 3), rgbColor(200, 100, 50),
                                    rgbColor(0, 128, 255)};
        for (int i = 0; i < 3; ++i) {
            prompts.expectColor(chosen[i]);
            clickSwatch(dialog, i);
        }
        dialog->BtOk->click();
        form.BtOptions_Click();
        QCOMPARE(form.optionsDialog(), dialog);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(backColor(swatch(dialog, i)), chosen[i]);
        // The picker is offered each swatch's stored colour.
        prompts.expectColorCancel();
        dialog->LbSelectionColor_Click();
        QCOMPARE(prompts.colorsOffered.last(), chosen[1]);
        dialog->BtAbort->click();
        const std::array<ColorRef, 3> options = {chosen[0], chosen[1], chosen[2]};
        QCOMPARE(form.state().OptionColors, options);
        // Editor drawn with the new grid and empty colours: tick "hide" and look.
        form.ChkNoncopied->click();
        ViewColors colors;
        colors.grid = chosen[0];
        colors.selection = chosen[1];
        colors.empty = chosen[2];
        EditorPicture editor;
        editor.hideNoncopied = true;
        editor.colors = colors;
        const EditorTileArray blank{};
        COMPARE_PICTURE(form.EditorBox->surface(), expectedEditor(blank, editor),
                        "options-stored-editor");
        VERIFY_PROMPTS(prompts);
    }

    void mainWindowIgnoresInput() {
        QTemporaryDir dir;
        const QByteArray file = randomBytes(3000, 9);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        openRom(form, prompts, writeRom(dir, "i.gb", file));
        const QImage browser = form.SpriteBox->surface().copy();
        form.BtOptions_Click();
        FormOptions* dialog = form.optionsDialog();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QVERIFY(!form.BtCloseFile->isEnabled());
        QTest::mouseClick(form.BtCloseFile, Qt::LeftButton);
        QVERIFY(form.state().RomFileOpen);
        QTest::mouseClick(form.SpriteBox, Qt::LeftButton, {}, QPoint(60, 60));
        QCOMPARE(form.state().BrowserSelAddress, 0);
        QCOMPARE(form.TextAddress->text(), QStringLiteral("0"));
        QTest::mouseClick(form.BtEditZoomOut, Qt::LeftButton);
        QCOMPARE(form.state().EditorZoom, qint16(3));
        QTest::mouseClick(form.ChkGridEditor, Qt::LeftButton);
        QCOMPARE(form.state().EditorCellSize, quint8(8));
        QTest::mouseClick(form.BtCol[2], Qt::LeftButton);
        QCOMPARE(form.state().CurrentColor, qint16(0));
        QTest::mouseClick(form.BtOptions, Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        COMPARE_PICTURE(form.SpriteBox->surface(), browser, "options-ignored-browser");
        // Once the dialog is gone, the same clicks act.
        dialog->BtAbort->click();
        QTest::mouseClick(form.BtEditZoomOut, Qt::LeftButton);
        QCOMPARE(form.state().EditorZoom, qint16(4));
        QTest::mouseClick(form.BtCloseFile, Qt::LeftButton);
        QVERIFY(!form.state().RomFileOpen);
        VERIFY_PROMPTS(prompts);
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
