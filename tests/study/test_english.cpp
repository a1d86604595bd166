// The lesson texts the program makes itself (the step description, the figure captions, the
// error messages) in English, from the build's compiled translation.

#include "core/qmcatalog.h"
#include "core/translate.h"
#include "study/annotations.h"
#include "study/description.h"

#include "englishcatalog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace kestrel;

namespace {

/// The first line holding kana, kanji or full-width forms (UTF-8 lead bytes E3..EF), or "".
std::string japaneseLine(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        for (std::size_t i = start; i < end; ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            if (byte >= 0xE3 && byte <= 0xEF)
                return text.substr(start, end - start);
        }
        start = end + 1;
    }
    return {};
}

using Keys = std::map<std::string, std::string, std::less<>>;

} // namespace

TEST(EnglishTexts, EveryLineOfAStepDescriptionIsEnglishWithTheFileValues) {
    // clang-format off
    const Keys keys = {
        {"TYPE_SELECT", "5"}, {"FB", "1"}, {"CALC_TYPE", "2"}, {"dt", "100"}, {"Kp", "1.5"}, {"Ti", "8"},
        {"Td", "2"}, {"MH", "90"}, {"ML", "0"}, {"dML", "5"}, {"α", "0.4"}, {"β", "1"}, {"γ", "0"},
        {"Kpl", "1"}, {"Tpl", "10"}, {"Lpl", "2"}, {"Kd", "0.5"}, {"Kds", "1"}, {"Tds", "5"}, {"Lds", "0"},
        {"Kf", "0.8"}, {"Tfd", "4"}, {"Tfp", "3"}, {"Lf", "1"}, {"PV_NOISE", "2"}, {"NOISE_SEED", "7"},
        {"PV_FILTER", "1"}, {"VALVE_DB", "1"}, {"VALVE_BL", "1"}, {"STICK_S", "1"}, {"VALVE_T", "1"},
        {"PROC_TYPE", "1"}, {"Tpl2", "3"}, {"LOOP", "1"}, {"TYPE2", "2"}, {"CALC2", "2"}, {"MODE2", "2"},
        {"Kp2", "2"}, {"Kin", "1"}, {"Tdin", "4"}, {"SVv0", "40"}, {"SVt1", "10"}, {"SVv1", "60"},
        {"DVv0", "0"}, {"MODE", "1"}, {"RH", "100"}, {"AUTO_RANGE", "1"}, {"AUTO_PEN", "0"},
        {"PEN_COLOR", "4"}, {"GRAPH_TM", "120"},
    };
    // clang-format on
    const StepReader read = [&keys](std::string_view key) {
        const auto it = keys.find(key);
        return it == keys.end() ? std::string() : it->second;
    };
    const StepDescription japanese = buildDescription(read, 0, 0);
    EXPECT_NE(japanese.text.find("\r\n制御タイプ:\r\n    ２自由度ＰＩＤ   を選択する。\r\n"),
              std::string::npos);

    const test::EnglishCatalog english;
    ASSERT_TRUE(english.loaded);
    const StepDescription text = buildDescription(read, 0, 0);
    EXPECT_EQ(japaneseLine(text.text), "");
    for (const char* line :
         {"\r\nControl type:\r\n    Select 2-DOF PID.\r\n", "    Proportional gain     Kp=1.5\r\n",
          "    Meas. noise (%) σ=2\r\n    Random seed=7\r\n", "    Prop. gain Kp2=2\r\n",
          "    0 s :  40 %\r\n    10 s :  60 %\r\n", "    Pen colour:  select cyan.\r\n"})
        EXPECT_NE(text.text.find(line), std::string::npos) << line << "\n" << text.text;
    EXPECT_EQ(text.hasSettings, japanese.hasSettings);
}

TEST(EnglishTexts, FigureCaptionsAreEnglishAndMeasuredAsShown) {
    const ChartGeometry pv{9015, 3855, 100, 0, 100};
    const ChartGeometry mv{9015, 2000, 100, 0, 100};
    const test::EnglishCatalog english;
    ASSERT_TRUE(english.loaded);
    for (const std::string& id : knownFigureIds()) {
        for (const NoteOp& op : layoutFigure(id, pv, mv, rgb(255, 255, 0))) {
            if (const auto* label = std::get_if<NoteLabel>(&op)) {
                EXPECT_EQ(japaneseLine(label->caption), "") << id;
            }
        }
    }

    const std::vector<NoteOp> offset = layoutFigure("5.1.7(1)-1", pv, mv, rgb(255, 255, 0));
    ASSERT_TRUE(std::holds_alternative<NoteLabel>(offset.back()));
    const auto& label = std::get<NoteLabel>(offset.back());
    EXPECT_EQ(std::tuple(label.caption, label.width), std::tuple("Offset", 6 * 170.0f));

    // A strip without a time span: the error of the figure is reported in English, with its code.
    const std::vector<NoteOp> failed =
        layoutFigure("5.1.7(1)-1", {9015, 3855, 0, 0, 100}, mv, rgb(255, 255, 0));
    EXPECT_EQ(std::count(failed.begin(), failed.end(), NoteOp(NoteMessage{"Division by zero.  P054"})), 1);
}
