#include "forms/frmabout.h"
#include "forms/helpcontroller.h"

#include "engine/fakes.h"
#include "guiapp.h"
#include "setup/modinifile.h"
#include "tempfolder.h"
#include "widgets/helplabel.h"

#include <QLabel>
#include <QUrl>

#include <memory>

namespace kestrel {
namespace {

namespace fs = std::filesystem;

const fs::path kHelpPage = fs::path(KESTREL_SOURCE_DATA) / "Doc" / "help.html";

/// A window with one help label, registered the way the windows register their SetHelpPointer.
struct LabelledWindow {
    explicit LabelledWindow(const char* anchor) : label(new HelpLabel(anchor, &window)) {}
    void registerWith(HelpController& help) {
        help.registerWindow(&window, [this](bool visible) {
            calls.push_back(visible);
            label->setVisible(visible);
        });
    }
    bool shown() const { return !label->isHidden(); }
    QWidget window;
    HelpLabel* label;
    std::vector<bool> calls;
};

class Help : public test::GuiTest {
protected:
    void SetUp() override {
        fs::create_directories(appDir / "Doc");
        std::ofstream(appDir / "Doc" / "help.html") << "<!DOCTYPE html><title>t</title>";
        browser = appDir / "browser";
        std::ofstream(browser) << "#!/bin/sh\n";
        help = std::make_unique<HelpController>(appDir, messages);
        help->setProcessStarter([this](const QString& program, const QStringList& args) {
            started << program << args;
            return startResult;
        });
        help->setUrlOpener([this](const QUrl& url) {
            opened.push_back(url);
            return openResult;
        });
    }

    void setBrowser(const std::string& value) {
        ASSERT_TRUE(WriteProfileValue(ini(), "CONFIG", "IEXPLORE", value));
    }
    std::string helpPointerSetting() const { return ReadProfileValue(ini(), "CONFIG", "HelpPointer"); }
    fs::path ini() const { return appDir / "Kestrel.ini"; }

    test::TempFolder folder{"kestrel-help"};
    const fs::path appDir = folder.path();
    fs::path browser;
    test::FakeMessages messages;
    std::unique_ptr<HelpController> help;
    QStringList started;
    bool startResult = true;
    std::vector<QUrl> opened;
    bool openResult = true;
};

TEST_F(Help, MissingBrowserRecordsTheWishButShowsNoLabelAndTheNextToggleTriesAgain) {
    // A folder is no browser.
    setBrowser(appDir.string());
    LabelledWindow w("C51");
    w.registerWith(*help);
    // Still off after the first, so the second toggle switches on again rather than off.
    for (int toggle = 0; toggle < 2; ++toggle) {
        ASSERT_TRUE(WriteProfileValue(ini(), "CONFIG", "HelpPointer", "False"));
        help->toggle();
        EXPECT_EQ(std::tuple(helpPointerSetting(), help->modeOn(), w.calls.empty(), w.shown()),
                  std::tuple("True", false, true, false));
    }
    EXPECT_TRUE(messages.shown.empty());

    // A browser installed in the meantime: the same toggle now succeeds.
    setBrowser(browser.string());
    help->toggle();
    EXPECT_TRUE(help->modeOn() && w.shown());
}

TEST_F(Help, ToggleShowsAndHidesEveryRegisteredWindowInOrderAndAWindowShownLaterFollows) {
    setBrowser(browser.string());
    std::vector<std::string> order;
    LabelledWindow main("C43"), panel("C51"), recorder("C7");
    for (LabelledWindow* w : {&main, &panel, &recorder})
        help->registerWindow(&w->window, [w, &order](bool visible) {
            order.push_back(w->label->anchor().toStdString() + (visible ? "+" : "-"));
            w->label->setVisible(visible);
        });

    for (const bool on : {true, false}) {
        help->toggle();
        EXPECT_EQ(
            std::tuple(help->modeOn(), helpPointerSetting(), main.shown(), panel.shown(), recorder.shown()),
            std::tuple(on, on ? "True" : "False", on, on, on));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"C43+", "C51+", "C7+", "C43-", "C51-", "C7-"}));

    // A window shown later applies the mode itself; registering alone changes nothing.
    help->toggle();
    LabelledWindow editor("C6");
    editor.registerWith(*help);
    help->refresh(&editor.window);
    EXPECT_EQ(std::pair(editor.calls, editor.shown()), std::pair(std::vector<bool>{true}, true));

    // The browser gone: a window shown now keeps its labels hidden, and switching off, which needs no
    // browser, still hides everything.
    fs::remove(browser);
    LabelledWindow late("C8");
    late.label->show();
    late.registerWith(*help);
    help->refresh(&late.window);
    EXPECT_FALSE(late.shown());
    help->toggle();
    EXPECT_EQ(
        std::pair(main.shown() || panel.shown() || recorder.shown() || editor.shown(), helpPointerSetting()),
        std::pair(false, std::string("False")));

    // A window never registered is left alone.
    QWidget stranger;
    help->refresh(&stranger);
    help->refresh(nullptr);
}

TEST_F(Help, DestroyedWindowsAreForgotten) {
    setBrowser(browser.string());
    int goneCalls = 0;
    auto gone = std::make_unique<QWidget>();
    help->registerWindow(gone.get(), [&](bool) { ++goneCalls; });
    gone.reset();
    help->toggle();

    // A window whose procedure closes another one for good: the other is not called any more.
    auto victim = std::make_unique<QWidget>();
    int victimCalls = 0;
    QWidget killer;
    help->registerWindow(&killer, [&](bool) { victim.reset(); });
    help->registerWindow(victim.get(), [&](bool) { ++victimCalls; });
    help->toggle();
    EXPECT_EQ(std::tuple(goneCalls, victimCalls, help->modeOn()), std::tuple(0, 0, false));
}

TEST_F(Help, HelpLabelStartsTheBrowserAtTheAnchor) {
    setBrowser(browser.string());
    // A folder with a blank and kana: the URL is encoded and still names the page and the anchor.
    const fs::path odd = appDir / "学習 用";
    fs::create_directories(odd);
    fs::copy_file(ini(), odd / "Kestrel.ini");
    HelpController other(odd, messages);
    QStringList seen;
    other.setProcessStarter([&](const QString& program, const QStringList& args) {
        seen = QStringList{program} + args;
        return true;
    });
    other.openAnchor("C103");
    ASSERT_EQ(seen.size(), 2);
    const QUrl url(seen[1], QUrl::StrictMode);
    EXPECT_EQ(
        std::tuple(seen[1].contains(' '), url.toLocalFile(), url.fragment()),
        std::tuple(false, QString::fromStdString((odd / "Doc" / "help.html").string()), QString("C103")));

    // A relative setting means a browser inside the application folder; none configured starts
    // nothing; one that does not start shows nothing.
    const QStringList browserStarted{QString::fromStdString(browser.string())};
    const std::tuple<std::string, bool, QStringList> cases[] = {
        {"browser", true, browserStarted}, {"", true, {}}, {browser.string(), false, browserStarted}};
    for (const auto& [setting, starts, expected] : cases) {
        setBrowser(setting);
        started.clear();
        startResult = starts;
        help->openAnchor("C7");
        EXPECT_EQ(started.mid(0, 1), expected) << setting;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Help, HelpMenuOpensThePageOrSaysWhyNot) {
    const std::string page = (appDir / "Doc" / "help.html").string();
    help->openHelp();
    EXPECT_EQ(std::pair(opened, messages.shown.empty()),
              std::pair(std::vector<QUrl>{QUrl::fromLocalFile(QString::fromStdString(page))}, true));

    // The desktop could not open it: with the browser present the old message; with the browser
    // missing the message names it and the page.
    const std::pair<std::string, std::string> cases[] = {
        {browser.string(), "エラーが発生しました　正しいフォルダ名を指定して下さい"},
        {"/usr/bin/no-such-opener",
         "ヘルプを開けませんでした。ブラウザ /usr/bin/no-such-opener が見つかりません。\nヘルプファイル：" +
             page},
    };
    openResult = false;
    for (const auto& [setting, message] : cases) {
        setBrowser(setting);
        messages.shown.clear();
        messages.titles.clear();
        help->openHelp();
        EXPECT_EQ(std::pair(messages.shown, messages.titles),
                  std::pair(std::vector<std::string>{message}, std::vector<std::string>{"ﾍﾙﾌﾟ"}))
            << setting;
    }

    openResult = true;
    messages.shown.clear();
    fs::remove(appDir / "Doc" / "help.html"); // the page is missing: not handed to the desktop
    help->openHelp();
    EXPECT_EQ(
        std::pair(opened.size(), messages.shown),
        std::pair(3ul, std::vector<std::string>{"エラーが発生しました　正しいフォルダ名を指定して下さい"}));
}

TEST(HelpPage, EveryHelpLabelAnchorExistsOnce) {
    const QString html = QString::fromStdString(test::readBytes(kHelpPage));
    for (const char* anchor : {"C43", "C44", "C45", "C46", "C47", "C51", "C52", "C53", "C54", "C55", "C6",
                               "C7", "C8", "C9", "C103", "C10"})
        EXPECT_EQ(html.count(QString(" id=\"%1\"").arg(anchor)), 1) << anchor;
}

using About = test::GuiTest;

TEST_F(About, VersionHasThreePartsAndTheWindowClosesOnOkAndWhenAnotherWindowBecomesActive) {
    QStringList versions;
    for (const char* build : {"0.1.0", "2.3", "4", "1.2.3.4", "1.x.7"})
        versions << frmAbout::versionNumber(build);
    EXPECT_EQ(versions.join(' '), "0.1.0 2.3.0 4.0.0 1.2.3 1.0.7");

    frmAbout about;
    about.show();
    QApplication::setActiveWindow(&about);
    QTest::mouseClick(about.cmdOK(), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());

    QWidget main;
    main.show();
    about.show();
    test::activate(&about);
    EXPECT_TRUE(about.isVisible());
    QApplication::setActiveWindow(&main);
    EXPECT_FALSE(about.isVisible());
}

} // namespace
} // namespace kestrel
