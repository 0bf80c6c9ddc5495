#include "problem/model_print_file.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string_view>

#include "problem/cp1251.h"
#include "problem/glpk_model_reader.h"

namespace {

bool is_utf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        if (!cp1251::next_code_point(text, at)) return false;
    }
    return true;
}

}  // namespace

ModelPrintFile::ModelPrintFile() : fd_(memfd_create("qtb_model_output", MFD_CLOEXEC)) {
    if (fd_ < 0) throw ModelReadError("не удаётся создать файл для вывода модели");
    name_ = "/proc/self/fd/" + std::to_string(fd_);
}

ModelPrintFile::~ModelPrintFile() { close(fd_); }

std::string ModelPrintFile::text() const {
    struct stat status {};
    if (fstat(fd_, &status) != 0 || status.st_size <= 0) return {};
    const auto size = static_cast<std::size_t>(status.st_size);
    std::string text(size < kKeptBytes ? size : kKeptBytes, '\0');
    std::size_t got = 0;
    while (got < text.size()) {
        const ssize_t n = pread(fd_, text.data() + got, text.size() - got, static_cast<off_t>(got));
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    text.resize(got);
    return model_print_text(std::move(text), size);
}

std::string model_print_text(std::string text, std::size_t size) {
    if (text.size() > ModelPrintFile::kKeptBytes) text.resize(ModelPrintFile::kKeptBytes);
    if (text.size() < size) {
        // Not in the middle of a character: a lead byte near the end whose sequence is cut goes too.
        for (std::size_t back = 1; back <= 4 && back <= text.size(); ++back) {
            const auto byte = static_cast<unsigned char>(text[text.size() - back]);
            if ((byte & 0xC0) == 0x80) continue;
            std::size_t at = text.size() - back;
            if (byte >= 0xC0 && !cp1251::next_code_point(text, at)) text.resize(text.size() - back);
            break;
        }
    }
    const std::size_t left_out = size - text.size();
    if (!is_utf8(text)) text = cp1251::to_utf8(text);
    if (left_out > 0) {
        if (!text.empty() && text.back() != '\n') text += '\n';
        text += "(ещё " + std::to_string(left_out) + " байт вывода не показаны)\n";
    }
    return text;
}
