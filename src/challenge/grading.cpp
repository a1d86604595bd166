#include "challenge/grading.h"

#include "core/convert.h"
#include "core/messageservice.h"
#include "core/strings.h"
#include "core/translate.h"
#include "core/vbformat.h"
#include "setup/cp932.h"
#include "setup/modinifile.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

namespace kestrel::challenge {

namespace {

constexpr std::uintmax_t kLargestProject = 4u << 20;

std::optional<double> wholeNumber(std::string_view text) {
    const std::string s(trim(text));
    if (s.empty())
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(s.c_str(), &end);
    if (*end != '\0' || errno == ERANGE || !std::isfinite(v))
        return std::nullopt;
    return v;
}

bool sameSetting(const std::string& a, const std::string& b) {
    const auto x = wholeNumber(a), y = wholeNumber(b);
    if (x && y)
        return *x == *y;
    return trim(a) == trim(b);
}

/// The bytes of a project, or why it cannot be one.
std::optional<std::string> projectBytes(const std::filesystem::path& file, std::string& problem) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        problem = KESTREL_TR("Grading", "ファイルがありません");
        return std::nullopt;
    }
    if (std::filesystem::file_size(file, ec) > kLargestProject) {
        problem = KESTREL_TR("Grading", "プロジェクトとしては大きすぎます");
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        problem = KESTREL_TR("Grading", "読めません");
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.find('\0') != std::string::npos || bytes.find('[') == std::string::npos) {
        problem = KESTREL_TR("Grading", "プロジェクトのファイルではありません");
        return std::nullopt;
    }
    return bytes;
}

/// The step keys the project's steps give, each with the value of the last step that gives it.
StepValues keysGiven(const std::string& bytes) {
    StepValues given;
    const std::string text = cp932ToUtf8(bytes);
    bool inStep = false;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line = std::string_view(text).substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        line = trim(line);
        begin = end + 1;
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[' && line.rfind(']') != std::string_view::npos) {
            const std::string_view name = trim(line.substr(1, line.rfind(']') - 1));
            inStep = name.starts_with("手順") && name.size() > std::string_view("手順").size();
            continue;
        }
        if (!inStep)
            continue;
        const std::size_t eq = line.find('=');
        const auto key = stepKeyName(trim(line.substr(0, eq)));
        const std::string_view value = eq == std::string_view::npos ? "" : trim(line.substr(eq + 1));
        if (key && !value.empty())
            given[*key] = std::string(value);
    }
    return given;
}

} // namespace

ProjectGrade gradeProject(const AppFolders& folders, const Challenge& c,
                          const std::filesystem::path& project) {
    ProjectGrade grade;
    grade.project = project;
    const auto bytes = projectBytes(project, grade.problem);
    if (!bytes)
        return grade;

    // A project saved for another challenge is graded all the same, and the teacher told.
    if (const std::string savedFor = ReadProfile(project)->value("挑戦", "FILE");
        !savedFor.empty() && savedFor != c.id())
        grade.messages.push_back(
            trArgs(KESTREL_TR("Grading", "挑戦「%1」で保存されたプロジェクトです"), {savedFor}));

    if (const auto truth = mysteryProcess(c)) {
        const auto answers = ReadProfile(project);
        const auto k = wholeNumber(answers->value("解答", "K"));
        const auto l = wholeNumber(answers->value("解答", "L"));
        const auto t = wholeNumber(answers->value("解答", "T"));
        if (!k || !l || !t) {
            grade.problem = KESTREL_TR("Grading", "解答（［解答］の K, L, T）がありません");
            return grade;
        }
        const MysteryProcess answer{*k, *l, *t};
        const MysteryScore s = scoreAnswer(answer, *truth);
        grade.score = s.score;
        grade.items = {
            {"K", answer.K, s.sK == 1.0}, {"L", answer.L, s.sL == 1.0}, {"T", answer.T, s.sT == 1.0}};
        grade.graded = true;
        return grade;
    }

    // The project's steps applied in turn over the base set, as the study window applies them.
    AppState state;
    KeptMessages messages; // applying a learner's project shows nothing; what it would show is kept
    SetupDocument document(state, messages, folders);
    document.ParaInz_Click();
    const auto file = ReadProfile(project);
    state.study.CurFile = project.string();
    state.study.ProjectMode = true;
    for (int k = 1; k < 32767 && !file->value("手順" + std::to_string(k), "TITLE2").empty(); ++k) {
        state.study.StepNo = static_cast<std::int16_t>(k);
        document.Ini_Param_set();
        document.applyAll();
    }
    const StepValues free = freeValues(document, c);
    for (const std::string& message : messages.messages)
        grade.messages.push_back(trArgs(KESTREL_TR("Grading", "手順の適用：%1"), {message}));

    const StepValues runWith = attemptSettings(folders, c, free);
    for (const auto& [key, value] : keysGiven(*bytes)) {
        const auto used = runWith.find(key);
        if (!c.isFree(key) && used != runWith.end() && !sameSetting(value, used->second))
            grade.ignoredKeys.push_back(key);
    }

    AttemptRun run = runAttempt(folders, c, free);
    const Score score = scoreRun(c.goals, run.metrics);
    grade.score = score.score;
    for (const GoalResult& r : score.goals)
        grade.items.push_back({std::string(goalDef(r.goal.kind).key), r.result, r.met});
    grade.messages.insert(grade.messages.end(), run.messages.begin(), run.messages.end());
    grade.graded = true;
    return grade;
}

namespace {

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char ch : text) {
        if (ch == '"')
            quoted += '"';
        quoted += ch;
    }
    return quoted + '"';
}

} // namespace

void writeGradeCsv(std::ostream& out, const Challenge& c, const std::vector<ProjectGrade>& grades) {
    std::vector<std::string> names;
    if (c.mystery)
        names = {"K", "L", "T"};
    else
        for (const Goal& g : c.goals)
            names.emplace_back(goalDef(g.kind).key);
    std::string line = "project,score";
    for (std::size_t i = 1; i <= names.size(); ++i) {
        const std::string n = std::to_string(i);
        line += ",goal" + n + ",result" + n + ",met" + n;
    }
    out << line << '\n';
    for (const ProjectGrade& g : grades) {
        line = csvField(g.project.filename().string()) + "," + (g.graded ? shortestText(g.score) : "");
        for (std::size_t i = 0; i < names.size(); ++i) {
            line += "," + names[i] + ",";
            if (g.graded && i < g.items.size()) {
                if (g.items[i].result)
                    line += shortestText(*g.items[i].result);
                line += g.items[i].met ? ",1" : ",0";
            } else {
                line += ",";
            }
        }
        out << line << '\n';
    }
}

} // namespace kestrel::challenge
