// Cascade control: the two-part process, the secondary controller, its modes and the primary
// tracking it. Expected values are the discrete blocks' own, worked out by hand.

#include "looptest.h"

#include "engine/runcontrol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace kestrel::test {
namespace {

/// A loop with run control, set at rest by Data_inz at MV 40 on a two-part process.
struct CascadeRig : Loop {
    FakeHost host;
    FakeSettings settings;
    RunControl rc{app, sim, host, messages, settings};

    explicit CascadeRig(int loop = 1) {
        p.LOOP = static_cast<std::int16_t>(loop);
        std::tie(p.Kpl, p.Tpl, p.Lpl, p.Kin, p.Tin, p.Lin) = std::tuple(1.5, 8, 1, 0.8, 1, 0.2);
        std::tie(p.TYPE_SELECT, p.Kp, p.Ti, p.Td, p.CALC_TYPE) = std::tuple(1, 1.2, 8, 0, 1);
        std::tie(p.TYPE2, p.CALC2, p.Kp2, p.Ti2, p.MODE2) = std::tuple(1, 1, 1.5, 2, 2);
        p.MODE = 1;
        s.MV.set(40);
        s.SV.set(48);
        rc.Data_inz();
    }

    void steps(int n) {
        for (int k = 0; k < n; ++k)
            step();
    }
};

TEST(Cascade, DataInzAndClearStartTheTwoPartLoopAtRest) {
    // At MV 40: PV2 = Kin·MV = 32, PV = Kpl·PV2 = 48, SV2 = OP = PV2; the secondary's bias is MV.
    // Without the secondary (LOOP 2) the primary's output and bias are MV itself.
    for (int loop : {1, 2}) {
        CascadeRig r(loop);
        const double out = loop == 1 ? 32.0 : 40.0;
        EXPECT_EQ(std::tuple(r.s.PV2[0], r.s.PV[0], r.s.SV2[0], r.s.OP[0], r.p.bA, r.p.bA2),
                  std::tuple(32.0, 48.0, 32.0, out, out, 40.0));
        r.steps(50);
        EXPECT_NEAR(r.s.PV[0], 48.0, 1e-12) << "a loop at rest stays at rest, loop " << loop;
        EXPECT_NEAR(r.s.MV[0], 40.0, 1e-12);
        // Clear in automatic mode: PV = SV, PV2 = SV/Kpl, MV = PV2/Kin, and still.
        r.s.SV.set(60);
        r.rc.Clear();
        EXPECT_EQ(std::tuple(r.s.PV[0], r.s.PV2[0], r.s.MV[0]), std::tuple(60.0, 40.0, 50.0));
        r.steps(50);
        EXPECT_NEAR(r.s.PV[0], 60.0, 1e-12);
        EXPECT_NEAR(r.s.PV2[0], 40.0, 1e-12);
    }
}

TEST(Cascade, ProportionalInnerAndOuterLoopsFollowTheDiscreteHandWorkedValues) {
    // P-only secondary, no dead times. Inner loop alone (secondary automatic, SV2 stepped): every
    // step PV2 - PV2* shrinks by p = (Tin - dt·Kin·Kp2)/(Tin + dt).
    CascadeRig r;
    std::tie(r.p.Lpl, r.p.Lin, r.p.TYPE2, r.p.CALC2) = std::tuple(0, 0, 0, 0);
    std::tie(r.p.TYPE_SELECT, r.p.Ti, r.p.CALC_TYPE) = std::tuple(0, 0, 0);
    r.rc.Data_inz();
    r.step();
    r.rc.setSecondaryMode(1);
    r.s.SV2[0] = 42;
    const double Tin = 1, dt = 0.1, Kin = 0.8, Kp2 = 1.5;
    const double ratio = (Tin - dt * Kin * Kp2) / (Tin + dt);
    const double fixed = Kin * (r.p.bA2 + Kp2 * 42) / (1 + Kin * Kp2);
    double before = r.s.PV2[0] - fixed;
    for (int k = 0; k < 30; ++k) {
        r.step();
        const double now = r.s.PV2[0] - fixed;
        EXPECT_NEAR(now, ratio * before, 1e-9) << k;
        before = now;
    }
    // Both loops closed: ΔPV = ΔSV·Kp·Kpl·G2/(1 + Kp·Kpl·G2), G2 = Kin·Kp2/(1 + Kin·Kp2).
    r.rc.setSecondaryMode(2);
    r.steps(2000);
    const double pv0 = r.s.PV[0];
    r.s.SV[0] += 10;
    r.steps(3000);
    const double g2 = Kin * Kp2 / (1 + Kin * Kp2), loopGain = 1.2 * 1.5 * g2;
    EXPECT_NEAR(r.s.PV[0] - pv0, 10 * loopGain / (1 + loopGain), 1e-9);
}

TEST(Cascade, EverySecondaryModeSwitchIsBumplessInEachForm) {
    // In the middle of the response to an inner disturbance. No switch moves MV in its step (the
    // velocity forms hold it exactly, the position form's bias is chosen to give it), except back
    // to CAS by Kp2 times the primary's own move of that step: the primary goes on from the
    // output it tracked, SV2. Its output tracks SV2: the local set-point that stays in A, PV2 of
    // the step before in M.
    for (int form = 0; form < 3; ++form) {
        CascadeRig r;
        std::tie(r.p.CALC2, r.p.CALC_TYPE, r.p.Kdin, r.p.Tdin) = std::tuple(form, form, 1, 2);
        r.steps(5);
        r.s.DV[0] = 10;
        r.steps(30);
        for (int mode : {1, 0, 2, 0, 1, 2}) {
            SCOPED_TRACE(testing::Message() << "form " << form << " to mode " << mode);
            const double mv = r.s.MV[0], op = r.s.OP[0], pv2 = r.s.PV2[0];
            r.rc.setSecondaryMode(static_cast<std::int16_t>(mode));
            r.step();
            const double moved = std::abs(r.s.OP[0] - op);
            EXPECT_NEAR(r.s.MV[0], mv, mode == 2 ? r.p.Kp2 * moved + 1e-12 : 1e-12);
            EXPECT_NEAR(r.s.OP[0], mode == 0 ? pv2 : op, mode == 2 ? 0.05 : 1e-12);
            r.steps(15);
        }
        EXPECT_TRUE(r.messages.shown.empty());
    }
}

TEST(Cascade, ASaturatedSecondaryDoesNotWindThePrimaryUp) {
    // The secondary held at MH2 = 55 by a set-point it cannot reach: the primary's integral stands
    // still towards the limit, so when SV comes back the valve leaves the limit at once instead of
    // waiting for a wound-up integral to unwind.
    CascadeRig r;
    r.p.MH2 = 55;
    r.steps(5);
    r.s.SV[0] = 90;
    r.steps(300);
    ASSERT_EQ(r.s.SecondaryHeld, 1);
    const double i = r.s.I[0];
    r.steps(300);
    EXPECT_EQ(r.s.I[0], i) << "the integral stands while the secondary holds";
    r.s.SV[0] = 48;
    int held = 0;
    while (r.s.MV[0] >= 55 - 1e-9 && held < 1000) {
        r.step();
        ++held;
    }
    EXPECT_LE(held, 3);
}

TEST(Cascade, TheTraceAndThePenChannelsCarryTheInnerLoop) {
    CascadeRig r;
    r.p.TYPE2 = 1; // PI: no derivative term
    r.rc.Start();
    r.steps(3);
    ASSERT_EQ(r.app.trace.inner.size(), 3u);
    const InnerSample& x = r.app.trace.inner.back();
    EXPECT_EQ(std::tuple(x.sv2, x.pv2, x.d2), std::tuple(r.s.SV2[0], r.s.PV2[0], -1000.0));
    EXPECT_EQ(r.app.rec.PenData[0][14][0], r.app.trace.inner.front().pv2);
    // On the single loop the inner strips stay empty and no inner trace is kept.
    r.p.LOOP = 0;
    r.rc.Start();
    r.steps(3);
    EXPECT_TRUE(r.app.trace.inner.empty());
    EXPECT_EQ(r.app.rec.PenData[0][13][0], -1000.0);
}

} // namespace
} // namespace kestrel::test
