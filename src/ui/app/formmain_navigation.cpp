// Keys on the two picture boxes: the browser's view moves through the jump, the editor's
// selected cell moves as with the select tool. Neither writes nor records a step.
#include "ui/app/formmain.h"

#include "core/app/numbers.h"
#include "core/editor/editorworkspace.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace {

// Where a browser key moves the view, as the address a user would type before the jump adds
// the offset; nothing for another key.
std::optional<qint64> browserKeyTarget(int key, qint64 typed, qint64 rowBytes, qint64 pageBytes,
                                       qint64 fileLength) {
    switch (key) {
    case Qt::Key_Up:
        return typed - rowBytes;
    case Qt::Key_Down:
        return typed + rowBytes;
    case Qt::Key_PageUp:
        return typed - pageBytes;
    case Qt::Key_PageDown:
        return typed + pageBytes;
    case Qt::Key_Home:
        return 0;
    case Qt::Key_End:
        return fileLength - pageBytes;
    default:
        return std::nullopt;
    }
}

} // namespace

void FormMain::browserKey(int key) {
    // An empty file has no address to jump to.
    if (!s.RomFileOpen || s.RomFileLength <= 0) return;
    const auto offset = qint64(NumericValue(ComboDivert->currentText()));
    const qint64 rowBytes = qint64(kTileBytes) * s.BrowserColumns;
    const std::optional<qint64> target =
        browserKeyTarget(key, qint64(s.BrowserTopAddress) - offset, rowBytes,
                         rowBytes * s.BrowserRows, s.RomFileLength);
    if (!target) return;
    TextAddress->setText(plainDecimal(std::clamp<qint64>(*target, 0, s.RomFileLength - 1)));
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
