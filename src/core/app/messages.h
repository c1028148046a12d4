#pragma once

#include <QString>

// The texts of the program's messages, titles and status lines (captions and tooltips stand
// beside their controls in the layout). Lines of a message are joined by a carriage return.
namespace msg {

inline const QString kAppTitle = QStringLiteral("Dorvane's Pelorin 0.22");
inline const QString kCredit =
    QStringLiteral("Dorvane's Pelorin 0.22 - Game Boy and Super Nintendo tile editor, by Dorvane");

inline const QString kOpenFilter = QStringLiteral(
    "Gameboy Roms (*.gb,*.gbc)|*.gb;*.gbc|Super Nintendo Roms (*.smc, *.sfc,*.fig)|*.smc; "
    "*.sfc;*.fig|All files (*.*)|*.*");

inline const QString kHelpTitle = QStringLiteral("Help");
inline const QString kHelpPrefix = QStringLiteral("Go to ");

inline const QString kOpenFailedTitle = QStringLiteral("Can not open file");
[[nodiscard]] inline QString openFailed(const QString& path, const QString& reason) {
    return QStringLiteral("The file %1 can not be opened.\r%2").arg(path, reason);
}

inline const QString kAddressTooLarge =
    QStringLiteral("The address must be smaller than the length of the file.");

inline const QString kEndOfFile =
    QStringLiteral("The tile can not be copied. It extends\rbehind the end of file.");
inline const QString kEndOfFileTitle = QStringLiteral("Tile can not be copied");
inline const QString kProtected = QStringLiteral("The tile in the editor is writeprotected.");
inline const QString kProtectedTitle = QStringLiteral("Can not copy tile to editor");
inline const QString kOverlap =
    QStringLiteral("This tile interferes with a tile that has already been copied.");
inline const QString kOverlapTitle = QStringLiteral("Tile can not be copied to the editor.");

inline const QString kReadOnly = QStringLiteral("Can not save. The file is read-only.");
inline const QString kSavingNotPossible = QStringLiteral("Saving not possible");
inline const QString kConfirmWrite = QStringLiteral(
    "Do you really want to write your changes to file?\rThis will change the file permantly.\r"
    "It is strongly recommend that you always\rhave a backup of this file when\r"
    "you keep your changes.");
inline const QString kConfirmWriteTitle = QStringLiteral("Really saving changes?");
inline const QString kCanNotSave = QStringLiteral("Can not save to file.");
inline const QString kNoAddress = QStringLiteral("Selected tile has no address.");
inline const QString kInvalidBrowserTarget =
    QStringLiteral("The selected tile is not a valid address.");
inline const QString kInvalidTypedAddress = QStringLiteral("You entered an invalid address.");
[[nodiscard]] inline QString writeFailed(const QString& reason) {
    return QStringLiteral("Can not save. ") + reason;
}
[[nodiscard]] inline QString tilesWrittenBefore(int count) {
    return count == 1 ? QStringLiteral("\r1 tile was written before the failure.")
                      : QStringLiteral("\r%1 tiles were written before the failure.").arg(count);
}

inline const QString kConfirmClear = QStringLiteral("Do you really want to clear the editor?");
inline const QString kConfirmClearTitle = QStringLiteral("Clear the editor");

inline const QString kNoTileAddress = QStringLiteral("Tile has no address.");

// Undo, redo and patches

// Pictures exported and imported

} // namespace msg
