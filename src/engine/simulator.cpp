#include "engine/simulator.h"

#include "core/runtimeerror.h"
#include "engine/errortrap.h"
#include "engine/modpidfnc.h"
#include "engine/programs.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace kestrel {

namespace {

/// Which limit acted in a step that met one: MV at MH or ML (the essence-inheriting form reaches
/// them as a sum, so within rounding), otherwise the rate limit cut its change.
[[gnu::noinline]] StepLimit limitKind(double mvCtrl, double MH, double ML) {
    const double near = 1e-9 * (1.0 + std::abs(MH) + std::abs(ML));
    if (mvCtrl >= MH - near)
        return StepLimit::High;
    if (mvCtrl <= ML + near)
        return StepLimit::Low;
    return StepLimit::Rate;
}

/// One PID controller as the loop's statements see it: its histories and its settings. The
/// primary's view names its own histories and parameters; the secondary's its own, with the
/// set-point filter passing SV2 through (α = β = γ = 1) and η 0.1. Built in the step and inlined,
/// so the primary's statements compile as if they named their histories directly.
struct PidView {
    History& SV;
    History& PV;
    LagHistory& SvLag;
    History &SvFilt, &Ep, &Ed, &P, &I, &PI, &Dk, &D, &MvPos, &MvCtrl, &MvInt, &MvExcess;
    // The settings by reference: the primary's are read where the statements use them, as when
    // they named the parameter set directly.
    const double &Kp, &Ti, &Td, &alpha, &beta, &gamma, &FB, &bA, &eta, &MH, &ML, &dML, &dt;
    CalcForm form;
    bool init;
};

/// The secondary's fixed settings: the set-point filter passes SV2 through, feedback connected.
constexpr double kOne = 1.0, kConnected = -1.0;

/// The secondary's derivative filter coefficient.
constexpr double kSecondaryEta = 0.1;

/// The primary controller's view.
[[gnu::always_inline]] inline PidView primaryView(SimulationState& s, const ParameterSet& p, bool init) {
    return {s.SV,    s.PV,    s.SvLag,  s.SvFilt, s.Ep,       s.Ed, s.P,   s.I,  s.PI,         s.Dk,
            s.D,     s.MvPos, s.MvCtrl, s.MvInt,  s.MvExcess, p.Kp, p.Ti,  p.Td, p.alpha,      p.beta,
            p.gamma, p.FB,    p.bA,     p.eta,    p.MH,       p.ML, p.dML, p.dt, p.calcForm(), init};
}

/// The secondary controller's view; `ti` and `td` are its integral and derivative times as its
/// type switches them (secondaryTimes).
// clang-format off
PidView secondaryView(SimulationState& s, const ParameterSet& p, const double& ti, const double& td,
                      bool init) {
    return {s.SV2, s.PV2, s.SvLag2, s.SvFilt2, s.Ep2, s.Ed2, s.P2, s.I2, s.PI2, s.Dk2, s.D2, s.MvPos2,
            s.MvCtrl2, s.MvInt2, s.MvExcess2, p.Kp2, ti, td, kOne, kOne, kOne, kConnected, p.bA2,
            kSecondaryEta, p.MH2, p.ML2, p.dML2, p.dt, static_cast<CalcForm>(p.CALC2), init};
}
// clang-format on

/// The secondary's integral and derivative times: P has neither, PI no derivative.
std::pair<double, double> secondaryTimes(const ParameterSet& p) {
    const auto type = static_cast<SecondaryType>(p.TYPE2);
    return {type == SecondaryType::P ? 0.0 : p.Ti2, type == SecondaryType::PID ? p.Td2 : 0.0};
}

/// Every result the two-part loop stores outside its blocks is finite.
[[gnu::noinline]] bool twoPartFinite(const SimulationState& s) {
    const double stored = ((s.OP[0] + s.SV2[0]) + (s.PV2[0] + s.Ep2[0])) +
                          ((s.Ed2[0] + s.P2[0]) + (s.PI2[0] + s.Dk2[0])) +
                          ((s.MvPos2[0] + s.MvCtrl2[0]) + (s.MvInt2[0] + s.MvExcess2[0])) +
                          ((s.InnerIn[0] + s.InnerDistIn[0]) + (s.I[0] + s.MvCtrl[0]));
    return stored - stored == 0.0;
}

} // namespace

std::array<History*, 20> SimulationState::twoPartHistories() {
    return {&OP,     &SV2,       &PV2,     &SvLag2,   &SvFilt2,     &Ep2,         &Ed2,
            &P2,     &I2,        &PI2,     &Dk2,      &D2,          &MvPos2,      &MvCtrl2,
            &MvInt2, &MvExcess2, &InnerIn, &InnerOut, &InnerDistIn, &InnerDistOut};
}

void SimulationState::shiftAll() {
    PV.shift();
    SV.shift();
    MvCtrl.shift();
    MV.shift();
    MvInt.shift();
    MvExcess.shift();
    SvLag.shift();
    SvFilt.shift();
    Ep.shift();
    P.shift();
    I.shift();
    PI.shift();
    Ed.shift();
    Dk.shift();
    D.shift();
    MvPos.shift();
    FfIn.shift();
    FfLag.shift();
    FfOut.shift();
    ProcIn.shift();
    PlantIn.shift();
    PlantOut.shift();
    DV.shift();
    DistIn.shift();
    DistOut.shift();
    // What acts beyond the ideal loop moves on only while it acts; the ideal loop's step shifts
    // nothing more than it did before those options existed.
    if (Extras != 0) [[unlikely]] {
        if (Extras & kValveExtra) {
            VP.shift();
            ValveDb.shift();
            ValveBl.shift();
            ValveSt.shift();
            Stick[1] = Stick[0];
        }
        if (Extras & kSensorExtra)
            PvTrue.shift();
        if (Extras & kLaggedExtra)
            PlantLag.shift();
        if (Extras & kTwoPartExtra) {
            for (History* h : twoPartHistories())
                h->shift();
            InitPending2 = false; // the secondary's initialising step is over
        }
    }
    LastExtras = Extras;
}

double standardNormal(std::mt19937_64& gen) {
    // Two uniform draws in [0, 1) from the top 53 bits, then Box-Muller; 1 - u1 > 0 keeps the
    // logarithm finite. The same on every machine that has the same generator.
    const double u1 = static_cast<double>(gen() >> 11) * 0x1.0p-53;
    const double u2 = static_cast<double>(gen() >> 11) * 0x1.0p-53;
    return std::sqrt(-2.0 * std::log(1.0 - u1)) * std::cos(2.0 * std::numbers::pi * u2);
}

void Simulator::programEval(const ProgramTexts& values, const ProgramTexts& times, History& signal,
                            const char* code, void (Display::*pointerUpdate)()) {
    ErrorTrap trap(mMessages, code, mState.chart.Reported);
    const auto v = evaluateProgram(values, times, static_cast<float>(mState.sim.SimTime), trap);
    if (v)
        signal[0] = *v;
    trap([&] { (mDisplay.*pointerUpdate)(); });
}

void Simulator::SvProgramEval() {
    programEval(mState.params.SVv, mState.params.SVt, mState.sim.SV, "  P051", &Display::SvPointerUpdate);
}

void Simulator::DvProgramEval() {
    programEval(mState.params.DVv, mState.params.DVt, mState.sim.DV, "  P052", &Display::DvPointerUpdate);
}

namespace {

/// The loop's statements one by one under the step's trap, every value checked as computed.
struct Trapped {
    ErrorTrap& trap;
    CheckEach check;
    unsigned extrasInForce;
    unsigned extras() const { return extrasInForce; }
    template <class F> void operator()(F&& statement) { trap(statement); }
    static bool initialising(const SimulationState& s) { return s.InitPending; }
};

/// The loop's statements straight through: a statement that fails throws out of the loop; a
/// value that is not finite is noted where a comparison or a limit would hide it, and is left in
/// the results otherwise, which the pass looks at when it ends.
struct Straight {
    CheckAtEnd check;
    unsigned extrasInForce = 0;
    unsigned extras() const { return extrasInForce; }
    template <class F> void operator()(F&& statement) { statement(); }
    /// Never the initialising step, which always runs under the trap.
    static constexpr bool initialising(const SimulationState&) { return false; }
};

/// The ideal loop straight through: nothing beyond it, known when the code is compiled, so its
/// step is the same code as before the options existed.
struct StraightIdeal : Straight {
    static constexpr unsigned extras() { return 0; }
};

} // namespace

bool Simulator::MainCalc() {
    auto& s = mState.sim;
    if (s.Paused)
        return true;

    ErrorTrap t(mMessages, "  P042", ErrorTrap::RetryCancel{}, mState.chart.Reported);
    s.LimitHit = false;
    if (s.Running && mState.params.mode() == Mode::Cascade) {
        SvProgramEval();
        DvProgramEval();
    }
    const unsigned extras = mState.params.idealLoop() ? 0u : prepareExtras();
    s.Extras = extras;
    // The initialising step sets both slots of many histories: it always runs under the trap.
    // So does a step that initialises the secondary alone (only a two-part loop has one).
    if (s.InitPending || mCheckEachStatement ||
        !(extras == 0 ? loopStraight(StraightIdeal{})
                      : !s.InitPending2 && loopStraight(Straight{{}, extras}))) {
        Trapped trapped{t, {}, extras};
        loop(trapped);
    }
    if (s.Running) {
        const auto& p = mState.params;
        const StepLimit kind = !s.LimitHit ? StepLimit::None
                               : s.LimitHit2 && (s.Extras & SimulationState::kTwoPartExtra)
                                   ? limitKind(s.MvCtrl2[0], p.MH2, p.ML2)
                                   : limitKind(s.MvCtrl[0], p.MH, p.ML);
        mState.trace.steps.push_back(
            {s.SimTime, s.SV[0], s.PV[0], s.MV[0], s.DV[0], s.LimitHit, kind, s.MvExcess[0] != 0.0});
        constexpr unsigned kTraced = SimulationState::kSensorExtra | SimulationState::kTwoPartExtra;
        if ((s.Extras & kTraced) || mState.trace.extended) [[unlikely]]
            traceExtras();
        recordSample(t);
        advanceTime(t);
    }
    showStep(t);
    s.shiftAll();
    s.InitPending = false;
    return !t.cancelled();
}

unsigned Simulator::prepareExtras() {
    auto& s = mState.sim;
    const auto& p = mState.params;
    // The noise of this step's measurement, drawn once whichever pass computes the loop.
    s.NoiseZ = s.Running && p.PV_NOISE > 0.0 ? standardNormal(s.NoiseGen) : 0.0;
    return (p.valveActive() ? SimulationState::kValveExtra : 0u) |
           (p.sensorActive() ? SimulationState::kSensorExtra : 0u) |
           (p.processType() != ProcessType::FirstOrder ? SimulationState::kLaggedExtra : 0u) |
           (p.twoPart() ? SimulationState::kTwoPartExtra : 0u);
}

template <class Pass> bool Simulator::loopStraight(Pass straight) {
    auto& s = mState.sim;
    // Besides slot 0, the set-point filter's stages write slot 1 (the lead its input's, and its
    // own when it passes the input through): both are kept to be put back.
    const double pv = s.PV[0], mv = s.MV[0], svLag = s.SvLag[1], svFilt = s.SvFilt[1];
    const auto ff = s.FfDelayed.mark(), plant = s.PlantDelayed.mark(), dist = s.DistDelayed.mark();
    // The two-part process's: OP and SV2 (which the panel sets), the secondary's set-point filter,
    // where it held a limit, the inner dead time.
    constexpr unsigned kTwoPart = SimulationState::kTwoPartExtra;
    double op = 0.0, sv2 = 0.0, svLag2 = 0.0, svFilt2 = 0.0;
    std::int8_t held = 0;
    DeadTimeBuffer::Mark inner{};
    if (straight.extras() & kTwoPart) {
        op = s.OP[0];
        sv2 = s.SV2[0];
        svLag2 = s.SvLag2[1];
        svFilt2 = s.SvFilt2[1];
        held = s.SecondaryHeld;
        inner = s.InnerDelayed.mark();
    }
    try {
        loop(straight);
        // Every result the loop stores outside the blocks (which limit theirs and note a
        // non-finite one): if one is not finite, neither is the sum. Summed as a tree, so the
        // look costs no long chain of additions. The valve stages are finite while MV is (an
        // overflow in one reaches ProcIn), and PvTrue is the sum of two limited blocks.
        const double stored = ((s.Ep[0] + s.Ed[0]) + (s.P[0] + s.PI[0])) +
                              ((s.Dk[0] + s.MvPos[0]) + (s.MvCtrl[0] + s.MvInt[0])) +
                              (((s.MvExcess[0] + s.FfIn[0]) + (s.FfOut[0] + s.MV[0])) +
                               ((s.ProcIn[0] + s.PlantIn[0]) + (s.DistIn[0] + s.PV[0])));
        if (!straight.check.failed && stored - stored == 0.0 &&
            (!(straight.extras() & kTwoPart) || twoPartFinite(s)))
            return true;
    } catch (const RuntimeError&) {
    }
    // Taken back: each computed signal to the value it held in both slots, MV, PV and the
    // set-point filter as saved, the dead-time registers as they stood.
    for (History* h : {&s.Ep,
                       &s.Ed,
                       &s.P,
                       &s.I,
                       &s.PI,
                       &s.Dk,
                       &s.D,
                       &s.MvPos,
                       &s.MvCtrl,
                       &s.MvInt,
                       &s.MvExcess,
                       &s.FfIn,
                       static_cast<History*>(&s.FfLag),
                       &s.FfOut,
                       &s.ValveDb,
                       &s.ValveBl,
                       &s.ValveSt,
                       static_cast<History*>(&s.VP),
                       &s.ProcIn,
                       &s.PlantIn,
                       static_cast<History*>(&s.PlantLag),
                       static_cast<History*>(&s.PlantOut),
                       &s.DistIn,
                       static_cast<History*>(&s.DistOut),
                       &s.PvTrue})
        (*h)[0] = (*h)[1];
    if (straight.extras() & kTwoPart) {
        for (History* h : s.twoPartHistories())
            (*h)[0] = (*h)[1];
        s.OP[0] = op;
        s.SV2[0] = sv2;
        s.SvLag2.set(svLag2);
        s.SvFilt2.set(svFilt2);
        s.SecondaryHeld = held;
        s.InnerDelayed.rewind(inner);
        s.LimitHit2 = false;
    }
    s.PV[0] = pv;
    s.MV[0] = mv;
    s.SvLag.set(svLag);
    s.SvFilt.set(svFilt);
    s.FfDelayed.rewind(ff);
    s.PlantDelayed.rewind(plant);
    s.DistDelayed.rewind(dist);
    s.LimitHit = false;
    return false;
}

template <class Statements> [[gnu::always_inline]] inline void Simulator::loop(Statements& t) {
    if (t.extras() & SimulationState::kTwoPartExtra) [[unlikely]] {
        twoPartLoop(t);
        return;
    }
    auto& s = mState.sim;
    if (mState.params.mode() != Mode::Manual) {
        const PidView primary = primaryView(s, mState.params, t.initialising(s));
        controllerTerms(t, primary);
        if (controllerForm(t, primary))
            s.LimitHit = true;
        feedforward(t);
        t([&] { s.MV[0] = t.check(s.MvCtrl[0] - s.FfOut[0]); });
        const bool valveActs = valve(t);
        t([&] { s.ProcIn[0] = t.check((valveActs ? s.VP[0] : s.MV[0]) + mState.params.Kd * s.DV[0]); });
    } else {
        s.ProcIn[0] = valve(t) ? s.VP[0] : s.MV[0];
    }
    processAndDisturbance(t, s.ProcIn[0]);
    measurement(t);
}

// The loop of a two-part process, kept out of the single loop's straight code.
template <class Statements> [[gnu::noinline]] void Simulator::twoPartLoop(Statements& t) {
    auto& s = mState.sim;
    const auto& p = mState.params;
    const bool init = t.initialising(s);
    const double dt = p.dt;
    const bool cascade = p.cascadeLoop();
    s.LimitHit2 = false;
    if (p.mode() != Mode::Manual) {
        const PidView primary = primaryView(s, p, init);
        controllerTerms(t, primary);
        // The secondary holding a limit is the primary's limit too: its integral stands still
        // rather than wind up towards it.
        if (cascade && s.SecondaryHeld != 0 && !init && (s.I[0] - s.I[1]) * s.SecondaryHeld > 0.0)
            t([&] {
                s.I[0] = s.I[1];
                s.PI[0] = t.check(s.P[0] + s.I[0]);
                s.MvPos[0] = t.check(s.PI[0] + s.D[0] + p.bA);
            });
        if (controllerForm(t, primary))
            s.LimitHit = true;
        feedforward(t);
        t([&] { (cascade ? s.OP : s.MV)[0] = t.check(s.MvCtrl[0] - s.FfOut[0]); });
    }
    if (cascade)
        secondary(t);
    else
        s.OP[0] = s.MV[0];
    const bool valveActs = valve(t);
    t([&] { s.ProcIn[0] = t.check((valveActs ? s.VP[0] : s.MV[0]) + p.Kd * s.DV[0]); });
    // The inner part: PV2 = Kin·e^(-Lin·s)/(1+Tin·s)·ProcIn + Kdin/(1+Tdin·s)·DV.
    t([&] { s.InnerIn[0] = t.check(p.Kin * s.ProcIn[0]); });
    t([&] { s.InnerDelayed[0] = DeadTime(s.InnerIn[0], s.InnerDelayed, p.Lin, dt, init); });
    t([&] { s.InnerOut[0] = FirstOrderLag(s.InnerDelayed[0], s.InnerOut, p.Tin, dt, init, t.check); });
    t([&] { s.InnerDistIn[0] = t.check(p.Kdin * s.DV[0]); });
    t([&] {
        s.InnerDistOut[0] = FirstOrderLag(s.InnerDistIn[0], s.InnerDistOut, p.Tdin, dt, init, t.check);
    });
    t([&] { s.PV2[0] = t.check(s.InnerOut[0] + s.InnerDistOut[0]); });
    if (!cascade)
        s.SV2[0] = s.PV2[0]; // no secondary: its set-point follows the measurement
    processAndDisturbance(t, s.PV2[0]);
    measurement(t);
}

template <class Statements> void Simulator::secondary(Statements& t) {
    auto& s = mState.sim;
    const auto& p = mState.params;
    const SecondaryMode mode = p.secondaryMode();
    // SV2 before the secondary runs: OP in cascade, the local set-point as it stands in
    // automatic, PV2 of the step before in manual (PV2[0] still holds it).
    if (mode == SecondaryMode::Cascade)
        s.SV2[0] = s.OP[0];
    else if (mode == SecondaryMode::Manual)
        s.SV2[0] = s.PV2[0];
    s.SecondaryHeld = 0;
    if (mode != SecondaryMode::Manual) {
        const auto [ti, td] = secondaryTimes(p);
        const PidView sec = secondaryView(s, p, ti, td, t.initialising(s) || s.InitPending2);
        controllerTerms(t, sec);
        if (controllerForm(t, sec)) {
            s.LimitHit = true;
            s.LimitHit2 = true;
        }
        s.MV[0] = s.MvCtrl2[0];
        // Held at a limit: where a velocity form stands at MH2 or ML2 (the position form has none).
        if (sec.form != CalcForm::Position) {
            const double near = 1e-9 * (1.0 + std::abs(p.MH2) + std::abs(p.ML2));
            if (s.MvCtrl2[0] >= p.MH2 - near)
                s.SecondaryHeld = 1;
            else if (s.MvCtrl2[0] <= p.ML2 + near)
                s.SecondaryHeld = -1;
        }
    }
    if (mode != SecondaryMode::Cascade) {
        // The primary tracks: its output is SV2, so the return to cascade does not bump.
        s.OP[0] = s.SV2[0];
        t([&] {
            const double c = t.check(s.SV2[0] + s.FfOut[0]);
            s.MvCtrl[0] = c;
            s.MvInt[0] = c;
            s.MvExcess[0] = 0.0;
            if (p.calcForm() == CalcForm::Position) {
                s.I[0] = t.check(c - s.P[0] - s.D[0] - p.bA);
                s.PI[0] = t.check(s.P[0] + s.I[0]);
                s.MvPos[0] = c;
            }
        });
    }
}

// The loop's stages below are inlined into each run of the loop: split for reading, they compile
// to one straight piece of code, so naming them costs the step nothing.

template <class Statements, class Pid>
[[gnu::always_inline]] inline void Simulator::controllerTerms(Statements& t, const Pid& c) {
    const bool init = c.init;
    const double dt = c.dt;
    double T1 = c.beta * c.Ti;
    t([&] { T1 = t.check(c.beta * c.Ti); });
    if (T1 == 0.0)
        T1 = 0.0001;
    t([&] { c.SvLag[0] = FirstOrderLag(c.SV[0], c.SvLag, T1, dt, init, t.check); });
    t([&] { c.SvFilt[0] = LeadStage(c.SvLag, c.SvFilt, t.check.here(c.alpha * T1), dt, init, t.check); });
    t([&] { c.Ep[0] = t.check(c.SvFilt[0] + c.FB * c.PV[0]); });
    t([&] { c.Ed[0] = t.check(c.alpha * c.gamma * c.SV[0] + c.FB * c.PV[0]); });
    t([&] { c.P[0] = t.check(c.Kp * c.Ep[0]); });
    t([&] { c.I[0] = Integrator(c.P[0], c.I, c.Ti, dt, init, t.check); });
    t([&] { c.PI[0] = t.check(c.P[0] + c.I[0]); });
    t([&] { c.Dk[0] = t.check(c.Kp * c.Ed[0]); });
    t([&] { c.D[0] = IncompleteDerivative(c.Dk, c.D, c.Td, dt, c.eta, init, t.check); });
    t([&] { c.MvPos[0] = t.check(c.PI[0] + c.D[0] + c.bA); });
}

template <class Statements, class Pid>
[[gnu::always_inline]] inline bool Simulator::controllerForm(Statements& t, const Pid& c) {
    const bool init = c.init;
    if (c.form == CalcForm::Position) {
        c.MvCtrl[0] = c.MvPos[0];
        return false;
    }
    if (c.form != CalcForm::Velocity && c.form != CalcForm::VelocityUnlimited)
        return false;
    bool hit = false;
    double dP = 0.0, dI = 0.0, dD = 0.0;
    if (!init) {
        t([&] { dP = t.check(c.P[0] - c.P[1]); });
        t([&] { dI = t.check(c.I[0] - c.I[1]); });
        t([&] { dD = t.check(c.D[0] - c.D[1]); });
    }
    if (c.form == CalcForm::Velocity) {
        t([&] { c.MvCtrl[0] = t.check.here(c.MvCtrl[1] + dP + dI + dD); });
        if (c.MvCtrl[0] > c.MH) {
            c.MvCtrl[0] = c.MH;
            hit = true;
        }
        if (c.MvCtrl[0] < c.ML) {
            c.MvCtrl[0] = c.ML;
            hit = true;
        }
        if (c.MvCtrl[0] - c.MvCtrl[1] > c.dML) {
            t([&] { c.MvCtrl[0] = t.check.here(c.MvCtrl[1] + c.dML); });
            hit = true;
        }
        if (c.MvCtrl[1] - c.MvCtrl[0] > c.dML) {
            t([&] { c.MvCtrl[0] = t.check(c.MvCtrl[1] - c.dML); });
            hit = true;
        }
        return hit;
    }
    // Essence-inheriting: the accumulator runs unlimited, the output follows it within the limits.
    double sum = 0.0;
    t([&] {
        sum = t.check(dP + dD);
        if (dI * c.MvExcess[1] >= 0.0)
            sum = t.check(sum + dI);
    });
    t([&] { c.MvInt[0] = t.check(c.MvInt[1] + sum); });
    double v = c.MvInt[0];
    if (v > c.MH) {
        v = c.MH;
        hit = true;
    }
    if (v < c.ML) {
        v = c.ML;
        hit = true;
    }
    double dMV = 0.0;
    t([&] { dMV = t.check.here(v - c.MvCtrl[1]); });
    if (dMV > c.dML) {
        dMV = c.dML;
        hit = true;
    }
    if (dMV < -c.dML) {
        dMV = -c.dML;
        hit = true;
    }
    if (init)
        dMV = 0.0;
    t([&] { c.MvCtrl[0] = t.check(c.MvCtrl[1] + dMV); });
    t([&] { c.MvExcess[0] = t.check(c.MvInt[0] - c.MvCtrl[0]); });
    return hit;
}

template <class Statements> [[gnu::always_inline]] inline void Simulator::feedforward(Statements& t) {
    auto& s = mState.sim;
    const auto& p = mState.params;
    const bool init = t.initialising(s);
    const double dt = p.dt;
    // Kf·e^(-Lf·s)·(1+Tfp·s)/(1+Tfd·s), then MV and the process input with the disturbance Kd·DV.
    t([&] { s.FfIn[0] = t.check(p.Kf * s.DV[0]); });
    t([&] { s.FfDelayed[0] = DeadTime(s.FfIn[0], s.FfDelayed, p.Lf, dt, init); });
    t([&] { s.FfLag[0] = FirstOrderLag(s.FfDelayed[0], s.FfLag, p.Tfd, dt, init, t.check); });
    t([&] {
        const double tp = p.Tfd == 0.0 ? 0.0001 : p.Tfd;
        const double ratio = t.check(p.Tfp / tp);
        s.FfOut[0] = t.check(ratio * s.FfDelayed[0] + (1.0 - ratio) * s.FfLag[0]);
    });
}

template <class Statements> [[gnu::always_inline]] inline bool Simulator::valve(Statements& t) {
    auto& s = mState.sim;
    if (t.initialising(s)) {
        // Every stage at the command, the valve at rest there.
        const double c = s.MV[0];
        for (History* h : {&s.ValveDb, &s.ValveBl, &s.ValveSt, static_cast<History*>(&s.VP)})
            h->set(c);
        s.Stick.fill({true, 0, c});
        return false;
    }
    if (!(t.extras() & SimulationState::kValveExtra)) [[likely]]
        return false; // the valve position is the command
    valveStages(t);
    return true;
}

// Kept out of the loop's straight code, which an ideal valve passes without them.
template <class Statements> [[gnu::noinline]] void Simulator::valveStages(Statements& t) {
    auto& s = mState.sim;
    const auto& p = mState.params;
    const double c = s.MV[0];
    // A valve whose stages were off in the last step starts them at rest where it stood. (Run
    // twice by a step taken back, this gives the same both times: nothing the loop writes.)
    if (!(s.LastExtras & SimulationState::kValveExtra)) {
        for (History* h : {&s.ValveDb, &s.ValveBl, &s.ValveSt, static_cast<History*>(&s.VP)})
            (*h)[1] = s.MV[1];
        s.Stick[1] = {true, 0, s.MV[1]};
    }
    // Deadband: the stage follows only a command that moved more than d from where it stands.
    if (p.VALVE_DB > 0.0)
        t([&] {
            const double gap = t.check.here(std::fabs(c - s.ValveDb[1]));
            s.ValveDb[0] = gap > p.VALVE_DB ? c : s.ValveDb[1];
        });
    else
        s.ValveDb[0] = c;
    // Backlash: the stage is dragged along at b/2 behind its input, standing still inside the gap.
    if (p.VALVE_BL > 0.0)
        t([&] {
            const double x = s.ValveDb[0], half = p.VALVE_BL / 2.0;
            const double gap = t.check.here(x - s.ValveBl[1]);
            if (gap > half)
                s.ValveBl[0] = t.check(x - half);
            else if (gap < -half)
                s.ValveBl[0] = t.check(x + half);
            else
                s.ValveBl[0] = s.ValveBl[1];
        });
    else
        s.ValveBl[0] = s.ValveDb[0];
    // Stiction: a moving valve sticks when its input stops or turns; a stuck one slips once its
    // input has moved away from where it stuck by more than J (going on the same way) or S (the
    // other way), and then lags its input by (S - J)/2.
    if (p.STICK_S > 0.0 || p.STICK_J > 0.0)
        t([&] {
            const double x = s.ValveBl[0], before = s.ValveBl[1];
            const int dir = (x > before) - (x < before);
            SimulationState::ValveStick st = s.Stick[1];
            if (!st.stuck && dir != st.dir) {
                st.stuck = true;
                st.at = before;
            }
            if (st.stuck && dir != 0) {
                const double band = dir == st.dir ? p.STICK_J : p.STICK_S;
                if (t.check.here(std::fabs(x - st.at)) > band) {
                    st.stuck = false;
                    st.dir = static_cast<std::int8_t>(dir);
                }
            }
            s.ValveSt[0] = st.stuck ? s.ValveSt[1] : t.check(x - st.dir * (p.STICK_S - p.STICK_J) / 2.0);
            s.Stick[0] = st;
        });
    else {
        s.ValveSt[0] = s.ValveBl[0];
        s.Stick[0] = {true, 0, s.ValveBl[0]};
    }
    if (p.VALVE_T > 0.0)
        t([&] { s.VP[0] = FirstOrderLag(s.ValveSt[0], s.VP, p.VALVE_T, p.dt, false, t.check); });
    else
        s.VP[0] = s.ValveSt[0];
}

template <class Statements>
[[gnu::always_inline]] inline void Simulator::processAndDisturbance(Statements& t, double in) {
    auto& s = mState.sim;
    const auto& p = mState.params;
    const bool init = t.initialising(s);
    const double dt = p.dt;
    if (!(t.extras() & SimulationState::kLaggedExtra)) [[likely]] {
        t([&] { s.PlantIn[0] = t.check(p.Kpl * in); });
        t([&] { s.PlantDelayed[0] = DeadTime(s.PlantIn[0], s.PlantDelayed, p.Lpl, dt, init); });
        t([&] { s.PlantOut[0] = FirstOrderLag(s.PlantDelayed[0], s.PlantOut, p.Tpl, dt, init, t.check); });
    } else {
        laggedProcess(t, in);
    }
    t([&] { s.DistIn[0] = t.check(p.Kds * s.DV[0]); });
    t([&] { s.DistDelayed[0] = DeadTime(s.DistIn[0], s.DistDelayed, p.Lds, dt, init); });
    t([&] { s.DistOut[0] = FirstOrderLag(s.DistDelayed[0], s.DistOut, p.Tds, dt, init, t.check); });
    t([&] { s.PV[0] = t.check(s.PlantOut[0] + s.DistOut[0]); });
}

// The second-order and the integrating process, kept out of the loop's straight code.
template <class Statements> [[gnu::noinline]] void Simulator::laggedProcess(Statements& t, double in) {
    auto& s = mState.sim;
    const auto& p = mState.params;
    const bool init = t.initialising(s);
    const double dt = p.dt;
    const bool tank = p.processType() == ProcessType::Integrating;
    // Switched on during a run, the Tpl stage goes on from where the first-order process stood
    // (a tank's inflow from rest), so the output does not jump. (Nothing the loop writes: a step
    // taken back and run again sets the same.)
    if (!(s.LastExtras & SimulationState::kLaggedExtra) && !init)
        s.PlantLag[1] = tank ? 0.0 : s.PlantOut[1];
    if (tank)
        t([&] { s.PlantIn[0] = t.check(p.Kpl * t.check(in - p.Balance)); });
    else
        t([&] { s.PlantIn[0] = t.check(p.Kpl * in); });
    t([&] { s.PlantDelayed[0] = DeadTime(s.PlantIn[0], s.PlantDelayed, p.Lpl, dt, init); });
    t([&] { s.PlantLag[0] = FirstOrderLag(s.PlantDelayed[0], s.PlantLag, p.Tpl, dt, init, t.check); });
    if (!tank)
        t([&] { s.PlantOut[0] = FirstOrderLag(s.PlantLag[0], s.PlantOut, p.Tpl2, dt, init, t.check); });
    else // the tank's level: the lagged inflow summed, standing still in the initialising step
        t([&] {
            s.PlantOut[0] = init ? s.PlantOut[1] : t.check.limited(s.PlantOut[1] + dt * s.PlantLag[0]);
        });
}

// The sensor: PV, set to PvTrue with it, becomes Lag(PvTrue + σ·z, Tf) when noise or filter act.
template <class Statements> [[gnu::always_inline]] inline void Simulator::measurement(Statements& t) {
    if (t.extras() & SimulationState::kSensorExtra) [[unlikely]]
        sensor(t);
}

template <class Statements> [[gnu::noinline]] void Simulator::sensor(Statements& t) {
    auto& s = mState.sim;
    const auto& p = mState.params;
    const bool init = t.initialising(s);
    s.PvTrue[0] = s.PV[0];
    t([&] {
        const double x = p.PV_NOISE > 0.0 ? t.check(s.PvTrue[0] + p.PV_NOISE * s.NoiseZ) : s.PvTrue[0];
        s.PV[0] = p.PV_FILTER > 0.0 ? FirstOrderLag(x, s.PV, p.PV_FILTER, p.dt, init, t.check) : x;
    });
}

[[gnu::always_inline]] inline void Simulator::recordSample(ErrorTrap& t) {
    auto& s = mState.sim;
    const auto& p = mState.params;
    auto& rec = mState.rec;
    auto& chart = mState.chart;
    if (s.DecimationCount == 0 || s.LimitHit) {
        const int i = s.SampleIndex;
        const int g = chart.CurrentGraph;
        t([&] {
            if (i < 0 || i >= Recording::kSamples || g < 0 || g > 2)
                throw RuntimeError::subscriptOutOfRange();
            rec.SampleTime[i] = s.SimTime;

            const Rgb pen = penChoiceColor(chart.PenChoice);
            chart.PenColor[g][0] = kSvPenColor;
            chart.PenColor[g][1] = pen;
            chart.PenColor[g][2] = kDvPenColor;
            chart.PenColor[g][3] = pen;
            chart.HistoryPenColor = pen;

            auto& trend = rec.TrendData[g];
            trend[0][i] = s.SV[0];
            trend[1][i] = s.PV[0];
            trend[2][i] = s.DV[0];
            trend[3][i] = s.MV[0];

            auto& pen0 = rec.PenData[0];
            const ControlType type = p.controlType();
            auto perGain = [&](double x) { return p.Kp > 0.0 ? checkFinite(x / p.Kp) : 0.0; };
            pen0[0][i] = s.SV[0];
            pen0[1][i] = s.Ep[0];
            if (type == ControlType::TwoDofPID) {
                pen0[2][i] = s.Ed[0];
                pen0[3][i] = s.PI[0];
                pen0[4][i] = s.D[0];
            } else {
                pen0[2][i] = perGain(s.P[0]);
                pen0[3][i] = type == ControlType::P ? -1000.0 : perGain(s.I[0]);
                pen0[4][i] = type == ControlType::P ? -1000.0 : perGain(s.D[0]);
            }
            pen0[5][i] = s.MV[0];
            pen0[6][i] = s.DV[0];
            pen0[7][i] = s.FfOut[0];
            pen0[8][i] = checkFinite(p.Kd * s.DV[0]);
            pen0[9][i] = s.DistOut[0];
            pen0[10][i] = s.PV[0];
            pen0[11][i] = s.pvTrue();
            pen0[12][i] = s.valvePosition();
            if (s.Extras & SimulationState::kTwoPartExtra) [[unlikely]] {
                recordInner(i);
            } else {
                constexpr double kNone = -1000.0; // no inner loop: its strips stay empty
                for (int c = 13; c < Recording::kPenChannels; ++c)
                    pen0[c][i] = kNone;
            }
        });
        if (i == 0) {
            s.SamplesRecorded = 0;
            rec.PenRun = 0; // a new record, not kept until its run completes
        }
        if (i + 1 > s.SamplesRecorded)
            s.SamplesRecorded = static_cast<std::int16_t>(i + 1);
        if (i >= 0 && i < Recording::kSamples && g >= 0 && g <= 2) {
            rec.TrendTime[g][i] = s.SimTime;
            rec.TrendSamples[g] = static_cast<std::int16_t>(i + 1);
            if (i == 0)
                rec.TrendRun[g] = 0;
            rec.TrendDvOffset[g] = chart.DvOffset;
        }
        std::int16_t drawn = static_cast<std::int16_t>(i);
        t([&] { mDisplay.Line_draw1(drawn); });
        t([&] { mDisplay.Line_draw2(drawn); });
        if (s.SampleIndex < 500)
            ++s.SampleIndex;
    }
    // A ratio lowered during the run must not let the counter run past it.
    if (++s.DecimationCount >= s.DecimationRatio)
        s.DecimationCount = 0;
}

void Simulator::traceExtras() {
    const auto& s = mState.sim;
    auto& trace = mState.trace;
    if ((s.Extras & SimulationState::kSensorExtra) || !trace.pvTrue.empty())
        trace.addTrue(s.pvTrue());
    if ((s.Extras & SimulationState::kTwoPartExtra) || !trace.inner.empty())
        trace.addInner(innerSample());
}

InnerSample Simulator::innerSample() const {
    const auto& s = mState.sim;
    const auto& p = mState.params;
    constexpr double kNone = -1000.0; // a signal the loop does not have: no trace
    if (!(s.Extras & SimulationState::kTwoPartExtra))
        return {kNone, kNone, kNone, kNone, kNone};
    if (!p.cascadeLoop())
        return {kNone, s.PV2[0], kNone, kNone, kNone};
    const auto type = static_cast<SecondaryType>(p.TYPE2);
    auto perGain = [&](double x) { return p.Kp2 > 0.0 ? checkFinite(x / p.Kp2) : 0.0; };
    return {s.SV2[0], s.PV2[0], perGain(s.P2[0]), type == SecondaryType::P ? kNone : perGain(s.I2[0]),
            type == SecondaryType::PID ? perGain(s.D2[0]) : kNone};
}

void Simulator::recordInner(int i) {
    auto& pen0 = mState.rec.PenData[0];
    const InnerSample x = innerSample();
    pen0[13][i] = x.sv2;
    pen0[14][i] = x.pv2;
    pen0[15][i] = x.p2;
    pen0[16][i] = x.i2;
    pen0[17][i] = x.d2;
}

[[gnu::always_inline]] inline void Simulator::advanceTime(ErrorTrap& t) {
    auto& s = mState.sim;
    t([&] {
        s.SimTime = checkFinite(s.SimTime + mState.params.dt);
        mState.rec.SampleTime[s.SampleIndex + 1] = s.SimTime;
    });
}

[[gnu::always_inline]] inline void Simulator::showStep(ErrorTrap& t) {
    if (!mDisplay.showsStepValues())
        return;
    t([&] { mDisplay.PvBarUpdate(); });
    if (mState.params.mode() != Mode::Manual)
        t([&] { mDisplay.MvSliderUpdate(); });
    t([&] { showValues(); });
    if (mState.params.cascadeLoop()) [[unlikely]]
        t([&] { mDisplay.showSecondary(); });
}

void Simulator::showValues() {
    const auto& s = mState.sim;
    if (s.SvDisplayLive)
        mDisplay.showSv(s.SV[0]);
    if (s.MvDisplayLive)
        mDisplay.showMv(s.primaryOutput(mState.params.cascadeLoop()));
    mDisplay.showPv(s.PV[0]);
}

} // namespace kestrel
