#pragma once
// RulesPart ("調整則"): the controller settings the tuning rules give for the model in force, each
// with its formulas worked out with the numbers put in. "適用" writes the chosen row into the main
// window's parameter fields (control type, Kp, Ti, Td), left edited until the learner's OK, as a
// lesson's settings are.

#include "setup/setupdocument.h"
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
    explicit RulesPart(SetupDocument& document, QWidget* parent = nullptr);

    /// The model in force; the table is worked out again.
    void setModel(double K, double L, double T);
    /// The ultimate gain and period of a relay or sustained-oscillation test fill their fields.
    void setUltimate(double Ku, double Pu);
    const std::vector<tuning::RuleRow>& rows() const { return mRows; }
    /// Writes row `row` into the parameter fields; false when there is no such row.
    bool applyRow(int row);

private:
    void refresh();
    void showFormulas();

    SetupDocument& mDocument;
    std::optional<tuning::RuleInput> mModel;
    std::vector<tuning::RuleRow> mRows;
    QLineEdit* mKu = nullptr;
    QLineEdit* mPu = nullptr;
    QLineEdit* mLambda = nullptr;
    QLineEdit* mTauc = nullptr;
    QLabel* mMessage = nullptr;
    QTableWidget* mTable = nullptr;
    QPlainTextEdit* mFormulas = nullptr;
    QPushButton* mApply = nullptr;
    QLabel* mApplied = nullptr; ///< what the last "適用" wrote
};

} // namespace kestrel
