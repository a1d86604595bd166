#include "forms/projectdialogs.h"

#include "engine/fakes.h"
#include "english.h"
#include "guiapp.h"
#include "tempfolder.h"

#include <QDate>
#include <QSignalSpy>
#include <QTimer>

#include <tuple>

namespace kestrel {
namespace {

namespace fs = std::filesystem;

const QDate kToday(2026, 12, 5); // "261205"
// The project template of the application folder's content in the repository.
const fs::path kTemplate = fs::path(TEST_DATA_DIR) / ".." / ".." / "data" / "Study" / "BASE.txt";

using test::activate, test::click, test::listed, test::readBytes;

// Runs a hook while a message or question is up, as the window system acts under a real box.
class HookedMessages : public test::FakeMessages {
public:
    std::function<void()> hook = [] {};
    void showMessage(const std::string& text) override { hook(), FakeMessages::showMessage(text); }
    bool askYesNo(const std::string& text) override { return hook(), FakeMessages::askYesNo(text); }
};

class ProjectDialogs : public test::GuiTest {
protected:
    void SetUp() override {
        fs::create_directories(app / "Study");
        fs::copy_file(kTemplate, app / "Study" / "BASE.txt");
        base = readBytes(kTemplate);
        ASSERT_FALSE(base.empty());
        elsewhere.show();
    }

    fs::path project() const { return app / "Project"; }
    void addProjects(std::initializer_list<const char*> names) {
        fs::create_directories(project());
        for (const char* name : names)
            std::ofstream(project() / name, std::ios::binary) << "mine " << name;
    }
    auto study() const {
        const StudyState& s = state.study;
        return std::make_tuple(s.CurFile, s.ProjectMode, int(s.StepNo));
    }

    // The application folder is a sub-folder, so that a path escaping it still lands under root.
    test::TempFolder folder{"kestrel-projects"};
    const fs::path root = folder.path();
    fs::path app = root / "app";
    std::string base;
    AppState state;
    HookedMessages messages;
    SetupDocument document{state, messages, app};
    QWidget elsewhere; ///< another window of the program, to take the activation
};

// Refused names are checked at the document; here the dialog's own part: the proposal, staying open
// on a refusal although its message box takes the activation, the opened project and its caption as
// typed, closing when another window becomes active.
TEST_F(ProjectDialogs, NewProjectProposesTheNextFreeNameAndNeverOverwrites) {
    Dialog1 d(state, document, messages);
    QSignalSpy opened(&d, &Dialog1::projectOpened);
    addProjects({"P261205001.txt", "P261205002.txt"});
    d.openNew(kToday);
    EXPECT_EQ(d.Text1()->text(), "P261205003.txt");

    activate(&d);
    messages.hook = [&] { QApplication::setActiveWindow(&elsewhere); };
    d.Text1()->setText("P261205002.txt");
    click(&d, "OKButton");
    EXPECT_EQ(std::tuple(messages.shown, readBytes(project() / "P261205002.txt"), d.isVisible(),
                         opened.count(), study()),
              std::tuple(std::vector<std::string>{"同じﾌｧｲﾙが既に存在しています。"}, "mine P261205002.txt",
                         true, 0, std::make_tuple(std::string(), false, 0)));

    d.Text1()->setText("  実験 1.txt  ");
    click(&d, "OKButton");
    EXPECT_EQ(std::tuple(d.isVisible(), readBytes(project() / "実験 1.txt"), study(),
                         QList<QList<QVariant>>(opened)),
              std::tuple(false, base, std::make_tuple((project() / "実験 1.txt").string(), true, 1),
                         QList<QList<QVariant>>{{QString("自習：   実験 1.txt  ")}}));

    d.openNew(kToday);
    activate(&d);
    activate(&elsewhere);
    EXPECT_FALSE(d.isVisible());
}

TEST_F(ProjectDialogs, OpenListAndDoubleClickEqualsSelectAndOk) {
    {
        Dialog2 d(state, document, messages);
        d.openList();
        // The folder is created when missing.
        EXPECT_EQ(std::pair(fs::is_directory(project()), d.File1()->count()), std::pair(true, 0));
    }
    addProjects({"c.txt", "a.txt", "B.txt", ".hidden"});
    fs::create_directories(project() / "sub");
    fs::create_symlink(app / "Study" / "BASE.txt", project() / "link.txt");

    enum class Choice { OkAlone, SelectAndOk, DoubleClick };
    auto choose = [&](Choice choice) {
        state.study = StudyState{};
        Dialog2 d(state, document, messages);
        QSignalSpy opened(&d, &Dialog2::projectOpened);
        d.openList();
        EXPECT_EQ(listed(d.File1()), QStringList({"a.txt", "B.txt", "c.txt"}));
        QWidget* view = d.File1()->viewport();
        const QPoint at = d.File1()->visualItemRect(d.File1()->item(1)).center();
        // A double click arrives as a click followed by the double-click event.
        if (choice != Choice::OkAlone)
            QTest::mouseClick(view, Qt::LeftButton, {}, at);
        if (choice == Choice::DoubleClick)
            QTest::mouseDClick(view, Qt::LeftButton, {}, at);
        else
            click(&d, "OKButton");
        return std::tuple_cat(
            study(),
            std::make_tuple(opened.count() == 1 ? opened[0][0].toString() : QString(), d.isVisible()));
    };
    const auto ok = choose(Choice::SelectAndOk);
    EXPECT_EQ(ok, std::make_tuple((project() / "B.txt").string(), true, 1, QString("自習： B.txt"), false));
    EXPECT_EQ(choose(Choice::DoubleClick), ok);
    EXPECT_EQ(choose(Choice::OkAlone), std::make_tuple(std::string(), false, 0, QString(), true));
}

TEST_F(ProjectDialogs, DeleteAsksAndTheListClosesAfterThirtySecondsInactiveButNotUnderTheQuestion) {
    addProjects({"a.txt", "b.txt", "c.txt"});
    state.study.CurFile = (project() / "b.txt").string();
    Dialog2 d(state, document, messages);
    auto* timer = test::childOf<QTimer>(&d, "Timer1");
    auto fire = [&] { QMetaObject::invokeMethod(timer, "timeout"); };

    d.openList();
    // Back in time the count stops; a stray tick while active closes nothing.
    for (QWidget* w : {static_cast<QWidget*>(&d), &elsewhere, static_cast<QWidget*>(&d)}) {
        activate(w);
        EXPECT_EQ(timer->isActive(), w == &elsewhere);
    }
    fire();
    EXPECT_TRUE(d.isVisible());

    click(&d, "Command1"); // nothing selected: no question
    EXPECT_TRUE(messages.shown.empty());
    // The question takes the activation; the dialog must not vanish under it.
    d.File1()->setCurrentRow(1);
    messages.answers = {false};
    messages.hook = [&] {
        QApplication::setActiveWindow(&elsewhere);
        fire();
    };
    click(&d, "Command1");
    messages.hook = [] {};
    EXPECT_EQ(messages.shown, std::vector<std::string>{"b.txtを削除しますか？"});
    EXPECT_EQ(std::tuple(fs::exists(project() / "b.txt"), listed(d.File1()), d.File1()->currentRow(),
                         d.isVisible()),
              std::tuple(true, QStringList({"a.txt", "b.txt", "c.txt"}), 1, true));

    messages.answers = {true};
    test::writeLines(project() / ".b.txt.lock", {}); // left by the project's saves
    click(&d, "Command1");
    // The study's file is left alone; the lock file of its saves goes with it.
    EXPECT_EQ(std::tuple(fs::exists(project() / "b.txt"), listed(d.File1()), fs::path(state.study.CurFile),
                         fs::exists(project() / ".b.txt.lock")),
              std::tuple(false, QStringList({"a.txt", "c.txt"}), project() / "b.txt", false));

    activate(&d);
    activate(&elsewhere);
    fire();
    EXPECT_FALSE(d.isVisible());
}

TEST_F(ProjectDialogs, EveryTextFitsInJapaneseAndInEnglish) {
    auto check = [&](const QString& cancel) {
        Dialog1 d1(state, document, messages);
        Dialog2 d2(state, document, messages);
        d1.openNew(kToday);
        d2.openList();
        QApplication::processEvents();
        for (QWidget* d : {static_cast<QWidget*>(&d1), static_cast<QWidget*>(&d2)}) {
            const std::vector<std::string> cut = test::clippedTexts(d);
            EXPECT_TRUE(cut.empty()) << (cut.empty() ? "" : cut.front());
            EXPECT_EQ(d->findChild<QPushButton*>("CancelButton")->text(), cancel);
        }
    };
    check("ｷｬﾝｾﾙ");
    const test::EnglishScope english;
    ASSERT_TRUE(english.loaded());
    check("Cancel");
    EXPECT_EQ(Dialog2(state, document, messages).windowTitle(), "Open Project");
}

} // namespace
} // namespace kestrel
