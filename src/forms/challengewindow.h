#pragma once
// ChallengeWindow ("挑戦"): the challenges of Study/Challenge with the learner's best score and
// attempts; a chosen challenge's task and goals. "挑戦する" puts its settings into the parameter
// fields (applied, as a lesson step's); the learner sets the free ones in the main window and runs
// on the panel, paced or fast; every completed run is scored against the goals, with a hint for
// each goal missed. A mystery process is answered with K, L and T instead. "保存" writes the
// attempt as a project for the teacher.
//
// A run counts only when it is the run the challenge defines for the learner's free settings: it
// is run once more without a window exactly as the batch grading runs it, and its measures must
// be the same, so the window and the grading give the same score to the last digit.

#include "analysis/runstore.h"
#include "challenge/attempt.h"
#include "challenge/scorebook.h"
#include "core/messageservice.h"
#include "setup/setupdocument.h"

#include <QWidget>

#include <filesystem>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTextBrowser;

namespace kestrel {

class AnalysisChart;

class ChallengeWindow : public QWidget {
    Q_OBJECT
public:
    /// Scores are kept in `scoreFolder` (a writable folder of the learner's).
    ChallengeWindow(const RunStore& runs, SetupDocument& document, AppState& state, MessageService& messages,
                    std::filesystem::path scoreFolder, QWidget* parent = nullptr);
    ~ChallengeWindow() override;

    /// Reads the challenge folder again (the list keeps the row chosen where it can).
    void reload();
    /// The list's rows: loaded challenges and refused files alike.
    int count() const { return static_cast<int>(mEntries.size()); }
    void choose(int row);

    /// "挑戦する": the chosen challenge's settings into the parameter fields; its process hidden
    /// when it says so. False (with a message) when it could not be applied.
    bool start();
    /// "終了": the challenge ends, its process is shown again.
    void end();
    const challenge::Challenge* active() const { return mActive ? &*mActive : nullptr; }

    /// A run was kept on the panel: scored while a challenge with goals is active.
    void runKept(int number);
    /// "答え合わせ" of a mystery process.
    bool answer(double K, double L, double T);
    /// "保存": the attempt as a project (false with the reason shown).
    bool saveTo(const std::filesystem::path& project);

    std::optional<challenge::Score> lastScore() const { return mScore; }
    std::optional<challenge::MysteryScore> lastAnswer() const { return mAnswerScore; }
    /// What the score line says now.
    QString scoreText() const;

signals:
    /// The challenge hides its process (or shows it again): the tuning workbench must close.
    void processHiddenChanged(bool hidden);

private:
    struct Entry {
        std::filesystem::path file;
        std::optional<challenge::Challenge> challenge;
        std::string error;
    };
    void fillList();
    void showChosen();
    void showGoals(const challenge::Challenge& c, const challenge::Score* score);
    void showAnswerChart(const challenge::MysteryProcess& truth, const challenge::MysteryProcess& answer);
    void setHidden(bool hidden);
    void onSave();

    const RunStore& mRuns;
    SetupDocument& mDocument;
    AppState& mState;
    MessageService& mMessages;
    challenge::ScoreBook mBook;
    std::vector<Entry> mEntries;
    int mChosen = -1;
    std::optional<challenge::Challenge> mActive;
    std::optional<challenge::Score> mScore;
    std::optional<challenge::MysteryScore> mAnswerScore;
    std::optional<challenge::StepValues> mLastFree; ///< the free settings of the last scored run
    std::optional<challenge::MysteryProcess> mLastAnswer;
    int mLastRun = 0; ///< the run the answer chart draws
    std::vector<KeptRun> mCurves;

    QTableWidget* mList = nullptr;
    QLabel* mTitle = nullptr;
    QTextBrowser* mText = nullptr;
    QLabel* mFree = nullptr;
    QTableWidget* mGoals = nullptr;
    QLabel* mScoreLine = nullptr;
    QLabel* mHints = nullptr;
    QWidget* mAnswerBox = nullptr;
    QLineEdit* mK = nullptr;
    QLineEdit* mL = nullptr;
    QLineEdit* mT = nullptr;
    AnalysisChart* mChart = nullptr;
    QPushButton* mStart = nullptr;
    QPushButton* mEnd = nullptr;
    QPushButton* mSave = nullptr;
};

} // namespace kestrel
