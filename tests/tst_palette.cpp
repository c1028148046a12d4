// The four colour fields and the options dialog, as a user works them: the current colour,
// new colours from the picker in both views, the read-out, and the dialog's ways of closing.
#include "session.h"
#include "ui/palette/formoptions.h"

#include <QApplication>
#include <QPushButton>

class TestPalette : public QObject {
    Q_OBJECT
  private slots:
    // A colour field double-clicked (it becomes the current colour, too), or the options
    // dialog opened and closed, with both grids on and cells without address hidden so that
    // its three colours show. Pixels outside the 40-byte file stay grey.
    void colors_data() {
        // field (-1: the dialog, closed by Ok, Cancle, the close box, Enter on Cancle, which has
        // the focus, or Tab to Ok and Enter), taken, colour: read-out
        using R = Row<int, int, bool, ColorRef, QString>;
        rows(R{"1 red", 1, 0, true, rgbColor(255, 0, 0), "Color no. 1 ( Hex FF )"},
             R{"3 cancelled", 3, 0, false, 0, "Color no. 3 ( Hex 204040 )"},
             R{"Ok", -1, 0, true, 0, ""}, R{"Cancle", -1, 1, false, 0, ""},
             R{"close box", -1, 2, false, 0, ""}, R{"Enter on Cancle", -1, 3, false, 0, ""},
             R{"Tab, Enter", -1, 4, true, 0, ""});
    }
    void colors() {
        const auto [field, close, taken, color, hover] = fetch<int, int, bool, ColorRef, QString>();
        Session s;
        const QByteArray bytes = randomBytes(40, 2);
        s.open(bytes);
        s.copyToEditor(1, 0);
        const bool dialog = field < 0;
        for (GraphicButton* box : {s.form.ChkGrid, s.form.ChkGridEditor, s.form.ChkNoncopied})
            Session::click(box, Qt::LeftButton, dialog);
        ViewColors colors;
        QVERIFY(shows(s.form.ShpCol, colors.palette[0])); // the current colour at the start
        if (!dialog) {
            taken ? s.prompts.expectColor(color) : s.prompts.expectColorCancel();
            s.form.SpriteBox->surface().fill(Qt::red); // both views drawn again, even on cancel
            s.form.EditorBox->surface().fill(Qt::red);
            Session::click(s.form.BtCol[field]);
            QTest::mouseDClick(s.form.BtCol[field], Qt::LeftButton);
            QTest::mouseRelease(s.form.BtCol[field], Qt::LeftButton);
            QCOMPARE(s.prompts.colorsOffered, QList<ColorRef>{colors.palette[field]});
            if (taken) colors.palette[field] = color;
            for (int i = 0; i < 4; ++i)
                QVERIFY(shows(s.form.BtCol[i], colors.palette[i], 1));
            QVERIFY(shows(s.form.ShpCol, colors.palette[field]));
            Session::move(s.form.BtCol[field], {5, 5});
            QCOMPARE(s.status(), hover);
        }
        const QList<ColorRef> before{colors.grid, colors.selection, colors.empty};
        const QList<ColorRef> chosen{rgbColor(0, 0, 128), rgbColor(255, 0, 0),
                                     rgbColor(255, 255, 0)};
        const QList<ColorRef>& stored = taken ? chosen : before;
        // The dialog opens showing `shown` in its grid, selection and empty swatches (made in
        // that order), the focus on Cancle, the main window disabled.
        const auto open = [&s](const QList<ColorRef>& shown) {
            Session::click(s.form.BtOptions);
            FormOptions* dialog = s.form.optionsDialog();
            QVERIFY(dialog && QTest::qWaitForWindowActive(dialog) && !s.form.isEnabled());
            QCOMPARE(QApplication::focusWidget(), dialog->BtAbort);
            for (int i = 0; i < 3; ++i)
                QVERIFY(shows(dialog->findChildren<ColorField*>()[i], shown[i], 1));
        };
        if (dialog) {
            open(before);
            FormOptions* options = s.form.optionsDialog();
            const QList<ColorField*> swatches = options->findChildren<ColorField*>();
            for (int i = 0; i < 3; ++i) {
                s.prompts.expectColor(chosen[i]);
                Session::click(swatches[i]);
                QVERIFY(shows(swatches[i], chosen[i], 1));
            }
            QCOMPARE(s.prompts.colorsOffered, before);
            if (close == 0) Session::click(options->BtOk);
            if (close == 1) Session::click(options->BtAbort);
            if (close == 2) QVERIFY(options->close());
            if (close == 4) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            if (close >= 3) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QVERIFY(!options->isVisible() && s.form.isEnabled());
            colors = {.grid = stored[0], .selection = stored[1], .empty = stored[2]};
            open(stored);
            Session::click(options->BtAbort);
        }
        const BrowserPicture browser{.grid = dialog, .markColumn = !dialog, .colors = colors};
        COMPARE_PICTURE(s.browser(), expectedBrowser(bytes, browser), "browser");
        const EditorTileArray tiles{TileRecord{decodeByHand(bytes, 16), 16}};
        // Zoom 3, cell 1 selected.
        COMPARE_PICTURE(s.editor(), expectedEditor(tiles, {3, dialog, 1, 0, dialog, colors}),
                        "editor");
        VERIFY_PROMPTS(s.prompts);
    }
};

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
