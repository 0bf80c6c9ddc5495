#include "solver/report/table_snapshot.h"

#include "numerics/matrix.h"
#include "problem/simplex_iteration.h"
#include "solver/report/number_format.h"

std::string snapshot_number_text(const SnapshotNumber& number, std::int32_t precision) {
    if (!number.fraction.empty()) return std::string(number.fraction);
    if (number.value == BIG_M) return "M";
    if (number.value == -BIG_M) return "-M";
    return number_format::to_fixed(number.value, static_cast<std::uint32_t>(std::max(precision, 0)));
}
