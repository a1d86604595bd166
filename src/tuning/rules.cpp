#include "tuning/rules.h"

#include "core/translate.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kestrel::tuning {

std::string formulaNumber(double value) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 4);
    std::string s(buf, res.ptr);
    return s == "-0" ? "0" : s;
}

namespace {

using N = std::string;
N n(double v) {
    return formulaNumber(v);
}

/// One parameter: its formula in symbols, the same with the numbers put in, and the value.
struct Term {
    std::string symbols, numbers;
    double value;
};

std::string termText(const char* name, const Term& t) {
    std::string s = std::string(name) + " = " + t.symbols;
    if (!t.numbers.empty() && t.numbers != t.symbols)
        s += " = " + t.numbers;
    return s + " = " + n(t.value);
}

class Rows {
public:
    explicit Rows(std::vector<RuleRow>& rows) : mRows(rows) {}

    void add(const char* rule, const char* name, const char* controller, std::vector<std::string> given,
             const Term& kp, const std::optional<Term>& ti = {}, const std::optional<Term>& td = {}) {
        if (!std::isfinite(kp.value) || (ti && !std::isfinite(ti->value)) ||
            (td && !std::isfinite(td->value))) {
            mOverflow = true;
            return;
        }
        RuleRow r;
        r.rule = rule;
        r.name = translate("Rules", name);
        r.controller = controller;
        r.given = std::move(given);
        r.Kp = kp.value;
        r.formulas.push_back(termText("Kp", kp));
        if (ti) {
            r.Ti = ti->value;
            r.formulas.push_back(termText("Ti", *ti));
        }
        if (td) {
            r.Td = td->value;
            r.formulas.push_back(termText("Td", *td));
        }
        mRows.push_back(std::move(r));
    }
    bool overflow() const { return mOverflow; }

private:
    std::vector<RuleRow>& mRows;
    bool mOverflow = false;
};

bool positiveFinite(const std::optional<double>& v) {
    return !v || (std::isfinite(*v) && *v > 0.0);
}

/// The five rules written as multiples of 1/a and of L or T.
void stepResponseRules(Rows& rows, const RuleInput& in) {
    const double K = in.K, L = in.L, T = in.T, a = K * L / T;
    const std::vector<std::string> given{"a = K·L/T = " + n(K) + "·" + n(L) + "/" + n(T) + " = " + n(a)};
    auto overA = [&](double c) { return Term{n(c) + "/a", n(c) + "/" + n(a), c / a}; };
    auto timesL = [&](double c) { return Term{n(c) + "L", n(c) + "·" + n(L), c * L}; };
    auto timesT = [&](double c) {
        return c == 1.0 ? Term{"T", "", T} : Term{n(c) + "T", n(c) + "·" + n(T), c * T};
    };
    struct Simple {
        const char* id;
        const char* name;
        double p, pi;
        bool piTiOnT;
        double piTi, pid;
        bool pidTiOnT;
        double pidTi, pidTd;
    };
    static const Simple simple[] = {
        {"ziegler-nichols-step", KESTREL_TR_NOOP("Rules", "ジーグラー・ニコルス（ステップ応答）"), 1.0, 0.9,
         false, 3.3, 1.2, false, 2.0, 0.5},
        {"chr-setpoint-0", KESTREL_TR_NOOP("Rules", "CHR（目標値・0 %）"), 0.3, 0.35, true, 1.2, 0.6, true,
         1.0, 0.5},
        {"chr-setpoint-20", KESTREL_TR_NOOP("Rules", "CHR（目標値・20 %）"), 0.7, 0.6, true, 1.0, 0.95, true,
         1.4, 0.47},
        {"chr-load-0", KESTREL_TR_NOOP("Rules", "CHR（外乱・0 %）"), 0.3, 0.6, false, 4.0, 0.95, false, 2.4,
         0.42},
        {"chr-load-20", KESTREL_TR_NOOP("Rules", "CHR（外乱・20 %）"), 0.7, 0.7, false, 2.3, 1.2, false, 2.0,
         0.42},
    };
    for (const Simple& s : simple) {
        rows.add(s.id, s.name, "P", given, overA(s.p));
        rows.add(s.id, s.name, "PI", given, overA(s.pi), s.piTiOnT ? timesT(s.piTi) : timesL(s.piTi));
        rows.add(s.id, s.name, "PID", given, overA(s.pid), s.pidTiOnT ? timesT(s.pidTi) : timesL(s.pidTi),
                 timesL(s.pidTd));
    }

    const double r = L / T;
    const std::string lt = n(L) + "/" + n(T);
    const char* cc = KESTREL_TR_NOOP("Rules", "コーエン・クーン");
    rows.add("cohen-coon", cc, "P", given,
             {"(1 + L/(3T))/a", "(1 + " + n(L) + "/(3·" + n(T) + "))/" + n(a), (1.0 + r / 3.0) / a});
    rows.add("cohen-coon", cc, "PI", given,
             {"(0.9 + L/(12T))/a", "(0.9 + " + n(L) + "/(12·" + n(T) + "))/" + n(a), (0.9 + r / 12.0) / a},
             Term{"L(30 + 3L/T)/(9 + 20L/T)", n(L) + "·(30 + 3·" + lt + ")/(9 + 20·" + lt + ")",
                  L * (30.0 + 3.0 * r) / (9.0 + 20.0 * r)});
    rows.add("cohen-coon", cc, "PID", given,
             {"(4/3 + L/(4T))/a", "(4/3 + " + n(L) + "/(4·" + n(T) + "))/" + n(a), (4.0 / 3.0 + r / 4.0) / a},
             Term{"L(32 + 6L/T)/(13 + 8L/T)", n(L) + "·(32 + 6·" + lt + ")/(13 + 8·" + lt + ")",
                  L * (32.0 + 6.0 * r) / (13.0 + 8.0 * r)},
             Term{"4L/(11 + 2L/T)", "4·" + n(L) + "/(11 + 2·" + lt + ")", 4.0 * L / (11.0 + 2.0 * r)});
}

void amigoRules(Rows& rows, const RuleInput& in) {
    const double K = in.K, L = in.L, T = in.T;
    const std::string k = n(K), l = n(L), t = n(T);
    rows.add(
        "amigo", "AMIGO", "PI", {},
        {"0.15/K + (0.35 − LT/(L + T)²)·T/(KL)",
         "0.15/" + k + " + (0.35 − " + l + "·" + t + "/(" + l + " + " + t + ")²)·" + t + "/(" + k + "·" + l +
             ")",
         0.15 / K + (0.35 - L * T / ((L + T) * (L + T))) * T / (K * L)},
        Term{"0.35L + 13LT²/(T² + 12LT + 7L²)",
             "0.35·" + l + " + 13·" + l + "·" + t + "²/(" + t + "² + 12·" + l + "·" + t + " + 7·" + l + "²)",
             0.35 * L + 13.0 * L * T * T / (T * T + 12.0 * L * T + 7.0 * L * L)});
    rows.add("amigo", "AMIGO", "PID", {},
             {"(0.2 + 0.45T/L)/K", "(0.2 + 0.45·" + t + "/" + l + ")/" + k, (0.2 + 0.45 * T / L) / K},
             Term{"L(0.4L + 0.8T)/(L + 0.1T)",
                  l + "·(0.4·" + l + " + 0.8·" + t + ")/(" + l + " + 0.1·" + t + ")",
                  L * (0.4 * L + 0.8 * T) / (L + 0.1 * T)},
             Term{"0.5LT/(0.3L + T)", "0.5·" + l + "·" + t + "/(0.3·" + l + " + " + t + ")",
                  0.5 * L * T / (0.3 * L + T)});
}

void modelRules(Rows& rows, const RuleInput& in) {
    const double K = in.K, L = in.L, T = in.T;
    const std::string k = n(K), l = n(L), t = n(T);

    const double lamPi = in.lambda ? *in.lambda : std::max(1.7 * L, 0.2 * T);
    const std::string lamPiText =
        in.lambda ? "λ = " + n(lamPi)
                  : "λ = max(1.7L, 0.2T) = max(" + n(1.7 * L) + ", " + n(0.2 * T) + ") = " + n(lamPi);
    rows.add("lambda", KESTREL_TR_NOOP("Rules", "ラムダ"), "PI", {lamPiText},
             {"T/(K(λ + L))", t + "/(" + k + "·(" + n(lamPi) + " + " + l + "))", T / (K * (lamPi + L))},
             Term{"T", "", T});

    const double lamImc = in.lambda ? *in.lambda : std::max(0.8 * L, 0.2 * T);
    const std::string lamImcText =
        in.lambda ? "λ = " + n(lamImc)
                  : "λ = max(0.8L, 0.2T) = max(" + n(0.8 * L) + ", " + n(0.2 * T) + ") = " + n(lamImc);
    rows.add("imc", "IMC", "PID", {lamImcText},
             {"(2T + L)/(K(2λ + L))",
              "(2·" + t + " + " + l + ")/(" + k + "·(2·" + n(lamImc) + " + " + l + "))",
              (2.0 * T + L) / (K * (2.0 * lamImc + L))},
             Term{"T + L/2", t + " + " + l + "/2", T + L / 2.0},
             Term{"TL/(2T + L)", t + "·" + l + "/(2·" + t + " + " + l + ")", T * L / (2.0 * T + L)});

    const double tc = in.tauc ? *in.tauc : L;
    if (tc + L <= 0.0)
        return; // τc = L = 0: SIMC's gain would divide by zero
    const std::string tcText = in.tauc ? "τc = " + n(tc) : "τc = L = " + n(tc);
    rows.add("simc", "SIMC", "PI", {tcText},
             {"T/(K(τc + L))", t + "/(" + k + "·(" + n(tc) + " + " + l + "))", T / (K * (tc + L))},
             Term{"min(T, 4(τc + L))", "min(" + t + ", 4·(" + n(tc) + " + " + l + "))",
                  std::min(T, 4.0 * (tc + L))});
}

/// A tank's rules: Ziegler–Nichols' reaction curve (its steepest slope is K, its apparent dead time
/// θ = L + T) and SIMC's rule for an integrating process.
void integratingRules(Rows& rows, const RuleInput& in) {
    const double K = in.K, L = in.L, T = in.T, theta = L + T, a = K * theta;
    const std::string k = n(K), th = n(theta);
    const std::vector<std::string> given{"θ = L + T = " + n(L) + " + " + n(T) + " = " + th,
                                         "a = K·θ = " + k + "·" + th + " = " + n(a)};
    auto overA = [&](double c) { return Term{n(c) + "/a", n(c) + "/" + n(a), c / a}; };
    auto timesTheta = [&](double c) { return Term{n(c) + "θ", n(c) + "·" + th, c * theta}; };
    const char* zn = KESTREL_TR_NOOP("Rules", "ジーグラー・ニコルス（ステップ応答）");
    rows.add("ziegler-nichols-step", zn, "P", given, overA(1.0));
    rows.add("ziegler-nichols-step", zn, "PI", given, overA(0.9), timesTheta(3.3));
    rows.add("ziegler-nichols-step", zn, "PID", given, overA(1.2), timesTheta(2.0), timesTheta(0.5));

    const double tc = in.tauc ? *in.tauc : theta;
    const std::string tcText = in.tauc ? "τc = " + n(tc) : "τc = θ = " + n(tc);
    rows.add("simc", "SIMC", "PI", {given[0], tcText},
             {"1/(K(τc + θ))", "1/(" + k + "·(" + n(tc) + " + " + th + "))", 1.0 / (K * (tc + theta))},
             Term{"4(τc + θ)", "4·(" + n(tc) + " + " + th + ")", 4.0 * (tc + theta)});
}

void ultimateRules(Rows& rows, double ku, double pu) {
    const std::vector<std::string> given{"Ku = " + n(ku) + ", Pu = " + n(pu)};
    auto kuTimes = [&](double c) { return Term{n(c) + "Ku", n(c) + "·" + n(ku), c * ku}; };
    auto kuOver = [&](double c) { return Term{"Ku/" + n(c), n(ku) + "/" + n(c), ku / c}; };
    auto puTimes = [&](double c) { return Term{n(c) + "Pu", n(c) + "·" + n(pu), c * pu}; };
    auto puOver = [&](double c) { return Term{"Pu/" + n(c), n(pu) + "/" + n(c), pu / c}; };
    const char* zn = KESTREL_TR_NOOP("Rules", "ジーグラー・ニコルス（限界感度）");
    rows.add("ziegler-nichols-ultimate", zn, "P", given, kuTimes(0.5));
    rows.add("ziegler-nichols-ultimate", zn, "PI", given, kuTimes(0.45), puOver(1.2));
    rows.add("ziegler-nichols-ultimate", zn, "PID", given, kuTimes(0.6), puOver(2.0), puOver(8.0));
    const char* tl = KESTREL_TR_NOOP("Rules", "タイレウス・ルイベン");
    rows.add("tyreus-luyben", tl, "PI", given, kuOver(3.2), puTimes(2.2));
    rows.add("tyreus-luyben", tl, "PID", given, kuOver(2.2), puTimes(2.2), puOver(6.3));
}

} // namespace

std::vector<RuleRow> tuningRules(const RuleInput& in, std::string& error) {
    error.clear();
    std::vector<RuleRow> out;
    if (!std::isfinite(in.K) || !std::isfinite(in.L) || !std::isfinite(in.T)) {
        error = KESTREL_TR("Rules", "プロセスの K、L、T には有限の数値を指定してください。");
        return out;
    }
    if (in.K == 0.0) {
        error = KESTREL_TR("Rules", "プロセスゲイン K が 0 では調整則を計算できません。");
        return out;
    }
    if (in.integrating ? in.T < 0.0 : in.T <= 0.0) {
        error = in.integrating ? KESTREL_TR("Rules", "時定数 T は 0 以上にしてください。")
                               : KESTREL_TR("Rules", "時定数 T は正の値にしてください。");
        return out;
    }
    if (in.L < 0.0) {
        error = KESTREL_TR("Rules", "むだ時間 L は 0 以上にしてください。");
        return out;
    }
    if (in.integrating && in.L + in.T <= 0.0) {
        error = KESTREL_TR(
            "Rules", "むだ時間も遅れもないタンクには、調整則の式が使えません（L か T を正にしてください）。");
        return out;
    }
    if (!positiveFinite(in.lambda) || !positiveFinite(in.tauc)) {
        error = KESTREL_TR("Rules", "λ と τc は正の値にしてください。");
        return out;
    }
    if (!positiveFinite(in.Ku) || !positiveFinite(in.Pu)) {
        error = KESTREL_TR("Rules", "限界ゲイン Ku と限界周期 Pu は正の値にしてください。");
        return out;
    }
    Rows rows(out);
    if (in.integrating) {
        integratingRules(rows, in);
        if (in.Ku && in.Pu)
            ultimateRules(rows, *in.Ku, *in.Pu);
        error =
            rows.overflow()
                ? KESTREL_TR("Rules", "数値が大きすぎて計算できない調整則があります（その行は出しません）。")
                : KESTREL_TR(
                      "Rules",
                      "積分プロセス（タンク）は自分では落ち着かないので、自己平衡のプロセスを前提とする調整則"
                      "（CHR、コーエン・クーン、ラムダ、IMC、AMIGO）は出しません。ジーグラー・ニコルスと "
                      "SIMC "
                      "は積分プロセスの式です。");
        return out;
    }
    if (in.L > 0.0)
        stepResponseRules(rows, in);
    modelRules(rows, in);
    if (in.L > 0.0)
        amigoRules(rows, in);
    if (in.Ku && in.Pu)
        ultimateRules(rows, *in.Ku, *in.Pu);
    if (rows.overflow())
        error = KESTREL_TR("Rules", "数値が大きすぎて計算できない調整則があります（その行は出しません）。");
    else if (in.L == 0.0)
        error = KESTREL_TR(
            "Rules",
            "むだ時間 L が 0 のため、L で割る調整則（ジーグラー・ニコルス、CHR、コーエン・クーン、AMIGO、τc "
            "を指定しない SIMC）は出しません。");
    return out;
}

} // namespace kestrel::tuning
