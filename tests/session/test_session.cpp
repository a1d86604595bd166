// The lesson sequence without windows: what each step of the learner's way does to the state, and
// what it asks of the front end.

#include "engine/fakes.h"
#include "session/studysession.h"
#include "setup/headlesspanel.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <tuple>

namespace fs = std::filesystem;

namespace kestrel::test {
namespace {

/// The front end's part, as a log of calls.
class LogHost : public StudyHost {
public:
    std::vector<std::string> calls;
    void showPanel(bool toFront) override { calls.push_back(toFront ? "panel to front" : "panel shown"); }
    void clearPenRecorder() override { calls.push_back("pen recorder cleared"); }
    void startPacing() override { calls.push_back("pacing"); }
    void promptReturn() override { calls.push_back("return prompt"); }
    void closePanel() override { calls.push_back("panel closed"); }
    void processEvents() override {}
};

class Session : public ::testing::Test {
protected:
    void SetUp() override {
        shipLessonFolder(KESTREL_DATA_DIR, mDir);
        session.loadPanel();
        session.startup();
    }

    TempFolder mFolder{"kestrel-session"};
    const fs::path mDir = mFolder.path();
    AppState state;
    FakeMessages messages;
    SetupDocument doc{state, messages, mDir};
    HeadlessPanel panel{doc};
    NullDisplay display;
    ControlLoop loop{state, messages, doc, display, panel, ControlLoop::Settings::Discarded};
    LogHost host;
    StudySession session{state, doc, loop, messages, host};
};

TEST_F(Session, ALessonFromItsOpenThroughItsRunToItsEnd) {
    session.open(mDir / "Study" / "L.txt", false);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"panel shown", "pen recorder cleared"}));
    EXPECT_EQ(std::tuple(session.lastStep(), session.sectionName(), session.showTexts().title2),
              std::tuple(2, "手順1", "Ｐ制御の応答"));

    host.calls.clear();
    ASSERT_TRUE(session.applyStep());
    EXPECT_EQ(std::tuple(state.study.ParaSetDone, state.study.NoteId, doc.fieldText(Kp)),
              std::tuple(true, "5.1.7(1)-1", "2.00"));
    ASSERT_TRUE(session.runStep());
    EXPECT_TRUE(state.study.SimExecDone && state.sim.Running);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"return prompt", "panel to front", "pacing"}));
    while (state.sim.Running)
        loop.run().PacingTick();
    session.runEnded();
    EXPECT_FALSE(state.study.SimExecDone) << "the run's end consumes the flag";
    // Only a run started here takes the step's figure: not one the panel starts, nor one after a
    // study run was cleared.
    session.runStep();
    loop.run().Clear();
    EXPECT_FALSE(state.study.SimExecDone);
    loop.run().Start();
    EXPECT_FALSE(state.study.SimExecDone);
    loop.run().Clear();

    session.previousStep();
    EXPECT_EQ(session.stepNo(), 1) << "never before step 1";

    // The lesson ends: the record finished with, the panel closed, the question asked.
    host.calls.clear();
    messages.answers = {false};
    session.endLesson();
    // Graph time "10" + 1 as the first sample time: nothing left to replay. Kp stays: the learner
    // said no to the initialisation.
    EXPECT_EQ(std::tuple(state.rec.SampleTime[0], state.sim.SamplesRecorded, session.stepNo()),
              std::tuple(11.0, 0, 0));
    EXPECT_EQ(doc.fieldText(Kp), "2.00");
    EXPECT_EQ(host.calls, (std::vector<std::string>{"panel closed"}));
    EXPECT_EQ(std::pair(messages.shown.back(), messages.titles.back()),
              (std::pair<std::string, std::string>("パラメータを初期化しますか？", "確認")));

    // Without a step nothing is applied or started.
    host.calls.clear();
    EXPECT_FALSE(session.applyStep() || session.runStep() || !host.calls.empty() || state.sim.Running);
    state.study.ParaSetDone = state.study.SimExecDone = true;
    session.closed();
    EXPECT_FALSE(state.study.ParaSetDone || state.study.SimExecDone);
}

TEST_F(Session, TheStepSaveWritesOnlyTheProjectStepOnScreen) {
    const fs::path lesson = mDir / "Study" / "L.txt", project = mDir / "Project" / "P.txt";
    fs::copy_file(lesson, project);
    const StepTexts mine{"比例制御", "一行目", "私の実験", "Kp を変える"};
    // What is saved, the file, whether it is a project, whether the step was shown, whether it saves,
    // the step number after the showing.
    const std::tuple<const char*, fs::path, bool, bool, bool, int> cases[] = {
        {"the project step on screen", project, true, true, true, 1},
        {"a lesson", lesson, false, true, false, 1},
        {"no step shown since the open", project, true, false, false, 1},
        {"the step moved on behind the screen", project, true, true, false, 2},
    };
    for (const auto& [what, file, isProject, shown, saves, stepAfterShow] : cases) {
        SCOPED_TRACE(what);
        fs::copy_file(lesson, project, fs::copy_options::overwrite_existing);
        const std::string before = readBytes(file);
        session.open(file, isProject);
        if (shown)
            session.showTexts();
        state.study.StepNo = static_cast<std::int16_t>(stepAfterShow);
        messages.shown.clear();
        const bool saved = session.saveStep(mine);
        EXPECT_EQ(std::tuple(saved, messages.shown.size() == 0, readBytes(file) != before,
                             ReadProfileValue(file, "手順1", "TITLE2") == "私の実験"),
                  std::tuple(saves, saves, saves, saves));
    }
}

} // namespace
} // namespace kestrel::test
