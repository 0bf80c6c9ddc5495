#include "solver/report/report_file.h"

#include <locale>
#include <string>

#include "solver/report/report_target.h"

bool ReportFile::open(std::string_view cp1251_name) {
    buffer_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
    // A file buffer takes a user buffer only before it opens a file.
    out_.rdbuf()->pubsetbuf(buffer_.get(), static_cast<std::streamsize>(kBufferSize));
    out_.imbue(std::locale::classic());
    out_.open(report_path(cp1251_name), std::ios::out | std::ios::binary | std::ios::trunc);
    return out_.is_open();
}

bool ReportFile::close() {
    out_.flush();
    out_.close();
    return !out_.fail();
}
