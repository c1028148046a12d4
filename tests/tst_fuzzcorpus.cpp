#include "../fuzz/targets.h"

#include <QDir>
#include <QFile>
#include <QTest>

// Replays the kept fuzz corpora (fuzz/corpus/<target>/) through the checks of both fuzz
// targets, so that every input that once found something new is tried on each build.
// A broken invariant aborts the run; the row names the input.
class TestFuzzCorpus : public QObject {
    Q_OBJECT

    static QStringList corpusFiles(const QString& target) {
        const QString folder = QFileInfo(QStringLiteral(__FILE__)).absolutePath() +
                               QStringLiteral("/../fuzz/corpus/") + target;
        QStringList files;
        const QDir dir(folder);
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
            files << dir.filePath(name);
        return files;
    }

  private slots:
    void corporaAreKept_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("numbers") << "numbers";
        QTest::newRow("tilecodec") << "tilecodec";
    }
    void corporaAreKept() {
        QFETCH(QString, target);
        QVERIFY2(corpusFiles(target).size() >= 5,
                 qPrintable("no corpus kept for fuzz target " + target));
    }

    void replay_data() {
        QTest::addColumn<QByteArray>("bytes");
        for (const QString& target : {QStringLiteral("numbers"), QStringLiteral("tilecodec")}) {
            for (const QString& path : corpusFiles(target)) {
                QFile file(path);
                if (!file.open(QIODevice::ReadOnly)) qFatal("can not read %s", qPrintable(path));
                QTest::newRow(qPrintable(target + '/' + QFileInfo(path).fileName()))
                    << file.readAll();
            }
        }
        // Inputs at the edges of the rules, whether or not the corpus holds them.
        QTest::newRow("edge/&HFFFF") << QByteArray("&HFFFF");
        QTest::newRow("edge/1e999") << QByteArray("1e999");
        QTest::newRow("edge/-2147483649") << QByteArray("-2147483649");
        QTest::newRow("edge/2147483647.5") << QByteArray("2147483647.5");
        QTest::newRow("edge/0.5") << QByteArray("0.5");
        QTest::newRow("edge/&H100000000") << QByteArray("&H100000000");
        QTest::newRow("edge/invalid UTF-8") << QByteArray("\xC3\x28 1\xFF", 5);
        QTest::newRow("edge/16 tile bytes")
            << QByteArray("\x3C\x7E\xFF\x00\x00\xFF\xFF\xFF\x00\x00\x01\x80\x7F\xFE\x55\xAA", 16);
        QTest::newRow("edge/64 pixel bytes") << QByteArray(64, '\x03');
    }
    void replay() {
        QFETCH(QByteArray, bytes);
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
        // Each aborts on a broken invariant.
        fuzzNumbers(data, size_t(bytes.size()));
        fuzzTileCodec(data, size_t(bytes.size()));
    }
};

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "tst_fuzzcorpus.moc"
