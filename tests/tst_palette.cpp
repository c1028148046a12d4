// The four colour fields and the options dialog, as a user works them: the current colour,
// new colours from the picker in both views, the read-out, and the dialog's ways of closing.
#include "session.h"
#include "ui/palette/formoptions.h"

#include <QApplication>
#include <QPushButton>

class TestPalette : public QObject {
    Q_OBJECT
  private slots:
    // The field double-clicked becomes the current colour, too. A 40-byte file: two whole
    // tiles, half a tile, and then only pixels outside the file, which stay grey whatever the
    // fields say.
    void doubleClick_data() {
        using R = Row<int, bool, ColorRef, QString>; // field, cancelled, colour: read-out
        // clang-format off
        rows(R{"1 red", 1, false, rgbColor(255, 0, 0), "Color no. 1 ( Hex FF )"},
             R{"2 blue", 2, false, rgbColor(0, 0, 255), "Color no. 2 ( Hex FF0000 )"},
             R{"0 black", 0, false, 0, "Color no. 0 ( Hex 0 )"},
             R{"3 cancelled", 3, true, 0, "Color no. 3 ( Hex 204040 )"});
        // clang-format on
    }
    void doubleClick() {
        const auto [field, cancel, color, hover] = fetch<int, bool, ColorRef, QString>();
        Session s;
        const QByteArray bytes = randomBytes(40, 2);
        s.open(bytes);
        s.copyToEditor(1, 0);
        const EditorTileArray tiles{TileRecord{decodeByHand(bytes, 16), 16}};
        ViewColors colors;
        cancel ? s.prompts.expectColorCancel() : s.prompts.expectColor(color);
        // Both views are drawn again, also after a cancel.
        s.form.SpriteBox->surface().fill(Qt::red);
        s.form.EditorBox->surface().fill(Qt::red);
        // As the platform delivers a double-click: a click, the double-click, a release.
        Session::click(s.form.BtCol[field]);
        QTest::mouseDClick(s.form.BtCol[field], Qt::LeftButton);
        QTest::mouseRelease(s.form.BtCol[field], Qt::LeftButton);
        QCOMPARE(s.prompts.colorsOffered, QList<ColorRef>{colors.palette[field]});
        if (!cancel) colors.palette[field] = color;
        for (int i = 0; i < 4; ++i)
            QCOMPARE(backColor(s.form.BtCol[i]), colors.palette[i]);
        QCOMPARE(backColor(s.form.ShpCol), colors.palette[field]);
        COMPARE_PICTURE(s.browser(), expectedBrowser(bytes, {.markColumn = 1, .colors = colors}),
                        "browser");
        COMPARE_PICTURE(s.editor(), expectedEditor(tiles, {.selColumn = 1, .colors = colors}),
                        "editor");
        Session::move(s.form.BtCol[field], {5, 5});
        QCOMPARE(s.status(), hover);
        Session::click(s.form.OptionPaint);
        Session::press(s.form.EditorBox, s.editorPixel(2, 0, 1, 2));
        QCOMPARE(s.state().EditorTiles[2].Pixels[17], quint8(field));
        VERIFY_PROMPTS(s.prompts);
    }

    // Both grids are on and cells without address hidden, so that all three colours show.
    // The dialog opens with the focus on Cancle, also after it was closed from Ok.
    void options_data() {
        using R = Row<int, bool>; // how it is closed: colours taken
        rows(R{"Ok", 0, true}, R{"Cancle", 1, false}, R{"Escape", 2, false},
             R{"close box", 3, false}, R{"Enter on Cancle, which has the focus", 4, false},
             R{"Tab to Ok and Enter", 5, true});
    }
    void options() {
        const auto [close, taken] = fetch<int, bool>();
        Session s;
        const QByteArray bytes = randomBytes(2048, 3);
        s.open(bytes);
        s.copyToEditor(1, 0);
        for (GraphicButton* box : {s.form.ChkGrid, s.form.ChkGridEditor, s.form.ChkNoncopied})
            Session::click(box);
        const ColorRef before[] = {rgbColor(0, 0, 0), rgbColor(255, 255, 255),
                                   rgbColor(191, 191, 191)};
        const ColorRef chosen[] = {rgbColor(0, 0, 128), rgbColor(255, 0, 0), rgbColor(255, 255, 0)};
        // The dialog opens showing `shown` in its grid, selection and empty swatches (made in
        // that order), the focus on Cancle, the main window disabled.
        const auto open = [&s](const ColorRef* shown) {
            Session::click(s.form.BtOptions);
            FormOptions* dialog = s.form.optionsDialog();
            QVERIFY(dialog && QTest::qWaitForWindowActive(dialog) && !s.form.isEnabled());
            QCOMPARE(QApplication::focusWidget(), dialog->BtAbort);
            for (ColorField* swatch : dialog->findChildren<ColorField*>())
                QCOMPARE(backColor(swatch), *shown++);
        };
        open(before);
        FormOptions* dialog = s.form.optionsDialog();
        const QList<ColorField*> swatches = dialog->findChildren<ColorField*>();
        for (int i = 0; i < 3; ++i) {
            s.prompts.expectColor(chosen[i]);
            Session::click(swatches[i]);
            QCOMPARE(backColor(swatches[i]), chosen[i]);
        }
        QCOMPARE(s.prompts.colorsOffered, (QList<ColorRef>{before[0], before[1], before[2]}));
        if (close == 0) Session::click(dialog->BtOk);
        if (close == 1) Session::click(dialog->BtAbort);
        if (close == 2) QTest::keyClick(dialog, Qt::Key_Escape);
        if (close == 3) QVERIFY(dialog->close());
        if (close == 5) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (close >= 4) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!dialog->isVisible() && s.form.isEnabled());
        const ColorRef* stored = taken ? chosen : before;
        const ViewColors colors{.grid = stored[0], .selection = stored[1], .empty = stored[2]};
        COMPARE_PICTURE(s.browser(), expectedBrowser(bytes, {.grid = true, .colors = colors}),
                        "browser");
        const EditorTileArray tiles{TileRecord{decodeByHand(bytes, 16), 16}};
        // Zoom 3, grid, cell 1 selected, cells without address hidden.
        COMPARE_PICTURE(s.editor(), expectedEditor(tiles, {3, true, 1, 0, true, colors}), "editor");
        open(stored);
        Session::click(dialog->BtAbort);
        VERIFY_PROMPTS(s.prompts);
    }
};

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
