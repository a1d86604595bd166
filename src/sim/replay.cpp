#include "sim/replay.h"

#include "analysis/runstore.h"
#include "core/qmcatalog.h"
#include "core/translate.h"
#include "core/vbformat.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <utility>

namespace kestrel {

namespace {

/// A run never needs more steps than the longest graph time at the shortest period; the cap
/// only guards against a state that would never end.
constexpr long kMaxStepsPerRun = 1'000'000;

} // namespace

std::string ConsoleMessages::prefix() const {
    return mStep > 0 ? "kestrel-sim: " + trArgs(KESTREL_TR("Replay", "手順%1: "), {std::to_string(mStep)})
                     : "kestrel-sim: ";
}

void ConsoleMessages::showMessage(const std::string& text) {
    ++mErrors;
    std::cerr << prefix() << text << '\n';
}

bool ConsoleMessages::askYesNo(const std::string& text) {
    std::cerr << prefix() << text << (mYes ? " (yes)\n" : " (no)\n");
    return mYes;
}

bool ConsoleMessages::askRetryCancel(const std::string& text) {
    ++mErrors;
    std::cerr << prefix() << text << " (retry)\n";
    return true;
}

/// The panel without a window; counts the chart clears, so runs drawn over one another are known.
class Replay::Panel : public HeadlessPanel {
public:
    using HeadlessPanel::HeadlessPanel;
    void eraseCharts() override { ++clears; }
    int clears = 0;
};

/// Draws nothing; remembers how many sample slots the run filled.
class Replay::Recorder : public NullDisplay {
public:
    void Line_draw1(std::int16_t i) override { mSamples = std::max(mSamples, i + 1); }
    void reset() { mSamples = 0; }
    int samples() const { return mSamples; }

private:
    int mSamples = 0;
};

bool checkLessonFile(const std::filesystem::path& file, std::string& problem) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        problem = "no such file: " + file.string();
        return false;
    }
    if (!std::filesystem::is_regular_file(file, ec)) {
        problem = "not a file: " + file.string();
        return false;
    }
    constexpr std::uintmax_t kLargest = 4u << 20;
    if (std::filesystem::file_size(file, ec) > kLargest) {
        problem = "too large for a lesson or project file: " + file.string();
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        problem = "cannot read " + file.string();
        return false;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    bool section = false;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string_view line(bytes.data() + start, end - start);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (line.size() >= 2 && line.front() == '[' && line.find(']') != std::string_view::npos)
            section = true;
        start = end + 1;
    }
    if (bytes.find('\0') != std::string::npos || !section) {
        problem = "not a lesson or project file (no [section] lines of a profile file): " + file.string();
        return false;
    }
    return true;
}

/// The front end without windows: only the pacing timer is there to be started.
class Replay::Host : public NullStudyHost {
public:
    explicit Host(HeadlessPanel& panel) : mPanel(panel) {}
    void startPacing() override { mPanel.setPacingTimerEnabled(true); }

private:
    HeadlessPanel& mPanel;
};

Replay::Replay(AppFolders folders) : mState(std::make_unique<AppState>()) {
    mDocument = std::make_unique<SetupDocument>(*mState, mMessages, std::move(folders));
    mPanel = std::make_unique<Panel>(*mDocument);
    mDisplay = std::make_unique<Recorder>();
    // The replay takes no wall time; it must not teach the pacing correction anything.
    mLoop = std::make_unique<ControlLoop>(*mState, mMessages, *mDocument, *mDisplay, *mPanel,
                                          ControlLoop::Settings::Discarded);
    mHost = std::make_unique<Host>(*mPanel);
    mSession = std::make_unique<StudySession>(*mState, *mDocument, *mLoop, mMessages, *mHost);
}

Replay::~Replay() = default;

void Replay::open(const std::filesystem::path& file, bool project) {
    if (!std::exchange(mStarted, true)) {
        mSession->loadPanel();
        mSession->startup();
    }
    mSession->open(file, project);
    mTitle = mSession->readTexts().title1;
}

std::vector<RunRecord> Replay::run(int upTo, bool all) {
    std::vector<RunRecord> runs;
    for (int k = 1; k <= upTo; ++k) {
        if (k > 1)
            mSession->nextStep();
        auto record = takeStep();
        if (!record)
            continue; // the learner only presses "次へ" here
        // Without `all` only the latest run is kept: it is the one on the chart after step upTo.
        if (!all)
            runs.clear();
        runs.push_back(std::move(*record));
    }
    return runs;
}

std::optional<RunRecord> Replay::takeStep() {
    const int k = mState->study.StepNo;
    mMessages.setStep(k);
    const StepTexts texts = mSession->showTexts();
    if (!mSession->describeStep().hasSettings)
        return std::nullopt;

    // "ﾊﾟﾗﾒｰﾀ設定", then "学習表示" of the main window.
    mSession->applyStep();
    mDocument->applyAll();

    // "ｼﾐｭﾚｰｼｮﾝ実行": a run stepped back to back until it ends as a paced run ends.
    mDisplay->reset();
    mSession->runStep();
    const double dvOffset = mState->chart.DvOffset;
    for (long n = 0; mState->sim.Running && n < kMaxStepsPerRun && !mPanel->quitRequested(); ++n)
        mLoop->run().PacingTick();
    mSession->runEnded();

    mStepsRun.push_back(std::to_string(k) + " " + texts.title2);
    mFigure = mState->study.NoteId;
    return record(k, texts.title2, dvOffset);
}

RunRecord Replay::record(int step, const std::string& title, double dvOffset) const {
    RunRecord record;
    record.step = step;
    record.title = title;
    record.figure = mState->study.NoteId;
    record.chart = mPanel->clears;
    record.dvOffset = dvOffset;
    record.rangeHigh = mState->chart.RH;
    record.rangeLow = mState->chart.RL;
    record.graphTime = mState->chart.GraphTime;
    record.metrics = measureRun(mState->trace.steps, mState->trace.dt, mState->trace.pvTrue);
    const auto& rec = mState->rec;
    const int g = mState->chart.CurrentGraph;
    const auto& pen = rec.PenData[0];
    for (int i = 0; i < mDisplay->samples(); ++i)
        record.rows.push_back({rec.SampleTime[i], rec.TrendData[g][0][i], rec.TrendData[g][1][i],
                               rec.TrendData[g][2][i], rec.TrendData[g][3][i], pen[1][i], pen[2][i],
                               pen[3][i], pen[4][i], pen[7][i], pen[8][i], pen[9][i], pen[11][i], pen[12][i],
                               pen[13][i], pen[14][i], pen[15][i], pen[16][i], pen[17][i]});
    return record;
}

std::string Replay::summary() const {
    std::string line = "lesson: " + mTitle + "; steps run:";
    if (mStepsRun.empty())
        line += " none";
    for (std::size_t i = 0; i < mStepsRun.size(); ++i)
        line += (i ? ", " : " ") + mStepsRun[i];
    if (!mFigure.empty())
        line += "; figure: " + mFigure;
    return line;
}

void writeCsv(std::ostream& out, const std::vector<RunRecord>& runs, std::optional<int> onlyStep) {
    const bool withRun = !onlyStep.has_value();
    out << (withRun ? "run," : "") << "time,SV,PV,DV,MV,E,P,I,D,FF,KdDV,DS,PVtrue,VALVE,SV2,PV2,P2,I2,D2\n";
    for (const auto& run : runs) {
        if (onlyStep && run.step != *onlyStep)
            continue;
        // A row is put together first and written at once: a long replay writes many rows.
        const std::string prefix = withRun ? std::to_string(run.step) + "," : "";
        std::string line;
        for (const auto& row : run.rows) {
            line = prefix;
            for (std::size_t c = 0; c < row.size(); ++c) {
                if (c)
                    line += ',';
                if (c < kFirstInnerColumn || row[c] != kNoSignal)
                    line += shortestText(row[c]);
            }
            line += '\n';
            out.write(line.data(), static_cast<std::streamsize>(line.size()));
        }
    }
}

namespace {

/// A JSON string: quotes, backslashes and control characters escaped, UTF-8 as it is.
std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(c));
            out += code;
        } else {
            out += c;
        }
    }
    return out + '"';
}

/// "name":number, the number in the shortest form that reads back to the same double.
std::string field(const char* name, double value) {
    return std::string("\"") + name + "\":" + shortestText(value);
}

} // namespace

void writeMetrics(std::ostream& out, const std::vector<RunRecord>& runs, std::optional<int> onlyStep) {
    for (const auto& run : runs) {
        if (onlyStep && run.step != *onlyStep)
            continue;
        const RunMetrics& m = run.metrics;
        out << "{\"run\":" << run.step << ",\"label\":" << jsonString(run.title) << ',' << field("IAE", m.iae)
            << ',' << field("ISE", m.ise) << ',' << field("ITAE", m.itae) << ','
            << field("mv_travel", m.mvTravel) << ',' << field("time_at_limit", m.timeAtLimit) << ','
            << field("offset", m.offset) << ",\"sv_step\":";
        if (const auto& sv = m.svStep) {
            out << '{' << field("t0", sv->t0) << ',' << field("size", sv->size) << ','
                << field("pv_change", sv->pvChange) << ',' << field("overshoot_pct", sv->overshootPct) << ','
                << field("rise_time", sv->riseTime)
                << ",\"settling_time\":" << (sv->settlingTime ? shortestText(*sv->settlingTime) : "null")
                << ',' << field("peak_time", sv->peakTime) << '}';
        } else {
            out << "null";
        }
        out << ",\"dv_step\":";
        if (const auto& dv = m.dvStep)
            out << '{' << field("t0", dv->t0) << ',' << field("peak_deviation", dv->peakDeviation) << ','
                << field("peak_time", dv->peakTime) << '}';
        else
            out << "null";
        out << "}\n";
    }
}

bool chooseLanguage(AppFolders& folders, std::string_view language, std::string& problem) {
    folders.language = languageFrom(language);
    if (!folders.english()) {
        installTranslator({});
        return true;
    }
    if (!installCatalog(folders.translationFile())) {
        problem = "cannot read the English translation " + folders.translationFile().string();
        return false;
    }
    return true;
}

} // namespace kestrel
