#pragma once

// Doubles read one after another from a text, by the library's classic-locale string
// stream or by the reader's TextInput, each with the stream state and the bytes it leaves.

#include <bit>
#include <cstdint>
#include <ios>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "problem/decimal_comma.h"
#include "problem/text_input.h"

namespace test_support {

struct NumberRead {
    std::uint64_t bits;  // of the value after the read; each read starts from a value no text gives
    std::ios::iostate state;
    std::streamsize left;
    bool operator==(const NumberRead&) const = default;
};

// Up to `most` reads, until one fails.
inline std::vector<NumberRead> number_reads(const std::string& text, bool by_text_input, int most = 4) {
    TextInput input(text);
    // The reader takes a comma between two digits for the point; the library is given the point.
    std::istringstream library(decimal_comma::with_decimal_points(text));
    library.imbue(std::locale::classic());
    std::istream& in = by_text_input ? input.stream() : library;
    std::vector<NumberRead> reads;
    for (int k = 0; k < most && (k == 0 || !in.fail()); ++k) {
        double value = 12345.678;
        if (by_text_input) {
            input.read_double(value);
        } else {
            library >> value;
        }
        reads.push_back({std::bit_cast<std::uint64_t>(value), in.rdstate(), in.rdbuf()->in_avail()});
    }
    return reads;
}

}  // namespace test_support
