// SV and DV programs: the polyline through up to nine points, its ends, its steps, and the
// report of a time text that is not a number.

#include "engine/programs.h"
#include "looptest.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace kestrel;
using namespace kestrel::test;

TEST(Programs, EvaluatesThePolyline) {
    // A time that is no number is reported and lies beyond t. The segment from point 0 then ends at
    // the leading number of "x1", 0 like point 0's time, so the second point's value applies alike.
    // clang-format off
    const struct { const char* name; ProgramTexts values, times; std::vector<std::pair<float, double>> at;
                   std::vector<std::string> reports{}; } cases[] = {
        {"a point's own time starts its segment", {"20", "40", "0"}, {"0", "10", "20"},
         {{10, 40}, {15, 20}, {20, 0}, {30, 0}}},
        {"vertical step", {"20", "40", "60", "80"}, {"0", "10", "10", "20"},
         {{9.5f, 39}, {10, 60}, {15, 70}, {20, 80}, {99, 80}}},
        {"all nine points", {"0", "10", "20", "30", "40", "50", "60", "70", "90"},
         {"0", "10", "20", "30", "40", "50", "60", "70", "80"}, {{75, 80}, {80, 90}, {1000, 90}}},
        {"point 0 only", {"33"}, {"0"}, {{0, 33}, {100, 33}}},
        {"empty and non-numeric values count 0, leading numbers count", {"", "10", "abc", "12abc"},
         {"0", "10", "20", "30"}, {{5, 5}, {15, 5}, {30, 12}}},
        {"a blank time ends the program", {"0", "10", "99", "30"}, {"0", "10", "  ", "30"},
         {{5, 5}, {20, 10}}},
        {"before point 0 the first segment extends backwards", {"10", "30"}, {"5", "15"},
         {{0, 0}, {2.5f, 5}, {5, 10}}},
        {"two points at a later first time: vertical step", {"10", "30", "50"}, {"5", "5", "10"}, {{0, 30}}},
        {"a time that is no number", {"20", "40", "60"}, {"0", "x1", "20"}, {{0, 40}, {5, 40}, {50, 40}},
         {"型が一致しません。  P051"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        for (const auto& [t, expected] : c.at) {
            FakeMessages messages;
            ErrorTrap trap(messages, "  P051");
            const auto v = evaluateProgram(c.values, c.times, t, trap);
            ASSERT_TRUE(v.has_value()) << c.name << " t=" << t;
            EXPECT_DOUBLE_EQ(*v, expected) << c.name << " t=" << t;
            EXPECT_EQ(messages.shown, c.reports) << c.name;
        }
    }
}

TEST(Programs, SimulatedTimeIsComparedInSinglePrecision) {
    // Eight steps of 0.1 s add up to 0.7999999999999999 s, which is 0.8 in single precision:
    // the step programmed at 0.8 s must take effect at the eighth step, not one step late.
    auto l = makeLoop();
    l->p.SVv = {"0", "0", "100"};
    l->p.SVt = {"0", "0.8", "0.8"};
    for (int k = 0; k < 8; ++k)
        l->s.SimTime += 0.1;
    ASSERT_LT(l->s.SimTime, 0.8);
    l->sim.SvProgramEval();
    EXPECT_EQ(l->s.SV[0], 100);
}
