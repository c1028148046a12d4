#include "ui/platform/launcher.h"

#include <QProcess>

bool Launcher::startDetached(const QStringList& command) {
    return !command.isEmpty() && QProcess::startDetached(command.first(), command.mid(1));
}

Launcher& Launcher::system() {
    static Launcher launcher;
    return launcher;
}
