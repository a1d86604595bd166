// kestrel-sim: replays a lesson or project without windows, as a learner would press
// "ﾊﾟﾗﾒｰﾀ設定", "学習表示" and "ｼﾐｭﾚｰｼｮﾝ実行" through its steps, and writes the recorded
// samples as CSV.
//
//   kestrel-sim [--app-dir DIR] (--lesson FILE | --project FILE | --file PATH) [--step N] [--all]
//               [--out PATH]

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

    const auto runs = replay.run(step, all);

    std::ofstream out;
    if (!outPath.empty()) {
        out.open(outPath, std::ios::binary);
        if (!out)
            return fail("cannot write " + outPath);
    }
    std::ostream& os = outPath.empty() ? std::cout : out;
    writeCsv(os, runs, all ? std::nullopt : std::optional<int>(step));
    os.flush();
    if (!os)
        return fail("writing the CSV failed");

    std::cerr << replay.summary() << '\n';
    return 0;
}
