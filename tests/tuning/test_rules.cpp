#include "tune/tunecli.h"
#include "tuning/conversions.h"
#include "tuning/frequency.h"
#include "tuning/rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>

using namespace kestrel::tuning;
constexpr double pi = std::numbers::pi;
RuleInput model(double K, double L, double T, std::optional<double> Ku = {}, std::optional<double> Pu = {}) {
    return {K, L, T, Ku, Pu, {}, {}};
}

TEST(TuningRules, RowsOfTheModelK08L2T5WorkedByHand) {
    struct Row {
        const char* rule;
        const char* c;
        double Kp, Ti, Td;
    };                  // 0: no such action
    const Row rows[] = {// a = 0.32, L/T = 0.4, λ 3.4 (lambda) and 1.6 (IMC), τc = 2, Ku 6, Pu 8
                        {"ziegler-nichols-step", "P", 3.125, 0, 0},
                        {"ziegler-nichols-step", "PI", 2.8125, 6.6, 0},
                        {"ziegler-nichols-step", "PID", 3.75, 4, 1},
                        {"chr-setpoint-0", "P", 0.9375, 0, 0},
                        {"chr-setpoint-0", "PI", 1.09375, 6, 0},
                        {"chr-setpoint-0", "PID", 1.875, 5, 1},
                        {"chr-setpoint-20", "P", 2.1875, 0, 0},
                        {"chr-setpoint-20", "PI", 1.875, 5, 0},
                        {"chr-setpoint-20", "PID", 2.96875, 7, 0.94},
                        {"chr-load-0", "P", 0.9375, 0, 0},
                        {"chr-load-0", "PI", 1.875, 8, 0},
                        {"chr-load-0", "PID", 2.96875, 4.8, 0.84},
                        {"chr-load-20", "P", 2.1875, 0, 0},
                        {"chr-load-20", "PI", 2.1875, 4.6, 0},
                        {"chr-load-20", "PID", 3.75, 4, 0.84},
                        {"cohen-coon", "P", 3.5416667, 0, 0},
                        {"cohen-coon", "PI", 2.9166667, 62.4 / 17, 0},
                        {"cohen-coon", "PID", 4.4791667, 68.8 / 16.2, 8 / 11.8},
                        {"lambda", "PI", 5 / 4.32, 5, 0},
                        {"imc", "PID", 12 / 4.16, 6, 10.0 / 12},
                        {"simc", "PI", 1.5625, 5, 0},
                        {"amigo", "PI", 0.1875 + (0.35 - 10.0 / 49) * 3.125, 0.7 + 650.0 / 173, 0},
                        {"amigo", "PID", 1.65625, 3.84, 5 / 5.6},
                        {"ziegler-nichols-ultimate", "P", 3, 0, 0},
                        {"ziegler-nichols-ultimate", "PI", 2.7, 8 / 1.2, 0},
                        {"ziegler-nichols-ultimate", "PID", 3.6, 4, 1},
                        {"tyreus-luyben", "PI", 1.875, 17.6, 0},
                        {"tyreus-luyben", "PID", 6 / 2.2, 17.6, 8 / 6.3}};
    std::string error;
    const auto got = tuningRules(model(0.8, 2, 5, 6, 8), error);
    ASSERT_EQ(got.size(), std::size(rows));
    EXPECT_EQ(error, "");
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(got[i].rule + " " + got[i].controller);
        EXPECT_EQ(got[i].rule, rows[i].rule);
        EXPECT_EQ(got[i].controller, rows[i].c);
        EXPECT_NEAR(got[i].Kp, rows[i].Kp, 1e-7);
        EXPECT_NEAR(got[i].Ti.value_or(0), rows[i].Ti, 1e-9);
        EXPECT_NEAR(got[i].Td.value_or(0), rows[i].Td, 1e-9);
        EXPECT_EQ(got[i].formulas.size(), 1u + got[i].Ti.has_value() + got[i].Td.has_value());
    }
    EXPECT_EQ(got[2].given, std::vector<std::string>{"a = K·L/T = 0.8·2/5 = 0.32"});
    EXPECT_EQ(got[2].formulas[0], "Kp = 1.2/a = 1.2/0.32 = 3.75");
}

TEST(TuningRules, UnusableModelsGiveAReasonAndNoNumbers) {
    std::string error;
    for (RuleInput bad :
         {model(0, 2, 5), model(1, 2, 0), model(1, -1, 5), model(1, NAN, 5), model(1, 2, 5, -1, 8)}) {
        EXPECT_TRUE(tuningRules(bad, error).empty());
        EXPECT_NE(error, "");
    }
    const auto noDeadTime = tuningRules(model(1, 0, 5), error); // the rules that do not divide by L (τc = L)
    ASSERT_EQ(noDeadTime.size(), 2u);
    EXPECT_EQ(noDeadTime[0].rule + noDeadTime[1].rule, "lambdaimc");
    EXPECT_NE(error, "");
}

TEST(LoopMargins, IntegratingLoopOfSimcWorkedByHand) {
    // Ti = T cancels the lag: L(s) = 0.25·e^(−2s)/s, so ω_gc = 0.25, PM = 90° − 0.5 rad,
    // ω_pc = π/4, GM = π; sampled at dt = 1 the dead time becomes 2.5 s.
    const Loop loop{1, 1.5625, 5, 0, 0.1, 0.8, 2, 5};
    const Margins m = loopMargins(loop), s = loopMargins(loop, 1.0);
    EXPECT_NEAR(*m.wgc, 0.25, 1e-9);
    EXPECT_NEAR(*m.phaseMarginDeg, 90 - 0.5 * 180 / pi, 1e-7);
    EXPECT_NEAR(*m.wpc, pi / 4, 1e-9);
    EXPECT_NEAR(*m.gainMargin, pi, 1e-8);
    EXPECT_NEAR(*s.wpc, pi / 5, 1e-9);
    EXPECT_TRUE(sampledMarginsMatter(1.0, 2.0));
    for (const Margins& x : {m, s}) { // the margins Ms guarantees
        EXPECT_GE(*x.gainMargin, *x.Ms / (*x.Ms - 1));
        EXPECT_GE(*x.phaseMarginDeg * pi / 180, 2 * std::asin(1 / (2 * *x.Ms)));
    }
    const Margins none = loopMargins({0, 0.5, 0, 0, 0.1, 1, 0, 5}); // |L| < 1, phase above −90°
    EXPECT_FALSE(none.gainMargin || none.phaseMarginDeg);
    EXPECT_NEAR(*none.Ms, 1, 1e-6); // L → 0 at high ω
    EXPECT_EQ(bodeData(loop, chartFrequencies(loop)).size(), 500u);
}

TEST(LoopMargins, HalfTheUltimateGainHasGainMarginTwoAndBoundsThePiRegion) {
    const auto u = ultimatePoint(0.8, 2, 5);
    ASSERT_TRUE(u);
    EXPECT_NEAR(u->w180 * 2 + std::atan(u->w180 * 5), pi, 1e-12);
    EXPECT_NEAR(u->Ku, std::hypot(1, 5 * u->w180) / 0.8, 1e-12);
    const Margins m = loopMargins({0, u->Ku / 2, 0, 0, 0.1, 0.8, 2, 5});
    EXPECT_NEAR(*m.gainMargin, 2, 1e-9);
    EXPECT_NEAR(*m.wpc, u->w180, 1e-9);
    std::string error;
    const auto b = piStabilityBoundary(0.8, 2, 5, error);
    EXPECT_NEAR(b.front().Kp, -1.25, 1e-12);
    EXPECT_NEAR(b.back().Kp, u->Ku, 1e-9);
    EXPECT_NEAR(b.back().Ki, 0, 1e-9);
    EXPECT_GT(b[100].Ki, 0);
    EXPECT_TRUE(piStabilityBoundary(0.8, 0, 5, error).empty());
    EXPECT_NE(error, "");
}

TEST(FormConversions, RoundTripsAndRefusals) {
    const IdealPid pid{2, 10, 2};
    const auto par = idealToParallel(pid);
    EXPECT_NEAR(par.value->Ki, 0.2, 1e-15);
    EXPECT_NEAR(par.value->Kd, 4, 1e-15);
    const auto back = parallelToIdeal(*par.value), viaSeries = seriesToIdeal(*idealToSeries(pid).value);
    for (const IdealPid& p : {*back.value, *viaSeries.value}) {
        EXPECT_NEAR(p.Kp, 2, 1e-12);
        EXPECT_NEAR(p.Ti, 10, 1e-12);
        EXPECT_NEAR(p.Td, 2, 1e-12);
    }
    EXPECT_NEAR(*bandToGain(*gainToBand(4).value).value, 4, 1e-15);
    EXPECT_NEAR(*integralFromRepeats(0.5).value->repeatsPerMinute, 0.5, 1e-15);
    EXPECT_NEAR(integralFromMinutes(2).value->seconds, 120, 1e-12);
    const auto bc = weightsToBC({0.5, 0.8, 0.4});
    EXPECT_NEAR(bc.value->c, 0.2, 1e-15);
    EXPECT_NE(bc.note, "");
    EXPECT_EQ(weightsToBC({0.5, 1, 0.4}).note, "");
    EXPECT_FALSE(idealToSeries({2, 7, 2}).value); // Ti < 4·Td
    EXPECT_NE(idealToSeries({2, 7, 2}).text, "");
    EXPECT_FALSE(gainToBand(0).value || bcToWeights({0, 1}).value || integralFromRepeats(0).value);
}

TEST(TuneCommand, ExitStatusAndFirstLine) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string firstLine;
    };
    const Case cases[] = {
        {{"--help"}, 0, "usage: kestrel-tune identify FILE.csv [--run N]"},
        {{"rules", "--K", "0.8", "--L", "2", "--T", "5"},
         0,
         R"({"rule":"ziegler-nichols-step","controller":"P","Kp":3.125,"Ti":null,"Td":null})"},
        {{"margins", "--type", "1", "--Kp", "1.5625", "--Ti", "5", "--K", "0.8", "--L", "0", "--T", "5"},
         0,
         R"({"gain_margin":null,"phase_margin_deg":90,"w_gc":0.25,"w_pc":null,"Ms":1)"},
        {{"rules", "--K", "0.8", "--L", "2"}, 2, ""},
        {{"rules", "--K", "x", "--L", "2", "--T", "5"}, 2, ""},
        {{"rules", "--K", "0", "--L", "2", "--T", "5"}, 2, ""},
        {{"margins", "--type", "1", "--Kp", "1"}, 2, ""},
        {{"rules", "--Q", "1"}, 2, ""},
        {{"tune"}, 2, ""},
        {{}, 2, ""}};
    for (const Case& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(runTuneCommand(c.args, out, err), c.status);
        std::string line;
        std::getline(std::istringstream(c.status ? err.str() : out.str()), line);
        if (c.status == 0)
            EXPECT_EQ(line.substr(0, c.firstLine.size()), c.firstLine);
        else
            EXPECT_EQ(err.str(), line + "\n"); // one line
    }
}
