#include "problem/model_error_place.h"

#include <utility>

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The line number after "<file>:" at the start of line, 0 when the line does not start so.
unsigned long line_after(std::string_view line, std::string_view file) {
    if (file.empty() || !line.starts_with(file)) return 0;
    const std::optional<LinePlaceMark> mark = line_place_mark(line.substr(file.size()));
    return mark && mark->colon == 0 ? mark->line : 0;
}

}  // namespace

std::optional<LinePlaceMark> line_place_mark(std::string_view line) {
    for (std::size_t at = line.find(':'); at != std::string_view::npos; at = line.find(':', at + 1)) {
        std::size_t end = at + 1;
        unsigned long number = 0;
        for (; end < line.size() && is_digit(line[end]); ++end) {
            const auto digit = static_cast<unsigned long>(line[end] - '0');
            number = number > (~0UL - digit) / 10 ? ~0UL : number * 10 + digit;
        }
        if (end > at + 1 && end + 1 < line.size() && line[end] == ':' && line[end + 1] == ' ')
            return LinePlaceMark{at, end + 2, number};
    }
    return std::nullopt;
}

std::optional<ModelErrorPlace> model_error_place(std::string_view message, std::string_view model_file,
                                                 const std::optional<std::string>& data_file) {
    while (!message.empty()) {
        const std::size_t end = message.find('\n');
        const std::string_view line = message.substr(0, end);
        // The longer name first: one name may start the other.
        std::string_view names[2] = {model_file, data_file ? std::string_view(*data_file) : std::string_view()};
        if (names[1].size() > names[0].size()) std::swap(names[0], names[1]);
        for (const std::string_view name : names) {
            if (const unsigned long number = line_after(line, name); number != 0)
                return ModelErrorPlace{std::string(name), number};
        }
        if (end == std::string_view::npos) break;
        message.remove_prefix(end + 1);
    }
    return std::nullopt;
}
