#include "solver/report/report_writer.h"

#include <algorithm>
#include <cstring>
#include <ostream>

ReportWriter::ReportWriter(std::ostream& out)
    : out_(out),
      block_(std::make_unique_for_overwrite<char[]>(kBlockSize)),
      next_(block_.get()),
      end_(block_.get() + kBlockSize) {}

ReportWriter::~ReportWriter() {
    try {
        flush();
    } catch (...) {  // a stream that throws on failure: its state already tells
    }
}

void ReportWriter::fill(char c, std::uint64_t count) {
    while (count > 0 && !failed()) {
        if (next_ == end_) flush();
        const auto piece = static_cast<std::size_t>(std::min<std::uint64_t>(count, free_space()));
        std::memset(next_, c, piece);
        next_ += piece;
        count -= piece;
    }
}

void ReportWriter::flush() {
    const auto size = static_cast<std::streamsize>(next_ - block_.get());
    next_ = block_.get();
    if (size > 0 && out_) out_.write(block_.get(), size);
}

bool ReportWriter::failed() const { return !out_; }

void ReportWriter::append_unchecked(std::string_view text) {
    if (text.empty()) return;  // memcpy wants a real pointer even for nothing
    std::memcpy(next_, text.data(), text.size());
    next_ += text.size();
}

void ReportWriter::put_long(std::string_view text) {
    while (!text.empty() && !failed()) {
        if (next_ == end_) flush();
        const std::size_t piece = std::min(text.size(), free_space());
        append_unchecked(text.substr(0, piece));
        text.remove_prefix(piece);
    }
}
