// The challenge window over the panel: a challenge's settings in force, panel runs scored (and a
// run with a fixed setting changed refused), the best score kept, the attempt saved and graded to
// the same score; a mystery process hidden, answered and shown.

#include "forms/challengewindow.h"

#include "analysis/runcsv.h"
#include "challenge/grading.h"
#include "english.h"
#include "panel/frmcontroller.h"
#include "panel/panelfixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <sstream>

namespace kestrel::test {
namespace {

class ChallengeWindowTest : public PanelTest {
protected:
    void SetUp() override {
        shipBaseSet(KESTREL_SOURCE_DATA, appDir.path());
        std::filesystem::copy(std::filesystem::path(KESTREL_SOURCE_DATA) / "Study" / "Challenge",
                              appDir.path() / "Study" / "Challenge");
        doc.startup();
        panel = std::make_unique<frmController>(state, doc, messages);
        window = std::make_unique<ChallengeWindow>(panel->runs(), doc, state, messages, appDir.path());
        QObject::connect(panel.get(), &frmController::runKept, window.get(), &ChallengeWindow::runKept);
        panel->show();
    }
    /// Start and a fast run to the end, as the learner runs on the panel.
    void run() {
        auto* start = childOf<QPushButton>(panel.get(), "cmdStart");
        ASSERT_TRUE(waitUntil([&] { return start->isEnabled(); }));
        QTest::mouseClick(start, Qt::LeftButton);
        QTest::mouseClick(childOf<QPushButton>(panel.get(), "cmdFast"), Qt::LeftButton);
        ASSERT_FALSE(state.sim.Running);
    }
    QString listCell(int row, int col) {
        return childOf<QTableWidget>(window.get(), "challengeList")->item(row, col)->text();
    }

    std::unique_ptr<frmController> panel;
    std::unique_ptr<ChallengeWindow> window;
};

TEST_F(ChallengeWindowTest, PanelRunsScoredBestKeptAttemptSavedAndGradedAlike) {
    ASSERT_EQ(window->count(), 13);
    window->choose(0); // remove the offset of P control
    ASSERT_TRUE(window->start());
    EXPECT_EQ(doc.typeTab(), 0);
    run();
    ASSERT_TRUE(window->lastScore());
    EXPECT_LT(window->lastScore()->score, 100);
    EXPECT_FALSE(childOf<QLabel>(window.get(), "lblHints")->text().isEmpty());

    doc.ContTypeTab_Click(1); // PI, Kp 1, Ti 5: the solution
    doc.setFieldText(Kp, "1.00");
    doc.setFieldText(Ti, "5.00");
    doc.OKButton_();
    run();
    EXPECT_EQ(window->lastScore()->score, 100);
    EXPECT_EQ(listCell(0, 1) + "/" + listCell(0, 2), "100/2");

    // A fixed setting changed by hand: the run is not this challenge's and is not scored.
    doc.setFieldText(Kpl, "2.00");
    doc.OKButtonPL_();
    run();
    EXPECT_TRUE(window->scoreText().contains("採点しません"));
    EXPECT_EQ(listCell(0, 2), "2");

    // The saved attempt is graded to the window's score.
    const auto project = appDir.path() / "attempt.txt";
    ASSERT_TRUE(window->saveTo(project));
    const auto grade =
        challenge::gradeProject(AppFolders::portable(appDir.path()), *window->active(), project);
    ASSERT_TRUE(grade.graded) << grade.problem;
    EXPECT_EQ(grade.score, 100);
}

TEST_F(ChallengeWindowTest, ACascadeRunIsScoredWithTheSecondarysSettingsInForce) {
    window->choose(12); // reject the inner disturbance with cascade control
    ASSERT_TRUE(window->start());
    doc.setSecondaryText(Kp2, "2.00");
    doc.setSecondaryText(Ti2, "2.00");
    doc.applySecondary();
    doc.setFieldText(Kp, "2.00");
    doc.setFieldText(Ti, "15.00");
    doc.OKButton_();
    run();
    ASSERT_TRUE(window->lastScore()) << window->scoreText().toStdString();
    EXPECT_EQ(window->lastScore()->score, 100);
}

TEST_F(ChallengeWindowTest, ATeachersFileShowsWhatWasPassedOverAndABadOneWhyItIsRefused) {
    const auto folder = appDir.path() / "Study" / "Challenge";
    writeLines(folder / "13_mine.txt",
               {"[説明]", "TITLE1=私の課題", "[課題]", "MODE=2", "FREE=Kp", "COLOUR=1", "IAE_MAX=10"});
    writeLines(folder / "14_bad.txt", {"[課題]", "IAE_MAX=abc"});
    window->reload();
    ASSERT_EQ(window->count(), 15); // after the thirteen shipped ones
    window->choose(13);
    EXPECT_TRUE(childOf<QLabel>(window.get(), "lblHints")->text().contains("13_mine.txt"));
    window->choose(14);
    EXPECT_FALSE(window->start()); // refused: nothing applied
    EXPECT_FALSE(window->active());
}

TEST_F(ChallengeWindowTest, TextsFitInJapaneseAndInEnglish) {
    window->show();
    EXPECT_TRUE(clippedTexts(window.get()).empty()) << ::testing::PrintToString(clippedTexts(window.get()));

    EnglishScope english;
    ASSERT_TRUE(english.loaded());
    ChallengeWindow w(panel->runs(), doc, state, messages, appDir.path());
    w.show();
    for (int row : {0, 7}) { // goals, then a mystery process's answer
        w.choose(row);
        const std::vector<std::string> cut = clippedTexts(&w);
        EXPECT_TRUE(cut.empty()) << row << ::testing::PrintToString(cut);
    }
    EXPECT_EQ(w.windowTitle(), "Challenges");
    EXPECT_EQ(childOf<QPushButton>(&w, "cmdStart")->text(), "Start Challenge");
}

TEST_F(ChallengeWindowTest, MysteryProcessHiddenUntilAnswered) {
    window->choose(7);
    ASSERT_TRUE(window->start());
    EXPECT_TRUE(doc.processHidden());
    run(); // a run in manual mode: kept with the process out of sight
    const KeptRun& kept = panel->runs().runs().back();
    EXPECT_NE(settingsSummary(kept).find("K ？ T ？ L ？"), std::string::npos);
    std::stringstream csv; // exported without the process, read back still hidden
    writeRunsCsv(csv, {&kept});
    EXPECT_EQ(csv.str().find("Kpl="), std::string::npos);
    std::string error;
    EXPECT_TRUE(readRunsCsv(csv, "x.csv", error).at(0).processHidden) << error;
    const auto truth = *challenge::mysteryProcess(*window->active());
    ASSERT_TRUE(window->answer(truth.K * 1.02, truth.L, truth.T));
    EXPECT_EQ(window->lastAnswer()->score, 100);
    EXPECT_FALSE(doc.processHidden());
    window->end();
    EXPECT_FALSE(window->active());
}

} // namespace
} // namespace kestrel::test
