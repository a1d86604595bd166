#pragma once
// kestrel-sim --grade: a teacher's batch grading of learners' projects against one challenge.
//
//   kestrel-sim --grade CHALLENGE --project FILE|FOLDER [--project …] [--out PATH] [--app-dir DIR]
//
// CHALLENGE is a challenge file, or the name of one in the application folder's Study/Challenge;
// each --project a project file, the name of one in its Project folder, or a folder of projects. Writes CSV
// `project,score,goal1,result1,met1,…` to PATH or standard output. Exit status: 0 when every
// project was graded, 3 when some could not be (each named on standard error), 2 for bad input.

#include <filesystem>

namespace kestrel {

/// True when the command line asks for grading.
bool isGradeCommand(int argc, char* argv[]);

/// The folders the program finds from the folder of its executable, unless --app-dir names one.
int gradeMain(int argc, char* argv[], const std::filesystem::path& executableDir);
/// The usage line of the grading command.
const char* gradeUsage();

} // namespace kestrel
