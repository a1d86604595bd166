// Identification of a long step test (15,000 control steps, every step kept) by all three
// methods, the least-squares fit alone as for a closed-loop run, the relay test, and the
// comparison of four rules on the loop (the longest graph time at the shortest period).
//
//   build/bench/bench_tuning --benchmark_repetitions=5

#include "tuning/compare.h"
#include "tuning/identify.h"
#include "tuning/relay.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using namespace kestrel::tuning;

namespace {

constexpr int kSteps = 15000;
constexpr double kDt = 0.1;

/// The lesson's step test over 1,500 s: MV 50 % then 69.8 % from 1 s, K 0.8, L 2 s, T 5 s.
kestrel::KeptRun longStepTest() {
    kestrel::KeptRun run;
    run.dt = kDt;
    std::vector<double> mv(kSteps);
    for (int k = 0; k < kSteps; ++k)
        mv[k] = k >= 10 ? 69.8 : 50;
    const std::vector<double> pv = simulateFopdt({0.8, 2, 5}, mv, 40, 50, kDt);
    for (int k = 0; k < kSteps; ++k)
        run.steps.push_back({k * kDt, mv[k], pv[k], mv[k], 0, false});
    return run;
}

void BM_IdentifyLongStepTest(benchmark::State& state) {
    const kestrel::KeptRun run = longStepTest();
    std::string error;
    for (auto _ : state)
        benchmark::DoNotOptimize(identify(run, error));
}
BENCHMARK(BM_IdentifyLongStepTest)->Unit(benchmark::kMillisecond);

/// The fit alone without a first guess, as for a closed-loop run: the dead time scanned first.
void BM_FitResponseLongRun(benchmark::State& state) {
    const kestrel::KeptRun run = longStepTest();
    std::string error;
    for (auto _ : state)
        benchmark::DoNotOptimize(fitResponse(run, error));
}
BENCHMARK(BM_FitResponseLongRun)->Unit(benchmark::kMillisecond);

void BM_RelayTest(benchmark::State& state) {
    RelaySetup setup;
    setup.process = {0.8, 2, 5};
    std::string error;
    for (auto _ : state)
        benchmark::DoNotOptimize(relayTest(setup, error));
}
BENCHMARK(BM_RelayTest)->Unit(benchmark::kMicrosecond);

} // namespace

void BM_CompareFourRules(benchmark::State& state) {
    kestrel::ParameterSet p;
    p.Kpl = 0.8, p.Tpl = 5, p.Lpl = 2, p.dt = 0.02;
    CompareTest test = defaultTest(p, 50);
    test.graphTime = 300;
    const Candidate rules[] = {{"ZN PID", "PID", 3.75, 4, 1},
                               {"CHR 0 PID", "PID", 1.88, 5, 1},
                               {"CHR 20 PID", "PID", 2.97, 7, 0.94},
                               {"ZN PI", "PI", 2.81, 6.6, {}}};
    for (auto _ : state) {
        std::vector<Trial> trials;
        for (const Candidate& c : rules)
            trials.push_back(runTrial(p, c, test, static_cast<int>(trials.size())));
        benchmark::DoNotOptimize(rankTrials(trials, RankBy::IAE));
    }
}
BENCHMARK(BM_CompareFourRules)->Unit(benchmark::kMillisecond);

/// The closed-loop fit of a PI loop's 120 s run at dt 0.1 s (1,200 steps), from a start 10 to 15 %
/// off, as the identification tab runs it.
void BM_FitClosedLoop(benchmark::State& state) {
    kestrel::ParameterSet p;
    p.Kpl = 0.8, p.Tpl = 5, p.Lpl = 2, p.dt = 0.1;
    bool load = false;
    p = trialParameters(p, {"", "PI", 2.81, 6.6, {}}, defaultTest(p, 50), load);
    kestrel::KeptRun run;
    run.params = p;
    run.dt = p.dt;
    run.graphTime = 120;
    std::string error;
    run.steps = runLoop(p, run.graphTime, error);
    for (auto _ : state)
        benchmark::DoNotOptimize(fitClosedLoop(run, {0.7, 2.3, 5.6}, error));
}
BENCHMARK(BM_FitClosedLoop)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
