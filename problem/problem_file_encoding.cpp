#include "problem/problem_file_encoding.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "problem/cp1251.h"
#include "problem/simplex_iteration.h"
#include "problem/status_texts.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The position of the first byte from `pos` on that is not ASCII, or the size. Problem
// files are mostly long runs of ASCII: 32 bytes are checked at a time, then 8, then one.
std::size_t skip_ascii(std::string_view bytes, std::size_t pos) noexcept {
    constexpr std::uint64_t kHighBits = 0x8080'8080'8080'8080;
    const auto high_bits = [&bytes](std::size_t at, std::size_t words) {
        std::uint64_t any = 0;
        for (std::size_t k = 0; k < words; ++k) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes.data() + at + k * sizeof word, sizeof word);
            any |= word;
        }
        return (any & kHighBits) != 0;
    };
    while (bytes.size() - pos >= 32 && !high_bits(pos, 4)) pos += 32;
    while (bytes.size() - pos >= 8 && !high_bits(pos, 1)) pos += 8;
    while (pos < bytes.size() && static_cast<unsigned char>(bytes[pos]) < 0x80) ++pos;
    return pos;
}

// Valid UTF-8 with at least one sequence of two or more bytes.
bool is_multibyte_utf8(std::string_view bytes) {
    bool multibyte = false;
    for (std::size_t pos = skip_ascii(bytes, 0); pos < bytes.size(); pos = skip_ascii(bytes, pos)) {
        if (!cp1251::next_code_point(bytes, pos)) return false;
        multibyte = true;
    }
    return multibyte;
}

[[noreturn]] void throw_unencodable() {
    SimplexIteration::bad_simplex codes;
    codes.add(kUnencodableCharacter);
    throw codes;
}

}  // namespace

std::optional<std::string> converted_problem_file_text(std::string_view bytes) {
    const bool marked = bytes.starts_with(kByteOrderMark);
    const std::string_view text = marked ? bytes.substr(kByteOrderMark.size()) : bytes;
    if (!marked && !is_multibyte_utf8(text)) return std::nullopt;
    std::optional<std::string> converted = cp1251::from_utf8(text);
    if (!converted) throw_unencodable();
    return converted;
}

std::string problem_file_text(std::string bytes) {
    std::optional<std::string> converted = converted_problem_file_text(bytes);
    return converted ? std::move(*converted) : std::move(bytes);
}
