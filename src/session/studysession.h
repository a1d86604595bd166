#pragma once
// The lesson sequence: the program's start-up, opening a lesson or project, moving between its
// steps, "ﾊﾟﾗﾒｰﾀ設定", "ｼﾐｭﾚｰｼｮﾝ実行", the end of a run and of the lesson, and the step save.
// The study window runs it through its buttons; kestrel-sim and the lesson tests run the same.

#include "core/messageservice.h"
#include "engine/appstate.h"
#include "session/studyhost.h"
#include "setup/controlloop.h"
#include "setup/setupdocument.h"
#include "study/description.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace kestrel {

/// One learner's way through lessons and projects over the application state, the set-up
/// document and the control loop. It moves StepNo, ParaSetDone and SimExecDone; the front end
/// (`StudyHost`) shows what it says and keeps its own widgets.
///
/// Ownership: the session owns nothing but what it remembers of the step on screen; the state,
/// document, loop, messages and host are the caller's and must outlive it.
class StudySession {
public:
    StudySession(AppState& state, SetupDocument& document, ControlLoop& loop, MessageService& messages,
                 StudyHost& host);

    /// The controller panel loaded at its start SV with the first pen, as the panel window loads
    /// itself when it is made: a front end without that window calls it before `startup`.
    void loadPanel();
    /// The program's start-up once the panel is loaded: the main window's start-up (settings,
    /// base set, pacing correction).
    void startup();

    /// Opens `file` at step 1, as the study menu and the project dialogs do, then `load`.
    void open(const std::filesystem::path& file, bool project);
    /// Every open of the study window (P018): the panel shown and cleared, the pen choice back to
    /// the first, the pen recorder cleared, and for a project (`project`) the parameters
    /// initialised. Forgets the step on screen.
    void load(bool project);

    std::int16_t stepNo() const { return mState.study.StepNo; }
    bool projectMode() const { return mState.study.ProjectMode; }
    /// Section of step `step` in a lesson or project file: "手順N".
    static std::string sectionName(int step);
    std::string sectionName() const { return sectionName(mState.study.StepNo); }
    /// Number of steps with a title (the end page is the first step without one).
    int lastStep() const;

    /// The texts of the current step of CurFile.
    StepTexts readTexts() const;
    /// The texts of the current step, now on screen: the step save writes only to this step.
    StepTexts showTexts();
    /// What the current step sets, in words; letting pending events run between its blocks.
    StepDescription describeStep();

    /// "次へ" on a step with a title, "戻る" (never before step 1).
    void nextStep();
    void previousStep();

    /// "ﾊﾟﾗﾒｰﾀ設定" (P014): the step's keys into the document, ParaSetDone, and the main window's
    /// prompt to return. False when no step is open (nothing applied).
    bool applyStep();
    /// "ｼﾐｭﾚｰｼｮﾝ実行" (P017): the panel in front, its Start, the pacing timer, SimExecDone. False
    /// when no step is open (nothing started).
    bool runStep();
    /// The end of a run, as the panel's end-of-run timer ends it: the step's figure drawn.
    void runEnded();

    /// "次へ" on the end page (P016): the record finished with, the panel closed, then `finish`.
    void endLesson();
    /// "終了": no step is current; the learner is asked whether to initialise the parameters.
    void finish();
    /// The study window has closed: no step, and neither flag of the lesson holds any more.
    void closed();

    /// "書き込み": `texts` and every setting into the step on screen. Refused (telling the learner)
    /// unless a project is open and CurFile and StepNo are the file and step on screen; a lesson
    /// file is never written. True when the save went ahead (whether or not all of it was stored).
    bool saveStep(const StepTexts& texts);

private:
    AppState& mState;
    SetupDocument& mDocument;
    ControlLoop& mLoop;
    MessageService& mMessages;
    StudyHost& mHost;
    /// What the texts on screen belong to: the file, its step, and whether it is a project.
    std::string mShownFile;
    std::int16_t mShownStep = 0;
    bool mShownProject = false;
};

} // namespace kestrel
