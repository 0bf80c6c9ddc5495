#include "problem/glpk_model_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "problem/model_box.h"
#include "problem/model_file_access.h"
#include "problem/open_failure_texts.h"
#include "problem/wide_text_encoding.h"

namespace {

// The bound of a model or data file, as of a problem file.
constexpr std::size_t kMaxModelFileBytes = std::size_t{256} << 20;

[[noreturn]] void too_large(const std::string& path) {
    throw ModelReadError("файл модели " + path + " больше 256 МиБ (" + std::to_string(kMaxModelFileBytes) +
                         " байт); такие файлы не читаются");
}

// The file's bytes, read up to the bound whatever the file is (a device or a FIFO as well).
// `what` names the file in a message ("файл модели", "файл данных").
std::string file_text(const std::string& path, const std::string& what) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw ModelReadError(open_failure_text(what, path, errno));
    struct stat status {};
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
        static_cast<std::uintmax_t>(status.st_size) > kMaxModelFileBytes) {
        close(fd);
        too_large(path);
    }
    std::string text;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        if (text.size() + static_cast<std::size_t>(n) > kMaxModelFileBytes) {
            close(fd);
            too_large(path);
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    if (const std::optional<std::string_view> encoding = wide_text_encoding(text))
        throw ModelReadError(path + ": " + wide_text_message(*encoding));
    return text;
}

}  // namespace

LpModel read_model_file(const std::string& path, ModelFormat format, const std::optional<std::string>& data_file,
                        const ModelReadLimits& limits) {
    if (format == ModelFormat::problem_file) throw ModelReadError("файл задачи не является моделью");
    ModelBoxRequest request;
    request.format = format;
    request.model_text = file_text(path, "файл модели");
    request.model_name = path;
    if (format == ModelFormat::mathprog) {
        // Nothing runs when the model would touch a file or nests beyond what GLPK's parser takes.
        if (const auto access = find_model_file_access(request.model_text))
            throw ModelReadError(model_file_access_message(*access, path));
        if (const auto nesting = find_deep_nesting(request.model_text))
            throw ModelReadError(deep_nesting_message(*nesting, path));
        if (data_file) {
            request.data_text = file_text(*data_file, "файл данных");
            request.data_name = *data_file;
            if (const auto nesting = find_deep_nesting(*request.data_text))
                throw ModelReadError(deep_nesting_message(*nesting, *data_file));
        }
    }
    request.memory_mib = limits.memory_mib;
    request.cpu_seconds = static_cast<std::uint64_t>(limits.time_seconds) + 1;
    std::string printed;
    LpModel model = run_model_box(request, limits, printed);
    model.output = std::move(printed);
    return model;
}
