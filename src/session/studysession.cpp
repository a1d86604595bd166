#include "session/studysession.h"

#include "core/convert.h"
#include "core/translate.h"
#include "engine/errortrap.h"
#include "setup/headlesspanel.h"
#include "setup/modinifile.h"

namespace kestrel {

StudySession::StudySession(AppState& state, SetupDocument& document, ControlLoop& loop,
                           MessageService& messages, StudyHost& host)
    : mState(state), mDocument(document), mLoop(loop), mMessages(messages), mHost(host) {}

void StudySession::loadPanel() {
    mLoop.run().loadPanel(HeadlessPanel::kStartSv, mDocument.fieldText(Kpl));
    mDocument.setPenChoice(0);
}

void StudySession::startup() {
    mDocument.startup();
}

void StudySession::open(const std::filesystem::path& file, bool project) {
    auto& study = mState.study;
    study.CurFile = file.string();
    study.ProjectMode = project;
    study.StepNo = 1;
    load(project);
}

void StudySession::load(bool project) {
    auto& study = mState.study;
    ErrorTrap t(mMessages, "  P018");
    mShownFile.clear();
    mShownStep = 0;
    mShownProject = project;
    IniPathSwitch sw(study.IniPath, study.CurFile);
    t([&] {
        mHost.showPanel(false);
        mLoop.run().Clear();
    });
    t([&] { mDocument.setPenChoice(0); });
    t([&] { mHost.clearPenRecorder(); });
    t([&] { mDocument.setPenChoice(0); });
    if (project)
        t([&] { mDocument.ParaInz_Click(); });
}

std::string StudySession::sectionName(int step) {
    return "手順" + std::to_string(step);
}

int StudySession::lastStep() const {
    const auto snapshot = ReadProfile(std::filesystem::path(mState.study.CurFile));
    int k = 0;
    while (k < 32767 && !snapshot->value(sectionName(k + 1), "TITLE2").empty())
        ++k;
    return k;
}

StepTexts StudySession::readTexts() const {
    auto& study = mState.study;
    IniPathSwitch sw(study.IniPath, study.CurFile);
    return mDocument.readStepTexts();
}

StepTexts StudySession::showTexts() {
    StepTexts texts = readTexts();
    mShownFile = mState.study.CurFile;
    mShownStep = mState.study.StepNo;
    return texts;
}

StepDescription StudySession::describeStep() {
    auto& study = mState.study;
    IniPathSwitch sw(study.IniPath, study.CurFile);
    const std::string section = sectionName();
    return buildDescription([&, snapshot = ReadProfile(std::filesystem::path(study.CurFile))](
                                std::string_view key) { return snapshot->value(section, key); },
                            mDocument.typeTab(), mDocument.calcForm(), [this] { mHost.processEvents(); });
}

void StudySession::nextStep() {
    mState.study.StepNo = static_cast<std::int16_t>(mState.study.StepNo + 1);
}

void StudySession::previousStep() {
    auto& study = mState.study;
    study.StepNo = static_cast<std::int16_t>(study.StepNo >= 2 ? study.StepNo - 1 : 1);
}

bool StudySession::applyStep() {
    auto& study = mState.study;
    ErrorTrap t(mMessages, "  P014");
    if (study.StepNo <= 0)
        return false;
    t([&] { mDocument.Ini_Param_set(); });
    study.ParaSetDone = true;
    t([&] { mHost.promptReturn(); });
    return true;
}

bool StudySession::runStep() {
    auto& study = mState.study;
    ErrorTrap t(mMessages, "  P017");
    if (study.StepNo < 1)
        return false;
    t([&] { mHost.showPanel(true); });
    t([&] { mLoop.run().Start(); });
    t([&] { mHost.startPacing(); });
    study.SimExecDone = true;
    return true;
}

void StudySession::runEnded() {
    mLoop.run().EndOfRunTick();
}

void StudySession::endLesson() {
    ErrorTrap t(mMessages, "  P016");
    t([&] {
        mState.rec.SampleTime[0] = val(mDocument.graphTimeText()) + 1;
        mState.sim.SamplesRecorded = 0;
        mState.rec.forgetTrends();
        ++mState.rec.PenClears; // nor the runs the pen recorder shows
    });
    t([&] { mHost.closePanel(); });
    finish();
}

void StudySession::finish() {
    mState.study.StepNo = 0;
    if (mMessages.askYesNo(KESTREL_TR("Messages", "パラメータを初期化しますか？"), "確認"))
        mDocument.ParaInz_Click();
}

void StudySession::closed() {
    auto& study = mState.study;
    study.ParaSetDone = false;
    study.SimExecDone = false;
    study.StepNo = 0;
}

bool StudySession::saveStep(const StepTexts& texts) {
    const auto& study = mState.study;
    if (!study.ProjectMode || !mShownProject) {
        mMessages.showMessage(KESTREL_TR("Messages", "学習ファイルには書き込みできません。"));
        return false;
    }
    if (study.CurFile != mShownFile || study.StepNo != mShownStep) {
        mMessages.showMessage(
            KESTREL_TR("Messages",
                       "表示している手順が現在のプロジェクトの手順と一致しないため、書き込みませんでした。"));
        return false;
    }
    if (mDocument.saveStep(texts))
        mMessages.beep();
    return true;
}

} // namespace kestrel
