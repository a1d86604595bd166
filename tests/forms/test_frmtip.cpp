// The study window through its buttons, and the lesson figure it leaves on the panel's chart.

#include "engine/fakes.h"
#include "english.h"
#include "forms/frmmain.h"
#include "forms/frmtip.h"
#include "forms/studywindows.h"
#include "guiapp.h"
#include "panel/frmcontroller.h"
#include "setup/modinifile.h"
#include "tempfolder.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace fs = std::filesystem;

namespace kestrel::test {
namespace {

class StudyWindow : public GuiTest {
protected:
    void open(const fs::path& file, bool project) {
        state.study.CurFile = file.string();
        state.study.ProjectMode = project;
        state.study.StepNo = 1;
        tip.showFor(project ? "自習： P.txt" : "学習： テスト", project);
    }

    template <class T> T* child(const char* name) { return childOf<T>(&tip, name); }
    void click(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }

    TempFolder mFolder{"kestrel-tip"};
    const fs::path mDir = mFolder.path();
    const bool mPrepared = shipLessonFolder(KESTREL_SOURCE_DATA, mDir);
    AppState state;
    FakeMessages messages;
    SetupDocument doc{state, messages, mDir};
    frmController panel{state, doc, messages};
    frmMAIN main{state, doc, messages, panel};
    StudyWindows windows{panel, main};
    StudySession session{state, doc, panel.loop(), messages, windows};
    const bool mStarted = (session.startup(), true);
    frmTip tip{session, doc, messages, panel, main};
};

TEST_F(StudyWindow, LessonAndProjectThroughTheButtons) {
    const fs::path lesson = mDir / "Study" / "L.txt", project = mDir / "Project" / "P.txt";
    fs::copy_file(lesson, project);
    auto title2 = [&] { return child<QLineEdit>("txtTitle2")->text(); };

    // A lesson marks the chart and ends on its end page.
    open(lesson, false);
    // Lessons are not saved.
    EXPECT_EQ(
        std::tuple(child<QPlainTextEdit>("txtText1")->toPlainText(), panel.windowTitle(),
                   child<QPlainTextEdit>("tbox1")->toPlainText().contains("Ｐ 制御   を選択する。"),
                   child<QPushButton>("cmdIniWrite")->isVisible()),
        std::tuple(QString("一行目\n二行目"), QString("コントローラパネル    Ｐ制御の応答"), true, false));
    // The step makes settings: the prompt points at "ﾊﾟﾗﾒｰﾀ設定".
    waitUntil([&] { return messages.beeps > 0; });
    EXPECT_EQ(messages.beeps, 1);

    click("cmdParaSet");
    EXPECT_EQ(main.field(Kp)->text(), "2.00"); // the step's text, marked until applied
    ASSERT_TRUE(waitUntil([&] { return main.cmdTip()->isVisible(); }));
    QTest::mouseClick(main.cmdTip(), Qt::LeftButton); // "学習表示": everything applied
    EXPECT_EQ(state.params.Kp, 2.0);
    state.study.ParaSetDone = true; // the main window's OK buttons were not used
    click("cmdSimExec");
    while (state.sim.Running)
        panel.runControl().PacingTick();
    panel.runControl().EndOfRunTick();
    // The figure's label stands on the chart, as wide as shown.
    QLabel* offset = panel.Tcoment(1);
    EXPECT_TRUE(offset->isVisibleTo(&panel) && panel.cmdTip()->isVisibleTo(&panel));
    EXPECT_EQ(std::pair(offset->text(), offset->width()),
              std::pair(QString("オフセット"), offset->fontMetrics().horizontalAdvance("オフセット") + 2));

    click("cmdNextTip");
    EXPECT_EQ(title2() + child<QPlainTextEdit>("tbox1")->toPlainText(), "考えよう");
    click("cmdNextTip");
    EXPECT_TRUE(title2().isEmpty()); // the end page
    // "次へ" on the end page ends the lesson: nothing is left for either "学習表示" to go back to.
    messages.answers = {false};
    click("cmdNextTip");
    EXPECT_FALSE(tip.isVisible() || panel.isVisible());
    EXPECT_FALSE(panel.cmdTip()->isVisibleTo(&panel) || main.cmdTip()->isVisibleTo(&main));
    open(lesson, false);
    click("cmdOK");
    EXPECT_EQ(std::pair(tip.isVisible(), int(state.study.StepNo)), std::pair(false, 0));

    // A callout follows the range and graph time of the chart.
    panel.show();
    std::tie(state.chart.RH, state.chart.RL, state.chart.GraphTime) = std::tuple(120, 20, 100);
    state.study.ParaSetDone = state.study.SimExecDone = true;
    panel.Note_draw("5.3.6-2"); // callout at P(6, 51), label at x + 850, y + 750
    const double x = panel.Picture1(0)->Width() * 6 / 100;
    const double y = panel.Picture1(0)->Height() * (120 - 51) / 100;
    EXPECT_EQ(panel.Tcoment(1)->pos(), QPoint(px(x + 850), px(y + 750)));
    EXPECT_EQ(panel.Picture1(0)->colorAt(x, y), rgb(255, 128, 255)); // the leader starts there, in pink

    // A project is written from the window and every open reloads it.
    open(project, true);
    EXPECT_EQ(std::pair(child<QPushButton>("cmdIniWrite")->isVisible(), tip.helpAnchor()),
              std::pair(true, QString("C103")));
    child<QLineEdit>("txtTitle2")->setText("私の実験");
    child<QPlainTextEdit>("txtText2")->setPlainText("Kp を変える\n結果を見る");
    child<QPlainTextEdit>("txtText1")->setPlainText(QString(600, QChar(0x3042)));
    // Room left on the value's line, counted as stored: CP932, each line break as "<BR>".
    EXPECT_EQ(std::tuple(child<QLabel>("lblBytesText2")->text(), child<QLabel>("lblBytesText1")->text(),
                         child<QLabel>("lblBytesText1")->styleSheet().contains("red")),
              std::tuple(QString("残り 998 バイト"), QString("残り -177 バイト"), true));
    child<QPlainTextEdit>("txtText1")->setPlainText("一行目\n二行目");
    click("cmdIniWrite");
    auto stored = [&](const char* key) { return ReadProfileValue(project, "手順1", key); };
    EXPECT_EQ(std::pair(stored("TITLE2"), stored("TEXT2")),
              std::pair(std::string("私の実験"), std::string("Kp を変える<BR>結果を見る")));

    // Opened again from step 2, the window shows step 1 again.
    click("cmdNextTip");
    open(project, true);
    EXPECT_EQ(child<QLabel>("LblTitle")->text() + title2(), "手順1 : 私の実験");

    // A lesson opened over the project: its own texts at once, read-only, and no save.
    open(lesson, false);
    EXPECT_EQ(std::tuple(title2(), child<QLineEdit>("txtTitle2")->isReadOnly(),
                         child<QPushButton>("cmdIniWrite")->isVisible() ||
                             child<QLabel>("lblBytesTitle2")->isVisible()),
              std::tuple(QString("Ｐ制御の応答"), true, false));
}

/// The study window made while the program is in English.
struct InEnglish {
    EnglishScope english;
};
class EnglishStudyWindow : private InEnglish, public StudyWindow {};

TEST_F(StudyWindow, EveryTextFits) {
    open(mDir / "Study" / "L.txt", false);
    QApplication::processEvents();
    const std::vector<std::string> cut = clippedTexts(&tip);
    EXPECT_TRUE(cut.empty()) << (cut.empty() ? "" : cut.front());
}

TEST_F(EnglishStudyWindow, ButtonsAndThePanelCaptionInEnglishFit) {
    open(mDir / "Study" / "L.txt", false);
    QApplication::processEvents();
    const std::vector<std::string> cut = clippedTexts(&tip);
    EXPECT_TRUE(cut.empty()) << (cut.empty() ? "" : cut.front());
    EXPECT_EQ(std::tuple(child<QPushButton>("cmdParaSet")->text(), child<QPushButton>("cmdSimExec")->text(),
                         panel.windowTitle()),
              std::tuple(QString("Set Parameters"), QString("Run Simulation"),
                         QString("Controller Panel    Ｐ制御の応答")));
}

} // namespace
} // namespace kestrel::test
