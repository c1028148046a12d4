// Pictures of the editor's cells: exported as PNG files for any paint program, and imported
// back. Reached by keys only; nothing of it reaches the ROM file.
#include "ui/app/formmain.h"

#include "core/app/messages.h"
#include "core/editor/editorpicture.h"
#include "core/palette/picturemapping.h"
#include "core/rom/romfile.h"
#include "ui/platform/pngfile.h"
#include "ui/platform/prompts.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int kTileSide = 8;

[[nodiscard]] DrawingColors drawingColors(const FormMainState& s) {
    return DrawingColors(s.PaletteColors.data(), 4);
}

// The ROM file's name with "-tiles.png" for its extension; with no file open, in the home
// folder, which does not depend on where the program was started from.
[[nodiscard]] QString suggestedPicturePath(const FormMainState& s) {
    if (!s.RomFileOpen) return QDir::home().filePath(QStringLiteral("tiles.png"));
    const QFileInfo rom(s.RomFilePath);
    return rom.dir().filePath(rom.completeBaseName() + QStringLiteral("-tiles.png"));
}

void exportBlock(Prompts& prompts, const FormMainState& s, const RomFile* rom,
                 const CellBlock& block) {
    const QString path = prompts.saveFileName(msg::kPictureFilter, suggestedPicturePath(s));
    if (path.isEmpty()) return;
    if (rom && rom->isFileAt(path)) {
        prompts.messageBox(notice(msg::kPictureOverRom, msg::kExportFailedTitle));
        return;
    }
    const std::optional<QString> failure =
        writePalettePng(path, kTileSide * block.columns, kTileSide * block.rows,
                        blockPicture(s.EditorTiles, block, s.NoncopiedHidden), drawingColors(s));
    if (failure)
        prompts.messageBox(notice(msg::pictureNotWritten(path, *failure), msg::kExportFailedTitle));
}

[[nodiscard]] QString pngErrorText(const QString& path, const PngError& error) {
    switch (error.problem) {
    case PngProblem::Unreadable:
        return msg::pictureNotRead(path, error.reason);
    case PngProblem::NotPng:
        return msg::notPng(path);
    case PngProblem::TooLong:
        return msg::pictureNotRead(path, msg::kPictureFileTooLong);
    case PngProblem::Damaged:
        break;
    }
    return msg::pictureNotRead(path, msg::kPictureDamaged);
}

[[nodiscard]] QString fitRefusal(const PictureMisfit& misfit, int column, int row) {
    switch (misfit.fit) {
    case PictureFit::WrongSize:
        return msg::pictureWrongSize(misfit.width, misfit.height);
    case PictureFit::PastEdge:
        return msg::picturePastEdge(misfit.width / kTileSide, misfit.height / kTileSide, column,
                                    row);
    case PictureFit::TooLarge:
    case PictureFit::Fits:
        break;
    }
    return msg::pictureTooLarge(misfit.width, misfit.height);
}

// The picture at `path` when it can go into the editor from cell (column, row); otherwise
// the reason is shown and nothing is returned. The file is read once: what is measured is what
// goes in.
[[nodiscard]] std::optional<PictureColors> readFittingPicture(Prompts& prompts, const QString& path,
                                                              int column, int row) {
    const auto refuse = [&prompts](const QString& text) {
        prompts.messageBox(notice(text, msg::kImportFailedTitle));
        return std::nullopt;
    };
    const std::variant<QByteArray, PngError> bytes = readPngBytes(path);
    if (const PngError* error = std::get_if<PngError>(&bytes))
        return refuse(pngErrorText(path, *error));
    std::variant<PictureColors, PngError, PictureMisfit> picture =
        pictureForCell(std::get<QByteArray>(bytes), column, row);
    if (const PngError* error = std::get_if<PngError>(&picture))
        return refuse(pngErrorText(path, *error));
    if (const PictureMisfit* misfit = std::get_if<PictureMisfit>(&picture))
        return refuse(fitRefusal(*misfit, column, row));
    return std::get<PictureColors>(std::move(picture));
}

// Whether the user takes the picture as `mapped` gives it, asked only when its colours are not
// all of the four.
[[nodiscard]] bool mappingAccepted(Prompts& prompts, const MappedPicture& mapped) {
    QString text;
    switch (mapped.mapping) {
    case PictureMapping::ByColor:
        return true;
    case PictureMapping::ByIndex:
        text = msg::kConfirmPaletteEntries;
        break;
    case PictureMapping::Nearest:
        text = msg::confirmNearestColors(mapped.approximated);
        break;
    }
    return prompts.messageBox(question(text, msg::kImportTitle)) == MsgAnswer::Yes;
}

} // namespace

void FormMain::exportEditorPicture() {
    exportBlock(m_prompts, s, RomFileHandle.get(), CellBlock{});
}

void FormMain::exportCellPicture() {
    exportBlock(m_prompts, s, RomFileHandle.get(),
                CellBlock{s.EditorSelColumn, s.EditorSelRow, 1, 1});
}

void FormMain::importPicture() {
    const QString path = m_prompts.openFileName(msg::kPictureFilter, openDialogFolder());
    if (path.isEmpty()) return;
    const std::optional<PictureColors> picture =
        readFittingPicture(m_prompts, path, s.EditorSelColumn, s.EditorSelRow);
    if (!picture) return;
    const MappedPicture mapped = mapPicture(*picture, drawingColors(s));
    if (!mappingAccepted(m_prompts, mapped)) return;
    const CellBlock block{s.EditorSelColumn, s.EditorSelRow, picture->width / kTileSide,
                          picture->height / kTileSide};
    std::optional<PicturePlacement> placed;
    editorStep(QStringLiteral("import of ") + QFileInfo(path).fileName(),
               [&](EditorTileArray& tiles, EditorSelection&) {
                   placed = placePicture(tiles, mapped.values, block, s.NoncopiedHidden);
               });
    DrawEditor();
    ShowEditorTileInfo();
    if (placed && (placed->writeProtected > 0 || placed->hidden > 0))
        m_prompts.messageBox(
            information(msg::cellsLeftAlone(placed->writeProtected, placed->hidden),
                        msg::kPictureImportedTitle));
}
