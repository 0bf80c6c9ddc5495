#include "solver/sensitivity_tables.h"

#include <charconv>
#include <cmath>

namespace {

std::string range_text(const SensitivityNumber& low, const SensitivityNumber& high) {
    std::string text(1, '[');
    text.append(sensitivity_number_text(low)).append("; ").append(sensitivity_number_text(high)).push_back(']');
    return text;
}

}  // namespace

std::string sensitivity_number_text(const SensitivityNumber& number) {
    if (number.exact) return *number.exact;
    if (std::isinf(number.value)) return number.value < 0 ? "-∞" : "+∞";
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, number.value);
    return {text, result.ptr};
}

std::vector<DocumentSection> sensitivity_sections(const SensitivityReport& report) {
    DocumentSection rows{"Анализ чувствительности: ограничения",
                         {"Ограничение", "Двойственная оценка", "Правая часть", "Диапазон правой части"},
                         {},
                         {}};
    for (const SensitivityRow& row : report.rows) {
        rows.rows.push_back({row.name, sensitivity_number_text(row.dual), sensitivity_number_text(row.rhs),
                             range_text(row.rhs_low, row.rhs_high)});
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
        variables.rows.push_back(
            {variable.name, sensitivity_number_text(variable.value), sensitivity_number_text(variable.reduced_cost),
             sensitivity_number_text(variable.cost), range_text(variable.cost_low, variable.cost_high)});
    }
    if (!report.unique)
        variables.lines.emplace_back("Оптимум вырожденный: двойственные оценки могут быть не единственными.");
    return {std::move(rows), std::move(variables)};
}
