#include "setup/cp932.h"

#include <gtest/gtest.h>

using namespace kestrel;

TEST(Cp932, EncodesAndDecodesTheCharactersOfTheLessonTextsAndReportsOthers) {
    struct Case {
        std::string_view utf8, cp932;
    } const cases[] = {
        {"手順12", "\x8E\xE8\x8F\x87"
                   "12"},
        {"①", "\x87\x40"},                                          // row-13 special character, not in plain Shift-JIS
        {"ﾊﾟﾗﾒｰﾀ設定", "\xCA\xDF\xD7\xD2\xB0\xC0\x90\xDD\x92\xE8"}, // half-width katakana are single bytes
        {"αβγ", "\x83\xBF\x83\xC0\x83\xC1"},
        {"ソ", "\x83\x5C"}, // trail byte '\'
        {"～", "\x81\x60"},
        {"", ""},
    };
    for (const auto& c : cases) {
        bool ok = false;
        EXPECT_EQ(utf8ToCp932(c.utf8, &ok), c.cp932) << c.utf8;
        EXPECT_EQ(std::pair(ok, cp932ToUtf8(c.cp932)), std::pair(true, std::string(c.utf8))) << c.utf8;
    }
    // Texts it cannot encode are reported.
    for (std::string_view text : {"温度 😀", "€", "\xFF\xFE invalid UTF-8"}) {
        bool ok = true;
        EXPECT_EQ(std::pair(utf8ToCp932(text, &ok), ok), std::pair(std::string(), false)) << text;
    }
}

TEST(Cp932, DecodesDamagedBytesAndCutsOnlyBetweenCharacters) {
    // Octal escapes, so that a following letter is not read as part of the byte.
    const std::pair<std::string_view, std::string_view> damaged[] = {
        {"a\200b", "a\uFFFDb"},
        {"a\205\100b", "a\uFFFDb"}, // unassigned pair: one character
        {"ab\203", "ab\uFFFD"},     // cut after a lead byte
    };
    for (const auto& [bytes, utf8] : damaged)
        EXPECT_EQ(cp932ToUtf8(bytes), utf8) << utf8;

    const std::string text = "a\203\277b"; // "aαb"
    const std::pair<std::size_t, std::string> prefixes[] = {
        {0, ""}, {1, "a"}, {2, "a"}, {3, "a\203\277"}, {10, text}};
    for (const auto& [bytes, expected] : prefixes)
        EXPECT_EQ(cp932Prefix(text, bytes), expected) << bytes;
}
