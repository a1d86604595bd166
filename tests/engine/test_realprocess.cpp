// What makes a real loop misbehave: the second-order process, the valve's deadband, backlash and
// stiction, and the measurement noise. Expected values are the discrete blocks' own, worked out
// by hand for each step.

#include "looptest.h"

#include "analysis/metrics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>
#include <vector>

namespace kestrel::test {
namespace {

/// Manual mode, a process of gain 1 without lag or dead time, settled at MV = PV = `at`.
std::unique_ptr<Loop> manualAt(double at) {
    auto l = makeLoop();
    l->p.MODE = 0;
    l->instantProcess();
    l->seed(at, at);
    l->step();
    return l;
}

/// The valve stage `stage` after each command of `commands`.
std::vector<double> valveTrace(Loop& l, const History& stage, const std::vector<double>& commands) {
    std::vector<double> out;
    for (double c : commands) {
        l.s.MV[0] = c;
        l.step();
        out.push_back(stage[0]);
    }
    return out;
}

TEST(RealProcess, SecondOrderStepResponseIsThatOfTwoDiscreteLags) {
    // Two equal lags T = 5 s at dt 0.1 s, a = T/(T + dt): y[n] = 1 - a^(n+1)·(1 + (n+1)(1 - a)),
    // 0.27151 at t = T (the continuous 1 - 2/e = 0.26424 is not what the blocks give).
    auto l = makeLoop();
    std::tie(l->p.MODE, l->p.PROC_TYPE, l->p.Kpl, l->p.Tpl, l->p.Tpl2, l->p.Lpl) =
        std::tuple(0, 1, 1, 5, 5, 0);
    l->seed(0, 0);
    l->step();
    l->s.MV[0] = 1;
    const double a = 5.0 / 5.1;
    for (int n = 0; n <= 50; ++n) {
        l->step();
        EXPECT_NEAR(l->s.PV[0], 1 - std::pow(a, n + 1) * (1 + (n + 1) * (1 - a)), 1e-12) << n;
    }
    EXPECT_NEAR(l->s.PV[0], 0.27151, 5e-6);
}

TEST(RealProcess, DeadbandAndBacklashOnATriangleCommand) {
    // Up by 0.5 to 52, down to 50. Deadband 1: follows only a move of more than 1. Backlash 1:
    // dragged 0.5 behind, standing still for a turn until the command has crossed the gap.
    const std::vector<double> triangle{50.5, 51, 51.5, 52, 51.5, 51, 50.5, 50};
    struct Case {
        double ParameterSet::*option;
        History SimulationState::*stage;
        std::vector<double> want;
    };
    const Case cases[] = {
        {&ParameterSet::VALVE_DB, &SimulationState::ValveDb, {50, 50, 51.5, 51.5, 51.5, 51.5, 51.5, 50}},
        {&ParameterSet::VALVE_BL, &SimulationState::ValveBl, {50, 50.5, 51, 51.5, 51.5, 51.5, 51, 50.5}},
    };
    for (const auto& c : cases) {
        auto l = manualAt(50);
        l->p.*c.option = 1;
        EXPECT_EQ(valveTrace(*l, l->s.*c.stage, triangle), c.want);
        EXPECT_EQ(l->s.PV[0], c.want.back()) << "the process sees the valve position";
    }
}

TEST(RealProcess, StictionSticksAndSlipsByTheTwoParameterModel) {
    // S = 4, J = 2, the command up by 1 from rest at 50 to 57, held five steps, up to 62, down to
    // 56. From rest it slips when 4 is exceeded (at 55), then lags (S - J)/2 = 1 behind; after the
    // hold it slips when 2 is exceeded (at 60); on the turn it sticks at 61 and slips past 4 (at
    // 57), then leads by 1.
    auto l = manualAt(50);
    std::tie(l->p.STICK_S, l->p.STICK_J) = std::tuple(4, 2);
    const std::vector<double> command{51, 52, 53, 54, 55, 56, 57, 57, 57, 57, 57, 57,
                                      58, 59, 60, 61, 62, 61, 60, 59, 58, 57, 56};
    const std::vector<double> want{50, 50, 50, 50, 54, 55, 56, 56, 56, 56, 56, 56,
                                   56, 56, 59, 60, 61, 61, 61, 61, 61, 58, 57};
    EXPECT_EQ(valveTrace(*l, l->s.ValveSt, command), want);
}

TEST(RealProcess, OptionsSwitchedOnDuringARunTakeOverWithoutABump) {
    // A PI loop answering an SV step. After 3 s the second-order type with Tpl2 = 0 and a valve
    // with deadband 1e-9 (below every move of MV here) are switched on: both pass the signal as
    // it was, so PV goes on exactly as in the run that never switched, the Tpl stage continuing
    // from the first-order output and the valve from the command it stood at.
    auto pv = [](bool switched) {
        auto l = makeLoop();
        std::tie(l->p.MODE, l->p.Kp, l->p.Ti, l->p.Kpl, l->p.Tpl, l->p.Lpl) =
            std::tuple(1, 1.5, 4, 1, 3, 0.5);
        l->seed(50, 50);
        l->step();
        l->s.SV[0] = 60;
        std::vector<double> out;
        for (int k = 0; k < 200; ++k) {
            if (switched && k == 30)
                std::tie(l->p.PROC_TYPE, l->p.VALVE_DB) = std::tuple(1, 1e-9);
            l->step();
            out.push_back(l->s.PV[0]);
        }
        return out;
    };
    const auto reference = pv(false);
    ASSERT_GT(std::abs(reference[30] - reference[29]), 0.01) << "still moving when switched";
    EXPECT_EQ(pv(true), reference);
}

TEST(RealProcess, NoiseIsStandardNormalFromTheSeededGeneratorAndLeavesTheMeasuresAlone) {
    auto l = manualAt(50);
    l->startRun(1);
    for (int k = 0; k < 5; ++k) // clean at first: the run's trace keeps no process output apart
        l->step();
    EXPECT_TRUE(l->app.trace.pvTrue.empty());
    l->p.PV_NOISE = 2;
    l->s.NoiseGen.seed(7);
    std::mt19937_64 gen(7);
    std::vector<double> noise;
    for (int k = 0; k < 10000; ++k) {
        l->step();
        noise.push_back(l->s.PV[0] - l->s.PvTrue[0]);
        ASSERT_EQ(l->s.PvTrue[0], 50.0);
        if (k < 3) { // z = √(−2·ln(1 − u₁))·cos(2π·u₂), u = (x >> 11)·2⁻⁵³
            const double u1 = std::ldexp(double(gen() >> 11), -53), u2 = std::ldexp(double(gen() >> 11), -53);
            EXPECT_NEAR(noise.back(), 2 * std::sqrt(-2 * std::log(1 - u1)) * std::cos(2 * M_PI * u2), 1e-12);
        }
    }
    double sum = 0, squares = 0;
    for (double x : noise)
        sum += x;
    const double mean = sum / double(noise.size());
    for (double x : noise)
        squares += (x - mean) * (x - mean);
    EXPECT_NEAR(std::sqrt(squares / double(noise.size() - 1)), 2.0, 0.04);
    EXPECT_NEAR(mean, 0.0, 0.06);
    // The run's measures are those of the process itself, which stood still (the clean steps
    // before the noise included).
    ASSERT_EQ(l->app.trace.pvTrue.size(), l->app.trace.steps.size());
    EXPECT_EQ(measureRun(l->app.trace.steps, 0.1, l->app.trace.pvTrue).iae, 0.0);
}

} // namespace
} // namespace kestrel::test
