#pragma once

// What every variant of a set has in common: its size, its sense, the kinds of its rows, whether it
// needs artificial variables, how many pivots its optimum takes and the form of its numbers; or the
// structure of a problem it is modelled on.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The relation of a constraint row: "<=" gets a slack, ">=" a surplus and an artificial variable,
// "=" an artificial variable.
enum class RowKind : std::uint8_t { less_equal, greater_equal, equal };

// "<=", ">=", "=" (the sheet's ≤ and ≥ are the documents' own).
std::string_view row_kind_sign(RowKind kind);
// A list of kinds as the command line gives it: "le,ge,eq" (or "<=", ">=", "="), comma-separated.
std::optional<std::vector<RowKind>> row_kinds_named(std::string_view text);

// A problem the variants keep the structure of: its sense, its rows' kinds in order, and which of its
// coefficients are non-zero (the variants draw new numbers there and keep zeros as zeros).
struct VariantTemplate {
    bool maximize = true;
    std::vector<RowKind> rows;
    std::vector<std::vector<bool>> nonzero;  // rows x own columns
};

inline constexpr std::uint32_t kMaxVariantRows = 8;
inline constexpr std::uint32_t kMaxVariantColumns = 10;
inline constexpr std::uint32_t kMaxVariantCount = 999;
inline constexpr std::uint32_t kMaxVariantIterations = 12;

struct VariantShape {
    std::uint32_t rows = 2;     // m
    std::uint32_t columns = 3;  // the problem's own variables
    bool maximize = true;
    // The kinds that appear, each in at least one row when there are rows enough.
    std::vector<RowKind> kinds{RowKind::less_equal};
    // Whether some row needs an artificial variable; none: as the kinds give it.
    std::optional<bool> artificial;
    std::optional<std::uint32_t> iterations;  // pivots to the optimum; none: one per row
    bool halves = false;                      // numbers with one decimal (multiples of 0.5), else integers
    std::optional<VariantTemplate> model;     // rows, sense and zeros fixed by a problem

    std::uint32_t pivots() const { return iterations.value_or(rows); }
};

// Why no variant can have the shape (UTF-8, Russian); none when it can.
std::optional<std::string> shape_refusal(const VariantShape& shape);
