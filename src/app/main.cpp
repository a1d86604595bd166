// kestrel: the desktop simulator.

#include "engine/appstate.h"
#include "panel/frmcontroller.h"
#include "panel/frmpenrec.h"
#include "setup/setupdocument.h"
#include "widgets/qtmessageservice.h"

#include <QApplication>
#include <QFont>
#include <QMainWindow>
#include <QMenuBar>

#include <memory>

using namespace kestrel;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kestrel");
    QApplication::setApplicationDisplayName("Kestrel");
    // The texts were laid out for the Japanese system fonts; the IPA fonts have the same metrics.
    QFont::insertSubstitution("ＭＳ ゴシック", "IPAGothic");
    QFont::insertSubstitution("ＭＳ Ｐゴシック", "IPAPGothic");
    QApplication::setFont(QFont("ＭＳ Ｐゴシック", 9));

    const std::filesystem::path appDir = QCoreApplication::applicationDirPath().toStdString();
    auto state = std::make_unique<AppState>();
    QMainWindow window;
    QtMessageService messages(&window);
    SetupDocument document(*state, messages, appDir);

    // The controller panel exists from the start, hidden; then the main window starts up.
    frmController panel(*state, document, messages);
    document.setEventPump([] { QCoreApplication::processEvents(); });
    document.startup();

    window.setObjectName("frmMAIN");
    window.setWindowTitle("Kestrel");
    window.menuBar()->setNativeMenuBar(false);
    QMenu* disp = window.menuBar()->addMenu("表示(&V)");
    disp->setObjectName("disp");
    QAction* controller = disp->addAction("コントローラパネル");
    controller->setObjectName("contoroler");
    QObject::connect(controller, &QAction::triggered, &panel, [&panel] { panel.openFromMenu(); });
    QAction* penrec = disp->addAction("ペンレコーダ");
    penrec->setObjectName("penrec");
    QObject::connect(penrec, &QAction::triggered, &panel, [&panel] {
        frmPENrec& rec = panel.penRecorder();
        rec.show();
        rec.raise();
        rec.activateWindow();
    });
    QObject::connect(&window, &QObject::destroyed, &app, &QCoreApplication::quit);
    window.resize(12100 / 15, 9000 / 15);
    window.show();
    const int rc = app.exec();
    panel.close();
    return rc;
}
