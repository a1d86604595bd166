#pragma once
// The program's windows as the front end of the lesson sequence.

#include "session/studyhost.h"

namespace kestrel {

class frmController;
class frmMAIN;

/// What a `StudySession` asks of the front end, done with the controller panel, its pen recorder
/// and the main window.
class StudyWindows : public StudyHost {
public:
    StudyWindows(frmController& panel, frmMAIN& mainWindow) : mPanel(panel), mMain(mainWindow) {}

    void showPanel(bool toFront) override;
    void clearPenRecorder() override;
    void startPacing() override;
    void promptReturn() override;
    void closePanel() override;
    void processEvents() override;

private:
    frmController& mPanel;
    frmMAIN& mMain;
};

} // namespace kestrel
