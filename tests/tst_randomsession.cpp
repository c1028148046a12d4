// A long, seeded series of random user actions on the main window, with the files and the
// editor checked against a model of their own after every action.
//
// PELORIN_SEED sets the seed (default 20261207), PELORIN_SOAK_ACTIONS the number of actions
// (default 3000). A failure prints the seed and the last actions, so that
//   PELORIN_SEED=<seed> PELORIN_SOAK_ACTIONS=<n> tst_randomsession
// repeats the same session.
#include "romfiles.h"
#include "testtiles.h"
#include "ui/app/formmain.h"
#include "ui/palette/formoptions.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/picturebox.h"
#include "ui/platform/prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <functional>
#include <random>
#include <vector>

namespace {

// Answers every question, picker and open dialog at random, and notes what it answered.
class RandomPrompts : public Prompts {
  public:
    RandomPrompts(std::mt19937& rng, QStringList& log) : m_rng(rng), m_log(log) {}

    QStringList files;
    // Set when the question before a write was answered Yes; cleared by the test.
    bool writeConfirmed = false;
    QList<MessageSpec> shown;

    MsgAnswer messageBox(const MessageSpec& message) override {
        shown.append(message);
        if (message.buttons == MsgButtons::YesNo) {
            const bool yes = (m_rng() % 2) == 0;
            if (yes && message.title == QLatin1String("Really saving changes?"))
                writeConfirmed = true;
            note(QStringLiteral("question \"%1\" -> %2")
                     .arg(message.title, yes ? QStringLiteral("Yes") : QStringLiteral("No")));
            return yes ? MsgAnswer::Yes : MsgAnswer::No;
        }
        note(QStringLiteral("message \"%1\": %2")
                 .arg(message.title, QString(message.text).replace(QLatin1Char('\r'), " / ")));
        return MsgAnswer::Ok;
    }

    QString saveFileName(const QString&, const QString&) override { return {}; }
    QString openFileName(const QString& filterList) override {
        Q_UNUSED(filterList);
        const int pick = int(m_rng() % quint32(files.size() + 1));
        const QString path = pick == files.size() ? QString() : files[pick];
        note(QStringLiteral("open dialog -> \"%1\"").arg(path.section(QLatin1Char('/'), -1)));
        return path;
    }

    ColorRef chooseColor(ColorRef current) override {
        if (m_rng() % 3 == 0) {
            note(QStringLiteral("colour picker -> cancel"));
            return current;
        }
        const ColorRef chosen = ColorRef(m_rng() & 0xFFFFFF);
        note(QStringLiteral("colour picker -> 0x%1").arg(chosen, 6, 16, QLatin1Char('0')));
        return chosen;
    }

  private:
    void note(const QString& what) {
        if (!m_log.isEmpty()) m_log.last() += QStringLiteral("; ") + what;
    }

    std::mt19937& m_rng;
    QStringList& m_log;
};

quint32 envNumber(const char* name, quint32 fallback) {
    bool ok = false;
    const quint32 value = qEnvironmentVariable(name).toUInt(&ok);
    return ok ? value : fallback;
}

} // namespace

class TestRandomSession : public QObject {
    Q_OBJECT
  private slots:
    void randomSessionKeepsFilesAndStateSound();

  private:
    std::mt19937 rng;
    QStringList log;
    quint32 seed = 0;

    int below(int n) { return n <= 0 ? 0 : int(rng() % quint32(n)); }
    bool chance(int percent) { return below(100) < percent; }
    QString hostileNumber(qint32 fileLength);
    double position(int extent);
    QString failure(const QString& what) const;
};

QString TestRandomSession::hostileNumber(qint32 fileLength) {
    static const char* const hex = "0123456789abcdefABCDEF";
    static const QStringList garbage = {
        QStringLiteral("abc"),
        QStringLiteral("&"),
        QStringLiteral("&H"),
        QStringLiteral("&Hxyz"),
        QStringLiteral("&O9"),
        QStringLiteral("--5"),
        QStringLiteral("+-3"),
        QStringLiteral("1..2"),
        QStringLiteral("e5"),
        QStringLiteral("nan"),
        QStringLiteral("inf"),
        QStringLiteral("-inf"),
        QStringLiteral("0x10"),
        QStringLiteral("1e"),
        QStringLiteral("1e+"),
        QStringLiteral("."),
        QStringLiteral("-"),
        QStringLiteral("\t\n "),
        QStringLiteral("\u00e4\u00df\u20ac"),
        QStringLiteral("12abc"),
        QStringLiteral("&H-1"),
        QStringLiteral("1,5"),
        QStringLiteral("$10"),
        QStringLiteral("%"),
    };
    QString text;
    switch (below(11)) {
    case 0: { // hexadecimal of 0 to 12 digits
        text = chance(50) ? QStringLiteral("&H") : QStringLiteral("&h");
        const int digits = below(13);
        for (int i = 0; i < digits; ++i)
            text += QLatin1Char(hex[below(22)]);
        break;
    }
    case 1: { // octal
        text = chance(50) ? QStringLiteral("&O") : QStringLiteral("&o");
        const int digits = below(13);
        for (int i = 0; i < digits; ++i)
            text += QLatin1Char(char('0' + below(8)));
        break;
    }
    case 2: { // exponents, huge ones too
        static const int exponents[] = {0, 1, 2, 5, 9, 10, 38, 300, 308, 309, 999, 99999};
        text = QString::number(below(100)) +
               (chance(50) ? QStringLiteral("e") : QStringLiteral("E")) +
               (chance(30) ? QStringLiteral("-") : (chance(30) ? QStringLiteral("+") : QString())) +
               QString::number(exponents[below(12)]);
        break;
    }
    case 3: // negative
        text = QStringLiteral("-") + QString::number(below(100000));
        break;
    case 4: // fractions
        text = QString::number(below(fileLength + 40)) + QStringLiteral(".") +
               QString::number(below(1000));
        if (chance(20)) text = QStringLiteral(".5");
        break;
    case 5:
        text = garbage[below(int(garbage.size()))];
        break;
    case 6:
        text = QString();
        break;
    case 7: { // very long
        const int n = 1 + below(3000);
        text = QString(n, QLatin1Char(char('0' + below(10))));
        if (chance(30)) text = QStringLiteral("&H") + text;
        break;
    }
    case 8: { // 32-bit edges
        static const char* const edges[] = {
            "2147483647", "2147483648", "-2147483648",   "-2147483649", "4294967295",
            "4294967296", "&H7FFFFFFF", "&H80000000",    "&HFFFFFFFF",  "&HFFFF",
            "&H8000",     "&H7FFF",     "&O37777777777", "65535",       "65536"};
        text = QString::fromLatin1(edges[below(15)]);
        break;
    }
    default: // an address in or near the file
        text = QString::number(below(fileLength + 40) - 8);
        break;
    }
    if (chance(15)) { // blanks inside and around
        const int blanks = 1 + below(4);
        for (int i = 0; i < blanks; ++i)
            text.insert(below(int(text.size()) + 1), QStringLiteral(" \t\n").at(below(3)));
    }
    return text;
}

// A mouse position: mostly inside a box of `extent` pixels, sometimes on its edges, outside,
// negative or far beyond it.
double TestRandomSession::position(int extent) {
    const int e = qMax(extent, 1);
    switch (below(12)) {
    case 0:
        return -double(below(3 * e + 2)) - below(100) / 100.0;
    case 1:
        return double(e + below(3 * e + 2)) + below(100) / 100.0;
    case 2: {
        static const double edges[] = {0.0, -0.5, -1.0, 0.5, 1.0};
        return chance(50) ? edges[below(5)] : double(e) - edges[below(5)];
    }
    case 3:
        return chance(50) ? 1e7 : -1e7;
    default:
        return double(below(e * 100)) / 100.0;
    }
}

QString TestRandomSession::failure(const QString& what) const {
    QString text =
        QStringLiteral("%1\nseed %2 (PELORIN_SEED=%2), after %3 actions; the last ones:\n")
            .arg(what)
            .arg(seed)
            .arg(log.size());
    const qsizetype from = qMax<qsizetype>(0, log.size() - 50);
    for (qsizetype i = from; i < log.size(); ++i)
        text += QStringLiteral("%1: %2\n").arg(i + 1).arg(log[i]);
    return text;
}

void TestRandomSession::randomSessionKeepsFilesAndStateSound() {
    seed = envNumber("PELORIN_SEED", 20261207);
    const quint32 actions = envNumber("PELORIN_SOAK_ACTIONS", 3000);
    rng.seed(seed);
    log.clear();

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    struct RomModel {
        QString path;
        QByteArray bytes;
        bool readOnly;
    };
    std::vector<RomModel> roms;
    const auto addRom = [&](const QString& name, qsizetype length, bool readOnly) {
        const QByteArray bytes = randomBytes(length, seed + quint32(roms.size()));
        const QString path = writeRom(dir, name, bytes);
        if (readOnly)
            QVERIFY(QFile::setPermissions(path,
                                          QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        roms.push_back({path, bytes, readOnly});
    };
    addRom(QStringLiteral("empty.gb"), 0, false);
    addRom(QStringLiteral("one byte.gbc"), 1, false);
    addRom(QStringLiteral("fifteen.smc"), 15, false);
    addRom(QStringLiteral("sixteen.sfc"), 16, false);
    addRom(QStringLiteral("seventeen.fig"), 17, false);
    addRom(QStringLiteral("thousand.gb"), 1000, false);
    addRom(QStringLiteral("big.smc"), 65536, false);
    addRom(QStringLiteral("read-only.gb"), 4096, true);

    RandomPrompts prompts(rng, log);
    for (const RomModel& rom : roms)
        prompts.files.append(rom.path);
    // Opened once on purpose: a file that does not exist.
    prompts.files.append(dir.filePath(QStringLiteral("missing.gb")));

    FormMain form(prompts);
    bool ended = false;
    form.setEndProgram([&ended](int) { ended = true; });
    form.show();

    const FormMainState& st = form.state();
    GraphicButton* const pushButtons[] = {
        form.BtOpenFile,    form.BtCloseFile,   form.BtOptions,     form.BtBrowZoomIn,
        form.BtBrowZoomOut, form.BtJumpAdd,     form.BtSaveEdit,    form.BtReload,
        form.BtEditClear,   form.BtEditZoomOut, form.BtEditZoomIn,  form.BtDeleteSprite,
        form.SaveTile,      form.BtReloadTile,  form.BtCopySelTile, form.BtCopyToAddress,
        form.Bthelp,
    };
    GraphicButton* const checkBoxes[] = {form.ChkGrid, form.ChkGridEditor, form.ChkNoncopied,
                                         form.ChkWriteProtected};
    GraphicButton* const optionButtons[] = {form.OptionSelect, form.OptionPaint, form.OptionFill};
    // Weighted towards the writing buttons, the opening of files and the mouse.
    GraphicButton* const frequentButtons[] = {form.BtOpenFile, form.SaveTile, form.BtCopySelTile,
                                              form.BtCopyToAddress, form.BtSaveEdit};

    const auto buttonName = [&](GraphicButton* b) {
        static const QStringList names = {
            "BtOpenFile",        "BtCloseFile",    "BtOptions",   "BtBrowZoomIn",  "BtBrowZoomOut",
            "BtJumpAdd",         "BtSaveEdit",     "BtReload",    "BtEditClear",   "BtEditZoomOut",
            "BtEditZoomIn",      "BtDeleteSprite", "SaveTile",    "BtReloadTile",  "BtCopySelTile",
            "BtCopyToAddress",   "Bthelp",         "ChkGrid",     "ChkGridEditor", "ChkNoncopied",
            "ChkWriteProtected", "OptionSelect",   "OptionPaint", "OptionFill"};
        GraphicButton* const all[] = {
            form.BtOpenFile,      form.BtCloseFile,   form.BtOptions,
            form.BtBrowZoomIn,    form.BtBrowZoomOut, form.BtJumpAdd,
            form.BtSaveEdit,      form.BtReload,      form.BtEditClear,
            form.BtEditZoomOut,   form.BtEditZoomIn,  form.BtDeleteSprite,
            form.SaveTile,        form.BtReloadTile,  form.BtCopySelTile,
            form.BtCopyToAddress, form.Bthelp,        form.ChkGrid,
            form.ChkGridEditor,   form.ChkNoncopied,  form.ChkWriteProtected,
            form.OptionSelect,    form.OptionPaint,   form.OptionFill};
        for (int i = 0; i < int(std::size(all)); ++i)
            if (all[i] == b) return names[i];
        return QStringLiteral("?");
    };
    const auto mouseArgs = [&](PictureBox* box, int& button, int& shift, double& x, double& y) {
        button = below(8);
        shift = below(8);
        x = position(box->scaleWidth());
        y = position(box->scaleHeight());
        return QStringLiteral("button %1 shift %2 at (%3, %4)")
            .arg(button)
            .arg(shift)
            .arg(x)
            .arg(y);
    };

    // A press outside the cells of the grid (outside the box, or in the margin that the
    // rounded column and row counts leave inside it) marks a cell outside the grid; the mark
    // must lie inside it again after the next press on a cell or a new layout.
    bool markFromOutsidePress = false;
    int marginPresses = 0;
    const auto browserPress = [&](int button, int shift, double x, double y) {
        if (st.RomFileOpen) {
            const double cell = double(st.BrowserCellSize) * st.BrowserZoom;
            const bool inBox = x >= 0 && y >= 0 && x < form.SpriteBox->scaleWidth() &&
                               y < form.SpriteBox->scaleHeight();
            markFromOutsidePress =
                !(x >= 0 && y >= 0 && x < cell * st.BrowserColumns && y < cell * st.BrowserRows);
            if (inBox && markFromOutsidePress) {
                ++marginPresses;
                log.last() += QStringLiteral(" (in the margin beyond the grid)");
            }
        }
        form.SpriteBox_MouseDown(button, shift, x, y);
    };

    quint32 done = 0;
    int writesSeen = 0;
    for (; done < actions; ++done) {
        prompts.writeConfirmed = false;
        prompts.shown.clear();
        FormOptions* const dialog = form.optionsDialog();
        const bool dialogOpen = dialog && dialog->isVisible();
        const qint32 length = st.RomFileOpen ? st.RomFileLength : 1000;
        bool savedSelected = false;
        // No write ever starts at address 0, the tile that means "no address" in the editor.
        qsizetype lowestTarget = 1;

        if (dialogOpen) {
            // The main window is disabled: only the dialog takes input.
            switch (below(7)) {
            case 0:
                log << QStringLiteral("options: grid colour");
                dialog->LbGridColor_Click();
                break;
            case 1:
                log << QStringLiteral("options: selection colour");
                dialog->LbSelectionColor_Click();
                break;
            case 2:
                log << QStringLiteral("options: empty colour");
                dialog->LbEmptyColor_Click();
                break;
            case 3:
                log << QStringLiteral("options: Ok");
                dialog->BtOk->click();
                break;
            case 4:
                log << QStringLiteral("options: Cancle");
                dialog->BtAbort->click();
                break;
            case 5:
                log << QStringLiteral("options: close box");
                dialog->close();
                break;
            default:
                log << QStringLiteral("options: Escape");
                QTest::keyClick(dialog, Qt::Key_Escape);
                break;
            }
        } else {
            int button = 0;
            int shift = 0;
            double x = 0;
            double y = 0;
            switch (below(28)) {
            case 0:
            case 1: {
                GraphicButton* b = pushButtons[below(int(std::size(pushButtons)))];
                log << QStringLiteral("click %1").arg(buttonName(b));
                savedSelected = b == form.SaveTile;
                b->click();
                break;
            }
            case 2:
            case 22:
            case 23:
            case 24:
            case 25:
            case 26: {
                GraphicButton* b = frequentButtons[below(int(std::size(frequentButtons)))];
                log << QStringLiteral("click %1").arg(buttonName(b));
                savedSelected = b == form.SaveTile;
                b->click();
                break;
            }
            case 3: {
                GraphicButton* b = checkBoxes[below(int(std::size(checkBoxes)))];
                log << QStringLiteral("click %1").arg(buttonName(b));
                b->click();
                break;
            }
            case 4: {
                GraphicButton* b = optionButtons[below(int(std::size(optionButtons)))];
                log << QStringLiteral("click %1").arg(buttonName(b));
                b->click();
                break;
            }
            case 5: {
                const bool flipX = chance(50);
                button = below(8);
                shift = below(8);
                log << QStringLiteral("press %1 button %2 shift %3")
                           .arg(flipX ? "ChkFlipX" : "ChkFlipY")
                           .arg(button)
                           .arg(shift);
                if (flipX)
                    form.ChkFlipX_MouseDown(button, shift, 3, 3);
                else
                    form.ChkFlipY_MouseDown(button, shift, 3, 3);
                break;
            }
            case 6: {
                const int i = below(4);
                switch (below(3)) {
                case 0:
                    log << QStringLiteral("click BtCol(%1)").arg(i);
                    form.BtCol_Click(i);
                    break;
                case 1:
                    log << QStringLiteral("double-click BtCol(%1)").arg(i);
                    form.BtCol_Click(i);
                    form.BtCol_DblClick(i);
                    break;
                default:
                    button = below(8);
                    shift = below(8);
                    log << QStringLiteral("move over BtCol(%1) button %2").arg(i).arg(button);
                    form.BtCol_MouseMove(i, button, shift, below(30), below(30));
                    break;
                }
                break;
            }
            case 7: {
                const int i = below(form.ComboDivert->count());
                log << QStringLiteral("offset list -> entry %1").arg(i);
                form.ComboDivert->setCurrentIndex(i);
                form.ComboDivert_click();
                break;
            }
            case 8: {
                QScrollBar* bar = form.SpriteScroll;
                const int v = bar->minimum() - 3 + below(bar->maximum() - bar->minimum() + 7);
                log << QStringLiteral("scroll bar -> %1 (range %2..%3)")
                           .arg(v)
                           .arg(bar->minimum())
                           .arg(bar->maximum());
                if (chance(30)) {
                    bar->setSliderPosition(v);
                    form.SpriteScroll_Scroll();
                }
                bar->setValue(v);
                break;
            }
            case 9:
            case 10: {
                const QString args = mouseArgs(form.SpriteBox, button, shift, x, y);
                log << QStringLiteral("browser press ") + args;
                browserPress(button, shift, x, y);
                break;
            }
            case 11: {
                const QString args = mouseArgs(form.SpriteBox, button, shift, x, y);
                log << QStringLiteral("browser double-click ") + args;
                browserPress(button, shift, x, y);
                form.SpriteBox_DblClick();
                break;
            }
            case 12: {
                const QString args = mouseArgs(form.SpriteBox, button, shift, x, y);
                log << QStringLiteral("browser move ") + args;
                form.SpriteBox_MouseMove(button, shift, x, y);
                break;
            }
            case 13:
            case 14:
            case 15: {
                const QString args = mouseArgs(form.EditorBox, button, shift, x, y);
                log << QStringLiteral("editor press ") + args;
                form.EditorBox_MouseDown(button, shift, x, y);
                break;
            }
            case 16: {
                const QString args = mouseArgs(form.EditorBox, button, shift, x, y);
                log << QStringLiteral("editor move ") + args;
                form.Editorbox_MouseMove(button, shift, x, y);
                break;
            }
            case 17: {
                const bool browser = chance(50);
                PictureBox* box = browser ? form.SpriteBox : form.EditorBox;
                QString args = mouseArgs(box, button, shift, x, y);
                const int steps = 1 + below(6);
                log << QStringLiteral("%1 drag from ").arg(browser ? "browser" : "editor") + args;
                if (browser)
                    browserPress(button, shift, x, y);
                else
                    form.EditorBox_MouseDown(button, shift, x, y);
                for (int i = 0; i < steps; ++i) {
                    x = position(box->scaleWidth());
                    y = position(box->scaleHeight());
                    log.last() += QStringLiteral(" to (%1, %2)").arg(x).arg(y);
                    if (browser)
                        form.SpriteBox_MouseMove(button, shift, x, y);
                    else
                        form.Editorbox_MouseMove(button, shift, x, y);
                }
                break;
            }
            case 18: {
                const QString text = hostileNumber(length);
                const bool jump = chance(70);
                log << QStringLiteral("type \"%1\" into TextAddress%2")
                           .arg(text.left(60), jump ? QStringLiteral(", jump") : QString());
                form.TextAddress->setText(text);
                if (jump) form.BtJumpAdd->click();
                break;
            }
            case 19: {
                const QString text = hostileNumber(length);
                const bool copy = chance(70);
                log << QStringLiteral("type \"%1\" into TextEditAddress%2")
                           .arg(text.left(60),
                                copy ? QStringLiteral(", copy to address") : QString());
                form.TextEditAddress->setText(text);
                if (copy) {
                    form.BtCopyToAddress->click();
                }
                break;
            }
            case 20:
                log << QStringLiteral("click BtOptions");
                form.BtOptions->click();
                break;
            default:
                log << QStringLiteral("click BtCloseFile");
                form.BtCloseFile->click();
                break;
            }
        }

        // The invariants.
        if (ended) QFAIL(qPrintable(failure(QStringLiteral("The program ended without an exit."))));
        for (RomModel& rom : roms) {
            const QByteArray now = fileBytes(rom.path);
            if (now.size() != rom.bytes.size())
                QFAIL(qPrintable(failure(QStringLiteral("%1 changed its length from %2 to %3.")
                                             .arg(rom.path)
                                             .arg(rom.bytes.size())
                                             .arg(now.size()))));
            if (now == rom.bytes) continue;
            if (rom.readOnly)
                QFAIL(qPrintable(
                    failure(QStringLiteral("The read-only file %1 changed.").arg(rom.path))));
            if (!prompts.writeConfirmed)
                QFAIL(qPrintable(failure(
                    QStringLiteral("%1 changed without a confirmed write.").arg(rom.path))));
            if (!st.RomFileOpen || st.RomFilePath != rom.path)
                QFAIL(qPrintable(
                    failure(QStringLiteral("%1 changed but is not the open file.").arg(rom.path))));
            std::vector<QByteArray> cells;
            for (const TileRecord& t : st.EditorTiles)
                cells.push_back(encodeByHand(t.Pixels));
            const qsizetype n = now.size();
            for (qsizetype p = 0; p < n; ++p) {
                if (now[p] == rom.bytes[p]) continue;
                // Some write of 16 bytes at an address from 1 to length - 16 that holds an
                // editor cell's pixels must cover this byte.
                bool explained = false;
                for (qsizetype a = qMax<qsizetype>(lowestTarget, p - 15);
                     a <= qMin(p, n - 16) && !explained; ++a) {
                    const QByteArray window = now.mid(a, 16);
                    for (const QByteArray& cell : cells)
                        if (cell == window) {
                            explained = true;
                            break;
                        }
                }
                if (!explained)
                    QFAIL(qPrintable(failure(
                        QStringLiteral("Byte %1 of %2 changed from 0x%3 to 0x%4; no write of an "
                                       "editor tile at an allowed address covers it.")
                            .arg(p)
                            .arg(rom.path)
                            .arg(quint8(rom.bytes[p]), 2, 16, QLatin1Char('0'))
                            .arg(quint8(now[p]), 2, 16, QLatin1Char('0')))));
            }
            ++writesSeen;
            rom.bytes = now;
        }
        // A confirmed save of the selected tile with an address and no message after the
        // question leaves that tile's bytes in the file.
        if (savedSelected && prompts.writeConfirmed && prompts.shown.size() == 1 &&
            st.RomFileOpen) {
            const TileRecord& t = st.EditorTiles[size_t(st.editorSelIndex())];
            if (t.Address != 0) {
                const QByteArray now = fileBytes(st.RomFilePath);
                if (now.mid(t.Address, 16) != encodeByHand(t.Pixels))
                    QFAIL(qPrintable(failure(
                        QStringLiteral("A confirmed save without a message left other bytes at "
                                       "address %1.")
                            .arg(t.Address))));
            }
        }
        for (int i = 0; i < kEditorCells; ++i)
            for (int k = 0; k < kTilePixels; ++k)
                if (st.EditorTiles[size_t(i)].Pixels[size_t(k)] > 3)
                    QFAIL(
                        qPrintable(failure(QStringLiteral("Editor cell %1 pixel %2 holds %3.")
                                               .arg(i)
                                               .arg(k)
                                               .arg(st.EditorTiles[size_t(i)].Pixels[size_t(k)]))));
        if (st.EditorSelColumn < 0 || st.EditorSelColumn > 9 || st.EditorSelRow < 0 ||
            st.EditorSelRow > 7)
            QFAIL(qPrintable(failure(QStringLiteral("The editor selection (%1, %2) lies outside "
                                                    "its grid.")
                                         .arg(st.EditorSelColumn)
                                         .arg(st.EditorSelRow))));
        if ((st.BrowserSelColumn < 0 || st.BrowserSelColumn >= st.BrowserColumns ||
             int(st.BrowserSelRow) >= st.BrowserRows) &&
            !markFromOutsidePress)
            QFAIL(qPrintable(failure(QStringLiteral("The browser mark (%1, %2) lies outside its "
                                                    "grid of %3 x %4.")
                                         .arg(st.BrowserSelColumn)
                                         .arg(st.BrowserSelRow)
                                         .arg(st.BrowserColumns)
                                         .arg(st.BrowserRows))));
        const bool dialogNowOpen = form.optionsDialog() && form.optionsDialog()->isVisible();
        if (form.isEnabled() == dialogNowOpen)
            QFAIL(qPrintable(failure(QStringLiteral("The main window is %1 while the options "
                                                    "dialog is %2.")
                                         .arg(form.isEnabled() ? "enabled" : "disabled",
                                              dialogNowOpen ? "open" : "closed"))));
    }
    if (qEnvironmentVariableIsSet("PELORIN_SOAK_LOG"))
        for (qsizetype i = 0; i < log.size(); ++i)
            qInfo("%lld: %s", qlonglong(i + 1), qPrintable(log[i]));
    qInfo("seed %u: %u actions, %d changes of a file checked, %d presses in the browser's "
          "margin",
          seed, done, writesSeen, marginPresses);
    QCOMPARE(done, actions);
}

QTEST_MAIN(TestRandomSession)
#include "tst_randomsession.moc"
