#pragma once

#include "core/app/numbers.h"

#include <QRect>

// The window is designed in twips, 15 to a pixel at 96 dots per inch.
[[nodiscard]] inline int px(int twips) {
    return int(roundHalfEven(twips / 15.0));
}
[[nodiscard]] inline QRect twipRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

// A designed place: left, top, width and height in twips.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    [[nodiscard]] QRect pixels() const { return twipRect(left, top, width, height); }
};
