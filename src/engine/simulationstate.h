#pragma once
// SimulationState, the recording arrays and the chart state: what the step keeps from one step
// to the next, what it records, and the chart settings it records with.

#include "core/palette.h"
#include "engine/history.h"
#include "engine/reportmemory.h"

#include <array>
#include <cstdint>
#include <random>

namespace kestrel {

/// Signals of the loop as two-slot histories (slot 0 = step k, slot 1 = step k-1), in percent.
struct SimulationState {
    History SV, PV, DV, MV;
    History MvCtrl;          ///< controller output before the feedforward is subtracted
    LagHistory SvLag;        ///< first stage of the set-point filter (a lag)
    History SvFilt;          ///< second stage of the set-point filter (a lead)
    History Ep, Ed;          ///< error of P and I (filtered SV), error of D (α·γ·SV)
    History P, I, PI, Dk, D; ///< terms; Dk = Kp·Ed is the derivative input
    History MvPos;           ///< position-form output PI + D + bA
    History MvInt, MvExcess; ///< unlimited accumulator of the essence-inheriting form, MvInt - MvCtrl
    History FfIn;
    LagHistory FfLag;
    History FfOut;
    /// Valve stages: after the deadband, after the backlash, after the stiction; VP is the valve
    /// position after its lag, which drives the process.
    History ValveDb, ValveBl, ValveSt;
    LagHistory VP;
    History ProcIn, PlantIn;
    LagHistory PlantLag; ///< the Tpl stage of the second-order and integrating processes
    LagHistory PlantOut;
    History DistIn;
    LagHistory DistOut;
    History PvTrue; ///< the process output PlantOut + DistOut; PV is what the sensor makes of it

    /// The two-part process and the secondary controller (LOOP 1 and 2). OP is the primary
    /// controller's output MvCtrl - FfOut: the secondary's set-point in cascade (LOOP 1), MV
    /// itself on the single loop of the two-part process (LOOP 2).
    History OP;
    History SV2, PV2; ///< the secondary's set-point and measurement (the inner part's output)
    LagHistory SvLag2;
    History SvFilt2, Ep2, Ed2, P2, I2, PI2, Dk2, D2, MvPos2, MvCtrl2, MvInt2, MvExcess2;
    History InnerIn; ///< Kin·ProcIn, the inner part's input
    LagHistory InnerOut;
    History InnerDistIn; ///< Kdin·DV
    LagHistory InnerDistOut;
    /// Where the secondary's output stands at one of its limits after a step: +1 at MH2, -1 at ML2,
    /// 0 within them. The primary's integral does not move towards a limit the secondary holds.
    std::int8_t SecondaryHeld = 0;
    /// The next step initialises the secondary alone (its mode changed): its blocks at their
    /// steady state, its output held at MV.
    bool InitPending2 = false;
    /// Every history of the two-part process and the secondary, OP first.
    std::array<History*, 20> twoPartHistories();

    /// The stiction stage's memory: stuck or moving, where it stuck (u_s), the direction of its
    /// last slip (-1, 0, +1); slot 0 for step k, slot 1 for step k-1, like the histories.
    struct ValveStick {
        bool stuck = true;
        std::int8_t dir = 0;
        double at = 0.0;
    };
    std::array<ValveStick, 2> Stick{};

    /// The process output before the sensor, and the valve position, of the step last computed,
    /// whichever options act (without a sensor PvTrue is PV, without valve stages VP is MV).
    double pvTrue() const { return Extras & kSensorExtra ? PvTrue[0] : PV[0]; }
    double valvePosition() const { return Extras & kValveExtra ? VP[0] : MV[0]; }
    /// The primary controller's output as the panel shows and sets it: OP when a secondary
    /// controller is in the loop, MV otherwise.
    double& primaryOutput(bool cascadeLoop) { return cascadeLoop ? OP[0] : MV[0]; }
    double primaryOutput(bool cascadeLoop) const { return cascadeLoop ? OP[0] : MV[0]; }

    /// What the step computes beyond the ideal loop: the valve stages, the sensor (noise or
    /// filter), the Tpl stage of the second-order and integrating processes. Set at every step.
    /// kTwoPartExtra: the process has two parts (LOOP 1 or 2).
    static constexpr unsigned kValveExtra = 1, kSensorExtra = 2, kLaggedExtra = 4, kTwoPartExtra = 8;
    /// While the valve stages are off the step writes none of them (the valve position is MV) and
    /// they stand still; switched on, they start at rest at MV. The Tpl stage switched on goes on
    /// from the first-order process's output. `LastExtras` is the last step's `Extras`.
    unsigned Extras = 0, LastExtras = 0;

    /// Measurement noise: the generator (seeded at every Start) and this step's standard normal
    /// draw, 0 while no run is running.
    std::mt19937_64 NoiseGen{1};
    double NoiseZ = 0.0;

    DeadTimeBuffer FfDelayed, PlantDelayed, DistDelayed, InnerDelayed;

    bool Running = false; ///< a recording run is in progress
    bool Paused = false;
    bool InitPending = false; ///< the next step settles every block at its steady state
    bool LimitHit = false;    ///< a velocity-form limit acted in this step (either controller's)
    bool LimitHit2 = false;   ///< it was the secondary controller's

    double SimTime = 0.0;         ///< simulated time of the run, s
    std::int16_t SampleIndex = 0; ///< slot of the next recorded sample, 0..500
    /// Slots 0..SamplesRecorded-1 hold the samples of the current record; a recording that
    /// starts again at slot 0 (Start) starts a new record. Replays draw exactly these, never a
    /// slot left over from an earlier run.
    std::int16_t SamplesRecorded = 0;
    std::int16_t DecimationRatio = 1; ///< steps per regular sample
    std::int16_t DecimationCount = 0;
    std::int16_t TickCount = 0; ///< pacing ticks since Start, stops at 32767
    double RunStart = 0.0;      ///< wall-clock time of Start, s
    float TmHosei = 0.0f;       ///< learned pacing correction, ms

    bool SvDisplayLive = true; ///< the step rewrites the panel's SV text
    bool MvDisplayLive = true; ///< the step rewrites the panel's MV text

    /// Every history's slot 1 = slot 0; the valve's, the sensor's and the Tpl stage's only when
    /// they acted in this step (`Extras`).
    void shiftAll();
};

/// Recorded samples of a run: at most 501 per run (slots 0..500).
struct Recording {
    static constexpr int kSamples = 501;
    static constexpr int kTrendChannels = 5; // SV, PV, DV, MV, (unused)
    static constexpr int kPenChannels = 18;

    std::array<double, 3001> SampleTime{};
    /// TrendData[graph][channel][sample]: channels 0 SV, 1 PV, 2 DV, 3 MV.
    std::array<std::array<std::array<double, kSamples>, kTrendChannels>, 3> TrendData{};
    /// PenData[plane][channel][sample]: SV, Ep, P, I, D, MV, DV, FfOut, Kd·DV, DistOut, PV, then
    /// the process output before the sensor (PvTrue) and the valve position (VP), then the
    /// secondary's SV2, PV2 and its P, I and D terms (per gain, as the primary's; -1000 for a
    /// term its type lacks; SV2 = PV2 and the terms 0 on a loop without the secondary).
    std::array<std::array<std::array<double, kSamples>, kPenChannels>, 2> PenData{};

    /// What each graph's trend chart replays after a resize: the times of its latest record's
    /// samples, how many there are, and the DV drawing offset the record was drawn with. Each
    /// graph keeps its own, so a replay never mixes one graph's times with another's traces.
    std::array<std::array<double, kSamples>, 3> TrendTime{};
    std::array<std::int16_t, 3> TrendSamples{};
    std::array<double, 3> TrendDvOffset{};
    /// The number of the kept run each graph's record is (0: not kept, a run still going on).
    std::array<int, 3> TrendRun{};
    int PenRun = 0; ///< likewise for the pen recorder's record
    /// How often the panel's charts and the pen recorder's strips were cleared: the kept runs
    /// drawn since the last clear are drawn again after a resize.
    std::uint32_t ChartClears = 0, PenClears = 0;
    /// No graph has anything to replay (the panel closed, the lesson moved on).
    void forgetTrends() {
        TrendSamples.fill(0);
        ++ChartClears;
    }
};

/// Chart state of the controller panel, shared by the step, run control and the charts.
struct ChartState {
    std::int16_t CurrentGraph = 0; ///< selected graph, 0 or 1
    double PenAdvance = 0.0;       ///< trend-chart drawing units per step
    double PenRecAdvance = 0.0;    ///< pen-recorder drawing units per step
    double DvOffset = 0.0;         ///< added to DV when it is drawn, %
    /// Pen colour choice of the panel's list (0..4: white, yellow, magenta, red, cyan).
    std::int16_t PenChoice = 0;
    std::array<std::array<Rgb, 5>, 3> PenColor{};
    Rgb HistoryPenColor = rgb(255, 255, 255);
    std::int16_t GraphTime = 50;   ///< graph display time, s (10..300)
    std::int16_t RH = 100, RL = 0; ///< range of the upper strip, %
    std::int16_t MvStripHigh = 100, MvStripLow = 0;
    /// Display options of the learner's settings: the pens drawn in their colour-safe colours
    /// (penShown), and overlaid runs told apart by line style (runLineStyle).
    bool SafeColours = false, RunLineStyles = false;
    /// Errors already reported by the step, the panel and the pen recorder (see ReportMemory).
    ReportMemory Reported;

    /// The scales divide by RH - RL: a range of zero or negative width (equal range texts, or
    /// texts that are no number) cannot be drawn. Such a range becomes RL, kept within -100..199,
    /// to RL + 1, as the range texts are normalised; a drawable range stays as it is. True when
    /// the range changed.
    bool keepRangeDrawable() {
        if (RH > RL)
            return false;
        if (RL < -100)
            RL = -100;
        if (RL > 199)
            RL = 199;
        RH = static_cast<std::int16_t>(RL + 1);
        return true;
    }
};

} // namespace kestrel
