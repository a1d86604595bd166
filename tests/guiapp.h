#pragma once
// The QApplication of a GUI test program, created once on the offscreen platform.

#include <QApplication>

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

} // namespace kestrel::test
