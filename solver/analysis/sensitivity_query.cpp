#include "solver/analysis/sensitivity_query.h"

#include <limits>
#include <string>
#include <utility>

#include "problem/cp1251.h"
#include "solver/engine/big_m_method.h"

SensitivityQuery problem_file_query(const SimplexIteration& problem) {
    SensitivityQuery query;
    for (std::uint32_t i = 1; i <= problem.constraint_count(); ++i) {
        SensitivityQuery::Row row;
        row.name = std::to_string(i);
        row.parts = {{i, 1.0, problem.table(i, 0)}};
        query.rows.push_back(std::move(row));
    }
    // Columns above k are artificial, and so is every column of an M cost.
    const std::uint32_t k = big_m::own_variable_count(problem);
    for (std::uint32_t j = 1; j <= problem.variable_count(); ++j) {
        const double cost = problem.table(0, j);
        if ((k != 0 && j > k) || big_m::is_m_cost(cost)) continue;
        SensitivityQuery::Variable variable;
        variable.name = problem.var_names && j < problem.var_names->size() ? cp1251::to_utf8((*problem.var_names)[j])
                                                                           : "x" + std::to_string(j);
        variable.columns = {{j, 1.0}};
        variable.reduced_columns = {{j, 1.0}};
        variable.cost = cost;
        variable.cost_moves = {{j, 1.0}};
        query.variables.push_back(std::move(variable));
    }
    return query;
}

SensitivityQuery model_query(const CanonicalForm& model) {
    SensitivityQuery query;
    for (const ModelRow& row : model.rows) {
        SensitivityQuery::Row asked;
        asked.name = row.name;
        if (!row.dropped.empty()) {
            // An empty row holds 0: it holds for every right-hand side on its side of 0.
            constexpr double kInfinity = std::numeric_limits<double>::infinity();
            asked.dropped = row.dropped;
            asked.dropped_rhs = row.dropped_bound;
            asked.dropped_low = -kInfinity;
            asked.dropped_high = kInfinity;
            if (row.dropped_side == ModelRow::Side::upper || row.dropped_side == ModelRow::Side::both) {
                asked.dropped_low = 0.0;
            }
            if (row.dropped_side == ModelRow::Side::lower) asked.dropped_high = 0.0;
        }
        for (const ModelRowPart& part : row.parts) asked.parts.push_back({part.row, part.sign, part.bound});
        query.rows.push_back(std::move(asked));
    }
    for (const ModelVariable& variable : model.variables) {
        SensitivityQuery::Variable asked;
        asked.name = variable.name;
        asked.offset = variable.offset;
        asked.cost = variable.cost;
        if (variable.column != 0) {
            asked.columns.push_back({variable.column, variable.sign});
            asked.reduced_columns.push_back({variable.column, variable.sign});
            asked.cost_moves.push_back({variable.column, variable.sign});
        }
        if (variable.minus_column != 0) {
            query.unsigned_columns.push_back(variable.column);
            query.unsigned_columns.push_back(variable.minus_column);
            asked.columns.push_back({variable.minus_column, -1.0});
            asked.cost_moves.push_back({variable.minus_column, -1.0});
        }
        // At its upper bound the variable's rate is the bound row's dual.
        if (variable.bound_row != 0) asked.reduced_rows.push_back({variable.bound_row, variable.sign});
        // A fixed variable: its cost less what its coefficients take from the rows' duals.
        if (variable.column == 0 && variable.minus_column == 0) asked.base_reduced_cost = variable.cost;
        for (const auto& [index, a] : variable.fixed_coefficients) {
            for (const ModelRowPart& part : model.rows.at(index).parts) {
                asked.reduced_rows.push_back({part.row, -a * part.sign});
            }
        }
        query.variables.push_back(std::move(asked));
    }
    return query;
}
