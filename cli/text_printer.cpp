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
#include "problem/status_texts.h"
#include "problem/terminal_text.h"
#include "solver/analysis/exact_model_answer.h"
#include "solver/analysis/sensitivity.h"
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

// Element j of the solution: the exact fraction when the run was exact.
std::string value_text(const SolveOutcome& outcome, std::uint32_t j) {
    if (j < outcome.exact_solution.size()) return outcome.exact_solution[j];
    return people_number::text(outcome.solution(j, 0), outcome.magnitude);
}

// How the run computed, when not as by default.
void write_settings(std::ostream& out, const RunSettings& settings) {
    if (settings.arithmetic == Arithmetic::exact) out << "Арифметика: точные дроби.\n";
    if (settings.rule == PivotRule::bland) out << "Правило выбора: Бленда (наименьшие номера).\n";
}

// What a teacher looks for in the final table; nothing when nothing applies.
void write_notes(std::ostream& out, const SimplexIteration& problem, const RunNotes& notes) {
    if (!notes.alternative_columns.empty()) {
        out << "Есть другие оптимальные решения: нулевые оценки небазисных столбцов";
        for (const std::uint32_t j : notes.alternative_columns) out << ' ' << variable_name(problem, j);
        out << ".\n";
    }
    if (notes.degenerate) out << "Оптимум вырожденный: есть базисная переменная, равная 0.\n";
    if (notes.degenerate_pivots != 0) out << "Вырожденных шагов (отношение 0): " << notes.degenerate_pivots << '\n';
}

class TextPrinter final : public ResultPrinter {
public:
    TextPrinter(std::ostream& out, bool sensitivity) : out_(out), sensitivity_(sensitivity) {}

    void read_failed(const SimplexIteration::bad_simplex& failure) override {
        out_ << "Есть ошибки в файле задачи:\n";
        write_codes(out_, failure);
    }

    void solve_failed(const SimplexIteration::bad_simplex& failure) override {
        out_ << "Решение не получено:\n";
        write_codes(out_, failure);
    }

    void run_failed(const SimplexIteration&, const SolveOutcome& outcome) override {
        solve_failed(outcome.status);
        if (outcome.limit_before_feasible) out_ << limit_before_feasible_text() << '\n';
        write_cycle(outcome);
        write_settings(out_, outcome.settings);
        out_ << "Итераций: " << outcome.iterations << '\n';
        if (sensitivity_) out_ << "Примечание: " << kNoSensitivityWithoutOptimum << ".\n";
    }

    void solved(const SimplexIteration& problem, const SolveOutcome& outcome) override {
        write_heading(problem, outcome);
        if (outcome.end != RunEnd::optimal) return write_no_optimum(problem, outcome);
        out_ << "Значение целевой функции: " << value_text(outcome, 0) << '\n';
        out_ << "Значения переменных:\n";
        const auto own = static_cast<std::uint32_t>(problem.base_vars > 0 ? problem.base_vars : 0);
        for (std::uint32_t j = 1; j < outcome.solution.rows; ++j) {
            out_ << "  " << variable_name(problem, j) << " = " << value_text(outcome, j);
            if (own != 0 && j > own) out_ << " (искусственная)";
            out_ << '\n';
        }
        write_notes(out_, problem, outcome.notes);
        write_sensitivity(outcome, [&problem] { return problem_file_query(problem); });
        write_report_line(problem);
    }

    void model_output(std::string_view text) override {
        out_ << "Вывод модели:\n" << text << (text.ends_with('\n') ? "" : "\n");
    }

    void model_read_failed(std::string_view message, const ModelErrorPlace& /*place*/) override {
        out_ << "Модель не прочитана:\n  " << message << '\n';
    }

    void run_refused(std::string_view message) override { out_ << "Решение не начато:\n  " << message << '\n'; }

    // Standard error has them (qtb-solve's main); the result for people stays as it was.
    void reading_warnings(const std::vector<SimplexIteration::bad_simplex::Hint>&) override {}

    void model_solved(const CanonicalForm& model, const SimplexIteration& run, const SolveOutcome& outcome) override {
        write_heading(run, outcome);
        if (outcome.end != RunEnd::optimal) return write_no_optimum(run, outcome);
        // An exact run tells the model's answer in fractions too.
        const auto [objective, values] = model_answer_texts(model, outcome);
        out_ << "Значение целевой функции: " << objective << '\n';
        out_ << "Значения переменных модели:\n";
        for (std::size_t k = 0; k < values.size(); ++k)
            out_ << "  " << model.variables[k].name << " = " << values[k] << '\n';
        if (model.relaxed_integers) {
            out_ << "Пометки целочисленности не учитывались: решена задача без условий целочисленности.\n";
        }
        write_notes(out_, run, outcome.notes);
        write_sensitivity(outcome, [&model] { return model_query(model); });
        write_report_line(run);
    }

private:
    void write_heading(const SimplexIteration& problem, const SolveOutcome& outcome) {
        if (problem.name && !problem.name->empty()) out_ << "Задача: " << cp1251::to_utf8(*problem.name) << '\n';
        out_ << (outcome.end == RunEnd::optimal ? "Решение получено: оптимум.\n" : "Оптимум не достигнут.\n");
        if (outcome.end == RunEnd::optimal) write_cycle(outcome);  // left by rounding; else told at the end
        write_settings(out_, outcome.settings);
        out_ << "Итераций: " << outcome.iterations << '\n';
    }

    // A run the limit or a repeated basis ended: no values as if they were the answer; last, what stopped it.
    void write_no_optimum(const SimplexIteration& problem, const SolveOutcome& outcome) {
        write_notes(out_, problem, outcome.notes);
        if (sensitivity_) out_ << "Примечание: " << kNoSensitivityAtIterationLimit << ".\n";
        write_report_line(problem);
        for (const std::string& line : run_end_lines(outcome)) out_ << line << '\n';
    }

    // A repeated basis that the run's end does not tell.
    void write_cycle(const SolveOutcome& outcome) {
        if (outcome.notes.cycle) out_ << cycle_text(*outcome.notes.cycle) << '\n';
    }

    template <typename Query>
    void write_sensitivity(const SolveOutcome& outcome, Query query) {
        if (!sensitivity_) return;
        if (outcome.final_table) {
            write_sensitivity_table(out_, sensitivity_report(*outcome.final_table, query()));
        } else {
            out_ << "Примечание: " << kNoSensitivityAtIterationLimit << ".\n";
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
    void solved(const SimplexIteration& problem, const SolveOutcome& outcome) override {
        printer_.solved(problem, outcome);
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
    void model_solved(const CanonicalForm& model, const SimplexIteration& run, const SolveOutcome& outcome) override {
        printer_.model_solved(model, run, outcome);
        pass_on();
    }
    void run_refused(std::string_view message) override {
        printer_.run_refused(message);
        pass_on();
    }
    void reading_warnings(const std::vector<SimplexIteration::bad_simplex::Hint>& warnings) override {
        printer_.reading_warnings(warnings);
    }

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

std::string variable_name(const SimplexIteration& problem, std::uint32_t j) {
    if (problem.var_names && j < problem.var_names->size()) return cp1251::to_utf8((*problem.var_names)[j]);
    return std::string("x").append(std::to_string(j));
}

std::unique_ptr<ResultPrinter> make_text_printer(std::ostream& out, bool sensitivity) {
    return std::make_unique<TerminalSafePrinter>(out, sensitivity);
}

}  // namespace cli
