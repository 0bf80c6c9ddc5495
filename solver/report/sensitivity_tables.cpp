#include "solver/report/sensitivity_tables.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string_view>

#include "problem/people_number.h"
#include "problem/valid_utf8.h"

namespace {

std::string range_text(const SensitivityNumber& low, const SensitivityNumber& high, double magnitude) {
    std::string text(1, '[');
    text.append(sensitivity_number_text(low, magnitude))
        .append("; ")
        .append(sensitivity_number_text(high, magnitude))
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

std::string sensitivity_number_text(const SensitivityNumber& number, double magnitude) {
    if (number.exact) return *number.exact;
    if (std::isinf(number.value)) return number.value < 0 ? "-∞" : "+∞";
    return people_number::text(number.value, magnitude);
}

std::vector<DocumentSection> sensitivity_sections(const SensitivityReport& report) {
    const double m = report.magnitude;
    DocumentSection rows{"Анализ чувствительности: ограничения",
                         {"Ограничение", "Двойственная оценка", "Правая часть", "Диапазон правой части"},
                         {},
                         {}};
    for (const SensitivityRow& row : report.rows) {
        rows.rows.push_back({row.name, sensitivity_number_text(row.dual, m), sensitivity_number_text(row.rhs, m),
                             range_text(row.rhs_low, row.rhs_high, m)});
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
        variables.rows.push_back({variable.name, sensitivity_number_text(variable.value, m),
                                  sensitivity_number_text(variable.reduced_cost, m),
                                  sensitivity_number_text(variable.cost, m),
                                  range_text(variable.cost_low, variable.cost_high, m)});
    }
    if (!report.unique)
        variables.lines.emplace_back("Оптимум вырожденный: двойственные оценки могут быть не единственными.");
    return {std::move(rows), std::move(variables)};
}
