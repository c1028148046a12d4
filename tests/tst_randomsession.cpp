// A long, seeded series of random user actions on the window's widgets, with the files and
// the editor checked after every action.
//
// PELORIN_SEED sets the seed (default 20261207), PELORIN_SOAK_ACTIONS the number of actions
// (default 3000). A failure prints the seed and the last actions, so that
//   PELORIN_SEED=<seed> PELORIN_SOAK_ACTIONS=<n> tst_randomsession
// repeats the same session.
#include "session.h"
#include "ui/palette/formoptions.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QScrollBar>

#include <random>
#include <vector>

namespace {

// Typed texts: numbers in and around the file, and what the lenient reading must survive.
const QStringList kTexts =
    QStringLiteral("abc|&|&H|&Hxyz|&O9|--5|1..2|e5|nan|inf|0x10|1e|.|-| "
                   "\t\n|\u00e4\u20ac|12abc|&H-1|.5|1e308|1e309|-2147483649|2147483648|&HFFFFFFFF|&"
                   "H8000|&O37777777777|99999999999999999999|&HFFFFFFFFFFFF")
        .split(u'|');

struct Rom {
    QString path;
    QByteArray bytes;
    bool readOnly;
};

} // namespace

class TestRandomSession : public QObject {
    Q_OBJECT
    std::mt19937 m_rng;
    QStringList m_log;
    quint32 m_seed = 0;

    int below(int n) { return n <= 0 ? 0 : int(m_rng() % quint32(n)); }
    bool chance(int percent) { return below(100) < percent; }

    QString text(qint32 length) {
        if (chance(40)) return kTexts[below(int(kTexts.size()))];
        return QString::number(below(length + 40) - 8) +
               (chance(20) ? QStringLiteral(".5") : QString());
    }
    // Mostly inside a box of `extent` pixels, sometimes on its edges, outside or far away.
    double position(int extent) {
        switch (below(8)) {
        case 0:
            return -below(3 * extent) - 0.5;
        case 1:
            return extent + below(3 * extent);
        case 2:
            return chance(50) ? 1e7 : -0.25;
        default:
            return below(extent * 100) / 100.0;
        }
    }
    QString failure(const QString& what) const {
        QString text = QStringLiteral("%1\nseed %2, after %3 actions; the last ones:\n")
                           .arg(what)
                           .arg(m_seed)
                           .arg(m_log.size());
        for (qsizetype i = qMax<qsizetype>(0, m_log.size() - 40); i < m_log.size(); ++i)
            text += QStringLiteral("%1: %2\n").arg(i + 1).arg(m_log[i]);
        return text;
    }
    void act(Session& s, qint32 length);
    void actInOptions(FormOptions* dialog);
    [[nodiscard]] QString checkFile(Rom& rom, const Session& s, bool confirmed) const;

  private slots:
    void randomSessionKeepsFilesAndStateSound();
};

void TestRandomSession::actInOptions(FormOptions* dialog) {
    QWidget* const targets[] = {dialog->LbGridColor, dialog->LbSelectionColor, dialog->LbEmptyColor,
                                dialog->BtOk, dialog->BtAbort};
    const int pick = below(7);
    m_log << QStringLiteral("options: %1").arg(pick);
    if (pick < 5)
        Session::click(targets[pick]);
    else if (pick == 5)
        dialog->close();
    else
        QTest::keyClick(dialog, Qt::Key_Escape);
}

void TestRandomSession::act(Session& s, qint32 length) {
    FormMain& f = s.form;
    QWidget* const buttons[] = {
        f.BtOpenFile,      f.BtCloseFile,    f.BtOptions,     f.BtBrowZoomIn, f.BtBrowZoomOut,
        f.BtJumpAdd,       f.BtSaveEdit,     f.BtReload,      f.BtEditClear,  f.BtEditZoomOut,
        f.BtEditZoomIn,    f.BtDeleteSprite, f.SaveTile,      f.BtReloadTile, f.BtCopySelTile,
        f.BtCopyToAddress, f.ChkGrid,        f.ChkGridEditor, f.ChkNoncopied, f.ChkWriteProtected,
        f.ChkFlipX,        f.ChkFlipY,       f.OptionSelect,  f.OptionPaint,  f.OptionFill,
        f.BtCol[0],        f.BtCol[1],       f.BtCol[2],      f.BtCol[3],     f.Bthelp};
    const Qt::MouseButton mouse = chance(80) ? Qt::LeftButton : Qt::RightButton;
    PictureBox* const box = chance(50) ? f.SpriteBox : f.EditorBox;
    const QPointF at(position(box->scaleWidth()), position(box->scaleHeight()));
    switch (below(10)) {
    case 0:
    case 1:
    case 2: {
        const int i = below(int(std::size(buttons)));
        m_log << QStringLiteral("click button %1 with %2").arg(i).arg(int(mouse));
        Session::click(buttons[i], mouse);
        break;
    }
    case 3:
        m_log << QStringLiteral("offset list and scroll bar keys");
        for (QWidget* field :
             {static_cast<QWidget*>(f.ComboDivert), static_cast<QWidget*>(f.SpriteScroll)}) {
            field->setFocus();
            const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_End,
                                    Qt::Key_Home};
            QTest::keyClick(field, keys[below(5)]);
        }
        break;
    case 4:
    case 5:
        m_log << QStringLiteral("press %1 at (%2, %3)")
                     .arg(box->objectName())
                     .arg(at.x())
                     .arg(at.y());
        Session::press(box, at, mouse);
        for (int i = below(4); i > 0; --i)
            Session::move(box, QPointF(position(box->scaleWidth()), position(box->scaleHeight())),
                          mouse);
        Session::release(box, at, mouse);
        break;
    case 6:
        m_log << QStringLiteral("double-click browser at (%1, %2)").arg(at.x()).arg(at.y());
        Session::doubleClick(f.SpriteBox, at);
        break;
    case 7: {
        const QString typed = text(length);
        m_log << QStringLiteral("jump to \"%1\"").arg(typed);
        Session::type(f.TextAddress, typed);
        Session::click(f.BtJumpAdd);
        break;
    }
    default: {
        const QString typed = text(length);
        m_log << QStringLiteral("write to \"%1\"").arg(typed);
        Session::type(f.TextEditAddress, typed);
        Session::click(f.BtCopyToAddress);
        break;
    }
    }
}

// A file changes only while open, after a Yes, in windows of 16 bytes at addresses 1 and up
// that hold an editor cell's tile; its length never changes.
QString TestRandomSession::checkFile(Rom& rom, const Session& s, bool confirmed) const {
    const QByteArray now = fileBytes(rom.path);
    if (now.size() != rom.bytes.size())
        return QStringLiteral("%1 changed its length to %2.").arg(rom.path).arg(now.size());
    if (now == rom.bytes) return {};
    if (rom.readOnly || !confirmed || !s.state().RomFileOpen || s.state().RomFilePath != rom.path)
        return QStringLiteral("%1 changed without a confirmed write to it.").arg(rom.path);
    std::vector<QByteArray> cells;
    for (const TileRecord& t : s.state().EditorTiles)
        cells.push_back(encodeByHand(t.Pixels));
    for (qsizetype p = 0; p < now.size(); ++p) {
        if (now[p] == rom.bytes[p]) continue;
        bool explained = false;
        for (qsizetype a = qMax<qsizetype>(1, p - 15); a <= qMin(p, now.size() - 16); ++a)
            explained =
                explained || std::find(cells.begin(), cells.end(), now.mid(a, 16)) != cells.end();
        if (!explained)
            return QStringLiteral("Byte %1 of %2 changed; no write of an editor tile covers it.")
                .arg(p)
                .arg(rom.path);
    }
    rom.bytes = now;
    return {};
}

void TestRandomSession::randomSessionKeepsFilesAndStateSound() {
    m_seed = quint32(qEnvironmentVariableIntValue("PELORIN_SEED"));
    m_seed = m_seed ? m_seed : 20261207;
    const int soak = qEnvironmentVariableIntValue("PELORIN_SOAK_ACTIONS");
    const quint32 actions = soak > 0 ? quint32(soak) : 3000;
    m_rng.seed(m_seed);
    Session s;
    std::vector<Rom> roms;
    for (const qsizetype length : {0, 1, 15, 16, 17, 1000, 65536, 4096}) {
        const QString path = s.write(randomBytes(length, m_seed + quint32(roms.size())),
                                     QStringLiteral("rom%1.gb").arg(roms.size()));
        roms.push_back({path, fileBytes(path), length == 4096});
    }
    QVERIFY(QFile::setPermissions(roms.back().path, QFile::ReadOwner | QFile::ReadGroup));
    bool confirmed = false;
    s.prompts.anyBox = [&](const MessageSpec& box) {
        if (box.buttons == MsgButtons::Ok) return MsgAnswer::Ok;
        const bool yes = chance(50);
        confirmed = confirmed || (yes && box.title == QLatin1String("Really saving changes?"));
        return yes ? MsgAnswer::Yes : MsgAnswer::No;
    };
    s.prompts.anyOpen = [&] {
        const int pick = below(int(roms.size()) + 2);
        return pick < int(roms.size())    ? roms[size_t(pick)].path
               : pick == int(roms.size()) ? s.dir.filePath(QStringLiteral("missing.gb"))
                                          : QString();
    };
    s.prompts.anyColor = [&](ColorRef current) {
        return chance(30) ? current : ColorRef(m_rng() & 0xFFFFFF);
    };
    bool ended = false;
    s.form.setEndProgram([&ended](int) { ended = true; });
    s.form.SpriteBox->setObjectName(QStringLiteral("browser"));
    s.form.EditorBox->setObjectName(QStringLiteral("editor"));

    const FormMainState& st = s.state();
    for (quint32 done = 0; done < actions; ++done) {
        confirmed = false;
        FormOptions* const dialog = s.form.optionsDialog();
        if (dialog && dialog->isVisible())
            actInOptions(dialog);
        else
            act(s, st.RomFileOpen ? st.RomFileLength : 1000);
        QVERIFY2(!ended, qPrintable(failure(QStringLiteral("The program ended without an exit."))));
        for (Rom& rom : roms) {
            const QString wrong = checkFile(rom, s, confirmed);
            QVERIFY2(wrong.isEmpty(), qPrintable(failure(wrong)));
        }
        for (const TileRecord& t : st.EditorTiles)
            QVERIFY2(*std::max_element(t.Pixels.begin(), t.Pixels.end()) <= 3,
                     qPrintable(failure(QStringLiteral("An editor pixel holds more than 3."))));
        QVERIFY2(st.EditorSelColumn >= 0 && st.EditorSelColumn <= 9 && st.EditorSelRow >= 0 &&
                     st.EditorSelRow <= 7,
                 qPrintable(failure(QStringLiteral("The editor selection left its grid."))));
        QVERIFY2(st.BrowserSelColumn >= 0 && st.BrowserSelColumn < st.BrowserColumns &&
                     st.BrowserSelRow < st.BrowserRows,
                 qPrintable(failure(QStringLiteral("The browser mark (%1, %2) left its grid.")
                                        .arg(st.BrowserSelColumn)
                                        .arg(st.BrowserSelRow))));
        const bool open = s.form.optionsDialog() && s.form.optionsDialog()->isVisible();
        QVERIFY2(s.form.isEnabled() != open,
                 qPrintable(failure(QStringLiteral("The main window's enabled state disagrees "
                                                   "with the options dialog."))));
    }
    if (qEnvironmentVariableIsSet("PELORIN_SOAK_LOG")) qInfo("%s", qPrintable(m_log.join(u'\n')));
}

QTEST_MAIN(TestRandomSession)
#include "tst_randomsession.moc"
