#include "tuning/conversions.h"

#include "core/translate.h"
#include "tuning/rules.h"

#include <cmath>
#include <initializer_list>

namespace kestrel::tuning {

namespace {

std::string n(double v) {
    return formulaNumber(v);
}

std::string notFinite() {
    return KESTREL_TR("Conversions", "有限の数値を指定してください。");
}
std::string negativeTimes() {
    return KESTREL_TR("Conversions", "積分時間と微分時間は 0 以上にしてください。");
}

bool allFinite(std::initializer_list<double> vs) {
    for (double v : vs)
        if (!std::isfinite(v))
            return false;
    return true;
}

template <class V> Conversion<V> refuse(std::string reason) {
    return {std::nullopt, std::move(reason), {}};
}

template <class V> Conversion<V> checked(V v, std::string text, std::initializer_list<double> results) {
    if (!allFinite(results))
        return refuse<V>(KESTREL_TR("Conversions", "数値が大きすぎて変換できません。"));
    return {v, std::move(text), {}};
}

} // namespace

Conversion<ParallelPid> idealToParallel(const IdealPid& in) {
    if (!allFinite({in.Kp, in.Ti, in.Td}))
        return refuse<ParallelPid>(notFinite());
    if (in.Ti < 0.0 || in.Td < 0.0)
        return refuse<ParallelPid>(negativeTimes());
    ParallelPid p{in.Kp, in.Ti > 0.0 ? in.Kp / in.Ti : 0.0, in.Kp * in.Td};
    std::string t = "Kp = " + n(p.Kp) + "\n";
    t += in.Ti > 0.0 ? "Ki = Kp/Ti = " + n(in.Kp) + "/" + n(in.Ti) + " = " + n(p.Ki)
                     : KESTREL_TR("Conversions", "Ki = 0（Ti = 0：積分動作なし）");
    t += "\nKd = Kp·Td = " + n(in.Kp) + "·" + n(in.Td) + " = " + n(p.Kd);
    return checked(p, t, {p.Ki, p.Kd});
}

Conversion<IdealPid> parallelToIdeal(const ParallelPid& in) {
    if (!allFinite({in.Kp, in.Ki, in.Kd}))
        return refuse<IdealPid>(notFinite());
    if (in.Kp == 0.0 && (in.Ki != 0.0 || in.Kd != 0.0))
        return refuse<IdealPid>(KESTREL_TR(
            "Conversions", "Kp = 0 では積分・微分動作を理想形（Kp·(1 + 1/(Ti·s) + Td·s)）で表せません。"));
    if (in.Kp != 0.0 && (in.Ki / in.Kp < 0.0 || in.Kd / in.Kp < 0.0))
        return refuse<IdealPid>(
            KESTREL_TR("Conversions", "Ki と Kd の符号が Kp と異なると、Ti と Td が負になります。"));
    IdealPid p{in.Kp, in.Ki != 0.0 ? in.Kp / in.Ki : 0.0, in.Kp != 0.0 ? in.Kd / in.Kp : 0.0};
    std::string t = "Kp = " + n(p.Kp) + "\n";
    t += in.Ki != 0.0 ? "Ti = Kp/Ki = " + n(in.Kp) + "/" + n(in.Ki) + " = " + n(p.Ti)
                      : KESTREL_TR("Conversions", "Ti = 0（Ki = 0：積分動作なし）");
    t += "\nTd = Kd/Kp = " + n(in.Kd) + "/" + n(in.Kp) + " = " + n(p.Td);
    return checked(p, t, {p.Ti, p.Td});
}

Conversion<SeriesPid> idealToSeries(const IdealPid& in) {
    if (!allFinite({in.Kp, in.Ti, in.Td}))
        return refuse<SeriesPid>(notFinite());
    if (in.Ti < 0.0 || in.Td < 0.0)
        return refuse<SeriesPid>(negativeTimes());
    if (in.Ti == 0.0 || in.Td == 0.0)
        return {
            SeriesPid{in.Kp, in.Ti, in.Td},
            trArgs(KESTREL_TR(
                       "Conversions",
                       "Ti または Td が 0 のとき、直列形は理想形と同じです：Kp' = %1、Ti' = %2、Td' = %3"),
                   {n(in.Kp), n(in.Ti), n(in.Td)}),
            {}};
    if (in.Ti < 4.0 * in.Td)
        return refuse<SeriesPid>(
            trArgs(KESTREL_TR("Conversions",
                              "Ti = %1 が 4·Td = %2 より小さいため、直列形（干渉形）には変換できません（Ti ≥ "
                              "4·Td が必要です）。"),
                   {n(in.Ti), n(4.0 * in.Td)}));
    const double q = std::sqrt(1.0 - 4.0 * in.Td / in.Ti);
    SeriesPid s{in.Kp * (1.0 + q) / 2.0, in.Ti * (1.0 + q) / 2.0, in.Ti * (1.0 - q) / 2.0};
    std::string t = "q = √(1 − 4Td/Ti) = √(1 − 4·" + n(in.Td) + "/" + n(in.Ti) + ") = " + n(q) + "\n";
    t += "Kp' = Kp·(1 + q)/2 = " + n(in.Kp) + "·(1 + " + n(q) + ")/2 = " + n(s.Kp) + "\n";
    t += "Ti' = Ti·(1 + q)/2 = " + n(in.Ti) + "·(1 + " + n(q) + ")/2 = " + n(s.Ti) + "\n";
    t += "Td' = Ti·(1 − q)/2 = " + n(in.Ti) + "·(1 − " + n(q) + ")/2 = " + n(s.Td);
    return checked(s, t, {s.Kp});
}

Conversion<IdealPid> seriesToIdeal(const SeriesPid& in) {
    if (!allFinite({in.Kp, in.Ti, in.Td}))
        return refuse<IdealPid>(notFinite());
    if (in.Ti < 0.0 || in.Td < 0.0)
        return refuse<IdealPid>(negativeTimes());
    if (in.Ti == 0.0)
        return {
            IdealPid{in.Kp, 0.0, in.Td},
            trArgs(KESTREL_TR("Conversions",
                              "Ti' = 0（積分動作なし）のとき、理想形は直列形と同じです：Kp = %1、Td = %2"),
                   {n(in.Kp), n(in.Td)}),
            {}};
    const double sum = in.Ti + in.Td;
    IdealPid p{in.Kp * sum / in.Ti, sum, in.Ti * in.Td / sum};
    std::string t = "Kp = Kp'·(Ti' + Td')/Ti' = " + n(in.Kp) + "·(" + n(in.Ti) + " + " + n(in.Td) + ")/" +
                    n(in.Ti) + " = " + n(p.Kp) + "\n";
    t += "Ti = Ti' + Td' = " + n(in.Ti) + " + " + n(in.Td) + " = " + n(p.Ti) + "\n";
    t += "Td = Ti'·Td'/(Ti' + Td') = " + n(in.Ti) + "·" + n(in.Td) + "/(" + n(in.Ti) + " + " + n(in.Td) +
         ") = " + n(p.Td);
    return checked(p, t, {p.Kp, p.Ti});
}

Conversion<double> gainToBand(double Kp) {
    if (!std::isfinite(Kp))
        return refuse<double>(notFinite());
    if (Kp == 0.0)
        return refuse<double>(KESTREL_TR("Conversions", "Kp = 0 の比例帯は無限大です。"));
    return checked(100.0 / Kp, "PB = 100/Kp = 100/" + n(Kp) + " = " + n(100.0 / Kp) + " %", {100.0 / Kp});
}

Conversion<double> bandToGain(double pb) {
    if (!std::isfinite(pb))
        return refuse<double>(notFinite());
    if (pb == 0.0)
        return refuse<double>(KESTREL_TR("Conversions", "比例帯 0 % に対応する Kp はありません（無限大）。"));
    return checked(100.0 / pb, "Kp = 100/PB = 100/" + n(pb) + " = " + n(100.0 / pb), {100.0 / pb});
}

Conversion<IntegralTime> integralFromSeconds(double Ti) {
    if (!std::isfinite(Ti))
        return refuse<IntegralTime>(notFinite());
    if (Ti < 0.0)
        return refuse<IntegralTime>(negativeTimes());
    IntegralTime r{Ti, Ti / 60.0, std::nullopt};
    std::string t = "Ti = " + n(Ti) + " s = " + n(Ti) + "/60 = " + n(r.minutes) + " min\n";
    if (Ti > 0.0) {
        r.repeatsPerMinute = 60.0 / Ti;
        t += trArgs(KESTREL_TR("Conversions", "リピート/分 = 60/Ti = 60/%1 = %2"),
                    {n(Ti), n(*r.repeatsPerMinute)});
    } else {
        t += KESTREL_TR("Conversions", "リピート/分：Ti = 0 は積分動作なし");
    }
    return checked(r, t, {r.repeatsPerMinute.value_or(0.0)});
}

Conversion<IntegralTime> integralFromMinutes(double minutes) {
    if (!std::isfinite(minutes))
        return refuse<IntegralTime>(notFinite());
    auto r = integralFromSeconds(minutes * 60.0);
    if (r.value)
        r.text = "Ti = " + n(minutes) + " min·60 = " + n(r.value->seconds) + " s\n" + r.text;
    return r;
}

Conversion<IntegralTime> integralFromRepeats(double rpm) {
    if (!std::isfinite(rpm))
        return refuse<IntegralTime>(notFinite());
    if (rpm <= 0.0)
        return refuse<IntegralTime>(KESTREL_TR(
            "Conversions", "リピート/分は正の値にしてください（積分動作なしは Ti = 0 で表します）。"));
    auto r = integralFromSeconds(60.0 / rpm);
    if (r.value)
        r.text = trArgs(KESTREL_TR("Conversions", "Ti = 60/(リピート/分) = 60/%1 = %2 s"),
                        {n(rpm), n(r.value->seconds)}) +
                 "\n" + r.text;
    return r;
}

Conversion<WeightsBC> weightsToBC(const WeightsAlphaBetaGamma& in) {
    if (!allFinite({in.alpha, in.beta, in.gamma}))
        return refuse<WeightsBC>(notFinite());
    WeightsBC w{in.alpha, in.alpha * in.gamma};
    auto r = checked(
        w, "b = α = " + n(in.alpha) + "\nc = α·γ = " + n(in.alpha) + "·" + n(in.gamma) + " = " + n(w.c),
        {w.c});
    if (r.value && in.beta != 1.0)
        r.note =
            trArgs(KESTREL_TR("Conversions", "β = %1 は b、c では表せません：この変換が正確なのは β = 1 "
                                             "のときだけです（積分動作への目標値の入り方が異なります）。"),
                   {n(in.beta)});
    return r;
}

Conversion<WeightsAlphaBetaGamma> bcToWeights(const WeightsBC& in) {
    if (!allFinite({in.b, in.c}))
        return refuse<WeightsAlphaBetaGamma>(notFinite());
    if (in.b == 0.0 && in.c != 0.0)
        return refuse<WeightsAlphaBetaGamma>(
            KESTREL_TR("Conversions", "b = 0 で c ≠ 0 は α·γ で表せません（γ = c/b が無限大）。"));
    WeightsAlphaBetaGamma w{in.b, 1.0, in.b != 0.0 ? in.c / in.b : 1.0};
    const std::string gamma = in.b != 0.0
                                  ? "γ = c/b = " + n(in.c) + "/" + n(in.b) + " = " + n(w.gamma)
                                  : KESTREL_TR("Conversions", "γ = 1（b = c = 0 では γ は効きません）");
    return checked(w, "α = b = " + n(in.b) + "\nβ = 1\n" + gamma, {w.gamma});
}

} // namespace kestrel::tuning
