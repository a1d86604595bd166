#pragma once
// What the step leaves of a run at every step, beside the recorded samples: the signals a run's
// quality is measured on, at the full control period.

#include <cstdint>
#include <ctime>
#include <limits>
#include <vector>

namespace kestrel {

/// Which velocity-form limit acted in a step: MV held at MH or ML, or its change cut to dML.
enum class StepLimit : std::uint8_t { None, High, Low, Rate };

/// One step of a run: SimTime at the step (before it advances), the loop's SV, PV, MV and DV of
/// that step, whether a velocity-form limit acted in it and which, and whether the
/// essence-inheriting form's accumulator stood beyond what the limits let MV give; and the
/// process output before the sensor (PV is what the controller read: with noise and filter).
struct StepSample {
    double t, sv, pv, mv, dv;
    bool limit;
    StepLimit kind = StepLimit::None;
    bool excess = false;
    /// Left unset by a trace that knows only the measured PV (a run read from a file).
    double pvTrue = std::numeric_limits<double>::quiet_NaN();

    /// The process output a run's quality is measured on: pvTrue where the trace has it.
    double truePv() const { return pvTrue == pvTrue ? pvTrue : pv; }
};

/// The steps of the current or last run: Start empties it, every step during the run adds one.
struct StepTrace {
    std::vector<StepSample> steps;
    double dt = 0.0;         ///< the control period the run ran at, s
    std::time_t started = 0; ///< wall-clock time of Start

    void restart(double period, std::size_t expected) {
        steps.clear();
        steps.reserve(expected);
        dt = period;
        started = std::time(nullptr);
    }
};

} // namespace kestrel
