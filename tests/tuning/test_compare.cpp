// Comparing settings on the loop in force: the test each candidate runs, its run through the
// engine's own run control, and the ranking.

#include "tuning/compare.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kestrel;
using namespace kestrel::tuning;

namespace {

/// The process of lesson 9.5's step test, as the learner leaves it: loop open, manual mode.
ParameterSet lesson95() {
    ParameterSet p;
    p.Kpl = 0.8, p.Tpl = 5, p.Lpl = 2, p.dt = 0.1;
    p.FB = 0;
    p.MODE = 0;
    return p;
}

bool allFinite(const KeptRun& run) {
    for (const StepSample& s : run.steps)
        for (double v : {s.sv, s.pv, s.mv, s.dv})
            if (!std::isfinite(v))
                return false;
    return true;
}

} // namespace

TEST(Compare, DefaultTestFitsTheProcessAndTheLongestGraphTime) {
    struct Case {
        double L, T, svAt, dvAt;
        int graphTime;
    };
    for (const Case& c : {Case{2, 5, 3, 59, 120}, Case{0, 0.01, 1, 5, 10}, Case{100, 200, 7, 147, 290}}) {
        ParameterSet p;
        p.Lpl = c.L, p.Tpl = c.T;
        const CompareTest t = defaultTest(p, 40);
        EXPECT_EQ(t.sv0, 40);
        EXPECT_EQ(t.svAt, c.svAt) << c.L;
        EXPECT_EQ(t.dvAt, c.dvAt) << c.L;
        EXPECT_EQ(t.graphTime, c.graphTime) << c.L;
    }
}

TEST(Compare, TrialsCloseTheLoopAndRunTheSameSteps) {
    const ParameterSet inForce = lesson95();
    const CompareTest test = defaultTest(inForce, 50);
    bool load = false;
    const ParameterSet p = trialParameters(inForce, {"ZN PI", "PI", 2.81, 6.6, {}}, test, load);
    EXPECT_EQ(p.FB, -1.0);
    EXPECT_EQ(p.mode(), Mode::Cascade);
    EXPECT_EQ(p.TYPE_SELECT, 1);
    EXPECT_EQ(p.Td, 0.0);
    EXPECT_TRUE(load); // no disturbance path in the lesson: DV enters the process input
    EXPECT_EQ(p.Kd, 1.0);
    ParameterSet withPath = inForce;
    withPath.Kds = 0.5;
    EXPECT_EQ(trialParameters(withPath, {"", "P", 1, {}, {}}, test, load).Kd, 0.0);
    EXPECT_FALSE(load);

    // P control, Kp 1, loop gain 0.8: after SV +10 and DV +10 at the input the offset is
    // e = (10 − 0.8·10)/(1 + 0.8) exactly as the steady state gives it.
    const Trial pTrial = runTrial(inForce, {"P", "P", 1, {}, {}}, test, 0);
    const Trial piTrial = runTrial(inForce, {"PI", "PI", 2.81, 6.6, {}}, test, 1);
    for (const Trial* t : {&pTrial, &piTrial}) {
        EXPECT_TRUE(t->error.empty()) << t->error;
        ASSERT_TRUE(t->run.metrics.svStep && t->run.metrics.dvStep);
        EXPECT_NEAR(t->run.metrics.svStep->t0, test.svAt, 0.1);
        EXPECT_EQ(t->run.metrics.svStep->size, 10);
        EXPECT_NEAR(t->run.metrics.dvStep->t0, test.dvAt, 0.1);
        EXPECT_NEAR(t->run.steps.back().t, test.graphTime, 0.2);
        EXPECT_EQ(t->run.chartClear, KeptRun::kNotDrawn);
    }
    EXPECT_NEAR(pTrial.run.metrics.offset, 2.0 / 1.8, 1e-3);
    EXPECT_NEAR(piTrial.run.metrics.offset, 0, 0.01);
    EXPECT_NE(pTrial.run.pens[1], piTrial.run.pens[1]);
}

TEST(Compare, RankingPutsFailedAndUnmeasuredRunsLast) {
    const ParameterSet inForce = lesson95();
    CompareTest test = defaultTest(inForce, 50);
    std::vector<Trial> trials;
    for (const Candidate& c : {Candidate{"wild", "P", 1e308, {}, {}}, Candidate{"P", "P", 1, {}, {}},
                               Candidate{"PI", "PI", 2.81, 6.6, {}}, Candidate{"slow PI", "PI", 0.5, 20, {}}})
        trials.push_back(runTrial(inForce, c, test, static_cast<int>(trials.size())));
    EXPECT_FALSE(trials[0].error.empty());
    EXPECT_TRUE(allFinite(trials[0].run)); // a failing run records no NaN or infinity
    EXPECT_FALSE(rankValue(trials[0], RankBy::IAE));
    const auto byIae = rankTrials(trials, RankBy::IAE);
    EXPECT_EQ(byIae.back(), 0u);
    for (std::size_t i = 1; i + 1 < byIae.size(); ++i)
        EXPECT_LE(trials[byIae[i - 1]].run.metrics.iae, trials[byIae[i]].run.metrics.iae);

    // Without a disturbance step no run has a peak deviation: the order stays as given.
    test.dvStep = 0;
    trials.erase(trials.begin());
    for (Trial& t : trials)
        t = runTrial(inForce, t.candidate, test, 0);
    EXPECT_FALSE(trials[0].run.metrics.dvStep);
    EXPECT_EQ(rankTrials(trials, RankBy::DvPeak), (std::vector<std::size_t>{0, 1, 2}));
}

TEST(Compare, ClosedLoopFitWithTheKnownControllerFindsTheProcess) {
    // A PI loop on lesson 9.5's process, SV stepped and then DV, kept with every step.
    ParameterSet p = lesson95();
    bool load = false;
    p = trialParameters(p, {"", "PI", 2.81, 6.6, {}}, defaultTest(p, 50), load);
    std::string error;
    KeptRun run;
    run.params = p;
    run.dt = p.dt;
    run.graphTime = 120;
    run.steps = runLoop(p, run.graphTime, error);
    ASSERT_TRUE(error.empty()) << error;
    for (const Mode mode : {Mode::Cascade, Mode::Automatic}) { // automatic: SV and DV read off the steps
        run.params.setMode(mode);
        const auto fit = fitClosedLoop(run, {0.7, 2.3, 6}, error);
        ASSERT_TRUE(fit) << error;
        EXPECT_NEAR(fit->model.K, 0.8, 1e-4);
        EXPECT_NEAR(fit->model.L, 2, 1e-9);
        EXPECT_NEAR(fit->model.T, 5, 1e-3);
        EXPECT_LT(fit->rms, 1e-4);
    }
    run.params.FB = 0;
    EXPECT_FALSE(fitClosedLoop(run, {0.7, 2.3, 6}, error));
    EXPECT_FALSE(error.empty());
}

// A tank stands still at any level: the trials start still at SV, P control keeps a load offset
// Kd·DV/Kp (the controller's own change of MV must make up the load), PI removes it within the
// tank's longer default test.
TEST(Compare, ATankStartsStillAndOnlyPiRemovesTheLoadOffset) {
    ParameterSet tank;
    tank.PROC_TYPE = 2, tank.Kpl = 0.05, tank.Tpl = 2, tank.Lpl = 1;
    const CompareTest test = defaultTest(tank, 40);
    const Trial p = runTrial(tank, {"P", "P", 2, {}, {}}, test, 0);
    const Trial pi = runTrial(tank, {"SIMC", "PI", 1 / (0.05 * 6), 24, {}}, test, 1);
    for (const Trial* t : {&p, &pi}) {
        EXPECT_TRUE(t->error.empty()) << t->error;
        for (const StepSample& s : t->run.steps)
            if (s.t < test.svAt) {
                ASSERT_NEAR(s.pv, 40, 1e-9) << s.t;
            }
    }
    EXPECT_EQ(test.graphTime, 250);
    EXPECT_NEAR(p.run.metrics.offset, -10.0 / 2, 0.01);
    EXPECT_NEAR(pi.run.metrics.offset, 0, 0.01);
}
