// kestrel: the desktop simulator. Creates the windows over one application state and connects
// what each window asks of the others.

#include "engine/appstate.h"
#include "forms/dialog3.h"
#include "forms/frmabout.h"
#include "forms/frmmain.h"
#include "forms/frmsvdis.h"
#include "forms/frmtip.h"
#include "forms/helpcontroller.h"
#include "forms/modprint.h"
#include "forms/projectdialogs.h"
#include "panel/frmcontroller.h"
#include "panel/frmpenrec.h"
#include "setup/setupdocument.h"
#include "widgets/qtmessageservice.h"

#include <QApplication>
#include <QDate>
#include <QFont>
#include <QPointer>

#include <memory>

using namespace kestrel;

namespace {

/// Brings a window to the front.
void present(QWidget* w) {
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kestrel");
    QApplication::setApplicationDisplayName("Kestrel");
    // The standard buttons of the message boxes speak Japanese ("はい", "いいえ") like the rest.
    installQtJapanese(app);
    // The texts were laid out for the Japanese system fonts; the IPA fonts have the same metrics.
    QFont::insertSubstitution("ＭＳ ゴシック", "IPAGothic");
    QFont::insertSubstitution("ＭＳ Ｐゴシック", "IPAPGothic");
    QApplication::setFont(QFont("ＭＳ Ｐゴシック", 9));

    const std::filesystem::path appDir = QCoreApplication::applicationDirPath().toStdString();
    auto state = std::make_unique<AppState>();
    QtMessageService messages;
    SetupDocument document(*state, messages, appDir);

    // The controller panel exists from the start, hidden; then the main window starts up.
    frmController panel(*state, document, messages);
    frmMAIN window(*state, document, messages, panel);
    document.setEventPump([] { QCoreApplication::processEvents(); });
    document.startup();

    HelpController help(appDir, messages);
    frmTip tip(*state, document, messages, panel, window);
    QPointer<frmSvDis> editor;
    Dialog1 newProject(*state, document, messages, &window);
    Dialog2 openProject(*state, document, messages, &window);
    Dialog3 images(appDir, messages, &window);
    QPointer<frmAbout> about;

    HardCopyContext copies{appDir, messages};
    copies.showImageList = [&] {
        images.openList();
        help.refresh(&images);
    };
    auto hardCopy = [&](QWidget* w) { Hard_copy(w, true, true, copies); };
    auto openAnchor = [&](const QString& anchor) { help.openAnchor(anchor); };

    // Every window with help labels follows the help pointer.
    help.registerWindow(&window, [&](bool on) { window.SetHelpPointer(on); });
    help.registerWindow(&panel, [&](bool on) { panel.SetHelpPointer(on); });
    help.registerWindow(&tip, [&](bool on) { tip.SetHelpPointer(on); });
    help.registerWindow(&newProject, [&](bool on) { newProject.SetHelpPointer(on); });
    help.registerWindow(&openProject, [&](bool on) { openProject.SetHelpPointer(on); });
    help.registerWindow(&images, [&](bool on) { images.SetHelpPointer(on); });

    QObject::connect(&panel, &frmController::penRecorderCreated, &panel, [&](frmPENrec* recorder) {
        help.registerWindow(recorder, [recorder](bool on) { recorder->SetHelpPointer(on); });
        help.refresh(recorder);
        QObject::connect(recorder, &frmPENrec::printRequested, recorder, [&, recorder] { hardCopy(recorder); });
        QObject::connect(recorder, &frmPENrec::helpRequested, recorder, openAnchor);
    });
    QObject::connect(&panel, &frmController::printRequested, &panel, [&] { hardCopy(&panel); });
    QObject::connect(&panel, &frmController::helpRequested, &panel, openAnchor);
    QObject::connect(&panel, &frmController::lessonRequested, &tip, [&] { present(&tip); });

    QObject::connect(&window, &frmMAIN::printRequested, &window, [&] { hardCopy(&window); });
    QObject::connect(&window, &frmMAIN::helpRequested, &window, openAnchor);
    QObject::connect(&window, &frmMAIN::helpDocumentRequested, &help, &HelpController::openHelp);
    QObject::connect(&window, &frmMAIN::helpPointerToggled, &help, &HelpController::toggle);
    QObject::connect(&window, &frmMAIN::lessonRequested, &tip, [&] { present(&tip); });
    QObject::connect(&window, &frmMAIN::studyRequested, &tip, [&](const QString& caption) {
        tip.showFor(caption, false);
        help.refresh(&tip);
    });
    QObject::connect(&window, &frmMAIN::editorRequested, &window, [&] {
        if (!editor) {
            editor = new frmSvDis(*state, document, messages);
            editor->setAttribute(Qt::WA_DeleteOnClose);
            frmSvDis* e = editor.data();
            help.registerWindow(e, [e](bool on) { e->SetHelpPointer(on); });
            QObject::connect(e, &frmSvDis::printRequested, e, [&, e] { hardCopy(e); });
            QObject::connect(e, &frmSvDis::helpRequested, e, openAnchor);
        }
        present(editor);
        help.refresh(editor);
    });
    QObject::connect(&window, &frmMAIN::newProjectRequested, &newProject, [&] {
        newProject.openNew(QDate::currentDate());
        help.refresh(&newProject);
    });
    QObject::connect(&window, &frmMAIN::openProjectRequested, &openProject, [&] {
        openProject.openList();
        help.refresh(&openProject);
    });
    QObject::connect(&window, &frmMAIN::imageListRequested, &images, copies.showImageList);
    QObject::connect(&window, &frmMAIN::versionRequested, &window, [&] {
        if (!about) {
            about = new frmAbout(&window);
            about->setAttribute(Qt::WA_DeleteOnClose);
        }
        present(about);
    });
    QObject::connect(&newProject, &Dialog1::projectOpened, &tip, [&](const QString& caption) {
        tip.showFor(caption, true);
        help.refresh(&tip);
    });
    QObject::connect(&openProject, &Dialog2::projectOpened, &tip, [&](const QString& caption) {
        tip.showFor(caption, true);
        help.refresh(&tip);
    });
    QObject::connect(&newProject, &Dialog1::helpRequested, &newProject, openAnchor);
    QObject::connect(&openProject, &Dialog2::helpRequested, &openProject, openAnchor);
    QObject::connect(&images, &Dialog3::helpRequested, &images, openAnchor);
    QObject::connect(&tip, &frmTip::helpRequested, &tip, openAnchor);

    window.show();
    help.refresh(&window);
    return app.exec();
}
