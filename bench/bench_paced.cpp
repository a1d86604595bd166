// Wall time of a paced run on the offscreen platform: graph time 50 s at dt 100 ms, starting
// from a timer correction of 0, as a learner's first run on a new installation.
//
//   bench/bench_paced.sh            (runs this program and prints one line)

#include "engine/fakes.h"
#include "panel/frmcontroller.h"
#include "setup/setupdocument.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <memory>

using namespace kestrel;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const auto dir = std::filesystem::temp_directory_path() / "kestrel-bench-paced";
    std::filesystem::create_directories(dir);
    auto state = std::make_unique<AppState>();
    test::FakeMessages messages;
    SetupDocument document(*state, messages, dir);
    frmController panel(*state, document, messages);
    state->sim.TmHosei = 0.0f;
    document.setGraphTimeText("50");
    document.setMode(1);
    panel.runControl().Param_set();
    panel.show();

    QElapsedTimer clock;
    QTimer::singleShot(200, &panel, [&] {
        clock.start();
        panel.cmdStart_Click();
    });
    QTimer poll;
    double seconds = 0.0;
    QObject::connect(&poll, &QTimer::timeout, &app, [&] {
        if (clock.isValid() && !state->sim.Running) {
            seconds = clock.nsecsElapsed() / 1e9;
            app.quit();
        }
    });
    poll.start(1);
    app.exec();
    std::printf("paced run, graph time 50 s at dt 100 ms from TmHosei 0: wall %.3f s (%+.2f %%), "
                "TmHosei afterwards %.3f ms\n",
                seconds, (seconds / 50.0 - 1.0) * 100.0, static_cast<double>(state->sim.TmHosei));
    std::filesystem::remove_all(dir);
    return 0;
}
