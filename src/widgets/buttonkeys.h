#pragma once
// Enter and Return press a push button that has the keyboard focus, as Space does, in every
// window (dialogs already do so for their buttons). Installed once on the application.

#include <QObject>

namespace kestrel {

class ButtonKeys : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kestrel
