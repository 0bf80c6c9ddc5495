#include "problem/print_rules.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(PrintRules, AcceptExactlyTheFormatsAndIntervalsTheReportCanPrint) {
    const struct {
        std::int32_t first, second;
        bool format, interval;  // (width, digits) and (from, to)
    } cases[] = {
        {10, 9, true, false},   {1, 0, true, false},  {10, 10, false, true}, {0, 0, false, true},
        {10, -1, false, false}, {-2, 3, false, true}, {5, 3, true, false},   {-5, -1, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(accepts_number_format(c.first, c.second), c.format) << c.first << ", " << c.second;
        EXPECT_EQ(accepts_print_interval(c.first, c.second), c.interval) << c.first << ", " << c.second;
    }
}

}  // namespace
