// The history of the editor's steps and of the writes to the file: undo, redo and the patch.
#include "ui/app/formmain.h"

#include "core/app/messages.h"
#include "core/rom/romfile.h"
#include "core/rom/tilecodec.h"
#include "core/transfer/ipspatch.h"
#include "ui/app/history.h"
#include "ui/platform/prompts.h"

#include <QLabel>

bool FormMain::editorStep(const QString& what, const EditorEdit& edit) {
    return recordEdit(what, edit, false);
}

// A press of the pencil begins a stroke and the release ends it; every pixel painted between
// goes into the stroke's one step, named after the first cell it paints in.
bool FormMain::paintStep(int column, int row, const EditorEdit& edit) {
    return recordEdit(msg::paintStep(column, row), edit, true);
}

bool FormMain::recordEdit(const QString& what, const EditorEdit& edit, bool partOfStroke) {
    const EditorSelection selection{s.EditorSelColumn, s.EditorSelRow};
    EditorTileArray tiles = s.EditorTiles;
    EditorSelection selected = selection;
    edit(tiles, selected);
    const std::optional<EditorChange> change =
        editorChange(s.EditorTiles, selection, tiles, selected);
    if (change) m_history->change(what, *change, partOfStroke);
    return change.has_value();
}

void FormMain::WriteTileAt(int index, qint32 address, const QString& what) {
    writeTiles(what, {TileWrite{address, {}, encodeTile(s.EditorTiles[size_t(index)].Pixels)}},
               false);
}

void FormMain::writeTiles(const QString& what, std::vector<TileWrite> tiles, bool series) {
    if (!mayWriteIntoHeader(tiles)) return;
    writeStep(what, WrittenTiles{RomFileHandle->identity(), std::move(tiles)}, series);
}

// A failure is shown (for a series, with the count of tiles written before it); the browser
// then shows what the file holds.
bool FormMain::writeStep(const QString& what, WrittenTiles step, bool series) {
    const WriteOutcome outcome = m_history->write(what, std::move(step));
    if (outcome.failure) {
        QString text = msg::writeFailed(*outcome.failure);
        if (series) text += msg::tilesWrittenBefore(outcome.written);
        m_prompts.messageBox(notice(text, msg::kSavingNotPossible));
    }
    DrawBrowser();
    return !outcome.failure;
}

void FormMain::undoLastStep() {
    takeStep(HistoryDirection::Undo);
}

void FormMain::redoNextStep() {
    takeStep(HistoryDirection::Redo);
}

void FormMain::takeStep(HistoryDirection direction) {
    m_history->noteAsked();
    m_history->endStroke();
    const bool undo = direction == HistoryDirection::Undo;
    const HistoryStep* step = m_history->next(direction);
    if (!step) {
        LbStatus->setText(undo ? msg::kNothingToUndo : msg::kNothingToRedo);
        return;
    }
    const QString what = step->text();
    const auto* write = dynamic_cast<const WriteStep*>(step);
    if (write && !mayTakeWrite(*write, direction)) return;
    const WriteOutcome outcome = m_history->take(direction);
    if (outcome.failure) {
        m_prompts.messageBox(notice(msg::writeBackFailed(*outcome.failure),
                                    undo ? msg::kUndoRefusedTitle : msg::kRedoRefusedTitle));
        m_history->writesBroken();
        DrawBrowser();
        LbStatus->setText(msg::writeHistoryCleared(RomFileHandle->path()));
        return;
    }
    if (write) {
        DrawBrowser();
    } else {
        ShowEditorTileInfo();
        DrawEditor();
    }
    LbStatus->setText(undo ? msg::undone(what) : msg::redone(what));
}

// The read-only test and a question, as for every write; then the file must be the one written
// to and hold the bytes the step left there (or, to make it again, the bytes it replaced).
bool FormMain::mayTakeWrite(const WriteStep& step, HistoryDirection direction) {
    const bool undo = direction == HistoryDirection::Undo;
    std::vector<qint32> addresses;
    int bytes = 0;
    for (const TileWrite& write : step.writes().writes) {
        addresses.push_back(write.address);
        bytes += write.length;
    }
    const MessageSpec ask =
        undo ? question(msg::confirmUndoWrite(addresses, bytes), msg::kConfirmUndoTitle)
             : question(msg::kConfirmWrite, msg::kConfirmWriteTitle);
    if (beginWrite(ask) == WriteAnswer::Stop) return false;
    if (!mayWriteIntoHeader(step.writes().writes)) return false;
    const std::optional<QString> refusal = step.refusal(direction);
    if (refusal)
        m_prompts.messageBox(
            notice(*refusal, undo ? msg::kUndoRefusedTitle : msg::kRedoRefusedTitle));
    return !refusal;
}

// Closing the file forgets the writes to it; a user who used the history is told.
void FormMain::forgetWrites() {
    const bool hadWrites = m_history->hasWrites();
    m_history->fileClosed();
    if (hadWrites && m_history->asked())
        LbStatus->setText(
            msg::writeHistoryCleared(RomFileHandle ? RomFileHandle->path() : s.RomFilePath));
}

void FormMain::makePatch() {
    m_history->noteAsked();
    m_history->endStroke();
    const auto refuse = [this](const QString& text) {
        m_prompts.messageBox(notice(text, msg::kPatchTitle));
    };
    if (!s.RomFileOpen || !RomFileHandle) return refuse(msg::kPatchNoFile);
    const QString rom = RomFileHandle->path();
    const std::map<qint64, quint8> changed = m_history->journal().changedBytes();
    if (changed.empty()) return refuse(msg::patchNothingChanged(rom));
    const std::optional<QByteArray> patch = encodeIpsPatch(changed, [this](qint64 offset) {
        quint8 byte = 0;
        return RomFileHandle->read(offset, &byte, 1) == 1 ? byte : quint8(0);
    });
    if (!patch) return refuse(msg::patchOutOfReach(changed.lower_bound(kIpsReach)->first));
    const QString target = m_prompts.saveFileName(msg::kPatchFilter, patchPathFor(rom));
    if (target.isEmpty()) return;
    if (RomFileHandle->isFileAt(target)) return refuse(msg::kPatchOverRom);
    if (const std::optional<QString> failure = savePatchFile(target, *patch))
        return refuse(msg::patchNotWritten(target, *failure));
    LbStatus->setText(msg::patchWritten(qsizetype(changed.size()), target));
}
