#pragma once
// TuningWindow ("調整"): the tuning workbench. One tab per part (identification, tuning rules and
// whatever parts are added), all working on one process model in force, K·e^(−L·s)/(1 + T·s)
// (a tank's K·e^(−L·s)/(s(1 + T·s)) while the process type is the integrating one): shown in three
// fields at the top, set by a part (the identification's "採用") or typed in. The parts over the
// loop in force read the process fields with its second lag, valve lag and sensor filter.
//
// On a cascade loop the learner tunes the inner loop first, then the outer one: a model
// identified from PV2 and MV belongs to the secondary controller (the rules' "適用" writes its
// fields), one from PV and SV2 to the primary with the inner loop closed; a line under the model
// says which. A model typed in keeps the controller of the model it replaces.

#include "analysis/runstore.h"
#include "engine/appstate.h"
#include "setup/setupdocument.h"
#include "tuning/identify.h"

#include <QString>
#include <QWidget>

#include <optional>

class QLabel;
class QLineEdit;
class QTabWidget;

namespace kestrel {

class ComparePart;
class IdentifyPart;
class RulesPart;

class TuningWindow : public QWidget {
    Q_OBJECT
public:
    TuningWindow(const RunStore& store, SetupDocument& document, QWidget* parent = nullptr);
    ~TuningWindow() override;

    /// A further part as a tab of its own.
    void addPart(QWidget* part, const QString& title);
    /// The parts over the loop in force: 比較 (the rules' "比較" runs there), 限界感度 (its Ku and Pu go to
    /// the rules), 周波数応答, 安定領域 and 形式変換, each following the model in force.
    void addLoopParts(AppState& state, SetupDocument& document);
    /// The model in force, none before one is adopted or typed.
    std::optional<tuning::Fopdt> model() const { return mModel; }
    /// Makes K, L, T the model in force (its fields show it) and tells the parts.
    void setModel(double K, double L, double T);
    /// The signals the model in force was identified from (PV from MV for one typed in first).
    tuning::Signals modelSignals() const { return mModelSignals; }
    /// A run was kept: the identification lists it.
    void runKept(int number);

    IdentifyPart& identifyPart() { return *mIdentify; }
    RulesPart& rulesPart() { return *mRules; }
    /// 比較; present after addLoopParts.
    ComparePart* comparePart() { return mCompare; }

signals:
    void modelChanged(double K, double L, double T);

private:
    void readFields();
    /// The model in force comes from `pair`: the rules write to its controller, the line says so.
    void setModelSignals(tuning::Signals pair);

    std::optional<tuning::Fopdt> mModel;
    bool mTyped = false; ///< the learner has typed in the model's fields since it was last set
    SetupDocument* mDocument = nullptr;
    int mListener = -1;
    QLineEdit* mK = nullptr;
    QLineEdit* mL = nullptr;
    QLineEdit* mT = nullptr;
    QLabel* mFieldError = nullptr;
    QLabel* mModelOf = nullptr;
    tuning::Signals mModelSignals;
    QTabWidget* mTabs = nullptr;
    IdentifyPart* mIdentify = nullptr;
    RulesPart* mRules = nullptr;
    ComparePart* mCompare = nullptr;
};

} // namespace kestrel
