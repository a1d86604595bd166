#include "engine/simulator.h"

#include "core/runtimeerror.h"
#include "engine/errortrap.h"
#include "engine/modpidfnc.h"
#include "engine/programs.h"

namespace kestrel {

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
}

void SimulationState::shiftSignals() {
    PV.shift();
    SV.shift();
    MvCtrl.shift();
    MV.shift();
    DV.shift();
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
    const bool direct = loopWithoutErrors();
    if (!direct) {
        if (mState.params.mode() != Mode::Manual) {
            controllerTerms(t);
            controllerForm(t);
            feedforward(t);
        } else {
            s.ProcIn[0] = s.MV[0];
        }
        processAndDisturbance(t);
    }
    if (s.Running) {
        recordSample(t);
        advanceTime(t);
    }
    showStep(t);
    if (direct)
        s.shiftSignals();
    else
        s.shiftAll();
    s.InitPending = false;
    return !t.cancelled();
}

void Simulator::controllerTerms(ErrorTrap& t) {
    auto& s = mState.sim;
    const auto& p = mState.params;
    const bool init = s.InitPending;
    const double dt = p.dt;
    double T1 = p.beta * p.Ti;
    t([&] { T1 = checkFinite(p.beta * p.Ti); });
    if (T1 == 0.0)
        T1 = 0.0001;
    t([&] { s.SvLag[0] = FirstOrderLag(s.SV[0], s.SvLag, T1, dt, init); });
    t([&] { s.SvFilt[0] = LeadStage(s.SvLag, s.SvFilt, checkFinite(p.alpha * T1), dt, init); });
    t([&] { s.Ep[0] = checkFinite(s.SvFilt[0] + p.FB * s.PV[0]); });
    t([&] { s.Ed[0] = checkFinite(p.alpha * p.gamma * s.SV[0] + p.FB * s.PV[0]); });
    t([&] { s.P[0] = checkFinite(p.Kp * s.Ep[0]); });
    t([&] { s.I[0] = Integrator(s.P[0], s.I, p.Ti, dt, init); });
    t([&] { s.PI[0] = checkFinite(s.P[0] + s.I[0]); });
    t([&] { s.Dk[0] = checkFinite(p.Kp * s.Ed[0]); });
    t([&] { s.D[0] = IncompleteDerivative(s.Dk, s.D, p.Td, dt, p.eta, init); });
    t([&] { s.MvPos[0] = checkFinite(s.PI[0] + s.D[0] + p.bA); });
}

void Simulator::controllerForm(ErrorTrap& t) {
    auto& s = mState.sim;
    const auto& p = mState.params;
    const bool init = s.InitPending;
    if (p.calcForm() == CalcForm::Position) {
        s.MvCtrl[0] = s.MvPos[0];
        return;
    }
    if (p.calcForm() != CalcForm::Velocity && p.calcForm() != CalcForm::VelocityUnlimited)
        return;
    double dP = 0.0, dI = 0.0, dD = 0.0;
    if (!init) {
        t([&] { dP = checkFinite(s.P[0] - s.P[1]); });
        t([&] { dI = checkFinite(s.I[0] - s.I[1]); });
        t([&] { dD = checkFinite(s.D[0] - s.D[1]); });
    }
    if (p.calcForm() == CalcForm::Velocity) {
        t([&] { s.MvCtrl[0] = checkFinite(s.MvCtrl[1] + dP + dI + dD); });
        if (s.MvCtrl[0] > p.MH) {
            s.MvCtrl[0] = p.MH;
            s.LimitHit = true;
        }
        if (s.MvCtrl[0] < p.ML) {
            s.MvCtrl[0] = p.ML;
            s.LimitHit = true;
        }
        if (s.MvCtrl[0] - s.MvCtrl[1] > p.dML) {
            t([&] { s.MvCtrl[0] = checkFinite(s.MvCtrl[1] + p.dML); });
            s.LimitHit = true;
        }
        if (s.MvCtrl[1] - s.MvCtrl[0] > p.dML) {
            t([&] { s.MvCtrl[0] = checkFinite(s.MvCtrl[1] - p.dML); });
            s.LimitHit = true;
        }
        return;
    }
    // Essence-inheriting: the accumulator runs unlimited, the output follows it within the limits.
    double sum = 0.0;
    t([&] {
        sum = checkFinite(dP + dD);
        if (dI * s.MvExcess[1] >= 0.0)
            sum = checkFinite(sum + dI);
    });
    t([&] { s.MvInt[0] = checkFinite(s.MvInt[1] + sum); });
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
    t([&] { dMV = checkFinite(c - s.MvCtrl[1]); });
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
    t([&] { s.MvCtrl[0] = checkFinite(s.MvCtrl[1] + dMV); });
    t([&] { s.MvExcess[0] = checkFinite(s.MvInt[0] - s.MvCtrl[0]); });
}

void Simulator::feedforward(ErrorTrap& t) {
    auto& s = mState.sim;
    const auto& p = mState.params;
    const bool init = s.InitPending;
    const double dt = p.dt;
    // Kf·e^(-Lf·s)·(1+Tfp·s)/(1+Tfd·s), then MV and the process input with the disturbance Kd·DV.
    t([&] { s.FfIn[0] = checkFinite(p.Kf * s.DV[0]); });
    t([&] { s.FfDelayed[0] = DeadTime(s.FfIn[0], s.FfDelayed, p.Lf, dt, init); });
    t([&] { s.FfLag[0] = FirstOrderLag(s.FfDelayed[0], s.FfLag, p.Tfd, dt, init); });
    t([&] {
        const double tp = p.Tfd == 0.0 ? 0.0001 : p.Tfd;
        const double ratio = checkFinite(p.Tfp / tp);
        s.FfOut[0] = checkFinite(ratio * s.FfDelayed[0] + (1.0 - ratio) * s.FfLag[0]);
    });
    t([&] { s.MV[0] = checkFinite(s.MvCtrl[0] - s.FfOut[0]); });
    t([&] { s.ProcIn[0] = checkFinite(s.MV[0] + p.Kd * s.DV[0]); });
}

void Simulator::processAndDisturbance(ErrorTrap& t) {
    auto& s = mState.sim;
    const auto& p = mState.params;
    const bool init = s.InitPending;
    const double dt = p.dt;
    t([&] { s.PlantIn[0] = checkFinite(p.Kpl * s.ProcIn[0]); });
    t([&] { s.PlantDelayed[0] = DeadTime(s.PlantIn[0], s.PlantDelayed, p.Lpl, dt, init); });
    t([&] { s.PlantOut[0] = FirstOrderLag(s.PlantDelayed[0], s.PlantOut, p.Tpl, dt, init); });
    t([&] { s.DistIn[0] = checkFinite(p.Kds * s.DV[0]); });
    t([&] { s.DistDelayed[0] = DeadTime(s.DistIn[0], s.DistDelayed, p.Lds, dt, init); });
    t([&] { s.DistOut[0] = FirstOrderLag(s.DistDelayed[0], s.DistOut, p.Tds, dt, init); });
    t([&] { s.PV[0] = checkFinite(s.PlantOut[0] + s.DistOut[0]); });
}

namespace {

/// Thrown out of loopWithoutErrors() when the step needs the stages for a reason other than a
/// non-finite result (those are gathered in a Finite).
struct NeedsStages {};

/// Gathers whether every value it is handed is finite: x - x is 0 for a finite x and NaN for an
/// infinity or a NaN, and a NaN stays in the sum. No branch per value.
struct Finite {
    double sum = 0.0;
    double operator()(double x) {
        sum += x - x;
        return x;
    }
    bool all() const { return sum == 0.0; }
};

/// FirstOrderLag on values, leaving the history to the caller.
inline double lag(double x0, LagHistory& y, double T, double dt, Finite& fin) {
    if (!(T > 0.0))
        return limitOutput(x0);
    y.coefficientsFor(T, dt);
    return limitOutput(fin(y.coefY * y[1] + y.coefX * x0));
}

inline double delayed(double x0, const DeadTimeBuffer& b, double L, double dt) {
    if (!b.slotFor(L, dt))
        throw NeedsStages{};
    return b.delayedOutput(x0);
}

/// Every value the stages store in one step, computed with the same expressions in the same
/// order, so each is bit for bit what the stages would store.
struct LoopValues {
    double svLag = 0, svFilt = 0, ep = 0, ed = 0, P = 0, I = 0, pi = 0, dk = 0, D = 0, mvPos = 0;
    double mvCtrl = 0, mvInt = 0, mvExcess = 0;
    bool limitHit = false;
    double ffIn = 0, ffDelayed = 0, ffLag = 0, ffOut = 0, mv = 0, procIn = 0;
    double plantIn = 0, plantDelayed = 0, plantOut = 0, distIn = 0, distDelayed = 0, distOut = 0, pv = 0;
};

/// controllerTerms on values (not in the initialisation step).
inline void terms(const ParameterSet& p, SimulationState& s, LoopValues& v, Finite& fin) {
    const double dt = p.dt;
    double T1 = fin(p.beta * p.Ti);
    if (T1 == 0.0)
        T1 = 0.0001;
    v.svLag = lag(s.SV[0], s.SvLag, T1, dt, fin);
    const double K = fin(p.alpha * T1);
    // A lag switched off has reset its y[k-1] to x[k], which the lead reads as x[k-1].
    const double lagPrev = T1 > 0.0 ? s.SvLag[1] : s.SV[0];
    v.svFilt = limitOutput(K > 0.0 ? fin(v.svLag + K * (v.svLag - lagPrev) / dt) : v.svLag);
    v.ep = fin(v.svFilt + p.FB * s.PV[0]);
    v.ed = fin(p.alpha * p.gamma * s.SV[0] + p.FB * s.PV[0]);
    v.P = fin(p.Kp * v.ep);
    v.I = p.Ti > 0.0 ? limitOutput(fin(s.I[1] + v.P * dt / p.Ti)) : 0.0;
    v.pi = fin(v.P + v.I);
    v.dk = fin(p.Kp * v.ed);
    if (p.Td > 0.0) {
        const double den = p.eta * p.Td + dt;
        if (den == 0.0)
            throw NeedsStages{};
        v.D = limitOutput(fin((p.Td * (v.dk - s.Dk[1]) + p.eta * p.Td * s.D[1]) / den));
    }
    v.mvPos = fin(v.pi + v.D + p.bA);
}

/// Clamps x to [low, high], noting whether a limit acted.
inline double clampNoting(double x, double low, double high, bool& hit) {
    if (x > high) {
        x = high;
        hit = true;
    }
    if (x < low) {
        x = low;
        hit = true;
    }
    return x;
}

/// controllerForm on values (not in the initialisation step).
inline void form(const ParameterSet& p, const SimulationState& s, LoopValues& v, Finite& fin) {
    v.mvCtrl = s.MvCtrl[0];
    v.mvInt = s.MvInt[0];
    v.mvExcess = s.MvExcess[0];
    const CalcForm f = p.calcForm();
    if (f == CalcForm::Position)
        v.mvCtrl = v.mvPos;
    if (f != CalcForm::Velocity && f != CalcForm::VelocityUnlimited)
        return;
    // The integrator and the derivative switched off have reset their y[k-1] to 0.
    const double dP = fin(v.P - s.P[1]);
    const double dI = fin(v.I - (p.Ti > 0.0 ? s.I[1] : 0.0));
    const double dD = fin(v.D - (p.Td > 0.0 ? s.D[1] : 0.0));
    const double last = s.MvCtrl[1];
    if (f == CalcForm::Velocity) {
        v.mvCtrl = clampNoting(fin(last + dP + dI + dD), p.ML, p.MH, v.limitHit);
        if (v.mvCtrl - last > p.dML) {
            v.mvCtrl = fin(last + p.dML);
            v.limitHit = true;
        }
        if (last - v.mvCtrl > p.dML) {
            v.mvCtrl = fin(last - p.dML);
            v.limitHit = true;
        }
        return;
    }
    double sum = fin(dP + dD);
    if (dI * s.MvExcess[1] >= 0.0)
        sum = fin(sum + dI);
    v.mvInt = fin(s.MvInt[1] + sum);
    const double c = clampNoting(v.mvInt, p.ML, p.MH, v.limitHit);
    double dMV = fin(c - last);
    if (dMV > p.dML) {
        dMV = p.dML;
        v.limitHit = true;
    }
    if (dMV < -p.dML) {
        dMV = -p.dML;
        v.limitHit = true;
    }
    v.mvCtrl = fin(last + dMV);
    v.mvExcess = fin(v.mvInt - v.mvCtrl);
}

/// feedforward and processAndDisturbance on values (not in the initialisation step).
inline void plant(const ParameterSet& p, SimulationState& s, LoopValues& v, Finite& fin) {
    const double dt = p.dt;
    v.ffIn = fin(p.Kf * s.DV[0]);
    v.ffDelayed = delayed(v.ffIn, s.FfDelayed, p.Lf, dt);
    v.ffLag = lag(v.ffDelayed, s.FfLag, p.Tfd, dt, fin);
    const double tp = p.Tfd == 0.0 ? 0.0001 : p.Tfd;
    const double ratio = fin(p.Tfp / tp);
    v.ffOut = fin(ratio * v.ffDelayed + (1.0 - ratio) * v.ffLag);
    v.mv = fin(v.mvCtrl - v.ffOut);
    v.procIn = fin(v.mv + p.Kd * s.DV[0]);
    v.plantIn = fin(p.Kpl * v.procIn);
    v.plantDelayed = delayed(v.plantIn, s.PlantDelayed, p.Lpl, dt);
    v.plantOut = lag(v.plantDelayed, s.PlantOut, p.Tpl, dt, fin);
    v.distIn = fin(p.Kds * s.DV[0]);
    v.distDelayed = delayed(v.distIn, s.DistDelayed, p.Lds, dt);
    v.distOut = lag(v.distDelayed, s.DistOut, p.Tds, dt, fin);
    v.pv = fin(v.plantOut + v.distOut);
}

/// The values into the state. Both slots at once where nothing reads slot 1 before the step ends
/// (it ends equal to slot 0); SV, PV, DV, MV and MvCtrl, which the panel and the programs write
/// too, get slot 0 only and are shifted at the end of the step.
inline void store(SimulationState& s, const LoopValues& v) {
    s.SvLag.set(v.svLag);
    s.SvFilt.set(v.svFilt);
    s.Ep.set(v.ep);
    s.Ed.set(v.ed);
    s.P.set(v.P);
    s.I.set(v.I);
    s.PI.set(v.pi);
    s.Dk.set(v.dk);
    s.D.set(v.D);
    s.MvPos.set(v.mvPos);
    s.MvCtrl[0] = v.mvCtrl;
    s.MvInt.set(v.mvInt);
    s.MvExcess.set(v.mvExcess);
    s.LimitHit = v.limitHit;
    s.FfIn.set(v.ffIn);
    s.FfDelayed.advance(v.ffIn, v.ffDelayed);
    s.FfLag.set(v.ffLag);
    s.FfOut.set(v.ffOut);
    s.MV[0] = v.mv;
    s.ProcIn.set(v.procIn);
    s.PlantIn.set(v.plantIn);
    s.PlantDelayed.advance(v.plantIn, v.plantDelayed);
    s.PlantOut.set(v.plantOut);
    s.DistIn.set(v.distIn);
    s.DistDelayed.advance(v.distIn, v.distDelayed);
    s.DistOut.set(v.distOut);
    s.PV[0] = v.pv;
}

} // namespace

bool Simulator::loopWithoutErrors() {
    auto& s = mState.sim;
    const auto& p = mState.params;
    if (s.InitPending || p.mode() == Mode::Manual)
        return false;
    LoopValues v;
    Finite controller, rest;
    try {
        terms(p, s, v, controller);
        form(p, s, v, controller);
        plant(p, s, v, rest);
    } catch (const NeedsStages&) {
        return false;
    }
    if (!controller.all() || !rest.all())
        return false;
    store(s, v);
    return true;
}

void Simulator::recordSample(ErrorTrap& t) {
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
        });
        if (i == 0)
            s.SamplesRecorded = 0;
        if (i + 1 > s.SamplesRecorded)
            s.SamplesRecorded = static_cast<std::int16_t>(i + 1);
        if (i >= 0 && i < Recording::kSamples && g >= 0 && g <= 2) {
            rec.TrendTime[g][i] = s.SimTime;
            rec.TrendSamples[g] = static_cast<std::int16_t>(i + 1);
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

void Simulator::advanceTime(ErrorTrap& t) {
    auto& s = mState.sim;
    t([&] {
        s.SimTime = checkFinite(s.SimTime + mState.params.dt);
        mState.rec.SampleTime[s.SampleIndex + 1] = s.SimTime;
    });
}

void Simulator::showStep(ErrorTrap& t) {
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
