#include "solver/engine/dual_simplex_run.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "problem/record_columns.h"
#include "solver/engine/double_tableau.h"
#include "solver/engine/dual_simplex_method.h"
#include "solver/engine/dual_start_table.h"
#include "solver/engine/exact_tableau.h"
#include "solver/engine/note_tolerance.h"
#include "solver/engine/table_at_basis.h"
#include "solver/report/report_frame.h"

namespace {

using engine::Index;

// The message names this many columns at most; a model may have hundreds.
constexpr std::size_t kNamedColumns = 5;

template <class Numbers>
std::optional<std::string> refusal_of(const SimplexIteration& start, const dual_simplex::Method<Numbers>& method,
                                      MethodNaming naming = MethodNaming::command_line) {
    const std::vector<Index> wrong = method.wrong_sign_columns();
    if (wrong.empty()) return std::nullopt;
    const std::string sign = start.aim == 1 ? " < 0" : " > 0";
    std::string estimates = wrong.size() == 1 ? "оценка " : "оценки ";
    for (std::size_t c = 0; c < wrong.size() && c < kNamedColumns; ++c) {
        if (c != 0) estimates += ", ";
        estimates += utf8_variable_name(start, wrong[c]) + " = " + method.estimate_text(wrong[c]) + sign;
    }
    if (wrong.size() > kNamedColumns) estimates += " и ещё " + std::to_string(wrong.size() - kNamedColumns);
    return "Базис из дополнительных переменных не является двойственно допустимым (" + estimates +
           "): двойственный симплекс-метод неприменим, решите задачу " +
           (naming == MethodNaming::command_line
                ? "методом искусственного базиса (--method big-m) или двухфазным методом (--method two-phase)."
                : "методом искусственного базиса или двухфазным методом («Решение» → «Метод»).");
}

// The outcome of a run on the start table in the columns of the given problem.
SolveOutcome in_problem_columns(const DualStartTable& start, SolveOutcome outcome, std::uint32_t columns) {
    Matrix solution = original_solution(start, outcome.solution, columns);
    swap(outcome.solution, solution);  // of another size: assignment would refuse it
    outcome.exact_solution = original_exact_solution(start, outcome.exact_solution, columns);
    // A slack of an "=" row has no column of the problem; such a slack is 0 at every solution anyway.
    std::vector<std::uint32_t> alternatives;
    for (const std::uint32_t j : outcome.notes.alternative_columns) {
        if (j < start.original_columns.size() && start.original_columns[j] != 0) {
            alternatives.push_back(start.original_columns[j]);
        }
    }
    outcome.notes.alternative_columns = std::move(alternatives);
    return outcome;
}

// Whether a basic variable of the problem's own columns is 0 at the end. The two slacks of an "=" row
// always add up to 0, so the one of them that is basic is 0 whatever the optimum: no degeneracy of the problem.
bool problem_basis_degenerate(const DualStartTable& start, const SolveOutcome& outcome) {
    const SimplexIteration& record = start.record;
    std::vector<Index> basic;
    for (Index i = 1; i <= record.constraint_count(); ++i) {
        const Index j = start.original_columns.at(engine::basic_column(record, i));
        if (j != 0) basic.push_back(j);
    }
    if (!outcome.exact_solution.empty()) {
        return std::any_of(basic.begin(), basic.end(), [&](Index j) { return outcome.exact_solution.at(j) == "0"; });
    }
    double scale = 0.0;
    for (const Index j : basic) scale = std::max(scale, std::fabs(outcome.solution(j, 0)));
    return std::any_of(basic.begin(), basic.end(),
                       [&](Index j) { return negligible_against(outcome.solution(j, 0), scale); });
}

template <class Numbers>
std::optional<std::string> refusal_in(const SimplexIteration& problem, MethodNaming naming) {
    DualStartTable start = dual_start_table(problem);
    Numbers numbers(start.record);
    dual_simplex::Method<Numbers> method(start.record, numbers, PivotRule::dantzig);
    numbers.compute_estimates();
    return refusal_of(start.record, method, naming);
}

template <class Numbers>
SolveOutcome run_in(const SimplexIteration& problem, const RunSettings& settings, const ReportFrame& frame,
                    const RunObserver& observer, ReportSink* report) {
    DualStartTable start = dual_start_table(problem);
    const std::uint32_t columns = problem.variable_count() + 1;
    Numbers numbers(start.record);
    dual_simplex::Method<Numbers> method(start.record, numbers, settings.rule);
    numbers.compute_estimates();
    if (auto refusal = refusal_of(start.record, method)) throw DualSimplexRefused(*refusal);

    // The report tells the start table's columns; a model's answer and the documents' closing
    // sections speak of the problem's, and the analysis of an optimum reads the problem's own table.
    const auto of_problem = [&](SolveOutcome outcome) {
        outcome = in_problem_columns(start, std::move(outcome), columns);
        if (outcome.notes.degenerate) outcome.notes.degenerate = problem_basis_degenerate(start, outcome);
        if (settings.keep_final_table && outcome.end == RunEnd::optimal && outcome.status.empty() && !outcome.stopped) {
            std::vector<Index> basis;
            for (Index i = 1; i <= start.record.constraint_count(); ++i) {
                const Index j = start.original_columns.at(engine::basic_column(start.record, i));
                if (j != 0) basis.push_back(j);  // a slack of an "=" row: its row keeps its artificial
            }
            outcome.final_table = std::make_shared<const FinalTableSnapshot>(
                FinalTableSnapshot{engine::table_at_basis<Numbers>(problem, basis), outcome.magnitude});
        }
        return outcome;
    };
    ReportFrame in_columns = frame;
    if (frame.epilogue) {
        in_columns.epilogue = [&](const SolveOutcome& outcome) { return frame.epilogue(of_problem(outcome)); };
    }
    if (frame.closing_sections) {
        in_columns.closing_sections = [&](const SolveOutcome& outcome) {
            return frame.closing_sections(of_problem(outcome));
        };
    }
    return of_problem(method.run(in_columns, settings, observer, report));
}

}  // namespace

std::optional<std::string> dual_simplex_refusal(const SimplexIteration& problem, Arithmetic arithmetic,
                                                MethodNaming naming) {
    if (arithmetic == Arithmetic::exact) return refusal_in<ExactTableau>(problem, naming);
    return refusal_in<DoubleTableau>(problem, naming);
}

SolveOutcome run_dual_simplex(const SimplexIteration& run, const RunSettings& settings, const ReportFrame& frame,
                              const RunObserver& observer, ReportSink* report) {
    if (settings.arithmetic == Arithmetic::exact) return run_in<ExactTableau>(run, settings, frame, observer, report);
    return run_in<DoubleTableau>(run, settings, frame, observer, report);
}
