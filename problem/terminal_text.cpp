#include "problem/terminal_text.h"

#include "problem/valid_utf8.h"

namespace {

constexpr std::string_view kHex = "0123456789ABCDEF";

void append_hex(std::string& out, std::string_view prefix, unsigned value, int digits) {
    out += prefix;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

}  // namespace

std::string terminal_text(std::string_view text, std::string_view kept) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        const std::size_t length = utf8_sequence_length(text.substr(pos));
        if (length == 0) {
            append_hex(out, "\\x", byte, 2);
            ++pos;
            continue;
        }
        if (length == 1 && (byte < 0x20 || byte == 0x7F) && kept.find(text[pos]) == std::string_view::npos) {
            append_hex(out, "\\x", byte, 2);
        } else if (length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[pos + 1]) < 0xA0) {
            append_hex(out, "\\u", static_cast<unsigned char>(text[pos + 1]), 4);  // U+0080..U+009F
        } else {
            out.append(text, pos, length);
        }
        pos += length;
    }
    return out;
}
