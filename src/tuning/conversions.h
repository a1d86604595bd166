#pragma once
// Conversions between the ways controller settings are written, each with its equations shown
// with the numbers put in.
//
//   ideal (non-interacting)  C = Kp·(1 + 1/(Ti·s) + Td·s)          the form of this program
//   parallel                 C = Kp + Ki/s + Kd·s                  Ki = Kp/Ti, Kd = Kp·Td
//   series (interacting)     C = Kp'·(1 + 1/(Ti'·s))·(1 + Td'·s)
//       series → ideal: Kp = Kp'·(Ti' + Td')/Ti', Ti = Ti' + Td', Td = Ti'·Td'/(Ti' + Td')
//       ideal → series: with q = √(1 − 4Td/Ti): Kp' = Kp(1 + q)/2, Ti' = Ti(1 + q)/2,
//                       Td' = Ti(1 − q)/2; only when Ti ≥ 4·Td (the series form has real zeros)
//   proportional band        PB % = 100/Kp
//   integral time            Ti s = 60·Ti min; repeats per minute = 60/Ti s
//   set-point weights        α, β, γ of this program ↔ b, c of texts on two-degree-of-freedom PID
//                            (u = Kp·(b·r − y + …) + … + Kp·Td·s·(c·r − y)): b = α, c = α·γ,
//                            exact only for β = 1 (β filters the integral's set point, which b, c
//                            cannot express)
// A zero Ti means no integral action and a zero Td no derivative action in every form.

#include <optional>
#include <string>

namespace kestrel::tuning {

/// The result of one conversion: the values where it exists, the equations with the numbers put
/// in (one line each, '\n' between) or, where it does not exist, a Japanese reason; and a note
/// where the result holds only under a condition.
template <class V> struct Conversion {
    std::optional<V> value;
    std::string text;
    std::string note;
};

struct IdealPid {
    double Kp = 0.0, Ti = 0.0, Td = 0.0; ///< Ti, Td s; 0 = no such action
};
struct ParallelPid {
    double Kp = 0.0, Ki = 0.0, Kd = 0.0; ///< Ki 1/s, Kd s
};
struct SeriesPid {
    double Kp = 0.0, Ti = 0.0, Td = 0.0; ///< Kp', Ti', Td'
};
struct IntegralTime {
    double seconds = 0.0, minutes = 0.0;
    std::optional<double> repeatsPerMinute; ///< empty for Ti = 0 (no integral action)
};
struct WeightsBC {
    double b = 1.0, c = 1.0;
};
struct WeightsAlphaBetaGamma {
    double alpha = 1.0, beta = 1.0, gamma = 1.0;
};

Conversion<ParallelPid> idealToParallel(const IdealPid& in);
Conversion<IdealPid> parallelToIdeal(const ParallelPid& in); ///< refused for Kp = 0 with Ki or Kd
Conversion<SeriesPid> idealToSeries(const IdealPid& in);     ///< refused for Ti < 4·Td
Conversion<IdealPid> seriesToIdeal(const SeriesPid& in);
Conversion<double> gainToBand(double Kp); ///< PB %; refused for Kp = 0
Conversion<double> bandToGain(double pb); ///< Kp; refused for PB = 0
Conversion<IntegralTime> integralFromSeconds(double Ti);
Conversion<IntegralTime> integralFromMinutes(double minutes);
Conversion<IntegralTime> integralFromRepeats(double repeatsPerMinute); ///< refused for 0
Conversion<WeightsBC> weightsToBC(const WeightsAlphaBetaGamma& in);    ///< note for β ≠ 1
Conversion<WeightsAlphaBetaGamma> bcToWeights(const WeightsBC& in);    ///< β = 1; refused for b = 0 ≠ c

} // namespace kestrel::tuning
