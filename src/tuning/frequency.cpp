#include "tuning/frequency.h"

#include "core/translate.h"
#include "engine/modpidfnc.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace kestrel::tuning {

namespace {

using cd = std::complex<double>;
constexpr double pi = std::numbers::pi;

bool hasI(const Loop& l) {
    return l.type >= 1 && l.Ti > 0.0;
}
bool hasD(const Loop& l) {
    return l.type >= 2 && l.Td > 0.0;
}

/// C(jω)/Kp: its real part is at least 1, so its argument stays within (−90°, 90°).
cd controllerShape(const Loop& l, double w) {
    cd c = 1.0;
    if (hasI(l))
        c += 1.0 / cd(0.0, w * l.Ti);
    if (hasD(l))
        c += cd(0.0, w * l.Td) / cd(1.0, w * l.eta * l.Td);
    return c;
}

/// The same for the controller's blocks at z = e^(jωdt): the integrator adds
/// (dt/Ti)/(1 − z⁻¹) (real part dt/(2Ti)), the derivative Td(1 − z⁻¹)/((ηTd + dt) − ηTd·z⁻¹)
/// (real part not negative), so the argument stays within (−90°, 90°) here too.
cd sampledControllerShape(const Loop& l, double w, double dt) {
    const cd zInv = std::polar(1.0, -w * dt);
    cd c = 1.0;
    if (hasI(l))
        c += dt / l.Ti / (1.0 - zInv);
    if (hasD(l))
        c += l.Td * (1.0 - zInv) / ((l.eta * l.Td + dt) - l.eta * l.Td * zInv);
    return c;
}

/// The process's lags in the order the signal passes them: T, T2, then the valve and the sensor.
std::array<double, 4> lagTimes(const Loop& l) {
    return {l.T, l.T2, l.Tv, l.Tf};
}

/// `c` through the process's lags and a tank's 1/(jω) (the dead time left out).
cd throughProcess(cd c, const Loop& l, double w) {
    for (const double tau : lagTimes(l))
        if (tau > 0.0)
            c /= cd(1.0, w * tau);
    if (l.integrating)
        c /= cd(0.0, w);
    return c;
}

/// Its unwrapped phase with the dead time's.
double processPhase(const Loop& l, double w) {
    double phase = -w * l.L - (l.integrating ? pi / 2 : 0.0);
    for (const double tau : lagTimes(l))
        phase -= std::atan(w * tau);
    return phase;
}

/// A lag's block at z = e^(jωdt), (dt/(τ + dt))/(1 − τ/(τ + dt)·z⁻¹); 1 for τ = 0. Its argument
/// lies in (−90°, 0].
cd sampledLag(double tau, double w, double dt) {
    if (tau <= 0.0)
        return 1.0;
    return dt / (tau + dt) / (1.0 - tau / (tau + dt) * std::polar(1.0, -w * dt));
}

/// The process's blocks at z = e^(jωdt) without the dead-time register, each with its argument:
/// the lags, and a tank's sum dt/(1 − z⁻¹) (argument −90° + ωdt/2).
cd sampledProcessShape(const Loop& l, double w, double dt, double& phase) {
    cd p = 1.0;
    phase = 0.0;
    auto take = [&](cd block) {
        p *= block;
        phase += std::arg(block);
    };
    for (const double tau : lagTimes(l))
        take(sampledLag(tau, w, dt));
    if (l.integrating)
        take(dt / (1.0 - std::polar(1.0, -w * dt)));
    return p;
}

/// Steps of delay around the sampled loop: the dead-time register's n − 1 steps, and one more
/// because the controller reads the PV of the step before.
int sampledDelaySteps(const Loop& l, double dt) {
    const int registerDelay = (l.L / dt + 1.0 >= 200.0 ? 200 : deadTimeSlot(l.L, dt)) - 1;
    return registerDelay + 1;
}

/// The search range: four decades beyond the slowest and the fastest time of the loop.
std::pair<double, double> searchRange(const Loop& l, double dt) {
    double lo = 0.0, hi = 0.0;
    auto take = [&](double tau) {
        if (tau > 0.0) {
            lo = lo == 0.0 ? tau : std::min(lo, tau);
            hi = std::max(hi, tau);
        }
    };
    take(l.L);
    for (const double tau : lagTimes(l))
        take(tau);
    take(dt);
    if (hasI(l))
        take(l.Ti);
    if (hasD(l)) {
        take(l.Td);
        take(l.eta * l.Td);
    }
    if (hi == 0.0)
        return {1e-4, 1e4};
    return {1e-4 / hi, 1e4 / lo};
}

constexpr int kPerDecade = 200;

std::vector<double> logSpace(double lo, double hi, int count) {
    std::vector<double> w(static_cast<std::size_t>(count));
    const double a = std::log10(lo), b = std::log10(hi);
    for (int i = 0; i < count; ++i)
        w[static_cast<std::size_t>(i)] = std::pow(10.0, count == 1 ? a : a + (b - a) * i / (count - 1));
    w.front() = lo;
    w.back() = hi;
    return w;
}

std::vector<double> searchGrid(const Loop& l, double dt) {
    auto [lo, hi] = searchRange(l, dt);
    if (dt > 0.0)
        hi = pi / dt; // the sampled loop's response repeats beyond the Nyquist frequency
    return logSpace(lo, hi, static_cast<int>(std::ceil(std::log10(hi / lo) * kPerDecade)) + 1);
}

/// The first ω where f changes sign between neighbours of the grid.
template <class F> std::optional<double> firstRoot(const std::vector<double>& grid, F f) {
    double prev = f(grid[0]);
    for (std::size_t i = 1; i < grid.size(); ++i) {
        const double cur = f(grid[i]);
        if (std::abs(cur) < 1e-12) // e.g. the sampled loop's phase at π/dt, −180° to rounding
            return grid[i];
        if ((prev < 0.0) != (cur < 0.0) && prev != 0.0) {
            // Bisection down to neighbouring doubles; the better of the two is the root.
            double a = grid[i - 1], b = grid[i], fa = prev, fb = cur;
            for (double m = a + (b - a) / 2; m > a && m < b; m = a + (b - a) / 2) {
                const double fm = f(m);
                if (fm == 0.0)
                    return m;
                if ((fm < 0.0) == (fa < 0.0))
                    a = m, fa = fm;
                else
                    b = m, fb = fm;
            }
            return std::abs(fa) <= std::abs(fb) ? a : b;
        }
        prev = cur;
    }
    return std::nullopt;
}

} // namespace

std::string loopError(const Loop& l) {
    if (l.type < 0 || l.type > 5)
        return KESTREL_TR("Frequency", "制御形式は 0（Ｐ）から 5（２自由度ＰＩＤ）で指定してください。");
    for (double v : {l.Kp, l.Ti, l.Td, l.eta, l.K, l.L, l.T, l.T2, l.Tv, l.Tf})
        if (!std::isfinite(v))
            return KESTREL_TR("Frequency", "ループの値には有限の数値を指定してください。");
    if (l.Kp * l.K <= 0.0)
        return KESTREL_TR("Frequency",
                          "Kp と K の積が正でないループ（正帰還または開ループ）は解析できません。");
    if (l.T < 0.0 || l.L < 0.0 || l.Ti < 0.0 || l.Td < 0.0 || l.eta < 0.0)
        return KESTREL_TR("Frequency", "T、L、Ti、Td、η は 0 以上にしてください。");
    if (l.T2 < 0.0 || l.Tv < 0.0 || l.Tf < 0.0)
        return KESTREL_TR("Frequency", "Tpl2、バルブ遅れ Tv、センサフィルタ Tf は 0 以上にしてください。");
    return {};
}

std::complex<double> loopResponse(const Loop& l, double w, double dt) {
    if (dt > 0.0) {
        double phase = 0.0;
        return l.Kp * l.K * sampledControllerShape(l, w, dt) * sampledProcessShape(l, w, dt, phase) *
               std::polar(1.0, -w * dt * sampledDelaySteps(l, dt));
    }
    return throughProcess(l.Kp * l.K * controllerShape(l, w), l, w) * std::polar(1.0, -w * l.L);
}

double loopPhase(const Loop& l, double w, double dt) {
    if (dt > 0.0) {
        double phase = 0.0;
        sampledProcessShape(l, w, dt, phase);
        return std::arg(sampledControllerShape(l, w, dt)) + phase - w * dt * sampledDelaySteps(l, dt);
    }
    return std::arg(controllerShape(l, w)) + processPhase(l, w);
}

std::complex<double> processResponse(const Loop& l, double w) {
    return throughProcess(l.K, l, w) * std::polar(1.0, -w * l.L);
}

Margins loopMargins(const Loop& l, double dt) {
    Margins m;
    const std::vector<double> grid = searchGrid(l, dt);
    m.wgc = firstRoot(grid, [&](double w) { return std::log(std::abs(loopResponse(l, w, dt))); });
    if (m.wgc)
        m.phaseMarginDeg = 180.0 + loopPhase(l, *m.wgc, dt) * 180.0 / pi;
    m.wpc = firstRoot(grid, [&](double w) { return loopPhase(l, w, dt) + pi; });
    if (m.wpc)
        m.gainMargin = 1.0 / std::abs(loopResponse(l, *m.wpc, dt));

    auto dist = [&](double w) { return std::abs(1.0 + loopResponse(l, w, dt)); };
    std::size_t best = 0;
    double bestDist = dist(grid[0]);
    for (std::size_t i = 1; i < grid.size(); ++i)
        if (double d = dist(grid[i]); d < bestDist)
            bestDist = d, best = i;
    // Golden-section search between the grid neighbours of the closest approach to −1.
    double a = std::log(grid[best == 0 ? 0 : best - 1]),
           b = std::log(grid[std::min(best + 1, grid.size() - 1)]);
    const double g = (std::sqrt(5.0) - 1.0) / 2.0;
    for (int k = 0; k < 80 && b - a > 1e-13; ++k) {
        const double x1 = b - g * (b - a), x2 = a + g * (b - a);
        if (dist(std::exp(x1)) < dist(std::exp(x2)))
            b = x2;
        else
            a = x1;
    }
    bestDist = std::min(bestDist, dist(std::exp(0.5 * (a + b))));
    // Where L(jω) dies away at high frequency (more lags and integrators than an ideal D has
    // differences), 1/|1 + L| tends to 1 there: Ms is at least 1.
    int rollOff = l.integrating ? 1 : 0;
    for (const double tau : lagTimes(l))
        rollOff += tau > 0.0 ? 1 : 0;
    if (dt == 0.0 && rollOff > (hasD(l) && l.eta == 0.0 ? 1 : 0))
        bestDist = std::min(bestDist, 1.0);
    if (bestDist > 1e-12)
        m.Ms = 1.0 / bestDist;
    return m;
}

std::vector<double> chartFrequencies(const Loop& l, int count) {
    const Margins m = loopMargins(l);
    double centre = m.wgc ? *m.wgc : m.wpc ? *m.wpc : 0.0;
    if (centre == 0.0) {
        const double slowest = std::max({l.T, l.T2, l.Tv, l.Tf, l.L, hasI(l) ? l.Ti : 0.0});
        centre = slowest > 0.0 ? 1.0 / slowest : 1.0;
    }
    return logSpace(centre * 1e-3, centre * 1e2, std::max(count, 2));
}

std::vector<BodePoint> bodeData(const Loop& l, const std::vector<double>& w, double dt) {
    std::vector<BodePoint> out;
    out.reserve(w.size());
    for (double x : w)
        if (dt <= 0.0 || x <= pi / dt)
            out.push_back(
                {x, 20.0 * std::log10(std::abs(loopResponse(l, x, dt))), loopPhase(l, x, dt) * 180.0 / pi});
    return out;
}

std::vector<NyquistPoint> nyquistData(const Loop& l, const std::vector<double>& w, double dt) {
    std::vector<NyquistPoint> out;
    out.reserve(w.size());
    for (double x : w) {
        if (dt > 0.0 && x > pi / dt)
            break;
        const cd v = loopResponse(l, x, dt);
        out.push_back({x, v.real(), v.imag()});
    }
    return out;
}

std::vector<BoundaryPoint> piStabilityBoundary(const Loop& loop, std::string& error, int count) {
    error.clear();
    Loop process = loop;
    process.type = 0; // the controller's own times do not set the search range
    std::optional<double> w180;
    bool usable =
        process.K != 0.0 && std::isfinite(process.K) && std::isfinite(process.L) && process.L >= 0.0;
    for (const double tau : lagTimes(process))
        usable = usable && std::isfinite(tau) && tau >= 0.0;
    if (usable)
        w180 = firstRoot(searchGrid(process, 0.0), [&](double w) { return processPhase(process, w) + pi; });
    if (!w180) {
        error =
            KESTREL_TR("Frequency",
                       "位相が −180° に達するプロセス（むだ時間 L が正で K が 0 でないものなど）でなければ、"
                       "安定限界は求まりません。");
        return {};
    }
    std::vector<BoundaryPoint> out;
    count = std::max(count, 2);
    for (int i = 0; i < count; ++i) {
        const double w = *w180 * i / (count - 1);
        // 1/P(jω) written out, so that ω = 0 needs no division: a tank's jω makes it 0 there.
        cd inverse = std::polar(1.0 / process.K, w * process.L);
        for (const double tau : lagTimes(process))
            if (tau > 0.0)
                inverse *= cd(1.0, w * tau);
        if (process.integrating)
            inverse *= cd(0.0, w);
        out.push_back({w, -inverse.real(), w * inverse.imag()});
    }
    return out;
}

std::vector<BoundaryPoint> piStabilityBoundary(double K, double L, double T, std::string& error, int count) {
    Loop process;
    process.K = K, process.L = L, process.T = T;
    return piStabilityBoundary(process, error, count);
}

} // namespace kestrel::tuning
