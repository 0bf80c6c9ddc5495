#pragma once

// The input stream of the reader over the text of a problem file held in memory.

#include <cstddef>
#include <istream>
#include <streambuf>
#include <string>
#include <string_view>

// A classic-locale input stream over a text, with a quick way to read a double. The stream reads
// each decimal comma of the text (problem/decimal_comma.h) as a point; original() gives the bytes as
// the text has them, for the words that are names rather than numbers.
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

    // The whole text the stream reads.
    std::string_view text() const noexcept { return buffer_.all(); }
    // The bytes read so far.
    std::size_t position() const noexcept { return buffer_.read().size(); }
    // The `length` bytes from `from` as the text has them, decimal commas and all.
    std::string original(std::size_t from, std::size_t length) const;

    // The line (from 1) of the last word the stream has touched: the one it stopped in or at, or else
    // the last word before the position, blanks skipped. 0 when nothing but blanks lies before it.
    unsigned line_of_position() const noexcept;

private:
    class Buffer : public std::streambuf {
    public:
        explicit Buffer(std::string text);
        explicit Buffer(std::string_view text);
        // Holds this text instead, read from its start.
        void hold(std::string text);
        std::string_view unread() const noexcept { return {gptr(), static_cast<std::size_t>(egptr() - gptr())}; }
        void skip(std::size_t count) noexcept { setg(eback(), gptr() + count, egptr()); }
        std::string_view read() const noexcept { return {eback(), static_cast<std::size_t>(gptr() - eback())}; }
        std::string_view all() const noexcept { return {eback(), static_cast<std::size_t>(egptr() - eback())}; }

    private:
        std::string text_;
    };

    // The text with its decimal commas, where the buffer reads another text (its commas made points).
    void read_commas_as_points();

    Buffer buffer_;
    std::istream stream_;
    std::string original_;
    bool has_original_ = false;
};
