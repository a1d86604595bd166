#pragma once
// The relay test: the loop closed through an on-off controller instead of the PID controller, so
// PV settles into a steady oscillation whose amplitude and period give the ultimate gain and
// period without bringing the loop to the edge of stability; and, to compare with, the exact
// ultimate point of the continuous first-order-plus-dead-time model.

#include "tuning/identify.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrel::tuning {

/// The relay experiment on the process model.
struct RelaySetup {
    Fopdt process{1, 1, 1};   ///< K·e^(−L·s)/(1 + T·s), stepped with the loop's own blocks
    double dt = 0.1;          ///< control period, s
    double bias = 50;         ///< MV's centre, %; the loop starts at rest there (PV = K·bias)
    std::optional<double> sv; ///< set point, %; none: PV's rest level K·bias
    double d = 10;            ///< relay amplitude, MV %
    double hysteresis = 0;    ///< ε, PV %: the relay switches when the error passes ±ε
    double timeLimit = 600;   ///< s of simulated time at most
    int steadyCycles = 3;     ///< this many cycles in a row must agree
    /// A level tank: PV sums dt·Lag_T(DeadTime_L(K·(MV − bias))), K a rate (% per second per %);
    /// it starts at rest at SV (50 % when none).
    bool integrating = false;
    double tolerance = 0.01; ///< relative change of amplitude and period allowed between them
};

/// What the relay test measured, with its trace for drawing.
struct RelayResult {
    bool steady = false;  ///< the oscillation settled within the time limit
    double amplitude = 0; ///< a: half PV's peak-to-peak over the last cycles, %
    double period = 0;    ///< Pu: their mean period, s
    double Ku = 0;        ///< 4·d / (π·√(a² − ε²))
    int cycles = 0;       ///< whole cycles run
    std::vector<double> t, pv, mv;
};

/// Runs the relay test. Each control step k the relay looks at the error of the step before,
/// e = SV − PV[k−1], as the controller does; MV[k] = bias + d·σ·r[k] with r[k] = +1 when
/// e > ε, −1 when e < −ε, r[k−1] otherwise (+1 at the start), σ the sign of K so that the relay
/// opposes the error. Then PV[k] = Lag_T(DeadTime_L(K·MV[k])). A cycle runs from one switch of
/// the relay to +1 to the next; the test ends when `steadyCycles` cycles in a row differ from
/// the cycle before by at most `tolerance` in amplitude and by at most `tolerance` or one
/// control period in period (a sampled oscillation's period is a whole number of steps), or at
/// the time limit. Empty with `error` (one Japanese line) for an unusable setup or when PV did
/// not oscillate for two cycles.
std::optional<RelayResult> relayTest(const RelaySetup& setup, std::string& error);

/// The ultimate point of the continuous model K·e^(−L·s)/(1 + T·s), or of the tank's
/// K·e^(−L·s)/(s·(1 + T·s)) when `integrating`.
struct UltimatePoint {
    double omega; ///< phase crossover ω180, rad/s: ω·L + atan(ω·T) = π (the tank's: π/2)
    double Ku;    ///< √(1 + (ω180·T)²) / |K| (the tank's: times ω180)
    double Pu;    ///< 2π / ω180, s
};
/// None when the model never reaches −180° (no dead time) or is no process (K = 0, L or T < 0).
std::optional<UltimatePoint> ultimatePoint(const Fopdt& m, bool integrating = false);

} // namespace kestrel::tuning
