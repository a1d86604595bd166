#pragma once
// What the step leaves of a run at every step, beside the recorded samples: the signals a run's
// quality is measured on, at the full control period.

#include <ctime>
#include <vector>

namespace kestrel {

/// One step of a run: SimTime at the step (before it advances), the loop's SV, PV, MV and DV of
/// that step, whether a velocity-form limit acted in it, and what the limits saw: the controller's
/// output before feedforward (MV + FF) and, in the essence-inheriting form, the part of the
/// request the limits cut off.
struct StepSample {
    double t, sv, pv, mv, dv;
    bool limit;
    double ctrl = 0, excess = 0;
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
