#include "sim/grade.h"

#include "challenge/grading.h"
#include "sim/replay.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

namespace {

constexpr int kBadInput = 2;
constexpr int kNotAllGraded = 3;

const char* kGradeUsage =
    "usage: kestrel-sim --grade CHALLENGE --project FILE|FOLDER [--project FILE|FOLDER ...] [--out PATH] "
    "[--app-dir DIR] [--lang en]";

int fail(const std::string& line) {
    std::cerr << "kestrel-sim: " << line << '\n';
    return kBadInput;
}

/// `name` as given when it names a file, otherwise the file of that name in `folder`.
std::filesystem::path located(const std::string& name, const std::filesystem::path& folder) {
    std::error_code ec;
    const std::filesystem::path given(name);
    if (std::filesystem::exists(given, ec) || given.has_parent_path())
        return given;
    return folder / given;
}

/// The projects a `--project` names: the file, or every .txt file of a folder in name order.
std::vector<std::filesystem::path> projectsNamed(const std::filesystem::path& named) {
    std::error_code ec;
    if (!std::filesystem::is_directory(named, ec))
        return {named};
    std::vector<std::filesystem::path> files;
    for (std::filesystem::directory_iterator it(named, ec), end; !ec && it != end; it.increment(ec)) {
        std::string ext = it->path().extension().string();
        for (char& ch : ext)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (ext == ".txt" && it->is_regular_file(ec))
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

} // namespace

const char* gradeUsage() {
    return kGradeUsage;
}

bool isGradeCommand(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--grade")
            return true;
    return false;
}

int gradeMain(int argc, char* argv[], const std::filesystem::path& executableDir) {
    std::optional<std::filesystem::path> appDir;
    std::string challengeName, outPath, language;
    std::vector<std::string> projectNames;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--grade" && hasValue)
            challengeName = argv[++i];
        else if (arg == "--project" && hasValue)
            projectNames.emplace_back(argv[++i]);
        else if (arg == "--out" && hasValue)
            outPath = argv[++i];
        else if (arg == "--app-dir" && hasValue)
            appDir = argv[++i];
        else if (arg == "--lang" && hasValue)
            language = argv[++i];
        else
            return fail("unknown or incomplete option \"" + arg + "\" for grading; " + kGradeUsage);
    }
    if (challengeName.empty() || projectNames.empty())
        return fail(std::string("name a challenge and at least one project; ") + kGradeUsage);
    // The folders as the program finds them: --app-dir, or the layout of this program's folder.
    AppFolders folders = appDir ? AppFolders::portable(*appDir)
                                : findAppFolders(executableDir, userDataFolder(std::getenv("XDG_DATA_HOME"),
                                                                               std::getenv("HOME")));
    if (std::string problem; !chooseLanguage(folders, language, problem))
        return fail(problem);
    if (!std::filesystem::is_directory(folders.studyFolder()))
        return fail("no Study folder in the application folder " + folders.data.string());
    std::filesystem::path unmade;
    if (const std::error_code ec = prepareUserFolder(folders, unmade))
        return fail("cannot make " + unmade.string() + ": " + ec.message());

    const auto loaded = challenge::loadChallenge(located(challengeName, folders.studyFolder() / "Challenge"));
    if (!loaded.challenge)
        return fail(loaded.error);
    const challenge::Challenge& c = *loaded.challenge;
    for (const std::string& warning : c.warnings)
        std::cerr << "kestrel-sim: " << warning << '\n';

    std::ofstream out;
    if (!outPath.empty()) {
        out.open(outPath, std::ios::binary);
        if (!out)
            return fail("cannot write " + outPath);
    }

    std::vector<std::filesystem::path> projects;
    for (const std::string& name : projectNames) {
        const auto named = projectsNamed(located(name, folders.projectFolder()));
        if (named.empty())
            return fail("no project files (.txt) in the folder " + name);
        projects.insert(projects.end(), named.begin(), named.end());
    }

    std::vector<challenge::ProjectGrade> grades;
    int notGraded = 0;
    for (const std::filesystem::path& project : projects) {
        grades.push_back(challenge::gradeProject(folders, c, project));
        const challenge::ProjectGrade& g = grades.back();
        const std::string who = "kestrel-sim: " + g.project.string() + ": ";
        if (!g.graded) {
            ++notGraded;
            std::cerr << who << "not graded: " << g.problem << '\n';
            continue;
        }
        if (!g.ignoredKeys.empty())
            std::cerr << who << "settings outside FREE ignored: " << joined(g.ignoredKeys) << '\n';
        for (const std::string& message : g.messages)
            std::cerr << who << message << '\n';
    }

    std::ostream& os = outPath.empty() ? std::cout : out;
    challenge::writeGradeCsv(os, c, grades);
    os.flush();
    if (!os)
        return fail("writing the grades failed");
    if (notGraded > 0) {
        std::cerr << "kestrel-sim: " << notGraded << " of " << grades.size() << " projects not graded\n";
        return kNotAllGraded;
    }
    return 0;
}

} // namespace kestrel
