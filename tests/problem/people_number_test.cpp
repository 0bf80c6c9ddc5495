#include "problem/people_number.h"

#include <gtest/gtest.h>

#include <limits>

#include "problem/simplex_iteration.h"

namespace {

struct Case {
    double x;
    double magnitude;
    const char* text;
};

TEST(PeopleNumber, TenDigitsAtMostAndNoiseAsZero) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {3.4000000000000004, 5, "3.4"},
        {0.40000000000000013, 5, "0.4"},
        {5.333333333333333, 5, "5.333333333"},
        {-5.333333333333333, 5, "-5.333333333"},
        {7.661243601325696e-17, 5, "0"},
        {-7.661243601325696e-17, 5, "0"},
        {-0.0, 5, "0"},
        {4, 5, "4"},
        {1234567890123.0, 5, "1.23456789e+12"},
        {9999999999.5, 5, "1e+10"},
        {1e-12, 0, "1e-12"},     // nothing to compare with: kept
        {1e-12, 1e-4, "1e-12"},  // beside a small problem the value still counts
        {1e-12, 1e-2, "0"},
        {4.9e-9, 5, "0"},
        {5.1e-9, 5, "5.1e-09"},
        {kInf, 5, "inf"},
        {-kInf, 5, "-inf"},
    };
    for (const Case& c : cases) EXPECT_EQ(people_number::text(c.x, c.magnitude), c.text) << c.x;
}

TEST(PeopleNumber, LargestMagnitudeSkipsTheMCosts) {
    Matrix table(2, 3);
    table(0, 0) = 0;
    table(0, 1) = -7;
    table(0, 2) = -BIG_M;
    table(1, 0) = 3;
    table(1, 1) = 0.5;
    table(1, 2) = BIG_M;
    EXPECT_EQ(people_number::largest_magnitude(table), 7);
    EXPECT_EQ(people_number::largest_magnitude(Matrix{}), 0);
}

}  // namespace
