#include "core/qmcatalog.h"
#include "core/translate.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

using namespace kestrel;

namespace {

// sample_en.qm: lrelease's output for context "Ctx" with "比例ゲイン %1" -> "Gain %1" and
// "同じ" -> "同じ".
std::string sampleBytes() {
    std::ifstream in(TEST_DATA_DIR "/sample_en.qm", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(QmCatalog, ReadsEveryMessageAndRefusesWhatIsNoTranslationFile) {
    QmCatalog catalog;
    ASSERT_TRUE(catalog.load(TEST_DATA_DIR "/sample_en.qm"));
    EXPECT_EQ(catalog.size(), 2u);
    ASSERT_NE(catalog.find("Ctx", "比例ゲイン %1"), nullptr);
    EXPECT_EQ(*catalog.find("Ctx", "比例ゲイン %1"), "Gain %1");
    EXPECT_EQ(*catalog.find("Ctx", "同じ"), "同じ"); // UTF-16 back to UTF-8
    EXPECT_EQ(catalog.find("Other", "同じ"), nullptr);
    EXPECT_EQ(catalog.find("Ctx", "比例ゲイン"), nullptr);

    const std::string bytes = sampleBytes();
    for (std::size_t cut : {bytes.size() - 3, std::size_t{20}, std::size_t{5}}) {
        EXPECT_FALSE(catalog.parse(std::string_view(bytes).substr(0, cut))) << cut;
        EXPECT_EQ(catalog.size(), 0u);
    }
    EXPECT_FALSE(catalog.load(TEST_DATA_DIR "/no_such.qm"));
}

TEST(Translate, SourceTextUntilATranslatorIsInstalledAndArgumentsByNumber) {
    EXPECT_EQ(KESTREL_TR("Ctx", "同じ"), "同じ");
    installTranslator([](const char* context, const char* source) {
        return std::string(context) == "Ctx" ? std::string("EN:") + source : std::string(source);
    });
    EXPECT_EQ(KESTREL_TR("Ctx", "a"), "EN:a");
    EXPECT_EQ(KESTREL_TR("Else", "a"), "a");
    installTranslator({});
    EXPECT_EQ(KESTREL_TR("Ctx", "a"), "a");

    EXPECT_EQ(trArgs("%2 / %1 = %3%", {"a", "b"}), "b / a = %3%");
    EXPECT_EQ(trArgs("Kp %1", {"1.20"}), "Kp 1.20");
}
