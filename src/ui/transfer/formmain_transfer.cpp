// Tiles between the file and the editor: copying in, writing back, reloading, clearing.
#include "ui/app/formmain.h"

#include "core/app/messages.h"
#include "core/app/numbers.h"
#include "core/browser/browsermath.h"
#include "core/rom/romfile.h"
#include "core/rom/tilecodec.h"
#include "core/transfer/transferrules.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/prompts.h"

#include <QLineEdit>

void FormMain::connectTransferHandlers() {
    connect(SaveTile, &QAbstractButton::clicked, this, &FormMain::SaveTile_Click);
    connect(BtCopySelTile, &QAbstractButton::clicked, this, &FormMain::BtCopySelTile_Click);
    connect(BtCopyToAddress, &QAbstractButton::clicked, this, &FormMain::BtCopyToAddress_Click);
    connect(BtSaveEdit, &QAbstractButton::clicked, this, &FormMain::BtSaveEdit_Click);
    connect(BtReloadTile, &QAbstractButton::clicked, this, &FormMain::BtReloadTile_Click);
    connect(BtReload, &QAbstractButton::clicked, this, &FormMain::BtReload_Click);
    connect(BtDeleteSprite, &QAbstractButton::clicked, this, &FormMain::BtDeleteSprite_Click);
    connect(BtEditClear, &QAbstractButton::clicked, this, &FormMain::BtEditClear_Click);
}

void FormMain::SpriteBox_DblClick() {
    if (!s.RomFileOpen) return;
    LoadSprite(s.BrowserSelAddress);
    if (reachesOutsideFile(s.LoadedTile.Pixels)) {
        m_prompts.messageBox(notice(msg::kEndOfFile, msg::kEndOfFileTitle));
        return;
    }
    CheckCopyToEditor(s.LoadedTile, s.BrowserSelAddress);
    DrawEditor();
}

void FormMain::CheckCopyToEditor(TileRecord& tile, const qint32& address) {
    const int target = s.editorSelIndex();
    switch (checkCopy(s.EditorTiles, target, address)) {
    case CopyRefusal::WriteProtected:
        m_prompts.messageBox(notice(msg::kProtected, msg::kProtectedTitle));
        return;
    case CopyRefusal::Overlap:
        m_prompts.messageBox(notice(msg::kOverlap, msg::kOverlapTitle));
        return;
    case CopyRefusal::None:
        break;
    }
    editorStep(msg::copyInStep(address, s.EditorSelColumn, s.EditorSelRow), [&] {
        copyIntoCell(s.EditorTiles, target, tile, address);
        advanceSelection(s.EditorSelColumn, s.EditorSelRow);
        ShowEditorTileInfo();
    });
}

// The steps every write starts with: an open file, the read-only test, the question.
// Answered anything but Yes, the browser is redrawn and nothing is written.
FormMain::WriteStep FormMain::beginWrite() {
    if (!s.RomFileOpen || !RomFileHandle) return WriteStep::Stop;
    if (RomFileHandle->isReadOnly()) {
        m_prompts.messageBox(notice(msg::kReadOnly, msg::kSavingNotPossible));
        return WriteStep::Stop;
    }
    if (m_prompts.messageBox(question(msg::kConfirmWrite, msg::kConfirmWriteTitle)) !=
        MsgAnswer::Yes) {
        DrawBrowser();
        return WriteStep::Stop;
    }
    return WriteStep::Proceed;
}

// Writes one tile; a failure is shown (with the count of tiles written before it, for a
// series) and the browser then shows what the file holds.
// Every tile written goes into the history with the bytes it replaced.
bool FormMain::writeOrReport(int index, qint32 address, int writtenBefore) {
    const std::optional<TileBytes> replaced = tileOnDisk(address);
    const std::optional<QString> failure = WriteTileAt(index, address);
    if (!failure) {
        noteTileWrite(address, replaced, encodeTile(s.EditorTiles[size_t(index)].Pixels));
        return true;
    }
    QString text = msg::writeFailed(*failure);
    if (writtenBefore >= 0) text += msg::tilesWrittenBefore(writtenBefore);
    m_prompts.messageBox(notice(text, msg::kSavingNotPossible));
    DrawBrowser();
    return false;
}

void FormMain::SaveTile_Click() {
    if (beginWrite() == WriteStep::Stop) return;
    const int slot = s.editorSelIndex();
    const qint32 address = s.EditorTiles[size_t(slot)].Address;
    if (address == 0) {
        m_prompts.messageBox(notice(msg::kNoAddress, msg::kCanNotSave));
        return;
    }
    fileStep(msg::saveStep(s.EditorSelColumn, s.EditorSelRow, address), [&] {
        if (writeOrReport(slot, address)) DrawBrowser();
    });
}

void FormMain::BtCopySelTile_Click() {
    if (beginWrite() == WriteStep::Stop) return;
    const qint64 a = browserCellAddress(s.BrowserTopAddress, s.BrowserColumns, s.BrowserSelColumn,
                                        s.BrowserSelRow);
    if (!browserTargetValid(a, s.RomFileLength)) {
        m_prompts.messageBox(notice(msg::kInvalidBrowserTarget, msg::kCanNotSave));
        return;
    }
    fileStep(msg::writeToStep(s.EditorSelColumn, s.EditorSelRow, qint32(a)), [&] {
        if (writeOrReport(s.editorSelIndex(), qint32(a))) DrawBrowser();
    });
}

void FormMain::BtCopyToAddress_Click() {
    if (beginWrite() == WriteStep::Stop) return;
    const std::optional<qint32> a =
        typedTarget(NumericValue(TextEditAddress->text()), s.RomFileLength);
    if (!a) {
        m_prompts.messageBox(notice(msg::kInvalidTypedAddress, msg::kCanNotSave));
        return;
    }
    fileStep(msg::writeToStep(s.EditorSelColumn, s.EditorSelRow, *a), [&] {
        if (writeOrReport(s.editorSelIndex(), *a)) DrawBrowser();
    });
}

void FormMain::BtSaveEdit_Click() {
    if (beginWrite() == WriteStep::Stop) return;
    // One step, of the tiles written before a failure too.
    fileStep(msg::kSaveAllStep, [&] {
        int written = 0;
        for (int i = 0; i < kEditorCells; ++i) {
            const qint32 address = s.EditorTiles[size_t(i)].Address;
            if (address == 0) continue;
            if (!writeOrReport(i, address, written)) return;
            ++written;
        }
        DrawBrowser();
    });
}

void FormMain::BtReloadTile_Click() {
    if (!s.RomFileOpen) return;
    editorStep(msg::reloadStep(s.EditorSelColumn, s.EditorSelRow), [this] {
        const int slot = s.editorSelIndex();
        TileRecord& t = s.EditorTiles[size_t(slot)];
        if (t.Address > 0) {
            LoadSprite(t.Address);
            reloadCell(t, s.LoadedTile.Pixels);
        }
        syncCopies(s.EditorTiles, slot);
        ShowEditorTileInfo();
        DrawEditor();
    });
}

void FormMain::BtReload_Click() {
    if (!s.RomFileOpen) return;
    editorStep(msg::kReloadAllStep, [this] {
        for (TileRecord& t : s.EditorTiles) {
            if (t.Address > 0) {
                LoadSprite(t.Address);
                reloadCell(t, s.LoadedTile.Pixels);
            }
        }
        ShowEditorTileInfo();
        DrawEditor();
    });
}

void FormMain::BtDeleteSprite_Click() {
    editorStep(msg::clearStep(s.EditorSelColumn, s.EditorSelRow), [this] {
        clearCell(selectedTile());
        advanceSelection(s.EditorSelColumn, s.EditorSelRow);
        syncCopies(s.EditorTiles, s.editorSelIndex());
        ShowEditorTileInfo();
        DrawEditor();
    });
}

void FormMain::BtEditClear_Click() {
    if (m_prompts.messageBox(question(msg::kConfirmClear, msg::kConfirmClearTitle)) !=
        MsgAnswer::Yes)
        return;
    editorStep(msg::kClearAllStep, [this] {
        for (TileRecord& t : s.EditorTiles)
            clearCell(t);
        ShowEditorTileInfo();
        DrawEditor();
    });
}
