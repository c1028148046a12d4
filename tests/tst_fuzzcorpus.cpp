#include "../fuzz/picturetarget.h"
#include "../fuzz/targets.h"
#include "datarows.h"
#include "testfiles.h"
#include "testtiles.h"

#include <QDir>

// Every input of the kept fuzz corpora through every fuzz target, which abort on a broken
// invariant; the row names the input.
class TestFuzzCorpus : public QObject {
    Q_OBJECT
  private slots:
    void replay_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QDir corpus(QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/../fuzz/corpus");
        for (const QString target : {"numbers", "tilecodec", "picture"}) {
            const QFileInfoList files = QDir(corpus.filePath(target)).entryInfoList(QDir::Files);
            QVERIFY2(files.size() >= 5, qPrintable("no corpus kept for fuzz target " + target));
            for (const QFileInfo& file : files)
                QTest::newRow(qPrintable(target + '/' + file.fileName()))
                    << fileBytes(file.filePath());
        }
    }
    void replay() {
        QFETCH(QByteArray, bytes);
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
        fuzzNumbers(data, size_t(bytes.size()));
        fuzzTileCodec(data, size_t(bytes.size()));
        fuzzPicture(data, size_t(bytes.size()));
    }
};

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "tst_fuzzcorpus.moc"
