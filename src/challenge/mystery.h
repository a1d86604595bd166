#pragma once
// The process of a mystery challenge, drawn from its seed: first-order with dead time,
// K·e^(−Ls)/(1+Ts). The draws are the same on every machine: one std::mt19937_64 seeded with the
// challenge's SEED gives K, then L, then T, each from u = (x >> 11)·2⁻⁵³ in [0, 1) as
// low + u·(high − low), rounded to the hundredths the process fields hold.

#include "challenge/challenge.h"

namespace kestrel::challenge {

struct MysteryProcess {
    double K = 1, L = 2, T = 5;
};

MysteryProcess drawProcess(const MysteryRanges& ranges);

/// The process's keys as the step format writes them (Kpl, Lpl, Tpl, "##0.00").
StepValues processValues(const MysteryProcess& p);

/// A learner's answer scored per parameter (answerScore), each weighing the same: 0..100.
struct MysteryScore {
    double score = 0;
    double sK = 0, sL = 0, sT = 0;
};
MysteryScore scoreAnswer(const MysteryProcess& answer, const MysteryProcess& truth);

} // namespace kestrel::challenge
