// Fidelity of the lessons of the study menu: clean CP932 profile files with known keys, replayed
// without a message, each figure drawn once and its marks on the traces as in the book. The tuning
// lessons (9.5, 10.5 (1), 11.5.9) also show what their text says.

#include "core/vbformat.h"
#include "setup/cp932.h"
#include "setup/fieldtable.h"
#include "setup/modinifile.h"
#include "setup/profilelines.h"
#include "sim/replay.h"
#include "study/annotations.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;
using namespace kestrel;

namespace {

constexpr int kTime = 0, kSv = 1, kPv = 2, kDv = 3, kMv = 4;

// A callout or marker must start on the trace it marks (PV on the PV chart, MV on the MV chart)
// within one control period of its time; a dimension arrow must measure a value a trace takes
// where the arrow stands (percentage points).
constexpr double kAnchorTolerance = 0.3;
constexpr double kAnchorWindow = 0.1; // s
constexpr double kLevelTolerance = 0.5;

/// Callouts of 9.5 that the shared experiment cannot meet: steps 3 to 7 run the same SV step for
/// every tuning rule, and the SV step time that puts the P run's trough under (12, 52.8) and the
/// PI run on (9, 56.1) (about 2 s) moves the set-point-tracking CHR run 0.55 below its callout at
/// (8, 55), which the 1-s step meets. They stand within 0.5 and 0.7 of their PV.
struct KnownMiss {
    const char* figure;
    double t, v, within;
};
constexpr KnownMiss kKnownMisses[] = {{"9.5-3", 12, 52.8, 0.5}, {"9.5-4", 9, 56.1, 0.7}};

// Sample times add up the control period and may carry a rounding error of a few ulps.
constexpr double kTimeSlack = 1e-9;

const std::string kLessons[] = {"C0501071.txt", "C0501072.txt", "C050207.txt", "C050306.txt", "C0703041.txt",
                                "C0703042.txt", "C0703043.txt", "C090500.txt", "C100501.txt", "C110509.txt",
                                "C120100.txt",  "C120200.txt",  "C130100.txt"};

/// Numbers a figure states in its text: the annotated run's trace takes this value at t.
struct NamedValue {
    const char* figure;
    int column;
    double t, value, tolerance;
};
constexpr NamedValue kNamedValues[] = {{"5.1.7(1)-1", kPv, 40, 52.6, 0.2},
                                       {"5.1.7(2)-1", kPv, 40, 52.8, 0.2}};

/// Levels the step test (figure 9.5-1) measures away from where its mark stands. The ΔPV and ΔMV
/// arrows stand at t = 29 s but measure from the values before the step (PV 40 %, MV 50 %), and the
/// marker lines of its 63.2 % construction run from t = 3.5 s and 7 s to 9 s at the levels PV leaves
/// and crosses at t = 8 s. For these a trace of the chart has to take the value somewhere in the
/// run; every other level is measured where it stands.
struct Away {
    NoteChart chart;
    double t, v;
};
constexpr Away kLevelsAway[] = {{NoteChart::Pv, 29, 40},  {NoteChart::Mv, 29, 50}, {NoteChart::Pv, 8, 40},
                                {NoteChart::Pv, 3.5, 40}, {NoteChart::Pv, 9, 40},  {NoteChart::Pv, 7, 49.9},
                                {NoteChart::Pv, 9, 49.9}};

// The process as the 9.5 step test reads it off (figure 9.5-1): gain ΔPV/ΔMV, dead time and time
// constant. The tuning rules are applied to these readings, not to the simulated process.
constexpr double kGain = 15.8 / 19.8;
constexpr double kDeadTime = 2.0; // s
constexpr double kLag = 5.0;      // s

// Half a control period (0.1 s) tells samples apart despite rounding in their summed times.
constexpr double kHalfPeriod = 0.05;
/// A step-response tuning rule: Kp = kp·T/(K·L), Ti = tiL·L + tiT·T, Td = td·L.
struct Rule {
    double kp, tiL, tiT, td;
};
// Ziegler–Nichols P, PI, PID; Chien–Hrones–Reswick PID for 0 % overshoot (set point, disturbance).
constexpr Rule kZnP{1, 0, 0, 0}, kZnPI{0.9, 3.3, 0, 0}, kZnPID{1.2, 2, 0, 0.5}, kChrSetPoint{0.6, 0, 1, 0.5},
    kChrDisturbance{0.95, 2.4, 0, 0.42};

using profile::foldedName;
const auto trimBlanks = &profile::trimProfileBlanks;

/// The keys a step section may hold; names compare without regard to ASCII case.
const std::set<std::string>& stepKeys() {
    static const std::set<std::string> keys = [] {
        std::set<std::string> k = {"title2",    "text2",     "notes",    "type_select", "fb",
                                   "calc_type", "mode",      "rh",       "rl",          "auto_range",
                                   "auto_pen",  "pen_color", "graph_tm", "svv0",        "dvv0"};
        for (const auto& f : kFields)
            k.insert(foldedName(f.key));
        for (const auto& f : kDetailFields)
            k.insert(foldedName(f.key));
        k.insert(foldedName(kProcTypeKey));
        for (const auto& f : kSecondaryFields)
            k.insert(foldedName(f.key));
        for (const char* key : {kLoopKey, kSecondaryTypeKey, kSecondaryCalcKey, kSecondaryModeKey})
            k.insert(foldedName(key));
        for (int i = 1; i <= 8; ++i)
            for (const char* p : {"svt", "svv", "dvt", "dvv"})
                k.insert(p + std::to_string(i));
        return k;
    }();
    return keys;
}

/// The step number of a section named as the study session names its steps ("手順N"), or nothing.
std::optional<int> stepNumber(const std::string& section) {
    for (int n = 1; n < 100; ++n)
        if (section == StudySession::sectionName(n))
            return n;
    return std::nullopt;
}

/// The value a trace shows at time t: the last sample taken by then.
std::optional<double> valueAt(const RunRecord& run, double t, int column, double offset = 0.0) {
    std::optional<double> v;
    for (const auto& row : run.rows) {
        if (row[kTime] > t + kTimeSlack)
            break;
        v = row[column] + offset;
    }
    return v;
}

/// The distance from v to the trace nearest to it at t, among the run and the runs drawn before it on
/// the same chart (same clear count). On the PV chart that is SV, PV and DV drawn at DV + offset; on the
/// MV chart it is MV. With `anywhere`, every sample of those traces counts, not only the one shown
/// at t.
double nearestTrace(const std::vector<RunRecord>& runs, const RunRecord& annotated, NoteChart chart, double t,
                    double v, bool anywhere) {
    const std::vector<int> traces = chart == NoteChart::Pv ? std::vector{kSv, kPv, kDv} : std::vector{kMv};
    double best = INFINITY;
    for (const auto& run : runs) {
        if (run.chart != annotated.chart || run.step > annotated.step)
            continue;
        for (int column : traces) {
            const double offset = column == kDv ? run.dvOffset : 0.0;
            std::vector<double> values;
            if (anywhere)
                for (const auto& row : run.rows)
                    values.push_back(row[column] + offset);
            else if (const auto value = valueAt(run, t, column, offset))
                values.push_back(*value);
            for (double value : values)
                best = std::min(best, std::abs(value - v));
        }
    }
    return best;
}

/// How far v lies from the values a trace takes within kAnchorWindow of t (the trace drawn as
/// straight lines between its samples).
double offTrace(const RunRecord& run, int column, double t, double v) {
    double low = INFINITY, high = -INFINITY;
    for (std::size_t i = 0; i < run.rows.size(); ++i) {
        const auto& row = run.rows[i];
        const bool inside = std::abs(row[kTime] - t) <= kAnchorWindow + kTimeSlack;
        const bool spans = i + 1 < run.rows.size() && row[kTime] < t && run.rows[i + 1][kTime] > t;
        if (inside || spans) {
            low = std::min(low, row[column]);
            high = std::max(high, row[column]);
        }
        if (spans) {
            const auto& next = run.rows[i + 1];
            low = std::min(low, next[column]);
            high = std::max(high, next[column]);
        }
    }
    return v < low ? low - v : v > high ? v - high : 0.0;
}

/// Every lesson of the menu, read and replayed once.
struct LessonData {
    std::string file;
    fs::path path;
    std::vector<RunRecord> runs;
    std::string messages; ///< what the replay wrote to standard error
    int last = 0;         ///< the last step with a title
};

class LessonFidelity : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // An application folder with the settings file and the Study folder as the program ships them.
        sFolder = std::make_unique<test::TempFolder>("kestrel-lessons");
        sApp = sFolder->path();
        fs::copy_file(fs::path(KESTREL_DATA_DIR) / "Kestrel.ini", sApp / "Kestrel.ini");
        fs::copy(fs::path(KESTREL_DATA_DIR) / "Study", sApp / "Study", fs::copy_options::recursive);
        // Every lesson file, those of the menu and any added later: all but the base set and the template.
        const auto files = test::namesIn(sApp / "Study");
        for (const std::string& file : kLessons)
            EXPECT_TRUE(files.count(file)) << file;
        for (const std::string& file : files) {
            if (file == "ParaInz.txt" || file == "BASE.txt" || fs::is_directory(sApp / "Study" / file))
                continue; // the base set, the template, and folders (the challenges)
            sData.push_back(replayed(file, sApp / "Study" / file));
            // Its English edition, which the program reads in place of it when it runs in English.
            if (fs::exists(sApp / "Study" / "en" / file))
                sEnglish.push_back(replayed("en/" + file, sApp / "Study" / "en" / file));
        }
    }

    static LessonData replayed(const std::string& file, const fs::path& path) {
        LessonData d{file, path, {}, {}};
        ::testing::internal::CaptureStderr();
        {
            Replay replay(sApp);
            replay.open(d.path, false);
            d.last = replay.lastStep();
            d.runs = replay.run(d.last, true);
        }
        d.messages = ::testing::internal::GetCapturedStderr();
        return d;
    }

    /// The runs of a present lesson annotated with `figures`, in their order.
    static std::vector<const RunRecord*> runsOf(const std::string& file,
                                                std::initializer_list<const char*> figures) {
        std::vector<const RunRecord*> found;
        for (const LessonData& d : sData)
            for (const char* figure : figures)
                for (const RunRecord& r : d.runs)
                    if (d.file == file && r.figure == figure && !r.rows.empty())
                        found.push_back(&r);
        EXPECT_EQ(found.size(), figures.size()) << "a figure without its run in " << file;
        found.resize(figures.size(), nullptr);
        return found;
    }

    static inline std::unique_ptr<test::TempFolder> sFolder;
    static inline fs::path sApp;
    /// The lessons and their English editions, for the checks both must pass.
    static std::vector<std::reference_wrapper<const LessonData>> bothEditions() {
        std::vector<std::reference_wrapper<const LessonData>> all(sData.begin(), sData.end());
        all.insert(all.end(), sEnglish.begin(), sEnglish.end());
        return all;
    }

    static inline std::vector<LessonData> sData;
    static inline std::vector<LessonData> sEnglish; ///< the English editions, file "en/<name>"
};

TEST_F(LessonFidelity, CleanCp932FilesWhoseStepsWithSettingsRunWithoutAMessage) {
    Cp932Codec codec;
    for (const LessonData& d : bothEditions()) {
        SCOPED_TRACE(d.file);
        const std::string bytes = test::readBytes(d.path), utf8 = codec.toUtf8(bytes);
        const auto encoded = codec.fromUtf8(utf8);
        EXPECT_TRUE(encoded && *encoded == bytes) << "not valid CP932: the text does not encode back";
        std::string bare = bytes;
        for (auto at = bare.find("\r\n"); at != std::string::npos; at = bare.find("\r\n", at))
            bare.erase(at, 2);
        EXPECT_EQ(bare.find_first_of("\r\n"), std::string::npos) << "a line end other than CR LF";
        EXPECT_TRUE(bytes.ends_with("\r\n")) << "the last line has no CR LF";
        EXPECT_EQ(d.messages, "");
        for (const RunRecord& run : d.runs)
            for (const auto& row : run.rows)
                for (double v : row)
                    ASSERT_TRUE(std::isfinite(v)) << "step " << run.step << " at t = " << row[kTime];

        // The text split into sections and keys as the profile reader splits it: whatever the reader
        // would skip, or read differently from what the author wrote, is a fault of the file.
        std::string section;
        std::optional<int> step;
        std::set<std::string> sections, keys;
        std::map<int, bool> settings; // per step: a value beyond its texts and figure
        std::map<int, std::set<std::string>> stepKeysSet;
        std::istringstream in(utf8);
        for (std::string raw; std::getline(in, raw);) {
            const std::string_view line = trimBlanks(raw);
            const auto eq = line.find('=');
            if (line.empty() || line.front() == ';')
                continue;
            if (line.front() == '[' && line.find(']') != std::string_view::npos) {
                section = trimBlanks(line.substr(1, line.rfind(']') - 1));
                step = stepNumber(section);
                EXPECT_TRUE(sections.insert(foldedName(section)).second) << section << " again: never read";
                EXPECT_TRUE(step || section == "説明") << "unknown section [" << section << "]";
                if (step)
                    settings[*step] = false;
                keys.clear();
                continue;
            }
            if (section.empty() || eq == std::string_view::npos) {
                ADD_FAILURE() << "neither a section nor a key=value line: " << line;
                continue;
            }
            const std::string key = foldedName(trimBlanks(line.substr(0, eq)));
            const std::string value(trimBlanks(line.substr(eq + 1)));
            const std::string where = key + " in [" + section + "]";
            const bool known = step ? stepKeys().count(key) > 0 : key == "title1" || key == "text1";
            EXPECT_TRUE(known) << "unknown " << where;
            EXPECT_TRUE(keys.insert(key).second) << where << " again: only the first is read";
            if (step)
                stepKeysSet[*step].insert(key);
            // The reader gives back what was written: not cut at 1023 bytes, no quotes taken off.
            EXPECT_EQ(ReadProfileValue(d.path, section, key), value) << where;
            if (step && key != "title2" && key != "text2" && key != "notes")
                settings[*step] = settings[*step] || !value.empty();
        }

        // Steps are numbered 1, 2, ... and nothing follows the end page (the first step without a
        // title), since the study window never shows it. The study window prompts for
        // "ﾊﾟﾗﾒｰﾀ設定" where the description finds settings; the replay runs just those steps, and
        // only their runs end with a figure.
        int expected = 1;
        for (const auto& [number, makesSettings] : settings) {
            const std::string name = StudySession::sectionName(number);
            SCOPED_TRACE(name);
            EXPECT_EQ(number, expected++) << "step sections are not numbered 1.." << settings.size();
            if (ReadProfileValue(d.path, name, "TITLE2").empty()) {
                EXPECT_EQ(number, static_cast<int>(settings.size())) << "steps after the end page";
                continue;
            }
            const auto ran = std::find_if(d.runs.begin(), d.runs.end(),
                                          [n = number](const RunRecord& r) { return r.step == n; });
            EXPECT_EQ(ran != d.runs.end(), makesSettings);
            EXPECT_TRUE(ran == d.runs.end() || !ran->rows.empty()) << "the run records nothing";
            EXPECT_TRUE(makesSettings || ReadProfileValue(d.path, name, "NOTES").empty())
                << "a figure never drawn";
            // A step that makes settings sets every key, so it runs the same however the learner
            // arrives at it (after the noise lesson, say).
            for (const std::string& key : stepKeys())
                EXPECT_TRUE(!makesSettings || key == "notes" || stepKeysSet[number].count(key))
                    << key << " not set";
        }
        EXPECT_FALSE(ReadProfileValue(d.path, "説明", "TITLE1").empty());
        EXPECT_FALSE(ReadProfileValue(d.path, "説明", "TEXT1").empty());
    }
}

TEST_F(LessonFidelity, EveryFigureIsDrawnByOneRunThatPassesThroughItsMarks) {
    std::vector<std::string> drawn;
    for (const LessonData& d : sData) {
        for (const RunRecord& run : d.runs) {
            if (run.figure.empty())
                continue;
            SCOPED_TRACE(d.file + " step " + std::to_string(run.step) + " figure " + run.figure);
            drawn.push_back(run.figure);

            for (const FigureAnchor& a : figureAnchors(run.figure)) {
                if (a.kind == AnchorKind::Construction)
                    continue;
                const bool isLevel = a.kind == AnchorKind::Level, pvChart = a.chart == NoteChart::Pv;
                const double tolerance = isLevel ? kLevelTolerance : kAnchorTolerance;
                const std::string what = std::string(isLevel ? "level" : "anchor") + " P(" +
                                         shortestText(a.t) + ", " + shortestText(a.v) +
                                         (pvChart ? ") on the PV chart" : ") on the MV chart");

                // The mark has to be on the chart to be seen at all.
                EXPECT_LE(a.t, run.graphTime) << what << " lies beyond the graph time " << run.graphTime;
                const double low = pvChart ? run.rangeLow : 0.0, high = pvChart ? run.rangeHigh : 100.0;
                EXPECT_TRUE(a.v >= low && a.v <= high)
                    << what << " lies outside the range " << low << ".." << high;

                const bool away =
                    isLevel &&
                    std::any_of(std::begin(kLevelsAway), std::end(kLevelsAway), [&](const Away& w) {
                        return run.figure == "9.5-1" && a.chart == w.chart && a.t == w.t && a.v == w.v;
                    });
                if (isLevel) {
                    const double off = nearestTrace(d.runs, run, a.chart, a.t, a.v, away);
                    EXPECT_LE(off, tolerance) << what << " lies " << off << " off the nearest trace";
                    continue;
                }
                double allowed = tolerance;
                for (const KnownMiss& m : kKnownMisses)
                    if (run.figure == m.figure && a.t == m.t && a.v == m.v)
                        allowed = m.within;
                const double off = offTrace(run, pvChart ? kPv : kMv, a.t, a.v);
                EXPECT_LE(off, allowed) << what << " lies " << off << (pvChart ? " off PV" : " off MV");
            }
            for (const NamedValue& nv : kNamedValues) {
                if (run.figure != nv.figure)
                    continue;
                const auto v = valueAt(run, nv.t, nv.column);
                ASSERT_TRUE(v.has_value());
                EXPECT_NEAR(*v, nv.value, nv.tolerance) << "the value the figure names at t = " << nv.t;
            }
        }
    }
    auto known = knownFigureIds();
    std::sort(drawn.begin(), drawn.end());
    std::sort(known.begin(), known.end());
    EXPECT_EQ(drawn, known);
}

TEST_F(LessonFidelity, StepTestShowsTheProcessTheRulesAreAppliedTo) {
    const RunRecord* test = runsOf("C090500.txt", {"9.5-1"})[0];
    ASSERT_NE(test, nullptr);

    constexpr double kStepAt = 1.0, kMvBefore = 50.0, kMvAfter = 69.8, kPvBefore = 40.0, kPvAfter = 55.8;
    EXPECT_NEAR(*valueAt(*test, kStepAt - kHalfPeriod, kMv), kMvBefore, 1e-9);
    EXPECT_NEAR(*valueAt(*test, kStepAt, kMv), kMvAfter, 1e-9);
    EXPECT_NEAR(test->rows.back()[kMv], kMvAfter, 1e-9);
    // Nothing reaches PV before the dead time has passed; PV is under way half a second later, and at
    // 63.2 % of the change one time constant after that.
    EXPECT_NEAR(*valueAt(*test, kStepAt + kDeadTime - kHalfPeriod, kPv), kPvBefore, 0.2);
    EXPECT_GT(*valueAt(*test, kStepAt + kDeadTime + 0.5, kPv), kPvBefore + 0.5);
    EXPECT_NEAR(*valueAt(*test, kStepAt + kDeadTime + kLag, kPv), kPvBefore + 0.632 * (kPvAfter - kPvBefore),
                0.2);
    EXPECT_NEAR(test->rows.back()[kPv], kPvAfter, 0.2);
}

TEST_F(LessonFidelity, TunedStepsUseTheirRuleForTheMeasuredProcess) {
    struct Case {
        const char *file, *figure;
        Rule rule;
        int controlType; // TYPE_SELECT the rule is meant for
    } const cases[] = {
        {"C090500.txt", "9.5-3", kZnP, 0},
        {"C090500.txt", "9.5-4", kZnPI, 1},
        {"C090500.txt", "9.5-5", kZnPID, 2},
        {"C090500.txt", "9.5-6", kChrSetPoint, 4},
        {"C090500.txt", "9.5-7", kChrDisturbance, 4},
        {"C100501.txt", "10.5-1", kChrSetPoint, 4},
        {"C100501.txt", "10.5-2", kChrDisturbance, 4},
        {"C100501.txt", "10.5-3", kChrDisturbance, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.figure);
        const fs::path file = sApp / "Study" / c.file;
        const RunRecord* run = runsOf(c.file, {c.figure})[0];
        ASSERT_NE(run, nullptr);
        const std::string section = StudySession::sectionName(run->step);

        // What the run of that step uses: the fields after "ﾊﾟﾗﾒｰﾀ設定" of every step up to it.
        Replay replay(sApp);
        replay.open(file, false);
        replay.run(run->step, false);
        EXPECT_EQ(replay.document().typeTab(), c.controlType);

        const double g = kLag / (kGain * kDeadTime);
        const Rule& k = c.rule;
        const std::string text = ReadProfileValue(file, section, "TEXT2");
        for (const auto& [field, value] :
             {std::pair{Kp, k.kp * g}, {Ti, k.tiL * kDeadTime + k.tiT * kLag}, {Td, k.td * kDeadTime}}) {
            const std::string key(kFields[field].key);
            const std::string shown = formatNumber(value, "##0.00");
            EXPECT_EQ(replay.document().fieldText(field), shown) << key;
            // The learner is told the values the run uses.
            EXPECT_TRUE(value == 0.0 || text.find(shown) != std::string::npos)
                << key << " = " << shown << " not in the text";
        }
    }
}

TEST_F(LessonFidelity, TwoDegreeOfFreedomKeepsTheDisturbanceResponse) {
    const auto runs = runsOf("C100501.txt", {"10.5-2", "10.5-3"});
    ASSERT_TRUE(runs[0] && runs[1]);
    const auto &oneDof = runs[0]->rows, &twoDof = runs[1]->rows;
    ASSERT_EQ(oneDof.size(), twoDof.size());

    const auto disturbed = std::find_if(oneDof.begin(), oneDof.end(),
                                        [&](const SampleRow& r) { return r[kDv] != oneDof.front()[kDv]; });
    ASSERT_NE(disturbed, oneDof.end()) << "no disturbance in the run";
    const std::size_t from = std::distance(oneDof.begin(), disturbed);
    const double sv = (*disturbed)[kSv];

    double overshoot1 = -1e9, overshoot2 = -1e9, apart = 0;
    for (std::size_t i = 0; i < oneDof.size(); ++i) {
        if (i < from) {
            overshoot1 = std::max(overshoot1, oneDof[i][kPv] - sv);
            overshoot2 = std::max(overshoot2, twoDof[i][kPv] - sv);
        } else {
            apart = std::max(apart, std::abs(oneDof[i][kPv] - twoDof[i][kPv]));
        }
    }
    // The set-point filter changes the set-point response only: the overshoot of the tuning for
    // disturbances goes, the disturbance response stays (the filter's tail is all that differs).
    EXPECT_GT(overshoot1, 1.0);
    EXPECT_LT(overshoot2, 0.05);
    EXPECT_LT(apart, 0.05);
}

TEST_F(LessonFidelity, FullFeedforwardHoldsPvAgainstTheDisturbance) {
    const auto runs = runsOf("C110509.txt", {"11.5.9-1", "11.5.9-3"});
    ASSERT_TRUE(runs[0] && runs[1]);
    const auto &without = runs[0]->rows, &full = runs[1]->rows;
    ASSERT_EQ(without.size(), full.size());

    double pvApartWithout = 0;
    for (std::size_t i = 0; i < full.size(); ++i) {
        EXPECT_NEAR(full[i][kPv], 50.0, 0.2) << "t = " << full[i][kTime];
        EXPECT_EQ(without[i][kDv], full[i][kDv])
            << "the same disturbance in both runs, t = " << full[i][kTime];
        pvApartWithout = std::max(pvApartWithout, std::abs(without[i][kPv] - 50.0));
    }
    // The compensation has something to do: the same disturbance moves PV without it.
    EXPECT_GT(pvApartWithout, 1.0);
}

/// The runs of a present lesson's steps 1..n, in step order.
std::vector<const RunRecord*> stepRuns(const std::vector<LessonData>& data, const std::string& file, int n) {
    std::vector<const RunRecord*> runs(n, nullptr);
    for (const LessonData& d : data)
        for (const RunRecord& r : d.runs)
            if (d.file == file && r.step >= 1 && r.step <= n && !r.rows.empty())
                runs[r.step - 1] = &r;
    return runs;
}

/// The standard deviation of a trace from time `from` on.
double spread(const RunRecord& run, int column, double from) {
    double n = 0, sum = 0, squares = 0;
    for (const SampleRow& r : run.rows)
        if (r[kTime] >= from)
            n += 1, sum += r[column], squares += r[column] * r[column];
    return std::sqrt(std::max(0.0, squares / n - (sum / n) * (sum / n)));
}

/// The mean spacing of PV's upward crossings of its mean from time `from` on (0: no cycle).
double cyclePeriod(const RunRecord& run, double from) {
    double sum = 0, n = 0;
    for (const SampleRow& r : run.rows)
        if (r[kTime] >= from)
            sum += r[kPv], n += 1;
    std::vector<double> ups;
    for (std::size_t i = 1; i < run.rows.size(); ++i)
        if (run.rows[i - 1][kTime] >= from && run.rows[i - 1][kPv] < sum / n && run.rows[i][kPv] >= sum / n)
            ups.push_back(run.rows[i][kTime]);
    return ups.size() < 2 ? 0.0 : (ups.back() - ups.front()) / double(ups.size() - 1);
}

TEST_F(LessonFidelity, NoiseLessonDerivativeChattersAndTheFilterCalmsItAtACost) {
    const auto runs = stepRuns(sData, "C120100.txt", 4);
    ASSERT_TRUE(runs[0] && runs[1] && runs[2] && runs[3]);
    const auto travel = [&](int i) { return runs[i]->metrics.mvTravel; };
    const auto overshoot = [&](int i) {
        return runs[i]->metrics.svStep.value_or(SvStepMetrics{}).overshootPct;
    };
    const double piSpread = spread(*runs[0], kMv, 20);
    // PI passes the noise on by Kp; the D action multiplies it (the text: about 7 times the travel).
    EXPECT_NEAR(piSpread / 0.5, 2.0, 0.3);
    EXPECT_GT(spread(*runs[1], kMv, 20), 6 * piSpread);
    EXPECT_GT(travel(1), 6.5 * travel(0));
    EXPECT_LT(overshoot(1), overshoot(0) - 5); // its damping still acts
    // Tf = 0.5 s: MV as calm as PI and a ninth of the chatter's travel, the damping kept.
    EXPECT_LT(spread(*runs[2], kMv, 20), 1.1 * piSpread);
    EXPECT_LT(9 * travel(2), travel(1) * 1.05);
    EXPECT_LT(overshoot(2), overshoot(0));
    // Tf = 2 s: calmer still, but the lag makes the response worse than PI's.
    EXPECT_LT(4 * travel(3), travel(0) * 1.05);
    EXPECT_GT(overshoot(3), 1.5 * overshoot(0));
}

TEST_F(LessonFidelity, StictionLessonCyclesWithIntegralActionOnlyAndPLeavesAnOffset) {
    const auto runs = stepRuns(sData, "C120200.txt", 4);
    ASSERT_TRUE(runs[0] && runs[1] && runs[2] && runs[3]);
    constexpr double kFrom = 60; // s: the cycle is established
    EXPECT_LT(spread(*runs[0], kPv, kFrom), 0.01);
    EXPECT_EQ(cyclePeriod(*runs[0], kFrom), 0.0);
    // The texts: about 34 s, then about 51 s with Ti doubled, the swing about the same.
    EXPECT_NEAR(cyclePeriod(*runs[1], kFrom), 34, 1.5);
    EXPECT_NEAR(cyclePeriod(*runs[2], kFrom), 51, 2);
    EXPECT_GT(spread(*runs[1], kPv, kFrom), 0.4);
    EXPECT_NEAR(spread(*runs[2], kPv, kFrom), spread(*runs[1], kPv, kFrom), 0.15);
    // P control: the valve stays where it stuck; the offset is about P control's 2.40 %.
    EXPECT_LT(spread(*runs[3], kPv, kFrom), 0.01);
    EXPECT_NEAR(runs[3]->rows.back()[kSv] - runs[3]->rows.back()[kPv], 2.4, 0.1);
}

/// How long after t0 PV takes back into SV ± band for good: the last sample outside, minus t0.
double recoveryTime(const RunRecord& run, double t0, double until, double band) {
    double last = t0;
    for (const SampleRow& r : run.rows)
        if (r[kTime] >= t0 && r[kTime] < until && std::abs(r[kPv] - r[kSv]) > band)
            last = r[kTime];
    return last - t0;
}

TEST_F(LessonFidelity, CascadeLessonCatchesTheInnerDisturbanceBeforeItReachesPv) {
    const auto runs = stepRuns(sData, "C130100.txt", 4);
    ASSERT_TRUE(runs[0] && runs[1] && runs[2] && runs[3]);
    const auto dv = [&](int i) { return runs[i]->metrics.dvStep.value_or(DvStepMetrics{}); };
    const auto sv = [&](int i) { return runs[i]->metrics.svStep.value_or(SvStepMetrics{}); };
    const auto recovery = [&](int i) { return recoveryTime(*runs[i], 10, 50, 0.5); };
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(dv(i).t0, 10, 1e-9) << "the same disturbance in every step";
    // Single loop: the disturbance crosses the slow outer part before the controller sees it.
    EXPECT_NEAR(dv(0).peakDeviation, 3.9, 0.05);
    EXPECT_NEAR(recovery(0), 32, 1);
    // A P secondary cuts the peak to about a third; its inner offset is left to the slow primary.
    EXPECT_NEAR(dv(1).peakDeviation, 1.3, 0.05);
    EXPECT_GT(recovery(1), recovery(0) - 1);
    EXPECT_LT(sv(1).overshootPct, 1);
    EXPECT_GT(sv(1).riseTime, 1.5 * sv(0).riseTime); // the inner loop's gain 2/3 slows the primary
    // The PI secondary alone (A) holds PV2; the primary only tracks, so PV stays at 50 % after SV rose.
    EXPECT_NEAR(dv(2).peakDeviation, 0.6, 0.05);
    EXPECT_NEAR(runs[2]->rows.back()[kPv], 50, 0.1);
    // Closed again (CAS): the same peak, a quarter of the recovery, a fourth of the overshoot.
    EXPECT_NEAR(dv(3).peakDeviation, dv(2).peakDeviation, 0.01);
    EXPECT_NEAR(recovery(3), 8, 1);
    EXPECT_LT(3.5 * recovery(3), recovery(0));
    EXPECT_NEAR(sv(0).overshootPct, 23, 1);
    EXPECT_NEAR(sv(3).overshootPct, 6, 1);
    EXPECT_NEAR(runs[3]->rows.back()[kPv], 55, 0.1);
}

/// The value of `column` at t, on the straight line between the samples around it.
double traceAt(const RunRecord& run, double t, int column) {
    for (std::size_t i = 1; i < run.rows.size(); ++i) {
        const SampleRow &a = run.rows[i - 1], &b = run.rows[i];
        if (b[kTime] + kTimeSlack >= t && b[kTime] > a[kTime])
            return a[column] +
                   (b[column] - a[column]) * std::clamp((t - a[kTime]) / (b[kTime] - a[kTime]), 0.0, 1.0);
    }
    return run.rows.back()[column];
}

/// True when the trace shows `stated` to its last digit at t, or with `about` ("ごろ") somewhere
/// within half a second of t; with `over`, when it exceeds the value there.
bool shows(const RunRecord& run, int column, double t, bool about, const std::string& stated, bool over) {
    const std::size_t dot = stated.find('.');
    const double v = std::stod(stated);
    const double within = 0.5 * std::pow(10.0, dot == std::string::npos ? 0.0 : 1.0 + dot - stated.size());
    const auto meets = [&](double x) { return over ? x > v : std::abs(x - v) <= within + 1e-9; };
    if (!about)
        return meets(traceAt(run, t, column));
    return std::any_of(run.rows.begin(), run.rows.end(), [&](const SampleRow& r) {
        return std::abs(r[kTime] - t) <= 0.5 + kTimeSlack && meets(r[column]);
    });
}

/// When PV last enters 55 % ± band within 10 s of t (the crossing of the band's edge), if it does.
std::optional<double> entersBand(const RunRecord& run, double t, double band) {
    std::optional<double> entry;
    for (std::size_t i = 1; i < run.rows.size(); ++i) {
        const SampleRow &a = run.rows[i - 1], &b = run.rows[i];
        if (b[kTime] <= t - 10 || b[kTime] > t + 10)
            continue;
        if (std::abs(b[kPv] - 55) > band)
            entry.reset();
        else if (std::abs(a[kPv] - 55) > band)
            entry = a[kTime] + (55 + std::copysign(band, a[kPv] - 55) - a[kPv]) / (b[kPv] - a[kPv]) *
                                   (b[kTime] - a[kTime]);
    }
    return entry;
}

/// Figures of the texts the patterns below cannot read: the step's PV at (about) t.
struct StatedPv {
    const char* file;
    int step;
    double t;
    bool about;
    const char* value;
};
constexpr StatedPv kStatedPv[] = {{"C100501.txt", 1, 65, false, "52.5"}, // "65 秒目の PV は 白 …"
                                  {"C100501.txt", 2, 65, false, "53.9"},
                                  {"C090500.txt", 5, 59, true, "50.6"}}; // the trough after the disturbance

// Every "<t> 秒目に <v>％" of a step's text (also "で", "には", "ごろ") holds for its run, on the trace
// its line names last before it (PV unless MV), to the digits stated; "<t> 秒ごろに 55％（±b％）"
// and "55％（±b％）に戻るのは <t> 秒ごろ" say when PV settles into the band, within half a second.
TEST_F(LessonFidelity, TextsStateWhatTheirRunsShow) {
    const std::regex at(
        R"((\d+(?:\.\d+)?) 秒(目|ごろ|目ごろ)(?:に|で|には)? (\d+(?:\.\d+)?)％(?! から)( を超え)?)");
    const std::regex settles(
        R"((\d+) 秒ごろ(?:に|には)? 55％（±([\d.]+)％）|55％（±([\d.]+)％）に戻るのは (\d+) 秒ごろ)");
    const std::sregex_iterator end;
    int read = 0;
    for (const LessonData& d : sData)
        for (const RunRecord& run : d.runs) {
            const std::string text = ReadProfileValue(d.path, StudySession::sectionName(run.step), "TEXT2");
            for (std::size_t from = 0, to = 0; from < text.size() && !run.rows.empty(); from = to + 4) {
                to = std::min(text.find("<BR>", from), text.size());
                const std::string line = text.substr(from, to - from);
                SCOPED_TRACE(d.file + " " + run.title + ": " + line);
                for (std::sregex_iterator m(line.begin(), line.end(), at); m != end; ++m, ++read) {
                    const std::string before = line.substr(0, m->position());
                    const int column = before.rfind("MV") + 1 > before.rfind("PV") + 1 ? kMv : kPv;
                    EXPECT_TRUE(shows(run, column, std::stod((*m)[1]),
                                      (*m)[2].str().find("ごろ") != std::string::npos, (*m)[3],
                                      (*m)[4].matched))
                        << m->str();
                }
                for (std::sregex_iterator m(line.begin(), line.end(), settles); m != end; ++m, ++read) {
                    const double t = std::stod((*m)[(*m)[1].matched ? 1 : 4]);
                    const auto entry = entersBand(run, t, std::stod((*m)[(*m)[2].matched ? 2 : 3]));
                    EXPECT_TRUE(entry && std::abs(*entry - t) <= 0.5)
                        << m->str() << ": " << entry.value_or(-1);
                }
            }
        }
    EXPECT_GE(read, 70) << "the patterns no longer read the texts";
    for (const StatedPv& s : kStatedPv)
        for (const LessonData& d : sData)
            for (const RunRecord& run : d.runs)
                if (d.file == s.file && run.step == s.step) {
                    EXPECT_TRUE(shows(run, kPv, s.t, s.about, s.value, false)) << s.file << " " << s.value;
                }
}

TEST_F(LessonFidelity, EveryAnnotatedStepRunsAsFreshWhateverCameBefore) {
    // However the learner arrives at an annotated step, its run is the one the book shows: back from
    // the lesson's end with "戻る", after another lesson (walked through, ended with "いいえ" to keep
    // its parameters, or only one of its steps taken).
    auto path = [](const std::string& file) { return sApp / "Study" / file; };
    auto takeStep = [](Replay& r, int step) { // "次へ" or "戻る" to the step, then the step taken
        while (r.state().study.StepNo != step)
            r.state().study.StepNo < step ? r.session().nextStep() : r.session().previousStep();
        return r.takeStep().value_or(RunRecord{});
    };
    auto expectTheBooksRun = [&](const LessonData& d, const RunRecord& fresh, auto&& arrive,
                                 bool reopen = true) {
        Replay r(sApp);
        r.open(d.path, false);
        arrive(r);
        if (reopen)
            r.open(d.path, false);
        const RunRecord run = takeStep(r, fresh.step);
        EXPECT_TRUE(std::tie(run.rows, run.graphTime, run.rangeHigh, run.rangeLow, run.dvOffset) ==
                    std::tie(fresh.rows, fresh.graphTime, fresh.rangeHigh, fresh.rangeLow, fresh.dvOffset))
            << run.rows.size() << " samples against " << fresh.rows.size();
    };
    ::testing::internal::CaptureStderr(); // the questions the replay answers
    for (const LessonData& d : sData)
        for (const RunRecord& fresh : d.runs) {
            if (fresh.figure.empty())
                continue;
            SCOPED_TRACE(d.file + " step " + std::to_string(fresh.step) + " (" + fresh.figure + ")");
            expectTheBooksRun(
                d, fresh, [&](Replay& r) { r.run(d.last, false); }, false);
            for (const LessonData& before : sData) {
                if (before.file == d.file)
                    continue;
                SCOPED_TRACE("after " + before.file);
                auto walkThrough = [&](Replay& r) {
                    r.open(path(before.file), false);
                    r.run(before.last, false);
                };
                expectTheBooksRun(d, fresh, walkThrough);
                expectTheBooksRun(d, fresh, [&](Replay& r) {
                    walkThrough(r);
                    r.messages().answerQuestions(false); // "いいえ": the parameters are kept
                    while (r.state().study.StepNo <= before.last)
                        r.session().nextStep();
                    r.session().endLesson();
                });
                for (const RunRecord& other : before.runs) {
                    SCOPED_TRACE("only its step " + std::to_string(other.step));
                    expectTheBooksRun(d, fresh, [&](Replay& r) {
                        r.open(path(before.file), false);
                        takeStep(r, other.step);
                    });
                }
            }
        }
    ::testing::internal::GetCapturedStderr();
}

TEST_F(LessonFidelity, EnglishEditionsRunAsTheJapaneseLessons) {
    ASSERT_EQ(sEnglish.size(), sData.size()) << "a lesson without its English edition";
    for (std::size_t i = 0; i < sData.size(); ++i) {
        const LessonData &ja = sData[i], &en = sEnglish[i];
        SCOPED_TRACE(en.file);
        EXPECT_EQ(en.last, ja.last);
        ASSERT_EQ(en.runs.size(), ja.runs.size());
        for (std::size_t r = 0; r < ja.runs.size(); ++r)
            EXPECT_TRUE(std::tie(en.runs[r].step, en.runs[r].figure, en.runs[r].rows) ==
                        std::tie(ja.runs[r].step, ja.runs[r].figure, ja.runs[r].rows))
                << "step " << ja.runs[r].step;
    }
}

/// A key whose value is prose the English edition translates: TITLEn, TEXTn and the HINT_ keys.
bool isTextKey(std::string_view key) {
    for (std::string_view prefix : {"TITLE", "TEXT"})
        if (key.starts_with(prefix) && key.size() > prefix.size() &&
            std::all_of(key.begin() + prefix.size(), key.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return true;
    return key.starts_with("HINT_");
}

/// The numbers written in ASCII digits in a text ("52.6", "5.1.7", "40").
std::set<std::string> numbersIn(const std::string& text) {
    static const std::regex number(R"([0-9]+(?:\.[0-9]+)*)");
    std::set<std::string> found;
    for (std::sregex_iterator m(text.begin(), text.end(), number), end; m != end; ++m)
        found.insert(m->str());
    return found;
}

// Every lesson and challenge has an English edition under Study/en that differs only in its texts:
// the same lines in the same order, every setting byte for byte, the sections named as the study
// window looks them up. The texts are plain ASCII (α, β, γ as the settings write them), read back
// whole by the profile reader, and keep every figure of the Japanese text.
TEST(EnglishEditions, SameSettingsAndSectionsAsTheJapaneseWithWholeReadableTexts) {
    const fs::path study = fs::path(KESTREL_DATA_DIR) / "Study";
    Cp932Codec codec;
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(study)) {
        const fs::path name = fs::relative(entry.path(), study);
        if (*name.begin() == "en" || !entry.is_regular_file() || name.extension() != ".txt")
            continue;
        ++files;
        SCOPED_TRACE(name.string());
        const fs::path english = study / "en" / name;
        ASSERT_TRUE(fs::is_regular_file(english));
        const std::string bytes = test::readBytes(english), utf8 = codec.toUtf8(bytes);
        EXPECT_EQ(codec.fromUtf8(utf8), bytes) << "not valid CP932";
        const auto lines = [&](const std::string& text) {
            std::vector<std::string> split;
            for (std::size_t from = 0, to; from < text.size(); from = to + 2) {
                to = std::min(text.find("\r\n", from), text.size());
                split.push_back(text.substr(from, to - from));
            }
            return split;
        };
        const auto ja = lines(codec.toUtf8(test::readBytes(entry.path()))), en = lines(utf8);
        EXPECT_TRUE(bytes.ends_with("\r\n"));
        ASSERT_EQ(en.size(), ja.size());
        std::string section;
        for (std::size_t i = 0; i < ja.size(); ++i) {
            const auto eq = ja[i].find('=');
            const std::string key = ja[i].substr(0, eq);
            if (ja[i].starts_with('['))
                section = ja[i].substr(1, ja[i].find(']') - 1);
            if (eq == std::string::npos || !isTextKey(key)) {
                EXPECT_EQ(en[i], ja[i]) << "line " << i + 1;
                continue;
            }
            SCOPED_TRACE(key + " in [" + section + "]");
            ASSERT_TRUE(en[i].starts_with(key + "="));
            const std::string value = en[i].substr(eq + 1);
            EXPECT_EQ(value.empty(), ja[i].size() == eq + 1);
            std::string plain = std::regex_replace(value, std::regex("α|β|γ"), "");
            EXPECT_TRUE(std::all_of(plain.begin(), plain.end(), [](char c) { return c >= ' ' && c <= '~'; }))
                << value;
            EXPECT_LT(en[i].size(), 1023u) << "the profile reader cuts a longer line";
            EXPECT_EQ(ReadProfileValue(english, section, key), value);
            const auto stated = numbersIn(ja[i].substr(eq + 1)), kept = numbersIn(value);
            for (const std::string& n : stated)
                EXPECT_TRUE(kept.count(n)) << n << " of the Japanese text is missing";
        }
    }
    EXPECT_EQ(files, 28) << "15 lesson files and 13 challenges";
}

} // namespace
