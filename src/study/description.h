#pragma once
// The study window's description of a lesson step: the settings the step makes, written out in
// words for the learner before "ﾊﾟﾗﾒｰﾀ設定" applies them.
//
// The text is a sequence of blocks, in this order: control type, feedback check box, control
// parameters, limits, set-point filter, process, disturbance, feedforward model, process details
// (only the options a step switches on), secondary loop (only beyond the single loop: LOOP 1 or 2,
// or keys of the secondary loop in a step that leaves LOOP alone), SV program, DV program,
// controller panel. A written block is CR LF,
// its heading, CR LF, then its lines, each ending in CR LF; a block without lines is left out entirely. A
// line that shows a key's value is left out when that value is empty, and a line chosen by a key's value
// (control type, feedback, calculation form, mode, check boxes, pen colour) appears only for the listed
// values.
//
// Which lines appear also depends on the control type (TYPE_SELECT, or the tab now selected when
// the step leaves it empty) and the calculation form (CALC_TYPE, or the option now selected):
//  - Ti only for control type > 0, Td only for > 1, the α/β/γ set-point filter only for > 4;
//  - the limits block (MH, ML, dML) only for calculation form > 0 (the velocity forms).
// Both are taken as numbers by the leading-number rule (kestrel::val); a number too large for a
// double ("1e999") is no control type or form at all: it selects no line and enables none.
// The SV and DV program lines appear only when point 0's value (SVv0, DVv0) is given, and stop
// at the first point whose time is empty, as applying the step reads them.

#include <functional>
#include <string>
#include <string_view>

namespace kestrel {

struct StepDescription {
    /// What tbox1 shows: blocks of CR LF, heading, CR LF, lines each ending CR LF.
    std::string text;
    /// True when TYPE_SELECT or FB is non-empty or any block is written; the study window then
    /// prompts the learner to apply the step.
    bool hasSettings = false;
};

/// Reads the raw value of a key in the step's section ("" when missing). The keys are the
/// profile keys of a lesson step ("TYPE_SELECT", "Kp", "SVt3", "α" ...), in UTF-8.
using StepReader = std::function<std::string(std::string_view key)>;

/// Builds the description of one step.
/// currentTab / currentCalcType: the control-type tab and calculation form now selected in the
/// parameter window, used when TYPE_SELECT / CALC_TYPE are empty. `yield` is called before each
/// block from the control parameters on (nine calls in all, whether or not a block is written; the
/// process details and the secondary loop share the feedforward block's call),
/// so the window can let pending events run; it may be empty. Never throws for any value read.
StepDescription buildDescription(const StepReader& read, int currentTab, int currentCalcType,
                                 const std::function<void()>& yield = {});

} // namespace kestrel
