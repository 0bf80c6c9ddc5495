#include "solver/report/sensitivity_tables.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string_view>

#include "problem/valid_utf8.h"

namespace {

std::string range_text(const SensitivityNumber& low, const SensitivityNumber& high, double magnitude,
                       const PeopleFormat& format) {
    std::string text(1, '[');
    text.append(sensitivity_number_text(low, magnitude, format))
        .append("; ")
        .append(sensitivity_number_text(high, magnitude, format))
        .push_back(']');
    return text;
}

}  // namespace

std::vector<std::string> section_text_lines(const DocumentSection& section) {
    std::vector<std::vector<std::string>> table{section.header};
    table.insert(table.end(), section.rows.begin(), section.rows.end());
    std::vector<std::size_t> widths;
    for (const auto& line : table) {
        widths.resize(std::max(widths.size(), line.size()), 0);
        for (std::size_t c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], utf8_width(line[c]));
    }
    std::vector<std::string> lines;
    for (const auto& line : table) {
        std::string text = " ";
        for (std::size_t c = 0; c < line.size(); ++c) {
            const std::string padding(widths[c] - utf8_width(line[c]), ' ');
            text += "  ";
            text += c == 0 ? line[c] + padding : padding + line[c];
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        lines.push_back(std::move(text));
    }
    lines.insert(lines.end(), section.lines.begin(), section.lines.end());
    return lines;
}

std::string sensitivity_number_text(const SensitivityNumber& number, double magnitude, const PeopleFormat& format) {
    if (number.exact) return *number.exact;
    if (std::isinf(number.value)) return number.value < 0 ? "-∞" : "+∞";
    return people_text(number.value, magnitude, format);
}

std::vector<DocumentSection> sensitivity_sections(const SensitivityReport& report, const PeopleFormat& format) {
    const double m = report.magnitude;
    const auto number = [m, &format](const SensitivityNumber& x) { return sensitivity_number_text(x, m, format); };
    const auto range = [m, &format](const SensitivityNumber& low, const SensitivityNumber& high) {
        return range_text(low, high, m, format);
    };
    DocumentSection rows{"Анализ чувствительности: ограничения",
                         {"Ограничение", "Двойственная оценка", "Правая часть", "Диапазон правой части"},
                         {},
                         {}};
    for (const SensitivityRow& row : report.rows) {
        rows.rows.push_back({row.name, number(row.dual), number(row.rhs), range(row.rhs_low, row.rhs_high)});
        if (!row.dropped.empty()) {
            rows.lines.push_back("Ограничение " + row.name + " не вошло в каноническую форму (" + row.dropped +
                                 "): его двойственная оценка 0.");
        }
    }
    DocumentSection variables{
        "Анализ чувствительности: переменные",
        {"Переменная", "Значение", "Приведённая стоимость", "Коэффициент цели", "Диапазон коэффициента"},
        {},
        {}};
    for (const SensitivityVariable& variable : report.variables) {
        variables.rows.push_back({variable.name, number(variable.value), number(variable.reduced_cost),
                                  number(variable.cost), range(variable.cost_low, variable.cost_high)});
    }
    if (!report.unique)
        variables.lines.emplace_back("Оптимум вырожденный: двойственные оценки могут быть не единственными.");
    return {std::move(rows), std::move(variables)};
}
