#pragma once
// A closed loop for the engine tests: the records, a recording display, a message fake and the
// step, with the bumpless seeding that run control performs before a run.

#include "engine/appstate.h"
#include "engine/simulator.h"
#include "fakes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

namespace kestrel::test {

constexpr double kTol = 1e-9;

struct Loop {
    AppState app;
    RecordingDisplay display;
    FakeMessages messages;
    Simulator sim{app, display, messages};
    ParameterSet& p = app.params;
    SimulationState& s = app.sim;

    /// Seeds every history and register for the current SV, MV and DV the way Data_inz does and
    /// marks the next step as the initialising one: PV = MV, bA = PV/Kpl, errors SV - PV.
    void seed(double sv, double mv, double dv = 0.0) {
        s.InitPending = true;
        for (History* h : {&s.SV, static_cast<History*>(&s.SvLag), &s.SvFilt})
            h->set(sv);
        for (History* h :
             {&s.MvCtrl, &s.MV, &s.MvInt, &s.PV, &s.ProcIn, &s.PlantIn, static_cast<History*>(&s.PlantOut)})
            h->set(mv);
        s.MvExcess.set(0.0);
        for (History* h : {&s.Ep, &s.P, &s.I, &s.PI, &s.Ed, &s.Dk})
            h->set(sv - mv);
        s.D.set(0.0);
        p.bA = mv / p.Kpl;
        s.MvPos.set(s.PI[0] + s.D[0] + p.bA);
        for (History* h : {&s.FfIn, static_cast<History*>(&s.FfLag), &s.FfOut, &s.DV, &s.DistIn,
                           static_cast<History*>(&s.DistOut)})
            h->set(dv);
        s.FfDelayed.fill(dv, 200);
        s.DistDelayed.fill(dv, 200);
        s.PlantDelayed.fill(mv, 200);
    }

    /// Automatic mode, the given form, P term only (Ti = Td = 0).
    void proportional(double kp, int form = 0) {
        p.MODE = 1;
        p.CALC_TYPE = static_cast<std::int16_t>(form);
        p.Kp = kp;
        p.Ti = 0;
        p.Td = 0;
    }

    /// A process of gain 1 without lag or dead time: PV is the process input of the same step.
    void instantProcess() {
        p.Kpl = 1;
        p.Tpl = 0;
        p.Lpl = 0;
    }

    /// A run in progress from SimTime 0 with the given decimation.
    void startRun(int ratio) {
        s.Running = true;
        s.SimTime = 0;
        s.SampleIndex = 0;
        s.DecimationCount = 0;
        s.DecimationRatio = static_cast<std::int16_t>(ratio);
    }

    bool step() { return sim.MainCalc(); }

    /// One step in which the controller reads the given process value (PV[k] as the previous
    /// step's process left it), so a test can shape the error freely.
    bool stepWithPv(double pv) {
        s.PV[0] = pv;
        return sim.MainCalc();
    }
};

inline std::unique_ptr<Loop> makeLoop() {
    return std::make_unique<Loop>();
}

/// Every two-slot history of the state, by name.
inline std::vector<std::pair<const char*, const History*>> histories(const SimulationState& s) {
    // clang-format off
    return {{"SV", &s.SV}, {"PV", &s.PV}, {"DV", &s.DV}, {"MV", &s.MV}, {"MvCtrl", &s.MvCtrl},
            {"SvLag", &s.SvLag}, {"SvFilt", &s.SvFilt}, {"Ep", &s.Ep}, {"Ed", &s.Ed}, {"P", &s.P},
            {"I", &s.I}, {"PI", &s.PI}, {"Dk", &s.Dk}, {"D", &s.D}, {"MvPos", &s.MvPos}, {"MvInt", &s.MvInt},
            {"MvExcess", &s.MvExcess}, {"FfIn", &s.FfIn}, {"FfLag", &s.FfLag}, {"FfOut", &s.FfOut},
            {"ProcIn", &s.ProcIn}, {"PlantIn", &s.PlantIn}, {"PlantOut", &s.PlantOut}, {"DistIn", &s.DistIn},
            {"DistOut", &s.DistOut}, {"ValveDb", &s.ValveDb}, {"ValveBl", &s.ValveBl}, {"ValveSt", &s.ValveSt},
            {"VP", &s.VP}, {"PlantLag", &s.PlantLag}, {"PvTrue", &s.PvTrue}, {"OP", &s.OP}, {"SV2", &s.SV2},
            {"PV2", &s.PV2}, {"SvLag2", &s.SvLag2}, {"SvFilt2", &s.SvFilt2}, {"Ep2", &s.Ep2}, {"Ed2", &s.Ed2},
            {"P2", &s.P2}, {"I2", &s.I2}, {"PI2", &s.PI2}, {"Dk2", &s.Dk2}, {"D2", &s.D2}, {"MvPos2", &s.MvPos2},
            {"MvCtrl2", &s.MvCtrl2}, {"MvInt2", &s.MvInt2}, {"MvExcess2", &s.MvExcess2}, {"InnerIn", &s.InnerIn},
            {"InnerOut", &s.InnerOut}, {"InnerDistIn", &s.InnerDistIn}, {"InnerDistOut", &s.InnerDistOut}};
    // clang-format on
}

/// Both slots of every history, in the order of histories().
inline std::vector<double> historyValues(const SimulationState& s) {
    std::vector<double> v;
    for (const auto& [name, h] : histories(s))
        v.insert(v.end(), {(*h)[0], (*h)[1]});
    return v;
}

/// Each value near the expected one, told apart by its index.
inline void expectNear(const std::vector<double>& got, const std::vector<double>& want, double tol = kTol) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], want[i], tol) << "value " << i;
}

} // namespace kestrel::test
