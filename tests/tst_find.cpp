// Ctrl+F, Ctrl+Shift+F, F3 and Shift+F3 in the window: the places found marked and brought
// into view, the boxes and the status lines that say why not, the progress of a search.
#include "searchtiles.h"
#include "session.h"
#include "ui/platform/filewatch.h"

#include <QFile>
#include <QSignalSpy>

#include <cstdio>

namespace {

const TilePixels kTile = searchedTile();
const QString kNoPlaces = QStringLiteral(
    "No places to go to: Ctrl+F (or Ctrl+Shift+F) searches this file for the selected tile.");

bool activate(Session& s) {
    s.form.activateWindow();
    return QTest::qWaitForWindowActive(&s.form);
}

// The search keys by a letter: F Ctrl+F, P Ctrl+Shift+F, N F3, B Shift+F3.
void press(Session& s, char key) {
    const bool find = key == 'F' || key == 'P', shift = key == 'P' || key == 'B';
    s.key(find ? Qt::Key_F : Qt::Key_F3, (find ? Qt::ControlModifier : Qt::NoModifier) |
                                             (shift ? Qt::ShiftModifier : Qt::NoModifier));
}

} // namespace

class TestFind : public QObject {
    Q_OBJECT
  private slots:
    // Keys in the window on a 1 MiB file (pieces of 256 KiB) whose tile at 16 is in cell (0, 0)
    // of the editor: after each key the status line and the top address; at the end the
    // browser shows the view with the last place marked, and the searches' progress was shown.
    void keys_data() {
        // offset, plants, keys (as press() reads them): status lines, tops; the address box and
        // the mark at the end
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
        const QByteArray bytes = planted(
            randomBytes(1 << 20, 4).replace(16 + offset, 16, encodeByHand(kTile)), kTile, plants);
        s.open(bytes);
        s.copyToEditor(1, 0);
        s.select(0, 0);
        QVERIFY(activate(s));
        for (qsizetype i = 0; i < keys.size(); ++i) {
            press(s, keys[i].toLatin1());
            QCOMPARE(s.status(), statuses[i]);
            QCOMPARE(s.state().BrowserTopAddress, tops[i]);
        }
        QCOMPARE(s.form.TextAddress->text(), text);
        QCOMPARE(s.state().BrowserSelAddress, tops.last() + 16 * (mark.x() + 10 * mark.y()));
        COMPARE_PICTURE(s.browser(),
                        expectedBrowser(bytes, {tops.last(), 3, false, mark.x(), mark.y()}),
                        QTest::currentDataTag());
        const QString task = QString(keys[0] == 'F' ? "Find the tile" : "Find the same picture") +
                             ": Searching " + s.path + " ...";
        QCOMPARE(s.prompts.tasks, QStringList(keys.count('F') + keys.count('P'), task));
        VERIFY_PROMPTS(s.prompts);
    }

    // What ends a key's work before a place is shown: a box (titled by the key), or the status
    // line; the searches run (whatever happens during them); and F3 has no place to go to.
    void stopped_data() {
        // file open, setup, key (as press() reads it): box, status, searches
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
             R{"a filled cell", true, "fill", 'P', oneValue.arg(2), "", 0},
             R{"painted: not in the file", true, "paint", 'F', "The selected tile is not in %1.", "", 1},
             R{"painted: no form in the file", true, "paint", 'P', "Neither the selected tile nor a "
               "mirrored or renumbered form of it is in %1.", "", 1},
             R{"cancelled, a search meanwhile", true, "cancel", 'F', "", "The search was cancelled.", 1},
             R{"shortened meanwhile", true, "shorten", 'F', stopped, "", 1},
             R{"removed meanwhile", true, "remove", 'P', stopped, "", 1},
             R{"replaced meanwhile, the watch following", true, "replace", 'F', stopped,
               "Another program replaced %1; the new file is shown.", 1});
        // clang-format on
    }
    void stopped() {
        const auto [open, setup, key, box, status, searches] =
            fetch<bool, QString, char, QString, QString, int>();
        Session s;
        QByteArray bytes = randomBytes(1 << 20, 5).replace(16, 16, encodeByHand(kTile));
        if (open) s.open(bytes);
        if (open) s.copyToEditor(1, 0);
        s.select(setup == "hide" ? 5 : 0, 0);
        if (setup == "hide") Session::click(s.form.ChkNoncopied);
        if (setup == "fill") s.fill(0, 0, 2);
        if (setup == "paint") s.paint(0, 0, 0, 0, (kTile[0] + 1) % 4);
        int nested = 0; // a search started while one runs (the dialog keeps keys out)
        s.prompts.afterPiece = [&, setup = setup](int pieces) {
            if (setup == "cancel" && nested++ == 0) s.form.findTile();
            if (setup == "shorten") QFile::resize(s.path, 300000);
            if (setup == "remove") QFile::remove(s.path);
            if (setup == "replace" && pieces == 1) {
                // Renamed over the path; the events run between pieces until the dialog shows.
                QSignalSpy followed(s.form.findChild<FileWatch*>(), &FileWatch::changed);
                std::rename(qPrintable(writeRom(s.dir, "new.gb", bytes)), qPrintable(s.path));
                followed.wait(5000); // when it does not follow, the status line says so
            }
            return setup == "cancel" && pieces == 2;
        };
        const QString title = key == 'F' ? "Find the tile" : "Find the same picture";
        if (!box.isEmpty())
            s.prompts.expect(expected::refusal(QString(box).replace("%1", s.path), title));
        QVERIFY(activate(s));
        const QString before = s.status();
        press(s, key);
        QCOMPARE(s.status(), status.isEmpty() ? before : QString(status).replace("%1", s.path));
        QCOMPARE(s.prompts.tasks.size(), searches);
        s.key(Qt::Key_F3);
        QCOMPARE(s.status(), kNoPlaces);
        VERIFY_PROMPTS(s.prompts);
    }

    // Past 100,000 places the first are kept and the rest counted; Shift+F3 from the first
    // goes round to the last kept. The tile 0F 00 repeated lies at every even address.
    void manyPlaces() {
        Session s;
        s.open(QByteArray::fromHex("0f00").repeated(1 << 17));
        s.copyToEditor(1, 0);
        s.select(0, 0);
        QVERIFY(activate(s));
        s.key(Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(s.status(), "Found at 18 (1 of the first 100000 of 131065)");
        s.key(Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(s.status(), "Found at 200016 (100000 of the first 100000 of 131065)");
        VERIFY_PROMPTS(s.prompts);
    }
};

QTEST_MAIN(TestFind)
#include "tst_find.moc"
