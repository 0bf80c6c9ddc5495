#pragma once

// Windows-1251 text with CR LF line ends on its way to a stream as UTF-8 with
// LF: the text report in the encoding of Linux desktops.

#include <array>
#include <ostream>
#include <streambuf>

class Utf8TextBuffer final : public std::streambuf {
public:
    // Writes through `target`, whose error state tells of failed writes.
    explicit Utf8TextBuffer(std::ostream& target);
    Utf8TextBuffer(const Utf8TextBuffer&) = delete;
    Utf8TextBuffer& operator=(const Utf8TextBuffer&) = delete;
    ~Utf8TextBuffer() override;

    // Converts what is gathered, and a CR left waiting for its LF; for the end of the text.
    bool finish();

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool convert_gathered();

    std::ostream& target_;
    std::array<char, 1 << 14> block_{};
    bool pending_cr_ = false;  // a CR at the end of the last block, waiting to see whether LF follows
};

// An output stream over a Utf8TextBuffer.
class Utf8TextStream final : public std::ostream {
public:
    explicit Utf8TextStream(std::ostream& target) : std::ostream(nullptr), buffer_(target) { rdbuf(&buffer_); }
    bool finish() { return buffer_.finish(); }

private:
    Utf8TextBuffer buffer_;
};
