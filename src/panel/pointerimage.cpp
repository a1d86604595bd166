#include "panel/pointerimage.h"

#include "widgets/picturebox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace kestrel {

PointerImage::PointerImage(int widthPx, int heightPx, bool pointsLeft, Rgb colour, QWidget* parent)
    : QWidget(parent), mLeft(pointsLeft), mColour(colour) {
    setFixedSize(widthPx, heightPx);
    setCursor(Qt::SizeVerCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void PointerImage::setColour(Rgb colour) {
    if (colour == mColour)
        return;
    mColour = colour;
    update();
}

void PointerImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = width(), h = height();
    QPainterPath path;
    if (mLeft) {
        path.moveTo(0, h / 2);
        path.lineTo(w - 1, 0.5);
        path.lineTo(w - 1, h - 0.5);
    } else {
        path.moveTo(w, h / 2);
        path.lineTo(1, 0.5);
        path.lineTo(1, h - 0.5);
    }
    path.closeSubpath();
    p.fillPath(path, toQColor(mColour));
    p.setPen(QPen(Qt::black, 1));
    p.drawPath(path);
    if (hasFocus()) {
        // The focus frame: the outline in the highlight colour, two pixels wide.
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.drawPath(path);
    }
}

void PointerImage::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        emit stepped(1);
        break;
    case Qt::Key_Down:
        emit stepped(-1);
        break;
    case Qt::Key_PageUp:
        emit stepped(10);
        break;
    case Qt::Key_PageDown:
        emit stepped(-10);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void PointerImage::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void PointerImage::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void PointerImage::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit mouseDown();
}

void PointerImage::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        emit mouseMove(event->position().y() * kTwipsPerPixel);
}

void PointerImage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit mouseUp();
}

MvSlider::MvSlider(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setFixedHeight(22);
}

void MvSlider::setValue(int v) {
    v = v < 0 ? 0 : (v > 100 ? 100 : v);
    if (v != mValue) {
        mValue = v;
        update();
    }
}

void MvSlider::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double x0 = kTrackStart / kTwipsPerPixel, len = kTrackLength / kTwipsPerPixel;
    const double cy = height() / 2.0;
    p.setPen(QPen(palette().color(QPalette::Mid), 1));
    p.setBrush(palette().color(QPalette::Base));
    p.drawRoundedRect(QRectF(x0 - 2, cy - 2, len + 4, 4), 2, 2);
    const double x = x0 + len * mValue / 100.0;
    p.setBrush(isEnabled() ? QColor(220, 60, 60) : palette().color(QPalette::Disabled, QPalette::Button));
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(QRectF(x - 4, cy - 8, 8, 16));
}

void MvSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit pressed(event->position().x() * kTwipsPerPixel);
}

void MvSlider::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        const double x = event->position().x() * kTwipsPerPixel;
        setValue(static_cast<int>(std::nearbyint((x - kTrackStart) / kTrackLength * 100.0)));
    }
}

void MvSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit released();
}

void MvSlider::keyPressEvent(QKeyEvent* event) {
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        step = -1;
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        step = 1;
        break;
    case Qt::Key_PageDown:
        step = -10;
        break;
    case Qt::Key_PageUp:
        step = 10;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    setValue(mValue + step);
    emit released(); // a key moves MV as a release of the mouse does
}

} // namespace kestrel
