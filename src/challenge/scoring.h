#pragma once
// Scoring a run against a challenge's goals, and a mystery process's answer.
//
// A run scores 100·Σ wᵢ·sᵢ / Σ wᵢ over its goals, with sᵢ = 1 when the result rᵢ ≤ the limit Lᵢ,
// else max(0, 1 − (rᵢ − Lᵢ) / max(Lᵢ, Fᵢ)), Fᵢ the goal kind's floor (offset 0.1 %, times 1 s,
// IAE 1, overshoot 1 %, MV travel 1 %, limit time 1 s, deviation 0.1 %). A goal whose measure the
// run does not have (no set-point or disturbance step, not settled) is missed with sᵢ = 0.

#include "analysis/metrics.h"
#include "challenge/challenge.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrel::challenge {

struct GoalResult {
    Goal goal;
    std::optional<double> result; ///< the measure; none when the run has no such measure
    bool met = false;
    double s = 0; ///< the goal's score, 0..1
    /// Why there is no result (empty when there is one).
    std::string reason;
    /// The goal's hint when it is missed (empty when met).
    std::string hint;
};

struct Score {
    double score = 0; ///< 0..100
    std::vector<GoalResult> goals;
};

/// sᵢ of one goal: 1 at or below the limit, falling linearly to 0 at limit + max(limit, floor).
double goalScore(double result, double limit, double floor);

/// The measure a goal limits, from a run's measures; `reason` says why there is none.
std::optional<double> goalMeasure(GoalKind kind, const RunMetrics& m, std::string& reason);

/// A run's score against `goals`.
Score scoreRun(const std::vector<Goal>& goals, const RunMetrics& m);

/// One answered parameter of a mystery process: 1 within 5 % relative error, falling linearly to 0
/// at 50 %.
double answerScore(double answer, double truth);

} // namespace kestrel::challenge
