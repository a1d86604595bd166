#pragma once
// The control loop of one front end: the simulation step, run control and the settings writer,
// joined once and registered with the set-up document.

#include "core/messageservice.h"
#include "engine/appstate.h"
#include "engine/display.h"
#include "engine/runcontrol.h"
#include "engine/simulator.h"
#include "setup/setupdocument.h"

#include <memory>

namespace kestrel {

/// The one closed loop a front end runs: the `Simulator` drawing through the front end's
/// `Display`, the `RunControl` hosted by its `RunHost`, and the `SettingsWriter` that run control
/// stores its pacing correction with.
///
/// Ownership: the loop owns the simulator, run control and settings writer. The state, messages,
/// document, display and host stay the caller's and must outlive the loop (the panel window is
/// display and host at once and holds its loop as a member).
///
/// Lifetime: from construction to destruction the loop is the document's run control, so the mode
/// changes a lesson step applies reach it; destruction clears that registration again. There is at
/// most one loop per document at a time.
class ControlLoop {
public:
    /// Where run control's learned settings go: the CONFIG section of Kestrel.ini in the
    /// document's application folder (the learner's window), or nowhere (kestrel-sim, the fuzzer
    /// and the benchmarks, whose runs take no wall time and must never change the settings file).
    enum class Settings { Stored, Discarded };

    ControlLoop(AppState& state, MessageService& messages, SetupDocument& document, Display& display,
                RunHost& host, Settings settings);
    ~ControlLoop();

    ControlLoop(const ControlLoop&) = delete;
    ControlLoop& operator=(const ControlLoop&) = delete;

    Simulator& simulator() { return mSimulator; }
    RunControl& run() { return mRun; }

private:
    SetupDocument& mDocument;
    Simulator mSimulator;
    std::unique_ptr<SettingsWriter> mSettings;
    RunControl mRun;
};

} // namespace kestrel
