#include "core/app/numbers.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

QString withoutBlanks(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (QChar ch : text) {
        if (ch != u' ' && ch != u'\t' && ch != u'\n') kept.append(ch);
    }
    return kept;
}

int digitValue(QChar ch, int radix) {
    const char16_t c = ch.unicode();
    int value = -1;
    if (c >= u'0' && c <= u'9')
        value = c - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    return value < radix ? value : -1;
}

// "&H" and "&O" numbers. Up to 16 bits' worth of digits read as a 16-bit two's-complement
// value, up to 32 bits' worth as a 32-bit one; anything longer keeps its full unsigned
// magnitude, so that it is refused as an address instead of wrapping to a small one.
double radixValue(const QString& text, int start, int radix) {
    double magnitude = 0;
    int digits = 0;
    for (int i = start; i < text.size(); ++i) {
        const int d = digitValue(text[i], radix);
        if (d < 0) break;
        magnitude = magnitude * radix + d;
        ++digits;
    }
    if (digits == 0) return 0;
    const bool fitsIn16 = radix == 16 ? digits <= 4 : magnitude <= 0xFFFF;
    const bool fitsIn32 = radix == 16 ? digits <= 8 : magnitude <= 0xFFFFFFFFu;
    if (fitsIn16) {
        const auto bits = static_cast<quint16>(magnitude);
        return static_cast<qint16>(bits);
    }
    if (fitsIn32) {
        const auto bits = static_cast<quint32>(magnitude);
        return static_cast<qint32>(bits);
    }
    return magnitude;
}

bool isDigit(QChar ch) {
    return ch >= u'0' && ch <= u'9';
}

// Sign, digits with at most one period, then an exponent whose digits are optional.
double decimalValue(const QString& text) {
    std::string number;
    int i = 0;
    const int n = int(text.size());
    if (i < n && (text[i] == u'+' || text[i] == u'-')) number += char(text[i++].unicode());
    int mantissaDigits = 0;
    bool period = false;
    for (; i < n; ++i) {
        if (isDigit(text[i])) {
            number += char(text[i].unicode());
            ++mantissaDigits;
        } else if (text[i] == u'.' && !period) {
            number += '.';
            period = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) return 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        std::string exponent = "e";
        int j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-')) exponent += char(text[j++].unicode());
        int expDigits = 0;
        for (; j < n && isDigit(text[j]); ++j, ++expDigits)
            exponent += char(text[j].unicode());
        if (expDigits > 0) number += exponent;
    }
    return std::strtod(number.c_str(), nullptr);
}

} // namespace

double NumericValue(const QString& text) {
    const QString t = withoutBlanks(text);
    if (t.size() >= 2 && t[0] == u'&') {
        const QChar kind = t[1].toUpper();
        if (kind == u'H') return radixValue(t, 2, 16);
        if (kind == u'O') return radixValue(t, 2, 8);
        return 0;
    }
    return decimalValue(t);
}

QString signedDecimal(qint64 value) {
    return value >= 0 ? QStringLiteral(" ") + QString::number(value) : QString::number(value);
}

QString plainDecimal(qint64 value) {
    return QString::number(value);
}

double roundHalfEven(double value) {
    return std::nearbyint(value);
}

std::optional<qint32> toAddress(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double r = roundHalfEven(value);
    if (r < double(std::numeric_limits<qint32>::min()) ||
        r > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return static_cast<qint32>(r);
}

qint32 saturateToAddress(qint64 value) {
    constexpr qint64 lo = std::numeric_limits<qint32>::min();
    constexpr qint64 hi = std::numeric_limits<qint32>::max();
    return static_cast<qint32>(value < lo ? lo : (value > hi ? hi : value));
}
