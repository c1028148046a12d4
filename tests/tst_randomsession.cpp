// A long, seeded series of random user actions on the window's widgets, with the files and
// the editor checked after every action. PELORIN_SEED sets the seed (default 20261207) and
// PELORIN_SOAK_ACTIONS the number of actions (default 3000); a failure names the seed and the
// last actions, so that the same session can be repeated.
#include "session.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>

#include <random>
#include <vector>

namespace {

// Typed texts beside the numbers in and around the file: no number, a fraction, and numbers
// beyond an address's reach or wrapping to negative ones (the core's tests read each exactly).
const QStringList kTexts =
    QStringLiteral("abc|&|&H|.5| \t\n|\u00e4\u20ac|1e309|-2147483649|2147483648|&HFFFFFFFF|&H8000")
        .split(u'|');

// Only another program's change brings this question; alone with its files, none comes.
bool asksAboutOthers(const MessageSpec& box) {
    return box.title == QLatin1String("Another program changed the file");
}

struct Rom {
    QString path;
    QByteArray bytes;
    bool readOnly;
};

// A file changes only while open, after a Yes, in windows of 16 bytes at addresses 1 and up
// that hold an editor cell's tile; its length never changes.
QString checkFile(Rom& rom, const FormMainState& st, bool confirmed) {
    const QByteArray now = rom.path.isEmpty() ? rom.bytes : fileBytes(rom.path);
    if (now.size() != rom.bytes.size())
        return QStringLiteral("%1 changed its length to %2.").arg(rom.path).arg(now.size());
    if (now == rom.bytes) return {};
    if (rom.readOnly || !confirmed || !st.RomFileOpen || st.RomFilePath != rom.path)
        return rom.path + " changed without a confirmed write to it.";
    QSet<QByteArray> tiles;
    for (const TileRecord& t : st.EditorTiles)
        tiles.insert(encodeByHand(t.Pixels));
    for (qsizetype p = 0; p < now.size(); ++p) {
        bool explained = now[p] == rom.bytes[p];
        for (qsizetype a = qMax<qsizetype>(1, p - 15); !explained && a <= qMin(p, now.size() - 16);
             ++a)
            explained = tiles.contains(now.mid(a, 16));
        if (!explained)
            return QStringLiteral("Byte %1 of %2 changed; no write of an editor tile covers it.")
                .arg(p)
                .arg(rom.path);
    }
    rom.bytes = now;
    return {};
}

} // namespace

class TestRandomSession : public QObject {
    Q_OBJECT
    std::mt19937 m_rng;
    QStringList m_log;

    int below(int n) { return n <= 0 ? 0 : int(m_rng() % quint32(n)); }
    bool chance(int percent) { return below(100) < percent; }
    QString text(qint32 length) {
        if (chance(40)) return kTexts[below(int(kTexts.size()))];
        return QString::number(below(length + 40) - 8) + (chance(20) ? ".5" : "");
    }
    // Mostly inside a box of `extent` pixels, sometimes on its edges, outside or far away.
    double position(int extent) {
        const int where = below(8);
        if (where == 0) return -below(3 * extent) - 0.5;
        if (where == 1) return extent + below(3 * extent);
        if (where == 2) return chance(50) ? 1e7 : -0.25;
        return below(extent * 100) / 100.0;
    }
    void act(Session& s, qint32 length, bool oneFile = false) {
        FormMain& f = s.form;
        // clang-format off
        QWidget* const buttons[] = { // the first three reach beyond the open file
            f.BtOpenFile, f.BtCloseFile, f.Bthelp,
            f.BtBrowZoomIn, f.BtBrowZoomOut, f.BtJumpAdd, f.BtSaveEdit, f.BtReload, f.BtEditClear,
            f.BtEditZoomOut, f.BtEditZoomIn, f.BtDeleteSprite, f.SaveTile, f.BtReloadTile,
            f.BtCopySelTile, f.BtCopyToAddress, f.ChkGrid, f.ChkGridEditor, f.ChkNoncopied,
            f.ChkWriteProtected, f.ChkFlipX, f.ChkFlipY, f.OptionSelect, f.OptionPaint,
            f.OptionFill, f.BtCol[0], f.BtCol[1], f.BtCol[2], f.BtCol[3]};
        // clang-format on
        const Qt::MouseButton mouse = chance(80) ? Qt::LeftButton : Qt::RightButton;
        PictureBox* const box = chance(50) ? f.SpriteBox : f.EditorBox;
        const auto point = [&] {
            return QPointF(position(box->scaleWidth()), position(box->scaleHeight()));
        };
        const QPointF at = point();
        const QString where = QString::asprintf("at (%g, %g)", at.x(), at.y());
        const int what = below(10);
        if (what < 3) {
            const int i = (oneFile ? 3 : 0) + below(int(std::size(buttons)) - (oneFile ? 3 : 0));
            m_log << QString::asprintf("click button %d with %d", i, int(mouse));
            Session::click(buttons[i], mouse);
        } else if (what == 3) {
            m_log << QStringLiteral("offset list and scroll bar keys");
            for (QWidget* field : std::array<QWidget*, 2>{f.ComboDivert, f.SpriteScroll}) {
                field->setFocus();
                QTest::keyClick(field, std::array{Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown,
                                                  Qt::Key_End, Qt::Key_Home}[below(5)]);
            }
        } else if (what < 6) {
            m_log << (box == f.SpriteBox ? "press browser " : "press editor ") + where;
            Session::press(box, at, mouse);
            for (int i = below(4); i > 0; --i)
                Session::move(box, point(), mouse);
            Session::release(box, at, mouse);
        } else if (what == 6) {
            m_log << "double-click browser " + where;
            Session::doubleClick(f.SpriteBox, at);
        } else {
            const bool jump = what == 7;
            const QString typed = text(length);
            m_log << (jump ? "jump to \"" : "write to \"") + typed + '"';
            Session::type(jump ? f.TextAddress : f.TextEditAddress, typed);
            Session::click(jump ? f.BtJumpAdd : f.BtCopyToAddress);
        }
    }

  private slots:
    // Any series of actions on one file, undone to its start, leaves the editor and the file
    // as they were; redone to its end, as they were then.
    void randomSessionUndoesToItsStart_data() {
        rows(Row<quint32>{"seed 1", 1}, Row<quint32>{"seed 2", 2}, Row<quint32>{"seed 3", 3});
    }
    void randomSessionUndoesToItsStart() {
        const auto [seed] = fetch<quint32>();
        m_rng.seed(seed);
        Session s;
        bool asked = false;
        s.prompts.anyBox = [this, &asked](const MessageSpec& box) { // the editor cleared seldom
            asked = asked || asksAboutOthers(box);
            return box == expected::kConfirmClear && chance(80) ? MsgAnswer::No : MsgAnswer::Yes;
        };
        const QByteArray original = randomBytes(4096, seed);
        s.open(original);
        for (int action = 0; action < 150; ++action)
            act(s, 4096, true);
        s.form.EditorBox->setFocus(); // not an address field, whose Ctrl+Z undoes typing
        const auto now = [&s] { return std::pair(s.state().EditorTiles, s.onDisk()); };
        const auto end = now();
        for (int n = 0; n < 400 && s.status() != "Nothing to undo."; ++n)
            s.key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(now() == std::pair(EditorTileArray{}, original));
        for (int n = 0; n < 400 && s.status() != "Nothing to redo."; ++n)
            s.key(Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(now() == end);
        QVERIFY(!asked);
    }
    void randomSessionKeepsFilesAndStateSound() {
        quint32 seed = quint32(qEnvironmentVariableIntValue("PELORIN_SEED"));
        seed = seed ? seed : 20261207;
        const int soak = qEnvironmentVariableIntValue("PELORIN_SOAK_ACTIONS");
        m_rng.seed(seed);
        Session s;
        std::vector<Rom> roms;
        for (const qsizetype length : {0, 1, 15, 16, 17, 1000, 65536, 4096}) {
            const QString path = s.write(randomBytes(length, seed + quint32(roms.size())),
                                         QStringLiteral("rom%1.gb").arg(roms.size()));
            roms.push_back({path, fileBytes(path), length == 4096});
        }
        QVERIFY(QFile::setPermissions(roms.back().path, QFile::ReadOwner | QFile::ReadGroup));
        roms.push_back({s.dir.filePath(QStringLiteral("missing.gb")), {}, false}); // never made
        roms.push_back({});                                                        // a cancel
        bool confirmed = false, asked = false, ended = false;
        s.prompts.anyBox = [&](const MessageSpec& box) {
            asked = asked || asksAboutOthers(box);
            if (box.buttons == MsgButtons::Ok) return MsgAnswer::Ok;
            const bool yes = chance(50);
            confirmed = confirmed || (yes && box.title == QLatin1String("Really saving changes?"));
            return yes ? MsgAnswer::Yes : MsgAnswer::No;
        };
        s.prompts.anyOpen = [&] { return roms[size_t(below(int(roms.size())))].path; };
        s.form.setEndProgram([&ended](int) { ended = true; });
        const FormMainState& st = s.state();
        for (int done = 0; done < (soak > 0 ? soak : 3000); ++done) {
            confirmed = false;
            act(s, st.RomFileOpen ? st.RomFileLength : 1000);
            QStringList wrong;
            if (ended) wrong << "The program ended without an exit.";
            if (asked) wrong << "A save asked about another program's change; there is none.";
            for (Rom& rom : roms)
                wrong << checkFile(rom, st, confirmed);
            for (const TileRecord& t : st.EditorTiles)
                if (*std::max_element(t.Pixels.begin(), t.Pixels.end()) > 3)
                    wrong << "An editor pixel holds more than 3.";
            if (!QRect(0, 0, 10, 8).contains(st.EditorSelColumn, st.EditorSelRow))
                wrong << "The editor selection left its grid.";
            if (!QRect(0, 0, st.BrowserColumns, st.BrowserRows)
                     .contains(st.BrowserSelColumn, st.BrowserSelRow))
                wrong << QString::asprintf("The browser mark (%d, %d) left its grid.",
                                           st.BrowserSelColumn, st.BrowserSelRow);
            wrong.removeAll(QString());
            if (!wrong.isEmpty())
                QFAIL(
                    qPrintable(wrong.join(u'\n') +
                               QString::asprintf("\nseed %u, after %lld actions; the last ones:\n",
                                                 seed, qlonglong(m_log.size())) +
                               m_log.mid(qMax<qsizetype>(0, m_log.size() - 40)).join(u'\n')));
        }
    }
};

QTEST_MAIN(TestRandomSession)
#include "tst_randomsession.moc"
