#pragma once
// Tuning rules: controller settings worked out from a process model, each with its formula written
// out with the numbers put in, so a learner sees where a gain comes from.
//
// The model is the first-order process with dead time of the simulator, P(s) = K·e^(−L·s)/(1 + T·s)
// (K gain, L dead time s, T time constant s), and optionally the ultimate gain Ku and period Pu
// of a relay or sustained-oscillation test. The controller is the error-based ideal PID,
// C(s) = Kp·(1 + 1/(Ti·s) + Td·s), Ti and Td in seconds.
//
// Rules (a = K·L/T, r = L/T):
//   ziegler-nichols-step      P 1/a            PI 0.9/a, 3.3L             PID 1.2/a, 2L, 0.5L
//   chr-setpoint-0            P 0.3/a          PI 0.35/a, 1.2T            PID 0.6/a, T, 0.5L
//   chr-setpoint-20           P 0.7/a          PI 0.6/a, T                PID 0.95/a, 1.4T, 0.47L
//   chr-load-0                P 0.3/a          PI 0.6/a, 4L               PID 0.95/a, 2.4L, 0.42L
//   chr-load-20               P 0.7/a          PI 0.7/a, 2.3L             PID 1.2/a, 2L, 0.42L
//   cohen-coon                P (1 + r/3)/a    PI (0.9 + r/12)/a, L(30 + 3r)/(9 + 20r)
//                             PID (4/3 + r/4)/a, L(32 + 6r)/(13 + 8r), 4L/(11 + 2r)
//   lambda                    PI T/(K(λ + L)), T                   λ = max(1.7L, 0.2T) by default
//   imc                       PID (2T + L)/(K(2λ + L)), T + L/2, TL/(2T + L)   λ = max(0.8L, 0.2T)
//   simc                      PI T/(K(τc + L)), min(T, 4(τc + L))  τc = L by default
//   amigo                     PI 0.15/K + (0.35 − LT/(L + T)²)·T/(KL), 0.35L + 13LT²/(T² + 12LT + 7L²)
//                             PID (0.2 + 0.45T/L)/K, L(0.4L + 0.8T)/(L + 0.1T), 0.5LT/(0.3L + T)
//   ziegler-nichols-ultimate  P 0.5Ku          PI 0.45Ku, Pu/1.2          PID 0.6Ku, Pu/2, Pu/8
//   tyreus-luyben             PI Ku/3.2, 2.2Pu                     PID Ku/2.2, 2.2Pu, Pu/6.3
// The last two need Ku and Pu. A rule that divides by L gives no rows for L = 0.
//
// A level tank, P(s) = K·e^(−L·s)/(s(1 + T·s)) (K a rate, % per s per %), does not settle by itself:
// the rules above that rest on a self-regulating model (CHR, Cohen–Coon, lambda, IMC, AMIGO) do not
// apply and give no rows. With θ = L + T (the lag counted as dead time) and a = K·θ:
//   ziegler-nichols-step      P 1/a            PI 0.9/a, 3.3θ             PID 1.2/a, 2θ, 0.5θ
//   simc                      PI 1/(K(τc + θ)), 4(τc + θ)          τc = θ by default
// and the Ku, Pu rules as they are.

#include <optional>
#include <string>
#include <vector>

namespace kestrel::tuning {

/// What the rules are worked out from.
struct RuleInput {
    double K = 0.0, L = 0.0, T = 0.0; ///< process gain, dead time s, time constant s
    std::optional<double> Ku, Pu;     ///< ultimate gain and period s, when measured
    std::optional<double> lambda;     ///< closed-loop time constant λ s of lambda and IMC
    std::optional<double> tauc;       ///< closed-loop time constant τc s of SIMC
    bool integrating = false;         ///< a level tank: K is a rate and T may be 0
};

/// One controller setting of one rule.
struct RuleRow {
    std::string rule; ///< rule id, e.g. "ziegler-nichols-step"
    std::string name; ///< rule name in the learner's language, e.g. "ジーグラー・ニコルス（ステップ応答）"
    std::string controller; ///< "P", "PI" or "PID"
    double Kp = 0.0;
    std::optional<double> Ti, Td; ///< s; empty where the controller has no such action
    /// The quantities the formulas share with their numbers, e.g. "a = K·L/T = 0.8·2/5 = 0.32",
    /// one text each (empty when there are none).
    std::vector<std::string> given;
    /// The formula of each parameter with the numbers put in, e.g.
    /// "Kp = 1.2/a = 1.2/0.32 = 3.75", then Ti's and Td's where the row has them.
    std::vector<std::string> formulas;
};

/// Every row the rules define for `in`, in the order of the table above (P, PI, PID within a rule).
/// No rows and `error` set to a one-line Japanese reason when the model is unusable (K zero, T not
/// positive, L negative, a value not finite, a given Ku, Pu, λ or τc not positive); with L = 0 the
/// rules that divide by L are left out and `error` says so while the others still give rows. For
/// a tank `error` names the rules left out.
std::vector<RuleRow> tuningRules(const RuleInput& in, std::string& error);

/// A number as the formula texts show it: at most four significant digits, "0.32", "3.75",
/// "1.157", "1.2e-05"; independent of the locale.
std::string formulaNumber(double value);

} // namespace kestrel::tuning
