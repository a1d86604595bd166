// kestrel-sim as a user runs it: a real process on a lesson file written in CP932.

#include "tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Result {
    int status = -1;
    std::string out, err;
};

/// The offset lesson (60 s) with a third step: PI control of the same step.
const std::vector<std::string> kLesson = [] {
    std::vector<std::string> lines = kestrel::test::offsetLesson(60);
    lines.insert(lines.end(), {"[手順3]", "TITLE2=ＰＩ制御", "TEXT2=積分を加えます。", "TYPE_SELECT=1",
                               "Ti=5.00", "[手順4]", "TITLE2="});
    return lines;
}();

class SimTest : public ::testing::Test {
protected:
    void SetUp() override {
        kestrel::test::shipBaseSet(KESTREL_DATA_DIR, mDir);
        lesson("L1.txt", kLesson);
    }

    void lesson(const std::string& name, const std::vector<std::string>& lines) {
        kestrel::test::writeLines(mDir / "Study" / name, lines);
    }

    Result run(const std::string& args) {
        const fs::path out = mDir / "stdout.txt", err = mDir / "stderr.txt";
        const int status = std::system((std::string(KESTREL_SIM) + " --app-dir '" + mDir.string() + "' " +
                                        args + " >'" + out.string() + "' 2>'" + err.string() + "'")
                                           .c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, kestrel::test::readBytes(out),
                kestrel::test::readBytes(err)};
    }

    static std::vector<std::vector<std::string>> csv(const std::string& text) {
        std::vector<std::vector<std::string>> rows;
        std::istringstream in(text);
        for (std::string line, cell; std::getline(in, line);) {
            std::istringstream ls(line);
            for (rows.emplace_back(); std::getline(ls, cell, ',');)
                rows.back().push_back(cell);
        }
        return rows;
    }

    kestrel::test::TempFolder mFolder{"kestrel-sim"};
    const fs::path mDir = mFolder.path();
};

TEST_F(SimTest, ReplaysTheStepsWithSettingsAndWritesTheRunAsCsv) {
    const auto settingsBefore = fs::last_write_time(mDir / "Kestrel.ini");
    const Result r = run("--lesson L1.txt --step 1");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = csv(r.out);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
              "time,SV,PV,DV,MV,E,P,I,D,FF,KdDV,DS,PVtrue,VALVE,SV2,PV2,P2,I2,D2");
    // A single loop has no inner loop: every row ends in its five empty cells.
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), ','), 301 * 18);
    EXPECT_EQ(r.out.substr(r.out.size() - 6), ",,,,,\n");
    // 60 s at dt 0.1 s with two steps per sample: samples at 0, 0.2, ... 59.8. Type P records -1000
    // for the unused I and D pens.
    ASSERT_EQ(rows.size(), 1u + 300u);
    EXPECT_EQ((std::vector{rows[1][0], rows[1][1], rows[1][7], rows[1][8]}),
              (std::vector<std::string>{"0", "50", "-1000", "-1000"}));
    // P control leaves an offset: 2·(55 − PV) + 50 = PV at steady state, PV = 53.33 %.
    EXPECT_EQ(rows.back()[1], "55");
    EXPECT_NEAR(std::stod(rows.back()[2]), 160.0 / 3.0, 0.01);
    // Neither sensor nor valve acts: the process output is PV, the valve position MV.
    EXPECT_EQ((std::vector{rows.back()[12], rows.back()[13]}), (std::vector{rows.back()[2], rows.back()[4]}));
    for (const char* shown : {"比例制御", "1 Ｐ制御の応答", "5.1.7(1)-1"})
        EXPECT_NE(r.err.find(shown), std::string::npos) << shown;

    // The same into a file, and the settings file left alone.
    const fs::path out = mDir / "run.csv";
    const Result toFile =
        run("--file '" + (mDir / "Study" / "L1.txt").string() + "' --out '" + out.string() + "'");
    EXPECT_EQ(std::tuple(toFile.status, toFile.out, kestrel::test::readBytes(out)), std::tuple(0, "", r.out))
        << toFile.err;
    EXPECT_EQ(fs::last_write_time(mDir / "Kestrel.ini"), settingsBefore);

    // Without --all, a text-only step writes the run on the chart at that point: step 1's.
    const Result second = run("--lesson L1.txt --step 2");
    EXPECT_EQ(std::tuple(second.status, second.out), std::tuple(0, r.out)) << second.err;
    EXPECT_NE(second.err.find("step 2 makes no settings; writing the run of step 1"), std::string::npos);

    // With --all every run carries its step number, and the text-only step is passed over.
    const Result all = run("--lesson L1.txt --step 3 --all");
    ASSERT_EQ(all.status, 0) << all.err;
    const auto allRows = csv(all.out);
    EXPECT_EQ(allRows[0][0], "run");
    std::map<std::string, int> runs; // samples per step
    for (std::size_t i = 1; i < allRows.size(); ++i) {
        ASSERT_EQ(allRows[i].size(), 19u); // the last empty cell ends the line
        ++runs[allRows[i][0]];
    }
    EXPECT_EQ(runs, (std::map<std::string, int>{{"1", 300}, {"3", 300}}));
    EXPECT_NE(all.err.find("3 ＰＩ制御"), std::string::npos);
    EXPECT_EQ(all.err.find("2 考えよう"), std::string::npos);

    // --metrics: one JSON line per run. The P run steps SV by 5 at 1 s; PV moves 3.33 of it and
    // leaves an offset of 1.67; DV never changes.
    const Result metrics = run("--lesson L1.txt --step 3 --all --metrics");
    ASSERT_EQ(metrics.status, 0) << metrics.err;
    const std::string first = metrics.out.substr(0, metrics.out.find('\n') + 1);
    EXPECT_EQ(std::count(metrics.out.begin(), metrics.out.end(), '\n'), 2);
    EXPECT_EQ(first.rfind("{\"run\":1,\"label\":\"Ｐ制御の応答\",", 0), 0u) << first;
    for (const auto& [key, want] :
         {std::pair{"\"offset\":", 55 - 160.0 / 3}, {"\"size\":", 5.0}, {"\"pv_change\":", 160.0 / 3 - 50}})
        EXPECT_NEAR(std::stod(first.substr(first.find(key) + std::strlen(key))), want, 0.01) << key;
    EXPECT_NE(first.find(",\"dv_step\":null}\n"), std::string::npos) << first;
}

TEST_F(SimTest, ReplayErrorsGiveStatusThreeAndBadInputStatusTwoBeforeAnythingIsReplayed) {
    std::vector<std::string> badKp = kLesson;
    *std::find(badKp.begin(), badKp.end(), "Kp=2.00") = "Kp=abc";
    lesson("bad.txt", badKp);
    const Result r = run("--lesson bad.txt --step 1");
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_NE(r.err.find("kestrel-sim: 手順1: 比例ゲイン Kp：数値を半角で入力してください。  P001\n"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(csv(r.out).size(), 1u + 300u); // the run is still written

    lesson("text.txt", {"[説明]", "TITLE1=読むだけ", "[手順1]", "TITLE2=まえがき", "TEXT2=読みます。",
                        "[手順2]", "TITLE2="});
    kestrel::test::writeBytes(mDir / "Study" / "junk.txt", std::string("\177ELF\0\0\0binary", 12));
    const std::vector<std::string> bad = {
        "--lesson L1.txt --bogus", "--lesson missing.txt", "--lesson L1.txt --step 4",
        "--lesson L1.txt --step x", "--lesson junk.txt", "", "--lesson L1.txt --project P.txt", "--step",
        // the output cannot be written: refused before the replay of bad.txt would report its step 1
        "--lesson bad.txt --out /no/such/folder/run.csv", "--lesson bad.txt --out '" + mDir.string() + "'",
        // no step at or before step 1 ran: nothing is on the chart
        "--lesson text.txt --step 1"};
    for (const std::string& args : bad) {
        const Result got = run(args);
        const auto lines = std::count(got.err.begin(), got.err.end(), '\n');
        EXPECT_EQ(std::tuple(got.status, got.out, lines), std::tuple(2, "", 1)) << args << ": " << got.err;
    }
}

TEST_F(SimTest, InEnglishTheRunsAreTheSameBytesAndTheMessagesAreEnglish) {
    std::vector<std::string> badKp = kLesson;
    *std::find(badKp.begin(), badKp.end(), "Kp=2.00") = "Kp=abc";
    lesson("bad.txt", badKp);
    // The English lessons and the compiled translation, where an installed folder has them.
    fs::create_directories(mDir / "Study" / "en");
    fs::create_directories(mDir / "translations");
    fs::copy_file(mDir / "Study" / "ParaInz.txt", mDir / "Study" / "en" / "ParaInz.txt");
    fs::copy_file(mDir / "Study" / "bad.txt", mDir / "Study" / "en" / "bad.txt");
    fs::copy_file(KESTREL_QM_FILE, mDir / "translations" / "kestrel_en.qm");

    const Result japanese = run("--lesson bad.txt --step 3 --all");
    const Result english = run("--lesson bad.txt --step 3 --all --lang en");
    EXPECT_EQ(std::tuple(english.status, japanese.status), std::tuple(3, 3)) << english.err;
    EXPECT_EQ(english.out, japanese.out);
    EXPECT_EQ(csv(english.out).size(), 1u + 2u * 300u);
    EXPECT_NE(english.err.find("kestrel-sim: step 1: Prop. gain Kp: Please enter a number.  P001\n"),
              std::string::npos)
        << english.err;
    EXPECT_NE(japanese.err.find("kestrel-sim: 手順1: 比例ゲイン Kp：数値を半角で入力してください。  P001\n"),
              std::string::npos)
        << japanese.err;
}

} // namespace
