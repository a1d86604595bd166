#pragma once
// The QApplication of a GUI test program, created once on the offscreen platform.

#include <QApplication>
#include <QListWidget>
#include <QRect>
#include <QWidget>

namespace kestrel::test {

inline void ensureGuiApplication() {
    if (QApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kestrel-test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

/// A widget's geometry in twips of its parent.
inline QRect twipsRect(const QWidget* w) {
    return QRect(w->x() * 15, w->y() * 15, w->width() * 15, w->height() * 15);
}

/// The texts of a list's items, top to bottom.
inline QStringList listed(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

} // namespace kestrel::test
