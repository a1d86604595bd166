#include "tuning/identify.h"

#include "core/runtimeerror.h"
#include "core/translate.h"
#include "core/vbformat.h"
#include "engine/history.h"
#include "engine/modpidfnc.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace kestrel::tuning {

namespace {

/// The longest dead time the register holds, in control periods.
constexpr int kMaxDelaySteps = 199;
/// A least-squares fit simulates the response many times: beyond this many control steps it is
/// left out (the other two methods still answer).
constexpr std::size_t kMaxFitSteps = 2'000'000;

/// PV's deviation for a deviation of MV `u` per step: dead time, then the lag, from rest.
void respond(const std::vector<double>& u, double K, double L, double T, double dt,
             std::vector<double>& out) {
    DeadTimeBuffer delay;
    LagHistory lag;
    DeadTime(0.0, delay, L, dt, true);
    FirstOrderLag(0.0, lag, T, dt, true);
    out.resize(u.size());
    for (std::size_t k = 0; k < u.size(); ++k) {
        delay[0] = DeadTime(K * u[k], delay, L, dt, false);
        lag[0] = FirstOrderLag(delay[0], lag, T, dt, false);
        out[k] = lag[0];
        lag.shift();
    }
}

bool allFinite(const Fopdt& m) {
    return std::isfinite(m.K) && std::isfinite(m.L) && std::isfinite(m.T);
}

/// Brent's minimisation of f on [a, b] (golden sections with parabolic steps), to a relative
/// tolerance `tol` of the abscissa. Returns the abscissa; `fmin` receives f there.
template <class F> double brentMin(F&& f, double a, double b, double tol, double& fmin) {
    constexpr double kGold = 0.3819660112501051;
    double x = a + kGold * (b - a), w = x, v = x;
    double fx = f(x), fw = fx, fv = fx;
    double d = 0.0, e = 0.0;
    for (int iter = 0; iter < 200; ++iter) {
        const double xm = 0.5 * (a + b);
        const double tol1 = tol * std::fabs(x) + 1e-12, tol2 = 2.0 * tol1;
        if (std::fabs(x - xm) <= tol2 - 0.5 * (b - a))
            break;
        bool golden = true;
        if (std::fabs(e) > tol1) {
            double r = (x - w) * (fx - fv), q = (x - v) * (fx - fw), p = (x - v) * q - (x - w) * r;
            q = 2.0 * (q - r);
            if (q > 0.0)
                p = -p;
            q = std::fabs(q);
            const double previous = e;
            e = d;
            if (std::fabs(p) < std::fabs(0.5 * q * previous) && p > q * (a - x) && p < q * (b - x)) {
                d = p / q;
                const double u = x + d;
                if (u - a < tol2 || b - u < tol2)
                    d = std::copysign(tol1, xm - x);
                golden = false;
            }
        }
        if (golden) {
            e = x >= xm ? a - x : b - x;
            d = kGold * e;
        }
        const double u = std::fabs(d) >= tol1 ? x + d : x + std::copysign(tol1, d);
        const double fu = f(u);
        if (fu <= fx) {
            (u >= x ? a : b) = x;
            v = w, fv = fw;
            w = x, fw = fx;
            x = u, fx = fu;
        } else {
            (u < x ? a : b) = u;
            if (fu <= fw || w == x) {
                v = w, fv = fw;
                w = u, fw = fu;
            } else if (fu <= fv || v == x || v == w) {
                v = u, fv = fu;
            }
        }
    }
    fmin = fx;
    return x;
}

/// The squared PV error of a model at the samples `first`..end, simulated on the grid of control
/// steps from the sample `first`.
struct Fit {
    const std::vector<double>& pv;
    std::size_t first;
    double dt, pv0;
    std::vector<double> u;        ///< MV's deviation at each grid step, as the samples hold it
    std::vector<std::size_t> at;  ///< the grid step of each sample from `first`
    std::vector<double> response; ///< scratch: the unit model's response
    double K = 0;                 ///< the gain of the last evaluation

    /// Squared error with the best gain for dead time `delay` steps and time constant T.
    double sse(int delay, double T) {
        respond(u, 1.0, delay * dt, T, dt, response);
        double uu = 0, ue = 0, ee = 0;
        for (std::size_t s = first; s < pv.size(); ++s) {
            const double r = response[at[s - first]], e = pv[s] - pv0;
            uu += r * r;
            ue += r * e;
            ee += e * e;
        }
        K = uu > 0 ? ue / uu : 0.0;
        double sum = 0;
        for (std::size_t s = first; s < pv.size(); ++s) {
            const double e = pv[s] - pv0 - K * response[at[s - first]];
            sum += e * e;
        }
        return uu > 0 ? sum : ee;
    }

    /// Squared error with the best gain for `response` delayed by `delay` steps.
    double delayedSse(int delay) const {
        double uu = 0, ue = 0, ee = 0;
        auto r = [&](std::size_t s) {
            const std::size_t g = at[s - first];
            return g >= static_cast<std::size_t>(delay) ? response[g - delay] : 0.0;
        };
        for (std::size_t s = first; s < pv.size(); ++s) {
            const double e = pv[s] - pv0;
            uu += r(s) * r(s);
            ue += r(s) * e;
            ee += e * e;
        }
        return uu > 0 ? ee - ue * ue / uu : ee;
    }

    struct Best {
        double sse, T, K;
    };
    /// The best time constant for a dead time of `delay` steps, from a bracket [0, hi] widened
    /// while the minimum sits at its upper end.
    Best bestT(int delay, double hi, double tol = 1e-10) {
        double f = 0, T = 0;
        for (int widen = 0; widen < 8; ++widen, hi *= 4) {
            T = brentMin([&](double x) { return sse(delay, x); }, 0.0, hi, tol, f);
            if (T < 0.99 * hi)
                break;
        }
        sse(delay, T);
        return {f, T, K};
    }
};

/// Sizes, finite values, increasing times and a positive control period; `error` says which not.
bool usable(const std::vector<double>& t, const std::vector<double>& mv, const std::vector<double>& pv,
            double dt, std::string& error) {
    const std::size_t n = t.size();
    if (mv.size() != n || pv.size() != n) {
        error = KESTREL_TR("Identify", "時刻、MV、PV のデータの数がそろっていません。");
        return false;
    }
    if (n < 3) {
        error = KESTREL_TR("Identify", "データが少なすぎます（3 点以上必要です）。");
        return false;
    }
    if (!(std::isfinite(dt) && dt > 0)) {
        error = KESTREL_TR("Identify", "制御周期 dt が正の数ではありません。");
        return false;
    }
    for (std::size_t k = 0; k < n; ++k) {
        if (!std::isfinite(t[k]) || !std::isfinite(mv[k]) || !std::isfinite(pv[k])) {
            error = trArgs(KESTREL_TR("Identify", "数値でない値があります（%1 点目）。"),
                           {std::to_string(k + 1)});
            return false;
        }
        if (k > 0 && !(t[k] > t[k - 1])) {
            error =
                trArgs(KESTREL_TR("Identify", "時刻が増えていません（%1 点目）。"), {std::to_string(k + 1)});
            return false;
        }
    }
    return true;
}

/// The least-squares fit over the samples `first`..end on the grid of control steps from
/// t[first], MV held as the samples show it, the loop at rest there. The dead time is looked
/// for from `guess` (none: from the best of a coarse scan); `shift` is added to the model's.
std::optional<ResponseFit> leastSquares(const std::vector<double>& t, const std::vector<double>& mv,
                                        const std::vector<double>& pv, std::size_t first, double dt,
                                        double shift, const Fopdt* guess) {
    const std::size_t n = t.size();
    const double span = t.back() - t[first];
    if (span / dt + 1 > static_cast<double>(kMaxFitSteps))
        return std::nullopt;
    Fit fit{pv, first, dt, pv[first], {}, {}, {}};
    fit.u.assign(static_cast<std::size_t>(std::llround(span / dt)) + 1, 0.0);
    fit.at.resize(n - first);
    for (std::size_t s = first; s < n; ++s)
        fit.at[s - first] = std::min<std::size_t>(std::llround((t[s] - t[first]) / dt), fit.u.size() - 1);
    for (std::size_t s = first; s < n; ++s) {
        const std::size_t end = s + 1 < n ? fit.at[s + 1 - first] : fit.u.size();
        for (std::size_t g = fit.at[s - first]; g < end; ++g)
            fit.u[g] = mv[s] - mv[first];
    }
    double hi = 4 * std::max(guess ? guess->T : span / 4, dt) + 10 * dt;
    std::map<int, Fit::Best> tried;
    auto bestFor = [&](int delay) -> const Fit::Best& {
        auto found = tried.find(delay);
        if (found == tried.end())
            found = tried.emplace(delay, fit.bestT(delay, hi)).first;
        return found->second;
    };
    try {
        int delay = 0;
        if (guess) {
            delay = std::clamp(static_cast<int>(std::lround((guess->L - shift) / dt)), 0, kMaxDelaySteps);
        } else {
            // A coarse scan over time constants dt·2^j and every 10th dead time. The dead time
            // only shifts the response (its register copies the input), so one response without
            // it serves every dead time.
            double least = -1;
            for (double T = dt; T <= 4 * span + dt; T *= 2) {
                respond(fit.u, 1.0, 0.0, T, dt, fit.response);
                for (int d = 0; d <= kMaxDelaySteps; d += 10) {
                    const double sse = fit.delayedSse(d);
                    if (least < 0 || sse < least)
                        least = sse, delay = d, hi = 4 * T + 10 * dt;
                }
            }
        }
        // The squared error falls towards the best dead time from either side: walk to it.
        const int direction = delay < kMaxDelaySteps && bestFor(delay + 1).sse < bestFor(delay).sse ? 1 : -1;
        while (delay + direction >= 0 && delay + direction <= kMaxDelaySteps &&
               bestFor(delay + direction).sse < bestFor(delay).sse)
            delay += direction;
        const Fit::Best best = bestFor(delay);
        ResponseFit result{
            {best.K, delay * dt + shift, best.T}, std::sqrt(best.sse / static_cast<double>(n - first)), {}};
        if (!allFinite(result.model) || !std::isfinite(result.rms))
            return std::nullopt;
        fit.sse(delay, best.T);
        result.fitted.resize(n - first);
        for (std::size_t s = first; s < n; ++s)
            result.fitted[s - first] = pv[first] + best.K * fit.response[fit.at[s - first]];
        return result;
    } catch (const RuntimeError&) {
        return std::nullopt; // a trial model whose response overflowed
    }
}

std::optional<Fopdt> tangentMethod(const std::vector<double>& t, const std::vector<double>& pv,
                                   std::size_t from, Identification& id) {
    const double sign = id.pvChange > 0 ? 1.0 : -1.0;
    std::size_t j = from;
    double steepest = 0;
    for (std::size_t k = from; k + 1 < pv.size(); ++k) {
        const double slope = (pv[k + 1] - pv[k]) / (t[k + 1] - t[k]);
        if (slope * sign > steepest * sign)
            steepest = slope, j = k;
    }
    if (steepest * sign <= 0)
        return std::nullopt;
    auto& c = id.tangentLine;
    c.tSteep = 0.5 * (t[j] + t[j + 1]);
    c.pvSteep = 0.5 * (pv[j] + pv[j + 1]);
    c.slope = steepest;
    c.tL = c.tSteep - (c.pvSteep - c.pv0) / steepest;
    c.tT = c.tSteep + (c.pvF - c.pvSteep) / steepest;
    // A tangent leaving before the step (no dead time, coarse samples) is read as no dead time.
    const double L = std::max(0.0, c.tL - c.t0);
    return Fopdt{id.pvChange / id.mvChange, L, c.tT - c.t0 - L};
}

/// Where PV first reaches `fraction` of its change after sample `from`, linear between samples.
std::optional<double> reach(const std::vector<double>& t, const std::vector<double>& pv, std::size_t from,
                            double pv0, double change, double fraction) {
    for (std::size_t k = from + 1; k < pv.size(); ++k) {
        const double now = (pv[k] - pv0) / change;
        if (now >= fraction) {
            const double before = (pv[k - 1] - pv0) / change;
            return t[k - 1] + (t[k] - t[k - 1]) * (fraction - before) / (now - before);
        }
    }
    return std::nullopt;
}

} // namespace

std::vector<double> simulateFopdt(const Fopdt& m, const std::vector<double>& mv, double pv0, double mv0,
                                  double dt) {
    std::vector<double> u(mv.size()), out;
    for (std::size_t k = 0; k < mv.size(); ++k)
        u[k] = mv[k] - mv0;
    respond(u, m.K, std::clamp(m.L, 0.0, kMaxDelaySteps * dt), m.T, dt, out);
    for (double& y : out)
        y += pv0;
    return out;
}

std::optional<Identification> identify(const std::vector<double>& t, const std::vector<double>& mv,
                                       const std::vector<double>& pv, double dt, std::string& error) {
    if (!usable(t, mv, pv, dt, error))
        return std::nullopt;
    const std::size_t n = t.size();
    std::size_t i = 1;
    double scale = 0;
    for (std::size_t k = 1; k < n; ++k) {
        scale = std::max({scale, std::fabs(mv[k]), std::fabs(mv[k - 1])});
        if (std::fabs(mv[k] - mv[k - 1]) > std::fabs(mv[i] - mv[i - 1]))
            i = k;
    }
    if (std::fabs(mv[i] - mv[i - 1]) <= 1e-9 * (1.0 + scale)) {
        error = KESTREL_TR("Identify", "MV がステップ状に変わっていないので、ステップ応答を調べられません。");
        return std::nullopt;
    }
    if (i + 1 >= n) {
        error = KESTREL_TR("Identify", "MV のステップのあとの応答が記録されていません。");
        return std::nullopt;
    }
    Identification id;
    const std::size_t before = i - 1;
    const double pv0 = pv[before], pvF = pv.back();
    id.stepTime = t[i] - std::max(0.0, t[i] - t[before] - dt) / 2;
    id.mvChange = mv[i] - mv[before];
    id.pvChange = pvF - pv0;
    if (std::fabs(id.pvChange) <= 1e-9 * (1.0 + std::fabs(pv0) + std::fabs(pvF))) {
        error = KESTREL_TR("Identify",
                           "MV のステップのあと PV が動いていないので、ステップ応答を調べられません。");
        return std::nullopt;
    }
    id.tangentLine.t0 = id.stepTime;
    id.tangentLine.pv0 = pv0;
    id.tangentLine.pvF = pvF;
    id.tangent = tangentMethod(t, pv, before, id);
    const double K = id.pvChange / id.mvChange;
    const auto t28 = reach(t, pv, before, pv0, id.pvChange, 0.283);
    const auto t63 = reach(t, pv, before, pv0, id.pvChange, 0.632);
    if (t28 && t63) {
        const double T = 1.5 * (*t63 - *t28);
        id.twoPoint = Fopdt{K, std::max(0.0, *t63 - id.stepTime - T), T};
    }
    for (auto* m : {&id.tangent, &id.twoPoint})
        if (*m && !allFinite(**m))
            m->reset();

    const double shift = t[i] - id.stepTime;
    const std::optional<Fopdt> guess = id.twoPoint ? id.twoPoint : id.tangent;
    // The tangent and the two points read a step response: where MV moves on after its step (a
    // closed loop), they are only the fit's first guess, not results.
    const double held = 0.01 * std::fabs(id.mvChange);
    for (std::size_t k = i; k < mv.size(); ++k)
        if (std::fabs(mv[k] - mv[i]) > held) {
            id.tangent.reset();
            id.twoPoint.reset();
            break;
        }
    if (auto fit = leastSquares(t, mv, pv, before, dt, shift, guess ? &*guess : nullptr)) {
        id.leastSquares = fit->model;
        id.rms = fit->rms;
        id.fitted = std::move(fit->fitted);
        id.fittedFrom = before;
    }
    return id;
}

namespace {

/// A signal at every step of a run: the loop's from its step trace, the inner loop's from its
/// inner trace; none for a signal the traces do not hold.
std::optional<double> stepValue(const KeptRun& run, Channel c, std::size_t k) {
    const StepSample& s = run.steps[k];
    const bool inner = run.inner.size() == run.steps.size();
    switch (c) {
    case Channel::SV:
        return s.sv;
    case Channel::PV:
        return s.pv;
    case Channel::MV:
        return s.mv;
    case Channel::DV:
        return s.dv;
    case Channel::SV2:
        return inner ? std::optional(run.inner[k].sv2) : std::nullopt;
    case Channel::PV2:
        return inner ? std::optional(run.inner[k].pv2) : std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace

void runSeries(const KeptRun& run, std::vector<double>& t, std::vector<double>& mv, std::vector<double>& pv,
               Signals pair) {
    const bool everyStep =
        !run.steps.empty() && stepValue(run, pair.input, 0) && stepValue(run, pair.output, 0);
    if (everyStep) {
        for (std::size_t k = 0; k < run.steps.size(); ++k) {
            t.push_back(run.steps[k].t);
            mv.push_back(*stepValue(run, pair.input, k));
            pv.push_back(*stepValue(run, pair.output, k));
        }
    } else {
        t = run.time;
        mv = run.values[static_cast<int>(pair.input)];
        pv = run.values[static_cast<int>(pair.output)];
    }
}

bool hasSignals(const KeptRun& run, Signals pair, std::string& error) {
    for (const Channel c : {pair.input, pair.output})
        if (!channelInUse(run, c) || run.values[static_cast<int>(c)].size() != run.samples()) {
            error = trArgs(KESTREL_TR("Identify", "このランには %1 の記録がありません。"), {channelName(c)});
            return false;
        }
    return true;
}

std::optional<Identification> identify(const KeptRun& run, std::string& error, Signals pair) {
    if (!hasSignals(run, pair, error))
        return std::nullopt;
    std::vector<double> t, mv, pv;
    runSeries(run, t, mv, pv, pair);
    return identify(t, mv, pv, run.dt, error);
}

std::optional<ResponseFit> fitResponse(const KeptRun& run, std::string& error) {
    std::vector<double> t, mv, pv;
    for (const StepSample& s : run.steps) {
        if (s.dv != run.steps.front().dv) {
            error = KESTREL_TR("Identify", "DV が変わるランには、プロセスのモデルを当てはめられません。");
            return std::nullopt;
        }
        if (!t.empty() && s.t - t.back() > 1.5 * run.dt) {
            error = KESTREL_TR("Identify",
                               "すべてのステップが記録されたランでないと、モデルを当てはめられません。");
            return std::nullopt;
        }
        t.push_back(s.t);
        mv.push_back(s.mv);
        pv.push_back(s.pv);
    }
    if (!usable(t, mv, pv, run.dt, error))
        return std::nullopt;
    const auto [mvLow, mvHigh] = std::minmax_element(mv.begin(), mv.end());
    const auto [pvLow, pvHigh] = std::minmax_element(pv.begin(), pv.end());
    if (*mvHigh - *mvLow <= 1e-9 * (1 + std::fabs(*mvHigh)) ||
        *pvHigh - *pvLow <= 1e-9 * (1 + std::fabs(*pvHigh))) {
        error = KESTREL_TR("Identify", "MV か PV が動いていないので、プロセスのモデルを当てはめられません。");
        return std::nullopt;
    }
    auto fit = leastSquares(t, mv, pv, 0, run.dt, 0.0, nullptr);
    if (!fit)
        error = KESTREL_TR("Identify", "プロセスのモデルを当てはめられませんでした。");
    return fit;
}

void writeIdentificationJson(std::ostream& out, const Identification& id) {
    auto model = [&](const char* name, const std::optional<Fopdt>& m, bool withRms) {
        out << '"' << name << "\":";
        if (!m) {
            out << "null";
            return;
        }
        out << "{\"K\":" << shortestText(m->K) << ",\"L\":" << shortestText(m->L)
            << ",\"T\":" << shortestText(m->T);
        if (withRms)
            out << ",\"rms\":" << shortestText(id.rms);
        out << '}';
    };
    out << '{';
    model("tangent", id.tangent, false);
    out << ',';
    model("two_point", id.twoPoint, false);
    out << ',';
    model("least_squares", id.leastSquares, true);
    out << '}';
}

} // namespace kestrel::tuning
