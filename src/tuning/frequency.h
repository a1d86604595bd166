#pragma once
// Frequency response of the control loop, its stability margins and the PI stability region.
//
// Loop transfer function L(jω) = C(jω)·P(jω), continuous time, dead time exact:
//   controller  C(s) = Kp·(1 + 1/(Ti·s) + Td·s/(1 + η·Td·s))   (error-based PID)
//               P control has no I or D term, PI no D term; a zero Ti or Td drops its term. All
//               PID types (error PID, I-PD, PI-D, two-degree-of-freedom) share this C(s): the
//               set-point weights do not act on the loop.
//   process     P(s) = K·e^(−L·s) / ((1 + T·s)(1 + T2·s)(1 + Tv·s)(1 + Tf·s)) · (1/s for a tank)
//               T2 the second lag of a second-order process, Tv the valve's lag, Tf the sensor
//               filter, each left out when 0; a level tank integrates, its K a rate (% per s per %).
//               The valve's deadband, backlash and stick-slip and the measurement noise are not
//               linear and are left out: the response is the loop's for small, smooth signals.
// The phase is unwrapped by construction: arg C/Kp lies in (−90°, 90°) and the process adds
// −ωL − atan(ωT) − atan(ωT2) − atan(ωTv) − atan(ωTf) (and −90° for a tank), so crossings of
// −180° are found on a continuous curve.
//
// The sampled loop (control period dt) is the loop as the step computes it, its blocks taken
// at z = e^(jω·dt) for 0 < ω ≤ π/dt (beyond the Nyquist frequency π/dt the response repeats):
//   controller  Kp·(1 + (dt/Ti)/(1 − z⁻¹) + Td·(1 − z⁻¹)/((η·Td + dt) − η·Td·z⁻¹))
//               (rectangular integrator, backward-difference incomplete derivative)
//   process     K·z^−(n−1)·G(T)·G(T2)·G(Tv)·G(Tf) (· dt/(1 − z⁻¹) for a tank), with each lag
//               G(τ) = (dt/(τ + dt))/(1 − τ/(τ + dt)·z⁻¹) (1 for τ = 0), n = L/dt + 1 rounded
//               (ties to even), at most 200: the dead-time register, the backward-difference
//               lags and the tank's rectangular sum, all within the step
//   and z⁻¹ more, because the controller of a step reads the PV of the step before.
// Set-point filter, limits and the velocity forms do not change the loop while no limit acts.
// The sampled margins are worth showing when dt > L/10.

#include "tuning/relay.h"

#include <complex>
#include <optional>
#include <string>
#include <vector>

namespace kestrel::tuning {

/// The loop: controller type (TYPE_SELECT 0..5), its settings, the process model.
struct Loop {
    int type = 2;                        ///< 0 P, 1 PI, 2..5 PID types
    double Kp = 1.0, Ti = 0.0, Td = 0.0; ///< gain, integral time s (0 none), derivative time s
    double eta = 0.1;                    ///< derivative filter coefficient η
    double K = 1.0, L = 0.0, T = 1.0;    ///< process gain, dead time s, time constant s
    double T2 = 0.0;                     ///< second lag s (0: none)
    double Tv = 0.0, Tf = 0.0;           ///< valve lag and sensor filter s (0: none)
    bool integrating = false;            ///< a level tank: the process integrates, K a rate
};

/// Empty when the loop can be analysed; otherwise a one-line Japanese reason (type out of range,
/// a value not finite, Kp·K not positive, T, T2, Tv, Tf, Ti, Td, η or L negative).
std::string loopError(const Loop& loop);

/// L(jω) of the continuous loop (dt = 0) or of the sampled loop at control period dt.
std::complex<double> loopResponse(const Loop& loop, double w, double dt = 0.0);

/// Unwrapped phase of L(jω), radians.
double loopPhase(const Loop& loop, double w, double dt = 0.0);

/// Stability margins. Empty optionals where the margin does not exist (no phase crossover, no
/// gain crossover).
struct Margins {
    std::optional<double> gainMargin;     ///< 1/|L(jω_pc)| at the lowest phase crossover
    std::optional<double> phaseMarginDeg; ///< 180° + arg L(jω_gc) at the first gain crossover, degrees
    std::optional<double> wgc, wpc;       ///< gain and phase crossover frequencies, rad/s
    std::optional<double> Ms;             ///< max over ω of 1/|1 + L(jω)|; empty if L passes through −1
};

/// Margins of the loop (dt = 0) or of the sampled loop (dt > 0). Assumes loopError(loop) is empty.
Margins loopMargins(const Loop& loop, double dt = 0.0);

/// Whether the sampled margins differ enough from the continuous ones to be shown: dt > L/10.
inline bool sampledMarginsMatter(double dt, double L) {
    return dt > L / 10.0;
}

struct BodePoint {
    double w, magnitudeDb, phaseDeg; ///< rad/s, 20·log10|L|, unwrapped arg L in degrees
};
struct NyquistPoint {
    double w, re, im;
};

/// The process alone, P(jω) of the continuous loop (the controller left out).
std::complex<double> processResponse(const Loop& loop, double w);

/// The frequencies of the charts: `count` log-spaced values over five decades, from a thousandth
/// to a hundred times the gain crossover (else the phase crossover, else 1/max of the loop's times).
std::vector<double> chartFrequencies(const Loop& loop, int count = 500);

/// The response at the frequencies `w`; for the sampled loop only those up to π/dt.
std::vector<BodePoint> bodeData(const Loop& loop, const std::vector<double>& w, double dt = 0.0);
std::vector<NyquistPoint> nyquistData(const Loop& loop, const std::vector<double>& w, double dt = 0.0);

/// One point of the PI stability boundary: the Kp and Ki = Kp/Ti that put L(jω) at −1,
/// from −1/(Kp − j·Ki/ω) = P(jω): Kp = Re(−1/P(jω)), Ki = ω·Im(1/P(jω)).
struct BoundaryPoint {
    double w, Kp, Ki;
};

/// The boundary from ω = 0 (Kp = −1/K, Ki = 0; a tank starts at 0, 0) to ω180, where arg P = −180°
/// (Kp = Ku, Ki = 0) and L(jω) = −1 under P control, `count` points evenly spaced in ω. Loops with
/// (Kp, Ki) inside the curve and above Ki = 0 are stable. Only the process of `loop` counts (K, L,
/// T, T2, Tv, Tf, integrating). Empty, with `error` set, when the process never reaches −180°.
std::vector<BoundaryPoint> piStabilityBoundary(const Loop& loop, std::string& error, int count = 200);
/// The same for the first-order process with dead time K·e^(−L·s)/(1 + T·s).
std::vector<BoundaryPoint> piStabilityBoundary(double K, double L, double T, std::string& error,
                                               int count = 200);

} // namespace kestrel::tuning
