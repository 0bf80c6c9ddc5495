#include "problem/text_input.h"

#include <algorithm>
#include <cctype>
#include <locale>
#include <optional>
#include <utility>

#include "problem/decimal_comma.h"
#include "problem/plain_number.h"

TextInput::Buffer::Buffer(std::string text) : text_(std::move(text)) {
    char* const begin = text_.data();
    setg(begin, begin, begin + text_.size());
}

// The get area of a stream buffer is not const, but reading never writes to it: the buffer
// takes no put-back of a byte other than the one read before (pbackfail is not overridden).
TextInput::Buffer::Buffer(std::string_view text) {
    char* const begin = const_cast<char*>(text.data());  // NOLINT(cppcoreguidelines-pro-type-const-cast)
    setg(begin, begin, begin + text.size());
}

void TextInput::Buffer::hold(std::string text) {
    text_ = std::move(text);
    char* const begin = text_.data();
    setg(begin, begin, begin + text_.size());
}

TextInput::TextInput(std::string text) : buffer_(std::move(text)), stream_(&buffer_) {
    stream_.imbue(std::locale::classic());
    read_commas_as_points();
}

TextInput::TextInput(Borrowed text) : buffer_(text.text), stream_(&buffer_) {
    stream_.imbue(std::locale::classic());
    read_commas_as_points();
}

// Most files have no decimal comma and are read where they lie.
void TextInput::read_commas_as_points() {
    const std::string_view text = buffer_.unread();
    if (!decimal_comma::has_decimal_comma(text)) return;
    original_ = std::string(text);
    has_original_ = true;
    buffer_.hold(decimal_comma::with_decimal_points(original_));
}

std::string TextInput::original(std::size_t from, std::size_t length) const {
    const std::string_view text = has_original_ ? std::string_view(original_) : buffer_.all();
    return std::string(text.substr(std::min(from, text.size()), length));
}

bool TextInput::read_double(double& value) {
    // A stream that is not good, or does not skip blanks, reads nothing or reads differently.
    if (stream_.good() && (stream_.flags() & std::ios::skipws)) {
        if (const std::optional<reader_text::PlainNumber> number = reader_text::read_plain_number(buffer_.unread())) {
            buffer_.skip(number->length);
            value = number->value;
            // The stream notes the end of the text when the number reaches it.
            if (buffer_.unread().empty()) stream_.setstate(std::ios::eofbit);
            return true;
        }
    }
    return static_cast<bool>(stream_ >> value);
}

unsigned TextInput::line_of_position() const noexcept {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    std::string_view before = buffer_.read();
    const std::string_view after = buffer_.unread();
    // Stopped in front of a word (a number that cannot be read): that word is the one meant.
    if (after.empty() || blank(after.front())) {
        while (!before.empty() && blank(before.back())) before.remove_suffix(1);
        if (before.empty()) return 0;
    }
    return 1 + static_cast<unsigned>(std::ranges::count(before, '\n'));
}
