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

#include <map>

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
    editorStep(msg::copyInStep(address, s.EditorSelColumn, s.EditorSelRow),
               [&](EditorTileArray& tiles, EditorSelection& selected) {
                   copyIntoCell(tiles, target, tile, address);
                   advanceSelection(selected.column, selected.row);
               });
    noteReadForEditor(address);
    ShowEditorTileInfo();
}

// The steps every write starts with: an open file, the read-only test, the question `ask`.
// Answered anything but Yes, the browser is redrawn and nothing is written.
FormMain::WriteAnswer FormMain::beginWrite(const MessageSpec& ask) {
    if (!s.RomFileOpen || !RomFileHandle) return WriteAnswer::Stop;
    if (RomFileHandle->isReadOnly()) {
        m_prompts.messageBox(notice(msg::kReadOnly, msg::kSavingNotPossible));
        return WriteAnswer::Stop;
    }
    if (m_prompts.messageBox(ask) != MsgAnswer::Yes) {
        DrawBrowser();
        return WriteAnswer::Stop;
    }
    return WriteAnswer::Proceed;
}

namespace {
[[nodiscard]] MessageSpec confirmWrite() {
    return question(msg::kConfirmWrite, msg::kConfirmWriteTitle);
}
} // namespace

void FormMain::SaveTile_Click() {
    if (beginWrite(confirmWrite()) == WriteAnswer::Stop) return;
    const int slot = s.editorSelIndex();
    const TileRecord& tile = s.EditorTiles[size_t(slot)];
    if (!tile.hasAddress()) {
        m_prompts.messageBox(notice(msg::kNoAddress, msg::kCanNotSave));
        return;
    }
    if (!mayOverwrite(tile.Address)) return DrawBrowser();
    WriteTileAt(slot, tile.Address, msg::saveStep(s.EditorSelColumn, s.EditorSelRow, tile.Address));
}

void FormMain::BtCopySelTile_Click() {
    if (beginWrite(confirmWrite()) == WriteAnswer::Stop) return;
    const qint64 a = browserCellAddress(s.BrowserTopAddress, s.BrowserColumns, s.BrowserSelColumn,
                                        s.BrowserSelRow);
    if (!browserTargetValid(a, s.RomFileLength)) {
        m_prompts.messageBox(notice(msg::kInvalidBrowserTarget, msg::kCanNotSave));
        return;
    }
    WriteTileAt(s.editorSelIndex(), qint32(a),
                msg::writeToStep(s.EditorSelColumn, s.EditorSelRow, qint32(a)));
}

void FormMain::BtCopyToAddress_Click() {
    if (beginWrite(confirmWrite()) == WriteAnswer::Stop) return;
    const std::optional<qint32> a =
        typedTarget(NumericValue(TextEditAddress->text()), s.RomFileLength);
    if (!a) {
        m_prompts.messageBox(notice(msg::kInvalidTypedAddress, msg::kCanNotSave));
        return;
    }
    WriteTileAt(s.editorSelIndex(), *a, msg::writeToStep(s.EditorSelColumn, s.EditorSelRow, *a));
}

// One step, of the tiles written before a failure too.
void FormMain::BtSaveEdit_Click() {
    if (beginWrite(confirmWrite()) == WriteAnswer::Stop) return;
    std::vector<TileWrite> tiles;
    std::map<qint32, bool> overwrite; // one question an address
    for (const TileRecord& tile : s.EditorTiles) {
        if (!tile.hasAddress()) continue;
        const auto [answer, first] = overwrite.try_emplace(tile.Address);
        if (first) answer->second = mayOverwrite(tile.Address);
        if (answer->second) tiles.push_back({tile.Address, {}, encodeTile(tile.Pixels)});
    }
    writeTiles(msg::kSaveAllStep, std::move(tiles), true);
}

TileLoader FormMain::tileLoader() {
    return [this](qint32 address) {
        LoadSprite(address);
        noteReadForEditor(address);
        return s.LoadedTile.Pixels;
    };
}

void FormMain::BtReloadTile_Click() {
    if (!s.RomFileOpen) return;
    editorStep(msg::reloadStep(s.EditorSelColumn, s.EditorSelRow),
               [this](EditorTileArray& tiles, EditorSelection& selected) {
                   reloadCell(tiles, editorCellIndex(selected.column, selected.row), tileLoader());
               });
    ShowEditorTileInfo();
    DrawEditor();
}

void FormMain::BtReload_Click() {
    if (!s.RomFileOpen) return;
    editorStep(msg::kReloadAllStep, [this](EditorTileArray& tiles, EditorSelection&) {
        reloadAll(tiles, tileLoader());
    });
    ShowEditorTileInfo();
    DrawEditor();
}

void FormMain::BtDeleteSprite_Click() {
    editorStep(msg::clearStep(s.EditorSelColumn, s.EditorSelRow),
               [](EditorTileArray& tiles, EditorSelection& selected) {
                   clearCell(tiles[size_t(editorCellIndex(selected.column, selected.row))]);
                   advanceSelection(selected.column, selected.row);
                   syncCopies(tiles, editorCellIndex(selected.column, selected.row));
               });
    ShowEditorTileInfo();
    DrawEditor();
}

void FormMain::BtEditClear_Click() {
    if (m_prompts.messageBox(question(msg::kConfirmClear, msg::kConfirmClearTitle)) !=
        MsgAnswer::Yes)
        return;
    editorStep(msg::kClearAllStep, [](EditorTileArray& tiles, EditorSelection&) {
        for (TileRecord& t : tiles)
            clearCell(t);
    });
    ShowEditorTileInfo();
    DrawEditor();
}
