#pragma once
// The replay of a lesson or project without windows: the study session's start-up and open, and
// for each step that makes settings "ﾊﾟﾗﾒｰﾀ設定", "学習表示" and "ｼﾐｭﾚｰｼｮﾝ実行" with the run
// stepped back to back to its end. What it adds to the session is headless only: the console
// messages, the recording display, the stepping and the CSV.

#include "analysis/metrics.h"
#include "core/messageservice.h"
#include "engine/appstate.h"
#include "engine/display.h"
#include "session/studysession.h"
#include "setup/controlloop.h"
#include "setup/headlesspanel.h"
#include "setup/setupdocument.h"

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

/// One recorded sample as the CSV shows it: time, SV, PV, DV, MV (the trend channels), the pen
/// channels E, P, I, D, FF, Kd·DV, DS, then the process output before the sensor (PvTrue) and the
/// valve position, then the inner loop's SV2, PV2, P2, I2, D2 (−1000 where the loop has not the
/// signal).
using SampleRow = std::array<double, 19>;
/// The first column of a SampleRow that belongs to the inner loop.
inline constexpr std::size_t kFirstInnerColumn = 14;

struct RunRecord {
    int step = 0;
    std::string title;
    std::vector<SampleRow> rows;
    std::string figure;  ///< NOTES of the step (the figure the run is annotated with)
    int chart = 0;       ///< the charts were cleared this many times before the run: runs with the
                         ///< same number were drawn over one another
    double dvOffset = 0; ///< DV is drawn on the upper strip at DV + dvOffset
    int rangeHigh = 100, rangeLow = 0, graphTime = 50;
    RunMetrics metrics; ///< measured on every step of the run
};

/// Messages of a run without windows: written to standard error, after the step they belong to
/// ("手順1: ..."); errors of the step are answered with Retry, questions with Yes. Every message
/// and every Retry/Cancel is an error report and is counted.
class ConsoleMessages : public MessageService {
public:
    void showMessage(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    bool askRetryCancel(const std::string& text) override;
    void beep() override {}

    /// Questions are answered with Yes unless told otherwise (the learner's "いいえ").
    void answerQuestions(bool yes) { mYes = yes; }

    /// The step the following messages belong to; 0 before the first step.
    void setStep(int step) { mStep = step; }
    /// Errors reported so far.
    int errors() const { return mErrors; }

private:
    std::string prefix() const;

    int mStep = 0;
    int mErrors = 0;
    bool mYes = true;
};

/// True when `file` can be replayed: a readable profile file (sections in brackets, no binary
/// content). Otherwise `problem` says why in one line.
bool checkLessonFile(const std::filesystem::path& file, std::string& problem);

class Replay {
public:
    /// Lessons and the base set from `folders.data`, settings and projects in `folders.user`.
    explicit Replay(AppFolders folders);
    /// Everything in the application folder `appDir`.
    explicit Replay(const std::filesystem::path& appDir) : Replay(AppFolders::portable(appDir)) {}
    ~Replay();

    /// Opens `file` as the study window does; the first open starts as the program does, a
    /// later one opens the lesson in the running program, with whatever the earlier ones left.
    void open(const std::filesystem::path& file, bool project);
    /// Number of steps with a title (the end page is the first step without one).
    int lastStep() const { return mSession->lastStep(); }
    /// After `open`: replays steps 1..upTo; returns with `all` every run, otherwise the run on the
    /// chart after step upTo: the run of the latest step at or before upTo that made settings
    /// (none when no step did).
    std::vector<RunRecord> run(int upTo, bool all);
    /// The step on screen as the learner takes it: when it makes settings "ﾊﾟﾗﾒｰﾀ設定",
    /// "学習表示" and "ｼﾐｭﾚｰｼｮﾝ実行", the run stepped back to back to its end; its record.
    /// Nothing for a step without settings.
    std::optional<RunRecord> takeStep();
    /// Errors reported while opening and replaying (apply failures, run-time errors of the runs).
    int errors() const { return mMessages.errors(); }
    /// One line: the lesson title, the steps run and the figure of the last step.
    std::string summary() const;

    AppState& state() { return *mState; }
    SetupDocument& document() { return *mDocument; }
    StudySession& session() { return *mSession; }
    ConsoleMessages& messages() { return mMessages; }

private:
    class Recorder;
    class Host;

    /// The samples of the run just ended, with what the chart showed it on.
    RunRecord record(int step, const std::string& title, double dvOffset) const;

    std::unique_ptr<AppState> mState;
    ConsoleMessages mMessages;
    std::unique_ptr<SetupDocument> mDocument;
    class Panel;
    std::unique_ptr<Panel> mPanel;
    std::unique_ptr<Recorder> mDisplay;
    std::unique_ptr<ControlLoop> mLoop;
    std::unique_ptr<Host> mHost;
    std::unique_ptr<StudySession> mSession;
    std::string mTitle;
    std::vector<std::string> mStepsRun;
    std::string mFigure;
    bool mStarted = false;
};

/// CSV with the header `time,SV,PV,DV,MV,E,P,I,D,FF,KdDV,DS,PVtrue,VALVE,SV2,PV2,P2,I2,D2`, one
/// row per sample; with all runs (`onlyStep` empty) a first column `run` holds the step number.
/// Numbers in the shortest form that reads back to the same double; a signal of the inner loop
/// that the run has not (all five on a single loop) is an empty cell, as in the run CSV.
void writeCsv(std::ostream& out, const std::vector<RunRecord>& runs, std::optional<int> onlyStep);

/// One JSON object per run (only `onlyStep`'s when given) with its step number, its title as
/// label and its measures: {"run":N,"label":"…","IAE":…,"ISE":…,"ITAE":…,"mv_travel":…,
/// "time_at_limit":…,"offset":…,"sv_step":{"t0":…,"size":…,"pv_change":…,"overshoot_pct":…,
/// "rise_time":…,"settling_time":…|null,"peak_time":…}|null,"dv_step":{"t0":…,
/// "peak_deviation":…,"peak_time":…}|null}.
void writeMetrics(std::ostream& out, const std::vector<RunRecord>& runs, std::optional<int> onlyStep);

/// Makes `language` (the value of --lang) the replay's: for English the lessons and challenges
/// come from Study/en and the messages from the compiled English translation. False, with the
/// reason in `problem`, when the translation cannot be read.
bool chooseLanguage(AppFolders& folders, std::string_view language, std::string& problem);

} // namespace kestrel
