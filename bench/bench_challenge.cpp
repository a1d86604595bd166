// A teacher's batch grading: 100 learners' projects graded against the two-degree-of-freedom
// challenge (a set-point step and a disturbance, 140 s at 0.1 s), each project applied step by step
// over the base set, its attempt run and scored. The target is at most 2 s for the 100.
//
//   build/bench/bench_challenge --benchmark_repetitions=5

#include "challenge/grading.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace kestrel::challenge;

const std::filesystem::path kData = KESTREL_DATA_DIR;

void BM_Grade100Projects(benchmark::State& state) {
    const auto loaded = loadChallenge(kData / "Study" / "Challenge" / "05_2dof.txt");
    if (!loaded.challenge)
        throw std::runtime_error(loaded.error);
    const Challenge& c = *loaded.challenge;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kestrel-bench-grading";
    std::filesystem::create_directories(folder);
    std::vector<std::filesystem::path> projects;
    for (int i = 0; i < 100; ++i) {
        // Learners' answers differ: Kp from 1.00 to 2.98.
        const StepValues free{
            {"Kp", std::to_string(1.0 + 0.02 * i).substr(0, 4)}, {"Ti", "3.00"}, {"Td", "1.00"}};
        projects.push_back(folder / ("P" + std::to_string(i) + ".txt"));
        std::string error;
        if (!saveAttempt(projects.back(), c, free, std::nullopt, error))
            throw std::runtime_error(error);
    }
    for (auto _ : state)
        for (const auto& project : projects)
            benchmark::DoNotOptimize(gradeProject(kestrel::AppFolders::portable(kData), c, project));
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_Grade100Projects)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
