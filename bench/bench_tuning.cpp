// Identification of a long step test (15,000 control steps, every step kept) by all three
// methods, the least-squares fit alone as for a closed-loop run, and the relay test.
//
//   build/bench/bench_tuning --benchmark_repetitions=5

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

BENCHMARK_MAIN();
