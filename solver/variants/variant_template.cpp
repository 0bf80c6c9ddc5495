#include "solver/variants/variant_template.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

using Result = std::variant<VariantTemplate, std::string>;

Result of_model(const LpModel& model) {
    VariantTemplate shape;
    shape.maximize = model.maximize;
    for (const LpModel::Column& column : model.columns) {
        if (column.lower != 0.0 || column.upper != LpModel::kInfinity) {
            return "образец: переменная " + column.name + " должна быть неотрицательной и без верхней границы";
        }
    }
    for (const LpModel::Row& row : model.rows) {
        const bool below = std::isfinite(row.upper);
        const bool above = std::isfinite(row.lower);
        if (below && above && row.lower != row.upper) return "образец: строка " + row.name + " с двумя границами";
        if (!below && !above) return "образец: строка " + row.name + " без границ";
        shape.rows.push_back(below && above ? RowKind::equal : below ? RowKind::less_equal : RowKind::greater_equal);
        std::vector<bool> nonzero(model.columns.size(), false);
        for (const auto& [column, value] : row.coefficients) {
            if (value != 0.0) nonzero.at(column) = true;
        }
        shape.nonzero.push_back(std::move(nonzero));
    }
    return shape;
}

// Of a problem file's starting table: which columns are its own and what each row's relation is.
Result of_problem_file(const SimplexIteration& record) {
    const std::uint32_t m = record.constraint_count();
    const std::uint32_t n = record.variable_count();
    const auto artificial = [&](std::uint32_t j) {
        return std::fabs(record.table(0, j)) == BIG_M || (record.base_vars > 0 && j > std::uint32_t(record.base_vars));
    };
    // A slack or surplus: no cost and one non-zero entry, +1 or -1; its row, 0 for none.
    const auto slack_row = [&](std::uint32_t j) -> std::uint32_t {
        if (record.table(0, j) != 0.0) return 0;
        std::uint32_t row = 0;
        for (std::uint32_t i = 1; i <= m; ++i) {
            const double a = record.table(i, j);
            if (a == 0.0) continue;
            if (row != 0 || std::fabs(a) != 1.0) return 0;
            row = i;
        }
        return row;
    };
    std::vector<std::uint32_t> own;
    std::vector<int> slack_sign(m + 1, 0);
    std::vector<bool> has_artificial(m + 1, false);
    for (std::uint32_t j = 1; j <= n; ++j) {
        if (artificial(j)) {
            for (std::uint32_t i = 1; i <= m; ++i) {
                if (record.table(i, j) != 0.0) has_artificial[i] = true;
            }
        } else if (const std::uint32_t i = slack_row(j); i != 0 && slack_sign[i] == 0) {
            slack_sign[i] = record.table(i, j) > 0 ? 1 : -1;
        } else {
            own.push_back(j);
        }
    }
    VariantTemplate shape;
    shape.maximize = record.aim == 1;
    for (std::uint32_t i = 1; i <= m; ++i) {
        if (has_artificial[i]) {
            shape.rows.push_back(slack_sign[i] < 0 ? RowKind::greater_equal : RowKind::equal);
        } else if (slack_sign[i] > 0) {
            shape.rows.push_back(RowKind::less_equal);
        } else {
            return "образец: в строке " + std::to_string(i) + " нет ни дополнительной, ни искусственной переменной";
        }
        std::vector<bool> nonzero;
        nonzero.reserve(own.size());
        for (const std::uint32_t j : own) nonzero.push_back(record.table(i, j) != 0.0);
        shape.nonzero.push_back(std::move(nonzero));
    }
    if (own.empty()) return std::string("образец: у задачи нет собственных переменных");
    return shape;
}

}  // namespace

std::variant<VariantTemplate, std::string> variant_template(const LoadedProblem& loaded) {
    Result result =
        loaded.model && loaded.model->source ? of_model(*loaded.model->source) : of_problem_file(loaded.record);
    if (const auto* shape = std::get_if<VariantTemplate>(&result)) {
        if (shape->rows.empty() || shape->rows.size() > kMaxVariantRows ||
            shape->nonzero.front().size() > kMaxVariantColumns) {
            return "образец: вариант может иметь от 1 до " + std::to_string(kMaxVariantRows) + " строк и до " +
                   std::to_string(kMaxVariantColumns) + " переменных";
        }
        for (const auto& row : shape->nonzero) {
            bool any = false;
            for (const bool nonzero : row) any = any || nonzero;
            if (!any) return std::string("образец: строка без коэффициентов");
        }
    }
    return result;
}
