#pragma once
// The fixture the panel's window tests share: the offscreen application, a loop state and its
// document over a folder of the test's own, and a message list every test leaves empty.

#include "engine/fakes.h"
#include "guiapp.h"
#include "setup/setupdocument.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace kestrel::test {

class PanelTest : public GuiTest {
protected:
    // A test that expects a message takes it.
    void TearDown() override { EXPECT_TRUE(messages.shown.empty()) << messages.shown.front(); }

    /// The messages shown so far; the list starts again empty.
    std::vector<std::string> takeMessages() {
        std::vector<std::string> shown;
        shown.swap(messages.shown);
        return shown;
    }
    /// Each named widget lies inside the window, below `above`, and over none of the others.
    static void expectApart(const QWidget* window, std::initializer_list<const char*> names,
                            const QWidget* above) {
        const QRect client(0, 0, window->width() * 15, window->height() * 15);
        for (const char* name : names) {
            const QRect r = twipsRect(childOf(window, name));
            EXPECT_TRUE(client.contains(r) && r.top() > twipsRect(above).bottom()) << name;
            for (const char* other : names)
                EXPECT_TRUE(other == name || !r.intersects(twipsRect(childOf(window, other))))
                    << name << "/" << other;
        }
    }

    AppState state;
    FakeMessages messages;
    // The settings file the end of a paced run writes goes into a folder of this test's own.
    TempFolder appDir{"kestrel-panel"};
    SetupDocument doc{state, messages, appDir.path()};
};

} // namespace kestrel::test
