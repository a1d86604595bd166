#include "study/description.h"

#include "core/convert.h"
#include "core/runtimeerror.h"
#include "setup/fieldtable.h"

#include <initializer_list>
#include <optional>

namespace kestrel {
namespace {

constexpr std::string_view kCrLf = "\r\n";

/// A line shown when a key holds exactly `value`.
struct Choice {
    std::string_view value;
    std::string_view line;
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
    explicit Writer(const StepReader& read) : mRead(read) {}

    std::string value(std::string_view key) const { return mRead(key); }

    void line(std::string_view text) {
        mLines += text;
        mLines += kCrLf;
    }

    /// text & key, left out when the key is empty.
    void keyLine(std::string_view text, std::string_view key) {
        const std::string v = mRead(key);
        if (v.empty()) return;
        mLines += text;
        mLines += v;
        mLines += kCrLf;
    }

    void choiceLine(std::string_view value, std::initializer_list<Choice> choices) {
        for (const Choice& c : choices) {
            if (value == c.value) {
                line(c.line);
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
    std::string mText;
    std::string mLines;
    bool mAnyBlock = false;
};

/// The points of an SV or DV program: point 0 only when its value is given, then the points up
/// to the first one without a time.
void programLines(Writer& w, const std::string& prefix) {
    const std::string v0 = w.value(prefix + "v0");
    if (v0.empty()) return;
    w.line("    0 秒 :  " + v0 + "％");
    for (int i = 1; i <= 8; ++i) {
        const std::string t = w.value(prefix + "t" + std::to_string(i));
        if (t.empty()) break;
        w.line("    " + t + " 秒 :  " + w.value(prefix + "v" + std::to_string(i)) + "％");
    }
}

} // namespace

StepDescription buildDescription(const StepReader& read, int currentTab, int currentCalcType,
                                 const std::function<void()>& yield) {
    Writer w(read);
    const auto letEventsRun = [&yield] {
        if (yield) yield();
    };

    const std::string typeSelect = w.value(stepKey(StepKey::TypeSelect));
    const std::optional<double> controlType =
        typeSelect.empty() ? std::optional<double>(currentTab) : number(typeSelect);
    const auto typeAbove = [&controlType](ControlType t) {
        return controlType && *controlType > static_cast<int>(t);
    };

    if (!typeSelect.empty()) {
        w.choiceLine(typeSelect, {{"0", "    Ｐ 制御   を選択する。"},
                                  {"1", "    Ｐ Ｉ 制御   を選択する。"},
                                  {"2", "    偏差PID制御   を選択する。"},
                                  {"3", "    Ｉ－ＰＤ制御   を選択する。"},
                                  {"4", "    ＰＩ－Ｄ制御   を選択する。"},
                                  {"5", "    ２自由度ＰＩＤ   を選択する。"}});
        w.endBlock("制御タイプ:");
    }

    const std::string fb = w.value(stepKey(StepKey::Feedback));
    w.choiceLine(fb, {{"0", "    はずす。"}, {"1", "    付ける。"}});
    w.endBlock("フィードバックする のチェックマーク:");

    letEventsRun();
    const std::string calcText = w.value(stepKey(StepKey::CalcForm));
    const std::optional<double> calcType =
        calcText.empty() ? std::optional<double>(currentCalcType) : number(calcText);
    const auto calcIs = [&calcType](CalcForm f) { return *calcType == static_cast<int>(f); };
    if (!calcText.empty() && calcType) {
        if (calcIs(CalcForm::Position))
            w.line("    位置型   を選択する。");
        else if (calcIs(CalcForm::Velocity))
            w.line("    速度型   を選択する。");
        else if (calcIs(CalcForm::VelocityUnlimited))
            w.line("    速度型（本質継承）   を選択する。");
    }
    w.keyLine("    制御周期(m秒)   dt=", "dt");
    w.keyLine("    比例ゲイン      Kp=", "Kp");
    if (typeAbove(ControlType::P)) w.keyLine("    積分時間(秒)    Ti=", "Ti");
    if (typeAbove(ControlType::PI)) w.keyLine("    微分時間(秒)    Td=", "Td");
    w.endBlock("制御ﾊﾟﾗﾒｰﾀ :");

    letEventsRun();
    if (calcType && *calcType > static_cast<int>(CalcForm::Position)) {
        w.keyLine("    MV上限(％)      MH=", "MH");
        w.keyLine("    MV下限(％)      ML=", "ML");
        w.keyLine("    MV変化率ﾘﾐｯﾄ   dML=", "dML");
    }
    w.endBlock("制限ﾊﾟﾗﾒｰﾀ :");

    letEventsRun();
    if (typeAbove(ControlType::PI_D)) {
        w.keyLine("    目標値フィルタ   α=", "α");
        w.keyLine("    目標値フィルタ   β=", "β");
        w.keyLine("    目標値フィルタ   γ=", "γ");
    }
    w.endBlock("目標値ﾌｨﾙﾀ :");

    letEventsRun();
    w.keyLine("    ゲイン          Kpl=", "Kpl");
    w.keyLine("    一次遅れ時間(秒) Tpl=", "Tpl");
    w.keyLine("    無駄時間(秒)     Lpl=", "Lpl");
    w.endBlock("制御対象ﾊﾟﾗﾒｰﾀ :");

    letEventsRun();
    w.keyLine("    ゲイン           Kd=", "Kd");
    w.keyLine("    伝達ゲイン       Kds=", "Kds");
    w.keyLine("    一次遅れ時間(秒) Tds=", "Tds");
    w.keyLine("    無駄時間(秒)     Lds=", "Lds");
    w.endBlock("外乱伝達関数ﾊﾟﾗﾒｰﾀ :");

    letEventsRun();
    // Between "FFゲイン" and "Kf=": three spaces, an ideographic space, four spaces.
    w.keyLine("    FFゲイン   \u3000    Kf=", "Kf");
    w.keyLine("    遅れ時間補償(秒) Tfd=", "Tfd");
    w.keyLine("    進み時間補償(秒) Tfp=", "Tfp");
    w.keyLine("    無駄時間補償(秒)  Lf=", "Lf");
    w.endBlock("FFﾓﾃﾞﾙﾊﾟﾗﾒｰﾀ :");

    letEventsRun();
    programLines(w, "SV");
    w.endBlock("ＳＶ折線 :");

    letEventsRun();
    programLines(w, "DV");
    w.endBlock("ＤＶ折線 :");

    letEventsRun();
    // The mode lines hold an ideographic space before "にする。".
    w.choiceLine(w.value(stepKey(StepKey::Mode)), {{"2", "    ｺﾝﾄﾛｰﾗﾓｰﾄﾞ: Ｃモード\u3000にする。"},
                                                   {"1", "    ｺﾝﾄﾛｰﾗﾓｰﾄﾞ: Ａモード\u3000にする。"},
                                                   {"0", "    ｺﾝﾄﾛｰﾗﾓｰﾄﾞ: Ｍモード\u3000にする。"}});
    w.keyLine("    表示レンジ(%)      RH=", stepKey(StepKey::RangeHigh));
    w.keyLine("    表示レンジ(%)      RL=", stepKey(StepKey::RangeLow));
    w.choiceLine(w.value(stepKey(StepKey::AutoRange)), {{"0", "    レンジ自動シフト  のチェックマークをはずす。"},
                                                        {"1", "    レンジ自動シフト  のチェックマークをつける。"}});
    w.choiceLine(w.value(stepKey(StepKey::AutoPen)), {{"0", "    ペン色自動  のチェックマークをはずす。"},
                                                      {"1", "    ペン色自動  のチェックマークをつける。"}});
    w.choiceLine(w.value(stepKey(StepKey::PenColour)), {{"0", "    ペン色:  白  を選択。"},
                                                        {"1", "    ペン色:  黄  を選択。"},
                                                        {"2", "    ペン色:  ﾏｾﾞﾝﾀﾞ  を選択。"},
                                                        {"3", "    ペン色:  赤  を選択。"},
                                                        {"4", "    ペン色:  ｼｱﾝ  を選択。"}});
    w.keyLine("    グラフ表示時間      TM=", stepKey(StepKey::GraphTime));
    w.endBlock("コントローラパネル :");

    StepDescription result;
    result.hasSettings = !typeSelect.empty() || !fb.empty() || w.anyBlock();
    result.text = w.takeText();
    return result;
}

} // namespace kestrel
