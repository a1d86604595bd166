#pragma once
// The run a challenge scores, written once for the challenge window and the batch grading, so both
// give the same score to the last digit.
//
// The settings of an attempt are the base set (Study/ParaInz.txt), the presets of the control type
// the attempt uses, the challenge's fixed settings (with a mystery challenge's drawn process), and
// last the learner's free settings; a key outside FREE is never taken from the learner. They are
// applied to a set-up document as "ﾊﾟﾗﾒｰﾀ設定" and "学習表示" apply a lesson step, and the run
// starts in cascade from point 0 of the SV and DV programs, so it is the same whatever ran before.

#include "analysis/metrics.h"
#include "challenge/challenge.h"
#include "challenge/mystery.h"
#include "challenge/scoring.h"
#include "engine/appstate.h"
#include "setup/setupdocument.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kestrel::challenge {

/// Every key of a lesson step that makes a setting, in the order a step save writes them.
const std::vector<std::string>& allStepKeys();

/// The settings an attempt runs with: base set, type presets, fixed, free (as above).
StepValues attemptSettings(const AppFolders& folders, const Challenge& c, const StepValues& free);

/// Applies `values` to `document` (over `state`, the document's own) as one lesson step: the step
/// apply, then every group and program apply. Messages of the applies go to the document's message
/// service. False when the step could not be handed over (no temporary file could be written).
bool applySettings(SetupDocument& document, AppState& state, const StepValues& values);

/// The learner's free settings as the document holds them (the field texts, the process-detail
/// and secondary-loop texts, the control type page and the calculation form).
StepValues freeValues(const SetupDocument& document, const Challenge& c);

struct AttemptRun {
    RunMetrics metrics;
    std::vector<StepSample> steps; ///< every step of the run
    double dt = 0;
    /// What the run reported (each error once); empty for a clean run.
    std::vector<std::string> messages;
};

/// The run of an attempt without a window: the settings applied to a document of its own, the
/// panel's Start in cascade, every step to the end of the graph time.
AttemptRun runAttempt(const AppFolders& folders, const Challenge& c, const StepValues& free);

/// A mystery challenge's process; none for a challenge with goals.
std::optional<MysteryProcess> mysteryProcess(const Challenge& c);

/// Writes an attempt as a project: [説明] with the challenge's title and text, [手順1] with the
/// fixed and the free settings (a hidden challenge's process keys, its process type, Tpl2, valve
/// keys and inner part Kin, Tin, Lin left out: grading takes the process from the challenge file), [挑戦]
/// FILE = the challenge's file name, and for a mystery challenge the learner's answer as [解答] K, L, T. The
/// file is replaced whole. False, with a Japanese sentence in `error`, when it could not be written.
bool saveAttempt(const std::filesystem::path& project, const Challenge& c, const StepValues& free,
                 const std::optional<MysteryProcess>& answer, std::string& error);

} // namespace kestrel::challenge
