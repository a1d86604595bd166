#include "tuning/relay.h"

#include "core/translate.h"
#include "engine/history.h"
#include "engine/modpidfnc.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kestrel::tuning {

namespace {

/// One relay cycle: its start and PV's extremes in it.
struct Cycle {
    double start, high, low;
    double period = 0;
    double amplitude() const { return (high - low) / 2; }
};

bool agree(const Cycle& now, const Cycle& before, double tolerance, double dt) {
    return std::fabs(now.amplitude() - before.amplitude()) <= tolerance * now.amplitude() &&
           std::fabs(now.period - before.period) <= std::max(tolerance * now.period, 1.001 * dt);
}

} // namespace

std::optional<RelayResult> relayTest(const RelaySetup& setup, std::string& error) {
    const Fopdt& m = setup.process;
    const double dt = setup.dt;
    if (!(std::isfinite(dt) && dt > 0)) {
        error = KESTREL_TR("Relay", "制御周期 dt が正の数ではありません。");
        return std::nullopt;
    }
    if (!(std::isfinite(m.K) && m.K != 0 && std::isfinite(m.L) && m.L >= 0 && std::isfinite(m.T) &&
          m.T >= 0)) {
        error = KESTREL_TR("Relay", "プロセスのゲイン K が 0 か、むだ時間 L・時定数 T が負の数です。");
        return std::nullopt;
    }
    if (!(std::isfinite(setup.d) && setup.d > 0 && std::isfinite(setup.hysteresis) && setup.hysteresis >= 0 &&
          std::isfinite(setup.bias) && (!setup.sv || std::isfinite(*setup.sv)))) {
        error = KESTREL_TR("Relay", "リレーの振幅 d は正の数、ヒステリシス ε は 0 以上で指定してください。");
        return std::nullopt;
    }
    const double limit = std::min(setup.timeLimit, 1e6 * dt);
    if (!(limit > 0)) {
        error = KESTREL_TR("Relay", "リレー実験の時間が正の数ではありません。");
        return std::nullopt;
    }
    const double L = std::min(m.L, 199 * dt);
    const double rest = setup.integrating ? setup.sv.value_or(50.0) : m.K * setup.bias,
                 sv = setup.sv.value_or(rest);
    // What enters the dead time at rest: the tank's inflow balances its outflow.
    const double still = setup.integrating ? 0.0 : rest;
    const double sigma = m.K > 0 ? 1.0 : -1.0, eps = setup.hysteresis;
    const int needed = std::max(1, setup.steadyCycles);

    RelayResult r;
    DeadTimeBuffer delay;
    LagHistory lag;
    DeadTime(still, delay, L, dt, true);
    FirstOrderLag(still, lag, m.T, dt, true);
    std::vector<Cycle> cycles;
    double pv = rest;
    int relay = 1, agreeing = 0;
    const auto steps = static_cast<std::size_t>(limit / dt) + 1;
    for (std::size_t k = 0; k < steps; ++k) {
        const double t = static_cast<double>(k) * dt, e = sv - pv;
        const int before = relay;
        if (e > eps)
            relay = 1;
        else if (e < -eps)
            relay = -1;
        const double mv = setup.bias + setup.d * sigma * relay;
        delay[0] = DeadTime(m.K * (setup.integrating ? mv - setup.bias : mv), delay, L, dt, false);
        lag[0] = FirstOrderLag(delay[0], lag, m.T, dt, false);
        pv = setup.integrating ? pv + dt * lag[0] : lag[0];
        lag.shift();
        r.t.push_back(t);
        r.mv.push_back(mv);
        r.pv.push_back(pv);
        if (relay == 1 && before == -1) {
            if (!cycles.empty()) {
                cycles.back().period = t - cycles.back().start;
                if (cycles.size() >= 2)
                    agreeing = agree(cycles.back(), cycles[cycles.size() - 2], setup.tolerance, dt)
                                   ? agreeing + 1
                                   : 0;
                if (agreeing >= needed) {
                    r.steady = true;
                    break;
                }
            }
            cycles.push_back({t, pv, pv});
        } else if (!cycles.empty()) {
            cycles.back().high = std::max(cycles.back().high, pv);
            cycles.back().low = std::min(cycles.back().low, pv);
        }
    }
    if (!cycles.empty() && cycles.back().period == 0)
        cycles.pop_back(); // the cycle the time limit cut off
    if (cycles.size() < 2) {
        error = KESTREL_TR("Relay", "リレー実験で PV が発振しませんでした（時間内の周期が 2 回未満です）。");
        return std::nullopt;
    }
    r.cycles = static_cast<int>(cycles.size());
    const std::size_t used = std::min<std::size_t>(cycles.size(), static_cast<std::size_t>(needed));
    for (std::size_t c = cycles.size() - used; c < cycles.size(); ++c) {
        r.amplitude += cycles[c].amplitude() / static_cast<double>(used);
        r.period += cycles[c].period / static_cast<double>(used);
    }
    if (!(r.amplitude > eps)) {
        error = KESTREL_TR("Relay", "PV の振幅がヒステリシス ε 以下なので、限界ゲインを求められません。");
        return std::nullopt;
    }
    r.Ku = 4 * setup.d / (std::numbers::pi * std::sqrt(r.amplitude * r.amplitude - eps * eps));
    return r;
}

std::optional<UltimatePoint> ultimatePoint(const Fopdt& m, bool integrating) {
    if (!(std::isfinite(m.K) && m.K != 0 && std::isfinite(m.L) && m.L > 0 && std::isfinite(m.T) && m.T >= 0))
        return std::nullopt;
    // ω·L + atan(ω·T) rises from 0 to above the phase left to lose (π, or π/2 after the tank's
    // integrator) on (0, that/L]: bisect.
    const double phase = integrating ? std::numbers::pi / 2 : std::numbers::pi;
    double lo = 0, hi = phase / m.L;
    for (int i = 0; i < 200 && hi - lo > 1e-15 * hi; ++i) {
        const double w = 0.5 * (lo + hi);
        (w * m.L + std::atan(w * m.T) < phase ? lo : hi) = w;
    }
    const double w = 0.5 * (lo + hi);
    const double Ku = std::hypot(1.0, w * m.T) / std::fabs(m.K) * (integrating ? w : 1.0);
    return UltimatePoint{w, Ku, 2 * std::numbers::pi / w};
}

} // namespace kestrel::tuning
