// The program installed into a prefix, and the script that gives a working copy of the sample.
#include "datarows.h"
#include "testfiles.h"
#include "testtiles.h"

#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>

namespace {

const QString kSource = QStringLiteral(PELORIN_SOURCE_DIR);
const QString kBuild = QStringLiteral(PELORIN_BUILD_DIR);
const QString kSample = kBuild + QStringLiteral("/sample/pelorin-sample.gb");

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Runs a program to its end: its exit code (-1: it did not end normally) and what it printed.
int run(const QString& program, const QStringList& args, QString* output = nullptr) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) return -1;
    if (output) *output = QString::fromLocal8Bit(process.readAll());
    return process.exitCode();
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT
    // A user's home; the install goes where the user's own programs do, $HOME/.local.
    QTemporaryDir m_home;
    const QString m_prefix = m_home.filePath(".local");
    const QString m_fresh = m_home.filePath("fresh.gb"); // drawn by the generator now

    QString installed(const QString& relative) const { return m_prefix + u'/' + relative; }
    int install(QString* output) const {
        return run(PELORIN_CMAKE, {"--install", kBuild, "--prefix", m_prefix}, output);
    }

  private slots:
    // The build tree's sample edited, as the editor may leave it: the install draws its own.
    void initTestCase() {
        const QByteArray original = fileBytes(kSample);
        QVERIFY(!original.isEmpty() && writeAll(kSample, char(~original[0]) + original.mid(1)));
        const auto restore = qScopeGuard([&] { writeAll(kSample, original); });
        QString out;
        QVERIFY2(install(&out) == 0, qPrintable(out));
        QCOMPARE(run(kBuild + "/tools/makesample", {m_fresh}), 0);
    }

    // An installed file holds what its origin holds (a file of the source tree, @PREFIX@ in
    // it standing for the prefix, or the sample the generator draws) and lines beginning so.
    void installedFiles_data() {
        using R = Row<QString, QByteArray, QStringList>; // installed: contents, lines
        const auto source = [](const QString& path) { return fileBytes(kSource + u'/' + path); };
        const QString man = ".I " + installed("share/");
        const QByteArray page =
            source("resources/desktop/pelorin.1.in").replace("@PREFIX@", m_prefix.toUtf8());
        const QString types = "MimeType=application/x-gameboy-rom;application/"
                              "x-gameboy-color-rom;application/vnd.nintendo.snes.rom;";
        // clang-format off
        rows(R{"launcher", "share/applications/pelorin.desktop",
               source("resources/desktop/pelorin.desktop"), {"Exec=pelorin %f", types}},
             R{"manual page", "share/man/man1/pelorin.1", page, {".TH PELORIN 1 ", ".SH FILES",
               man + "pelorin/pelorin-sample.gb", man + "doc/pelorin/README.md",
               man + "applications/pelorin.desktop"}},
             R{"sample", "share/pelorin/pelorin-sample.gb", fileBytes(m_fresh), {}},
             R{"user guide", "share/doc/pelorin/README.md", source("README.md"), {}},
             R{"guide picture", "share/doc/pelorin/docs/pelorin-window.png",
               source("docs/pelorin-window.png"), {}});
        // clang-format on
        for (int size : {16, 32, 48, 64, 128})
            QTest::addRow("icon %d", size) << std::tuple(
                QString("share/icons/hicolor/%1x%1/apps/pelorin.png").arg(size),
                source(QString("resources/icons/pelorin-%1.png").arg(size)), QStringList());
    }
    void installedFiles() {
        const auto [relative, contents, lines] = fetch<QString, QByteArray, QStringList>();
        QVERIFY(!contents.isEmpty());
        QCOMPARE(fileBytes(installed(relative)), contents);
        for (const QString& start : lines)
            QVERIFY2(('\n' + contents).contains('\n' + start.toUtf8()), qPrintable(start));
    }

    void launcherValidates() {
        const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
        if (validator.isEmpty()) QSKIP("desktop-file-validate is not installed");
        QString out;
        QCOMPARE(run(validator, {installed("share/applications/pelorin.desktop")}, &out), 0);
        QCOMPARE(out, QString());
    }

    // Still running after two seconds on a copy of the sample (`timeout` stops it): it did
    // not crash or quit.
    void installedProgramStarts() {
        const QString copy = m_home.filePath("try.gb");
        QVERIFY(QFile::copy(installed("share/pelorin/pelorin-sample.gb"), copy));
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QString out;
        QVERIFY2(run("timeout", {"2", installed("bin/pelorin"), copy}, &out) == 124,
                 qPrintable(out));
    }

    // A writable copy in the user's data folder, never the build tree's sample itself. That
    // folder is where the install puts the original: installing again after an edit of the copy
    // neither takes the copy for the original nor undoes the edit.
    void workingCopyScript_data() {
        using R = Row<QString, QByteArray>; // HOME, XDG_DATA_HOME (empty: not set)
        rows(R{"default data folder", m_home.path(), {}},
             R{"XDG_DATA_HOME", m_home.filePath("other"), QFile::encodeName(installed("share"))});
    }
    void workingCopyScript() {
        const auto [home, dataHome] = fetch<QString, QByteArray>();
        qputenv("HOME", QFile::encodeName(home));
        dataHome.isEmpty() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", dataHome);
        QString out;
        QCOMPARE(run("bash", {kSource + "/scripts/working-sample.sh", kSample}, &out), 0);
        const QString copy = out.chopped(1);                                   // its one line
        const auto startAgain = qScopeGuard([&copy] { QFile::remove(copy); }); // next row
        QCOMPARE(QFileInfo(copy).path(), installed("share/pelorin"));
        QCOMPARE(fileBytes(copy), fileBytes(kSample));
        QVERIFY(QFileInfo(copy).isWritable());
        const QByteArray drawn = fileBytes(copy), edited = char(~drawn[0]) + drawn.mid(1);
        QVERIFY(writeAll(copy, edited));
        QVERIFY2(install(&out) == 0, qPrintable(out));
        QCOMPARE(fileBytes(installed("share/pelorin/pelorin-sample.gb")), fileBytes(m_fresh));
        QCOMPARE(fileBytes(copy), edited);
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
