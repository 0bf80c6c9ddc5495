#include "cli/sensitivity_text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string_view>
#include <vector>

#include "cli/result_printer.h"

namespace cli {
namespace {

// Characters, not bytes, so that Cyrillic headings line up.
std::size_t display_width(std::string_view utf8) {
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

using Table = std::vector<std::vector<std::string>>;

// The first column left-aligned, the numbers right-aligned.
void write_table(std::ostream& out, const Table& table) {
    std::vector<std::size_t> widths;
    for (const auto& line : table) {
        widths.resize(std::max(widths.size(), line.size()), 0);
        for (std::size_t c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], display_width(line[c]));
    }
    for (const auto& line : table) {
        std::string text = " ";
        for (std::size_t c = 0; c < line.size(); ++c) {
            const std::string padding(widths[c] - display_width(line[c]), ' ');
            text += "  ";
            text += c == 0 ? line[c] + padding : padding + line[c];
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        out << text << '\n';
    }
}

std::string range_text(const SensitivityNumber& low, const SensitivityNumber& high) {
    std::string text(1, '[');
    text.append(sensitivity_number_text(low)).append("; ").append(sensitivity_number_text(high)).push_back(']');
    return text;
}

}  // namespace

std::string sensitivity_number_text(const SensitivityNumber& number) {
    if (number.exact) return *number.exact;
    if (std::isinf(number.value)) return number.value < 0 ? "-∞" : "+∞";
    return shortest_number(number.value);
}

void write_sensitivity_table(std::ostream& out, const SensitivityReport& report) {
    out << "Анализ чувствительности (по последней таблице):\n";
    Table rows{{"Ограничение", "Двойственная оценка", "Правая часть", "Диапазон правой части"}};
    for (const SensitivityRow& row : report.rows) {
        rows.push_back({row.name, sensitivity_number_text(row.dual), sensitivity_number_text(row.rhs),
                        range_text(row.rhs_low, row.rhs_high)});
    }
    write_table(out, rows);
    Table variables{{"Переменная", "Значение", "Приведённая стоимость", "Коэффициент цели", "Диапазон коэффициента"}};
    for (const SensitivityVariable& variable : report.variables) {
        variables.push_back({variable.name, sensitivity_number_text(variable.value),
                             sensitivity_number_text(variable.reduced_cost), sensitivity_number_text(variable.cost),
                             range_text(variable.cost_low, variable.cost_high)});
    }
    write_table(out, variables);
    if (!report.unique) out << "Оптимум вырожденный: двойственные оценки могут быть не единственными.\n";
}

}  // namespace cli
