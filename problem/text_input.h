#pragma once

// The input stream of the reader over the text of a problem file held in memory.

#include <cstddef>
#include <istream>
#include <streambuf>
#include <string>
#include <string_view>

// A classic-locale input stream over a text, with a quick way to read a double.
class TextInput {
public:
    explicit TextInput(std::string text);
    // A text that the caller keeps alive and unchanged while the input is in use.
    struct Borrowed {
        std::string_view text;
    };
    explicit TextInput(Borrowed text);
    TextInput(const TextInput&) = delete;
    TextInput& operator=(const TextInput&) = delete;

    std::istream& stream() noexcept { return stream_; }

    // Reads a double as `stream() >> value` does, with the same value, the same bytes
    // taken and the same stream state afterwards; plain decimal numbers take a short
    // way around the locale machinery of the stream.
    bool read_double(double& value);

    // The line (from 1) of the last word the stream has touched: the one it stopped in or at, or else
    // the last word before the position, blanks skipped. 0 when nothing but blanks lies before it.
    unsigned line_of_position() const noexcept;

private:
    class Buffer : public std::streambuf {
    public:
        explicit Buffer(std::string text);
        explicit Buffer(std::string_view text);
        std::string_view unread() const noexcept { return {gptr(), static_cast<std::size_t>(egptr() - gptr())}; }
        void skip(std::size_t count) noexcept { setg(eback(), gptr() + count, egptr()); }
        std::string_view read() const noexcept { return {eback(), static_cast<std::size_t>(gptr() - eback())}; }

    private:
        std::string text_;
    };

    Buffer buffer_;
    std::istream stream_;
};
