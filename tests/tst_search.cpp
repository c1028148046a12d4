// Finding a tile in a file: the forms of a tile, and the search of a file piece by piece.
#include "core/rom/tilecodec.h"
#include "core/search/tilesearch.h"
#include "datarows.h"
#include "searchtiles.h"
#include "testfiles.h"

namespace {

const TilePixels kTile = searchedTile();
const QString kAll = QStringLiteral(" mirrored left-right and upside down");

} // namespace

class TestSearch : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

  private slots:
    // How many forms a tile has, the name of its last, and whether it is of one value.
    void forms_data() {
        // picture (empty: four values, no symmetry), forms, last name, single value (9: none)
        using R = Row<QString, int, QString, int>;
        const QString swap = "values 0 3 \u2192 3 0";
        // clang-format off
        rows(R{"four values", "", 96, kAll.mid(1) + ", values 0 1 2 3 \u2192 3 2 1 0", 9},
             R{"symmetric left-right", "#o+..+o#" + QString(56, '.'), 48, "upside down, values 0 1 2 3 \u2192 3 2 1 0", 9},
             R{"symmetric both ways, three values", "#..##..#" + QString(48, '+') + "#..##..#", 24, "values 0 1 3 \u2192 3 2 0", 9},
             R{"two values", "#" + QString(63, '.'), 48, kAll.mid(1) + ", " + swap, 9},
             R{"checks: mirrored is renumbered", QString("##..##..##..##....##..##..##..##").repeated(2), 12, swap, 9},
             R{"one value", QString(64, 'o'), 4, "values 2 \u2192 0", 2});
        // clang-format on
    }
    void forms() {
        const auto [picture, count, last, single] = fetch<QString, int, QString, int>();
        TilePixels pixels = kTile; // drawn as ".+o#" for the values 0 to 3, row after row
        for (qsizetype i = 0; i < picture.size(); ++i)
            pixels[size_t(i)] = quint8(QStringLiteral(".+o#").indexOf(picture[i]));
        const std::vector<TileForm> forms = tileForms(pixels, SearchKind::SamePicture);
        QCOMPARE(int(forms.size()), count);
        QCOMPARE(forms.back().name, last);
        QCOMPARE(singleValue(pixels).value_or(quint8(9)), single);
    }

    // The places found in a random file with forms of the tile planted, searched from `start`
    // in pieces of `piece` positions, at most `keep` kept: "address name" in search order.
    void places_data() {
        using R = Row<int, int, int, bool, int, QList<QPoint>, QStringList, int>;
        const QList<QPoint> forms{{10, LeftRight}, {100, UpsideDown},       {200, Both},
                                  {300, Reversed}, {400, LeftRightSwapped}, {500, Stored}};
        // clang-format off
        rows(R{"the ends of pieces, the last whole tile", 1000, 64, 0, false, 99,
               {{63, Stored}, {128, Stored}, {191, Stored}, {984, Stored}}, {"63", "128", "191", "984"}, 4},
             R{"one byte past the last whole tile", 1000, 64, 0, false, 99,
               {{0, Stored}, {985, Cut}}, {"0"}, 1},
             R{"from the start round to it", 1000, 100, 500, false, 99,
               {{100, Stored}, {484, Stored}, {500, Stored}, {600, Stored}}, {"500", "600", "100", "484"}, 4},
             R{"start past the last tile", 1000, 100, 985, false, 99, {{984, Stored}, {3, Stored}}, {"3", "984"}, 2},
             R{"every form, named", 700, 1000, 0, true, 99, forms,
               {"10 mirrored left-right", "100 upside down", "200" + kAll,
                "300 values 0 1 2 3 \u2192 3 2 1 0", "400 mirrored left-right, values 0 1 2 3 \u2192 1 0 3 2", "500"}, 6},
             R{"the stored form alone", 700, 1000, 0, false, 99, forms, {"500"}, 1},
             R{"pieces of one position", 40, 1, 0, true, 99, {{3, Stored}, {20, Both}}, {"3", "20" + kAll}, 2},
             R{"in and after a run of one byte", 1000, 64, 0, false, 99,
               {{100, Run}, {300, Stored}, {399, Stored}}, {"300", "399"}, 2},
             R{"the bound", 1000, 64, 0, false, 2, {{30, Stored}, {70, Stored}, {600, Stored}}, {"30", "70"}, 3},
             R{"shorter than a tile", 15, 64, 0, true, 99, {}, {}, 0});
        // clang-format on
    }
    void places() {
        const auto [length, piece, start, samePicture, keep, plants, found, count] =
            fetch<int, int, int, bool, int, QList<QPoint>, QStringList, int>();
        const QString path =
            writeRom(dir, "file.gb", planted(randomBytes(length, 9), kTile, plants));
        auto file = std::get<std::unique_ptr<RomFile>>(RomFile::open(path));
        const auto kind = samePicture ? SearchKind::SamePicture : SearchKind::Stored;
        TileSearch search(*file, tileForms(kTile, kind), start, keep, piece);
        while (search.searchPiece() == TileSearch::State::Running)
            QVERIFY(search.permille() < 1000);
        QCOMPARE(search.permille(), 1000);
        const SearchResult& result = search.result();
        QStringList places;
        for (const FoundPlace& at : result.places)
            places << (QString::number(at.address) + u' ' + result.forms[at.form].name).trimmed();
        QCOMPARE(places, found);
        QCOMPARE(result.count, count);
    }
};

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
