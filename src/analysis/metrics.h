#pragma once
// Measures of how good a run is, from every step of it (the step trace), not only from the
// recorded samples. e = SV − PV throughout, PV being the process output before the sensor (its
// noise and filter are the measurement's, not the loop's quality).

#include "engine/steptrace.h"

#include <optional>
#include <vector>

namespace kestrel {

/// The response to the run's last SV change, relative to PV's own change (so a P-control offset
/// does not break it). Times are seconds after t0 except t0 itself.
struct SvStepMetrics {
    double t0 = 0;           ///< simulated time of the change
    double size = 0;         ///< SV after minus SV before
    double pvChange = 0;     ///< ΔPV = PV at the window's end − PV at t0
    double overshootPct = 0; ///< largest excursion beyond the final PV, % of |ΔPV|
    double riseTime = 0;     ///< from 10 % to 90 % of ΔPV
    /// Last time PV was outside ±2 % of |ΔPV| around its final value, after t0; none when PV
    /// still moves by more than that band in the last tenth of the window (not settled).
    std::optional<double> settlingTime;
    double peakTime = 0; ///< when PV is furthest in the direction of its change
};

/// The response to the run's last DV change: the largest |SV − PV| until the window's end.
struct DvStepMetrics {
    double t0 = 0;
    double peakDeviation = 0;
    double peakTime = 0; ///< seconds after t0
};

struct RunMetrics {
    double iae = 0;         ///< Σ|e|·dt
    double ise = 0;         ///< Σe²·dt
    double itae = 0;        ///< Σ t·|e|·dt, t the simulated time after the step
    double mvTravel = 0;    ///< Σ|ΔMV| from step to step
    double timeAtLimit = 0; ///< Σ dt over steps in which a velocity-form limit acted
    double offset = 0;      ///< SV − PV at the last step
    std::optional<SvStepMetrics> svStep;
    std::optional<DvStepMetrics> dvStep;
};

/// The measures of a run of `steps` taken at the control period `dt`. An SV or DV change ends
/// the window of the change before it; a window holds the steps from its change to the next
/// change or the run's end. Nothing is measured of an empty run. The error is taken on the
/// process output: `pvTrue` where it holds one value per step (a run whose sensor acted), else PV.
RunMetrics measureRun(const std::vector<StepSample>& steps, double dt,
                      const std::vector<double>& pvTrue = {});

} // namespace kestrel
