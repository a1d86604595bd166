#pragma once
// A step test on the inner part of a cascade loop, run and kept as the panel does: the loop at
// rest (Data_inz), both controllers in manual, MV stepped by hand, every step recorded.

#include "../engine/looptest.h"
#include "analysis/runstore.h"
#include "engine/runcontrol.h"

namespace kestrel::test {

/// LOOP 1 with the inner part Kin 2, Tin 3 s, Lin 0.5 s and the outer part K 1, T 5 s, L 1 s at
/// dt 0.1 s; MV 30 % then 40 % from 1 s, 45 s in all.
inline KeptRun cascadeStepTest() {
    Loop l;
    FakeHost host;
    FakeSettings settings;
    RunControl rc{l.app, l.sim, host, l.messages, settings};
    std::tie(l.p.LOOP, l.p.MODE, l.p.MODE2, l.p.Kin, l.p.Tin, l.p.Lin, l.p.Lpl) =
        std::tuple(1, 0, 0, 2.0, 3.0, 0.5, 1.0);
    l.s.MV.set(30);
    rc.Param_set();
    rc.Data_inz();
    l.startRun(1);
    l.app.trace.restart(0.1, 450);
    for (int k = 0; k < 450; ++k) {
        l.s.MV[0] = k < 10 ? 30 : 40;
        l.step();
    }
    return captureRun(l.app, 0, "内側のステップ試験"); // numbered when the store keeps it
}

} // namespace kestrel::test
