// kestrel: the desktop simulator.

#include <QApplication>
#include <QFont>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kestrel");
    QApplication::setApplicationDisplayName("Kestrel");
    // The texts were laid out for the Japanese system fonts; the IPA fonts have the same metrics.
    QFont::insertSubstitution("ＭＳ ゴシック", "IPAGothic");
    QFont::insertSubstitution("ＭＳ Ｐゴシック", "IPAPGothic");

    QMainWindow window;
    window.setObjectName("frmMAIN");
    window.setWindowTitle("Kestrel");
    window.menuBar()->setNativeMenuBar(false);
    window.resize(12100 / 15, 9000 / 15);
    window.show();
    return app.exec();
}
