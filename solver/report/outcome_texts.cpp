#include "solver/report/outcome_texts.h"

#include <charconv>

#include "problem/cp1251.h"
#include "problem/people_number.h"
#include "problem/status_texts.h"

std::string shortest_number_text(double x) {
    if (x == BIG_M) return "M";
    if (x == -BIG_M) return "-M";
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, x);
    return {digits, result.ptr};
}

std::string stopped_run_text(std::int32_t pivots) {
    return "Решение остановлено пользователем после итерации " + std::to_string(pivots) + ".";
}

namespace {

std::string value_text(const SolveOutcome& outcome, std::uint32_t j) {
    if (j < outcome.exact_solution.size()) return outcome.exact_solution[j];
    return people_number::text(outcome.solution(j, 0), outcome.magnitude);
}

}  // namespace

std::vector<std::string> outcome_answer_lines(const SolveOutcome& outcome, const std::vector<std::string>& names,
                                              std::uint32_t own) {
    std::vector<std::string> texts{"F = " + value_text(outcome, 0)};
    for (std::uint32_t j = 1; j < outcome.solution.rows && j < names.size(); ++j) {
        std::string line = names[j] + " = " + value_text(outcome, j);
        if (own != 0 && j > own) line += " (искусственная)";
        texts.push_back(std::move(line));
    }
    return texts;
}

std::string cycle_text(const RunNotes::BasisRepeat& cycle) {
    return "Базис итерации " + std::to_string(cycle.repeat) + " повторяет базис итерации " +
           std::to_string(cycle.first) +
           ": симплекс-метод зациклился. Правило Бленда (--rule bland) не допускает зацикливания.";
}

std::string time_limit_text(double limit_seconds, std::int32_t pivots) {
    char seconds[32];
    const auto result = std::to_chars(seconds, seconds + sizeof seconds, limit_seconds);
    return "Счёт остановлен пределом времени (" + std::string(seconds, result.ptr) + " с) после итерации " +
           std::to_string(pivots) + ": оптимум не получен.";
}

std::string limit_before_feasible_text() {
    return "Предел числа итераций остановил счёт раньше, чем искусственные переменные вышли из базиса: "
           "задача может быть совместной (увеличьте предел итераций).";
}

std::vector<std::string> run_end_lines(const SolveOutcome& outcome) {
    if (outcome.time_limit_reached) {
        return {time_limit_text(outcome.settings.time_limit_seconds.value_or(0), outcome.iterations)};
    }
    if (outcome.stopped) return {stopped_run_text(outcome.iterations)};
    if (!outcome.status.empty()) return {};
    std::vector<std::string> texts;
    if (outcome.notes.cycle && (outcome.end == RunEnd::cycling || outcome.end == RunEnd::iteration_limit)) {
        texts.push_back(cycle_text(*outcome.notes.cycle));
    }
    if (outcome.end == RunEnd::cycling) {
        texts.push_back("Счёт остановлен на итерации " + std::to_string(outcome.iterations) + ": оптимум не получен.");
    } else if (outcome.end == RunEnd::iteration_limit) {
        texts.push_back("Счёт остановлен пределом числа итераций (" + std::to_string(outcome.iterations) +
                        "): последняя таблица не оптимальна, оптимум не получен.");
    }
    return texts;
}

std::vector<std::string> run_end_lines_cp1251(const SolveOutcome& outcome) {
    std::vector<std::string> lines;
    for (const std::string& line : run_end_lines(outcome)) lines.push_back(cp1251::from_utf8(line).value_or(line));
    return lines;
}

std::vector<std::string> outcome_failure_lines(const SolveOutcome& outcome) {
    if (outcome.stopped || outcome.status.empty()) return run_end_lines(outcome);
    std::vector<std::string> texts{"Решение не получено:"};
    for (int i = 0; i < outcome.status.count; ++i) {
        const int code = outcome.status.codes[static_cast<std::size_t>(i)];
        texts.push_back(cp1251::to_utf8(status_text(code)) + " (код " + std::to_string(code) + ")");
    }
    if (outcome.limit_before_feasible) texts.push_back(limit_before_feasible_text());
    return texts;
}

std::vector<std::string> outcome_notes(const SolveOutcome& outcome, const std::vector<std::string>& names,
                                       bool with_settings) {
    std::vector<std::string> texts;
    const RunNotes& run_notes = outcome.notes;
    // A repeat the end of the run does not tell already (a double run may leave its cycle by rounding).
    if (run_notes.cycle && (outcome.stopped || !outcome.status.empty() || outcome.end == RunEnd::optimal ||
                            outcome.end == RunEnd::unbounded)) {
        texts.push_back(cycle_text(*run_notes.cycle));
    }
    if (!run_notes.alternative_columns.empty()) {
        std::string line = "Есть другие оптимальные решения: нулевые оценки небазисных столбцов";
        for (const std::uint32_t j : run_notes.alternative_columns) line += " " + names.at(j);
        texts.push_back(line + ".");
    }
    if (run_notes.degenerate) texts.emplace_back("Оптимум вырожденный: есть базисная переменная, равная 0.");
    if (run_notes.degenerate_pivots != 0) {
        texts.push_back("Вырожденных шагов (отношение 0): " + std::to_string(run_notes.degenerate_pivots) + ".");
    }
    if (with_settings && outcome.settings.arithmetic == Arithmetic::exact) {
        texts.emplace_back("Арифметика: точные дроби.");
    }
    if (with_settings && outcome.settings.rule == PivotRule::bland) texts.emplace_back("Правило выбора: Бленда.");
    texts.push_back("Итераций: " + std::to_string(outcome.iterations) + ".");
    return texts;
}

std::string run_settings_text(const RunSettings& settings) {
    const char* arithmetic =
        settings.arithmetic == Arithmetic::exact ? "точные дроби" : "числа с плавающей точкой (double)";
    const char* rule = settings.rule == PivotRule::bland ? "Бленда" : "Данцига (наибольшая оценка)";
    return std::string("Арифметика: ") + arithmetic + "; правило выбора: " + rule + ".";
}
