// The step MainCalc: the closed loop, the process and disturbance paths, manual mode, the
// feedforward, what a run records, and the step's error handling.

#include "looptest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <string>
#include <tuple>
#include <type_traits>

using namespace kestrel;
using namespace kestrel::test;

namespace {

constexpr double kTol = 1e-9;

void expectSameState(const SimulationState& a, const SimulationState& b) {
    const auto ha = histories(a), hb = histories(b);
    for (std::size_t i = 0; i < ha.size(); ++i)
        for (int k : {0, 1})
            EXPECT_EQ((*ha[i].second)[k], (*hb[i].second)[k]) << ha[i].first << " slot " << k;
    for (int i = 0; i < DeadTimeBuffer::kSlots; ++i)
        EXPECT_EQ(std::tuple(a.FfDelayed[i], a.PlantDelayed[i], a.DistDelayed[i]),
                  std::tuple(b.FfDelayed[i], b.PlantDelayed[i], b.DistDelayed[i])) << i;
    EXPECT_EQ(std::tie(a.Running, a.Paused, a.InitPending, a.SimTime, a.SampleIndex, a.DecimationCount),
              std::tie(b.Running, b.Paused, b.InitPending, b.SimTime, b.SampleIndex, b.DecimationCount));
}

/// Whether every number in a value or in nested arrays of them is finite.
template <class T> bool allFinite(const T& a) {
    if constexpr (std::is_floating_point_v<T>)
        return std::isfinite(a);
    else
        return std::all_of(a.begin(), a.end(), [](const auto& x) { return allFinite(x); });
}

bool sameRecording(const Recording& a, const Recording& b) {
    return a.SampleTime == b.SampleTime && a.TrendData == b.TrendData && a.PenData == b.PenData;
}

} // namespace

TEST(Step, ProportionalClosedLoopByHand) {
    // P control, Kp 2, process gain 1 with neither lag nor dead time, dt 0.1 s, position form.
    // Seeded at SV 60, MV = PV = 50, bA = 50. Each step MV = 2·(60 - PV[k-1]) + 50 and PV = MV:
    //   step 0: 2·(60 - 50) + 50 =  70      step 1: 2·(60 - 70) + 50 =  30
    //   step 2: 2·(60 - 30) + 50 = 110      step 3: 2·(60 - 110) + 50 = -50
    // The gain of 2 makes the loop oscillate with growing amplitude, and the position form lets
    // MV leave 0..100 freely.
    auto l = makeLoop();
    l->p.TYPE_SELECT = 0;
    l->proportional(2);
    l->instantProcess();
    l->seed(60, 50);
    l->startRun(1);
    const double ep[] = {10, -10, 30, -50};
    const double pv[] = {70, 30, 110, -50};
    for (int k = 0; k < 4; ++k) {
        ASSERT_TRUE(l->step());
        EXPECT_NEAR(l->s.Ep[0], ep[k], kTol) << k;
        EXPECT_NEAR(l->s.MV[0], pv[k], kTol) << k;
        EXPECT_NEAR(l->s.PV[0], pv[k], kTol) << k;
        EXPECT_NEAR(l->app.rec.TrendData[0][1][k], pv[k], kTol) << k;
        EXPECT_NEAR(l->app.rec.PenData[0][2][k], ep[k], kTol) << "P/Kp " << k;
        EXPECT_EQ(l->app.rec.PenData[0][3][k], -1000) << k;
    }
    EXPECT_TRUE(l->messages.shown.empty());
}

TEST(Step, ProcessAndDisturbancePathsSettleThenFollowTheirDynamics) {
    // Manual mode, dt 0.1. Process 1.5·e^(-0.2s)/(1+0.4s): two steps of delay, lag factor 0.8.
    // Disturbance 0.5·e^(-0.1s)/(1+0.1s): one step of delay, lag factor 0.5. The initialising
    // step settles both at once from empty registers: PV = 1.5·40 + 0.5·10 = 65. Then MV -> 50
    // (plant input 75) and DV -> 20 (path input 10):
    //   plant 60, 60, 0.8·60 + 0.2·75 = 63, 65.4, 67.32;  path 5, 7.5, 8.75, 9.375, 9.6875.
    // Kd and the feedforward have no effect in manual mode.
    auto l = makeLoop();
    auto& p = l->p;
    auto& s = l->s;
    std::tie(p.MODE, p.Kpl, p.Lpl, p.Tpl, p.Kds, p.Lds, p.Tds) = std::tuple(0, 1.5, 0.2, 0.4, 0.5, 0.1, 0.1);
    std::tie(p.Kd, p.Kf) = std::tuple(3, 1);
    s.MV.set(40);
    s.DV.set(10);
    s.P.set(123);
    s.MvCtrl.set(99);
    s.FfOut.set(-3);
    s.InitPending = true;

    const double pv[] = {65, 65, 67.5, 71.75, 74.775, 77.0075};
    for (int k = 0; k < 6; ++k) {
        if (k == 1) {
            s.MV[0] = 50;
            s.DV[0] = 20;
        }
        ASSERT_TRUE(l->step());
        EXPECT_NEAR(s.PV[0], pv[k], kTol) << k;
        EXPECT_EQ(s.ProcIn[0], s.MV[0]) << k;
    }
    EXPECT_EQ(s.P[0], 123);
    EXPECT_EQ(s.MvCtrl[0], 99);
    EXPECT_EQ(s.FfOut[0], -3);
    EXPECT_FALSE(s.LimitHit);
    EXPECT_EQ(l->display.mvSlider, 0) << "the MV slider belongs to the operator in manual mode";

    // The same disturbance in automatic mode also enters at the process input through Kd.
    auto a = makeLoop();
    a->proportional(0);
    a->instantProcess();
    std::tie(a->p.bA, a->p.Kpl, a->p.Kd, a->p.Kds) = std::tuple(30, 2, 5, 0.5);
    a->s.DV.set(10);
    a->s.InitPending = true;
    a->step();
    EXPECT_NEAR(a->s.MV[0], 30, kTol);
    EXPECT_NEAR(a->s.ProcIn[0], 80, kTol);
    EXPECT_NEAR(a->s.PV[0], 165, kTol); // 2·80 + 0.5·10
}

TEST(Step, FeedforwardCompensator) {
    // Kf 2, Lf 0.2 s (two steps), DV 0 -> 10 after the initialising step, MV = bA - FfOut.
    // Tfd = 0: the lead and lag parts add up to the delayed input whatever Tfp is.
    // Tfd 1, Tfp 0.5: FfOut = 0.5·20 + 0.5·lag, lag 2/1.1, then (2/1.1 + 2)/1.1.
    // clang-format off
    const struct { double Tfd, Tfp; double ff[4]; } cases[] = {
        {0, 0,   {0, 0, 20, 20}},
        {0, 3,   {0, 0, 20, 20}},
        {1, 0.5, {0, 0, 10 + 1 / 1.1, 10 + 0.5 * (2 / 1.1 + 2) / 1.1}},
    };
    // clang-format on
    for (const auto& c : cases) {
        auto l = makeLoop();
        auto& p = l->p;
        l->proportional(0);
        l->instantProcess();
        std::tie(p.Kf, p.Lf, p.Tfd, p.Tfp) = std::tuple(2, 0.2, c.Tfd, c.Tfp);
        l->seed(50, 50, 0);
        l->step();
        EXPECT_EQ(l->s.FfOut[0], 0);
        for (int k = 0; k < 4; ++k) {
            l->s.DV[0] = 10;
            l->step();
            EXPECT_NEAR(l->s.FfOut[0], c.ff[k], kTol) << c.Tfd << " " << c.Tfp << " step " << k + 1;
            EXPECT_NEAR(l->s.MV[0], 50 - c.ff[k], kTol);
            EXPECT_EQ(l->s.MvCtrl[0], 50);
        }
    }
}

TEST(Step, DecimationWithExtraSamplesWhenAVelocityLimitActs) {
    // Velocity form at rest, DecimationRatio 3, dt 0.25 s; at step 4 the upper limit is lowered
    // for one step and pulls MV to 40. Samples: steps 0, 3, 4 (the limit), 6.
    auto l = makeLoop();
    auto& p = l->p;
    l->proportional(0, 1);
    p.dt = 0.25;
    l->seed(50, 50);
    l->startRun(3);
    for (int k = 0; k < 8; ++k) {
        p.MH = k == 4 ? 40 : 100;
        l->step();
        EXPECT_EQ(l->s.LimitHit, k == 4) << k;
    }
    const auto& rec = l->app.rec;
    EXPECT_EQ(l->s.DecimationCount, 2);
    const double times[] = {0, 0.75, 1.0, 1.5};
    const double mv[] = {50, 50, 40, 40};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(rec.SampleTime[i], times[i]) << i;
        EXPECT_EQ(rec.TrendData[0][3][i], mv[i]) << i;
    }
    EXPECT_EQ(l->s.SimTime, 2.0);
    EXPECT_EQ(l->display.drawn1, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(l->display.drawn2, (std::vector<int>{0, 1, 2, 3}));
}

TEST(Step, SlotFiveHundredTakesEverySampleOnceFull) {
    auto l = makeLoop();
    l->p.MODE = 0;
    l->p.dt = 0.25;
    l->s.InitPending = true;
    l->startRun(1);
    for (int k = 0; k < 503; ++k) {
        l->s.MV[0] = k;
        l->step();
    }
    const auto& rec = l->app.rec;
    EXPECT_EQ(l->s.SampleIndex, 500);
    ASSERT_EQ(l->display.drawn1.size(), 503u);
    EXPECT_EQ(l->display.drawn1[499], 499);
    for (int k = 500; k < 503; ++k)
        EXPECT_EQ(l->display.drawn1[k], 500);
    EXPECT_EQ(rec.TrendData[0][3][499], 499);
    EXPECT_EQ(rec.TrendData[0][3][500], 502);
    EXPECT_EQ(rec.SampleTime[499], 124.75);
    EXPECT_EQ(rec.SampleTime[500], 125.5);
    EXPECT_EQ(l->s.SimTime, 125.75);
}

namespace {

// Steady PI + D state, not initialising: SV 60, PV 50 (error 10), Kp·10 in P and Dk, I = 3,
// D = 4, Ti 1, Td 0.5, bA 10. The recorded step gives P = 10·Kp, I = 3 + Kp, PI = P + I,
// D = 0.05·4/0.15 = 4/3, MV = PI + D + 10, PV = MV + Kd·DV (0.5·4) + DistOut (0.25·4).
void recordOneStep(Loop& l, int type, double kp, int penChoice) {
    auto& p = l.p;
    auto& s = l.s;
    p.TYPE_SELECT = static_cast<std::int16_t>(type);
    l.proportional(kp);
    std::tie(p.Ti, p.Td, p.bA) = std::tuple(1, 0.5, 10);
    l.instantProcess();
    p.Kd = 0.5;
    p.Kds = 0.25;
    s.SV.set(60);
    s.PV.set(50);
    s.SvLag.set(60);
    s.SvFilt.set(60);
    s.P.set(10 * kp);
    s.Dk.set(10 * kp);
    s.I.set(3);
    s.D.set(4);
    s.DV.set(4);
    l.startRun(5);
    s.SampleIndex = 7;
    s.SimTime = 2.5;
    l.app.chart.CurrentGraph = 1;
    l.app.chart.PenChoice = static_cast<std::int16_t>(penChoice);
    l.step();
}

} // namespace

TEST(Step, RecordedChannelsByControlTypeAndPenColoursByPenChoice) {
    const Rgb pens[] = {rgb(255, 255, 255), rgb(255, 255, 0), rgb(255, 0, 255), rgb(255, 0, 0),
                        rgb(0, 255, 255)};
    for (double kp : {2.0, 0.0}) {
        const double P = 10 * kp, I = 3 + kp, D = 4.0 / 3, mv = P + I + D + 10;
        const double zeroOr = kp > 0 ? 1 : 0;
        for (int type = 0; type <= 5; ++type) {
            // P records no I and D; PI, error PID, I-PD and PI-D record I/Kp and D/Kp (0 when Kp
            // is 0); the two-degree-of-freedom type records PI and D themselves.
            const double ch3 = type == 0 ? -1000 : type == 5 ? P + I : I / 2 * zeroOr;
            const double ch4 = type == 0 ? -1000 : type == 5 ? D : D / 2 * zeroOr;
            auto l = makeLoop();
            const int choice = type % 5; // every pen choice is met
            recordOneStep(*l, type, kp, choice);
            const auto& pen = l->app.rec.PenData[0];
            const auto& trend = l->app.rec.TrendData;
            SCOPED_TRACE(testing::Message() << "type " << type << " Kp " << kp);
            const double expected[11] = {60, 10, type == 5 ? 10 : 10 * zeroOr, ch3, ch4, mv, 4, 0, 2, 1, mv + 3};
            for (int ch = 0; ch < 11; ++ch)
                EXPECT_NEAR(pen[ch][7], expected[ch], kTol) << " channel " << ch;
            const double trendExpected[4] = {60, mv + 3, 4, mv};
            for (int ch = 0; ch < 4; ++ch) {
                EXPECT_NEAR(trend[1][ch][7], trendExpected[ch], kTol) << " trend " << ch;
                EXPECT_EQ(trend[0][ch][7], 0) << "only the current graph is written";
            }
            EXPECT_EQ(l->app.rec.SampleTime[7], 2.5);
            EXPECT_EQ(l->display.drawn1, std::vector<int>{7});
            // PV and MV are drawn in the chosen colour, SV and DV keep theirs.
            const auto& colours = l->app.chart.PenColor[1];
            EXPECT_EQ(std::tie(colours[1], colours[3], l->app.chart.HistoryPenColor),
                      std::tie(pens[choice], pens[choice], pens[choice]));
        }
    }
}

TEST(Step, PenChannelsRecordTheOutputsOfTheirBlocks) {
    // Two-degree-of-freedom P control at SV 60, PV 50: channel 2 records the derivative error
    // Ed = α·γ·SV - PV = 0.25·60 - 50 = -35, not the error Ep = 10. DV steps from 0 to 4 into
    // lags of 1 s at dt 0.1: channel 7 records the feedforward output Kf·4·0.1/1.1 = 4/11, not
    // its input 4; channel 9 the disturbance path's output Kds·4·0.1/1.1 = 2/11, not its input 2.
    auto l = makeLoop();
    auto& p = l->p;
    p.TYPE_SELECT = 5;
    l->proportional(1);
    l->instantProcess();
    p.alpha = p.gamma = 0.5;
    p.Kf = p.Tfd = 1;
    p.Kds = 0.5;
    p.Tds = 1;
    l->seed(60, 50);
    l->s.InitPending = false;
    l->s.DV[0] = 4;
    l->startRun(1);
    l->step();
    const auto& pen = l->app.rec.PenData[0];
    const double expected[][2] = {{1, 10}, {2, -35}, {7, 4.0 / 11}, {9, 2.0 / 11}};
    for (const auto& [ch, v] : expected)
        EXPECT_NEAR(pen[static_cast<int>(ch)][0], v, kTol) << "channel " << ch;
}

TEST(Step, PausedStepChangesNothing) {
    auto l = makeLoop();
    l->p.MODE = 2;
    l->p.CALC_TYPE = 1;
    l->p.SVv = {"80"};
    l->seed(50, 40, 5);
    l->startRun(1);
    for (int k = 0; k < 3; ++k)
        l->step();
    l->s.Paused = true;
    l->s.InitPending = true;
    l->s.SV[0] = 55; // an operator entry not yet shifted
    const SimulationState before = l->s;
    const auto recBefore = std::make_unique<Recording>(l->app.rec);
    const auto colours = l->app.chart.PenColor;
    const RecordingDisplay displayBefore = l->display;

    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(l->step());
    expectSameState(l->s, before);
    EXPECT_TRUE(sameRecording(l->app.rec, *recBefore));
    EXPECT_EQ(l->app.chart.PenColor, colours);
    const auto& d = l->display;
    const auto& b = displayBefore;
    EXPECT_EQ(std::tie(d.pvBar, d.mvSlider, d.svPointer, d.dvPointer, d.svShown, d.mvShown, d.pvShown,
                       d.drawn1, d.drawn2),
              std::tie(b.pvBar, b.mvSlider, b.svPointer, b.dvPointer, b.svShown, b.mvShown, b.pvShown,
                       b.drawn1, b.drawn2));
}

TEST(Step, OutsideARunTheLoopLivesButNothingIsRecorded) {
    // Cascade mode outside a run: the programs are not evaluated, SV keeps its value; the loop
    // is computed and shown (PV = (50 - PV[k-1]) + bA 40: 50, 40, 50, 40, 50), time stands and
    // nothing is recorded.
    auto l = makeLoop();
    auto& p = l->p;
    l->proportional(1);
    l->instantProcess();
    p.MODE = 2;
    p.SVv = {"80"};
    p.DVv = {"9"};
    l->seed(50, 40);
    std::tie(l->s.Running, l->s.SimTime, l->s.SampleIndex) = std::tuple(false, 3, 5);
    const auto recBefore = std::make_unique<Recording>(l->app.rec);
    for (int k = 0; k < 5; ++k)
        l->step();
    EXPECT_EQ(l->s.SV[0], 50);
    EXPECT_EQ(l->s.DV[0], 0);
    EXPECT_EQ(l->display.svPointer + l->display.dvPointer, 0);
    EXPECT_EQ(l->display.mvSlider, 5);
    EXPECT_NEAR(l->display.pv, 50, kTol);
    EXPECT_EQ(l->s.SimTime, 3);
    EXPECT_EQ(l->s.SampleIndex, 5);
    EXPECT_TRUE(l->display.drawn1.empty());
    EXPECT_TRUE(sameRecording(l->app.rec, *recBefore));

    // Once the run is on, the programs set SV and DV at the simulated time.
    p.SVv = {"20", "40"};
    p.SVt = {"0", "10"};
    l->startRun(1);
    l->s.SimTime = 5;
    l->step();
    EXPECT_EQ(l->display.svPointer, 1);
    EXPECT_EQ(l->display.dvPointer, 1);
    EXPECT_EQ(l->app.rec.TrendData[0][0][0], 30);
    EXPECT_EQ(l->app.rec.TrendData[0][2][0], 9);
}

TEST(Step, InvariantsHoldInEveryModeAndForm) {
    for (int mode = 0; mode < 3; ++mode) {
        for (int form = 0; form < 3; ++form) {
            auto l = makeLoop();
            auto& p = l->p;
            auto& s = l->s;
            p.MODE = static_cast<std::int16_t>(mode);
            p.CALC_TYPE = static_cast<std::int16_t>(form);
            std::tie(p.Kp, p.Ti, p.Td, p.Kpl, p.Tpl, p.Lpl) = std::tuple(1.5, 2, 0.5, 1.2, 3, 1);
            std::tie(p.Kd, p.Kds, p.Tds, p.Lds) = std::tuple(0.4, 0.8, 2, 0.5);
            std::tie(p.Kf, p.Tfd, p.Tfp, p.Lf, p.MH, p.ML, p.dML) = std::tuple(0.7, 1.5, 0.8, 0.3, 90, 10, 3);
            p.SVv = {"40", "70", "70", "30"};
            p.SVt = {"0", "5", "5", "12"};
            p.DVv = {"0", "20"};
            p.DVt = {"0", "8"};
            l->seed(40, 40);
            l->startRun(2);
            const std::string row = "mode " + std::to_string(mode) + " form " + std::to_string(form);
            for (int k = 0; k < 200; ++k) {
                if (k == 30)
                    s.SV[0] = 65;
                if (k == 60)
                    s.DV[0] = 15;
                if (k == 90)
                    s.MV[0] = 70;
                ASSERT_TRUE(l->step()) << row;
                ASSERT_FALSE(s.InitPending) << row << " step " << k;
                for (const auto& [name, h] : histories(s)) {
                    ASSERT_EQ((*h)[1], (*h)[0]) << row << " " << name << " step " << k;
                    ASSERT_TRUE(std::isfinite((*h)[0])) << row << " " << name << " step " << k;
                }
                ASSERT_LE(s.SampleIndex, 500);
            }
            EXPECT_NEAR(s.SimTime, 20.0, 1e-9) << row;
            if (mode == 0 || form == 0)
                EXPECT_EQ(s.SampleIndex, 100) << row; // no velocity limits: every second step
            else
                EXPECT_GE(s.SampleIndex, 100) << row;
            EXPECT_TRUE(l->messages.shown.empty()) << row;
        }
    }
}

TEST(Step, NonFiniteResultsOfferRetryAndNeverReachTheRecords) {
    // Kp 1e308 against an error of 100 overflows P and Dk; Kpl 1e308 overflows the plant input.
    const char* const overflow = "オーバーフローしました。  P042";
    for (const bool hugeGain : {true, false}) {
        auto l = makeLoop();
        auto& p = l->p;
        std::tie(p.MODE, p.Kp, p.Td) = std::tuple(hugeGain ? 1 : 0, hugeGain ? 1e308 : 1, 0.5);
        p.Kpl = hugeGain ? 1 : 1e308;
        l->seed(100, 0);
        l->s.MV.set(50);
        l->startRun(1);
        for (int k = 0; k < 60; ++k) {
            ASSERT_TRUE(l->step()) << "Retry continues";
            for (const auto& [name, h] : histories(l->s))
                ASSERT_TRUE(std::isfinite((*h)[0])) << name << " step " << k;
        }
        ASSERT_FALSE(l->messages.shown.empty()) << hugeGain;
        for (const auto& m : l->messages.shown)
            EXPECT_EQ(m, overflow);
        EXPECT_TRUE(allFinite(l->app.rec.SampleTime) && allFinite(l->app.rec.TrendData) &&
                    allFinite(l->app.rec.PenData))
            << hugeGain;
        EXPECT_EQ(l->display.pvShown, 60) << "the statements after a failure still run";
        EXPECT_EQ(l->s.SampleIndex, 60);
    }

    auto l = makeLoop();
    l->p.MODE = 1;
    l->p.Kp = 1e308;
    l->seed(100, 0);
    l->messages.answers = {false};
    EXPECT_FALSE(l->step()) << "Cancel";
    EXPECT_EQ(l->messages.shown.size(), 1u);
}

TEST(Step, SettledDerivativeEndsAtZeroNotASubnormal) {
    // PID after an SV step, 300 s at dt 0.1 s: the D term decays geometrically once PV settles.
    auto l = makeLoop();
    std::tie(l->p.MODE, l->p.Kp, l->p.Ti, l->p.Td) = std::tuple(1, 1.2, 6, 1);
    l->seed(50, 50);
    l->step();
    l->s.SV[0] = 60;
    for (int k = 0; k < 3000; ++k)
        l->step();
    EXPECT_EQ(l->s.D[1], 0.0);
    EXPECT_NEAR(l->s.PV[1], 60.0, 1e-9);
}
