#pragma once

// Problems for a class: each student a variant of one shape, with small numbers, one optimum
// reached in the asked number of pivots without a degenerate step, and an answer in simple fractions.
// Every candidate is solved by the engine itself (exact arithmetic, and the default run once more to
// see that it takes the same pivots); the search is bounded.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "problem/simplex_iteration.h"
#include "problem/variant_file_names.h"
#include "solver/engine/run_types.h"
#include "solver/report/table_snapshot.h"
#include "solver/variants/variant_shape.h"

// A variant's numbers as the student sees them: each a count of halves (the value times 2), so that
// integers and numbers with one decimal are the same kind of thing.
struct VariantData {
    bool maximize = true;
    std::vector<RowKind> kinds;                   // one per row
    std::vector<std::int32_t> costs;              // own columns
    std::vector<std::vector<std::int32_t>> rows;  // rows x own columns
    std::vector<std::int32_t> rhs;
};

struct Variant {
    std::uint32_t number = 0;  // from 1
    std::string file;          // its problem file's name, variant_file_name()
    VariantData data;
    SimplexIteration problem;           // its canonical table, as its problem file reads back
    std::vector<TableSnapshot> tables;  // the exact run's first and final tables
    SolveOutcome outcome;               // of the exact run
};

// The text of a number given in halves: "3", "-2", "1.5".
std::string halves_text(std::int32_t halves);

// The canonical table of the data (slack and surplus columns after the own ones, then the artificial
// ones), named `name` (Windows-1251) with the report file `report`.
SimplexIteration variant_problem(const VariantData& data, const std::string& name, const std::string& report);

// Variant `number` of `count` made of `data` when it meets the shape; none when it does not.
std::optional<Variant> checked_variant(const VariantData& data, const VariantShape& shape, std::uint32_t number,
                                       std::uint32_t count);

// Candidates drawn for one variant before the search gives up.
inline constexpr std::uint32_t kVariantTries = 20000;

struct VariantsFailure {
    std::string message;  // UTF-8, Russian
};

// `count` variants of the shape from the seed: the same variants for the same seed, shape and count
// on every machine. `progress` is told each variant made and may stop the search (returning false).
std::variant<std::vector<Variant>, VariantsFailure> make_variants(
    const VariantShape& shape, std::uint32_t count, std::uint64_t seed,
    const std::function<bool(std::uint32_t made)>& progress = {});
