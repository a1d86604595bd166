#include "setup/modinifile.h"
#include "study/description.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>

using namespace kestrel;

namespace {

using Keys = std::map<std::string, std::string, std::less<>>;

StepReader readerOf(const Keys& keys) {
    return [&keys](std::string_view key) {
        const auto it = keys.find(key);
        return it == keys.end() ? std::string() : it->second;
    };
}

StepDescription describe(const Keys& keys, int currentTab = 0, int currentCalcType = 0) {
    return buildDescription(readerOf(keys), currentTab, currentCalcType);
}

} // namespace

TEST(Description, FullStepWritesEveryBlockInOrder) {
    // clang-format off
    const Keys keys = {
        {"TITLE2", "外乱を加える"}, {"NOTES", "F5-3"}, {"TYPE_SELECT", "5"}, {"FB", "1"}, {"CALC_TYPE", "2"},
        {"dt", "100"}, {"Kp", "1.2"}, {"Ti", "8"}, {"Td", "2"}, {"MH", "100"}, {"ML", "0"}, {"dML", "5"},
        {"α", "0.4"}, {"β", "1"}, {"γ", "0"}, {"Kpl", "1"}, {"Tpl", "10"}, {"Lpl", "2"}, {"Kd", "0.5"},
        {"Kds", "1"}, {"Tds", "5"}, {"Lds", "0"}, {"Kf", "0.8"}, {"Tfd", "4"}, {"Tfp", "3"}, {"Lf", "1"},
        {"SVv0", "40"}, {"SVt1", "10"}, {"SVv1", "60"}, {"SVt2", "90"}, {"SVv2", "60"}, {"DVv0", "0"},
        {"DVt1", "30"}, {"DVv1", "10"}, {"MODE", "1"}, {"RH", "100"}, {"RL", "0"}, {"AUTO_RANGE", "0"},
        {"AUTO_PEN", "1"}, {"PEN_COLOR", "2"}, {"GRAPH_TM", "120"},
    };
    // clang-format on
    const std::string expected =
        "\r\n制御タイプ:\r\n    ２自由度ＰＩＤ   を選択する。\r\n\r\nフィードバックする のチェックマーク:\r\n"
        "    付ける。\r\n\r\n制御ﾊﾟﾗﾒｰﾀ :\r\n    速度型（本質継承）   を選択する。\r\n"
        "    制御周期(m秒)   dt=100\r\n    比例ゲイン      Kp=1.2\r\n    積分時間(秒)    Ti=8\r\n"
        "    微分時間(秒)    Td=2\r\n\r\n制限ﾊﾟﾗﾒｰﾀ :\r\n    MV上限(％)      MH=100\r\n"
        "    MV下限(％)      ML=0\r\n    MV変化率ﾘﾐｯﾄ   dML=5\r\n\r\n目標値ﾌｨﾙﾀ :\r\n"
        "    目標値フィルタ   α=0.4\r\n    目標値フィルタ   β=1\r\n    目標値フィルタ   γ=0\r\n\r\n"
        "制御対象ﾊﾟﾗﾒｰﾀ :\r\n    ゲイン          Kpl=1\r\n    一次遅れ時間(秒) Tpl=10\r\n"
        "    無駄時間(秒)     Lpl=2\r\n\r\n外乱伝達関数ﾊﾟﾗﾒｰﾀ :\r\n    ゲイン           Kd=0.5\r\n"
        "    伝達ゲイン       Kds=1\r\n    一次遅れ時間(秒) Tds=5\r\n    無駄時間(秒)     Lds=0\r\n\r\n"
        "FFﾓﾃﾞﾙﾊﾟﾗﾒｰﾀ :\r\n    FFゲイン   \u3000    Kf=0.8\r\n    遅れ時間補償(秒) Tfd=4\r\n"
        "    進み時間補償(秒) Tfp=3\r\n    無駄時間補償(秒)  Lf=1\r\n\r\nＳＶ折線 :\r\n    0 秒 :  40％\r\n"
        "    10 秒 :  60％\r\n    90 秒 :  60％\r\n\r\nＤＶ折線 :\r\n    0 秒 :  0％\r\n    30 秒 :  10％\r\n"
        "\r\nコントローラパネル :\r\n    ｺﾝﾄﾛｰﾗﾓｰﾄﾞ: Ａモード\u3000にする。\r\n"
        "    表示レンジ(%)      RH=100\r\n    表示レンジ(%)      RL=0\r\n"
        "    レンジ自動シフト  のチェックマークをはずす。\r\n    ペン色自動  のチェックマークをつける。\r\n"
        "    ペン色:  ﾏｾﾞﾝﾀﾞ  を選択。\r\n    グラフ表示時間      TM=120\r\n";
    const StepDescription d = describe(keys);
    EXPECT_EQ(std::pair(d.text, d.hasSettings), std::pair(expected, true));
}

TEST(Description, CalculationFormDecidesTheLimitsBlock) {
    const std::string limits = "\r\n制限ﾊﾟﾗﾒｰﾀ :\r\n    MV上限(％)      MH=80\r\n"
                               "    MV下限(％)      ML=10\r\n"
                               "    MV変化率ﾘﾐｯﾄ   dML=3\r\n";
    const std::string position = "\r\n制御ﾊﾟﾗﾒｰﾀ :\r\n    位置型   を選択する。\r\n";
    const std::string velocity = "\r\n制御ﾊﾟﾗﾒｰﾀ :\r\n    速度型   を選択する。\r\n";
    const std::string inherent = "\r\n制御ﾊﾟﾗﾒｰﾀ :\r\n    速度型（本質継承）   を選択する。\r\n";
    // CALC_TYPE, the form now selected, the text.
    const std::tuple<std::string, int, std::string> cases[] = {
        {"0", 1, position},             // position form: no limits, even with MH, ML, dML given
        {"1", 0, velocity + limits},    //
        {"1.0", 0, velocity + limits},  // compared as numbers
        {"2abc", 0, inherent + limits}, // leading-number rule
        {"", 0, ""},                    // follows the form now selected, no form line
        {"", 2, limits},                //
        {"3", 0, limits},               // no form line, but a velocity-like number enables limits
        {"-1", 1, ""},                  //
        {"1e999", 1, ""},               // beyond the double range: no form at all
    };
    for (const auto& [calcType, current, expected] : cases) {
        const Keys keys = {{"CALC_TYPE", calcType}, {"MH", "80"}, {"ML", "10"}, {"dML", "3"}};
        EXPECT_EQ(describe(keys, 0, current).text, expected) << "CALC_TYPE=" << calcType;
    }
}

TEST(Description, ControlTypeDecidesTiTdAndFilterLines) {
    const std::string ti = "    積分時間(秒)    Ti=8\r\n";
    const std::string td = "    微分時間(秒)    Td=2\r\n";
    const std::string filter = "\r\n目標値ﾌｨﾙﾀ :\r\n    目標値フィルタ   α=0.4\r\n"
                               "    目標値フィルタ   γ=1\r\n"; // β empty: its line is left out
    const std::string kp = "\r\n制御ﾊﾟﾗﾒｰﾀ :\r\n    比例ゲイン      Kp=2\r\n";
    // TYPE_SELECT, the tab now selected, the text.
    const std::tuple<std::string, int, std::string> cases[] = {
        // TYPE_SELECT absent: the tab now selected decides, and no control-type block is written.
        {"", 0, kp},
        {"", 1, kp + ti},
        {"", 5, kp + ti + td + filter},
        // TYPE_SELECT given: it decides, whatever tab is selected.
        {"0", 5, "\r\n制御タイプ:\r\n    Ｐ 制御   を選択する。\r\n" + kp},
        {"1", 5, "\r\n制御タイプ:\r\n    Ｐ Ｉ 制御   を選択する。\r\n" + kp + ti},
        {"2", 0, "\r\n制御タイプ:\r\n    偏差PID制御   を選択する。\r\n" + kp + ti + td},
        // Not a listed value: no control-type line, but the number still decides the lines.
        {"6", 0, kp + ti + td + filter},
        {"abc", 5, kp},
        {"1e999", 5, kp}, // beyond the double range: no control type at all
    };
    Keys keys = {{"Kp", "2"}, {"Ti", "8"}, {"Td", "2"}, {"α", "0.4"}, {"β", ""}, {"γ", "1"}};
    for (const auto& [typeSelect, tab, expected] : cases) {
        keys["TYPE_SELECT"] = typeSelect;
        EXPECT_EQ(describe(keys, tab, 0).text, expected) << "TYPE_SELECT=" << typeSelect << " tab=" << tab;
    }
}

TEST(Description, ProgramLinesStopAtTheFirstEmptyTime) {
    Keys keys = {{"SVv0", "40"}, {"SVt1", "10"}, {"SVv1", "50"}, {"SVt2", "20"}, {"SVv2", "60"}, {"SVt3", ""},
                 {"SVv3", "70"}, {"SVt4", "40"}, {"SVv4", "80"}, {"DVv0", "5"},  {"DVt1", "15"}};
    EXPECT_EQ(describe(keys).text, "\r\nＳＶ折線 :\r\n    0 秒 :  40％\r\n    10 秒 :  50％\r\n"
                                   "    20 秒 :  60％\r\n\r\nＤＶ折線 :\r\n    0 秒 :  5％\r\n"
                                   "    15 秒 :  ％\r\n"); // a time without value still shows

    // All eight points are shown, and nothing beyond them.
    keys = {{"DVv0", "0"}, {"DVt9", "99"}, {"DVv9", "99"}};
    std::string expected = "\r\nＤＶ折線 :\r\n    0 秒 :  0％\r\n";
    for (int i = 1; i <= 8; ++i) {
        keys["DVt" + std::to_string(i)] = std::to_string(10 * i);
        keys["DVv" + std::to_string(i)] = std::to_string(i);
        expected += "    " + std::to_string(10 * i) + " 秒 :  " + std::to_string(i) + "％\r\n";
    }
    EXPECT_EQ(describe(keys).text, expected);

    // Without point 0's value the program is not part of the step.
    const StepDescription d = describe({{"SVt1", "10"}, {"SVv1", "50"}, {"DVv0", ""}});
    EXPECT_TRUE(d.text.empty() && !d.hasSettings);
}

TEST(Description, StepsWithoutSettingsAndUnlistedValues) {
    const Keys textsOnly = {{"TITLE2", "まとめ"}, {"TEXT2", "以上"}, {"NOTES", "F1-1"}};
    int yields = 0;
    const StepDescription texts = buildDescription(readerOf(textsOnly), 5, 2, [&yields] { ++yields; });
    EXPECT_TRUE(texts.text.empty() && !texts.hasSettings);
    EXPECT_EQ(yields, 9); // before each block from the control parameters on, written or not

    // Values outside the listed ones write no line; a block left with no line is not written.
    // TYPE_SELECT and FB still mark the step as having settings when they are non-empty.
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"TYPE_SELECT", "9", true}, {"TYPE_SELECT", "01", true}, {"FB", "2", true},
        {"FB", "1.0", true},        {"MODE", "3", false},        {"AUTO_RANGE", "2", false},
        {"AUTO_PEN", "-1", false},  {"PEN_COLOR", "5", false},   {"PEN_COLOR", "1e999", false},
    };
    for (const auto& [key, value, hasSettings] : cases) {
        const StepDescription d = describe({{key, value}});
        EXPECT_EQ(std::pair(d.text, d.hasSettings), std::pair(std::string(), hasSettings))
            << key << "=" << value;
    }

    // Each check-box value maps to its own line.
    EXPECT_EQ(describe({{"AUTO_RANGE", "1"}, {"FB", "0"}}).text,
              "\r\nフィードバックする のチェックマーク:\r\n    はずす。\r\n\r\nコントローラパネル :\r\n"
              "    レンジ自動シフト  のチェックマークをつける。\r\n");
}

TEST(Description, ProcessDetailsListOnlyTheOptionsSwitchedOn) {
    const std::string kd = "\r\n外乱伝達関数ﾊﾟﾗﾒｰﾀ :\r\n    ゲイン           Kd=0.5\r\n";
    const std::string sv = "\r\nＳＶ折線 :\r\n    0 秒 :  40％\r\n";
    struct Case {
        Keys keys;
        std::string block;
    };
    // clang-format off
    const Case cases[] = {
        // Everything off, as a lesson's first running step writes it: no block at all.
        {{{"PV_NOISE", "0.00"}, {"NOISE_SEED", "1"}, {"PV_FILTER", "0"}, {"VALVE_DB", "0"}, {"VALVE_BL", "0"},
          {"STICK_S", "0"}, {"STICK_J", "0"}, {"VALVE_T", "0"}, {"PROC_TYPE", "0"}, {"Tpl2", "5"}}, ""},
        {{{"PV_NOISE", "1.5"}, {"NOISE_SEED", "42"}, {"PV_FILTER", "2"}, {"STICK_J", "1"}, {"VALVE_T", "0"},
          {"PROC_TYPE", "1"}, {"Tpl2", "3"}},
         "\r\nプロセス詳細 :\r\n    測定ノイズ(％)      σ=1.5\r\n    乱数の種=42\r\n"
         "    センサフィルタ(秒) Tf=2\r\n    スリップ幅(％)      J=1\r\n"
         "    二次遅れ＋無駄時間   を選択する。\r\n    二次遅れ時間(秒) Tpl2=3\r\n"},
        // The seed alone switches nothing on; Tpl2 is left out beside another type.
        {{{"NOISE_SEED", "7"}, {"VALVE_DB", "0.5"}, {"VALVE_BL", "2"}, {"STICK_S", "4"}, {"STICK_J", "2"},
          {"VALVE_T", "1"}, {"PROC_TYPE", "2"}, {"Tpl2", "3"}},
         "\r\nプロセス詳細 :\r\n    不感帯(％)          d=0.5\r\n    バックラッシュ(％)  b=2\r\n"
         "    スティック幅(％)    S=4\r\n    スリップ幅(％)      J=2\r\n    バルブ遅れ(秒)     Tv=1\r\n"
         "    積分（液位）   を選択する。\r\n"},
    };
    // clang-format on
    for (const Case& c : cases) {
        Keys keys = c.keys;
        keys.insert({{"Kd", "0.5"}, {"SVv0", "40"}});
        EXPECT_EQ(describe(keys).text, kd + c.block + sv) << c.block;
    }
}

TEST(Description, TheSecondaryLoopBlockFollowsTheStructureTypeAndForm) {
    const std::string sv = "\r\nＳＶ折線 :\r\n    0 秒 :  40％\r\n";
    const Keys inner = {{"Kin", "2"}, {"Tin", "1"}, {"Lin", "0"}, {"Kdin", "1"}, {"Tdin", "0.5"}};
    const Keys secondary = {{"TYPE2", "1"}, {"CALC2", "0"}, {"Kp2", "3"},  {"Ti2", "2"},
                            {"Td2", "1"},   {"MH2", "90"},  {"MODE2", "2"}};
    const std::string innerLines = "    ゲイン                Kin=2\r\n    一次遅れ時間(秒) Tin=1\r\n"
                                   "    無駄時間(秒)       Lin=0\r\n    外乱ゲイン          Kdin=1\r\n"
                                   "    外乱遅れ時間(秒) Tdin=0.5\r\n";
    struct Case {
        const char* loop; // "" leaves LOOP out of the step
        std::string block;
    } const cases[] = {
        // The single loop writes nothing, whatever else the step gives.
        {"0", ""},
        // Cascade: Ti2 for PI but not Td2, no limits in the position form.
        {"1",
         "\r\n二次ループ :\r\n    カスケード制御   を選択する。\r\n    二次調節計:  Ｐ Ｉ 制御   "
         "を選択する。\r\n"
         "    二次調節計:  位置型   を選択する。\r\n    比例ゲイン    Kp2=3\r\n    積分時間(秒) Ti2=2\r\n"
         "    二次調節計のモード: ＣＡＳモード\u3000にする。\r\n" +
             innerLines},
        // The two-part process alone: no secondary controller acts.
        {"2", "\r\n二次ループ :\r\n    単ループ（二段プロセス）   を選択する。\r\n" + innerLines},
    };
    for (const Case& c : cases) {
        Keys keys = inner;
        keys.insert(secondary.begin(), secondary.end());
        keys.insert({{"LOOP", c.loop}, {"SVv0", "40"}});
        EXPECT_EQ(describe(keys).text, c.block + sv) << c.loop;
    }
    // A step that leaves the structure alone lists the keys it gives.
    EXPECT_EQ(describe({{"Kp2", "4"}}).text, "\r\n二次ループ :\r\n    比例ゲイン    Kp2=4\r\n");
}

// The ten lessons of the course switch no option on: their descriptions stay as they were.
TEST(Description, TheTenLessonsWriteNoProcessDetails) {
    int described = 0;
    for (const char* name : {"C0501071.txt", "C0501072.txt", "C050207.txt", "C050306.txt", "C0703041.txt",
                             "C0703042.txt", "C0703043.txt", "C090500.txt", "C100501.txt", "C110509.txt"}) {
        const auto snapshot = ReadProfile(std::filesystem::path(KESTREL_DATA_DIR "/Study") / name);
        for (int step = 1; step <= 40; ++step) {
            const std::string section = "手順" + std::to_string(step);
            const StepDescription d =
                buildDescription([&](std::string_view key) { return snapshot->value(section, key); }, 0, 0);
            EXPECT_EQ(d.text.find("プロセス詳細"), std::string::npos) << name << " " << section;
            EXPECT_EQ(d.text.find("二次ループ"), std::string::npos) << name << " " << section;
            described += d.hasSettings;
        }
    }
    EXPECT_GT(described, 30);
}
