// The result for people: Russian, UTF-8.

#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/result_printer.h"
#include "cli/sensitivity_text.h"
#include "problem/cp1251.h"
#include "problem/fault_texts.h"
#include "problem/people_number.h"
#include "problem/record_columns.h"
#include "problem/status_texts.h"
#include "problem/terminal_text.h"
#include "solver/analysis/exact_model_answer.h"
#include "solver/analysis/sensitivity.h"
#include "solver/report/outcome_story.h"
#include "solver/report/outcome_texts.h"

namespace cli {
namespace {

void write_codes(std::ostream& out, const SimplexIteration::bad_simplex& failure) {
    for (int i = 0; i < failure.count; ++i) {
        out << "  " << located_status_text(failure, i) << " (код " << failure.codes[static_cast<std::size_t>(i)]
            << ")\n";
    }
    for (const auto& hint : failure.hints) out << "  Подсказка: " << hint_text(hint) << '\n';
}

// Each line of the story on a line of its own.
void write_lines(std::ostream& out, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) out << line << '\n';
}

OutcomeStory story_of(const SimplexIteration& problem, const SolveOutcome& outcome) {
    const auto own = static_cast<std::uint32_t>(problem.base_vars > 0 ? problem.base_vars : 0);
    std::vector<std::string> names(outcome.solution.rows);
    for (std::uint32_t j = 1; j < outcome.solution.rows; ++j) names[j] = variable_name(problem, j);
    return outcome_story(outcome, names, own);
}

class TextPrinter final : public ResultPrinter {
public:
    TextPrinter(std::ostream& out, bool sensitivity) : out_(out), sensitivity_(sensitivity) {}

    void read_failed(const SimplexIteration::bad_simplex& failure) override {
        out_ << "Есть ошибки в файле задачи:\n";
        write_codes(out_, failure);
    }

    void solve_failed(const SimplexIteration::bad_simplex& failure) override {
        out_ << kNoSolutionVerdict << '\n';
        write_codes(out_, failure);
    }

    void run_failed(const SimplexIteration& problem, const SolveOutcome& outcome) override {
        const OutcomeStory story = story_of(problem, outcome);
        solve_failed(outcome.status);
        if (outcome.limit_before_feasible) out_ << limit_before_feasible_text() << '\n';
        write_lines(out_, story.repeat);
        write_lines(out_, story.settings);
        out_ << iterations_text(story.iterations) << '\n';
        if (sensitivity_) out_ << "Примечание: " << kNoSensitivityWithoutOptimum << ".\n";
        write_dual_solution();
    }

    void solved(const SimplexIteration& problem, const SolveOutcome& outcome,
                const std::optional<SensitivityReport>& sensitivity) override {
        const OutcomeStory story = story_of(problem, outcome);
        write_heading(problem, outcome, story);
        if (outcome.end != RunEnd::optimal) return write_no_optimum(problem, outcome.end, story);
        out_ << "Значение целевой функции: " << story.objective << '\n';
        out_ << "Значения переменных:\n";
        for (const StoryValue& value : story.values) out_ << "  " << story_value_line(value) << '\n';
        write_lines(out_, story.remarks);
        write_sensitivity(outcome, sensitivity);
        write_report_line(problem);
    }

    void model_output(std::string_view text) override {
        out_ << "Вывод модели:\n" << text << (text.ends_with('\n') ? "" : "\n");
    }

    void model_read_failed(std::string_view message, const ModelErrorPlace& /*place*/) override {
        out_ << "Модель не прочитана:\n  " << message << '\n';
    }

    void run_refused(std::string_view message) override { out_ << "Решение не начато:\n  " << message << '\n'; }
    void method_refused(std::string_view message, std::string_view /*method*/) override { run_refused(message); }

    // Standard error has them (qtb-solve's main); the result for people stays as it was.
    void reading_warnings(const std::vector<SimplexIteration::bad_simplex::Hint>&) override {}

    void model_solved(const CanonicalForm& model, const SimplexIteration& run, const SolveOutcome& outcome,
                      const std::optional<SensitivityReport>& sensitivity) override {
        const OutcomeStory story = story_of(run, outcome);
        write_heading(run, outcome, story);
        if (outcome.end != RunEnd::optimal) return write_no_optimum(run, outcome.end, story);
        // An exact run tells the model's answer in fractions too.
        const auto [objective, values] = model_answer_texts(model, outcome);
        out_ << "Значение целевой функции: " << objective << '\n';
        out_ << "Значения переменных модели:\n";
        for (std::size_t k = 0; k < values.size(); ++k)
            out_ << "  " << model.variables[k].name << " = " << values[k] << '\n';
        if (model.integer_marks && outcome.settings.integer == IntegerMethod::relax) {
            out_ << "Пометки целочисленности не учитывались: решена задача без условий целочисленности.\n";
        }
        write_lines(out_, story.remarks);
        write_sensitivity(outcome, sensitivity);
        write_dual_solution();
        write_report_line(run);
    }

    void dual_problem(const LpModel& primal, const DualProblem& dual) override {
        write_lines(out_, dual_problem_lines(dual, primal));
    }

    void dual_solution(const std::optional<DualSolution>& solution) override {
        dual_asked_ = true;
        dual_solution_ = solution;
    }

private:
    void write_heading(const SimplexIteration& problem, const SolveOutcome& outcome, const OutcomeStory& story) {
        if (problem.name && !problem.name->empty()) out_ << "Задача: " << cp1251::to_utf8(*problem.name) << '\n';
        out_ << story.verdict << '\n';
        if (outcome.end == RunEnd::optimal) write_lines(out_, story.repeat);  // left by rounding; else told at the end
        write_lines(out_, story.settings);
        out_ << iterations_text(story.iterations) << '\n';
    }

    // A run the limit or a repeated basis ended: no values as if they were the answer; last, what stopped it.
    void write_no_optimum(const SimplexIteration& problem, RunEnd end, const OutcomeStory& story) {
        write_lines(out_, story.remarks);
        if (sensitivity_) out_ << "Примечание: " << no_sensitivity_text(end) << ".\n";
        write_dual_solution();
        write_report_line(problem);
        write_lines(out_, story.end);
    }

    // An optimum without its analysis is one the iteration limit ended, or one of the dual simplex method.
    void write_sensitivity(const SolveOutcome& outcome, const std::optional<SensitivityReport>& sensitivity) {
        if (!sensitivity_) return;
        if (sensitivity) {
            write_sensitivity_table(out_, *sensitivity);
        } else {
            out_ << "Примечание: " << no_sensitivity_text(outcome.end) << ".\n";
        }
    }

    // Asked for with --dual: the solution at an optimum, else why there is none.
    void write_dual_solution() {
        if (!dual_asked_) return;
        if (dual_solution_) {
            write_lines(out_, dual_solution_lines(*dual_solution_));
        } else {
            out_ << "Примечание: " << kNoDualSolution << ".\n";
        }
    }

    void write_report_line(const SimplexIteration& problem) {
        if (problem.no_table) {
            out_ << "Таблицы не выводились.\n";
        } else if (problem.file) {
            out_ << "Отчёт: " << cp1251::to_utf8(*problem.file) << '\n';
        }
    }

    std::ostream& out_;
    bool sensitivity_;
    bool dual_asked_ = false;
    std::optional<DualSolution> dual_solution_;
};

// Whatever the printer tells goes out with its control characters written out (problem/terminal_text.h):
// names, a model's output and messages come from a student's file.
class TerminalSafePrinter final : public ResultPrinter {
public:
    TerminalSafePrinter(std::ostream& out, bool sensitivity) : out_(out), printer_(text_, sensitivity) {}

    void read_failed(const SimplexIteration::bad_simplex& failure) override {
        printer_.read_failed(failure);
        pass_on();
    }
    void solve_failed(const SimplexIteration::bad_simplex& failure) override {
        printer_.solve_failed(failure);
        pass_on();
    }
    void run_failed(const SimplexIteration& problem, const SolveOutcome& outcome) override {
        printer_.run_failed(problem, outcome);
        pass_on();
    }
    void solved(const SimplexIteration& problem, const SolveOutcome& outcome,
                const std::optional<SensitivityReport>& sensitivity) override {
        printer_.solved(problem, outcome, sensitivity);
        pass_on();
    }
    void model_output(std::string_view text) override {
        printer_.model_output(text);
        pass_on("\n\t");  // a model's own layout
    }
    void model_read_failed(std::string_view message, const ModelErrorPlace& place) override {
        printer_.model_read_failed(message, place);
        pass_on();
    }
    void model_solved(const CanonicalForm& model, const SimplexIteration& run, const SolveOutcome& outcome,
                      const std::optional<SensitivityReport>& sensitivity) override {
        printer_.model_solved(model, run, outcome, sensitivity);
        pass_on();
    }
    void run_refused(std::string_view message) override {
        printer_.run_refused(message);
        pass_on();
    }
    void method_refused(std::string_view message, std::string_view method) override {
        printer_.method_refused(message, method);
        pass_on();
    }
    void reading_warnings(const std::vector<SimplexIteration::bad_simplex::Hint>& warnings) override {
        printer_.reading_warnings(warnings);
    }
    void dual_problem(const LpModel& primal, const DualProblem& dual) override {
        printer_.dual_problem(primal, dual);
        pass_on();
    }
    void dual_solution(const std::optional<DualSolution>& solution) override { printer_.dual_solution(solution); }

private:
    void pass_on(std::string_view kept = "\n") {
        out_ << terminal_text(text_.str(), kept);
        text_.str({});
    }

    std::ostream& out_;
    std::ostringstream text_;
    TextPrinter printer_;
};

}  // namespace

std::string variable_name(const SimplexIteration& problem, std::uint32_t j) { return utf8_variable_name(problem, j); }

std::unique_ptr<ResultPrinter> make_text_printer(std::ostream& out, bool sensitivity) {
    return std::make_unique<TerminalSafePrinter>(out, sensitivity);
}

}  // namespace cli
