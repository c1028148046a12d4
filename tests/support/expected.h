#pragma once

#include "ui/platform/prompts.h"

// The program's designed messages, written out here by hand: a test that compares a box with
// one of these checks its exact text, title, buttons, icon and default button.
namespace expected {

inline MessageSpec refusal(const QString& text, const QString& title) {
    return {text, title, MsgButtons::Ok, MsgIcon::None, MsgAnswer::Ok, {}};
}
inline MessageSpec yesNo(const QString& text, const QString& title) {
    return {text, title, MsgButtons::YesNo, MsgIcon::None, MsgAnswer::Yes, {}};
}

inline const QString kCaption = QStringLiteral("Dorvane's Pelorin 0.22");
inline const QString kOpenFilter = QStringLiteral(
    "Gameboy Roms (*.gb,*.gbc)|*.gb;*.gbc|Super Nintendo Roms (*.smc, *.sfc,*.fig)|*.smc; "
    "*.sfc;*.fig|All files (*.*)|*.*");

inline const MessageSpec kJumpRefused{
    QStringLiteral("The address must be smaller than the length of the file."),
    QString(),
    MsgButtons::Ok,
    MsgIcon::Information,
    MsgAnswer::Ok,
    {}};
inline const MessageSpec kEndOfFile =
    refusal(QStringLiteral("The tile can not be copied. It extends\rbehind the end of file."),
            QStringLiteral("Tile can not be copied"));
inline const MessageSpec kProtected =
    refusal(QStringLiteral("The tile in the editor is writeprotected."),
            QStringLiteral("Can not copy tile to editor"));
inline const MessageSpec kOverlap =
    refusal(QStringLiteral("This tile interferes with a tile that has already been copied."),
            QStringLiteral("Tile can not be copied to the editor."));
inline const MessageSpec kReadOnly = refusal(QStringLiteral("Can not save. The file is read-only."),
                                             QStringLiteral("Saving not possible"));
inline const MessageSpec kConfirmWrite =
    yesNo(QStringLiteral("Do you really want to write your changes to file?\r"
                         "This will change the file permantly.\r"
                         "It is strongly recommend that you always\r"
                         "have a backup of this file when\r"
                         "you keep your changes."),
          QStringLiteral("Really saving changes?"));
inline const MessageSpec kNoAddress = refusal(QStringLiteral("Selected tile has no address."),
                                              QStringLiteral("Can not save to file."));
inline const MessageSpec kInvalidBrowserTarget =
    refusal(QStringLiteral("The selected tile is not a valid address."),
            QStringLiteral("Can not save to file."));
inline const MessageSpec kInvalidTypedAddress = refusal(
    QStringLiteral("You entered an invalid address."), QStringLiteral("Can not save to file."));
// The undo of a write, putting back the bytes it replaced `where` ("at address 16").
inline MessageSpec confirmUndo(const QString& where, int bytes = 16) {
    return yesNo(QStringLiteral("Do you really want to put back the %1 bytes that the write "
                                "replaced\r%2?\rThis will change the file permanently.")
                     .arg(bytes)
                     .arg(where),
                 QStringLiteral("Really undoing the write?"));
}
inline const MessageSpec kConfirmClear = yesNo(
    QStringLiteral("Do you really want to clear the editor?"), QStringLiteral("Clear the editor"));

} // namespace expected
