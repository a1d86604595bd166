#include "tuning/compare.h"

#include "core/messageservice.h"
#include "core/vbformat.h"
#include "engine/quiethost.h"
#include "engine/runcontrol.h"
#include "engine/simulator.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace kestrel::tuning {

namespace {

/// Colours told apart on the charts' black background, one per candidate in turn.
constexpr Rgb kTrialColours[] = {rgb(255, 255, 255), rgb(255, 255, 0),  rgb(255, 0, 255),
                                 rgb(0, 255, 255),   rgb(255, 80, 80),  rgb(255, 160, 0),
                                 rgb(128, 255, 128), rgb(140, 170, 255)};

/// Keeps the first message of a run; errors are answered with Retry (the step goes on as after
/// Retry, each fault reported once), questions with Yes.
class TrialMessages : public MessageService {
public:
    void showMessage(const std::string& text) override { keep(text); }
    bool askYesNo(const std::string&) override { return true; }
    bool askRetryCancel(const std::string& text) override {
        keep(text);
        return true;
    }
    void beep() override {}
    const std::string& first() const { return mFirst; }

private:
    void keep(const std::string& text) {
        if (mFirst.empty())
            mFirst = text;
    }
    std::string mFirst;
};

double wholeSeconds(double t) {
    return std::max(1.0, std::round(t));
}

} // namespace

CompareTest defaultTest(const ParameterSet& inForce, double sv0) {
    CompareTest test;
    test.sv0 = sv0;
    double stretch = 8.0 * (std::max(0.0, inForce.Lpl) + std::max(0.0, inForce.Tpl));
    if (!std::isfinite(stretch) || stretch < 4.0)
        stretch = 4.0;
    // The step, the disturbance and the end must fit in the longest graph time.
    stretch = std::min(stretch, 140.0);
    test.svAt = wholeSeconds(stretch / 20.0);
    test.dvAt = test.svAt + wholeSeconds(stretch);
    const double end = test.dvAt + stretch;
    test.graphTime = static_cast<int>(std::clamp(std::ceil(end / 10.0) * 10.0, 10.0, 300.0));
    return test;
}

ParameterSet trialParameters(const ParameterSet& inForce, const Candidate& c, const CompareTest& test,
                             bool& loadAtInput) {
    ParameterSet p = inForce;
    p.TYPE_SELECT = static_cast<std::int16_t>(c.controller == "P"    ? ControlType::P
                                              : c.controller == "PI" ? ControlType::PI
                                                                     : ControlType::ErrorPID);
    p.Kp = c.Kp;
    p.Ti = c.Ti.value_or(0.0);
    p.Td = c.Td.value_or(0.0);
    p.alpha = p.beta = p.gamma = 1.0;
    p.FB = -1.0;
    p.setMode(Mode::Cascade);

    // A step is a vertical segment: two points at the same time.
    auto program = [](double base, double step, double at, ProgramTexts& values, ProgramTexts& times) {
        const std::string from = shortestText(base), to = shortestText(base + step), when = shortestText(at);
        if (step == 0.0) {
            values = {from, "", "", "", "", "", "", "", ""};
            times = {"0", "", "", "", "", "", "", "", ""};
        } else {
            values = {from, from, to, "", "", "", "", "", ""};
            times = {"0", when, when, "", "", "", "", "", ""};
        }
    };
    program(test.sv0, test.svStep, test.svAt, p.SVv, p.SVt);
    program(0.0, test.dvStep, test.dvAt, p.DVv, p.DVt);

    loadAtInput = test.dvStep != 0.0 && p.Kd == 0.0 && p.Kds == 0.0;
    if (loadAtInput)
        p.Kd = 1.0;
    return p;
}

Trial runTrial(const ParameterSet& inForce, const Candidate& c, const CompareTest& test, int index) {
    Trial trial;
    trial.candidate = c;
    AppState state;
    state.params = trialParameters(inForce, c, test, trial.loadAtInput);

    NullDisplay display;
    TrialMessages messages;
    QuietRunHost host("100", "0", std::to_string(test.graphTime));
    DiscardedSettings settings;
    Simulator simulator(state, display, messages);
    RunControl run(state, simulator, host, messages, settings);

    // As the panel opens at SV, then Start in cascade and a fast run to the end.
    const ParameterSet params = state.params;
    run.loadPanel(shortestText(test.sv0), shortestText(params.Kpl));
    state.params = params;
    run.Fast();

    trial.run = captureRun(state, 0, c.label);
    trial.run.pens[1] = kTrialColours[static_cast<std::size_t>(index) % std::size(kTrialColours)];
    trial.run.chartClear = trial.run.penClear = KeptRun::kNotDrawn; // never on the panel
    trial.error = messages.first();
    return trial;
}

std::optional<double> rankValue(const Trial& t, RankBy by) {
    if (!t.error.empty() || t.run.steps.empty())
        return std::nullopt;
    const RunMetrics& m = t.run.metrics;
    switch (by) {
    case RankBy::IAE:
        return m.iae;
    case RankBy::ITAE:
        return m.itae;
    case RankBy::ISE:
        return m.ise;
    case RankBy::Overshoot:
        return m.svStep ? std::optional(m.svStep->overshootPct) : std::nullopt;
    case RankBy::Settling:
        return m.svStep ? m.svStep->settlingTime : std::nullopt;
    case RankBy::DvPeak:
        return m.dvStep ? std::optional(m.dvStep->peakDeviation) : std::nullopt;
    case RankBy::MvTravel:
        return m.mvTravel;
    }
    return std::nullopt;
}

std::vector<std::size_t> rankTrials(const std::vector<Trial>& trials, RankBy by) {
    std::vector<std::size_t> order(trials.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const auto va = rankValue(trials[a], by), vb = rankValue(trials[b], by);
        if (!vb)
            return va.has_value();
        return va && *va < *vb;
    });
    return order;
}

} // namespace kestrel::tuning
