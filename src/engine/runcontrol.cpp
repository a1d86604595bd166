#include "engine/runcontrol.h"

#include "core/convert.h"
#include "core/runtimeerror.h"
#include "core/translate.h"
#include "core/vbformat.h"
#include "engine/errortrap.h"
#include "engine/settingkeys.h"

#include <algorithm>

namespace kestrel {

namespace {

constexpr double kLongestMeasuredRun = 3000.0; // s; longer runs (a long pause) teach nothing

/// MV and balance a tank is cleared to, %: mid travel, room to fill and to drain.
constexpr double kTankBalance = 50.0;

/// The noise generator's seed: NOISE_SEED as the whole number it holds, within 0..16777215.
std::uint64_t noiseSeed(const ParameterSet& p) {
    const double seed = std::clamp(p.NOISE_SEED, 0.0, 16777215.0);
    return seed == seed ? static_cast<std::uint64_t>(seed) : 1; // a NaN seeds as the base set
}

/// A range text read through "##0.0" as a single-precision number.
float readRangeText(const std::string& text) {
    return toSingle(formatText(text, "##0.0"));
}

} // namespace

int RunControl::pacingInterval(double dt, float tmHosei) {
    const double ms = checkFinite(1000.0 * dt - static_cast<double>(tmHosei));
    // A correction read from an edited settings file may lie far outside what runs produce.
    if (ms > 32767.0)
        return 32767;
    // Rounded first (ties to even), then the floor: 10.5 ms gives 10, 10.6 ms gives 11.
    if (ms <= 10.5)
        return 10;
    return toInt16(ms);
}

void RunControl::Param_set() {
    auto& s = mState.sim;
    auto& chart = mState.chart;
    const double dt = mState.params.dt;
    ErrorTrap t(mMessages, "  P039");
    t([&] { mHost.setPacingInterval(pacingInterval(dt, s.TmHosei)); });
    t([&] {
        if (chart.GraphTime == 0 || dt == 0.0)
            throw RuntimeError::divisionByZero();
        s.DecimationRatio = toInt16(chart.GraphTime / dt / 500.0 + 1.0);
    });
    t([&] { chart.PenAdvance = checkFinite(mHost.chartWidth() * dt / chart.GraphTime); });
    t([&] { chart.PenRecAdvance = checkFinite(mHost.penRecorderWidth() * dt / chart.GraphTime); });
}

void RunControl::Data_inz() {
    auto& s = mState.sim;
    auto& p = mState.params;
    Display& display = mSim.display();
    ErrorTrap t(mMessages, "  P040", mState.chart.Reported);

    s.InitPending = true;
    if (p.mode() == Mode::Cascade)
        t([&] { s.SV[0] = checkFinite(val(p.SVv[0])); });
    const double mv = s.MV[0];
    // On a two-part process the outer part's input is the inner measurement PV2 = Kin·MV, and
    // the primary's output rests at PV2 with the secondary in the loop (MV without it).
    const bool twoPart = p.twoPart();
    double pv2 = mv;
    if (twoPart)
        t([&] { pv2 = checkFinite(p.Kin * mv); });
    const double out = p.cascadeLoop() ? pv2 : mv;
    s.SV[1] = s.SV[0];
    s.MvCtrl.set(out);
    s.MV[1] = mv;
    s.MvInt.set(out);
    // PV starts where the process settles for this MV, so the first step does not jump when the
    // process gain is not 1; the bias PV / Kpl is then MV. The disturbance stays out, as in every
    // other steady state the loop starts from: with it the bias would carry Kds·DV and shift
    // where the loop settles. A tank settles at any level: it keeps PV and stands still at
    // the balance B = MV (PV2 on a two-part process).
    const bool tank = p.processType() == ProcessType::Integrating;
    if (!tank)
        t([&] { s.PV.set(checkFinite(p.Kpl * pv2)); });
    s.PvTrue.set(s.PV[0]);

    const double sv = s.SV[0];
    s.SvLag.set(sv);
    s.SvFilt.set(sv);
    double e = 0.0;
    t([&] { e = checkFinite(sv - s.PV[0]); });
    for (History* h : {&s.Ep, &s.P, &s.I, &s.PI, &s.Ed, &s.Dk})
        h->set(e);
    s.D.set(0.0);

    t([&] {
        if (tank) {
            p.Balance = pv2;
            p.bA = out;
            return;
        }
        if (twoPart) {
            p.bA = out;
            return;
        }
        if (p.Kpl == 0.0)
            throw RuntimeError::divisionByZero();
        p.bA = checkFinite(s.PV[0] / p.Kpl);
    });
    t([&] { s.MvPos.set(checkFinite(s.PI[0] + s.D[0] + p.bA)); });

    const double dv = s.DV[0];
    s.DV[1] = dv;
    History* const dvPaths[] = {&s.FfIn, &s.FfLag, &s.FfOut, &s.DistIn, &s.DistOut};
    for (History* h : dvPaths)
        h->set(dv);
    History* const valve[] = {&s.ValveDb, &s.ValveBl, &s.ValveSt, &s.VP, &s.ProcIn};
    for (History* h : valve)
        h->set(mv);
    s.PlantIn.set(pv2);
    s.PlantOut.set(pv2);
    s.Stick.fill({true, 0, mv});
    s.PlantLag.set(tank ? 0.0 : pv2);
    if (tank)
        s.PlantOut.set(s.PV[0]);
    s.FfDelayed.fill(dv, 200);
    s.PlantDelayed.fill(pv2, 200);
    s.DistDelayed.fill(dv, 200);
    if (twoPart)
        settleTwoPart(mv, pv2, out);

    t([&] { mSim.showValues(); });
    t([&] { mHost.showBias(p.bA); });
    t([&] { display.PvBarUpdate(); });
    t([&] { display.SvPointerUpdate(); });
    t([&] { display.DvPointerUpdate(); });
    t([&] { display.PvBarUpdate(); });
    t([&] { display.MvSliderUpdate(); });
}

void RunControl::steadyStateFromSv() {
    auto& s = mState.sim;
    auto& p = mState.params;
    // A tank stands still at any level: PV = SV with the inflow balanced at mid travel.
    const bool tank = p.processType() == ProcessType::Integrating;
    if (p.Kpl == 0.0 && !tank)
        throw RuntimeError::divisionByZero();
    s.SV[1] = s.SV[0];
    // On a two-part process the outer part settles SV from PV2 = SV/Kpl (a tank's balance), the
    // inner part PV2 from MV = PV2/Kin.
    const bool twoPart = p.twoPart();
    const double in = tank ? kTankBalance : checkFinite(s.SV[0] / p.Kpl);
    const double mv = twoPart ? checkFinite(in / p.Kin) : in;
    const double out = p.cascadeLoop() ? in : mv;
    s.MV.set(mv);
    mSim.display().MvSliderUpdate();
    s.PV.set(s.SV[0]);
    s.PvTrue.set(s.SV[0]);
    s.MvCtrl[1] = out;
    s.MvInt[1] = out;
    s.InitPending = true;
    if (tank) {
        s.PlantOut.set(s.SV[0]);
        p.Balance = kTankBalance;
        p.bA = p.FB != 0.0 ? (twoPart ? out : p.Balance) : 0.0;
    } else {
        p.bA = p.FB != 0.0 ? (twoPart ? out : checkFinite(s.PV[0] / p.Kpl)) : 0.0;
    }
    if (twoPart)
        settleTwoPart(mv, in, out);
    mHost.showBias(p.bA);
}

void RunControl::settleTwoPart(double mv, double pv2, double out) {
    auto& s = mState.sim;
    auto& p = mState.params;
    const double dv = s.DV[0];
    s.OP.set(out);
    s.PV2.set(pv2);
    s.SV2.set(pv2);
    s.InnerIn.set(pv2);
    s.InnerOut.set(pv2);
    s.InnerDelayed.fill(pv2, 200);
    s.InnerDistIn.set(dv);
    s.InnerDistOut.set(dv);
    // The secondary at rest: no error, its output MV, its bias MV.
    s.SvLag2.set(pv2);
    s.SvFilt2.set(pv2);
    for (History* h : {&s.Ep2, &s.P2, &s.I2, &s.PI2, &s.Ed2, &s.Dk2, &s.D2, &s.MvExcess2})
        h->set(0.0);
    for (History* h : {&s.MvCtrl2, &s.MvInt2, &s.MvPos2})
        h->set(mv);
    p.bA2 = mv;
    s.SecondaryHeld = 0;
    s.InitPending2 = true;
}

void RunControl::programStartValues(ErrorTrap& t) {
    auto& s = mState.sim;
    const auto& p = mState.params;
    t([&] { s.DV[0] = checkFinite(val(p.DVv[0])); });
    t([&] { s.SV[0] = checkFinite(val(p.SVv[0])); });
}

void RunControl::RangeNormalise() {
    // The high end must stay above the low one: a range of zero width cannot be drawn.
    const float lowest = std::clamp(readRangeText(mHost.text(PanelText::RL)), -100.0f, 199.0f);
    mHost.setText(PanelText::RL, formatNumber(lowest, "###0"));

    const float low = readRangeText(mHost.text(PanelText::RL));
    float high = readRangeText(mHost.text(PanelText::RH));
    if (high < -100.0f)
        high = -100.0f;
    if (high <= low)
        high = low + 1.0f;
    if (high > 200.0f)
        high = 200.0f;
    mHost.setText(PanelText::RH, formatNumber(high, "###0"));

    adoptGraphTime();
}

void RunControl::adoptGraphTime() {
    // A graph time that is not a number counts as 0 and becomes the shortest time.
    double tm = val(mHost.text(PanelText::TM));
    if (!(tm >= 10.0))
        tm = 10.0;
    if (tm > 300.0)
        tm = 300.0;
    mState.chart.GraphTime = toInt16(tm);
    mHost.setText(PanelText::TM, formatNumber(mState.chart.GraphTime, "###0"));
}

bool RunControl::adoptRangeText(PanelText which, std::int16_t& end) {
    const double v = toDouble(mHost.text(which));
    if (v == end)
        return false;
    end = toInt16(v);
    return true;
}

bool RunControl::keepRangeDrawable() {
    auto& chart = mState.chart;
    if (!chart.keepRangeDrawable())
        return false;
    mHost.setText(PanelText::RH, formatNumber(chart.RH, "###0"));
    mHost.setText(PanelText::RL, formatNumber(chart.RL, "###0"));
    return true;
}

void RunControl::ShiftDown() {
    ErrorTrap t(mMessages, "  P032", mState.chart.Reported);
    t([&] {
        mHost.setText(PanelText::RH, formatNumber(toDouble(mHost.text(PanelText::RH)) - 15.0, "###.0"));
    });
    t([&] {
        mHost.setText(PanelText::RL, formatNumber(toDouble(mHost.text(PanelText::RL)) - 15.0, "###.0"));
    });
}

void RunControl::eraseChart() {
    mHost.eraseCharts();
    if (mHost.autoRangeChecked()) {
        mHost.setText(PanelText::RL, "30");
        mHost.setText(PanelText::RH, "130");
    }
}

void RunControl::drawGrid() {
    Param_set();
    mHost.Pict_inz();
}

void RunControl::chartClear() {
    eraseChart();
    drawGrid();
}

void RunControl::Start() {
    auto& s = mState.sim;
    auto& p = mState.params;
    auto& chart = mState.chart;
    Display& display = mSim.display();
    ErrorTrap t(mMessages, "  P021");
    chart.Reported.forget(); // a new run reports its faults anew, once each
    if (p.mode() == Mode::Cascade)
        Data_inz();
    t([&] { RangeNormalise(); });

    bool changed = false;
    t([&] {
        const double advance = checkFinite(mHost.chartWidth() * p.dt / chart.GraphTime);
        if (advance != chart.PenAdvance) {
            chart.PenAdvance = advance;
            changed = true;
        }
    });
    t([&] { changed |= adoptRangeText(PanelText::RH, chart.RH); });
    t([&] { changed |= adoptRangeText(PanelText::RL, chart.RL); });
    changed |= keepRangeDrawable();
    const bool autoRange = mHost.autoRangeChecked();
    if (changed && !autoRange) {
        Clear();
        t([&] { mHost.clearPenRecorder(); });
    }

    t([&] { display.SvPointerUpdate(); });
    mHost.setStartEnabled(false);
    mHost.setPauseEnabled(true);
    mHost.setFastEnabled(true);
    mHost.setLessonButtonVisible(false);
    mHost.setPrintEnabled(false);

    s.Running = true;
    s.Paused = false;
    mHost.setPauseCaption(KESTREL_TR("RunControl", "ポーズ"));
    mHost.focusFast();
    s.DecimationCount = 0;
    if (autoRange)
        ShiftDown();

    if (p.mode() == Mode::Cascade) {
        programStartValues(t);
        t([&] { steadyStateFromSv(); });
    }

    s.SimTime = 0.0;
    // The run's noise is the seed's whatever ran live before: two runs of a step draw alike.
    s.NoiseGen.seed(noiseSeed(p));
    // Every step of the run is kept for its measures: room for a run of the longest graph time at
    // the shortest period (15,000 steps) is made once, a longer one grows as it goes.
    mState.trace.restart(p.dt, 15'002);
    s.TickCount = 0;
    s.RunStart = mHost.wallClockSeconds();
    s.Running = true;
    mHost.setPacingTimerEnabled(true);

    t([&] {
        const double span = chart.RH - chart.RL;
        const double v = span < 40.0 ? intFloor(span / 25.0 + 0.99) * 2.5 + chart.RL
                                     : intFloor(span / 50.0 + 0.99) * 5.0 + chart.RL;
        chart.DvOffset = checkFinite(v - s.DV[0]);
    });
    t([&] { display.DvPointerUpdate(); });
    s.SampleIndex = 0;
    s.SamplesRecorded = 0;
}

void RunControl::Pause() {
    auto& s = mState.sim;
    ErrorTrap t(mMessages, "  P022");
    const bool resume = s.Paused;
    s.Running = resume;
    s.Paused = !resume;
    t([&] {
        mHost.setPauseCaption(resume ? KESTREL_TR("RunControl", "ポーズ") : KESTREL_TR("RunControl", "再開"));
    });
}

void RunControl::Fast() {
    auto& s = mState.sim;
    auto& chart = mState.chart;
    Display& display = mSim.display();
    ErrorTrap t(mMessages, "  P023", chart.Reported);

    // A run already started (Start pressed, no step taken yet) is not started a second time,
    // which would shift an automatic range twice. Pause stays available: it is how a learner
    // stops a fast run where it stands.
    const bool started = s.Running || s.Paused;
    s.Running = true;
    mHost.setPauseEnabled(true);
    mHost.setFastEnabled(false);
    s.Paused = false;
    mHost.setPauseCaption(KESTREL_TR("RunControl", "ポーズ"));

    if (s.SimTime == 0.0 && !started)
        Start();
    t([&] { mHost.setPenRecorderRedraw(false); });

    while (s.SimTime <= chart.GraphTime) {
        if (!mSim.MainCalc()) {
            mHost.quitApplication();
            return;
        }
        mHost.processEvents();
        if (!s.Running) {
            // Pause, Clear or the end of the run came in between; the recorder draws again.
            t([&] { mHost.setPenRecorderRedraw(true); });
            return;
        }
    }

    s.SimTime = 0.0;
    t([&] { mHost.setPenRecorderRedraw(true); });

    // Only the samples of this run: the slots after them may still hold an earlier run's.
    for (std::int16_t i = 0; i < s.SamplesRecorded; ++i) {
        s.SampleIndex = i;
        t([&] { display.Line_draw1(i); });
        t([&] { display.Line_draw2(i); });
        if (t.ended())
            break;
    }

    s.Running = false;
    chart.DvOffset = 0.0;
    t([&] { display.DvPointerUpdate(); }); // the pointer leaves the offset level with it
    t([&] { mHost.runCompleted(); });
    t([&] { mHost.PenColorAdvance(); });
    mHost.startEndOfRunTimer();
}

void RunControl::Clear() {
    auto& s = mState.sim;
    auto& p = mState.params;
    auto& chart = mState.chart;
    Display& display = mSim.display();
    ErrorTrap t(mMessages, "  P024");

    chart.Reported.forget();
    s.Running = false;
    // A cleared run is over: a run started next from the panel must not take a lesson figure.
    mState.study.SimExecDone = false;
    mState.rec.forgetTrends(); // what the chart clear erases is not replayed after a resize
    // Clearing a paused run ends it: the Pause button goes off, so the loop must not stay frozen.
    s.Paused = false;
    chart.DvOffset = 0.0;
    mHost.setStartEnabled(true);
    mHost.focusStart();
    t([&] { RangeNormalise(); });
    mHost.setPauseEnabled(false);
    mHost.setPauseCaption(KESTREL_TR("RunControl", "ポーズ"));

    if (p.mode() == Mode::Cascade)
        programStartValues(t);
    if (p.mode() != Mode::Manual)
        t([&] { steadyStateFromSv(); });

    Data_inz();

    // The grid is drawn for the range the chart takes on from the texts.
    t([&] { eraseChart(); });
    t([&] { adoptRangeText(PanelText::RH, chart.RH); });
    t([&] { adoptRangeText(PanelText::RL, chart.RL); });
    keepRangeDrawable();
    t([&] { drawGrid(); });
    t([&] { mHost.resetCaptionAndNotes(); });
    t([&] { display.SvPointerUpdate(); });
    t([&] { display.DvPointerUpdate(); });
    mHost.setFastEnabled(false);
}

void RunControl::setMode(std::int16_t mode) {
    static constexpr const char* kCodes[] = {"  P030", "  P029", "  P028"};
    if (mode < static_cast<int>(Mode::Manual) || mode > static_cast<int>(Mode::Cascade))
        return;
    ErrorTrap t(mMessages, kCodes[mode], mState.chart.Reported);
    if (static_cast<Mode>(mode) == Mode::Cascade && mState.params.mode() == Mode::Manual)
        t([&] { Data_inz(); });
    mState.params.MODE = mode;
    t([&] { mHost.setPacingTimerEnabled(true); });
}

void RunControl::setSecondaryMode(std::int16_t mode) {
    if (mode < static_cast<int>(SecondaryMode::Manual) || mode > static_cast<int>(SecondaryMode::Cascade))
        return;
    auto& s = mState.sim;
    auto& p = mState.params;
    ErrorTrap t(mMessages, "  P059", mState.chart.Reported);
    // Only the secondary starts again: its next step at steady state for the set-point it will
    // see, its bias such that its output is MV. MV, OP and the primary keep what they hold.
    const double sv2 = static_cast<SecondaryMode>(mode) == SecondaryMode::Cascade ? s.OP[0] : s.SV2[0];
    t([&] { p.bA2 = checkFinite(s.MV[0] - p.Kp2 * (sv2 - s.PV2[0])); });
    for (History* h : {&s.MvCtrl2, &s.MvInt2})
        h->set(s.MV[0]);
    s.MvExcess2.set(0.0);
    s.InitPending2 = true;
    p.MODE2 = mode;
    t([&] { mHost.setPacingTimerEnabled(true); });
}

void RunControl::stopPacing() {
    mHost.setPacingTimerEnabled(false);
}

void RunControl::loadPanel(const std::string& svText, const std::string& kplText) {
    auto& s = mState.sim;
    auto& chart = mState.chart;
    ErrorTrap t(mMessages, "  P025", chart.Reported);
    chart.Reported.forget();
    t([&] { s.SV[0] = toDouble(svText); });
    t([&] { mState.params.Kpl = toDouble(kplText); });
    s.SV[1] = s.SV[0];
    s.PV.set(s.SV[0]);
    s.PvTrue.set(s.SV[0]);
    t([&] {
        const auto& p = mState.params;
        double in = kTankBalance;
        if (p.processType() != ProcessType::Integrating) {
            if (p.Kpl == 0.0)
                throw RuntimeError::divisionByZero();
            in = checkFinite(s.PV[0] / p.Kpl);
        }
        if (!p.twoPart()) {
            s.MV.set(in);
            return;
        }
        s.MV.set(checkFinite(in / p.Kin));
        settleTwoPart(s.MV[0], in, p.cascadeLoop() ? in : s.MV[0]);
    });
    t([&] { mSim.display().MvSliderUpdate(); });
    t([&] { chart.RH = toInt16(toDouble(mHost.text(PanelText::RH))); });
    t([&] { chart.RL = toInt16(toDouble(mHost.text(PanelText::RL))); });
    keepRangeDrawable();
    t([&] { adoptGraphTime(); });
    chart.MvStripHigh = 100;
    chart.MvStripLow = 0;
    Param_set();
    mState.params.setMode(Mode::Manual);
    s.Running = false;
    s.Paused = false;
    s.SvDisplayLive = true;
    s.MvDisplayLive = true;
    s.SimTime = 0.0;
}

void RunControl::PacingTick() {
    // A message box opened by a step runs its own event loop; ticks arriving meanwhile wait.
    if (mInTick)
        return;
    mInTick = true;
    auto& s = mState.sim;

    mHost.processEvents();
    if (!mSim.MainCalc()) {
        mInTick = false;
        mHost.quitApplication();
        return;
    }
    if (s.SimTime >= mState.chart.GraphTime)
        endRun();
    if (s.TickCount < 32767)
        ++s.TickCount;
    mInTick = false;
}

void RunControl::endRun() {
    auto& s = mState.sim;
    s.SimTime = 0.0;
    s.Running = false;
    mState.chart.DvOffset = 0.0;
    // The pointer leaves the offset level with it, or a drag would add the offset to DV.
    mSim.display().DvPointerUpdate();

    mHost.setStartEnabled(true);
    mHost.startEndOfRunTimer();
    mHost.setPauseEnabled(false);
    mHost.setClearEnabled(true);
    mHost.setPrintEnabled(true);
    try {
        mHost.runCompleted();
        mHost.PenColorAdvance();
        correctTimer();
    } catch (const RuntimeError&) {
        // The pacing tick has no error report of its own; a failed correction keeps the old one.
    }
}

void RunControl::correctTimer() {
    auto& s = mState.sim;
    if (s.TickCount <= 0)
        return; // no paced tick to measure (the run ended before the first one)
    const double elapsed = mHost.wallClockSeconds() - s.RunStart;
    if (!(elapsed < kLongestMeasuredRun))
        return;
    const double dtMs = mState.params.dt * 1000.0;
    const float corrected = toFloat((elapsed / s.TickCount * 1000.0 - dtMs) * 0.2 + s.TmHosei);
    if (corrected == s.TmHosei)
        return;
    s.TmHosei = corrected;
    mSettings.writeSetting(settingKey(Setting::PacingCorrection), singleText(corrected));
    mHost.setPacingInterval(pacingInterval(mState.params.dt, s.TmHosei));
}

void RunControl::DisplayTimerTick() {
    auto& s = mState.sim;
    ErrorTrap t(mMessages, "  P043");
    t([&] { mHost.stopDisplayTimer(); });
    s.SvDisplayLive = true;
    s.MvDisplayLive = true;
}

void RunControl::EndOfRunTick() {
    auto& study = mState.study;
    mHost.stopEndOfRunTimer();
    mHost.processEvents();
    try {
        if (study.StepNo == 0) {
            mHost.focusStart();
        } else if (!study.NoteId.empty()) {
            mHost.drawLessonNotes();
            mHost.setLessonButtonVisible(true);
            mHost.focusLessonButton();
            mMessages.beep();
        }
    } catch (const RuntimeError&) {
        // The lesson follow-up is a convenience; a failure there must not keep the buttons off.
    }
    // The run that set the flag has ended, whether or not it had a figure: a later run started
    // from the panel must not take a lesson figure.
    study.SimExecDone = false;
    mHost.setStartEnabled(true);
    mHost.setClearEnabled(true);
    mHost.setPrintEnabled(true);
    mHost.setPauseEnabled(false);
}

} // namespace kestrel
