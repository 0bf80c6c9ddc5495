#include "solver/report/earlier_output.h"

#include <array>
#include <cctype>
#include <fstream>
#include <string>
#include <vector>

#include "problem/cp1251.h"
#include "problem/simplex_iteration.h"
#include "solver/report/output_marker.h"

namespace {

constexpr std::size_t kHeadBytes = std::size_t{64} << 10;

struct Line {
    std::string_view text;
    bool complete;  // ended by a line feed inside the head
};

std::vector<Line> first_lines(std::string_view head, std::size_t count) {
    std::vector<Line> lines;
    while (lines.size() < count && !head.empty()) {
        const auto end = head.find('\n');
        std::string_view line = head.substr(0, end);
        if (end != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back({line, end != std::string_view::npos});
        head = end == std::string_view::npos ? std::string_view{} : head.substr(end + 1);
    }
    return lines;
}

// The rule above a table's cost row: blanks over the first three columns, then "+---+---+".
bool is_top_rule(const Line& line) {
    const std::string_view text = line.text;
    const auto rule = text.find_first_not_of(' ');
    if (rule == 0 || rule == std::string_view::npos || text[rule] != '+') return false;
    if (text.find_first_not_of("+-", rule) != std::string_view::npos) return false;
    return !line.complete || (text.back() == '+' && text.find('-', rule) != std::string_view::npos);
}

// A fixed text of the report as the line may spell it: Windows-1251 or UTF-8.
bool line_starts_with(const Line& line, std::string_view utf8) {
    return line.text.starts_with(utf8) || line.text.starts_with(cp1251::from_utf8(utf8).value_or(std::string(utf8)));
}

bool line_is(const Line& line, std::string_view utf8) {
    return line.complete && (line.text == utf8 || line.text == cp1251::from_utf8(utf8).value_or(std::string(utf8)));
}

bool is_aim_line(const Line& line) { return line_is(line, "Цель: максимум") || line_is(line, "Цель: минимум"); }

// "Решение остановлено пользователем после итерации N."
bool is_stopped_line(const Line& line) {
    const std::string_view utf8 = "Решение остановлено пользователем после итерации ";
    const std::string cp = cp1251::from_utf8(utf8).value_or(std::string(utf8));
    std::string_view rest = line.text;
    if (!line.complete) return false;
    if (rest.starts_with(utf8)) {
        rest.remove_prefix(utf8.size());
    } else if (rest.starts_with(cp)) {
        rest.remove_prefix(cp.size());
    } else {
        return false;
    }
    if (rest.size() < 2 || !rest.ends_with('.')) return false;
    rest.remove_suffix(1);
    for (const char c : rest)
        if (std::isdigit(static_cast<unsigned char>(c)) == 0) return false;
    return true;
}

std::string file_head(const std::filesystem::path& path, bool& readable) {
    std::ifstream in(path, std::ios::binary);
    readable = static_cast<bool>(in);
    std::string head(kHeadBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) readable = false;
    return head;
}

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

}  // namespace

bool looks_like_text_report(std::string_view head) {
    const std::vector<Line> l = first_lines(head, 3);
    const auto line = [&l](std::size_t k) { return k < l.size() ? l[k] : Line{{}, false}; };
    // A table of the two-phase method has its phase above its top rule.
    const auto is_phase_line = [](const Line& line) { return line_is(line, "Фаза I") || line_is(line, "Фаза II"); };
    if (l.empty()) return false;
    if (is_top_rule(line(0)) || is_stopped_line(line(0))) return true;
    if (is_phase_line(line(0))) return is_top_rule(line(1));
    if (line(0).complete && line_starts_with(line(0), "Задача: ")) {
        return is_top_rule(line(1)) || (is_phase_line(line(1)) && is_top_rule(line(2)));
    }
    if (is_aim_line(line(0))) return line_is(line(1), "Переменные:");
    // An integer program's: its first part's heading, then the first line of that part.
    if (line_is(line(0), kRootNodeHeading)) return line_starts_with(line(1), "Границы: ");
    if (line_is(line(0), kRelaxationHeading)) return line_starts_with(line(1), "Метод Гомори ");
    // A transport report: its title, then an empty line.
    if (line(0).complete && line_starts_with(line(0), kTransportReportTitle)) return line_is(line(1), "");
    if (line(0).complete && line_starts_with(line(0), "Модель: "))
        return is_aim_line(line(1)) && line_is(line(2), "Переменные:");
    return false;
}

bool is_earlier_output(const std::filesystem::path& path, OutputKind kind) {
    bool readable = false;
    const std::string head = file_head(path, readable);
    if (!readable) return false;
    if (head.empty()) return true;  // nothing in it to lose
    const std::string marker(kOutputMarker);
    switch (kind) {
        case OutputKind::text_report:
            return looks_like_text_report(head);
        case OutputKind::latex_document:
            return contains(head, "\n% " + marker + "\n");
        case OutputKind::html_document:
        case OutputKind::svg_picture:
            return contains(head, "\n<!-- " + marker + " -->\n");
        case OutputKind::problem_file:
            break;
    }
    try {
        static_cast<void>(SimplexIteration(path.string()));
        return true;
    } catch (...) {
        return false;  // not a problem file the program takes: it is not one it wrote
    }
}
