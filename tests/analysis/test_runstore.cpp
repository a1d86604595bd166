// The kept runs: what a completed run leaves in the store, the cursor's look-ups and the limit
// X-ray.

#include "analysis/runstore.h"
#include "cascaderun.h"
#include "looptest.h"

#include <gtest/gtest.h>

using namespace kestrel;

TEST(RunStore, CaptureTakesTheRecordOfTheRunAndTheStoreKeepsTheLatest) {
    test::Loop l;
    l.proportional(2, 1);
    std::tie(l.p.MH, l.p.dML) = std::tuple(58, 5); // the SV steps meet the rate limit, then MH
    l.app.chart.CurrentGraph = 1;
    l.seed(50, 50);
    l.startRun(2);
    l.app.trace.restart(0.1, 100);
    for (int k = 0; k < 41; ++k) {
        l.s.SV[0] = k < 10 ? 50 : k < 20 ? 60 : 65;
        l.step();
    }
    const KeptRun run = captureRun(l.app, 7, "");
    const auto& rec = l.app.rec;
    ASSERT_EQ(run.samples(), 21u);
    EXPECT_EQ(std::tuple(run.graph, run.pens[1], run.time[20], run.steps.size()),
              std::tuple(1, l.app.chart.PenColor[1][1], rec.TrendTime[1][20], 41u));
    for (std::size_t i : {0, 5, 20})
        EXPECT_EQ(std::tuple(run.value(Channel::PV, i), run.value(Channel::MV, i), run.value(Channel::DV, i),
                             run.value(Channel::E, i), run.value(Channel::DS, i)),
                  std::tuple(rec.TrendData[1][1][i], rec.TrendData[1][3][i], rec.TrendData[1][2][i],
                             rec.PenData[0][1][i], rec.PenData[0][9][i]));
    EXPECT_EQ(run.metrics.iae, measureRun(l.app.trace.steps, 0.1).iae);
    std::string kinds;
    for (const LimitBand& b : limitBands(run))
        kinds += limitName(b.state) + std::string("|");
    EXPECT_EQ(kinds, "変化率制限 dML|上限 MH|");
    EXPECT_EQ(run.label.rfind("ラン 7 (", 0), 0u);
    EXPECT_EQ(settingsSummary(run), "偏差ＰＩＤ制御 速度型 Kp 2 Ti 0 Td 0 / K 1 T 5 L 2 / 自動 / dt 0.1 秒");

    RunStore store;
    for (int n = 0; n < 105; ++n)
        store.add(KeptRun{});
    EXPECT_EQ(std::tuple(store.runs().size(), store.runs().front().number, store.nextNumber()),
              std::tuple(RunStore::kCapacity, 56, 106));
    EXPECT_TRUE(store.find(56) && !store.find(55));
}

TEST(RunStore, CaptureKeepsTheProcessOutputBeforeTheSensorAndTheValvePosition) {
    // Manual mode, a process of gain 1 without lag: the process output is the valve position,
    // which a backlash of 4 drags 2 behind a rising command; the noise moves PV off it.
    test::Loop l;
    l.p.MODE = 0;
    l.instantProcess();
    std::tie(l.p.VALVE_BL, l.p.PV_NOISE) = std::tuple(4.0, 1.0);
    l.seed(50, 50);
    l.step();
    l.startRun(1);
    for (int k = 0; k < 10; ++k) {
        l.s.MV[0] = 51 + k;
        l.step();
    }
    const KeptRun run = captureRun(l.app, 1, "");
    ASSERT_EQ(run.samples(), 10u);
    EXPECT_EQ(std::tuple(run.value(Channel::PvTrue, 9), run.value(Channel::VP, 9)),
              std::tuple(l.s.pvTrue(), l.s.valvePosition()));
    for (std::size_t i = 0; i < 10; ++i) {
        const double mv = 51.0 + double(i), vp = run.value(Channel::VP, i);
        EXPECT_EQ(std::tuple(run.value(Channel::MV, i), vp, run.value(Channel::PvTrue, i)),
                  std::tuple(mv, i == 0 ? 50.0 : mv - 2, vp))
            << i;
        EXPECT_NE(run.value(Channel::PV, i), vp) << i;
    }
}

TEST(RunStore, CaptureKeepsTheInnerLoopOfATwoPartProcessOnly) {
    const KeptRun run = test::cascadeStepTest();
    ASSERT_EQ(std::tuple(run.samples(), run.inner.size()), std::tuple(450u, 450u));
    // PV2 from Kin·30 = 60 towards 80; the secondary in manual: SV2 follows PV2, no terms.
    EXPECT_EQ(std::tuple(run.value(Channel::PV2, 0), run.value(Channel::SV2, 0), run.inner[449].pv2),
              std::tuple(60.0, 60.0, run.value(Channel::PV2, 449)));
    EXPECT_NEAR(run.inner[449].pv2, 80, 1e-4);
    std::string inUse;
    for (Channel c : {Channel::SV2, Channel::PV2, Channel::P2, Channel::I2, Channel::D2})
        inUse += channelInUse(run, c) ? '+' : '-';
    EXPECT_EQ(inUse, "++++-") << "a PI secondary has no D2";
    EXPECT_EQ(settingsSummary(run),
              "偏差ＰＩＤ制御 位置型 Kp 1 Ti 1 Td 0 / K 1 T 5 L 1 / カスケード 二次 PI 速度型 "
              "Kp 1 Ti 1 M / 内側 K 2 T 3 L 0.5 / 手動 / dt 0.1 秒");
}

TEST(RunStore, CursorFindsTheHeldSampleAndTheLimitThatActed) {
    KeptRun run;
    run.dt = 0.1;
    run.time = {0, 0.2, 0.4};
    run.params.CALC_TYPE = static_cast<std::int16_t>(CalcForm::Velocity);
    run.params.MH = 80;
    run.params.ML = 10;
    using L = StepLimit;
    const L kinds[] = {L::None, L::High, L::Rate, L::Low, L::None};
    for (int k = 0; k < 5; ++k)
        run.steps.push_back({k * 0.1, 0, 0, 50, 0, kinds[k] != L::None, kinds[k]});
    // Samples are held until the next one; the last for half a period.
    const std::pair<double, std::optional<std::size_t>> at[] = {
        {-0.1, std::nullopt}, {0.0, 0}, {0.19, 0}, {0.2, 1}, {0.44, 2}, {0.46, std::nullopt}};
    for (const auto& [t, i] : at)
        EXPECT_EQ(sampleAt(run, t), i) << t;
    EXPECT_EQ(stepAt(run, 0.25), 2u);

    std::string states;
    for (std::size_t k = 0; k < 5; ++k)
        states += limitName(limitAt(run, k)) + std::string("|");
    EXPECT_EQ(states, "|上限 MH|変化率制限 dML|下限 ML||");
    const auto bands = limitBands(run);
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(std::tuple(bands[1].t0, bands[1].t1, bands[1].state),
              std::tuple(0.2, 0.30000000000000004, LimitState::Rate));

    // The essence-inheriting form also shows the request the limits cut off, which may overlap a
    // flagged limit; the position form has no limits, only MV outside 0..100 %.
    run.params.CALC_TYPE = static_cast<std::int16_t>(CalcForm::VelocityUnlimited);
    run.steps[1].excess = run.steps[2].excess = run.steps[4].excess = true;
    EXPECT_EQ(limitBands(run).size(), 5u);
    EXPECT_EQ(limitAt(run, 4), LimitState::Excess);
    run.params.CALC_TYPE = static_cast<std::int16_t>(CalcForm::Position);
    run.params.LOOP = 1; // cascade: the secondary (velocity form) held MV at its limits
    EXPECT_EQ(limitAt(run, 3), LimitState::Low);
    run.params.LOOP = 0;
    run.steps[3].mv = 101;
    ASSERT_EQ(limitBands(run).size(), 1u);
    EXPECT_EQ(limitBands(run)[0].state, LimitState::OutOfRange);
}
