#pragma once
// Run control: pacing, Start, Pause, Fast, Clear, the bumpless initialisation Data_inz, the end
// of a run and the learned correction of the pacing interval.

#include "core/messageservice.h"
#include "engine/appstate.h"
#include "engine/errortrap.h"
#include "engine/simulator.h"

#include <string>

namespace kestrel {

/// The panel's range and graph-time texts that run control reads and rewrites.
enum class PanelText { RH, RL, TM };

/// What run control needs of the window that hosts it (the controller panel): its timers, its
/// buttons and texts, its charts and the lesson follow-up. The panel implements it on Qt; tests
/// use a fake with a clock they move by hand.
class RunHost {
public:
    virtual ~RunHost() = default;

    // Timers and the event loop.
    virtual void setPacingInterval(int ms) = 0;
    virtual void setPacingTimerEnabled(bool on) = 0;
    /// One-shot end-of-run timer (100 ms).
    virtual void startEndOfRunTimer() = 0;
    virtual void stopEndOfRunTimer() = 0;
    virtual void stopDisplayTimer() = 0;
    /// Let pending events run.
    virtual void processEvents() = 0;
    /// Wall-clock time in seconds (any epoch).
    virtual double wallClockSeconds() = 0;
    /// End the program at once (the user cancelled a failing step).
    virtual void quitApplication() = 0;

    // Buttons.
    virtual void setStartEnabled(bool on) = 0;
    virtual void setPauseEnabled(bool on) = 0;
    virtual void setFastEnabled(bool on) = 0;
    virtual void setClearEnabled(bool on) = 0;
    virtual void setPrintEnabled(bool on) = 0;
    virtual void setPauseCaption(const std::string& caption) = 0;
    virtual void focusStart() = 0;
    virtual void focusFast() = 0;
    /// The panel's "学習表示" button.
    virtual void setLessonButtonVisible(bool on) = 0;
    virtual void focusLessonButton() = 0;

    // Texts.
    virtual std::string text(PanelText which) = 0;
    virtual void setText(PanelText which, const std::string& text) = 0;
    /// The parameter window's bias field, shown "###.0".
    virtual void showBias(double bA) = 0;
    /// Caption back to "コントローラパネル", lesson annotations hidden.
    virtual void resetCaptionAndNotes() = 0;

    // Charts.
    /// "レンジ自動シフト" is checked.
    virtual bool autoRangeChecked() = 0;
    /// Width of the current graph's upper strip, and of the pen recorder's first strip (twips).
    virtual double chartWidth() = 0;
    virtual double penRecorderWidth() = 0;
    /// Erase both graphs' strips.
    virtual void eraseCharts() = 0;
    /// Draw the grid on both graphs (Pict_inz).
    virtual void Pict_inz() = 0;
    /// Clear the pen recorder's strips and draw their grids.
    virtual void clearPenRecorder() = 0;
    /// Switch the pen recorder's automatic redraw (off during a fast run).
    virtual void setPenRecorderRedraw(bool on) = 0;
    /// Advance the automatic pen colours at the end of a run.
    virtual void PenColorAdvance() = 0;
    /// A run completed (its record and step trace are whole, its pens not yet advanced): the
    /// host may keep it.
    virtual void runCompleted() {}

    // Lessons.
    /// Draw the annotations of the applied lesson step's figure.
    virtual void drawLessonNotes() = 0;
};

/// Stores a key of the settings file's CONFIG section; false when it could not be written.
class SettingsWriter {
public:
    virtual ~SettingsWriter() = default;
    virtual bool writeSetting(const std::string& key, const std::string& value) = 0;
};

/// Run control of the controller panel.
///
/// States: stopped (pacing timer off), live (ticks compute the loop, nothing recorded, time
/// stands), running (time advances, samples recorded), paused (ticks do nothing), fast (steps
/// back to back until the graph time). A run ends when SimTime reaches GraphTime at a pacing
/// tick, when a fast run passes it, or by Clear.
///
/// Pacing interval = 1000·dt - TmHosei ms, at least 10 ms. At the end of each paced run that took
/// less than 3000 s, TmHosei moves by a fifth of the difference between the measured tick period
/// and dt: new = (elapsed/ticks·1000 - dt·1000)·0.2 + TmHosei (single precision), and is written
/// to the settings file when it changed.
class RunControl {
public:
    RunControl(AppState& state, Simulator& simulator, RunHost& host, MessageService& messages,
               SettingsWriter& settings)
        : mState(state), mSim(simulator), mHost(host), mMessages(messages), mSettings(settings) {}

    /// Pacing interval, decimation ratio and chart advances from dt, TmHosei and the graph time.
    void Param_set();
    /// Bumpless initialisation of the loop at the current MV (cascade: at SV point 0): every block
    /// at its steady state, PV = Kpl·MV, bias bA = PV / Kpl. On a two-part process (LOOP 1, 2)
    /// PV2 = Kin·MV, PV = Kpl·PV2, SV2 = PV2, the primary's output and bias at its rest value (PV2
    /// with the secondary, which then has bias bA2 = MV; MV without it). Errors report "  P040".
    void Data_inz();

    /// Start and Clear forget the report memory: every fault is reported once again.
    void Start();
    void Pause();
    void Fast();
    void Clear();

    /// The mode buttons M (0), A (1) and C (2): MODE, the bumpless initialisation when cascade is
    /// chosen from manual, and the pacing timer on, so the loop is live. Errors report "  P030",
    /// "  P029", "  P028".
    void setMode(std::int16_t mode);
    /// The secondary controller's mode buttons M (0), A (1) and CAS (2): MODE2, and the secondary
    /// alone initialised without a bump (its next step at steady state with bias
    /// bA2 = MV - Kp2·(SV2 - PV2), its output held at MV); MV and OP keep their values, Data_inz is
    /// not called. The pacing timer on. Errors report "  P059".
    void setSecondaryMode(std::int16_t mode);
    /// A lesson step that sets manual mode stops the loop (the pacing timer off).
    void stopPacing();
    /// The panel opens: SV from its SV text, PV = SV and MV = PV/Kpl at steady state, the range
    /// and graph time from their texts, Param_set, manual mode, no run. Errors report "  P025".
    void loadPanel(const std::string& svText, const std::string& kplText);

    /// The pacing timer's tick: one step, then the end of the run when SimTime reached GraphTime.
    void PacingTick();
    /// The display timer: the panel's SV and MV texts follow the loop again.
    void DisplayTimerTick();
    /// The end-of-run timer: lesson follow-up and the buttons of a stopped run.
    void EndOfRunTick();

    /// Normalises the range and graph-time texts: RL within -100..200, RH above RL within
    /// -100..200 (both rewritten "###0"), GraphTime = the graph-time text's number within
    /// 10..300 (rewritten "###0"). A range text that is not a number is run-time error 13.
    void RangeNormalise();
    /// Both range texts 15 lower ("###.0"); the chart adopts them at the next Start.
    void ShiftDown();
    /// The chart clear: erase, automatic range texts, Param_set, grid.
    void chartClear();

    /// Pacing interval in ms for a control period and correction (10 ms at the least).
    static int pacingInterval(double dt, float tmHosei);

    /// GraphTime from the graph-time text, within 10..300 s; the text rewritten "###0".
    void adoptGraphTime();

private:
    /// The chart's range end takes the number of its text when they differ; true when it changed.
    bool adoptRangeText(PanelText which, std::int16_t& end);
    /// A range of no width made drawable (ChartState::keepRangeDrawable), its texts rewritten
    /// "###0"; true when it changed.
    bool keepRangeDrawable();
    void endRun();
    /// Both graphs erased; with "レンジ自動シフト" the range texts back to 30..130.
    void eraseChart();
    /// Param_set, then the grid (Pict_inz).
    void drawGrid();
    void correctTimer();
    /// MV, PV, SV and the bias at the steady state of SV (automatic and cascade starts); on a
    /// two-part process PV2 = SV/Kpl (a tank's balance) and MV = PV2/Kin.
    void steadyStateFromSv();
    /// The two-part process and the secondary controller at rest at MV = mv with the inner
    /// measurement pv2; the primary's output at `out` (OP). Sets no primary history but OP.
    void settleTwoPart(double mv, double pv2, double out);
    /// Cascade: DV and SV from point 0 of their programs, each under the trap t.
    void programStartValues(ErrorTrap& t);

    AppState& mState;
    Simulator& mSim;
    RunHost& mHost;
    MessageService& mMessages;
    SettingsWriter& mSettings;
    bool mInTick = false;
};

} // namespace kestrel
