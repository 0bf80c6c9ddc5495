// Reads arbitrary bytes as a problem file and, when it loads, solves it with
// every table printed. Sizes and iterations are capped so that one input stays quick.

#include <cstdint>
#include <cstdlib>

#include "fuzz_bytes.h"
#include "problem/simplex_iteration.h"
#include "record_invariants.h"
#include "solver/session/run_with_report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SimplexIteration record;
    try {
        record = SimplexIteration::from_bytes(bytes_of(data, size));
    } catch (const SimplexIteration::bad_simplex&) {
        return 0;
    }
    if (!keeps_loaded_invariants(record)) std::abort();
    if (record.table.rows * record.table.cols > 4000) return 0;
    if (record.width > 64) return 0;  // a huge width is a huge report, not a new path
    record.no_table = false;
    record.only_data_table = record.only_optimal_table = false;
    record.print_from = record.print_to = 0;
    if (record.stop <= 0 || record.stop > 50) record.stop = 50;
    record.file = "/dev/null";
    try {
        const Matrix solution = solve(record);
        if (solution.rows != record.table.cols || solution.cols != 1) std::abort();
    } catch (const SimplexIteration::bad_simplex& faults) {
        if (faults.count < 1 || faults.count > 10) std::abort();
    }
    return 0;
}
