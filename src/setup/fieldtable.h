#pragma once
// The parameter fields of the main window, declared once. The group applies, the step apply and
// save, the description of a step and the windows all read this table instead of repeating the
// field list.

#include "core/strings.h"
#include "core/translate.h"
#include "engine/parameterset.h"

#include <array>
#include <string>
#include <string_view>

namespace kestrel {

/// Parameter groups, each with its own OK and Cancel: the main window's four, the process
/// details (noise, sensor filter, valve, process type) and the secondary loop (the secondary
/// controller and the inner part of the process).
enum class FieldGroup { Controller, Process, Disturbance, Feedforward, ProcessDetail, SecondaryLoop };

/// Fields in the order of the file keys (and of each group's apply).
enum Field : int {
    dT,
    Kp,
    Ti,
    Td,
    MH,
    ML,
    dML,
    Alpha,
    Beta,
    Gamma,
    Kpl,
    Tpl,
    Lpl,
    Kd,
    Kds,
    Tds,
    Lds,
    Kf,
    Tfd,
    Tfp,
    Lf,
    FieldCount
};

struct FieldDef {
    std::string_view key;     ///< key in lesson and project files
    std::string_view widget;  ///< the text box's name
    std::string_view label;   ///< the label beside it
    std::string_view initial; ///< text when the window opens
    std::string_view pre;     ///< format given to the typed text before it is range-limited
    double low, high;         ///< range; high < 0 means 200 × dt (the longest dead time)
    std::string_view shown;   ///< format of the redisplayed text
    FieldGroup group;
    double ParameterSet::*target; ///< where the applied value goes (dt holds seconds)
    bool hiddenAtStart;
};

inline constexpr double kDeadTimeBound = -1.0;

inline constexpr std::array<FieldDef, FieldCount> kFields{{
    {"dt", "txtdT", KESTREL_TR_NOOP("Fields", "制御周期（m秒） dT"), "100", "###0", 20, 2000, "###0",
     FieldGroup::Controller, &ParameterSet::dt, false},
    {"Kp", "txtKp", KESTREL_TR_NOOP("Fields", "比例ゲイン    Kp"), "1.00", "##0.00", 0, 10, "##0.00",
     FieldGroup::Controller, &ParameterSet::Kp, false},
    {"Ti", "txtTi", KESTREL_TR_NOOP("Fields", "積分時間(秒) Ti"), "1.00", "###0.00", 0, 60, "##0.00",
     FieldGroup::Controller, &ParameterSet::Ti, false},
    {"Td", "txtTd", KESTREL_TR_NOOP("Fields", "微分時間(秒) Td"), "0.00", "###0.00", 0, 10, "##0.00",
     FieldGroup::Controller, &ParameterSet::Td, false},
    {"MH", "txtMH", KESTREL_TR_NOOP("Fields", "MV上限(％)    MH"), "100", "###0", 0, 100, "###0",
     FieldGroup::Controller, &ParameterSet::MH, true},
    {"ML", "txtML", KESTREL_TR_NOOP("Fields", "MV下限(％)    ML"), "0", "###0", 0, 100, "###0",
     FieldGroup::Controller, &ParameterSet::ML, true},
    {"dML", "txtdML", KESTREL_TR_NOOP("Fields", "MV変化率ﾘﾐｯﾄ dML"), "100", "###0", 0, 100, "###0",
     FieldGroup::Controller, &ParameterSet::dML, true},
    {"α", "txtα", KESTREL_TR_NOOP("Fields", "目標値フィルタ  α"), "1.00", "###0.00", 0, 1, "##0.00",
     FieldGroup::Controller, &ParameterSet::alpha, true},
    {"β", "txtβ", KESTREL_TR_NOOP("Fields", "目標値フィルタ  β"), "1.00", "###0.00", 1, 2, "##0.00",
     FieldGroup::Controller, &ParameterSet::beta, true},
    {"γ", "txtγ", KESTREL_TR_NOOP("Fields", "目標値フィルタ  γ"), "1.00", "###0.00", 0, 2, "##0.00",
     FieldGroup::Controller, &ParameterSet::gamma, true},
    {"Kpl", "txtKpl", KESTREL_TR_NOOP("Fields", "ゲイン                Kpl"), "1.00", "###0.00", 0.01, 10,
     "##0.00", FieldGroup::Process, &ParameterSet::Kpl, false},
    {"Tpl", "txtTpl", KESTREL_TR_NOOP("Fields", "一次遅れ時間(秒) Tpl"), "5.00", "###0.00", 0, 60, "##0.00",
     FieldGroup::Process, &ParameterSet::Tpl, false},
    {"Lpl", "txtLpl", KESTREL_TR_NOOP("Fields", "無駄時間(秒)       Lpl"), "2.00", "###0.00", 0,
     kDeadTimeBound, "##0.00", FieldGroup::Process, &ParameterSet::Lpl, false},
    {"Kd", "txtKd", KESTREL_TR_NOOP("Fields", "ゲイン                Kd"), "0.00", "###0.00", 0, 10, "##0.00",
     FieldGroup::Disturbance, &ParameterSet::Kd, false},
    {"Kds", "txtKds", KESTREL_TR_NOOP("Fields", "伝達ゲイン          Kds"), "0.00", "###0.00", 0, 10,
     "##0.00", FieldGroup::Disturbance, &ParameterSet::Kds, false},
    {"Tds", "txtTds", KESTREL_TR_NOOP("Fields", "一次遅れ時間(秒) Tds"), "0.00", "###0.00", 0, 60, "##0.00",
     FieldGroup::Disturbance, &ParameterSet::Tds, false},
    {"Lds", "txtLds", KESTREL_TR_NOOP("Fields", "無駄時間(秒)       Lds"), "0.00", "###0.00", 0,
     kDeadTimeBound, "##0.00", FieldGroup::Disturbance, &ParameterSet::Lds, false},
    {"Kf", "txtKf", KESTREL_TR_NOOP("Fields", "FFゲイン   　        Kf"), "0.00", "###0.00", 0, 10, "##0.00",
     FieldGroup::Feedforward, &ParameterSet::Kf, false},
    {"Tfd", "txtTfd", KESTREL_TR_NOOP("Fields", "遅れ時間補償(秒) Tfd"), "0.00", "###0.00", 0, 60, "##0.00",
     FieldGroup::Feedforward, &ParameterSet::Tfd, false},
    {"Tfp", "txtTfp", KESTREL_TR_NOOP("Fields", "進み時間補償(秒) Tfp"), "0.00", "###0.00", 0, 60, "##0.00",
     FieldGroup::Feedforward, &ParameterSet::Tfp, false},
    {"Lf", "txtLf", KESTREL_TR_NOOP("Fields", "無駄時間補償(秒)  Lf"), "0.00", "###0.00", 0, kDeadTimeBound,
     "##0.00", FieldGroup::Feedforward, &ParameterSet::Lf, false},
}};

/// The process-detail fields, in the order of their file keys (after Lf; PROC_TYPE, an option
/// choice, is stored between VALVE_T and Tpl2).
enum DetailField : int {
    PvNoise,
    NoiseSeed,
    PvFilter,
    ValveDb,
    ValveBl,
    StickS,
    StickJ,
    ValveT,
    Tpl2,
    DetailCount
};

/// The one detail field held as a whole number and converted in double precision, so every seed
/// up to 16777215 is kept exactly.
constexpr bool isWholeDetail(DetailField d) {
    return d == NoiseSeed;
}

inline constexpr std::array<FieldDef, DetailCount> kDetailFields{{
    {"PV_NOISE", "txtPvNoise", KESTREL_TR_NOOP("Fields", "測定ノイズ(％)      σ"), "0.00", "###0.00", 0, 10,
     "##0.00", FieldGroup::ProcessDetail, &ParameterSet::PV_NOISE, false},
    {"NOISE_SEED", "txtNoiseSeed", KESTREL_TR_NOOP("Fields", "乱数の種"), "1", "###0", 0, 16777215, "###0",
     FieldGroup::ProcessDetail, &ParameterSet::NOISE_SEED, false},
    {"PV_FILTER", "txtPvFilter", KESTREL_TR_NOOP("Fields", "センサフィルタ(秒) Tf"), "0.00", "###0.00", 0,
     100, "##0.00", FieldGroup::ProcessDetail, &ParameterSet::PV_FILTER, false},
    {"VALVE_DB", "txtValveDb", KESTREL_TR_NOOP("Fields", "不感帯(％)          d"), "0.00", "###0.00", 0, 20,
     "##0.00", FieldGroup::ProcessDetail, &ParameterSet::VALVE_DB, false},
    {"VALVE_BL", "txtValveBl", KESTREL_TR_NOOP("Fields", "バックラッシュ(％)  b"), "0.00", "###0.00", 0, 20,
     "##0.00", FieldGroup::ProcessDetail, &ParameterSet::VALVE_BL, false},
    {"STICK_S", "txtStickS", KESTREL_TR_NOOP("Fields", "スティック幅(％)    S"), "0.00", "###0.00", 0, 20,
     "##0.00", FieldGroup::ProcessDetail, &ParameterSet::STICK_S, false},
    {"STICK_J", "txtStickJ", KESTREL_TR_NOOP("Fields", "スリップ幅(％)      J"), "0.00", "###0.00", 0, 20,
     "##0.00", FieldGroup::ProcessDetail, &ParameterSet::STICK_J, false},
    {"VALVE_T", "txtValveT", KESTREL_TR_NOOP("Fields", "バルブ遅れ(秒)     Tv"), "0.00", "###0.00", 0, 100,
     "##0.00", FieldGroup::ProcessDetail, &ParameterSet::VALVE_T, false},
    {"Tpl2", "txtTpl2", KESTREL_TR_NOOP("Fields", "二次遅れ時間(秒) Tpl2"), "0.00", "###0.00", 0, 200,
     "##0.00", FieldGroup::ProcessDetail, &ParameterSet::Tpl2, false},
}};

/// Key of the process type, and the types' option captions in index order (PROC_TYPE).
inline constexpr const char* kProcTypeKey = "PROC_TYPE";
inline constexpr std::array<std::string_view, 3> kProcessTypes{
    KESTREL_TR_NOOP("Fields", "一次遅れ＋無駄時間"), KESTREL_TR_NOOP("Fields", "二次遅れ＋無駄時間"),
    KESTREL_TR_NOOP("Fields", "積分（液位）")};

/// The secondary loop's fields, in the order of their file keys (after Tpl2 and the option keys
/// LOOP, TYPE2 and CALC2): the secondary controller, then the inner part of the process.
enum SecondaryField : int { Kp2, Ti2, Td2, MH2, ML2, dML2, Kin, Tin, Lin, Kdin, Tdin, SecondaryCount };

/// MH2, ML2 and dML2 are whole percentages, like MH, ML and dML.
constexpr bool isWholeSecondary(SecondaryField s) {
    return s == MH2 || s == ML2 || s == dML2;
}

/// Kin, Tin and Lin: what a challenge with a hidden process keeps from view with Kpl, Tpl, Lpl.
constexpr bool isHiddenInnerField(SecondaryField s) {
    return s == Kin || s == Tin || s == Lin;
}

inline constexpr std::array<FieldDef, SecondaryCount> kSecondaryFields{{
    {"Kp2", "txtKp2", KESTREL_TR_NOOP("Fields", "比例ゲイン    Kp2"), "1.00", "##0.00", 0, 10, "##0.00",
     FieldGroup::SecondaryLoop, &ParameterSet::Kp2, false},
    {"Ti2", "txtTi2", KESTREL_TR_NOOP("Fields", "積分時間(秒) Ti2"), "1.00", "###0.00", 0, 60, "##0.00",
     FieldGroup::SecondaryLoop, &ParameterSet::Ti2, false},
    {"Td2", "txtTd2", KESTREL_TR_NOOP("Fields", "微分時間(秒) Td2"), "0.00", "###0.00", 0, 10, "##0.00",
     FieldGroup::SecondaryLoop, &ParameterSet::Td2, false},
    {"MH2", "txtMH2", KESTREL_TR_NOOP("Fields", "MV上限(％)    MH2"), "100", "###0", 0, 100, "###0",
     FieldGroup::SecondaryLoop, &ParameterSet::MH2, false},
    {"ML2", "txtML2", KESTREL_TR_NOOP("Fields", "MV下限(％)    ML2"), "0", "###0", 0, 100, "###0",
     FieldGroup::SecondaryLoop, &ParameterSet::ML2, false},
    {"dML2", "txtdML2", KESTREL_TR_NOOP("Fields", "MV変化率ﾘﾐｯﾄ dML2"), "100", "###0", 0, 100, "###0",
     FieldGroup::SecondaryLoop, &ParameterSet::dML2, false},
    {"Kin", "txtKin", KESTREL_TR_NOOP("Fields", "ゲイン                Kin"), "1.00", "###0.00", 0.01, 10,
     "##0.00", FieldGroup::SecondaryLoop, &ParameterSet::Kin, false},
    {"Tin", "txtTin", KESTREL_TR_NOOP("Fields", "一次遅れ時間(秒) Tin"), "1.00", "###0.00", 0, 60, "##0.00",
     FieldGroup::SecondaryLoop, &ParameterSet::Tin, false},
    {"Lin", "txtLin", KESTREL_TR_NOOP("Fields", "無駄時間(秒)       Lin"), "0.00", "###0.00", 0,
     kDeadTimeBound, "##0.00", FieldGroup::SecondaryLoop, &ParameterSet::Lin, false},
    {"Kdin", "txtKdin", KESTREL_TR_NOOP("Fields", "外乱ゲイン          Kdin"), "0.00", "###0.00", 0, 10,
     "##0.00", FieldGroup::SecondaryLoop, &ParameterSet::Kdin, false},
    {"Tdin", "txtTdin", KESTREL_TR_NOOP("Fields", "外乱遅れ時間(秒) Tdin"), "0.00", "###0.00", 0, 60,
     "##0.00", FieldGroup::SecondaryLoop, &ParameterSet::Tdin, false},
}};

/// Key of the loop structure and its option captions in index order (LOOP).
inline constexpr const char* kLoopKey = "LOOP";
inline constexpr std::array<std::string_view, 3> kLoopStructures{
    KESTREL_TR_NOOP("Fields", "単ループ"), KESTREL_TR_NOOP("Fields", "カスケード制御"),
    KESTREL_TR_NOOP("Fields", "単ループ（二段プロセス）")};
/// Keys of the secondary controller's type (captions in index order), form (kCalcForms) and mode.
inline constexpr const char* kSecondaryTypeKey = "TYPE2";
inline constexpr std::array<std::string_view, 3> kSecondaryTypes{KESTREL_TR_NOOP("Fields", "Ｐ 制御"),
                                                                 KESTREL_TR_NOOP("Fields", "Ｐ Ｉ 制御"),
                                                                 KESTREL_TR_NOOP("Fields", "ＰＩＤ制御")};
inline constexpr const char* kSecondaryCalcKey = "CALC2";
inline constexpr const char* kSecondaryModeKey = "MODE2";

/// The settings of a step beyond the fields and the SV/DV programs.
enum class StepKey {
    TypeSelect,
    Feedback,
    CalcForm,
    Mode,
    RangeHigh,
    RangeLow,
    AutoRange,
    AutoPen,
    PenColour,
    GraphTime,
    Count
};

/// Their keys in lesson and project files, in StepKey order.
inline constexpr std::array<const char*, static_cast<std::size_t>(StepKey::Count)> kStepKeys{
    "TYPE_SELECT", "FB", "CALC_TYPE", "MODE", "RH", "RL", "AUTO_RANGE", "AUTO_PEN", "PEN_COLOR", "GRAPH_TM"};

constexpr const char* stepKey(StepKey k) {
    return kStepKeys[static_cast<std::size_t>(k)];
}

/// The six control-type tab pages, in index order (TYPE_SELECT).
inline constexpr std::array<std::string_view, 6> kTypePages{
    KESTREL_TR_NOOP("Fields", "Ｐ 制御"),        KESTREL_TR_NOOP("Fields", "Ｐ Ｉ 制御"),
    KESTREL_TR_NOOP("Fields", "偏差ＰＩＤ制御"), KESTREL_TR_NOOP("Fields", "Ｉ－ＰＤ制御"),
    KESTREL_TR_NOOP("Fields", "ＰＩ－Ｄ制御"),   KESTREL_TR_NOOP("Fields", "２自由度ＰＩＤ")};

/// Calculation forms, in index order (CALC_TYPE).
inline constexpr std::array<std::string_view, 3> kCalcForms{KESTREL_TR_NOOP("Fields", "位置型"),
                                                            KESTREL_TR_NOOP("Fields", "速度型"),
                                                            KESTREL_TR_NOOP("Fields", "速度型（本質継承）")};

/// Pen colour choices of the panel's and the pen recorder's lists.
inline constexpr std::array<std::string_view, 5> kPenChoices{
    KESTREL_TR_NOOP("Fields", "白"), KESTREL_TR_NOOP("Fields", "黄"), KESTREL_TR_NOOP("Fields", "ﾏｾﾞﾝﾀﾞ"),
    KESTREL_TR_NOOP("Fields", "赤"), KESTREL_TR_NOOP("Fields", "ｼｱﾝ")};

/// Pen recorder legend labels as the window opens.
inline constexpr std::array<std::string_view, 18> kPenLabels{
    KESTREL_TR_NOOP("Fields", "①　目標値（SV）"),     KESTREL_TR_NOOP("Fields", "②　偏差（ｅ）"),
    KESTREL_TR_NOOP("Fields", "③　比例項（Ｐ）"),     KESTREL_TR_NOOP("Fields", "④　積分項（Ｉ）"),
    KESTREL_TR_NOOP("Fields", "⑤　微分（Ｄ）"),       KESTREL_TR_NOOP("Fields", "⑥　操作出力（MV）"),
    KESTREL_TR_NOOP("Fields", "⑦　外乱（ＤS）"),      KESTREL_TR_NOOP("Fields", "⑧　FF補正量（FF）"),
    KESTREL_TR_NOOP("Fields", "⑨　外乱１（DS１）"),   KESTREL_TR_NOOP("Fields", "⑩　外乱２（DS２）"),
    KESTREL_TR_NOOP("Fields", "⑪　ﾌﾟﾛｾｽ値（PV）"),    KESTREL_TR_NOOP("Fields", "⑫　真のPV（PVtrue）"),
    KESTREL_TR_NOOP("Fields", "⑬　ﾊﾞﾙﾌﾞ開度（VP）"),  KESTREL_TR_NOOP("Fields", "⑭　二次目標値（SV2）"),
    KESTREL_TR_NOOP("Fields", "⑮　二次PV（PV2）"),    KESTREL_TR_NOOP("Fields", "⑯　二次比例項（P2）"),
    KESTREL_TR_NOOP("Fields", "⑰　二次積分項（I2）"), KESTREL_TR_NOOP("Fields", "⑱　二次微分（D2）")};

/// The field's name in messages: its (translated) label with each run of blanks (the label's layout spaces,
/// half- or full-width) as one space, e.g. "比例ゲイン Kp".
inline std::string labelName(std::string_view label) {
    std::string name;
    bool blank = false;
    for (std::size_t i = 0; i < label.size();) {
        const std::size_t width = label.substr(i).starts_with(kFullWidthSpace) ? kFullWidthSpace.size() : 1;
        if (width > 1 || label[i] == ' ') {
            blank = true;
        } else {
            if (blank && !name.empty())
                name += ' ';
            blank = false;
            name += label[i];
        }
        i += width;
    }
    return name;
}

/// A label or caption of these tables in the learner's language (they are marked with the
/// context "Fields"; the windows translate them the same way).
inline std::string fieldCaption(std::string_view text) {
    return translate("Fields", std::string(text).c_str());
}

inline std::string fieldName(Field f) {
    return labelName(fieldCaption(kFields[f].label));
}
inline std::string detailFieldName(DetailField d) {
    return labelName(fieldCaption(kDetailFields[d].label));
}
inline std::string secondaryFieldName(SecondaryField s) {
    return labelName(fieldCaption(kSecondaryFields[s].label));
}

/// What a field's apply reports for a text that is no number (before the group's code).
inline std::string notANumberMessage(const std::string& name) {
    return trArgs(KESTREL_TR("Errors", "%1：数値を半角で入力してください。"), {name});
}
inline std::string notANumberMessage(Field f) {
    return notANumberMessage(fieldName(f));
}

/// Code reported by a group's apply when a field fails.
constexpr const char* groupErrorCode(FieldGroup g) {
    switch (g) {
    case FieldGroup::Controller:
        return "  P001";
    case FieldGroup::Disturbance:
        return "  P002";
    case FieldGroup::Feedforward:
        return "  P003";
    case FieldGroup::Process:
        return "  P004";
    case FieldGroup::ProcessDetail:
        return "  P057";
    case FieldGroup::SecondaryLoop:
        return "  P058";
    }
    return "  P001";
}

} // namespace kestrel
