// Profile files: reading one key of a lesson-sized file, reading every key of a long project, and
// the step save ("書き込み") of a project.
//
//   build/bench/bench_profile --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

#include "engine/fakes.h"
#include "setup/modinifile.h"
#include "setup/setupdocument.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace kestrel;

namespace {

// A folder of this run, removed when the program ends.
const fs::path& benchFolder() {
    struct Folder {
        fs::path path = fs::temp_directory_path() / ("kestrel-bench-" + std::to_string(::getpid()));
        Folder() {
            fs::create_directories(path / "Study");
            fs::create_directories(path / "Project");
        }
        ~Folder() {
            std::error_code ignored;
            fs::remove_all(path, ignored);
        }
    };
    static const Folder folder;
    return folder.path;
}

// A file as it lies on disk between sessions: written long ago.
void settle(const fs::path& file) {
    fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(1));
}

fs::path makeLessonFile() {
    const fs::path file = benchFolder() / "lesson.txt";
    fs::remove(file);
    // Ten step sections of twenty keys, as a long lesson has.
    std::vector<ProfileEntry> entries;
    for (int s = 1; s <= 10; ++s)
        for (int k = 0; k < 20; ++k)
            entries.push_back({"手順" + std::to_string(s), "キー" + std::to_string(k),
                               "値　" + std::to_string(s * 100 + k) + "<BR>説明の文です"});
    WriteProfileValues(file, entries);
    settle(file);
    return file;
}

constexpr int kLongSteps = 4001;
const char* const kLongKeys[] = {"TITLE2", "TEXT2", "Kp", "Ti", "MODE", "GRAPH_TM"};

fs::path makeLongProject() {
    const fs::path file = benchFolder() / "Project" / "long.txt";
    fs::remove(file);
    std::vector<ProfileEntry> entries{{"説明", "TITLE1", "長い自習"}};
    for (int s = 1; s <= kLongSteps; ++s) {
        const std::string section = "手順" + std::to_string(s);
        entries.push_back({section, "TITLE2", "手順" + std::to_string(s) + "の実験"});
        entries.push_back({section, "TEXT2", "比例ゲインを変えます。<BR>結果を見ます。"});
        entries.push_back({section, "Kp", std::to_string(1 + s % 9)});
        entries.push_back({section, "Ti", std::to_string(2 + s % 5)});
        entries.push_back({section, "MODE", "1"});
        entries.push_back({section, "GRAPH_TM", "1"});
    }
    WriteProfileValues(file, entries);
    settle(file);
    return file;
}

void BM_ReadProfileValue(benchmark::State& state) {
    static const fs::path file = makeLessonFile();
    for (auto _ : state) {
        // The last key of the last section.
        benchmark::DoNotOptimize(ReadProfileValue(file, "手順10", "キー19"));
    }
}
BENCHMARK(BM_ReadProfileValue)->Unit(benchmark::kMicrosecond);

// A replay of a 4,001-step project reads every key of every step once.
void BM_ReadEveryKeyOfALongProject(benchmark::State& state) {
    static const fs::path file = makeLongProject();
    for (auto _ : state)
        for (int s = 1; s <= kLongSteps; ++s)
            for (const char* key : kLongKeys)
                benchmark::DoNotOptimize(ReadProfileValue(file, "手順" + std::to_string(s), key));
}
BENCHMARK(BM_ReadEveryKeyOfALongProject)->Unit(benchmark::kMillisecond);

// "書き込み" of step 10 of a 20-step project, the parameter window holding the base set but Kp.
void BM_StepSave(benchmark::State& state) {
    const fs::path& app = benchFolder();
    std::vector<ProfileEntry> base;
    for (const FieldDef& f : kFields)
        base.push_back({"手順", std::string(f.key), std::string(f.initial)});
    WriteProfileValues(app / "Study" / "ParaInz.txt", base);
    const fs::path project = app / "Project" / "P1.txt";
    fs::remove(project);
    std::vector<ProfileEntry> steps;
    for (int s = 1; s <= 20; ++s)
        steps.push_back({"手順" + std::to_string(s), "TITLE2", "手順の題"});
    WriteProfileValues(project, steps);

    AppState appState;
    test::FakeMessages messages;
    SetupDocument document(appState, messages, app);
    appState.study.IniPath = app / "Kestrel.ini";
    appState.study.CurFile = project.string();
    appState.study.ProjectMode = true;
    appState.study.StepNo = 10;
    const StepTexts texts{"自習", "説明の一行目\r\n二行目", "比例ゲインを変える",
                          "Kp を変えて\r\n結果を見る"};
    int n = 0;
    for (auto _ : state) {
        document.setFieldText(Kp, ++n % 2 ? "2.00" : "3.00");
        benchmark::DoNotOptimize(document.saveStep(texts));
    }
}
BENCHMARK(BM_StepSave)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
