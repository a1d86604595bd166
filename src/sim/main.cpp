// kestrel-sim: replays a lesson or project without windows, as a learner would press
// "ﾊﾟﾗﾒｰﾀ設定", "学習表示" and "ｼﾐｭﾚｰｼｮﾝ実行" through its steps, and writes the recorded
// samples as CSV, or with --metrics each run's measures as one JSON object per line.
//
//   kestrel-sim [--app-dir DIR] (--lesson FILE | --project FILE | --file PATH) [--step N] [--all]
//               [--metrics] [--out PATH] [--lang en]
//   kestrel-sim --grade CHALLENGE --project FILE [--project FILE ...] [--out PATH] [--lang en]
//                                                                                  (sim/grade.h)
//
// --app-dir names a folder holding everything (Study/, Project/, Kestrel.ini). Without it the
// folders are found as the program finds them: beside this executable in a portable folder; in an
// installation, the lessons under <prefix>/share/kestrel and projects and settings in the learner's
// folder ($XDG_DATA_HOME/Kestrel or ~/.local/share/Kestrel, made on first use).
// --lang en replays the English lessons (Study/en) and reports the program's messages in English;
// the runs are the same.
//
// Exit status: 0 when the replay reported no error, 3 when it ran but reported errors (each on
// standard error after its step), 2 for bad input (one line on standard error, nothing replayed).

#include "core/vbformat.h"
#include "sim/grade.h"
#include "sim/replay.h"

#include <cstdio>
#include <cstdlib>
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
                     "[--step N] [--all] [--metrics] [--out PATH] [--lang en]";

struct Options {
    std::optional<std::filesystem::path> appDir;
    std::string lesson, projectName, filePath, outPath, language;
    int step = 1;
    bool all = false;
    bool metrics = false;
    bool help = false;
};

/// Reads the command line into `o`; returns an empty string or the line that says what is wrong.
std::string parseOptions(int argc, char* argv[], Options& o) {
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
            o.appDir = v;
        else if (arg == "--lesson" && value(v))
            o.lesson = v;
        else if (arg == "--project" && value(v))
            o.projectName = v;
        else if (arg == "--file" && value(v))
            o.filePath = v;
        else if (arg == "--out" && value(v))
            o.outPath = v;
        else if (arg == "--lang" && value(v))
            o.language = v;
        else if (arg == "--all")
            o.all = true;
        else if (arg == "--metrics")
            o.metrics = true;
        else if (arg == "--step" && value(v)) {
            char* end = nullptr;
            const long n = std::strtol(v.c_str(), &end, 10);
            if (v.empty() || *end != '\0' || n < 1 || n > 32767)
                return "--step needs a step number from 1 to 32767, not \"" + v + "\"";
            o.step = static_cast<int>(n);
        } else if (arg == "--help" || arg == "-h") {
            o.help = true;
            return "";
        } else {
            return "unknown or incomplete option \"" + arg + "\"; " + kUsage;
        }
    }
    const int sources = !o.lesson.empty() + !o.projectName.empty() + !o.filePath.empty();
    if (sources != 1)
        return "name exactly one of --lesson, --project and --file; " + std::string(kUsage);
    return "";
}

/// The folders of the replay: --app-dir, or the layout of the folder this program lies in.
kestrel::AppFolders foldersOf(const Options& o) {
    if (o.appDir)
        return kestrel::AppFolders::portable(*o.appDir);
    return kestrel::findAppFolders(
        executableFolder(), kestrel::userDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
}

/// The file the options name, and whether it is a project.
std::filesystem::path fileOf(const Options& o, const kestrel::AppFolders& folders, bool& project) {
    project = !o.projectName.empty();
    if (!o.lesson.empty())
        return folders.studyFolder() / o.lesson;
    if (project)
        return folders.projectFolder() / o.projectName;
    return o.filePath;
}

/// Of the runs replayed up to `step`, the one to write without --all: the run on the chart at that
/// point. None when no step at or before `step` ran.
std::optional<int> runOnTheChart(const std::vector<kestrel::RunRecord>& runs, int step) {
    if (runs.empty())
        return std::nullopt;
    const int shown = runs.back().step;
    if (shown != step)
        std::cerr << "kestrel-sim: step " << step << " makes no settings; writing the run of step " << shown
                  << ", the one on the chart at that point\n";
    return shown;
}

} // namespace

int main(int argc, char* argv[]) {
    using namespace kestrel;
    // Only the streams write: unsynchronised with C's stdio, a long CSV goes out buffered.
    std::ios::sync_with_stdio(false);
    if (isGradeCommand(argc, argv))
        return gradeMain(argc, argv, executableFolder());
    Options o;
    std::string problem = parseOptions(argc, argv, o);
    if (!problem.empty())
        return fail(problem);
    if (o.help) {
        std::cout << kUsage << '\n' << gradeUsage() << '\n';
        return 0;
    }
    AppFolders folders = foldersOf(o);
    if (!chooseLanguage(folders, o.language, problem))
        return fail(problem);
    bool project = false;
    const std::filesystem::path file = fileOf(o, folders, project);
    if (!checkLessonFile(file, problem))
        return fail(problem);
    if (!std::filesystem::is_directory(folders.studyFolder()))
        return fail("no Study folder in the application folder " + folders.data.string());
    std::filesystem::path failed;
    if (const std::error_code ec = prepareUserFolder(folders, failed))
        return fail("cannot make " + failed.string() + ": " + ec.message());

    Replay replay(folders);
    replay.open(file, project);
    const int last = replay.lastStep();
    if (o.step > last)
        return fail("step " + std::to_string(o.step) + " is beyond the last step (" + std::to_string(last) +
                    ") of " + file.string());

    // The output is opened before the replay, so a path that cannot be written fails at once.
    std::ofstream out;
    bool created = false;
    if (!o.outPath.empty()) {
        std::error_code ec;
        created = !std::filesystem::exists(o.outPath, ec);
        out.open(o.outPath, std::ios::binary);
        if (!out)
            return fail("cannot write " + o.outPath);
    }

    const auto runs = replay.run(o.step, o.all);
    std::optional<int> onlyStep;
    if (!o.all) {
        onlyStep = runOnTheChart(runs, o.step);
        // A step without settings shows the chart as the steps before it left it.
        if (!onlyStep) {
            if (created) {
                out.close();
                std::error_code ec;
                std::filesystem::remove(o.outPath, ec);
            }
            return fail("step " + std::to_string(o.step) +
                        " makes no settings and no step before it ran: no run is on the chart at that point");
        }
    }
    std::ostream& os = o.outPath.empty() ? std::cout : out;
    if (o.metrics)
        writeMetrics(os, runs, onlyStep);
    else
        writeCsv(os, runs, onlyStep);
    os.flush();
    if (!os)
        return fail(o.metrics ? "writing the measures failed" : "writing the CSV failed");

    std::cerr << replay.summary() << '\n';
    return replay.errors() > 0 ? kReportedErrors : 0;
}
