#include "analysis/runstore.h"

#include "core/translate.h"
#include "setup/fieldtable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kestrel {

namespace {

constexpr std::array<const char*, kChannelCount> kChannelNames{"SV",    "PV",  "MV",  "DV",    "E",  "P",
                                                               "I",     "D",   "FF",  "Kd·DV", "DS", "PVtrue",
                                                               "VALVE", "SV2", "PV2", "P2",    "I2", "D2"};
/// Pen-recorder channel of each Channel from E on (SV, PV, MV, DV come from the chart's record).
constexpr std::array<int, kChannelCount> kPenChannel{0, 10, 5,  6,  1,  2,  3,  4,  7,
                                                     8, 9,  11, 12, 13, 14, 15, 16, 17};

std::string localTime(std::time_t when, const char* format) {
    std::tm tm{};
    localtime_r(&when, &tm);
    char text[32];
    return std::strftime(text, sizeof text, format, &tm) ? text : "";
}

/// A number as the summary writes it: six significant digits, no trailing zeros.
std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", v);
    return text;
}

/// Slack of a time look-up: the times are sums of the period, the cursor's a multiple of it.
double slackOf(const KeptRun& run) {
    return run.dt * 1e-3;
}

} // namespace

const char* channelName(Channel c) {
    return kChannelNames[static_cast<int>(c)];
}

bool channelInUse(const KeptRun& run, Channel c) {
    if (isInnerChannel(c)) {
        const std::vector<double>& v = run.values[static_cast<int>(c)];
        return std::any_of(v.begin(), v.end(), [](double x) { return x != kNoSignal; });
    }
    return !(run.params.controlType() == ControlType::P && (c == Channel::I || c == Channel::D));
}

const KeptRun& RunStore::add(KeptRun run) {
    if (run.number <= 0)
        run.number = mNext;
    mNext = std::max(mNext, run.number + 1);
    mRuns.push_back(std::move(run));
    while (mRuns.size() > kCapacity)
        mRuns.pop_front();
    ++mRevision;
    return mRuns.back();
}

const KeptRun* RunStore::find(int number) const {
    for (const KeptRun& r : mRuns)
        if (r.number == number)
            return &r;
    return nullptr;
}

KeptRun captureRun(const AppState& state, int number, std::string label) {
    const auto& rec = state.rec;
    const auto& chart = state.chart;
    KeptRun run;
    run.number = number;
    run.startedAt = localTime(state.trace.started, "%Y-%m-%d %H:%M:%S");
    run.label = label.empty() ? trArgs(KESTREL_TR("Runs", "ラン %1 (%2)"),
                                       {std::to_string(number), localTime(state.trace.started, "%H:%M:%S")})
                              : std::move(label);
    run.params = state.params;
    run.processHidden = state.study.ProcessHidden;
    run.rangeHigh = chart.RH;
    run.rangeLow = chart.RL;
    run.graphTime = chart.GraphTime;
    run.mvHigh = chart.MvStripHigh;
    run.mvLow = chart.MvStripLow;
    run.dt = state.trace.dt > 0 ? state.trace.dt : state.params.dt;

    // The record is on the graph selected while it was taken.
    const int n = std::clamp<int>(state.sim.SamplesRecorded, 0, Recording::kSamples);
    const int g = std::clamp<int>(chart.CurrentGraph, 0, 1);
    run.graph = g;
    run.chartClear = rec.ChartClears;
    run.penClear = rec.PenClears;
    for (int c = 0; c < 4; ++c)
        run.pens[c] = chart.PenColor[g][c];
    run.historyPen = chart.HistoryPenColor;
    run.dvOffset = rec.TrendDvOffset[g];

    run.time.assign(rec.TrendTime[g].begin(), rec.TrendTime[g].begin() + n);
    run.penTime.assign(rec.SampleTime.begin(), rec.SampleTime.begin() + n);
    const auto& trend = rec.TrendData[g];
    const std::array<const double*, 4> chartChannel{trend[0].data(), trend[1].data(), trend[3].data(),
                                                    trend[2].data()}; // SV, PV, MV, DV
    for (int c = 0; c < kChannelCount; ++c) {
        const double* from = c < 4 ? chartChannel[c] : rec.PenData[0][kPenChannel[c]].data();
        run.values[c].assign(from, from + n);
    }
    run.steps = state.trace.steps;
    run.pvTrue = state.trace.pvTrue;
    run.inner = state.trace.inner;
    run.metrics = measureRun(run.steps, run.dt, run.pvTrue);
    return run;
}

std::optional<std::size_t> sampleAt(const KeptRun& run, double t) {
    const std::size_t n = run.samples();
    const double slack = slackOf(run);
    if (n == 0 || !(t >= run.time[0] - slack) || t > run.time[n - 1] + run.dt / 2)
        return std::nullopt;
    const auto after = std::upper_bound(run.time.begin(), run.time.end(), t + slack);
    return static_cast<std::size_t>(std::max<std::ptrdiff_t>(after - run.time.begin() - 1, 0));
}

std::optional<std::size_t> stepAt(const KeptRun& run, double t) {
    const auto& steps = run.steps;
    const double slack = slackOf(run);
    if (steps.empty() || !(t >= steps.front().t - slack) || t > steps.back().t + run.dt + slack)
        return std::nullopt;
    const auto after = std::upper_bound(steps.begin(), steps.end(), t + slack,
                                        [](double v, const StepSample& s) { return v < s.t; });
    return static_cast<std::size_t>(std::max<std::ptrdiff_t>(after - steps.begin() - 1, 0));
}

std::string limitName(LimitState s) {
    switch (s) {
    case LimitState::High:
        return KESTREL_TR("Runs", "上限 MH");
    case LimitState::Low:
        return KESTREL_TR("Runs", "下限 ML");
    case LimitState::Rate:
        return KESTREL_TR("Runs", "変化率制限 dML");
    case LimitState::Excess:
        return KESTREL_TR("Runs", "要求超過 (本質継承)");
    case LimitState::OutOfRange:
        return KESTREL_TR("Runs", "0～100 % 外");
    case LimitState::None:
        break;
    }
    return "";
}

LimitState limitAt(const KeptRun& run, std::size_t k) {
    if (k >= run.steps.size())
        return LimitState::None;
    const StepSample& s = run.steps[k];
    const ParameterSet& p = run.params;
    // In cascade the secondary drives MV: its form says whether MV has limits; a limit the
    // primary flagged still acted.
    const bool cascade = p.cascadeLoop();
    const auto mvForm = cascade ? static_cast<CalcForm>(std::clamp<int>(p.CALC2, 0, 2)) : p.calcForm();
    if (mvForm == CalcForm::Position && (!cascade || s.kind == StepLimit::None))
        return s.mv > 100.0 || s.mv < 0.0 ? LimitState::OutOfRange : LimitState::None;
    switch (s.kind) {
    case StepLimit::High:
        return LimitState::High;
    case StepLimit::Low:
        return LimitState::Low;
    case StepLimit::Rate:
        return LimitState::Rate;
    case StepLimit::None:
        break;
    }
    if (p.calcForm() == CalcForm::VelocityUnlimited && s.excess)
        return LimitState::Excess;
    return LimitState::None;
}

std::vector<LimitBand> limitBands(const KeptRun& run) {
    std::vector<LimitBand> bands;
    const auto& steps = run.steps;
    const bool essence = run.params.calcForm() == CalcForm::VelocityUnlimited;
    // The flagged limits and, in the essence-inheriting form, the cut-off request: the two may
    // overlap, so each is gathered on its own.
    auto gather = [&](auto stateOf) {
        for (std::size_t k = 0; k < steps.size(); ++k) {
            const LimitState st = stateOf(k);
            if (st == LimitState::None)
                continue;
            const double t1 = k + 1 < steps.size() ? steps[k + 1].t : steps[k].t + run.dt;
            if (!bands.empty() && bands.back().state == st && bands.back().t1 == steps[k].t)
                bands.back().t1 = t1;
            else
                bands.push_back({steps[k].t, t1, st});
        }
    };
    gather([&](std::size_t k) {
        const LimitState st = limitAt(run, k);
        return st == LimitState::Excess ? LimitState::None : st;
    });
    if (essence)
        gather([&](std::size_t k) { return steps[k].excess ? LimitState::Excess : LimitState::None; });
    std::stable_sort(bands.begin(), bands.end(),
                     [](const LimitBand& a, const LimitBand& b) { return a.t0 < b.t0; });
    return bands;
}

namespace {

// The control types' and the calculation forms' names as the summary writes them (the field
// table's names), for the translation tools.
[[maybe_unused]] constexpr const char* kSummaryNames[] = {KESTREL_TR_NOOP("Runs", "Ｐ 制御"),
                                                          KESTREL_TR_NOOP("Runs", "Ｐ Ｉ 制御"),
                                                          KESTREL_TR_NOOP("Runs", "偏差ＰＩＤ制御"),
                                                          KESTREL_TR_NOOP("Runs", "Ｉ－ＰＤ制御"),
                                                          KESTREL_TR_NOOP("Runs", "ＰＩ－Ｄ制御"),
                                                          KESTREL_TR_NOOP("Runs", "２自由度ＰＩＤ"),
                                                          KESTREL_TR_NOOP("Runs", "位置型"),
                                                          KESTREL_TR_NOOP("Runs", "速度型"),
                                                          KESTREL_TR_NOOP("Runs", "速度型（本質継承）")};

/// The summary with each word through `word`: translated for the learner, or as stored.
template <class Tr> std::string summaryOf(const KeptRun& run, Tr word) {
    const ParameterSet& p = run.params;
    const std::string kModes[] = {word(KESTREL_TR_NOOP("Runs", "手動")),
                                  word(KESTREL_TR_NOOP("Runs", "自動")),
                                  word(KESTREL_TR_NOOP("Runs", "カスケード"))};
    const int type = std::clamp<int>(p.TYPE_SELECT, 0, static_cast<int>(kTypePages.size()) - 1);
    const int form = std::clamp<int>(p.CALC_TYPE, 0, static_cast<int>(kCalcForms.size()) - 1);
    const int mode = std::clamp<int>(p.MODE, 0, 2);
    std::string s = word(std::string(kTypePages[type]).c_str()) + " " +
                    word(std::string(kCalcForms[form]).c_str()) + " Kp " + number(p.Kp);
    if (p.controlType() != ControlType::P)
        s += " Ti " + number(p.Ti);
    if (p.controlType() != ControlType::P && p.controlType() != ControlType::PI)
        s += " Td " + number(p.Td);
    if (run.processHidden) {
        s += " / K ？ T ？ L ？";
    } else {
        const ProcessType kind = p.processType();
        s += (kind == ProcessType::Integrating ? " / " + word(KESTREL_TR_NOOP("Runs", "積分")) + " K "
                                               : " / K ") +
             number(p.Kpl) + " T " + number(p.Tpl);
        if (kind == ProcessType::SecondOrder)
            s += " T2 " + number(p.Tpl2);
        s += " L " + number(p.Lpl);
    }
    if (p.cascadeLoop()) {
        static constexpr const char* kTypes2[] = {"P", "PI", "PID"};
        static constexpr const char* kModes2[] = {"M", "A", "CAS"};
        const int type2 = std::clamp<int>(p.TYPE2, 0, 2);
        s += " / " + word(KESTREL_TR_NOOP("Runs", "カスケード 二次")) + " " + kTypes2[type2] + " " +
             word(std::string(kCalcForms[std::clamp<int>(p.CALC2, 0, 2)]).c_str()) + " Kp " + number(p.Kp2);
        if (type2 >= 1)
            s += " Ti " + number(p.Ti2);
        if (type2 == 2)
            s += " Td " + number(p.Td2);
        s += std::string(" ") + kModes2[static_cast<int>(p.secondaryMode())];
    } else if (p.twoPart()) {
        s += " / " + word(KESTREL_TR_NOOP("Runs", "二段プロセス"));
    }
    if (p.twoPart()) {
        s += " / " + word(KESTREL_TR_NOOP("Runs", "内側")) +
             (run.processHidden ? std::string(" K ？ T ？ L ？")
                                : " K " + number(p.Kin) + " T " + number(p.Tin) + " L " + number(p.Lin));
        if (p.Kdin != 0.0)
            s += " Kd " + number(p.Kdin) + " Td " + number(p.Tdin);
    }
    // The options that make the loop misbehave, only those that act; the valve's are the
    // process's secret when it is hidden.
    auto option = [&](const char* name, double v) {
        return v > 0.0 ? std::string(" ") + name + " " + number(v) : "";
    };
    if (p.sensorActive())
        s += " / " + word(KESTREL_TR_NOOP("Runs", "センサ")) + option("σ", p.PV_NOISE) +
             option("Tf", p.PV_FILTER);
    if (!run.processHidden && p.valveActive())
        s += " / " + word(KESTREL_TR_NOOP("Runs", "バルブ")) + option("d", p.VALVE_DB) +
             option("b", p.VALVE_BL) + option("S", p.STICK_S) + option("J", p.STICK_J) +
             option("Tv", p.VALVE_T);
    if (p.Kd != 0.0)
        s += " / Kd " + number(p.Kd);
    if (p.Kf != 0.0)
        s += " / Kf " + number(p.Kf);
    s += " / " + kModes[mode] + " / dt " + number(p.dt) + " " + word(KESTREL_TR_NOOP("Runs", "秒"));
    return s;
}

} // namespace

std::string settingsSummary(const KeptRun& run) {
    return summaryOf(run, [](const char* text) { return translate("Runs", text); });
}

std::string storedSettingsSummary(const KeptRun& run) {
    return summaryOf(run, [](const char* text) { return std::string(text); });
}

} // namespace kestrel
