#pragma once
// 比較: the chosen tuning rules' settings, each run once on the loop in force with the same
// set-point step and disturbance, drawn overlaid and ranked by the measures of their runs. The
// test (SV level and step, disturbance step, their times, the run's length) can be changed and
// the comparison run again; a row's settings can be applied to the parameter fields.

#include "engine/appstate.h"
#include "tuning/compare.h"

#include <QWidget>

#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace kestrel {

class AnalysisChart;

class ComparePart : public QWidget {
    Q_OBJECT
public:
    explicit ComparePart(const AppState& state, QWidget* parent = nullptr);

    /// Runs the test for each candidate. Until the learner changes the test, it is the one that
    /// suits the process in force.
    void compare(std::vector<tuning::Candidate> candidates);
    /// Runs the candidates again with the test as the fields give it.
    void run();

    const std::vector<tuning::Trial>& trials() const { return mTrials; }
    /// Indices of trials() in the order the table ranks them.
    const std::vector<std::size_t>& ranking() const { return mOrder; }
    tuning::CompareTest test() const;
    void setTest(const tuning::CompareTest& test);
    void setRankBy(tuning::RankBy by);

signals:
    /// The learner asked for a candidate's settings in the parameter fields.
    void applyRequested(const tuning::Candidate& candidate);

private:
    void showTable();
    void useDefaultTest();

    const AppState& mState;
    std::vector<tuning::Candidate> mCandidates;
    std::vector<tuning::Trial> mTrials;
    std::vector<std::size_t> mOrder;
    bool mTestChosen = false; ///< the learner changed the test: keep it for the next comparison
    bool mFilling = false;    ///< the fields are being set by the program

    QDoubleSpinBox* mSv0 = nullptr;
    QDoubleSpinBox* mSvStep = nullptr;
    QDoubleSpinBox* mSvAt = nullptr;
    QDoubleSpinBox* mDvStep = nullptr;
    QDoubleSpinBox* mDvAt = nullptr;
    QSpinBox* mGraphTime = nullptr;
    QComboBox* mRankBy = nullptr;
    QCheckBox* mWithMv = nullptr;
    QLabel* mNote = nullptr;
    AnalysisChart* mChart = nullptr;
    QTableWidget* mTable = nullptr;
    QPushButton* mApply = nullptr;
};

} // namespace kestrel
