// The step MainCalc: the closed loop, the process and disturbance paths, manual mode, the
// feedforward, what a run records, and the step's error handling.

#include "looptest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>
#include <type_traits>

using namespace kestrel;
using namespace kestrel::test;

namespace {

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

/// Sample `i` of the first `n` channels.
template <class Channels> std::vector<double> sampleOf(const Channels& channels, int n, int i) {
    std::vector<double> v;
    for (int ch = 0; ch < n; ++ch)
        v.push_back(channels[ch][i]);
    return v;
}

/// The given mode and form with every block of the loop working: P, I and D, lags and dead times
/// in the process, the disturbance path and the feedforward, MV limits that act.
void everyPathActive(ParameterSet& p, int mode, int form) {
    p.MODE = static_cast<std::int16_t>(mode);
    p.CALC_TYPE = static_cast<std::int16_t>(form);
    std::tie(p.Kp, p.Ti, p.Td, p.Kpl, p.Tpl, p.Lpl) = std::tuple(1.5, 2, 0.5, 1.2, 3, 1);
    std::tie(p.Kd, p.Kds, p.Tds, p.Lds) = std::tuple(0.4, 0.8, 2, 0.5);
    std::tie(p.Kf, p.Tfd, p.Tfp, p.Lf, p.MH, p.ML, p.dML) = std::tuple(0.7, 1.5, 0.8, 0.3, 90, 10, 3);
}

/// Noise, sensor filter, every valve stage and the second-order process.
void everyOptionOn(ParameterSet& p) {
    std::tie(p.PV_NOISE, p.PV_FILTER, p.VALVE_DB, p.VALVE_BL) = std::tuple(1.5, 0.4, 0.3, 0.6);
    std::tie(p.STICK_S, p.STICK_J, p.VALVE_T, p.PROC_TYPE, p.Tpl2) = std::tuple(2, 1, 0.5, 1, 1.5);
}

/// Cascade control with every path of the inner loop acting, the secondary a PID in the primary's
/// form, limited tightly enough to be held.
void cascadeOn(ParameterSet& p) {
    std::tie(p.LOOP, p.TYPE2, p.CALC2, p.Kp2, p.Ti2, p.Td2) = std::tuple(1, 2, p.CALC_TYPE, 2, 3, 1);
    std::tie(p.MH2, p.ML2, p.dML2, p.Kin, p.Tin, p.Lin, p.Kdin, p.Tdin) =
        std::tuple(75, 20, 4, 1.5, 1, 0.3, 1, 2);
}

} // namespace

TEST(Step, ManualModeLeavesTheControllerAndTheMvSliderAlone) {
    // Kd and the feedforward have no effect in manual mode: the process input is MV itself.
    auto l = makeLoop();
    auto& s = l->s;
    std::tie(l->p.MODE, l->p.Kd, l->p.Kf) = std::tuple(0, 3, 1);
    for (auto [h, v] : {std::pair{&s.MV, 40}, {&s.DV, 10}, {&s.P, 123}, {&s.MvCtrl, 99}, {&s.FfOut, -3}})
        h->set(v);
    s.InitPending = true;
    for (int k = 0; k < 3; ++k)
        ASSERT_TRUE(l->step());
    EXPECT_EQ(std::tuple(s.ProcIn[0], s.P[0], s.MvCtrl[0], s.FfOut[0], s.LimitHit, l->display.mvSlider),
              std::tuple(40.0, 123.0, 99.0, -3.0, false, 0));
}

TEST(Step, DecimationWithExtraSamplesWhenAVelocityLimitActs) {
    // Velocity form at rest, DecimationRatio 3, dt 0.25 s; at step 4 the upper limit is lowered
    // for one step and pulls MV to 40. Samples: steps 0, 3, 4 (the limit), 6.
    auto l = makeLoop();
    l->proportional(0, 1);
    l->p.dt = 0.25;
    l->seed(50, 50);
    l->startRun(3);
    for (int k = 0; k < 8; ++k) {
        l->p.MH = k == 4 ? 40 : 100;
        l->step();
        EXPECT_EQ(l->s.LimitHit, k == 4) << k;
    }
    const auto& times = l->app.rec.SampleTime;
    const auto& mv = l->app.rec.TrendData[0][3];
    EXPECT_EQ(std::tuple(int(l->s.DecimationCount), l->s.SimTime,
                         std::vector(times.begin(), times.begin() + 4),
                         std::vector(mv.begin(), mv.begin() + 4), l->display.drawn1, l->display.drawn2),
              std::tuple(2, 2.0, std::vector{0.0, 0.75, 1.0, 1.5}, std::vector{50.0, 50.0, 40.0, 40.0},
                         std::vector{0, 1, 2, 3}, std::vector{0, 1, 2, 3}));
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
    const auto& drawn = l->display.drawn1;
    ASSERT_EQ(drawn.size(), 503u);
    EXPECT_EQ(std::vector(drawn.begin() + 499, drawn.end()), (std::vector{499, 500, 500, 500}));
    EXPECT_EQ(std::tuple(int(l->s.SampleIndex), rec.TrendData[0][3][499], rec.TrendData[0][3][500],
                         rec.SampleTime[499], rec.SampleTime[500], l->s.SimTime),
              std::tuple(500, 499.0, 502.0, 124.75, 125.5, 125.75));
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
    l.instantProcess();
    std::tie(p.Ti, p.Td, p.bA, p.Kd, p.Kds) = std::tuple(1, 0.5, 10, 0.5, 0.25);
    for (History* h : {&s.SV, static_cast<History*>(&s.SvLag), &s.SvFilt})
        h->set(60);
    s.PV.set(50);
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
            const auto& rec = l->app.rec;
            SCOPED_TRACE(testing::Message() << "type " << type << " Kp " << kp);
            const double ch2 = type == 5 ? 10 : 10 * zeroOr;
            expectNear(sampleOf(rec.PenData[0], 11, 7), {60, 10, ch2, ch3, ch4, mv, 4, 0, 2, 1, mv + 3});
            expectNear(sampleOf(rec.TrendData[1], 4, 7), {60, mv + 3, 4, mv});
            // Only the current graph is written.
            EXPECT_EQ(sampleOf(rec.TrendData[0], 4, 7), std::vector<double>(4, 0.0));
            EXPECT_EQ(std::tuple(rec.SampleTime[7], l->display.drawn1), std::tuple(2.5, std::vector<int>{7}));
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
    std::tie(p.alpha, p.gamma, p.Kf, p.Tfd, p.Kds, p.Tds) = std::tuple(0.5, 0.5, 1, 1, 0.5, 1);
    l->seed(60, 50);
    l->s.InitPending = false;
    l->s.DV[0] = 4;
    l->startRun(1);
    l->step();
    const auto& pen = l->app.rec.PenData[0];
    expectNear({pen[1][0], pen[2][0], pen[7][0], pen[9][0]}, {10, -35, 4.0 / 11, 2.0 / 11});
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
    const auto& d = l->display;
    EXPECT_EQ(std::tuple(l->s.SV[0], l->s.DV[0], d.svPointer + d.dvPointer, d.mvSlider, l->s.SimTime,
                         int(l->s.SampleIndex), d.drawn1.size()),
              std::tuple(50.0, 0.0, 0, 5, 3.0, 5, std::size_t{0}));
    EXPECT_NEAR(d.pv, 50, kTol);
    EXPECT_TRUE(sameRecording(l->app.rec, *recBefore));

    // Once the run is on, the programs set SV and DV at the simulated time.
    p.SVv = {"20", "40"};
    p.SVt = {"0", "10"};
    l->startRun(1);
    l->s.SimTime = 5;
    l->step();
    const auto& trend = l->app.rec.TrendData[0];
    EXPECT_EQ(std::tuple(d.svPointer, d.dvPointer, trend[0][0], trend[2][0]), std::tuple(1, 1, 30.0, 9.0));
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

TEST(Step, StraightAttemptGivesWhatTheStatementsGiveOneByOne) {
    // The step runs its loop straight through and, when anything fails, takes that back and runs
    // it statement by statement. Each case fails somewhere (or nowhere) in every mode and form;
    // a loop that always runs statement by statement must end every step in the same state. After
    // each step slot k-1 of every history holds slot k for the next step, and no value is infinite.
    struct Case {
        const char* name;
        void (*apply)(ParameterSet&);
        double mvCtrlAt12 = 0; ///< the controller output set there (both slots), when not 0
    };
    const Case cases[] = {
        {"nothing fails", [](ParameterSet&) {}},
        {"P and Dk overflow", [](ParameterSet& p) { p.Kp = 1e308; }},
        {"plant input overflows", [](ParameterSet& p) { p.Kpl = 1e308; }},
        {"integral overflows", [](ParameterSet& p) { p.Ti = 1e-320; }},
        {"feedforward ratio overflows",
         [](ParameterSet& p) { std::tie(p.Tfd, p.Tfp) = std::tuple(1e-320, 1); }},
        {"dead time out of the register", [](ParameterSet& p) { p.Lds = -5; }},
        {"MV overflows", [](ParameterSet& p) { std::tie(p.bA, p.Kf) = std::tuple(1.79e308, -1e307); }},
        {"rate limit overflows", [](ParameterSet& p) { p.dML = -1.7e308; }, -1.7e308},
        {"lower limit infinite", [](ParameterSet& p) { p.ML = INFINITY; }},
        {"set-point filter time not a number",
         [](ParameterSet& p) { std::tie(p.beta, p.Ti) = std::tuple(INFINITY, 0); }},
        {"every valve and sensor option, second order", everyOptionOn},
        {"every option, integrating, plant input overflows",
         [](ParameterSet& p) {
             everyOptionOn(p);
             std::tie(p.PROC_TYPE, p.Kpl) = std::tuple(2, 1e308);
         }},
        {"cascade control, the secondary in the form of the primary", cascadeOn},
        {"cascade control, the inner part overflows",
         [](ParameterSet& p) {
             cascadeOn(p);
             p.Kin = 1e308;
         }},
        {"the primary alone on the two-part process",
         [](ParameterSet& p) {
             cascadeOn(p);
             p.LOOP = 2;
         }},
    };
    auto valuesOf = [](Loop& l) {
        auto v = historyValues(l.s);
        for (const auto* b : {&l.s.FfDelayed, &l.s.PlantDelayed, &l.s.DistDelayed, &l.s.InnerDelayed})
            for (int i = 0; i < DeadTimeBuffer::kSlots; ++i)
                v.push_back((*b)[i]);
        v.insert(v.end(), {double(l.s.LimitHit), double(l.s.Stick[0].stuck), double(l.s.Stick[0].dir),
                           l.s.Stick[0].at, double(l.s.LimitHit2), double(l.s.SecondaryHeld)});
        return v;
    };
    for (const auto& c : cases) {
        for (int mode = 0; mode < 3; ++mode) {
            for (int form = 0; form < 3; ++form) {
                SCOPED_TRACE(testing::Message() << c.name << ", mode " << mode << " form " << form);
                auto straight = makeLoop(), reference = makeLoop();
                reference->sim.setCheckEachStatement(true);
                for (Loop* l : {straight.get(), reference.get()}) {
                    everyPathActive(l->p, mode, form);
                    l->seed(40, 40, 5);
                    c.apply(l->p);
                    l->startRun(2);
                }
                for (int k = 0; k < 40; ++k) {
                    for (Loop* l : {straight.get(), reference.get()}) {
                        l->s.SV[0] += k == 10 ? 25 : 0;
                        l->s.DV[0] += k == 15 ? 10 : 0;
                        l->s.MV[0] = k == 20 ? 70 : l->s.MV[0];
                        if (k == 12 && c.mvCtrlAt12 != 0)
                            l->s.MvCtrl.set(c.mvCtrlAt12);
                        if (k == 30)
                            l->s.PV[0] = 55; // set alone, as a test or the panel may
                        ASSERT_TRUE(l->step());
                    }
                    ASSERT_EQ(valuesOf(*straight), valuesOf(*reference)) << "step " << k;
                    for (const auto& [name, h] : histories(straight->s))
                        ASSERT_TRUE((*h)[1] == (*h)[0] && std::isfinite((*h)[0])) << name << " step " << k;
                }
                EXPECT_TRUE(sameRecording(straight->app.rec, reference->app.rec));
                // A failed statement stores nothing and Retry goes on with the next one: the records
                // stay finite, every step shows PV, and each message is the step's.
                const auto& rec = straight->app.rec;
                EXPECT_TRUE(allFinite(rec.SampleTime) && allFinite(rec.TrendData) && allFinite(rec.PenData));
                EXPECT_EQ(straight->display.pvShown, 40);
                for (const auto& m : straight->messages.shown)
                    EXPECT_TRUE(m.ends_with("  P042")) << m;
                EXPECT_EQ(straight->messages.shown, reference->messages.shown);
                EXPECT_TRUE(&c != cases || straight->messages.shown.empty());
            }
        }
    }
}
