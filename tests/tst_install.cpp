// The program installed into a prefix: the files it leaves, the launcher that passes the
// validator and opens ROM images, the manual page, the sample, and the installed program.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kSource = QStringLiteral(PELORIN_SOURCE_DIR);
const QString kBuild = QStringLiteral(PELORIN_BUILD_DIR);

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Runs a program to its end; its exit code, or -1, and what it printed.
int run(const QString& program, const QStringList& args, QString* output = nullptr,
        const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) return -1;
    if (output) *output = QString::fromLocal8Bit(process.readAll());
    return process.exitCode();
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT
    QTemporaryDir m_prefix;

    QString installed(const QString& relative) const { return m_prefix.filePath(relative); }

  private slots:
    // Installed with the build tree's sample edited, as a session with the editor may leave
    // it: the install must draw its own.
    void initTestCase() {
        const QString buildSample = kBuild + QStringLiteral("/sample/pelorin-sample.gb");
        const QByteArray original = readAll(buildSample);
        QByteArray edited = original;
        edited[0] = char(~edited[0]);
        QVERIFY(!original.isEmpty() && writeAll(buildSample, edited));
        const auto restore = qScopeGuard([&] { writeAll(buildSample, original); });
        QString output;
        QVERIFY2(
            run(QStringLiteral(PELORIN_CMAKE),
                {QStringLiteral("--install"), kBuild, QStringLiteral("--prefix"), m_prefix.path()},
                &output) == 0,
            qPrintable(output));
    }

    void installedFiles_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("origin");
        QTest::newRow("launcher") << "share/applications/pelorin.desktop"
                                  << "resources/desktop/pelorin.desktop";
        QTest::newRow("user guide") << "share/doc/pelorin/README.md"
                                    << "README.md";
        QTest::newRow("guide picture") << "share/doc/pelorin/docs/pelorin-window.png"
                                       << "docs/pelorin-window.png";
        for (int size : {16, 32, 48, 64, 128})
            QTest::addRow("icon %d", size)
                << QStringLiteral("share/icons/hicolor/%1x%1/apps/pelorin.png").arg(size)
                << QStringLiteral("resources/icons/pelorin-%1.png").arg(size);
    }
    void installedFiles() {
        QFETCH(QString, relative);
        QFETCH(QString, origin);
        const QByteArray expected = readAll(kSource + u'/' + origin);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(readAll(installed(relative)), expected);
    }

    // The generator draws the sample afresh; the installed one is its output, not the build
    // tree's edited copy.
    void installedSampleIsTheGeneratedOriginal() {
        const QString fresh = m_prefix.filePath(QStringLiteral("fresh.gb"));
        QCOMPARE(run(kBuild + QStringLiteral("/tools/makesample"), {fresh}), 0);
        QCOMPARE(readAll(fresh).size(), 4096);
        QCOMPARE(readAll(installed("share/pelorin/pelorin-sample.gb")), readAll(fresh));
    }

    // FILES names the installed files by their absolute paths under this prefix.
    void manualPageNamesInstalledFiles() {
        const QString page = QString::fromUtf8(readAll(installed("share/man/man1/pelorin.1")));
        QVERIFY2(page.startsWith(QStringLiteral(".TH PELORIN 1")), qPrintable(page.left(80)));
        const QString files = page.mid(page.indexOf(QStringLiteral(".SH FILES")));
        for (const char* relative :
             {"share/pelorin/pelorin-sample.gb", "share/doc/pelorin/README.md",
              "share/applications/pelorin.desktop"}) {
            QVERIFY2(
                files.contains(QStringLiteral(".I ") + installed(QLatin1String(relative)) + u'\n'),
                qPrintable(files));
            QVERIFY(QFileInfo(installed(QLatin1String(relative))).isFile());
        }
    }

    void launcherValidatesAndOpensRoms() {
        const QString launcher = installed("share/applications/pelorin.desktop");
        const QString validator =
            QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (!validator.isEmpty()) {
            QString output;
            QVERIFY2(run(validator, {launcher}, &output) == 0 && output.isEmpty(),
                     qPrintable(output));
        }
        const QStringList lines = QString::fromUtf8(readAll(launcher)).split(u'\n');
        QVERIFY(lines.contains(QStringLiteral("Exec=pelorin %f")));
        for (const char* type : {"application/x-gameboy-rom", "application/x-gameboy-color-rom",
                                 "application/vnd.nintendo.snes.rom"})
            QVERIFY2(
                lines.filter(QStringLiteral("MimeType=")).join(u';').contains(QLatin1String(type)),
                type);
        if (validator.isEmpty())
            QSKIP("desktop-file-validate is not installed (desktop-file-utils)");
    }

    // Still running after two seconds on a copy of the sample: it did not crash or quit.
    void installedProgramStarts() {
        const QString copy = m_prefix.filePath(QStringLiteral("try.gb"));
        QVERIFY(QFile::copy(installed("share/pelorin/pelorin-sample.gb"), copy));
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.start(installed("bin/pelorin"), {copy});
        QVERIFY(program.waitForStarted());
        QVERIFY2(!program.waitForFinished(2000), qPrintable(program.readAll()));
        program.kill();
        program.waitForFinished(10000);
    }

    // run.sh opens a working copy in the user's data folder, never the build tree's sample.
    void runScriptWorksOnACopy() {
        QTemporaryDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
        const QString original = kBuild + QStringLiteral("/sample/pelorin-sample.gb");
        QString output;
        QCOMPARE(run(QStringLiteral("bash"),
                     {kSource + QStringLiteral("/scripts/working-sample.sh"), original}, &output,
                     env),
                 0);
        const QString copy = output.trimmed();
        QCOMPARE(copy, home.filePath(QStringLiteral("pelorin/pelorin-sample.gb")));
        QCOMPARE(readAll(copy), readAll(original));
        QVERIFY(QFileInfo(copy).isWritable());
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
