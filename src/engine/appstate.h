#pragma once
// The one object that holds the process-wide records. main() creates it and hands it by
// reference to whoever needs it; tests create their own.

#include "engine/parameterset.h"
#include "engine/simulationstate.h"
#include "engine/steptrace.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace kestrel {

/// Lesson and file state shared by the windows.
struct StudyState {
    std::filesystem::path IniPath; ///< the profile file the profile operations act on
    std::string CurFile;           ///< lesson or project open in the study window
    std::int16_t StepNo = 0;       ///< current step, 1-based; 0 when no lesson is active
    bool ProjectMode = false;      ///< CurFile is a user project
    std::string NoteId;            ///< figure id (NOTES) of the last applied step
    bool ParaSetDone = false;      ///< the step's parameters are in force unchanged
    bool SimExecDone = false;      ///< the study window started the current run
    /// A challenge keeps its process from view: the process fields show "？", kept runs, their
    /// exports and saved steps leave the process out, the tuning workbench stays closed.
    bool ProcessHidden = false;
};

struct AppState {
    ParameterSet params;
    SimulationState sim;
    Recording rec;
    ChartState chart;
    StudyState study;
    StepTrace trace; ///< every step of the current or last run
};

} // namespace kestrel
