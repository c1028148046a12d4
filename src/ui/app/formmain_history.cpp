// The history of the editor's steps and of the writes to the file: undo, redo and the patch.
#include "ui/app/formmain.h"

#include "core/app/messages.h"
#include "core/rom/fileio.h"
#include "core/rom/romfile.h"
#include "core/transfer/ipspatch.h"
#include "ui/app/history.h"
#include "ui/platform/picturebox.h"
#include "ui/platform/prompts.h"

#include <QFile>
#include <QLabel>
#include <QShortcut>

History* FormMain::newHistory() {
    return new History;
}

void FormMain::HistoryDeleter::operator()(History* history) const {
    delete history;
}

void FormMain::connectHistoryKeys() {
    const auto shortcut = [this](QKeySequence keys, void (FormMain::*handler)()) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, handler);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), &FormMain::undoLastStep);
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &FormMain::redoNextStep);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), &FormMain::redoNextStep);
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), &FormMain::makePatch);
    connect(SpriteBox, &PictureBox::navigationKey, this, &FormMain::browserKey);
    connect(EditorBox, &PictureBox::navigationKey, this, &FormMain::editorKey);
    connect(EditorBox, &PictureBox::mouseUp, this, &FormMain::editorMouseUp);
}

void FormMain::editorStep(const QString& what, const std::function<void()>& change) {
    History& h = *m_history;
    // A step inside a step, or the history itself putting cells back: part of the outer one.
    if (h.applying || h.stepDepth > 0) {
        change();
        return;
    }
    endStroke();
    const EditorTileArray tiles = s.EditorTiles;
    const int column = s.EditorSelColumn;
    const int row = s.EditorSelRow;
    ++h.stepDepth;
    change();
    --h.stepDepth;
    recordEditorStep(what, tiles, column, row);
}

void FormMain::recordEditorStep(const QString& what, const EditorTileArray& tiles, int column,
                                int row) {
    std::optional<EditorChange> change =
        editorChange(tiles, {column, row}, s.EditorTiles, {s.EditorSelColumn, s.EditorSelRow});
    if (change) pushStep(std::make_shared<HistoryStep>(HistoryStep{what, std::move(*change)}));
}

// A stroke is named after the first cell it paints in, since the press may miss every cell.
void FormMain::beginStroke() {
    endStroke();
    m_history->stroke = History::Stroke{{}, s.EditorTiles, {s.EditorSelColumn, s.EditorSelRow}};
}

void FormMain::endStroke() {
    History& h = *m_history;
    if (!h.stroke) return;
    const History::Stroke stroke = std::move(*h.stroke);
    h.stroke.reset();
    recordEditorStep(stroke.what, stroke.tiles, stroke.selection.column, stroke.selection.row);
}

// Named only where the name is kept: a drag calls this on every move.
void FormMain::paintStep(int column, int row, const std::function<void()>& change) {
    History& h = *m_history;
    if (!h.stroke || h.applying) {
        editorStep(msg::paintStep(column, row), change);
        return;
    }
    if (h.stroke->what.isEmpty()) h.stroke->what = msg::paintStep(column, row);
    ++h.stepDepth;
    change();
    --h.stepDepth;
}

void FormMain::editorMouseUp(int button, int shift, double x, double y) {
    Q_UNUSED(button);
    Q_UNUSED(shift);
    Q_UNUSED(x);
    Q_UNUSED(y);
    endStroke();
}

// The write commands: every tile they write goes into one step, once it is written.
void FormMain::fileStep(const QString& what, const std::function<void()>& writes) {
    History& h = *m_history;
    endStroke();
    h.pendingWrites = HistoryStep{what, WrittenTiles{RomFileHandle->identity(), {}}};
    writes();
    HistoryStep step = std::move(*h.pendingWrites);
    h.pendingWrites.reset();
    if (!std::get<WrittenTiles>(step.change).writes.empty())
        pushStep(std::make_shared<HistoryStep>(std::move(step)));
}

std::optional<TileBytes> FormMain::tileOnDisk(qint32 address) const {
    TileBytes bytes{};
    if (!RomFileHandle || RomFileHandle->read(address, bytes.data(), kTileBytes) != kTileBytes)
        return std::nullopt;
    return bytes;
}

// A write whose replaced bytes could not be read first (the file shrank under it) can not be
// taken back, and a write that changed no byte needs no step.
void FormMain::noteTileWrite(qint32 address, const std::optional<TileBytes>& before,
                             const TileBytes& after) {
    History& h = *m_history;
    if (!before) return;
    h.journal.noteWrite(address, *before, after);
    if (h.pendingWrites && *before != after)
        std::get<WrittenTiles>(h.pendingWrites->change).writes.push_back({address, *before, after});
}

// The stack owns its commands.
void FormMain::pushStep(std::shared_ptr<HistoryStep> step) {
    m_history->stack.push(
        new HistoryCommand(std::move(step), [this](HistoryStep& taken, HistoryDirection direction) {
            applyStep(taken, direction);
        }));
}

void FormMain::applyStep(HistoryStep& step, HistoryDirection direction) {
    History& h = *m_history;
    if (h.applying) return; // the stack is being rebuilt around steps that already stand
    h.applying = true;
    if (const auto* change = std::get_if<EditorChange>(&step.change)) {
        EditorSelection selection;
        applyEditorChange(*change, direction, s.EditorTiles, selection);
        s.EditorSelColumn = selection.column;
        s.EditorSelRow = selection.row;
        ShowEditorTileInfo();
        DrawEditor();
    } else {
        const std::optional<QString> failure = restoreWrites(std::get<WrittenTiles>(step.change),
                                                             *RomFileHandle, direction, h.journal);
        if (failure) {
            m_prompts.messageBox(
                notice(msg::writeBackFailed(*failure), direction == HistoryDirection::Undo
                                                           ? msg::kUndoRefusedTitle
                                                           : msg::kRedoRefusedTitle));
            h.fileStepsBroken = true;
        }
        DrawBrowser();
    }
    h.applying = false;
}

void FormMain::undoLastStep() {
    takeStep(HistoryDirection::Undo);
}

void FormMain::redoNextStep() {
    takeStep(HistoryDirection::Redo);
}

void FormMain::takeStep(HistoryDirection direction) {
    History& h = *m_history;
    h.used = true;
    endStroke();
    const bool undo = direction == HistoryDirection::Undo;
    if (undo ? !h.stack.canUndo() : !h.stack.canRedo()) {
        LbStatus->setText(undo ? msg::kNothingToUndo : msg::kNothingToRedo);
        return;
    }
    const int index = undo ? h.stack.index() - 1 : h.stack.index();
    const std::shared_ptr<HistoryStep> step =
        static_cast<const HistoryCommand*>(h.stack.command(index))->step();
    if (step->writesFile() && !fileStepMayRun(*step, direction)) return;
    if (undo)
        h.stack.undo();
    else
        h.stack.redo();
    if (h.fileStepsBroken) {
        forgetFileSteps(FileStepsEnd::WriteBackFailed);
        return;
    }
    LbStatus->setText(undo ? msg::undone(step->what) : msg::redone(step->what));
}

// The same read-only test and question as the writes, then the file must be the one written
// to and hold the bytes the step left there (or, to redo it, the bytes it replaced).
bool FormMain::fileStepMayRun(const HistoryStep& step, HistoryDirection direction) {
    if (beginWrite() == WriteStep::Stop) return false;
    const std::optional<QString> refusal =
        whyNotRestorable(std::get<WrittenTiles>(step.change), *RomFileHandle, direction);
    if (!refusal) return true;
    m_prompts.messageBox(notice(*refusal, direction == HistoryDirection::Undo
                                              ? msg::kUndoRefusedTitle
                                              : msg::kRedoRefusedTitle));
    return false;
}

// QUndoStack can not drop steps from its middle, so it is filled again with the steps that
// remain, in their order, and its index put back among them.
void FormMain::forgetFileSteps(FileStepsEnd why) {
    History& h = *m_history;
    endStroke();
    bool hadFileSteps = !h.journal.empty();
    std::vector<std::shared_ptr<HistoryStep>> kept;
    int keptDone = 0;
    for (int i = 0; i < h.stack.count(); ++i) {
        const std::shared_ptr<HistoryStep> step =
            static_cast<const HistoryCommand*>(h.stack.command(i))->step();
        auto* change = std::get_if<EditorChange>(&step->change);
        hadFileSteps = hadFileSteps || !change;
        if (!change || (why == FileStepsEnd::FileClosed && !forgetAddresses(*change))) continue;
        kept.push_back(step);
        if (i < h.stack.index()) ++keptDone;
    }
    if (why == FileStepsEnd::FileClosed) h.journal.clear();
    h.fileStepsBroken = false;
    h.applying = true;
    h.stack.clear();
    for (const std::shared_ptr<HistoryStep>& step : kept)
        pushStep(step);
    h.stack.setIndex(keptDone);
    h.applying = false;
    // A user who never asked the history for anything is not told about it.
    if (hadFileSteps && h.used)
        LbStatus->setText(
            msg::writeHistoryCleared(RomFileHandle ? RomFileHandle->path() : s.RomFilePath));
}

bool FormMain::namesRomFile(const QString& path) const {
    struct stat info {};
    if (!RomFileHandle || FileIo::system().statPath(QFile::encodeName(path), info) != 0)
        return false;
    const FileIdentity rom = RomFileHandle->identity();
    return quint64(info.st_dev) == rom.device && quint64(info.st_ino) == rom.inode;
}

void FormMain::makePatch() {
    History& h = *m_history;
    h.used = true;
    endStroke();
    const auto refuse = [this](const QString& text) {
        m_prompts.messageBox(notice(text, msg::kPatchTitle));
    };
    if (!s.RomFileOpen || !RomFileHandle) return refuse(msg::kPatchNoFile);
    const QString rom = RomFileHandle->path();
    const std::map<qint64, quint8> changed = h.journal.changedBytes();
    if (changed.empty()) return refuse(msg::patchNothingChanged(rom));
    const std::optional<QByteArray> patch = encodeIpsPatch(changed, [this](qint64 offset) {
        quint8 byte = 0;
        return RomFileHandle->read(offset, &byte, 1) == 1 ? byte : quint8(0);
    });
    if (!patch) return refuse(msg::patchOutOfReach(changed.lower_bound(kIpsReach)->first));
    const QString target = m_prompts.saveFileName(msg::kPatchFilter, patchPathFor(rom));
    if (target.isEmpty()) return;
    if (namesRomFile(target)) return refuse(msg::kPatchOverRom);
    if (const std::optional<QString> failure = savePatchFile(target, *patch))
        return refuse(msg::patchNotWritten(target, *failure));
    LbStatus->setText(msg::patchWritten(qsizetype(changed.size()), target));
}
