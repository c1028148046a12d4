#pragma once

#include "core/app/colorref.h"

#include <QString>

// Status text for a palette field: "Color no. 0 ( Hex 80FFFF )".
[[nodiscard]] QString colorFieldText(int index, ColorRef color);
