#include "solver/report/utf8_text_stream.h"

#include <string>

#include "problem/cp1251.h"

namespace {

// The UTF-8 bytes of each Windows-1251 byte from 0x80 up, made once.
const std::array<std::string, 128>& high_half_utf8() {
    static const std::array<std::string, 128> table = [] {
        std::array<std::string, 128> bytes;
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = cp1251::to_utf8(std::string(1, static_cast<char>(0x80 + i)));
        return bytes;
    }();
    return table;
}

}  // namespace

Utf8TextBuffer::Utf8TextBuffer(std::ostream& target) : target_(target) {
    setp(block_.data(), block_.data() + block_.size());
}

Utf8TextBuffer::~Utf8TextBuffer() {
    try {
        finish();
    } catch (...) {  // a stream that throws on failure: its state already tells
    }
}

bool Utf8TextBuffer::convert_gathered() {
    const auto& high = high_half_utf8();
    std::string out;
    out.reserve(static_cast<std::size_t>(pptr() - pbase()) * 2);
    for (const char* p = pbase(); p != pptr(); ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if (pending_cr_ && byte != '\n') out += '\r';
        pending_cr_ = byte == '\r';
        if (pending_cr_) continue;
        if (byte < 0x80) {
            out += static_cast<char>(byte);
        } else {
            out += high[byte - 0x80];
        }
    }
    setp(block_.data(), block_.data() + block_.size());
    if (target_) target_.write(out.data(), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(target_);
}

Utf8TextBuffer::int_type Utf8TextBuffer::overflow(int_type c) {
    if (!convert_gathered()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

int Utf8TextBuffer::sync() { return convert_gathered() ? 0 : -1; }

bool Utf8TextBuffer::finish() {
    const bool converted = convert_gathered();
    if (pending_cr_ && target_) target_.put('\r');
    pending_cr_ = false;
    return converted && static_cast<bool>(target_);
}
