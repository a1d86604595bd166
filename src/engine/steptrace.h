#pragma once
// What the step leaves of a run at every step, beside the recorded samples: the signals a run's
// quality is measured on, at the full control period.

#include <cstdint>
#include <ctime>
#include <vector>

namespace kestrel {

/// Which velocity-form limit acted in a step: MV held at MH or ML, or its change cut to dML.
enum class StepLimit : std::uint8_t { None, High, Low, Rate };

/// One step of a run: SimTime at the step (before it advances), the loop's SV, PV, MV and DV of
/// that step, whether a velocity-form limit acted in it and which, and whether the
/// essence-inheriting form's accumulator stood beyond what the limits let MV give. PV is what the
/// controller read (with the sensor's noise and filter, when they act). 48 bytes: a step of a
/// recording run stores one.
struct StepSample {
    double t, sv, pv, mv, dv;
    bool limit;
    StepLimit kind = StepLimit::None;
    bool excess = false;
};

/// The inner loop of one step of a two-part process: the secondary's set-point and measurement
/// and its P, I and D terms (per gain, like the pen channels; NaN-free: a term the secondary's type
/// lacks, or every term and SV2 without a secondary, is -1000).
struct InnerSample {
    double sv2, pv2, p2, i2, d2;
};

/// The steps of the current or last run: Start empties it, every step during the run adds one.
struct StepTrace {
    std::vector<StepSample> steps;
    /// The process output before the sensor at every step, kept only for a run in which the
    /// sensor (noise or filter) acted; empty when PV was the process output throughout.
    std::vector<double> pvTrue;
    /// The inner loop at every step, kept only for a run on a two-part process (LOOP 1 or 2);
    /// empty otherwise. A run switched to two parts on the way repeats its first inner sample for
    /// the steps before.
    std::vector<InnerSample> inner;
    /// Either of the two above has begun in this run (so every later step adds to it).
    bool extended = false;
    double dt = 0.0;         ///< the control period the run ran at, s
    std::time_t started = 0; ///< wall-clock time of Start

    void restart(double period, std::size_t expected) {
        steps.clear();
        pvTrue.clear();
        inner.clear();
        extended = false;
        steps.reserve(expected);
        dt = period;
        started = std::time(nullptr);
    }

    /// PvTrue of the step just added to `steps`; the steps before the sensor first acted in the
    /// run get their PV, which was their process output.
    [[gnu::noinline]] void addTrue(double value) {
        extended = true;
        if (pvTrue.empty()) {
            pvTrue.reserve(steps.capacity());
            for (std::size_t k = 0; k + 1 < steps.size(); ++k)
                pvTrue.push_back(steps[k].pv);
        }
        pvTrue.push_back(value);
    }

    /// The inner sample of the step just added to `steps`.
    [[gnu::noinline]] void addInner(const InnerSample& sample) {
        extended = true;
        if (inner.empty())
            inner.reserve(steps.capacity());
        while (inner.size() + 1 < steps.size())
            inner.push_back(sample);
        inner.push_back(sample);
    }
};

} // namespace kestrel
