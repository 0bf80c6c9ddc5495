// The iteration table report: one simplex table per call, drawn as a ruled
// grid with the costs above it, the basic variables down its left side, the two
// estimate rows below it and a closing line about the next pivot.
//
// Everything goes through a ReportWriter, so the stream sees a few large
// writes per table; numbers are formatted by number_format, which gives
// printf's digits without a locale.

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "problem/cp1251.h"
#include "problem/simplex_iteration.h"
#include "solver/number_format.h"
#include "solver/report_writer.h"

namespace {

constexpr std::string_view kProblemLabel = "Задача: "_cp1251;
constexpr std::string_view kInitialTitle = "исходная таблица"_cp1251;
constexpr std::string_view kIterationTitle = "Итерация: "_cp1251;  // the number follows at offset 10
constexpr std::string_view kOptimumMark = " (оптимум)"_cp1251;
constexpr std::string_view kCostHeading = "C баз"_cp1251;   // Latin C
constexpr std::string_view kNameHeading = "Имя"_cp1251;
constexpr std::string_view kValueHeading = "X баз"_cp1251;  // Latin X
constexpr std::string_view kMLineLabel = "строка"_cp1251;
constexpr std::string_view kPlainLineLabel = "о ц е н о к"_cp1251;
constexpr std::string_view kKeyColumn = "ключевой столбец: "_cp1251;
constexpr std::string_view kKeyRow = "  ключевая строка: "_cp1251;
constexpr std::string_view kNoKeyRow = "  ключевая строка не найдена: функция не ограничена"_cp1251;
constexpr std::string_view kInfeasible = "система ограничений несовместна"_cp1251;
constexpr std::string_view kOptimal = "получено оптимальное решение !"_cp1251;

static_assert(number_format::kFieldRoom + 2 <= ReportWriter::kBlockSize);

// "|" and a value cell w + 2 characters wide (wider when the number needs it).
void write_value_cell(ReportWriter& out, double x, std::uint64_t w, std::uint32_t precision) {
    if (x == BIG_M) {
        out.put('|');
        out.fill(' ', w);
        out.put("M ");
        return;
    }
    if (x == -BIG_M) {
        out.put('|');
        out.fill(' ', std::max<std::uint64_t>(w, 2) - 1);  // one blank even when w is 1
        out.put("-M ");
        return;
    }
    if (w < number_format::kMaxField && precision <= number_format::kMaxSignificantDecimals) {
        // The usual cell, assembled in place in the writer's block.
        char* const cell = out.room(number_format::kFieldRoom + 2);
        cell[0] = '|';
        char* const end = number_format::format_fixed_in_field(x, precision, w + 1, cell + 1);
        *end = ' ';
        out.advance(static_cast<std::size_t>(end + 1 - cell));
        return;
    }
    // Huge widths or precisions: the blanks and zeros go through the block in pieces.
    char text[number_format::kMaxFixedLength];
    const number_format::FixedText number = number_format::format_fixed(x, precision, text);
    const std::uint64_t length = number.length + number.zeros;
    out.put('|');
    out.fill(' ', length < w + 1 ? w + 1 - length : 0);
    out.put(std::string_view(text, number.length));
    out.fill('0', number.zeros);
    out.put(' ');
}

void write_integer(ReportWriter& out, std::int64_t v) {
    std::array<char, 24> digits;
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), v);
    out.put(std::string_view(digits.data(), static_cast<std::size_t>(result.ptr - digits.data())));
}

}  // namespace

std::string& SimplexIteration::fill_number(std::string& text, std::size_t offset, std::uint32_t v) {
    std::array<char, 10> digits;
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), v);
    std::string field(digits.data(), result.ptr);
    if (field.size() < 3) field.resize(3, ' ');
    if (text.size() < offset) text.resize(offset, ' ');
    return text.replace(offset, 3, field);
}

void SimplexIteration::print_centered(ReportWriter& out, std::string_view text, std::uint64_t a) {
    // d = a + 2 - L; the odd blank of the surplus goes to the left, and a text
    // that fills or overfills its field still keeps one blank on each side.
    const std::uint64_t field = a + 2;
    const std::uint64_t surplus = field > text.size() ? field - text.size() : 0;
    out.fill(' ', std::max<std::uint64_t>((surplus + 1) / 2, 1));
    out.put(text);
    out.fill(' ', std::max<std::uint64_t>(surplus / 2, 1));
}

void SimplexIteration::print_rule(ReportWriter& out, char ch, int first, int last) const {
    const char filler = (ch == '|' || ch == ' ') ? ' ' : '-';
    for (int k = first; k <= last; ++k) {
        out.put(ch);
        out.fill(filler, std::uint64_t{col_widths[k]} + 2);
    }
}

void SimplexIteration::print_full_rule(ReportWriter& out) const {
    print_rule(out, '+', -2, static_cast<int>(variable_count()));
    out.put('+');
    out.line_end();
}

void SimplexIteration::print_cell(ReportWriter& out, double x, int k) const {
    write_value_cell(out, x, col_widths[k], static_cast<std::uint32_t>(std::max(precision, 0)));
}

std::ostream& SimplexIteration::print_table(std::ostream& stream) {
    if (!stream) return stream;  // whatever it would write is dropped anyway
    ReportWriter out(stream);
    const std::uint32_t m = constraint_count();
    const int n = static_cast<int>(variable_count());
    const auto digits = static_cast<std::uint32_t>(std::max(precision, 0));

    // The name of variable j as the headings and the name column show it.
    const auto variable_name = [this](std::uint32_t j) {
        if (var_names) return var_names->at(j);
        std::string generated = "x";
        return fill_number(generated, 1, j);
    };

    if (iterations == 0 && name) {
        out.put(kProblemLabel);
        out.put(*name);
        out.line_end();
    }

    // The name column follows the current basis.
    if (var_names) {
        std::size_t longest = 3;
        for (std::uint32_t i = 1; i <= m; ++i) longest = std::max(longest, var_names->at(basis.at(i)).size());
        col_widths[-1] = static_cast<std::uint32_t>(longest);
    }
    const std::uint64_t w_cost = col_widths[-2];
    const std::uint64_t w_name = col_widths[-1];
    const std::uint64_t w_value = col_widths[0];

    // The widths once more for the loops over cells, indexed 0..n without checks.
    std::vector<std::uint64_t> value_widths(static_cast<std::size_t>(n) + 1);
    for (int k = 0; k <= n; ++k) value_widths[static_cast<std::size_t>(k)] = col_widths[k];

    // The full rule follows every row but the last: drawn once while it is short.
    std::uint64_t rule_length = w_cost + w_name + 6 + 3;
    for (const std::uint64_t w : value_widths) rule_length += w + 3;
    std::string full_rule;
    if (rule_length <= ReportWriter::kBlockSize) {
        full_rule.reserve(rule_length);
        for (int k = -2; k <= n; ++k) {
            full_rule += '+';
            full_rule.append(std::size_t{col_widths[k]} + 2, '-');
        }
        full_rule += "+\r\n";
    }
    const auto draw_full_rule = [&] {
        if (full_rule.empty()) {
            print_full_rule(out);
        } else {
            out.put(full_rule);
        }
    };

    // Top rule over the variable columns only.
    print_rule(out, ' ', -2, 0);
    print_rule(out, '+', 1, n);
    out.put('+');
    out.line_end();

    // Title and cost row. "(оптимум)" only for a final table whose objective has no M part.
    std::string title;
    if (iterations == 0) {
        title = kInitialTitle;
    } else {
        title = kIterationTitle;
        fill_number(title, kIterationTitle.size(), static_cast<std::uint32_t>(std::max(iterations, 0)));
        if (pivot_col == 0 && estimates(0, 0) == 0.0) title += kOptimumMark;
    }
    print_centered(out, title, w_cost + w_name + w_value + 7);
    const auto costs = table.row(0);
    for (std::size_t j = 1; j < costs.size(); ++j) write_value_cell(out, costs[j], value_widths[j], digits);
    out.put('|');
    out.line_end();
    draw_full_rule();

    // Headings.
    out.put('|');
    print_centered(out, kCostHeading, w_cost);
    out.put('|');
    print_centered(out, kNameHeading, w_name);
    out.put('|');
    print_centered(out, kValueHeading, w_value);
    for (int j = 1; j <= n; ++j) {
        out.put('|');
        print_centered(out, variable_name(static_cast<std::uint32_t>(j)), col_widths[j]);
    }
    out.put('|');
    out.line_end();
    draw_full_rule();

    // Constraint rows: cost and name of the basic variable, then the row itself.
    for (std::uint32_t i = 1; i <= m; ++i) {
        const std::uint32_t basic = basis.at(i);
        write_value_cell(out, table(0, basic), w_cost, digits);
        out.put('|');
        print_centered(out, variable_name(basic), w_name);
        const auto row = table.row(i);
        for (std::size_t k = 0; k < row.size(); ++k) write_value_cell(out, row[k], value_widths[k], digits);
        out.put('|');
        out.line_end();
        if (i < m) draw_full_rule();
        if (out.failed()) return stream;  // the rest would be dropped
    }

    // Under the grid: the same characters as a full rule.
    print_rule(out, '+', -2, -2);
    print_rule(out, '+', -1, -1);
    print_rule(out, '+', 0, n);
    out.put('+');
    out.line_end();

    // The estimates: M parts (blank where 0), then plain parts (zeros shown).
    const std::uint64_t label_field = w_cost + w_name + 3;
    out.put('|');
    print_centered(out, kMLineLabel, label_field);
    for (int k = 0; k <= n; ++k) {
        const double em = estimates(0, static_cast<std::uint32_t>(k));
        if (em != 0.0) {
            write_value_cell(out, em, col_widths[k], digits);
        } else {
            print_rule(out, '|', k, k);
        }
    }
    out.put('|');
    out.line_end();
    out.put('|');
    print_centered(out, kPlainLineLabel, label_field);
    for (int k = 0; k <= n; ++k) {
        write_value_cell(out, estimates(1, static_cast<std::uint32_t>(k)), col_widths[k], digits);
    }
    out.put('|');
    out.line_end();

    // Bottom rule: a "-" under the merged label cell where a bar would stand.
    print_rule(out, '+', -2, -2);
    print_rule(out, '-', -1, -1);
    print_rule(out, '+', 0, n);
    out.put('+');
    out.line_end();

    // Closing line, then an empty line before the next table.
    if (pivot_col != 0) {
        out.put(kKeyColumn);
        write_integer(out, pivot_col);
        if (pivot_row != 0) {
            out.put(kKeyRow);
            write_integer(out, pivot_row);
        } else {
            out.put(kNoKeyRow);
        }
    } else if (estimates(0, 0) != 0.0) {
        out.put(kInfeasible);
    } else {
        out.put(kOptimal);
    }
    out.line_end();
    out.line_end();
    out.flush();
    return stream;
}
