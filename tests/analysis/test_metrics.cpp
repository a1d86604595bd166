// The measures of a run: the sums over its steps, the windows of its last SV and DV changes, and
// a closed loop whose step response is known by hand.

#include "analysis/metrics.h"
#include "looptest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace kestrel;

namespace {

constexpr double kDt = 0.1;

/// Steps at dt 0.1 s from t = 0, SV, PV, MV and DV as the functions of the step number give them.
template <class F> std::vector<StepSample> trace(int n, F sample) {
    std::vector<StepSample> steps;
    for (int k = 0; k < n; ++k)
        steps.push_back(sample(k, k * kDt));
    return steps;
}

} // namespace

TEST(Metrics, SumsOverEveryStep) {
    // e = 2 throughout; MV moves 1 per step for the first ten steps; a limit acts in three.
    const auto steps = trace(20, [](int k, double t) {
        return StepSample{t, 52, 50, k < 10 ? 40.0 + k : 49.0, 0, k >= 5 && k < 8};
    });
    const RunMetrics m = measureRun(steps, kDt);
    // ITAE: Σ (t + dt)·2·dt over t = 0 .. 1.9 = 2·dt·dt·(1 + … + 20) = 4.2
    test::expectNear({m.iae, m.ise, m.itae, m.mvTravel, m.timeAtLimit, m.offset}, {4, 8, 4.2, 9, 0.3, 2},
                     1e-12);
    EXPECT_FALSE(m.svStep || m.dvStep) << "no change, no window";
    EXPECT_EQ(measureRun({}, kDt).iae, 0);
}

TEST(Metrics, WindowsOfTheLastChangesEndAtTheNextChange) {
    // SV steps 50 → 54 at 1 s (an earlier SV change at 0.5 s does not count), PV follows with
    // 25 % overshoot and is back at 53 by 3 s; DV steps at 4 s and PV drops 1.5 below SV.
    const auto steps = trace(60, [](int k, double t) {
        const double sv = k < 5 ? 49.0 : k < 10 ? 50.0 : 54.0;
        double pv = 50;
        if (k >= 12 && k < 20)
            pv = 50 + 0.5 * (k - 11); // 50.5 … 54.0 at 1.9 s
        else if (k >= 20 && k < 30)
            pv = 53;
        else if (k >= 30)
            pv = k >= 42 && k < 45 ? 52.5 - 1.0 : 53.0;
        return StepSample{t, sv, pv, 50, k >= 40 ? 3.0 : 0.0, false};
    });
    const RunMetrics m = measureRun(steps, kDt);
    ASSERT_TRUE(m.svStep && m.dvStep);
    const SvStepMetrics& s = *m.svStep;
    ASSERT_TRUE(s.settlingTime);
    // t0, size; ΔPV ends where DV changes (PV at 53); overshoot 1 of 3; 10 % (50.3) at 1.2 s, 90 %
    // (52.7) at 1.7 s; last outside 53 ± 0.06 at 1.9 s; the peak then; DV at 4 s, 2.5 off 0.2 s later.
    test::expectNear({s.t0, s.size, s.pvChange, s.overshootPct, s.riseTime, *s.settlingTime, s.peakTime,
                      m.dvStep->t0, m.dvStep->peakDeviation, m.dvStep->peakTime},
                     {1, 4, 3, 100.0 / 3, 0.5, 0.9, 0.9, 4, 2.5, 0.2});
    // PV still moving at the end: not settled. No PV change at all: no SV window.
    auto moving =
        trace(30, [](int k, double t) { return StepSample{t, k < 5 ? 50.0 : 60.0, 50.0 + k, 50, 0, false}; });
    EXPECT_FALSE(measureRun(moving, kDt).svStep->settlingTime);
    auto flat =
        trace(30, [](int k, double t) { return StepSample{t, k < 5 ? 50.0 : 60.0, 50, 50, 0, false}; });
    EXPECT_FALSE(measureRun(flat, kDt).svStep);
}

TEST(Metrics, FirstOrderClosedLoopMeetsItsHandWorkedResponse) {
    // P control, Kp 1, of 1/(1+5s) without dead time: PV/SV = 1/(2+5s), first order with
    // τ = 2.5 s and gain 1/2. An SV step of 10 moves PV by 5 and leaves an offset of 5.
    test::Loop l;
    l.proportional(1);
    std::tie(l.p.Kpl, l.p.Tpl, l.p.Lpl, l.p.dt) = std::tuple(1, 5, 0, kDt);
    l.seed(50, 50);
    l.startRun(1);
    l.app.trace.restart(kDt, 1000);
    for (int k = 0; k < 600; ++k) {
        l.s.SV[0] = k < 50 ? 50 : 60;
        l.step();
    }
    const RunMetrics m = measureRun(l.app.trace.steps, kDt);
    ASSERT_TRUE(m.svStep && m.svStep->settlingTime);
    // Rise τ·ln 9, settling τ·ln 50, offset 5, each within 4 %; no overshoot; a sample per step.
    const double tau = 2.5;
    test::expectNear({m.svStep->riseTime / (tau * std::log(9.0)),
                      *m.svStep->settlingTime / (tau * std::log(50.0)), m.offset / 5,
                      1 + m.svStep->overshootPct},
                     {1, 1, 1, 1}, 0.04);
    EXPECT_EQ(l.app.trace.steps.size(), 600u);
}
