#pragma once
// Batch grading of learners' projects against a challenge: each project is applied as the study
// window applies it (every step in turn over the base set), the learner's free settings are taken
// from the settings then in force and laid over the challenge's fixed ones, and the attempt is run
// and scored exactly as the challenge window scores it. A mystery challenge grades the answer the
// project holds ([解答] K, L, T).

#include "challenge/attempt.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kestrel::challenge {

struct GradeItem {
    std::string name; ///< the goal's key (OVERSHOOT_MAX, …), or K, L, T of a mystery process
    std::optional<double> result;
    bool met = false;
};

struct ProjectGrade {
    std::filesystem::path project;
    bool graded = false;
    std::string problem; ///< why it was not graded
    double score = 0;
    std::vector<GradeItem> items;
    /// Keys the project sets outside FREE to other values than the challenge runs with.
    std::vector<std::string> ignoredKeys;
    /// What the run reported (run-time errors), each once.
    std::vector<std::string> messages;
};

ProjectGrade gradeProject(const AppFolders& folders, const Challenge& c,
                          const std::filesystem::path& project);

/// CSV: `project,score,goal1,result1,met1,…`, one row per project; a project that was not graded
/// has an empty score and results. Numbers in the shortest form that reads back to the same double.
void writeGradeCsv(std::ostream& out, const Challenge& c, const std::vector<ProjectGrade>& grades);

} // namespace kestrel::challenge
