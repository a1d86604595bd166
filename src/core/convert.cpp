#include "core/convert.h"

#include "core/runtimeerror.h"
#include "core/strings.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>

namespace kestrel {

namespace {

// Length of the blank that starts the text, 0 when it does not start with one.
std::size_t leadingBlank(std::string_view t) {
    if (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
        return 1;
    if (t.starts_with(kFullWidthSpace))
        return kFullWidthSpace.size();
    return 0;
}

std::size_t trailingBlank(std::string_view t) {
    if (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
        return 1;
    if (t.ends_with(kFullWidthSpace))
        return kFullWidthSpace.size();
    return 0;
}

// The longest leading part of a text that forms a decimal number.
struct NumberSpan {
    std::size_t length = 0; // 0: the text does not start with a number
    bool negative = false;
    bool zero = true;      // every mantissa digit is 0
    long leadExponent = 0; // decimal exponent of the first non-zero digit, exponent part included
};

NumberSpan scanNumber(std::string_view t) {
    constexpr long kExponentCap = 1'000'000; // far beyond the double range, keeps the sums in range
    NumberSpan n;
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        n.negative = t[i] == '-';
        ++i;
    }
    std::size_t intDigits = 0;
    std::size_t firstNonZero = 0;
    for (; i < t.size() && isAsciiDigit(t[i]); ++i, ++intDigits) {
        if (n.zero && t[i] != '0') {
            n.zero = false;
            firstNonZero = intDigits;
        }
    }
    if (!n.zero)
        n.leadExponent = static_cast<long>(std::min<std::size_t>(intDigits - 1 - firstNonZero, kExponentCap));
    std::size_t fracDigits = 0;
    if (i < t.size() && t[i] == '.') {
        std::size_t j = i + 1;
        for (; j < t.size() && isAsciiDigit(t[j]); ++j, ++fracDigits) {
            if (n.zero && t[j] != '0') {
                n.zero = false;
                n.leadExponent = -static_cast<long>(std::min<std::size_t>(fracDigits + 1, kExponentCap));
            }
        }
        if (intDigits + fracDigits > 0)
            i = j;
    }
    if (intDigits + fracDigits == 0)
        return NumberSpan{};

    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < t.size() && (t[j] == '+' || t[j] == '-'))
            negativeExponent = t[j++] == '-';
        if (j < t.size() && isAsciiDigit(t[j])) {
            long e = 0;
            for (; j < t.size() && isAsciiDigit(t[j]); ++j)
                e = std::min(e * 10 + (t[j] - '0'), kExponentCap);
            n.leadExponent += negativeExponent ? -e : e;
            i = j;
        }
    }
    n.length = i;
    return n;
}

enum class Parsed { Ok, Overflow };

// Converts the span found by scanNumber. A magnitude below the smallest double becomes 0.
Parsed spanValue(std::string_view t, const NumberSpan& n, double& out) {
    double v = 0.0;
    if (!n.zero) {
        const std::size_t sign = (t[0] == '+' || t[0] == '-') ? 1 : 0;
        // from_chars reads the locale-free form; it takes no leading '+', so the sign is ours.
        auto [ptr, ec] = std::from_chars(t.data() + sign, t.data() + n.length, v);
        (void)ptr;
        if (ec == std::errc::result_out_of_range) {
            if (n.leadExponent > 0)
                return Parsed::Overflow;
            v = 0.0;
        }
    }
    out = n.negative ? -v : v;
    return Parsed::Ok;
}

enum class Strict { Ok, NotNumber, Overflow };

Strict parseStrict(std::string_view text, double& out) {
    const std::string_view t = trim(text);
    const NumberSpan n = scanNumber(t);
    if (n.length == 0 || n.length != t.size())
        return Strict::NotNumber;
    return spanValue(t, n, out) == Parsed::Ok ? Strict::Ok : Strict::Overflow;
}

// Nearest whole number, ties to even, whatever the floating-point rounding mode is.
double roundHalfEven(double x) {
    // The default floating-point rounding mode is to nearest with ties to even.
    return std::nearbyint(x);
}

double finiteOrThrow(double x) {
    if (!std::isfinite(x))
        throw RuntimeError::overflow();
    return x;
}

} // namespace

std::string_view trim(std::string_view text) {
    while (std::size_t n = leadingBlank(text))
        text.remove_prefix(n);
    while (std::size_t n = trailingBlank(text))
        text.remove_suffix(n);
    return text;
}

std::string halfWidthNumberText(std::string_view text) {
    // UTF-8 forms of the characters replaced, each by one ASCII character.
    struct Form {
        std::string_view wide;
        char narrow;
    };
    static constexpr Form kForms[] = {
        {"\xEF\xBC\x8E", '.'}, // U+FF0E FULLWIDTH FULL STOP
        {"\xEF\xBC\x8B", '+'}, // U+FF0B FULLWIDTH PLUS SIGN
        {"\xEF\xBC\x8D", '-'}, // U+FF0D FULLWIDTH HYPHEN-MINUS
        {"\xE2\x88\x92", '-'}, // U+2212 MINUS SIGN
        {"\xE3\x83\xBC", '-'}, // U+30FC the long-vowel mark the minus key gives in kana input
        {"\xEF\xBD\xB0", '-'}, // U+FF70 its half-width form
    };
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::string_view rest = text.substr(i);
        // U+FF10..U+FF19, the full-width digits: EF BC 90..99.
        if (rest.size() >= 3 && rest[0] == '\xEF' && rest[1] == '\xBC' && rest[2] >= '\x90' &&
            rest[2] <= '\x99') {
            out += static_cast<char>('0' + (rest[2] - '\x90'));
            i += 3;
            continue;
        }
        const Form* form = nullptr;
        for (const Form& f : kForms)
            if (rest.starts_with(f.wide))
                form = &f;
        if (form) {
            out += form->narrow;
            i += form->wide.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

bool isNumeric(std::string_view text) {
    double v;
    return parseStrict(text, v) == Strict::Ok;
}

double toDouble(std::string_view text) {
    double v = 0.0;
    switch (parseStrict(text, v)) {
    case Strict::Ok:
        return v;
    case Strict::NotNumber:
        throw RuntimeError::typeMismatch();
    case Strict::Overflow:
        break;
    }
    throw RuntimeError::overflow();
}

float toSingle(std::string_view text) {
    return toFloat(toDouble(text));
}

double val(std::string_view text) {
    while (std::size_t n = leadingBlank(text))
        text.remove_prefix(n);
    const NumberSpan n = scanNumber(text);
    if (n.length == 0)
        return 0.0;
    double v = 0.0;
    if (spanValue(text, n, v) == Parsed::Overflow)
        throw RuntimeError::overflow();
    return v;
}

std::int16_t toInt16(double x) {
    const double r = roundHalfEven(finiteOrThrow(x));
    if (r < -32768.0 || r > 32767.0)
        throw RuntimeError::overflow();
    return static_cast<std::int16_t>(r);
}

std::int32_t toInt32(double x) {
    const double r = roundHalfEven(finiteOrThrow(x));
    if (r < -2147483648.0 || r > 2147483647.0)
        throw RuntimeError::overflow();
    return static_cast<std::int32_t>(r);
}

float toFloat(double x) {
    finiteOrThrow(x);
    // From FLT_MAX plus half a unit in the last place on, rounding to float gives infinity.
    constexpr double kFloatOverflow = 0x1.ffffffp+127;
    const double a = std::fabs(x);
    if (a >= kFloatOverflow)
        throw RuntimeError::overflow();
    if (a > FLT_MAX)
        return x < 0 ? -FLT_MAX : FLT_MAX;
    return static_cast<float>(x);
}

double intFloor(double x) {
    return std::floor(x);
}

} // namespace kestrel
