#pragma once
// The simulation step MainCalc: advances the closed loop by exactly one control period.

#include "core/messageservice.h"
#include "engine/appstate.h"
#include "engine/display.h"
#include "engine/errortrap.h"
#include "engine/programs.h"
#include "engine/steptrace.h"

#include <random>

namespace kestrel {

/// A standard normal draw from two of the generator's numbers (Box-Muller).
double standardNormal(std::mt19937_64& gen);

/// The closed loop, one step at a time.
///
/// One step (nothing at all while Paused):
///  1. in cascade mode during a run, SV and DV from their programs at SimTime;
///  2. unless manual: the controller (set-point filter, P, I, D, form) gives MvCtrl, the
///     feedforward gives FfOut, MV = MvCtrl - FfOut; in manual mode MV is as the operator set it
///     (no controller, no feedforward);
///  3. the valve: MV passes the deadband, the backlash, the stiction and the valve lag (each only
///     when set), giving the valve position VP; ProcIn = VP + Kd·DV (in manual mode ProcIn = VP);
///  4. process on ProcIn by type: Kpl·e^(-Lpl·s)/(1+Tpl·s), a second lag 1/(1+Tpl2·s) after it, or
///     the integrating tank, whose lagged inflow Kpl·(ProcIn - B) is summed (unchanged in the
///     initialising step, limited to ±10000); disturbance path Kds·e^(-Lds·s)/(1+Tds·s) on DV;
///     PvTrue = PlantOut + DistOut, and the measured PV = Lag(PvTrue + σ·z, Tf), z a standard
///     normal draw taken before the loop while a run is running (0 otherwise);
///  4a. on a two-part process (LOOP 1 and 2) the process input passes the inner part first:
///     PV2 = Kin·e^(-Lin·s)/(1+Tin·s)·ProcIn + Kdin/(1+Tdin·s)·DV, and the process of 4 takes PV2
///     (ProcIn = VP + Kd·DV in every mode). With LOOP 1 the primary's output is OP = MvCtrl - FfOut
///     (in manual mode as the operator set it), and the secondary controller makes MV: SV2 is OP
///     in its cascade mode, its own set-point in automatic, PV2 of the step before in manual; in
///     automatic and cascade it runs the controller below with α = β = γ = 1 and η = 0.1 on its
///     own type, form, parameters and limits (manual: MV as set). Outside its cascade mode the
///     primary tracks it: OP = SV2, MvCtrl = MvInt = SV2 + FfOut (the position form's I such that
///     PI + D + bA = MvCtrl). While the secondary holds MV at MH2 or ML2 the primary's integral
///     does not move towards that limit. With LOOP 2 MV = OP;
///  5. during a run: a sample every DecimationRatio steps and at every step in which a
///     velocity-form limit acted (slots 0..500, the last slot overwritten once full), drawn with
///     Line_draw1 and Line_draw2; SimTime advances by dt;
///  6. PV bar, MV slider (not in manual), the panel texts; every history shifts; InitPending ends.
///
/// Controller (automatic and cascade), with T1 = β·Ti or 0.0001 s when that is 0:
///   SvLag  = FirstOrderLag(SV, T1)       SvFilt = LeadStage(SvLag, α·T1)
///   Ep = SvFilt + FB·PV                  Ed = α·γ·SV + FB·PV
///   P = Kp·Ep   I = Integrator(P, Ti)    PI = P + I
///   Dk = Kp·Ed  D = IncompleteDerivative(Dk, Td, η)     MvPos = PI + D + bA
/// Forms: position MvCtrl = MvPos (no limits); velocity MvCtrl[k] = MvCtrl[k-1] + dP + dI + dD,
/// then MH, ML and the rate limit dML in that order; essence-inheriting: an unlimited accumulator
/// MvInt takes dP + dD and dI unless dI has the opposite sign to the stored excess, the output
/// moves towards MvInt within MH, ML and dML. The increments are 0 in the first step after an
/// initialisation, and the essence-inheriting output then holds its stored value exactly.
///
/// Every statement runs under the step's error trap: a run-time error (a non-finite result, an
/// index out of range) offers Retry, which goes on with the next statement, and Cancel; an error
/// already offered since the last Start, Clear or setting applied is not offered again, the step
/// goes on as after Retry. A failed statement stores nothing, so no history, record or drawing
/// ever holds a NaN or an infinity. The program evaluations report each of their errors once in
/// the same way.
///
/// The loop (steps 2 to 4) is first run straight through, without a check per statement: the
/// values it stores are looked at once when it ends, and only a value that a comparison or a
/// limit would hide is checked where it appears. When any is not finite or any statement fails,
/// that attempt is taken back and the loop runs statement by statement under the trap. Both runs
/// are the same code and the same arithmetic, so a step gives bit for bit the same state either
/// way. Taking the attempt back relies on the step's own bookkeeping: between steps each signal
/// the loop computes holds its value in both slots (the step ends with a shift, the
/// initialisation sets both), except MV and PV, which the panel and the tests may set alone; the
/// attempt saves those, the set-point filter's slots 1, the stiction stage's memory and the
/// dead-time registers' positions. The noise draw is taken before either run, so both see it.
class Simulator {
public:
    Simulator(AppState& state, Display& display, MessageService& messages)
        : mState(state), mDisplay(display), mMessages(messages) {}

    /// One step. Returns false when the user answered an error with Cancel: the caller then ends
    /// the program.
    bool MainCalc();

    /// SV[k] from the SV program at SimTime, then SvPointerUpdate. Errors report "  P051".
    void SvProgramEval();
    /// DV[k] from the DV program at SimTime, then DvPointerUpdate. Errors report "  P052".
    void DvProgramEval();

    /// The panel's SV, MV and PV texts (SV and MV only while they are not being edited).
    void showValues();

    Display& display() { return mDisplay; }

    /// Every step statement by statement under the trap, without the straight attempt (the
    /// reference the attempt is compared with).
    void setCheckEachStatement(bool on) { mCheckEachStatement = on; }

private:
    // The loop's stages, in their order. Each statement runs through `t`: the step's trap with a
    // check of every value (Trapped), or straight through gathering whether all were finite
    // (Straight).
    template <class Statements> void loop(Statements& t);
    /// The loop of a two-part process (LOOP 1 and 2): the primary, the secondary controller in
    /// cascade, the valve, the inner part, the outer part, the sensor.
    template <class Statements> void twoPartLoop(Statements& t);
    /// The secondary controller's step (LOOP 1): SV2 by its mode, its terms and form, MV, where
    /// it holds a limit, the primary tracking it outside cascade.
    template <class Statements> void secondary(Statements& t);
    /// One controller's terms and form: the primary's or the secondary's (PidView). The form
    /// returns whether a limit acted.
    template <class Statements, class Pid> void controllerTerms(Statements& t, const Pid& c);
    template <class Statements, class Pid> bool controllerForm(Statements& t, const Pid& c);
    template <class Statements> void feedforward(Statements& t);
    /// The valve stages when they act (true: ProcIn takes VP), nothing otherwise.
    template <class Statements> bool valve(Statements& t);
    template <class Statements> void valveStages(Statements& t);
    /// The process (its input `in`: ProcIn, or PV2 for the outer part of a two-part process), the
    /// disturbance path and PV.
    template <class Statements> void processAndDisturbance(Statements& t, double in);
    template <class Statements> void laggedProcess(Statements& t, double in);
    template <class Statements> void measurement(Statements& t);
    template <class Statements> void sensor(Statements& t);
    /// The loop run straight through; false (and the state as before) when it has to run again
    /// under the trap.
    template <class Pass> bool loopStraight(Pass straight);
    /// What the step computes beyond the ideal loop (SimulationState's extras), with this step's
    /// noise draw; called only when the loop is not ideal.
    [[gnu::noinline]] unsigned prepareExtras();

    // The rest of the step, under the step's trap t.
    void recordSample(ErrorTrap& t);
    /// The secondary's pen channels of recorded sample i, and its step's inner sample.
    void recordInner(int i);
    InnerSample innerSample() const;
    /// The run's trace beyond the step samples: PvTrue while the sensor acted, the inner loop
    /// while the process has two parts (each, once begun, to the end of the run).
    [[gnu::noinline]] void traceExtras();
    void advanceTime(ErrorTrap& t);
    void showStep(ErrorTrap& t);

    /// One program at SimTime into slot 0 of `signal`, then its pointer on the panel.
    void programEval(const ProgramTexts& values, const ProgramTexts& times, History& signal, const char* code,
                     void (Display::*pointerUpdate)());

    AppState& mState;
    Display& mDisplay;
    MessageService& mMessages;
    bool mCheckEachStatement = false;
};

} // namespace kestrel
