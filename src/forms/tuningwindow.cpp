#include "forms/tuningwindow.h"

#include "core/convert.h"
#include "forms/comparepart.h"
#include "forms/conversionpart.h"
#include "forms/frequencypart.h"
#include "forms/identifypart.h"
#include "forms/relaypart.h"
#include "forms/rulespart.h"
#include "forms/stabilitypart.h"
#include "tuning/rules.h"
#include "widgets/halfwidthinput.h"
#include "widgets/qtext.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

namespace kestrel {

TuningWindow::TuningWindow(const RunStore& store, SetupDocument& document, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName("frmTuning");
    setWindowTitle(tr("調整"));

    auto field = [this](const char* name, const QString& tip) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setToolTip(tip);
        e->setMaximumWidth(90);
        acceptFullWidthNumbers(e);
        connect(e, &QLineEdit::textEdited, this, [this] { mTyped = true; });
        connect(e, &QLineEdit::editingFinished, this, [this] { readFields(); });
        return e;
    };
    mK = field("txtModelK", tr("プロセスゲイン K（PV % / MV %）"));
    mL = field("txtModelL", tr("むだ時間 L s"));
    mT = field("txtModelT", tr("時定数 T s"));
    mFieldError = new QLabel(this);
    mFieldError->setObjectName("lblModelError");
    mFieldError->setStyleSheet("color: #b00000;");

    auto* top = new QHBoxLayout;
    auto* title = new QLabel(this);
    title->setObjectName("lblModelForm");
    // A tank's model integrates: K is then a rate, % per second per %.
    auto showForm = [title, &document] {
        title->setText(document.processType() == static_cast<int>(ProcessType::Integrating)
                           ? tr("調整に使うモデル（積分）  K·e<sup>−Ls</sup> / (s(1 + Ts)):")
                           : tr("調整に使うモデル  K·e<sup>−Ls</sup> / (1 + Ts):"));
    };
    showForm();
    mDocument = &document;
    mListener = document.addListener([showForm](SetupChange what, int) {
        if (what == SetupChange::ProcessType)
            showForm();
    });
    top->addWidget(title);
    for (auto [label, edit] : {std::pair{"K", mK}, {"L s", mL}, {"T s", mT}}) {
        top->addSpacing(8);
        top->addWidget(new QLabel(label, this));
        top->addWidget(edit);
    }
    top->addSpacing(12);
    top->addWidget(mFieldError, 1);

    mModelOf = new QLabel(this);
    mModelOf->setObjectName("lblModelOf");
    mModelOf->hide();

    mTabs = new QTabWidget(this);
    mTabs->setObjectName("tuningTabs");
    mIdentify = new IdentifyPart(store, this);
    mRules = new RulesPart(document, this);
    addPart(mIdentify, tr("同定"));
    addPart(mRules, tr("調整則"));
    connect(mIdentify, &IdentifyPart::modelAdopted, this, [this](double K, double L, double T) {
        setModelSignals(mIdentify->signalPair());
        setModel(K, L, T);
    });
    connect(this, &TuningWindow::modelChanged, mRules, &RulesPart::setModel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(mModelOf);
    layout->addWidget(mTabs, 1);
    resize(980, 760);
}

TuningWindow::~TuningWindow() {
    mDocument->removeListener(mListener);
    // Closing the window takes the focus from a model field, whose editingFinished would read the
    // fields of a window already half destroyed.
    for (QLineEdit* e : {mK, mL, mT})
        e->disconnect(this);
}

void TuningWindow::addPart(QWidget* part, const QString& title) {
    mTabs->addTab(part, title);
}

void TuningWindow::addLoopParts(AppState& state, SetupDocument& document) {
    auto* relay = new RelayPart(state, document);
    auto* frequency = new FrequencyPart(state, document);
    auto* stability = new StabilityPart(state, document);
    auto* conversion = new ConversionPart(document);
    mCompare = new ComparePart(state);
    addPart(mCompare, tr("比較"));
    addPart(relay, tr("限界感度"));
    addPart(frequency, tr("周波数応答"));
    addPart(stability, tr("安定領域"));
    addPart(conversion, tr("形式変換"));
    connect(this, &TuningWindow::modelChanged, relay, &RelayPart::setModel);
    connect(this, &TuningWindow::modelChanged, frequency, &FrequencyPart::setModel);
    connect(this, &TuningWindow::modelChanged, stability, &StabilityPart::setModel);
    connect(relay, &RelayPart::ultimateChosen, mRules, &RulesPart::setUltimate);
    connect(mRules, &RulesPart::compareRequested, this, [this](const std::vector<tuning::Candidate>& c) {
        mTabs->setCurrentWidget(mCompare);
        mCompare->compare(c);
    });
    connect(mCompare, &ComparePart::applyRequested, mRules, &RulesPart::applyPrimary);
}

void TuningWindow::runKept(int) {
    mIdentify->refreshRuns();
}

void TuningWindow::setModel(double K, double L, double T) {
    mModel = tuning::Fopdt{K, L, T};
    mK->setText(qtext(tuning::formulaNumber(K)));
    mL->setText(qtext(tuning::formulaNumber(L)));
    mT->setText(qtext(tuning::formulaNumber(T)));
    mTyped = false;
    mFieldError->clear();
    emit modelChanged(K, L, T);
}

void TuningWindow::setModelSignals(tuning::Signals pair) {
    mModelSignals = pair;
    const bool inner = pair.output == Channel::PV2;
    mRules->setSecondaryModel(inner);
    if (pair == tuning::Signals{}) {
        mModelOf->hide();
        return;
    }
    mModelOf->setText(
        inner ? tr("内側ループ（PV2 ← MV）のモデル: 調整則の「適用」は二次調節計（Kp2, Ti2, Td2）へ。"
                   "二次調節計を調整したら、内側ループを閉じて外側ループを同定します。")
              : tr("外側ループ（%1 ← %2、内側ループを閉じて）のモデル: 調整則の「適用」は主調節計へ。")
                    .arg(channelName(pair.output), channelName(pair.input)));
    mModelOf->show();
}

void TuningWindow::readFields() {
    // Only what the learner typed: the fields show an adopted model rounded.
    if (!mTyped)
        return;
    double v[3];
    QLineEdit* edits[3] = {mK, mL, mT};
    const char* names[3] = {"K", "L", "T"};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        // Read as typed: Return may come before the field shows full-width digits half-width.
        v[i] = qtext(halfWidthNumberText(edits[i]->text().trimmed().toStdString())).toDouble(&ok);
        if (!ok || !std::isfinite(v[i])) {
            // A model half typed in is not yet one: the one in force stays until all three are numbers.
            mFieldError->setText(edits[i]->text().trimmed().isEmpty()
                                     ? tr("%1 を入れてください。").arg(names[i])
                                     : tr("%1 が数値ではありません。").arg(names[i]));
            return;
        }
    }
    if (mModel && mModel->K == v[0] && mModel->L == v[1] && mModel->T == v[2])
        return;
    mTyped = false;
    mModel = tuning::Fopdt{v[0], v[1], v[2]};
    mFieldError->clear();
    emit modelChanged(v[0], v[1], v[2]);
}

} // namespace kestrel
