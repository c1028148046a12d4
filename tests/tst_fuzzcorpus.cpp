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
    void replay_data() {
        QTest::addColumn<QByteArray>("bytes");
        for (const QString& target : {QStringLiteral("numbers"), QStringLiteral("tilecodec")}) {
            const QStringList files = corpusFiles(target);
            QVERIFY2(files.size() >= 5, qPrintable("no corpus kept for fuzz target " + target));
            for (const QString& path : files) {
                QFile file(path);
                if (!file.open(QIODevice::ReadOnly)) qFatal("can not read %s", qPrintable(path));
                QTest::newRow(qPrintable(target + '/' + QFileInfo(path).fileName()))
                    << file.readAll();
            }
        }
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
