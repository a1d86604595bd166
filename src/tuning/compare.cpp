#include "tuning/compare.h"

#include "core/messageservice.h"
#include "core/translate.h"
#include "core/vbformat.h"
#include "engine/quiethost.h"
#include "engine/runcontrol.h"
#include "engine/simulator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>
#include <tuple>

namespace kestrel::tuning {

namespace {

/// Colours told apart on the charts' black background, one per candidate in turn.
constexpr Rgb kTrialColours[] = {rgb(255, 255, 255), rgb(255, 255, 0),  rgb(255, 0, 255),
                                 rgb(0, 255, 255),   rgb(255, 80, 80),  rgb(255, 160, 0),
                                 rgb(128, 255, 128), rgb(140, 170, 255)};

double wholeSeconds(double t) {
    return std::max(1.0, std::round(t));
}

} // namespace

CompareTest defaultTest(const ParameterSet& inForce, double sv0) {
    CompareTest test;
    test.sv0 = sv0;
    const double theta = std::max(0.0, inForce.Lpl) + std::max(0.0, inForce.Tpl);
    // A tank settles only as fast as the controller makes it: a load is made up through the
    // integral action, whose time is several times θ, and the level moves at the rate Kpl.
    double stretch = inForce.processType() == ProcessType::Integrating
                         ? std::max(40.0 * theta, 5.0 / std::fabs(inForce.Kpl))
                         : 8.0 * theta;
    if (!std::isfinite(stretch) || stretch < 4.0)
        stretch = 4.0;
    // The step, the disturbance and the end must fit in the longest graph time.
    stretch = std::min(stretch, 140.0);
    test.svAt = wholeSeconds(stretch / 20.0);
    test.dvAt = test.svAt + wholeSeconds(stretch);
    const double end = test.dvAt + stretch;
    test.graphTime = static_cast<int>(std::clamp(std::ceil(end / 10.0) * 10.0, 10.0, 300.0));
    return test;
}

ParameterSet trialParameters(const ParameterSet& inForce, const Candidate& c, const CompareTest& test,
                             bool& loadAtInput) {
    ParameterSet p = inForce;
    p.TYPE_SELECT = static_cast<std::int16_t>(c.controller == "P"    ? ControlType::P
                                              : c.controller == "PI" ? ControlType::PI
                                                                     : ControlType::ErrorPID);
    p.Kp = c.Kp;
    p.Ti = c.Ti.value_or(0.0);
    p.Td = c.Td.value_or(0.0);
    p.alpha = p.beta = p.gamma = 1.0;
    p.FB = -1.0;
    p.setMode(Mode::Cascade);

    // A step is a vertical segment: two points at the same time.
    auto program = [](double base, double step, double at, ProgramTexts& values, ProgramTexts& times) {
        const std::string from = shortestText(base), to = shortestText(base + step), when = shortestText(at);
        if (step == 0.0) {
            values = {from, "", "", "", "", "", "", "", ""};
            times = {"0", "", "", "", "", "", "", "", ""};
        } else {
            values = {from, from, to, "", "", "", "", "", ""};
            times = {"0", when, when, "", "", "", "", "", ""};
        }
    };
    program(test.sv0, test.svStep, test.svAt, p.SVv, p.SVt);
    program(0.0, test.dvStep, test.dvAt, p.DVv, p.DVt);

    loadAtInput = test.dvStep != 0.0 && p.Kd == 0.0 && p.Kds == 0.0;
    if (loadAtInput)
        p.Kd = 1.0;
    return p;
}

namespace {

/// The loop's state after a fast run of `p`, hosted without a window.
void runInto(AppState& state, const ParameterSet& p, int graphTime, KeptMessages& messages) {
    state.params = p;
    NullDisplay display;
    QuietRunHost host("100", "0", std::to_string(graphTime));
    DiscardedSettings settings;
    Simulator simulator(state, display, messages);
    RunControl run(state, simulator, host, messages, settings);
    // As the panel opens at SV, then Start in cascade and a fast run to the end.
    run.loadPanel(p.SVv[0], shortestText(p.Kpl));
    state.params = p;
    run.Fast();
}

} // namespace

std::vector<StepSample> runLoop(const ParameterSet& p, int graphTime, std::string& error) {
    AppState state;
    KeptMessages messages;
    runInto(state, p, graphTime, messages);
    error = messages.first();
    return std::move(state.trace.steps);
}

Trial runTrial(const ParameterSet& inForce, const Candidate& c, const CompareTest& test, int index) {
    Trial trial;
    trial.candidate = c;
    AppState state;
    KeptMessages messages;
    runInto(state, trialParameters(inForce, c, test, trial.loadAtInput), test.graphTime, messages);
    trial.run = captureRun(state, 0, c.label);
    trial.run.pens[1] = kTrialColours[static_cast<std::size_t>(index) % std::size(kTrialColours)];
    trial.run.chartClear = trial.run.penClear = KeptRun::kNotDrawn; // never on the panel
    trial.error = messages.first();
    return trial;
}

namespace {

/// A signal of a run as a program of steps: its value at the start, then each change at the time
/// of its step; none when it changes more than four times (nine points hold four steps).
std::optional<std::pair<ProgramTexts, ProgramTexts>> stepProgram(const std::vector<StepSample>& steps,
                                                                 double StepSample::*signal) {
    ProgramTexts values, times;
    values.fill("");
    times.fill("");
    values[0] = shortestText(steps.front().*signal);
    times[0].assign(1, '0'); // not = "0": GCC 12 falsely warns of an overlapping copy when inlined
    std::size_t n = 1;
    for (std::size_t k = 1; k < steps.size(); ++k) {
        if (steps[k].*signal == steps[k - 1].*signal)
            continue;
        if (n + 2 > values.size())
            return std::nullopt;
        values[n] = values[n - 1];
        times[n] = times[n + 1] = shortestText(steps[k].t);
        values[n + 1] = shortestText(steps[k].*signal);
        n += 2;
    }
    return std::pair(values, times);
}

/// A simplex search (Nelder–Mead) for the least of f over (x, y), from (x0, y0) with steps dx, dy.
template <class F>
std::pair<double, double> simplexMin(F&& f, double x0, double y0, double dx, double dy, double& best) {
    struct P {
        double x, y, f;
    };
    std::array<P, 3> s{P{x0, y0, f(x0, y0)}, P{x0 + dx, y0, f(x0 + dx, y0)}, P{x0, y0 + dy, f(x0, y0 + dy)}};
    for (int it = 0; it < 200; ++it) {
        std::sort(s.begin(), s.end(), [](const P& a, const P& b) { return a.f < b.f; });
        // Settled when the values agree or the simplex has shrunk to a point.
        const bool small = std::max(std::fabs(s[1].x - s[0].x), std::fabs(s[2].x - s[0].x)) <=
                               1e-6 * (1 + std::fabs(s[0].x)) &&
                           std::max(std::fabs(s[1].y - s[0].y), std::fabs(s[2].y - s[0].y)) <=
                               1e-6 * (1 + std::fabs(s[0].y));
        if (s[2].f - s[0].f <= 1e-12 * (1 + s[0].f) || small)
            break;
        const double cx = (s[0].x + s[1].x) / 2, cy = (s[0].y + s[1].y) / 2;
        auto at = [&](double t) {
            const double x = cx + t * (s[2].x - cx), y = cy + t * (s[2].y - cy);
            return P{x, y, f(x, y)};
        };
        const P r = at(-1);
        if (r.f < s[0].f) {
            const P e = at(-2);
            s[2] = e.f < r.f ? e : r;
        } else if (r.f < s[1].f) {
            s[2] = r;
        } else {
            const P c = at(r.f < s[2].f ? -0.5 : 0.5);
            if (c.f < std::min(r.f, s[2].f)) {
                s[2] = c;
            } else {
                for (int i = 1; i < 3; ++i)
                    s[i] = P{(s[0].x + s[i].x) / 2, (s[0].y + s[i].y) / 2, 0}, s[i].f = f(s[i].x, s[i].y);
            }
        }
    }
    std::sort(s.begin(), s.end(), [](const P& a, const P& b) { return a.f < b.f; });
    best = s[0].f;
    return {s[0].x, s[0].y};
}

} // namespace

std::optional<ResponseFit> fitClosedLoop(const KeptRun& run, const Fopdt& start, std::string& error) {
    const std::vector<StepSample>& steps = run.steps;
    ParameterSet p = run.params;
    if (steps.size() < 3) {
        error = KESTREL_TR("Compare", "閉ループの当てはめには、全ステップを記録したランが必要です。");
        return std::nullopt;
    }
    if (p.FB == 0.0 || p.mode() == Mode::Manual) {
        error = KESTREL_TR("Compare",
                           "フィードバックを外したランや手動のランは、閉ループの当てはめができません。");
        return std::nullopt;
    }
    if (p.mode() == Mode::Automatic) {
        const auto sv = stepProgram(steps, &StepSample::sv);
        const auto dv = stepProgram(steps, &StepSample::dv);
        if (!sv || !dv) {
            error =
                KESTREL_TR("Compare", "SV や DV が 5 回以上変わるランは、閉ループの当てはめができません。");
            return std::nullopt;
        }
        std::tie(p.SVv, p.SVt) = *sv;
        std::tie(p.DVv, p.DVt) = *dv;
        p.setMode(Mode::Cascade);
    }
    if (!(start.K != 0 && start.T > 0 && start.L >= 0 && run.dt > 0)) {
        error = KESTREL_TR("Compare", "当てはめを始めるモデルがありません。");
        return std::nullopt;
    }

    const double dt = run.dt;
    std::vector<double> fitted;
    auto sse = [&](double K, double L, double T, std::vector<double>* keep) {
        if (!(K != 0 && T > 0 && std::isfinite(K) && std::isfinite(T)))
            return std::numeric_limits<double>::infinity();
        ParameterSet q = p;
        q.Kpl = K, q.Lpl = L, q.Tpl = T;
        std::string failed;
        const std::vector<StepSample> sim = runLoop(q, run.graphTime, failed);
        if (!failed.empty() || sim.size() != steps.size())
            return std::numeric_limits<double>::infinity();
        double sum = 0;
        for (std::size_t k = 0; k < sim.size(); ++k)
            sum += (sim[k].pv - steps[k].pv) * (sim[k].pv - steps[k].pv);
        if (keep) {
            keep->clear();
            for (const StepSample& s : sim)
                keep->push_back(s.pv);
        }
        return sum;
    };

    ResponseFit best;
    double bestSse = std::numeric_limits<double>::infinity();
    // K and T for a dead time of j periods; true when it fits better than the best so far.
    auto tryDeadTime = [&](long j) {
        const double L = static_cast<double>(j) * dt;
        double value = 0;
        const auto [K, T] = simplexMin([&](double k, double t) { return sse(k, L, t, nullptr); }, start.K,
                                       start.T, 0.1 * start.K, 0.2 * start.T, value);
        if (!(value < bestSse))
            return false;
        bestSse = value;
        best.model = Fopdt{K, L, T};
        return true;
    };
    // The dead time is walked from the start's along the periods while the fit improves.
    const long l0 = std::clamp(std::lround(start.L / dt), 0L, 199L);
    tryDeadTime(l0);
    for (const long dir : {-1L, 1L})
        for (long j = l0 + dir; j >= 0 && j <= 199 && tryDeadTime(j); j += dir) {
        }
    if (!std::isfinite(bestSse)) {
        error = KESTREL_TR("Compare", "この閉ループに合うモデルが見つかりませんでした。");
        return std::nullopt;
    }
    sse(best.model.K, best.model.L, best.model.T, &best.fitted);
    best.rms = std::sqrt(bestSse / static_cast<double>(steps.size()));
    return best;
}

std::optional<double> rankValue(const Trial& t, RankBy by) {
    if (!t.error.empty() || t.run.steps.empty())
        return std::nullopt;
    const RunMetrics& m = t.run.metrics;
    switch (by) {
    case RankBy::IAE:
        return m.iae;
    case RankBy::ITAE:
        return m.itae;
    case RankBy::ISE:
        return m.ise;
    case RankBy::Overshoot:
        return m.svStep ? std::optional(m.svStep->overshootPct) : std::nullopt;
    case RankBy::Settling:
        return m.svStep ? m.svStep->settlingTime : std::nullopt;
    case RankBy::DvPeak:
        return m.dvStep ? std::optional(m.dvStep->peakDeviation) : std::nullopt;
    case RankBy::MvTravel:
        return m.mvTravel;
    }
    return std::nullopt;
}

std::vector<std::size_t> rankTrials(const std::vector<Trial>& trials, RankBy by) {
    std::vector<std::size_t> order(trials.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const auto va = rankValue(trials[a], by), vb = rankValue(trials[b], by);
        if (!vb)
            return va.has_value();
        return va && *va < *vb;
    });
    return order;
}

} // namespace kestrel::tuning
