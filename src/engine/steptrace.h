#pragma once
// What the step leaves of a run at every step, beside the recorded samples: the signals a run's
// quality is measured on, at the full control period.

#include <vector>

namespace kestrel {

/// One step of a run: SimTime at the step (before it advances), the loop's SV, PV, MV and DV of
/// that step, and whether a velocity-form limit acted in it.
struct StepSample {
    double t, sv, pv, mv, dv;
    bool limit;
};

/// The steps of the current or last run: Start empties it, every step during the run adds one.
struct StepTrace {
    std::vector<StepSample> steps;
    double dt = 0.0; ///< the control period the run ran at, s

    void restart(double period, std::size_t expected) {
        steps.clear();
        steps.reserve(expected);
        dt = period;
    }
};

} // namespace kestrel
