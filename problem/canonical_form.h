#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "numerics/matrix.h"
#include "problem/lp_model.h"
#include "problem/simplex_iteration.h"

// A model variable in terms of the canonical columns:
// value = offset + sign * x[column] - x[minus_column], where column 0 stands for
// no column (a fixed variable) and minus_column 0 for no second column.
struct ModelVariable {
    std::string name;  // UTF-8
    double offset = 0.0;
    double sign = 1.0;
    std::uint32_t column = 0;
    std::uint32_t minus_column = 0;
    double cost = 0.0;            // in the model's objective
    std::uint32_t bound_row = 0;  // the canonical row column <= upper - lower, if one was added
    // A fixed variable's coefficients: index into CanonicalForm::rows and value.
    std::vector<std::pair<std::uint32_t, double>> fixed_coefficients;
};

// A model row kept in the canonical form: one canonical row, or two for a range
// row (its lower bound first). Canonical row = sign * (model row - constants of
// the substitutions), and it holds the model's bound `bound`.
struct ModelRowPart {
    std::uint32_t row = 0;
    double sign = 1.0;
    double bound = 0.0;
};

struct ModelRow {
    std::string name;                 // UTF-8
    std::vector<ModelRowPart> parts;  // none for a dropped row
    // A row the canonical form left out: why (UTF-8), and its one finite bound
    // (0 for a free row) as `dropped_bound` with its relation.
    std::string dropped;
    double dropped_bound = 0.0;
    enum class Side { free, upper, lower, both } dropped_side = Side::free;
};

// A model turned into a problem record of the big-M method, with what it takes
// to tell the answer in the model's own variables.
struct CanonicalForm {
    SimplexIteration record;           // no report file yet; default print options
    double constant = 0.0;             // model objective = canonical objective + constant
    std::string exact_constant = "0";  // the same constant as an exact fraction "p/q"
    // The model marks some variables integer. Their canonical columns are record.integer_columns: a
    // shifted or mirrored variable's own column (its bound is an integer), both halves of a split free
    // variable; a binary is an integer column with its bound row <= 1.
    bool integer_marks = false;
    // Why the integer conditions cannot be carried to the columns (UTF-8): a bound of an integer variable
    // that is not an integer, so that its column would not be an integer either. Empty when they can.
    std::string integer_fault;
    std::vector<ModelVariable> variables;
    std::vector<ModelRow> rows;  // in the model's order; dropped rows have no parts
    // How the form was built, line by line, Windows-1251 without line ends.
    std::vector<std::string> construction;
    std::string model_output;  // LpModel::output, set by the loading (problem/model_loading.h)
    // The model as it was read, set by the loading: its picture needs no second reading.
    std::shared_ptr<const LpModel> source;

    // The line that closes the construction for an integer model (none without integer marks): the
    // integer columns of `run` (this form's record) when the run keeps the conditions, the note that
    // it drops them otherwise.
    std::optional<std::string> integer_line(const SimplexIteration& run, bool conditions_kept) const;

    // From a solution vector of the record (element 0 the objective value).
    double objective(const Matrix& solution) const;
    std::vector<double> variable_values(const Matrix& solution) const;
    // The answer in the model's variables, lines as `construction`, from the objective's and
    // the variables' texts (UTF-8 numbers).
    std::vector<std::string> answer(const std::string& objective, const std::vector<std::string>& values) const;
};

// A model whose canonical form the program cannot take; the message (UTF-8) says why.
class CanonicalFormError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::uint32_t kMaxCanonicalRows = 300;
inline constexpr std::uint32_t kMaxCanonicalColumns = 500;

// Builds the canonical form. Throws CanonicalFormError when it is larger than a
// problem file may be or has no constraint left, and bad_simplex with code 13 when
// a row without coefficients cannot hold.
CanonicalForm build_canonical_form(const LpModel& model);

// A name for the tables: Windows-1251, no blanks or control characters; a
// character the code page lacks becomes "_". Text that is not UTF-8 is taken as
// Windows-1251 already.
std::string table_name(const std::string& model_name);
