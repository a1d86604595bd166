// What the tuning lessons (9.5, 10.5 (1), 11.5.9) must show beyond the general fidelity of lesson
// runs to their figures: the step test of 9.5 shows the process the later steps are tuned for,
// every tuned step uses its rule's values for that process, the two-degree-of-freedom step keeps
// the disturbance response of the step before it, and full feedforward holds PV still.

#include "core/vbformat.h"
#include "setup/fieldtable.h"
#include "setup/modinifile.h"
#include "sim/replay.h"

#include "appfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace kestrel;

namespace {

// Columns of a recorded sample (SampleRow).
constexpr int kTime = 0, kSv = 1, kPv = 2, kDv = 3, kMv = 4;

// The process as the 9.5 step test reads it off (figure 9.5-1): gain ΔPV/ΔMV, dead time and time
// constant. The tuning rules are applied to these readings, not to the simulated process.
constexpr double kGain = 15.8 / 19.8;
constexpr double kDeadTime = 2.0; // s
constexpr double kLag = 5.0;      // s

// Half a control period (0.1 s) tells samples apart despite rounding in their summed times.
constexpr double kHalfPeriod = 0.05;

enum class Rule { ZieglerNicholsP, ZieglerNicholsPI, ZieglerNicholsPID, ChrSetPoint, ChrDisturbance };

struct Tuning {
    double kp, ti, td;
};

/// Step-response tuning tables: Ziegler–Nichols, and Chien–Hrones–Reswick PID for 0 % overshoot
/// (set-point following and disturbance rejection).
Tuning ruleValues(Rule rule, double K, double L, double T) {
    const double g = T / (K * L);
    switch (rule) {
    case Rule::ZieglerNicholsP:
        return {g, 0.0, 0.0};
    case Rule::ZieglerNicholsPI:
        return {0.9 * g, 3.3 * L, 0.0};
    case Rule::ZieglerNicholsPID:
        return {1.2 * g, 2.0 * L, 0.5 * L};
    case Rule::ChrSetPoint:
        return {0.6 * g, T, 0.5 * L};
    case Rule::ChrDisturbance:
        return {0.95 * g, 2.4 * L, 0.42 * L};
    }
    return {};
}

/// The value of a column at time t as the chart shows it: the last sample taken by then.
double valueAt(const RunRecord& run, double t, int column) {
    double v = NAN;
    for (const auto& row : run.rows)
        if (row[kTime] <= t + kHalfPeriod / 10) v = row[column];
    return v;
}

std::string section(int step) {
    return "手順" + std::to_string(step);
}

class TuningLessons : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        sApp = test::copyApplicationFolder("kestrel-tuning");
    }
    static void TearDownTestSuite() { fs::remove_all(sApp); }

    static fs::path lesson(const std::string& name) { return sApp / "Study" / name; }

    /// The runs of the whole lesson, and the ones annotated with the figures asked for.
    std::vector<const RunRecord*> runsOf(const std::string& name,
                                         std::initializer_list<const char*> figures) {
        Replay replay(sApp);
        replay.open(lesson(name), false);
        mRuns = replay.run(replay.lastStep(), true);
        std::vector<const RunRecord*> found;
        for (const char* figure : figures) {
            const auto it = std::find_if(mRuns.begin(), mRuns.end(),
                                         [&](const RunRecord& r) { return r.figure == figure; });
            found.push_back(it == mRuns.end() || it->rows.empty() ? nullptr : &*it);
            EXPECT_NE(found.back(), nullptr) << "no run drawn for " << figure;
        }
        return found;
    }

    static fs::path sApp;
    std::vector<RunRecord> mRuns;
};

fs::path TuningLessons::sApp;

TEST_F(TuningLessons, StepTestShowsTheProcessTheRulesAreAppliedTo) {
    const RunRecord* test = runsOf("C090500.txt", {"9.5-1"})[0];
    ASSERT_NE(test, nullptr);

    constexpr double kStepAt = 1.0, kMvBefore = 50.0, kMvAfter = 69.8, kPvBefore = 40.0, kPvAfter = 55.8;
    for (const auto& row : test->rows) {
        const double t = row[kTime];
        EXPECT_NEAR(row[kMv], t < kStepAt - kHalfPeriod ? kMvBefore : kMvAfter, 1e-9) << "MV at t = " << t;
        // Nothing reaches PV before the dead time has passed.
        if (t < kStepAt + kDeadTime - kHalfPeriod) {
            EXPECT_NEAR(row[kPv], kPvBefore, 0.2) << "PV at t = " << t;
        }
    }
    // PV is under way half a second later, and at 63.2 % of the change one time constant after that.
    EXPECT_GT(valueAt(*test, kStepAt + kDeadTime + 0.5, kPv), kPvBefore + 0.5);
    EXPECT_NEAR(valueAt(*test, kStepAt + kDeadTime + kLag, kPv), kPvBefore + 0.632 * (kPvAfter - kPvBefore),
                0.2);
    EXPECT_NEAR(test->rows.back()[kPv], kPvAfter, 0.2);
    EXPECT_DOUBLE_EQ((kPvAfter - kPvBefore) / (kMvAfter - kMvBefore), kGain);
}

TEST_F(TuningLessons, TunedStepsUseTheirRuleForTheMeasuredProcess) {
    struct Case {
        const char* file;
        const char* figure;
        Rule rule;
        int controlType; // TYPE_SELECT the rule is meant for
    } const cases[] = {
        {"C090500.txt", "9.5-3", Rule::ZieglerNicholsP, 0},
        {"C090500.txt", "9.5-4", Rule::ZieglerNicholsPI, 1},
        {"C090500.txt", "9.5-5", Rule::ZieglerNicholsPID, 2},
        {"C090500.txt", "9.5-6", Rule::ChrSetPoint, 4},
        {"C090500.txt", "9.5-7", Rule::ChrDisturbance, 4},
        {"C100501.txt", "10.5-1", Rule::ChrSetPoint, 4},
        {"C100501.txt", "10.5-2", Rule::ChrDisturbance, 4},
        {"C100501.txt", "10.5-3", Rule::ChrDisturbance, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.figure);
        Replay replay(sApp);
        replay.open(lesson(c.file), false);
        int step = 1;
        while (step <= replay.lastStep() &&
               ReadProfileValue(lesson(c.file), section(step), "NOTES") != c.figure)
            ++step;
        ASSERT_LE(step, replay.lastStep()) << "no step draws the figure";

        // What the run of that step uses: the fields after "ﾊﾟﾗﾒｰﾀ設定" of every step up to it.
        replay.run(step, false);
        EXPECT_EQ(replay.document().typeTab(), c.controlType);

        const Tuning rule = ruleValues(c.rule, kGain, kDeadTime, kLag);
        const std::string text = ReadProfileValue(lesson(c.file), section(step), "TEXT2");
        for (const auto& [field, value] : {std::pair{Kp, rule.kp}, {Ti, rule.ti}, {Td, rule.td}}) {
            const std::string key(kFields[field].key);
            const std::string shown = formatNumber(value, "##0.00");
            EXPECT_EQ(replay.document().fieldText(field), shown) << key;
            // A step names only what changes; where it names the value, it is the rule's.
            const std::string stored = ReadProfileValue(lesson(c.file), section(step), key);
            EXPECT_TRUE(stored.empty() || stored == shown) << key << " = " << stored;
            // The learner is told the values the run uses.
            EXPECT_TRUE(value == 0.0 || text.find(shown) != std::string::npos)
                << key << " = " << shown << " not in the text";
        }
    }
}

TEST_F(TuningLessons, TwoDegreeOfFreedomKeepsTheDisturbanceResponse) {
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

TEST_F(TuningLessons, FullFeedforwardHoldsPvAgainstTheDisturbance) {
    const auto runs = runsOf("C110509.txt", {"11.5.9-1", "11.5.9-3"});
    ASSERT_TRUE(runs[0] && runs[1]);
    const auto &without = runs[0]->rows, &full = runs[1]->rows;
    ASSERT_EQ(without.size(), full.size());

    double dvLow = 1e9, dvHigh = -1e9, pvApartWithout = 0;
    for (std::size_t i = 0; i < full.size(); ++i) {
        EXPECT_NEAR(full[i][kPv], 50.0, 0.2) << "t = " << full[i][kTime];
        EXPECT_EQ(without[i][kDv], full[i][kDv])
            << "the same disturbance in both runs, t = " << full[i][kTime];
        dvLow = std::min(dvLow, full[i][kDv]);
        dvHigh = std::max(dvHigh, full[i][kDv]);
        pvApartWithout = std::max(pvApartWithout, std::abs(without[i][kPv] - 50.0));
    }
    // The compensation has something to do: the same disturbance moves PV without it.
    EXPECT_GE(dvHigh - dvLow, 1.0);
    EXPECT_GT(pvApartWithout, 1.0);
}

} // namespace
