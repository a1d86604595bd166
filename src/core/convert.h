#pragma once
// Number conversions with the rules the learner's texts follow everywhere in the simulator.
//
// Two ways to read a text as a number:
//  - strict (toDouble, toSingle): the whole text, blanks around it allowed, must be a number;
//    anything else is run-time error 13. An empty text is not a number.
//  - the leading-number rule (val): the longest leading part that forms a decimal number is used,
//    the rest ignored; no leading number gives 0. Fails only on a number too large for a double.
// Integer conversions round to nearest with ties to even and report error 6 when the result does
// not fit the 16-bit (toInt16) or 32-bit (toInt32) range.

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrel {

/// True when toDouble(text) would succeed.
bool isNumeric(std::string_view text);

/// Strict conversion of a whole text to double. Accepts leading and trailing blanks (spaces and
/// tabs, also the full-width space U+3000), an optional sign, digits with an optional decimal
/// point (".5", "5." and "5" are numbers) and an optional exponent ("1e3", "1.5E-2").
/// Throws RuntimeError 13 for anything else and RuntimeError 6 when the value lies beyond the double
/// range ("1e400"); a magnitude below the smallest double gives 0. The decimal point is always '.',
/// whatever the process locale says.
double toDouble(std::string_view text);

/// Strict conversion to single precision: toDouble, then toFloat.
float toSingle(std::string_view text);

/// The leading-number rule: blanks before the number are skipped; an optional sign, digits, an
/// optional decimal point with digits and an optional exponent are taken as far as they form a
/// number. "12abc" gives 12, "abc" and "" give 0, "-.5x" gives -0.5, "1e" gives 1. A text never
/// fails for not being a number; a leading number beyond the double range ("1e400") is
/// RuntimeError 6, so no infinity enters a computation. Magnitudes below the smallest double give 0.
double val(std::string_view text);

/// Round to nearest, ties to even, into the 16-bit range; error 6 outside -32768..32767 (after
/// rounding) or for a non-finite value.
std::int16_t toInt16(double x);

/// Round to nearest, ties to even, into the 32-bit range; error 6 outside it (after rounding) or for
/// a non-finite value.
std::int32_t toInt32(double x);

/// Rounds a double to the nearest float; error 6 when that would be an infinity (from FLT_MAX plus
/// half a unit in its last place on) or when x is not finite.
float toFloat(double x);

/// Int(): rounds towards minus infinity (Int(-2.5) = -3).
double intFloor(double x);

/// Trims blanks (space, tab, and the full-width space U+3000) at both ends.
std::string_view trim(std::string_view text);

/// The text with the full-width forms a Japanese input method types in a number replaced by their
/// half-width forms: the digits "０".."９", the point "．", the plus "＋" and the minus forms "－",
/// "−", "ー" and "ｰ". Every other character, the full-width comma "，" included (it is no decimal
/// point), stays as it is. Applied to what the learner types, never to file contents.
std::string halfWidthNumberText(std::string_view text);

} // namespace kestrel
