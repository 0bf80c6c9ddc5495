#pragma once

// Doubles read one after another from a text, by the library's classic-locale string
// stream and by the reader's TextInput, each read with the stream state and the number
// of bytes it leaves, so that the two ways can be compared read by read.

#include <bit>
#include <cstdint>
#include <ios>
#include <istream>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "problem/text_input.h"

namespace test_support {

struct NumberRead {
    std::uint64_t bits;  // of the value after the read; reads start from a value no text gives
    std::ios::iostate state;
    std::streamsize left;
    bool operator==(const NumberRead&) const = default;
};

template <typename Read>
std::vector<NumberRead> reads_until_failure(std::istream& in, Read read, int most) {
    std::vector<NumberRead> reads;
    for (int k = 0; k < most && (k == 0 || !in.fail()); ++k) {
        double value = 12345.678;
        read(value);
        reads.push_back({std::bit_cast<std::uint64_t>(value), in.rdstate(), in.rdbuf()->in_avail()});
    }
    return reads;
}

inline std::vector<NumberRead> stream_reads(const std::string& text, int most = 4) {
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    return reads_until_failure(
        in, [&](double& value) { in >> value; }, most);
}

inline std::vector<NumberRead> text_input_reads(const std::string& text, int most = 4) {
    TextInput input(text);
    return reads_until_failure(
        input.stream(), [&](double& value) { input.read_double(value); }, most);
}

}  // namespace test_support
