#include "core/editor/editorchange.h"

#include <algorithm>
#include <map>

namespace {
bool changesNothing(const EditorChange& change) {
    return change.cells.empty() && change.selectionBefore == change.selectionAfter;
}
} // namespace

std::optional<EditorChange> editorChange(const EditorTileArray& before,
                                         EditorSelection selectionBefore,
                                         const EditorTileArray& after,
                                         EditorSelection selectionAfter) {
    EditorChange change{{}, selectionBefore, selectionAfter};
    for (int i = 0; i < kEditorCells; ++i) {
        if (!(before[size_t(i)] == after[size_t(i)]))
            change.cells.push_back({i, before[size_t(i)], after[size_t(i)]});
    }
    if (changesNothing(change)) return std::nullopt;
    return change;
}

void applyEditorChange(const EditorChange& change, HistoryDirection direction,
                       EditorTileArray& tiles, EditorSelection& selection) {
    const bool undo = direction == HistoryDirection::Undo;
    for (const EditorChange::Cell& cell : change.cells)
        tiles[size_t(cell.index)] = undo ? cell.before : cell.after;
    selection = undo ? change.selectionBefore : change.selectionAfter;
}

std::optional<EditorChange> joinedChanges(const EditorChange& first, const EditorChange& second) {
    EditorChange joined{{}, first.selectionBefore, second.selectionAfter};
    std::map<int, EditorChange::Cell> cells;
    for (const EditorChange::Cell& cell : first.cells)
        cells.emplace(cell.index, cell);
    for (const EditorChange::Cell& cell : second.cells) {
        const auto [place, added] = cells.emplace(cell.index, cell);
        if (!added) place->second.after = cell.after;
    }
    for (const auto& [index, cell] : cells) {
        if (!(cell.before == cell.after)) joined.cells.push_back(cell);
    }
    if (changesNothing(joined)) return std::nullopt;
    return joined;
}

std::optional<EditorChange> withoutAddresses(EditorChange change) {
    for (EditorChange::Cell& cell : change.cells) {
        cell.before.Address = 0;
        cell.after.Address = 0;
    }
    std::erase_if(change.cells, [](const EditorChange::Cell& c) { return c.before == c.after; });
    if (changesNothing(change)) return std::nullopt;
    return change;
}
