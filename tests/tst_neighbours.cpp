// Pelorin beside other programs: the open file written in place, lengthened, shortened,
// replaced and removed by another program (the test, through its own handle) while the window
// watches it; the question before a save over another program's change; Ctrl+R.
#include "romimages.h"
#include "session.h"
#include "ui/platform/filewatch.h"
#include "ui/platform/launcher.h"

#include <QFile>
#include <QLabel>
#include <QSignalSpy>

#include <cstdio>

namespace {

// Returns once the window has followed what another program did to its file: the watch's
// report of the burst, which the window handles before the report returns.
bool followed(Session& s) {
    QSignalSpy report(s.form.findChild<FileWatch*>(), &FileWatch::changed);
    return report.wait(5000);
}

// Another program writes `bytes` at `at` of `path` through its own handle, in place.
void writeInPlace(const QString& path, qint64 at, const QByteArray& bytes) {
    QFile other(path);
    if (!other.open(QIODevice::ReadWrite) || !other.seek(at) || other.write(bytes) != bytes.size())
        qFatal("the other program can not write %s", qPrintable(path));
}

// The question before a save over another program's change at `address`; No is the default.
MessageSpec othersChanged(int address) {
    MessageSpec box = expected::yesNo(
        QStringLiteral("Another program changed the bytes at address %1\rsince this program last "
                       "read them into the editor or wrote them.\rDo you want to write the tile "
                       "over their change?")
            .arg(address),
        QStringLiteral("Another program changed the file"));
    box.defaultButton = MsgAnswer::No;
    return box;
}

// Launches nothing; records what it was asked to start.
struct RecordingLauncher : Launcher {
    QList<QStringList> started;
    bool startDetached(const QStringList& command) override {
        started << command;
        return true;
    }
};

} // namespace

class TestNeighbours : public QObject {
    Q_OBJECT
  private slots:
    // Another program writes 16 bytes in place, lengthens or shortens the file (also below the
    // view's top address): the browser shows the file as it is now, the length is taken again
    // for the write checks, the editor and the status line stay as they were.
    void followsChangesInPlace_data() {
        using R = Row<qint64, qint64, qint64, qint64>; // top, length, changed at, typed target
        rows(R{"16 bytes", 0, 1000, 64, 984}, R{"lengthened", 0, 2000, 1200, 1984},
             R{"shortened", 0, 300, -1, 290}, R{"shortened below the top", 640, 300, -1, 284});
    }
    void followsChangesInPlace() {
        const auto [top, length, changedAt, typed] = fetch<qint64, qint64, qint64, qint64>();
        Session s;
        QByteArray bytes = randomBytes(1000, 3);
        s.open(bytes);
        s.copyToEditor(1, 0);
        s.jumpTo(top);
        const EditorTileArray cells = s.state().EditorTiles;
        const QString status = s.status();
        bytes = (bytes + randomBytes(length, 4)).left(length);
        if (changedAt >= 0) bytes.replace(changedAt, 16, randomBytes(16, 5));
        QVERIFY(QFile::resize(s.path, length));
        const qint64 from = qMin<qint64>(changedAt >= 0 ? changedAt : length, 1000);
        writeInPlace(s.path, from, bytes.mid(from));
        QVERIFY(followed(s));
        COMPARE_PICTURE(s.browser(), expectedBrowser(bytes, {.top = top, .markColumn = 1}), "now");
        QCOMPARE(s.state().EditorTiles, cells);
        QCOMPARE(s.status(), status);
        // Cell 1, empty, written at the typed address: within the new length, or refused.
        Session::type(s.form.TextEditAddress, QString::number(typed));
        s.confirmNextWrite();
        if (typed > length - 16) s.prompts.expect(expected::kInvalidTypedAddress);
        if (typed <= length - 16) bytes.replace(typed, 16, QByteArray(16, '\0'));
        Session::click(s.form.BtCopyToAddress);
        QCOMPARE(s.onDisk(), bytes);
        VERIFY_PROMPTS(s.prompts);
    }

    // A file renamed over the path, the path removed and a file appearing
    // there again, the file renamed away and back. The new file (a Game Boy image) is opened in
    // place of the old one, its header looked at: the browser shows it, the editor keeps its
    // cells and addresses, the writes to the old file leave the history (the next undo takes
    // the paint before them); then a change in place of the new file is followed too. While
    // the path names nothing the view stays.
    void followsAnotherFileAtThePath_data() {
        using R = Row<QString, QString>; // status after, next undo
        const QString replaced = "Another program replaced %1; the new file is shown.";
        rows(R{"renamed over", replaced, "paint in cell ( 0, 0)"},
             R{"removed", "Another program removed %1; the view shows it as it was.", ""},
             R{"removed, then a new file", replaced, "paint in cell ( 0, 0)"},
             R{"renamed away and back", "%1 is back in its place.", "save of cell ( 0, 0) at 16"});
    }
    void followsAnotherFileAtThePath() {
        const auto [status, undone] = fetch<QString, QString>();
        const QString how = QTest::currentDataTag();
        Session s;
        QByteArray bytes = randomBytes(4096, 6);
        s.open(bytes);
        s.copyToEditor(1, 0);
        s.paint(0, 0, 0, 0, 3);
        s.select(0, 0);
        s.confirmNextWrite();
        Session::click(s.form.SaveTile);
        bytes = s.onDisk();
        const EditorTileArray cells = s.state().EditorTiles;
        if (how.startsWith("removed")) QVERIFY(QFile::remove(s.path));
        if (how.startsWith("renamed away")) QVERIFY(QFile::rename(s.path, s.path + ".away"));
        if (how != "renamed over") QVERIFY(followed(s));
        if (how.startsWith("renamed away")) QVERIFY(QFile::rename(s.path + ".away", s.path));
        if (how != "removed" && !how.startsWith("renamed away")) {
            bytes = gameBoyImage(3000, 7);
            const QString fresh = writeRom(s.dir, "new.gb", bytes); // renamed over, as editors do
            QVERIFY(std::rename(qPrintable(fresh), qPrintable(s.path)) == 0);
        }
        if (how != "removed") QVERIFY(followed(s));
        QCOMPARE(s.status(), status.arg(s.path));
        QCOMPARE(s.state().EditorTiles, cells);
        QCOMPARE(s.state().RomFileLength, bytes.size());
        QCOMPARE(s.state().RomCartridge.kind, // looked at anew in a new file
                 bytes.size() == 3000 ? CartridgeKind::GameBoy : CartridgeKind::Plain);
        COMPARE_PICTURE(s.browser(), expectedBrowser(bytes, {.markColumn = 1}), "shown");
        if (how != "removed" && !how.startsWith("renamed away")) {
            s.prompts.expect(
                expected::refusal(QStringLiteral("This session changed no byte of %1.").arg(s.path),
                                  "Can not make a patch")); // the writes went to the old file
            s.key(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        }
        VERIFY_PROMPTS(s.prompts);
        if (how == "removed") return;
        bytes.replace(32, 16, randomBytes(16, 8));
        writeInPlace(s.path, 32, bytes.mid(32, 16));
        QVERIFY(followed(s));
        COMPARE_PICTURE(s.browser(), expectedBrowser(bytes, {.markColumn = 1}), "changed");
        if (undone.startsWith("save"))
            s.prompts.expect(expected::confirmUndo("at address 16"), MsgAnswer::Yes);
        s.key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(s.status(), "Undone: " + undone);
        // What the cell came from is still what the new file is compared with.
        s.confirmNextWrite();
        if (undone.startsWith("paint")) s.prompts.expect(othersChanged(16), MsgAnswer::No);
        const QByteArray kept = s.onDisk();
        s.select(0, 0); // the undone paint took the selection back to cell 1
        Session::click(s.form.SaveTile);
        if (undone.startsWith("paint")) QCOMPARE(s.onDisk(), kept);
        VERIFY_PROMPTS(s.prompts);
    }

    // Cells 0 and 2 hold address 32, cell 1 address 16, all painted; cell 1 was written at 24,
    // over bytes of both addresses, that write undone and redone, and an editor step undone.
    // Alone with its file the program asks nothing. Another program changes bytes 36 to 43:
    // "Save the selected tile" (cell 0) and "Save all" ask once about address 32 after the
    // confirmation, and leave those bytes to the other program when answered No; Save all
    // writes cell 1 all the same.
    void asksBeforeOverwritingAnotherProgramsChange_data() {
        using R = Row<Button, bool, MsgAnswer>; // the button, another program wrote, answer
        rows(R{"selected, Yes", &FormMain::SaveTile, true, MsgAnswer::Yes},
             R{"selected, No", &FormMain::SaveTile, true, MsgAnswer::No},
             R{"all, alone", &FormMain::BtSaveEdit, false, MsgAnswer::Yes},
             R{"all, No", &FormMain::BtSaveEdit, true, MsgAnswer::No});
    }
    void asksBeforeOverwritingAnotherProgramsChange() {
        const auto [button, otherWrote, answer] = fetch<Button, bool, MsgAnswer>();
        Session s;
        s.open(randomBytes(8192, 9));
        for (const int column : {2, 1, 2})
            s.copyToEditor(column, 0);
        s.fill(0, 0, 3);
        s.fill(1, 0, 2);
        s.select(1, 0);
        Session::type(s.form.TextEditAddress, QStringLiteral("24"));
        s.confirmNextWrite();
        Session::click(s.form.BtCopyToAddress);
        s.prompts.expect(expected::confirmUndo("at address 24"), MsgAnswer::Yes);
        s.key(Qt::Key_Z, Qt::ControlModifier);
        s.confirmNextWrite();
        s.key(Qt::Key_Y, Qt::ControlModifier);
        s.fill(0, 0, 1);
        s.key(Qt::Key_Z, Qt::ControlModifier);
        s.select(0, 0);
        if (otherWrote) writeInPlace(s.path, 36, "ABCDEFGH");
        QByteArray bytes = s.onDisk();
        s.confirmNextWrite();
        if (otherWrote) s.prompts.expect(othersChanged(32), answer);
        TilePixels color{};
        if (answer == MsgAnswer::Yes) bytes.replace(32, 16, encodeByHand((color.fill(3), color)));
        if (button == &FormMain::BtSaveEdit)
            bytes.replace(16, 16, encodeByHand((color.fill(2), color)));
        Session::click(s.form.*button);
        QCOMPARE(s.onDisk().toHex(' '), bytes.toHex(' '));
        VERIFY_PROMPTS(s.prompts);
    }

    // Ctrl+R with a temporary XDG configuration: the first default set for the file's type
    // that is installed (not this program's own entry) gets the file's path. The real launcher
    // starts the script, which records its arguments; the recording launcher shows the
    // command. With no default, a box says how to set one and nothing starts.
    void runsTheGame_data() {
        // file, defaults, Exec: the arguments started (a line each), the box shown
        using R = Row<QString, QString, QString, QString, QString>;
        const QString gb = "application/x-gameboy-rom=";
        const QString none =
            "No program is set to open files of the type application/x-gameboy-rom.\rSet your "
            "emulator with the command\rxdg-mime default NAME.desktop application/x-gameboy-rom"
            "\rwhere NAME.desktop is the emulator's desktop file.";
        rows(R{"script", "rom.gb", gb + "gone.desktop;player.desktop;",
               R"("SCRIPT" --rom=%f "two words" %i)", "--rom=PATH\ntwo words", ""},
             R{"command", "rom.sfc", "application/vnd.nintendo.snes.rom=player.desktop",
               "player %u", "player\nPATH", ""},
             R{"this program only", "rom.gb", gb + "pelorin.desktop", "player %f", "", none},
             R{"missing program", "rom.gb", gb + "player.desktop", "/nonexistent/player", "",
               "Test Player (player.desktop) could not be started.\rIts command is: "
               "/nonexistent/player"});
    }
    void runsTheGame() {
        const auto [name, defaults, exec, started, box] =
            fetch<QString, QString, QString, QString, QString>();
        QTemporaryDir xdg;
        for (const auto& [variable, folder] : {std::pair("XDG_CONFIG_HOME", "config"),
                                               {"XDG_DATA_HOME", "data"},
                                               {"XDG_CONFIG_DIRS", "none"}}) {
            QVERIFY(QDir().mkpath(xdg.filePath(folder + QStringLiteral("/applications"))));
            qputenv(variable, QFile::encodeName(xdg.filePath(folder)));
        }
        const QString script = writeRom(xdg, "script",
                                        "#!/bin/sh\nprintf '%s\\n' \"$@\" >$0.tmp\n"
                                        "mv $0.tmp $0.args\n");
        QVERIFY(QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner));
        for (const char* id : {"player", "pelorin"})
            writeRom(xdg, QStringLiteral("data/applications/%1.desktop").arg(id),
                     "[Desktop Entry]\nType=Application\nName=Test Player\nExec=" +
                         QString(exec).replace("SCRIPT", script).toUtf8());
        writeRom(xdg, "config/mimeapps.list", "[Default Applications]\n" + defaults.toUtf8());
        Session s;
        RecordingLauncher launcher;
        const bool real = !exec.startsWith("player");
        if (!real) s.form.setLauncher(launcher);
        s.open(randomBytes(64, 11), name);
        const QString expected = QString(started).replace("PATH", s.path);
        if (!box.isEmpty()) s.prompts.expect(expected::refusal(box, "Can not run the game"));
        s.key(Qt::Key_R, Qt::ControlModifier);
        if (real && box.isEmpty())
            QTRY_COMPARE(QString(fileBytes(script + ".args")), expected + '\n');
        if (!real) QCOMPARE(launcher.started.value(0).join('\n'), expected);
        if (!started.isEmpty()) QCOMPARE(s.status(), s.path + " was opened with Test Player.");
        VERIFY_PROMPTS(s.prompts);
    }
};

QTEST_MAIN(TestNeighbours)
#include "tst_neighbours.moc"
