#pragma once
// SV and DV programs: polylines of up to nine points (time s, value %) that the set value and the
// disturbance follow in cascade mode during a run.

#include "engine/errortrap.h"

#include <array>
#include <optional>
#include <string>

namespace kestrel {

using ProgramTexts = std::array<std::string, 9>;

/// Evaluates a program at time t (the simulated time in single precision).
///
/// Search: for i = 0..8, a time text that is empty after trimming ends the program (i steps back
/// to the last point given); a point whose time, converted strictly to single precision, is
/// greater than t stops the search with i stepped back by one (not below 0). Running through all
/// nine points leaves i = 8.
/// Result: the value of point i when the program has ended or i = 8 (hold); otherwise the line
/// through points i and i+1 at t, or the value of point i+1 when both have the same time (a
/// vertical step). Times and values of the result take the leading number of their texts (an
/// empty value counts 0). Before point 0's time the first segment is extended backwards.
///
/// A time text that is not a number is reported through `trap` and the search stops at that
/// point as if its time were greater than t. Returns nothing when the value cannot be computed or
/// the trap ended the evaluation, in which case the caller keeps its previous value.
std::optional<double> evaluateProgram(const ProgramTexts& values, const ProgramTexts& times, float t,
                                      ErrorTrap& trap);

} // namespace kestrel
