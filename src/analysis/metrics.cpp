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

std::optional<SvStepMetrics> svStep(const std::vector<StepSample>& steps) {
    const auto at = lastChange(steps, [](const StepSample& s) { return s.sv; });
    if (!at)
        return std::nullopt;
    const std::size_t k0 = *at, k1 = windowEnd(steps, k0);
    const double t0 = steps[k0].t, pvA = steps[k0].truePv(), pvF = steps[k1 - 1].truePv(), dPv = pvF - pvA;
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
        const double along = sign * (s.truePv() - pvA);
        if (!t10 && along >= kRiseLow * std::abs(dPv))
            t10 = s.t;
        if (!t90 && along >= kRiseHigh * std::abs(dPv))
            t90 = s.t;
        beyond = std::max(beyond, sign * (s.truePv() - pvF));
        if (sign * s.truePv() > furthest) {
            furthest = sign * s.truePv();
            m.peakTime = s.t - t0;
        }
        if (std::abs(s.truePv() - pvF) > band)
            lastOutside = s.t;
    }
    m.overshootPct = beyond / std::abs(dPv) * 100.0;
    m.riseTime = t10 && t90 ? *t90 - *t10 : 0.0;
    // Not settled while PV still moves by more than the band in the window's last tenth.
    const double tailFrom = steps[k1 - 1].t - kSettleTail * (steps[k1 - 1].t - t0);
    double low = INFINITY, high = -INFINITY;
    for (std::size_t k = k0; k < k1; ++k)
        if (steps[k].t >= tailFrom) {
            low = std::min(low, steps[k].truePv());
            high = std::max(high, steps[k].truePv());
        }
    if (high - low <= band)
        m.settlingTime = lastOutside - t0;
    return m;
}

std::optional<DvStepMetrics> dvStep(const std::vector<StepSample>& steps) {
    const auto at = lastChange(steps, [](const StepSample& s) { return s.dv; });
    if (!at)
        return std::nullopt;
    const std::size_t k0 = *at, k1 = windowEnd(steps, k0);
    DvStepMetrics m;
    m.t0 = steps[k0].t;
    for (std::size_t k = k0; k < k1; ++k) {
        const double deviation = std::abs(steps[k].sv - steps[k].truePv());
        if (deviation > m.peakDeviation) {
            m.peakDeviation = deviation;
            m.peakTime = steps[k].t - m.t0;
        }
    }
    return m;
}

} // namespace

RunMetrics measureRun(const std::vector<StepSample>& steps, double dt) {
    RunMetrics m;
    if (steps.empty())
        return m;
    for (std::size_t k = 0; k < steps.size(); ++k) {
        const StepSample& s = steps[k];
        const double e = s.sv - s.truePv();
        m.iae += std::abs(e) * dt;
        m.ise += e * e * dt;
        m.itae += (s.t + dt) * std::abs(e) * dt;
        if (k > 0)
            m.mvTravel += std::abs(s.mv - steps[k - 1].mv);
        if (s.limit)
            m.timeAtLimit += dt;
    }
    m.offset = steps.back().sv - steps.back().truePv();
    m.svStep = svStep(steps);
    m.dvStep = dvStep(steps);
    return m;
}

} // namespace kestrel
