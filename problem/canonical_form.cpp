// The canonical form of a model: substituted columns, rows with one relation
// each and a non-negative right-hand side, then slack, surplus and artificial
// columns with a unit basis.

#include "problem/canonical_form.h"

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <set>
#include <string_view>
#include <utility>

#include "numerics/exact_number.h"
#include "problem/cp1251.h"
#include "problem/status_texts.h"

namespace {

enum class Relation { less_equal, greater_equal, equal };

std::string_view relation_text(Relation relation) {
    switch (relation) {
        case Relation::less_equal:
            return "<=";
        case Relation::greater_equal:
            return ">=";
        case Relation::equal:
            return "=";
    }
    return {};
}

Relation turned(Relation relation) {
    if (relation == Relation::less_equal) return Relation::greater_equal;
    if (relation == Relation::greater_equal) return Relation::less_equal;
    return relation;
}

// The pieces one after another, in one allocation.
std::string concat(std::initializer_list<std::string_view> pieces) {
    std::string text;
    for (const std::string_view piece : pieces) text += piece;
    return text;
}

std::string number(double x) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, x);
    return {text, result.ptr};
}

// The canonical form holds finite numbers only: a bound of 1e300 times a
// coefficient of 1e10, or two such products of opposite signs, is no number the
// tables can carry (inf - inf would even drop the row as a free one).
double finite(double x, std::string_view where) {
    if (std::isfinite(x)) return x;
    throw CanonicalFormError(concat({"в канонической форме модели получилось не конечное число (", where,
                                     "): границы или коэффициенты модели слишком велики"}));
}

std::string quoted(std::string_view name) { return concat({"«", name, "»"}); }

// A variable's constant in its substitution: its fixed value, else the bound its own column starts from.
double column_offset(const LpModel::Column& column) {
    if (column.lower == column.upper || std::isfinite(column.lower)) return column.lower;
    return std::isfinite(column.upper) ? column.upper : 0.0;
}

// The own columns a variable gets: none when fixed, two halves when free, else one.
std::uint32_t own_columns_of(const LpModel::Column& column) {
    if (column.lower == column.upper) return 0;
    return std::isfinite(column.lower) || std::isfinite(column.upper) ? 1 : 2;
}

bool has_bound_row(const LpModel::Column& column) {
    return column.lower != column.upper && std::isfinite(column.lower) && std::isfinite(column.upper);
}

// The constants the substitutions put into a row, as the model's numbers give them.
mpq_class exact_row_shift(const LpModel& model, const LpModel::Row& row) {
    mpq_class shift;
    for (const auto& [j, a] : row.coefficients) {
        const double offset = column_offset(model.columns.at(j));
        if (offset != 0.0) shift += exact_from_double(a) * exact_from_double(offset);
    }
    return shift;
}

// A row is turned round (multiplied by -1) for a negative right-hand side, and for 0 on a ">=" row.
bool turns_round(Relation relation, int exact_rhs_sign) {
    return exact_rhs_sign < 0 || (exact_rhs_sign == 0 && relation == Relation::greater_equal);
}

std::string too_large_text(std::uint64_t m, std::uint64_t n) {
    return "каноническая форма модели велика: m = " + std::to_string(m) + " ограничений и n = " + std::to_string(n) +
           " переменных, а допустимо не более m = " + std::to_string(kMaxCanonicalRows) +
           " и n = " + std::to_string(kMaxCanonicalColumns);
}

// The rows and columns of the canonical form, counted from the model before anything is built, so
// that a model far too large is refused at once. Nothing when a number in it is not finite: the
// building names it.
std::optional<std::pair<std::uint64_t, std::uint64_t>> canonical_size(const LpModel& model) {
    std::uint64_t rows = 0;
    std::uint64_t columns = 0;
    for (const LpModel::Column& column : model.columns) {
        if (!std::isfinite(column_offset(column))) return std::nullopt;
        columns += own_columns_of(column);
        if (has_bound_row(column)) {  // the bound row and its slack
            ++rows;
            ++columns;
        }
    }
    for (const LpModel::Row& row : model.rows) {
        if (!std::isfinite(row.lower) && !std::isfinite(row.upper)) continue;  // free: dropped
        bool has_columns = false;
        for (const auto& [j, a] : row.coefficients) {
            if (!std::isfinite(a)) return std::nullopt;
            if (own_columns_of(model.columns.at(j)) != 0) has_columns = true;
        }
        if (!has_columns) continue;    // dropped, or refused as inconsistent
        if (row.lower == row.upper) {  // an equation and its artificial
            ++rows;
            ++columns;
            continue;
        }
        const mpq_class shift = exact_row_shift(model, row);
        // An inequality gets its slack, and an artificial when it ends as ">=".
        const auto count = [&](Relation relation, double bound) {
            const bool turned = turns_round(relation, sgn(mpq_class(exact_from_double(bound) - shift)));
            rows += 1;
            columns += (relation == Relation::greater_equal) != turned ? 2 : 1;
        };
        if (std::isfinite(row.lower)) count(Relation::greater_equal, row.lower);
        if (std::isfinite(row.upper)) count(Relation::less_equal, row.upper);
    }
    return std::pair{rows, columns};
}

// One row of the canonical form, before its added columns.
struct CanonicalRow {
    std::string label;  // Windows-1251
    Relation relation = Relation::less_equal;
    double rhs = 0.0;
    mpq_class exact_rhs;                                         // what the model's numbers give; `rhs` is its double
    std::vector<std::pair<std::uint32_t, double>> coefficients;  // own columns, 1-based
    bool negated = false;
};

struct OwnColumn {
    std::string name;
    double cost = 0.0;
};

class Builder {
public:
    explicit Builder(const LpModel& model) : model_(model) {}

    CanonicalForm build();

private:
    void substitute_columns();
    void convert_rows();
    void add_bound_rows();
    // Returns the canonical row's number and the sign it was taken with.
    ModelRowPart add_row(std::string label, Relation relation, double rhs, mpq_class exact_rhs,
                         std::vector<std::pair<std::uint32_t, double>> coefficients);
    void mark_integer(const ModelVariable& variable, const LpModel::Column& column);
    void fill_record();
    void describe_rows(const std::vector<std::string>& added_names);

    std::uint32_t add_own_column(std::string name, double cost) {
        own_.push_back({std::move(name), cost});
        return static_cast<std::uint32_t>(own_.size());
    }
    void say(std::string_view line) { form_.construction.emplace_back(line); }

    const LpModel& model_;
    CanonicalForm form_;
    std::vector<OwnColumn> own_;
    std::vector<CanonicalRow> rows_;
    // Bound rows x' <= u - l, in column order: the column and u, l.
    struct BoundRow {
        std::uint32_t column;
        std::size_t variable;  // its index in form_.variables
        double upper, lower;
    };
    std::vector<BoundRow> bounds_;
    // The objective's constant as the model's numbers give it; form_.constant is its double.
    mpq_class exact_constant_;
    std::vector<std::uint32_t> integer_columns_;  // own columns, increasing
};

CanonicalForm Builder::build() {
    if (const auto size = canonical_size(model_)) {
        const auto [m, n] = *size;
        if (m > kMaxCanonicalRows || n > kMaxCanonicalColumns) throw CanonicalFormError(too_large_text(m, n));
    }
    if (!model_.name.empty()) say("Модель: "_cp1251.data() + table_name(model_.name));
    say(model_.maximize ? "Цель: максимум"_cp1251 : "Цель: минимум"_cp1251);
    form_.constant = model_.constant;
    exact_constant_ = exact_from_double(model_.constant);
    substitute_columns();
    convert_rows();
    add_bound_rows();
    finite(form_.constant, "постоянная целевой функции");
    form_.exact_constant = fraction_text(exact_constant_);
    fill_record();
    return std::move(form_);
}

void Builder::substitute_columns() {
    say("Переменные:"_cp1251);
    for (const LpModel::Column& column : model_.columns) {
        const std::string name = table_name(column.name);
        ModelVariable variable;
        variable.name = cp1251::from_utf8(column.name) ? column.name : cp1251::to_utf8(column.name);
        variable.cost = column.cost;
        const double l = column.lower;
        const double u = column.upper;
        const std::string where = "переменная " + quoted(variable.name);
        finite(column.cost, where);
        variable.offset = column_offset(column);
        std::string line = "  " + name + ": ";
        if (column.integer) form_.integer_marks = true;
        // The shift a bound puts into the objective, in doubles and exactly.
        const auto add_to_constant = [&](double bound) {
            form_.constant = finite(form_.constant + column.cost * bound, where);
            exact_constant_ += exact_from_double(column.cost) * exact_from_double(bound);
        };
        if (l == u) {
            add_to_constant(l);
            line += "закреплена, "_cp1251.data() + name + " = " + number(l);
        } else if (std::isfinite(l)) {
            const bool shifted = l != 0.0;
            const std::string own = shifted ? name + "'" : name;
            variable.column = add_own_column(own, column.cost);
            add_to_constant(l);
            line += shifted ? concat({name, " = ", number(l), " + ", own, ", ", own, " >= 0"}) : name + " >= 0";
            if (has_bound_row(column)) {
                finite(u - l, where);
                bounds_.push_back({variable.column, form_.variables.size(), u, l});
                line += ", " + own + " <= " + number(u - l) + " (добавлена строка)"_cp1251.data();
            }
        } else if (std::isfinite(u)) {
            const std::string own = name + "'";
            variable.sign = -1.0;
            variable.column = add_own_column(own, 0.0 - column.cost);  // never -0
            add_to_constant(u);
            line += concat({name, " = ", number(u), " - ", own, ", ", own, " >= 0"});
        } else {
            variable.column = add_own_column(name + "+", column.cost);
            variable.minus_column = add_own_column(name + "-", 0.0 - column.cost);
            line += concat(
                {"свободная, "_cp1251, name, " = ", name, "+ - ", name, "-, ", name, "+ >= 0, ", name, "- >= 0"});
        }
        say(line);
        if (column.integer) mark_integer(variable, column);
        form_.variables.push_back(std::move(variable));
    }
}

// The own columns of an integer variable are integers when the constant of its substitution is one;
// a fixed variable has no column, but its value must be an integer all the same.
void Builder::mark_integer(const ModelVariable& variable, const LpModel::Column& column) {
    const auto integral = [](double x) { return !std::isfinite(x) || std::floor(x) == x; };
    for (const double bound : {column.lower, column.upper}) {
        if (integral(bound) || !form_.integer_fault.empty()) continue;
        form_.integer_fault = concat({"у целочисленной переменной ", quoted(variable.name), " нецелая граница ",
                                      number(bound), ": округлите её до целого"});
    }
    if (variable.column != 0) integer_columns_.push_back(variable.column);
    if (variable.minus_column != 0) integer_columns_.push_back(variable.minus_column);
}

void Builder::convert_rows() {
    for (const LpModel::Row& row : model_.rows) {
        const std::string label = table_name(row.name);
        const std::string where =
            "строка " + quoted(cp1251::from_utf8(row.name) ? row.name : cp1251::to_utf8(row.name));
        double shift = 0.0;  // the constants the substitutions put into the row
        std::vector<std::pair<std::uint32_t, double>> coefficients;
        for (const auto& [j, a] : row.coefficients) {
            const ModelVariable& variable = form_.variables.at(j);
            shift = finite(shift + finite(a * variable.offset, where), where);
            if (variable.column != 0) coefficients.emplace_back(variable.column, a * variable.sign);
            if (variable.minus_column != 0) coefficients.emplace_back(variable.minus_column, -a);
        }
        // An infinite bound stays infinite; a finite one must stay finite.
        const double lower = std::isfinite(row.lower) ? finite(row.lower - shift, where) : row.lower;
        const double upper = std::isfinite(row.upper) ? finite(row.upper - shift, where) : row.upper;
        const mpq_class exact_shift = exact_row_shift(model_, row);
        const auto exact_bound = [&exact_shift](double bound) {
            return std::isfinite(bound) ? mpq_class(exact_from_double(bound) - exact_shift) : mpq_class();
        };
        const mpq_class exact_lower = exact_bound(row.lower);
        const mpq_class exact_upper = exact_bound(row.upper);
        ModelRow kept;
        kept.name = cp1251::from_utf8(row.name) ? row.name : cp1251::to_utf8(row.name);
        const auto drop = [&](std::string_view why) {
            kept.dropped = why;
            if (std::isfinite(row.lower) && std::isfinite(row.upper)) {
                kept.dropped_side = ModelRow::Side::both;
                kept.dropped_bound = row.upper;
            } else if (std::isfinite(row.upper)) {
                kept.dropped_side = ModelRow::Side::upper;
                kept.dropped_bound = row.upper;
            } else if (std::isfinite(row.lower)) {
                kept.dropped_side = ModelRow::Side::lower;
                kept.dropped_bound = row.lower;
            }
            form_.rows.push_back(std::move(kept));
        };
        if (!std::isfinite(lower) && !std::isfinite(upper)) {
            say("  "_cp1251.data() + label + ": свободная строка, отброшена"_cp1251.data());
            drop("свободная строка");
            continue;
        }
        if (coefficients.empty()) {
            if ((std::isfinite(lower) && sgn(exact_lower) > 0) || (std::isfinite(upper) && sgn(exact_upper) < 0)) {
                SimplexIteration::bad_simplex infeasible;
                infeasible.add(kInconsistent);
                throw infeasible;
            }
            say("  "_cp1251.data() + label + ": строка без коэффициентов, отброшена"_cp1251.data());
            drop("строка без коэффициентов");
            continue;
        }
        const auto with_bound = [](ModelRowPart part, double bound) {
            part.bound = bound;
            return part;
        };
        if (row.lower == row.upper) {
            kept.parts.push_back(
                with_bound(add_row(label, Relation::equal, lower, exact_lower, coefficients), row.lower));
        } else {
            if (std::isfinite(lower)) {
                kept.parts.push_back(
                    with_bound(add_row(label, Relation::greater_equal, lower, exact_lower, coefficients), row.lower));
            }
            if (std::isfinite(upper)) {
                kept.parts.push_back(
                    with_bound(add_row(label, Relation::less_equal, upper, exact_upper, coefficients), row.upper));
            }
        }
        const auto index = static_cast<std::uint32_t>(form_.rows.size());
        for (const auto& [j, a] : row.coefficients) {
            ModelVariable& variable = form_.variables.at(j);
            if (variable.column == 0 && variable.minus_column == 0) variable.fixed_coefficients.emplace_back(index, a);
        }
        form_.rows.push_back(std::move(kept));
    }
}

void Builder::add_bound_rows() {
    for (const auto& [column, variable, upper, lower] : bounds_) {
        const ModelRowPart part =
            add_row("граница "_cp1251.data() + own_[column - 1].name, Relation::less_equal, upper - lower,
                    exact_from_double(upper) - exact_from_double(lower), {{column, 1.0}});
        form_.variables[variable].bound_row = part.row;
    }
}

// A negative right-hand side, and 0 on a ">=" row, turn the row round. The exact
// value decides: a shift the doubles round can leave a residue on what is 0, or
// the wrong sign on what is nearly 0; then the double is the exact value's own.
ModelRowPart Builder::add_row(std::string label, Relation relation, double rhs, mpq_class exact_rhs,
                              std::vector<std::pair<std::uint32_t, double>> coefficients) {
    if ((rhs > 0.0 ? 1 : rhs < 0.0 ? -1 : 0) != sgn(exact_rhs)) rhs = exact_rhs.get_d();
    CanonicalRow row{std::move(label), relation, rhs, std::move(exact_rhs), std::move(coefficients), false};
    if (turns_round(relation, sgn(row.exact_rhs))) {
        row.negated = true;
        row.relation = turned(relation);
        row.rhs = 0.0 - rhs;
        row.exact_rhs = -row.exact_rhs;
        for (auto& entry : row.coefficients) entry.second = -entry.second;
    }
    if (row.rhs == 0.0) row.rhs = 0.0;  // no -0 in the tables
    const double sign = row.negated ? -1.0 : 1.0;
    rows_.push_back(std::move(row));
    return {static_cast<std::uint32_t>(rows_.size()), sign, 0.0};
}

void Builder::fill_record() {
    const auto m = static_cast<std::uint32_t>(rows_.size());
    std::uint32_t slacks = 0;
    std::uint32_t artificials = 0;
    for (const CanonicalRow& row : rows_) {
        if (row.relation != Relation::equal) ++slacks;
        if (row.relation != Relation::less_equal) ++artificials;
    }
    const auto own = static_cast<std::uint32_t>(own_.size());
    const std::uint32_t n = own + slacks + artificials;
    if (m > kMaxCanonicalRows || n > kMaxCanonicalColumns) throw CanonicalFormError(too_large_text(m, n));
    if (m == 0) throw CanonicalFormError("в канонической форме модели не осталось ни одного ограничения");

    SimplexIteration& record = form_.record;
    record.aim = model_.maximize ? 1 : 2;
    record.table.resize(m + 1, n + 1);
    record.estimates.resize(2, n + 1);
    record.basis.assign(m + 1, 0);
    record.col_widths = ColumnWidths(n);
    record.base_vars = static_cast<std::int32_t>(own + slacks);
    record.stop = static_cast<std::int32_t>(50 * (m + 1));
    // A problem file keeps at most 78 bytes of a name.
    if (!model_.name.empty()) record.name = table_name(model_.name).substr(0, 78);

    std::vector<std::string> names(n + 1);
    std::set<std::string> taken;
    const auto unique = [&taken](std::string name) {
        while (!taken.insert(name).second) name += '_';
        return name;
    };
    for (std::uint32_t j = 1; j <= own; ++j) {
        names[j] = unique(own_[j - 1].name);
        record.table(0, j) = own_[j - 1].cost;
    }
    std::uint32_t next_slack = own + 1;
    std::uint32_t next_artificial = own + slacks + 1;
    const double penalty = model_.maximize ? -BIG_M : BIG_M;
    std::vector<std::string> added(m + 1);  // the added columns of each row, for the description
    record.exact_rhs.assign(m + 1, "0");
    for (std::uint32_t i = 1; i <= m; ++i) {
        const CanonicalRow& row = rows_[i - 1];
        record.table(i, 0) = row.rhs;
        record.exact_rhs[i] = fraction_text(row.exact_rhs);
        for (const auto& [j, a] : row.coefficients) record.table(i, j) = a;
        // The first table as textbooks build it: the slack of a "<=" row, the
        // artificial of any other row is its basic variable; own columns never start basic.
        if (row.relation != Relation::equal) {
            const std::uint32_t j = next_slack++;
            names[j] = unique("s" + std::to_string(i));
            record.table(i, j) = row.relation == Relation::less_equal ? 1.0 : -1.0;
            added[i] = names[j];
            if (row.relation == Relation::less_equal) record.basis[i] = j;
        }
        if (row.relation != Relation::less_equal) {
            const std::uint32_t j = next_artificial++;
            names[j] = unique("a" + std::to_string(i));
            record.table(i, j) = 1.0;
            record.table(0, j) = penalty;
            added[i] += (added[i].empty() ? "" : ", ") + names[j];
            record.basis[i] = j;
        }
    }
    record.integer_columns = integer_columns_;
    record.twin_columns.assign(n + 1, 0);
    for (const ModelVariable& variable : form_.variables) {
        if (variable.minus_column == 0) continue;
        record.twin_columns[variable.column] = variable.minus_column;
        record.twin_columns[variable.minus_column] = variable.column;
    }
    record.var_names = std::move(names);
    record.compute_col_widths();
    describe_rows(added);
}

void Builder::describe_rows(const std::vector<std::string>& added_names) {
    say("Ограничения:"_cp1251);
    for (std::size_t i = 1; i <= rows_.size(); ++i) {
        const CanonicalRow& row = rows_[i - 1];
        std::string line = "  " + std::to_string(i) + ". " + row.label + ": ";
        if (row.negated) {
            line += std::string(relation_text(turned(row.relation))) + " " + number(row.rhs == 0.0 ? 0.0 : -row.rhs) +
                    ", умножена на -1: "_cp1251.data();
        }
        line += std::string(relation_text(row.relation)) + " " + number(row.rhs) + ", получила "_cp1251.data() +
                added_names[i];
        say(line);
    }
    const SimplexIteration& record = form_.record;
    say("Постоянная целевой функции: "_cp1251.data() + number(form_.constant));
    std::string columns = "Столбцы:"_cp1251.data();
    for (std::uint32_t j = 1; j <= record.variable_count(); ++j) columns += " " + (*record.var_names)[j];
    say(columns);
    say("База: "_cp1251.data() + std::to_string(record.base_vars) +
        " (свои столбцы, дополнительные и избыточные)"_cp1251.data());
}

}  // namespace

CanonicalForm build_canonical_form(const LpModel& model) { return Builder(model).build(); }

std::string table_name(const std::string& model_name) {
    std::string name;
    if (const auto converted = cp1251::from_utf8(model_name)) {
        name = *converted;
    } else {
        std::size_t pos = 0;
        name = model_name;
        // Valid UTF-8 with a character outside the code page: convert character by character.
        bool utf8 = true;
        std::string out;
        while (pos < model_name.size()) {
            const auto cp = cp1251::next_code_point(model_name, pos);
            if (!cp) {
                utf8 = false;
                break;
            }
            const auto byte = cp1251::encode_code_point(*cp);
            out += byte ? static_cast<char>(*byte) : '_';
        }
        if (utf8) name = out;
    }
    for (char& c : name) {
        if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F) c = '_';
    }
    return name.empty() ? std::string("_") : name;
}

std::optional<std::string> CanonicalForm::integer_line(const SimplexIteration& run, bool conditions_kept) const {
    if (!integer_marks) return std::nullopt;
    if (!conditions_kept) return std::string("Условия целочисленности не учитываются: решается задача без них"_cp1251);
    std::string line = "Целочисленные столбцы:"_cp1251.data();
    for (const std::uint32_t j : run.integer_columns)
        line += " " + (run.var_names ? (*run.var_names)[j] : "x" + std::to_string(j));
    if (run.integer_columns.empty()) line += " нет"_cp1251.data();
    return line;
}

double CanonicalForm::objective(const Matrix& solution) const { return solution(0, 0) + constant; }

std::vector<double> CanonicalForm::variable_values(const Matrix& solution) const {
    std::vector<double> values;
    values.reserve(variables.size());
    for (const ModelVariable& variable : variables) {
        double value = variable.offset;
        if (variable.column != 0) value += variable.sign * solution(variable.column, 0);
        if (variable.minus_column != 0) value -= solution(variable.minus_column, 0);
        values.push_back(value);
    }
    return values;
}

std::vector<std::string> CanonicalForm::answer(const std::string& objective,
                                               const std::vector<std::string>& values) const {
    std::vector<std::string> lines;
    lines.push_back("Ответ в переменных модели:"_cp1251.data());
    lines.push_back("  Значение целевой функции: "_cp1251.data() + objective);
    for (std::size_t k = 0; k < variables.size() && k < values.size(); ++k) {
        lines.push_back("  " + table_name(variables[k].name) + " = " + values[k]);
    }
    return lines;
}
