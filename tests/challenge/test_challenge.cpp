#include "analysis/runstore.h"
#include "challenge/attempt.h"
#include "challenge/grading.h"
#include "challenge/scorebook.h"
#include "core/qmcatalog.h"
#include "core/translate.h"
#include "sim/replay.h"
#include "tempfolder.h"

#include "englishcatalog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

namespace kestrel::challenge {
namespace {

using test::TempFolder;
using test::writeLines;

const std::filesystem::path kData = KESTREL_DATA_DIR;
const std::filesystem::path kShipped = kData / "Study" / "Challenge";
const AppFolders kFolders = AppFolders::portable(kData);

Challenge load(const std::filesystem::path& file) {
    LoadedChallenge loaded = loadChallenge(file);
    EXPECT_TRUE(loaded.challenge) << loaded.error;
    return loaded.challenge ? *loaded.challenge : Challenge{};
}

TEST(Scoring, GoalScoreAtTheLimitTwiceTheLimitBetweenAndOnTheFloor) {
    struct Case {
        double result, limit, floor, s;
    } cases[] = {
        {5, 5, 1, 1},        {10, 5, 1, 0},    {7.5, 5, 1, 0.5},   {20, 5, 1, 0},
        {0.05, 0, 0.1, 0.5}, {0.5, 0, 1, 0.5}, {0.3, 0.2, 1, 0.9}, // a limit below the floor scales by the
                                                                   // floor
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(goalScore(c.result, c.limit, c.floor), c.s) << c.result << " / " << c.limit;
}

TEST(Scoring, RunAgainstGoalsWithWeightsMissingMeasuresAndHints) {
    RunMetrics m;
    m.iae = 30;
    m.offset = -0.15; // the offset's size counts
    m.svStep = SvStepMetrics{};
    m.svStep->overshootPct = 7.5;
    m.svStep->settlingTime = std::nullopt; // not settled
    const std::vector<Goal> goals{{GoalKind::Overshoot, 5, 2, "下げて"},
                                  {GoalKind::Iae, 40, 1, "h"},
                                  {GoalKind::Offset, 0, 1, "積分"},
                                  {GoalKind::Settling, 20, 1, "s"},
                                  {GoalKind::Deviation, 3, 1, "d"}};
    const Score s = scoreRun(goals, m);
    ASSERT_EQ(s.goals.size(), 5u);
    EXPECT_DOUBLE_EQ(s.goals[0].s, 0.5);
    EXPECT_EQ(s.goals[0].hint, "下げて");
    EXPECT_TRUE(s.goals[1].met);
    EXPECT_TRUE(s.goals[1].hint.empty());
    EXPECT_DOUBLE_EQ(*s.goals[2].result, 0.15);
    EXPECT_DOUBLE_EQ(s.goals[2].s, 0.0); // 0.15 beyond a zero limit, floor 0.1
    EXPECT_FALSE(s.goals[3].result);
    EXPECT_EQ(s.goals[3].reason, "実行の終わりまでに整定していません");
    EXPECT_FALSE(s.goals[4].result); // no DV step in the run
    EXPECT_FALSE(s.goals[4].reason.empty());
    EXPECT_DOUBLE_EQ(s.score, 100.0 * (2 * 0.5 + 1) / 6);
}

TEST(Scoring, MysteryAnswersAndSeededDraws) {
    EXPECT_DOUBLE_EQ(answerScore(1.05, 1.0), 1.0);
    EXPECT_DOUBLE_EQ(answerScore(0.5, 1.0), 0.0);
    EXPECT_NEAR(answerScore(1.275, 1.0), 0.5, 1e-12);
    // The same process on every machine: these numbers are part of the shipped quizzes.
    struct Case {
        std::uint64_t seed;
        double k, l, t;
    } cases[] = {{0, 0.74, 4.96, 2.71}, {2035, 1.65, 3.55, 12.49}, {2044, 1.04, 2.30, 13.84}};
    for (const Case& c : cases) {
        MysteryRanges ranges;
        ranges.seed = c.seed;
        const MysteryProcess p = drawProcess(ranges);
        EXPECT_DOUBLE_EQ(p.K, c.k);
        EXPECT_DOUBLE_EQ(p.L, c.l);
        EXPECT_DOUBLE_EQ(p.T, c.t);
    }
    MysteryRanges narrow;
    narrow.kLow = narrow.kHigh = 3;
    EXPECT_DOUBLE_EQ(drawProcess(narrow).K, 3.0);
}

TEST(ChallengeFile, ReadsGoalsHintsAndFreeKeysAndPointsAtUnknownLines) {
    TempFolder dir("challenge");
    writeLines(dir.path() / "c.txt",
               {"[説明]", "TITLE1=題", "TEXT1=一<BR>二", "[課題]", "kp=2", "free=kp, ti", "OVERSHOOT_MAX=5,2",
                "IAE_MAX=40", "HINT_IAE=もっと", "COLOUR=3"});
    const Challenge c = load(dir.path() / "c.txt");
    EXPECT_EQ(c.text, "一\r\n二");
    EXPECT_EQ(c.fixed.at("Kp"), "2");
    EXPECT_EQ(c.freeKeys, (std::vector<std::string>{"Kp", "Ti"}));
    ASSERT_EQ(c.goals.size(), 2u);
    EXPECT_DOUBLE_EQ(c.goals[0].weight, 2);
    EXPECT_EQ(c.goals[0].hint, "Kp を下げるか Ti を長くしてみましょう");
    EXPECT_EQ(c.goals[1].hint, "もっと");
    ASSERT_EQ(c.warnings.size(), 1u);
    EXPECT_EQ(c.warnings[0], "挑戦ファイル「c.txt」の 10 行目：不明なキー「COLOUR」は読みません。");
}

TEST(ChallengeFile, RefusesBadFilesNamingFileAndLine) {
    struct Case {
        std::vector<std::string> lines;
        std::string message;
    } cases[] = {
        {{"[課題]", "FREE=Kp", "OVERSHOOT_MAX=abc"}, "の 3 行目：「OVERSHOOT_MAX」の値「abc」は0 以上の数"},
        {{"[課題]", "FREE=Kp", "IAE_MAX=5,0"}, "の 3 行目：「IAE_MAX の重み」の値「0」は正の数"},
        {{"[課題]", "FREE=Kp", "DEV_MAX=1,2,3"}, "の 3 行目：「DEV_MAX」は「上限」か「上限,重み」"},
        {{"[課題]", "FREE=Kp,Kpl,Color"}, "の 2 行目：「FREE」の「Color」は"},
        {{"[課題]", "FREE=PV_FILTER,VALVE_DB"}, "の 2 行目：「FREE」の「VALVE_DB」は"},
        {{"[課題]", "FREE=Kp2,Ti2,Kin"}, "の 2 行目：「FREE」の「Kin」は"}, // the plant's
        {{"[課題]", "FREE=Kp2,MODE2"}, "の 2 行目：「FREE」の「MODE2」は"},
        {{"[課題]", "loop=3"}, "の 2 行目：「LOOP」には 0 から 2 までの整数"},
        {{"[課題]", "PROC_TYPE=3"}, "の 2 行目：「PROC_TYPE」には 0 から 2 までの整数"},
        {{"[課題]", "Kp=fast"}, "の 2 行目：「Kp」の値「fast」は数値ではありません。"},
        {{"[課題]", "TYPE_SELECT=6"}, "の 2 行目：「TYPE_SELECT」には 0 から 5 までの整数"},
        {{"[課題]", "SEED=-4"}, "の 2 行目：「SEED」には 0 以上の整数"},
        {{"[課題]", "SEED=1", "K=2..1"}, "の 3 行目：「K」は「下限..上限」"},
        {{"[課題]", "FREE=Kp", "IAE_MAX=1", "MODE=0"}, "の 4 行目：採点する実行はカスケード"},
        {{"[課題]", "FREE=Kp"}, "：［課題］に目標"},
        {{"[課題]", "IAE_MAX=1"}, "：［課題］に学習者が変える設定"},
        {{"[課題]", "SEED=1", "IAE_MAX=1"}, "：同定クイズ（SEED のある挑戦）には目標を書けません。"},
        {{"Kp=1", "[課題]"}, "の 1 行目：最初のセクションより前"},
    };
    TempFolder dir("challenge");
    for (const Case& c : cases) {
        std::vector<std::string> lines{"[説明]", "TITLE1=題"};
        lines.insert(lines.end(), c.lines.begin(), c.lines.end());
        if (c.lines.front() == "Kp=1")
            lines = c.lines;
        writeLines(dir.path() / "bad.txt", lines);
        const LoadedChallenge loaded = loadChallenge(dir.path() / "bad.txt");
        EXPECT_FALSE(loaded.challenge);
        EXPECT_NE(loaded.error.find("挑戦ファイル「bad.txt」"), std::string::npos) << loaded.error;
        // Line numbers count the two description lines in front.
        std::string expected = c.message;
        if (c.lines.front() != "Kp=1" && expected.starts_with("の ")) {
            const int line = std::stoi(expected.substr(std::string("の ").size())) + 2;
            expected = "の " + std::to_string(line) + expected.substr(expected.find(" 行目"));
        }
        EXPECT_NE(loaded.error.find(expected), std::string::npos) << loaded.error << " / " << expected;
    }
    EXPECT_EQ(loadChallenge(dir.path() / "none.txt").error, "挑戦ファイル「none.txt」：見つかりません。");
}

TEST(Attempt, SettingsAreBaseSetTypePresetsFixedThenTheFreeOnes) {
    TempFolder dir("challenge");
    writeLines(dir.path() / "c.txt", {"[説明]", "TITLE1=題", "[課題]", "TYPE_SELECT=0", "Kp=1.50", "Kpl=2.00",
                                      "FREE=Kp", "IAE_MAX=1"});
    const StepValues s =
        attemptSettings(kFolders, load(dir.path() / "c.txt"), {{"Kp", "3.00"}, {"Kpl", "9.00"}});
    EXPECT_EQ(s.at("Ti"), "0.00"); // the P page's preset, over the base set's 1.00
    EXPECT_EQ(s.at("Kp"), "3.00");
    EXPECT_EQ(s.at("Kpl"), "2.00"); // not free: the learner's value is not taken
    EXPECT_EQ(s.at("MODE"), "2");
    EXPECT_EQ(s.at("Tpl"), "5.00"); // the base set's
}

TEST(Attempt, AHiddenProcessKeepsItsTypeSecondLagAndValveOutOfTheSavedAttempt) {
    TempFolder dir("challenge");
    writeLines(dir.path() / "h.txt",
               {"[説明]", "TITLE1=題", "[課題]", "HIDDEN=1", "proc_type=1", "Tpl2=3.00", "VALVE_DB=0.50",
                "STICK_S=1.00", "VALVE_T=1.00", "PV_NOISE=0.20", "Kpl=1.50", "SVv0=50", "SVt1=5", "SVv1=60",
                "GRAPH_TM=60", "FREE=Kp,pv_filter", "IAE_MAX=50"});
    const Challenge c = load(dir.path() / "h.txt");
    EXPECT_TRUE(c.warnings.empty());
    const StepValues free{{"Kp", "0.80"}, {"PV_FILTER", "1.00"}};
    std::string error;
    ASSERT_TRUE(saveAttempt(dir.path() / "a.txt", c, free, std::nullopt, error)) << error;
    for (const char* key : {"PROC_TYPE", "Tpl2", "VALVE_DB", "STICK_S", "VALVE_T", "Kpl"})
        EXPECT_EQ(ReadProfileValue(dir.path() / "a.txt", "手順1", key), "") << key;
    EXPECT_EQ(ReadProfileValue(dir.path() / "a.txt", "手順1", "PV_NOISE"), "0.20");
    EXPECT_EQ(ReadProfileValue(dir.path() / "a.txt", "手順1", "PV_FILTER"), "1.00");

    // Graded with the challenge's process and the project's sensor filter.
    const ProjectGrade grade = gradeProject(kFolders, c, dir.path() / "a.txt");
    ASSERT_TRUE(grade.graded) << grade.problem;
    EXPECT_EQ(grade.items.at(0).result, runAttempt(kFolders, c, free).metrics.iae);
    EXPECT_NE(grade.items.at(0).result, runAttempt(kFolders, c, {{"Kp", "0.80"}}).metrics.iae);
    EXPECT_TRUE(grade.ignoredKeys.empty());
}

TEST(Attempt, AHiddenCascadeKeepsItsInnerPartOutAndEveryAttemptSetsTheLoopKeys) {
    TempFolder dir("challenge");
    writeLines(dir.path() / "h.txt", {"[説明]", "TITLE1=題", "[課題]", "HIDDEN=1", "LOOP=1", "TYPE2=0",
                                      "Kp2=0.50", "Kin=2.00", "Tin=3.00", "Lin=0.50", "Kdin=1.00", "DVv0=0",
                                      "DVt1=5", "DVv1=0", "DVt2=5", "DVv2=5", "FREE=Kp2,Kp", "DEV_MAX=1"});
    const Challenge c = load(dir.path() / "h.txt");
    EXPECT_TRUE(c.warnings.empty());
    const StepValues free{{"Kp2", "3.00"}, {"Kp", "1.20"}};
    std::string error;
    ASSERT_TRUE(saveAttempt(dir.path() / "a.txt", c, free, std::nullopt, error)) << error;
    for (const char* key : {"Kin", "Tin", "Lin", "Kpl"})
        EXPECT_EQ(ReadProfileValue(dir.path() / "a.txt", "手順1", key), "") << key;
    for (const auto& [key, value] :
         {std::pair{"LOOP", "1"}, {"Kp2", "3.00"}, {"Kdin", "1.00"}, {"MODE", "2"}})
        EXPECT_EQ(ReadProfileValue(dir.path() / "a.txt", "手順1", key), value) << key;
    // Graded with the challenge's inner part, the project's secondary gain.
    const ProjectGrade grade = gradeProject(kFolders, c, dir.path() / "a.txt");
    ASSERT_TRUE(grade.graded) << grade.problem;
    EXPECT_TRUE(grade.ignoredKeys.empty());
    const AttemptRun run = runAttempt(kFolders, c, free);
    EXPECT_TRUE(run.messages.empty());
    EXPECT_EQ(grade.items.at(0).result, run.metrics.dvStep->peakDeviation);
    EXPECT_NE(grade.items.at(0).result,
              runAttempt(kFolders, c, {{"Kp", "1.20"}}).metrics.dvStep->peakDeviation);

    // An attempt sets every key of the secondary loop, from the base set where the challenge does not.
    const StepValues plain = attemptSettings(kFolders, load(kShipped / "01_offset.txt"), {});
    for (const auto& [key, value] :
         {std::pair{"LOOP", "0"}, {"MODE2", "2"}, {"Kp2", "1.00"}, {"Tdin", "0.00"}})
        EXPECT_EQ(plain.at(key), value) << key;
}

// Each shipped challenge with a solution that scores 100; its starting settings do not.
TEST(ShippedChallenges, EachSolutionScoresFullMarks) {
    const std::map<std::string, StepValues> solutions{
        {"01_offset.txt", {{"TYPE_SELECT", "1"}, {"Kp", "1.00"}, {"Ti", "5.00"}}},
        {"02_setpoint.txt", {{"Kp", "1.20"}, {"Ti", "5.00"}, {"Td", "0.50"}}},
        {"03_windup.txt", {{"Kp", "1.50"}, {"Ti", "4.00"}}},
        {"04_forms.txt", {{"CALC_TYPE", "1"}, {"Kp", "1.20"}, {"Ti", "4.00"}}},
        {"05_2dof.txt",
         {{"Kp", "2.50"}, {"Ti", "3.00"}, {"Td", "1.00"}, {"α", "0.20"}, {"β", "1.50"}, {"γ", "0.00"}}},
        {"06_feedforward.txt", {{"Kf", "1.00"}, {"Tfd", "4.00"}, {"Tfp", "5.00"}, {"Lf", "1.00"}}},
        {"07_deadtime.txt", {{"Kp", "0.60"}, {"Ti", "6.00"}, {"Td", "1.00"}}},
        {"08_mystery1.txt", {}},
        {"09_mystery2.txt", {}},
        {"10_mystery3.txt", {}},
        // A tank integrates by itself: I-PD keeps the set-point step without overshoot, its I the load.
        {"11_level.txt", {{"TYPE_SELECT", "3"}, {"Kp", "4.00"}, {"Ti", "20.00"}}},
        // No D on a noisy PV, and a sensor filter short beside the process.
        {"12_noise.txt", {{"Kp", "1.30"}, {"Ti", "6.00"}, {"Td", "0.00"}, {"PV_FILTER", "0.70"}}},
        // The inner loop strong and fast, the outer one over it as for the outer part alone.
        {"13_cascade.txt", {{"Kp2", "2.00"}, {"Ti2", "2.00"}, {"Kp", "2.00"}, {"Ti", "15.00"}}},
    };
    // The English edition in Study/en/Challenge holds the same challenges with translated texts; the
    // Japanese list is not lengthened by the folder beside it.
    for (const auto& folder : {kShipped, kData / "Study" / "en" / "Challenge"}) {
        const auto files = challengeFiles(folder);
        ASSERT_EQ(files.size(), solutions.size()) << folder;
        for (const auto& file : files) {
            SCOPED_TRACE(file.string());
            const Challenge c = load(file);
            EXPECT_TRUE(c.warnings.empty());
            const StepValues& free = solutions.at(file.filename().string());
            if (const auto truth = mysteryProcess(c)) {
                EXPECT_TRUE(c.hidden);
                EXPECT_EQ(attemptSettings(kFolders, c, {}).at("Tpl"), processValues(*truth).at("Tpl"));
                EXPECT_DOUBLE_EQ(scoreAnswer(*truth, *truth).score, 100.0);
                EXPECT_TRUE(runAttempt(kFolders, c, {}).messages.empty());
                continue;
            }
            const AttemptRun run = runAttempt(kFolders, c, free);
            EXPECT_TRUE(run.messages.empty());
            EXPECT_DOUBLE_EQ(scoreRun(c.goals, run.metrics).score, 100.0);
            EXPECT_LT(scoreRun(c.goals, runAttempt(kFolders, c, {}).metrics).score, 100.0);
        }
    }
}

// The study window's path (the saved attempt replayed as a project, after another lesson ran) and
// the headless run measure the same run to the last digit.
TEST(Attempt, SavedAttemptReplaysAsTheScoredRun) {
    TempFolder dir("challenge");
    const Challenge c = load(kShipped / "05_2dof.txt");
    const StepValues free{{"Kp", "2.50"}, {"Ti", "3.00"}, {"Td", "1.00"}, {"α", "0.20"}, {"β", "1.50"}};
    std::string error;
    ASSERT_TRUE(saveAttempt(dir.path() / "a.txt", c, free, std::nullopt, error)) << error;

    Replay replay(kData);
    replay.open(kData / "Study" / "C050207.txt", false);
    replay.run(1, false);
    replay.open(dir.path() / "a.txt", true);
    const auto runs = replay.run(1, false);
    ASSERT_EQ(runs.size(), 1u);
    const RunMetrics panel = runs[0].metrics;
    const RunMetrics headless = runAttempt(kFolders, c, free).metrics;
    ASSERT_TRUE(panel.svStep && panel.dvStep && headless.svStep && headless.dvStep);
    EXPECT_EQ(panel.iae, headless.iae);
    EXPECT_EQ(panel.mvTravel, headless.mvTravel);
    EXPECT_EQ(panel.svStep->overshootPct, headless.svStep->overshootPct);
    EXPECT_EQ(panel.svStep->settlingTime, headless.svStep->settlingTime);
    EXPECT_EQ(panel.dvStep->peakDeviation, headless.dvStep->peakDeviation);
    EXPECT_EQ(replay.errors(), 0);

    // Graded as the window scores it; a process key the learner may not change is ignored.
    ASSERT_TRUE(WriteProfileValue(dir.path() / "a.txt", "手順1", "Kpl", "3.00"));
    const ProjectGrade grade = gradeProject(kFolders, c, dir.path() / "a.txt");
    EXPECT_EQ(grade.score, scoreRun(c.goals, headless).score);
    EXPECT_EQ(grade.ignoredKeys, std::vector<std::string>{"Kpl"});
    EXPECT_TRUE(grade.messages.empty());
    EXPECT_EQ(gradeProject(kFolders, load(kShipped / "02_setpoint.txt"), dir.path() / "a.txt").messages,
              std::vector<std::string>{"挑戦「05_2dof.txt」で保存されたプロジェクトです"});
}

// What grading, scoring and a run's read-out tell the learner comes in English under the
// translation and in Japanese without it; the settings line a run file keeps stays Japanese.
TEST(Grading, TellsTheLearnerInEnglishAndKeepsTheRunFilesJapanese) {
    const Challenge c = load(kShipped / "02_setpoint.txt");
    KeptRun run;
    run.params.TYPE_SELECT = 2;
    run.params.MODE = 1;
    run.params.dt = 0.1;
    auto texts = [&] {
        std::string reason;
        goalMeasure(GoalKind::Overshoot, RunMetrics{}, reason);
        return std::vector<std::string>{gradeProject(kFolders, c, "no-such-project.txt").problem, reason,
                                        limitName(LimitState::High), settingsSummary(run)};
    };
    const std::string stored = storedSettingsSummary(run);
    EXPECT_EQ(texts(),
              (std::vector<std::string>{"ファイルがありません", "目標値のステップがない実行では測れません",
                                        "上限 MH", stored}));
    EXPECT_NE(stored.find("偏差ＰＩＤ制御 位置型"), std::string::npos) << stored;
    const test::EnglishCatalog english;
    ASSERT_TRUE(english.loaded);
    const auto en = texts();
    EXPECT_EQ(
        std::vector<std::string>(en.begin(), en.end() - 1),
        (std::vector<std::string>{"the file does not exist",
                                  "cannot be measured in a run without a set-point step", "High limit MH"}));
    EXPECT_TRUE(en.back().starts_with("Error PID control position form Kp ")) << en.back();
    EXPECT_NE(en.back().find(" / Auto / dt 0.1 s"), std::string::npos) << en.back();
    EXPECT_EQ(storedSettingsSummary(run), stored);
}

TEST(ScoreBook, KeepsTheBestAndCountsAttemptsAndReadsADamagedFileAsNoScores) {
    TempFolder dir("challenge");
    ScoreBook book(dir.path());
    EXPECT_FALSE(book.entry("01_offset.txt").best);
    ASSERT_TRUE(book.record("01_offset.txt", 62.5));
    ASSERT_TRUE(book.record("01_offset.txt", 40));
    EXPECT_EQ(*book.entry("01_offset.txt").best, 62.5);
    EXPECT_EQ(book.entry("01_offset.txt").attempts, 2);
    writeLines(book.file(), {"[01_offset.txt]", "BEST=lots", "ATTEMPTS=-3"});
    EXPECT_FALSE(book.entry("01_offset.txt").best);
    EXPECT_EQ(book.entry("01_offset.txt").attempts, 0);
}

int runSim(const std::string& args, std::string& out) {
    const std::string command =
        std::string(KESTREL_SIM) + " --app-dir " + kData.string() + " " + args + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[512];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    return WEXITSTATUS(pclose(pipe));
}

TEST(GradingCommand, WritesOneRowPerProjectAndTellsWhetherAllWereGraded) {
    TempFolder dir("challenge");
    std::string error;
    const Challenge quiz = load(kShipped / "08_mystery1.txt");
    ASSERT_TRUE(saveAttempt(dir.path() / "right.txt", quiz, {}, mysteryProcess(quiz), error));
    EXPECT_EQ(ReadProfileValue(dir.path() / "right.txt", "手順1", "Kpl"), ""); // hidden process
    ASSERT_TRUE(saveAttempt(dir.path() / "off.txt", quiz, {}, MysteryProcess{0.5, 0.5, 0.5}, error));

    const std::string right = (dir.path() / "right.txt").string(), off = (dir.path() / "off.txt").string();
    std::string csv;
    EXPECT_EQ(runSim("--grade 08_mystery1.txt --project " + right + " --project " + off, csv), 0);
    EXPECT_EQ(csv, "project,score,goal1,result1,met1,goal2,result2,met2,goal3,result3,met3\n"
                   "right.txt,100,K,1.65,1,L,3.55,1,T,12.49,1\n"
                   "off.txt,0,K,0.5,0,L,0.5,0,T,0.5,0\n");
    csv.clear(); // a folder: its projects in name order
    EXPECT_EQ(runSim("--grade 08_mystery1.txt --project " + dir.path().string(), csv), 0);
    EXPECT_NE(csv.find("\noff.txt,0,K,0.5,0,L,0.5,0,T,0.5,0\nright.txt,100,"), std::string::npos);
    csv.clear();
    EXPECT_EQ(runSim("--grade 08_mystery1.txt --project " + right + " --project " + dir.path().string() +
                         "/none.txt",
                     csv),
              3);
    EXPECT_NE(csv.find("none.txt,,K,,,L,,,T,,\n"), std::string::npos);
    // A cascade attempt, its secondary's settings read back from the project.
    const Challenge cascade = load(kShipped / "13_cascade.txt");
    ASSERT_TRUE(saveAttempt(dir.path() / "cascade.txt", cascade,
                            {{"Kp2", "2.00"}, {"Ti2", "2.00"}, {"Kp", "2.00"}, {"Ti", "15.00"}}, std::nullopt,
                            error));
    csv.clear();
    EXPECT_EQ(runSim("--grade 13_cascade.txt --project " + (dir.path() / "cascade.txt").string(), csv), 0);
    EXPECT_NE(csv.find("\ncascade.txt,100,DEV_MAX,"), std::string::npos) << csv;
    EXPECT_EQ(runSim("--grade nothing.txt --project " + right, csv), 2);
    EXPECT_EQ(runSim("--grade 08_mystery1.txt", csv), 2);
}

} // namespace
} // namespace kestrel::challenge
