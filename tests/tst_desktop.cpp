// The real program on a real X server (Xvfb): the titles the window system receives for the
// main window, a message box and the options dialog, and where the message box opens.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kCaption = QStringLiteral("Dorvane's Pelorin 0.22");

struct XWindow {
    QString id;
    QRect geometry;
};

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT
    QProcess m_server;
    QProcess m_program;
    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();
    QTemporaryDir m_dir;

    QString run(const QString& program, const QStringList& args) const {
        QProcess process;
        process.setProcessEnvironment(m_env);
        process.start(program, args);
        return process.waitForFinished(20000) ? QString::fromUtf8(process.readAllStandardOutput())
                                              : QString();
    }

    // The top-level windows whose WM_NAME is exactly `name`, once there are `count` of them.
    QList<XWindow> waitForWindows(const QString& name, int count) const {
        static const QRegularExpression line(
            QString::fromUtf8(
                R"re(^\s*(0x[0-9a-f]+) "(.*)": \(.*\)\s+(\d+)x(\d+)\+(-?\d+)\+(-?\d+))re"),
            QRegularExpression::MultilineOption);
        QList<XWindow> found;
        for (int i = 0; i < 100 && found.size() != count; ++i) {
            QTest::qWait(100);
            found.clear();
            for (auto it = line.globalMatch(run("xwininfo", {"-root", "-children"}));
                 it.hasNext();) {
                const auto m = it.next();
                if (m.captured(2) == name)
                    found << XWindow{m.captured(1),
                                     QRect(m.captured(5).toInt(), m.captured(6).toInt(),
                                           m.captured(3).toInt(), m.captured(4).toInt())};
            }
        }
        return found;
    }

    // WM_NAME and _NET_WM_NAME of one window, as xprop prints them.
    QStringList namesOf(const XWindow& window) const {
        static const QRegularExpression value(QStringLiteral("= \"(.*)\"$"),
                                              QRegularExpression::MultilineOption);
        QStringList names;
        for (auto it =
                 value.globalMatch(run("xprop", {"-id", window.id, "WM_NAME", "_NET_WM_NAME"}));
             it.hasNext();)
            names << it.next().captured(1);
        return names;
    }

    void start(const QStringList& args) {
        m_program.setProcessEnvironment(m_env);
        m_program.start(QStringLiteral(PELORIN_PROGRAM), args);
        QVERIFY(m_program.waitForStarted());
    }

  private slots:
    void initTestCase() {
        for (const char* tool : {"Xvfb", "xwininfo", "xprop", "xdotool"}) {
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QSKIP(
                    qPrintable(QStringLiteral("%1 is not installed: the titles on a real X server "
                                              "are not tested (packages xvfb, x11-utils, xdotool)")
                                   .arg(QLatin1String(tool))));
        }
        // Xvfb picks a free display itself and prints its number.
        m_server.start("Xvfb",
                       {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        QTRY_VERIFY_WITH_TIMEOUT(m_server.canReadLine(), 10000);
        m_env.insert("DISPLAY", u':' + QString::fromUtf8(m_server.readLine()).trimmed());
        m_env.insert("QT_QPA_PLATFORM", "xcb");
    }
    void cleanup() {
        m_program.kill();
        m_program.waitForFinished(5000);
    }
    void cleanupTestCase() {
        m_server.terminate();
        m_server.waitForFinished(5000);
    }

    // Opening an empty file jumps to address 0, which the jump refuses with a box that has no
    // title of its own: it carries the caption, and opens centred over the main window.
    void captionAndUntitledBox() {
        const QString path = m_dir.filePath(QStringLiteral("empty.gb"));
        QFile(path).open(QIODevice::WriteOnly);
        start({path});
        const QString caption = path + QStringLiteral(" - ") + kCaption;
        QList<XWindow> both = waitForWindows(caption, 2);
        QCOMPARE(both.size(), 2);
        for (const XWindow& window : both)
            QCOMPARE(namesOf(window), QStringList({caption, caption}));
        std::sort(both.begin(), both.end(), [](const XWindow& a, const XWindow& b) {
            return a.geometry.width() < b.geometry.width();
        });
        const QRect box = both[0].geometry, main = both[1].geometry;
        QVERIFY2(qAbs(box.center().x() - main.center().x()) <= 16 && main.contains(box.center()),
                 qPrintable(QStringLiteral("box centre %1, window centre %2")
                                .arg(box.center().x())
                                .arg(main.center().x())));
    }

    void optionsDialogIsTitledOptions() {
        start({});
        const QList<XWindow> main = waitForWindows(kCaption, 1);
        QVERIFY2(main.size() == 1, "the main window did not appear under its caption");
        QCOMPARE(namesOf(main[0]), QStringList({kCaption, kCaption}));
        // The options button sits at (104, 16) in the window, 29 pixels square.
        const QPoint button = main[0].geometry.topLeft() + QPoint(118, 30);
        run("xdotool",
            {"mousemove", QString::number(button.x()), QString::number(button.y()), "click", "1"});
        const QList<XWindow> options = waitForWindows(QStringLiteral("Options"), 1);
        QVERIFY2(options.size() == 1, "no window titled exactly \"Options\" appeared");
        QCOMPARE(namesOf(options[0]), QStringList({"Options", "Options"}));
    }
};

QTEST_GUILESS_MAIN(TestDesktop)
#include "tst_desktop.moc"
