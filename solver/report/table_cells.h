#pragma once

// One simplex table as a grid of cell texts: the one walk of a table that the
// documents (LaTeX, HTML), the window's grid and the clipboard's text render
// from, each turning the cells into its own language. Here alone are the
// headings, the labels and which cells are in the key column and row.
// Columns: "C баз", "Имя", "X баз", then the variables. Rows: the costs, the
// headings, the constraint rows, the M parts and the plain parts of the estimates (one row of
// estimates in a table without M, and the ratio row of the dual simplex method below it).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "problem/cp1251.h"
#include "solver/report/table_snapshot.h"

// Headings of the basis columns; the text report of the record writes them in
// Windows-1251 (cp1251::encoded) in its own drawer.
inline constexpr cp1251::Utf8Literal kBasisCostHeading{"C баз"};  // Latin C
inline constexpr cp1251::Utf8Literal kBasisNameHeading{"Имя"};
inline constexpr cp1251::Utf8Literal kBasisValueHeading{"X баз"};  // Latin X

// A row's label; a document may set its end, a mathematical symbol, as math.
struct TableLabel {
    std::string_view text;    // the whole label as plain text shows it
    std::string_view symbol;  // the end of `text` that is a symbol; empty for none
};
inline constexpr TableLabel kCostsLabel{"c_j", "c_j"};
inline constexpr TableLabel kEstimatesMLabel{"оценки: при M", "M"};
inline constexpr TableLabel kEstimatesPlainLabel{"оценки: числа", ""};
// The one estimate row of a table without M, phase I's that of w; the dual simplex method's ratios.
inline constexpr TableLabel kEstimatesLabel{"оценки", ""};
inline constexpr TableLabel kPhaseOneEstimatesLabel{"оценки w", "w"};
inline constexpr TableLabel kRatiosLabel{"|оценка / элемент|", ""};

// The phase of a two-phase table ("Фаза I", "Фаза II"); empty for a method without phases.
std::string phase_title(const TableLook& look);
// The end of phase I: "фаза I окончена: w = 0, переход к фазе II", and the rows dropped as redundant.
std::string phase_end_text(const TableLook& look);

enum class CellKind : std::uint8_t {
    number,      // a number of the table: a cost, an element, a value, a part of an estimate
    basis_cost,  // the cost of a row's basic variable, under "C баз"
    heading,     // a label of the head or foot: "c_j", a column's heading, a row of estimates
    basis_name,  // the name of a row's basic variable, under "Имя"
};

struct TableCell {
    std::string text;  // UTF-8; empty for a blank cell
    CellKind kind = CellKind::number;
    std::string_view symbol;  // the end of a label that is a symbol (TableLabel)
    bool key_column = false;  // in the key column of a table with a next pivot
    bool key_row = false;     // in the key row of a table with a next pivot
    bool key = false;         // the key element itself
    std::uint32_t span = 1;   // columns the cell covers (the cells it covers follow it, empty)

    bool label() const { return kind == CellKind::heading || kind == CellKind::basis_name; }
};

// The mark before a label in the key column ("↓ ") or the key row ("→ "); empty for any other cell.
std::string_view key_mark(const TableCell& cell);

struct TableCells {
    std::uint32_t columns = 0;
    std::vector<std::vector<TableCell>> rows;  // each of `columns` cells
    std::uint32_t first_constraint_row = 2;    // grid row of constraint row 1
    std::uint32_t constraint_count = 0;
    std::uint32_t estimate_rows = 2;  // the M parts and the plain parts, or one row in a table without M
    // The grid column of an explained table's ratio column (b / a of each constraint row), the last one;
    // 0 for none.
    std::uint32_t ratio_column = 0;

    // The rows below the constraint rows: the estimates (two rows, or one for a table without M),
    // then the ratio row of the dual simplex method, when there is one: all rows from here to the end.
    std::size_t first_footer_row() const { return std::size_t{first_constraint_row} + constraint_count; }
    // A big-M table's two estimate rows.
    std::size_t m_parts_row() const { return first_footer_row(); }
    std::size_t plain_parts_row() const { return m_parts_row() + 1; }
};

TableCells table_cells(const TableSnapshot& table);

// The grid columns of the basis columns and of the variables first..last: what
// a document prints of a wide table in one part.
std::vector<std::uint32_t> grid_columns(std::uint32_t first, std::uint32_t last);
// The same in `cells`, with the ratio column after the last variable's.
std::vector<std::uint32_t> grid_columns(const TableCells& cells, std::uint32_t first, std::uint32_t last);
// The cells of `row` in the grid `columns` (ascending, each spanning cell's
// columns whole): a spanning cell once, the cells it covers left out.
std::vector<const TableCell*> cells_in(const std::vector<TableCell>& row, const std::vector<std::uint32_t>& columns);

// The table as plain text: the title, the grid with columns aligned by blanks
// (the key element in brackets), the closing line.
std::string table_text_grid(const TableSnapshot& table);
