#pragma once

// The tables a person worked out, checked cell by cell against a run in exact arithmetic. A table
// counts as right when it is the run's table or the one the method makes of the person's previous
// table (a slip carried forward is marked once); a pivot at a column or row the method does not choose
// is marked in the names of the basis, and the table that follows from it counts as right.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "problem/simplex_iteration.h"
#include "solver/check/exact_table.h"
#include "solver/check/run_tables.h"
#include "solver/check/written_tables.h"
#include "solver/engine/run_types.h"

// What a wrong cell is: the name of a basic variable, a number of a row, of an estimate row, or a whole
// table (missing or not wanted).
enum class CellPart { basis_name, element, m_part, plain_part, table };

// Texts are UTF-8; an absent one is null in JSON.
struct CheckError {
    std::size_t table = 0;  // 0: the first table of the run
    CellPart part = CellPart::element;
    std::uint32_t row_index = 0;     // 1..m for a name or an element
    std::uint32_t column_index = 0;  // 0..n for a number
    // The row as printed: the basic variable of the right table (the written one for a row too many),
    // "строка" or "о ц е н о к"; none for a whole table.
    std::optional<std::string> row;
    // "Имя" for the name of the basic variable, "X баз" for column 0, else the variable's name; none for a
    // whole table or an estimate row left out.
    std::optional<std::string> column;
    std::optional<std::string> expected;  // the right value ("p/q"), name or "таблица"; none for a cell too many
    std::optional<std::string> found;     // as written; none for a cell left out
};

enum class CheckVerdict { correct, wrong, unfinished };

struct CheckResult {
    std::vector<CheckError> errors;
    std::size_t tables_checked = 0;  // tables written
    std::size_t run_tables = 0;
    // Each written table's right table: the one it was compared with (the run's, or the one that
    // follows from the table written before it).
    std::vector<std::optional<ExactTable>> right;

    // Wrong when a table has a wrong cell; unfinished when the only fault is that tables are missing.
    CheckVerdict verdict() const;
};

CheckResult check_tables(const SimplexIteration& problem, PivotRule rule, const RunTables& run,
                         const WrittenTables& written);

// One line for people (UTF-8): "таблица 1, строка x3, столбец x2: должно быть 1/2, записано 0,4".
std::string check_error_text(const CheckError& error);
