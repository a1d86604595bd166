#pragma once
// The QApplication of a GUI test program, created once on the offscreen platform, and what the
// window tests read off their widgets.

#include "widgets/picturebox.h"

#include <QApplication>
#include <QFont>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRect>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

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

/// A fixture of window tests: the application exists before the first test of the suite.
class GuiTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureGuiApplication(); }
};

/// The child of that name; a test fails when there is none.
template <class T = QWidget> T* childOf(const QObject* parent, const std::string& name) {
    T* w = parent->findChild<T*>(QString::fromStdString(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

/// Replaces a field's text by typing over all of it, as the learner does.
inline void retype(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClicks(field, text);
}

/// Clicks the push button `name` of a window, as the learner does.
inline void click(const QWidget* window, const char* name) {
    QPushButton* button = window->findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

/// The program's own face ("ＭＳ Ｐゴシック", 9 points) while the object lives; the font before it
/// comes back when it goes.
struct ProgramFont {
    ProgramFont() {
        QFont::insertSubstitution("ＭＳ Ｐゴシック", "IPAPGothic");
        QApplication::setFont(QFont("ＭＳ Ｐゴシック", 9));
    }
    ~ProgramFont() { QApplication::setFont(before); }
    const QFont before = QApplication::font();
};

/// Lets events run until `done` holds or `ms` milliseconds have passed; whether it holds.
inline bool waitUntil(const std::function<bool()>& done, int ms = 2000) {
    for (int waited = 0; !done() && waited < ms; waited += 10)
        QTest::qWait(10);
    return done();
}

/// Makes a shown window the active one, as the learner's click on it does.
inline void activate(QWidget* w) {
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(w->isActiveWindow());
}

/// A widget's geometry in twips of its parent.
inline QRect twipsRect(const QWidget* w) {
    return QRect(w->x() * 15, w->y() * 15, w->width() * 15, w->height() * 15);
}

/// The pixels of that colour in a picture box's drawing.
inline std::vector<QPoint> pixelsOf(const PictureBox* pic, Rgb colour) {
    const QImage& img = pic->image();
    std::vector<QPoint> found;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (fromQColor(img.pixelColor(x, y)) == colour)
                found.emplace_back(x, y);
    return found;
}

/// The texts of a list's items, top to bottom.
inline QStringList listed(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

} // namespace kestrel::test
