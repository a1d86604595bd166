#pragma once
// What the controller panel's parts share: a widget's geometry in twips of its parent, and the
// value boxes that show a long value in a smaller face.

#include "widgets/picturebox.h"
#include "widgets/textroom.h"

#include <QApplication>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QWidget>

namespace kestrel {

inline double leftOf(const QWidget* w) {
    return w->x() * kTwipsPerPixel;
}
inline double topOf(const QWidget* w) {
    return w->y() * kTwipsPerPixel;
}
inline double widthOf(const QWidget* w) {
    return w->width() * kTwipsPerPixel;
}
inline double heightOf(const QWidget* w) {
    return w->height() * kTwipsPerPixel;
}

/// An enabled value field on the usual base colour, a disabled one a shade darker than the
/// window, so that it plainly cannot be typed in.
inline void setFieldColour(QLineEdit* e, bool enabled) {
    e->setEnabled(enabled);
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, enabled ? QApplication::palette().color(QPalette::Base)
                                         : QApplication::palette().color(QPalette::Window).darker(110));
    e->setPalette(pal);
}

/// A value that is wider than its box (a PV far off scale) is shown in a smaller face rather
/// than cut off at the left, where its sign and first digits are. `base` is the box's usual face.
inline void fitText(QLineEdit* e, const QFont& base) {
    QFont f = base;
    const int room = textRoom(e);
    for (int size = QFontInfo(base).pixelSize();
         size > 6 && QFontMetrics(f).horizontalAdvance(e->text()) > room;)
        f.setPixelSize(--size);
    if (e->font() != f)
        e->setFont(f);
}

} // namespace kestrel
