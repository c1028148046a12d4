// The real program on a real X server (Xvfb): the titles the window system receives for the
// main window, a message box and the options dialog, and where the message box opens.
#include <QCoreApplication>
#include <QDir>
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

QString run(const QString& program, const QStringList& args, const QString& display) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    process.setProcessEnvironment(env);
    process.start(program, args);
    if (!process.waitForFinished(20000)) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT
    QProcess m_server;
    QString m_display;
    QTemporaryDir m_dir;

    // The top-level windows whose WM_NAME is `name`, with their places on the screen.
    QList<XWindow> windowsNamed(const QString& name) const {
        QList<XWindow> found;
        const QString tree = run(QStringLiteral("xwininfo"),
                                 {QStringLiteral("-root"), QStringLiteral("-children")}, m_display);
        static const QRegularExpression line(
            QString::fromUtf8(
                R"re(^\s*(0x[0-9a-f]+) "(.*)": \(.*\)\s+(\d+)x(\d+)\+(-?\d+)\+(-?\d+))re"),
            QRegularExpression::MultilineOption);
        for (auto it = line.globalMatch(tree); it.hasNext();) {
            const auto m = it.next();
            if (m.captured(2) == name)
                found << XWindow{m.captured(1),
                                 QRect(m.captured(5).toInt(), m.captured(6).toInt(),
                                       m.captured(3).toInt(), m.captured(4).toInt())};
        }
        return found;
    }

    // WM_NAME and _NET_WM_NAME of one window, as xprop prints them.
    QStringList namesOf(const QString& id) const {
        const QString out = run(
            QStringLiteral("xprop"),
            {QStringLiteral("-id"), id, QStringLiteral("WM_NAME"), QStringLiteral("_NET_WM_NAME")},
            m_display);
        QStringList names;
        static const QRegularExpression value(QString::fromUtf8(R"re(= "(.*)"$)re"),
                                              QRegularExpression::MultilineOption);
        for (auto it = value.globalMatch(out); it.hasNext();)
            names << it.next().captured(1);
        return names;
    }

    // Waits until exactly one window carries `name` and both its names are exactly `name`.
    XWindow waitForWindow(const QString& name) const {
        for (int i = 0; i < 100; ++i) {
            const QList<XWindow> windows = windowsNamed(name);
            if (windows.size() == 1) return windows.first();
            QTest::qWait(100);
        }
        return {};
    }

    void startProgram(QProcess& program, const QStringList& args) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(PELORIN_PROGRAM), args);
        QVERIFY(program.waitForStarted());
    }

    static void stop(QProcess& program) {
        program.kill();
        program.waitForFinished(5000);
    }

  private slots:
    void initTestCase() {
        for (const char* tool : {"Xvfb", "xwininfo", "xprop", "xdotool"}) {
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QSKIP(qPrintable(QStringLiteral("%1 is not installed: the titles on a real X "
                                                "server are not tested (packages xvfb, "
                                                "x11-utils, xdotool)")
                                     .arg(QLatin1String(tool))));
        }
        // Xvfb picks a free display itself and prints its number.
        m_server.start(QStringLiteral("Xvfb"),
                       {QStringLiteral("-displayfd"), QStringLiteral("1"),
                        QStringLiteral("-screen"), QStringLiteral("0"),
                        QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp")});
        QVERIFY(m_server.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(m_server.canReadLine(), 10000);
        m_display = u':' + QString::fromUtf8(m_server.readLine()).trimmed();
        QVERIFY(m_dir.isValid());
    }

    void cleanupTestCase() {
        m_server.terminate();
        m_server.waitForFinished(5000);
    }

    // An empty file: opening it jumps to address 0, which the jump refuses with a box that has
    // no title of its own.
    void captionAndUntitledBoxReachTheWindowSystemAsDesigned() {
        const QString path = m_dir.filePath(QStringLiteral("empty.gb"));
        QFile empty(path);
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        QProcess program;
        startProgram(program, {path});
        const QString caption = path + QStringLiteral(" - ") + kCaption;
        const QList<XWindow> both = [&] {
            QList<XWindow> windows;
            for (int i = 0; i < 100 && windows.size() < 2; ++i) {
                windows = windowsNamed(caption);
                QTest::qWait(100);
            }
            return windows;
        }();
        QCOMPARE(both.size(), 2); // the main window and the refusal
        for (const XWindow& window : both)
            QCOMPARE(namesOf(window.id), QStringList({caption, caption}));
        // The larger one is the main window; the box opens centred over it.
        const XWindow& main =
            both[0].geometry.width() > both[1].geometry.width() ? both[0] : both[1];
        const XWindow& box = &main == &both[0] ? both[1] : both[0];
        QVERIFY2(qAbs(box.geometry.center().x() - main.geometry.center().x()) <= 16,
                 qPrintable(QStringLiteral("box at %1, window centre %2")
                                .arg(box.geometry.center().x())
                                .arg(main.geometry.center().x())));
        QVERIFY(main.geometry.contains(box.geometry.center()));
        stop(program);
    }

    void optionsDialogIsTitledOptions() {
        QProcess program;
        startProgram(program, {});
        const XWindow main = waitForWindow(kCaption);
        QVERIFY2(!main.id.isEmpty(), "the main window did not appear under its caption");
        QCOMPARE(namesOf(main.id), QStringList({kCaption, kCaption}));
        // The options button sits at (104, 16) in the window, 29 pixels square.
        const QPoint button = main.geometry.topLeft() + QPoint(104 + 14, 16 + 14);
        run(QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QString::number(button.x()), QString::number(button.y()),
             QStringLiteral("click"), QStringLiteral("1")},
            m_display);
        const XWindow options = waitForWindow(QStringLiteral("Options"));
        QVERIFY2(!options.id.isEmpty(), "no window titled exactly \"Options\" appeared");
        QCOMPARE(namesOf(options.id),
                 QStringList({QStringLiteral("Options"), QStringLiteral("Options")}));
        stop(program);
    }
};

QTEST_GUILESS_MAIN(TestDesktop)
#include "tst_desktop.moc"
