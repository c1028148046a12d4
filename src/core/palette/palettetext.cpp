#include "core/palette/palettetext.h"

#include "core/app/numbers.h"

QString colorFieldText(int index, ColorRef color) {
    return QStringLiteral("Color no.") + signedDecimal(index) + QStringLiteral(" ( Hex ") +
           QString::number(color, 16).toUpper() + QStringLiteral(" )");
}
