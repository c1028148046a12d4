#pragma once

#include <QString>
#include <QStringList>

#include <algorithm>
#include <vector>

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
inline const QString kKeysInWindow = QStringLiteral("Keys in the window:");
inline const QString kKeysOnBrowser = QStringLiteral("Keys on the browser (click it first):");
inline const QString kKeysOnEditor = QStringLiteral("Keys on the editor (click it first):");

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
// Steps are named by what they did to which cell, "( 3, 0)" written as the browser writes its
// cells (columns and rows have one digit).
[[nodiscard]] inline QString cellStep(const char* what, int column, int row) {
    return QStringLiteral("%1 cell ( %2, %3)").arg(QLatin1String(what)).arg(column).arg(row);
}
[[nodiscard]] inline QString paintStep(int column, int row) {
    return cellStep("paint in", column, row);
}
[[nodiscard]] inline QString fillStep(int column, int row) {
    return cellStep("fill of", column, row);
}
[[nodiscard]] inline QString clearStep(int column, int row) {
    return cellStep("clear of", column, row);
}
[[nodiscard]] inline QString reloadStep(int column, int row) {
    return cellStep("reload of", column, row);
}
[[nodiscard]] inline QString protectionStep(int column, int row) {
    return cellStep("write protection of", column, row);
}
[[nodiscard]] inline QString mirrorStep(int column, int row) {
    return cellStep("mirror of", column, row);
}
[[nodiscard]] inline QString upsideDownStep(int column, int row) {
    return cellStep("upside-down turn of", column, row);
}
[[nodiscard]] inline QString copyInStep(qint32 address, int column, int row) {
    return QStringLiteral("copy of address %1 into cell ( %2, %3)")
        .arg(address)
        .arg(column)
        .arg(row);
}
[[nodiscard]] inline QString saveStep(int column, int row, qint32 address) {
    return cellStep("save of", column, row) + QStringLiteral(" at %1").arg(address);
}
[[nodiscard]] inline QString writeToStep(int column, int row, qint32 address) {
    return cellStep("copy of", column, row) + QStringLiteral(" to %1").arg(address);
}
inline const QString kClearAllStep = QStringLiteral("clear of all cells");
inline const QString kReloadAllStep = QStringLiteral("reload of all cells");
inline const QString kSaveAllStep = QStringLiteral("save of all tiles");

[[nodiscard]] inline QString undone(const QString& step) {
    return QStringLiteral("Undone: ") + step;
}
[[nodiscard]] inline QString redone(const QString& step) {
    return QStringLiteral("Redone: ") + step;
}
inline const QString kNothingToUndo = QStringLiteral("Nothing to undo.");
inline const QString kNothingToRedo = QStringLiteral("Nothing to redo.");
[[nodiscard]] inline QString writeHistoryCleared(const QString& path) {
    return QStringLiteral("The history of writes to %1 was cleared.").arg(path);
}

// Undoing a write asks what it will do: put back the bytes the write replaced, and where.
inline const QString kConfirmUndoTitle = QStringLiteral("Really undoing the write?");
[[nodiscard]] inline QString confirmUndoWrite(const std::vector<qint32>& addresses, int bytes) {
    const auto count = qsizetype(addresses.size());
    QString where;
    if (count == 1) {
        where = QStringLiteral("at address %1").arg(addresses.front());
    } else if (count <= 4) {
        QStringList listed;
        for (const qint32 address : addresses)
            listed << QString::number(address);
        where = QStringLiteral("at the addresses %1 and %2")
                    .arg(listed.mid(0, count - 1).join(QStringLiteral(", ")), listed.last());
    } else {
        const auto [lowest, highest] = std::minmax_element(addresses.begin(), addresses.end());
        where =
            QStringLiteral("at %1 addresses from %2 to %3").arg(count).arg(*lowest).arg(*highest);
    }
    return QStringLiteral("Do you really want to put back the %1 bytes that the write replaced\r"
                          "%2?\rThis will change the file permanently.")
        .arg(bytes)
        .arg(where);
}
inline const QString kUndoRefusedTitle = QStringLiteral("Can not undo the write");
inline const QString kRedoRefusedTitle = QStringLiteral("Can not redo the write");
[[nodiscard]] inline QString fileReplacedSince(const QString& path) {
    return QStringLiteral("The file %1 was removed or replaced since it was written.\r"
                          "Nothing was changed.")
        .arg(path);
}
[[nodiscard]] inline QString fileTooShortNow(const QString& path, qint64 address, int bytes) {
    return QStringLiteral("The file %1 is now too short to hold the %2 bytes at address %3.\r"
                          "Nothing was changed.")
        .arg(path)
        .arg(bytes)
        .arg(address);
}
// The bytes a write expected in the file: those it wrote (for its undo), those it replaced
// (for its redo), or those shown before the user agreed to it.
enum class ExpectedBytes { Written, Replaced, Shown };
[[nodiscard]] inline QString bytesChangedSince(const QString& path, qint64 address, int bytes,
                                               ExpectedBytes expected) {
    const QString ones = expected == ExpectedBytes::Written ? QStringLiteral("this program wrote")
                         : expected == ExpectedBytes::Replaced
                             ? QStringLiteral("this write replaced")
                             : QStringLiteral("shown");
    return QStringLiteral("The %1 bytes at address %2 of %3 are no longer the ones %4.\r"
                          "Another program changed them. Nothing was changed.")
        .arg(bytes)
        .arg(address)
        .arg(path, ones);
}
[[nodiscard]] inline QString writeBackFailed(const QString& reason) {
    return QStringLiteral("Can not put the bytes back. %1\rThe history of writes to this file "
                          "was cleared.")
        .arg(reason);
}

inline const QString kPatchFilter = QStringLiteral("IPS patches (*.ips)|*.ips");
inline const QString kPatchTitle = QStringLiteral("Can not make a patch");
inline const QString kPatchNoFile =
    QStringLiteral("No file is open. A patch holds what this session wrote to the open file.");
[[nodiscard]] inline QString patchNothingChanged(const QString& path) {
    return QStringLiteral("This session changed no byte of %1.").arg(path);
}
[[nodiscard]] inline QString patchOutOfReach(qint64 address) {
    return QStringLiteral("This session changed the byte at address %1. An IPS patch reaches "
                          "only the first 16 MiB\r(addresses below 16777216). No patch was made.")
        .arg(address);
}
inline const QString kPatchOverRom =
    QStringLiteral("The patch would replace the open ROM file.\rChoose another name.");
[[nodiscard]] inline QString patchNotWritten(const QString& path, const QString& reason) {
    return QStringLiteral("The patch %1 can not be written.\r%2").arg(path, reason);
}
[[nodiscard]] inline QString patchWritten(qsizetype bytes, const QString& path) {
    return QStringLiteral("A patch of %1 changed bytes was written to %2.").arg(bytes).arg(path);
}

// Other programs beside this one: the open file changed by them, the question before a save
// over their change, and the emulator started by Ctrl+R.
[[nodiscard]] inline QString romFileReplaced(const QString& path) {
    return QStringLiteral("Another program replaced %1; the new file is shown.").arg(path);
}
[[nodiscard]] inline QString romFileGone(const QString& path) {
    return QStringLiteral("Another program removed %1; the view shows it as it was.").arg(path);
}
[[nodiscard]] inline QString romFileBack(const QString& path) {
    return QStringLiteral("%1 is back in its place.").arg(path);
}
[[nodiscard]] inline QString replacementNotOpened(const QString& path, const QString& reason) {
    return QStringLiteral("Another program replaced %1 by a file that can not be opened: %2 "
                          "The view shows the old file.")
        .arg(path, reason);
}
inline const QString kOthersChangeTitle = QStringLiteral("Another program changed the file");
[[nodiscard]] inline QString othersChange(qint32 address) {
    return QStringLiteral("Another program changed the bytes at address %1\rsince this "
                          "program last read them into the editor or wrote them.\rDo you want "
                          "to write the tile over their change?")
        .arg(address);
}
inline const QString kRunTitle = QStringLiteral("Can not run the game");
inline const QString kRunNoFile =
    QStringLiteral("No file is open. Ctrl+R opens the open ROM file with the program\r"
                   "the desktop has for its type, an emulator.");
[[nodiscard]] inline QString noPlayer(const QString& type) {
    return QStringLiteral("No program is set to open files of the type %1.\rSet your emulator "
                          "with the command\rxdg-mime default NAME.desktop %1\r"
                          "where NAME.desktop is the emulator's desktop file.")
        .arg(type);
}
[[nodiscard]] inline QString playerNotStarted(const QString& name, const QString& id,
                                              const QString& exec) {
    return QStringLiteral("%1 (%2) could not be started.\rIts command is: %3").arg(name, id, exec);
}
[[nodiscard]] inline QString playerStarted(const QString& path, const QString& name) {
    return QStringLiteral("%1 was opened with %2.").arg(path, name);
}

// Pictures exported and imported
inline const QString kPictureFilter = QStringLiteral("PNG pictures (*.png)|*.png");
inline const QString kExportFailedTitle = QStringLiteral("Can not export the picture");
inline const QString kImportFailedTitle = QStringLiteral("Can not import the picture");
inline const QString kImportTitle = QStringLiteral("Import a picture");
inline const QString kPictureImportedTitle = QStringLiteral("Picture imported");
inline const QString kPictureOverRom =
    QStringLiteral("The picture would replace the open ROM file.\rChoose another name.");
inline const QString kPictureDamaged = QStringLiteral("The file is damaged.");
inline const QString kPictureFileTooLong = QStringLiteral(
    "The file is larger than 1 MiB, far larger than a picture of 80 x 64 pixels needs.");
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
inline const QString kConfirmPaletteEntries = QStringLiteral(
    "The picture has colors that are not in the palette.\rIts pixels would take the values of "
    "their entries in the picture's own palette (entry 0 as value 0, entry 1 as value 1, and so "
    "on).\rImport the picture?");
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

// Game Boy and Super Nintendo headers: the question before a write into one, the checksums
// (Ctrl+K) and the colours read from the file (Ctrl+L). Hexadecimal as in the formats' own
// descriptions, beside the decimal the address boxes take.
[[nodiscard]] inline QString hexDigits(qint64 value, int digits = 1) {
    return QStringLiteral("%1").arg(value, digits, 16, QChar(u'0')).toUpper();
}
[[nodiscard]] inline QString byteRange(qint64 first, qint64 last) {
    if (first == last) return QStringLiteral("byte %1 (hex %2)").arg(first).arg(hexDigits(first));
    return QStringLiteral("bytes %1 to %2 (hex %3 to %4)")
        .arg(first)
        .arg(last)
        .arg(hexDigits(first), hexDigits(last));
}

inline const QString kHeaderWriteTitle = QStringLiteral("Writing into the cartridge header");
[[nodiscard]] inline QString confirmGameBoyHeaderWrite(qint64 first, qint64 last) {
    return QStringLiteral("This write reaches into %1: the Game Boy cartridge header.\r"
                          "It holds where the game starts, the logo, the title, the kind of "
                          "cartridge and the header checksum.\r"
                          "The console compares the logo and the header checksum before it "
                          "starts a game:\rwith other bytes there, the game may not start.\r"
                          "Write into the header all the same?")
        .arg(byteRange(first, last));
}
[[nodiscard]] inline QString confirmSnesHeaderWrite(const QString& mapping, qint64 first,
                                                    qint64 last) {
    return QStringLiteral("This write reaches into %1: the Super Nintendo internal header (%2) "
                          "and the vectors.\r"
                          "They hold the title, the map mode, the sizes, the region, the "
                          "checksum and where the processor starts the game and handles its "
                          "interrupts.\r"
                          "Emulators read the header to run the game and warn of a wrong "
                          "checksum, and some games check it:\rwith other bytes there, the "
                          "game may not run.\rWrite into the header all the same?")
        .arg(byteRange(first, last), mapping);
}

inline const QString kChecksumsTitle = QStringLiteral("Checksums");
inline const QString kChecksumsNoFile =
    QStringLiteral("No file is open. The checksums are read from the open file's header.");
[[nodiscard]] inline QString plainFile(const QString& path) {
    return QStringLiteral("%1 is neither a Game Boy nor a Super Nintendo ROM image:\rit has no "
                          "header that this program knows, and so no checksums.")
        .arg(path);
}
[[nodiscard]] inline QString checksumsUnreadable(const QString& path) {
    return QStringLiteral("%1 can not be read to its end: it was shortened or can not be read "
                          "since it was opened.\rThe checksums can not be worked out.")
        .arg(path);
}
[[nodiscard]] inline QString gameBoyImage(const QString& path, const QString& title) {
    return QStringLiteral("%1 is a Game Boy ROM image, title \"%2\".").arg(path, title);
}
[[nodiscard]] inline QString snesImage(const QString& path, const QString& mapping,
                                       qint64 copierHeader, const QString& title) {
    const QString copier =
        copierHeader == 0 ? QString()
                          : QStringLiteral(" after a %1-byte copier's header").arg(copierHeader);
    return QStringLiteral("%1 is a Super Nintendo ROM image, %2%3, title \"%4\".")
        .arg(path, mapping, copier, title);
}
// One checksum: "Header checksum, byte 333 (hex 14D): holds 3A, should hold 3A."
[[nodiscard]] inline QString checksumLine(const QString& name, qint64 address, int bytes,
                                          quint32 holds, quint32 should) {
    return QStringLiteral("%1, %2: holds %3, should hold %4.")
        .arg(name, byteRange(address, address + bytes - 1), hexDigits(holds, 2 * bytes),
             hexDigits(should, 2 * bytes));
}
inline const QString kGameBoyHeaderChecksum = QStringLiteral("Header checksum");
inline const QString kGameBoyGlobalChecksum = QStringLiteral("Global checksum");
inline const QString kSnesComplement = QStringLiteral("Checksum complement");
inline const QString kSnesChecksum = QStringLiteral("Checksum");
inline const QString kChecksumsRight = QStringLiteral("The checksums are right.");
inline const QString kWriteChecksums = QStringLiteral("Write the right checksums into the file?");
[[nodiscard]] inline QString checksumsChangedSince(const QString& path) {
    return QStringLiteral("%1 changed since its checksums were shown: another program wrote to "
                          "it.\rNothing was written. Press Ctrl+K to see the checksums as they "
                          "are now.")
        .arg(path);
}
[[nodiscard]] inline QString checksumStep(const QString& path) {
    return QStringLiteral("checksums of %1").arg(path);
}
[[nodiscard]] inline QString checksumsWritten(const QString& path) {
    return QStringLiteral("The checksums of %1 were written.").arg(path);
}

inline const QString kStoredPaletteTitle = QStringLiteral("Can not read the colors");
inline const QString kStoredPaletteNoFile =
    QStringLiteral("No file is open. The colors are read from the 8 bytes at the browser's "
                   "marked address.");
[[nodiscard]] inline QString storedPalettePastEnd(qint64 address, qint64 length) {
    return QStringLiteral("The colors are read from the 8 bytes at the marked address %1,\rbut "
                          "the file is %2 bytes long.\rMark a cell at least 8 bytes before its "
                          "end.")
        .arg(address)
        .arg(length);
}
[[nodiscard]] inline QString storedPaletteRead(qint64 address) {
    return QStringLiteral("Colors 0 to 3 read from the 8 bytes at address %1.").arg(address);
}

// Finding the selected cell's tile in the file
inline const QString kFindTitle = QStringLiteral("Find the tile");
inline const QString kFindPictureTitle = QStringLiteral("Find the same picture");
inline const QString kFindNoFile =
    QStringLiteral("No file is open. Open a file to search it for the selected tile.");
inline const QString kFindHiddenCell =
    QStringLiteral("The selected cell has no address, and noncopied tiles are hidden.\r"
                   "Select a cell that shows the tile to search for.");
[[nodiscard]] inline QString findOneValue(int value) {
    return QStringLiteral("All 64 pixels of the selected tile have the value %1.\rSuch a tile "
                          "would be found in every plain stretch of the file,\rso it is not "
                          "searched for. Select a tile with a picture.")
        .arg(value);
}
[[nodiscard]] inline QString searching(const QString& path) {
    return QStringLiteral("Searching %1 ...").arg(path);
}
[[nodiscard]] inline QString notFound(const QString& path, bool samePicture) {
    return samePicture ? QStringLiteral("Neither the selected tile nor a mirrored or "
                                        "renumbered form of it is in %1.")
                             .arg(path)
                       : QStringLiteral("The selected tile is not in %1.").arg(path);
}
[[nodiscard]] inline QString searchStopped(const QString& path) {
    return QStringLiteral("The file %1 was shortened, removed or replaced during the search.\r"
                          "The search was stopped.")
        .arg(path);
}
inline const QString kSearchCancelled = QStringLiteral("The search was cancelled.");
inline const QString kNoPlaces = QStringLiteral(
    "No places to go to: Ctrl+F (or Ctrl+Shift+F) searches this file for the selected tile.");
// How a form of the tile differs from the tile as stored: "mirrored left-right", "values
// 0 3 -> 0 1" (the values the tile uses, and what they are in this form).
inline const QString kMirroredLeftRight = QStringLiteral("mirrored left-right");
inline const QString kUpsideDown = QStringLiteral("upside down");
inline const QString kMirroredBoth = QStringLiteral("mirrored left-right and upside down");
[[nodiscard]] inline QString renumbered(const QString& from, const QString& to) {
    return QStringLiteral("values %1 \u2192 %2").arg(from, to);
}
// "Found at 4105 (2 of 5), mirrored left-right"; past the bound on the places kept, "(2 of
// the first 100000 of 163840)".
[[nodiscard]] inline QString foundAt(qint64 address, qsizetype number, qint64 count, qsizetype kept,
                                     const QString& form) {
    const QString of = kept < count ? QStringLiteral("the first %1 of %2").arg(kept).arg(count)
                                    : QString::number(count);
    return QStringLiteral("Found at %1 (%2 of %3)").arg(address).arg(number).arg(of) +
           (form.isEmpty() ? QString() : QStringLiteral(", ") + form);
}
[[nodiscard]] inline QString offsetChangedFor(qint64 address) {
    return QStringLiteral("; \"Add to address\" is now %1 to show it").arg(address);
}

} // namespace msg
