#pragma once
// PictureBox: a drawing surface that keeps its drawing. Owners draw in twips (15 per logical
// pixel) with a line style and width, as on a pen recorder's paper; the drawing lives in an
// off-screen image and is shown by every repaint.

#include "core/palette.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <vector>

namespace kestrel {

inline constexpr double kTwipsPerPixel = 15.0;

/// Twips to logical pixels, rounded.
inline int px(double twips) {
    return static_cast<int>(twips / kTwipsPerPixel + (twips >= 0 ? 0.5 : -0.5));
}

/// Places a widget at a rectangle of its parent given in twips (at least one pixel each way).
inline void place(QWidget* w, double left, double top, double width, double height) {
    w->setGeometry(px(left), px(top), std::max(1, px(width)), std::max(1, px(height)));
}

inline QColor toQColor(Rgb c) {
    return QColor((c >> 16) & 0xff, (c >> 8) & 0xff, c & 0xff);
}
inline Rgb fromQColor(const QColor& c) {
    return rgb(c.red(), c.green(), c.blue());
}

/// The line style of the n-th run (from 0) overlaid on a chart: solid, dashed, dotted, dash-dot in
/// turn, in PictureBox's numbering.
constexpr int runLineStyle(int n) {
    return n < 0 ? 0 : n % 4;
}

/// The Qt pen style of a PictureBox line style.
inline Qt::PenStyle qtPenStyle(int style) {
    switch (style) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    default:
        return Qt::SolidLine;
    }
}

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    /// Line styles: 0 solid, 1 dashed, 2 dotted, 3 dash-dot.
    enum Style { Solid = 0, Dashed = 1, Dotted = 2, DashDot = 3 };

    /// Erases the drawing to the background colour.
    void Cls();
    /// A line from (x1, y1) to (x2, y2) in twips; a line whose ends coincide is a dot.
    void Line(double x1, double y1, double x2, double y2, Rgb colour);
    /// A pen recorder's staircase through the samples (twips): from each sample a horizontal line
    /// to the next one's x, then a vertical line to its y; the same pixels as those Lines.
    void Stairs(const std::vector<QPointF>& samples, Rgb colour);
    void setDrawStyle(int style) {
        mStyle = style;
        mAnchored = false;
    }
    /// A run's line style, its pattern tied to the strip rather than to each line, so a staircase
    /// drawn line by line shows the same dashes as one drawn at once.
    void setRunStyle(int style) {
        mStyle = style;
        mAnchored = style != Solid;
    }
    int drawStyle() const { return mStyle; }
    /// Line width in pixels.
    void setDrawWidth(int pixels) { mWidth = pixels < 1 ? 1 : pixels; }
    int drawWidth() const { return mWidth; }
    void setBackColor(Rgb colour);
    Rgb backColor() const { return mBack; }

    /// Outer size in twips, the drawing extent.
    double Width() const { return width() * kTwipsPerPixel; }
    double Height() const { return height() * kTwipsPerPixel; }
    /// Places the box at a rectangle given in twips of its parent.
    void setGeometryTwips(double left, double top, double w, double h);

    /// The drawing (device pixels); for tests and hard copies.
    const QImage& image() const {
        flush();
        return mImage;
    }
    /// Colour of the drawing at a point given in twips.
    Rgb colorAt(double x, double y) const;
    /// Lines drawn since the last Cls (a measure for tests and benchmarks).
    long linesDrawn() const { return mLines; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ensureImage();
    /// The painter on the drawing, opened by the first line of a batch; lines drawn back to back
    /// (a replay, a grid) share it, and it is closed before the drawing is shown or read.
    QPainter& painter();
    /// Sets the painter's pen for `colour` and the current width and style, unless it has it.
    void usePen(Rgb colour, int offset = 0);
    void flush() const;

    QImage mImage;
    mutable std::unique_ptr<QPainter> mPainter;
    /// The pen the open painter holds (valid while mPenSet).
    struct PenKey {
        Rgb colour;
        int width, style;
        int offset = 0; ///< pattern offset in pixels of an anchored style
        bool anchored = false;
        bool operator==(const PenKey&) const = default;
    };
    PenKey mPen{};
    bool mPenSet = false;
    Rgb mBack = kChartBackColor;
    int mStyle = Solid;
    bool mAnchored = false;
    int mWidth = 1;
    long mLines = 0;
};

} // namespace kestrel
