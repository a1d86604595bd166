// The lesson sequence without windows: what each step of the learner's way does to the state, and
// what it asks of the front end.

#include "engine/fakes.h"
#include "session/studysession.h"
#include "setup/headlesspanel.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <cmath>
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

TEST_F(Session, ACascadeStepSavedInAProjectReplaysIdentically) {
    // A project made from the cascade lesson: its second step (cascade control, the secondary in
    // CAS) applied, the secondary's gain changed by the learner and run, the step saved, the
    // lesson's single-loop step applied, the project opened again and its step run: the same run
    // step for step, the inner loop included.
    const fs::path project = mDir / "Project" / "P.txt";
    for (const fs::path& to : {project, mDir / "Study" / "C130100.txt"})
        fs::copy_file(fs::path(KESTREL_DATA_DIR) / "Study" / "C130100.txt", to);
    auto run = [&] {
        EXPECT_TRUE(session.runStep());
        while (state.sim.Running)
            loop.run().PacingTick();
        session.runEnded();
        return std::pair(state.trace.steps, state.trace.inner);
    };
    auto openStep2 = [&] {
        session.open(project, true);
        state.study.StepNo = 2;
        session.showTexts();
        EXPECT_TRUE(session.applyStep());
        doc.applyAll(); // 学習表示
    };
    openStep2();
    doc.setSecondaryText(Kp2, "3.00");
    doc.okButton(FieldGroup::SecondaryLoop);
    const auto first = run();
    ASSERT_TRUE(session.saveStep(session.showTexts()));
    EXPECT_EQ(
        std::tuple(ReadProfileValue(project, "手順2", "LOOP"), ReadProfileValue(project, "手順2", "Kp2")),
        std::tuple("1", "3.00"));

    session.open(mDir / "Study" / "C130100.txt", false); // the lesson's single loop in between
    EXPECT_TRUE(session.applyStep());
    doc.applyAll();
    EXPECT_EQ(state.params.LOOP, 2);
    openStep2();
    EXPECT_EQ(std::tuple(state.params.LOOP, state.params.MODE2, state.params.Kp2), std::tuple(1, 2, 3.0));
    const auto again = run();
    ASSERT_GT(first.second.size(), 300u);
    EXPECT_GT(std::abs(first.second[200].pv2 - first.second[0].pv2), 0.1) << "the disturbance acted";
    ASSERT_EQ(again.first.size(), first.first.size());
    ASSERT_EQ(again.second.size(), first.second.size());
    for (std::size_t k = 0; k < first.first.size(); ++k)
        ASSERT_EQ(std::tuple(again.first[k].pv, again.first[k].mv, again.second[k].pv2, again.second[k].sv2),
                  std::tuple(first.first[k].pv, first.first[k].mv, first.second[k].pv2, first.second[k].sv2))
            << k;
    EXPECT_EQ(messages.shown, std::vector<std::string>{});
}

} // namespace
} // namespace kestrel::test
