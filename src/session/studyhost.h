#pragma once
// What the lesson sequence asks of a front end: the windows and pictures only it has.

#include <string>

namespace kestrel {

/// The front end of a `StudySession`. The program's windows implement it over the controller
/// panel, its pen recorder and the main window; kestrel-sim and the tests have nothing to show.
class StudyHost {
public:
    virtual ~StudyHost() = default;

    /// The controller panel shown; with `toFront` also raised above the other windows.
    virtual void showPanel(bool toFront) = 0;
    /// The pen recorder's picture cleared to its grid.
    virtual void clearPenRecorder() = 0;
    /// The panel's pacing timer running, so the started run advances.
    virtual void startPacing() = 0;
    /// The main window points the learner at its "学習表示" button, the way back to the lesson.
    virtual void promptReturn() = 0;
    /// The panel closed at the end of the lesson.
    virtual void closePanel() = 0;
    /// Lets pending events run while a step's description is built.
    virtual void processEvents() = 0;
};

/// A front end without windows.
class NullStudyHost : public StudyHost {
public:
    void showPanel(bool) override {}
    void clearPenRecorder() override {}
    void startPacing() override {}
    void promptReturn() override {}
    void closePanel() override {}
    void processEvents() override {}
};

} // namespace kestrel
