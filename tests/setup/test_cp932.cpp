#include "setup/cp932.h"

#include <gtest/gtest.h>

using namespace kestrel;

TEST(Cp932, EncodesAndDecodesTheCharactersOfTheLessonTexts) {
    struct Case {
        std::string_view utf8;
        std::string_view cp932;
    };
    const Case cases[] = {
        {"手順12", "\x8E\xE8\x8F\x87"
                   "12"},
        {"①", "\x87\x40"},                                          // NEC special row, not in plain Shift-JIS
        {"ﾊﾟﾗﾒｰﾀ設定", "\xCA\xDF\xD7\xD2\xB0\xC0\x90\xDD\x92\xE8"}, // half-width katakana are single bytes
        {"αβγ", "\x83\xBF\x83\xC0\x83\xC1"},
        {"ソ", "\x83\x5C"}, // trail byte '\'
        {"～", "\x81\x60"},
        {"", ""},
    };
    for (const Case& c : cases) {
        bool ok = false;
        EXPECT_EQ(utf8ToCp932(c.utf8, &ok), c.cp932) << c.utf8;
        EXPECT_TRUE(ok) << c.utf8;
        EXPECT_EQ(cp932ToUtf8(c.cp932), c.utf8) << c.utf8;
    }
}

TEST(Cp932, ReportsTextsItCannotEncode) {
    for (std::string_view text : {"温度 😀", "€", "\xFF\xFE invalid UTF-8"}) {
        bool ok = true;
        EXPECT_EQ(utf8ToCp932(text, &ok), "") << text;
        EXPECT_FALSE(ok) << text;
    }
}

TEST(Cp932, DecodesDamagedBytesWithReplacementCharacters) {
    EXPECT_EQ(cp932ToUtf8("a\x80"
                          "b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(cp932ToUtf8("a\x85\x40"
                          "b"),
              "a\xEF\xBF\xBD"
              "b");                                     // unassigned pair: one character
    EXPECT_EQ(cp932ToUtf8("ab\x83"), "ab\xEF\xBF\xBD"); // cut after a lead byte
}

TEST(Cp932, PrefixNeverSplitsADoubleByteCharacter) {
    const std::string text = "a\x83\xBF"
                             "b"; // "aαb"
    EXPECT_EQ(cp932Prefix(text, 0), "");
    EXPECT_EQ(cp932Prefix(text, 1), "a");
    EXPECT_EQ(cp932Prefix(text, 2), "a");
    EXPECT_EQ(cp932Prefix(text, 3), "a\x83\xBF");
    EXPECT_EQ(cp932Prefix(text, 10), text);
}
