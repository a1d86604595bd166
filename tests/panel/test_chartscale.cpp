// The chart scale with numbers worked out by hand: values to rows (rounded to even, limited to the
// strip), times to columns, and where the grid lines stand.

#include "panel/chartscale.h"

#include "errorof.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

namespace kestrel {
namespace {

using test::errorOf;

TEST(ChartScale, ValuesToRows) {
    const std::array<double, 7> cases[] = {
        {615, 0, 100, 0, 565, 615, 565},   // the bottom of the range stays 50 above the edge
        {615, 0, 100, 100, 565, 0, 0},     // the top of the range on the top edge
        {615, -50, 50, 0, 565, 308, 308},  // 307.5 to the even 308
        {5, 0, 100, 50, 5, 2, 2},          // 2.5 to the even 2
        {615, 0, 100, 120, 565, -123, 0},  // above the range: along the top edge
        {600, 0, 100, -10, 590, 660, 590}, // DV 10 below the range, offset 10: its own limit
    };
    for (const auto& [H, lo, hi, v, lowest, y, clamped] : cases) {
        SCOPED_TRACE(testing::Message() << H << " twips, " << lo << ".." << hi << ", v " << v);
        const ChartScale scale(H, lo, hi);
        EXPECT_EQ(std::pair(scale.y(v), scale.clampedY(v, lowest)), std::pair(y, clamped));
    }
    EXPECT_EQ(errorOf([] { ChartScale(615, 20, 20).y(20); }), 11);
    EXPECT_EQ(errorOf([] { ChartScale(1e9, 0, 1e-3).y(-1); }), 6); // beyond 32 bits
}

TEST(ChartScale, TimesAndGridPositions) {
    // x(1 of 2 s, 5 twips) = 2.5 goes to the even 2.
    EXPECT_EQ(std::pair(ChartScale::x(10, 50, 5115), ChartScale::x(1, 2, 5)), std::pair(1023.0, 2.0));
    EXPECT_EQ(errorOf([] { ChartScale::x(1, 0, 5115); }), 11);

    // Lines every 5 units strictly inside the range: count, first (lowest) and last.
    const std::tuple<double, double, double, std::size_t, double, double> rows[] = {
        {1000, 0, 100, 19, 950, 50},
        {1000, 50, 60, 1, 500, 500},
        {1100, 2, 13, 1, 800, 800},
        {900, -100, 200, 59, 885, 15},
        {1000, 50, 50, 0, 0, 0}}; // no width: no lines, no error
    for (const auto& [H, lo, hi, count, first, last] : rows) {
        const std::vector<double> y = ChartScale(H, lo, hi).rowsEveryFive();
        EXPECT_EQ(std::tuple(y.size(), y.empty() ? 0.0 : y.front(), y.empty() ? 0.0 : y.back()),
                  std::tuple(count, first, last))
            << lo << ".." << hi;
    }
    EXPECT_EQ(ChartScale::quarters(615), (std::array<double, 5>{0, 153.75, 307.5, 461.25, 615}));

    // Int(T / 50 + 0.99) seconds apart: 1 s for 50 s, 2 s for 60 s, none for 0.001 s.
    EXPECT_DOUBLE_EQ(ChartScale::gridInterval(50, 5115 * 0.1 / 50, 0.1), 102.3);
    EXPECT_DOUBLE_EQ(ChartScale::gridInterval(60, 6000 * 0.1 / 60, 0.1), 200);
    EXPECT_EQ(ChartScale::gridInterval(0.001, 5000, 0.1), 0);
    EXPECT_EQ(errorOf([] { ChartScale::gridInterval(50, 1, 0); }), 6);
    EXPECT_EQ(ChartScale::columns(2.5, 3.5, 9), (std::vector<double>{2, 5.5, 9}));
    EXPECT_EQ(ChartScale::columns(2.5, 2.5, 1), std::vector<double>{});
}

} // namespace
} // namespace kestrel
