// The reader's quick way to read a double against the library's stream extraction:
// the same value bits, bytes taken and stream state after every read.

#include "problem/text_input.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "problem/plain_number.h"
#include "support/number_reads.h"

namespace {

using namespace std::string_literals;
using reader_text::read_plain_number;
using test_support::number_reads;

TEST(TextInput, ReadsAsTheStreamDoes) {
    // clang-format off
    // The first number of these takes the short way ...
    const std::string quick[] = {"0", " \t\n\v\f\r-12.5e-3x", "1.5.3", "+.5 7", "5. 6", "-0", "0x1p3", "1e5.3",
                                 "007e0008 9", "9007199254740993", "1e308 1e-307", "1234567890123456789"};
    // ... and these the stream's.
    const std::string streamed[] = {"1e", "1e+", "1ee5", ".", "-", "+-5", "-.e5", "e5", "", "   ", "infinity", "nan",
                                    "\xA0 5", "\0" "5"s, "1e309", "-1e400", "4e-320", "1e-400",
                                    "2.2250738585072011e-308", "12345678901234567890", "1e00001",
                                    "0.000000000000000000001"};
    // clang-format on
    for (const std::string& text : quick) {
        EXPECT_EQ(number_reads(text, true), number_reads(text, false)) << text;
        EXPECT_TRUE(read_plain_number(text)) << text;
    }
    for (const std::string& text : streamed) {
        EXPECT_EQ(number_reads(text, true), number_reads(text, false)) << text;
        EXPECT_FALSE(read_plain_number(text)) << text;
    }
}

// Digits are read eight bytes at a time: runs of every length up to past the digit limit, ended
// by bytes that border the digits or wrap around in a block, inside a block and at the text's end.
TEST(TextInput, ReadsDigitRunsAcrossBlocksAsTheStreamDoes) {
    const std::string enders[] = {"", " ", "/", ":", ".", "e", "\0"s, "\x80", "\xB9", "\xBA", "\xC6", "\xFF"};
    const std::string digits = "98765432109876543210123";
    for (std::size_t length = 0; length <= digits.size(); ++length) {
        for (const std::string& ender : enders) {
            for (const std::string& form : {"-"s, "1."s, "0."s, "."s, ".5e"s, " 123.0"s}) {
                const std::string number = std::string(form).append(digits, 0, length).append(ender);
                for (const std::string& text : {number, number + "5 7 ooooooo"}) {
                    ASSERT_EQ(number_reads(text, true), number_reads(text, false)) << text;
                }
            }
        }
    }
}

TEST(TextInput, ReadsRandomTextsAsTheStreamDoes) {
    std::mt19937 random(20260301);
    const std::string any = "0123456789+-.eE \t\n\v\f\rxainf\0\xA0"s;
    const auto pick = [&](const std::string& from) { return from[random() % from.size()]; };
    const auto digits = [&](unsigned most) {
        std::string text;
        for (unsigned k = random() % (most + 1); k > 0; --k) text += pick("0123456789");
        return text;
    };
    int quick = 0;
    constexpr int kTexts = 100000;
    for (int t = 0; t < kTexts; ++t) {
        std::string text;
        if (t % 2 == 0) {  // any bytes of numbers and of what stands next to them
            for (unsigned k = random() % 25; k > 0; --k) text += pick(any);
        } else {  // numbers of every form and size, then a few bytes of any kind
            for (unsigned k = random() % 3; k > 0; --k) text += pick(" \t\n");
            if (random() % 2) text += pick("+-");
            text += digits(22);
            if (random() % 2) text += "." + digits(22);
            if (random() % 2) text += pick("eE") + (random() % 2 ? std::string(1, pick("+-")) : "") + digits(5);
            for (unsigned k = random() % 3; k > 0; --k) text += pick(any);
        }
        ASSERT_EQ(number_reads(text, true), number_reads(text, false)) << text;
        quick += read_plain_number(text).has_value();
    }
    // Both ways are taken often.
    EXPECT_GT(quick, kTexts / 5);
    EXPECT_LT(quick, kTexts * 4 / 5);
}

}  // namespace
