#include "problem/reader_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "problem/cp1251.h"

namespace {

using reader_text::decimal_prefix_length;
using reader_text::decimal_prefix_value;

TEST(TextMode, DropsCarriageReturnBeforeLineFeedAndStopsAtEndOfText) {
    using reader_text::to_text_mode;
    EXPECT_EQ(to_text_mode("a\r\nb\r\n"), "a\nb\n");
    EXPECT_EQ(to_text_mode("a\rb\r\r\n\r"), "a\rb\r\n\r");  // only the CR right before LF goes
    EXPECT_EQ(to_text_mode("one\x1Atwo\r\n"), "one");
    EXPECT_EQ(to_text_mode("\r\x1A\n"), "\r");
    EXPECT_EQ(to_text_mode(std::string("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(to_text_mode(""), "");
}

// The text between dropped carriage returns moves down in pieces: pairs at either end,
// pairs back to back, lone CRs between them.
TEST(TextMode, MovesTheTextBetweenPairsIntact) {
    const struct {
        std::string bytes;
        std::string text;
    } cases[] = {
        {"\r\n", "\n"},
        {"\r\nab\r\ncd", "\nab\ncd"},
        {"a\r\r\n\r\n\rb\r", "a\r\n\n\rb\r"},
        {"0123456789\r\n0123456789\r\r\n\x1A\r\n", "0123456789\n0123456789\r\n"},
        {"\ra\rb\r", "\ra\rb\r"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(reader_text::to_text_mode(c.bytes), c.text) << c.bytes;
        EXPECT_EQ(reader_text::is_text_mode(c.bytes), c.text == c.bytes) << c.bytes;
    }
}

TEST(Keywords, FoldOnlyLatinLetters) {
    using reader_text::same_keyword;
    EXPECT_TRUE(same_keyword("sIZE:", "Size:"));
    EXPECT_TRUE(same_keyword("VAR_NAMES:", "Var_names:"));
    EXPECT_FALSE(same_keyword("Size", "Size:"));
    EXPECT_FALSE(same_keyword("Size::", "Size:"));
    EXPECT_TRUE(same_keyword("Цель:"_cp1251, "Цель:"_cp1251));
    EXPECT_FALSE(same_keyword("ЦЕЛЬ:"_cp1251, "Цель:"_cp1251));
    EXPECT_FALSE(same_keyword("цель:"_cp1251, "Цель:"_cp1251));
    // '@' and '[' border on the Latin letters, and 0xC0-0xDF mirror them 0x20 higher up.
    EXPECT_FALSE(same_keyword("@", "`"));
    EXPECT_FALSE(same_keyword("[", "{"));
    EXPECT_FALSE(same_keyword("\xC1", "\xE1"));
}

TEST(CostNumbers, LongestDecimalPrefixAsAtofReadsIt) {
    struct Case {
        const char* word;
        std::size_t length;
    };
    const Case cases[] = {
        {"2.5abc", 3}, {".5", 2},   {"5.", 2},    {"5.e3", 4}, {"-1e-2x", 5}, {"+7", 2},    {"2e", 1},
        {"2e+", 1},    {"2E+3", 4}, {"1.2.3", 3}, {"0x1A", 1}, {".", 0},      {"-.", 0},    {"+-1", 0},
        {"e5", 0},     {"inf", 0},  {"nan", 0},   {"-M", 0},   {"", 0},       {"00012", 5},
    };
    for (const Case& c : cases) EXPECT_EQ(decimal_prefix_length(c.word), c.length) << c.word;
}

TEST(CostNumbers, ValuesWithoutTheCurrentLocale) {
    EXPECT_EQ(decimal_prefix_value("2.5abc"), 2.5);
    EXPECT_EQ(decimal_prefix_value("5.e3"), 5000.0);
    EXPECT_EQ(decimal_prefix_value("+.25"), 0.25);
    EXPECT_EQ(decimal_prefix_value("-1e-2"), -0.01);
    EXPECT_EQ(decimal_prefix_value("0.1"), 0.1);  // correctly rounded, as atof
    EXPECT_EQ(decimal_prefix_value("0x10"), 0.0);
    EXPECT_EQ(decimal_prefix_value("abc"), 0.0);
    EXPECT_EQ(decimal_prefix_value("1,5"), 1.0);
}

TEST(CostNumbers, OutOfRangeOverflowsOrUnderflowsByMagnitude) {
    EXPECT_FALSE(decimal_prefix_value("1e309"));
    EXPECT_FALSE(decimal_prefix_value("-2e400"));
    EXPECT_FALSE(decimal_prefix_value("0.0001e313"));
    EXPECT_FALSE(decimal_prefix_value("1" + std::string(400, '0') + "e-50"));
    EXPECT_FALSE(decimal_prefix_value("9e99999999999999999999999"));
    EXPECT_EQ(decimal_prefix_value("1.7976931348623157e308"), std::numeric_limits<double>::max());

    EXPECT_EQ(decimal_prefix_value("1e-400"), 0.0);
    EXPECT_EQ(decimal_prefix_value("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(decimal_prefix_value("1" + std::string(50, '0') + "e-400"), 0.0);
    EXPECT_EQ(decimal_prefix_value("1e-99999999999999999999999"), 0.0);
    EXPECT_TRUE(std::signbit(*decimal_prefix_value("-1e-400")));
    const double subnormal = *decimal_prefix_value("4e-320");
    EXPECT_GT(subnormal, 0.0);
    EXPECT_LT(subnormal, std::numeric_limits<double>::min());
}

}  // namespace
