// The analysis window on the offscreen platform with a full store's worth of long runs: opening it
// (construction, filling, first paint) and moving its time cursor with the mouse.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_analysis --benchmark_repetitions=5

#include "engine/fakes.h"
#include "forms/analysischart.h"
#include "forms/analysiswindow.h"
#include "offscreenmain.h"

#include <QApplication>
#include <QMouseEvent>
#include <benchmark/benchmark.h>

#include <cmath>

using namespace kestrel;

namespace {

/// 50 runs of 501 samples and 500 steps, each with its own pen and a limit acting now and then.
RunStore fullStore() {
    RunStore store;
    for (int n = 0; n < 50; ++n) {
        KeptRun r;
        r.dt = 0.1;
        r.graphTime = 50;
        r.params.CALC_TYPE = static_cast<std::int16_t>(CalcForm::Velocity);
        r.pens.fill(penChoiceColor(n % 5));
        for (int i = 0; i <= 500; ++i) {
            const double t = i * 0.1;
            r.time.push_back(t);
            for (int c = 0; c < kChannelCount; ++c)
                r.values[c].push_back(50 + 40 * std::sin(t / (3 + n * 0.1) + c));
            if (i < 500) {
                const bool held = (i / 25) % 4 == 1;
                r.steps.push_back({t, 60, r.values[1].back(), held ? 100.0 : 50.0, 0, held,
                                   held ? StepLimit::High : StepLimit::None});
            }
        }
        r.metrics = measureRun(r.steps, r.dt);
        store.add(std::move(r));
    }
    return store;
}

void BM_OpenWindow(benchmark::State& st) {
    RunStore store = fullStore();
    test::FakeMessages messages;
    for (auto _ : st) {
        AnalysisWindow w(store, messages);
        benchmark::DoNotOptimize(w.grab());
    }
}
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CursorMove(benchmark::State& st) {
    RunStore store = fullStore();
    test::FakeMessages messages;
    AnalysisWindow w(store, messages);
    w.show();
    QApplication::processEvents();
    AnalysisChart& chart = w.chart();
    int x = 100;
    for (auto _ : st) {
        x = x >= chart.width() - 40 ? 100 : x + 3;
        QMouseEvent move(QEvent::MouseMove, QPointF(x, 100), chart.mapToGlobal(QPointF(x, 100)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&chart, &move);
        QApplication::processEvents(); // the chart and the read-out repaint
    }
}
BENCHMARK(BM_CursorMove)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
