#pragma once

#include <cstddef>
#include <fstream>
#include <memory>
#include <ostream>
#include <string_view>

// The report file of one run. Its name is Windows-1251 text, as every name in a
// problem record; the file is created under the same name in UTF-8, which is
// how Linux file names are spelled. Opened in binary mode (the report writes
// its own "\r\n") with a large buffer, and emptied when it exists.
class ReportFile {
public:
    // Creates or empties the file; false when it cannot be opened for writing.
    bool open(std::string_view cp1251_name);
    std::ostream& stream() noexcept { return out_; }
    // Writes out the buffer and closes the file; false when any output was lost.
    bool close();

private:
    static constexpr std::size_t kBufferSize = std::size_t{1} << 20;

    std::unique_ptr<char[]> buffer_;  // declared first: outlives the stream that writes through it
    std::ofstream out_;
};
