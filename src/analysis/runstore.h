#pragma once
// The kept runs: every completed run with all it recorded, the settings it ran with and where it
// was drawn, so a resize can draw the overlays again and the analysis window can compare them.
// Qt-free; the windows are views over it.

#include "analysis/metrics.h"
#include "core/palette.h"
#include "engine/appstate.h"

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

/// The recorded channels of a run, in the order the read-out lists them. PvTrue is the process
/// output before the sensor (PV is what the sensor makes of it), VP the valve position (MV is
/// the command the valve follows). SV2 to D2 are the inner loop of a two-part process: the
/// secondary controller's set-point, its measurement PV2 and its P, I and D terms per gain.
enum class Channel { SV, PV, MV, DV, E, P, I, D, FF, KdDV, DS, PvTrue, VP, SV2, PV2, P2, I2, D2 };
inline constexpr int kChannelCount = 18;
/// Short names of the channels ("SV", "PV", "MV", "DV", "E", "P", "I", "D", "FF", "Kd·DV", "DS",
/// "PVtrue", "VALVE", "SV2", "PV2", "P2", "I2", "D2").
const char* channelName(Channel c);

/// The recorder's value of a signal the loop does not have at a sample (a term the controller's
/// type lacks, the inner loop's signals on a single loop): never drawn, read out or exported.
inline constexpr double kNoSignal = -1000.0;
/// The channels of the inner loop, which only a run on a two-part process has.
constexpr bool isInnerChannel(Channel c) {
    return c >= Channel::SV2;
}

/// Whether a recorded value of channel `c` is a signal: the recorder marks a term or an inner-loop
/// signal the loop has not at a sample with kNoSignal (a controller or structure changed on the
/// way leaves the mark on the samples before).
constexpr bool signalPresent(Channel c, double v) {
    return !(v == kNoSignal && (c == Channel::I || c == Channel::D || isInnerChannel(c)));
}

struct KeptRun;
/// False for a channel the run has not: I and D under P control (which the recorder marks at
/// −1000 to keep them off its strips); an inner-loop channel without one sample of its signal
/// (a single loop's run, SV2 and the terms without a secondary, I2 and D2 of a P secondary).
bool channelInUse(const KeptRun& run, Channel c);

/// One completed (or imported) run.
struct KeptRun {
    int number = 0;        ///< n of "ラン n": 1 for the program's first run
    std::string label;     ///< the lesson step's title, or "ラン n (HH:MM:SS)" in the learner's language
    std::string lesson;    ///< the lesson or project file the run belongs to (empty: the panel's own)
    int step = 0;          ///< its step (0: not a lesson step's run)
    std::string startedAt; ///< local date and time of Start, "YYYY-MM-DD HH:MM:SS"
    std::string source;    ///< the CSV file an imported run was read from (empty: run here)

    ParameterSet params; ///< the settings it ran with: controller, process, mode, programs
    std::int16_t rangeHigh = 100, rangeLow = 0, graphTime = 50;
    std::int16_t mvHigh = 100, mvLow = 0;
    double dt = 0.1;

    /// Clear counts of a run drawn on neither the panel nor the pen recorder (an imported run).
    static constexpr std::uint32_t kNotDrawn = 0xffffffff;
    int graph = 0;                        ///< the panel graph it was drawn on (0 or 1)
    std::uint32_t chartClear = kNotDrawn; ///< Recording::ChartClears when it was drawn
    std::uint32_t penClear = kNotDrawn;   ///< Recording::PenClears when it was drawn
    std::array<Rgb, 4> pens{};            ///< its pens on the panel: SV, PV, DV, MV
    Rgb historyPen = 0;                   ///< its pen on the pen recorder
    double dvOffset = 0;                  ///< DV was drawn at DV + dvOffset on the upper strip

    std::vector<double> time;                              ///< simulated time of each recorded sample, s
    std::vector<double> penTime;                           ///< where the pen recorder placed each sample, s
    std::array<std::vector<double>, kChannelCount> values; ///< per Channel, at the recorded samples
    std::vector<StepSample> steps;                         ///< every step (an imported run: its samples)
    /// The process output before the sensor at each of `steps`, for a run whose sensor acted
    /// (an imported run: its PVtrue column when that differs from PV); else empty.
    std::vector<double> pvTrue;
    /// The inner loop at each of `steps`, for a run on a two-part process (an imported run: from
    /// its SV2 … D2 columns when they hold any value); else empty. −1000 where a signal is absent.
    std::vector<InnerSample> inner;
    RunMetrics metrics;
    bool processHidden = false; ///< run in a challenge that hides its process: never shown or exported

    std::size_t samples() const { return time.size(); }
    double value(Channel c, std::size_t i) const { return values[static_cast<int>(c)][i]; }
};

/// The last kCapacity runs, oldest first. Numbers go on counting when old runs are dropped.
class RunStore {
public:
    static constexpr std::size_t kCapacity = 50;

    /// Keeps `run` (numbered when it has no number yet); returns the kept copy.
    const KeptRun& add(KeptRun run);
    const std::deque<KeptRun>& runs() const { return mRuns; }
    /// The kept run numbered n, or none.
    const KeptRun* find(int number) const;
    /// The number the next run will get.
    int nextNumber() const { return mNext; }
    /// Changes at every add, for views that redraw on a change.
    std::uint64_t revision() const { return mRevision; }

private:
    std::deque<KeptRun> mRuns;
    int mNext = 1;
    std::uint64_t mRevision = 0;
};

/// The run just ended, from the state's record and step trace: its channels, settings, pens and
/// measures. `number` and `label` are the caller's (the label empty: "ラン n (HH:MM:SS)").
KeptRun captureRun(const AppState& state, int number, std::string label);

/// The sample shown at time t (the last one taken by then, as the staircase holds it): none
/// before the first sample or more than half a control period after the last.
std::optional<std::size_t> sampleAt(const KeptRun& run, double t);

/// What limited MV at a step.
enum class LimitState {
    None,
    High,       ///< MV held at MH (velocity forms)
    Low,        ///< MV held at ML
    Rate,       ///< MV's change cut to the rate limit dML
    Excess,     ///< essence-inheriting form: the accumulator stands beyond what MV gives
    OutOfRange, ///< position form (no limits): MV outside 0..100 %
};
/// Name of a limit state as the read-out shows it, in the learner's language ("" for None).
std::string limitName(LimitState s);

/// The limit state at step `k` of a run. In cascade MV is the secondary's output: the flagged
/// limits of either controller show, and MV outside 0..100 % where the secondary has the position
/// form.
LimitState limitAt(const KeptRun& run, std::size_t k);
/// The step shown at time t (the last one at or before t), or none.
std::optional<std::size_t> stepAt(const KeptRun& run, double t);

/// A stretch of time in which one limit state held: [t0, t1), t1 the time of the next step.
struct LimitBand {
    double t0, t1;
    LimitState state;
};
/// The limit X-ray of a run: every stretch in which a limit acted, in time order.
std::vector<LimitBand> limitBands(const KeptRun& run);

/// One line of the settings a run ran with, e.g. "PID 速度形 Kp 2 Ti 10 Td 0 / K 1 T 5 L 2 / 自動";
/// a process other than first order says so ("積分 K 0.05 …", "T2 3"), and the sensor's and the
/// valve's options that act follow it (" / センサ σ 1 Tf 0.5", " / バルブ S 2 J 1"). A two-part
/// process says how it is controlled (" / カスケード 二次 PI 速度型 Kp 2 Ti 1 CAS", the
/// secondary's type, form, settings and mode M, A or CAS; " / 二段プロセス" without the
/// secondary), then its inner part (" / 内側 K 2 T 3 L 0.5", hidden as the process is, and the
/// inner disturbance " Kd 1 Td 2" when it acts). In the learner's language.
std::string settingsSummary(const KeptRun& run);
/// The same line in Japanese whatever the learner's language: the one run files keep.
std::string storedSettingsSummary(const KeptRun& run);

} // namespace kestrel
