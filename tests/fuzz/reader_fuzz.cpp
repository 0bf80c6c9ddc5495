// Reads arbitrary bytes as a problem file: either a record that keeps every
// invariant of a loaded problem, or the list of status codes.

#include <cstdint>
#include <cstdlib>

#include "fuzz_bytes.h"
#include "problem/simplex_iteration.h"
#include "problem/status_texts.h"
#include "record_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const SimplexIteration record = SimplexIteration::from_bytes(bytes_of(data, size));
        if (!keeps_loaded_invariants(record)) std::abort();
    } catch (const SimplexIteration::bad_simplex& faults) {
        if (faults.count < 1 || faults.count > 10) std::abort();
        for (int k = 0; k < faults.count; ++k) {
            if (faults.codes[k] < 1 || faults.codes[k] > kBadIntegerColumns) std::abort();
        }
    }
    return 0;
}
