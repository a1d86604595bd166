#include "challenge/mystery.h"

#include "challenge/scoring.h"
#include "core/vbformat.h"

#include <cmath>
#include <random>

namespace kestrel::challenge {

namespace {

double hundredths(double v) {
    return std::round(v * 100.0) / 100.0;
}

} // namespace

MysteryProcess drawProcess(const MysteryRanges& ranges) {
    std::mt19937_64 engine(ranges.seed);
    // Not std::uniform_real_distribution: its algorithm is the library's own choice.
    auto draw = [&](double low, double high) {
        const double u = static_cast<double>(engine() >> 11) * 0x1.0p-53;
        return hundredths(low + u * (high - low));
    };
    MysteryProcess p;
    p.K = draw(ranges.kLow, ranges.kHigh);
    p.L = draw(ranges.lLow, ranges.lHigh);
    p.T = draw(ranges.tLow, ranges.tHigh);
    return p;
}

StepValues processValues(const MysteryProcess& p) {
    return {{"Kpl", formatNumber(p.K, "##0.00")},
            {"Lpl", formatNumber(p.L, "##0.00")},
            {"Tpl", formatNumber(p.T, "##0.00")}};
}

MysteryScore scoreAnswer(const MysteryProcess& answer, const MysteryProcess& truth) {
    MysteryScore s;
    s.sK = answerScore(answer.K, truth.K);
    s.sL = answerScore(answer.L, truth.L);
    s.sT = answerScore(answer.T, truth.T);
    s.score = 100.0 * (s.sK + s.sL + s.sT) / 3.0;
    return s;
}

} // namespace kestrel::challenge
