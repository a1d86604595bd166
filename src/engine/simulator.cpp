#include "engine/simulator.h"

#include "core/runtimeerror.h"
#include "engine/errortrap.h"
#include "engine/modpidfnc.h"
#include "engine/programs.h"

#include <cmath>
#include <numbers>

namespace kestrel {

namespace {

/// Which limit acted in a step that met one: MV at MH or ML (the essence-inheriting form reaches
/// them as a sum, so within rounding), otherwise the rate limit cut its change.
[[gnu::noinline]] StepLimit limitKind(double mvCtrl, const ParameterSet& p) {
    const double near = 1e-9 * (1.0 + std::abs(p.MH) + std::abs(p.ML));
    if (mvCtrl >= p.MH - near)
        return StepLimit::High;
    if (mvCtrl <= p.ML + near)
        return StepLimit::Low;
    return StepLimit::Rate;
}

} // namespace

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
    if (s.InitPending || mCheckEachStatement ||
        !(extras == 0 ? loopStraight(StraightIdeal{}) : loopStraight(Straight{{}, extras}))) {
        Trapped trapped{t, {}, extras};
        loop(trapped);
    }
    if (s.Running) {
        const StepLimit kind = s.LimitHit ? limitKind(s.MvCtrl[0], mState.params) : StepLimit::None;
        mState.trace.steps.push_back(
            {s.SimTime, s.SV[0], s.PV[0], s.MV[0], s.DV[0], s.LimitHit, kind, s.MvExcess[0] != 0.0});
        if ((s.Extras & SimulationState::kSensorExtra) || !mState.trace.pvTrue.empty()) [[unlikely]]
            mState.trace.addTrue(s.pvTrue());
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
           (p.processType() != ProcessType::FirstOrder ? SimulationState::kLaggedExtra : 0u);
}

template <class Pass> bool Simulator::loopStraight(Pass straight) {
    auto& s = mState.sim;
    // Besides slot 0, the set-point filter's stages write slot 1 (the lead its input's, and its
    // own when it passes the input through): both are kept to be put back.
    const double pv = s.PV[0], mv = s.MV[0], svLag = s.SvLag[1], svFilt = s.SvFilt[1];
    const auto ff = s.FfDelayed.mark(), plant = s.PlantDelayed.mark(), dist = s.DistDelayed.mark();
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
        if (!straight.check.failed && stored - stored == 0.0)
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
    auto& s = mState.sim;
    if (mState.params.mode() != Mode::Manual) {
        controllerTerms(t);
        controllerForm(t);
        feedforward(t);
        const bool valveActs = valve(t);
        t([&] { s.ProcIn[0] = t.check((valveActs ? s.VP[0] : s.MV[0]) + mState.params.Kd * s.DV[0]); });
    } else {
        s.ProcIn[0] = valve(t) ? s.VP[0] : s.MV[0];
    }
    processAndDisturbance(t);
    measurement(t);
}

// The loop's stages below are inlined into each run of the loop: split for reading, they compile
// to one straight piece of code, so naming them costs the step nothing.

template <class Statements> [[gnu::always_inline]] inline void Simulator::controllerTerms(Statements& t) {
    auto& s = mState.sim;
    const auto& p = mState.params;
    const bool init = t.initialising(s);
    const double dt = p.dt;
    double T1 = p.beta * p.Ti;
    t([&] { T1 = t.check(p.beta * p.Ti); });
    if (T1 == 0.0)
        T1 = 0.0001;
    t([&] { s.SvLag[0] = FirstOrderLag(s.SV[0], s.SvLag, T1, dt, init, t.check); });
    t([&] { s.SvFilt[0] = LeadStage(s.SvLag, s.SvFilt, t.check.here(p.alpha * T1), dt, init, t.check); });
    t([&] { s.Ep[0] = t.check(s.SvFilt[0] + p.FB * s.PV[0]); });
    t([&] { s.Ed[0] = t.check(p.alpha * p.gamma * s.SV[0] + p.FB * s.PV[0]); });
    t([&] { s.P[0] = t.check(p.Kp * s.Ep[0]); });
    t([&] { s.I[0] = Integrator(s.P[0], s.I, p.Ti, dt, init, t.check); });
    t([&] { s.PI[0] = t.check(s.P[0] + s.I[0]); });
    t([&] { s.Dk[0] = t.check(p.Kp * s.Ed[0]); });
    t([&] { s.D[0] = IncompleteDerivative(s.Dk, s.D, p.Td, dt, p.eta, init, t.check); });
    t([&] { s.MvPos[0] = t.check(s.PI[0] + s.D[0] + p.bA); });
}

template <class Statements> [[gnu::always_inline]] inline void Simulator::controllerForm(Statements& t) {
    auto& s = mState.sim;
    const auto& p = mState.params;
    const bool init = t.initialising(s);
    if (p.calcForm() == CalcForm::Position) {
        s.MvCtrl[0] = s.MvPos[0];
        return;
    }
    if (p.calcForm() != CalcForm::Velocity && p.calcForm() != CalcForm::VelocityUnlimited)
        return;
    double dP = 0.0, dI = 0.0, dD = 0.0;
    if (!init) {
        t([&] { dP = t.check(s.P[0] - s.P[1]); });
        t([&] { dI = t.check(s.I[0] - s.I[1]); });
        t([&] { dD = t.check(s.D[0] - s.D[1]); });
    }
    if (p.calcForm() == CalcForm::Velocity) {
        t([&] { s.MvCtrl[0] = t.check.here(s.MvCtrl[1] + dP + dI + dD); });
        if (s.MvCtrl[0] > p.MH) {
            s.MvCtrl[0] = p.MH;
            s.LimitHit = true;
        }
        if (s.MvCtrl[0] < p.ML) {
            s.MvCtrl[0] = p.ML;
            s.LimitHit = true;
        }
        if (s.MvCtrl[0] - s.MvCtrl[1] > p.dML) {
            t([&] { s.MvCtrl[0] = t.check.here(s.MvCtrl[1] + p.dML); });
            s.LimitHit = true;
        }
        if (s.MvCtrl[1] - s.MvCtrl[0] > p.dML) {
            t([&] { s.MvCtrl[0] = t.check(s.MvCtrl[1] - p.dML); });
            s.LimitHit = true;
        }
        return;
    }
    // Essence-inheriting: the accumulator runs unlimited, the output follows it within the limits.
    double sum = 0.0;
    t([&] {
        sum = t.check(dP + dD);
        if (dI * s.MvExcess[1] >= 0.0)
            sum = t.check(sum + dI);
    });
    t([&] { s.MvInt[0] = t.check(s.MvInt[1] + sum); });
    double c = s.MvInt[0];
    if (c > p.MH) {
        c = p.MH;
        s.LimitHit = true;
    }
    if (c < p.ML) {
        c = p.ML;
        s.LimitHit = true;
    }
    double dMV = 0.0;
    t([&] { dMV = t.check.here(c - s.MvCtrl[1]); });
    if (dMV > p.dML) {
        dMV = p.dML;
        s.LimitHit = true;
    }
    if (dMV < -p.dML) {
        dMV = -p.dML;
        s.LimitHit = true;
    }
    if (init)
        dMV = 0.0;
    t([&] { s.MvCtrl[0] = t.check(s.MvCtrl[1] + dMV); });
    t([&] { s.MvExcess[0] = t.check(s.MvInt[0] - s.MvCtrl[0]); });
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
    t([&] { s.MV[0] = t.check(s.MvCtrl[0] - s.FfOut[0]); });
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
[[gnu::always_inline]] inline void Simulator::processAndDisturbance(Statements& t) {
    auto& s = mState.sim;
    const auto& p = mState.params;
    const bool init = t.initialising(s);
    const double dt = p.dt;
    if (!(t.extras() & SimulationState::kLaggedExtra)) [[likely]] {
        t([&] { s.PlantIn[0] = t.check(p.Kpl * s.ProcIn[0]); });
        t([&] { s.PlantDelayed[0] = DeadTime(s.PlantIn[0], s.PlantDelayed, p.Lpl, dt, init); });
        t([&] { s.PlantOut[0] = FirstOrderLag(s.PlantDelayed[0], s.PlantOut, p.Tpl, dt, init, t.check); });
    } else {
        laggedProcess(t);
    }
    t([&] { s.DistIn[0] = t.check(p.Kds * s.DV[0]); });
    t([&] { s.DistDelayed[0] = DeadTime(s.DistIn[0], s.DistDelayed, p.Lds, dt, init); });
    t([&] { s.DistOut[0] = FirstOrderLag(s.DistDelayed[0], s.DistOut, p.Tds, dt, init, t.check); });
    t([&] { s.PV[0] = t.check(s.PlantOut[0] + s.DistOut[0]); });
}

// The second-order and the integrating process, kept out of the loop's straight code.
template <class Statements> [[gnu::noinline]] void Simulator::laggedProcess(Statements& t) {
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
        t([&] { s.PlantIn[0] = t.check(p.Kpl * t.check(s.ProcIn[0] - p.Balance)); });
    else
        t([&] { s.PlantIn[0] = t.check(p.Kpl * s.ProcIn[0]); });
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
}

void Simulator::showValues() {
    const auto& s = mState.sim;
    if (s.SvDisplayLive)
        mDisplay.showSv(s.SV[0]);
    if (s.MvDisplayLive)
        mDisplay.showMv(s.MV[0]);
    mDisplay.showPv(s.PV[0]);
}

} // namespace kestrel
