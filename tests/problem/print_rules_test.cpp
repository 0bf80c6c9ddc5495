#include "problem/print_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(PrintRules, NumberFormatNeedsDigitsFromZeroUpToBelowTheWidth) {
    const struct {
        std::int32_t width, digits;
        bool accepted;
    } cases[] = {
        {10, 0, true}, {10, 9, true},   {1, 0, true},    {kMax, kMax - 1, true}, {10, 10, false},
        {0, 0, false}, {10, -1, false}, {-1, -2, false}, {5, 7, false},          {kMin, kMin, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(accepts_number_format(c.width, c.digits), c.accepted) << c.width << ", " << c.digits;
}

TEST(PrintRules, IntervalNeedsALastIterationNotBeforeTheFirstNorBelowZero) {
    const struct {
        std::int32_t from, to;
        bool accepted;
    } cases[] = {
        {0, 0, true},  {-2, 3, true},   {7, 7, true},  {kMin, 0, true},     {0, kMax, true},
        {5, 3, false}, {-5, -1, false}, {1, 0, false}, {kMax, kMin, false},
    };
    for (const auto& c : cases) EXPECT_EQ(accepts_print_interval(c.from, c.to), c.accepted) << c.from << ", " << c.to;
}

}  // namespace
