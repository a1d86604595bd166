#include "study/glossary.h"
#include "study/glossarylinks.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace kestrel;

namespace {

std::vector<std::string> idsOf(const std::vector<const GlossaryTerm*>& terms) {
    std::vector<std::string> ids;
    for (const GlossaryTerm* t : terms)
        ids.push_back(t->id);
    return ids;
}

const char* const kSmall =
    "\xEF\xBB\xBF# comment\tline\r\n"
    "kp\t比例ゲイン\tひれいげいん\tproportional gain\t偏差に掛ける係数。\tThe factor.\r\n"
    "\r\n"
    "gain\tゲイン\tげいん\tgain\t比。\tA ratio of changes.\n"
    "short\tたりない\tたりない\tmissing\tone column less\n"
    "kp\t重複\tじゅうふく\tduplicate\tx\ty\n"
    "pid\tＰＩＤ制御 / PID制御\tぴーあいでぃーせいぎょ\tPID control\t三つの動作。\tThree actions.\n";

TEST(Glossary, ParsesTheFileAndFindsTermsByAnyNameOrDefinition) {
    const Glossary g = Glossary::parse(kSmall);
    EXPECT_EQ(idsOf(g.search("")), (std::vector<std::string>{"kp", "gain", "pid"}));
    EXPECT_EQ(g.badLines(), (std::vector<int>{5, 6}));
    ASSERT_NE(g.term("pid"), nullptr);
    EXPECT_EQ(g.term("pid")->definitionEn, "Three actions.");
    EXPECT_EQ(g.term("nope"), nullptr);

    // Names come before definitions; letter case, full and half width, hiragana and katakana
    // do not matter.
    const std::pair<const char*, std::vector<std::string>> searches[] = {
        {" GAIN ", {"kp", "gain"}}, {"ｹﾞｲﾝ", {"kp", "gain"}}, {"ヒレイ", {"kp"}}, {"ratio", {"gain"}},
        {"pid", {"pid"}},           {"ｐｉｄ", {"pid"}},      {"係数", {"kp"}},   {"ぱらめーた", {}}};
    for (const auto& [query, ids] : searches)
        EXPECT_EQ(idsOf(g.search(query)), ids) << query;
    EXPECT_EQ(foldForSearch("ﾊﾟﾗﾒｰﾀ ｳﾞ ｶﾞ ﾞ"), foldForSearch("パラメータ ヴ が ゛"));

    EXPECT_EQ(glossarySpellings("目標値（SV） / プロセス値"),
              (std::vector<std::string>{"目標値", "プロセス値"}));
    EXPECT_EQ(glossarySpellings("MV limits (high/low) / Manual (M) mode"),
              (std::vector<std::string>{"MV limits", "Manual (M) mode"}));
}

TEST(Glossary, TheShippedGlossaryIsCompleteAndWellFormed) {
    const Glossary g = Glossary::load(KESTREL_DATA_DIR "/Doc/glossary.tsv");
    EXPECT_TRUE(g.badLines().empty()) << ::testing::PrintToString(g.badLines());
    EXPECT_GE(g.terms().size(), 60u);
    std::set<std::string> japanese;
    for (const GlossaryTerm& t : g.terms()) {
        EXPECT_EQ(t.id.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-"), std::string::npos) << t.id;
        EXPECT_FALSE(t.reading.empty() || t.definitionJa.empty() || t.definitionEn.empty()) << t.id;
        // Readings in hiragana: every character a three-byte one from U+3040..U+30FF.
        EXPECT_EQ(foldForSearch(t.reading).find_first_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos)
            << t.id;
        for (const std::string& s : glossarySpellings(t.japanese))
            EXPECT_TRUE(japanese.insert(s).second) << s;
    }
    for (const char* term : {"比例ゲイン",
                             "積分時間",
                             "微分時間",
                             "目標値",
                             "操作量",
                             "外乱",
                             "偏差",
                             "オフセット",
                             "整定時間",
                             "むだ時間",
                             "カスケード制御",
                             "フィードフォワード",
                             "無駄時間補償",
                             "速度型",
                             "本質継承型",
                             "２自由度ＰＩＤ",
                             "積分ワインドアップ",
                             "限界ゲイン",
                             "同定",
                             "位相余裕",
                             "スティクション",
                             "IAE",
                             "ISE",
                             "ITAE",
                             "調整則",
                             "ゲイン余裕",
                             "不感帯",
                             "バックラッシュ"})
        EXPECT_TRUE(japanese.count(term)) << term;
}

TEST(GlossaryLinks, LinksTheFirstPlaceOfEachTermInEachSectionOnlyInRunningText) {
    const std::vector<GlossaryLinkTerm> terms = {
        {"kp", {"比例ゲイン"}}, {"gain", {"ゲイン"}}, {"sv", {"set point"}}, {"iae", {"IAE"}}};
    const auto link = [&](const std::string& html) { return linkGlossaryTerms(html, terms); };
    const auto a = [](const char* id, const char* text) {
        return std::string("<a class=\"term\" href=\"glossary:") + id + "\">" + text + "</a>";
    };

    // Longest first, once per section, a longer term never cut up; a new <h2> starts over.
    EXPECT_EQ(link("<p>比例ゲイン、比例ゲインとゲイン</p><h2>B</h2><p>ゲイン</p>"),
              "<p>" + a("kp", "比例ゲイン") + "、比例ゲインと" + a("gain", "ゲイン") + "</p><h2>B</h2><p>" +
                  a("gain", "ゲイン") + "</p>");
    // Headings, links, code, pre (with nested elements), attributes, comments and entities are
    // left alone; the term is linked where it next appears in running text.
    const std::string untouched =
        "<header><p>IAE</p></header><h2>比例ゲイン</h2><h3 title=\"ゲイン\">x</h3><a href=\"#x\">IAE "
        "<b>ゲイン</b></a>"
        "<pre>set point<code>IAE</code> ゲイン</pre><!-- 比例ゲイン --><p data-x='a > set point'>&iae;</p>";
    EXPECT_EQ(link(untouched), untouched);
    EXPECT_EQ(link(untouched + "<p>Set points, <i>iae</i>; ゲイン</p>"),
              untouched + "<p>" + a("sv", "Set point") + "s, <i>" + a("iae", "iae") + "</i>; " +
                  a("gain", "ゲイン") + "</p>");
    // ASCII spellings match whole words only.
    EXPECT_EQ(link("<p>IAEX set pointer ITAE</p>"), "<p>IAEX set pointer ITAE</p>");

    EXPECT_TRUE(isEnglishPage("/a/Doc/help_en.html"));
    EXPECT_FALSE(isEnglishPage("help.html"));
}

} // namespace
