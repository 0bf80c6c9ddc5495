// The result as exactly one JSON object on one line.

#include <cmath>
#include <sstream>
#include <string_view>

#include "cli/result_printer.h"
#include "cli/sensitivity_text.h"
#include "problem/cp1251.h"
#include "problem/status_texts.h"
#include "solver/analysis/exact_model_answer.h"
#include "solver/analysis/sensitivity.h"
#include "solver/report/markup_escapes.h"

namespace cli {
namespace {

// Always valid UTF-8: bytes from a model file that are not are read as Windows-1251.
void write_string(std::ostream& out, std::string_view utf8) { out << json_string(utf8); }

void write_number(std::ostream& out, double x) {
    if (std::isfinite(x)) {
        out << shortest_number(x);
    } else {
        out << "null";
    }
}

// Element j of the solution: a string "p/q" when the run was exact.
// A branch and bound stopped by its node limit before any integer solution has no answer to give.
bool has_answer(const SolveOutcome& outcome) { return !outcome.node_limit_reached || outcome.end == RunEnd::optimal; }

void write_value(std::ostream& out, const SolveOutcome& outcome, std::uint32_t j) {
    if (j < outcome.exact_solution.size()) {
        write_string(out, outcome.exact_solution[j]);
    } else {
        write_number(out, outcome.solution(j, 0));
    }
}

// Gomory's cuts, each its row (over the columns of the table it was added to, its slack last) and inequality.
void write_cuts(std::ostream& out, const std::vector<GomoryCut>& cuts) {
    if (cuts.empty()) return;
    const auto write_strings = [&out](const std::vector<std::string>& texts) {
        out << '[';
        for (std::size_t k = 0; k < texts.size(); ++k) {
            if (k != 0) out << ", ";
            write_string(out, texts[k]);
        }
        out << ']';
    };
    out << R"(, "cuts": [)";
    for (std::size_t c = 0; c < cuts.size(); ++c) {
        const GomoryCut& cut = cuts[c];
        out << (c == 0 ? "" : ", ") << R"({"row": )" << cut.source_row << R"(, "variable": )";
        write_string(out, cut.source_variable);
        out << R"(, "columns": )";
        write_strings(cut.columns);
        out << R"(, "coefficients": )";
        write_strings(cut.coefficients);
        out << R"(, "rhs": )";
        write_string(out, cut.rhs);
        out << R"(, "inequality": )";
        write_string(out, cut.inequality);
        out << '}';
    }
    out << ']';
}

// What every run tells, on success and with codes alike.
constexpr std::string_view node_result_word(NodeResult result) {
    switch (result) {
        case NodeResult::optimal:
            return "optimal";
        case NodeResult::infeasible:
            return "infeasible";
        case NodeResult::unbounded:
            return "unbounded";
        case NodeResult::no_optimum:
            return "no_optimum";
        case NodeResult::not_solved:
            break;
    }
    return "not_solved";
}

constexpr std::string_view node_close_word(NodeClose close) {
    switch (close) {
        case NodeClose::branched:
            return "branched";
        case NodeClose::integer:
            return "integer";
        case NodeClose::infeasible:
            return "infeasible";
        case NodeClose::not_better:
            return "not_better";
        case NodeClose::unbounded:
            return "unbounded";
        case NodeClose::no_optimum:
            return "no_optimum";
        case NodeClose::covered:
            return "covered";
        case NodeClose::open:
            break;
    }
    return "open";
}

// "nodes": each node of a branch and bound with its bounds (columns of the problem), its relaxation's
// status and objective, and why it was closed.
void write_nodes(std::ostream& out, const SolveOutcome& outcome) {
    if (outcome.nodes.empty()) return;
    out << R"(, "integer": "branch", "nodes": [)";
    for (std::size_t k = 0; k < outcome.nodes.size(); ++k) {
        const BranchNode& node = outcome.nodes[k];
        out << (k == 0 ? "" : ", ") << R"({"id": )" << node.id << R"(, "parent": )";
        if (node.parent == 0) {
            out << "null";
        } else {
            out << node.parent;
        }
        out << R"(, "bounds": [)";
        for (std::size_t b = 0; b < node.bounds.size(); ++b) {
            const BranchBound& bound = node.bounds[b];
            out << (b == 0 ? "" : ", ") << "[" << bound.column << R"(, ")" << (bound.upper ? "<=" : ">=") << R"(", )";
            write_number(out, bound.value);
            out << ']';
        }
        out << R"(], "status": ")" << node_result_word(node.result) << R"(", "objective": )";
        if (node.result != NodeResult::optimal) {
            out << "null";
        } else if (!node.exact_objective.empty()) {
            write_string(out, node.exact_objective);
        } else {
            write_number(out, node.objective);
        }
        out << R"(, "closed": ")" << node_close_word(node.close) << '"';
        if (node.close == NodeClose::branched) out << R"(, "branch_column": )" << node.branch_column;
        out << R"(, "incumbent": )" << (node.incumbent ? "true" : "false") << R"(, "iterations": )" << node.iterations
            << '}';
    }
    out << ']';
    if (outcome.node_limit_reached) out << R"(, "node_limit_reached": true)";
}

void write_run(std::ostream& out, const SolveOutcome& outcome) {
    out << R"(, "iterations": )" << outcome.iterations << R"(, "pivots": [)";
    for (std::size_t p = 0; p < outcome.pivots.size(); ++p) {
        out << (p != 0 ? ", [" : "[") << outcome.pivots[p].column << ", " << outcome.pivots[p].row << ']';
    }
    out << ']';
    if (const auto& cycle = outcome.notes.cycle)
        out << R"(, "cycle": [)" << cycle->first << ", " << cycle->repeat << ']';
    // Said only when the run did not compute as by default.
    const RunSettings& settings = outcome.settings;
    if (settings.arithmetic != Arithmetic::double_precision || settings.rule != PivotRule::dantzig) {
        out << R"(, "arithmetic": ")" << (settings.arithmetic == Arithmetic::exact ? "exact" : "double")
            << R"(", "rule": ")" << (settings.rule == PivotRule::bland ? "bland" : "dantzig") << '"';
    }
    if (settings.method != SolveMethod::big_m) {
        out << R"(, "method": ")" << method_word(settings.method) << '"';
        for (std::size_t k = 0; k < outcome.phases.size(); ++k) {
            const PhaseSummary& phase = outcome.phases[k];
            out << (k == 0 ? R"(, "phases": [)" : ", ") << R"({"phase": )" << phase.phase << R"(, "iterations": )"
                << phase.iterations << R"(, "pivots": [)";
            for (std::size_t p = 0; p < phase.pivots.size(); ++p) {
                out << (p != 0 ? ", [" : "[") << phase.pivots[p].column << ", " << phase.pivots[p].row << ']';
            }
            out << "]}";
        }
        if (!outcome.phases.empty()) out << ']';
    }
    write_nodes(out, outcome);
    write_cuts(out, outcome.cuts);
}

std::string_view end_name(const SolveOutcome& outcome) {
    if (outcome.time_limit_reached) return "time_limit";
    if (outcome.node_limit_reached) return "node_limit";
    if (outcome.cut_limit_reached) return "cut_limit";
    switch (outcome.end) {
        case RunEnd::optimal:
            return "optimal";
        case RunEnd::cycling:
            return "cycling";
        case RunEnd::iteration_limit:
        case RunEnd::unbounded:
        case RunEnd::stopped:  // by the time limit, told above: qtb-solve has no other stop
            break;
    }
    return "iteration_limit";
}

void write_notes(std::ostream& out, const SimplexIteration& problem, const RunNotes& notes) {
    out << R"(, "alternative_optima": )" << (notes.alternative_columns.empty() ? "false" : "true")
        << R"(, "alternative_columns": [)";
    for (std::size_t c = 0; c < notes.alternative_columns.size(); ++c) {
        if (c != 0) out << ", ";
        write_string(out, variable_name(problem, notes.alternative_columns[c]));
    }
    out << R"(], "degenerate": )" << (notes.degenerate ? "true" : "false") << R"(, "degenerate_pivots": )"
        << notes.degenerate_pivots;
}

// An exact number as its string "p/q", a double as a number, an infinite end as null.
void write_sensitivity_number(std::ostream& out, const SensitivityNumber& number) {
    if (number.exact) {
        write_string(out, *number.exact);
    } else {
        write_number(out, number.value);
    }
}

// `, "key": ` and a number, or a range of two as a JSON array.
void write_number_field(std::ostream& out, std::string_view key, const SensitivityNumber& x) {
    out << ", \"" << key << "\": ";
    write_sensitivity_number(out, x);
}

void write_range_field(std::ostream& out, std::string_view key, const SensitivityNumber& low,
                       const SensitivityNumber& high) {
    out << ", \"" << key << "\": [";
    write_sensitivity_number(out, low);
    out << ", ";
    write_sensitivity_number(out, high);
    out << ']';
}

// Objects of a JSON array, each its "name" first, then the fields `write_fields` writes.
template <class Item, class WriteFields>
void write_named_objects(std::ostream& out, const std::vector<Item>& items, WriteFields write_fields) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        out << (i != 0 ? ", " : "") << R"({"name": )";
        write_string(out, items[i].name);
        write_fields(items[i]);
        out << '}';
    }
}

void write_sensitivity(std::ostream& out, const SensitivityReport& report) {
    out << R"(, "sensitivity": {"rows": [)";
    write_named_objects(out, report.rows, [&out](const SensitivityRow& row) {
        write_number_field(out, "dual", row.dual);
        write_number_field(out, "rhs", row.rhs);
        write_range_field(out, "rhs_range", row.rhs_low, row.rhs_high);
        if (row.dropped.empty()) return;
        out << R"(, "dropped": )";
        write_string(out, row.dropped);
    });
    out << R"(], "variables": [)";
    write_named_objects(out, report.variables, [&out](const SensitivityVariable& variable) {
        write_number_field(out, "value", variable.value);
        write_number_field(out, "reduced_cost", variable.reduced_cost);
        write_number_field(out, "cost", variable.cost);
        write_range_field(out, "cost_range", variable.cost_low, variable.cost_high);
    });
    out << R"(], "unique": )" << (report.unique ? "true" : "false") << '}';
}

std::string_view relation_of(const LpModel::Row& row) {
    if (row.lower == row.upper) return "=";
    return std::isfinite(row.lower) ? ">=" : "<=";
}

std::string_view sign_of(const LpModel::Column& column) {
    if (column.lower == 0.0 && !std::isfinite(column.upper)) return ">= 0";
    if (column.upper == 0.0 && !std::isfinite(column.lower)) return "<= 0";
    return "free";
}

std::string_view origin_kind(DualOrigin::Kind kind) {
    switch (kind) {
        case DualOrigin::Kind::row:
            return "row";
        case DualOrigin::Kind::row_lower:
            return "row_lower";
        case DualOrigin::Kind::row_upper:
            return "row_upper";
        case DualOrigin::Kind::column_lower:
            return "bound_lower";
        case DualOrigin::Kind::column_upper:
            return "bound_upper";
        case DualOrigin::Kind::column_fixed:
            break;
    }
    return "fixed";
}

// `, "dual": {...}`: the dual's sense, constant, variables (with the primal constraint each comes from) and rows.
void write_dual(std::ostream& out, const LpModel& primal, const DualProblem& dual) {
    const LpModel& model = dual.model;
    out << R"(, "dual": {"sense": ")" << (model.maximize ? "max" : "min") << R"(", "constant": )";
    write_number(out, model.constant);
    out << R"(, "variables": [)";
    for (std::size_t k = 0; k < model.columns.size(); ++k) {
        const LpModel::Column& column = model.columns[k];
        const DualOrigin& origin = dual.origins[k];
        out << (k != 0 ? ", " : "") << R"({"name": )";
        write_string(out, column.name);
        out << R"(, "sign": ")" << sign_of(column) << R"(", "cost": )";
        write_number(out, column.cost);
        out << R"(, "from": {"kind": ")" << origin_kind(origin.kind) << R"(", "name": )";
        write_string(out, dual_origin_name(origin, primal));
        out << R"(, "relation": ")"
            << (origin.relation == '<'   ? "<="
                : origin.relation == '>' ? ">="
                                         : "=")
            << R"(", "rhs": )";
        write_number(out, origin.rhs);
        out << "}}";
    }
    out << R"(], "rows": [)";
    for (std::size_t i = 0; i < model.rows.size(); ++i) {
        const LpModel::Row& row = model.rows[i];
        out << (i != 0 ? ", " : "") << R"({"name": )";
        write_string(out, row.name);
        const std::string_view relation = relation_of(row);
        out << R"(, "relation": ")" << relation << R"(", "rhs": )";
        write_number(out, relation == "<=" ? row.upper : row.lower);
        out << R"(, "coefficients": {)";
        for (std::size_t t = 0; t < row.coefficients.size(); ++t) {
            if (t != 0) out << ", ";
            write_string(out, model.columns.at(row.coefficients[t].first).name);
            out << ": ";
            write_number(out, row.coefficients[t].second);
        }
        out << "}}";
    }
    out << "]}";
}

// `, "dual_solution": {...}` or null.
void write_dual_solution(std::ostream& out, const std::optional<DualSolution>& solution) {
    out << R"(, "dual_solution": )";
    if (!solution) {
        out << "null";
        return;
    }
    out << R"({"values": [)";
    for (std::size_t k = 0; k < solution->values.size(); ++k) {
        const DualValue& value = solution->values[k];
        out << (k != 0 ? ", " : "") << R"({"name": )";
        write_string(out, value.name);
        write_number_field(out, "value", value.value);
        out << R"(, "reading": )";
        if (value.reading.empty()) {
            out << "null";
        } else {
            write_string(out, value.reading);
        }
        out << R"(, "column": )";
        if (value.column != 0) {
            out << value.column << R"(, "column_name": )";
            write_string(out, value.column_name);
        } else {
            out << R"(null, "column_name": null)";
        }
        write_number_field(out, "analysis", value.analysis);
        out << '}';
    }
    out << ']';
    write_number_field(out, "primal_objective", solution->primal_objective);
    write_number_field(out, "dual_objective", solution->dual_objective);
    out << R"(, "equal": )" << (solution->equal ? "true" : "false") << '}';
}

void write_no_sensitivity(std::ostream& out, std::string_view why) {
    out << R"(, "sensitivity": null, "sensitivity_unavailable": )";
    write_string(out, why);
}

class JsonPrinter final : public ResultPrinter {
public:
    JsonPrinter(std::ostream& out, bool sensitivity) : out_(out), sensitivity_(sensitivity) {}

    void read_failed(const SimplexIteration::bad_simplex& failure) override {
        failed("read", failure);
        out_ << "}\n";
    }
    void solve_failed(const SimplexIteration::bad_simplex& failure) override {
        failed("solve", failure);
        end_model_object();
    }
    void run_failed(const SimplexIteration&, const SolveOutcome& outcome) override {
        failed("solve", outcome.status);
        write_run(out_, outcome);
        if (outcome.limit_before_feasible) out_ << R"(, "limit_reached": true)";
        if (sensitivity_) write_no_sensitivity(out_, kNoSensitivityWithoutOptimum);
        end_model_object();
    }

    void solved(const SimplexIteration& problem, const SolveOutcome& outcome,
                const std::optional<SensitivityReport>& sensitivity) override {
        out_ << R"({"ok": true, "end": ")" << end_name(outcome) << R"(", "objective": )";
        if (has_answer(outcome)) {
            write_value(out_, outcome, 0);
        } else {
            out_ << "null";
        }
        write_solution_and_run(outcome);
        write_notes(out_, problem, outcome.notes);
        write_sensitivity_of(outcome, sensitivity);
        end_model_object();
    }

    void model_output(std::string_view text) override { model_output_ = text; }

    void dual_problem(const LpModel& primal, const DualProblem& dual) override {
        std::ostringstream text;
        write_dual(text, primal, dual);
        dual_ = text.str();
    }

    void dual_solution(const std::optional<DualSolution>& solution) override {
        std::ostringstream text;
        write_dual_solution(text, solution);
        dual_solution_ = text.str();
    }

    void model_read_failed(std::string_view message, const ModelErrorPlace& place) override {
        out_ << R"({"ok": false, "stage": "read", "codes": [], "messages": [)";
        write_string(out_, message);
        out_ << R"(], "file": )";
        write_string(out_, place.file);
        out_ << R"(, "line": )";
        if (place.line != 0) {
            out_ << place.line;
        } else {
            out_ << "null";
        }
        end_model_object();
    }

    void reading_warnings(const std::vector<SimplexIteration::bad_simplex::Hint>& warnings) override {
        warnings_ = warnings;
    }

    void run_refused(std::string_view message) override {
        out_ << R"({"ok": false, "stage": "solve", "codes": [], "messages": [)";
        write_string(out_, message);
        out_ << ']';
        end_model_object();
    }

    void method_refused(std::string_view message, std::string_view method) override {
        out_ << R"({"ok": false, "stage": "method", "codes": [], "messages": [)";
        write_string(out_, message);
        out_ << R"(], "method": )";
        write_string(out_, method);
        end_model_object();
    }

    void model_solved(const CanonicalForm& model, const SimplexIteration& run, const SolveOutcome& outcome,
                      const std::optional<SensitivityReport>& sensitivity) override {
        out_ << R"({"ok": true, "end": ")" << end_name(outcome) << R"(", "objective": )";
        const bool exact = !outcome.exact_solution.empty();
        const ExactModelAnswer exact_answer =
            exact ? exact_model_answer(model, outcome.exact_solution) : ExactModelAnswer{};
        if (!has_answer(outcome)) {
            out_ << "null";
        } else if (exact) {
            write_string(out_, exact_answer.objective);
        } else {
            write_number(out_, model.objective(outcome.solution));
        }
        write_solution_and_run(outcome);
        write_notes(out_, run, outcome.notes);
        out_ << R"(, "variables": {)";
        const std::vector<double> values =
            has_answer(outcome) ? model.variable_values(outcome.solution) : std::vector<double>{};
        for (std::size_t k = 0; k < values.size(); ++k) {
            if (k != 0) out_ << ", ";
            write_string(out_, model.variables[k].name);
            out_ << ": ";
            if (exact) {
                write_string(out_, exact_answer.values[k]);
            } else {
                write_number(out_, values[k]);
            }
        }
        out_ << R"(}, "constant": )";
        if (exact) {
            write_string(out_, model.exact_constant);
        } else {
            write_number(out_, model.constant);
        }
        const bool relaxed = model.integer_marks && outcome.settings.integer == IntegerMethod::relax;
        out_ << R"(, "relaxed_integers": )" << (relaxed ? "true" : "false");
        write_sensitivity_of(outcome, sensitivity);
        end_model_object();
    }

private:
    // Closes the object, with what the model printed when it printed something and the warnings of
    // the reading when there are any.
    void end_model_object() {
        out_ << dual_ << dual_solution_;
        if (!model_output_.empty()) {
            out_ << R"(, "model_output": )";
            write_string(out_, model_output_);
        }
        if (!warnings_.empty()) {
            out_ << R"(, "warnings": [)";
            for (std::size_t i = 0; i < warnings_.size(); ++i) {
                out_ << (i != 0 ? ", " : "") << R"({"line": )" << warnings_[i].line << R"(, "message": )";
                write_string(out_, warnings_[i].text);
                out_ << '}';
            }
            out_ << ']';
        }
        out_ << "}\n";
    }

    // A run without its analysis is one the iteration limit ended, or one that was stopped.
    void write_sensitivity_of(const SolveOutcome& outcome, const std::optional<SensitivityReport>& sensitivity) {
        if (!sensitivity_) return;
        if (sensitivity) {
            write_sensitivity(out_, *sensitivity);
        } else {
            write_no_sensitivity(out_, no_sensitivity_text(outcome.end));
        }
    }

    // The solution vector, then how the run went.
    void write_solution_and_run(const SolveOutcome& outcome) {
        out_ << R"(, "solution": [)";
        for (std::uint32_t j = 0; has_answer(outcome) && j < outcome.solution.rows; ++j) {
            if (j != 0) out_ << ", ";
            write_value(out_, outcome, j);
        }
        out_ << ']';
        write_run(out_, outcome);
    }

    void failed(std::string_view stage, const SimplexIteration::bad_simplex& failure) {
        out_ << R"({"ok": false, "stage": ")" << stage << R"(", "codes": [)";
        for (int i = 0; i < failure.count; ++i)
            out_ << (i != 0 ? ", " : "") << failure.codes[static_cast<std::size_t>(i)];
        out_ << R"(], "messages": [)";
        for (int i = 0; i < failure.count; ++i) {
            if (i != 0) out_ << ", ";
            write_string(out_, cp1251::to_utf8(status_text(failure.codes[static_cast<std::size_t>(i)])));
        }
        out_ << R"(], "lines": [)";  // the problem file's line of each code, null for none
        for (int i = 0; i < failure.count; ++i) {
            const std::uint32_t line = failure.lines[static_cast<std::size_t>(i)];
            out_ << (i != 0 ? ", " : "");
            if (line != 0) {
                out_ << line;
            } else {
                out_ << "null";
            }
        }
        out_ << ']';
        if (failure.hints.empty()) return;
        out_ << R"(, "hints": [)";  // skipped words that look meant as keywords
        for (std::size_t i = 0; i < failure.hints.size(); ++i) {
            out_ << (i != 0 ? ", " : "") << R"({"line": )" << failure.hints[i].line << R"(, "text": )";
            write_string(out_, failure.hints[i].text);
            out_ << '}';
        }
        out_ << ']';
    }

    std::ostream& out_;
    bool sensitivity_;
    std::string model_output_;
    std::string dual_;           // `, "dual": {...}` of --dual
    std::string dual_solution_;  // `, "dual_solution": ...` of --dual
    std::vector<SimplexIteration::bad_simplex::Hint> warnings_;
};

}  // namespace

void print_json_failure(std::ostream& out, std::string_view stage, std::string_view message) {
    out << R"({"ok": false, "stage": ")" << stage << R"(", "codes": [], "messages": [)";
    write_string(out, message);
    out << "]}\n";
}

void print_json_written(std::ostream& out, std::string_view file) {
    out << R"({"ok": true, "written": )";
    write_string(out, file);
    out << "}\n";
}

std::unique_ptr<ResultPrinter> make_json_printer(std::ostream& out, bool sensitivity) {
    return std::make_unique<JsonPrinter>(out, sensitivity);
}

}  // namespace cli
