// The controller panel on the offscreen platform: the longest fast run with its drawing, and the
// replay of a full record, and of twenty overlaid runs, after a resize.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_panel --benchmark_repetitions=5

#include "engine/fakes.h"
#include "offscreenmain.h"
#include "panel/frmcontroller.h"
#include "panel/frmpenrec.h"
#include "setup/setupdocument.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

using namespace kestrel;

namespace {

struct Bench {
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    test::FakeMessages messages;
    SetupDocument document{*state, messages, std::filesystem::temp_directory_path()};
    frmController panel{*state, document, messages};

    /// The longest record: graph time 300 s at dt 20 ms, PI control, automatic mode.
    Bench() {
        panel.penRecorder();
        document.setFieldText(dT, "20");
        document.setFieldText(Kp, "1.20");
        document.setFieldText(Ti, "6.00");
        document.applyAll();
        document.setGraphTimeText("300");
        document.setMode(1);
        panel.runControl().Param_set();
    }
};

void BM_LongestFastRun(benchmark::State& st) {
    Bench b;
    for (auto _ : st) {
        b.state->sim.SV[0] = b.state->sim.SV[0] == 50.0 ? 60.0 : 50.0;
        b.panel.cmdFast_Click();
        benchmark::DoNotOptimize(b.state->sim.SamplesRecorded);
    }
    st.counters["samples"] = b.state->sim.SamplesRecorded;
}
BENCHMARK(BM_LongestFastRun)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ResizeReplay(benchmark::State& st) {
    Bench b;
    b.panel.cmdFast_Click();
    b.panel.show();
    b.panel.penRecorder().show();
    QApplication::processEvents();
    int w = 800;
    long replayed = 0;
    for (auto _ : st) {
        w = w == 800 ? 820 : 800;
        const long before = b.panel.Picture1(0)->linesDrawn();
        b.panel.resize(w, 520);                     // the panel lays out, clears and replays its samples
        b.panel.penRecorder().resize(w - 200, 640); // and so does the recorder with its eleven strips
        QApplication::processEvents();
        replayed += b.panel.Picture1(0)->linesDrawn() - before;
    }
    st.counters["lines"] =
        benchmark::Counter(static_cast<double>(replayed), benchmark::Counter::kAvgIterations);
    st.counters["samples"] = b.state->sim.SamplesRecorded;
}
BENCHMARK(BM_ResizeReplay)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ResizeReplayOverlays(benchmark::State& st) {
    // Twenty kept runs of the longest record on one graph: a resize draws them all again.
    Bench b;
    b.panel.show();
    QApplication::processEvents();
    for (int n = 0; n < st.range(0); ++n) {
        b.state->sim.SV[0] = 40.0 + n;
        b.panel.cmdFast_Click();
        b.panel.runControl().EndOfRunTick();
    }
    int w = 800;
    for (auto _ : st) {
        w = w == 800 ? 820 : 800;
        b.panel.resize(w, 520);
        QApplication::processEvents();
    }
    st.counters["runs"] = static_cast<double>(b.panel.runs().runs().size());
    st.counters["samples"] = b.state->sim.SamplesRecorded;
}
BENCHMARK(BM_ResizeReplayOverlays)->Arg(20)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
