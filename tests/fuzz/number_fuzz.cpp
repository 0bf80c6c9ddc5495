// Reads arbitrary bytes as a run of doubles both by the library's stream and by the
// reader's TextInput: every read must give the same value bits, take the same bytes
// and leave the same stream state.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "support/number_reads.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (test_support::number_reads(text, true, 64) != test_support::number_reads(text, false, 64)) std::abort();
    return 0;
}
