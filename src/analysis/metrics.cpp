#include "analysis/metrics.h"

#include <algorithm>
#include <cmath>

namespace kestrel {

namespace {

constexpr double kRiseLow = 0.1, kRiseHigh = 0.9, kSettleBand = 0.02, kSettleTail = 0.1;
constexpr double kNoChange = 1e-9;

/// Index of the last step at which `of` changes from the step before, or none.
template <class Of> std::optional<std::size_t> lastChange(const std::vector<StepSample>& steps, Of of) {
    for (std::size_t k = steps.size(); k-- > 1;)
        if (of(steps[k]) != of(steps[k - 1]))
            return k;
    return std::nullopt;
}

/// One past the last step of the window that opens at `from`: the next SV or DV change, or the end.
std::size_t windowEnd(const std::vector<StepSample>& steps, std::size_t from) {
    for (std::size_t k = from + 1; k < steps.size(); ++k)
        if (steps[k].sv != steps[k - 1].sv || steps[k].dv != steps[k - 1].dv)
            return k;
    return steps.size();
}

/// The process output at step k: the sensor's input where the run kept it, else PV.
struct ProcessOutput {
    const std::vector<StepSample>& steps;
    const std::vector<double>& truth;
    double operator()(std::size_t k) const { return truth.size() == steps.size() ? truth[k] : steps[k].pv; }
};

std::optional<SvStepMetrics> svStep(const std::vector<StepSample>& steps, const ProcessOutput& pv) {
    const auto at = lastChange(steps, [](const StepSample& s) { return s.sv; });
    if (!at)
        return std::nullopt;
    const std::size_t k0 = *at, k1 = windowEnd(steps, k0);
    const double t0 = steps[k0].t, pvA = pv(k0), pvF = pv(k1 - 1), dPv = pvF - pvA;
    if (std::abs(dPv) < kNoChange)
        return std::nullopt;
    const double sign = dPv > 0 ? 1.0 : -1.0, band = kSettleBand * std::abs(dPv);
    SvStepMetrics m;
    m.t0 = t0;
    m.size = steps[k0].sv - steps[k0 - 1].sv;
    m.pvChange = dPv;
    std::optional<double> t10, t90;
    double beyond = 0, furthest = -INFINITY, lastOutside = t0;
    for (std::size_t k = k0; k < k1; ++k) {
        const StepSample& s = steps[k];
        const double along = sign * (pv(k) - pvA);
        if (!t10 && along >= kRiseLow * std::abs(dPv))
            t10 = s.t;
        if (!t90 && along >= kRiseHigh * std::abs(dPv))
            t90 = s.t;
        beyond = std::max(beyond, sign * (pv(k) - pvF));
        if (sign * pv(k) > furthest) {
            furthest = sign * pv(k);
            m.peakTime = s.t - t0;
        }
        if (std::abs(pv(k) - pvF) > band)
            lastOutside = s.t;
    }
    m.overshootPct = beyond / std::abs(dPv) * 100.0;
    m.riseTime = t10 && t90 ? *t90 - *t10 : 0.0;
    // Not settled while PV still moves by more than the band in the window's last tenth.
    const double tailFrom = steps[k1 - 1].t - kSettleTail * (steps[k1 - 1].t - t0);
    double low = INFINITY, high = -INFINITY;
    for (std::size_t k = k0; k < k1; ++k)
        if (steps[k].t >= tailFrom) {
            low = std::min(low, pv(k));
            high = std::max(high, pv(k));
        }
    if (high - low <= band)
        m.settlingTime = lastOutside - t0;
    return m;
}

std::optional<DvStepMetrics> dvStep(const std::vector<StepSample>& steps, const ProcessOutput& pv) {
    const auto at = lastChange(steps, [](const StepSample& s) { return s.dv; });
    if (!at)
        return std::nullopt;
    const std::size_t k0 = *at, k1 = windowEnd(steps, k0);
    DvStepMetrics m;
    m.t0 = steps[k0].t;
    for (std::size_t k = k0; k < k1; ++k) {
        const double deviation = std::abs(steps[k].sv - pv(k));
        if (deviation > m.peakDeviation) {
            m.peakDeviation = deviation;
            m.peakTime = steps[k].t - m.t0;
        }
    }
    return m;
}

} // namespace

RunMetrics measureRun(const std::vector<StepSample>& steps, double dt, const std::vector<double>& pvTrue) {
    const ProcessOutput pv{steps, pvTrue};
    RunMetrics m;
    if (steps.empty())
        return m;
    for (std::size_t k = 0; k < steps.size(); ++k) {
        const StepSample& s = steps[k];
        const double e = s.sv - pv(k);
        m.iae += std::abs(e) * dt;
        m.ise += e * e * dt;
        m.itae += (s.t + dt) * std::abs(e) * dt;
        if (k > 0)
            m.mvTravel += std::abs(s.mv - steps[k - 1].mv);
        if (s.limit)
            m.timeAtLimit += dt;
    }
    m.offset = steps.back().sv - pv(steps.size() - 1);
    m.svStep = svStep(steps, pv);
    m.dvStep = dvStep(steps, pv);
    return m;
}

} // namespace kestrel
