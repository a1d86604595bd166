#pragma once
// modPIDfnc: the discrete transfer blocks every dynamic element of the loop is built from.
//
// The blocks keep no state of their own: they read and write the two-slot histories and
// dead-time registers of the simulation state that the caller hands them, and return the new
// output, which the caller stores into slot 0 of the output history. x[k] is slot 0 of the input,
// y[k-1] slot 1 of the output. While `init` (the state's InitPending) is true every block takes
// its initialisation branch and jumps to its steady state for the current input.
//
// Blocks 1 to 4 bound their result to [-10000, +10000] (strict comparisons) and flush a result
// whose magnitude is below 1e-300 to 0: a settled loop's decaying terms (the D term, a lag
// approaching 0) would otherwise sink into subnormal numbers, whose arithmetic is many times
// slower, and stay there. Every arithmetic result passes the block's check: CheckEach makes a
// non-finite value run-time error 6, so it is never returned; CheckAtEnd (the step's straight
// pass, see Simulator) notes it instead.

#include "core/convert.h"
#include "core/runtimeerror.h"
#include "engine/history.h"

#include <cmath>

namespace kestrel {

inline constexpr double kBlockLimit = 10000.0;
/// Block results of smaller magnitude become 0 (exact zeros keep their sign).
inline constexpr double kFlushBelow = 1e-300;

/// The common output limit of blocks 1 to 4, with the flush of subnormal-bound results.
inline double limitOutput(double y) {
    const double magnitude = std::fabs(y);
    if (magnitude <= kBlockLimit && magnitude >= kFlushBelow) [[likely]]
        return y;
    if (y > kBlockLimit)
        return kBlockLimit;
    if (y < -kBlockLimit)
        return -kBlockLimit;
    if (magnitude < kFlushBelow && y != 0.0)
        return 0.0;
    return y;
}

/// Checks each value as it is computed: a non-finite one is run-time error 6.
struct CheckEach {
    double operator()(double x) const { return checkFinite(x); }
    /// The same for a value that a comparison or a limit would hide.
    double here(double x) const { return checkFinite(x); }
    /// A block's result, checked, then limited.
    double limited(double x) const { return limitOutput(checkFinite(x)); }
};

/// The checks of the step's straight pass, which cost no branch where the pass can look later:
/// a value the step stores goes through as it is (the pass looks at every stored result when it
/// ends), while a non-finite value that a comparison or the block limit would hide is noted
/// (`failed`) where it appears. A block result within the limit is finite without a look.
struct CheckAtEnd {
    bool failed = false;
    double operator()(double x) const { return x; }
    double here(double x) {
        if (!(x - x == 0.0)) [[unlikely]]
            failed = true;
        return x;
    }
    double limited(double x) {
        const double magnitude = std::fabs(x);
        if (magnitude <= kBlockLimit && magnitude >= kFlushBelow) [[likely]]
            return x;
        return limitOutput(here(x));
    }
};

/// 1/(1 + T·s), backward difference:
///   y[k] = T/(T+dt)·y[k-1] + dt/(T+dt)·x[k]            when T > 0 and not init;
///   y[k] = x[k], and y[k-1] is overwritten with x[k]   otherwise.
/// The output limit applies in both branches.
template <class Check = CheckEach>
inline double FirstOrderLag(double x0, History& y, double T, double dt, bool init, Check&& check = {});

/// 1 + K·s, proportional plus difference:
///   y[k] = x[k] + K·(x[k] - x[k-1])/dt                 when K > 0 and not init;
///   y[k] = x[k], and y[k-1] is overwritten with x[k]   otherwise.
/// The output limit applies in both branches; finally x[k-1] is overwritten with x[k].
template <class Check = CheckEach>
inline double LeadStage(History& x, History& y, double K, double dt, bool init, Check&& check = {});

/// 1/(T·s), rectangular:
///   y[k] = y[k-1] + x[k]·dt/T, limited                  when T > 0 and not init;
///   y[k] = 0, and y[k-1] is overwritten with 0          otherwise.
template <class Check = CheckEach>
inline double Integrator(double x0, History& y, double T, double dt, bool init, Check&& check = {});

/// Td·s/(1 + η·Td·s), backward difference:
///   y[k] = (Td·(x[k] - x[k-1]) + η·Td·y[k-1]) / (η·Td + dt), limited   when Td > 0 and not init;
///   y[k] = 0, and y[k-1] is overwritten with 0                         otherwise.
template <class Check = CheckEach>
inline double IncompleteDerivative(const History& x, History& y, double Td, double dt, double eta, bool init,
                                   Check&& check = {});

/// Dead time as a shift register b[0..200]:
///   b[0] = x[k]; when init every slot 200..1 = x[k], otherwise b[i] = b[i-1] for i = 200..1;
///   n = L/dt + 1 rounded to a 16-bit integer (ties to even), at most 200; result = b[n].
/// The delay is n - 1 steps: L = 0 gives none, the longest is 199 steps. The caller writes the
/// result into b[0], where the following block reads it; the next call overwrites it first.
inline double DeadTime(double x0, DeadTimeBuffer& b, double L, double dt, bool init);

/// Delay in register slots for a dead time L at control period dt (the n above).
inline int deadTimeSlot(double L, double dt);

// The blocks run several times per step; they are defined here so the step can inline them.

template <class Check>
inline double FirstOrderLag(double x0, History& y, double T, double dt, bool init, Check&& check) {
    if (T > 0.0 && !init)
        return check.limited(T / (T + dt) * y[1] + dt / (T + dt) * x0);
    y[1] = x0;
    return limitOutput(x0);
}

/// The same lag, keeping its coefficients in the output history.
template <class Check = CheckEach>
inline double FirstOrderLag(double x0, LagHistory& y, double T, double dt, bool init, Check&& check = {}) {
    if (T > 0.0 && !init) {
        y.coefficientsFor(T, dt);
        return check.limited(y.coefY * y[1] + y.coefX * x0);
    }
    y[1] = x0;
    return limitOutput(x0);
}

template <class Check>
inline double LeadStage(History& x, History& y, double K, double dt, bool init, Check&& check) {
    double result;
    if (K > 0.0 && !init) {
        result = check.limited(x[0] + K * (x[0] - x[1]) / dt);
    } else {
        result = limitOutput(x[0]);
        y[1] = x[0];
    }
    x[1] = x[0];
    return result;
}

template <class Check>
inline double Integrator(double x0, History& y, double T, double dt, bool init, Check&& check) {
    if (T > 0.0 && !init)
        return check.limited(y[1] + x0 * dt / T);
    y[1] = 0.0;
    return 0.0;
}

template <class Check>
inline double IncompleteDerivative(const History& x, History& y, double Td, double dt, double eta, bool init,
                                   Check&& check) {
    if (Td > 0.0 && !init) {
        const double den = eta * Td + dt;
        if (den == 0.0)
            throw RuntimeError::divisionByZero();
        return check.limited((Td * (x[0] - x[1]) + eta * Td * y[1]) / den);
    }
    y[1] = 0.0;
    return 0.0;
}

inline int deadTimeSlot(double L, double dt) {
    if (dt == 0.0)
        throw RuntimeError::divisionByZero();
    int n = toInt16(checkFinite(L / dt + 1.0));
    if (n > 200)
        n = 200;
    if (n < 0)
        throw RuntimeError::subscriptOutOfRange();
    return n;
}

[[gnu::always_inline]] inline double DeadTime(double x0, DeadTimeBuffer& b, double L, double dt, bool init) {
    if (init) {
        b[0] = x0;
        b.fill(x0);
    } else {
        b.push(x0);
    }
    if (L != b.mSlotL || dt != b.mSlotDt) {
        b.mSlot = deadTimeSlot(L, dt);
        b.mSlotL = L;
        b.mSlotDt = dt;
    }
    return b[b.mSlot];
}

} // namespace kestrel
