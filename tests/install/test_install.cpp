// The installed program, from an installation into a read-only temporary prefix, used by a learner
// whose home folder is empty: the layout is found, and opening a lesson, running it, saving a
// project step and a hard copy write into the learner's folder and nothing under the prefix.

#include "challenge/scorebook.h"
#include "engine/fakes.h"
#include "forms/frmabout.h"
#include "forms/helpcontroller.h"
#include "forms/modprint.h"
#include "guiapp.h"
#include "session/studysession.h"
#include "setup/appfolders.h"
#include "setup/headlesspanel.h"
#include "setup/modinifile.h"
#include "tempfolder.h"

#include <QProcess>
#include <QStandardPaths>

namespace kestrel {
namespace {

namespace fs = std::filesystem;

const fs::path kPrefix = KESTREL_TEST_PREFIX;

class Installed : public test::GuiTest {
protected:
    void SetUp() override {
        QCoreApplication::setApplicationName("Kestrel");
        qputenv("HOME", QByteArray::fromStdString(home.string()));
        qunsetenv("XDG_DATA_HOME");
        prefixBefore = test::filesUnder(kPrefix);
        ASSERT_FALSE(prefixBefore.empty()) << "nothing installed under " << kPrefix;
    }
    void TearDown() override {
        EXPECT_EQ(test::filesUnder(kPrefix), prefixBefore) << "written under the prefix";
    }

    /// The folders as the installed program finds them.
    AppFolders folders() const {
        return findAppFolders(kPrefix / "bin", userDataFolder(nullptr, home.c_str()));
    }

    test::TempFolder homeFolder{"kestrel-home"};
    const fs::path home = homeFolder.path();
    std::map<std::string, std::string> prefixBefore;
};

} // namespace

TEST_F(Installed, TheLayoutIsFoundFromWhatExistsAndTheUserFolderIsTheDesktopsOne) {
    const AppFolders f = folders();
    EXPECT_EQ(std::tuple(f.installed, f.data, f.user),
              std::tuple(true, kPrefix / "share" / "kestrel", home / ".local" / "share" / "Kestrel"));
    // The program asks the desktop for the folder; kestrel-sim works it out alone: the same one.
    EXPECT_EQ(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString(),
              f.user.string());
    const fs::path xdg = home / "data";
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(xdg.string()));
    EXPECT_EQ(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString(),
              userDataFolder(xdg.c_str(), home.c_str()).string());
    // Without a home folder there is nowhere to write: said, not guessed.
    fs::path failed;
    EXPECT_EQ(prepareUserFolder(findAppFolders(kPrefix / "bin", {}), failed),
              std::errc::no_such_file_or_directory);
    // The build folder, and any folder with a Study folder of its own, stay portable.
    EXPECT_FALSE(findAppFolders(KESTREL_BUILD_BIN, f.user).installed);
    fs::create_directories(home / "bin" / "Study");
    fs::create_directories(home / "share" / "kestrel" / "Study");
    EXPECT_FALSE(findAppFolders(home / "bin", f.user).installed);
}

TEST_F(Installed, ALessonAProjectStepAndAHardCopyGoToTheLearnersFolder) {
    const AppFolders f = folders();
    fs::path failed;
    ASSERT_FALSE(prepareUserFolder(f, failed)) << failed;
    EXPECT_EQ(test::readBytes(f.settingsFile()), test::readBytes(f.data / "Kestrel.ini"));

    AppState state;
    test::FakeMessages messages;
    SetupDocument document(state, messages, f);
    HeadlessPanel panel(document);
    NullDisplay display;
    ControlLoop loop(state, messages, document, display, panel, ControlLoop::Settings::Stored);
    NullStudyHost host;
    StudySession session(state, document, loop, messages, host);
    session.loadPanel();
    session.startup();

    session.open(f.studyFolder() / "C0501071.txt", false);
    ASSERT_TRUE(session.applyStep());
    ASSERT_TRUE(session.runStep());
    while (state.sim.Running)
        loop.run().PacingTick();
    session.runEnded();
    // The run's end stores what it learned in the learner's settings.
    EXPECT_NE(ReadProfileValue(f.settingsFile(), "CONFIG", "TMHOSEI"), "");

    const fs::path project = document.createProject("P1.txt");
    ASSERT_EQ(project, f.projectFolder() / "P1.txt");
    session.open(project, true);
    StepTexts texts = session.showTexts();
    texts.title2 = "私の実験";
    ASSERT_TRUE(session.saveStep(texts));
    EXPECT_EQ(ReadProfileValue(project, "手順1", "TITLE2"), "私の実験");

    QWidget window;
    window.setFixedSize(40, 30);
    EXPECT_TRUE(Hard_copy(&window, true, false, HardCopyContext{.appFolder = f.user, .messages = messages}));
    EXPECT_EQ(test::namesIn(f.imageFolder()).size(), 1u);

    // Help reads the installed page and keeps its pointer setting with the learner's; a challenge's
    // score goes into the learner's folder.
    HelpController help(f, messages);
    EXPECT_EQ(help.helpFile(), f.data / "Doc" / "help.html");
    EXPECT_TRUE(fs::is_regular_file(help.helpFile()));
    help.toggle();
    EXPECT_EQ(ReadProfileValue(f.settingsFile(), "CONFIG", "HelpPointer"), "True");
    EXPECT_TRUE(challenge::ScoreBook(f.scoresFolder()).record("01_offset.txt", 50));
    EXPECT_EQ(messages.shown, std::vector<std::string>{});
}

TEST_F(Installed, TheInstalledSimulatorFindsTheInstalledLessonsWithoutAnAppFolder) {
    // In English the installed translation and English lessons replay the same runs.
    QByteArray outputs[2];
    const QStringList languages[2] = {{}, {"--lang", "en"}};
    for (int i = 0; i < 2; ++i) {
        QProcess sim;
        sim.start(QString::fromStdString((kPrefix / "bin" / "kestrel-sim").string()),
                  QStringList{"--lesson", "C0501071.txt"} + languages[i]);
        ASSERT_TRUE(sim.waitForFinished(60000));
        EXPECT_EQ(sim.exitCode(), 0) << sim.readAllStandardError().toStdString();
        outputs[i] = sim.readAllStandardOutput();
    }
    EXPECT_TRUE(outputs[0].startsWith("time,"));
    EXPECT_EQ(outputs[1], outputs[0]);
    EXPECT_TRUE(fs::exists(folders().settingsFile()));
    EXPECT_TRUE(fs::exists(kPrefix / "share" / "kestrel" / "translations" / "kestrel_en.qm"));
}

TEST_F(Installed, TheVersionWindowAndTheInstalledMetainfoCarryOneVersion) {
    const std::string metainfo =
        test::readBytes(kPrefix / "share" / "metainfo" / (std::string(KESTREL_APP_ID) + ".metainfo.xml"));
    const std::string release = "<release version=\"" + frmAbout::buildVersion().toStdString() + "\"";
    EXPECT_NE(metainfo.find(release), std::string::npos) << release;
}

} // namespace kestrel
