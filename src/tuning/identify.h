#pragma once
// Identifying the process from an open-loop step test: the first-order-plus-dead-time model
// K·e^(−L·s)/(1 + T·s) read off PV's response to one step of MV, three ways — the tangent at the
// steepest point, the two points at 28.3 % and 63.2 % of the change, and a least-squares fit of
// the model simulated with the loop's own blocks.
//
// Times are measured from the MV step. A run with every step knows it exactly: the step whose MV
// first shows the new value. Of a sampled run only the samples either side of it are known: the
// first sample with the new value at t[i] and the one before at t[i−1], so the step was one of
// the control steps t[i−1] + dt, …, t[i]; the step time is taken as the middle of these,
// (t[i−1] + dt + t[i]) / 2, which is t[i] itself when the samples are every step.

#include "analysis/runstore.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kestrel::tuning {

/// A first-order-plus-dead-time process K·e^(−L·s)/(1 + T·s): gain (PV % per MV %), dead time
/// and time constant in s.
struct Fopdt {
    double K, L, T;
};

/// The tangent construction as drawn on the chart.
struct TangentConstruction {
    double t0;                     ///< the MV step, s
    double pv0, pvF;               ///< initial and final PV levels
    double tSteep, pvSteep, slope; ///< the steepest point and the tangent's slope (PV per s)
    double tL, tT;                 ///< where the tangent leaves pv0 (t0+L) and meets pvF (t0+L+T)
};

/// What a step test gives.
struct Identification {
    double stepTime = 0, mvChange = 0, pvChange = 0;
    /// Tangent method: the steepest point is the largest change of PV between two neighbouring
    /// samples, taken at their middle. On a response sampled every step the first step that
    /// moves is the steepest, so a model's own response gives L − dt and T + dt.
    std::optional<Fopdt> tangent;
    TangentConstruction tangentLine{};
    /// Two-point method: t28 and t63 where PV first reaches 28.3 % and 63.2 % of its change
    /// (linear between samples); T = 1.5·(t63 − t28), L = t63 − T.
    std::optional<Fopdt> twoPoint;
    /// Least squares: K, L, T minimising the squared PV error at the samples from the one
    /// before the step to the end. L is a whole number of control periods in the model's dead
    /// time plus the step time's offset from the sample where MV first shows the step (0 when
    /// sampled every step); rms is the root-mean-square error, PV %.
    std::optional<Fopdt> leastSquares;
    double rms = 0;
    /// The fitted model's PV at each sample from the one before the step on (for drawing), and
    /// the index of that first sample.
    std::vector<double> fitted;
    std::size_t fittedFrom = 0;
};

/// t, mv, pv: samples of a run (times increasing), dt the control period the run ran at. The
/// step is the largest change of MV between two neighbouring samples; PV's initial level is its
/// sample before the step, its final level the last sample. The tangent and two-point methods
/// answer only when MV holds its step (within 1 % of it) to the end, as in a step test with the
/// loop open; the least-squares fit follows whatever MV did. Empty with `error` (one Japanese
/// line) when the samples are unusable, there is no MV step or PV does not move.
std::optional<Identification> identify(const std::vector<double>& t, const std::vector<double>& mv,
                                       const std::vector<double>& pv, double dt, std::string& error);
/// Which recorded signals a step test is read from: the step's input and the response. The
/// loop's process from MV to PV by default; on a two-part process its inner part from MV to PV2
/// (the secondary in manual), or the outer loop with the inner one closed from SV2 to PV (the
/// primary in manual, the secondary in cascade).
struct Signals {
    Channel input = Channel::MV;
    Channel output = Channel::PV;
    bool operator==(const Signals&) const = default;
};

/// The same from a kept run (its every-step trace when it has one, else its samples), reading
/// the signals `pair`. Empty with `error` when the run has not both of them.
std::optional<Identification> identify(const KeptRun& run, std::string& error, Signals pair = {});
/// The time, input and output series identification reads from a run: every step when kept (the
/// inner loop's signals from its inner trace), else its samples (appended to the vectors given).
/// A signal the run has not reads as −1000.
void runSeries(const KeptRun& run, std::vector<double>& t, std::vector<double>& mv, std::vector<double>& pv,
               Signals pair = {});
/// Whether the run has both signals (channelInUse); else `error` names the one it lacks.
bool hasSignals(const KeptRun& run, Signals pair, std::string& error);

/// A least-squares fit of the model to a whole run.
struct ResponseFit {
    Fopdt model;
    double rms = 0;             ///< root-mean-square PV error, %
    std::vector<double> fitted; ///< the model's PV at each step
};
/// The least-squares fit alone, to a run whose every step is kept, whatever MV did: a
/// closed-loop set-point step with any controller included, since the process sees only MV
/// (and the disturbance, which must stay constant). The run must start at rest, as a run does.
/// Without a step to read a first guess from, the dead time is first looked for every 10
/// control periods. Empty with `error` (one Japanese line) when the run has no every-step
/// trace, DV changes, MV or PV does not move, or no model fits.
std::optional<ResponseFit> fitResponse(const KeptRun& run, std::string& error);

/// The model's response to the per-step MV sequence `mv`, simulated with the loop's own blocks
/// at dt as the process is stepped: dead time, then the first-order lag, from the steady state
/// at mv0, where PV stands at pv0:
///   PV[k] = pv0 + Lag_T(DeadTime_L(K·(mv[k] − mv0)))[k],
/// the dead time a whole number of steps (L/dt rounded, at most 199 steps).
std::vector<double> simulateFopdt(const Fopdt& m, const std::vector<double>& mv, double pv0, double mv0,
                                  double dt);

/// {"tangent":{"K":…,"L":…,"T":…},"two_point":{…},"least_squares":{"K":…,"L":…,"T":…,"rms":…}}
/// (null for a method that gave nothing) on one line without its line end, numbers in their
/// shortest round-trip form.
void writeIdentificationJson(std::ostream& out, const Identification& id);

} // namespace kestrel::tuning
