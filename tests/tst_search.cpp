// Finding a tile in the file: the forms of a tile and the search over a file piece by piece
// (the core alone), then Ctrl+F, Ctrl+Shift+F, F3 and Shift+F3 in the window.
#include "core/rom/tilecodec.h"
#include "core/search/tilesearch.h"
#include "session.h"

#include <QComboBox>
#include <QFile>

namespace {

// How a tile is planted: as stored, mirrored, renumbered, its first 15 bytes only, or its
// first byte 300 times.
enum Form { Stored, LeftRight, UpsideDown, Both, Reversed, LeftRightSwapped, Cut, Run };

// The tile in one of those forms, worked out here pixel by pixel.
QByteArray formByHand(const TilePixels& tile, int form) {
    const bool lr = form == LeftRight || form == Both || form == LeftRightSwapped;
    const bool ud = form == UpsideDown || form == Both;
    TilePixels pixels{};
    for (int i = 0; i < 64; ++i) {
        const int x = lr ? 7 - i % 8 : i % 8;
        const int y = ud ? 7 - i / 8 : i / 8;
        const int v = tile[size_t(8 * y + x)];
        pixels[size_t(i)] = quint8(form == Reversed ? 3 - v : form == LeftRightSwapped ? v ^ 1 : v);
    }
    const QByteArray bytes = encodeByHand(pixels);
    return form == Run ? QByteArray(300, bytes[0]) : bytes.left(form == Cut ? 15 : 16);
}

// Each plant is (address, form).
QByteArray planted(QByteArray file, const TilePixels& tile, const QList<QPoint>& plants) {
    for (const QPoint& plant : plants) {
        const QByteArray bytes = formByHand(tile, plant.y());
        file.replace(plant.x(), bytes.size(), bytes);
    }
    return file;
}

// A tile of 64 pixels written as ".+o#" for the values 0 to 3, row after row.
TilePixels drawn(const char* rows) {
    TilePixels pixels{};
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = quint8(QByteArray(".+o#").indexOf(rows[i]));
    return pixels;
}

// Four values, no symmetry; its first byte repeated ends it, so that a run of that byte looks
// like the end of the tile.
const TilePixels kTile =
    decodeByHand(randomBytes(14, 3) + randomBytes(14, 3).left(1).repeated(2), 0);
const QString kAll = QStringLiteral(" mirrored left-right and upside down");
const QString kNoPlaces = QStringLiteral(
    "No places to go to: Ctrl+F (or Ctrl+Shift+F) searches this file for the selected tile.");

bool activate(Session& s) {
    s.form.activateWindow();
    return QTest::qWaitForWindowActive(&s.form);
}

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
        const TilePixels pixels = picture.isEmpty() ? kTile : drawn(qPrintable(picture));
        const std::vector<TileForm> forms = tileForms(pixels, SearchKind::SamePicture);
        QCOMPARE(int(forms.size()), count);
        QCOMPARE(forms.back().name, last);
        QCOMPARE(forms.front().bytes, encodeTile(pixels));
        QCOMPARE(int(tileForms(pixels, SearchKind::Stored).size()), 1);
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
        QStringList places;
        for (const FoundPlace& place : search.result().places)
            places << (QString::number(place.address) + u' ' +
                       search.result().forms[place.form].name)
                          .trimmed();
        QCOMPARE(places, found);
        QCOMPARE(search.result().count, count);
    }

    // Keys in the window on a 1 MiB file (pieces of 256 KiB) whose tile at 16 is in cell (0, 0)
    // of the editor: after each key the status line and the top address; at the end the
    // browser shows the view with the last place marked, and the file is unchanged.
    void keys_data() {
        // offset, plants, keys ("F" Ctrl+F, "P" Ctrl+Shift+F, "N" F3, "B" Shift+F3): status
        // lines, tops; the address box and the mark at the end
        using R = Row<int, QList<QPoint>, QString, QStringList, QList<int>, QString, QPoint>;
        const int last = (1 << 20) - 16;
        // clang-format off
        rows(R{"stored: over a piece boundary, the last tile, round, back", 0,
               {{262160, Stored}, {last, Stored}, {5000, Reversed}}, "FNNNBB",
               {"Found at 262160 (1 of 3)", "Found at 1048560 (2 of 3)", "Found at 16 (3 of 3)",
                "Found at 262160 (1 of 3)", "Found at 16 (3 of 3)", "Found at 1048560 (2 of 3)"},
               {262160, last, 16, 262160, 16, last}, "1048560", {0, 0}},
             R{"same picture, Add to address 5", 5, {{4003, LeftRight}, {5000, Reversed}}, "PN",
               {"Found at 4003 (1 of 3), mirrored left-right",
                "Found at 5000 (2 of 3), values 0 1 2 3 \u2192 3 2 1 0"}, {4003, 5000}, "4995", {0, 0}},
             R{"in a whole cell: the view stays", 0, {{208, Stored}}, "FN",
               {"Found at 208 (1 of 2)", "Found at 16 (2 of 2)"}, {0, 0}, "16", {1, 0}},
             R{"in the last, cut-off column: a jump", 0, {{144, Stored}}, "F",
               {"Found at 144 (1 of 2)"}, {144}, "144", {0, 0}},
             R{"before the offset's own address", 8, {{3, Stored}}, "F",
               {"Found at 3 (1 of 2); \"Add to address\" is now 3 to show it"}, {3}, "0", {0, 0}});
        // clang-format on
    }
    void keys() {
        const auto [offset, plants, keys, statuses, tops, text, mark] =
            fetch<int, QList<QPoint>, QString, QStringList, QList<int>, QString, QPoint>();
        Session s;
        s.chooseOffset(offset);
        QByteArray bytes = randomBytes(1 << 20, 4);
        bytes.replace(16 + offset, 16, encodeByHand(kTile));
        bytes = planted(bytes, kTile, plants);
        s.open(bytes);
        s.copyToEditor(1, 0);
        s.select(0, 0);
        QVERIFY(activate(s));
        for (qsizetype i = 0; i < keys.size(); ++i) {
            const char key = keys[i].toLatin1();
            s.key(key == 'N' || key == 'B' ? Qt::Key_F3 : Qt::Key_F,
                  key == 'F'   ? Qt::ControlModifier
                  : key == 'P' ? Qt::ControlModifier | Qt::ShiftModifier
                  : key == 'B' ? Qt::ShiftModifier
                               : Qt::NoModifier);
            QCOMPARE(s.status(), statuses[i]);
            QCOMPARE(s.state().BrowserTopAddress, tops[i]);
        }
        QCOMPARE(s.form.TextAddress->text(), text);
        QCOMPARE(s.state().BrowserSelAddress, tops.last() + 16 * (mark.x() + 10 * mark.y()));
        COMPARE_PICTURE(s.browser(),
                        expectedBrowser(bytes, {tops.last(), 3, false, mark.x(), mark.y()}),
                        QTest::currentDataTag());
        // Searching is no step: the last one is still the copy.
        s.key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(s.status(),
                 "Undone: copy of address " + QString::number(16 + offset) + " into cell ( 0, 0)");
        QCOMPARE(s.onDisk(), bytes);
        const QString task = QString(keys[0] == 'F' ? "Find the tile" : "Find the same picture") +
                             ": Searching " + s.path + " ...";
        QCOMPARE(s.prompts.tasks, QStringList(keys.count('F') + keys.count('P'), task));
        VERIFY_PROMPTS(s.prompts);
    }

    // What ends a key's work before a place is shown: a box (titled by the key), or the status
    // line; the searches run (whatever happens during them); and F3 has no place to go to.
    void stopped_data() {
        // file open, setup, key ('F' Ctrl+F, 'P' Ctrl+Shift+F, 'N' F3): box, status, searches
        using R = Row<bool, QString, char, QString, QString, int>;
        const QString oneValue = "All 64 pixels of the selected tile have the value %1.\rSuch a "
                                 "tile would be found in every plain stretch of the file,\rso it "
                                 "is not searched for. Select a tile with a picture.";
        const QString stopped = "The file %1 was shortened, removed or replaced during the "
                                "search.\rThe search was stopped.";
        // clang-format off
        rows(R{"no file", false, "", 'F', "No file is open. Open a file to search it for the selected tile.", "", 0},
             R{"a hidden cell", true, "hide", 'P', "The selected cell has no address, and noncopied tiles are "
               "hidden.\rSelect a cell that shows the tile to search for.", "", 0},
             R{"an empty cell", true, "empty", 'F', oneValue.arg(0), "", 0},
             R{"a filled cell", true, "fill", 'P', oneValue.arg(2), "", 0},
             R{"painted: not in the file", true, "paint", 'F', "The selected tile is not in %1.", "", 1},
             R{"painted: no form in the file", true, "paint", 'P', "Neither the selected tile nor a "
               "mirrored or renumbered form of it is in %1.", "", 1},
             R{"F3 before a search", true, "", 'N', "", kNoPlaces, 0},
             R{"cancelled, a search meanwhile", true, "cancel", 'F', "", "The search was cancelled.", 1},
             R{"shortened meanwhile", true, "shorten", 'F', stopped, "", 1},
             R{"removed meanwhile", true, "remove", 'P', stopped, "", 1});
        // clang-format on
    }
    void stopped() {
        const auto [open, setup, key, box, status, searches] =
            fetch<bool, QString, char, QString, QString, int>();
        Session s;
        QByteArray bytes = randomBytes(1 << 20, 5).replace(16, 16, encodeByHand(kTile));
        if (open) s.open(bytes);
        if (open) s.copyToEditor(1, 0);
        s.select(setup == "empty" || setup == "hide" ? 5 : 0, 0);
        if (setup == "hide") Session::click(s.form.ChkNoncopied);
        if (setup == "fill") s.fill(0, 0, 2);
        if (setup == "paint") s.paint(0, 0, 0, 0, (kTile[0] + 1) % 4);
        int nested = 0; // a search started while one runs (the dialog keeps keys out)
        s.prompts.afterPiece = [&, setup = setup](int pieces) {
            if (setup == "cancel" && nested++ == 0) s.form.findTile();
            if (setup == "shorten") QFile::resize(s.path, 300000);
            if (setup == "remove") QFile::remove(s.path);
            return setup == "cancel" && pieces == 2;
        };
        const QString title = key == 'F' ? "Find the tile" : "Find the same picture";
        if (!box.isEmpty())
            s.prompts.expect(expected::refusal(QString(box).replace("%1", s.path), title));
        QVERIFY(activate(s));
        const QString before = s.status();
        s.key(key == 'N' ? Qt::Key_F3 : Qt::Key_F, key == 'P'
                                                       ? Qt::ControlModifier | Qt::ShiftModifier
                                                   : key == 'F' ? Qt::ControlModifier
                                                                : Qt::NoModifier);
        QCOMPARE(s.status(), status.isEmpty() ? before : status);
        QCOMPARE(s.prompts.tasks.size(), searches);
        s.key(Qt::Key_F3);
        QCOMPARE(s.status(), kNoPlaces);
        VERIFY_PROMPTS(s.prompts);
    }
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
