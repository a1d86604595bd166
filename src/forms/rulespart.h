#pragma once
// RulesPart ("調整則"): the controller settings the tuning rules give for the model in force, each
// with its formulas worked out with the numbers put in. "適用" writes the chosen row into the main
// window's parameter fields (control type, Kp, Ti, Td), left edited until the learner's OK, as a
// lesson's settings are.

#include "setup/setupdocument.h"
#include "tuning/compare.h"
#include "tuning/rules.h"

#include <QWidget>

#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace kestrel {

class RulesPart : public QWidget {
    Q_OBJECT
public:
    /// The rules read the model as a tank's (K a rate) while the process in force is one.
    explicit RulesPart(SetupDocument& document, QWidget* parent = nullptr);
    ~RulesPart() override;

    /// The model in force; the table is worked out again.
    void setModel(double K, double L, double T);
    /// The ultimate gain and period of a relay or sustained-oscillation test fill their fields.
    void setUltimate(double Ku, double Pu);
    const std::vector<tuning::RuleRow>& rows() const { return mRows; }
    /// Writes row `row` into the parameter fields; false when there is no such row.
    bool applyRow(int row);
    /// Writes a candidate's control type and Kp, Ti, Td into the parameter fields.
    void applySettings(const tuning::Candidate& c);
    /// The settings of row `row` as "適用" writes them.
    tuning::Candidate candidate(int row) const;
    /// The chosen rows' settings, in the table's order.
    std::vector<tuning::Candidate> chosenCandidates() const;

signals:
    /// "比較": the chosen rows are to be run on the loop and compared.
    void compareRequested(const std::vector<kestrel::tuning::Candidate>& candidates);

private:
    void refresh();
    void showFormulas();

    SetupDocument& mDocument;
    std::optional<tuning::RuleInput> mModel;
    int mListener = -1;
    std::vector<tuning::RuleRow> mRows;
    QLineEdit* mKu = nullptr;
    QLineEdit* mPu = nullptr;
    QLineEdit* mLambda = nullptr;
    QLineEdit* mTauc = nullptr;
    QLabel* mMessage = nullptr;
    QTableWidget* mTable = nullptr;
    QPlainTextEdit* mFormulas = nullptr;
    QPushButton* mApply = nullptr;
    QPushButton* mCompare = nullptr;
    QLabel* mApplied = nullptr; ///< what the last "適用" wrote
};

} // namespace kestrel
