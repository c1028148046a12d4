// The editor canvas: drawing the 80 cells, the tools, the tile switches.
#include "ui/app/formmain.h"

#include "core/app/messages.h"
#include "core/app/numbers.h"
#include "core/app/viewgeometry.h"
#include "core/editor/editorworkspace.h"
#include "ui/app/cellmark.h"
#include "ui/app/history.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/offscreendc.h"
#include "ui/platform/picturebox.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>

namespace {
constexpr ColorRef kBlack = rgbColor(0, 0, 0);
} // namespace

void FormMain::connectEditorHandlers() {
    connect(OptionSelect, &QAbstractButton::clicked, this, &FormMain::OptionSelect_Click);
    connect(OptionPaint, &QAbstractButton::clicked, this, &FormMain::OptionPaint_Click);
    connect(OptionFill, &QAbstractButton::clicked, this, &FormMain::OptionFill_Click);
    connect(BtEditZoomIn, &QAbstractButton::clicked, this, &FormMain::BtEditZoomIn_Click);
    connect(BtEditZoomOut, &QAbstractButton::clicked, this, &FormMain::BtEditZoomOut_Click);
    connect(ChkGridEditor, &QAbstractButton::toggled, this, &FormMain::ChkGridEditor_Click);
    connect(ChkNoncopied, &QAbstractButton::toggled, this, &FormMain::ChkNoncopied_Click);
    connect(EditorBox, &PictureBox::mouseDown, this, &FormMain::EditorBox_MouseDown);
    connect(EditorBox, &PictureBox::mouseMove, this, &FormMain::Editorbox_MouseMove);
    connect(ChkFlipX, &GraphicButton::mouseDown, this, &FormMain::ChkFlipX_MouseDown);
    connect(ChkFlipY, &GraphicButton::mouseDown, this, &FormMain::ChkFlipY_MouseDown);
    connect(ChkFlipX, &GraphicButton::keyToggle, this, [this] { ChkFlipX_MouseDown(0, 0, 0, 0); });
    connect(ChkFlipY, &GraphicButton::keyToggle, this, [this] { ChkFlipY_MouseDown(0, 0, 0, 0); });
    connect(ChkWriteProtected, &QAbstractButton::toggled, this, &FormMain::ChkWriteProtected_Click);
    connect(EditorBox, &PictureBox::mouseUp, this, &FormMain::editorMouseUp);
    connect(EditorBox, &PictureBox::navigationKey, this, &FormMain::editorKey);
}

void FormMain::DrawEditor() {
    if (!EditorDC) return;
    const int cs = s.EditorCellSize;
    const int z = s.EditorZoom;
    const int sc = s.EditorSelColumn;
    const int sr = s.EditorSelRow;
    // The background only where nothing else is drawn: in the bitmap the grid lines, on the
    // canvas the part right of and below the picture, which the copy does not reach.
    const int pictureWidth = kEditorColumns * cs * z;
    const int pictureHeight = kEditorRows * cs * z;
    fillCellGaps(*EditorDC, kEditorColumns, kEditorRows, cs, s.OptionColors[0]);
    fillAround(*EditorBox, pictureWidth, pictureHeight, s.OptionColors[0]);
    takeTileColors();
    const bool hide = s.NoncopiedHidden;
    for (int r = 0; r < kEditorRows; ++r) {
        for (int c = 0; c < kEditorColumns; ++c) {
            const TileRecord& t = s.EditorTiles[size_t(editorCellIndex(c, r))];
            if (isHiddenCell(t, hide)) {
                for (int y = 0; y < 8; ++y)
                    for (int x = 0; x < 8; ++x)
                        EditorDC->SetPixel(c * cs + x, r * cs + y, s.OptionColors[2]);
                continue;
            }
            DrawTilePixels(c * cs, r * cs, *EditorDC, displayedTile(t).Pixels);
        }
    }
    if (cs == cellSizeFor(true)) strokeGridRing(*EditorDC, sc, sr, s.OptionColors[1]);
    StretchBlt(*EditorBox, *EditorDC, kEditorColumns * cs, kEditorRows * cs, z);
    if (cs == cellSizeFor(false)) outlineCell(*EditorBox, sc, sr, z, kBlack);
    EditorBox->Refresh();
}

void FormMain::ShowEditorTileInfo() {
    const TileRecord& t = selectedTile();
    TextEditAddress->setText(plainDecimal(t.Address));
    ChkWriteProtected->setChecked(t.WriteProtected);
    ChkFlipX->setChecked(t.FlipX);
    ChkFlipY->setChecked(t.FlipY);
}

void FormMain::OptionSelect_Click() {
    s.EditMode = EditModeKind::Select;
}
void FormMain::OptionPaint_Click() {
    s.EditMode = EditModeKind::Paint;
}
void FormMain::OptionFill_Click() {
    s.EditMode = EditModeKind::Fill;
}

// Named the other way round from what it does: it makes the picture smaller.
void FormMain::BtEditZoomIn_Click() {
    if (const std::optional<int> zoom = zoomedOut(s.EditorZoom)) {
        s.EditorZoom = qint16(*zoom);
        DrawEditor();
    }
}

void FormMain::BtEditZoomOut_Click() {
    if (const std::optional<int> zoom = zoomedIn(s.EditorZoom)) {
        s.EditorZoom = qint16(*zoom);
        DrawEditor();
    }
}

void FormMain::ChkGridEditor_Click() {
    s.EditorCellSize = cellSizeFor(ChkGridEditor->isChecked());
    ArrangeControls();
    DrawEditor();
}

void FormMain::ChkNoncopied_Click() {
    s.NoncopiedHidden = ChkNoncopied->isChecked();
    DrawEditor();
}

// The press or left-button drag of the current tool at (x, y).
void FormMain::applyEditorTool(double x, double y) {
    const std::optional<EditorHit> hit = editorHitCell(x, y, s.EditorCellSize, s.EditorZoom);
    if (!hit) return;
    const int index = hit->index();
    const auto color = quint8(s.CurrentColor);
    switch (s.EditMode) {
    case EditModeKind::Select:
        s.EditorSelColumn = hit->column;
        s.EditorSelRow = hit->row;
        ShowEditorTileInfo();
        DrawEditor();
        break;
    case EditModeKind::Paint: {
        const std::optional<int> pixel =
            editorHitPixel(*hit, x, y, s.EditorCellSize, s.EditorZoom, s.EditorTiles[index]);
        if (pixel && paintStep(hit->column, hit->row, [&](EditorTileArray& tiles, auto&) {
                paintPixel(tiles, index, *pixel, color, s.NoncopiedHidden);
            }))
            DrawEditor();
        break;
    }
    case EditModeKind::Fill:
        if (editorStep(msg::fillStep(hit->column, hit->row), [&](EditorTileArray& tiles, auto&) {
                fillTile(tiles, index, color, s.NoncopiedHidden);
            }))
            DrawEditor();
        break;
    }
}

void FormMain::EditorBox_MouseDown(int button, int shift, double x, double y) {
    Q_UNUSED(button);
    Q_UNUSED(shift);
    // A press of the pencil opens a stroke; the release closes it (editorMouseUp).
    if (s.EditMode == EditModeKind::Paint) m_history->beginStroke();
    applyEditorTool(x, y);
}

void FormMain::editorMouseUp(int button, int shift, double x, double y) {
    Q_UNUSED(button);
    Q_UNUSED(shift);
    Q_UNUSED(x);
    Q_UNUSED(y);
    m_history->endStroke();
}

void FormMain::Editorbox_MouseMove(int button, int shift, double x, double y) {
    Q_UNUSED(shift);
    const std::optional<EditorHit> hit = editorHitCell(x, y, s.EditorCellSize, s.EditorZoom);
    if (!hit) return;
    const TileRecord& t = s.EditorTiles[size_t(hit->index())];
    LbStatus->setText(t.hasAddress()
                          ? QStringLiteral("Tile starting at byte ") + plainDecimal(t.Address)
                          : msg::kNoTileAddress);
    if (button != 1 || s.EditMode == EditModeKind::Fill) return;
    applyEditorTool(x, y);
}

// The box and the selected tile's switch never disagree: every press and every keyboard
// toggle flips the switch and shows the new state.
void FormMain::toggleFlip(const QString& what, bool TileRecord::*flag, GraphicButton* box) {
    editorStep(what, [flag](EditorTileArray& tiles, EditorSelection& selected) {
        TileRecord& t = tiles[size_t(editorCellIndex(selected.column, selected.row))];
        t.*flag = !(t.*flag);
    });
    box->setChecked(selectedTile().*flag);
    DrawEditor();
}

void FormMain::ChkFlipX_MouseDown(int button, int shift, double x, double y) {
    Q_UNUSED(button);
    Q_UNUSED(shift);
    Q_UNUSED(x);
    Q_UNUSED(y);
    toggleFlip(msg::mirrorStep(s.EditorSelColumn, s.EditorSelRow), &TileRecord::FlipX, ChkFlipX);
}

void FormMain::ChkFlipY_MouseDown(int button, int shift, double x, double y) {
    Q_UNUSED(button);
    Q_UNUSED(shift);
    Q_UNUSED(x);
    Q_UNUSED(y);
    toggleFlip(msg::upsideDownStep(s.EditorSelColumn, s.EditorSelRow), &TileRecord::FlipY,
               ChkFlipY);
}

void FormMain::ChkWriteProtected_Click() {
    // Also runs when ShowEditorTileInfo shows a cell's switch; that changes nothing, so it
    // records nothing.
    const bool checked = ChkWriteProtected->isChecked();
    editorStep(msg::protectionStep(s.EditorSelColumn, s.EditorSelRow),
               [checked](EditorTileArray& tiles, EditorSelection& selected) {
                   tiles[size_t(editorCellIndex(selected.column, selected.row))].WriteProtected =
                       checked;
               });
}
