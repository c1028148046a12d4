#include "core/editor/editorchange.h"

#include <algorithm>

std::optional<EditorChange> editorChange(const EditorTileArray& before,
                                         EditorSelection selectionBefore,
                                         const EditorTileArray& after,
                                         EditorSelection selectionAfter) {
    EditorChange change{{}, selectionBefore, selectionAfter};
    for (int i = 0; i < kEditorCells; ++i) {
        if (!(before[size_t(i)] == after[size_t(i)]))
            change.cells.push_back({i, before[size_t(i)], after[size_t(i)]});
    }
    if (change.cells.empty() && selectionBefore == selectionAfter) return std::nullopt;
    return change;
}

void applyEditorChange(const EditorChange& change, HistoryDirection direction,
                       EditorTileArray& tiles, EditorSelection& selection) {
    const bool undo = direction == HistoryDirection::Undo;
    for (const EditorChange::Cell& cell : change.cells)
        tiles[size_t(cell.index)] = undo ? cell.before : cell.after;
    selection = undo ? change.selectionBefore : change.selectionAfter;
}

bool forgetAddresses(EditorChange& change) {
    for (EditorChange::Cell& cell : change.cells) {
        cell.before.Address = 0;
        cell.after.Address = 0;
    }
    std::erase_if(change.cells, [](const EditorChange::Cell& c) { return c.before == c.after; });
    return !change.cells.empty() || !(change.selectionBefore == change.selectionAfter);
}
