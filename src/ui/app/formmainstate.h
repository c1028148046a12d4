#pragma once

#include "core/app/colorref.h"
#include "core/cartridge/cartridge.h"
#include "core/editor/editorworkspace.h"
#include "core/rom/tilerecord.h"

#include <QString>

#include <array>

// The application state of the main window: what it remembers between events. The widgets
// show it; the handlers change it. Everything starts at zero or empty; InitSettings sets the
// start values.
struct FormMainState {
    // The ROM file
    bool RomFileOpen = false;
    QString RomFilePath;
    qint32 RomFileLength = 0;
    QString AppTitle;
    // The folder of the last file opened in this run (the open file, while one is open).
    QString LastOpenedFolder;
    // The header the file had when it was opened (a plain file has none).
    Cartridge RomCartridge;

    // The browser
    qint32 BrowserTopAddress = 0;
    qint16 BrowserColumns = 0;
    qint16 BrowserRows = 0;
    int BrowserZoom = 0;
    quint8 BrowserCellSize = 0;
    int BrowserSelColumn = 0;
    int BrowserSelRow = 0; // a whole number: a tall box shows more than 255 rows
    qint32 BrowserSelAddress = 0;

    // Tiles and the editor
    TileRecord LoadedTile;
    EditorTileArray EditorTiles{};
    int EditorSelColumn = 0;
    int EditorSelRow = 0;
    qint16 EditorZoom = 0;
    quint8 EditorCellSize = 0;
    EditModeKind EditMode = EditModeKind::Select;
    // "Show/hide noncopied tiles" is ticked: cells without an address are hidden.
    bool NoncopiedHidden = false;

    // Colours: pixel values 0-3 and 4 (outside the file); grid, selection, empty
    std::array<ColorRef, 5> PaletteColors{};
    std::array<ColorRef, 3> OptionColors{};
    qint16 CurrentColor = 0;

    [[nodiscard]] int editorSelIndex() const {
        return editorCellIndex(EditorSelColumn, EditorSelRow);
    }
};
