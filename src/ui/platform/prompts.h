#pragma once

#include "core/app/colorref.h"

#include <QString>

enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { None, Information };
enum class MsgAnswer { Ok, Yes, No };

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
