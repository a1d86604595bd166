#include "forms/frmabout.h"
#include "forms/helpcontroller.h"
#include "forms/helpwindow.h"

#include "engine/fakes.h"
#include "english.h"
#include "guiapp.h"
#include "setup/modinifile.h"
#include "tempfolder.h"
#include "widgets/helplabel.h"

#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
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

TEST_F(Help, LabelsShowWhateverTheBrowserSettingSaysSinceTheHelpWindowCanShowThePage) {
    LabelledWindow w("C51");
    w.registerWith(*help);
    for (const std::string& setting :
         {std::string("internal"), std::string(), std::string("/no/such/browser"), browser.string()}) {
        setBrowser(setting);
        help->toggle();
        EXPECT_EQ(std::tuple(helpPointerSetting(), help->modeOn(), w.shown()), std::tuple("True", true, true))
            << setting;
        help->toggle();
        EXPECT_FALSE(w.shown());
    }
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

    // Switching off hides everything.
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

    // A relative setting means a browser inside the application folder. "internal", an empty
    // setting, a missing browser (said once) and a browser that does not start show the help window.
    const QStringList browserStarted{QString::fromStdString(browser.string())};
    const std::tuple<std::string, bool, QStringList, bool> cases[] = {
        {"browser", true, browserStarted, false},
        {" Internal ", true, {}, true},
        {"", true, {}, true},
        {"/no/such/browser", true, {}, true},
        {"/no/such/browser", true, {}, true},
        {browser.string(), false, browserStarted, true}};
    for (const auto& [setting, starts, expected, window] : cases) {
        setBrowser(setting);
        started.clear();
        startResult = starts;
        if (help->window())
            help->window()->hide();
        help->openAnchor("C7");
        EXPECT_EQ(std::pair(started.mid(0, 1), help->window() && help->window()->isVisible()),
                  std::pair(expected, window))
            << setting;
    }
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{HelpController::missingBrowserMessage("/no/such/browser")});
}

TEST_F(Help, HelpMenuOpensThePageOrSaysWhyNot) {
    // A named browser: the desktop opens the page; when it cannot, the help window does.
    setBrowser(browser.string());
    help->openHelp();
    const std::string page = (appDir / "Doc" / "help.html").string();
    EXPECT_EQ(std::pair(opened, help->window()),
              std::pair(std::vector<QUrl>{QUrl::fromLocalFile(QString::fromStdString(page))},
                        static_cast<HelpWindow*>(nullptr)));
    openResult = false;
    help->openHelp();
    ASSERT_NE(help->window(), nullptr);
    EXPECT_TRUE(help->window()->isVisible());

    setBrowser("internal");
    opened.clear();
    help->window()->hide();
    help->openHelp();
    EXPECT_TRUE(opened.empty() && help->window()->isVisible() && messages.shown.empty());

    fs::remove(appDir / "Doc" / "help.html");
    for (const std::string& setting : {std::string("internal"), browser.string()}) {
        setBrowser(setting);
        messages.shown.clear();
        help->openHelp();
        EXPECT_EQ(
            std::pair(messages.shown, messages.titles.back()),
            std::pair(std::vector<std::string>{HelpController::kOpenFailedMessage}, std::string("ﾍﾙﾌﾟ")));
    }
    EXPECT_TRUE(opened.empty());
}

/// The heading that carries `anchor` is at the top of the view, or the view is scrolled to its end
/// with the heading in sight.
bool scrolledTo(const QTextBrowser* browser, const QString& anchor) {
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        bool named = block.charFormat().anchorNames().contains(anchor);
        for (auto it = block.begin(); !it.atEnd(); ++it)
            named = named || it.fragment().charFormat().anchorNames().contains(anchor);
        if (!named)
            continue;
        const QRect line = browser->cursorRect(QTextCursor(block));
        const QScrollBar* bar = browser->verticalScrollBar();
        return (line.top() >= 0 && line.top() < 20) ||
               (bar->value() == bar->maximum() && browser->viewport()->rect().contains(line.topLeft()));
    }
    return false;
}

using HelpPage = test::GuiTest;

/// The anchors the windows' help labels open.
const char* const kLabelAnchors[] = {"C43", "C44", "C45", "C46", "C47", "C51", "C52",  "C53",
                                     "C54", "C55", "C6",  "C7",  "C8",  "C9",  "C103", "C10"};

TEST_F(HelpPage, TheShippedSettingsShowEveryHelpLabelAnchorInOneHelpWindow) {
    test::FakeMessages messages;
    HelpController help(KESTREL_SOURCE_DATA, messages);
    const HelpWindow* first = nullptr;
    help.setProcessStarter([](const QString&, const QStringList&) {
        ADD_FAILURE() << "the shipped settings start no browser";
        return true;
    });
    for (const char* anchor : kLabelAnchors) {
        help.openAnchor(anchor);
        ASSERT_NE(help.window(), nullptr);
        if (!first)
            first = help.window();
        EXPECT_EQ(help.window(), first) << "one help window, reused";
        EXPECT_EQ(help.window()->browser()->source().fragment(), anchor);
    }
    EXPECT_TRUE(messages.shown.empty());
}

/// The ids and names a page defines, in order.
QStringList pageIds(const QString& html) {
    QStringList ids;
    static const QRegularExpression attribute(R"re(\s(?:id|name)="([^"]+)")re");
    for (auto it = attribute.globalMatch(html); it.hasNext();)
        ids << it.next().captured(1);
    return ids;
}

TEST_F(HelpPage, EachLanguagesPageHoldsTheSameAnchorsAndShowsEveryParagraphAndDrawing) {
    const QString japanese = QString::fromStdString(test::readBytes(kHelpPage));
    for (const char* name : {"help.html", "help_en.html"}) {
        SCOPED_TRACE(name);
        const fs::path file = kHelpPage.parent_path() / name;
        const QString html = QString::fromStdString(test::readBytes(file));
        EXPECT_FALSE(html.contains("<script"));
        // The translation keeps every heading id, so the help labels and the contents reach the
        // same sections in either language.
        EXPECT_EQ(pageIds(html), pageIds(japanese));

        HelpWindow window;
        QUrl url = QUrl::fromLocalFile(QString::fromStdString(file.string()));
        for (const char* anchor : kLabelAnchors) {
            EXPECT_EQ(html.count(QString(" id=\"%1\"").arg(anchor)), 1) << anchor;
            url.setFragment(anchor);
            window.showPage(url);
            EXPECT_TRUE(scrolledTo(window.browser(), anchor)) << anchor;
        }

        // Every paragraph of the page is laid out, so none shows blank (naming the headings
        // without an id once stopped the browser's layout half-way down the page).
        QTest::qWait(300);
        const QTextDocument* page = window.browser()->document();
        int unlaid = 0;
        for (QTextBlock block = page->begin(); block.isValid(); block = block.next())
            unlaid += !block.text().isEmpty() && block.layout()->lineCount() == 0;
        EXPECT_EQ(unlaid, 0);

        // Every drawing is an image file beside the page that the help window can read.
        int images = 0;
        for (QTextBlock block = page->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isImageFormat()) {
                    const QString image = it.fragment().charFormat().toImageFormat().name();
                    EXPECT_FALSE(QImage(QString(KESTREL_SOURCE_DATA "/Doc/") + image).isNull())
                        << image.toStdString();
                    ++images;
                }
        EXPECT_GE(images, 3);
    }
}

TEST_F(HelpPage, BackForwardTableOfContentsAndSearch) {
    test::TempFolder folder{"kestrel-helpwindow"};
    const fs::path page = folder.path() / "page.html";
    std::string filler;
    for (int i = 0; i < 80; ++i)
        filler += "<p>x</p>";
    std::ofstream(page) << "<html><body><h2 id='one'>One</h2><p>alpha beta</p>" << filler
                        << "<h2 id='two'>Two</h2><h3>Two a</h3><p>beta gamma</p>" << filler
                        << "<h2 id='three'>Three</h2><p>beta</p></body></html>";
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(page.string()));
    HelpWindow window;
    window.showPage(url);
    QTreeWidget* contents = window.contents();
    QStringList entries;
    for (QTreeWidgetItemIterator it(contents); *it; ++it)
        entries << (*it)->text(0) + ":" + HelpWindow::anchorOf(*it);
    EXPECT_EQ(entries.join(' '), "One:one Two:two Two a:heading-1 Three:three");

    // A heading without an id of its own is reached through the table of contents.
    QTreeWidgetItem* twoA = contents->topLevelItem(1)->child(0);
    QTest::mouseClick(contents->viewport(), Qt::LeftButton, {}, contents->visualItemRect(twoA).center());
    EXPECT_EQ(window.browser()->source().fragment(), "heading-1");
    EXPECT_TRUE(scrolledTo(window.browser(), "heading-1"));
    QUrl three = url;
    three.setFragment("three");
    window.showPage(three);
    QStringList visited;
    for (QToolButton* button : {window.backButton(), window.backButton(), window.forwardButton()}) {
        QTest::mouseClick(button, Qt::LeftButton);
        visited << window.browser()->source().fragment();
    }
    EXPECT_EQ(visited.join(' '), "heading-1  heading-1");
    EXPECT_FALSE(window.backButton()->isEnabled() && window.browser()->source().fragment().isEmpty());

    // Next and previous go round the page; a text the page does not hold is said so.
    const auto matchAt = [&] { return window.browser()->textCursor().selectionStart(); };
    window.browser()->setTextCursor(QTextCursor(window.browser()->document()));
    std::vector<int> at;
    for (const bool backward : {false, false, false, false, true}) {
        EXPECT_TRUE(window.find("BETA", backward));
        at.push_back(matchAt());
    }
    EXPECT_TRUE(at[0] < at[1] && at[1] < at[2] && at[3] == at[0] && at[4] == at[2])
        << ::testing::PrintToString(at);
    EXPECT_TRUE(window.findStatus()->text().isEmpty());
    QTest::keyClicks(window.findEdit(), "delta");
    EXPECT_EQ(std::pair(window.findStatus()->text(), matchAt()),
              std::pair(QString(HelpWindow::kNotFound), at[4]));
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

TEST_F(About, EveryTextFitsInJapaneseAndInEnglishAndTheHelpWindowSpeaksEnglish) {
    auto cut = [] {
        frmAbout about;
        about.show();
        QApplication::processEvents();
        const std::vector<std::string> texts = test::clippedTexts(&about);
        return texts.empty() ? std::string() : texts.front();
    };
    EXPECT_EQ(cut(), "");
    const test::EnglishScope english;
    ASSERT_TRUE(english.loaded());
    EXPECT_EQ(cut(), "");
    EXPECT_EQ(frmAbout().windowTitle(), "About Kestrel");
    HelpWindow help;
    EXPECT_EQ(std::pair(help.windowTitle(), help.findChild<QToolButton*>("helpBack")->text()),
              std::pair(QString("Help"), QString("Back")));
}

} // namespace
} // namespace kestrel
