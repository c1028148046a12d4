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
inline const QString kPictureFilter = QStringLiteral("PNG pictures (*.png)|*.png");
inline const QString kExportFailedTitle = QStringLiteral("Can not export the picture");
inline const QString kImportFailedTitle = QStringLiteral("Can not import the picture");
inline const QString kImportTitle = QStringLiteral("Import a picture");
inline const QString kPictureImportedTitle = QStringLiteral("Picture imported");
inline const QString kPictureOverRom =
    QStringLiteral("The picture would replace the open ROM file.\rChoose another name.");
inline const QString kPictureDamaged = QStringLiteral("The file is damaged.");
[[nodiscard]] inline QString pictureNotWritten(const QString& path, const QString& reason) {
    return QStringLiteral("The picture %1 can not be written.\r%2").arg(path, reason);
}
[[nodiscard]] inline QString pictureNotRead(const QString& path, const QString& reason) {
    return QStringLiteral("The picture %1 can not be read.\r%2").arg(path, reason);
}
[[nodiscard]] inline QString notPng(const QString& path) {
    return QStringLiteral("The file %1 is not a PNG picture.").arg(path);
}
[[nodiscard]] inline QString pictureTooLarge(int width, int height) {
    return QStringLiteral("The picture is %1 x %2 pixels.\rThe editor holds at most 80 x 64 "
                          "pixels (10 x 8 tiles).")
        .arg(width)
        .arg(height);
}
[[nodiscard]] inline QString pictureWrongSize(int width, int height) {
    return QStringLiteral("The picture is %1 x %2 pixels.\rIts width and height must be "
                          "multiples of 8, the size of a tile.")
        .arg(width)
        .arg(height);
}
[[nodiscard]] inline QString picturePastEdge(int columns, int rows, int column, int row) {
    return QStringLiteral("The picture is %1 x %2 tiles. Put in from the selected cell ( %3, %4)"
                          "\rit would reach past the edge of the editor.\rSelect a cell further "
                          "left or up.")
        .arg(columns)
        .arg(rows)
        .arg(column)
        .arg(row);
}
[[nodiscard]] inline QString confirmNearestColors(int pixels) {
    return pixels == 1 ? QStringLiteral("1 pixel of the picture has a color that is not in the "
                                        "palette.\rIt would change to the palette color "
                                        "nearest in brightness.\rImport the picture?")
                       : QStringLiteral("%1 pixels of the picture have colors that are not in "
                                        "the palette.\rThey would change to the palette colors "
                                        "nearest in brightness.\rImport the picture?")
                             .arg(pixels);
}
[[nodiscard]] inline QString cellsLeftAlone(int writeProtected, int hidden) {
    const QString protectedLine =
        writeProtected == 1
            ? QStringLiteral("1 write-protected cell was left alone.")
            : QStringLiteral("%1 write-protected cells were left alone.").arg(writeProtected);
    const QString hiddenLine =
        hidden == 1 ? QStringLiteral("1 cell without address was left alone, as noncopied "
                                     "tiles are hidden.")
                    : QStringLiteral("%1 cells without address were left alone, as noncopied "
                                     "tiles are hidden.")
                          .arg(hidden);
    if (hidden == 0) return protectedLine;
    if (writeProtected == 0) return hiddenLine;
    return protectedLine + u'\r' + hiddenLine;
}

} // namespace msg
