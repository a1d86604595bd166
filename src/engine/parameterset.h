#pragma once
// ParameterSet: the definition of one experiment as the engine reads it at every step.

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string>

namespace kestrel {

/// Control types, the six tab pages of the parameter window (key TYPE_SELECT).
enum class ControlType : std::int16_t { P = 0, PI = 1, ErrorPID = 2, I_PD = 3, PI_D = 4, TwoDofPID = 5 };

/// Controller forms (key CALC_TYPE): position, velocity, and velocity whose internal accumulator
/// runs unlimited while only the output is limited.
enum class CalcForm : std::int16_t { Position = 0, Velocity = 1, VelocityUnlimited = 2 };

/// Process types (key PROC_TYPE): first order with dead time; second order, a second lag Tpl2
/// after Tpl; integrating (a level tank), whose output accumulates the lagged input.
enum class ProcessType : std::int16_t { FirstOrder = 0, SecondOrder = 1, Integrating = 2 };

/// Operating modes of the controller (key MODE): manual (M), automatic (A), cascade (C).
enum class Mode : std::int16_t { Manual = 0, Automatic = 1, Cascade = 2 };

/// Loop structures (key LOOP): the single loop; cascade control, a secondary controller closing
/// an inner loop around the inner part of a two-part process; the primary alone on the same
/// two-part process (so single-loop and cascade control can be compared on one plant).
enum class LoopStructure : std::int16_t { Single = 0, Cascade = 1, SingleTwoPart = 2 };

/// Modes of the secondary controller (key MODE2): manual, automatic on its own local set-point,
/// cascade (its set-point is the primary's output OP).
enum class SecondaryMode : std::int16_t { Manual = 0, Automatic = 1, Cascade = 2 };

/// Control types of the secondary controller (key TYPE2).
enum class SecondaryType : std::int16_t { P = 0, PI = 1, PID = 2 };

/// Engine values of one experiment. The parameter window holds each value as a text and converts
/// it when its group is applied; the field names are the keys of the lesson and project files.
/// Times are in seconds, MV values and limits in percent.
///
/// Ranges the window enforces and the engine relies on: dt > 0 (0.02..2 s); Kpl >= 0.01 (the
/// bias and the start values divide by it); dead times L <= 200 * dt; Ti = 0 and Td = 0 switch
/// the integral and the derivative off.
struct ParameterSet {
    /// Control type (ControlType) as stored: 0 P .. 5 two-degree-of-freedom PID. The
    /// equations see it only through the presets of Ti, Td, alpha, beta, gamma; the step reads
    /// it to choose the recorded per-term pen channels.
    std::int16_t TYPE_SELECT = 2;
    /// Feedback coefficient: -1.0 connected, 0.0 open loop (key FB 1 / 0).
    double FB = -1.0;
    /// Controller form (CalcForm) as stored: 0 position, 1 velocity, 2 velocity, unlimited inside.
    std::int16_t CALC_TYPE = 0;
    double dt = 0.1; ///< control period, s

    double Kp = 1.0, Ti = 1.0, Td = 0.0;         ///< gain, integral time s, derivative time s
    double MH = 100.0, ML = 0.0, dML = 100.0;    ///< MV limits %, MV rate limit % per period
    double alpha = 1.0, beta = 1.0, gamma = 1.0; ///< set-point filter coefficients α, β, γ

    double Kpl = 1.0, Tpl = 5.0, Lpl = 2.0;           ///< process gain, lag s, dead time s
    double Kd = 0.0, Kds = 0.0, Tds = 0.0, Lds = 0.0; ///< disturbance at the input; path to PV
    double Kf = 0.0, Tfd = 0.0, Tfp = 0.0, Lf = 0.0;  ///< feedforward gain, lag, lead, dead time

    /// What makes a real loop misbehave; every value 0 (and PROC_TYPE 0) leaves the loop ideal.
    /// Measurement: noise of standard deviation PV_NOISE (% of range) on the process output, then
    /// the sensor filter, a lag of PV_FILTER s. The noise generator starts from NOISE_SEED (a whole
    /// number 0..16777215) at every Start.
    double PV_NOISE = 0.0, NOISE_SEED = 1.0, PV_FILTER = 0.0;
    /// Valve, in the order the command passes them: deadband VALVE_DB, backlash VALVE_BL, stick
    /// band STICK_S and slip jump STICK_J (all % of travel), then a lag of VALVE_T s.
    double VALVE_DB = 0.0, VALVE_BL = 0.0, STICK_S = 0.0, STICK_J = 0.0, VALVE_T = 0.0;
    /// Process type (ProcessType) as stored; Tpl2 is the second lag, s, of the second-order type.
    /// For the integrating type Kpl is a rate: % per second per % of input.
    std::int16_t PROC_TYPE = 0;
    double Tpl2 = 0.0;

    /// Loop structure (LoopStructure) as stored. With 1 or 2 the process has two parts: the inner
    /// part from the process input to the secondary measurement PV2, Kin·e^(-Lin·s)/(1+Tin·s), with
    /// an inner disturbance Kdin/(1+Tdin·s) on DV, and the outer part from PV2 to PV (Kpl, Tpl, Lpl
    /// and the process type). With 1 the secondary controller drives MV.
    std::int16_t LOOP = 0;
    /// The secondary controller: type (SecondaryType) and form (CalcForm) as stored, gain,
    /// integral and derivative time (s; Ti2 acts from PI, Td2 from PID), MV limits and rate limit
    /// (%, % per period), mode (SecondaryMode) as stored. Its set-point filter passes SV2 through
    /// (α = β = γ = 1), its derivative filter η is 0.1.
    std::int16_t TYPE2 = 1, CALC2 = 1;
    double Kp2 = 1.0, Ti2 = 1.0, Td2 = 0.0;
    double MH2 = 100.0, ML2 = 0.0, dML2 = 100.0;
    std::int16_t MODE2 = 2;
    /// The inner part of the process: gain, lag s, dead time s; the inner disturbance: gain, lag s.
    double Kin = 1.0, Tin = 1.0, Lin = 0.0;
    double Kdin = 0.0, Tdin = 0.0;

    /// SV and DV programs: value (%) and time (s) texts of points 0..8, converted at every
    /// evaluation. The time of point 0 is "0"; an empty time ends the program.
    std::array<std::string, 9> SVv{"50", "", "", "", "", "", "", "", ""};
    std::array<std::string, 9> SVt{"0", "", "", "", "", "", "", "", ""};
    std::array<std::string, 9> DVv{"0", "", "", "", "", "", "", "", ""};
    std::array<std::string, 9> DVt{"0", "", "", "", "", "", "", "", ""};

    /// Operating mode (Mode) as stored: 0 manual, 1 automatic, 2 cascade.
    std::int16_t MODE = 0;

    /// Any valve stage acts (otherwise the valve position is the command).
    bool valveActive() const {
        // One comparison: the largest of them is above 0 when any is (the window gives no NaN).
        const double m =
            std::max(std::max(std::max(VALVE_DB, VALVE_BL), std::max(STICK_S, STICK_J)), VALVE_T);
        return m > 0.0;
    }
    /// An unknown stored type runs as the first-order process.
    ProcessType processType() const {
        return PROC_TYPE == 1 || PROC_TYPE == 2 ? static_cast<ProcessType>(PROC_TYPE)
                                                : ProcessType::FirstOrder;
    }
    /// Every option exactly as the base set leaves it: each value +0, PROC_TYPE and LOOP 0, so nothing
    /// beyond the ideal loop acts. The step asks at every step, so it is one test of the values'
    /// bits together; any other value (even one that acts as off) lets the step look closer.
    bool idealLoop() const {
        const auto bits = [](double v) { return std::bit_cast<std::uint64_t>(v); };
        return ((bits(PV_NOISE) | bits(PV_FILTER) | bits(VALVE_DB) | bits(VALVE_BL) | bits(STICK_S) |
                 bits(STICK_J) | bits(VALVE_T)) == 0) &
               ((PROC_TYPE | LOOP) == 0);
    }
    /// The measurement has noise (PV_NOISE > 0) or a sensor filter (PV_FILTER > 0).
    bool sensorActive() const { return std::max(PV_NOISE, PV_FILTER) > 0.0; }
    /// An unknown stored structure runs as the single loop.
    LoopStructure loopStructure() const {
        return LOOP == 1 || LOOP == 2 ? static_cast<LoopStructure>(LOOP) : LoopStructure::Single;
    }
    /// The process has its two parts (cascade, or the single loop on the two-part process).
    bool twoPart() const { return loopStructure() != LoopStructure::Single; }
    /// The secondary controller closes the inner loop.
    bool cascadeLoop() const { return loopStructure() == LoopStructure::Cascade; }
    SecondaryMode secondaryMode() const {
        return MODE2 == 0 || MODE2 == 1 ? static_cast<SecondaryMode>(MODE2) : SecondaryMode::Cascade;
    }
    ControlType controlType() const { return static_cast<ControlType>(TYPE_SELECT); }
    CalcForm calcForm() const { return static_cast<CalcForm>(CALC_TYPE); }
    Mode mode() const { return static_cast<Mode>(MODE); }
    void setMode(Mode m) { MODE = static_cast<std::int16_t>(m); }

    /// Bias bA, %: set when a run is initialised, shown in the bias field; not a file key.
    double bA = 50.0;
    /// Balance B of the integrating process, %: the input at which its output stands still. Set
    /// with bA when a run is initialised; not a file key.
    double Balance = 50.0;
    /// Derivative filter coefficient η, fixed at start-up.
    double eta = 0.1;
    /// Bias bA2 of the secondary controller, %: set when the loop or the secondary is
    /// initialised; not a file key.
    double bA2 = 50.0;
};

} // namespace kestrel
