#pragma once
// Number formats of the displays and files: a small set of digit patterns.
//
// Supported patterns: "###.0", "##0", "###0", "##0.0", "###0.00", "##0.00", "00#", and in general
// any pattern of '#' and '0' with an optional '.' followed by '0's. Rules:
//  - the value is rounded to as many decimals as the pattern has after the point, half away from
//    zero, on its decimal representation to 15 significant digits (so 2.675 with "0.00" is 2.68);
//  - the integer part shows all its digits, padded with leading zeros to the number of '0'
//    placeholders before the point; with no '0' before the point a zero integer part is left out
//    (0.5 with "###.0" is ".5");
//  - a negative value gets a leading '-', also when it rounds to zero (-0.04 with "##0.0" is "-0.0");
//  - "00#" shows at least two digits: 1 is "001", 12 "012", 123 "123" (the '#' shows a digit only
//    when there is one: 0 is "00").

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
/// ("100"), and the exponent form "1.5E+20" / "1E-05" for magnitudes of 1E15 and above or below
/// 1E-04 where the plain form would be longer.
std::string numberText(double value);

/// Shortest text that reads back to the same double (for machine-readable output such as CSV).
std::string shortestText(double value);

} // namespace kestrel
