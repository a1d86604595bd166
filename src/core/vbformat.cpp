#include "core/vbformat.h"

#include "core/convert.h"
#include "core/runtimeerror.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kestrel {

namespace {

struct DigitPattern {
    int minIntDigits = 0; // placeholders from the first '0' before the point up to the point
    int decimals = 0;
    bool point = false;
};

DigitPattern parsePattern(std::string_view pattern) {
    DigitPattern p;
    int placeholders = 0;
    int firstZero = -1;
    for (char c : pattern) {
        if (c == '.' && !p.point) {
            p.point = true;
        } else if (c == '#' || c == '0') {
            if (p.point) {
                ++p.decimals;
            } else {
                if (c == '0' && firstZero < 0)
                    firstZero = placeholders;
                ++placeholders;
            }
        }
    }
    if (firstZero >= 0)
        p.minIntDigits = placeholders - firstZero;
    return p;
}

// Decimal digits d0 d1 ... of a magnitude, d0 standing at 10^exponent; digits past `count` are 0.
struct Digits {
    char d[16];
    int count = 0; // 0 for the number zero
    int exponent = 0;
};

// The magnitude to 15 significant digits, as the displays and files have always shown numbers.
Digits significantDigits(double magnitude) {
    Digits g;
    if (magnitude == 0.0)
        return g;
    char buf[32]; // "d.dddddddddddddde+ddd"
    const auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
    g.d[0] = buf[0];
    std::copy(buf + 2, buf + 16, g.d + 1);
    g.count = 15;
    const char* e = buf + 17; // past 'e'
    const bool negative = *e++ == '-';
    int x = 0;
    for (; e < r.ptr; ++e)
        x = x * 10 + (*e - '0');
    g.exponent = negative ? -x : x;
    return g;
}

// Rounds half away from zero so that the last kept digit stands at 10^-decimals.
void roundToDecimals(Digits& g, int decimals) {
    if (g.count == 0)
        return;
    const int keep = g.exponent + 1 + decimals;
    if (keep >= g.count)
        return;
    if (keep < 0) {
        g.count = 0;
        return;
    }
    const bool up = g.d[keep] >= '5';
    g.count = keep;
    if (!up)
        return;
    int i = keep - 1;
    while (i >= 0 && g.d[i] == '9')
        g.d[i--] = '0';
    if (i >= 0) {
        ++g.d[i];
    } else { // 9.99 -> 10.0: one digit more in front
        g.d[0] = '1';
        g.count = 1;
        ++g.exponent;
    }
}

std::string checkedNumberText(double value, std::chars_format format, int precision) {
    if (!std::isfinite(value))
        throw RuntimeError::overflow();
    if (value == 0.0)
        return "0"; // also -0
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, format, precision);
    std::replace(buf, r.ptr, 'e', 'E');
    return std::string(buf, r.ptr);
}

} // namespace

std::string formatNumber(double value, std::string_view pattern) {
    if (!std::isfinite(value))
        throw RuntimeError::overflow();
    const DigitPattern p = parsePattern(pattern);
    Digits g = significantDigits(std::fabs(value));
    roundToDecimals(g, p.decimals);

    const int intDigits = (g.count > 0 && g.exponent >= 0) ? g.exponent + 1 : 0;
    const int padding = std::max(0, p.minIntDigits - intDigits);
    auto digitAt = [&g](int i) { return (i >= 0 && i < g.count) ? g.d[i] : '0'; };

    std::string out;
    // Short results stay within the string's own buffer: no allocation on the display path.
    out.reserve((value < 0) + padding + intDigits + p.point + p.decimals);
    if (value < 0)
        out += '-';
    out.append(padding, '0');
    for (int i = 0; i < intDigits; ++i)
        out += digitAt(i);
    if (p.point) {
        out += '.';
        for (int j = 1; j <= p.decimals; ++j)
            out += digitAt(g.exponent + j);
    }
    return out;
}

std::string formatText(std::string_view text, std::string_view pattern) {
    if (!isNumeric(text))
        return std::string(text);
    return formatNumber(toDouble(text), pattern);
}

std::string numberText(double value) {
    return checkedNumberText(value, std::chars_format::general, 15);
}

std::string singleText(float value) {
    return checkedNumberText(value, std::chars_format::general, 7);
}

std::string shortestText(double value) {
    if (!std::isfinite(value))
        throw RuntimeError::overflow();
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

} // namespace kestrel
