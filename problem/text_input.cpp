#include "problem/text_input.h"

#include <locale>
#include <optional>
#include <utility>

#include "problem/plain_number.h"

TextInput::Buffer::Buffer(std::string text) : text_(std::move(text)) {
    char* const begin = text_.data();
    setg(begin, begin, begin + text_.size());
}

TextInput::TextInput(std::string text) : buffer_(std::move(text)), stream_(&buffer_) {
    stream_.imbue(std::locale::classic());
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
