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

// One step of two made one after the other (the moves of a paint stroke): the cells and the
// selection before the first and after the second. Nothing when they cancel out.
[[nodiscard]] std::optional<EditorChange> joinedChanges(const EditorChange& first,
                                                        const EditorChange& second);

// The step as it reads once the file is closed, which takes every cell's address; nothing when
// it then changes nothing any more.
[[nodiscard]] std::optional<EditorChange> withoutAddresses(EditorChange change);
