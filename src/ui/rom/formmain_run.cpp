// The game one key away: the open ROM file opened with the program the desktop has for its
// type. Every write is already on disk, so nothing is written first.
#include "ui/app/formmain.h"

#include "core/app/desktopapps.h"
#include "core/app/messages.h"
#include "ui/platform/launcher.h"
#include "ui/platform/prompts.h"

#include <QLabel>

void FormMain::runRom() {
    const auto refuse = [this](const QString& text) {
        m_prompts.messageBox(notice(text, msg::kRunTitle));
    };
    if (!s.RomFileOpen) return refuse(msg::kRunNoFile);
    const QString type = desktopFileType(s.RomFilePath);
    const std::optional<DesktopApp> app = defaultAppFor(type);
    if (!app) return refuse(msg::noPlayer(type));
    if (!m_launcher->startDetached(execCommand(app->exec, s.RomFilePath)))
        return refuse(msg::playerNotStarted(app->name, app->id, app->exec));
    LbStatus->setText(msg::playerStarted(s.RomFilePath, app->name));
}
