#pragma once

#include <QStringList>

// Starts other programs for the window (the emulator of Ctrl+R), detached: they run on when
// this program ends. Tests replace it to see what would be started; the program uses system().
class Launcher {
  public:
    virtual ~Launcher() = default;
    // `command` is the program, then its arguments; false when it could not be started.
    [[nodiscard]] virtual bool startDetached(const QStringList& command);

    static Launcher& system();
};
