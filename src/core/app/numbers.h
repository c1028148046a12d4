#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// The one lenient rule by which numbers are read from typed text and list entries:
// the leading number of the text, 0 when there is none (see numbers.cpp for the grammar).
[[nodiscard]] double NumericValue(const QString& text);

// Decimal text with a leading blank for values of 0 and more ("  5" style sign position).
[[nodiscard]] QString signedDecimal(qint64 value);
// Decimal text without any leading blank.
[[nodiscard]] QString plainDecimal(qint64 value);

// Nearest integer, halves to even.
[[nodiscard]] double roundHalfEven(double value);

// The value rounded half to even as a 32-bit address, or nothing when it is not finite or
// does not fit: an address never wraps around.
[[nodiscard]] std::optional<qint32> toAddress(double value);

// For computed (never typed) positions: a 64-bit value clamped into the 32-bit address range.
[[nodiscard]] qint32 saturateToAddress(qint64 value);
