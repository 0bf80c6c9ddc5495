// Gomory's method in exact arithmetic: the relaxation by the linear method of the settings, then round
// by round a cut row appended to the final table and dual simplex steps on the table that results.
// Every linear program reports through the same sinks, as one report: one start, parts between the
// tables, one end.

#include "solver/engine/gomory_run.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <utility>
#include <variant>
#include <vector>

#include "numerics/exact_number.h"
#include "problem/cp1251.h"
#include "problem/record_columns.h"
#include "problem/status_texts.h"
#include "solver/engine/dual_simplex_method.h"
#include "solver/engine/engine_common.h"
#include "solver/engine/exact_tableau.h"
#include "solver/engine/final_table.h"
#include "solver/engine/gomory_cut.h"
#include "solver/engine/integer_run.h"
#include "solver/engine/run_observer.h"
#include "solver/engine/simplex_engine.h"
#include "solver/report/outcome_texts.h"
#include "solver/report/output_marker.h"
#include "solver/report/report_frame.h"

namespace {

using gomory::Index;
using gomory::Row;

// Passes the first start and every table and part to `target`, and keeps back the ends of the linear
// programs: the method's own end closes the report. Parts told before the start wait for it.
class JoinedSink final : public ReportSink {
public:
    explicit JoinedSink(ReportSink& target) : target_(target) {}

    void begin(const ReportStart& start) override {
        if (begun_) return;
        begun_ = true;
        target_.begin(start);
        for (const ReportPart& part : waiting_) target_.part(part);
        waiting_.clear();
    }
    void table(TableSource& source) override { target_.table(source); }
    void part(const ReportPart& part) override {
        if (begun_) {
            target_.part(part);
        } else {
            waiting_.push_back(part);
        }
    }
    void end(const ReportEnd& /*end*/) override {}

private:
    ReportSink& target_;
    bool begun_ = false;
    std::vector<ReportPart> waiting_;
};

// The table the cuts work on: the relaxation's final table without its columns of cost M, and the cuts'
// rows and slacks after it.
struct CutTable {
    std::vector<Index> source;            // column k: the problem's column, or 0 for a cut's slack
    std::vector<std::string> names;       // Windows-1251, for the record
    std::vector<std::string> utf8_names;  // for the parts' texts
    std::vector<gomory::Expression> own;  // each column in the problem's own columns
    std::vector<bool> integral;
    std::vector<Row> rows;
    std::vector<Index> basis;  // entry 0 unused
};

void drive_out_artificials(CutTable& t, const SimplexIteration& problem);

CutTable relaxation_table(const SimplexIteration& problem, const FinalTable<mpq_class>& final) {
    const std::vector<bool> integral = gomory::integral_columns(problem);
    const std::vector<gomory::Expression> own = gomory::own_column_expressions(problem);
    std::vector<bool> basic(std::size_t{final.n} + 1, false);
    for (Index i = 1; i <= final.m; ++i) basic[final.basis.at(i)] = true;
    CutTable t;
    t.source.push_back(0);
    t.names.emplace_back();
    t.utf8_names.emplace_back();
    t.own.push_back(own.at(0));
    t.integral.push_back(false);
    std::vector<Index> column_of(std::size_t{final.n} + 1, 0);
    for (Index j = 1; j <= final.n; ++j) {
        // An artificial variable out of the basis stays at 0 from here on; a basic one (at 0) is driven out.
        if (final.m_cost.at(j) && !basic[j]) continue;
        column_of[j] = static_cast<Index>(t.source.size());
        t.source.push_back(j);
        t.names.push_back(problem.var_names ? problem.var_names->at(j) : "x" + std::to_string(j));
        t.utf8_names.push_back(utf8_variable_name(problem, j));
        t.own.push_back(own.at(j));
        t.integral.push_back(integral.at(j));
    }
    t.basis.push_back(0);
    for (Index i = 1; i <= final.m; ++i) {
        Row row;
        row.push_back(final.element(i, 0));
        for (Index j = 1; j <= final.n; ++j) {
            if (column_of[j] != 0) row.push_back(final.element(i, j));
        }
        t.rows.push_back(std::move(row));
        t.basis.push_back(column_of.at(final.basis.at(i)));
    }
    drive_out_artificials(t, problem);
    return t;
}

// The pivot on (r, k) of the cut table's rows.
void pivot_rows(CutTable& t, Index r, Index k) {
    Row& key = t.rows.at(r - 1);
    const mpq_class p = key.at(k);
    for (mpq_class& x : key) x /= p;
    for (Index i = 1; i <= t.rows.size(); ++i) {
        if (i == r || t.rows[i - 1][k] == 0) continue;
        const mpq_class f = t.rows[i - 1][k];
        for (std::size_t j = 0; j < key.size(); ++j) t.rows[i - 1][j] -= f * key[j];
    }
    t.basis.at(r) = k;
}

// An artificial variable the relaxation left basic (at 0) leaves the basis, or its row goes: a row with no
// other entry is redundant. Its column enters where |estimate / element| is least, which keeps every
// estimate's sign (the row says 0 = the row, of either sign). Then the artificial columns go.
void drive_out_artificials(CutTable& t, const SimplexIteration& problem) {
    const auto artificial = [&](Index k) {
        return t.source[k] != 0 && engine::is_m_cost(problem.table(0, t.source[k]));
    };
    const auto cost = [&](Index k) {
        return artificial(k) ? mpq_class(0) : gomory::exact_entry(problem, 0, t.source[k]);
    };
    for (Index r = 1; r <= t.rows.size();) {
        if (!artificial(t.basis[r])) {
            ++r;
            continue;
        }
        Index entering = 0;
        mpq_class least;
        for (Index k = 1; k < t.source.size(); ++k) {
            const mpq_class& a = t.rows[r - 1][k];
            if (a == 0 || artificial(k)) continue;
            mpq_class estimate = -cost(k);
            for (Index i = 1; i <= t.rows.size(); ++i) estimate += cost(t.basis[i]) * t.rows[i - 1][k];
            const mpq_class ratio = abs(estimate / a);
            if (entering == 0 || ratio < least) {
                entering = k;
                least = ratio;
            }
        }
        if (entering != 0) {
            pivot_rows(t, r, entering);
            ++r;
            continue;
        }
        t.rows.erase(t.rows.begin() + static_cast<std::ptrdiff_t>(r - 1));
        t.basis.erase(t.basis.begin() + static_cast<std::ptrdiff_t>(r));
    }
    for (Index k = static_cast<Index>(t.source.size()) - 1; k >= 1; --k) {
        if (!artificial(k)) continue;
        const auto at = static_cast<std::ptrdiff_t>(k);
        t.source.erase(t.source.begin() + at);
        t.names.erase(t.names.begin() + at);
        t.utf8_names.erase(t.utf8_names.begin() + at);
        t.own.erase(t.own.begin() + at);
        t.integral.erase(t.integral.begin() + at);
        for (Row& row : t.rows) row.erase(row.begin() + at);
        for (Index& b : t.basis) {
            if (b > k) --b;
        }
    }
}

// The slack's name: s and the cut's number, or the first number after it that no column has taken
// (a problem's own slacks s1, s2 make the first cut's s3, as textbooks number them).
std::string slack_name(const CutTable& t, std::size_t number) {
    for (std::size_t k = number;; ++k) {
        std::string name = "s" + std::to_string(k);
        if (std::find(t.utf8_names.begin(), t.utf8_names.end(), name) == t.utf8_names.end()) return name;
    }
}

// Adds the cut of row i with its slack.
void append_cut(CutTable& t, Index i, std::size_t number, GomoryCut& told) {
    Row cut = gomory::cut_of_row(t.rows.at(i - 1));
    const gomory::Expression slack = gomory::cut_slack(cut, t.own);
    const std::string name = slack_name(t, number);
    told.source_row = i;
    told.source_variable = t.utf8_names.at(t.basis.at(i));
    told.columns.assign(t.utf8_names.begin() + 1, t.utf8_names.end());
    told.columns.push_back(name);
    for (std::size_t j = 1; j < cut.size(); ++j) told.coefficients.push_back(fraction_text(cut[j]));
    told.coefficients.emplace_back("1");
    told.rhs = fraction_text(cut[0]);
    for (Row& row : t.rows) row.emplace_back(0);
    cut.emplace_back(1);
    t.rows.push_back(std::move(cut));
    t.source.push_back(0);
    t.names.push_back(name);
    t.utf8_names.push_back(name);
    t.own.push_back(slack);
    t.integral.push_back(true);  // the row's basic variable and the integer parts of the row make it an integer
    t.basis.push_back(static_cast<Index>(t.source.size() - 1));
}

// The record of a round's table: the problem's print options and costs, the cut table's numbers.
SimplexIteration round_record(const SimplexIteration& problem, const CutTable& t, std::int32_t iterations,
                              std::int32_t stop) {
    const auto m = static_cast<Index>(t.rows.size());
    const auto n = static_cast<Index>(t.source.size() - 1);
    SimplexIteration record = problem;
    record.table.resize(m + 1, n + 1);
    record.table(0, 0) = 0.0;
    for (Index k = 1; k <= n; ++k) record.table(0, k) = t.source[k] == 0 ? 0.0 : problem.table(0, t.source[k]);
    for (Index i = 1; i <= m; ++i) {
        for (Index k = 0; k <= n; ++k) record.table(i, k) = t.rows[i - 1][k].get_d();
    }
    record.estimates.resize(2, n + 1);
    record.basis = t.basis;
    record.base_vars = static_cast<std::int32_t>(n);
    record.iterations = iterations;
    record.stop = stop;
    record.pivot_col = 0;
    record.pivot_row = 0;
    record.exact_rhs.clear();
    record.twin_columns.clear();
    record.integer_columns.clear();
    record.var_names = t.names;
    record.compute_col_widths();
    record.look = TableLook{};
    record.look.single_estimate_row = true;
    return record;
}

std::vector<mpq_class> flat_rows(const CutTable& t) {
    std::vector<mpq_class> flat;
    for (const Row& row : t.rows) flat.insert(flat.end(), row.begin(), row.end());
    return flat;
}

// The values of the problem's columns (0 the objective) from the values of the cut table's columns.
void to_problem_columns(SolveOutcome& outcome, const CutTable& t, Index problem_columns) {
    std::vector<std::string> exact(std::size_t{problem_columns} + 1, "0");
    Matrix solution(problem_columns + 1, 1);
    for (std::size_t k = 0; k < t.source.size() && k < outcome.exact_solution.size(); ++k) {
        if (k != 0 && t.source[k] == 0) continue;
        exact[t.source[k]] = outcome.exact_solution[k];
        solution(t.source[k], 0) = outcome.solution(static_cast<Index>(k), 0);
    }
    outcome.exact_solution = std::move(exact);
    swap(outcome.solution, solution);  // of another size: assignment would refuse it
    std::vector<std::uint32_t> alternatives;
    for (const std::uint32_t k : outcome.notes.alternative_columns) {
        if (k < t.source.size() && t.source[k] != 0) alternatives.push_back(t.source[k]);
    }
    outcome.notes.alternative_columns = std::move(alternatives);
}

ReportPart opening_part(const RunSettings& asked) {
    ReportPart part;
    part.heading = std::string(kRelaxationHeading);
    part.lines.emplace_back(
        "Метод Гомори (отсечения дробных частей): сначала решается задача без условий "
        "целочисленности, затем к её последней таблице добавляются отсечения.");
    part.lines.emplace_back(asked.arithmetic == Arithmetic::exact
                                ? "Вычисления в точной арифметике: дробные части требуют точных чисел."
                                : "Вычисления в точной арифметике, а не в числах с плавающей точкой: дробные "
                                  "части требуют точных чисел.");
    part.lines.emplace_back(
        "Правило выбора строки: базисная целочисленная переменная с наибольшей дробной частью значения "
        "(при равных — верхняя строка). Отсечение: сумма дробных частей коэффициентов строки при "
        "небазисных переменных, умноженных на них, не меньше дробной части значения. Допустимость "
        "восстанавливают шаги двойственного симплекс-метода по правилу Бленда (без зацикливания).");
    return part;
}

// The cut's heading and texts, from its row before the cut and the names of the columns then.
ReportPart cut_part(const Row& row, const std::vector<std::string>& names, std::size_t number, const GomoryCut& cut) {
    const Index i = cut.source_row;
    ReportPart part;
    part.heading = "Отсечение " + std::to_string(number);
    part.lines.push_back("Строка " + std::to_string(i) + ": " + cut.source_variable + " = " + fraction_text(row[0]) +
                         ", дробная часть " + fraction_text(gomory::fractional_part(row[0])) + ".");
    Row parts(row.size());
    for (std::size_t j = 0; j < row.size(); ++j) parts[j] = gomory::fractional_part(row[j]);
    part.lines.push_back("Отсечение: " + gomory::row_text(parts, names, ">=") + ".");
    part.lines.push_back("В переменных задачи: " + cut.inequality + ".");
    return part;
}

// The report's end, as every method ends it, the cut limit told in the answer.
void end_report(const SolveOutcome& outcome, const ReportFrame& frame, ReportSink* report, ReportSink* watcher,
                std::int32_t cut_limit) {
    ReportEnd end{outcome, {}, {}, frame.text_notes && !outcome.stopped};
    if (outcome.cut_limit_reached) {
        end.answer.push_back(cp1251::from_utf8("Достигнут предел числа отсечений (" + std::to_string(cut_limit) +
                                               "): целочисленное решение не найдено.")
                                 .value_or(""));
    } else if (outcome.status.empty() && !outcome.stopped && frame.epilogue) {
        end.answer = outcome.end == RunEnd::optimal ? frame.epilogue(outcome) : run_end_lines_cp1251(outcome);
    }
    if (frame.closing_sections && !outcome.stopped && !outcome.cut_limit_reached) {
        end.sections = frame.closing_sections(outcome);
    }
    if (report) report->end(end);
    if (watcher) watcher->end(end);
}

}  // namespace

std::optional<std::string> gomory_refusal(const SimplexIteration& problem, const RunSettings& /*settings*/) {
    const Index j = gomory::first_continuous_column(problem);
    if (j == 0) return std::nullopt;
    return "отсечения Гомори решают только полностью целочисленную задачу, а переменная «" +
           utf8_variable_name(problem, j) +
           "» не обязана быть целой; решите задачу методом ветвей и границ (--integer branch)";
}

SolveOutcome run_gomory(const SimplexIteration& problem, const RunSettings& settings, const ReportFrame& frame,
                        const RunObserver& observer, ReportSink* report) {
    if (auto refusal = gomory_refusal(problem, settings)) throw IntegerMethodRefused(*refusal);
    ReportSink* const report_sink = problem.no_table ? nullptr : report;
    std::optional<JoinedSink> joined_report;
    std::optional<JoinedSink> joined_watcher;
    if (report_sink) joined_report.emplace(*report_sink);
    if (observer.tables) joined_watcher.emplace(*observer.tables);
    ReportSink* const sink = joined_report ? &*joined_report : nullptr;
    ReportSink* const watcher = joined_watcher ? &*joined_watcher : nullptr;
    const auto tell = [&](const ReportPart& part) {
        if (sink) sink->part(part);
        if (watcher) watcher->part(part);
    };
    RunObserver inner_observer = observer;
    inner_observer.tables = watcher;
    ReportFrame inner_frame;
    inner_frame.preamble = frame.preamble;

    const auto started = std::chrono::steady_clock::now();
    RunSettings relaxed = settings;
    relaxed.integer = IntegerMethod::relax;
    relaxed.arithmetic = Arithmetic::exact;
    relaxed.keep_final_table = true;
    tell(opening_part(settings));
    SolveOutcome outcome = run_method(problem, relaxed, inner_frame, inner_observer, sink);
    outcome.settings = settings;
    outcome.settings.arithmetic = Arithmetic::exact;
    const bool solved = outcome.end == RunEnd::optimal && outcome.status.empty() && !outcome.stopped;
    if (!solved || !outcome.final_table) {
        end_report(outcome, frame, report_sink, observer.tables, settings.cut_limit);
        return outcome;
    }
    const auto* final = std::get_if<FinalTable<mpq_class>>(&outcome.final_table->table);
    if (!final) throw std::logic_error("the exact relaxation kept no exact final table");
    CutTable t = relaxation_table(problem, *final);
    const double magnitude = outcome.magnitude;
    std::vector<GomoryCut> cuts;
    std::vector<Pivot> pivots = outcome.pivots;
    std::int32_t iterations = outcome.iterations;
    // The outcome of the latest linear program; replaced whole, since its solution changes size.
    std::optional<SolveOutcome> latest(outcome);
    SolveOutcome* last = &*latest;
    bool in_cut_columns = false;  // whether `last` speaks of the cut table's columns
    while (true) {
        const Index i = gomory::cut_row(t.rows, t.basis, t.integral);
        if (i == 0) break;
        if (static_cast<std::int32_t>(cuts.size()) >= settings.cut_limit) {
            last->cut_limit_reached = true;
            last->end = RunEnd::iteration_limit;
            break;
        }
        GomoryCut& cut = cuts.emplace_back();
        const std::size_t number = cuts.size();
        const Row row_before = t.rows.at(i - 1);
        const std::vector<std::string> names_before = t.utf8_names;
        append_cut(t, i, number, cut);
        {
            std::vector<std::string> own_names(t.own.front().coefficients.size());
            for (Index j = 1; j < own_names.size(); ++j) own_names[j] = utf8_variable_name(problem, j);
            cut.inequality = gomory::inequality_text(t.own.back(), own_names);
            const gomory::Expression& e = t.own.back();
            cut.own_bound = -e.constant.get_d();
            for (const mpq_class& c : e.coefficients) cut.own_coefficients.push_back(c.get_d());
            cut.pivots_before = pivots.size();
        }
        tell(cut_part(row_before, names_before, number, cut));
        // Each round may take as many steps as a run of its table would; a given limit bounds them all.
        const std::int32_t budget = 4 * static_cast<std::int32_t>(t.rows.size() + t.source.size());
        const std::int32_t stop = problem.stop > 0 ? problem.stop : iterations + budget;
        SimplexIteration record = round_record(problem, t, iterations, stop);
        ExactTableau numbers(record, flat_rows(t));
        // Bland's rule in the rounds: the tables after cuts are degenerate, and a round must not cycle.
        dual_simplex::Method<ExactTableau> method(record, numbers, PivotRule::bland);
        // One time limit for the whole run: each round has what the rounds before it left.
        if (settings.time_limit_seconds) {
            const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - started;
            relaxed.time_limit_seconds = std::max(0.0, *settings.time_limit_seconds - spent.count());
        }
        latest.reset();
        last = &latest.emplace(method.run(inner_frame, relaxed, inner_observer, sink));
        in_cut_columns = true;
        iterations = last->iterations;
        for (const Pivot& p : last->pivots) {
            pivots.push_back({p.column < t.source.size() ? t.source[p.column] : 0, p.row});
        }
        for (Index r = 1; r <= t.rows.size(); ++r) {
            for (Index k = 0; k < t.rows[r - 1].size(); ++k) t.rows[r - 1][k] = numbers.element_value(r, k);
        }
        t.basis = record.basis;
        if (last->end != RunEnd::optimal || !last->status.empty() || last->stopped) break;
    }
    if (in_cut_columns) {
        to_problem_columns(*last, t, problem.variable_count());
    }
    last->pivots = std::move(pivots);
    last->iterations = iterations;
    last->cuts = std::move(cuts);
    last->settings = outcome.settings;
    last->magnitude = magnitude;
    last->final_table.reset();  // the integer optimum has no table of the problem's own
    end_report(*last, frame, report_sink, observer.tables, settings.cut_limit);
    return std::move(*last);
}
