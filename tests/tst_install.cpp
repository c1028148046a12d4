// The program installed into a prefix: the tree it leaves, the launcher that passes the
// validator and opens ROM images, and the installed program starting on the installed sample.
#include "core/app/userguide.h"

#include <QCoreApplication>
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

QString buildDir() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/..");
}

// A value of the build folder's cache, such as the source folder or the cmake program.
QString cacheValue(const QString& key) {
    QFile cache(buildDir() + QStringLiteral("/CMakeCache.txt"));
    if (!cache.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    while (!cache.atEnd()) {
        const QString line = QString::fromUtf8(cache.readLine()).trimmed();
        if (line.startsWith(key + u':')) {
            const qsizetype eq = line.indexOf(u'=');
            return eq < 0 ? QString() : line.mid(eq + 1);
        }
    }
    return {};
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir m_prefix;
    QString m_source;

    QString installed(const QString& relative) const { return m_prefix.filePath(relative); }

  private slots:
    void initTestCase() {
        QVERIFY(m_prefix.isValid());
        m_source = cacheValue(QStringLiteral("CMAKE_HOME_DIRECTORY"));
        QVERIFY2(QFileInfo::exists(m_source + QStringLiteral("/CMakeLists.txt")),
                 qPrintable(QStringLiteral("no source folder found from ") + buildDir()));
        QString cmake = cacheValue(QStringLiteral("CMAKE_COMMAND"));
        if (cmake.isEmpty()) cmake = QStringLiteral("cmake");
        // The build tree's sample as a session with the editor may leave it: changed. The
        // install must not take it over.
        const QString buildSample = buildDir() + QStringLiteral("/sample/pelorin-sample.gb");
        const QByteArray original = readAll(buildSample);
        QVERIFY(!original.isEmpty());
        QByteArray edited = original;
        edited[0] = char(~edited[0]);
        QFile sample(buildSample);
        QVERIFY(sample.open(QIODevice::WriteOnly) && sample.write(edited) == edited.size());
        sample.close();
        const auto restore = qScopeGuard([&] {
            QFile back(buildSample);
            QVERIFY(back.open(QIODevice::WriteOnly) && back.write(original) == original.size());
        });
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(cmake, {QStringLiteral("--install"), buildDir(), QStringLiteral("--prefix"),
                              m_prefix.path()});
        QVERIFY2(install.waitForStarted(), qPrintable(cmake));
        QVERIFY(install.waitForFinished(120000));
        const QString output = QString::fromLocal8Bit(install.readAll());
        QCOMPARE(install.exitStatus(), QProcess::NormalExit);
        QVERIFY2(install.exitCode() == 0, qPrintable(output));
    }

    void installedFiles_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("origin");
        QTest::newRow("launcher") << "share/applications/pelorin.desktop"
                                  << "src:resources/desktop/pelorin.desktop";
        QTest::newRow("user guide") << "share/doc/pelorin/README.md"
                                    << "src:README.md";
    }
    void installedFiles() {
        QFETCH(QString, relative);
        QFETCH(QString, origin);
        const QString path = installed(relative);
        QVERIFY2(QFileInfo(path).isFile(), qPrintable(path + QStringLiteral(" is missing")));
        const QString from = origin.startsWith(QLatin1String("src:"))
                                 ? m_source + u'/' + origin.mid(4)
                                 : buildDir() + u'/' + origin.mid(6);
        const QByteArray expected = readAll(from);
        QVERIFY2(!expected.isEmpty(), qPrintable(from));
        QCOMPARE(readAll(path), expected);
    }

    void program() {
        const QFileInfo program(installed(QStringLiteral("bin/pelorin")));
        QVERIFY2(program.isFile(), qPrintable(program.filePath()));
        QVERIFY(program.isExecutable());
        QVERIFY(program.size() > 0);
    }

    void manualPage() {
        const QString page = QString::fromUtf8(readAll(installed("share/man/man1/pelorin.1")));
        QVERIFY2(page.startsWith(QStringLiteral(".TH PELORIN 1")), qPrintable(page.left(80)));
        QVERIFY(page.contains(QStringLiteral(".SH NAME\npelorin \\- ")));
        QVERIFY(page.contains(QStringLiteral(".SH SYNOPSIS")));
        // FILES names the installed files by their absolute paths under this prefix.
        const QString files = page.mid(page.indexOf(QStringLiteral(".SH FILES")));
        for (const char* relative :
             {"share/pelorin/pelorin-sample.gb", "share/doc/pelorin/README.md"}) {
            const QString path = installed(QLatin1String(relative));
            QVERIFY2(files.contains(QStringLiteral(".I ") + path + u'\n'), qPrintable(files));
            QVERIFY(QFileInfo(path).isFile());
        }
    }

    // The user guide is found from the program's folder in both layouts it runs from.
    void userGuideFoundBesideTheProgram() {
        QCOMPARE(userGuidePath(installed("bin"), m_source + QStringLiteral("/README.md")),
                 installed("share/doc/pelorin/README.md"));
        QCOMPARE(userGuidePath(buildDir() + QStringLiteral("/src"),
                               m_source + QStringLiteral("/README.md")),
                 QDir::cleanPath(m_source + QStringLiteral("/README.md")));
    }

    // The installed sample is drawn anew by the generator, whatever happened to the build
    // tree's copy (which the editor may have changed).
    void installedSampleIsTheGeneratedOriginal() {
        const QString fresh = QDir(m_prefix.path()).filePath(QStringLiteral("fresh-sample.gb"));
        QCOMPARE(QProcess::execute(buildDir() + QStringLiteral("/tools/makesample"), {fresh}), 0);
        QCOMPARE(readAll(installed("share/pelorin/pelorin-sample.gb")), readAll(fresh));
        QCOMPARE(readAll(fresh).size(), 4096);
    }

    // run.sh opens a working copy in the user's data folder, never the build tree's sample.
    void runScriptWorksOnACopy() {
        QTemporaryDir home;
        const QString original = buildDir() + QStringLiteral("/sample/pelorin-sample.gb");
        QProcess script;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
        script.setProcessEnvironment(env);
        script.start(QStringLiteral("bash"),
                     {m_source + QStringLiteral("/scripts/working-sample.sh"), original});
        QVERIFY(script.waitForFinished(20000));
        QCOMPARE(script.exitCode(), 0);
        const QString copy = QString::fromUtf8(script.readAllStandardOutput()).trimmed();
        QCOMPARE(copy, home.filePath(QStringLiteral("pelorin/pelorin-sample.gb")));
        QCOMPARE(readAll(copy), readAll(original));
        QVERIFY(QFileInfo(copy).isWritable());
    }

    void icons_data() {
        QTest::addColumn<int>("size");
        for (int size : {16, 32, 48, 64, 128})
            QTest::newRow(qPrintable(QStringLiteral("%1x%1").arg(size))) << size;
    }
    void icons() {
        QFETCH(int, size);
        const QString source =
            m_source + QStringLiteral("/resources/icons/pelorin-%1.png").arg(size);
        if (!QFileInfo::exists(source)) QSKIP("this icon size is not drawn yet");
        const QString path =
            installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/pelorin.png").arg(size));
        QVERIFY2(QFileInfo(path).isFile(), qPrintable(path + QStringLiteral(" is missing")));
        QCOMPARE(readAll(path), readAll(source));
        const QImage icon(path);
        QVERIFY2(!icon.isNull(), qPrintable(path));
        QCOMPARE(icon.size(), QSize(size, size));
    }

    void desktopFileValidates() {
        const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
        if (validator.isEmpty())
            QSKIP("desktop-file-validate is not installed (desktop-file-utils)");
        QProcess validate;
        validate.setProcessChannelMode(QProcess::MergedChannels);
        validate.start(validator, {installed("share/applications/pelorin.desktop")});
        QVERIFY(validate.waitForStarted());
        QVERIFY(validate.waitForFinished(60000));
        const QString output = QString::fromLocal8Bit(validate.readAll());
        QCOMPARE(validate.exitStatus(), QProcess::NormalExit);
        QVERIFY2(validate.exitCode() == 0, qPrintable(output));
        QVERIFY2(!output.contains(QStringLiteral("error"), Qt::CaseInsensitive),
                 qPrintable(output));
    }

    void desktopFileOpensRoms_data() {
        QTest::addColumn<QStringList>("anyOf");
        QTest::newRow("Game Boy") << QStringList{"application/x-gameboy-rom"};
        QTest::newRow("Game Boy Color") << QStringList{"application/x-gameboy-color-rom"};
        QTest::newRow("Super Nintendo")
            << QStringList{"application/vnd.nintendo.snes.rom", "application/x-snes-rom"};
    }
    void desktopFileOpensRoms() {
        QFETCH(QStringList, anyOf);
        const QStringList lines =
            QString::fromUtf8(readAll(installed("share/applications/pelorin.desktop")))
                .split(u'\n');
        QVERIFY2(lines.contains(QStringLiteral("Exec=pelorin %f")), qPrintable(lines.join('\n')));
        QVERIFY(lines.contains(QStringLiteral("Icon=pelorin")));
        QStringList mime;
        for (const QString& line : lines)
            if (line.startsWith(QLatin1String("MimeType=")))
                mime = line.mid(9).split(u';', Qt::SkipEmptyParts);
        QVERIFY2(!mime.isEmpty(), "no MimeType line");
        bool named = false;
        for (const QString& type : anyOf)
            named = named || mime.contains(type);
        QVERIFY2(named, qPrintable(mime.join(u';')));
    }

    void installedProgramStartsOnSample() {
        const QString sample = installed("share/pelorin/pelorin-sample.gb");
        QVERIFY(QFileInfo(sample).isFile());
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(installed("bin/pelorin"), {sample});
        QVERIFY(program.waitForStarted());
        // Still running after two seconds: it did not crash or quit on start.
        const bool ended = program.waitForFinished(2000);
        const QString output = QString::fromLocal8Bit(program.readAll());
        QVERIFY2(
            !ended,
            qPrintable(QStringLiteral("ended with %1: %2").arg(program.exitCode()).arg(output)));
        QCOMPARE(program.state(), QProcess::Running);
        program.kill();
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(readAll(sample).size(), 4096);
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
