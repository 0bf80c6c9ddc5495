#pragma once

// Windows-1251 text. The program keeps all its texts, names and files in this
// single-byte code page; the sources are UTF-8, so literals are converted once,
// at compile time, with the _cp1251 suffix:
//
//     constexpr std::string_view title = "исходная таблица"_cp1251;
//
// The run-time conversions serve the edges of the program (windows, terminal,
// file names), which speak UTF-8.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cp1251 {

// Unicode code point of each byte 0x80..0xFF; 0x98 is unassigned and maps to U+0098.
inline constexpr std::array<char32_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, 0x0410,
    0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D,
    0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A,
    0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444,
    0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// The byte for a code point, or nothing when the code page lacks it.
constexpr std::optional<unsigned char> encode_code_point(char32_t cp) {
    if (cp < 0x80) return static_cast<unsigned char>(cp);
    for (std::size_t i = 0; i < kHighHalf.size(); ++i) {
        if (kHighHalf[i] == cp) return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

// Decodes one UTF-8 sequence at `pos`, advancing it; nothing for malformed input.
constexpr std::optional<char32_t> next_code_point(std::string_view utf8, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    const unsigned char lead = byte(pos);
    std::size_t length = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        length = 1;
        cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (pos + length > utf8.size()) return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) return std::nullopt;
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    pos += length;
    return cp;
}

// A UTF-8 string literal carried as a template argument.
template <std::size_t N>
struct Utf8Literal {
    char chars[N]{};
    // Implicit on purpose: the literal suffix converts the string literal into it.
    // NOLINTNEXTLINE(google-explicit-constructor,hicpp-explicit-conversions)
    consteval Utf8Literal(const char (&text)[N]) {
        for (std::size_t i = 0; i < N; ++i) chars[i] = text[i];
    }
    constexpr std::string_view view() const { return {chars, N - 1}; }
};

template <Utf8Literal S>
consteval std::size_t encoded_size() {
    std::size_t pos = 0;
    std::size_t count = 0;
    while (pos < S.view().size()) {
        const auto cp = next_code_point(S.view(), pos);
        if (!cp || !encode_code_point(*cp)) throw "literal is not valid UTF-8 of Windows-1251 characters";
        ++count;
    }
    return count;
}

template <Utf8Literal S>
struct Encoded {
    static constexpr std::size_t size = encoded_size<S>();
    static constexpr std::array<char, size + 1> bytes = [] {
        std::array<char, size + 1> out{};
        std::size_t pos = 0;
        for (std::size_t i = 0; i < size; ++i) {
            out[i] = static_cast<char>(*encode_code_point(*next_code_point(S.view(), pos)));
        }
        return out;
    }();
};

// The Windows-1251 bytes of a UTF-8 literal kept in a constant, converted at compile time.
template <Utf8Literal S>
constexpr std::string_view encoded() {
    return {Encoded<S>::bytes.data(), Encoded<S>::size};
}

// UTF-8 text of a Windows-1251 string.
std::string to_utf8(std::string_view cp1251_text);
// Each line of Windows-1251 text in UTF-8.
std::vector<std::string> lines_to_utf8(const std::vector<std::string>& cp1251_lines);
// Windows-1251 bytes of a UTF-8 string, or nothing when it is malformed or holds
// a character outside the code page.
std::optional<std::string> from_utf8(std::string_view utf8_text);

}  // namespace cp1251

// "текст"_cp1251: the Windows-1251 bytes of a UTF-8 literal, NUL-terminated, converted at compile time.
template <cp1251::Utf8Literal S>
constexpr std::string_view operator""_cp1251() {
    return cp1251::encoded<S>();
}
