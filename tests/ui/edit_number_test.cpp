#include "ui/edit_number.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(ReadEditNumber, ReadsAsAtolDoes) {
    const struct {
        const char16_t* text;
        std::int32_t value;
    } cases[] = {
        {u"", 0},       {u"7", 7},      {u"-5", -5}, {u"+4", 4},      {u" +4", 4},    {u"\t\n 12", 12},
        {u"12abc", 12}, {u"12 34", 12}, {u"abc", 0}, {u"-", 0},       {u"+-3", 0},    {u"- 3", 0},
        {u"007", 7},    {u"3.9", 3},    {u"-0", 0},  {u"\u00a05", 0}, {u"\uff15", 0},  // only the C locale's blanks and
                                                                                       // ASCII digits count
    };
    for (const auto& c : cases) EXPECT_EQ(read_edit_number(QString::fromUtf16(c.text)), c.value) << c.value;
}

TEST(ReadEditNumber, SaturatesBeyondTheSigned32BitRange) {
    EXPECT_EQ(read_edit_number("2147483647"), kMax);
    EXPECT_EQ(read_edit_number("2147483648"), kMax);
    EXPECT_EQ(read_edit_number("99999999999999999999999999"), kMax);
    EXPECT_EQ(read_edit_number("-2147483648"), kMin);
    EXPECT_EQ(read_edit_number("-2147483649"), kMin);
    EXPECT_EQ(read_edit_number("-99999999999999999999999999x"), kMin);
}

TEST(EditNumberText, IsThePlainDecimalForm) {
    EXPECT_EQ(edit_number_text(0), "0");
    EXPECT_EQ(edit_number_text(10), "10");
    EXPECT_EQ(edit_number_text(-5), "-5");
    EXPECT_EQ(edit_number_text(kMin), "-2147483648");
}

}  // namespace
