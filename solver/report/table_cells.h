#pragma once

// One simplex table as a grid of cell texts, for the places that lay a table
// out in rows and columns themselves (a window's grid, the clipboard's text).
// Columns: "C баз", "Имя", "X баз", then the variables. Rows: the costs, the
// headings, the constraint rows, the M parts and the plain parts of the estimates.

#include <cstdint>
#include <string>
#include <vector>

#include "solver/report/table_snapshot.h"

// Labels of the two rows of estimates.
inline constexpr std::string_view kEstimatesMLabel = "оценки: при M";
inline constexpr std::string_view kEstimatesPlainLabel = "оценки: числа";

struct TableCell {
    std::string text;         // UTF-8
    bool label = false;       // a heading or a row's label, not a number
    bool key_column = false;  // in the key column of a table with a next pivot
    bool key_row = false;     // in the key row of a table with a next pivot
    bool key = false;         // the key element itself
    std::uint32_t span = 1;   // columns the cell covers (the cells it covers follow it, empty)
};

struct TableCells {
    std::uint32_t columns = 0;
    std::vector<std::vector<TableCell>> rows;  // each of `columns` cells
    std::uint32_t first_constraint_row = 2;    // grid row of constraint row 1
};

TableCells table_cells(const TableSnapshot& table);

// The table as plain text: the title, the grid with columns aligned by blanks
// (the key element in brackets), the closing line.
std::string table_text_grid(const TableSnapshot& table);
