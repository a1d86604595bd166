#include "core/convert.h"

#include "errorof.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <initializer_list>

using namespace kestrel;

using test::errorOf;

TEST(Convert, StrictReadsWholeTextOnly) {
    // clang-format off
    const struct { const char* text; double value; } numbers[] = {
        {"3.5", 3.5}, {" 3.5 ", 3.5}, {"\t-2\t", -2}, {"\xE3\x80\x80" "7\xE3\x80\x80", 7}, {"+4", 4},
        {".5", 0.5}, {"5.", 5}, {"-.25", -0.25}, {"1e3", 1000}, {"1.5E-2", 0.015}, {"2e+2", 200},
        {"007", 7}, {"1e-400", 0}, {"1.7976931348623157e308", DBL_MAX},
    };
    // clang-format on
    for (const auto& c : numbers)
        EXPECT_EQ(std::pair(isNumeric(c.text), toDouble(c.text)), std::pair(true, c.value)) << c.text;
    EXPECT_TRUE(std::signbit(toDouble("-0")));

    for (const char* text : {"", " ", "abc", "12.5abc", "1e", "1e+", ".", "-", "+-1", "1 2", "1..2", "1,5",
                             "e5", "- 5", "0x10", "inf", "nan", "\xEF\xBC\x91" /* full-width 1 */})
        EXPECT_EQ(std::pair(isNumeric(text), errorOf([&] { toDouble(text); })), std::pair(false, 13)) << text;
    for (const char* text : {"1e400", "-1e309", "1e99999999999999999999"})
        EXPECT_EQ(std::pair(isNumeric(text), errorOf([&] { toDouble(text); })), std::pair(false, 6)) << text;
}

TEST(Convert, LeadingNumberRule) {
    // clang-format off
    const struct { const char* text; double value; } cases[] = {
        {"12.5abc", 12.5}, {"abc", 0}, {"", 0}, {"-.5x", -0.5}, {"1e", 1}, {"1e+", 1}, {"2E3x", 2000},
        {"  42", 42}, {"\xE3\x80\x80" "8", 8}, {"3 4", 3}, {"5.", 5}, {".", 0}, {"-", 0}, {"1.2.3", 1.2},
        {"x12", 0}, {"1e-999", 0},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(val(c.text), c.value) << c.text;
    EXPECT_EQ(errorOf([] { val("1e400abc"); }), 6);
}

TEST(Convert, IntegerConversionsRoundTiesToEvenAndCheckRange) {
    // clang-format off
    const struct { double x; int expected; } cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {-0.5, 0}, {2.4999999, 2}, {2.5000001, 3},
        {32767.49, 32767}, {32766.5, 32766}, {-32768.5, -32768},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(std::tuple(int(toInt16(c.x)), toInt32(c.x)), std::tuple(c.expected, c.expected)) << c.x;
    for (double x : std::initializer_list<double>{32767.5, -32768.51, 1e10, HUGE_VAL, -HUGE_VAL, NAN})
        EXPECT_EQ(errorOf([&] { toInt16(x); }), 6) << x;

    EXPECT_EQ(std::pair(toInt32(70000.5), toInt32(-2147483648.5)), std::pair(70000, INT32_MIN));
    for (double x : std::initializer_list<double>{2147483647.5, -2147483649.0, NAN})
        EXPECT_EQ(errorOf([&] { toInt32(x); }), 6) << x;
}

TEST(Convert, SinglePrecision) {
    // 3.4028235e38 is just above FLT_MAX and still rounds to it.
    EXPECT_EQ(std::tuple(toSingle(" 0.1 "), toFloat(3.4028235e38), toFloat(-1e-50)),
              std::tuple(0.1f, FLT_MAX, 0.0f));
    for (double x : std::initializer_list<double>{3.5e38, -1e39, HUGE_VAL, NAN})
        EXPECT_EQ(errorOf([&] { toFloat(x); }), 6) << x;
    EXPECT_EQ(std::pair(errorOf([] { toSingle("1e39"); }), errorOf([] { toSingle("x"); })), std::pair(6, 13));
}

TEST(Convert, TrimAndFloor) {
    // U+3000 is the ideographic blank; a cut-off character is not a blank.
    EXPECT_EQ(std::tuple(trim(" \t\u3000a b\u3000 "), trim("   "), trim("\xE3\x80")),
              std::tuple("a b", "", "\xE3\x80"));
    EXPECT_EQ(std::pair(intFloor(-2.5), intFloor(2.9)), std::pair(-3.0, 2.0));
}

TEST(Convert, HalfWidthNumberTextReadsWhatTheInputMethodTypes) {
    // clang-format off
    const struct { const char* typed; const char* read; } cases[] = {
        {"２．５", "2.5"}, {"－３", "-3"}, {"ー１", "-1"}, {"−０．２５", "-0.25"}, {"ｰ7", "-7"}, {"＋９", "+9"},
        {"０１２３４５６７８９", "0123456789"}, {"1２.5", "12.5"},
        {"１，５", "1，5"},            // the full-width comma is no decimal point
        {"ａｂ", "ａｂ"}, {"ゲイン", "ゲイン"}, {"\xE3\x80\x80" "５", "\xE3\x80\x80" "5"},
        {"\xEF\xBC", "\xEF\xBC"},      // a cut-off character stays as it is
        {"", ""},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(halfWidthNumberText(c.typed), c.read) << c.typed;
    EXPECT_EQ(toDouble(halfWidthNumberText("－２．５")), -2.5);
}
