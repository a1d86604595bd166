// Run control: pacing interval and decimation, the bumpless initialisation, Start, Pause, Fast,
// Clear, the end of a paced run with the learned timer correction, and the timer handlers.
// Expected values are worked out by hand from the control period, the ranges and the clock.

#include "looptest.h"

#include "engine/runcontrol.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace kestrel::test {
namespace {

/// A controller panel as it stands after loading: manual mode at the steady state of SV 50,
/// range 0..100, the given graph time, Param_set done.
struct Rig : Loop {
    FakeHost host;
    FakeSettings settings;
    RunControl rc{app, sim, host, messages, settings};
    ChartState& chart = app.chart;

    explicit Rig(int graphTime = 50, double dt = 0.1, float tmHosei = 0.0f) {
        p.dt = dt;
        s.TmHosei = tmHosei;
        s.SV.set(50.0);
        s.PV.set(50.0);
        s.MV.set(50.0 / p.Kpl);
        host.texts[PanelText::TM] = std::to_string(graphTime);
        chart.GraphTime = static_cast<std::int16_t>(graphTime);
        rc.Param_set();
        // Opening the panel from the main window seeds the loop at this steady state.
        rc.Data_inz();
        display = RecordingDisplay();
    }

    /// Range texts and numbers alike, so that Start sees no change.
    void setRange(int rh, int rl) {
        chart.RH = static_cast<std::int16_t>(rh);
        chart.RL = static_cast<std::int16_t>(rl);
        host.texts[PanelText::RH] = std::to_string(rh);
        host.texts[PanelText::RL] = std::to_string(rl);
    }

    /// Pacing ticks until the run has ended; the number of ticks.
    int runPaced(int limit = 40000) {
        int n = 0;
        while (s.Running && n < limit) {
            rc.PacingTick();
            ++n;
        }
        return n;
    }
};

const std::string kTypeMismatch = "型が一致しません。";

void expectBoth(const History& h, double v, const char* what) {
    EXPECT_DOUBLE_EQ(h[0], v) << what << "[k]";
    EXPECT_DOUBLE_EQ(h[1], v) << what << "[k-1]";
}

/// Start, Pause, Fast, Clear and Print as one text, "+" enabled and "-" disabled.
std::string buttons(const FakeHost& h) {
    auto b = [](bool on) { return on ? '+' : '-'; };
    return {b(h.startEnabled), b(h.pauseEnabled), b(h.fastEnabled), b(h.clearEnabled), b(h.printEnabled)};
}

TEST(RunControlParamSet, PacingIntervalDecimationRatioAndChartAdvances) {
    // The interval rounds ties to even, with a floor of 10 ms; the ratio is GraphTime / dt / 500 + 1.
    // clang-format off
    const struct { int graphTime; double dt; float tm; int interval, ratio; } cases[] = {
        {50, 0.1, 0.0f, 100, 2},  {300, 0.02, 15.0f, 10, 31}, // 20 - 15 = 5; 15000/500 + 1
        {50, 0.1, 89.5f, 10, 2},  {50, 0.1, 89.4f, 11, 2},    // 10.5 -> 10 (even); 10.6 -> 11
        {50, 0.1, -2.5f, 102, 2}, {50, 0.1, -3.5f, 104, 2},   // 102.5 -> 102, 103.5 -> 104
        {50, 0.1, -1.0e6f, 32767, 2}, // a correction edited far below zero: the timer's largest interval
        {10, 0.1, 0.0f, 100, 1},  // 0.2 + 1
        {375, 0.5, 0.0f, 500, 2}, {125, 0.5, 0.0f, 500, 2},   // 1.5 + 1 = 2.5 -> 2 (even); 1.5 -> 2
    };
    // clang-format on
    for (const auto& c : cases) {
        Rig r(c.graphTime, c.dt, c.tm);
        EXPECT_EQ(std::tuple(r.host.interval, int(r.s.DecimationRatio), r.messages.shown.size()),
                  std::tuple(c.interval, c.ratio, 0u))
            << c.graphTime << " s at " << c.dt << ", " << c.tm;
    }
    Rig r(60, 0.1);
    EXPECT_DOUBLE_EQ(r.chart.PenAdvance, 15.025);   // 9015 * 0.1 / 60
    EXPECT_DOUBLE_EQ(r.chart.PenRecAdvance, 8.825); // 5295 * 0.1 / 60
}

TEST(RunControlDataInz, SeedsEveryBlockAtTheCurrentMvAndShowsIt) {
    Rig r;
    auto& s = r.s;
    s.SV = {{60.0, -1.0}};
    s.MV = {{30.0, -1.0}};
    s.PV = {{77.0, -1.0}};
    s.DV = {{5.0, -1.0}};
    s.D = {{3.0, 3.0}};
    for (DeadTimeBuffer* b : {&s.FfDelayed, &s.PlantDelayed, &s.DistDelayed})
        b->fill(-7.0);

    r.rc.Data_inz();

    EXPECT_TRUE(s.InitPending);
    // Kpl 1: the errors are SV - PV = 60 - 30, the bias PV / Kpl, MvPos = PI + D + bA.
    const std::pair<const History*, double> seeded[] = {
        {&s.SV, 60},      {&s.MV, 30},       {&s.MvCtrl, 30}, {&s.MvInt, 30}, {&s.PV, 30},
        {&s.PlantIn, 30}, {&s.PlantOut, 30}, {&s.Ep, 30},     {&s.I, 30},     {&s.Dk, 30},
        {&s.D, 0},        {&s.MvPos, 60},    {&s.FfIn, 5},    {&s.FfOut, 5},  {&s.DistIn, 5}};
    for (const auto& [h, v] : seeded)
        expectBoth(*h, v, "seeded history");
    // Only the first 200 slots of the dead-time registers are seeded.
    EXPECT_EQ(
        std::tuple(r.p.bA, s.PlantDelayed[199], s.FfDelayed[199], s.DistDelayed[199], s.PlantDelayed[200]),
        std::tuple(30.0, 30.0, 5.0, 5.0, -7.0));
    const auto& d = r.display;
    EXPECT_EQ(std::tie(d.pvBar, d.svPointer, d.dvPointer, d.mvSlider), std::tuple(2, 1, 1, 1));
    EXPECT_EQ(std::tie(d.sv, d.mv, d.pv, r.host.bias), std::tuple(60.0, 30.0, 30.0, 30.0));

    // In cascade mode SV comes from program point 0; SV and MV fields being edited keep their text.
    r.p.MODE = 2;
    r.p.SVv[0] = "65";
    r.s.SvDisplayLive = r.s.MvDisplayLive = false;
    r.display = RecordingDisplay();
    r.rc.Data_inz();
    expectBoth(s.SV, 65.0, "SV");
    EXPECT_DOUBLE_EQ(s.Ep[0], 35.0);
    EXPECT_EQ(std::tie(d.svShown, d.mvShown, d.pvShown), std::tuple(0, 0, 1));
    // The display timer lets the step rewrite them again.
    r.rc.DisplayTimerTick();
    r.rc.PacingTick();
    EXPECT_EQ(std::tie(d.svShown, d.mvShown), std::tuple(1, 1));
}

TEST(RunControlStart, CascadeStartsFromTheSteadyStateOfSvPointZero) {
    for (double fb : {-1.0, 0.0}) {
        Rig r;
        auto& s = r.s;
        r.setRange(60, 30);
        std::tie(r.p.MODE, r.p.FB, r.p.Kpl) = std::tuple(2, fb, 2.0);
        r.p.SVv[0] = "60";
        r.p.DVv[0] = "4";
        s.MV.set(10.0);
        std::tie(s.SimTime, s.TickCount, s.SampleIndex, s.DecimationCount) = std::tuple(7.0, 55, 33, 1);
        s.Paused = true;
        r.host.lessonButtonVisible = true;
        r.host.clock = 1234.5;

        r.rc.Start();

        SCOPED_TRACE(fb);
        // MV = SV / Kpl; the bias only with feedback on. DV offset: span 30 gives 2 * 2.5 + 30 = 35,
        // minus DV 4.
        const double bias = fb != 0.0 ? 30.0 : 0.0;
        EXPECT_EQ((std::vector{s.SV[0], s.SV[1], s.PV[0], s.PV[1], s.MV[0], s.MV[1], s.MvInt[1], s.DV[0],
                               r.p.bA, r.host.bias, r.chart.DvOffset}),
                  (std::vector{60.0, 60.0, 60.0, 60.0, 30.0, 30.0, 30.0, 4.0, bias, bias, 31.0}));
        EXPECT_EQ(std::tie(s.SimTime, s.TickCount, s.SampleIndex, s.DecimationCount, s.RunStart),
                  std::tuple(0.0, 0, 0, 0, 1234.5));
        EXPECT_TRUE(s.InitPending && s.Running && !s.Paused && r.host.pacingEnabled);
        EXPECT_EQ(std::tuple(buttons(r.host), r.host.lessonButtonVisible, r.host.pauseCaption, r.host.focus),
                  std::tuple("-+++-", false, "ポーズ", "fast"));
    }
}

TEST(RunControlStart, DvOffsetPutsTheDvTraceNearTheBottomOfTheRange) {
    // Span 30: floor(1.2 + 0.99) * 2.5 + 30; span 85: 2 * 5 + 15 - 3; span 60: floor(1.2 + 0.99) * 5
    // (the fine rule would give 7.5); span 40: floor(0.8 + 0.99) * 5; 39: floor(1.56 + 0.99) * 2.5.
    // clang-format off
    const struct { int rh, rl; double dv, offset; } cases[] = {
        {60, 30, 0.0, 35.0}, {100, 15, 3.0, 22.0}, {60, 0, 0.0, 10.0}, {40, 0, 0.0, 5.0}, {39, 0, 0.0, 5.0},
        {-50, -100, -10.0, -85.0}, // 5 - 100 + 10
    };
    // clang-format on
    for (const auto& c : cases) {
        Rig r;
        r.setRange(c.rh, c.rl);
        r.s.DV[0] = c.dv;
        r.rc.Start();
        EXPECT_DOUBLE_EQ(r.chart.DvOffset, c.offset) << c.rl << ".." << c.rh;
    }
}

TEST(RunControlStart, AutomaticModeRecordsFromTheLiveLoopWithoutAJump) {
    Rig started, live;
    for (Rig* r : {&started, &live}) {
        r->p.MODE = 1;
        r->s.SV[0] = 70.0;
        r->host.pacingEnabled = true;
        for (int i = 0; i < 30; ++i)
            r->rc.PacingTick();
    }
    const SimulationState before = started.s;
    const double biasBefore = started.p.bA;
    started.rc.Start();
    EXPECT_EQ(historyValues(started.s), historyValues(before));
    EXPECT_EQ(std::tuple(started.s.InitPending, started.p.bA), std::tuple(false, biasBefore));
    EXPECT_NE(before.PV[0], 70.0); // still settling, so a reset would show

    started.rc.PacingTick();
    live.rc.PacingTick();
    // The first sample is the live loop's.
    const auto& trend = started.app.rec.TrendData[0];
    EXPECT_EQ(std::tuple(started.s.PV[0], started.s.MV[0], trend[1][0], trend[3][0]),
              std::tuple(live.s.PV[0], live.s.MV[0], live.s.PV[0], live.s.MV[0]));
}

TEST(RunControlStart, ChangedRangeOrGraphTimeClearsUnlessTheRangeShiftsItself) {
    // clang-format off
    const struct { const char *rh, *rl, *tm; bool clears; } cases[] = {
        {"100", "0", "50", false}, {"80", "20", "50", true},
        {"100", "0", "60", true}, // a new graph time changes the pen advance
    };
    // clang-format on
    for (const auto& c : cases) {
        Rig r;
        r.host.texts = {{PanelText::RH, c.rh}, {PanelText::RL, c.rl}, {PanelText::TM, c.tm}};
        r.rc.Start();
        SCOPED_TRACE(std::string(c.rh) + " " + c.rl + " " + c.tm);
        const int clears = c.clears;
        EXPECT_EQ(std::tie(r.host.erases, r.host.penRecorderClears), std::tuple(clears, clears));
        // Clear's own button states are overridden by the run that starts.
        EXPECT_EQ(std::tuple(buttons(r.host), r.host.focus), std::tuple("-+++-", "fast"));
    }

    // With the automatic shift the run adopts 15..100 and leaves the texts 15 lower for the next.
    Rig r;
    r.host.autoRange = true;
    r.host.texts[PanelText::RH] = "100";
    r.host.texts[PanelText::RL] = "15";
    r.rc.Start();
    // "###.0" leaves out a zero integer part; the DV offset follows the adopted range, not the texts.
    auto& t = r.host.texts;
    EXPECT_EQ(
        std::tuple(r.host.erases, int(r.chart.RL), t[PanelText::RH], t[PanelText::RL], r.chart.DvOffset),
        std::tuple(0, 15, "85.0", ".0", 25.0));
}

TEST(RunControlRangeNormalise, ClampsTheRangeAndGraphTimeTexts) {
    // clang-format off
    const struct { const char *rl, *rh, *tm, *rlOut, *rhOut, *tmOut; int graphTime; } cases[] = {
        {"60", "40", "50", "60", "61", "50", 50}, // high not above low: low + 1
        {"-150", "-150", "5", "-100", "-99", "10", 10}, {"0.0", "250", "999", "0", "200", "300", 300},
        {"0.0", "100.0", "abc", "0", "100", "10", 10}, // not a number counts as 0
        {"-5", "100", "60s", "-5", "100", "60", 60},   // leading number of the text
    };
    // clang-format on
    for (const auto& c : cases) {
        Rig r;
        r.host.texts = {{PanelText::RH, c.rh}, {PanelText::RL, c.rl}, {PanelText::TM, c.tm}};
        r.rc.RangeNormalise();
        SCOPED_TRACE(std::string(c.rl) + ".." + c.rh + " " + c.tm);
        auto& t = r.host.texts;
        EXPECT_EQ(std::tuple(t[PanelText::RL], t[PanelText::RH], t[PanelText::TM], int(r.chart.GraphTime)),
                  std::tuple(c.rlOut, c.rhOut, c.tmOut, c.graphTime));
        // The range numbers follow only at Start or Clear.
        EXPECT_EQ(std::pair(int(r.chart.RH), int(r.chart.RL)), std::pair(100, 0));
    }
}

TEST(RunControlPause, TogglesAndFreezesTheLoopWhileTicksAreStillCountedUntilClearEndsIt) {
    Rig r;
    r.p.Lpl = 0.0;
    r.rc.Start();
    r.rc.PacingTick();
    r.s.MV[0] = 80.0; // away from PV 50, so every step moves PV
    r.rc.PacingTick();
    r.rc.Pause();
    EXPECT_EQ(std::tuple(r.s.Running, r.s.Paused, r.host.pauseCaption), std::tuple(false, true, "再開"));

    const SimulationState before = r.s;
    const RecordingDisplay shown = r.display;
    r.rc.PacingTick();
    r.rc.PacingTick();
    EXPECT_EQ(std::tuple(r.s.PV[0], r.s.SimTime, r.display.pvBar, r.display.drawn1, int(r.s.TickCount)),
              std::tuple(before.PV[0], before.SimTime, shown.pvBar, shown.drawn1, before.TickCount + 2));

    r.rc.Pause();
    EXPECT_EQ(std::tuple(r.s.Running, r.s.Paused, r.host.pauseCaption), std::tuple(true, false, "ポーズ"));
    r.rc.PacingTick();
    EXPECT_DOUBLE_EQ(r.s.SimTime, before.SimTime + 0.1);
    EXPECT_NE(r.s.PV[0], before.PV[0]);

    // Clear ends a pause, so the loop runs live again.
    r.rc.Pause();
    r.rc.Clear();
    EXPECT_FALSE(r.s.Paused || r.host.pauseEnabled);
    const int live = r.display.pvBar;
    r.rc.PacingTick();
    EXPECT_EQ(r.display.pvBar, live + 1);
}

TEST(RunControlFast, StartsRunsToTheGraphTimeThenRedrawsAndEnds) {
    // A hundred additions of 0.1 give 9.99999999999998 <= 10, so a 101st step runs; slot 101 then
    // holds that time as well, with no sample. At dt 0.5 slots 20 and 21 hold exactly 10 s, which is
    // not beyond. The redraw draws the run's own samples only, one per step here.
    for (const auto& [dt, steps] : {std::pair{0.1, 101}, std::pair{0.5, 21}}) {
        Rig r(10, dt);
        r.s.TickCount = 77;
        r.host.clock = 2000.0;
        r.rc.Fast();
        SCOPED_TRACE(dt);
        // Start ran first.
        const auto& s = r.s;
        EXPECT_EQ(std::tuple(s.RunStart, int(s.TickCount), r.host.processEventsCalls, int(s.SamplesRecorded)),
                  std::tuple(2000.0, 0, steps, steps));
        ASSERT_EQ(r.display.drawn1.size(), 2u * steps);
        ASSERT_EQ(r.display.drawn2.size(), 2u * steps);
        for (int i = 0; i < steps; ++i)
            EXPECT_EQ(r.display.drawn1[steps + i], i);
        EXPECT_EQ(std::tuple(r.s.Running, r.s.SimTime, r.host.penColorAdvances, r.host.endOfRunTimerStarts,
                             r.host.penRecorderRedraw),
                  std::tuple(false, 0.0, 1, 1, true));
        // A fast run teaches the timer nothing.
        EXPECT_TRUE(r.messages.shown.empty() && r.settings.writes.empty());
    }
}

TEST(RunControlFast, PauseOrClearDuringTheRunLeavesAtOnceWithoutRedrawAndSwitchesThePenRecorderBackOn) {
    for (bool clear : {false, true}) {
        Rig r(10, 0.1);
        int events = 0;
        r.host.onProcessEvents = [&] {
            if (++events == 20)
                clear ? r.rc.Clear() : r.rc.Pause();
        };
        r.rc.Fast();
        SCOPED_TRACE(clear ? "Clear" : "Pause");
        // The steps' own samples and no redraw; the pen recorder draws again.
        EXPECT_EQ(std::tuple(events, r.display.drawn1.size(), r.s.Running, r.host.penColorAdvances,
                             r.host.endOfRunTimerStarts, r.host.penRecorderRedraw),
                  std::tuple(20, std::size_t{20}, false, 0, 0, true));
        if (clear) {
            EXPECT_EQ(std::tuple(r.host.erases, r.host.focus, r.host.fastEnabled),
                      std::tuple(1, "start", false));
        } else {
            EXPECT_EQ(std::tuple(r.s.Paused, r.host.pauseCaption), std::tuple(true, "再開"));
            EXPECT_NEAR(r.s.SimTime, 2.0, 1e-9); // the run stands where it was paused
        }
    }
}

TEST(RunControlFast, AfterAPauseGoesOnFromWhereTheRunStands) {
    Rig r(10, 0.1);
    r.rc.Start();
    const double runStart = r.s.RunStart;
    for (int i = 0; i < 5; ++i)
        r.rc.PacingTick();
    r.rc.Pause();
    r.host.clock += 50.0;
    r.rc.Fast();
    // 5 paced steps and 96 fast ones, no new Start.
    EXPECT_EQ(std::tuple(r.s.Paused, r.host.pauseCaption, r.display.pvBar, r.s.RunStart, r.display.drawn1[5],
                         r.host.penColorAdvances),
              std::tuple(false, "ポーズ", 101, runStart, 5, 1));
}

TEST(RunControlClear, ResetsTheLoopTheChartAndTheButtons) {
    // Process gain 1: the steady state of SV and the initialisation at MV coincide.
    // clang-format off
    const struct { int mode; const char* sv0; double mvBefore, sv, mv; } cases[] = {
        {0, "50", 30.0, 40.0, 30.0}, // manual: initialised at the MV in force
        {1, "50", 33.0, 40.0, 40.0}, // automatic: at the steady state of SV
        {2, "60", 33.0, 60.0, 60.0}, // cascade: at the steady state of SV program point 0
    };
    // clang-format on
    for (const auto& c : cases) {
        Rig r;
        SCOPED_TRACE(c.mode);
        r.p.MODE = static_cast<std::int16_t>(c.mode);
        r.p.SVv[0] = c.sv0;
        r.p.DVv[0] = "3";
        r.s.SV.set(40.0);
        r.s.MV.set(c.mvBefore);
        r.s.PV.set(77.0);
        r.rc.Start();
        r.rc.PacingTick();
        r.host.autoRange = true;
        r.host.interval = -1;
        const int dvPointers = r.display.dvPointer;

        r.rc.Clear();

        const auto& s = r.s;
        // Data_inz ran last: the error terms and the plant register follow the new state.
        EXPECT_EQ((std::vector{s.SV[0], s.SV[1], s.MV[0], s.MV[1], s.PV[0], s.PV[1], s.MvInt[1], r.host.bias,
                               s.Ep[0], s.PlantDelayed[199]}),
                  (std::vector{c.sv, c.sv, c.mv, c.mv, c.mv, c.mv, c.mv, c.mv, c.sv - c.mv, c.mv}));
        if (c.mode == 2) {
            EXPECT_DOUBLE_EQ(s.DV[0], 3.0);
        }
        EXPECT_TRUE(s.InitPending && !s.Running && r.messages.shown.empty());
        EXPECT_EQ(std::tie(r.host.erases, r.host.grids, r.host.captionResets), std::tuple(1, 1, 1));
        // Param_set ran (the interval).
        auto& t = r.host.texts;
        EXPECT_EQ(std::tuple(r.chart.DvOffset, t[PanelText::RL], t[PanelText::RH], int(r.chart.RH),
                             r.host.interval, buttons(r.host), r.host.focus),
                  std::tuple(0.0, "30", "130", 130, 100, "+--+-", "start"));
        EXPECT_GT(r.display.dvPointer, dvPointers);
    }
}

TEST(RunControlPacing, APacedRunEndsAtTheFirstStepReachingTheGraphTime) {
    // A hundred additions of 0.1 stay just below 10 s, so the 101st step ends the run; twenty
    // steps of 0.5 s reach 10 s exactly, which ends it.
    for (const auto& [dt, ticks] : {std::pair{0.1, 101}, std::pair{0.5, 20}}) {
        SCOPED_TRACE(dt);
        Rig r(10, dt);
        r.rc.Start();
        r.host.clearEnabled = false;
        for (int i = 1; i < ticks; ++i)
            r.rc.PacingTick();
        EXPECT_LT(r.s.SimTime, 10.0);
        EXPECT_EQ(std::tuple(r.s.Running, r.host.penColorAdvances, r.chart.DvOffset),
                  std::tuple(true, 0, 10.0));

        // DV is drawn at its own level again, Fast stays as Start left it, and the loop stays live.
        r.rc.PacingTick();
        EXPECT_EQ(std::tuple(r.s.Running, r.s.SimTime, int(r.s.TickCount), r.chart.DvOffset, buttons(r.host),
                             r.host.penColorAdvances, r.host.endOfRunTimerStarts, r.host.pacingEnabled),
                  std::tuple(false, 0.0, ticks, 0.0, "+-+++", 1, 1, true));

        // Ticks after the run keep the loop live but neither record nor end another run; the
        // count of ticks stops at the 16-bit maximum.
        const auto drawn = r.display.drawn1.size();
        r.s.TickCount = 32766;
        r.rc.PacingTick();
        r.rc.PacingTick();
        EXPECT_EQ(
            std::tuple(int(r.s.TickCount), r.s.SimTime, r.display.drawn1.size(), r.host.penColorAdvances),
            std::tuple(32767, 0.0, drawn, 1));
    }
}

TEST(RunControlPacing, TheMeasuredTickPeriodCorrectsTheInterval) {
    // The wall clock advances by `periodMs` per tick counted since Start; 100 ticks are counted
    // when the run of 10 s at 0.1 s ends.
    // clang-format off
    const struct { float tm; double periodMs; float tmAfter; const char* written; int interval; } cases[] = {
        {2.5f, 100.0, 2.5f, nullptr, -1},       // nominal: unchanged, nothing written
        {0.0f, 110.0, 2.0f, "2", 98},           // (110 - 100) / 5
        {0.0f, 102.0, 0.4f, "0.4", 100},        // 99.6 -> 100
        {15.0f, 110.0, 17.0f, "17", 83},        {0.0f, 90.0, -2.0f, "-2", 102}, // a fast machine: longer
        {0.0f, 600.0, 100.0f, "100", 10},       // 0 ms: the floor
        {0.0f, 30000.0, 0.0f, nullptr, -1},     // 3000 s (a long pause): unchanged
        {0.0f, 29999.0, 5979.8f, "5979.8", 10}, // just under 3000 s still counts
    };
    // clang-format on
    for (const auto& c : cases) {
        Rig r(10, 0.1, c.tm);
        r.rc.Start();
        const double runStart = r.s.RunStart;
        r.host.interval = -1;
        r.host.onProcessEvents = [&] { r.host.clock = runStart + r.s.TickCount * c.periodMs / 1000.0; };
        EXPECT_EQ(r.runPaced(), 101);
        SCOPED_TRACE(c.periodMs);
        EXPECT_EQ(r.s.TmHosei, c.tmAfter);
        using Writes = decltype(r.settings.writes);
        EXPECT_EQ(r.settings.writes, (c.written ? Writes{{"TmHosei", c.written}} : Writes{}));
        EXPECT_EQ(r.host.interval, c.interval);
    }
}

TEST(RunControlPacing, CancelOnAFailingStepEndsTheProgram) {
    // Retry goes on: the fault met at every step below.
    for (const bool fast : {false, true}) {
        Rig r(10, 0.1);
        r.p.Kpl = 1.0e300;
        r.s.MV.set(1.0e10); // Kpl * MV overflows in the process model
        r.messages.answers = {false};
        fast ? r.rc.Fast() : r.rc.PacingTick();
        EXPECT_EQ(r.messages.shown, std::vector<std::string>{"オーバーフローしました。  P042"}) << fast;
        EXPECT_TRUE(r.host.quit);
        EXPECT_TRUE(!fast || r.host.processEventsCalls == 0) << "a fast run takes no further step";
    }
}

TEST(RunControlPacing, AFaultMetAtEveryStepIsReportedOncePerRun) {
    for (const bool programs : {true, false}) {
        SCOPED_TRACE(programs ? "program times that are no number" : "an overflow: asked once, then Retry");
        Rig r(10, 0.1);
        if (programs)
            std::tie(r.p.MODE, r.p.SVt, r.p.DVt) =
                std::tuple(2, ProgramTexts{"0", "x"}, ProgramTexts{"0", "?"});
        else
            std::tie(r.p.Kpl, r.s.MV) = std::tuple(1.0e300, History{{1.0e10, 1.0e10}});
        const std::vector<std::string> reports =
            programs ? std::vector{kTypeMismatch + "  P051", kTypeMismatch + "  P052"}
                     : std::vector<std::string>{"オーバーフローしました。  P042"};
        r.rc.Start();
        EXPECT_EQ(r.runPaced(), 101);
        for (int i = 0; i < 10; ++i)
            r.rc.PacingTick(); // live ticks after the run
        EXPECT_EQ(r.messages.shown, reports);
        EXPECT_FALSE(r.host.quit);

        // The next run reports each fault once more.
        r.messages.shown.clear();
        r.rc.Start();
        r.runPaced();
        EXPECT_EQ(r.messages.shown, reports);
    }
}

TEST(RunControlTimers, EndOfRunFollowsUpTheLessonStep) {
    // With a figure of the lesson step: its notes drawn, the lesson button shown and a beep.
    // clang-format off
    const struct { int stepNo; const char* noteId; bool figure; const char* focus; } cases[] = {
        {0, "FIG1", false, "start"}, // no lesson active: a stale figure id is ignored
        {3, "FIG2", true, "lesson"}, {3, "", false, ""},
    };
    // clang-format on
    for (const auto& c : cases) {
        Rig r;
        r.app.study.StepNo = static_cast<std::int16_t>(c.stepNo);
        r.app.study.NoteId = c.noteId;
        r.host.endOfRunTimerRunning = true;
        r.host.startEnabled = r.host.clearEnabled = r.host.printEnabled = false;
        r.host.pauseEnabled = true;
        r.rc.EndOfRunTick();
        SCOPED_TRACE(std::to_string(c.stepNo) + " " + c.noteId);
        EXPECT_EQ(std::tuple(r.host.endOfRunTimerRunning, r.host.notesDrawn, r.host.lessonButtonVisible,
                             r.host.focus, r.messages.beeps, buttons(r.host)),
                  std::tuple(false, int(c.figure), c.figure, c.focus, int(c.figure), "+--++"));
    }
}

TEST(RunControlMended, ClearStartsBumplessAtTheBiasOfMvAlone) {
    // Automatic mode, P control. Kpl 2, SV 40: MV 20, PV 40, bias 20, and the first step stays
    // there. Kpl 1, Kds 1, DV 10, Kp 2, SV 50: bias 50, and the disturbance moves PV by
    // Kds·DV / (1 + Kp·Kpl) = 10/3 to 53.33.
    const struct {
        double kpl, kds, dv, kp, sv, mv, settled;
    } cases[] = {{2.0, 0.0, 0.0, 1.0, 40.0, 20.0, 40.0}, {1.0, 1.0, 10.0, 2.0, 50.0, 50.0, 160.0 / 3.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kpl);
        Rig r;
        std::tie(r.p.MODE, r.p.Kpl, r.p.Kds, r.p.Kp, r.p.Ti) = std::tuple(1, c.kpl, c.kds, c.kp, 0.0);
        r.s.DV.set(c.dv);
        r.s.SV.set(c.sv);
        r.rc.Clear();
        EXPECT_EQ((std::vector{r.s.PV[0], r.s.PV[1], r.s.MV[0], r.s.MV[1], r.p.bA}),
                  (std::vector{c.sv, c.sv, c.mv, c.mv, c.mv}));
        r.rc.PacingTick();
        EXPECT_TRUE(c.dv != 0.0 || (r.s.PV[0] == c.sv && r.s.MV[0] == c.mv)) << "the first step stays";
        for (int i = 0; i < 3000; ++i)
            r.rc.PacingTick();
        EXPECT_NEAR(r.s.PV[0], c.settled, 1e-6);
    }
}

TEST(RunControlMended, EveryRangeThePanelAdoptsCanBeDrawn) {
    // A range text that is no number is reported, the command goes on, and the range end in force
    // (50 here) stays, which may leave no width; the range then becomes RL..RL+1 and the texts
    // show it.
    // clang-format off
    const struct { const char *path, *rh, *rl; int high, low; const char* report; } cases[] = {
        {"Start", "300", "250", 200, 199, ""}, {"Start", "50", "abc", 51, 50, "  P021"},
        {"Clear", "50", "abc", 51, 50, "  P024"}, {"open", "50", "50", 51, 50, ""},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " " + c.rh + ".." + c.rl);
        Rig r;
        r.chart.RL = 50;
        r.host.texts[PanelText::RH] = c.rh;
        r.host.texts[PanelText::RL] = c.rl;
        const std::string path = c.path;
        if (path == "Start")
            r.rc.Start();
        else if (path == "Clear")
            r.rc.Clear();
        else
            r.rc.loadPanel("50", "1");
        auto& t = r.host.texts;
        EXPECT_EQ(std::tuple(int(r.chart.RH), int(r.chart.RL), t[PanelText::RH], t[PanelText::RL]),
                  std::tuple(c.high, c.low, std::to_string(c.high), std::to_string(c.low)));
        EXPECT_EQ(r.messages.shown.empty(), *c.report == '\0');
        for (const std::string& m : r.messages.shown)
            EXPECT_EQ(m, kTypeMismatch + c.report);
        const bool cleared = r.host.grids == 1 && !r.host.fastEnabled;
        EXPECT_TRUE(path == "Start" ? r.s.Running : path == "open" || cleared);
    }
}

TEST(RunControlMended, FastRightAfterStartDoesNotStartTheRunAgain) {
    Rig r(10, 0.1);
    r.host.autoRange = true;
    r.host.texts[PanelText::RH] = "130";
    r.host.texts[PanelText::RL] = "30";
    r.rc.Start();
    EXPECT_EQ(r.host.texts[PanelText::RH], "115.0");
    bool pausable = false;
    r.host.onProcessEvents = [&] { pausable = r.host.pauseEnabled; };
    r.rc.Fast();
    // Shifted once, for this run only; a fast run can be paused where it stands.
    EXPECT_EQ(std::tuple(r.host.texts[PanelText::RH], r.host.texts[PanelText::RL], pausable),
              std::tuple("115.0", "15.0", true));
}

} // namespace
} // namespace kestrel::test

namespace kestrel::test {
namespace {

TEST(RunControlTank, StartsStillKeepsItsLevelAndIntegratesTheInflowAboveTheBalance) {
    // Kpl 0.05 %/s per %, no lag, no dead time. The bumpless start keeps PV 30 and balances at
    // MV 50: it stays still; MV 60 for 1 s raises PV by 10·0.05·1 = 0.5.
    Rig r;
    std::tie(r.p.PROC_TYPE, r.p.Kpl, r.p.Tpl, r.p.Lpl) = std::tuple(2, 0.05, 0, 0);
    r.s.PV.set(30);
    r.rc.Data_inz();
    EXPECT_EQ(std::tuple(r.s.PV[0], r.s.PlantOut[0], r.p.Balance, r.p.bA),
              std::tuple(30.0, 30.0, 50.0, 50.0));
    for (int k = 0; k < 10; ++k)
        r.step();
    EXPECT_EQ(r.s.PV[0], 30.0);
    r.s.MV[0] = 60;
    for (int k = 0; k < 10; ++k)
        r.step();
    r.s.MV[0] = 50;
    for (int k = 0; k < 10; ++k)
        r.step();
    EXPECT_NEAR(r.s.PV[0], 30.5, 1e-12);

    // Clear in automatic mode and the cascade start: PV = SV, MV = B = 50 whatever Kpl, the bias
    // B with the feedback connected and 0 without.
    for (double fb : {-1.0, 0.0}) {
        std::tie(r.p.MODE, r.p.FB, r.p.Kp, r.p.Ti) = std::tuple(2, fb, 1, 0);
        r.p.SVv[0] = "70";
        r.rc.Start();
        EXPECT_EQ(std::tuple(r.s.PV[0], r.s.PlantOut[0], r.s.MV[0], r.p.Balance, r.p.bA),
                  std::tuple(70.0, 70.0, 50.0, 50.0, fb != 0.0 ? 50.0 : 0.0));
        r.step();
        EXPECT_EQ(r.s.PV[0], 70.0) << "the first step stays";
    }
    r.p.MODE = 1;
    r.s.SV.set(40);
    r.rc.Clear();
    EXPECT_EQ(std::tuple(r.s.PV[0], r.s.MV[0], r.p.Balance), std::tuple(40.0, 50.0, 50.0));
}

TEST(RunControlNoise, EveryRunOfAStepDrawsTheSameNoiseWhateverRanLiveBetween) {
    Rig r;
    std::tie(r.p.PV_NOISE, r.p.NOISE_SEED) = std::tuple(1.0, 12345.0);
    auto run = [&] {
        r.rc.Start();
        std::vector<double> pv;
        for (int k = 0; k < 40; ++k) {
            r.step();
            pv.push_back(r.s.PV[0] - r.s.PvTrue[0]);
        }
        r.s.Running = false;
        return pv;
    };
    const auto first = run();
    for (int k = 0; k < 17; ++k) {
        r.step();
        ASSERT_EQ(r.s.PV[0], r.s.PvTrue[0]) << "no noise is drawn while no run is running";
    }
    EXPECT_EQ(run(), first);
    EXPECT_NE(first[0], first[1]);
}

} // namespace
} // namespace kestrel::test
