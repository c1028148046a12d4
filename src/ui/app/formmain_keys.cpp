// The keys and mouse habits of desktop programs, each standing for one of the window's controls.
#include "ui/app/formmain.h"

#include "ui/platform/graphicbutton.h"
#include "ui/platform/picturebox.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QShortcut>

namespace {
QString firstLocalFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) return url.toLocalFile();
    }
    return {};
}
} // namespace

void FormMain::connectKeysAndWheel() {
    setAcceptDrops(true);
    connect(TextAddress, &QLineEdit::returnPressed, this, &FormMain::BtJumpAdd_Click);
    // A notch away from the user scrolls up, as in every other program.
    connect(SpriteBox, &PictureBox::wheelTurned, this, [this](int steps) {
        SpriteScroll->setValue(SpriteScroll->value() - steps * SpriteScroll->singleStep());
    });
    const auto shortcut = [this](QKeySequence keys, void (FormMain::*handler)()) {
        auto* key = new QShortcut(keys, this);
        connect(key, &QShortcut::activated, this, handler);
    };
    shortcut(QKeySequence::Open, &FormMain::BtOpenFile_Click);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_W), &FormMain::BtCloseFile_Click);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), &FormMain::BtExit_Click);
    shortcut(QKeySequence(Qt::Key_F1), &FormMain::Bthelp_Click);
    connectHistoryKeys();
    connectPictureKeys();
}

void FormMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!firstLocalFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void FormMain::dropEvent(QDropEvent* event) {
    const QString path = firstLocalFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    // Opened once the drop is over: a refusal shown from inside the drop would keep the
    // program the file was dragged from waiting for its OK.
    QMetaObject::invokeMethod(
        this, [this, path] { openPath(path); }, Qt::QueuedConnection);
}
