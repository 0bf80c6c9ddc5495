#include "solver/report/outcome_story.h"

#include "problem/cp1251.h"
#include "problem/status_texts.h"
#include "solver/report/branch_texts.h"
#include "solver/report/outcome_texts.h"

namespace {

// Element j of the solution: the exact fraction when the run was exact.
std::string value_text(const SolveOutcome& outcome, std::uint32_t j, const PeopleFormat& format) {
    if (j < outcome.exact_solution.size()) return outcome.exact_solution[j];
    return people_text(outcome.solution(j, 0), outcome.magnitude, format);
}

// Whether the end of the run tells its repeated basis itself.
bool end_tells_repeat(const SolveOutcome& outcome) {
    return !outcome.stopped && outcome.status.empty() &&
           (outcome.end == RunEnd::cycling || outcome.end == RunEnd::iteration_limit);
}

std::vector<std::string> remarks(const RunNotes& notes, const std::vector<std::string>& names) {
    std::vector<std::string> texts;
    if (!notes.alternative_columns.empty()) {
        std::string line = "Есть другие оптимальные решения: нулевые оценки небазисных столбцов";
        for (const std::uint32_t j : notes.alternative_columns) line += " " + names.at(j);
        texts.push_back(line + ".");
    }
    if (notes.degenerate) texts.emplace_back("Оптимум вырожденный: есть базисная переменная, равная 0.");
    if (notes.degenerate_pivots != 0) {
        texts.push_back("Вырожденных шагов (отношение 0): " + std::to_string(notes.degenerate_pivots) + ".");
    }
    return texts;
}

std::vector<std::string> settings_lines(const RunSettings& settings) {
    std::vector<std::string> texts;
    if (settings.arithmetic == Arithmetic::exact)
        texts.push_back("Арифметика: " + arithmetic_name(settings.arithmetic) + ".");
    if (settings.rule == PivotRule::bland) texts.push_back("Правило выбора: " + pivot_rule_name(settings.rule) + ".");
    if (settings.method != SolveMethod::big_m) texts.push_back("Метод: " + method_name(settings.method) + ".");
    return texts;
}

// "Итераций по фазам: I — 2, II — 1." of a two-phase run; empty for the other methods.
std::vector<std::string> phase_lines(const std::vector<PhaseSummary>& phases) {
    if (phases.empty()) return {};
    std::string line = "Итераций по фазам:";
    for (std::size_t k = 0; k < phases.size(); ++k) {
        line += (k == 0 ? " " : ", ") + std::string(phases[k].phase == 1 ? "I" : "II") + " — " +
                std::to_string(phases[k].iterations);
    }
    return {line + "."};
}

// The status texts "… (код n)" of a run, and the iteration limit that may have come before feasibility.
std::vector<std::string> failure_lines(const SolveOutcome& outcome) {
    std::vector<std::string> texts;
    for (int i = 0; i < outcome.status.count; ++i) {
        const int code = outcome.status.codes[static_cast<std::size_t>(i)];
        texts.push_back(cp1251::to_utf8(status_text(code)) + " (код " + std::to_string(code) + ")");
    }
    if (!outcome.status.empty() && outcome.limit_before_feasible) texts.push_back(limit_before_feasible_text());
    return texts;
}

}  // namespace

std::string story_value_line(const StoryValue& value) {
    return value.name + " = " + value.value + (value.artificial ? " (искусственная)" : "");
}

std::string iterations_text(std::int32_t iterations) { return "Итераций: " + std::to_string(iterations); }

std::string pivot_rule_surname(PivotRule rule) { return rule == PivotRule::bland ? "Бленда" : "Данцига"; }

std::string pivot_rule_name(PivotRule rule) {
    return pivot_rule_surname(rule) + (rule == PivotRule::bland ? " (наименьшие номера)" : " (наибольшая оценка)");
}

std::string arithmetic_name(Arithmetic arithmetic) {
    return arithmetic == Arithmetic::exact ? "точные дроби" : "числа с плавающей точкой (double)";
}

OutcomeStory outcome_story(const SolveOutcome& outcome, const std::vector<std::string>& names, std::uint32_t own,
                           const PeopleFormat& format) {
    OutcomeStory story;
    if (!outcome.status.empty()) {
        story.verdict = kNoSolutionVerdict;
    } else {
        story.verdict = outcome.end == RunEnd::optimal ? "Решение получено: оптимум." : "Оптимум не достигнут.";
    }
    story.failure = failure_lines(outcome);
    if (outcome.solution.rows != 0 || !outcome.exact_solution.empty()) story.objective = value_text(outcome, 0, format);
    for (std::uint32_t j = 1; j < outcome.solution.rows && j < names.size(); ++j) {
        story.values.push_back({names[j], value_text(outcome, j, format), own != 0 && j > own});
    }
    if (outcome.notes.cycle && !end_tells_repeat(outcome)) story.repeat.push_back(cycle_text(*outcome.notes.cycle));
    story.remarks = remarks(outcome.notes, names);
    if (!outcome.nodes.empty()) {
        story.remarks.push_back("Метод ветвей и границ: узлов " + std::to_string(outcome.nodes.size()) + ".");
        if (outcome.node_limit_reached && outcome.end == RunEnd::optimal)
            story.remarks.push_back(node_limit_text(outcome.settings.node_limit, true));
    }
    story.settings = settings_lines(outcome.settings);
    for (std::string& line : phase_lines(outcome.phases)) story.settings.push_back(std::move(line));
    story.iterations = outcome.iterations;
    story.end = run_end_lines(outcome);
    return story;
}

std::vector<std::string> outcome_answer_lines(const SolveOutcome& outcome, const std::vector<std::string>& names,
                                              std::uint32_t own, const PeopleFormat& format) {
    const OutcomeStory story = outcome_story(outcome, names, own, format);
    std::vector<std::string> texts{"F = " + story.objective};
    for (const StoryValue& value : story.values) texts.push_back(story_value_line(value));
    return texts;
}

std::vector<std::string> outcome_failure_lines(const SolveOutcome& outcome) {
    if (outcome.stopped || outcome.status.empty()) return run_end_lines(outcome);
    std::vector<std::string> texts{kNoSolutionVerdict};
    const std::vector<std::string> failure = failure_lines(outcome);
    texts.insert(texts.end(), failure.begin(), failure.end());
    return texts;
}

std::vector<std::string> outcome_notes(const SolveOutcome& outcome, const std::vector<std::string>& names,
                                       bool with_settings) {
    const OutcomeStory story = outcome_story(outcome, names, 0);
    std::vector<std::string> texts = story.repeat;
    texts.insert(texts.end(), story.remarks.begin(), story.remarks.end());
    if (with_settings) texts.insert(texts.end(), story.settings.begin(), story.settings.end());
    texts.push_back(iterations_text(story.iterations) + ".");
    return texts;
}

std::string run_settings_text(const RunSettings& settings) {
    return "Арифметика: " + arithmetic_name(settings.arithmetic) +
           "; правило выбора: " + pivot_rule_name(settings.rule) +
           (settings.method != SolveMethod::big_m ? "; метод: " + method_name(settings.method) : std::string()) + ".";
}

std::string method_name(SolveMethod method) {
    switch (method) {
        case SolveMethod::two_phase:
            return "двухфазный";
        case SolveMethod::dual_simplex:
            return "двойственный симплекс-метод";
        case SolveMethod::big_m:
            break;
    }
    return "искусственного базиса (большое M)";
}
