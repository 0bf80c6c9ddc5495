#include "solver/engine/table_facts.h"

#include <span>

#include "solver/engine/row_scan.h"

namespace {

// Pivots that a table found unclean goes through before it is looked at again.
constexpr unsigned kPivotsBetweenLooks = 32;

}  // namespace

void engine::TableFacts::refresh(const Matrix& table) {
    if (clean_ && unit_rows_.size() == table.cols) return;
    clean_ = false;
    if (pivots_to_wait_ > 0) {
        --pivots_to_wait_;
        return;
    }
    thread_local std::vector<std::int64_t> counts;
    counts.assign(table.cols, 0);
    for (std::uint32_t i = 1; i < table.rows; ++i) {
        const std::span<const double> row = table.row(i);
        if (!all_finite(row) || has_negative_zero(row)) {
            pivots_to_wait_ = kPivotsBetweenLooks;
            return;
        }
        count_nonzero(row, counts, 0.0);
    }
    unit_rows_.assign(table.cols, 0);
    for (std::uint32_t i = 1; i < table.rows; ++i) {
        const std::span<const double> row = table.row(i);
        for (std::uint32_t j = 0; j < table.cols; ++j) {
            if (counts[j] == 1 && row[j] == 1.0) unit_rows_[j] = i;
        }
    }
    clean_ = true;
}
