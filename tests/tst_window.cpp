// The main window as a whole: how it starts, the help box, ending the program, the keys that
// stand for buttons, the keyboard focus order and the names the controls give assistive tools.
#include "session.h"
#include "ui/palette/formoptions.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QUrl>

namespace {

// The window's shortcuts are live only while it is the active window.
bool activate(Session& s) {
    s.form.activateWindow();
    return QTest::qWaitForWindowActive(&s.form);
}

// Whether `widget`, as the window shows it, holds the 16 x 16 picture `name` unscaled somewhere:
// every opaque pixel of the picture at one place.
bool showsPicture(QWidget* widget, const QString& name) {
    const QImage shown = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage picture(QStringLiteral(":/icons/%1.png").arg(name));
    const auto at = [&](int left, int top) {
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (qAlpha(picture.pixel(x, y)) == 255 &&
                    shown.pixel(left + x, top + y) != picture.pixel(x, y))
                    return false;
        return true;
    };
    for (int top = 0; top + picture.height() <= shown.height(); ++top)
        for (int left = 0; left + picture.width() <= shown.width(); ++left)
            if (at(left, top)) return !picture.isNull();
    return false;
}

} // namespace

class TestWindow : public QObject {
    Q_OBJECT
  private slots:
    // How the window starts: what it shows, the names its controls give assistive tools (their
    // tooltips), the keyboard focus order (of the three tool buttons only the chosen one is a
    // Tab stop), and the help box, from the button and F1, naming the guide, which exists.
    void freshStart() {
        Session s;
        FormMain& f = s.form;
        QCOMPARE(f.windowTitle(), expected::kCaption);
        COMPARE_PICTURE(s.browser(), expectedGreyBrowser(), "browser");
        COMPARE_PICTURE(s.editor(), expectedEditor({}, {}), "editor");
        // Start-up chooses offset "0", which writes the top address in its signed form.
        QCOMPARE(f.TextAddress->text(), " 0");
        QCOMPARE(f.TextEditAddress->text(), "0");
        QVERIFY2(s.status().startsWith(expected::kCaption), qPrintable(s.status()));
        QVERIFY(f.OptionSelect->isChecked());
        for (GraphicButton* box : {f.OptionPaint, f.OptionFill, f.ChkGrid, f.ChkGridEditor,
                                   f.ChkNoncopied, f.ChkWriteProtected, f.ChkFlipX, f.ChkFlipY})
            QVERIFY2(!box->isChecked(), qPrintable(box->toolTip()));
        int named = 0; // 27 buttons and boxes, two address fields, the offset list
        for (const QWidget* w : f.findChildren<QWidget*>()) {
            if (w->toolTip().isEmpty() || qobject_cast<const QGroupBox*>(w)) continue;
            QCOMPARE(w->accessibleName(), w->toolTip());
            ++named;
        }
        QCOMPARE(named, 30);
        QVERIFY(activate(s));
        // clang-format off
        const QList<QWidget*> order{
            f.SpriteBox, f.SpriteScroll, f.BtJumpAdd, f.TextAddress, f.ChkGrid, f.BtEditClear,
            f.BtEditZoomOut, f.BtEditZoomIn, f.EditorBox, f.BtSaveEdit, f.ComboDivert, f.BtReload,
            f.ChkGridEditor, f.OptionSelect, f.BtBrowZoomOut, f.BtBrowZoomIn, f.BtOpenFile,
            f.BtCloseFile, f.BtOptions, f.BtExit, f.Bthelp, f.BtDeleteSprite, f.ChkNoncopied,
            f.ChkWriteProtected, f.ChkFlipX, f.ChkFlipY, f.SaveTile, f.TextEditAddress,
            f.BtReloadTile, f.BtCopyToAddress, f.BtCopySelTile};
        // clang-format on
        QCOMPARE(order.indexOf(QApplication::focusWidget()), 0);
        for (qsizetype i = 1; i <= order.size(); ++i) {
            s.key(Qt::Key_Tab);
            QCOMPARE(order.indexOf(QApplication::focusWidget()), i % order.size());
        }
        s.prompts.anyBox = [](const MessageSpec&) { return MsgAnswer::Ok; };
        Session::click(s.form.Bthelp);
        s.key(Qt::Key_F1);
        QCOMPARE(s.prompts.shown.size(), 2);
        QCOMPARE(s.prompts.shown[1], s.prompts.shown[0]);
        MessageSpec box = s.prompts.shown[0];
        box.details.clear();
        QCOMPARE(box, expected::refusal(box.text, "Help"));
        QVERIFY2(box.text.startsWith("Go to file:///"), qPrintable(box.text));
        const QFileInfo guide(QUrl(box.text.mid(6)).toLocalFile());
        QCOMPARE(guide.fileName(), "README.md");
        QVERIFY2(guide.isFile(), qPrintable(box.text));
        // Its details list the keys: the window's shortcuts, each once, then the two boxes'.
        QStringList shortcuts;
        for (const QShortcut* shortcut : f.findChildren<QShortcut*>())
            shortcuts << shortcut->key().toString(QKeySequence::PortableText);
        QStringList listed;
        for (const QString& section : s.prompts.shown[0].details.split("\n\n")) {
            listed << section.section(u'\n', 0, 0);
            for (const QString& line : section.split(u'\n').mid(1))
                listed << line.section(QStringLiteral(": "), 0, 0);
        }
        std::sort(shortcuts.begin(), shortcuts.end());
        std::sort(listed.begin() + 1, listed.begin() + 1 + shortcuts.size());
        const QStringList boxes =
            QStringLiteral("Keys on the browser (click it first):|Up|Down|PgUp|PgDown|Home|End|"
                           "Keys on the editor (click it first):|Left|Right|Up|Down")
                .split(u'|');
        QCOMPARE(listed, QStringList{"Keys in the window:"} + shortcuts + boxes);
    }

    // A file open, unsaved changes in the editor: the program ends all the same,
    // asking nothing.
    void exit_data() {
        rows(Row<int>{"Exit button", 0}, Row<int>{"close box", 1}, Row<int>{"Ctrl+Q", 2});
    }
    void exit() {
        const auto [how] = fetch<int>();
        Session s;
        QList<int> ended;
        s.form.setEndProgram([&ended](int status) { ended << status; });
        QVERIFY(activate(s));
        const QByteArray bytes = randomBytes(1024, 1);
        s.open(bytes);
        s.copyToEditor(1, 0);
        s.fill(0, 0, 3);
        if (how == 0) Session::click(s.form.BtExit);
        if (how == 1) QVERIFY(s.form.close());
        if (how == 2) QTest::keyPress(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(ended, QList<int>{0});
        QVERIFY(!s.form.isVisible());
        QCOMPARE(s.onDisk(), bytes);
        VERIFY_PROMPTS(s.prompts);
    }

    // The open dialogs, of a ROM file and of a picture, start in the folder of the last file
    // opened in this run (the open file's, while one is open), else in the home folder; a file
    // refused does not count.
    void openDialogsStartNearTheLastFile() {
        Session s;
        QVERIFY(activate(s));
        const QString home = QDir::homePath(), first = s.dir.path(), other = s.dir.filePath("b");
        QVERIFY(QDir(first).mkdir("b"));
        s.prompts.expectOpen({});
        s.key(Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(s.prompts.filters, QStringList{expected::kOpenFilter});
        s.open(randomBytes(64, 1));
        s.prompts.anyBox = [](const MessageSpec&) { return MsgAnswer::Ok; };
        s.openPath(other + "/none.gb"); // refused
        s.open(randomBytes(64, 2), "b/rom.gb");
        s.prompts.expectOpen({});
        s.key(Qt::Key_I, Qt::ControlModifier);
        Session::click(s.form.BtCloseFile);
        s.prompts.expectOpen({});
        Session::click(s.form.BtOpenFile);
        QCOMPARE(s.prompts.startFolders, QStringList({home, home, first, first, other, other}));
        VERIFY_PROMPTS(s.prompts);
    }
    // The rest of what the window shows at start, beside the two views: each button's picture
    // (a box's other one while ticked), the frame round each colour field of the options dialog,
    // and the dialog's two buttons at their places.
    void looksAsDesigned() {
        Session s;
        FormMain& f = s.form;
        const QList<std::tuple<GraphicButton*, QString, QString>> buttons{
            {f.BtOpenFile, "open", ""},
            {f.BtCloseFile, "close", ""},
            {f.BtExit, "exit", ""},
            {f.ChkGrid, "grid_off", "grid_on"},
            {f.BtBrowZoomIn, "zoom_in", ""},
            {f.BtBrowZoomOut, "zoom_out", ""},
            {f.BtOptions, "options", ""},
            {f.BtJumpAdd, "jump", ""},
            {f.OptionPaint, "paint", "paint"},
            {f.OptionFill, "fill", "fill"},
            {f.BtSaveEdit, "save_all", ""},
            {f.BtReload, "reload_all", ""},
            {f.BtEditClear, "clear_all", ""},
            {f.ChkGridEditor, "grid_off", "grid_on"},
            {f.BtEditZoomOut, "zoom_in", ""},
            {f.BtEditZoomIn, "zoom_out", ""},
            {f.ChkNoncopied, "noncopied_show", "noncopied_hide"},
            {f.BtDeleteSprite, "clear_one", ""},
            {f.SaveTile, "save", ""},
            {f.BtReloadTile, "reload_one", ""},
            {f.BtCopySelTile, "copy_to_browser", ""},
            {f.BtCopyToAddress, "copy_to_address", ""},
            {f.ChkWriteProtected, "lock_open", "lock_closed"},
            {f.ChkFlipX, "f_normal", "f_mirror_x"},
            {f.ChkFlipY, "f_normal", "f_mirror_y"},
            {f.Bthelp, "help", ""}};
        QCOMPARE(buttons.size() + 1, f.findChildren<GraphicButton*>().size());
        QVERIFY(showsPicture(f.OptionSelect, "select"));
        for (const auto& [button, picture, ticked] : buttons) {
            QVERIFY2(showsPicture(button, picture), qPrintable(picture));
            if (ticked.isEmpty()) continue;
            Session::click(button);
            QVERIFY2(button->isChecked() && showsPicture(button, ticked), qPrintable(ticked));
        }
        Session::click(f.BtOptions);
        FormOptions* dialog = f.optionsDialog();
        QVERIFY(dialog && QTest::qWaitForWindowActive(dialog));
        QCOMPARE(dialog->BtOk->geometry(), QRect(8, 80, 137, 25));
        QCOMPARE(dialog->BtAbort->geometry(), QRect(152, 80, 129, 25));
        for (ColorField* field : dialog->findChildren<ColorField*>()) {
            const QImage shown = field->grab().toImage();
            const QRgb frame = field->palette().color(QPalette::WindowText).rgb();
            QCOMPARE(shown.size(), QSize(81, 25));
            for (const QPoint corner : {QPoint(0, 0), QPoint(80, 24)})
                QCOMPARE(shown.pixel(corner), frame);
        }
        Session::click(dialog->BtAbort);
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
