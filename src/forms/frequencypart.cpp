#include "forms/frequencypart.h"

#include "core/convert.h"
#include "forms/plotaxes.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>
#include <iterator>
#include <numbers>
#include <string_view>

namespace kestrel {

std::optional<double> fieldNumber(const SetupDocument& doc, Field f) {
    const std::string& text = doc.fieldText(f);
    if (!isNumeric(text))
        return std::nullopt;
    return toDouble(text);
}

namespace {

/// The process types' names as the learner reads them, in the order of the type options.
constexpr const char* kProcessTypeNames[] = {
    QT_TRANSLATE_NOOP("kestrel::FrequencyPart", "一次遅れ＋無駄時間"),
    QT_TRANSLATE_NOOP("kestrel::FrequencyPart", "二次遅れ＋無駄時間"),
    QT_TRANSLATE_NOOP("kestrel::FrequencyPart", "積分（液位）")};
static_assert(std::size(kProcessTypeNames) == kProcessTypes.size());
static_assert(std::string_view(kProcessTypeNames[0]) == kProcessTypes[0] &&
              std::string_view(kProcessTypeNames[1]) == kProcessTypes[1] &&
              std::string_view(kProcessTypeNames[2]) == kProcessTypes[2]);

} // namespace

const char* const kNonlinearNote =
    QT_TRANSLATE_NOOP("kestrel::FrequencyPart",
                      "バルブの不感帯・バックラッシュ・スティクションと測定ノイズは線形のモデルに入らない"
                      "ので、ここでは除いています（実際のループはそのぶん余裕が小さくなり、"
                      "ハンチングすることもあります）。");

std::optional<ProcessModel> processInForce(const SetupDocument& doc, std::string& error) {
    const auto K = fieldNumber(doc, Kpl), T = fieldNumber(doc, Tpl), L = fieldNumber(doc, Lpl);
    if (!K || !T || !L) {
        error =
            FrequencyPart::tr("プロセスのパラメータ（Kpl, Tpl, Lpl）が数値ではありません。").toStdString();
        return std::nullopt;
    }
    ProcessModel m{*K, *L, *T};
    m.integrating = doc.processType() == static_cast<int>(ProcessType::Integrating);
    const bool secondOrder = doc.processType() == static_cast<int>(ProcessType::SecondOrder);
    for (auto [d, target] : {std::pair{Tpl2, &m.T2}, {ValveT, &m.Tv}, {PvFilter, &m.Tf}}) {
        if (d == Tpl2 && !secondOrder)
            continue; // the second lag acts only in the second-order process
        const std::string& text = doc.detailText(d);
        if (!isNumeric(text)) {
            error = FrequencyPart::tr("プロセス詳細（Tpl2, Tv, Tf）が数値ではありません。").toStdString();
            return std::nullopt;
        }
        *target = toDouble(text);
    }
    return m;
}

ProcessModel processOf(const ParameterSet& p) {
    ProcessModel m{p.Kpl, p.Lpl, p.Tpl};
    m.T2 = p.processType() == ProcessType::SecondOrder ? p.Tpl2 : 0.0;
    m.Tv = p.VALVE_T;
    m.Tf = p.PV_FILTER;
    m.integrating = p.processType() == ProcessType::Integrating;
    return m;
}

QString describeProcess(const ProcessModel& m) {
    auto n = [](double v) { return QString::number(v, 'g', 4); };
    const int type = static_cast<int>(m.integrating ? ProcessType::Integrating
                                      : m.T2 > 0.0  ? ProcessType::SecondOrder
                                                    : ProcessType::FirstOrder);
    QString text = FrequencyPart::tr(kProcessTypeNames[type]);
    text += QString(" K %1%2, L %3 s, T %4 s").arg(n(m.K), m.integrating ? " %/s/%" : "", n(m.L), n(m.T));
    if (m.T2 > 0.0)
        text += QString(", Tpl2 %1 s").arg(n(m.T2));
    if (m.Tv > 0.0)
        text += ", " + FrequencyPart::tr("バルブ遅れ Tv %1 s").arg(n(m.Tv));
    if (m.Tf > 0.0)
        text += ", " + FrequencyPart::tr("センサフィルタ Tf %1 s").arg(n(m.Tf));
    return text;
}

namespace {

QString number(double v, int digits = 3) {
    return QString::number(v, 'g', digits);
}

QString marginsText(const std::optional<double>& v, const char* unit, int digits = 3) {
    return v ? number(*v, digits) + QString::fromUtf8(unit) : QStringLiteral("—");
}

} // namespace

FrequencyPart::FrequencyPart(AppState& state, SetupDocument& doc, QWidget* parent)
    : QWidget(parent), mState(state), mDoc(doc), mBodeCanvas(new PlotCanvas(this)),
      mNyquistCanvas(new PlotCanvas(this)), mTable(new QTableWidget(5, 2, this)), mNote(new QLabel(this)) {
    setObjectName("frequencyPart");
    mBodeCanvas->setObjectName("bodePlot");
    mNyquistCanvas->setObjectName("nyquistPlot");
    mTable->setObjectName("marginTable");
    mNote->setObjectName("frequencyNote");
    mNote->setWordWrap(true);
    mBodeCanvas->paint = [this](QPainter& p, const QRectF& r) { paintBode(p, r); };
    mNyquistCanvas->paint = [this](QPainter& p, const QRectF& r) { paintNyquist(p, r); };

    mTable->setHorizontalHeaderLabels({tr("連続時間"), tr("離散時間")});
    mTable->setVerticalHeaderLabels({tr("ゲイン余裕 GM"), tr("位相余裕 PM"), "ω_gc", "ω_pc", "Ms"});
    mTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    mTable->setFixedWidth(340);

    mTable->setFixedHeight(mTable->horizontalHeader()->sizeHint().height() +
                           5 * mTable->verticalHeader()->defaultSectionSize() + 4);
    auto* plots = new QHBoxLayout;
    plots->addWidget(mBodeCanvas, 3);
    plots->addWidget(mNyquistCanvas, 2);
    auto* figures = new QHBoxLayout;
    figures->addWidget(mTable);
    figures->addWidget(mNote, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(plots, 1);
    layout->addLayout(figures);

    mListener = mDoc.addListener([this](SetupChange what, int index) {
        if (what == SetupChange::FieldText) {
            if (index == Kpl || index == Tpl || index == Lpl)
                mModel.reset();
            if (index == Kpl || index == Tpl || index == Lpl || index == Kp || index == Ti || index == Td ||
                index == dT)
                refresh();
        } else if (what == SetupChange::ProcessType) {
            mModel.reset(); // a model of the other kind no longer stands for the process
            refresh();
        } else if (what == SetupChange::TypeTab ||
                   (what == SetupChange::DetailText &&
                    (index == Tpl2 || index == ValveT || index == PvFilter))) {
            refresh();
        }
    });
    refresh();
}

FrequencyPart::~FrequencyPart() {
    mDoc.removeListener(mListener);
}

void FrequencyPart::setModel(double K, double L, double T) {
    mModel = ProcessModel{K, L, T};
    mModel->integrating = mDoc.processType() == static_cast<int>(ProcessType::Integrating);
    refresh();
}

void FrequencyPart::refresh() {
    Figures f;
    mBode.clear();
    mNyquist.clear();
    std::string error;
    std::optional<ProcessModel> m = mModel ? mModel : processInForce(mDoc, error);
    const auto kp = fieldNumber(mDoc, Kp), ti = fieldNumber(mDoc, Ti), td = fieldNumber(mDoc, Td);
    const auto dtMs = fieldNumber(mDoc, dT);
    if (m && !(kp && ti && td && dtMs))
        error = tr("調節計のパラメータ（Kp, Ti, Td, dT）が数値ではありません。").toStdString();
    else if (m && *dtMs <= 0)
        error = tr("制御周期 dT は正の値にしてください。").toStdString();
    if (error.empty()) {
        f.loop = {mDoc.typeTab(), *kp,   *ti,   *td,   mState.params.eta, m->K, m->L,
                  m->T,           m->T2, m->Tv, m->Tf, m->integrating};
        f.process =
            (mModel ? tr("調整に使うモデル: %1") : tr("設定中のプロセス: %1")).arg(describeProcess(*m));
        f.dt = *dtMs / 1000.0;
        error = tuning::loopError(f.loop);
    }
    f.error = error;
    if (error.empty()) {
        f.continuous = tuning::loopMargins(f.loop);
        if (tuning::sampledMarginsMatter(f.dt, f.loop.L))
            f.sampled = tuning::loopMargins(f.loop, f.dt);
        const std::vector<double> w = tuning::chartFrequencies(f.loop, 500);
        mBode = tuning::bodeData(f.loop, w);
        mNyquist = tuning::nyquistData(f.loop, w);
    }
    mFigures = std::move(f);
    fillTable();
    mBodeCanvas->update();
    mNyquistCanvas->update();
}

void FrequencyPart::fillTable() {
    const Figures& f = mFigures;
    auto column = [this](int c, const std::optional<tuning::Margins>& m) {
        QStringList texts;
        if (!m || !mFigures.error.empty()) {
            texts = {"—", "—", "—", "—", "—"};
        } else {
            texts << (m->gainMargin ? number(*m->gainMargin) +
                                          QString(" (%1 dB)").arg(20 * std::log10(*m->gainMargin), 0, 'f', 1)
                                    : QStringLiteral("—"))
                  << marginsText(m->phaseMarginDeg, "°") << marginsText(m->wgc, " rad/s")
                  << marginsText(m->wpc, " rad/s") << marginsText(m->Ms, "");
        }
        for (int r = 0; r < 5; ++r)
            mTable->setItem(r, c, new QTableWidgetItem(texts[r]));
    };
    column(0, f.continuous);
    column(1, f.sampled);
    QString note;
    if (!f.error.empty()) {
        note = QString::fromStdString(f.error);
    } else {
        note = f.process + "\n";
        note += tr("シミュレータは制御周期 %1 秒の離散時間で計算します。").arg(number(f.dt));
        note += f.sampled ? tr("制御周期が無駄時間の 1/10 より長いので、離散時間のループの余裕も示します（"
                               "遅れが増えるぶん余裕は小さくなります）。")
                          : tr("制御周期が無駄時間に比べて短いので、連続時間の余裕がよい近似です。");
        note += "\n" + tr(kNonlinearNote);
    }
    mNote->setText(note);
}

void FrequencyPart::paintBode(QPainter& p, const QRectF& r) const {
    if (mBode.empty()) {
        p.drawText(r, Qt::AlignCenter, QString::fromStdString(mFigures.error));
        return;
    }
    double mLo = mBode.front().magnitudeDb, mHi = mLo, pLo = mBode.front().phaseDeg, pHi = pLo;
    for (const auto& b : mBode) {
        mLo = std::min(mLo, b.magnitudeDb), mHi = std::max(mHi, b.magnitudeDb);
        pLo = std::min(pLo, b.phaseDeg), pHi = std::max(pHi, b.phaseDeg);
    }
    // Keep the interesting range in view: 0 dB and −180°, at most 120 dB and down to −360° (the
    // dead time's phase falls without end at high frequencies).
    mLo = std::max(std::min(mLo, -20.0), mHi - 120), mHi = std::max(mHi, 20.0);
    pLo = std::max(std::min(pLo, -200.0), -360.0), pHi = std::max(pHi, 0.0);
    const PlotAxis wAxis{mBode.front().w, mBode.back().w, true};
    const double left = 60, right = r.width() - 15, gap = 40;
    const double h = (r.height() - 30 - gap - 35) / 2;
    const PlotArea mag{QRectF(left, 25, right - left, h), wAxis, PlotAxis{mLo, mHi}.rounded(5)};
    const PlotArea ph{QRectF(left, 25 + h + gap, right - left, h), wAxis, PlotAxis{pLo, pHi}.rounded(5)};
    mag.drawFrame(p, "", tr("ゲイン [dB]"));
    ph.drawFrame(p, "ω [rad/s]", tr("位相 [°]"));

    auto draw = [&](const PlotArea& a, bool magnitude) {
        QPolygonF line;
        line.reserve(static_cast<int>(mBode.size()));
        for (const auto& b : mBode)
            line << a.map(b.w, magnitude ? b.magnitudeDb : b.phaseDeg);
        p.save();
        a.clip(p);
        const double ref = magnitude ? 0.0 : -180.0;
        p.setPen(QPen(QColor(128, 128, 128), 1, Qt::DashLine));
        p.drawLine(a.map(wAxis.lo, ref), a.map(wAxis.hi, ref));
        p.setPen(QPen(magnitude ? QColor(0, 90, 200) : QColor(200, 60, 0), 2));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(line);
        p.restore();
    };
    draw(mag, true);
    draw(ph, false);

    const tuning::Margins& m = mFigures.continuous;
    const tuning::Loop& loop = mFigures.loop;
    p.setPen(QPen(QColor(0, 140, 0), 1.5));
    if (m.wgc && m.phaseMarginDeg) {
        const double phase = tuning::loopPhase(loop, *m.wgc) * 180 / std::numbers::pi;
        p.drawLine(mag.map(*m.wgc, mag.y.lo), mag.map(*m.wgc, 0));
        p.drawLine(ph.map(*m.wgc, -180), ph.map(*m.wgc, phase));
        const QPointF at = ph.map(*m.wgc, phase);
        p.drawText(at + QPointF(4, -4),
                   QString("PM %1° (ω_gc %2)").arg(number(*m.phaseMarginDeg)).arg(number(*m.wgc)));
    }
    p.setPen(QPen(QColor(170, 0, 170), 1.5));
    if (m.wpc && m.gainMargin) {
        const double db = -20 * std::log10(*m.gainMargin);
        p.drawLine(mag.map(*m.wpc, db), mag.map(*m.wpc, 0));
        p.drawLine(ph.map(*m.wpc, ph.y.hi), ph.map(*m.wpc, -180));
        const QString label = QString("GM %1 dB (ω_pc %2)").arg(-db, 0, 'f', 1).arg(number(*m.wpc));
        const QPointF at = mag.map(*m.wpc, db);
        // The text goes to the side of the line that has room for it.
        const double width = p.fontMetrics().horizontalAdvance(label);
        p.drawText(at + QPointF(at.x() + width + 6 > mag.rect.right() ? -width - 4 : 4, 14), label);
    }
}

void FrequencyPart::paintNyquist(QPainter& p, const QRectF& r) const {
    if (mNyquist.empty())
        return;
    // Equal scales on both axes, −1 and the unit circle in view.
    const double side = std::min(r.width() - 70, r.height() - 55);
    const PlotArea a{QRectF(55, 20, side, side), PlotAxis{-2.5, 1.5}, PlotAxis{-2.5, 1.5}};
    a.drawFrame(p, "Re", "Im");
    p.save();
    a.clip(p);
    p.setBrush(Qt::NoBrush);
    const double unit = a.map(1, 0).x() - a.map(0, 0).x();
    p.setPen(QPen(QColor(160, 160, 160), 1, Qt::DashLine));
    p.drawLine(a.map(-2.5, 0), a.map(1.5, 0));
    p.drawLine(a.map(0, -2.5), a.map(0, 1.5));
    p.drawEllipse(a.map(0, 0), unit, unit);
    if (const auto& ms = mFigures.continuous.Ms) {
        p.setPen(QPen(QColor(0, 140, 0), 1, Qt::DashLine));
        p.drawEllipse(a.map(-1, 0), unit / *ms, unit / *ms);
        p.drawText(a.map(-1, 0) + QPointF(-unit / *ms, -unit / *ms), QString("Ms=%1").arg(number(*ms)));
    }
    QPolygonF line, mirror;
    for (const auto& n : mNyquist)
        line << a.map(n.re, n.im), mirror << a.map(n.re, -n.im);
    p.setPen(QPen(QColor(0, 90, 200, 90), 1));
    p.drawPolyline(mirror);
    p.setPen(QPen(QColor(0, 90, 200), 2));
    p.drawPolyline(line);
    p.setPen(Qt::red);
    p.setBrush(Qt::red);
    p.drawEllipse(a.map(-1, 0), 4, 4);
    p.drawText(a.map(-1, 0) + QPointF(-10, 16), "−1");
    p.restore();
}

} // namespace kestrel
