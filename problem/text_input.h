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
    TextInput(const TextInput&) = delete;
    TextInput& operator=(const TextInput&) = delete;

    std::istream& stream() noexcept { return stream_; }

    // Reads a double as `stream() >> value` does, with the same value, the same bytes
    // taken and the same stream state afterwards; plain decimal numbers take a short
    // way around the locale machinery of the stream.
    bool read_double(double& value);

private:
    class Buffer : public std::streambuf {
    public:
        explicit Buffer(std::string text);
        std::string_view unread() const noexcept { return {gptr(), static_cast<std::size_t>(egptr() - gptr())}; }
        void skip(std::size_t count) noexcept { setg(eback(), gptr() + count, egptr()); }

    private:
        std::string text_;
    };

    Buffer buffer_;
    std::istream stream_;
};
