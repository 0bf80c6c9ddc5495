// The reader's quick way to read a double against the library's stream extraction:
// the same value bits, bytes taken and stream state after every read.

#include "problem/text_input.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>

#include "problem/plain_number.h"
#include "support/number_reads.h"

namespace test_support {
std::ostream& operator<<(std::ostream& out, const NumberRead& read) {
    return out << "{bits " << std::hex << read.bits << std::dec << ", state " << read.state << ", left " << read.left
               << "}";
}
}  // namespace test_support

namespace {

using namespace std::string_literals;
using reader_text::read_plain_number;
using test_support::stream_reads;
using test_support::text_input_reads;

TEST(TextInput, ReadsAsTheStreamDoes) {
    struct Case {
        std::string text;
        bool quick;  // whether the first number takes the quick way
    };
    const Case cases[] = {
        {"0", true},
        {" \t\n\v\f\r-12.5e-3x", true},
        {"1.5.3", true},
        {"+.5 7", true},
        {"5. 6", true},
        {"-0", true},
        {"0x1p3", true},
        {"1e5.3", true},
        {"007e0008 9", true},
        {"9007199254740993", true},
        {"1e308 1e-307", true},
        {"1234567890123456789", true},
        {"1e", false},
        {"1e+", false},
        {"1ee5", false},
        {".", false},
        {"-", false},
        {"+-5", false},
        {"-.e5", false},
        {"e5", false},
        {"", false},
        {"   ", false},
        {"infinity", false},
        {"nan", false},
        {"\xA0 5", false},
        {"\0"
         "5"s,
         false},
        {"1e309", false},
        {"-1e400", false},
        {"4e-320", false},
        {"1e-400", false},
        {"2.2250738585072011e-308", false},
        {"12345678901234567890", false},
        {"1e00001", false},
        {"0.000000000000000000001", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text_input_reads(c.text), stream_reads(c.text)) << c.text;
        EXPECT_EQ(read_plain_number(c.text).has_value(), c.quick) << c.text;
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
        ASSERT_EQ(text_input_reads(text), stream_reads(text)) << text;
        quick += read_plain_number(text).has_value();
    }
    // Both ways are taken often.
    EXPECT_GT(quick, kTexts / 5);
    EXPECT_LT(quick, kTexts * 4 / 5);
}

TEST(TextInput, KeepsTheStreamsOwnReadingWithoutSkippingBlanks) {
    TextInput input(" 5");
    input.stream() >> std::noskipws;
    double value = 1.0;
    EXPECT_FALSE(input.read_double(value));
    EXPECT_EQ(value, 0.0);
}

}  // namespace
