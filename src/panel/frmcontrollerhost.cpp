// frmController as run control's host: the pacing and display timers, the run buttons, the
// charts run control clears and the pen recorder it switches.

#include "panel/frmcontroller.h"

#include "panel/frmpenrec.h"
#include "widgets/qtext.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <chrono>

namespace kestrel {

// --- Run control's host ---------------------------------------------------------------------------

void frmController::setPacingInterval(int ms) {
    HeadlessPanel::setPacingInterval(ms);
    mTimer1->setInterval(ms);
}

void frmController::setPacingTimerEnabled(bool on) {
    HeadlessPanel::setPacingTimerEnabled(on);
    if (on && !mTimer1->isActive())
        mTimer1->start();
    else if (!on)
        mTimer1->stop();
}

void frmController::startEndOfRunTimer() {
    mTimer3->start();
}
void frmController::stopEndOfRunTimer() {
    mTimer3->stop();
}
void frmController::stopDisplayTimer() {
    mTimer2->stop();
}

void frmController::processEvents() {
    // Between fast-run steps: often enough for Pause and Clear to act at once, not so often that
    // the event loop costs more than the steps.
    if (mSinceEvents.isValid() && mSinceEvents.elapsed() < 5)
        return;
    mSinceEvents.restart();
    QCoreApplication::processEvents();
}

double frmController::wallClockSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void frmController::quitApplication() {
    HeadlessPanel::quitApplication();
    mTimer1->stop();
    QCoreApplication::exit(1);
}

void frmController::setStartEnabled(bool on) {
    mCmdStart->setEnabled(on);
}
void frmController::setPauseEnabled(bool on) {
    mCmdPause->setEnabled(on);
}
void frmController::setFastEnabled(bool on) {
    mCmdFast->setEnabled(on);
}
void frmController::setClearEnabled(bool on) {
    mCmdClear->setEnabled(on);
}
void frmController::setPrintEnabled(bool on) {
    mCmdPrint->setEnabled(on);
}
void frmController::setPauseCaption(const std::string& caption) {
    mCmdPause->setText(qtext(caption));
}
void frmController::focusStart() {
    mCmdStart->setFocus();
}
void frmController::focusFast() {
    mCmdFast->setFocus();
}
void frmController::setLessonButtonVisible(bool on) {
    mCmdTip->setVisible(on);
}
void frmController::focusLessonButton() {
    mCmdTip->setFocus();
}

void frmController::resetCaptionAndNotes() {
    setWindowTitle(tr("コントローラパネル"));
    mChart->hideNotes();
}

double frmController::chartWidth() {
    return mChart->width();
}

double frmController::penRecorderWidth() {
    return mPenRec ? mPenRec->strip(0)->Width() : HeadlessPanel::penRecorderWidth();
}

void frmController::eraseCharts() {
    mChart->erase();
}

void frmController::clearPenRecorder() {
    penRecorder().cmdClear_Click();
}

void frmController::setPenRecorderRedraw(bool on) {
    if (mPenRec)
        mPenRec->setAutoRedraw(on);
}

void frmController::PenColorAdvance() {
    auto t = trap("  P044");
    t([&] { mDocument.PenColorAdvance(); });
    mFaceplate->showPenColour();
}

void frmController::runCompleted() {
    const auto& study = mState.study;
    const bool lessonRun = study.SimExecDone && study.StepNo > 0;
    std::string label;
    if (lessonRun) {
        try {
            label = mDocument.readStepTexts().title2;
        } catch (const std::exception&) {
            // The run is kept under its number when its step's title cannot be read.
        }
    }
    KeptRun run = captureRun(mState, mRuns.nextNumber(), std::move(label));
    if (lessonRun) {
        run.lesson = study.CurFile;
        run.step = study.StepNo;
    }
    const KeptRun& kept = mRuns.add(std::move(run));
    mState.rec.TrendRun[kept.graph] = kept.number;
    mState.rec.PenRun = kept.number;
    emit runKept(kept.number);
}

void frmController::drawLessonNotes() {
    Note_draw(mState.study.NoteId);
}

frmPENrec& frmController::penRecorder() {
    if (!mPenRec) {
        mPenRec = new frmPENrec(mState, mDocument, mMessages);
        mPenRec->setAttribute(Qt::WA_DeleteOnClose);
        mPenRec->setKeptRuns(&mRuns);
        mState.chart.PenRecAdvance = mPenRec->strip(0)->Width() * mState.params.dt / mState.chart.GraphTime;
        emit penRecorderCreated(mPenRec.data());
    }
    return *mPenRec;
}

} // namespace kestrel
