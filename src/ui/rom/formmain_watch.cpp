// The open file as other programs change it: written in place, lengthened or shortened,
// replaced by a file renamed over its path, removed. The browser follows; the editor's cells
// stay as they are.
#include "ui/app/formmain.h"

#include "core/app/messages.h"
#include "core/rom/romfile.h"
#include "ui/app/history.h"
#include "ui/platform/filewatch.h"

#include <QApplication>
#include <QLabel>

void FormMain::connectFileWatch() {
    m_fileWatch = new FileWatch(this);
    connect(m_fileWatch, &FileWatch::changed, this, &FormMain::followRomFile);
}

void FormMain::watchRomFile() {
    m_romFileGone = false;
    m_fileWatch->watch(s.RomFilePath);
}

void FormMain::unwatchRomFile() {
    m_fileWatch->stop();
}

void FormMain::followRomFile() {
    if (!s.RomFileOpen || !RomFileHandle) return;
    // A dialog is waiting for an answer about the file as it was: follow once it is answered.
    if (QApplication::activeModalWidget()) return m_fileWatch->postpone();
    switch (RomFileHandle->pathNow()) {
    case RomFile::PathNow::ThisFile:
        if (m_romFileGone) LbStatus->setText(msg::romFileBack(s.RomFilePath));
        m_romFileGone = false;
        if (RomFileHandle->refreshLength()) s.RomFileLength = RomFileHandle->length();
        DrawBrowser();
        return;
    case RomFile::PathNow::OtherFile:
        followReplacement();
        return;
    case RomFile::PathNow::Nothing:
        // The file stays open and shown until a file appears at the path or the user closes.
        m_romFileGone = true;
        LbStatus->setText(msg::romFileGone(s.RomFilePath));
        return;
    }
}

// Opens the file now at the path in place of the old one, as opening would (its header is
// looked at anew), but keeps the editor's cells with their addresses and the view where it
// is. What this program saw of the old file stays the measure of what another program
// changed: the new file's bytes at a cell's address are compared with it before a save.
void FormMain::followReplacement() {
    RomFile::OpenResult opened = RomFile::open(s.RomFilePath);
    if (auto* reason = std::get_if<QString>(&opened)) {
        LbStatus->setText(msg::replacementNotOpened(s.RomFilePath, *reason));
        return;
    }
    auto replacement = std::move(std::get<std::unique_ptr<RomFile>>(opened));
    replacement->seen() = std::move(RomFileHandle->seen());
    const bool hadWrites = m_history->hasWrites();
    m_history->fileReplaced();
    takeRomFile(std::move(replacement));
    DrawBrowser();
    QString said = msg::romFileReplaced(s.RomFilePath);
    if (hadWrites && m_history->asked()) said += u' ' + msg::writeHistoryCleared(s.RomFilePath);
    LbStatus->setText(said);
}
