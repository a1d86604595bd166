// The transfer blocks of modPIDfnc against values worked out by hand: each branch, the output
// limit, and which history slots each branch overwrites.

#include "engine/modpidfnc.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

using namespace kestrel;

namespace {

constexpr double kTol = 1e-9;
constexpr double kUntouched = 777.0; // slot 0 of an output history: no block may write it

int errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

template <class H> void checkLag() {
    // clang-format off
    const struct { double x, y1, T, dt; bool init; double out, y1After; } cases[] = {
        {20, 10, 0.4, 0.1, false, 12, 10},          // 0.8·10 + 0.2·20
        {20, 10, 0.0, 0.1, false, 20, 20},          // T = 0: pass-through, y[k-1] := x
        {100, 0, 0.0001, 0.1, false, 99.90009990009990, 0}, // 0.1/0.1001·100: about 0.999·x
        {20000, 0, 0.0, 0.1, false, 10000, 20000},  // limited, also in the pass-through branch
        {-20000, -10000, 1.0, 0.1, false, -10000, -10000}, // -10909.09 limited
    };
    // clang-format on
    for (const auto& c : cases) {
        H y;
        y[0] = kUntouched;
        y[1] = c.y1;
        EXPECT_NEAR(FirstOrderLag(c.x, y, c.T, c.dt, c.init), c.out, kTol) << c.x << " T=" << c.T;
        EXPECT_EQ(std::pair(y[1], y[0]), std::pair(c.y1After, kUntouched)) << c.x << " T=" << c.T;
    }
}

} // namespace

TEST(Blocks, FirstOrderLagBranchesAndLimit) {
    checkLag<History>();
    checkLag<LagHistory>();
}

TEST(Blocks, FirstOrderLagFollowsChangedTimeConstantAndPeriod) {
    // The lag keeps its coefficients between steps; a new T or dt must be used at once.
    LagHistory y;
    const struct {
        double T, dt, out;
    } seq[] = {
        {0.4, 0.1, 20}, {0.9, 0.1, 10}, {0.9, 0.4, 100 * 0.4 / 1.3}, {0.0, 0.1, 100}, {0.4, 0.1, 20},
    };
    for (const auto& c : seq) {
        y[1] = 0.0;
        EXPECT_NEAR(FirstOrderLag(100, y, c.T, c.dt, false), c.out, kTol) << c.T << " " << c.dt;
    }
}

TEST(Blocks, LeadIntegratorAndDerivativeBranchesLimitsAndSlots) {
    // dt 0.1 throughout; the derivative with η 0.1 and Td 0.5 has the denominator 0.15. The lead
    // overwrites its input's previous slot in every branch; the integrator and the derivative
    // leave it alone.
    using Block = double (*)(History & x, History & y, double param, bool init);
    const Block lead = [](History& x, History& y, double k, bool init) {
        return LeadStage(x, y, k, 0.1, init);
    };
    const Block integral = [](History& x, History& y, double t, bool init) {
        return Integrator(x[0], y, t, 0.1, init);
    };
    const Block derivative = [](History& x, History& y, double td, bool init) {
        return IncompleteDerivative(x, y, td, 0.1, 0.1, init);
    };
    // clang-format off
    const struct {
        const char* name; Block block; double x0, x1, y1, param; bool init; double out, y1After, x1After;
    } cases[] = {
        {"lead", lead, 5, 3, 7, 0.2, false, 9, 7, 5},                   // 5 + 0.2·2/0.1
        {"lead", lead, 5, 3, 7, 0.0, false, 5, 5, 5},                   // K = 0: pass-through, y[k-1] := x
        {"lead", lead, 5, 3, 7, 0.2, true, 5, 5, 5},
        {"lead", lead, 9000, 8000, 0, 1.0, false, 10000, 0, 9000},      // 19000 limited
        {"integral", integral, 3, 0, 2, 0.5, false, 2.6, 2, 0},
        {"integral", integral, 3, 0, 2, 0.0, false, 0, 0, 0},           // Ti = 0: off, and its memory cleared
        {"integral", integral, 100, 0, 9999, 0.1, false, 10000, 9999, 0},
        {"derivative", derivative, 20, 0, 6, 0.5, false, 10.3 / 0.15, 6, 0}, // (10 + 0.05·6) / 0.15
        {"derivative", derivative, 20, 0, 6, 0.0, false, 0, 0, 0},           // Td = 0: off, memory cleared
        {"derivative", derivative, 20, 0, 6, 0.5, true, 0, 0, 0},
        {"derivative", derivative, 10000, -10000, 0, 10.0, false, 10000, 0, -10000}, // 181818 limited
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " x " << c.x0 << " y[k-1] " << c.y1 << " " << c.param);
        History x, y;
        x[0] = c.x0;
        x[1] = c.x1;
        y[0] = kUntouched;
        y[1] = c.y1;
        EXPECT_NEAR(c.block(x, y, c.param, c.init), c.out, kTol);
        EXPECT_EQ(std::tuple(x[1], y[1], y[0]), std::tuple(c.x1After, c.y1After, kUntouched));
    }
}

TEST(Blocks, OverflowIsAnErrorNotAnInfinity) {
    History x{{1e308, -1e308}}, x2 = x, y;
    EXPECT_EQ(errorOf([&] { LeadStage(x, y, 1.0, 0.1, false); }), 6);
    EXPECT_EQ(errorOf([&] { IncompleteDerivative(x2, y, 10.0, 0.1, 0.1, false); }), 6);
    y[1] = 0;
    EXPECT_EQ(errorOf([&] { Integrator(1e308, y, 0.01, 0.1, false); }), 6);
}

namespace {

// Feeds inputs from..to into a register initialised with -1, the way the step does: the result is
// written back into slot 0, and must be the input `delay` steps earlier.
void expectDelay(DeadTimeBuffer& b, int from, int to, double L, double dt, int delay) {
    for (int k = from; k <= to; ++k) {
        const double out = DeadTime(k, b, L, dt, false);
        b[0] = out; // never enters the register: the next call overwrites it first
        ASSERT_EQ(out, k - delay >= 1 ? k - delay : -1) << "L=" << L << " dt=" << dt << " k=" << k;
    }
}

} // namespace

TEST(Blocks, DeadTimeDelayRoundsTiesToEvenAndStopsAt199Steps) {
    // clang-format off
    const struct { double L, dt; int delay; } cases[] = {
        {0, 0.1, 0},      {0.25, 0.5, 1}, {0.75, 0.5, 1}, // L/dt + 1 = 1.5 -> 2; 2.5 -> 2
        {1.25, 0.5, 3},   {0.2, 0.1, 2},  // 3.5 -> 4
        {99.0, 0.5, 198}, {99.5, 0.5, 199}, {20.0, 0.1, 199}, // L = 200·dt: n = 201, held at 200
    };
    // clang-format on
    for (const auto& c : cases) {
        DeadTimeBuffer b;
        EXPECT_EQ(DeadTime(-1, b, c.L, c.dt, true), -1);
        expectDelay(b, 1, 260, c.L, c.dt, c.delay);
    }
}

TEST(Blocks, DeadTimeFollowsChangedDeadTimeAndPeriod) {
    DeadTimeBuffer b;
    DeadTime(-1, b, 10.0, 0.1, true);
    expectDelay(b, 1, 150, 10.0, 0.1, 100);
    expectDelay(b, 151, 250, 10.0, 0.02, 199); // control period shortened: L/dt = 500, held at 199 steps
    expectDelay(b, 251, 300, 5.0, 0.1, 50);
}
