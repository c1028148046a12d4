// The main window as a user first sees it: caption, size, every control's place, tooltip and
// start state, the focus order, the help box and the ways out of the program.
#include "pictures.h"
#include "romfiles.h"
#include "scriptedprompts.h"
#include "ui/app/formmain.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/picturebox.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <functional>

namespace {

const QString kCaption = QStringLiteral("Dorvane's Pelorin 0.22");

// Answers the message boxes itself and only records them, for boxes whose text holds a part
// that the test can not know in full (a path of the installation, a reason of the system).
class RecordingPrompts : public ScriptedPrompts {
  public:
    bool recordOnly = false;
    MsgAnswer messageBox(const MessageSpec& message) override {
        if (!recordOnly) return ScriptedPrompts::messageBox(message);
        shown << message;
        return message.buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
    }
};

// Every control that a user can see or reach, under its name.
QWidget* control(FormMain& f, const QString& name) {
    static const QHash<QString, std::function<QWidget*(FormMain&)>> controls = {
        {"Frame1", [](FormMain& m) -> QWidget* { return m.Frame1; }},
        {"Frame2", [](FormMain& m) -> QWidget* { return m.Frame2; }},
        {"Frame3", [](FormMain& m) -> QWidget* { return m.Frame3; }},
        {"Frame4", [](FormMain& m) -> QWidget* { return m.Frame4; }},
        {"Frame5", [](FormMain& m) -> QWidget* { return m.Frame5; }},
        {"BtOpenFile", [](FormMain& m) -> QWidget* { return m.BtOpenFile; }},
        {"BtCloseFile", [](FormMain& m) -> QWidget* { return m.BtCloseFile; }},
        {"BtExit", [](FormMain& m) -> QWidget* { return m.BtExit; }},
        {"BtOptions", [](FormMain& m) -> QWidget* { return m.BtOptions; }},
        {"ChkGrid", [](FormMain& m) -> QWidget* { return m.ChkGrid; }},
        {"BtBrowZoomIn", [](FormMain& m) -> QWidget* { return m.BtBrowZoomIn; }},
        {"BtBrowZoomOut", [](FormMain& m) -> QWidget* { return m.BtBrowZoomOut; }},
        {"TextAddress", [](FormMain& m) -> QWidget* { return m.TextAddress; }},
        {"BtJumpAdd", [](FormMain& m) -> QWidget* { return m.BtJumpAdd; }},
        {"ComboDivert", [](FormMain& m) -> QWidget* { return m.ComboDivert; }},
        {"SpriteBox", [](FormMain& m) -> QWidget* { return m.SpriteBox; }},
        {"SpriteScroll", [](FormMain& m) -> QWidget* { return m.SpriteScroll; }},
        {"OptionSelect", [](FormMain& m) -> QWidget* { return m.OptionSelect; }},
        {"OptionPaint", [](FormMain& m) -> QWidget* { return m.OptionPaint; }},
        {"OptionFill", [](FormMain& m) -> QWidget* { return m.OptionFill; }},
        {"BtSaveEdit", [](FormMain& m) -> QWidget* { return m.BtSaveEdit; }},
        {"BtReload", [](FormMain& m) -> QWidget* { return m.BtReload; }},
        {"BtEditClear", [](FormMain& m) -> QWidget* { return m.BtEditClear; }},
        {"ChkGridEditor", [](FormMain& m) -> QWidget* { return m.ChkGridEditor; }},
        {"BtEditZoomOut", [](FormMain& m) -> QWidget* { return m.BtEditZoomOut; }},
        {"BtEditZoomIn", [](FormMain& m) -> QWidget* { return m.BtEditZoomIn; }},
        {"ChkNoncopied", [](FormMain& m) -> QWidget* { return m.ChkNoncopied; }},
        {"BtDeleteSprite", [](FormMain& m) -> QWidget* { return m.BtDeleteSprite; }},
        {"SaveTile", [](FormMain& m) -> QWidget* { return m.SaveTile; }},
        {"BtReloadTile", [](FormMain& m) -> QWidget* { return m.BtReloadTile; }},
        {"BtCopySelTile", [](FormMain& m) -> QWidget* { return m.BtCopySelTile; }},
        {"BtCopyToAddress", [](FormMain& m) -> QWidget* { return m.BtCopyToAddress; }},
        {"TextEditAddress", [](FormMain& m) -> QWidget* { return m.TextEditAddress; }},
        {"ChkWriteProtected", [](FormMain& m) -> QWidget* { return m.ChkWriteProtected; }},
        {"ChkFlipX", [](FormMain& m) -> QWidget* { return m.ChkFlipX; }},
        {"ChkFlipY", [](FormMain& m) -> QWidget* { return m.ChkFlipY; }},
        {"EditorBox", [](FormMain& m) -> QWidget* { return m.EditorBox; }},
        {"ShpCol", [](FormMain& m) -> QWidget* { return m.ShpCol; }},
        {"BtCol(0)", [](FormMain& m) -> QWidget* { return m.BtCol[0]; }},
        {"BtCol(1)", [](FormMain& m) -> QWidget* { return m.BtCol[1]; }},
        {"BtCol(2)", [](FormMain& m) -> QWidget* { return m.BtCol[2]; }},
        {"BtCol(3)", [](FormMain& m) -> QWidget* { return m.BtCol[3]; }},
        {"LbStatus", [](FormMain& m) -> QWidget* { return m.LbStatus; }},
        {"Bthelp", [](FormMain& m) -> QWidget* { return m.Bthelp; }},
    };
    const auto it = controls.find(name);
    return it == controls.end() ? nullptr : it.value()(f);
}

QWidget* container(FormMain& f, const QString& name) {
    return name == QLatin1String("window") ? &f : control(f, name);
}

const QStringList kButtons = {
    "BtOpenFile",    "BtCloseFile",   "BtExit",          "BtOptions",         "ChkGrid",
    "BtBrowZoomIn",  "BtBrowZoomOut", "BtJumpAdd",       "OptionSelect",      "OptionPaint",
    "OptionFill",    "BtSaveEdit",    "BtReload",        "BtEditClear",       "ChkGridEditor",
    "BtEditZoomOut", "BtEditZoomIn",  "ChkNoncopied",    "BtDeleteSprite",    "SaveTile",
    "BtReloadTile",  "BtCopySelTile", "BtCopyToAddress", "ChkWriteProtected", "ChkFlipX",
    "ChkFlipY",      "Bthelp"};

const QStringList kCheckBoxes = {"ChkGrid",           "ChkGridEditor", "ChkNoncopied",
                                 "ChkWriteProtected", "ChkFlipX",      "ChkFlipY"};

const QStringList kFocusOrder = {
    "SpriteBox",         "SpriteScroll",    "BtJumpAdd",     "TextAddress",    "ChkGrid",
    "BtEditClear",       "BtEditZoomOut",   "BtEditZoomIn",  "EditorBox",      "BtSaveEdit",
    "ComboDivert",       "BtReload",        "ChkGridEditor", "OptionSelect",   "OptionPaint",
    "OptionFill",        "BtBrowZoomOut",   "BtBrowZoomIn",  "BtOpenFile",     "BtCloseFile",
    "BtOptions",         "BtExit",          "Bthelp",        "BtDeleteSprite", "ChkNoncopied",
    "ChkWriteProtected", "ChkFlipX",        "ChkFlipY",      "SaveTile",       "TextEditAddress",
    "BtReloadTile",      "BtCopyToAddress", "BtCopySelTile"};

// A picture shows something when it has at least two colours.
bool showsSomething(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> colors;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colors.insert(image.pixel(x, y));
    return colors.size() >= 2;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
  private slots:
    void captionAndClientSize() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        QCOMPARE(form.windowTitle(), QStringLiteral("Dorvane's Pelorin 0.22"));
        QCOMPARE(form.size(), QSize(525, 546));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.size(), QSize(525, 546));
        QCOMPARE(form.windowTitle(), kCaption);
        VERIFY_PROMPTS(prompts);
    }

    void controlGeometry_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("containerName");
        QTest::addColumn<QRect>("geometry");
        const auto row = [](const char* name, const char* in, QRect r) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(in) << r;
        };
        row("Frame1", "window", {0, 0, 249, 97});
        row("BtOpenFile", "Frame1", {8, 16, 29, 29});
        row("BtCloseFile", "Frame1", {40, 16, 29, 29});
        row("BtExit", "Frame1", {72, 16, 29, 29});
        row("BtOptions", "window", {104, 16, 29, 29});
        row("ChkGrid", "Frame1", {144, 16, 29, 29});
        row("BtBrowZoomIn", "Frame1", {176, 16, 29, 29});
        row("BtBrowZoomOut", "Frame1", {208, 16, 29, 29});
        row("TextAddress", "window", {8, 56, 121, 27});
        row("BtJumpAdd", "window", {136, 56, 29, 29});
        row("ComboDivert", "Frame1", {168, 56, 65, 28});
        row("SpriteBox", "window", {0, 104, 233, 401});
        // 20 twips right of the browser box: (3495 + 20) / 15 = 234.3.
        row("SpriteScroll", "window", {234, 104, 17, 401});
        row("Frame4", "window", {256, 0, 113, 169});
        row("OptionSelect", "Frame4", {8, 16, 29, 29});
        row("OptionPaint", "Frame4", {40, 16, 29, 29});
        row("OptionFill", "Frame4", {72, 16, 29, 29});
        row("BtSaveEdit", "Frame4", {8, 56, 29, 29});
        row("BtReload", "Frame4", {40, 56, 29, 29});
        row("BtEditClear", "Frame4", {72, 56, 29, 28});
        row("ChkGridEditor", "Frame4", {8, 96, 29, 29});
        row("BtEditZoomOut", "Frame4", {40, 96, 29, 29});
        row("BtEditZoomIn", "Frame4", {72, 96, 29, 29});
        row("ChkNoncopied", "Frame4", {40, 128, 29, 29});
        row("Frame5", "window", {376, 0, 145, 169});
        row("BtDeleteSprite", "Frame5", {8, 16, 29, 29});
        row("SaveTile", "Frame5", {56, 16, 29, 29});
        row("BtReloadTile", "Frame5", {104, 16, 29, 29});
        row("BtCopySelTile", "Frame5", {8, 56, 29, 29});
        row("BtCopyToAddress", "Frame5", {104, 56, 29, 29});
        row("TextEditAddress", "Frame5", {8, 88, 121, 27});
        row("ChkWriteProtected", "Frame5", {8, 128, 29, 29});
        row("ChkFlipX", "Frame5", {56, 128, 29, 29});
        row("ChkFlipY", "Frame5", {104, 128, 29, 29});
        row("EditorBox", "window", {256, 176, 265, 249});
        row("Frame3", "window", {256, 432, 265, 73});
        row("ShpCol", "Frame3", {8, 16, 249, 17});
        row("BtCol(0)", "Frame3", {8, 40, 57, 25});
        row("BtCol(1)", "Frame3", {72, 40, 57, 25});
        row("BtCol(2)", "Frame3", {136, 40, 57, 25});
        row("BtCol(3)", "Frame3", {200, 40, 57, 25});
        row("Frame2", "window", {0, 504, 489, 41});
        row("LbStatus", "Frame2", {8, 16, 473, 17});
        row("Bthelp", "window", {496, 512, 29, 29});
    }
    void controlGeometry() {
        QFETCH(QString, name);
        QFETCH(QString, containerName);
        QFETCH(QRect, geometry);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QWidget* widget = control(form, name);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget(), container(form, containerName));
        QCOMPARE(widget->geometry(), geometry);
        QVERIFY(widget->isVisible());
        // The window can not be made larger or smaller, and nothing moves when asked to.
        form.resize(800, 700);
        QTest::qWait(0);
        QCOMPARE(form.size(), QSize(525, 546));
        QCOMPARE(widget->geometry(), geometry);
        VERIFY_PROMPTS(prompts);
    }

    void windowHasFixedSize() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        QCOMPARE(form.minimumSize(), QSize(525, 546));
        QCOMPARE(form.maximumSize(), QSize(525, 546));
    }

    void browserDrawingArea() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        // The sunken border takes two pixels on each side.
        QCOMPARE(form.SpriteBox->scaleWidth(), 229);
        QCOMPARE(form.SpriteBox->scaleHeight(), 397);
        QCOMPARE(form.SpriteBox->surface().size(), QSize(229, 397));
    }

    void tooltip_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tooltip");
        const auto row = [](const char* name, const char* tip) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(tip);
        };
        row("BtOpenFile", "Open a file");
        row("BtCloseFile", "Close file");
        row("BtExit", "Exit");
        row("BtOptions", "Options");
        row("ChkGrid", "Grid on/off");
        row("BtBrowZoomIn", "Zoom in");
        row("BtBrowZoomOut", "Zoom out");
        row("TextAddress", "Address");
        row("BtJumpAdd", "Jump to address");
        row("ComboDivert", "Add to address");
        row("Frame4", "Switch to 'Selection' mode");
        row("OptionSelect", "Switch to 'Select' mode");
        row("OptionPaint", "Switch to 'Paint' mode");
        row("OptionFill", "Switch to 'Fill' mode");
        row("BtSaveEdit", "Save all tiles to file");
        row("BtReload", "Reload all tiles");
        row("BtEditClear", "Clear all tiles");
        row("ChkGridEditor", "Grid on/off");
        row("BtEditZoomOut", "Zoom in");
        row("BtEditZoomIn", "Zoom out");
        row("ChkNoncopied", "Show/hide noncopied tiles");
        row("BtDeleteSprite", "Clear the selected tile");
        row("SaveTile", "Save the selected tile to file");
        row("BtReloadTile", "Reload the selected tile to file");
        row("BtCopySelTile", "Copy selected tile to the selected position in the browser");
        row("BtCopyToAddress", "Copy selected tile to the address beneath");
        row("TextEditAddress", "Address of selected tile");
        row("ChkWriteProtected", "Turn on/off the writeprotection the selected tile");
        row("ChkFlipX", "Mirrow the selected tile");
        row("ChkFlipY", "Turn the tile upsidedown");
    }
    void tooltip() {
        QFETCH(QString, name);
        QFETCH(QString, tooltip);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        QWidget* widget = control(form, name);
        QVERIFY(widget);
        QCOMPARE(widget->toolTip(), tooltip);
    }

    void helpButtonTooltipNamesWhatItDoes() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        // Its wording is ours; it must speak of help or of the guide the box points to.
        const QString tip = form.Bthelp->toolTip();
        QVERIFY2(tip.contains(QLatin1String("guide"), Qt::CaseInsensitive) ||
                     tip.contains(QLatin1String("help"), Qt::CaseInsensitive),
                 qPrintable(tip));
    }

    void frameCaptions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Frame1") << "Frame1"
                                << "Browser Control";
        QTest::newRow("Frame2") << "Frame2"
                                << "Info";
        QTest::newRow("Frame3") << "Frame3"
                                << "Colors";
        QTest::newRow("Frame4") << "Frame4"
                                << "Editor Control";
        QTest::newRow("Frame5") << "Frame5"
                                << "Tile Control";
    }
    void frameCaptions() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        auto* frame = qobject_cast<QGroupBox*>(control(form, name));
        QVERIFY(frame);
        QCOMPARE(frame->title(), caption);
    }

    void startState() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        for (const QString& name : kCheckBoxes) {
            auto* box = qobject_cast<QAbstractButton*>(control(form, name));
            QVERIFY2(box && box->isCheckable(), qPrintable(name));
            QVERIFY2(!box->isChecked(), qPrintable(name));
        }
        QVERIFY(form.OptionSelect->isCheckable());
        QVERIFY(form.OptionSelect->isChecked());
        QVERIFY(!form.OptionPaint->isChecked());
        QVERIFY(!form.OptionFill->isChecked());
        // Start-up chooses offset entry "0", which writes the top address 0 in signed form.
        QCOMPARE(form.TextAddress->text(), QStringLiteral(" 0"));
        QCOMPARE(form.TextEditAddress->text(), QStringLiteral("0"));
        QCOMPARE(form.ComboDivert->currentText(), QStringLiteral("0"));
        QCOMPARE(form.ComboDivert->currentIndex(), 0);
        QStringList entries;
        for (int i = 0; i < form.ComboDivert->count(); ++i)
            entries << form.ComboDivert->itemText(i);
        QCOMPARE(entries, (QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11",
                                       "12", "13", "14", "15"}));
        QCOMPARE(form.SpriteScroll->minimum(), 0);
        QCOMPARE(form.SpriteScroll->maximum(), 1024);
        QCOMPARE(form.SpriteScroll->value(), 0);
        QCOMPARE(form.SpriteScroll->orientation(), Qt::Vertical);
        VERIFY_PROMPTS(prompts);
    }

    void optionButtonsFormOneExclusiveGroup() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        form.OptionPaint->click();
        QVERIFY(form.OptionPaint->isChecked());
        QVERIFY(!form.OptionSelect->isChecked());
        QVERIFY(!form.OptionFill->isChecked());
        form.OptionFill->click();
        QVERIFY(form.OptionFill->isChecked());
        QVERIFY(!form.OptionPaint->isChecked());
        // Clicking the chosen one again keeps it chosen.
        form.OptionFill->click();
        QVERIFY(form.OptionFill->isChecked());
        VERIFY_PROMPTS(prompts);
    }

    void startSettings() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        const FormMainState& s = form.state();
        QCOMPARE(s.AppTitle, kCaption);
        QCOMPARE(s.BrowserZoom, 3);
        QCOMPARE(int(s.BrowserCellSize), 8);
        // 229 / 24 = 9.54 and 397 / 24 = 16.5: ten columns and seventeen rows.
        QCOMPARE(int(s.BrowserColumns), 10);
        QCOMPARE(int(s.BrowserRows), 17);
        QCOMPARE(s.BrowserTopAddress, 0);
        QCOMPARE(s.BrowserSelColumn, 0);
        QCOMPARE(int(s.BrowserSelRow), 0);
        QCOMPARE(s.BrowserSelAddress, 0);
        QCOMPARE(s.RomFileOpen, false);
        QCOMPARE(s.RomFileLength, 0);
        QVERIFY(s.RomFilePath.isEmpty());
        QCOMPARE(int(s.EditorZoom), 3);
        QCOMPARE(int(s.EditorCellSize), 8);
        QCOMPARE(int(s.CurrentColor), 0);
        QCOMPARE(s.PaletteColors[0], ColorRef(0x0080FFFF));
        QCOMPARE(s.PaletteColors[1], ColorRef(0x0060B5B5));
        QCOMPARE(s.PaletteColors[2], ColorRef(0x00408080));
        QCOMPARE(s.PaletteColors[3], ColorRef(0x00204040));
        QCOMPARE(s.PaletteColors[4], ColorRef(0x00BFBFBF));
        QCOMPARE(s.OptionColors[0], ColorRef(0x00000000));
        QCOMPARE(s.OptionColors[1], ColorRef(0x00FFFFFF));
        QCOMPARE(s.OptionColors[2], ColorRef(0x00BFBFBF));
    }

    void startBrowserIsGrey() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedGreyBrowser(), "start-grey");
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedGreyBrowser(), "start-grey-shown");
    }

    void creditLine() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        const QString credit = form.LbStatus->text();
        QVERIFY2(credit.contains(QLatin1String("Pelorin")), qPrintable(credit));
        QVERIFY2(credit.contains(QLatin1String("0.22")), qPrintable(credit));
        QVERIFY2(credit.contains(QLatin1String("Dorvane")), qPrintable(credit));
        QVERIFY2(!credit.contains(u'\n') && !credit.contains(u'\r'), qPrintable(credit));
    }

    void focusChainFollowsTheDesignedOrder() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        QHash<QWidget*, QString> byWidget;
        for (const QString& name : kFocusOrder)
            byWidget.insert(control(form, name), name);
        // Every widget that the Tab key can reach, in the order of the chain.
        QStringList reached;
        QWidget* w = form.SpriteBox;
        do {
            if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->window() == &form &&
                w != &form)
                reached << byWidget.value(
                    w, QStringLiteral("<%1>").arg(QLatin1String(w->metaObject()->className())));
            w = w->nextInFocusChain();
        } while (w && w != form.SpriteBox && reached.size() < 200);
        QStringList withoutScroll = kFocusOrder;
        withoutScroll.removeAll(QStringLiteral("SpriteScroll"));
        QCOMPARE(
            QStringList(reached).filter(QRegularExpression(QStringLiteral("^(?!SpriteScroll$)"))),
            withoutScroll);
        QCOMPARE(reached, kFocusOrder);
    }

    void tabKeyWalksTheDesignedOrder() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form.SpriteBox));
        QHash<QWidget*, QString> byWidget;
        for (const QString& name : kFocusOrder)
            byWidget.insert(control(form, name), name);
        // Tab from the browser box until the focus comes round to it again.
        QStringList walked{QStringLiteral("SpriteBox")};
        for (int i = 0; i < 60; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* now = QApplication::focusWidget();
            if (now == form.SpriteBox) break;
            walked << (now ? byWidget.value(now, QStringLiteral("<%1>").arg(
                                                     QLatin1String(now->metaObject()->className())))
                           : QStringLiteral("<none>"));
            if (!now) break;
        }
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form.SpriteBox));
        // Of the three option buttons only the chosen one is a Tab stop; the arrow keys move
        // within the group.
        QStringList expected = kFocusOrder;
        expected.removeAll(QStringLiteral("OptionPaint"));
        expected.removeAll(QStringLiteral("OptionFill"));
        QStringList withoutScroll = expected;
        withoutScroll.removeAll(QStringLiteral("SpriteScroll"));
        QCOMPARE(
            QStringList(walked).filter(QRegularExpression(QStringLiteral("^(?!SpriteScroll$)"))),
            withoutScroll);
        QCOMPARE(walked, expected);
        VERIFY_PROMPTS(prompts);
    }

    void buttonsCarryNoCaption() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        // Buttons show a picture only, never a caption.
        for (const QString& name : kButtons) {
            auto* button = qobject_cast<QAbstractButton*>(control(form, name));
            QVERIFY2(button, qPrintable(name));
            QVERIFY2(button->text().isEmpty(), qPrintable(name + QLatin1String(": has a caption")));
        }
    }

    void everyButtonShowsAPicture_data() {
        QTest::addColumn<QString>("name");
        for (const QString& name : kButtons)
            QTest::newRow(qPrintable(name)) << name;
    }
    void everyButtonShowsAPicture() {
        QFETCH(QString, name);
        if (!QFile::exists(QStringLiteral(":/icons/open.png")))
            QSKIP("the button pictures are not compiled in yet");
        ScriptedPrompts prompts;
        FormMain form(prompts);
        auto* button = qobject_cast<QAbstractButton*>(control(form, name));
        QVERIFY(button);
        QCOMPARE(button->iconSize(), QSize(16, 16));
        const QIcon icon = button->icon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes(QIcon::Normal, QIcon::Off).contains(QSize(16, 16)));
        const QPixmap off = icon.pixmap(QSize(16, 16), QIcon::Normal, QIcon::Off);
        QVERIFY(!off.isNull());
        QCOMPARE(off.size(), QSize(16, 16));
        QVERIFY2(showsSomething(off), "the picture is one flat colour");
        if (kCheckBoxes.contains(name)) {
            // A ticked box shows its second picture.
            QVERIFY(icon.availableSizes(QIcon::Normal, QIcon::On).contains(QSize(16, 16)));
            const QPixmap on = icon.pixmap(QSize(16, 16), QIcon::Normal, QIcon::On);
            QVERIFY(!on.isNull());
            QVERIFY(showsSomething(on));
            QVERIFY2(on.toImage() != off.toImage(), "ticked and not ticked look the same");
        }
    }

    void windowHasItsIcon() {
        if (!QFile::exists(QStringLiteral(":/icons/open.png")))
            QSKIP("the pictures are not compiled in yet");
        ScriptedPrompts prompts;
        FormMain form(prompts);
        QVERIFY(!form.windowIcon().isNull());
        QVERIFY(!form.windowIcon().pixmap(QSize(32, 32)).isNull());
    }

    void helpShowsOneBoxAndChangesNothing() {
        RecordingPrompts prompts;
        FormMain form(prompts);
        const QString titleBefore = form.windowTitle();
        const QString status = form.LbStatus->text();
        const QString address = form.TextAddress->text();
        const QImage browser = form.SpriteBox->surface().copy();
        const QImage editor = form.EditorBox->surface().copy();
        prompts.recordOnly = true;
        form.Bthelp_Click();
        prompts.recordOnly = false;
        QCOMPARE(prompts.shown.size(), 1);
        const MessageSpec box = prompts.shown.first();
        QVERIFY2(box.text.startsWith(QLatin1String("Go to file://")), qPrintable(box.text));
        QVERIFY2(box.text.endsWith(QLatin1String("README.md")), qPrintable(box.text));
        // The guide it names exists: from the build tree, the source tree's.
        const QString guide = QUrl(box.text.mid(6)).toLocalFile();
        QVERIFY2(QFileInfo(guide).isFile(), qPrintable(guide));
        QVERIFY2(!box.text.contains(u'\r'), qPrintable(box.text));
        QCOMPARE(box.title, QStringLiteral("Help"));
        QCOMPARE(box.buttons, MsgButtons::Ok);
        QCOMPARE(box.icon, MsgIcon::None);
        QCOMPARE(form.windowTitle(), titleBefore);
        QCOMPARE(form.LbStatus->text(), status);
        QCOMPARE(form.TextAddress->text(), address);
        COMPARE_PICTURE(form.SpriteBox->surface(), browser, "help-browser");
        COMPARE_PICTURE(form.EditorBox->surface(), editor, "help-editor");
        QCOMPARE(form.state().RomFileOpen, false);
        VERIFY_PROMPTS(prompts);
    }

    void helpButtonClickShowsTheBox() {
        RecordingPrompts prompts;
        FormMain form(prompts);
        prompts.recordOnly = true;
        form.Bthelp->click();
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown.first().title, QStringLiteral("Help"));
    }

    void zoomAndGridMoveTheMarkButKeepTheClickedAddress_data() {
        QTest::addColumn<QString>("change");
        QTest::newRow("browser zoom in") << "BtBrowZoomIn";
        QTest::newRow("browser zoom out") << "BtBrowZoomOut";
        QTest::newRow("browser grid") << "ChkGrid";
    }
    void zoomAndGridMoveTheMarkButKeepTheClickedAddress() {
        QFETCH(QString, change);
        QTemporaryDir dir;
        const QString path = writeRom(dir, "a.gb", randomBytes(4096, 11));
        ScriptedPrompts prompts;
        FormMain form(prompts);
        prompts.expectOpen(path);
        form.BtOpenFile_Click();
        // Zoom 3 without grid: 24 screen pixels a cell; (60, 80) is cell (2, 3).
        form.SpriteBox_MouseDown(1, 0, 60, 80);
        QCOMPARE(form.state().BrowserSelColumn, 2);
        QCOMPARE(int(form.state().BrowserSelRow), 3);
        QCOMPARE(form.state().BrowserSelAddress, 16 * (2 + 3 * 10));
        qobject_cast<QAbstractButton*>(control(form, change))->click();
        QCOMPARE(form.state().BrowserSelColumn, 0);
        QCOMPARE(int(form.state().BrowserSelRow), 0);
        QCOMPARE(form.state().BrowserSelAddress, 16 * (2 + 3 * 10));
        QCOMPARE(form.TextAddress->text(), QStringLiteral("512"));
        VERIFY_PROMPTS(prompts);
    }

    void exitButtonEndsWithStatusZero() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        QList<int> ended;
        form.setEndProgram([&](int rc) { ended << rc; });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.BtExit_Click();
        QCOMPARE(ended, QList<int>{0});
        VERIFY_PROMPTS(prompts);
    }

    void exitWithAFileOpenAsksNothing() {
        QTemporaryDir dir;
        const QString path = writeRom(dir, "a.gb", randomBytes(64, 3));
        ScriptedPrompts prompts;
        FormMain form(prompts);
        QList<int> ended;
        form.setEndProgram([&](int rc) { ended << rc; });
        prompts.expectOpen(path);
        form.BtOpenFile_Click();
        form.BtExit->click();
        QCOMPARE(ended, QList<int>{0});
        VERIFY_PROMPTS(prompts);
    }

    void closeBoxEndsWithStatusZero() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        QList<int> ended;
        form.setEndProgram([&](int rc) { ended << rc; });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(form.close());
        QCOMPARE(ended, QList<int>{0});
        QVERIFY(!form.isVisible());
        VERIFY_PROMPTS(prompts);
    }

    void exitEndsTheEventLoopWithStatusZero() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // The window must be what ends the loop, not closing the last window.
        QApplication::setQuitOnLastWindowClosed(false);
        QTimer::singleShot(0, &form, [&] { form.BtExit_Click(); });
        // A guard so that a broken exit fails instead of hanging.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        guard.start(20000);
        const int status = QApplication::exec();
        QApplication::setQuitOnLastWindowClosed(true);
        QCOMPARE(status, 0);
        VERIFY_PROMPTS(prompts);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
