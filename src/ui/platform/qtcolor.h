#pragma once

#include "core/app/colorref.h"

#include <QColor>
#include <QRgb>

// The one place where the program's 0x00BBGGRR colours meet Qt's colour types.
[[nodiscard]] inline QRgb toQRgb(ColorRef c) {
    return qRgb(colorRed(c), colorGreen(c), colorBlue(c));
}
[[nodiscard]] inline QColor toQColor(ColorRef c) {
    return QColor(toQRgb(c));
}
[[nodiscard]] inline ColorRef fromQColor(const QColor& c) {
    return rgbColor(c.red(), c.green(), c.blue());
}
