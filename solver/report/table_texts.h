#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "problem/simplex_iteration.h"

// The cell texts of one table, for an arithmetic whose numbers the report
// shows as given texts rather than in fixed notation.
struct TableTexts {
    std::vector<std::string> costs;        // columns 0..n (entry 0 unused); "M" and "-M" for M costs
    std::vector<std::string> elements;     // rows 1..m, columns 0..n, row after row
    std::vector<std::string> m_parts;      // columns 0..n; empty where 0 (a blank cell)
    std::vector<std::string> plain_parts;  // columns 0..n
};

// Draws the record's current table as print_table does, with these texts in
// its number cells; col_widths must already be wide enough for them.
std::ostream& print_text_table(SimplexIteration& record, const TableTexts& texts, std::ostream& stream);
