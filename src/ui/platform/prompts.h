#pragma once

#include "core/app/colorref.h"

#include <QString>

#include <functional>

enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { None, Information };
enum class MsgAnswer { Ok, Yes, No };
enum class WorkEnd { Done, Cancelled };
// A long task's progress runs from 0 to this, which ends it.
inline constexpr int kWorkDone = 1000;

// A modal message box. Lines of the text are joined by a carriage return alone; an empty
// title means the box has no title of its own.
struct MessageSpec {
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    MsgAnswer defaultButton = MsgAnswer::Ok;
    // Shown on request below the text (the keys, in the help box).
    QString details;

    bool operator==(const MessageSpec&) const = default;
};

// Every question, message and dialog the program puts to the user.
class Prompts {
  public:
    virtual ~Prompts() = default;
    virtual MsgAnswer messageBox(const MessageSpec& message) = 0;
    // Takes a filter list "description|patterns|description|patterns..." and the folder the
    // dialog starts in; returns the chosen path, or an empty string when none was chosen.
    virtual QString openFileName(const QString& filterList, const QString& startFolder) = 0;
    // The save-file dialog, offering `suggestedPath`; the chosen path, or an empty string.
    virtual QString saveFileName(const QString& filterList, const QString& suggestedPath) = 0;
    // Returns the chosen colour, or `current` when the picker was cancelled.
    virtual ColorRef chooseColor(ColorRef current) = 0;
    // Runs a long task piece by piece: `nextPiece` does one piece (a millisecond or so) and
    // returns the progress, kWorkDone when the task is over. When it takes longer than about a
    // third of a second, a modal dialog titled `title` shows `text`, the progress and Cancel;
    // between pieces the window draws itself but takes no input. Cancelled when Cancel was
    // pressed; the task is then left where it was.
    virtual WorkEnd work(const QString& title, const QString& text,
                         const std::function<int()>& nextPiece) = 0;
};

[[nodiscard]] inline MessageSpec information(const QString& text, const QString& title = {}) {
    return {text, title, MsgButtons::Ok, MsgIcon::Information, MsgAnswer::Ok, {}};
}
[[nodiscard]] inline MessageSpec notice(const QString& text, const QString& title) {
    return {text, title, MsgButtons::Ok, MsgIcon::None, MsgAnswer::Ok, {}};
}
[[nodiscard]] inline MessageSpec question(const QString& text, const QString& title) {
    return {text, title, MsgButtons::YesNo, MsgIcon::None, MsgAnswer::Yes, {}};
}
