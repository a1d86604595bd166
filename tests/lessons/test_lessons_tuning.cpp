// What the tuning lessons (9.5, 10.5 (1), 11.5.9) must show beyond the general fidelity of lesson
// runs to their figures: the step test of 9.5 shows the process the later steps are tuned for,
// every tuned step uses its rule's values for that process, the two-degree-of-freedom step keeps
// the disturbance response of the step before it, and full feedforward holds PV still.

#include "core/vbformat.h"
#include "setup/fieldtable.h"
#include "setup/modinifile.h"
#include "sim/replay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
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

// Sample times add up the control period, so a sample meant for t may carry t plus a rounding
// error; half a period (0.1 s) tells samples apart.
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
    case Rule::ZieglerNicholsP: return {g, 0.0, 0.0};
    case Rule::ZieglerNicholsPI: return {0.9 * g, 3.3 * L, 0.0};
    case Rule::ZieglerNicholsPID: return {1.2 * g, 2.0 * L, 0.5 * L};
    case Rule::ChrSetPoint: return {0.6 * g, T, 0.5 * L};
    case Rule::ChrDisturbance: return {0.95 * g, 2.4 * L, 0.42 * L};
    }
    return {};
}

/// The value of a column at time t as the chart shows it: the last sample taken by then.
double valueAt(const RunRecord& run, double t, int column) {
    double v = NAN;
    for (const auto& row : run.rows)
        if (row[kTime] <= t + kHalfPeriod / 10)
            v = row[column];
    return v;
}

const RunRecord* runOf(const std::vector<RunRecord>& runs, const std::string& figure) {
    const auto it =
        std::find_if(runs.begin(), runs.end(), [&](const RunRecord& r) { return r.figure == figure; });
    return it == runs.end() ? nullptr : &*it;
}

std::string section(int step) { return "手順" + std::to_string(step); }

class TuningLessons : public ::testing::Test {
protected:
    void SetUp() override {
        mApp = fs::temp_directory_path() / ("kestrel-tuning-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(mApp);
        fs::create_directories(mApp / "Study");
        const fs::path data = KESTREL_DATA_DIR;
        fs::copy_file(data / "Kestrel.ini", mApp / "Kestrel.ini");
        for (const auto& entry : fs::directory_iterator(data / "Study"))
            fs::copy_file(entry.path(), mApp / "Study" / entry.path().filename());
    }
    void TearDown() override { fs::remove_all(mApp); }

    fs::path lesson(const std::string& name) const { return mApp / "Study" / name; }

    std::vector<RunRecord> runAll(const std::string& name) const {
        Replay replay(mApp);
        replay.open(lesson(name), false);
        return replay.run(replay.lastStep(), true);
    }

    /// The step of a lesson whose NOTES names the figure, 0 when there is none.
    int stepOf(const std::string& name, const std::string& figure) const {
        Replay replay(mApp);
        replay.open(lesson(name), false);
        for (int k = 1; k <= replay.lastStep(); ++k)
            if (ReadProfileValue(lesson(name), section(k), "NOTES") == figure)
                return k;
        return 0;
    }

    fs::path mApp;
};

TEST_F(TuningLessons, StepTestShowsTheProcessTheRulesAreAppliedTo) {
    const auto runs = runAll("C090500.txt");
    const RunRecord* test = runOf(runs, "9.5-1");
    ASSERT_NE(test, nullptr);
    ASSERT_FALSE(test->rows.empty());

    constexpr double kStepAt = 1.0, kMvBefore = 50.0, kMvAfter = 69.8, kPvBefore = 40.0, kPvAfter = 55.8;
    for (const auto& row : test->rows) {
        const double t = row[kTime];
        EXPECT_NEAR(row[kMv], t < kStepAt - kHalfPeriod ? kMvBefore : kMvAfter, 1e-9) << "MV at t = " << t;
        // Nothing reaches PV before the dead time has passed.
        if (t < kStepAt + kDeadTime - kHalfPeriod) {
            EXPECT_NEAR(row[kPv], kPvBefore, 0.2) << "PV at t = " << t;
        }
    }
    // ... and PV is under way half a second later.
    EXPECT_GT(valueAt(*test, kStepAt + kDeadTime + 0.5, kPv), kPvBefore + 0.5);
    // 63.2 % of the change one time constant after PV started to move.
    const double at632 = kPvBefore + 0.632 * (kPvAfter - kPvBefore);
    EXPECT_NEAR(valueAt(*test, kStepAt + kDeadTime + kLag, kPv), at632, 0.2);
    EXPECT_NEAR(test->rows.back()[kPv], kPvAfter, 0.2);
    EXPECT_DOUBLE_EQ((kPvAfter - kPvBefore) / (kMvAfter - kMvBefore), kGain);
}

TEST_F(TuningLessons, TunedStepsUseTheirRuleForTheMeasuredProcess) {
    struct Case {
        const char* file;
        const char* figure;
        Rule rule;
        int controlType; // TYPE_SELECT the rule is meant for
    };
    const Case cases[] = {
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
        const int step = stepOf(c.file, c.figure);
        ASSERT_GT(step, 0);
        const Tuning rule = ruleValues(c.rule, kGain, kDeadTime, kLag);
        const std::pair<Field, double> expected[] = {{Kp, rule.kp}, {Ti, rule.ti}, {Td, rule.td}};

        // What the run of that step uses: the fields after "ﾊﾟﾗﾒｰﾀ設定" of every step up to it.
        Replay replay(mApp);
        replay.open(lesson(c.file), false);
        replay.run(step, false);
        EXPECT_EQ(replay.document().typeTab(), c.controlType);

        const std::string text = ReadProfileValue(lesson(c.file), section(step), "TEXT2");
        for (const auto& [field, value] : expected) {
            const std::string key(kFields[field].key);
            const std::string shown = formatNumber(value, "##0.00");
            EXPECT_EQ(replay.document().fieldText(field), shown) << key;
            // A step names only what changes; where it names the value, it is the rule's.
            const std::string stored = ReadProfileValue(lesson(c.file), section(step), key);
            if (!stored.empty()) {
                EXPECT_EQ(stored, shown) << key;
            }
            // The learner is told the values the run uses.
            if (value != 0.0) {
                EXPECT_NE(text.find(shown), std::string::npos) << key << " = " << shown << " not in the text";
            }
        }
    }
}

TEST_F(TuningLessons, TwoDegreeOfFreedomKeepsTheDisturbanceResponse) {
    const auto runs = runAll("C100501.txt");
    const RunRecord* oneDof = runOf(runs, "10.5-2");
    const RunRecord* twoDof = runOf(runs, "10.5-3");
    ASSERT_NE(oneDof, nullptr);
    ASSERT_NE(twoDof, nullptr);
    ASSERT_EQ(oneDof->rows.size(), twoDof->rows.size());
    ASSERT_FALSE(oneDof->rows.empty());

    const auto& first = oneDof->rows.front();
    const auto disturbed = std::find_if(oneDof->rows.begin(), oneDof->rows.end(),
                                        [&](const SampleRow& r) { return r[kDv] != first[kDv]; });
    ASSERT_NE(disturbed, oneDof->rows.end()) << "no disturbance in the run";
    const std::size_t from = std::distance(oneDof->rows.begin(), disturbed);
    const double sv = (*disturbed)[kSv];

    double overshoot1 = -1e9, overshoot2 = -1e9, apart = 0;
    for (std::size_t i = 0; i < oneDof->rows.size(); ++i) {
        const auto &a = oneDof->rows[i], &b = twoDof->rows[i];
        if (i < from) {
            overshoot1 = std::max(overshoot1, a[kPv] - sv);
            overshoot2 = std::max(overshoot2, b[kPv] - sv);
        } else {
            apart = std::max(apart, std::abs(a[kPv] - b[kPv]));
        }
    }
    // The set-point filter changes the set-point response only: the overshoot of the tuning for
    // disturbances goes, the disturbance response stays (the filter's tail is all that differs).
    EXPECT_GT(overshoot1, 1.0);
    EXPECT_LT(overshoot2, 0.05);
    EXPECT_LT(apart, 0.05);
}

TEST_F(TuningLessons, FullFeedforwardHoldsPvAgainstTheDisturbance) {
    const auto runs = runAll("C110509.txt");
    const RunRecord* without = runOf(runs, "11.5.9-1");
    const RunRecord* full = runOf(runs, "11.5.9-3");
    ASSERT_NE(without, nullptr);
    ASSERT_NE(full, nullptr);
    ASSERT_EQ(without->rows.size(), full->rows.size());
    ASSERT_FALSE(full->rows.empty());

    double dvLow = 1e9, dvHigh = -1e9, pvApartWithout = 0;
    for (std::size_t i = 0; i < full->rows.size(); ++i) {
        const auto &a = without->rows[i], &b = full->rows[i];
        EXPECT_NEAR(b[kPv], 50.0, 0.2) << "t = " << b[kTime];
        EXPECT_EQ(a[kDv], b[kDv]) << "the same disturbance in both runs, t = " << b[kTime];
        dvLow = std::min(dvLow, b[kDv]);
        dvHigh = std::max(dvHigh, b[kDv]);
        pvApartWithout = std::max(pvApartWithout, std::abs(a[kPv] - 50.0));
    }
    // The compensation has something to do: the same disturbance moves PV without it.
    EXPECT_GE(dvHigh - dvLow, 1.0);
    EXPECT_GT(pvApartWithout, 1.0);
}

TEST_F(TuningLessons, TextsFitTheProfileReader) {
    // A value longer than 1023 bytes comes back cut; these lessons carry the longest texts.
    for (const char* name : {"C090500.txt", "C100501.txt", "C110509.txt"}) {
        std::ifstream in(lesson(name), std::ios::binary);
        ASSERT_TRUE(in) << name;
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::size_t start = 0;
        while (start < bytes.size()) {
            std::size_t end = bytes.find("\r\n", start);
            if (end == std::string::npos)
                end = bytes.size();
            const std::string line = bytes.substr(start, end - start);
            const std::size_t eq = line.find('=');
            if (eq != std::string::npos) {
                EXPECT_LE(line.size() - eq - 1, 1023u) << name << ": " << line.substr(0, eq);
            }
            start = end + 2;
        }
    }
}

} // namespace
