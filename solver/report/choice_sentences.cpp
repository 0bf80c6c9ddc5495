#include "solver/report/choice_sentences.h"

#include <string>

namespace {

using Column = TableChoices::Column;
using Row = TableChoices::Row;
using End = TableChoices::End;

// A number's text that reads as zero ("0", "0.00", "-0.000"): a plain part not worth writing beside M.
bool zero_text(std::string_view text) {
    return !text.empty() && text.find_first_not_of("-0.") == std::string_view::npos;
}

std::string name_of(const std::vector<std::string>& names, std::uint32_t j) {
    return j < names.size() ? names[j] : "x" + std::to_string(j);
}

std::string basic_name(const std::vector<std::string>& names, const std::vector<std::uint32_t>& basis,
                       std::uint32_t i) {
    return i < basis.size() ? name_of(names, basis[i]) : "?";
}

// "x3", "x3 и x5", "x3, x4 и x5".
std::string listed(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (k != 0) text += k + 1 == items.size() ? " и " : ", ";
        text += items[k];
    }
    return text;
}

std::string column_list(const std::vector<std::string>& names, const std::vector<std::uint32_t>& columns) {
    std::vector<std::string> items;
    items.reserve(columns.size());
    for (const std::uint32_t j : columns) items.push_back(name_of(names, j));
    return listed(items);
}

std::string row_list(const std::vector<std::uint32_t>& rows) {
    std::vector<std::string> items;
    items.reserve(rows.size());
    for (const std::uint32_t i : rows) items.push_back(std::to_string(i));
    return listed(items);
}

// The sign of the estimates that improve the objective, as an adjective in the genitive plural.
std::string improving(const TableChoices& c) { return c.maximise ? "отрицательных" : "положительных"; }

std::string column_sentence(const TableChoices& c, const TableLook& look, const std::vector<std::string>& names,
                            const std::vector<std::uint32_t>& basis) {
    const std::string column = name_of(names, c.key_column);
    const std::string estimate = estimate_text(c.key_m_part, c.key_plain_part);
    const bool alone = c.column_rivals.empty();
    switch (c.column) {
        case Column::largest_estimate: {
            std::string text = "В базис вводится " + column + ": его оценка " + estimate +
                               " — наибольшая по модулю среди " + improving(c) + " оценок";
            if (!look.single_estimate_row) text += " (сначала сравниваются части при M, затем числа)";
            if (alone) return text + ".";
            return text + "; такая же у " + column_list(names, c.column_rivals) +
                   ", и по правилу Данцига при равенстве остаётся столбец с меньшим номером.";
        }
        case Column::first_candidate:
            if (alone) {
                return "В базис вводится " + column + ": его оценка " + estimate + " — единственная из " +
                       improving(c) + ".";
            }
            return "В базис вводится " + column + " (оценка " + estimate + "): из столбцов с " +
                   (c.maximise ? "отрицательной" : "положительной") + " оценкой (" + column + ", " +
                   column_list(names, c.column_rivals) + ") по правилу Бленда берётся столбец с наименьшим номером.";
        case Column::elimination:
            return "Улучшающих оценок нет, но искусственная переменная осталась в базисе на нулевом уровне: "
                   "вводится " +
                   column +
                   " — первый небазисный собственный столбец с нулевой оценкой и положительным элементом в "
                   "строке искусственной переменной.";
        case Column::drive_out:
            return "Фаза I окончена с w = 0, но искусственная переменная " + basic_name(names, basis, c.key_row) +
                   " осталась в базисе (строка " + std::to_string(c.key_row) + "): её заменяет " + column +
                   " — первый небазисный собственный столбец с ненулевым элементом в этой строке.";
        case Column::least_ratio: {
            std::string text = "В базис вводится " + column + ": отношение |оценка / элемент| = " + c.key_column_ratio +
                               " (оценка " + c.key_plain_part + ", элемент " + c.pivot_element +
                               ") — наименьшее среди отрицательных элементов ключевой строки";
            if (alone) return text + ".";
            return text + "; такое же у " + column_list(names, c.column_rivals) +
                   ", при равенстве берётся столбец с меньшим номером.";
        }
        case Column::none:
            return {};
    }
    return {};
}

std::string row_sentence(const TableChoices& c, const std::vector<std::string>& names,
                         const std::vector<std::uint32_t>& basis) {
    const std::string row = "строка " + std::to_string(c.key_row);
    const std::string leaving = basic_name(names, basis, c.key_row);
    const bool alone = c.row_rivals.empty();
    switch (c.row) {
        case Row::least_ratio: {
            std::string text = "Из базиса выводится " + leaving + " (" + row +
                               "): отношение b / a = " + c.key_row_value +
                               " — наименьшее среди строк с положительным элементом ключевого столбца";
            if (c.artificial_rows_only) text += " (рассматриваются только строки искусственных переменных)";
            if (alone) return text + ".";
            text += "; такое же в строке " + row_list(c.row_rivals);
            return text + (c.bland ? ", по правилу Бленда выводится базисная переменная с меньшим номером."
                                   : ", по правилу Данцига при равенстве остаётся строка с меньшим номером.");
        }
        case Row::most_negative: {
            std::string text = "Из базиса выводится " + leaving + " (" + row + "): её значение " + c.key_row_value +
                               " — наименьшее среди отрицательных";
            if (alone) return text + ".";
            return text + "; такое же в строке " + row_list(c.row_rivals) +
                   ", при равенстве остаётся строка с меньшим номером.";
        }
        case Row::lowest_basic:
            if (alone) {
                return "Из базиса выводится " + leaving + " (" + row + "): её значение " + c.key_row_value +
                       " — единственное отрицательное.";
            }
            return "Из базиса выводится " + leaving + " (" + row + ", значение " + c.key_row_value +
                   "): из строк с отрицательным значением (ещё " + row_list(c.row_rivals) +
                   ") по правилу Бленда берётся строка базисной переменной с наименьшим номером.";
        case Row::drive_out:
        case Row::none:
            return {};
    }
    return {};
}

std::string end_sentence(const TableChoices& c, const TableLook& look, const std::vector<std::string>& names,
                         const std::vector<std::uint32_t>& basis) {
    switch (c.end) {
        case End::optimum:
            if (c.dual) return "Конец: отрицательных значений базисных переменных нет — план допустим и оптимален.";
            return "Конец: " + improving(c) + " оценок нет, ни один столбец не улучшает функцию — план оптимален.";
        case End::unbounded:
            return "Конец: в ключевом столбце " + name_of(names, c.key_column) +
                   " нет положительных элементов — функция не ограничена.";
        case End::inconsistent: {
            std::vector<std::string> artificial;
            artificial.reserve(c.positive_artificial_rows.size());
            for (const std::uint32_t i : c.positive_artificial_rows) artificial.push_back(basic_name(names, basis, i));
            std::string text = "Конец: улучшающих оценок нет, но ";
            if (artificial.empty()) {
                text += "искусственная переменная осталась в базисе с положительным значением";
            } else {
                text += (artificial.size() == 1 ? "искусственная переменная " : "искусственные переменные ") +
                        listed(artificial) +
                        (artificial.size() == 1 ? " осталась в базисе с положительным значением"
                                                : " остались в базисе с положительными значениями");
            }
            if (look.phase == 1) text += " (w > 0)";
            return text + " — система ограничений несовместна.";
        }
        case End::no_negative_element:
            return "Конец: в ключевой строке " + std::to_string(c.key_row) +
                   " нет отрицательных элементов — система ограничений несовместна.";
        case End::phase_end:
            return "Конец фазы I: w = 0, искусственные переменные вне базиса — переход к фазе II.";
        case End::iteration_limit:
            return "Счёт остановлен: достигнут предел числа итераций (" + std::to_string(c.iteration_limit) + ").";
        case End::cycling:
            return "Счёт остановлен: базис повторился — симплекс-метод зациклился.";
        case End::stopped:
            return "Счёт остановлен до конца (по команде или пределу времени).";
        case End::goes_on:
            return {};
    }
    return {};
}

}  // namespace

bool has_ratio_column(const TableLook& look) { return look.choices && !look.choices->row_ratios.empty(); }

std::string_view ratio_column_text(const TableLook& look, std::uint32_t i) {
    if (!look.choices || i >= look.choices->row_ratios.size() || look.choices->row_ratios[i].empty()) {
        return kNoRatio.view();
    }
    return look.choices->row_ratios[i];
}

std::string estimate_text(std::string_view m_part, std::string_view plain_part) {
    if (m_part.empty() || zero_text(m_part)) return std::string(plain_part);
    std::string text = m_part == "1" ? "" : m_part == "-1" ? "-" : std::string(m_part);
    text += "M";
    if (zero_text(plain_part)) return text;
    if (plain_part.front() == '-') return text + " - " + std::string(plain_part.substr(1));
    return text + " + " + std::string(plain_part);
}

std::vector<std::string> choice_sentences(const TableLook& look, const std::vector<std::string>& names,
                                          const std::vector<std::uint32_t>& basis) {
    std::vector<std::string> lines;
    if (!look.choices) return lines;
    const TableChoices& c = *look.choices;
    const auto add = [&lines](std::string line) {
        if (!line.empty()) lines.push_back(std::move(line));
    };
    // The dual simplex method chooses the row first.
    if (c.dual) add(row_sentence(c, names, basis));
    add(column_sentence(c, look, names, basis));
    if (!c.dual) add(row_sentence(c, names, basis));
    if (!c.pivot_element.empty() && c.key_column != 0 && c.key_row != 0) {
        add("Разрешающий элемент: " + c.pivot_element + " (строка " + std::to_string(c.key_row) + ", столбец " +
            name_of(names, c.key_column) + ").");
    }
    add(end_sentence(c, look, names, basis));
    return lines;
}
