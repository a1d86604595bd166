#include "widgets/picturebox.h"

#include <QPainter>
#include <QResizeEvent>

namespace kestrel {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    ensureImage();
}

void PictureBox::ensureImage() {
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
    mImage.fill(toQColor(mBack));
    mLines = 0;
    update();
}

void PictureBox::setBackColor(Rgb colour) {
    mBack = colour;
    Cls();
}

void PictureBox::Line(double x1, double y1, double x2, double y2, Rgb colour) {
    ensureImage();
    QPainter p(&mImage);
    QPen pen(toQColor(colour));
    pen.setWidth(mWidth);
    pen.setCosmetic(true);
    pen.setStyle(mStyle == Dotted ? Qt::DotLine : Qt::SolidLine);
    pen.setCapStyle(Qt::SquareCap);
    p.setPen(pen);
    const QPointF a(x1 / kTwipsPerPixel, y1 / kTwipsPerPixel);
    const QPointF b(x2 / kTwipsPerPixel, y2 / kTwipsPerPixel);
    if (a == b)
        p.drawPoint(a);
    else
        p.drawLine(a, b);
    ++mLines;
    update();
}

void PictureBox::setGeometryTwips(double left, double top, double w, double h) {
    setGeometry(px(left), px(top), qMax(1, px(w)), qMax(1, px(h)));
}

Rgb PictureBox::colorAt(double x, double y) const {
    const qreal dpr = mImage.devicePixelRatio();
    const int ix = static_cast<int>(x / kTwipsPerPixel * dpr);
    const int iy = static_cast<int>(y / kTwipsPerPixel * dpr);
    if (!mImage.valid(ix, iy))
        return mBack;
    return fromQColor(mImage.pixelColor(ix, iy));
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPointF(0, 0), mImage);
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    ensureImage();
    QWidget::resizeEvent(event);
}

} // namespace kestrel
