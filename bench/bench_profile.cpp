// Reading one key of a lesson-sized profile file (200 keys in CP932 with Japanese names).
//
//   build/bench/bench_profile --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

#include "setup/modinifile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path makeFile() {
    const fs::path file = fs::temp_directory_path() / ("kestrel-bench-" + std::to_string(::getpid()) + ".txt");
    fs::remove(file);
    // Ten step sections of twenty keys, as a long lesson has.
    for (int s = 1; s <= 10; ++s)
        for (int k = 0; k < 20; ++k)
            kestrel::WriteProfileValue(file, "手順" + std::to_string(s), "キー" + std::to_string(k),
                                       "値　" + std::to_string(s * 100 + k) + "<BR>説明の文です");
    return file;
}

void BM_ReadProfileValue(benchmark::State& state) {
    static const fs::path file = makeFile();
    for (auto _ : state) {
        // The last key of the last section: the whole file is scanned.
        benchmark::DoNotOptimize(kestrel::ReadProfileValue(file, "手順10", "キー19"));
    }
}
BENCHMARK(BM_ReadProfileValue)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
