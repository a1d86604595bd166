#pragma once
// The small plots of the tuning workbench: an axis with linear or logarithmic scale and its
// ticks, a plot area that maps values to widget coordinates and draws its frame, grid and labels,
// and a canvas widget that paints through a function and reports clicks in values.

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QPainter;

namespace kestrel {

/// One axis: values lo..hi, linear or base-10 logarithmic (then lo > 0).
struct PlotAxis {
    double lo = 0, hi = 1;
    bool log = false;

    /// Fraction 0..1 of the way from lo to hi (outside for values beyond the range).
    double fraction(double v) const;
    double valueAt(double fraction) const;
    /// Tick values inside the range: every decade for a log axis, else 1, 2 or 5 times a power of
    /// ten chosen for about `target` ticks.
    std::vector<double> ticks(int target = 6) const;
    /// The range widened out to whole ticks of the linear step (a log axis to whole decades).
    PlotAxis rounded(int target = 6) const;
};

/// An axis text without trailing zeros: "0.5", "10", "1e-03" for the decades of a log axis.
QString tickText(double v, bool log);

/// The smallest step of 1, 2 or 5 times a power of ten giving at most about `count` intervals
/// over `span` (the charts of runs).
double tickStep(double span, double count);
/// A tick value with as many decimals as its step needs; rounding noise near 0 reads "0".
QString tickText(double v, double step);

/// A plot's frame inside a widget: the rectangle of the data and its two axes.
struct PlotArea {
    QRectF rect;
    PlotAxis x, y;

    QPointF map(double xv, double yv) const;
    /// The values under a widget point.
    QPointF unmap(QPointF p) const;
    /// White background, grid, ticks with their texts, axis titles and the frame.
    void drawFrame(QPainter& p, const QString& xTitle, const QString& yTitle) const;
    /// Clip to the data rectangle (the caller restores the painter).
    void clip(QPainter& p) const;
};

/// A widget that paints through `paint` and hands left clicks to `click` in widget coordinates.
class PlotCanvas : public QWidget {
public:
    explicit PlotCanvas(QWidget* parent = nullptr);
    std::function<void(QPainter&, const QRectF&)> paint;
    std::function<void(QPointF)> click;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace kestrel
