// Cost of the simulation step without drawing, and of the longest fast run.
//
//   build/bench/bench_engine --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

#include "engine/appstate.h"
#include "engine/display.h"
#include "engine/fakes.h"
#include "engine/runcontrol.h"
#include "engine/simulator.h"
#include "setup/controlloop.h"
#include "setup/setupdocument.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <tuple>

using namespace kestrel;

namespace {

/// PI control of a process with dead times of 2 s in the process, the disturbance path and the
/// feedforward, dt 0.1 s, automatic mode, after a bumpless initialisation.
std::unique_ptr<AppState> piLoopWithDeadTimes() {
    auto st = std::make_unique<AppState>();
    auto& p = st->params;
    p.TYPE_SELECT = 1;
    p.CALC_TYPE = 1;
    p.dt = 0.1;
    p.Kp = 1.2;
    p.Ti = 6.0;
    p.Td = 0.0;
    p.Kpl = 1.0;
    p.Tpl = 5.0;
    p.Lpl = 2.0;
    p.Kd = 0.5;
    p.Kds = 1.0;
    p.Tds = 3.0;
    p.Lds = 2.0;
    p.Kf = 1.0;
    p.Tfd = 2.0;
    p.Tfp = 1.0;
    p.Lf = 2.0;
    p.MODE = 1;
    auto& s = st->sim;
    s.SV.set(50.0);
    s.MV.set(50.0);
    s.DV.set(5.0);
    s.InitPending = true;
    return st;
}

void BM_MainCalcLive(benchmark::State& state) {
    auto st = piLoopWithDeadTimes();
    NullDisplay display;
    test::FakeMessages messages;
    Simulator sim(*st, display, messages);
    int k = 0;
    for (auto _ : state) {
        // An SV step now and then keeps every block busy.
        if (++k % 1000 == 0)
            st->sim.SV[0] = st->sim.SV[0] == 50.0 ? 60.0 : 50.0;
        benchmark::DoNotOptimize(sim.MainCalc());
    }
    benchmark::DoNotOptimize(st->sim.PV[0]);
}
BENCHMARK(BM_MainCalcLive);

/// A recording run of the PI loop with dead times, `options` applied to its parameters.
template <class Options> void recordingRun(benchmark::State& state, Options options) {
    auto st = piLoopWithDeadTimes();
    options(st->params);
    NullDisplay display;
    test::FakeMessages messages;
    Simulator sim(*st, display, messages);
    st->sim.Running = true;
    st->sim.DecimationRatio = 2; // as Param_set gives for a graph time of 50 s at dt 0.1 s
    for (auto _ : state) {
        // A run ends at its graph time and the next Start empties the step trace.
        if (st->sim.SimTime > 300.0) {
            st->sim.SimTime = 0.0;
            st->trace.restart(st->params.dt, 3002);
        }
        benchmark::DoNotOptimize(sim.MainCalc());
    }
    benchmark::DoNotOptimize(st->sim.PV[0]);
}

void BM_MainCalcRecording(benchmark::State& state) {
    recordingRun(state, [](ParameterSet&) {});
}
BENCHMARK(BM_MainCalcRecording);

/// The same recording run with everything that makes a real loop misbehave: measurement noise
/// and the sensor filter, every valve stage, the second-order process.
void BM_MainCalcRecordingEveryOption(benchmark::State& state) {
    recordingRun(state, [](ParameterSet& p) {
        std::tie(p.PV_NOISE, p.PV_FILTER, p.VALVE_DB, p.VALVE_BL) = std::tuple(0.5, 0.3, 0.1, 0.2);
        std::tie(p.STICK_S, p.STICK_J, p.VALVE_T, p.PROC_TYPE, p.Tpl2) = std::tuple(1.0, 0.5, 0.5, 1, 2.0);
    });
}
BENCHMARK(BM_MainCalcRecordingEveryOption);

/// The same recording run under cascade control: the two-part process and a PID secondary in the
/// velocity form, with its limits.
void BM_MainCalcRecordingCascade(benchmark::State& state) {
    recordingRun(state, [](ParameterSet& p) {
        std::tie(p.LOOP, p.TYPE2, p.CALC2, p.Kp2, p.Ti2, p.Td2) = std::tuple(1, 2, 1, 2.0, 2.0, 0.5);
        std::tie(p.Kin, p.Tin, p.Lin, p.Kdin, p.Tdin) = std::tuple(1.0, 2.0, 0.5, 1.0, 1.0);
    });
}
BENCHMARK(BM_MainCalcRecordingCascade);

/// A settled PID loop left running: 300 s of simulated time at dt 0.1 s, in time per step, after
/// 600 s in which it settled from an SV step. Its D term has decayed towards 0; without the flush
/// in the blocks it would stay among the subnormal numbers, whose arithmetic costs many times the
/// normal, for the rest of the run.
void BM_LongSettledRun(benchmark::State& state) {
    constexpr int kSteps = 3000;
    auto st = piLoopWithDeadTimes();
    auto& p = st->params;
    p.TYPE_SELECT = 2;
    p.Td = 1.0;
    p.Kd = p.Kds = p.Kf = 0.0;
    st->sim.DV.set(0.0);
    NullDisplay display;
    test::FakeMessages messages;
    Simulator sim(*st, display, messages);
    sim.MainCalc();
    st->sim.SV[0] = 60.0;
    for (int k = 0; k < 2 * kSteps; ++k)
        sim.MainCalc();
    for (auto _ : state) {
        for (int k = 0; k < kSteps; ++k)
            benchmark::DoNotOptimize(sim.MainCalc());
    }
    benchmark::DoNotOptimize(st->sim.D[0]);
    state.counters["D"] = st->sim.D[0];
    // Seconds per step, shown with its SI prefix (n for ns).
    state.counters["per_step"] = benchmark::Counter(kSteps, benchmark::Counter::kIsIterationInvariantRate |
                                                                benchmark::Counter::kInvert);
}
BENCHMARK(BM_LongSettledRun)->Unit(benchmark::kMillisecond);

/// The longest record: graph time 300 s at dt 20 ms, 15,000 steps back to back.
void BM_LongestFastRun(benchmark::State& state) {
    auto st = piLoopWithDeadTimes();
    st->params.dt = 0.02;
    st->chart.GraphTime = 300;
    NullDisplay display;
    test::FakeMessages messages;
    test::FakeHost host;
    host.texts[PanelText::TM] = "300";
    // The fast run reads and writes no file: the document only holds the loop's registration.
    SetupDocument document(*st, messages, ".");
    ControlLoop loop(*st, messages, document, display, host, ControlLoop::Settings::Discarded);
    RunControl& run = loop.run();
    run.Param_set();
    for (auto _ : state) {
        run.Fast();
        benchmark::DoNotOptimize(st->rec.SampleTime[500]);
    }
    state.counters["steps"] = static_cast<double>(15001);
}
BENCHMARK(BM_LongestFastRun)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
