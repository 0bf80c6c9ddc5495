#include "solver/report/number_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using number_format::format_fixed_integer_path;
using number_format::kMaxFixedLength;
using number_format::to_fixed;

// The reference: the standard library's exact fixed conversion.
std::string reference(double x, std::uint32_t precision) {
    std::vector<char> buffer(kMaxFixedLength + 2000);
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x, std::chars_format::fixed,
                                      static_cast<int>(precision));
    EXPECT_EQ(result.ec, std::errc{});
    return std::string(buffer.data(), result.ptr);
}

// printf itself; the tests run in the C locale, which setlocale has not changed.
std::string printf_text(double x, std::uint32_t precision) {
    std::vector<char> buffer(kMaxFixedLength + 2000);
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.*f", static_cast<int>(precision), x);
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

// The integer path alone, or "" when it declines.
std::string integer_path(double x, std::uint32_t precision) {
    char buffer[kMaxFixedLength];
    const std::size_t length = format_fixed_integer_path(x, precision, buffer);
    return std::string(buffer, length);
}

TEST(NumberFormat, RoundsHalfwayCasesToEven) {
    // Exact binary ties round to the even digit; values just off a tie go their way.
    EXPECT_EQ(to_fixed(0.125, 2), "0.12");
    EXPECT_EQ(to_fixed(0.375, 2), "0.38");
    EXPECT_EQ(to_fixed(2.5, 0), "2");
    EXPECT_EQ(to_fixed(3.5, 0), "4");
    EXPECT_EQ(to_fixed(-2.5, 0), "-2");
    EXPECT_EQ(to_fixed(0.5, 0), "0");
    EXPECT_EQ(to_fixed(1.5, 0), "2");
    EXPECT_EQ(to_fixed(1.005, 2), "1.00");  // 1.005 is stored a little below the tie
    EXPECT_EQ(to_fixed(0.015625, 5), "0.01562");
    EXPECT_EQ(to_fixed(9.995, 2), "9.99");
    EXPECT_EQ(to_fixed(9.9951, 2), "10.00");
    EXPECT_EQ(to_fixed(999999.99996, 4), "1000000.0000");  // a carry into a new digit
}

TEST(NumberFormat, SignsZerosAndSpecialValuesAsPrintf) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const double x : {0.0, -0.0, -0.001, 0.001, -0.004999, inf, -inf, nan, -nan}) {
        for (const std::uint32_t p : {0u, 2u, 4u, 30u}) EXPECT_EQ(to_fixed(x, p), printf_text(x, p)) << x << " " << p;
    }
    EXPECT_EQ(to_fixed(-0.0, 2), "-0.00");
    EXPECT_EQ(to_fixed(-0.001, 2), "-0.00");
    EXPECT_EQ(to_fixed(-0.0, 0), "-0");
    EXPECT_EQ(to_fixed(3.0, 0), "3");
    EXPECT_EQ(to_fixed(-nan, 3), "-nan");
    EXPECT_EQ(to_fixed(-inf, 3), "-inf");
}

TEST(NumberFormat, IntegerPathTakesTheCommonCasesAndDeclinesTheRest) {
    EXPECT_EQ(integer_path(123.456, 4), "123.4560");
    EXPECT_EQ(integer_path(-0.0, 2), "-0.00");
    EXPECT_EQ(integer_path(5e-324, 27), "0.000000000000000000000000000");
    EXPECT_EQ(integer_path(2147483637.0, 27), "2147483637.000000000000000000000000000");
    EXPECT_EQ(integer_path(1.0, 28), "");   // precision beyond 5^27
    EXPECT_EQ(integer_path(1e300, 2), "");  // beyond 128 bits
    EXPECT_EQ(integer_path(std::numeric_limits<double>::infinity(), 2), "");
    EXPECT_EQ(integer_path(std::numeric_limits<double>::quiet_NaN(), 2), "");
    // The edge of 128 bits: 2^127 * 10^0 fits, 2^128 does not.
    EXPECT_EQ(integer_path(std::ldexp(1.0, 127), 0), reference(std::ldexp(1.0, 127), 0));
    EXPECT_EQ(integer_path(std::ldexp(1.0, 128), 0), "");
    // A scaled value just below 1 whose rounding needs all 128 bits of the product.
    const double tiny = std::ldexp(1.0, -101);
    for (std::uint32_t p = 20; p <= 27; ++p) EXPECT_EQ(integer_path(tiny, p), reference(tiny, p)) << p;
}

TEST(NumberFormat, MatchesTheExactConversionOnEdgeValues) {
    // clang-format off
    std::vector<double> values = {
        0.125, 0.375, 2.5, 0.5, 1.5, 1e-5, 5e-5, 0.05, 0.005, 4.35, 1.45, 2.675, 1e15, 1e16, 9007199254740993.0,
        18446744073709551615.0, 18446744073709551616.0, 1e19, 1e20, 1e21, 1e22, 1e23, 123456789012345678.9,
        std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
        std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::epsilon(), 2147483637.0,
        2147483636.0, 1.0 / 3.0, 2.0 / 3.0, 0.1, 0.2, 0.3, 1e-10, 1e-17, 1e-300, 4.9406564584124654e-320};
    // clang-format on
    for (int e = -1074; e <= 1023; e += 7) values.push_back(std::ldexp(1.0, e));
    for (int e = -60; e <= 130; ++e) {
        values.push_back(std::ldexp(1.0, e));
        values.push_back(std::ldexp(3.0, e));
        values.push_back(std::nextafter(std::ldexp(1.0, e), 0.0));
    }
    for (int k = 0; k < 1000; ++k) values.push_back((k + 0.5) / 8.0);  // exact ties at small precisions
    for (const double v : values) {
        for (std::uint32_t p = 0; p <= 32; ++p) {
            ASSERT_EQ(to_fixed(v, p), reference(v, p)) << v << " at " << p;
            ASSERT_EQ(to_fixed(-v, p), reference(-v, p)) << -v << " at " << p;
        }
    }
}

TEST(NumberFormat, MatchesTheExactConversionOnRandomValues) {
    std::mt19937_64 random(20260101);
    std::uniform_int_distribution<std::uint32_t> precision(0, 30);
    std::uniform_real_distribution<double> ordinary(-1e6, 1e6);
    std::uniform_int_distribution<int> exponent(-80, 80);
    for (int k = 0; k < 300000; ++k) {
        double x = 0;
        switch (k % 3) {
            case 0:  // any bit pattern: every magnitude, subnormals, infinities and NaNs
                x = std::bit_cast<double>(random());
                break;
            case 1:  // the numbers of a simplex table
                x = ordinary(random);
                break;
            default:  // moderate magnitudes around the 64-bit and 128-bit edges
                x = std::ldexp(ordinary(random), exponent(random));
                break;
        }
        const std::uint32_t p = precision(random);
        ASSERT_EQ(to_fixed(x, p), reference(x, p)) << std::bit_cast<std::uint64_t>(x) << " at " << p;
    }
}

TEST(NumberFormat, AgreesWithPrintf) {
    std::mt19937_64 random(7);
    for (int k = 0; k < 20000; ++k) {
        const double x = std::bit_cast<double>(random());
        const auto p = static_cast<std::uint32_t>(random() % 40);
        ASSERT_EQ(to_fixed(x, p), printf_text(x, p)) << std::bit_cast<std::uint64_t>(x) << " at " << p;
    }
}

TEST(NumberFormat, FieldsAlignRightAndLetLongerNumbersThrough) {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> ordinary(-1e6, 1e6);
    const std::uint32_t precisions[] = {0, 1, 2, 4, 8, 9, 19, 20, 27, 28, 40, 300, 1074};
    const std::size_t fields[] = {0, 1, 5, 11, 31, 32, 33, 100, number_format::kMaxField};
    // Exactly the room the function asks for, so that a sanitizer sees any write past it.
    std::vector<char> room(number_format::kFieldRoom);
    for (int k = 0; k < 60000; ++k) {
        const double x = k % 2 == 0 ? std::bit_cast<double>(random()) : ordinary(random);
        const std::uint32_t p = precisions[random() % std::size(precisions)];
        const std::size_t field = fields[random() % std::size(fields)];
        const char* const start = room.data();
        const char* end = number_format::format_fixed_in_field(x, p, field, room.data());
        const std::string text = to_fixed(x, p);
        const std::string expected = std::string(field > text.size() ? field - text.size() : 0, ' ') + text;
        ASSERT_EQ(std::string(start, end), expected) << std::bit_cast<std::uint64_t>(x) << " at " << p;
    }
}

TEST(NumberFormat, HugePrecisionsEndInZerosWithoutAHugeBuffer) {
    EXPECT_EQ(to_fixed(0.1, 300), reference(0.1, 300));
    EXPECT_EQ(to_fixed(5e-324, 1074), reference(5e-324, 1074));
    EXPECT_EQ(to_fixed(-5e-324, 1100), reference(-5e-324, 1100));
    EXPECT_EQ(to_fixed(std::numeric_limits<double>::max(), 1500),
              printf_text(std::numeric_limits<double>::max(), 1500));

    char buffer[kMaxFixedLength];
    const auto text = number_format::format_fixed(1.5, 2'000'000'000u, buffer);
    EXPECT_EQ(std::string(buffer, text.length), "1.5" + std::string(1073, '0'));
    EXPECT_EQ(text.zeros, 2'000'000'000u - 1074u);
    const auto nan_text = number_format::format_fixed(std::nan(""), 2'000'000'000u, buffer);
    EXPECT_EQ(std::string(buffer, nan_text.length), "nan");
    EXPECT_EQ(nan_text.zeros, 0u);
}

}  // namespace
