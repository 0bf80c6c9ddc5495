// Problem files that no editor writes on purpose: huge words and lines, NUL bytes,
// lone carriage returns, an end-of-text byte inside a word, numbers of thousands of
// digits and sizes at the limits. Each one gives either a record or its status codes.
// (Time and memory on 100 MB inputs: bench/odd_inputs.sh. Cost words next to BIG_M,
// which the engine tells apart: tests/solver/engine/m_cost_words_test.cpp.)

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <locale>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "problem/simplex_iteration.h"

namespace {

using namespace std::string_literals;
using Codes = std::vector<int>;

// Aim and report file, to be followed by a size and a matrix.
const std::string kHead = "Aim: max File: r.txt ";
// A complete 1 x 2 problem after kHead: x1 is basic.
const std::string kSmall = "Size: 1 2 Matrix: 1 1  5 1 0\n";

class OddInput : public ::testing::Test {
protected:
    // The codes of a file's bytes; none when the reader accepts it.
    static Codes codes(std::string_view bytes) {
        try {
            const SimplexIteration record = SimplexIteration::from_bytes(bytes);
            return {};
        } catch (const SimplexIteration::bad_simplex& list) {
            return Codes(list.codes.begin(), list.codes.begin() + list.count);
        }
    }
    // The record of bytes that must be read without codes.
    static SimplexIteration load(std::string_view bytes) {
        try {
            return SimplexIteration::from_bytes(bytes);
        } catch (const SimplexIteration::bad_simplex& list) {
            ADD_FAILURE() << "refused with " << list.count << " codes, the first " << list.codes[0];
            return {};
        }
    }
};

// How the C++ library's stream extraction reads a whole text as a T, or nothing.
template <typename T>
std::optional<T> library_reads(const std::string& text) {
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    T value{};
    if (!(in >> value)) return std::nullopt;
    return value;
}

TEST_F(OddInput, OneHugeWordIsOneWord) {
    const std::string word(4 << 20, 'w');
    EXPECT_EQ(codes(word), (Codes{14, 15, 4}));
    // As a report name or a variable name it is taken whole.
    EXPECT_EQ(load("Aim: max " + kSmall + "File: " + word).file->size(), word.size());
    const SimplexIteration wide = load(kHead + "Size: 1 2 Var_names: a " + word + " Matrix: 1 1  5 1 0");
    EXPECT_EQ(wide.col_widths[2], word.size());
    // Glued to a keyword it makes no keyword.
    EXPECT_EQ(codes("Aim:" + word + " File: r " + kSmall), (Codes{14}));
    // As a cost: four million digits are too large for a double; the row reads what follows.
    EXPECT_EQ(codes(kHead + "Size: 1 2 Matrix: " + std::string(4 << 20, '7') + " 1  5 1 0"), (Codes{5}));
}

TEST_F(OddInput, VeryLongLines) {
    // The largest table on one line, its numbers parted by runs of every kind of blank.
    std::string line = kHead + "Size: 300 500 Matrix:";
    const std::string blanks = " \t\v\f\r";
    for (int j = 1; j <= 500; ++j) line += blanks + (j > 300 ? "0.25" : "M");
    for (int i = 1; i <= 300; ++i) {
        line += blanks + std::to_string(i);
        for (int j = 1; j <= 500; ++j) line += blanks + (j == i ? "1" : j > 300 ? "-3.5" : "0");
    }
    // A megabyte of blanks before the last keyword.
    line += std::string(1 << 20, ' ') + "Stop: 9";
    ASSERT_EQ(line.find('\n'), std::string::npos);
    const SimplexIteration r = load(line);
    EXPECT_EQ(r.table(0, 1), BIG_M);
    EXPECT_EQ(r.table(300, 0), 300.0);
    EXPECT_EQ(r.table(300, 500), -3.5);
    EXPECT_EQ(r.basis[300], 300u);
    EXPECT_EQ(r.stop, 9);

    // A name line of a megabyte: the name keeps 78 characters, the rest are words.
    const std::string name_line = "Name: " + std::string(78, 'n') + std::string(1 << 20, 'x') + " Aim: min\n";
    const SimplexIteration named = load(name_line + "File: r " + kSmall);
    EXPECT_EQ(named.name, std::string(78, 'n'));
    EXPECT_EQ(named.aim, 2);
}

TEST_F(OddInput, NulBytesInWordsAndNumbers) {
    // A NUL byte is not a blank: it ends a number and is part of a word.
    EXPECT_EQ(codes(kHead + "Size: 1\0 2"s), (Codes{4}));
    EXPECT_EQ(codes(kHead + "Size: 1 2 Matrix: 1 1  5\0 1 0"s), (Codes{5, 8}));
    EXPECT_EQ(codes(kHead + "Size: 1 2\0 Matrix: 1 1  5 1 0"s), Codes{});  // "\0" is a word of its own
    // A cost word that begins with NUL is no number; the row reads "1 5 1".
    EXPECT_EQ(codes(kHead + "Size: 1 2 Matrix: " + '\0' + "3 1  5 1 0"), (Codes{5}));
    EXPECT_EQ(codes("Aim: max\0 File: r "s + kSmall), (Codes{2, 14}));

    const SimplexIteration r = load(kHead + "Size: 1 2 Matrix: 3\0x M\0  5 1 0 File: r\0.txt"s);
    EXPECT_EQ(r.table(0, 1), 3.0);  // the leading number of the cost word
    EXPECT_EQ(r.table(0, 2), BIG_M);
    EXPECT_EQ(r.file, "r\0.txt"s);  // the whole word; the report name ends at its NUL when it is opened

    EXPECT_EQ(codes(std::string(1 << 20, '\0')), (Codes{14, 15, 4}));
}

TEST_F(OddInput, LoneCarriageReturnsAreBlanks) {
    const std::string unix_text = kHead + "\nSize: 2 3\nMatrix:\n1 2 3\n4 1 0 5\n6 0 1 7\n";
    std::string mac_text = unix_text;
    std::replace(mac_text.begin(), mac_text.end(), '\n', '\r');
    const SimplexIteration a = load(unix_text);
    const SimplexIteration b = load(mac_text);
    EXPECT_EQ(b.file, a.file);
    EXPECT_EQ(b.basis, a.basis);
    for (std::uint32_t i = 0; i <= 2; ++i) {
        for (std::uint32_t j = 0; j <= 3; ++j) EXPECT_EQ(b.table(i, j), a.table(i, j)) << i << "," << j;
    }
    // CR CR LF: the CR before the LF goes, the other one stays a blank.
    EXPECT_EQ(load("Aim: max\r\r\nFile: r\r\r\n" + kSmall).file, "r");
    EXPECT_EQ(load(kHead + "Size: 1 2 Matrix: 1\r1\r5\r1\r0").table(1, 0), 5.0);
    // Only a line feed ends a name: with CR line ends it runs on into the lines after it.
    EXPECT_EQ(codes("Name: x\r" + mac_text), (Codes{14, 15, 4}));
}

TEST_F(OddInput, EndOfTextByteInsideAWordOrANumber) {
    const std::string after = "\x1A Aim: foo Name: a Name: b " + std::string(1 << 20, '#');
    EXPECT_EQ(load("Aim: max " + kSmall + "File: re\x1Aport.txt" + after).file, "re");
    EXPECT_EQ(codes(kHead +
                    "Size: 1 2 Matrix: 1 1  5 1\x1A"
                    "0" +
                    after),
              (Codes{5}));
    EXPECT_EQ(codes("\x1A" + kHead + kSmall), (Codes{14, 15, 4}));
}

TEST_F(OddInput, ConstraintNumbersOfThousandsOfDigitsReadAsTheLibraryReadsThem) {
    const std::string zeros(5000, '0');
    const std::string nines(5000, '9');
    const std::vector<std::string> numbers = {
        "1" + zeros,
        "0." + zeros + "1",
        "1" + zeros + "e-5000",
        "0." + zeros + "1e5001",
        zeros + "3",
        "-0." + zeros + "1",
        "1e" + nines,
        "1e-" + nines,
        "4." + nines + nines,
        std::string("2").append(zeros, 0, 308),
    };
    // The library's answers that matter most, so that both ways below are taken.
    EXPECT_FALSE(library_reads<double>("1" + zeros));
    EXPECT_EQ(library_reads<double>("0." + zeros + "1"), 0.0);
    EXPECT_EQ(library_reads<double>("1" + zeros + "e-5000"), 1.0);

    for (const std::string& number : numbers) {
        // The coefficient of x1 in the only row; x2 is the unit column.
        std::string text = kHead + "Size: 1 2 Matrix: 1 0\n 4 ";
        text.append(number).append(" 1\n");
        const std::optional<double> expected = library_reads<double>(number);
        if (expected) {
            EXPECT_EQ(load(text).table(1, 1), *expected) << number.substr(0, 20);
        } else {
            EXPECT_EQ(codes(text), (Codes{5, 8})) << number.substr(0, 20);  // the row ends before x2's 1
        }
    }
    // The size is read the same way: leading zeros by the thousand are fine, a huge count is not.
    ASSERT_EQ(library_reads<unsigned>(zeros + "1"), 1u);
    EXPECT_EQ(load(kHead + "Size: " + zeros + "1 " + zeros + "2 Matrix: 1 1  5 1 0").variable_count(), 2u);
    EXPECT_EQ(codes(kHead + "Size: " + nines + " 2"), (Codes{4}));
}

TEST_F(OddInput, CostWordsOfThousandsOfDigits) {
    const std::string zeros(5000, '0');
    const std::string nines(5000, '9');
    struct Case {
        std::string word;
        std::optional<double> cost;  // nothing: code 5
    };
    const Case cases[] = {
        {std::string("1").append(zeros, 0, 300), 1e300},
        {"1" + zeros, std::nullopt},    // too large for a double
        {"1" + zeros + "e-5000", 1.0},  // every digit counts
        {"0." + zeros + "1e5001", 1.0},
        {"0." + zeros + "1", 0.0},          // rounds to 0, and the word begins with 0
        {"." + zeros + "1", std::nullopt},  // rounds to 0, but the word does not begin with 0
        {"-0." + zeros + "1", std::nullopt},
        {std::string("0.").append(zeros, 0, 322).append("5"), 5e-323},  // a subnormal number
        {"0e" + nines, 0.0},
        {"1e" + nines, std::nullopt},
        {"1e-" + nines, std::nullopt},  // 0 from a word that begins with 1
        {nines + "x", std::nullopt},
        {"2.5" + zeros + "abc", 2.5},
    };
    for (const Case& c : cases) {
        const std::string text = kHead + "Size: 1 2 Matrix: " + c.word + " 1\n 5 0 1\n";
        if (c.cost) {
            EXPECT_EQ(load(text).table(0, 1), *c.cost) << c.word.substr(0, 20);
        } else {
            EXPECT_EQ(codes(text).front(), 5) << c.word.substr(0, 20);
        }
    }
}

TEST_F(OddInput, SizesAtAndPastTheLimits) {
    for (const char* size : {"300 501", "301 500", "301 501", "4294967295 500", "300 4294967295",
                             "18446744073709551616 5", "99999999999999999999999999999999 5"}) {
        EXPECT_EQ(codes(kHead + "Size: " + size), (Codes{4})) << size;
    }
    // At the limits the size holds; without a matrix no row has a unit column.
    EXPECT_EQ(codes(kHead + "Size: 300 500"), Codes(10, 8));
    EXPECT_EQ(codes(kHead + "Size: 300 300"), Codes(10, 8));
    EXPECT_EQ(load(kHead + "Size: +1 +2 Matrix: 1 1  5 1 0").variable_count(), 2u);
}

TEST_F(OddInput, ManySizeKeywordsLeaveTheLastSize) {
    std::string text = kHead;
    for (int k = 0; k < 100000; ++k) text += "Size: 300 500 ";
    const SimplexIteration r = load(text + kSmall);
    EXPECT_EQ(r.table.rows, 2u);
    EXPECT_EQ(r.table.cols, 3u);
    EXPECT_EQ(r.basis, (std::vector<std::uint32_t>{0, 1}));
    // A matrix read for an earlier size is lost with it.
    EXPECT_EQ(codes(kHead + kSmall + text.substr(kHead.size()) + "Size: 1 2"), (Codes{8}));
}

TEST_F(OddInput, MegabytesOfJunk) {
    std::mt19937 random(20240601);
    std::string junk(4 << 20, ' ');
    for (char& c : junk) c = static_cast<char>(random() % 256);
    std::replace(junk.begin(), junk.end(), '\x1A', ' ');  // so that the whole of it is read
    const std::string keywords = " Aim: max File: r Size: 3 5 Var_names: a b c d e Base: 2 Print: 1 5 Name: x\n";
    for (std::size_t at = 0; at + keywords.size() < junk.size(); at += 256 << 10)
        junk.replace(at, keywords.size(), keywords);
    const Codes found = codes(junk);
    ASSERT_FALSE(found.empty());
    const Codes known = {2, 3, 4, 5, 6, 8, 9, 11, 14, 15, 16, 17, 18, 19};
    for (const int code : found) EXPECT_NE(std::find(known.begin(), known.end(), code), known.end()) << code;
}

}  // namespace
