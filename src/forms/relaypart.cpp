#include "forms/relaypart.h"

#include "forms/frequencypart.h"
#include "forms/plotaxes.h"
#include "tuning/frequency.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace kestrel {

namespace {
QDoubleSpinBox* spin(QWidget* parent, const char* name, double lo, double hi, double value,
                     const char* suffix) {
    auto* s = new QDoubleSpinBox(parent);
    s->setObjectName(name);
    s->setRange(lo, hi);
    s->setDecimals(2);
    s->setValue(value);
    s->setSuffix(QString::fromUtf8(suffix));
    return s;
}
QString number(double v) {
    return QString::number(v, 'g', 4);
}
} // namespace

RelayPart::RelayPart(AppState& state, SetupDocument& doc, QWidget* parent)
    : QWidget(parent), mState(state), mDoc(doc), mAmplitude(spin(this, "relayAmplitude", 0.1, 50, 10, " %")),
      mHysteresis(spin(this, "relayHysteresis", 0, 20, 0, " %")),
      mBias(spin(this, "relayBias", 0, 100, state.sim.SimTime > 0 ? state.sim.MV[0] : 50.0, " %")),
      mCanvas(new PlotCanvas(this)), mFigures(new QLabel(this)),
      mUseEstimate(new QPushButton(tr("推定値を使う"), this)),
      mUseExact(new QPushButton(tr("厳密値を使う"), this)) {
    setObjectName("relayPart");
    mCanvas->setObjectName("relayPlot");
    mFigures->setObjectName("relayFigures");
    mFigures->setWordWrap(true);
    mFigures->setTextInteractionFlags(Qt::TextSelectableByMouse);
    mUseEstimate->setObjectName("useEstimate");
    mUseExact->setObjectName("useExact");
    mCanvas->paint = [this](QPainter& p, const QRectF& r) { paintTrace(p, r); };

    auto* runButton = new QPushButton(tr("実行"), this);
    runButton->setObjectName("relayRun");
    connect(runButton, &QPushButton::clicked, this, [this] { run(); });
    connect(mUseEstimate, &QPushButton::clicked, this, [this] {
        if (mResult)
            emit ultimateChosen(mResult->Ku, mResult->period);
    });
    connect(mUseExact, &QPushButton::clicked, this, [this] {
        if (mExact)
            emit ultimateChosen(mExact->Ku, mExact->Pu);
    });

    auto* form = new QFormLayout;
    form->addRow(tr("リレー振幅 d"), mAmplitude);
    form->addRow(tr("ヒステリシス ε"), mHysteresis);
    form->addRow(tr("バイアス（MV の中心）"), mBias);
    form->addRow(runButton);
    auto* side = new QVBoxLayout;
    side->addLayout(form);
    side->addWidget(mFigures);
    side->addWidget(mUseEstimate);
    side->addWidget(mUseExact);
    side->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(mCanvas, 1);
    layout->addLayout(side);
    mFigures->setMinimumWidth(280);
    mFigures->setMaximumWidth(340);

    mListener = mDoc.addListener([this](SetupChange what, int index) {
        if (what == SetupChange::FieldText && (index == Kpl || index == Tpl || index == Lpl)) {
            mModel.reset();
            modelChanged();
        } else if (what == SetupChange::ProcessType) {
            modelChanged(); // the same model, integrating or not
        }
    });
    modelChanged();
}

RelayPart::~RelayPart() {
    mDoc.removeListener(mListener);
}

void RelayPart::setModel(double K, double L, double T) {
    mModel = tuning::Fopdt{K, L, T};
    modelChanged();
}

void RelayPart::setAmplitude(double d) {
    mAmplitude->setValue(d);
}
void RelayPart::setHysteresis(double epsilon) {
    mHysteresis->setValue(epsilon);
}
void RelayPart::setBias(double bias) {
    mBias->setValue(bias);
}

std::optional<tuning::Fopdt> RelayPart::model(std::string& error) const {
    if (mModel)
        return mModel;
    const auto m = processInForce(mDoc, error);
    if (!m)
        return std::nullopt;
    return tuning::Fopdt{m->K, m->L, m->T};
}

bool RelayPart::tank() const {
    // The model stands for the process in force: it integrates while that is a tank.
    return mDoc.processType() == static_cast<int>(ProcessType::Integrating);
}

void RelayPart::modelChanged() {
    // A trace of another model would mislead: the test is run again on request.
    mResult.reset();
    mError.clear();
    const auto m = model(mError);
    mExact = m ? tuning::ultimatePoint(*m, tank()) : std::nullopt;
    showFigures();
    mCanvas->update();
}

bool RelayPart::run() {
    mResult.reset();
    mError.clear();
    const auto m = model(mError);
    if (m) {
        tuning::RelaySetup setup;
        setup.process = *m;
        const auto dtMs = fieldNumber(mDoc, dT);
        setup.dt = dtMs && *dtMs > 0 ? *dtMs / 1000.0 : mState.params.dt;
        mCoarse = tuning::sampledMarginsMatter(setup.dt, m->L);
        setup.bias = mBias->value();
        setup.d = mAmplitude->value();
        setup.hysteresis = mHysteresis->value();
        setup.integrating = tank();
        mResult = tuning::relayTest(setup, mError);
        mExact = tuning::ultimatePoint(*m, setup.integrating);
    }
    showFigures();
    mCanvas->update();
    return mResult.has_value();
}

QString RelayPart::summary() const {
    return mFigures->text();
}

void RelayPart::showFigures() {
    QString text;
    if (mResult) {
        const auto& r = *mResult;
        text += tr("リレー試験: 振幅 a = %1 %、周期 Pu = %2 秒").arg(number(r.amplitude), number(r.period)) +
                "\n";
        text += tr("推定 Ku = 4d/(π√(a²−ε²)) = %1").arg(number(r.Ku)) + "\n";
        if (!r.steady)
            text += tr("（時間内に振動が一定になりませんでした。最後の周期の値です）") + "\n";
    } else if (!mError.empty()) {
        text += QString::fromStdString(mError) + "\n";
    } else {
        text += tr("「実行」でリレー試験を行います。") + "\n";
    }
    if (mExact) {
        text += tr("モデルの厳密値: Ku = %1、Pu = %2 秒").arg(number(mExact->Ku), number(mExact->Pu)) + "\n";
        if (mResult)
            text += tr("推定値は厳密値より Ku で %1 %、Pu で %2 % ずれています。")
                        .arg(100 * (mResult->Ku - mExact->Ku) / mExact->Ku, 0, 'f', 1)
                        .arg(100 * (mResult->period - mExact->Pu) / mExact->Pu, 0, 'f', 1);
        if (mResult && mCoarse)
            text += tr("（制御周期が長いので、そのぶんの遅れもずれに加わります）");
        text += tr(
            "記述関数法は PV の振動を正弦波とみなす近似です。一次遅れ＋無駄時間のプロセスでは推定 Ku が"
            "厳密値より低めに出ます（レッスン 9.5 のプロセスで約 16 % 低め）が、Pu は数 % 以内で合います。");
    } else if (!mError.empty() || mResult) {
        text += tr("このモデルは位相が −180° に達しない（無駄時間がない）ので、限界感度がありません。");
    }
    mFigures->setText(text);
    mUseEstimate->setEnabled(mResult.has_value());
    mUseExact->setEnabled(mExact.has_value());
}

void RelayPart::paintTrace(QPainter& p, const QRectF& r) const {
    if (!mResult || mResult->t.empty()) {
        p.drawText(r, Qt::AlignCenter, tr("リレー試験の PV と MV をここに描きます。"));
        return;
    }
    const auto& res = *mResult;
    double lo = res.pv.front(), hi = lo;
    for (std::size_t i = 0; i < res.t.size(); ++i) {
        lo = std::min({lo, res.pv[i], res.mv[i]});
        hi = std::max({hi, res.pv[i], res.mv[i]});
    }
    const PlotArea a{QRectF(55, 25, r.width() - 75, r.height() - 65), PlotAxis{0, res.t.back()}.rounded(),
                     PlotAxis{lo - 1, hi + 1}.rounded(6)};
    a.drawFrame(p, tr("時間 [秒]"), tr("PV（青）・MV（赤） [%]"));
    auto trace = [&](const std::vector<double>& v, QColor c, bool stairs) {
        QPainterPath path;
        for (std::size_t i = 0; i < v.size(); ++i) {
            const QPointF q = a.map(res.t[i], v[i]);
            if (i == 0)
                path.moveTo(q);
            else if (stairs)
                path.lineTo(QPointF(q.x(), a.map(res.t[i - 1], v[i - 1]).y())), path.lineTo(q);
            else
                path.lineTo(q);
        }
        p.setPen(QPen(c, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    };
    p.save();
    a.clip(p);
    trace(res.mv, QColor(220, 0, 0), true);
    trace(res.pv, QColor(0, 70, 220), false);
    p.restore();
}

} // namespace kestrel
