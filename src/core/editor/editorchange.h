#pragma once

#include "core/editor/editorworkspace.h"

#include <optional>
#include <vector>

// Which way a recorded step is taken: back to the state before it, or forward again.
enum class HistoryDirection { Undo, Redo };

struct EditorSelection {
    int column = 0;
    int row = 0;
    bool operator==(const EditorSelection&) const = default;
};

// One step of the editor, as small as it can be: only the cells it changed, whole, and the
// selection on both sides of it.
struct EditorChange {
    struct Cell {
        int index = 0;
        TileRecord before;
        TileRecord after;
    };
    std::vector<Cell> cells;
    EditorSelection selectionBefore;
    EditorSelection selectionAfter;
};

// What changed between two states of the editor; nothing when they are the same.
[[nodiscard]] std::optional<EditorChange> editorChange(const EditorTileArray& before,
                                                       EditorSelection selectionBefore,
                                                       const EditorTileArray& after,
                                                       EditorSelection selectionAfter);

// Puts the cells and the selection of one side of the step back.
void applyEditorChange(const EditorChange& change, HistoryDirection direction,
                       EditorTileArray& tiles, EditorSelection& selection);

// Closing the file takes every cell's address, so the history's cells lose theirs too; false
// when the step then changes nothing any more.
[[nodiscard]] bool forgetAddresses(EditorChange& change);
