// Opening and closing the ROM file, and the two routines that read and write its tiles.
#include "ui/app/formmain.h"

#include "core/app/messages.h"
#include "core/cartridge/cartridge.h"
#include "core/rom/romfile.h"
#include "core/rom/tilecodec.h"
#include "ui/platform/prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

void FormMain::BtOpenFile_Click() {
    const QString chosen = m_prompts.openFileName(msg::kOpenFilter, openDialogFolder());
    if (!chosen.isEmpty()) {
        s.RomFilePath = chosen;
        openfile();
    }
    ArrangeControls();
    DrawBrowser();
    DrawEditor();
}

void FormMain::openPath(const QString& path) {
    s.RomFilePath = path;
    openfile();
    ArrangeControls();
    DrawBrowser();
    DrawEditor();
}

void FormMain::openfile() {
    if (s.RomFileOpen) CloseFile();
    RomFile::OpenResult opened = RomFile::open(s.RomFilePath);
    if (auto* reason = std::get_if<QString>(&opened)) {
        refuseOpen(*reason);
        return;
    }
    takeRomFile(std::move(std::get<std::unique_ptr<RomFile>>(opened)));
    setWindowTitle(s.RomFilePath + QStringLiteral(" - ") + s.AppTitle);
    TextAddress->setText(QStringLiteral("0"));
    s.RomFileOpen = true;
    s.LastOpenedFolder = QFileInfo(s.RomFilePath).absolutePath();
    BtJumpAdd_Click();
}

// The file opened at the path, by the user or in place of one another program replaced: its
// length, its header looked at, and a watch on the path for other programs' changes.
void FormMain::takeRomFile(std::unique_ptr<RomFile> file) {
    RomFileHandle = std::move(file);
    s.RomFileLength = RomFileHandle->length();
    s.RomCartridge = recogniseCartridge(*RomFileHandle);
    watchRomFile();
}

// A path that can not be opened leaves the program with no file open.
void FormMain::refuseOpen(const QString& reason) {
    s.RomFileOpen = false;
    m_prompts.messageBox(notice(msg::openFailed(s.RomFilePath, reason), msg::kOpenFailedTitle));
}

// The open dialogs start near the files of this run, and otherwise in the home folder: never
// in whatever folder the program happened to be started from.
QString FormMain::openDialogFolder() const {
    return s.LastOpenedFolder.isEmpty() ? QDir::homePath() : s.LastOpenedFolder;
}

void FormMain::CloseFile() {
    forgetWrites();
    for (TileRecord& tile : s.EditorTiles)
        tile.Address = 0;
    TextEditAddress->setText(QStringLiteral("0"));
    unwatchRomFile();
    RomFileHandle.reset();
}

void FormMain::BtCloseFile_Click() {
    CloseFile(); // which also takes every editor tile's address
    s.RomFileOpen = false;
    DrawBrowser();
    DrawEditor();
}

void FormMain::LoadSprite(qint64 address) {
    m_lastRead = {};
    if (!RomFileHandle || address < 0) {
        s.LoadedTile.Pixels.fill(OutsideFile);
        return;
    }
    TileBytes bytes{};
    const qint64 got = RomFileHandle->read(address, bytes.data(), kTileBytes);
    m_lastRead = {address, bytes, got};
    decodeTile(bytes.data(), got, s.LoadedTile.Pixels);
}
