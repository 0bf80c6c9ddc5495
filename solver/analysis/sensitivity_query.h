#pragma once

// What the sensitivity analysis reports, in terms of the canonical table: each
// row or variable people know is a weighted sum over canonical rows and
// columns. A problem file asks for its rows and own columns as they are; a
// model for its rows and variables, mapped back through its canonical form.

#include <cstdint>
#include <string>
#include <vector>

#include "problem/canonical_form.h"
#include "problem/simplex_iteration.h"

struct SensitivityTerm {
    std::uint32_t index = 0;  // a canonical row (1..m) or column (1..n)
    double weight = 1.0;
};

struct SensitivityQuery {
    // A canonical row of a row people see: canonical row = weight * (their row), and
    // it holds their right-hand side rhs.
    struct RowPart {
        std::uint32_t index = 0;
        double weight = 1.0;
        double rhs = 0.0;
    };
    struct Row {
        std::string name;  // UTF-8
        // One part, or two for a range row: the dual sums theirs; the right-hand side
        // that moves is the first part with a dual other than 0 (else the first part).
        std::vector<RowPart> parts;
        // A row the canonical form left out (no parts): why, and the right-hand sides it
        // holds for: its dual is 0 wherever it holds at all.
        std::string dropped;
        double dropped_rhs = 0.0;
        double dropped_low = 0.0, dropped_high = 0.0;  // may be infinite
    };
    struct Variable {
        std::string name;  // UTF-8
        double offset = 0.0;
        std::vector<SensitivityTerm> columns;  // value = offset + sum of weight * column's value
        // Reduced cost = base_reduced_cost + sum of weight * reduced cost of column
        // + sum of weight * dual of canonical row.
        double base_reduced_cost = 0.0;
        std::vector<SensitivityTerm> reduced_columns;
        std::vector<SensitivityTerm> reduced_rows;
        double cost = 0.0;
        std::vector<SensitivityTerm> cost_moves;  // a unit increase of cost adds weight to column's cost
    };
    std::vector<Row> rows;
    std::vector<Variable> variables;
    // Halves of a split free variable: having no sign of their own in the model, a
    // basic half may pass 0 without the model's basis changing.
    std::vector<std::uint32_t> unsigned_columns;
};

// The rows by number and the columns that are not artificial, by name.
SensitivityQuery problem_file_query(const SimplexIteration& problem);

// The model's rows and variables by name, in their own orientation.
SensitivityQuery model_query(const CanonicalForm& model);
