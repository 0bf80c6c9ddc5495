#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string_view>

// Bytes on their way to the report: gathered in a fixed block of memory and
// handed to the stream a block at a time, so that the stream's own machinery
// (sentries, locale, virtual calls) runs once per block, not once per number.
// Memory stays at one block however long the report or wide a cell grows:
// long texts and runs of filler go through the block in pieces.
//
// A failed write leaves its error state in the stream (nothing is thrown for
// it); once the stream has failed, everything written later is dropped.
class ReportWriter {
public:
    static constexpr std::size_t kBlockSize = std::size_t{1} << 16;

    explicit ReportWriter(std::ostream& out);
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;
    // Hands over what is still gathered.
    ~ReportWriter();

    void put(char c) {
        if (next_ == end_) flush();
        *next_++ = c;
    }
    void put(std::string_view text) {
        if (text.size() <= free_space()) {
            append_unchecked(text);
        } else {
            put_long(text);
        }
    }
    // `count` copies of c, however many.
    void fill(char c, std::uint64_t count);
    // Carriage return and line feed, on every platform.
    void line_end() { put(std::string_view("\r\n", 2)); }

    // Direct access for short pieces: room(n) (n at most kBlockSize) gives a
    // place for n bytes; advance(k), k <= n, keeps the first k written there.
    char* room(std::size_t n) {
        if (free_space() < n) flush();
        return next_;
    }
    void advance(std::size_t k) { next_ += k; }

    // Writes the gathered bytes to the stream.
    void flush();
    // True once the stream has failed: further output would be dropped.
    bool failed() const;

private:
    std::size_t free_space() const { return static_cast<std::size_t>(end_ - next_); }
    void append_unchecked(std::string_view text);
    void put_long(std::string_view text);

    std::ostream& out_;
    std::unique_ptr<char[]> block_;
    char* next_;
    char* end_;
};
