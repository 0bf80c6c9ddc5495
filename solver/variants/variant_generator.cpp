#include "solver/variants/variant_generator.h"

#include <gmpxx.h>

#include <algorithm>
#include <set>
#include <utility>

#include "problem/cp1251.h"
#include "problem/problem_file_writer.h"
#include "solver/engine/run_observer.h"
#include "solver/report/report_frame.h"
#include "solver/session/run_with_report.h"
#include "solver/session/table_recorder.h"
#include "solver/variants/seeded_random.h"

namespace {

// The largest denominator of a fraction in the answer.
constexpr unsigned long kLargestDenominator = 12;  // mpz_class compares with unsigned long

// Ranges of the drawn numbers, in whole units: small enough to work by hand.
constexpr std::int64_t kLargestCoefficient = 6;
constexpr std::int64_t kLeastRhs = 4;
constexpr std::int64_t kLargestRhs = 30;
constexpr std::int64_t kLargestCost = 9;

std::string utf8_to_cp1251(const std::string& text) { return cp1251::from_utf8(text).value_or(text); }

// A number in halves: a whole number from low to high, or in halves mode any multiple of 0.5 there.
std::int32_t draw(SeededRandom& random, std::int64_t low, std::int64_t high, bool halves) {
    if (halves) return static_cast<std::int32_t>(random.between(2 * low, 2 * high));
    return static_cast<std::int32_t>(2 * random.between(low, high));
}

std::vector<RowKind> draw_kinds(SeededRandom& random, const VariantShape& shape) {
    if (shape.model) return shape.model->rows;
    if (shape.artificial && !*shape.artificial) return std::vector<RowKind>(shape.rows, RowKind::less_equal);
    std::vector<RowKind> kinds(shape.rows);
    for (RowKind& kind : kinds) kind = shape.kinds.at(random.below(shape.kinds.size()));
    // Each asked kind in a row of its own, when there are rows enough: a shuffle of the rows' places.
    if (shape.kinds.size() <= shape.rows) {
        std::vector<std::uint32_t> places(shape.rows);
        for (std::uint32_t i = 0; i < shape.rows; ++i) places[i] = i;
        for (std::uint32_t i = shape.rows - 1; i > 0; --i) std::swap(places[i], places[random.below(i + 1)]);
        for (std::size_t k = 0; k < shape.kinds.size(); ++k) kinds[places[k]] = shape.kinds[k];
    }
    if (shape.artificial && *shape.artificial &&
        std::all_of(kinds.begin(), kinds.end(), [](RowKind kind) { return kind == RowKind::less_equal; })) {
        const auto artificial = std::find_if(shape.kinds.begin(), shape.kinds.end(),
                                             [](RowKind kind) { return kind != RowKind::less_equal; });
        kinds[random.below(shape.rows)] = *artificial;
    }
    return kinds;
}

VariantData draw_data(SeededRandom& random, const VariantShape& shape) {
    VariantData data;
    data.maximize = shape.model ? shape.model->maximize : shape.maximize;
    data.kinds = draw_kinds(random, shape);
    const std::uint32_t m = shape.rows;
    const std::uint32_t n = shape.columns;
    data.rows.assign(m, std::vector<std::int32_t>(n, 0));
    // Every row and every column holds a non-zero coefficient (a template has its own zeros).
    do {
        for (std::uint32_t i = 0; i < m; ++i) {
            for (std::uint32_t j = 0; j < n; ++j) {
                const bool nonzero = shape.model ? shape.model->nonzero[i][j] : !random.chance(1, 4);
                data.rows[i][j] = nonzero ? draw(random, 1, kLargestCoefficient, shape.halves) : 0;
            }
        }
    } while (!shape.model && std::any_of(data.rows.begin(), data.rows.end(), [](const auto& row) {
        return std::all_of(row.begin(), row.end(), [](std::int32_t a) { return a == 0; });
    }));
    data.rhs.resize(m);
    for (std::int32_t& b : data.rhs) b = draw(random, kLeastRhs, kLargestRhs, shape.halves);
    data.costs.resize(n);
    for (std::int32_t& c : data.costs) c = draw(random, 1, kLargestCost, shape.halves);
    return data;
}

// The data written so that two variants alike up to the order of their rows give the same text.
std::string likeness_key(const VariantData& data) {
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < data.rows.size(); ++i) {
        std::string row(row_kind_sign(data.kinds[i]));
        row += " " + std::to_string(data.rhs[i]);
        for (const std::int32_t a : data.rows[i]) row += " " + std::to_string(a);
        rows.push_back(std::move(row));
    }
    std::sort(rows.begin(), rows.end());
    std::string key = data.maximize ? "max" : "min";
    for (const std::int32_t c : data.costs) key += " " + std::to_string(c);
    for (const std::string& row : rows) key += "|" + row;
    return key;
}

bool small_denominators(const std::vector<std::string>& fractions) {
    return std::all_of(fractions.begin(), fractions.end(), [](const std::string& text) {
        const mpq_class value(text);
        return cmp(value.get_den(), kLargestDenominator) <= 0;
    });
}

SolveOutcome run_recorded(const SimplexIteration& problem, Arithmetic arithmetic, TableRecorder* recorder) {
    SimplexIteration run = problem;
    run.no_table = true;
    RunSettings settings;
    settings.arithmetic = arithmetic;
    RunObserver observer;
    observer.tables = recorder;
    return run_simplex(std::move(run), settings, ReportFrame{}, observer);
}

bool met(const SolveOutcome& outcome, std::uint32_t pivots) {
    return outcome.status.empty() && outcome.end == RunEnd::optimal &&
           outcome.iterations == static_cast<std::int32_t>(pivots) && outcome.notes.degenerate_pivots == 0 &&
           !outcome.notes.degenerate && outcome.notes.alternative_columns.empty();
}

}  // namespace

std::string halves_text(std::int32_t halves) {
    std::string whole = std::to_string(halves / 2);
    if (halves % 2 == 0) return whole;
    return (halves < 0 && halves / 2 == 0 ? "-" : "") + whole + ".5";
}

SimplexIteration variant_problem(const VariantData& data, const std::string& name, const std::string& report) {
    const auto m = static_cast<std::uint32_t>(data.rows.size());
    const auto n = static_cast<std::uint32_t>(data.costs.size());
    const auto slacks = static_cast<std::uint32_t>(
        std::count_if(data.kinds.begin(), data.kinds.end(), [](RowKind kind) { return kind != RowKind::equal; }));
    const auto artificials = static_cast<std::uint32_t>(
        std::count_if(data.kinds.begin(), data.kinds.end(), [](RowKind kind) { return kind != RowKind::less_equal; }));
    const std::uint32_t columns = n + slacks + artificials;
    SimplexIteration problem;
    problem.aim = data.maximize ? 1 : 2;
    problem.table.resize(m + 1, columns + 1);
    std::vector<std::string> names(columns + 1);
    for (std::uint32_t j = 1; j <= n; ++j) {
        problem.table(0, j) = data.costs[j - 1] / 2.0;
        names[j] = "x" + std::to_string(j);
    }
    std::uint32_t slack = n;
    std::uint32_t artificial = n + slacks;
    for (std::uint32_t i = 1; i <= m; ++i) {
        problem.table(i, 0) = data.rhs[i - 1] / 2.0;
        for (std::uint32_t j = 1; j <= n; ++j) problem.table(i, j) = data.rows[i - 1][j - 1] / 2.0;
        const RowKind kind = data.kinds[i - 1];
        if (kind != RowKind::equal) {
            problem.table(i, ++slack) = kind == RowKind::less_equal ? 1.0 : -1.0;
            names[slack] = "x" + std::to_string(slack);
        }
        if (kind != RowKind::less_equal) {
            problem.table(i, ++artificial) = 1.0;
            problem.table(0, artificial) = data.maximize ? -BIG_M : BIG_M;
            names[artificial] = "y" + std::to_string(artificial - n - slacks);
        }
    }
    if (artificials > 0) problem.base_vars = static_cast<std::int32_t>(n + slacks);
    problem.var_names = std::move(names);
    problem.name = name;
    problem.file = report;
    return problem;
}

std::optional<Variant> checked_variant(const VariantData& data, const VariantShape& shape, std::uint32_t number,
                                       std::uint32_t count) {
    const std::string file = variant_file_name(number, count);
    const std::string report = file.substr(0, file.size() - 4) + ".txt";
    const std::string name = utf8_to_cp1251("Вариант " + file.substr(8, file.size() - 12));
    // What the file reads back to is what is solved: the writer and the reader are checked on the way.
    Variant variant;
    try {
        variant.problem = SimplexIteration::from_bytes(problem_file_bytes(variant_problem(data, name, report)));
    } catch (const SimplexIteration::bad_simplex&) {
        return std::nullopt;
    }
    TableRecorder recorder;
    variant.outcome = run_recorded(variant.problem, Arithmetic::exact, &recorder);
    if (!met(variant.outcome, shape.pivots()) || !small_denominators(variant.outcome.exact_solution)) {
        return std::nullopt;
    }
    // The default run, in doubles, must take the very same steps: no choice of it may hang on a rounding.
    const SolveOutcome doubles = run_recorded(variant.problem, Arithmetic::double_precision, nullptr);
    if (!met(doubles, shape.pivots()) || doubles.pivots != variant.outcome.pivots) return std::nullopt;
    std::vector<TableSnapshot> tables = recorder.take()->tables;
    if (tables.empty()) return std::nullopt;
    variant.tables.push_back(std::move(tables.front()));
    variant.tables.push_back(std::move(tables.back()));
    variant.number = number;
    variant.file = file;
    variant.data = data;
    return variant;
}

std::variant<std::vector<Variant>, VariantsFailure> make_variants(
    const VariantShape& shape, std::uint32_t count, std::uint64_t seed,
    const std::function<bool(std::uint32_t made)>& progress) {
    if (const auto refusal = shape_refusal(shape)) return VariantsFailure{*refusal};
    if (count < 1 || count > kMaxVariantCount) {
        return VariantsFailure{"число вариантов: от 1 до " + std::to_string(kMaxVariantCount)};
    }
    SeededRandom random(seed);
    std::set<std::string> seen;
    std::vector<Variant> variants;
    for (std::uint32_t number = 1; number <= count; ++number) {
        std::optional<Variant> found;
        for (std::uint32_t tries = 0; !found && tries < kVariantTries; ++tries) {
            const VariantData data = draw_data(random, shape);
            if (seen.count(likeness_key(data)) != 0) continue;
            found = checked_variant(data, shape, number, count);
        }
        if (!found) {
            return VariantsFailure{"вариант " + std::to_string(number) + " такого вида не найден за " +
                                   std::to_string(kVariantTries) +
                                   " попыток; измените вид (например, число итераций или размер)"};
        }
        seen.insert(likeness_key(found->data));
        variants.push_back(std::move(*found));
        if (progress && !progress(number)) return VariantsFailure{"построение вариантов остановлено"};
    }
    return variants;
}
