#pragma once

// One simplex table as plain values, for the writers that lay tables out
// themselves (LaTeX, HTML) and for a window that keeps every table of a run.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The text of an exact number, held apart: a double run's numbers have none and take a pointer's room
// each, so that a window keeping hundreds of large tables copies little per table.
class FractionText {
public:
    FractionText() = default;
    FractionText(std::string text)  // NOLINT(google-explicit-constructor): a number is {value, text}
        : text_(text.empty() ? nullptr : std::make_unique<std::string>(std::move(text))) {}
    FractionText(const FractionText& other)
        : text_(other.text_ ? std::make_unique<std::string>(*other.text_) : nullptr) {}
    FractionText(FractionText&&) noexcept = default;
    FractionText& operator=(const FractionText& other) {
        if (this != &other) text_ = other.text_ ? std::make_unique<std::string>(*other.text_) : nullptr;
        return *this;
    }
    FractionText& operator=(FractionText&&) noexcept = default;
    ~FractionText() = default;

    bool empty() const { return !text_; }
    const std::string& str() const {
        static const std::string none;
        return text_ ? *text_ : none;
    }
    operator const std::string&() const { return str(); }  // NOLINT(google-explicit-constructor)
    // The memory the text takes beside the number.
    std::size_t heap_bytes() const { return text_ ? sizeof(std::string) + text_->capacity() + 1 : 0; }
    friend bool operator==(const FractionText& a, const FractionText& b) { return a.str() == b.str(); }

private:
    std::unique_ptr<std::string> text_;
};

// A number of the table: the double, and in exact runs its text as well
// ("p/q", an integer "p", or "M" / "-M" for an M cost); empty in double runs.
struct SnapshotNumber {
    double value = 0.0;
    FractionText fraction;
};

// What follows the table: the pivot at the key column and row, or the end of the run.
enum class TableClose { next_pivot, unbounded, infeasible, optimum };

struct TableSnapshot {
    std::int32_t iteration = 0;               // pivots made before this table
    std::int32_t precision = 0;               // fraction digits of double runs
    std::uint32_t m = 0;                      // constraint rows
    std::uint32_t n = 0;                      // variables
    std::vector<std::string> names;           // UTF-8, columns 1..n; entry 0 unused
    std::vector<SnapshotNumber> costs;        // columns 1..n; entry 0 unused
    std::vector<std::uint32_t> basis;         // rows 1..m: the column of the basic variable; entry 0 unused
    std::vector<SnapshotNumber> elements;     // rows 1..m, columns 0..n, row after row
    std::vector<SnapshotNumber> m_parts;      // columns 0..n: coefficients of M of the estimates
    std::vector<SnapshotNumber> plain_parts;  // columns 0..n
    std::uint32_t key_column = 0;             // 0: none
    std::uint32_t key_row = 0;                // 0: none
    TableClose close = TableClose::optimum;

    const SnapshotNumber& element(std::uint32_t i, std::uint32_t j) const {
        return elements.at(std::size_t{i - 1} * (n + std::size_t{1}) + j);
    }
    const SnapshotNumber& basic_cost(std::uint32_t i) const { return costs.at(basis.at(i)); }
    const std::string& basic_name(std::uint32_t i) const { return names.at(basis.at(i)); }
};

// The text of a number as the report shows it: "M" and "-M" for +-BIG_M, the
// fraction of an exact run, else fixed notation with `precision` digits.
std::string snapshot_number_text(const SnapshotNumber& number, std::int32_t precision);
