#pragma once
// AnalysisChart: kept runs overlaid on one time axis, for comparing them. Each run keeps its PV
// pen's colour (its colour-safe one with those pens on); its channels are told apart by line style (PV solid,
// SV dashed, MV dotted, the inner loop's PV2 and SV2 in long dashes, the others dash-dot). Samples are drawn
// as the panel draws them, as a staircase: each value holds until the next sample; a sample the recorder
// marked as no signal (−1000) leaves a gap. With run line styles on, each run's PV is drawn in
// the run's own style instead (solid, dashed, dotted, dash-dot in the order of the runs), so runs
// can be told apart in black and white; the legend shows each run's style.
//
// The traces, grid and limit bands are drawn into a cached pixmap that is rebuilt only when the
// runs, channels, zoom or size change; the time cursor is painted over it, so moving the cursor
// costs one copy of the pixmap.
//
// Mouse: a left click or drag puts the cursor under the mouse; the wheel zooms the time axis about
// the mouse; a box dragged with the right button (or the left one with Shift held) zooms to it; a
// double click shows everything again. Left/Right move the cursor by one control period of the
// first drawn run, ten with Shift; a zoomed view moves along when the cursor leaves it.

#include "analysis/runstore.h"

#include <QPen>
#include <QPixmap>
#include <QRectF>
#include <QWidget>

#include <optional>
#include <vector>

class QPainter;

namespace kestrel {

/// What the chart shows: time from t0 to t1 (s) across, value from v0 to v1 (%) up.
struct ChartView {
    double t0 = 0, t1 = 50, v0 = 0, v1 = 100;
};

/// The view that shows all of `runs`' chosen channels: time 0 .. the longest graph time (or last
/// sample) of the runs; values over the data's extent (at least 2 % wide) with a tenth of margin
/// either side, out to whole tick steps; 0..100 % when nothing is drawn.
ChartView fullView(const std::vector<const KeptRun*>& runs, const std::vector<Channel>& channels);

/// Pen of a channel in `colour` (cosmetic, one pixel): PV solid, SV dashed, MV dotted, PVtrue
/// dash-dot-dot, PV2 long dashes, SV2 long and short dashes, the secondary's P2, I2, D2
/// dash-dot-dot with a long dash, the others dash-dot.
QPen channelPen(Channel c, const QColor& colour);

class AnalysisChart : public QWidget {
    Q_OBJECT
public:
    explicit AnalysisChart(QWidget* parent = nullptr);

    /// The runs drawn, in their order (the first one's control period steps the cursor). The
    /// pointers must stay valid until the next call.
    void setRuns(std::vector<const KeptRun*> runs);
    const std::vector<const KeptRun*>& runs() const { return mRuns; }
    /// The channels drawn, in the legend's order.
    void setChannels(std::vector<Channel> channels);
    const std::vector<Channel>& channels() const { return mChannels; }
    /// Whether the limit bands are shaded behind the traces.
    void setLimitsShown(bool on);
    bool limitsShown() const { return mLimits; }
    /// Colour-safe pens and run line styles (the learner's display options).
    void setPenOptions(bool safeColours, bool runLineStyles);
    bool safeColours() const { return mSafe; }
    bool runLineStyles() const { return mRunStyles; }

    /// Zooms to a view (clamped to a sensible minimum span) or back to the full view.
    void setView(const ChartView& view);
    void resetView();
    const ChartView& view() const { return mView; }
    bool zoomed() const { return mZoomed; }

    /// The cursor's time, s (none: no cursor).
    void setCursorTime(std::optional<double> t);
    std::optional<double> cursorTime() const { return mCursor; }

    /// Draws the whole chart (traces, legend, cursor) into `area` of any painter: the screen,
    /// an image, an SVG or a PDF page use the same drawing.
    void render(QPainter& p, const QRectF& area, bool withCursor) const;

    /// The plot area inside a chart of `size` (axes and legend around it).
    static QRectF plotArea(const QRectF& area);
    /// Chart time under widget x, clamped to the view.
    double timeAt(double x) const;

    QSize sizeHint() const override { return {640, 360}; }
    QSize minimumSizeHint() const override { return {240, 160}; }

signals:
    /// The cursor moved (by mouse or key).
    void cursorMoved(double t);
    /// The view changed (zoom or reset).
    void viewChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void invalidate();
    void drawTraces(QPainter& p, const QRectF& area) const;
    void drawCursor(QPainter& p, const QRectF& plot) const;
    void moveCursorTo(double t);

    std::vector<const KeptRun*> mRuns;
    std::vector<Channel> mChannels{Channel::SV, Channel::PV, Channel::MV};
    bool mLimits = true;
    bool mSafe = false, mRunStyles = false;
    ChartView mView;
    bool mZoomed = false;
    std::optional<double> mCursor;

    QPixmap mCache;
    bool mCacheValid = false;
    // A zoom box being dragged: its corners in widget pixels.
    std::optional<QPointF> mBoxFrom;
    QPointF mBoxTo;
};

} // namespace kestrel
