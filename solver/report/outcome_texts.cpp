#include "solver/report/outcome_texts.h"

#include <charconv>

#include "problem/cp1251.h"
#include "solver/report/branch_texts.h"
#include "solver/report/outcome_story.h"

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

std::string cycle_text(const RunNotes::BasisRepeat& cycle) {
    return "Базис итерации " + std::to_string(cycle.repeat) + " повторяет базис итерации " +
           std::to_string(cycle.first) + ": симплекс-метод зациклился. Правило " +
           pivot_rule_surname(PivotRule::bland) + " (--rule bland) не допускает зацикливания.";
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
    if (outcome.node_limit_reached && outcome.end != RunEnd::optimal) {
        return {node_limit_text(outcome.settings.node_limit, false)};
    }
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
