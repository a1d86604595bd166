#pragma once
// RulesPart ("調整則"): the controller settings the tuning rules give for the model in force, each
// with its formulas worked out with the numbers put in. "適用" writes the chosen row into the
// parameter fields of the controller the model belongs to, left edited until the learner's OK, as
// a lesson's settings are: the main window's (control type, Kp, Ti, Td) for the primary, the
// secondary loop's (its type, Kp2, Ti2, Td2) for a model of the inner loop of a cascade.

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
    /// Writes a candidate's control type and Kp, Ti, Td into the parameter fields of the
    /// controller the model belongs to.
    void applySettings(const tuning::Candidate& c);
    /// Writes a candidate into the main window's fields whatever the model: a comparison's winner,
    /// which ran as the primary on the loop in force.
    void applyPrimary(const tuning::Candidate& c);
    /// Whether the model in force is the inner loop's, tuned by the secondary controller: "適用"
    /// then writes the secondary's fields, and "比較" (which runs the primary on the loop in force)
    /// is not offered.
    void setSecondaryModel(bool secondary);
    bool secondaryModel() const { return mSecondary; }
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
    void writeSettings(const tuning::Candidate& c, bool secondary);

    SetupDocument& mDocument;
    std::optional<tuning::RuleInput> mModel;
    bool mSecondary = false;
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
