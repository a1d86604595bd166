#include "analysis/runcsv.h"
#include "tune/tunecli.h"
#include "tuning/identify.h"
#include "tuning/relay.h"

#include "cascaderun.h"
#include "looptest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>

namespace kestrel::tuning {
namespace {

/// The loop with the lesson's process (K 0.8, L 2 s, T 5 s, dt 0.1 s) from rest at PV 40 %, the
/// step at 1 s: open (manual, MV 50 % then 69.8 %: the lesson's step test) or closed (PID,
/// velocity form, SV 40 % then 45 %); every `every`-th step kept.
KeptRun loopRun(bool closed, int steps, int every = 1) {
    auto loop = test::makeLoop();
    auto& p = loop->p;
    p.MODE = closed, p.CALC_TYPE = 1, p.Kp = 1.5, p.Ti = 6, p.Td = 0.5, p.Kpl = 0.8, p.Lpl = 2, p.Tpl = 5,
    p.dt = 0.1;
    loop->seed(40, 40);
    loop->startRun(1);
    for (int k = 0; k <= steps; ++k) {
        (closed ? loop->s.SV[0] : loop->s.MV[0]) = closed ? (k >= 10 ? 45 : 40) : (k >= 10 ? 69.8 : 50);
        loop->step();
    }
    KeptRun run;
    run.dt = p.dt;
    for (std::size_t k = 0; k < loop->app.trace.steps.size(); k += every)
        run.steps.push_back(loop->app.trace.steps[k]);
    return run;
}

void expectModel(const std::optional<Fopdt>& m, Fopdt want, double tol) {
    ASSERT_TRUE(m);
    EXPECT_NEAR(m->K, want.K, tol * want.K);
    EXPECT_NEAR(m->L, want.L, tol * want.L);
    EXPECT_NEAR(m->T, want.T, tol * want.T);
}

TEST(Identify, StepTestOfTheLoopEveryStepAndSampled) {
    // PV after the first move at 3 s: 40 + 15.84·(1 − a^(m+1)), a = 5/5.1, m steps later; at the
    // end (m = 270) it is short of its final level by ε = a^271 = 0.00467039. Fractions of the
    // change are then those of 1 − e^(−(t − 2.9)/Te), Te = dt/ln(1 + dt/T) = 5.04983 s.
    const double eps = 0.00467039, Te = 5.04983;
    auto at = [&](double f) { return 2.9 - Te * std::log(1 - f * (1 - eps)); };
    const double T2 = 1.5 * (at(0.632) - at(0.283));
    std::string error;
    const auto id = identify(loopRun(false, 300), error);
    ASSERT_TRUE(id) << error;
    EXPECT_NEAR(id->stepTime, 1.0, 1e-9);
    // Least squares finds the loop's own model.
    expectModel(id->leastSquares, {0.8, 2, 5}, 1e-9);
    EXPECT_LT(id->rms, 1e-9);
    // The tangent at the first step that moves: leaves 40 % one step early (L − dt), slope
    // 15.84/5.1 per s; the two points on the sampled exponential: L − dt as well, T about Te.
    expectModel(id->tangent, {0.8 * (1 - eps), 1.9, 5.1 * (1 - eps)}, 1e-4);
    expectModel(id->twoPoint, {0.8 * (1 - eps), at(0.632) - 1 - T2, T2}, 1e-3);
    ASSERT_EQ(id->fitted.size(), 301 - id->fittedFrom);
    EXPECT_NEAR(id->fitted.back(), 40 + 15.84 * (1 - eps), 1e-6);
    // Sampled every 0.2 s, the step was at 0.9 s or 1.0 s: taken at 0.95 s, so L is 2.05 s.
    const auto sampled = identify(loopRun(false, 300, 2), error);
    ASSERT_TRUE(sampled) << error;
    EXPECT_NEAR(sampled->stepTime, 0.95, 1e-9);
    expectModel(sampled->leastSquares, {0.8, 2.05, 5}, 1e-9);
}

TEST(Identify, FitsTheProcessToAClosedLoopSetPointStep) {
    // The controller shapes MV; the process still sees only MV.
    KeptRun run = loopRun(true, 600);
    std::string error;
    const auto fit = fitResponse(run, error);
    ASSERT_TRUE(fit) << error;
    expectModel(fit->model, {0.8, 2, 5}, 1e-8);
    // The tangent and the two points need MV held at its step: here only the fit answers.
    const auto id = identify(run, error);
    ASSERT_TRUE(id && id->leastSquares) << error;
    EXPECT_FALSE(id->tangent || id->twoPoint);
    run.steps.resize(2);
    EXPECT_FALSE(fitResponse(run, error)) << "MV and PV at rest";
}

TEST(Identify, RefusesARunWithoutAStepResponse) {
    const std::vector<double> t{0, 1, 2, 3}, flat{50, 50, 50, 50}, step{50, 60, 60, 60};
    for (const auto& [mv, pv] : {std::pair{flat, step}, std::pair{step, flat}}) {
        std::string error;
        EXPECT_FALSE(identify(t, mv, pv, 1, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(Identify, KestrelTuneReadsTheInnerPartOfACascadeRunFromTheColumnsNamed) {
    const KeptRun cascade = test::cascadeStepTest();
    const std::string csv = (std::filesystem::temp_directory_path() / "kestrel_cascade.csv").string();
    std::ofstream file(csv);
    writeRunsCsv(file, {&cascade});
    file.close();
    auto tune = [](const std::string& args, std::string& text) {
        std::istringstream words(args);
        std::ostringstream out, err;
        const int status = runTuneCommand({std::istream_iterator<std::string>(words), {}}, out, err);
        text = status == 0 ? out.str() : err.str();
        return status;
    };
    std::string text;
    ASSERT_EQ(tune("identify " + csv + " --pv PV2 --mv MV", text), 0) << text;
    const std::size_t fit = text.find("\"least_squares\":");
    auto value = [&](const std::string& key) {
        return std::stod(text.substr(text.find(key, fit) + key.size()));
    };
    EXPECT_NEAR(value("\"K\":"), 2, 1e-6);   // Kin
    EXPECT_NEAR(value("\"L\":"), 0.5, 1e-6); // Lin
    EXPECT_NEAR(value("\"T\":"), 3, 1e-6);   // Tin
    for (const auto& [args, message] :
         {std::pair{" --pv D2",
                    "has no values in column D2 (the column is missing or empty"}, // a PI secondary
          {" --pv Q", "\"Q\" is no column of a run CSV (SV, PV, DV, MV,"},
          {" --pv MV", "--pv and --mv name the same column MV"}}) {
        EXPECT_EQ(tune("identify " + csv + args, text), 2) << args;
        EXPECT_NE(text.find(message), std::string::npos) << text;
    }
}

TEST(Identify, JsonGivesNullForAMethodThatGaveNothing) {
    Identification id;
    id.twoPoint = Fopdt{0.8, 2, 5.05};
    std::ostringstream out;
    writeIdentificationJson(out, id);
    EXPECT_EQ(out.str(), R"({"tangent":null,"two_point":{"K":0.8,"L":2,"T":5.05},"least_squares":null})");
}

TEST(Relay, EstimatesTheUltimatePointBelowTheExactGain) {
    // ω·2 + atan(5ω) = π at ω = 0.89529 rad/s: Ku = √(1 + 4.47645²)/0.8 = 5.7335, Pu = 7.0180 s.
    const auto exact = ultimatePoint({0.8, 2, 5});
    ASSERT_TRUE(exact);
    EXPECT_NEAR(exact->omega, 0.89529, 1e-5);
    EXPECT_NEAR(exact->Ku, 5.7335, 1e-4);
    EXPECT_NEAR(exact->Pu, 7.0180, 1e-4);
    RelaySetup setup;
    setup.process = {0.8, 2, 5};
    std::string error;
    const auto relay = relayTest(setup, error);
    ASSERT_TRUE(relay) << error;
    EXPECT_TRUE(relay->steady);
    // The describing function ignores the harmonics of the square wave: Ku about 16 % low.
    EXPECT_NEAR(relay->Ku / exact->Ku, 0.833, 0.01);
    EXPECT_NEAR(relay->period / exact->Pu, 1, 0.01);
    EXPECT_FALSE(ultimatePoint({0.8, 0, 5})) << "no dead time: never −180°";
}

TEST(Relay, ATankOscillatesAroundItsSetPointAtItsOwnUltimatePoint) {
    // K·e^(−s)/s, K 0.05 %/s/%: the integrator leaves π/2 to lose, ω = π/2, Ku = ω/K = 10π, Pu = 4 s.
    const auto exact = ultimatePoint({0.05, 1, 0}, true);
    ASSERT_TRUE(exact);
    EXPECT_NEAR(exact->Ku, 10 * std::numbers::pi, 1e-9);
    EXPECT_NEAR(exact->Pu, 4, 1e-9);
    RelaySetup setup;
    setup.process = {0.05, 1, 0};
    setup.integrating = true;
    setup.sv = 60;
    std::string error;
    const auto relay = relayTest(setup, error);
    ASSERT_TRUE(relay) << error;
    // A square wave into an integrator: a triangle of PV around SV, a = K·d·L' and Pu = 4·L', the
    // delay L' = L + dt = 1.1 s since the relay acts on the step before's PV.
    EXPECT_NEAR(relay->amplitude, 0.55, 1e-9);
    EXPECT_NEAR(relay->period, 4.4, 1e-9);
    EXPECT_NEAR(*std::min_element(relay->pv.end() - 40, relay->pv.end()) + relay->amplitude, 60, 0.02);
}

} // namespace
} // namespace kestrel::tuning
