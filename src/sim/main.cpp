// kestrel-sim: replays a lesson or project without windows, as a learner would press
// "ﾊﾟﾗﾒｰﾀ設定", "学習表示" and "ｼﾐｭﾚｰｼｮﾝ実行" through its steps, and writes the recorded
// samples as CSV.
//
//   kestrel-sim [--app-dir DIR] (--lesson FILE | --project FILE | --file PATH) [--step N] [--all]
//               [--out PATH]
//
// Exit status: 0 when the replay reported no error, 3 when it ran but reported errors (each on
// standard error after its step), 2 for bad input (one line on standard error, nothing replayed).

#include "core/vbformat.h"
#include "sim/replay.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

constexpr int kBadInput = 2;
constexpr int kReportedErrors = 3;

std::filesystem::path executableFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : exe.parent_path();
}

int fail(const std::string& line) {
    std::cerr << "kestrel-sim: " << line << '\n';
    return kBadInput;
}

const char* kUsage = "usage: kestrel-sim [--app-dir DIR] (--lesson FILE | --project FILE | --file PATH) "
                     "[--step N] [--all] [--out PATH]";

} // namespace

int main(int argc, char* argv[]) {
    using namespace kestrel;
    // Only the streams write: unsynchronised with C's stdio, a long CSV goes out buffered.
    std::ios::sync_with_stdio(false);
    std::filesystem::path appDir = executableFolder();
    std::optional<std::filesystem::path> file;
    bool project = false;
    std::string lesson, projectName, filePath, outPath;
    int step = 1;
    bool all = false;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc)
                return false;
            into = argv[++i];
            return true;
        };
        std::string v;
        if (arg == "--app-dir" && value(v))
            appDir = v;
        else if (arg == "--lesson" && value(v))
            lesson = v;
        else if (arg == "--project" && value(v))
            projectName = v;
        else if (arg == "--file" && value(v))
            filePath = v;
        else if (arg == "--out" && value(v))
            outPath = v;
        else if (arg == "--all")
            all = true;
        else if (arg == "--step" && value(v)) {
            char* end = nullptr;
            const long n = std::strtol(v.c_str(), &end, 10);
            if (v.empty() || *end != '\0' || n < 1 || n > 32767)
                return fail("--step needs a step number from 1 to 32767, not \"" + v + "\"");
            step = static_cast<int>(n);
        } else if (arg == "--help" || arg == "-h") {
            std::cout << kUsage << '\n';
            return 0;
        } else {
            return fail("unknown or incomplete option \"" + arg + "\"; " + kUsage);
        }
    }

    const int sources = !lesson.empty() + !projectName.empty() + !filePath.empty();
    if (sources != 1)
        return fail("name exactly one of --lesson, --project and --file; " + std::string(kUsage));
    if (!lesson.empty())
        file = appDir / "Study" / lesson;
    else if (!projectName.empty()) {
        file = appDir / "Project" / projectName;
        project = true;
    } else
        file = filePath;

    std::string problem;
    if (!checkLessonFile(*file, problem))
        return fail(problem);
    if (!std::filesystem::is_directory(appDir / "Study"))
        return fail("no Study folder in the application folder " + appDir.string());

    Replay replay(appDir);
    replay.open(*file, project);
    const int last = replay.lastStep();
    if (step > last)
        return fail("step " + std::to_string(step) + " is beyond the last step (" + std::to_string(last) +
                    ") of " + file->string());

    // The output is opened before the replay, so a path that cannot be written fails at once.
    std::ofstream out;
    bool created = false;
    if (!outPath.empty()) {
        std::error_code ec;
        created = !std::filesystem::exists(outPath, ec);
        out.open(outPath, std::ios::binary);
        if (!out)
            return fail("cannot write " + outPath);
    }

    const auto runs = replay.run(step, all);

    std::optional<int> onlyStep;
    if (!all) {
        // A step without settings shows the chart as the steps before it left it.
        if (runs.empty()) {
            if (created) {
                out.close();
                std::error_code ec;
                std::filesystem::remove(outPath, ec);
            }
            return fail("step " + std::to_string(step) +
                        " makes no settings and no step before it ran: no run is on the chart at that point");
        }
        onlyStep = runs.back().step;
        if (*onlyStep != step)
            std::cerr << "kestrel-sim: step " << step << " makes no settings; writing the run of step " << *onlyStep
                      << ", the one on the chart at that point\n";
    }
    std::ostream& os = outPath.empty() ? std::cout : out;
    writeCsv(os, runs, onlyStep);
    os.flush();
    if (!os)
        return fail("writing the CSV failed");

    std::cerr << replay.summary() << '\n';
    return replay.errors() > 0 ? kReportedErrors : 0;
}
