#include "forms/studywindows.h"

#include "forms/frmmain.h"
#include "panel/frmcontroller.h"
#include "panel/frmpenrec.h"

#include <QCoreApplication>

namespace kestrel {

void StudyWindows::showPanel(bool toFront) {
    mPanel.show();
    if (toFront)
        mPanel.raise();
}

void StudyWindows::clearPenRecorder() {
    mPanel.penRecorder().cmdClear_Click();
}
void StudyWindows::startPacing() {
    mPanel.setPacingTimerEnabled(true);
}
void StudyWindows::promptReturn() {
    mMain.startReturnPrompt();
}
void StudyWindows::closePanel() {
    mPanel.close();
}
void StudyWindows::processEvents() {
    QCoreApplication::processEvents();
}

} // namespace kestrel
