// kestrel: the desktop simulator. Creates the windows over one application state and connects
// what each window asks of the others.

#include "core/systemerror.h"
#include "engine/appstate.h"
#include "forms/analysiswindow.h"
#include "forms/challengewindow.h"
#include "forms/dialog3.h"
#include "forms/frmabout.h"
#include "forms/frmglossary.h"
#include "forms/frmmain.h"
#include "forms/frmsvdis.h"
#include "forms/frmtip.h"
#include "forms/helpcontroller.h"
#include "forms/modprint.h"
#include "forms/projectdialogs.h"
#include "forms/studywindows.h"
#include "forms/tuningwindow.h"
#include "panel/frmcontroller.h"
#include "panel/frmpenrec.h"
#include "session/studysession.h"
#include "setup/appfolders.h"
#include "setup/settingsfile.h"
#include "setup/setupdocument.h"
#include "widgets/buttonkeys.h"
#include "widgets/language.h"
#include "widgets/qtmessageservice.h"

#include <QApplication>
#include <QDate>
#include <QFont>
#include <QIcon>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

using namespace kestrel;

namespace {

/// Brings a window to the front.
void present(QWidget* w) {
    w->show();
    w->raise();
    w->activateWindow();
}

void configureApplication() {
    QApplication::setApplicationName("Kestrel");
    QApplication::setApplicationDisplayName("Kestrel");
    // The desktop shows the windows under the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(KESTREL_APP_ID);
    QApplication::setWindowIcon(QIcon::fromTheme(KESTREL_APP_ID));
    // The texts were laid out for the Japanese system fonts; the IPA fonts have the same metrics.
    QFont::insertSubstitution("ＭＳ ゴシック", "IPAGothic");
    QFont::insertSubstitution("ＭＳ Ｐゴシック", "IPAPGothic");
    QApplication::setFont(QFont("ＭＳ Ｐゴシック", 9));
}

/// Where this copy of the program reads and writes: portable beside the executable, or installed
/// with the learner's files in the application data folder of the desktop.
AppFolders locateFolders() {
    const std::filesystem::path exeDir = QCoreApplication::applicationDirPath().toStdString();
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return findAppFolders(exeDir, user.toStdString());
}

/// The windows of the program, for connecting what each asks of the others.
struct Windows {
    AppState& state;
    SetupDocument& document;
    MessageService& messages;
    HelpController& help;
    frmController& panel;
    frmMAIN& window;
    frmTip& tip;
    Dialog1& newProject;
    Dialog2& openProject;
    Dialog3& images;
    AnalysisWindow& analysis;
    TuningWindow& tuning;
    ChallengeWindow& challenge;
    HardCopyContext copies;
    QPointer<frmSvDis> editor;
    QPointer<frmAbout> about;
    QPointer<frmGlossary> glossary;

    /// The tuning workbench, unless a challenge hides its process.
    void showTuning() {
        if (state.study.ProcessHidden)
            messages.showMessage(
                QCoreApplication::translate(
                    "Application", "この挑戦ではプロセスが隠されているので、調整ワークベンチは使えません。")
                    .toStdString());
        else
            present(&tuning);
    }
    void hardCopy(QWidget* w) { Hard_copy(w, true, true, copies); }
    void openAnchor(const QString& anchor) { help.openAnchor(anchor); }
    /// The glossary window, read from its file when first opened after a close.
    frmGlossary* glossaryWindow() {
        if (!glossary) {
            glossary = new frmGlossary(Glossary::load(help.glossaryFile()));
            glossary->setAttribute(Qt::WA_DeleteOnClose);
        }
        return glossary;
    }
    void showTip(const QString& caption, bool project) {
        // A lesson or project opened ends a challenge: its process is not the challenge's to hide.
        challenge.end();
        tip.showFor(caption, project);
        help.refresh(&tip);
    }
};

/// Every window with help labels follows the help pointer.
void registerHelp(Windows& w) {
    w.help.registerWindow(&w.window, [&w](bool on) { w.window.SetHelpPointer(on); });
    w.help.registerWindow(&w.panel, [&w](bool on) { w.panel.SetHelpPointer(on); });
    w.help.registerWindow(&w.tip, [&w](bool on) { w.tip.SetHelpPointer(on); });
    w.help.registerWindow(&w.newProject, [&w](bool on) { w.newProject.SetHelpPointer(on); });
    w.help.registerWindow(&w.openProject, [&w](bool on) { w.openProject.SetHelpPointer(on); });
    w.help.registerWindow(&w.images, [&w](bool on) { w.images.SetHelpPointer(on); });
}

void connectPanel(Windows& w) {
    frmController* panel = &w.panel;
    QObject::connect(panel, &frmController::penRecorderCreated, panel, [&w](frmPENrec* recorder) {
        w.help.registerWindow(recorder, [recorder](bool on) { recorder->SetHelpPointer(on); });
        w.help.refresh(recorder);
        QObject::connect(recorder, &frmPENrec::printRequested, recorder,
                         [&w, recorder] { w.hardCopy(recorder); });
        QObject::connect(recorder, &frmPENrec::helpRequested, recorder,
                         [&w](const QString& a) { w.openAnchor(a); });
    });
    QObject::connect(panel, &frmController::printRequested, panel, [&w] { w.hardCopy(&w.panel); });
    QObject::connect(panel, &frmController::helpRequested, panel,
                     [&w](const QString& a) { w.openAnchor(a); });
    QObject::connect(panel, &frmController::lessonRequested, &w.tip, [&w] { present(&w.tip); });
    QObject::connect(panel, &frmController::runKept, &w.analysis, &AnalysisWindow::runKept);
    QObject::connect(panel, &frmController::analysisRequested, &w.analysis, [&w] { present(&w.analysis); });
    QObject::connect(panel, &frmController::runsExportRequested, &w.analysis, &AnalysisWindow::exportRuns);
    QObject::connect(panel, &frmController::runKept, &w.tuning, &TuningWindow::runKept);
    QObject::connect(&w.analysis, &AnalysisWindow::tuningRequested, &w.tuning, [&w] { w.showTuning(); });
    QObject::connect(panel, &frmController::runKept, &w.challenge, &ChallengeWindow::runKept);
    QObject::connect(&w.challenge, &ChallengeWindow::processHiddenChanged, &w.tuning, [&w](bool hidden) {
        if (hidden)
            w.tuning.close();
    });
}

/// The program editor, the version window and the glossary are made on demand and delete themselves on close.
void connectOnDemandWindows(Windows& w) {
    QObject::connect(&w.window, &frmMAIN::editorRequested, &w.window, [&w] {
        if (!w.editor) {
            w.editor = new frmSvDis(w.state, w.document, w.messages);
            w.editor->setAttribute(Qt::WA_DeleteOnClose);
            frmSvDis* e = w.editor.data();
            w.help.registerWindow(e, [e](bool on) { e->SetHelpPointer(on); });
            QObject::connect(e, &frmSvDis::printRequested, e, [&w, e] { w.hardCopy(e); });
            QObject::connect(e, &frmSvDis::helpRequested, e, [&w](const QString& a) { w.openAnchor(a); });
        }
        present(w.editor);
        w.help.refresh(w.editor);
    });
    QObject::connect(&w.window, &frmMAIN::versionRequested, &w.window, [&w] {
        if (!w.about) {
            w.about = new frmAbout(&w.window);
            w.about->setAttribute(Qt::WA_DeleteOnClose);
        }
        present(w.about);
    });
    QObject::connect(&w.window, &frmMAIN::glossaryRequested, &w.window, [&w] { w.glossaryWindow()->open(); });
    QObject::connect(&w.help, &HelpController::glossaryRequested, &w.window,
                     [&w](const QString& id) { w.glossaryWindow()->showTerm(id); });
}

void connectMainWindow(Windows& w) {
    frmMAIN* window = &w.window;
    auto openAnchor = [&w](const QString& a) { w.openAnchor(a); };
    QObject::connect(window, &frmMAIN::printRequested, window, [&w] { w.hardCopy(&w.window); });
    QObject::connect(window, &frmMAIN::helpRequested, window, openAnchor);
    QObject::connect(window, &frmMAIN::helpDocumentRequested, &w.help, &HelpController::openHelp);
    QObject::connect(window, &frmMAIN::helpPointerToggled, &w.help, &HelpController::toggle);
    QObject::connect(window, &frmMAIN::lessonRequested, &w.tip, [&w] { present(&w.tip); });
    QObject::connect(window, &frmMAIN::studyRequested, &w.tip,
                     [&w](const QString& caption) { w.showTip(caption, false); });
    QObject::connect(window, &frmMAIN::newProjectRequested, &w.newProject, [&w] {
        w.newProject.openNew(QDate::currentDate());
        w.help.refresh(&w.newProject);
    });
    QObject::connect(window, &frmMAIN::openProjectRequested, &w.openProject, [&w] {
        w.openProject.openList();
        w.help.refresh(&w.openProject);
    });
    QObject::connect(window, &frmMAIN::imageListRequested, &w.images, w.copies.showImageList);
    QObject::connect(window, &frmMAIN::analysisRequested, &w.analysis, [&w] { present(&w.analysis); });
    QObject::connect(window, &frmMAIN::tuningRequested, &w.tuning, [&w] { w.showTuning(); });
    QObject::connect(window, &frmMAIN::challengeRequested, &w.challenge, [&w] { present(&w.challenge); });
    QObject::connect(window, &frmMAIN::chartOptionsChanged, &w.analysis, [&w] {
        w.analysis.setPenOptions(w.state.chart.SafeColours, w.state.chart.RunLineStyles);
    });
    connectOnDemandWindows(w);
}

void connectDialogs(Windows& w) {
    auto openAnchor = [&w](const QString& a) { w.openAnchor(a); };
    QObject::connect(&w.newProject, &Dialog1::projectOpened, &w.tip,
                     [&w](const QString& caption) { w.showTip(caption, true); });
    QObject::connect(&w.openProject, &Dialog2::projectOpened, &w.tip,
                     [&w](const QString& caption) { w.showTip(caption, true); });
    QObject::connect(&w.newProject, &Dialog1::helpRequested, &w.newProject, openAnchor);
    QObject::connect(&w.openProject, &Dialog2::helpRequested, &w.openProject, openAnchor);
    QObject::connect(&w.images, &Dialog3::helpRequested, &w.images, openAnchor);
    QObject::connect(&w.tip, &frmTip::helpRequested, &w.tip, openAnchor);
}

/// The value of "--lang X" or "--lang=X" among the program's arguments.
std::optional<std::string> languageOption(const QStringList& args) {
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--lang" && i + 1 < args.size())
            return args[i + 1].toStdString();
        if (args[i].startsWith("--lang="))
            return args[i].mid(7).toStdString();
    }
    return std::nullopt;
}

/// "表示" > "Language/言語": the choice is kept in the learner's settings and is the program's at
/// once for every window opened from now on; the windows already open change at the next start,
/// which the learner may ask for right away.
void connectLanguage(Windows& w, QApplication& app, const AppFolders& folders) {
    QObject::connect(
        &w.window, &frmMAIN::languageRequested, &w.window, [&w, &app, folders](const QString& chosen) {
            const std::string language = languageFrom(chosen.toStdString());
            if (language == currentLanguage())
                return;
            if (!applyLanguage(app, language, folders.translationFile())) {
                w.messages.showMessage("英語の翻訳ファイルを読み込めませんでした（" +
                                       folders.translationFile().string() +
                                       "）。 / The English translation could not be read.");
                return;
            }
            writeSetting(folders.user, Setting::Language, language.empty() ? "ja" : language);
            const std::string question =
                language.empty()
                    ? "表示言語を日本語にしました。新しく開くウィンドウから日本語になり、開いているウィンドウ"
                      "は次の起動から日本語になります。\n今すぐ Kestrel を再起動しますか？"
                    : "The language is now English: windows opened from now on are in English, the windows "
                      "already open change at the next start.\nRestart Kestrel now?";
            if (!w.messages.askYesNo(question))
                return;
            // The same program again with the same arguments, but the language from the settings.
            QStringList args = QCoreApplication::arguments();
            args.removeFirst();
            for (int i = 0; i < args.size();) {
                if (args[i] == "--lang")
                    args.remove(i, std::min<qsizetype>(2, args.size() - i));
                else if (args[i].startsWith("--lang="))
                    args.remove(i);
                else
                    ++i;
            }
            if (w.window.close())
                QProcess::startDetached(QCoreApplication::applicationFilePath(), args);
        });
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    configureApplication();
    ButtonKeys buttonKeys;
    app.installEventFilter(&buttonKeys);

    AppFolders folders = locateFolders();
    // The language: --lang on the command line, else LANG of the learner's settings. Japanese
    // (with Qt's standard buttons in Japanese, "はい", "いいえ") unless English is chosen.
    const std::optional<std::string> option = languageOption(QCoreApplication::arguments());
    folders.language = languageFrom(option ? *option : readSetting(folders.user, Setting::Language));
    if (!applyLanguage(app, folders.language, folders.translationFile())) {
        folders.language.clear();
        applyLanguage(app, folders.language, {});
    }
    auto state = std::make_unique<AppState>();
    QtMessageService messages;
    std::filesystem::path failed;
    if (const std::error_code ec = prepareUserFolder(folders, failed)) {
        messages.showMessage(
            QCoreApplication::translate(
                "Application", "ユーザーフォルダを準備できませんでした（%1）。Kestrel を終了します。")
                .arg(QString::fromStdString(systemErrorText(ec, failed.string())))
                .toStdString());
        return 1;
    }
    SetupDocument document(*state, messages, folders);

    // The controller panel exists from the start, hidden; then the program starts up.
    frmController panel(*state, document, messages);
    frmMAIN window(*state, document, messages, panel);
    StudyWindows studyWindows(panel, window);
    StudySession session(*state, document, panel.loop(), messages, studyWindows);
    document.setEventPump([] { QCoreApplication::processEvents(); });
    session.startup();

    // Help reads and writes its settings in the learner's Kestrel.ini.
    HelpController help(folders, messages);
    frmTip tip(session, document, messages, panel, window);
    Dialog1 newProject(*state, document, messages, &window);
    Dialog2 openProject(*state, document, messages, &window);
    Dialog3 images(folders.user, messages, &window);
    // The analysis window lists every run kept from the start.
    AnalysisWindow analysis(panel.runs(), messages);
    // The tuning workbench reads the same runs and writes the parameter fields.
    TuningWindow tuning(panel.runs(), document);
    tuning.addLoopParts(*state, document);
    // Challenges run on the panel and keep their scores in the learner's folder.
    ChallengeWindow challenge(panel.runs(), document, *state, messages, folders.scoresFolder());

    Windows w{*state,      document,
              messages,    help,
              panel,       window,
              tip,         newProject,
              openProject, images,
              analysis,    tuning,
              challenge,   HardCopyContext{folders.user, messages},
              {},          {},
              {}};
    w.copies.showImageList = [&] {
        images.openList();
        help.refresh(&images);
    };
    analysis.setPenOptions(state->chart.SafeColours, state->chart.RunLineStyles);
    registerHelp(w);
    connectPanel(w);
    connectMainWindow(w);
    connectDialogs(w);
    connectLanguage(w, app, folders);

    window.show();
    help.refresh(&window);
    return app.exec();
}
