// Identification of a long step test (15,000 control steps, every step kept) by all three
// methods, and the relay test on the same process.
//
//   build/bench/bench_tuning --benchmark_repetitions=5

#include "tuning/identify.h"
#include "tuning/relay.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using namespace kestrel::tuning;

namespace {

void BM_IdentifyLongStepTest(benchmark::State& state) {
    constexpr int kSteps = 15000;
    const double dt = 0.1;
    std::vector<double> t(kSteps), mv(kSteps);
    for (int k = 0; k < kSteps; ++k) {
        t[k] = k * dt;
        mv[k] = k >= 10 ? 69.8 : 50;
    }
    const std::vector<double> pv = simulateFopdt({0.8, 2, 5}, mv, 40, 50, dt);
    std::string error;
    for (auto _ : state)
        benchmark::DoNotOptimize(identify(t, mv, pv, dt, error));
}
BENCHMARK(BM_IdentifyLongStepTest)->Unit(benchmark::kMillisecond);

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
