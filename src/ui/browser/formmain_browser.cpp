// The browser: drawing the file's bytes as tiles, moving through them, pointing at them.
#include "ui/app/formmain.h"

#include "core/app/messages.h"
#include "core/app/numbers.h"
#include "core/app/viewgeometry.h"
#include "core/browser/browsermath.h"
#include "core/browser/visiblebytes.h"
#include "core/rom/romfile.h"
#include "ui/app/cellmark.h"
#include "ui/platform/graphicbutton.h"
#include "ui/platform/offscreendc.h"
#include "ui/platform/picturebox.h"
#include "ui/platform/prompts.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <cmath>

namespace {
constexpr ColorRef kNoFileGrey = rgbColor(191, 191, 191);

// What lies under a pointer position in the browser's layout now.
BrowserPoint pointUnder(const FormMainState& s, double x, double y) {
    return browserPointAt(x, y, s.BrowserCellSize, s.BrowserZoom, s.BrowserTopAddress,
                          s.BrowserColumns);
}
} // namespace

void FormMain::connectBrowserHandlers() {
    connect(BtOpenFile, &QAbstractButton::clicked, this, &FormMain::BtOpenFile_Click);
    connect(BtCloseFile, &QAbstractButton::clicked, this, &FormMain::BtCloseFile_Click);
    connect(ChkGrid, &QAbstractButton::toggled, this, &FormMain::ChkGrid_Click);
    connect(BtBrowZoomIn, &QAbstractButton::clicked, this, &FormMain::BtBrowZoomIn_Click);
    connect(BtBrowZoomOut, &QAbstractButton::clicked, this, &FormMain::BtBrowZoomOut_Click);
    connect(BtJumpAdd, &QAbstractButton::clicked, this, &FormMain::BtJumpAdd_Click);
    connect(ComboDivert, &QComboBox::activated, this, &FormMain::ComboDivert_click);
    connect(SpriteScroll, &QScrollBar::sliderMoved, this, &FormMain::SpriteScroll_Scroll);
    connect(SpriteScroll, &QScrollBar::valueChanged, this, &FormMain::SpriteScroll_Change);
    connect(SpriteBox, &PictureBox::mouseMove, this, &FormMain::SpriteBox_MouseMove);
    connect(SpriteBox, &PictureBox::mouseDown, this, &FormMain::SpriteBox_MouseDown);
    connect(SpriteBox, &PictureBox::dblClick, this, &FormMain::SpriteBox_DblClick);
    connect(SpriteBox, &PictureBox::navigationKey, this, &FormMain::browserKey);
}

// With no file open the whole box is grey, whatever the options say.
bool FormMain::showNoFile() {
    if (s.RomFileOpen && RomFileHandle) return false;
    SpriteBox->Fill(kNoFileGrey);
    SpriteBox->Refresh();
    return true;
}

void FormMain::DrawBrowser() {
    if (!BrowserDC || showNoFile()) return;
    fitBrowserBitmap();
    // The background only where the tiles leave the shown part free: the grid lines.
    const int cell = s.BrowserCellSize;
    fillCellGaps(*BrowserDC, s.BrowserColumns, s.BrowserRows, cell, s.OptionColors[0]);
    takeTileColors();
    // One positioned read of every visible tile, cell (c, r) being tile c + r x columns.
    const VisibleBytes visible(*RomFileHandle, s.BrowserTopAddress,
                               qint64(s.BrowserColumns) * s.BrowserRows);
    for (int r = 0; r < s.BrowserRows; ++r) {
        for (int c = 0; c < s.BrowserColumns; ++c) {
            visible.decode(c + qint64(r) * s.BrowserColumns, s.LoadedTile.Pixels);
            DrawTilePixels(c * cell, r * cell, *BrowserDC, s.LoadedTile.Pixels);
        }
    }
    DrawBrowserSelection();
}

// Steps shared with a full redraw: the mark, the copy onto the box, the outline without grid.
void FormMain::DrawBrowserSelection() {
    if (!BrowserDC || showNoFile()) return;
    const int cell = s.BrowserCellSize;
    const int zoom = s.BrowserZoom;
    if (cell == cellSizeFor(true))
        strokeGridRing(*BrowserDC, s.BrowserSelColumn, s.BrowserSelRow, s.OptionColors[1]);
    StretchBlt(*SpriteBox, *BrowserDC, s.BrowserColumns * cell, s.BrowserRows * cell, zoom);
    if (cell == cellSizeFor(false))
        outlineCell(*SpriteBox, s.BrowserSelColumn, s.BrowserSelRow, zoom, s.OptionColors[0]);
    SpriteBox->Refresh();
}

void FormMain::recomputeTopAddress() {
    s.BrowserTopAddress = scrollTopAddress(s.RomFileLength, SpriteScroll->sliderPosition(),
                                           s.BrowserRows, NumericValue(ComboDivert->currentText()));
    TextAddress->setText(signedDecimal(s.BrowserTopAddress));
    TextAddress->repaint();
    browserViewMoved();
}

// Every move of the view ends here: a pointer standing still over the browser now points at
// another tile, and the read-out says which.
void FormMain::browserViewMoved() {
    DrawBrowser();
    if (const std::optional<QPointF> at = SpriteBox->pointerInDrawingArea())
        SpriteBox_MouseMove(mouseButtonMask(QGuiApplication::mouseButtons()),
                            shiftMask(QGuiApplication::keyboardModifiers()), at->x(), at->y());
}

void FormMain::SpriteScroll_Scroll() {
    recomputeTopAddress();
}
void FormMain::SpriteScroll_Change() {
    recomputeTopAddress();
}
void FormMain::ComboDivert_click() {
    recomputeTopAddress();
}

void FormMain::BtJumpAdd_Click() {
    if (!s.RomFileOpen) return;
    const std::optional<qint32> top =
        jumpTopAddress(NumericValue(TextAddress->text()), s.RomFileLength,
                       NumericValue(ComboDivert->currentText()));
    if (!top) {
        m_prompts.messageBox(information(msg::kAddressTooLarge));
        return;
    }
    s.BrowserTopAddress = *top;
    browserViewMoved();
}

void FormMain::browserZoomChanged() {
    ArrangeControls();
    showBrowserAnew();
}

// A new grid of cells: nothing of the previous picture may remain outside it.
void FormMain::showBrowserAnew() {
    SpriteBox->Fill(kNoFileGrey);
    browserViewMoved();
}

void FormMain::BtBrowZoomIn_Click() {
    if (const std::optional<int> zoom = zoomedIn(s.BrowserZoom)) {
        s.BrowserZoom = *zoom;
        browserZoomChanged();
    }
}

void FormMain::BtBrowZoomOut_Click() {
    if (const std::optional<int> zoom = zoomedOut(s.BrowserZoom)) {
        s.BrowserZoom = *zoom;
        browserZoomChanged();
    }
}

void FormMain::ChkGrid_Click() {
    s.BrowserCellSize = cellSizeFor(ChkGrid->isChecked());
    browserZoomChanged();
}

void FormMain::SpriteBox_MouseMove(int button, int shift, double x, double y) {
    Q_UNUSED(button);
    Q_UNUSED(shift);
    if (!s.RomFileOpen) return;
    const BrowserPoint point = pointUnder(s, x, y);
    LbStatus->setText(QStringLiteral("Sprite at") + signedDecimal(point.address) +
                      QStringLiteral(" (") + signedDecimal(point.column) + u',' +
                      signedDecimal(point.row) + u')');
}

void FormMain::SpriteBox_MouseDown(int button, int shift, double x, double y) {
    Q_UNUSED(button);
    Q_UNUSED(shift);
    if (!s.RomFileOpen) return;
    const BrowserPoint point = pointUnder(s, x, y);
    // Below or right of the grid the box shows no cell: there is nothing to mark there.
    if (!point.onGrid(s.BrowserColumns, s.BrowserRows)) return;
    s.BrowserSelAddress = saturateToAddress(point.address);
    TextAddress->setText(plainDecimal(s.BrowserSelAddress));
    if (s.BrowserCellSize == cellSizeFor(true))
        strokeGridRing(*BrowserDC, s.BrowserSelColumn, s.BrowserSelRow, s.OptionColors[0]);
    s.BrowserSelColumn = int(point.column);
    s.BrowserSelRow = int(point.row);
    DrawBrowserSelection();
}
