// Kept runs to CSV and back: a round trip of two runs, kestrel-sim's CSV, and files that are no
// run CSV.

#include "analysis/runcsv.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

using namespace kestrel;

namespace {

/// 40 samples 0.1 s apart of a run stepped at 0.05 s: SV 50 → 55 at 0.5 s and → 60 at 2 s, DV to
/// 3 at 3 s, PV lagging. Its measures come from every step, so only the header can restore them.
/// In cascade its P secondary gives SV2, PV2 and P2, never I2 and D2.
KeptRun handMade(int number, double gain, bool cascade = false) {
    KeptRun run;
    std::tie(run.number, run.label, run.lesson, run.step, run.startedAt, run.dt) =
        std::tuple(number, "比例動作 Kp=" + std::to_string(number) + ", 1/3", "Study/C0501071.txt", 2,
                   "2026-12-07 05:01:02", 0.05);
    std::tie(run.params.CALC_TYPE, run.params.MODE, run.params.Kp, run.params.Ti) =
        std::tuple(1, 1, gain, 10.0 / 3);
    std::tie(run.params.PROC_TYPE, run.params.Tpl2, run.params.PV_NOISE, run.params.STICK_S) =
        std::tuple(1, 2.5, 0.5, 1.25);
    run.params.SVv = {"50", "55", "6 0@%", "", "", "", "", "", ""};
    run.params.SVt = {"0", "0.5", "2", "", "", "", "", "", ""};
    std::tie(run.rangeHigh, run.rangeLow, run.graphTime, run.graph) = std::tuple(80, 20, 100, 1);
    if (cascade)
        std::tie(run.params.LOOP, run.params.TYPE2, run.params.Kp2, run.params.MH2, run.params.MODE2,
                 run.params.Kin, run.params.Lin, run.params.Kdin) =
            std::tuple(1, 0, 2.5, 90.0, 1, 2.0, 0.5, 1.0);
    for (int k = 0; k < 80; ++k) {
        const double t = k * 0.05, sv = t < 0.5 ? 50 : t < 2 ? 55 : 60, dv = t < 3 ? 0 : 3;
        const double pv = k == 0 ? 50 : run.steps.back().pv + 0.2 * (sv - run.steps.back().pv) - 0.1 * dv;
        run.steps.push_back({t, sv, pv, 50 + gain * (sv - pv), dv, false});
        const double mv = run.steps.back().mv;
        const double row[] = {sv, pv, mv, dv, sv - pv, 1.0 / 3, 2, 3, 4, 5, 6, pv + 0.25, mv - 1};
        for (int c = 0; k % 2 == 0 && c < kChannelCount; ++c)
            run.values[c].push_back(c < 13 ? row[c] : !cascade || c > 15 ? kNoSignal : c == 13 ? mv : mv / 2);
        if (k % 2 == 0)
            run.time.push_back(t);
    }
    run.metrics = measureRun(run.steps, run.dt);
    return run;
}

void expectSameRun(const KeptRun& got, const KeptRun& want) {
    EXPECT_EQ(std::tie(got.number, got.source, got.label, got.lesson, got.step, got.startedAt, got.params.SVv,
                       got.params.SVt),
              std::make_tuple(0, std::string("/tmp/old.csv"), want.label, want.lesson, want.step,
                              want.startedAt, want.params.SVv, want.params.SVt));
    EXPECT_EQ(
        std::tie(got.rangeHigh, got.rangeLow, got.graphTime, got.graph, got.dt, got.time, got.values),
        std::tie(want.rangeHigh, want.rangeLow, want.graphTime, want.graph, want.dt, want.time, want.values));
    EXPECT_EQ(settingsSummary(got), settingsSummary(want));
    const ParameterSet &p = got.params, &q = want.params;
    EXPECT_EQ(std::tie(p.LOOP, p.TYPE2, p.Kp2, p.MH2, p.MODE2, p.Kin, p.Lin, p.Kdin),
              std::tie(q.LOOP, q.TYPE2, q.Kp2, q.MH2, q.MODE2, q.Kin, q.Lin, q.Kdin));
    // The inner trace from the columns: only a cascade run has one.
    EXPECT_EQ(got.inner.size(), want.params.LOOP ? want.samples() : 0u);
    EXPECT_EQ(channelInUse(got, Channel::PV2), want.params.LOOP != 0);
    EXPECT_FALSE(channelInUse(got, Channel::I2));
    EXPECT_EQ(got.steps.size(), want.time.size()) << "the samples stand in for the steps";
    const RunMetrics &a = got.metrics, &b = want.metrics;
    ASSERT_TRUE(a.svStep && b.svStep && a.dvStep);
    EXPECT_EQ(std::tie(a.iae, a.itae, a.mvTravel, a.offset, a.svStep->overshootPct, a.svStep->settlingTime,
                       a.dvStep->peakDeviation),
              std::tie(b.iae, b.itae, b.mvTravel, b.offset, b.svStep->overshootPct, b.svStep->settlingTime,
                       b.dvStep->peakDeviation));
}

} // namespace

TEST(RunCsv, RunsComeBackAsTheyWereWritten) {
    const KeptRun one = handMade(3, 2), two = handMade(7, 0.7, true);
    for (const std::vector<const KeptRun*>& runs : {std::vector{&one}, std::vector{&one, &two}}) {
        std::stringstream file;
        writeRunsCsv(file, runs);
        const std::string text = file.str();
        EXPECT_EQ(
            text.rfind(
                "# Kestrel run 3\n# label: 比例動作 Kp=3, 1/3\n# lesson: Study/C0501071.txt step 2\n"
                "# started: 2026-12-07 05:01:02\n# settings: 偏差ＰＩＤ制御 速度型 Kp 2 Ti 3.33333 Td 0 / "
                "K 1 T 5 T2 2.5 L 2 / センサ σ 0.5 / バルブ S 1.25 / 自動 / dt 0.1 秒\n",
                0),
            0u);
        const std::string columns = "time,SV,PV,DV,MV,E,P,I,D,FF,KdDV,DS,PVtrue,VALVE,SV2,PV2,P2,I2,D2\n";
        EXPECT_NE(text.find(runs.size() > 1 ? "\nrun," + columns + "3,0,50,50,0,50,0,"
                                            : "\n" + columns + "0,50,50,0,50,0,"),
                  std::string::npos);
        // No inner loop: five empty cells; a P secondary: no I2 and D2.
        EXPECT_NE(text.find(",50.25,49,,,,,\n"), std::string::npos);
        EXPECT_EQ(text.find(",,,,,\n7,") == std::string::npos, runs.size() == 1);
        EXPECT_EQ(text.find(",50,25,25,,\n") != std::string::npos, runs.size() > 1);
        std::string error = "left over";
        const auto back = readRunsCsv(file, "/tmp/old.csv", error);
        ASSERT_EQ(std::make_tuple(error, back.size()), std::make_tuple(std::string(), runs.size()));
        for (std::size_t i = 0; i < runs.size(); ++i)
            expectSameRun(back[i], *runs[i]);
    }
}

TEST(RunCsv, ReadsTheSimulatorsCsvAndMeasuresIt) {
    // kestrel-sim --all on two steps, saved by a spreadsheet: BOM, CR LF, no header block.
    std::stringstream file(
        "\xEF\xBB\xBFrun,time,SV,PV,DV,MV,E,P,I,D,FF,KdDV,DS\r\n"
        "2,0,50,50,0,50,0,0,-1000,-1000,0,0,0\r\n2,0.2,60,50,0,60,10,10,-1000,-1000,0,0,0\r\n"
        "2,0.4,60,55,0,55,5,5,-1000,-1000,0,0,0\r\n3,0,50,50,0,50,0,0,0,0,0,0,0\r\n"
        "3,0.5,50,48.5,2,51.5,1.5,1.5,0,0,0,0,-1.5\r\n");
    std::string error;
    const auto runs = readRunsCsv(file, "/data/p-control.csv", error);
    ASSERT_EQ(runs.size(), 2u) << error;
    const KeptRun& a = runs[0];
    EXPECT_EQ(std::tie(a.label, runs[1].label, a.dt, runs[1].dt),
              std::tuple("p-control ラン 2", "p-control ラン 3", 0.2, 0.5));
    EXPECT_EQ(std::tie(a.penTime, a.values[int(Channel::MV)]),
              std::tuple(a.time, std::vector<double>{50, 60, 55}));
    EXPECT_EQ(runs[1].values[int(Channel::DS)].back(), -1.5);
    // Written before the process output and the valve position were recorded: they are PV and MV.
    EXPECT_EQ(std::tie(runs[1].values[int(Channel::PvTrue)], runs[1].values[int(Channel::VP)]),
              std::tie(runs[1].values[int(Channel::PV)], runs[1].values[int(Channel::MV)]));
    // Written before the inner loop was recorded: no inner loop.
    EXPECT_TRUE(runs[1].inner.empty());
    EXPECT_EQ(runs[1].values[int(Channel::PV2)], std::vector<double>(2, kNoSignal));
    ASSERT_EQ(a.steps.size(), 3u);
    EXPECT_EQ(std::tie(a.steps[2].t, a.steps[2].sv, a.steps[2].pv, a.steps[2].mv, a.steps[2].dv),
              std::tuple(0.4, 60.0, 55.0, 55.0, 0.0));
    EXPECT_DOUBLE_EQ(a.metrics.iae, (0 + 10 + 5) * 0.2) << "measured on the samples";
}

TEST(RunCsv, AHiddenProcessLeavesOutItsKeysAndTheValves) {
    KeptRun run;
    run.processHidden = true;
    std::tie(run.params.PROC_TYPE, run.params.Tpl2, run.params.VALVE_DB, run.params.STICK_J,
             run.params.PV_NOISE) = std::tuple(2, 3.0, 1.0, 0.5, 0.25);
    run.time = {0};
    for (auto& channel : run.values)
        channel = {50};
    std::ostringstream file;
    writeRunsCsv(file, {&run});
    const std::string text = file.str();
    const std::size_t from = text.find("# params:"), to = text.find('\n', from);
    EXPECT_EQ(text.substr(from, to - from),
              "# params: TYPE_SELECT=2 CALC_TYPE=0 MODE=0 FB=-1 dt=0.1 Kp=1 Ti=1 Td=0 MH=100 ML=0 dML=100 "
              "alpha=1 beta=1 gamma=1 Kd=0 Kds=0 Tds=0 Lds=0 Kf=0 Tfd=0 Tfp=0 Lf=0 PV_NOISE=0.25 "
              "NOISE_SEED=1 PV_FILTER=0 LOOP=0 TYPE2=1 CALC2=1 Kp2=1 Ti2=1 Td2=0 MH2=100 ML2=0 dML2=100 "
              "MODE2=2 Kdin=0 Tdin=0");
    EXPECT_NE(text.find("K ？ T ？ L ？ / センサ σ 0.25 / 手動"), std::string::npos);
}

TEST(RunCsv, RefusesWhatIsNoRunCsvAndSaysWhere) {
    const std::string columns = "time,SV,PV,DV,MV,E,P,I,D,FF,KdDV,DS\n", row = "0,1,2,3,4,5,6,7,8,9,10,11\n";
    std::string huge = columns;
    for (int k = 0; k <= 100'000; ++k)
        huge += row;
    std::string manyRuns;
    for (int k = 1; k <= 1'001; ++k)
        manyRuns += "# Kestrel run " + std::to_string(k) + "\n";
    const struct {
        std::string text, message;
    } cases[] = {
        {"", "CSVファイルが空です。"},
        {"# Kestrel run 1\n# label: x\n\n", "CSVに列の見出し行 (time,SV,PV,DV,MV,…) がありません。"},
        {columns, "CSVに記録の行がありません。"},
        {row, "CSVに列の見出し行 (time,SV,PV,DV,MV,…) がありません。"},
        {"time,SV,PV,DV,MV,E,P,I,D,FF,KdDV,DS,Q\n", "CSVの1行目の列「Q」は知らない列です。"},
        {"time,SV,DV,MV,E,P,I,D,FF,KdDV,DS\n", "CSVの1行目に列「PV」がありません。"},
        {columns + row + "0.1,1,nan,3,4,5,6,7,8,9,10,11\n", "CSVの3行目、3列目が数値ではありません。"},
        {columns + "0,1,,3,4,5,6,7,8,9,10,11\n", "CSVの2行目、3列目が数値ではありません。"},
        {columns + "0.1,1,2,3,4,5,6,7,8,9,1e999,11\n", "CSVの2行目、11列目が数値ではありません。"},
        {columns + "0,1,2,3,4\n", "CSVの2行目の値の数が 5 個です (12 個のはずです)。"},
        {columns + "1,1,2,3,4,5,6,7,8,9,10,11\n" + row, "CSVの3行目の時刻 0 が前の行の時刻より前です。"},
        {"# Kestrel run 1\n# params: Kp=2,5\n" + columns, "CSVの2行目の「Kp」が数値ではありません。"},
        {"# Kestrel run 1\n# Kestrel run 2\n" + columns,
         "CSVの3行目に列「run」がありません (ランが 2 個あります)。"},
        {"# Kestrel run 4\n# dt: 1e308\n" + columns + row + row,
         "CSVのラン 4 の値が大きすぎて評価値を計算できません。"},
        {std::string(70'000, '1'), "CSVの1行目が長すぎます (65536 バイトまで)。"},
        {manyRuns, "CSVのランが多すぎます (1000 個まで読めます)。"},
        {huge, "CSVの行が多すぎます (100000 行まで読めます)。"},
    };
    for (const auto& c : cases) {
        std::istringstream file(c.text);
        std::string error;
        EXPECT_TRUE(readRunsCsv(file, "bad.csv", error).empty()) << c.message;
        EXPECT_EQ(error, c.message);
    }
}
