#pragma once
// A challenge: a tuning task the learner solves on a given loop, scored against stated goals, or a
// mystery process the learner identifies. Challenges are profile files in CP932 with CR LF in
// Study/Challenge/, written by teachers with a text editor:
//
//     [説明]
//     TITLE1=オフセットをなくそう
//     TEXT1=Ｐ制御ではオフセットが残ります。<BR>Kp と Ti を選び、オフセットを消しましょう。
//     [課題]
//     ; any key of a lesson step is fixed: the process, the programs, GRAPH_TM, MODE (2 if absent)
//     Kpl=1.00
//     SVv0=50
//     ; what the learner sets: field keys, TYPE_SELECT, CALC_TYPE, PV_FILTER, Kp2, Ti2, Td2
//     FREE=TYPE_SELECT,Kp,Ti,Td
//     ; the process keys (with the process type, Tpl2, the valve and Kin, Tin, Lin) are not shown
//     HIDDEN=1
//     ; goals: limit, or limit and weight (1 when left out)
//     OFFSET_MAX=0.5
//     OVERSHOOT_MAX=10,2
//     ; the hint shown when a goal is missed (each kind has a default)
//     HINT_OFFSET=積分動作が必要です
//
// A mystery process ("同定クイズ") has SEED=n instead of goals, and may narrow the ranges its
// process is drawn from: K=0.5..2, L=0.5..5, T=2..20.

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel::challenge {

/// What a goal limits; each is one measure of the run (analysis/metrics.h).
enum class GoalKind { Overshoot, Settling, Rise, Iae, Offset, MvTravel, LimitTime, Deviation, Count };

/// A goal kind's key, floor and texts, declared once.
struct GoalDef {
    GoalKind kind;
    std::string_view key;     ///< limit key in the challenge file, e.g. "OVERSHOOT_MAX"
    std::string_view hintKey; ///< its hint key, e.g. "HINT_OVERSHOOT"
    std::string_view name;    ///< what the challenge window calls it (translated in context "Challenge")
    std::string_view unit;
    /// The smallest scale of a miss: a zero limit still scores a result near it above zero.
    double floor;
    std::string_view hint; ///< shown when the goal is missed and the file gives no hint
};

extern const std::array<GoalDef, static_cast<std::size_t>(GoalKind::Count)> kGoalDefs;
const GoalDef& goalDef(GoalKind kind);

struct Goal {
    GoalKind kind = GoalKind::Overshoot;
    double limit = 0;
    double weight = 1;
    std::string hint;
};

/// The ranges a mystery process is drawn from and the seed of the draw.
struct MysteryRanges {
    std::uint64_t seed = 0;
    double kLow = 0.5, kHigh = 2.0;
    double lLow = 0.5, lHigh = 5.0;
    double tLow = 2.0, tHigh = 20.0;
};

/// Step keys and their texts, under the keys' own spelling (as the base set spells them).
using StepValues = std::map<std::string, std::string>;

struct Challenge {
    std::filesystem::path file;
    std::string title, text; ///< text with CR LF line breaks
    StepValues fixed;        ///< the settings the learner cannot change
    std::vector<std::string> freeKeys;
    bool hidden = false;
    std::vector<Goal> goals;
    std::optional<MysteryRanges> mystery;
    /// Lines the reader passed over (unknown keys and sections), each naming the file and line.
    std::vector<std::string> warnings;

    /// The file's name, which the scores and saved attempts know the challenge by.
    std::string id() const { return file.filename().string(); }
    bool isFree(std::string_view key) const;
};

/// A challenge read from a file, or why it was refused (one Japanese sentence naming the file and,
/// where it lies on one, the line).
struct LoadedChallenge {
    std::optional<Challenge> challenge;
    std::string error;
};

LoadedChallenge loadChallenge(const std::filesystem::path& file);

/// The challenge files of a folder (Study/Challenge), sorted by name.
std::vector<std::filesystem::path> challengeFiles(const std::filesystem::path& folder);

/// The key of a lesson step as the files spell it when `key` names one (ASCII case ignored);
/// nothing otherwise. Field keys, the process-detail keys (PV_NOISE … Tpl2) and PROC_TYPE, the
/// secondary loop's keys (LOOP, TYPE2, CALC2, Kp2 … Tdin, MODE2), TYPE_SELECT, FB, CALC_TYPE, MODE,
/// RH, RL, AUTO_RANGE, AUTO_PEN, PEN_COLOR, GRAPH_TM and the program keys SVv0..8, SVt1..8,
/// DVv0..8, DVt1..8.
std::optional<std::string> stepKeyName(std::string_view key);

/// The keys a learner may be given: the parameter fields, TYPE_SELECT, CALC_TYPE, the sensor
/// filter PV_FILTER and the secondary's Kp2, Ti2, Td2 (not the noise, the valve, the process type,
/// the loop structure, the secondary's mode or the inner part: those are the plant's).
bool freeableKey(std::string_view key);

/// The process keys a hidden challenge keeps from view: Kpl, Tpl, Lpl, PROC_TYPE, Tpl2, the
/// valve's VALVE_DB, VALVE_BL, STICK_S, STICK_J, VALVE_T and the inner part's Kin, Tin, Lin.
bool processKey(std::string_view key);

} // namespace kestrel::challenge
