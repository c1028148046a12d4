// The keys of the window, from one table: the shortcuts are registered from it, the picture
// boxes take their keys from it, and the help box lists it. Also the wheel, Enter in the
// address box and files dropped onto the window.
#include "ui/app/formmain.h"

#include "core/app/messages.h"
#include "ui/platform/picturebox.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QShortcut>

namespace {

// Where a key acts: anywhere in the window, or on the focused browser or editor box.
enum class KeyPlace { Window, Browser, Editor };

struct KeyBinding {
    KeyPlace place;
    QKeySequence keys;
    const char* does;
    // What a window key runs; the boxes' keys go to browserKey and editorKey.
    void (FormMain::*command)() = nullptr;
};

const KeyBinding kKeys[] = {
    {KeyPlace::Window, Qt::CTRL | Qt::Key_O, "open a file", &FormMain::BtOpenFile_Click},
    {KeyPlace::Window, Qt::CTRL | Qt::Key_W, "close the file", &FormMain::BtCloseFile_Click},
    {KeyPlace::Window, Qt::CTRL | Qt::Key_Q, "exit", &FormMain::BtExit_Click},
    {KeyPlace::Window, Qt::Key_F1, "help", &FormMain::Bthelp_Click},
    {KeyPlace::Window, Qt::CTRL | Qt::Key_E, "export the editor's cells as a PNG picture",
     &FormMain::exportEditorPicture},
    {KeyPlace::Window, Qt::CTRL | Qt::SHIFT | Qt::Key_E,
     "export the selected cell as a PNG picture", &FormMain::exportCellPicture},
    {KeyPlace::Window, Qt::CTRL | Qt::Key_I, "import a PNG picture from the selected cell on",
     &FormMain::importPicture},
    {KeyPlace::Window, Qt::CTRL | Qt::Key_Z, "undo the last step", &FormMain::undoLastStep},
    {KeyPlace::Window, Qt::CTRL | Qt::SHIFT | Qt::Key_Z, "redo it", &FormMain::redoNextStep},
    {KeyPlace::Window, Qt::CTRL | Qt::Key_Y, "redo it", &FormMain::redoNextStep},
    {KeyPlace::Window, Qt::CTRL | Qt::SHIFT | Qt::Key_P,
     "make an IPS patch of the session's writes", &FormMain::makePatch},
    {KeyPlace::Window, Qt::CTRL | Qt::Key_K,
     "show the checksums of a Game Boy or Super Nintendo header, and correct them",
     &FormMain::showChecksums},
    {KeyPlace::Window, Qt::CTRL | Qt::Key_L,
     "read colors 0 to 3 from the 8 bytes at the browser's marked address",
     &FormMain::readStoredPalette},
    {KeyPlace::Window, Qt::CTRL | Qt::Key_R,
     "open the ROM file with the desktop's program for it (an emulator)", &FormMain::runRom},
    {KeyPlace::Window, Qt::CTRL | Qt::Key_F, "find the selected tile in the file",
     &FormMain::findTile},
    {KeyPlace::Window, Qt::CTRL | Qt::SHIFT | Qt::Key_F,
     "find it also mirrored, upside down or in other colours", &FormMain::findSamePicture},
    {KeyPlace::Window, Qt::Key_F3, "the next place found", &FormMain::findNext},
    {KeyPlace::Window, Qt::SHIFT | Qt::Key_F3, "the previous place found", &FormMain::findPrevious},
    {KeyPlace::Browser, Qt::Key_Up, "the view one row up"},
    {KeyPlace::Browser, Qt::Key_Down, "the view one row down"},
    {KeyPlace::Browser, Qt::Key_PageUp, "the view one page up"},
    {KeyPlace::Browser, Qt::Key_PageDown, "the view one page down"},
    {KeyPlace::Browser, Qt::Key_Home, "the view to the start of the file"},
    {KeyPlace::Browser, Qt::Key_End, "the view to the last page of the file"},
    {KeyPlace::Editor, Qt::Key_Left, "the selected cell one to the left"},
    {KeyPlace::Editor, Qt::Key_Right, "the selected cell one to the right"},
    {KeyPlace::Editor, Qt::Key_Up, "the selected cell one up"},
    {KeyPlace::Editor, Qt::Key_Down, "the selected cell one down"},
};

QList<int> keysOf(KeyPlace place) {
    QList<int> keys;
    for (const KeyBinding& binding : kKeys) {
        if (binding.place == place) keys << binding.keys[0].toCombined();
    }
    return keys;
}

QString firstLocalFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) return url.toLocalFile();
    }
    return {};
}

} // namespace

void FormMain::connectKeys() {
    for (const KeyBinding& binding : kKeys) {
        if (binding.place == KeyPlace::Window)
            connect(new QShortcut(binding.keys, this), &QShortcut::activated, this,
                    binding.command);
    }
    SpriteBox->setNavigationKeys(keysOf(KeyPlace::Browser));
    EditorBox->setNavigationKeys(keysOf(KeyPlace::Editor));
    setAcceptDrops(true);
    connect(TextAddress, &QLineEdit::returnPressed, this, &FormMain::BtJumpAdd_Click);
    // A notch away from the user scrolls up, as in every other program.
    connect(SpriteBox, &PictureBox::wheelTurned, this, [this](int steps) {
        SpriteScroll->setValue(SpriteScroll->value() - steps * SpriteScroll->singleStep());
    });
}

QString FormMain::keyList() {
    const auto heading = [](KeyPlace place) {
        switch (place) {
        case KeyPlace::Window:
            return msg::kKeysInWindow;
        case KeyPlace::Browser:
            return msg::kKeysOnBrowser;
        case KeyPlace::Editor:
            break;
        }
        return msg::kKeysOnEditor;
    };
    QStringList lines;
    std::optional<KeyPlace> place;
    for (const KeyBinding& binding : kKeys) {
        if (binding.place != place) lines << QString() << heading(binding.place);
        place = binding.place;
        lines << binding.keys.toString(QKeySequence::PortableText) + QStringLiteral(": ") +
                     QLatin1String(binding.does);
    }
    return lines.mid(1).join(u'\n');
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
