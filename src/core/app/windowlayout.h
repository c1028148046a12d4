#pragma once

#include "core/app/viewgeometry.h"
#include "core/editor/editorworkspace.h"

#include <algorithm>

// The window can grow beyond its designed size; the room it gains goes to the two views. The
// extra height goes to both in full. Of the extra width the editor takes a third, and no more
// than lets its drawing area hold the largest canvas (every cell with the grid at the largest
// zoom), beyond which it would only show more background; the browser, which people look
// through most, takes the rest. On a screen 1920 pixels wide that gives the editor room for
// the whole canvas at zoom 9 without grid and the browser twice as much.
struct ViewWidths {
    int browser = 0;
    int editor = 0;
    bool operator==(const ViewWidths&) const = default;
};

inline constexpr int kLargestCanvasWidth = kEditorColumns * cellSizeFor(true) * kMaxZoom;

// `extra`: pixels the window is wider than designed; `editorArea`: the designed width of the
// editor's drawing area.
[[nodiscard]] constexpr ViewWidths shareExtraWidth(int extra, int editorArea) {
    extra = std::max(extra, 0);
    const int editor = std::clamp(extra / 3, 0, std::max(kLargestCanvasWidth - editorArea, 0));
    return {extra - editor, editor};
}
