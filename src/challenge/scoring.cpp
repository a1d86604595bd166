#include "challenge/scoring.h"

#include "core/translate.h"

#include <algorithm>
#include <cmath>

namespace kestrel::challenge {

double goalScore(double result, double limit, double floor) {
    if (result <= limit)
        return 1.0;
    return std::max(0.0, 1.0 - (result - limit) / std::max(limit, floor));
}

std::optional<double> goalMeasure(GoalKind kind, const RunMetrics& m, std::string& reason) {
    reason.clear();
    auto svStep = [&]() -> const SvStepMetrics* {
        if (!m.svStep)
            reason = KESTREL_TR("Grading", "目標値のステップがない実行では測れません");
        return m.svStep ? &*m.svStep : nullptr;
    };
    switch (kind) {
    case GoalKind::Overshoot:
        if (const auto* sv = svStep())
            return sv->overshootPct;
        return std::nullopt;
    case GoalKind::Settling:
        if (const auto* sv = svStep()) {
            if (!sv->settlingTime)
                reason = KESTREL_TR("Grading", "実行の終わりまでに整定していません");
            return sv->settlingTime;
        }
        return std::nullopt;
    case GoalKind::Rise:
        if (const auto* sv = svStep())
            return sv->riseTime;
        return std::nullopt;
    case GoalKind::Iae:
        return m.iae;
    case GoalKind::Offset:
        return std::abs(m.offset);
    case GoalKind::MvTravel:
        return m.mvTravel;
    case GoalKind::LimitTime:
        return m.timeAtLimit;
    case GoalKind::Deviation:
        if (m.dvStep)
            return m.dvStep->peakDeviation;
        reason = KESTREL_TR("Grading", "外乱のステップがない実行では測れません");
        return std::nullopt;
    case GoalKind::Count:
        break;
    }
    reason = KESTREL_TR("Grading", "測れません");
    return std::nullopt;
}

Score scoreRun(const std::vector<Goal>& goals, const RunMetrics& m) {
    Score score;
    double weighted = 0, weights = 0;
    for (const Goal& g : goals) {
        GoalResult r;
        r.goal = g;
        r.result = goalMeasure(g.kind, m, r.reason);
        if (r.result) {
            r.met = *r.result <= g.limit;
            r.s = goalScore(*r.result, g.limit, goalDef(g.kind).floor);
        }
        if (!r.met)
            r.hint = g.hint;
        weighted += g.weight * r.s;
        weights += g.weight;
        score.goals.push_back(std::move(r));
    }
    score.score = weights > 0 ? 100.0 * weighted / weights : 0.0;
    return score;
}

double answerScore(double answer, double truth) {
    if (!std::isfinite(answer) || truth == 0.0)
        return 0.0;
    const double e = std::abs(answer - truth) / std::abs(truth);
    if (e <= 0.05)
        return 1.0;
    return std::max(0.0, (0.5 - e) / 0.45);
}

} // namespace kestrel::challenge
