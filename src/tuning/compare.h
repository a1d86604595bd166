#pragma once
// Comparing controller settings on the loop in force: each candidate (a tuning rule's row, or
// settings typed in) runs the simulator once on the same test, a set-point step and then a
// disturbance step, and the runs are ranked by their measures.

#include "analysis/runstore.h"
#include "engine/parameterset.h"
#include "tuning/identify.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrel::tuning {

/// The test every candidate runs. The loop in force (its form, limits, period, process,
/// disturbance paths and feedforward) is closed and driven in cascade: SV holds `sv0` and steps by
/// `svStep` at `svAt`; DV holds 0 and steps by `dvStep` at `dvAt` (0: no disturbance).
struct CompareTest {
    double sv0 = 50, svStep = 10, svAt = 5;
    double dvStep = 10, dvAt = 60;
    int graphTime = 120; ///< s, 10..300 as the panel's graph time
};

/// A test that suits the process in force: the set-point step after a twentieth of a stretch of
/// 8·(Lpl + Tpl) (a tank's max(40·(Lpl + Tpl), 5/Kpl): its load is made up only by the integral
/// action), the disturbance one stretch later, the run one stretch after that (times in whole
/// seconds, the run in tens of seconds within 10..300, the stretch shortened to fit).
CompareTest defaultTest(const ParameterSet& inForce, double sv0);

/// Controller settings to try: "P", "PI" or "PID" (the error-based PID) with its Kp, Ti and Td.
struct Candidate {
    std::string label; ///< what the legend and the table call it
    std::string controller;
    double Kp = 1;
    std::optional<double> Ti, Td;
};

/// One candidate's run of the test.
struct Trial {
    Candidate candidate;
    KeptRun run;              ///< the run as kept runs are, its PV pen the candidate's colour
    bool loadAtInput = false; ///< the loop had no disturbance path: DV entered the process input (Kd = 1)
    std::string error;        ///< the first run-time error the run reported (empty: none)
};

/// The parameter set a candidate runs the test with: the loop in force with the candidate's
/// control type and Kp, Ti, Td (set-point weights 1 as the type gives them), fed back, in cascade
/// with the test's SV and DV programs. `loadAtInput` tells whether DV had to be led into the process
/// input because the loop in force has no disturbance path.
ParameterSet trialParameters(const ParameterSet& inForce, const Candidate& c, const CompareTest& test,
                             bool& loadAtInput);

/// Runs the test for a candidate as the panel's Start and fast run would, without a window.
/// `index` picks its colour.
Trial runTrial(const ParameterSet& inForce, const Candidate& c, const CompareTest& test, int index);

/// Every step of the loop `p` run as the panel's Start in cascade and a fast run to `graphTime`,
/// without a window; `error` gets the first run-time error the run reported.
std::vector<StepSample> runLoop(const ParameterSet& p, int graphTime, std::string& error);

/// A fit of the closed loop with the run's own controller: the loop the run ran (controller,
/// form, limits, period, disturbance paths, feedforward; SV and DV as its programs in cascade, or
/// as programs made of their steps in automatic mode) is run again from the same steady start with
/// a candidate process, and K, L and T minimise the squared PV error at every step (L on the
/// period's grid near `start`, K and T by a simplex search). Empty with `error` (one Japanese line)
/// for a run without every step, an open loop, manual mode, a process other than the model's kind,
/// or SV or DV changing more than four times.
std::optional<ResponseFit> fitClosedLoop(const KeptRun& run, const Fopdt& start, std::string& error);

/// What the ranking orders by (smaller first).
enum class RankBy { IAE, ITAE, ISE, Overshoot, Settling, DvPeak, MvTravel };
/// The value a trial is ranked by; none when the run has no such measure (no set-point or
/// disturbance step, not settled) or failed.
std::optional<double> rankValue(const Trial& t, RankBy by);
/// Indices of `trials` in their order of rank: smaller values first, those without a value last
/// (in their given order).
std::vector<std::size_t> rankTrials(const std::vector<Trial>& trials, RankBy by);

} // namespace kestrel::tuning
