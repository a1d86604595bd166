#include "widgets/picturebox.h"

#include <QPainter>
#include <QResizeEvent>

#include <utility>

namespace kestrel {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    ensureImage();
}

QPainter& PictureBox::painter() {
    if (!mPainter) {
        ensureImage();
        mPainter = std::make_unique<QPainter>(&mImage);
        mPenSet = false;
        update(); // one repaint for the whole batch
    }
    return *mPainter;
}

void PictureBox::flush() const {
    mPainter.reset();
}

void PictureBox::ensureImage() {
    flush();
    const qreal dpr = devicePixelRatioF();
    const QSize size(qMax(1, qRound(width() * dpr)), qMax(1, qRound(height() * dpr)));
    if (mImage.size() == size && mImage.devicePixelRatio() == dpr)
        return;
    QImage next(size, QImage::Format_RGB32);
    next.setDevicePixelRatio(dpr);
    next.fill(toQColor(mBack));
    if (!mImage.isNull()) {
        // What was drawn stays where it was; the owner redraws what the new size needs.
        QPainter p(&next);
        p.drawImage(QPointF(0, 0), mImage);
    }
    mImage = std::move(next);
}

void PictureBox::Cls() {
    ensureImage();
    flush();
    mImage.fill(toQColor(mBack));
    mLines = 0;
    update();
}

void PictureBox::setBackColor(Rgb colour) {
    mBack = colour;
    Cls();
}

void PictureBox::usePen(Rgb colour, int offset) {
    // A replay draws thousands of lines in a few pens: the pen is set only when it changes.
    const PenKey key{colour, mWidth, mStyle, offset, mAnchored};
    if (mPenSet && key == mPen)
        return;
    QPen pen(toQColor(colour));
    pen.setWidth(mWidth);
    pen.setCosmetic(true);
    pen.setStyle(qtPenStyle(mStyle));
    // Square ends would fill a run pattern's gaps.
    pen.setCapStyle(mAnchored ? Qt::FlatCap : Qt::SquareCap);
    if (offset != 0)
        pen.setDashOffset(static_cast<double>(offset) / mWidth);
    painter().setPen(pen);
    mPen = key;
    mPenSet = true;
}

void PictureBox::Line(double x1, double y1, double x2, double y2, Rgb colour) {
    QPainter& p = painter();
    // Twips to whole pixels, rounded, the same way for lines, dots and colorAt.
    QPoint a(px(x1), px(y1));
    QPoint b(px(x2), px(y2));
    if (mAnchored) {
        // A dot would fill the pattern's gaps where a staircase does not step.
        if (a == b)
            return;
        // The pattern starts at the strip's edge: a line starts that far into it.
        if (b.x() < a.x() || b.y() < a.y())
            std::swap(a, b);
        usePen(colour, a.x() == b.x() ? a.y() : a.x());
    } else {
        usePen(colour);
    }
    if (a == b)
        p.drawPoint(a);
    else
        p.drawLine(a, b);
    ++mLines;
}

void PictureBox::Stairs(const std::vector<QPointF>& samples, Rgb colour) {
    if (samples.empty())
        return;
    QPainter& p = painter();
    usePen(colour);
    QPolygon pixels;
    pixels.reserve(2 * static_cast<int>(samples.size()));
    QPoint last(px(samples[0].x()), px(samples[0].y()));
    pixels.append(last);
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const QPoint next(px(samples[i].x()), px(samples[i].y()));
        pixels.append(QPoint(next.x(), last.y()));
        pixels.append(next);
        last = next;
    }
    if (pixels.size() == 1)
        p.drawPoint(pixels[0]);
    else
        p.drawPolyline(pixels);
    mLines += 2 * (static_cast<long>(samples.size()) - 1);
}

void PictureBox::setGeometryTwips(double left, double top, double w, double h) {
    place(this, left, top, w, h);
}

Rgb PictureBox::colorAt(double x, double y) const {
    flush();
    const qreal dpr = mImage.devicePixelRatio();
    const int ix = static_cast<int>(px(x) * dpr);
    const int iy = static_cast<int>(px(y) * dpr);
    if (!mImage.valid(ix, iy))
        return mBack;
    return fromQColor(mImage.pixelColor(ix, iy));
}

void PictureBox::paintEvent(QPaintEvent*) {
    flush();
    QPainter p(this);
    p.drawImage(QPointF(0, 0), mImage);
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    ensureImage();
    QWidget::resizeEvent(event);
}

} // namespace kestrel
