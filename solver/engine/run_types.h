#pragma once

// What a run is told and what it tells: its settings, how it ended, its notes and
// its outcome. Shared by the engine, the report, the analysis and the front ends.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "numerics/matrix.h"
#include "problem/simplex_iteration.h"
#include "solver/engine/branch_node.h"

// The numbers a run computes with: doubles in extended-precision expressions
// (the method as it has always run), or exact rationals with M as a symbol.
enum class Arithmetic { double_precision, exact };
// Which candidate becomes the key column and which of the rows with the
// smallest ratio the key row: the largest estimate and the lowest row
// (Dantzig), or the lowest column and the row of the lowest basic variable
// (Bland, which cannot cycle).
enum class PivotRule { dantzig, bland };
// The method of the run: the big-M method (the table as the problem gives it, M a large
// cost), the two-phase method (phase I minimises the sum of the artificial variables,
// phase II the objective without them) or the dual simplex method (rows taken as "<=" with
// a slack each, right-hand sides of any sign, from a dual feasible slack basis).
enum class SolveMethod { big_m, two_phase, dual_simplex };
// The method's word on the command line, in JSON and in the window's settings.
constexpr const char* method_word(SolveMethod method) {
    return method == SolveMethod::two_phase ? "two-phase" : method == SolveMethod::dual_simplex ? "dual" : "big-m";
}

// How a problem with integer columns is solved: by branch and bound (a tree of linear programs),
// by Gomory's fractional cuts (rows added to the final table), or as its relaxation (the integer
// conditions dropped, with a note). A problem without integer columns runs alike under all three.
enum class IntegerMethod { branch, gomory, relax };
constexpr const char* integer_method_word(IntegerMethod method) {
    return method == IntegerMethod::gomory ? "gomory" : method == IntegerMethod::relax ? "relax" : "branch";
}
inline constexpr std::int32_t kDefaultNodeLimit = 1000;
inline constexpr std::int32_t kDefaultCutLimit = 50;

// The form of the report file: the text report, a LaTeX document or an HTML page.
enum class ReportForm { text, latex, html };
// The text report's bytes: Windows-1251 with CR LF, or UTF-8 with LF. Documents are always UTF-8.
enum class TextEncoding { cp1251, utf8 };

struct RunSettings {
    Arithmetic arithmetic = Arithmetic::double_precision;
    PivotRule rule = PivotRule::dantzig;
    // Keep the final table of an optimum in the outcome (for sensitivity analysis).
    bool keep_final_table = false;
    ReportForm form = ReportForm::text;
    TextEncoding encoding = TextEncoding::cp1251;
    // A model solved through its canonical form, not a problem file: its run stops at a
    // repeated basis (a problem file's goes on to its limit), and an iteration limit that
    // leaves artificial variables basic ends it as the limit, not as an inconsistent system.
    bool from_model = false;
    // Seconds of computing a run may take: past them it stops at its next table, as a run its
    // observer stops does, and says so. None: no bound in time.
    std::optional<double> time_limit_seconds = std::nullopt;
    // Last, so that the settings written out in braces keep their meaning.
    SolveMethod method = SolveMethod::big_m;
    // Record why each key column and row was chosen and why the run ended (TableChoices), for the
    // report's ratio column and sentences.
    bool explain = false;
    IntegerMethod integer = IntegerMethod::branch;
    std::int32_t node_limit = kDefaultNodeLimit;  // linear programs a branch and bound may solve
    std::int32_t cut_limit = kDefaultCutLimit;    // cuts Gomory's method may add
};

// How a run ended: its final table has no key column, or a key column without
// a key row, or the iteration limit stopped it at a table that still has one,
// or (a model's run) its basis repeated an earlier one, or its observer or time
// limit stopped it (SolveOutcome::stopped tells the same; nothing else did).
enum class RunEnd { optimal, iteration_limit, unbounded, cycling, stopped };

struct FinalTableSnapshot;  // solver/engine/final_table.h

struct Pivot {
    std::uint32_t column = 0;
    std::uint32_t row = 0;
    bool operator==(const Pivot&) const = default;
};

// What a teacher looks for in the final table.
struct RunNotes {
    // At an optimum: own non-basic columns whose estimate is zero in both parts,
    // each of which could enter without changing the objective.
    std::vector<std::uint32_t> alternative_columns;
    bool degenerate = false;             // at an optimum, a basic variable at 0
    std::int32_t degenerate_pivots = 0;  // pivots whose ratio was 0
    // The first repeat of a basis: the table whose basis came back and the table that repeats it.
    struct BasisRepeat {
        std::int32_t first = 0;
        std::int32_t repeat = 0;
    };
    std::optional<BasisRepeat> cycle;
};

// One phase of a run of the two-phase method: its pivots, in the order made.
struct PhaseSummary {
    std::int32_t phase = 0;  // 1 or 2
    std::int32_t iterations = 0;
    std::vector<Pivot> pivots;
};

// A cut of Gomory's method: the row of fractional parts added to the table, and the same cut told as an
// inequality in the problem's own columns. Texts are UTF-8; numbers reduced fractions.
struct GomoryCut {
    std::uint32_t source_row = 0;           // the row of the table it was taken from
    std::string source_variable;            // that row's basic variable
    std::vector<std::string> columns;       // the columns of the table the cut was added to, then its slack
    std::vector<std::string> coefficients;  // of the cut row over those columns: minus the fractional parts, 1
    std::string rhs;                        // minus the fractional part of the row's value
    std::string inequality;                 // in the problem's own columns
    // The same inequality in numbers: sum own_coefficients[j] x_j >= own_bound over the problem's columns
    // (entry 0 unused, 0 off its own columns).
    std::vector<double> own_coefficients;
    double own_bound = 0.0;
    std::size_t pivots_before = 0;  // the run's pivots before the cut was added
};

struct SolveOutcome {
    Matrix solution;  // exact runs: each value rounded to the nearest double
    RunEnd end = RunEnd::optimal;
    std::int32_t iterations = 0;  // pivots made
    std::vector<Pivot> pivots;    // in the order made
    // The two-phase method's phases (pivots counts all of them); empty for the other methods.
    std::vector<PhaseSummary> phases;
    RunNotes notes;
    // Exact runs only: the solution vector as reduced fractions "p/q" or integers "p".
    std::vector<std::string> exact_solution;
    SimplexIteration::bad_simplex status;  // the run's codes (run_simplex only)
    bool stopped = false;                  // stopped by its observer or its time limit before its end
    bool time_limit_reached = false;       // stopped by the time limit of its settings
    // Code 13 of a run that the iteration limit ended before the artificial variables
    // left the basis: the problem may still be feasible.
    bool limit_before_feasible = false;
    RunSettings settings;  // how it ran
    // The largest magnitude among the first table's numbers (problem/people_number.h).
    double magnitude = 0.0;
    // The final table, when the settings asked for it and the run ended at an optimum.
    std::shared_ptr<const FinalTableSnapshot> final_table;
    // Gomory's method: the cuts in the order added, and whether the cut limit ended the run.
    std::vector<GomoryCut> cuts;
    bool cut_limit_reached = false;
    // A branch and bound: every node, in the order made; empty for the other runs.
    std::vector<BranchNode> nodes;
    // The node limit of the settings ended the branch and bound: the answer, if there is one, is the
    // best integer solution found, not proven optimal.
    bool node_limit_reached = false;
};
