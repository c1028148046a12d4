// The real program on a real X server (Xvfb): the titles the window system receives for the
// main window, a message box and the options dialog, and where the message box opens.
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTest>

namespace {

// Where the top-level windows named exactly `name` are, once there are `count` of them.
QList<QRect> windowsNamed(const QString& name, int count) {
    static const QRegularExpression line(
        R"re(^\s*(0x[0-9a-f]+) "(.*)": \(.*\)\s+(\d+)x(\d+)\+(-?\d+)\+(-?\d+))re",
        QRegularExpression::MultilineOption);
    QList<QRect> found;
    for (int i = 0; i < 100 && found.size() != count; ++i) {
        QTest::qWait(100);
        found.clear();
        QProcess xwininfo;
        xwininfo.start("xwininfo", {"-root", "-children"});
        xwininfo.waitForFinished();
        for (const auto& m :
             line.globalMatch(QString::fromUtf8(xwininfo.readAllStandardOutput()))) {
            if (m.captured(2) == name)
                found << QRect(m.captured(5).toInt(), m.captured(6).toInt(), m.captured(3).toInt(),
                               m.captured(4).toInt());
        }
    }
    return found;
}

// The pointer moved to `at`, then the keys or clicks that follow.
void pointer(QPoint at, const QStringList& then) {
    QProcess::execute("xdotool",
                      QStringList{"mousemove", QString::number(at.x()), QString::number(at.y())} +
                          then);
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT
    QProcess m_server;
    QProcess m_program;

  private slots:
    void initTestCase() {
        for (const char* tool : {"Xvfb", "xwininfo", "xdotool"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP("needs Xvfb, xwininfo and xdotool (xvfb, x11-utils, xdotool)");
        // Xvfb picks a free display itself and prints its number.
        m_server.start("Xvfb",
                       {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        QTRY_VERIFY_WITH_TIMEOUT(m_server.canReadLine(), 10000);
        qputenv("DISPLAY", ':' + m_server.readLine().trimmed());
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    void cleanupTestCase() {
        m_program.kill();
        m_program.waitForFinished();
        m_server.terminate();
        m_server.waitForFinished();
    }

    // An empty file's jump to address 0 is refused by a box without a title of its own: it
    // carries the window's and opens centred over it. Then the options button is clicked.
    void titles() {
        QTemporaryFile empty(QDir::tempPath() + "/XXXXXX.gb");
        QVERIFY(empty.open());
        m_program.start(PELORIN_PROGRAM, {empty.fileName()});
        QVERIFY(m_program.waitForStarted());
        const QString caption = empty.fileName() + " - Dorvane's Pelorin 0.22";
        QList<QRect> both = windowsNamed(caption, 2);
        QCOMPARE(both.size(), 2);
        if (both[0].width() > both[1].width()) both.swapItemsAt(0, 1);
        const QRect box = both[0], main = both[1];
        QVERIFY(qAbs(box.center().x() - main.center().x()) <= 16 && main.contains(box.center()));
        pointer(box.center(), {"key", "Return"});
        QCOMPARE(windowsNamed(caption, 1).size(), 1);
        // The options button sits at (104, 16) in the window, 29 pixels square.
        pointer(main.topLeft() + QPoint(118, 30), {"click", "1"});
        QCOMPARE(windowsNamed("Options", 1).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestDesktop)
#include "tst_desktop.moc"
