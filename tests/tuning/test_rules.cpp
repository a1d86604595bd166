#include "tune/tunecli.h"
#include "tuning/conversions.h"
#include "tuning/frequency.h"
#include "tuning/rules.h"

#include "looptest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>

using namespace kestrel::tuning;
constexpr double pi = std::numbers::pi, X = NAN; // X: the rule has no row for that controller

TEST(TuningRules, RowsOfTheModelK08L2T5WorkedByHand) {
    struct Rule {
        const char* id;
        double p, piKp, piTi, pidKp, pidTi, pidTd;
    };
    // a = 0.32, L/T = 0.4, λ 3.4 (lambda) and 1.6 (IMC), τc = 2, Ku 6, Pu 8
    const Rule rules[] = {
        {"ziegler-nichols-step", 3.125, 2.8125, 6.6, 3.75, 4, 1},
        {"chr-setpoint-0", 0.9375, 1.09375, 6, 1.875, 5, 1},
        {"chr-setpoint-20", 2.1875, 1.875, 5, 2.96875, 7, 0.94},
        {"chr-load-0", 0.9375, 1.875, 8, 2.96875, 4.8, 0.84},
        {"chr-load-20", 2.1875, 2.1875, 4.6, 3.75, 4, 0.84},
        {"cohen-coon", 17.0 / 15 / 0.32, 14.0 / 15 / 0.32, 62.4 / 17, 43.0 / 30 / 0.32, 68.8 / 16.2,
         8 / 11.8},
        {"lambda", X, 5 / 4.32, 5, X, X, X},
        {"imc", X, X, X, 12 / 4.16, 6, 10.0 / 12},
        {"simc", X, 1.5625, 5, X, X, X},
        {"amigo", X, 0.1875 + (0.35 - 10.0 / 49) * 3.125, 0.7 + 650.0 / 173, 1.65625, 3.84, 5 / 5.6},
        {"ziegler-nichols-ultimate", 3, 2.7, 8 / 1.2, 3.6, 4, 1},
        {"tyreus-luyben", X, 1.875, 17.6, 6 / 2.2, 17.6, 8 / 6.3}};
    std::vector<RuleRow> want;
    for (const Rule& r : rules)
        for (RuleRow row : {RuleRow{r.id, "", "P", r.p, {}, {}, {}, {}},
                            RuleRow{r.id, "", "PI", r.piKp, r.piTi, {}, {}, {}},
                            RuleRow{r.id, "", "PID", r.pidKp, r.pidTi, r.pidTd, {}, {}}})
            if (!std::isnan(row.Kp))
                want.push_back(row);
    std::string error;
    const auto got = tuningRules({0.8, 2, 5, 6.0, 8.0, std::nullopt, std::nullopt}, error);
    ASSERT_EQ(got.size(), want.size());
    EXPECT_EQ(error, "");
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(want[i].rule + " " + want[i].controller);
        EXPECT_EQ(got[i].rule + got[i].controller, want[i].rule + want[i].controller);
        EXPECT_NEAR(got[i].Kp, want[i].Kp, 1e-12);
        EXPECT_NEAR(got[i].Ti.value_or(-1), want[i].Ti.value_or(-1), 1e-12);
        EXPECT_NEAR(got[i].Td.value_or(-1), want[i].Td.value_or(-1), 1e-12);
        EXPECT_EQ(got[i].formulas.size(), 1u + got[i].Ti.has_value() + got[i].Td.has_value());
    }
    EXPECT_EQ(got[2].given[0] + " | " + got[2].formulas[0],
              "a = K·L/T = 0.8·2/5 = 0.32 | Kp = 1.2/a = 1.2/0.32 = 3.75");
    for (RuleInput bad : {RuleInput{0, 2, 5, {}, {}, {}, {}}, RuleInput{1, 2, 0, {}, {}, {}, {}},
                          RuleInput{1, NAN, 5, {}, {}, {}, {}}, RuleInput{1, 2, 5, -1.0, 8.0, {}, {}}}) {
        EXPECT_TRUE(tuningRules(bad, error).empty());
        EXPECT_NE(error, "");
    }
    const auto noDeadTime =
        tuningRules({1, 0, 5, {}, {}, {}, {}}, error); // the rules not dividing by L (τc = L)
    ASSERT_EQ(noDeadTime.size(), 2u);
    EXPECT_EQ(noDeadTime[0].rule + noDeadTime[1].rule, "lambdaimc");
    EXPECT_NE(error, "");
}

TEST(LoopMargins, IntegratingLoopOfSimcWorkedByHand) {
    // Ti = T cancels the lag: L(s) = 0.25·e^(−2s)/s, so ω_gc = 0.25, PM = 90° − 0.5 rad, ω_pc = π/4,
    // GM = π. Sampled at dt = 1 the blocks cancel too: 0.25·z⁻³/(1 − z⁻¹), phase −90° − 2.5·ω, so
    // ω_pc = π/5 and GM = 2·sin(π/10)/0.25.
    const Loop loop{1, 1.5625, 5, 0, 0.1, 0.8, 2, 5};
    const Margins m = loopMargins(loop), s = loopMargins(loop, 1.0);
    EXPECT_NEAR(*m.wgc, 0.25, 1e-12);
    EXPECT_NEAR(*m.phaseMarginDeg, 90 - 0.5 * 180 / pi, 1e-9);
    EXPECT_NEAR(*m.wpc, pi / 4, 1e-12);
    EXPECT_NEAR(*m.gainMargin, pi, 1e-9);
    EXPECT_NEAR(*s.wpc, pi / 5, 1e-12);
    EXPECT_NEAR(*s.gainMargin, 8 * std::sin(pi / 10), 1e-9);
    for (const Margins& x : {m, s}) { // the margins Ms guarantees
        EXPECT_GE(*x.gainMargin, *x.Ms / (*x.Ms - 1));
        EXPECT_GE(*x.phaseMarginDeg * pi / 180, 2 * std::asin(1 / (2 * *x.Ms)));
    }
    EXPECT_EQ(bodeData(loop, chartFrequencies(loop)).size(), 500u);
}

TEST(LoopMargins, HalfTheUltimateGainHasGainMarginTwoAndBoundsThePiRegion) {
    const auto u = ultimatePoint(Fopdt{0.8, 2, 5});
    const Margins m = loopMargins({0, u->Ku / 2, 0, 0, 0.1, 0.8, 2, 5});
    EXPECT_NEAR(*m.gainMargin, 2, 1e-12);
    EXPECT_NEAR(*m.wpc, u->omega, 1e-12);
    std::string error;
    const auto b = piStabilityBoundary(0.8, 2, 5, error);
    EXPECT_NEAR(b.front().Kp, -1.25, 1e-12);
    EXPECT_NEAR(b.back().Kp, u->Ku, 1e-9);
    EXPECT_NEAR(b.back().Ki, 0, 1e-9);
    EXPECT_GT(b[100].Ki, 0);
    EXPECT_TRUE(piStabilityBoundary(0.8, 0, 5, error).empty());
}

TEST(TuningRules, ATankGetsItsOwnRulesAndIsToldWhichAreLeftOut) {
    // K 0.05 % per s per %, L 1, T 2: θ = 3, a = 0.15.
    RuleInput in{0.05, 1, 2, {}, {}, {}, {}};
    in.integrating = true;
    std::string error;
    const auto rows = tuningRules(in, error);
    EXPECT_NE(error.find("AMIGO"), std::string::npos);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_NEAR(rows[2].Kp, 1.2 / 0.15, 1e-12); // Ziegler–Nichols PID, 2θ, 0.5θ
    EXPECT_NEAR(*rows[2].Ti + *rows[2].Td, 6 + 1.5, 1e-12);
    EXPECT_EQ(rows[3].rule, "simc"); // 1/(K(τc + θ)), 4(τc + θ), τc = θ
    EXPECT_NEAR(rows[3].Kp, 1 / (0.05 * 6), 1e-12);
    EXPECT_NEAR(*rows[3].Ti, 24, 1e-12);
    in.L = in.T = 0;
    EXPECT_TRUE(tuningRules(in, error).empty());
}

// The lags of a second-order process, the valve and the sensor filter, and a tank's integrator,
// against values worked by hand.
TEST(LoopMargins, SecondLagValveLagSensorFilterAndTheTank) {
    // Four lags of 1 s at ω = 1: each 1/(1 + j), together 1/4 at −180°; Kp 2 puts L at −0.5.
    Loop lags{0, 2, 0, 0, 0.1, 1, 0, 1, 1, 1, 1};
    EXPECT_NEAR(std::abs(loopResponse(lags, 1) - std::complex<double>(-0.5, 0)), 0, 1e-15);
    const Margins m = loopMargins(lags);
    EXPECT_NEAR(*m.wpc, 1, 1e-12);
    EXPECT_NEAR(*m.gainMargin, 2, 1e-12);

    // A tank, K 0.05 % per s per %, Kp 4, no lag: L = 0.2/(jω), crossing at 0.2 rad/s with PM 90°.
    // Sampled at 0.1 s, at the Nyquist frequency its sum dt/(1 − z⁻¹) is 0.05 and the step's z⁻¹ is −1.
    Loop tank{0, 4, 0, 0, 0.1, 0.05, 0, 0, 0, 0, 0, true};
    EXPECT_NEAR(*loopMargins(tank).wgc, 0.2, 1e-12);
    EXPECT_NEAR(*loopMargins(tank).phaseMarginDeg, 90, 1e-9);
    EXPECT_NEAR(std::abs(loopResponse(tank, pi / 0.1, 0.1) - std::complex<double>(-0.01, 0)), 0, 1e-15);

    // With a dead time of 1 s its phase reaches −180° at ω = π/2, where Ku = ω/K = 10π; the PI
    // boundary starts at the origin.
    tank.L = 1;
    std::string error;
    const auto b = piStabilityBoundary(tank, error);
    EXPECT_NEAR(b.back().w, pi / 2, 1e-12);
    EXPECT_NEAR(b.back().Kp, 10 * pi, 1e-9);
    EXPECT_EQ(std::pair(b.front().Kp, b.front().Ki), std::pair(0.0, 0.0));
}

TEST(FormConversions, RoundTripsAndRefusals) {
    const IdealPid pid{2, 10, 2};
    const auto par = idealToParallel(pid);
    EXPECT_NEAR(par.value->Ki + par.value->Kd, 0.2 + 4, 1e-15);
    for (const IdealPid& p :
         {*parallelToIdeal(*par.value).value, *seriesToIdeal(*idealToSeries(pid).value).value})
        EXPECT_NEAR(std::abs(p.Kp - 2) + std::abs(p.Ti - 10) + std::abs(p.Td - 2), 0, 1e-12);
    EXPECT_NEAR(*bandToGain(*gainToBand(4).value).value, 4, 1e-15);
    EXPECT_NEAR(*integralFromRepeats(0.5).value->repeatsPerMinute, 0.5, 1e-15);
    EXPECT_NEAR(integralFromMinutes(2).value->seconds, 120, 1e-12);
    EXPECT_NEAR(weightsToBC({0.5, 0.8, 0.4}).value->c, 0.2, 1e-15);
    EXPECT_NE(weightsToBC({0.5, 0.8, 0.4}).note, ""); // exact only for β = 1
    EXPECT_EQ(weightsToBC({0.5, 1, 0.4}).note, "");
    EXPECT_NE(idealToSeries({2, 7, 2}).text, ""); // Ti < 4·Td
    EXPECT_FALSE(idealToSeries({2, 7, 2}).value || gainToBand(0).value || bcToWeights({0, 1}).value);
}

TEST(TuneCommand, ExitStatusAndFirstLine) {
    const auto dir = std::filesystem::temp_directory_path();
    std::ofstream step(dir / "kestrel_step.csv"), flat(dir / "kestrel_flat.csv");
    step << "time,SV,PV,DV,MV,E,P,I,D,FF,KdDV,DS\n";
    flat << "time,SV,PV,DV,MV,E,P,I,D,FF,KdDV,DS\n";
    for (int k = 0; k < 100; ++k) { // K 0.8, L 2, T 5 at dt 0.5, MV 50 → 70 at 1 s
        const double t = 0.5 * k, pv = t < 3 ? 40 : 40 + 16 * (1 - std::pow(5 / 5.5, k - 5));
        step << t << ",50," << pv << ",0," << (t < 1 ? 50 : 70) << ",0,0,0,0,0,0,0\n";
        flat << t << ",50,40,0,50,0,0,0,0,0,0,0\n";
    }
    step.close(), flat.close();
    const std::string stepCsv = (dir / "kestrel_step.csv").string(),
                      flatCsv = (dir / "kestrel_flat.csv").string();
    std::vector<std::pair<std::string, std::string>> cases = {
        // arguments, the first line they write
        {"--help", "usage: kestrel-tune identify FILE.csv [--run N]"},
        {"identify " + stepCsv, R"({"tangent":{"K":)"},
        {"rules --K 0.8 --L 2 --T 5",
         R"({"rule":"ziegler-nichols-step","controller":"P","Kp":3.125,"Ti":null,"Td":null})"},
        {"margins --type 1 --Kp 1.5625 --Ti 5 --K 0.8 --L 0 --T 5",
         R"({"gain_margin":null,"phase_margin_deg":90,"w_gc":0.25,"w_pc":null,"Ms":1})"}};
    for (std::string bad :
         {"identify " + flatCsv, "identify " + stepCsv + "x", "identify " + stepCsv + " --run 2",
          std::string("rules --K 0.8 --L 2"), std::string("rules --K x --L 2 --T 5"),
          std::string("rules --K 0 --L 2 --T 5"), std::string("margins --type 1 --Kp 1"),
          std::string("rules --Q 1"), std::string("tune"), std::string()})
        cases.emplace_back(bad, ""); // exit status 2 and one line on err
    for (const auto& [argText, firstLine] : cases) {
        std::istringstream words(argText);
        std::vector<std::string> args{std::istream_iterator<std::string>(words), {}};
        std::ostringstream out, err;
        EXPECT_EQ(runTuneCommand(args, out, err), firstLine.empty() ? 2 : 0) << argText;
        std::string line;
        std::getline(std::istringstream(firstLine.empty() ? err.str() : out.str()), line);
        EXPECT_EQ(firstLine.empty() ? err.str() : line.substr(0, firstLine.size()),
                  firstLine.empty() ? line + "\n" : firstLine)
            << argText;
    }
}

TEST(LoopMargins, TheSampledGainMarginIsWhereTheProgramsLoopStartsToOscillate) {
    for (const Loop& l : {Loop{0, 1, 0, 0, 0.1, 0.8, 2, 5}, Loop{2, 1, 8, 1, 0.1, 0.8, 2, 5}}) {
        const double ku = l.Kp * *loopMargins(l, 0.5).gainMargin;
        auto growth = [&](double kp) { // PV's swing late in the run over its swing early on, after a kick
            auto loop = kestrel::test::makeLoop();
            auto& p = loop->p;
            p.MODE = 1, p.TYPE_SELECT = static_cast<std::int16_t>(l.type), p.Kp = kp, p.Ti = l.Ti,
            p.Td = l.Td;
            p.eta = l.eta, p.Kpl = l.K, p.Lpl = l.L, p.Tpl = l.T, p.dt = 0.5;
            loop->seed(50, 62.5);
            loop->startRun(1);
            double early = 0, late = 0;
            for (int k = 0; k < 1600; ++k) {
                k == 5 ? loop->stepWithPv(51) : loop->step();
                (k < 400 ? early : late) = std::max(k < 400 ? early : late, std::abs(loop->s.PV[0] - 50));
            }
            return late / early;
        };
        EXPECT_LT(growth(0.97 * ku), 1);
        EXPECT_GT(growth(1.03 * ku), 1);
    }
}
