#include "core/convert.h"
#include "core/runtimeerror.h"
#include "core/vbformat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

using namespace kestrel;

TEST(VbFormat, DigitPatterns) {
    // clang-format off
    const struct { double value; const char* pattern; const char* expected; } cases[] = {
        {0.5, "###.0", ".5"}, {50, "###.0", "50.0"}, {0, "###.0", ".0"}, {99.96, "###.0", "100.0"},
        {99.94, "###.0", "99.9"}, {-12.34, "###.0", "-12.3"}, {-0.04, "###.0", "-.0"}, {0.05, "###.0", ".1"},
        {1.234, "##0.00", "1.23"}, {9.995, "##0.00", "10.00"}, {2.675, "##0.00", "2.68"},
        {1.005, "##0.00", "1.01"}, {-2.675, "##0.00", "-2.68"}, {1234.5, "##0.00", "1234.50"},
        {100, "###0", "100"}, {2.5, "###0", "3"}, {-2.5, "###0", "-3"}, {0.4, "###0", "0"},
        {0, "##0", "0"}, {-0.04, "##0.0", "-0.0"}, {-0.0, "##0.0", "0.0"}, {12, "###0.00", "12.00"},
        {1e-300, "##0.00", "0.00"}, {1, "00#", "001"}, {12, "00#", "012"}, {1234, "00#", "1234"},
        {0, "00#", "000"}, {0, "###", ""}, {5, "0.", "5."}, {7.25, "0.##", "7.25"},
        {123456789012345678.0, "###0", "123456789012346000"}, {1e20, "###.0", "100000000000000000000.0"},
        {0.1, "0.0000000000000000", "0.1000000000000000"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(formatNumber(c.value, c.pattern), c.expected) << c.value << " " << c.pattern;

    EXPECT_EQ(formatNumber(1e308, "0").size(), 309u);
    EXPECT_THROW(formatNumber(HUGE_VAL, "###.0"), RuntimeError);
    EXPECT_THROW(formatNumber(NAN, "###.0"), RuntimeError);
}

TEST(VbFormat, TextFormatsOnlyNumbers) {
    EXPECT_EQ(
        std::tuple(formatText(" 2.675 ", "##0.00"), formatText("1e2", "###0"), formatText(".5", "###0.00")),
        std::tuple("2.68", "100", "0.50"));
    for (const char* text : {"abc", "", "  ", "12.5abc", "1e400", "1,5"})
        EXPECT_EQ(formatText(text, "##0.00"), text);
}

TEST(VbFormat, DefaultNumberText) {
    // clang-format off
    const struct { double value; const char* expected; } cases[] = {
        {0.5, "0.5"}, {-0.25, "-0.25"}, {100, "100"}, {1.23, "1.23"}, {0.1 + 0.2, "0.3"}, {1e20, "1E+20"},
        {1.5e20, "1.5E+20"}, {0.00001, "1E-05"}, {0.0001, "0.0001"}, {1e15, "1E+15"},
        {999999999999999, "999999999999999"}, {0.0, "0"}, {-0.0, "0"}, {1.0 / 3, "0.333333333333333"},
        {1e-100, "1E-100"}, {2.0 / 3 * 1e16, "6.66666666666667E+15"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(numberText(c.value), c.expected) << c.value;
    EXPECT_THROW(numberText(NAN), RuntimeError);

    EXPECT_EQ(std::tuple(singleText(12.4f), singleText(1e7f)), std::tuple("12.4", "1E+07"));
    EXPECT_EQ(toSingle(singleText(0.1f + 0.2f)), 0.1f + 0.2f);
}

TEST(VbFormat, ShortestTextRoundTrips) {
    for (double x : {0.1, 0.1 + 0.2, 1.0 / 3, -2.5, 1e20, 5e-324, 1.7976931348623157e308, -0.0}) {
        const std::string t = shortestText(x);
        EXPECT_EQ(std::tuple(toDouble(t), val(t), std::signbit(toDouble(t))),
                  std::tuple(x, x, std::signbit(x)))
            << t;
    }
    EXPECT_EQ(std::tuple(shortestText(0.1), shortestText(100)), std::tuple("0.1", "100"));
}
