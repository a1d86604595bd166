#include "widgets/buttonkeys.h"

#include <QKeyEvent>
#include <QPushButton>

namespace kestrel {

bool ButtonKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    auto* button = qobject_cast<QPushButton*>(watched);
    // An auto-default button (in a dialog) answers Enter itself.
    if (!button || button->autoDefault() || !button->isEnabled() || !button->hasFocus())
        return false;
    button->animateClick();
    return true;
}

} // namespace kestrel
