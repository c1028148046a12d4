// Keys on the two picture boxes: the browser's view moves through the jump, the editor's
// selected cell moves as with the select tool. Neither writes nor records a step.
#include "ui/app/formmain.h"

#include "core/app/numbers.h"
#include "core/browser/browsermath.h"
#include "core/editor/editorworkspace.h"
#include "ui/platform/picturebox.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace {

std::optional<BrowserKey> browserKeyFor(int key) {
    switch (key) {
    case Qt::Key_Up:
        return BrowserKey::RowUp;
    case Qt::Key_Down:
        return BrowserKey::RowDown;
    case Qt::Key_PageUp:
        return BrowserKey::PageUp;
    case Qt::Key_PageDown:
        return BrowserKey::PageDown;
    case Qt::Key_Home:
        return BrowserKey::Home;
    case Qt::Key_End:
        return BrowserKey::End;
    default:
        return std::nullopt;
    }
}

} // namespace

void FormMain::browserKey(int key) {
    const std::optional<BrowserKey> browser = browserKeyFor(key);
    if (!s.RomFileOpen || !browser) return;
    const auto offset = qint64(NumericValue(ComboDivert->currentText()));
    const BrowserPage page{{s.BrowserColumns, s.BrowserRows},
                           browserWholeCells(SpriteBox->scaleWidth(), SpriteBox->scaleHeight(),
                                             s.BrowserZoom, s.BrowserCellSize)};
    const std::optional<qint64> typed = browserKeyTyped(
        *browser, qint64(s.BrowserTopAddress) - offset, s.RomFileLength, offset, page);
    if (!typed) return;
    TextAddress->setText(plainDecimal(*typed));
    BtJumpAdd_Click();
}

void FormMain::editorKey(int key) {
    int column = s.EditorSelColumn;
    int row = s.EditorSelRow;
    switch (key) {
    case Qt::Key_Left:
        column = std::max(column - 1, 0);
        break;
    case Qt::Key_Right:
        column = std::min(column + 1, kEditorColumns - 1);
        break;
    case Qt::Key_Up:
        row = std::max(row - 1, 0);
        break;
    case Qt::Key_Down:
        row = std::min(row + 1, kEditorRows - 1);
        break;
    default:
        return;
    }
    s.EditorSelColumn = column;
    s.EditorSelRow = row;
    ShowEditorTileInfo();
    DrawEditor();
}
