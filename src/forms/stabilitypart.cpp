#include "forms/stabilitypart.h"

#include "core/vbformat.h"
#include "forms/frequencypart.h"
#include "forms/plotaxes.h"
#include "setup/setupdocument.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

namespace kestrel {

namespace {

/// Short names of the rules for the labels in the plane.
QString shortName(const std::string& rule) {
    static const std::map<std::string, const char*> names{
        {"ziegler-nichols-step", "ZN"},
        {"chr-setpoint-0", QT_TRANSLATE_NOOP("kestrel::StabilityPart", "CHR目0")},
        {"chr-setpoint-20", QT_TRANSLATE_NOOP("kestrel::StabilityPart", "CHR目20")},
        {"chr-load-0", QT_TRANSLATE_NOOP("kestrel::StabilityPart", "CHR外0")},
        {"chr-load-20", QT_TRANSLATE_NOOP("kestrel::StabilityPart", "CHR外20")},
        {"cohen-coon", "CC"},
        {"lambda", "λ"},
        {"imc", "IMC"},
        {"simc", "SIMC"},
        {"amigo", "AMIGO"},
        {"ziegler-nichols-ultimate", QT_TRANSLATE_NOOP("kestrel::StabilityPart", "ZN限界")},
        {"tyreus-luyben", "TL"}};
    const auto it = names.find(rule);
    return it != names.end() ? StabilityPart::tr(it->second) : QString::fromStdString(rule);
}

QPolygonF scaled(const PlotArea& a, const std::vector<tuning::BoundaryPoint>& b, double g) {
    QPolygonF poly;
    for (const auto& q : b)
        poly << a.map(q.Kp / g, std::max(q.Ki, 0.0) / g);
    return poly;
}

} // namespace

StabilityPart::StabilityPart(AppState& state, SetupDocument& doc, QWidget* parent)
    : QWidget(parent), mState(state), mDoc(doc), mCanvas(new PlotCanvas(this)), mStatus(new QLabel(this)) {
    setObjectName("stabilityPart");
    mCanvas->setObjectName("stabilityPlot");
    mStatus->setObjectName("stabilityStatus");
    mStatus->setWordWrap(true);
    mCanvas->setCursor(Qt::CrossCursor);
    mCanvas->paint = [this](QPainter& p, const QRectF& r) { paintPlane(p, r); };
    mCanvas->click = [this](QPointF at) { clicked(at); };
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mCanvas, 1);
    layout->addWidget(mStatus);
    mStatus->setText(tr("PI 制御の安定領域（青い部分）です。平面をクリックすると、その Kp と Ti = Kp/Ki を"
                        "調節計の欄に入れます（OK で確定）。"));

    mListener = mDoc.addListener([this](SetupChange what, int index) {
        if (mWriting)
            return;
        if (what == SetupChange::ProcessType) {
            mModel.reset(); // a model of the other kind no longer stands for the process
            refresh();
        }
        if (what == SetupChange::DetailText && (index == Tpl2 || index == ValveT || index == PvFilter))
            refresh();
        if (what != SetupChange::FieldText)
            return;
        if (index == Kpl || index == Tpl || index == Lpl)
            mModel.reset();
        if (index == Kpl || index == Tpl || index == Lpl || index == Kp || index == Ti)
            refresh();
    });
    refresh();
}

StabilityPart::~StabilityPart() {
    mDoc.removeListener(mListener);
}

void StabilityPart::setModel(double K, double L, double T) {
    mModel = tuning::Loop{};
    mModel->K = K, mModel->L = L, mModel->T = T;
    mModel->integrating = mDoc.processType() == static_cast<int>(ProcessType::Integrating);
    refresh();
}

void StabilityPart::refresh() {
    Figures f;
    std::optional<tuning::Loop> m = mModel;
    if (!m) {
        if (const auto p = processInForce(mDoc, f.error))
            m = tuning::Loop{0, 1, 0, 0, 0.1, p->K, p->L, p->T, p->T2, p->Tv, p->Tf, p->integrating};
    }
    if (m) {
        f.boundary = tuning::piStabilityBoundary(*m, f.error);
        tuning::RuleInput in{m->K, m->L, m->T, {}, {}, {}, {}};
        in.integrating = m->integrating;
        if (!f.boundary.empty()) {
            // The ultimate point of the whole model: where the boundary meets Ki = 0 again.
            f.Ku = f.boundary.back().Kp;
            in.Ku = f.boundary.back().Kp, in.Pu = 2 * std::numbers::pi / f.boundary.back().w;
        }
        std::string ruleError;
        for (const auto& row : tuning::tuningRules(in, ruleError))
            if (row.controller == "PI" && row.Ti && *row.Ti > 0)
                f.rules.push_back({shortName(row.rule), row.Kp, row.Kp / *row.Ti});
    }
    const auto kp = fieldNumber(mDoc, Kp), ti = fieldNumber(mDoc, Ti);
    if (kp && ti)
        f.current = Mark{tr("現在"), *kp, *ti > 0 ? *kp / *ti : 0.0};
    mFigures = std::move(f);
    mCanvas->update();
}

bool StabilityPart::stable(double Kp, double Ki) const {
    const auto& b = mFigures.boundary;
    if (b.size() < 2 || Ki <= 0)
        return false;
    // Inside the closed curve (boundary plus the Ki = 0 axis): even-odd rule on a ray upwards.
    bool inside = false;
    for (std::size_t i = 0, j = b.size() - 1; i < b.size(); j = i++) {
        const double x1 = b[j].Kp, y1 = std::max(b[j].Ki, 0.0), x2 = b[i].Kp, y2 = std::max(b[i].Ki, 0.0);
        if ((x1 > Kp) != (x2 > Kp) && Ki < y1 + (Kp - x1) * (y2 - y1) / (x2 - x1))
            inside = !inside;
    }
    return inside;
}

bool StabilityPart::clickAt(double kp, double ki) {
    if (!(kp > 0) || !(ki > 0) || !std::isfinite(kp) || !std::isfinite(ki)) {
        mStatus->setText(tr("Kp と Ki が正になる点（右上の象限）を選んでください。"));
        return false;
    }
    mWriting = true;
    if (mDoc.typeTab() != static_cast<int>(ControlType::PI))
        mDoc.ContTypeTab_Click(static_cast<int>(ControlType::PI));
    mDoc.setFieldText(Kp, formatNumber(kp, "##0.00"));
    mDoc.setFieldText(Ti, formatNumber(kp / ki, "##0.00"));
    mWriting = false;
    refresh();
    QString text =
        tr("Kp = %1、Ki = %2 /秒（Ti = %3 秒）を調節計の欄に入れました%4。OK で確定します。")
            .arg(QString::fromStdString(mDoc.fieldText(Kp)))
            .arg(ki, 0, 'g', 3)
            .arg(QString::fromStdString(mDoc.fieldText(Ti)))
            .arg(stable(kp, ki) ? tr("（安定領域の内側）") : tr("（安定領域の外側: 不安定になります）"));
    // The fields' ranges apply at OK; say so rather than let the point move unseen.
    for (const auto& [f, v] : {std::pair{Kp, kp}, std::pair{Ti, kp / ki}})
        if (v > kFields[f].high)
            text += "\n" + tr("%1 は欄の上限 %2 を超えるので、OK で %2 になります。")
                               .arg(f == Kp ? "Kp" : "Ti")
                               .arg(kFields[f].high);
    mStatus->setText(text);
    return true;
}

QString StabilityPart::status() const {
    return mStatus->text();
}

PlotArea StabilityPart::area(const QRectF& r) const {
    double xLo = 0, xHi = 0, yHi = 0;
    for (const auto& q : mFigures.boundary)
        xLo = std::min(xLo, q.Kp), xHi = std::max(xHi, q.Kp), yHi = std::max(yHi, q.Ki);
    for (const Mark& m : mFigures.rules)
        xHi = std::max(xHi, m.Kp), yHi = std::max(yHi, m.Ki);
    if (xHi <= 0)
        xHi = 1;
    if (yHi <= 0)
        yHi = 1;
    return PlotArea{QRectF(60, 25, r.width() - 80, r.height() - 65), PlotAxis{xLo, xHi * 1.1}.rounded(8),
                    PlotAxis{0, yHi * 1.15}.rounded(6)};
}

void StabilityPart::paintPlane(QPainter& p, const QRectF& r) const {
    const PlotArea a = area(r);
    a.drawFrame(p, "Kp", tr("Ki = Kp/Ti [1/秒]"));
    p.save();
    a.clip(p);
    const auto& b = mFigures.boundary;
    if (b.empty()) {
        p.drawText(a.rect, Qt::AlignCenter | Qt::TextWordWrap, QString::fromStdString(mFigures.error));
    } else {
        p.setPen(QPen(QColor(60, 60, 60), 2));
        p.setBrush(QColor(200, 215, 235));
        p.drawPolygon(scaled(a, b, 1));
        p.setBrush(Qt::NoBrush);
        for (double g : {2.0, 3.0}) {
            p.setPen(QPen(QColor(0, 120, 0), 1.2, Qt::DashLine));
            const QPolygonF c = scaled(a, b, g);
            p.drawPolyline(c);
            std::size_t top = 0;
            for (std::size_t i = 0; i < b.size(); ++i)
                if (b[i].Ki > b[top].Ki)
                    top = i;
            p.drawText(c[static_cast<int>(top)] + QPointF(4, -4), QString("GM=%1").arg(g));
        }
        const QPointF ku = a.map(mFigures.Ku, 0);
        p.setPen(QPen(Qt::red, 2));
        p.drawLine(ku + QPointF(0, -6), ku + QPointF(0, 0));
        p.drawText(ku + QPointF(-40, -8), QString("Ku=%1").arg(mFigures.Ku, 0, 'g', 4));
    }
    p.setPen(QPen(QColor(90, 0, 140), 1));
    p.setBrush(QColor(150, 60, 200));
    // Rules often give nearly the same setting: each label takes the first place beside its point
    // where it covers no label drawn before.
    std::vector<QRectF> taken;
    const QFontMetricsF fm(p.font());
    for (const Mark& m : mFigures.rules) {
        const QPointF at = a.map(m.Kp, m.Ki);
        p.drawEllipse(at, 3.5, 3.5);
        const double w = fm.horizontalAdvance(m.label), h = fm.height();
        QRectF box;
        for (QPointF offset :
             {QPointF(5, -h), QPointF(5, 2), QPointF(-w - 5, -h), QPointF(-w - 5, 2), QPointF(5, -2 * h),
              QPointF(5, h + 2), QPointF(-w - 5, -2 * h), QPointF(-w - 5, h + 2)}) {
            box = QRectF(at + offset, QSizeF(w, h));
            if (std::none_of(taken.begin(), taken.end(), [&](const QRectF& t) { return t.intersects(box); }))
                break;
        }
        taken.push_back(box);
        p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, m.label);
    }
    if (const auto& c = mFigures.current) {
        const QPointF at = a.map(c->Kp, c->Ki);
        p.setPen(QPen(Qt::red, 2));
        p.drawLine(at + QPointF(-6, 0), at + QPointF(6, 0));
        p.drawLine(at + QPointF(0, -6), at + QPointF(0, 6));
        p.drawText(at + QPointF(7, 14), c->label);
    }
    p.restore();
}

void StabilityPart::clicked(QPointF at) {
    const PlotArea a = area(QRectF(mCanvas->rect()));
    // A click on a marked setting takes its exact values.
    for (const Mark& m : mFigures.rules) {
        const QPointF d = a.map(m.Kp, m.Ki) - at;
        if (d.x() * d.x() + d.y() * d.y() <= 36) {
            clickAt(m.Kp, m.Ki);
            return;
        }
    }
    const QPointF v = a.unmap(at);
    clickAt(v.x(), v.y());
}

} // namespace kestrel
