#pragma once
// Number formats of the displays and files: a small set of digit patterns.
//
// Supported patterns: "###.0", "##0", "###0", "##0.0", "###0.00", "##0.00", "00#", and in general
// any pattern of '#' and '0' with an optional '.' followed by '0's (a '#' after the point counts as
// a '0'; other characters are ignored; a point with no decimals after it is shown, "0." gives "5.").
// Rules:
//  - the value is rounded to as many decimals as the pattern has after the point, half away from
//    zero, on its decimal representation to 15 significant digits (so 2.675 with "0.00" is 2.68);
//  - the integer part shows all its digits, padded with leading zeros to the number of
//    placeholders from the first '0' up to the point; with no '0' before the point a zero integer
//    part is left out (0.5 with "###.0" is ".5", 0 with "###" is "");
//  - a negative value gets a leading '-', also when it rounds to zero (-0.04 with "##0.0" is "-0.0");
//  - so "00#" shows at least three digits: 0 is "000", 1 "001", 12 "012", 123 "123", 1234 "1234";
//  - a value that is not finite is RuntimeError 6.

#include <string>
#include <string_view>

namespace kestrel {

/// Formats a number with one of the digit patterns above.
std::string formatNumber(double value, std::string_view pattern);

/// Formats a text: when it is a number (isNumeric) the number is formatted with the pattern;
/// otherwise the text comes back unchanged. This is how a typed field text is given its display
/// format before it is range-limited.
std::string formatText(std::string_view text, std::string_view pattern);

/// The default number-to-text form (a number assigned to a text field): at most 15 significant
/// digits, no trailing zeros, a leading zero below 1 ("0.5", "-0.25"), integers without a point
/// ("100"), -0 as "0", and the exponent form "1.5E+20" / "1E-05" (at least two exponent digits)
/// when the value rounded to 15 digits is 1E15 or more, or less than 1E-04, in magnitude.
/// A value that is not finite is RuntimeError 6.
std::string numberText(double value);

/// The same form for a single-precision value, with at most 7 significant digits and the exponent
/// form from 1E7 on ("12.4" for 12.4f rather than the float's double digits "12.3999996185303").
std::string singleText(float value);

/// Shortest text that reads back to the same double (for machine-readable output such as CSV),
/// e.g. "0.1", "100", "1e+20", "-0"; toDouble and val read it back. Not finite: RuntimeError 6.
std::string shortestText(double value);

} // namespace kestrel
