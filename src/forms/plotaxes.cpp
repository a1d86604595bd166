#include "forms/plotaxes.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace kestrel {

double PlotAxis::fraction(double v) const {
    if (log)
        return (std::log10(v) - std::log10(lo)) / (std::log10(hi) - std::log10(lo));
    return (v - lo) / (hi - lo);
}

double PlotAxis::valueAt(double f) const {
    if (log)
        return std::pow(10.0, std::log10(lo) + f * (std::log10(hi) - std::log10(lo)));
    return lo + f * (hi - lo);
}

namespace {
double niceStep(double span, int target) {
    // The 1, 2 or 5 times a power of ten nearest (by ratio) to the step that gives `target` ticks.
    const double raw = span / std::max(target, 1);
    const double p = std::pow(10.0, std::floor(std::log10(raw)));
    double best = p;
    for (double m : {2.0, 5.0, 10.0})
        if (std::abs(std::log(m * p / raw)) < std::abs(std::log(best / raw)))
            best = m * p;
    return best;
}
} // namespace

double tickStep(double span, double count) {
    const double raw = span / count;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * power * 1.0001)
            return m * power;
    return 10 * power;
}

QString tickText(double v, double step) {
    const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    if (std::abs(v) < step * 1e-6)
        v = 0;
    return QString::number(v, 'f', decimals);
}

std::vector<double> PlotAxis::ticks(int target) const {
    std::vector<double> out;
    if (!(hi > lo) || !std::isfinite(lo) || !std::isfinite(hi))
        return out;
    if (log) {
        for (double e = std::ceil(std::log10(lo) - 1e-9); e <= std::log10(hi) + 1e-9; e += 1)
            out.push_back(std::pow(10.0, e));
        return out;
    }
    const double step = niceStep(hi - lo, target);
    for (double v = std::ceil(lo / step - 1e-9) * step; v <= hi + step * 1e-9; v += step)
        out.push_back(std::abs(v) < step * 1e-9 ? 0.0 : v);
    return out;
}

PlotAxis PlotAxis::rounded(int target) const {
    if (!(hi > lo))
        return {lo - 1, lo + 1, false};
    if (log)
        return {std::pow(10.0, std::floor(std::log10(lo))), std::pow(10.0, std::ceil(std::log10(hi))), true};
    const double step = niceStep(hi - lo, target);
    return {std::floor(lo / step + 1e-9) * step, std::ceil(hi / step - 1e-9) * step, false};
}

QString tickText(double v, bool log) {
    if (log && (v < 0.01 || v >= 1e4))
        return QString::number(v, 'e', 0);
    return QString::number(v, 'g', 6);
}

QPointF PlotArea::map(double xv, double yv) const {
    return {rect.left() + x.fraction(xv) * rect.width(), rect.bottom() - y.fraction(yv) * rect.height()};
}

QPointF PlotArea::unmap(QPointF p) const {
    return {x.valueAt((p.x() - rect.left()) / rect.width()),
            y.valueAt((rect.bottom() - p.y()) / rect.height())};
}

void PlotArea::drawFrame(QPainter& p, const QString& xTitle, const QString& yTitle) const {
    p.fillRect(rect, Qt::white);
    const QFontMetrics fm = p.fontMetrics();
    p.setPen(QPen(QColor(220, 220, 220), 0));
    for (double t : x.ticks())
        p.drawLine(map(t, y.lo), map(t, y.hi));
    for (double t : y.ticks(5))
        p.drawLine(map(x.lo, t), map(x.hi, t));
    p.setPen(Qt::black);
    for (double t : x.ticks()) {
        const QPointF at = map(t, y.lo);
        const QString s = tickText(t, x.log);
        p.drawText(QPointF(at.x() - fm.horizontalAdvance(s) / 2.0, rect.bottom() + fm.ascent() + 2), s);
    }
    for (double t : y.ticks(5)) {
        const QPointF at = map(x.lo, t);
        const QString s = tickText(t, y.log);
        p.drawText(QPointF(rect.left() - fm.horizontalAdvance(s) - 4, at.y() + fm.ascent() / 2.0 - 1), s);
    }
    p.drawText(QPointF(rect.right() - fm.horizontalAdvance(xTitle), rect.bottom() + 2 * fm.height() + 2),
               xTitle);
    p.drawText(QPointF(rect.left(), rect.top() - 4), yTitle);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect);
}

void PlotArea::clip(QPainter& p) const {
    p.setClipRect(rect.adjusted(-1, -1, 1, 1));
}

PlotCanvas::PlotCanvas(QWidget* parent) : QWidget(parent) {
    setMinimumSize(300, 220);
}

void PlotCanvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.setRenderHint(QPainter::Antialiasing);
    if (paint)
        paint(p, QRectF(rect()));
}

void PlotCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && click)
        click(event->position());
}

} // namespace kestrel
