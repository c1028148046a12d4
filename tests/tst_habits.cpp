// The keys and mouse habits of a desktop program: Enter in the address box, the wheel over the
// browser, the shortcuts for open, close, exit and help, a file dropped onto the window, the
// accessible names of the controls, and the sample file that comes with the program.
#include "pictures.h"
#include "romfiles.h"
#include "scriptedprompts.h"
#include "ui/app/formmain.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/picturebox.h"

#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>

#include <cmath>

namespace {

const QString kCaption = QStringLiteral("Dorvane's Pelorin 0.22");
const QString kOpenFilter = QStringLiteral(
    "Gameboy Roms (*.gb,*.gbc)|*.gb;*.gbc|Super Nintendo Roms (*.smc, *.sfc,*.fig)|*.smc; "
    "*.sfc;*.fig|All files (*.*)|*.*");
const QString kTooLarge =
    QStringLiteral("The address must be smaller than the length of the file.");

// Records every message box without a script, for the help box whose address the test can not
// know beforehand.
class RecordingPrompts : public ScriptedPrompts {
  public:
    MsgAnswer messageBox(const MessageSpec& message) override {
        shown << message;
        return MsgAnswer::Ok;
    }
};

// Shows the window and makes it the active one, so that its shortcuts are live.
bool showActive(FormMain& form) {
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return false;
    form.activateWindow();
    return QTest::qWaitForWindowActive(&form);
}

QWidget* focusWidgetNamed(FormMain& form, const QString& name) {
    if (name == QLatin1String("SpriteBox")) return form.SpriteBox;
    if (name == QLatin1String("TextAddress")) return form.TextAddress;
    if (name == QLatin1String("EditorBox")) return form.EditorBox;
    return nullptr;
}

// Gives `name` the keyboard focus and returns it, the widget that then receives the keys.
QWidget* focusOn(FormMain& form, const QString& name) {
    QWidget* target = focusWidgetNamed(form, name);
    if (!target) return nullptr;
    target->setFocus(Qt::OtherFocusReason);
    return QApplication::focusWidget() == target ? target : nullptr;
}

void turnWheel(PictureBox* box, int angle) {
    const QPointF inside(50, 50);
    QWheelEvent wheel(inside, box->mapToGlobal(inside), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &wheel);
}

// The top address the scroll bar gives: the thumb's share of the file, moved down to a
// multiple of 16 bytes per visible row, plus the offset.
qint64 scrolledTop(qint64 length, int value, int rows, int offset) {
    const double q = 16.0 * rows;
    return qint64(std::floor(double(length) / 1024.0 * value / q) * q) + offset;
}

QString sampleFile() {
    const QByteArray fromEnv = qgetenv("PELORIN_SAMPLE");
    if (!fromEnv.isEmpty()) return QString::fromLocal8Bit(fromEnv);
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../sample/pelorin-sample.gb");
}

} // namespace

class TestHabits : public QObject {
    Q_OBJECT
  private slots:
    void enterInAddressBoxJumps_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<qint64>("top");
        QTest::addColumn<bool>("refused");
        QTest::newRow("Return") << "64" << int(Qt::Key_Return) << int(Qt::NoModifier) << qint64(64)
                                << false;
        QTest::newRow("keypad Enter")
            << "160" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << qint64(160) << false;
        QTest::newRow("odd address")
            << "1001" << int(Qt::Key_Return) << int(Qt::NoModifier) << qint64(1001) << false;
        QTest::newRow("length of the file")
            << "4000" << int(Qt::Key_Return) << int(Qt::NoModifier) << qint64(0) << true;
    }
    void enterInAddressBoxJumps() {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(qint64, top);
        QFETCH(bool, refused);
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(4000, 11);
        const QString path = writeRom(dir, "a.gb", bytes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        QVERIFY(showActive(form));
        form.openPath(path);
        QCOMPARE(qint64(form.state().BrowserTopAddress), qint64(0));

        QVERIFY(focusOn(form, "TextAddress"));
        form.TextAddress->clear();
        QTest::keyClicks(form.TextAddress, typed);
        QCOMPARE(form.TextAddress->text(), typed);
        if (refused) prompts.expect(information(kTooLarge));
        QTest::keyClick(form.TextAddress, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

        QCOMPARE(qint64(form.state().BrowserTopAddress), top);
        // The jump leaves the typed text as it is.
        QCOMPARE(form.TextAddress->text(), typed);
        BrowserPicture view;
        view.top = top;
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(bytes, view), "enter-browser");
        VERIFY_PROMPTS(prompts);
    }

    void wheelMovesScrollBar_data() {
        QTest::addColumn<QList<int>>("angles");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("changed");
        // Negative angles turn the wheel towards the user, which moves down the file.
        QTest::newRow("one notch towards the user") << QList<int>{-120} << 1 << true;
        QTest::newRow("one notch and back") << QList<int>{-120, 120} << 0 << true;
        QTest::newRow("two half notches") << QList<int>{-60, -60} << 1 << true;
        QTest::newRow("one half notch") << QList<int>{-60} << 0 << false;
        QTest::newRow("three notches") << QList<int>{-120, -120, -120} << 3 << true;
        QTest::newRow("two notches at once") << QList<int>{-240} << 2 << true;
        QTest::newRow("away from the user at the top") << QList<int>{120} << 0 << false;
        QTest::newRow("three down, one up") << QList<int>{-120, -120, -120, 120} << 2 << true;
    }
    void wheelMovesScrollBar() {
        QFETCH(QList<int>, angles);
        QFETCH(int, value);
        QFETCH(bool, changed);
        QTemporaryDir dir;
        // Long enough that every step of the scroll bar moves the browser by whole rows.
        const QByteArray bytes = randomBytes(300000, 5);
        const QString path = writeRom(dir, "big.gb", bytes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        QVERIFY(showActive(form));
        form.openPath(path);
        QCOMPARE(form.SpriteScroll->value(), 0);
        QCOMPARE(form.TextAddress->text(), QStringLiteral("0"));

        for (int angle : angles)
            turnWheel(form.SpriteBox, angle);

        QCOMPARE(form.SpriteScroll->value(), value);
        const qint64 top = scrolledTop(bytes.size(), value, form.state().BrowserRows, 0);
        QCOMPARE(qint64(form.state().BrowserTopAddress), top);
        // The scroll bar's change handler writes the top address with a leading blank; without
        // a change the box keeps the "0" of opening.
        QCOMPARE(form.TextAddress->text(),
                 changed ? QStringLiteral(" %1").arg(top) : QStringLiteral("0"));
        BrowserPicture view;
        view.top = top;
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(bytes, view), "wheel-browser");
        VERIFY_PROMPTS(prompts);
    }

    void wheelFollowsOffset() {
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(300000, 6);
        const QString path = writeRom(dir, "big.gb", bytes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        QVERIFY(showActive(form));
        form.ComboDivert->setCurrentIndex(4);
        form.ComboDivert_click();
        form.openPath(path);
        QCOMPARE(qint64(form.state().BrowserTopAddress), qint64(4));

        turnWheel(form.SpriteBox, -120);
        turnWheel(form.SpriteBox, -120);

        QCOMPARE(form.SpriteScroll->value(), 2);
        const qint64 top = scrolledTop(bytes.size(), 2, form.state().BrowserRows, 4);
        QCOMPARE(qint64(form.state().BrowserTopAddress), top);
        QCOMPARE(form.TextAddress->text(), QStringLiteral(" %1").arg(top));
        VERIFY_PROMPTS(prompts);
    }

    void ctrlOShowsOpenDialog_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("choose");
        QTest::newRow("cancelled, browser focused") << "SpriteBox" << false;
        QTest::newRow("cancelled, address box focused") << "TextAddress" << false;
        QTest::newRow("file chosen, browser focused") << "SpriteBox" << true;
        QTest::newRow("file chosen, editor focused") << "EditorBox" << true;
    }
    void ctrlOShowsOpenDialog() {
        QFETCH(QString, focus);
        QFETCH(bool, choose);
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(2048, 21);
        const QString path = writeRom(dir, "chosen.gb", bytes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        QVERIFY(showActive(form));
        QWidget* target = focusOn(form, focus);
        QVERIFY(target);

        prompts.expectOpen(choose ? path : QString());
        QTest::keyClick(target, Qt::Key_O, Qt::ControlModifier);

        QCOMPARE(prompts.filters, QStringList{kOpenFilter});
        QCOMPARE(bool(form.state().RomFileOpen), choose);
        if (choose) {
            QCOMPARE(form.windowTitle(), path + QStringLiteral(" - ") + kCaption);
            COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(bytes, {}), "ctrl-o");
        } else {
            QCOMPARE(form.windowTitle(), kCaption);
            COMPARE_PICTURE(form.SpriteBox->surface(), expectedGreyBrowser(), "ctrl-o-cancel");
        }
        VERIFY_PROMPTS(prompts);
    }

    void ctrlWClosesFile_data() {
        QTest::addColumn<QString>("focus");
        QTest::newRow("browser focused") << "SpriteBox";
        QTest::newRow("address box focused") << "TextAddress";
        QTest::newRow("editor focused") << "EditorBox";
    }
    void ctrlWClosesFile() {
        QFETCH(QString, focus);
        QTemporaryDir dir;
        const QString path = writeRom(dir, "a.gb", randomBytes(2048, 3));
        ScriptedPrompts prompts;
        FormMain form(prompts);
        QVERIFY(showActive(form));
        form.openPath(path);
        QVERIFY(form.state().RomFileOpen);
        QWidget* target = focusOn(form, focus);
        QVERIFY(target);

        QTest::keyClick(target, Qt::Key_W, Qt::ControlModifier);

        QVERIFY(!form.state().RomFileOpen);
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedGreyBrowser(), "ctrl-w");
        // Closing leaves the caption naming the closed file.
        QCOMPARE(form.windowTitle(), path + QStringLiteral(" - ") + kCaption);
        VERIFY_PROMPTS(prompts);
    }

    void f1ShowsHelp() {
        RecordingPrompts prompts;
        FormMain form(prompts);
        QVERIFY(showActive(form));
        QWidget* target = focusOn(form, "SpriteBox");
        QVERIFY(target);

        QTest::keyClick(target, Qt::Key_F1);

        QCOMPARE(prompts.shown.size(), 1);
        const QString text = prompts.shown.first().text;
        QVERIFY2(text.startsWith(QStringLiteral("Go to ")), qPrintable(text));
        const QString address = text.mid(6);
        QVERIFY2(!address.isEmpty(), "the help box names no address");
        const QUrl url(address);
        QVERIFY2(url.isValid() && !url.scheme().isEmpty(), qPrintable(address));
        const MessageSpec expected{QStringLiteral("Go to ") + address, QStringLiteral("Help"),
                                   MsgButtons::Ok, MsgIcon::None, MsgAnswer::Ok};
        QCOMPARE(describe(prompts.shown.first()), describe(expected));
        QVERIFY(prompts.shown.first() == expected);
        QVERIFY(!form.state().RomFileOpen);
        COMPARE_PICTURE(form.SpriteBox->surface(), expectedGreyBrowser(), "f1-browser");
    }

    void ctrlQEndsProgram_data() {
        QTest::addColumn<bool>("fileOpen");
        QTest::newRow("no file") << false;
        QTest::newRow("file open") << true;
    }
    void ctrlQEndsProgram() {
        QFETCH(bool, fileOpen);
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(1024, 9);
        const QString path = writeRom(dir, "a.gb", bytes);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        QList<int> statuses;
        form.setEndProgram([&statuses](int status) { statuses << status; });
        QVERIFY(showActive(form));
        if (fileOpen) form.openPath(path);
        QWidget* target = focusOn(form, "SpriteBox");
        QVERIFY(target);

        QTest::keyPress(target, Qt::Key_Q, Qt::ControlModifier);

        QCOMPARE(statuses, QList<int>{0});
        QVERIFY(!form.isVisible());
        // Ending writes nothing.
        QCOMPARE(fileBytes(path), bytes);
        VERIFY_PROMPTS(prompts);
    }

    void droppedFileOpens_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<bool>("openFirst");
        QTest::newRow("local file") << "local" << true << false;
        QTest::newRow("local file replaces the open one") << "local" << true << true;
        QTest::newRow("web address, then local file") << "web+local" << true << false;
        QTest::newRow("web address") << "web" << false << false;
        QTest::newRow("web address onto an open file") << "web" << false << true;
        QTest::newRow("text only") << "text" << false << false;
    }
    void droppedFileOpens() {
        QFETCH(QString, kind);
        QFETCH(bool, opens);
        QFETCH(bool, openFirst);
        QTemporaryDir dir;
        const QByteArray first = randomBytes(2048, 31);
        const QByteArray dropped = randomBytes(3000, 32);
        const QString firstPath = writeRom(dir, "first.gb", first);
        const QString droppedPath = writeRom(dir, "dropped.gb", dropped);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        QVERIFY(showActive(form));
        if (openFirst) form.openPath(firstPath);

        QMimeData mime;
        const QUrl web(QStringLiteral("https://example.org/dropped.gb"));
        if (kind == QLatin1String("local"))
            mime.setUrls({QUrl::fromLocalFile(droppedPath)});
        else if (kind == QLatin1String("web+local"))
            mime.setUrls({web, QUrl::fromLocalFile(droppedPath)});
        else if (kind == QLatin1String("web"))
            mime.setUrls({web});
        else
            mime.setText(droppedPath);
        const QPoint at(120, 200);
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &enter);
        QCOMPARE(enter.isAccepted(), opens);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &drop);

        if (opens) {
            QVERIFY(form.state().RomFileOpen);
            QVERIFY2(form.windowTitle().startsWith(droppedPath), qPrintable(form.windowTitle()));
            QCOMPARE(form.windowTitle(), droppedPath + QStringLiteral(" - ") + kCaption);
            QCOMPARE(qint64(form.state().BrowserTopAddress), qint64(0));
            COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(dropped, {}), "drop");
        } else if (openFirst) {
            QCOMPARE(form.windowTitle(), firstPath + QStringLiteral(" - ") + kCaption);
            COMPARE_PICTURE(form.SpriteBox->surface(), expectedBrowser(first, {}), "drop-none");
        } else {
            QVERIFY(!form.state().RomFileOpen);
            QCOMPARE(form.windowTitle(), kCaption);
            COMPARE_PICTURE(form.SpriteBox->surface(), expectedGreyBrowser(), "drop-grey");
        }
        QCOMPARE(fileBytes(droppedPath), dropped);
        VERIFY_PROMPTS(prompts);
    }

    void accessibleNamesAreTooltips() {
        ScriptedPrompts prompts;
        FormMain form(prompts);
        int checked = 0;
        QStringList wrong;
        for (QWidget* w : form.findChildren<QWidget*>()) {
            const bool kind = qobject_cast<GraphicButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                              qobject_cast<QComboBox*>(w);
            if (!kind || w->toolTip().isEmpty()) continue;
            ++checked;
            if (w->accessibleName() != w->toolTip())
                wrong << QStringLiteral("%1: tooltip \"%2\", accessible name \"%3\"")
                             .arg(w->objectName(), w->toolTip(), w->accessibleName());
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
        // 27 buttons, the two address boxes and the offset list all carry tooltips.
        QVERIFY2(checked >= 30, qPrintable(QString::number(checked)));
        QCOMPARE(form.BtOpenFile->accessibleName(), QStringLiteral("Open a file"));
        QCOMPARE(form.ChkFlipX->accessibleName(), QStringLiteral("Mirrow the selected tile"));
        QCOMPARE(form.TextAddress->accessibleName(), QStringLiteral("Address"));
        QCOMPARE(form.ComboDivert->accessibleName(), QStringLiteral("Add to address"));
        QCOMPARE(form.TextEditAddress->accessibleName(),
                 QStringLiteral("Address of selected tile"));
    }

    void sampleShowsTilesAtOnce() {
        const QString sample = sampleFile();
        QVERIFY2(QFileInfo::exists(sample),
                 qPrintable(sample + QStringLiteral(" is missing; build the target 'sample'")));
        const QByteArray bytes = fileBytes(sample);
        QVERIFY(bytes.size() >= 16 * 10);
        ScriptedPrompts prompts;
        FormMain form(prompts);
        form.openPath(sample);
        QVERIFY(form.state().RomFileOpen);
        const QImage shown = form.SpriteBox->surface();
        COMPARE_PICTURE(shown, expectedBrowser(bytes, {}), "sample-browser");

        // Every fully visible cell of the first row shows a drawn tile, not a blank one.
        const QRgb colour0 = qRgb(255, 255, 128);
        const int cell = 8 * 3;
        for (int c = 0; c * cell + cell <= shown.width(); ++c) {
            bool drawn = false;
            for (int y = 0; y < cell && !drawn; ++y)
                for (int x = 0; x < cell && !drawn; ++x)
                    drawn = (shown.pixel(c * cell + x, y) & 0xFFFFFF) != (colour0 & 0xFFFFFF);
            QVERIFY2(drawn, qPrintable(QStringLiteral("cell %1 of the first row is blank").arg(c)));
        }
        // The first screen holds all four colours, so every one can be tried at once.
        QSet<QRgb> colours;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                colours.insert(shown.pixel(x, y) & 0xFFFFFF);
        for (QRgb c :
             {qRgb(255, 255, 128), qRgb(181, 181, 96), qRgb(128, 128, 64), qRgb(64, 64, 32)})
            QVERIFY2(colours.contains(c & 0xFFFFFF), qPrintable(QString::number(c, 16)));
        VERIFY_PROMPTS(prompts);
    }
};

QTEST_MAIN(TestHabits)
#include "tst_habits.moc"
