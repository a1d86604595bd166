#include "study/description.h"

#include "core/convert.h"
#include "core/runtimeerror.h"
#include "core/translate.h"
#include "setup/fieldtable.h"

#include <initializer_list>
#include <optional>

namespace kestrel {
namespace {

constexpr std::string_view kCrLf = "\r\n";

/// A line shown when a key holds exactly `value`.
struct Choice {
    std::string_view value;
    const char* line; ///< the Japanese source, translated when it is written
};

/// The leading-number value of a text; nothing for a number beyond the double range.
std::optional<double> number(std::string_view text) {
    try {
        return val(text);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

/// Collects the lines of one block at a time and writes the block when it has any.
class Writer {
public:
    Writer(const StepReader& read, const std::function<void()>& yield) : mRead(read), mYield(yield) {}

    /// Lets pending events run before a block.
    void yield() const {
        if (mYield)
            mYield();
    }

    std::string value(std::string_view key) const { return mRead(key); }

    void line(std::string_view text) {
        mLines += text;
        mLines += kCrLf;
    }

    /// text & key, left out when the key is empty.
    void keyLine(std::string_view text, std::string_view key) {
        const std::string v = mRead(key);
        if (v.empty())
            return;
        mLines += text;
        mLines += v;
        mLines += kCrLf;
    }

    void choiceLine(std::string_view value, std::initializer_list<Choice> choices) {
        for (const Choice& c : choices) {
            if (value == c.value) {
                line(translate("Description", c.line));
                return;
            }
        }
    }

    void endBlock(std::string_view heading) {
        if (!mLines.empty()) {
            mText += kCrLf;
            mText += heading;
            mText += kCrLf;
            mText += mLines;
            mAnyBlock = true;
        }
        mLines.clear();
    }

    bool anyBlock() const { return mAnyBlock; }
    std::string takeText() { return std::move(mText); }

private:
    const StepReader& mRead;
    const std::function<void()>& mYield;
    std::string mText;
    std::string mLines;
    bool mAnyBlock = false;
};

/// The points of an SV or DV program: point 0 only when its value is given, then the points up
/// to the first one without a time.
void programLines(Writer& w, const std::string& prefix) {
    const std::string v0 = w.value(prefix + "v0");
    if (v0.empty())
        return;
    const std::string point = KESTREL_TR("Description", "    %1 秒 :  %2％");
    w.line(trArgs(point, {"0", v0}));
    for (int i = 1; i <= 8; ++i) {
        const std::string t = w.value(prefix + "t" + std::to_string(i));
        if (t.empty())
            break;
        w.line(trArgs(point, {t, w.value(prefix + "v" + std::to_string(i))}));
    }
}

/// A line showing a key's value, left out when the value is empty.
struct KeyLine {
    const char* text; ///< the Japanese source, translated when it is written
    std::string_view key;
};

/// A block of key lines only, after letting pending events run.
void keyBlock(Writer& w, std::string_view heading, std::initializer_list<KeyLine> lines) {
    w.yield();
    for (const KeyLine& l : lines)
        w.keyLine(translate("Description", l.text), l.key);
    w.endBlock(heading);
}

/// The control type (only when the step gives it) and the feedback check box.
void typeBlocks(Writer& w, const std::string& typeSelect, const std::string& fb) {
    if (!typeSelect.empty()) {
        w.choiceLine(typeSelect,
                     {{"0", KESTREL_TR_NOOP("Description", "    Ｐ 制御   を選択する。")},
                      {"1", KESTREL_TR_NOOP("Description", "    Ｐ Ｉ 制御   を選択する。")},
                      {"2", KESTREL_TR_NOOP("Description", "    偏差PID制御   を選択する。")},
                      {"3", KESTREL_TR_NOOP("Description", "    Ｉ－ＰＤ制御   を選択する。")},
                      {"4", KESTREL_TR_NOOP("Description", "    ＰＩ－Ｄ制御   を選択する。")},
                      {"5", KESTREL_TR_NOOP("Description", "    ２自由度ＰＩＤ   を選択する。")}});
        w.endBlock(KESTREL_TR("Description", "制御タイプ:"));
    }
    w.choiceLine(fb, {{"0", KESTREL_TR_NOOP("Description", "    はずす。")},
                      {"1", KESTREL_TR_NOOP("Description", "    付ける。")}});
    w.endBlock(KESTREL_TR("Description", "フィードバックする のチェックマーク:"));
}

/// The controller's blocks: calculation form and parameters, limits, set-point filter. Which
/// lines appear follows the control type and the calculation form in force.
void controllerBlocks(Writer& w, const std::optional<double>& controlType, int currentCalcType) {
    const auto typeAbove = [&controlType](ControlType t) {
        return controlType && *controlType > static_cast<int>(t);
    };
    w.yield();
    const std::string calcText = w.value(stepKey(StepKey::CalcForm));
    const std::optional<double> calcType =
        calcText.empty() ? std::optional<double>(currentCalcType) : number(calcText);
    const auto calcIs = [&calcType](CalcForm f) { return *calcType == static_cast<int>(f); };
    if (!calcText.empty() && calcType) {
        if (calcIs(CalcForm::Position))
            w.line(KESTREL_TR("Description", "    位置型   を選択する。"));
        else if (calcIs(CalcForm::Velocity))
            w.line(KESTREL_TR("Description", "    速度型   を選択する。"));
        else if (calcIs(CalcForm::VelocityUnlimited))
            w.line(KESTREL_TR("Description", "    速度型（本質継承）   を選択する。"));
    }
    w.keyLine(KESTREL_TR("Description", "    制御周期(m秒)   dt="), "dt");
    w.keyLine(KESTREL_TR("Description", "    比例ゲイン      Kp="), "Kp");
    if (typeAbove(ControlType::P))
        w.keyLine(KESTREL_TR("Description", "    積分時間(秒)    Ti="), "Ti");
    if (typeAbove(ControlType::PI))
        w.keyLine(KESTREL_TR("Description", "    微分時間(秒)    Td="), "Td");
    w.endBlock(KESTREL_TR("Description", "制御ﾊﾟﾗﾒｰﾀ :"));

    w.yield();
    if (calcType && *calcType > static_cast<int>(CalcForm::Position)) {
        w.keyLine(KESTREL_TR("Description", "    MV上限(％)      MH="), "MH");
        w.keyLine(KESTREL_TR("Description", "    MV下限(％)      ML="), "ML");
        w.keyLine(KESTREL_TR("Description", "    MV変化率ﾘﾐｯﾄ   dML="), "dML");
    }
    w.endBlock(KESTREL_TR("Description", "制限ﾊﾟﾗﾒｰﾀ :"));

    w.yield();
    if (typeAbove(ControlType::PI_D)) {
        w.keyLine(KESTREL_TR("Description", "    目標値フィルタ   α="), "α");
        w.keyLine(KESTREL_TR("Description", "    目標値フィルタ   β="), "β");
        w.keyLine(KESTREL_TR("Description", "    目標値フィルタ   γ="), "γ");
    }
    w.endBlock(KESTREL_TR("Description", "目標値ﾌｨﾙﾀ :"));
}

/// The process, disturbance and feedforward models.
void modelBlocks(Writer& w) {
    keyBlock(w, KESTREL_TR("Description", "制御対象ﾊﾟﾗﾒｰﾀ :"),
             {{KESTREL_TR_NOOP("Description", "    ゲイン          Kpl="), "Kpl"},
              {KESTREL_TR_NOOP("Description", "    一次遅れ時間(秒) Tpl="), "Tpl"},
              {KESTREL_TR_NOOP("Description", "    無駄時間(秒)     Lpl="), "Lpl"}});
    keyBlock(w, KESTREL_TR("Description", "外乱伝達関数ﾊﾟﾗﾒｰﾀ :"),
             {{KESTREL_TR_NOOP("Description", "    ゲイン           Kd="), "Kd"},
              {KESTREL_TR_NOOP("Description", "    伝達ゲイン       Kds="), "Kds"},
              {KESTREL_TR_NOOP("Description", "    一次遅れ時間(秒) Tds="), "Tds"},
              {KESTREL_TR_NOOP("Description", "    無駄時間(秒)     Lds="), "Lds"}});
    // Between "FFゲイン" and "Kf=": three spaces, an ideographic space, four spaces.
    keyBlock(w, KESTREL_TR("Description", "FFﾓﾃﾞﾙﾊﾟﾗﾒｰﾀ :"),
             {{KESTREL_TR_NOOP("Description", "    FFゲイン   \u3000    Kf="), "Kf"},
              {KESTREL_TR_NOOP("Description", "    遅れ時間補償(秒) Tfd="), "Tfd"},
              {KESTREL_TR_NOOP("Description", "    進み時間補償(秒) Tfp="), "Tfp"},
              {KESTREL_TR_NOOP("Description", "    無駄時間補償(秒)  Lf="), "Lf"}});
}

/// What acts beyond the ideal loop: a line for each option the step switches on (a value above 0,
/// or a process type other than the first order), so a step that switches everything off, or
/// leaves it alone, writes no block at all.
void processDetailBlock(Writer& w) {
    const auto on = [&w](std::string_view key) {
        const std::optional<double> v = number(w.value(key));
        return v && *v > 0;
    };
    const auto detailLine = [&w](DetailField d) {
        w.keyLine("    " + fieldCaption(kDetailFields[d].label) + "=", kDetailFields[d].key);
    };
    if (on(kDetailFields[PvNoise].key)) {
        detailLine(PvNoise);
        detailLine(NoiseSeed);
    }
    for (DetailField d : {PvFilter, ValveDb, ValveBl})
        if (on(kDetailFields[d].key))
            detailLine(d);
    // The stick band and the slip jump make one stick-slip characteristic: both or neither.
    if (on(kDetailFields[StickS].key) || on(kDetailFields[StickJ].key)) {
        detailLine(StickS);
        detailLine(StickJ);
    }
    if (on(kDetailFields[ValveT].key))
        detailLine(ValveT);
    const std::string type = w.value(kProcTypeKey);
    w.choiceLine(type, {{"1", KESTREL_TR_NOOP("Description", "    二次遅れ＋無駄時間   を選択する。")},
                        {"2", KESTREL_TR_NOOP("Description", "    積分（液位）   を選択する。")}});
    // Tpl2 acts only in the second-order process.
    if ((type == "1" || type.empty()) && on(kDetailFields[Tpl2].key))
        detailLine(Tpl2);
    w.endBlock(KESTREL_TR("Description", "プロセス詳細 :"));
}

/// The loop structure beyond the single loop: the structure, the secondary controller (cascade
/// only) and the inner part of the process. A step that sets the single loop writes no block at
/// all, whatever else it gives; a step that leaves the structure alone lists what it gives.
void secondaryLoopBlock(Writer& w) {
    const std::string loop = w.value(kLoopKey);
    if (loop == "0" || (!loop.empty() && loop != "1" && loop != "2"))
        return;
    w.choiceLine(loop,
                 {{"1", KESTREL_TR_NOOP("Description", "    カスケード制御   を選択する。")},
                  {"2", KESTREL_TR_NOOP("Description", "    単ループ（二段プロセス）   を選択する。")}});
    const auto fieldLine = [&w](SecondaryField f) {
        w.keyLine("    " + fieldCaption(kSecondaryFields[f].label) + "=", kSecondaryFields[f].key);
    };
    // The secondary acts in cascade control only; its Ti2 and Td2 lines follow its type, its limits
    // its form (the position form has none), as the primary's do.
    if (loop != "2") {
        const std::string type = w.value(kSecondaryTypeKey);
        const std::string form = w.value(kSecondaryCalcKey);
        w.choiceLine(type,
                     {{"0", KESTREL_TR_NOOP("Description", "    二次調節計:  Ｐ 制御   を選択する。")},
                      {"1", KESTREL_TR_NOOP("Description", "    二次調節計:  Ｐ Ｉ 制御   を選択する。")},
                      {"2", KESTREL_TR_NOOP("Description", "    二次調節計:  ＰＩＤ制御   を選択する。")}});
        w.choiceLine(form, {{"0", KESTREL_TR_NOOP("Description", "    二次調節計:  位置型   を選択する。")},
                            {"1", KESTREL_TR_NOOP("Description", "    二次調節計:  速度型   を選択する。")},
                            {"2", KESTREL_TR_NOOP("Description",
                                                  "    二次調節計:  速度型（本質継承）   を選択する。")}});
        fieldLine(Kp2);
        if (type != "0")
            fieldLine(Ti2);
        if (type != "0" && type != "1")
            fieldLine(Td2);
        if (form != "0")
            for (SecondaryField f : {MH2, ML2, dML2})
                fieldLine(f);
        w.choiceLine(
            w.value(kSecondaryModeKey),
            {{"2", KESTREL_TR_NOOP("Description", "    二次調節計のモード: ＣＡＳモード\u3000にする。")},
             {"1", KESTREL_TR_NOOP("Description", "    二次調節計のモード: Ａモード\u3000にする。")},
             {"0", KESTREL_TR_NOOP("Description", "    二次調節計のモード: Ｍモード\u3000にする。")}});
    }
    for (SecondaryField f : {Kin, Tin, Lin, Kdin, Tdin})
        fieldLine(f);
    w.endBlock(KESTREL_TR("Description", "二次ループ :"));
}

/// The controller panel: mode, range, check boxes, pen colour, graph time.
void panelBlock(Writer& w) {
    w.yield();
    // The mode lines hold an ideographic space before "にする。".
    w.choiceLine(w.value(stepKey(StepKey::Mode)),
                 {{"2", KESTREL_TR_NOOP("Description", "    ｺﾝﾄﾛｰﾗﾓｰﾄﾞ: Ｃモード\u3000にする。")},
                  {"1", KESTREL_TR_NOOP("Description", "    ｺﾝﾄﾛｰﾗﾓｰﾄﾞ: Ａモード\u3000にする。")},
                  {"0", KESTREL_TR_NOOP("Description", "    ｺﾝﾄﾛｰﾗﾓｰﾄﾞ: Ｍモード\u3000にする。")}});
    w.keyLine(KESTREL_TR("Description", "    表示レンジ(%)      RH="), stepKey(StepKey::RangeHigh));
    w.keyLine(KESTREL_TR("Description", "    表示レンジ(%)      RL="), stepKey(StepKey::RangeLow));
    w.choiceLine(w.value(stepKey(StepKey::AutoRange)),
                 {{"0", KESTREL_TR_NOOP("Description", "    レンジ自動シフト  のチェックマークをはずす。")},
                  {"1", KESTREL_TR_NOOP("Description", "    レンジ自動シフト  のチェックマークをつける。")}});
    w.choiceLine(w.value(stepKey(StepKey::AutoPen)),
                 {{"0", KESTREL_TR_NOOP("Description", "    ペン色自動  のチェックマークをはずす。")},
                  {"1", KESTREL_TR_NOOP("Description", "    ペン色自動  のチェックマークをつける。")}});
    w.choiceLine(w.value(stepKey(StepKey::PenColour)),
                 {{"0", KESTREL_TR_NOOP("Description", "    ペン色:  白  を選択。")},
                  {"1", KESTREL_TR_NOOP("Description", "    ペン色:  黄  を選択。")},
                  {"2", KESTREL_TR_NOOP("Description", "    ペン色:  ﾏｾﾞﾝﾀﾞ  を選択。")},
                  {"3", KESTREL_TR_NOOP("Description", "    ペン色:  赤  を選択。")},
                  {"4", KESTREL_TR_NOOP("Description", "    ペン色:  ｼｱﾝ  を選択。")}});
    w.keyLine(KESTREL_TR("Description", "    グラフ表示時間      TM="), stepKey(StepKey::GraphTime));
    w.endBlock(KESTREL_TR("Description", "コントローラパネル :"));
}

} // namespace

StepDescription buildDescription(const StepReader& read, int currentTab, int currentCalcType,
                                 const std::function<void()>& yield) {
    Writer w(read, yield);
    const std::string typeSelect = w.value(stepKey(StepKey::TypeSelect));
    const std::optional<double> controlType =
        typeSelect.empty() ? std::optional<double>(currentTab) : number(typeSelect);
    const std::string fb = w.value(stepKey(StepKey::Feedback));

    typeBlocks(w, typeSelect, fb);
    controllerBlocks(w, controlType, currentCalcType);
    modelBlocks(w);
    processDetailBlock(w);
    secondaryLoopBlock(w);
    w.yield();
    programLines(w, "SV");
    w.endBlock(KESTREL_TR("Description", "ＳＶ折線 :"));
    w.yield();
    programLines(w, "DV");
    w.endBlock(KESTREL_TR("Description", "ＤＶ折線 :"));
    panelBlock(w);

    StepDescription result;
    result.hasSettings = !typeSelect.empty() || !fb.empty() || w.anyBlock();
    result.text = w.takeText();
    return result;
}

} // namespace kestrel
