#pragma once

// What the method (solver/engine/big_m_method.h) asks of the numbers of one run,
// checked by the compiler: the arithmetic decides its number types, its elements
// and estimate parts, its thresholds and comparisons, its two passes over the table
// and what a table looks like in the report; the rules of the method decide the rest.

#include <concepts>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "solver/engine/final_table.h"
#include "solver/engine/run_types.h"
#include "solver/report/table_snapshot.h"

namespace big_m {

namespace detail {
template <class T>
inline constexpr bool kIsFinalTable = false;
template <class Number>
inline constexpr bool kIsFinalTable<FinalTable<Number>> = true;
}  // namespace detail

// What the report sinks read of a table at hand (solver/report/table_source.h).
template <class T>
concept ReportedTableau = requires(T& numbers, const T& table, std::ostream& stream, TableSnapshot& snapshot) {
    numbers.print_table(stream);
    table.fill_snapshot(snapshot);
    { table.objective_has_m_part() } -> std::same_as<bool>;
};

// Elements, M parts and plain parts are Numbers (or numerators over a positive
// denominator common to each of the three), compared against 0 and by magnitude;
// the ratio test compares Ratios.
template <class T>
concept Tableau = ReportedTableau<T> && std::regular<typename T::Ratio> && std::totally_ordered<typename T::Ratio> &&
    requires(T& numbers, const T& table, const typename T::Number& a, const typename T::Number& b,
             const typename T::Ratio& q, std::uint32_t i, std::uint32_t j, SolveOutcome& outcome,
             std::vector<std::uint32_t> initial_basis) {
    { table.element(i, j) } -> std::convertible_to<const typename T::Number&>;
    { table.m_part(j) } -> std::convertible_to<const typename T::Number&>;
    { table.plain_part(j) } -> std::convertible_to<const typename T::Number&>;
    { a < 0 } -> std::convertible_to<bool>;
    { a > 0 } -> std::convertible_to<bool>;
    { a == 0 } -> std::convertible_to<bool>;
    { a != 0 } -> std::convertible_to<bool>;
    { q == 0 } -> std::convertible_to<bool>;
    { T::below_pivot_threshold(a) } -> std::same_as<bool>;
    { T::above_pivot_threshold(a) } -> std::same_as<bool>;
    { T::ratio(a, b) } -> std::same_as<typename T::Ratio>;
    { T::magnitude_greater(a, b) } -> std::same_as<bool>;
    { T::magnitude_equal(a, b) } -> std::same_as<bool>;
    { table.element_text(i, j) } -> std::same_as<std::string>;
    { table.m_part_text(j) } -> std::same_as<std::string>;
    { table.plain_part_text(j) } -> std::same_as<std::string>;
    { table.ratio_text(q) } -> std::same_as<std::string>;
    numbers.compute_estimates();
    numbers.pivot();
    table.finish(outcome);
    requires detail::kIsFinalTable<decltype(table.final_table(initial_basis))>;
};

}  // namespace big_m
