#include "forms/analysischart.h"

#include "forms/plotaxes.h"

#include "widgets/picturebox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <limits>

namespace kestrel {

namespace {

// Like the panel's chart: a black strip, grey grid, light labels.
const QColor kBackground(0, 0, 0);
const QColor kGrid = toQColor(kGridColor);
const QColor kText(220, 220, 220);
const QColor kCursor(255, 255, 255);
constexpr double kMarginLeft = 52, kMarginRight = 14, kMarginTop = 26, kMarginBottom = 36;

QColor runColour(const KeptRun& run, bool safe) {
    return toQColor(penShown(run.pens[1], safe));
}

/// Fill of a limit band: each state its own hatch, in the run's colour.
QBrush bandBrush(const KeptRun& run, LimitState s, bool safe) {
    QColor c = runColour(run, safe);
    switch (s) {
    case LimitState::High:
    case LimitState::Low:
        c.setAlpha(45);
        return QBrush(c, Qt::SolidPattern);
    case LimitState::Rate:
        c.setAlpha(80);
        return QBrush(c, Qt::BDiagPattern);
    case LimitState::Excess:
        c.setAlpha(80);
        return QBrush(c, Qt::FDiagPattern);
    case LimitState::OutOfRange:
        c.setAlpha(60);
        return QBrush(c, Qt::DiagCrossPattern);
    case LimitState::None:
        break;
    }
    return Qt::NoBrush;
}

struct Mapping {
    QRectF plot;
    ChartView v;
    double x(double t) const { return plot.left() + (t - v.t0) / (v.t1 - v.t0) * plot.width(); }
    double y(double value) const { return plot.bottom() - (value - v.v0) / (v.v1 - v.v0) * plot.height(); }
};

} // namespace

QPen channelPen(Channel c, const QColor& colour) {
    QPen pen(colour, 0);
    pen.setCosmetic(true);
    switch (c) {
    case Channel::PV:
        break;
    case Channel::SV:
        pen.setStyle(Qt::DashLine);
        break;
    case Channel::MV:
        pen.setStyle(Qt::DotLine);
        break;
    case Channel::PvTrue: // beside PV, told apart from the pen channels
        pen.setStyle(Qt::DashDotDotLine);
        break;
    case Channel::PV2: // the inner loop beside the outer one: longer dashes than SV's
        pen.setDashPattern({9, 3});
        break;
    case Channel::SV2:
        pen.setDashPattern({9, 3, 3, 3});
        break;
    case Channel::P2:
    case Channel::I2:
    case Channel::D2:
        pen.setDashPattern({9, 3, 1, 3, 1, 3});
        break;
    default:
        pen.setStyle(Qt::DashDotLine);
        break;
    }
    return pen;
}

ChartView fullView(const std::vector<const KeptRun*>& runs, const std::vector<Channel>& channels) {
    ChartView v;
    double tMax = 0, lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (const KeptRun* run : runs) {
        tMax = std::max<double>(tMax, run->graphTime);
        if (run->samples() > 0)
            tMax = std::max(tMax, run->time.back());
        for (Channel c : channels) {
            if (!channelInUse(*run, c))
                continue;
            for (double value : run->values[static_cast<int>(c)]) {
                if (!signalPresent(c, value))
                    continue;
                lo = std::min(lo, value);
                hi = std::max(hi, value);
            }
        }
    }
    v.t1 = tMax > 0 ? tMax : 50;
    if (lo > hi)
        return v;
    // The data's extent with a tenth of margin, at least 2 % wide, out to whole tick steps.
    const double span = std::max(hi - lo, 2.0);
    const double step = tickStep(span, 10);
    v.v0 = std::floor((lo - span / 10) / step) * step;
    v.v1 = std::ceil((hi + span / 10) / step) * step;
    return v;
}

AnalysisChart::AnalysisChart(QWidget* parent) : QWidget(parent) {
    setObjectName("AnalysisChart");
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void AnalysisChart::setRuns(std::vector<const KeptRun*> runs) {
    mRuns = std::move(runs);
    if (!mZoomed)
        mView = fullView(mRuns, mChannels);
    invalidate();
}

void AnalysisChart::setChannels(std::vector<Channel> channels) {
    mChannels = std::move(channels);
    if (!mZoomed)
        mView = fullView(mRuns, mChannels);
    invalidate();
}

void AnalysisChart::setLimitsShown(bool on) {
    mLimits = on;
    invalidate();
}

void AnalysisChart::setPenOptions(bool safeColours, bool runLineStyles) {
    mSafe = safeColours;
    mRunStyles = runLineStyles;
    invalidate();
}

void AnalysisChart::setView(const ChartView& view) {
    ChartView v = view;
    if (v.t1 < v.t0)
        std::swap(v.t0, v.t1);
    if (v.v1 < v.v0)
        std::swap(v.v0, v.v1);
    const double minSpan = mRuns.empty() ? 0.01 : std::max(mRuns.front()->dt * 2, 1e-3);
    if (v.t1 - v.t0 < minSpan)
        v.t1 = v.t0 + minSpan;
    if (v.v1 - v.v0 < 0.01)
        v.v1 = v.v0 + 0.01;
    mView = v;
    mZoomed = true;
    invalidate();
    emit viewChanged();
}

void AnalysisChart::resetView() {
    mZoomed = false;
    mView = fullView(mRuns, mChannels);
    invalidate();
    emit viewChanged();
}

void AnalysisChart::setCursorTime(std::optional<double> t) {
    mCursor = t;
    update();
}

void AnalysisChart::invalidate() {
    mCacheValid = false;
    update();
}

QRectF AnalysisChart::plotArea(const QRectF& area) {
    return area.adjusted(kMarginLeft, kMarginTop, -kMarginRight, -kMarginBottom);
}

double AnalysisChart::timeAt(double x) const {
    const QRectF plot = plotArea(QRectF(rect()));
    const double f = std::clamp((x - plot.left()) / std::max(plot.width(), 1.0), 0.0, 1.0);
    return mView.t0 + f * (mView.t1 - mView.t0);
}

void AnalysisChart::render(QPainter& p, const QRectF& area, bool withCursor) const {
    drawTraces(p, area);
    if (withCursor)
        drawCursor(p, plotArea(area));
}

void AnalysisChart::drawTraces(QPainter& p, const QRectF& area) const {
    p.save();
    p.fillRect(area, kBackground);
    const Mapping m{plotArea(area), mView};
    const QRectF& plot = m.plot;
    QFont font = p.font();
    font.setPointSizeF(8);
    p.setFont(font);
    const QFontMetricsF fm(font);

    // Grid and axis labels.
    const double tStep = tickStep(mView.t1 - mView.t0, std::max(2.0, plot.width() / 80));
    const double vStep = tickStep(mView.v1 - mView.v0, std::max(2.0, plot.height() / 40));
    QPen grid(kGrid, 0, Qt::DotLine);
    grid.setCosmetic(true);
    for (double t = std::ceil(mView.t0 / tStep - 1e-9) * tStep; t <= mView.t1 + tStep * 1e-6; t += tStep) {
        const double x = m.x(t);
        p.setPen(grid);
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        p.setPen(kText);
        p.drawText(QRectF(x - 40, plot.bottom() + 2, 80, fm.height()), Qt::AlignHCenter | Qt::AlignTop,
                   tickText(t, tStep));
    }
    for (double v = std::ceil(mView.v0 / vStep - 1e-9) * vStep; v <= mView.v1 + vStep * 1e-6; v += vStep) {
        const double y = m.y(v);
        p.setPen(grid);
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(kText);
        p.drawText(QRectF(area.left(), y - fm.height() / 2, kMarginLeft - 5, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, tickText(v, vStep));
    }
    p.setPen(kText);
    p.drawText(QRectF(plot.left(), area.bottom() - fm.height() - 2, plot.width(), fm.height()),
               Qt::AlignHCenter | Qt::AlignBottom, tr("時間 [s]"));
    p.drawText(QRectF(area.left() + 4, area.top() + 4, kMarginLeft, fm.height()), Qt::AlignLeft, "[%]");

    // Legend: the line style of each channel, then each run's colour.
    double x = plot.left();
    const double ly = area.top() + 4 + fm.ascent() / 2 + 1;
    for (Channel c : mChannels) {
        p.setPen(channelPen(c, kText));
        p.drawLine(QPointF(x, ly), QPointF(x + 26, ly));
        p.setPen(kText);
        const QString name = QString::fromUtf8(channelName(c));
        p.drawText(QPointF(x + 30, area.top() + 4 + fm.ascent()), name);
        x += 40 + fm.horizontalAdvance(name);
    }
    x += 10;
    int overlay = 0;
    for (const KeptRun* run : mRuns) {
        const int style = runLineStyle(overlay++);
        // A kept run by its number; a run that was never kept (a comparison's) by its label.
        const QString name =
            run->number > 0 ? tr("ラン %1").arg(run->number) : QString::fromStdString(run->label);
        const double w = 14 + fm.horizontalAdvance(name) + 12;
        if (x + w > area.right())
            break;
        if (mRunStyles) {
            QPen sample = channelPen(Channel::PV, runColour(*run, mSafe));
            sample.setStyle(qtPenStyle(style));
            sample.setWidth(2);
            p.setPen(sample);
            p.drawLine(QPointF(x, ly), QPointF(x + 10, ly));
        } else {
            p.fillRect(QRectF(x, ly - 4, 10, 8), runColour(*run, mSafe));
        }
        p.setPen(kText);
        p.drawText(QPointF(x + 14, area.top() + 4 + fm.ascent()), name);
        x += w;
    }

    p.setClipRect(plot);
    if (mLimits)
        for (const KeptRun* run : mRuns)
            for (const LimitBand& b : limitBands(*run)) {
                if (b.t1 < mView.t0 || b.t0 > mView.t1)
                    continue;
                p.fillRect(QRectF(QPointF(m.x(b.t0), plot.top()), QPointF(m.x(b.t1), plot.bottom())),
                           bandBrush(*run, b.state, mSafe));
            }

    QPolygonF line;
    overlay = 0;
    for (const KeptRun* run : mRuns) {
        const int style = runLineStyle(overlay++);
        const std::vector<double>& time = run->time;
        if (time.empty())
            continue;
        // Only the samples in view, and the one before so the staircase enters from the left.
        const auto first = std::lower_bound(time.begin(), time.end(), mView.t0);
        const auto last = std::upper_bound(first, time.end(), mView.t1);
        const std::size_t i0 =
            static_cast<std::size_t>(std::max<std::ptrdiff_t>(first - time.begin() - 1, 0));
        const std::size_t i1 = static_cast<std::size_t>(
            std::min<std::ptrdiff_t>(last - time.begin() + 1, static_cast<std::ptrdiff_t>(time.size())));
        for (Channel c : mChannels) {
            if (!channelInUse(*run, c))
                continue;
            const std::vector<double>& v = run->values[static_cast<int>(c)];
            QPen pen = channelPen(c, runColour(*run, mSafe));
            if (mRunStyles && c == Channel::PV)
                pen.setStyle(qtPenStyle(style));
            p.setPen(pen);
            line.clear();
            line.reserve(static_cast<int>(2 * (i1 - i0)));
            for (std::size_t i = i0; i < i1 && i < v.size(); ++i) {
                const double px = m.x(time[i]);
                if (!line.isEmpty())
                    line.append(QPointF(px, line.back().y()));
                if (!signalPresent(c, v[i])) {
                    // No signal from here until the next sample that has one: a gap.
                    p.drawPolyline(line);
                    line.clear();
                    continue;
                }
                line.append(QPointF(px, m.y(v[i])));
            }
            p.drawPolyline(line);
        }
    }
    p.setClipping(false);
    p.setPen(kGrid);
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot);
    p.restore();
}

void AnalysisChart::drawCursor(QPainter& p, const QRectF& plot) const {
    if (!mCursor || *mCursor < mView.t0 || *mCursor > mView.t1)
        return;
    const Mapping m{plot, mView};
    const double x = m.x(*mCursor);
    p.save();
    p.setPen(QPen(kCursor, 0));
    p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    QFont font = p.font();
    font.setPointSizeF(8);
    p.setFont(font);
    const QString text = QString("t = %1 s").arg(*mCursor, 0, 'f', 2);
    const double w = QFontMetricsF(font).horizontalAdvance(text) + 8;
    const QRectF box(x + 4 + w > plot.right() ? x - 4 - w : x + 4, plot.top() + 2, w, 16);
    p.fillRect(box, QColor(40, 40, 40));
    p.drawText(box, Qt::AlignCenter, text);
    p.restore();
}

void AnalysisChart::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    if (!mCacheValid || mCache.size() != size() * ratio) {
        mCache = QPixmap(size() * ratio);
        mCache.setDevicePixelRatio(ratio);
        QPainter cp(&mCache);
        drawTraces(cp, QRectF(rect()));
        mCacheValid = true;
    }
    QPainter p(this);
    p.drawPixmap(0, 0, mCache);
    drawCursor(p, plotArea(QRectF(rect())));
    if (mBoxFrom) {
        p.setPen(QPen(kCursor, 0, Qt::DashLine));
        p.setBrush(QColor(255, 255, 255, 40));
        p.drawRect(QRectF(*mBoxFrom, mBoxTo).normalized());
    }
}

void AnalysisChart::resizeEvent(QResizeEvent*) {
    mCacheValid = false;
}

void AnalysisChart::moveCursorTo(double t) {
    mCursor = t;
    update();
    emit cursorMoved(t);
}

void AnalysisChart::mousePressEvent(QMouseEvent* event) {
    const bool box = event->button() == Qt::RightButton ||
                     (event->button() == Qt::LeftButton && event->modifiers().testFlag(Qt::ShiftModifier));
    if (box) {
        mBoxFrom = event->position();
        mBoxTo = event->position();
    } else if (event->button() == Qt::LeftButton) {
        moveCursorTo(timeAt(event->position().x()));
    }
}

void AnalysisChart::mouseMoveEvent(QMouseEvent* event) {
    if (mBoxFrom) {
        mBoxTo = event->position();
        update();
    } else if (event->buttons().testFlag(Qt::LeftButton)) {
        moveCursorTo(timeAt(event->position().x()));
    }
}

void AnalysisChart::mouseReleaseEvent(QMouseEvent* event) {
    if (!mBoxFrom)
        return;
    const QRectF box = QRectF(*mBoxFrom, event->position()).normalized();
    mBoxFrom.reset();
    update();
    if (box.width() < 4 || box.height() < 4)
        return;
    const Mapping m{plotArea(QRectF(rect())), mView};
    auto valueAt = [&m](double y) {
        return m.v.v0 + (m.plot.bottom() - y) / m.plot.height() * (m.v.v1 - m.v.v0);
    };
    setView({timeAt(box.left()), timeAt(box.right()), valueAt(std::min(box.bottom(), m.plot.bottom())),
             valueAt(std::max(box.top(), m.plot.top()))});
}

void AnalysisChart::mouseDoubleClickEvent(QMouseEvent*) {
    resetView();
}

void AnalysisChart::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0)
        return;
    const double factor = std::pow(0.8, steps);
    const double tm = timeAt(event->position().x());
    const ChartView full = fullView(mRuns, mChannels);
    ChartView v = mView;
    v.t0 = tm - (tm - v.t0) * factor;
    v.t1 = tm + (v.t1 - tm) * factor;
    if (v.t1 - v.t0 >= full.t1 - full.t0) {
        v.t0 = full.t0;
        v.t1 = full.t1;
    }
    setView(v);
    event->accept();
}

void AnalysisChart::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Left && key != Qt::Key_Right) {
        QWidget::keyPressEvent(event);
        return;
    }
    const double period = mRuns.empty() ? 0.1 : mRuns.front()->dt;
    const double step = period * (event->modifiers().testFlag(Qt::ShiftModifier) ? 10 : 1);
    const double from = mCursor.value_or(mView.t0);
    const ChartView full = fullView(mRuns, mChannels);
    const double t = std::clamp(from + (key == Qt::Key_Left ? -step : step), full.t0, full.t1);
    // A zoomed view follows the cursor the keys move out of it.
    const double shift = t < mView.t0 ? t - mView.t0 : t > mView.t1 ? t - mView.t1 : 0;
    if (mZoomed && shift != 0)
        setView({mView.t0 + shift, mView.t1 + shift, mView.v0, mView.v1});
    moveCursorTo(t);
}

} // namespace kestrel
