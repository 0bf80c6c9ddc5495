#include "problem/cp1251.h"

namespace cp1251 {

std::string to_utf8(std::string_view cp1251_text) {
    std::string out;
    out.reserve(cp1251_text.size() * 2);
    for (const char c : cp1251_text) {
        const auto byte = static_cast<unsigned char>(c);
        const char32_t cp = byte < 0x80 ? byte : kHighHalf[byte - 0x80];
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::vector<std::string> lines_to_utf8(const std::vector<std::string>& cp1251_lines) {
    std::vector<std::string> lines;
    lines.reserve(cp1251_lines.size());
    for (const std::string& line : cp1251_lines) lines.push_back(to_utf8(line));
    return lines;
}

std::optional<std::string> from_utf8(std::string_view utf8_text) {
    std::string out;
    out.reserve(utf8_text.size());
    std::size_t pos = 0;
    while (pos < utf8_text.size()) {
        const auto cp = next_code_point(utf8_text, pos);
        if (!cp) return std::nullopt;
        const auto byte = encode_code_point(*cp);
        if (!byte) return std::nullopt;
        out += static_cast<char>(*byte);
    }
    return out;
}

}  // namespace cp1251
