#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "solver/variants/variant_shape.h"

namespace cli {

// --variants and the options that shape the variants; all of them are only taken with --variants.
struct VariantsOptions {
    std::optional<std::uint32_t> count;
    std::optional<std::uint64_t> seed;
    std::optional<std::pair<std::uint32_t, std::uint32_t>> size;  // rows x own variables
    std::optional<bool> maximize;                                 // --sense
    std::optional<std::vector<RowKind>> kinds;                    // --rows
    std::optional<bool> artificial;
    std::optional<std::uint32_t> iterations;
    std::optional<bool> halves;        // --numbers decimal
    std::optional<std::string> model;  // --template: a problem file or model whose structure is kept
    bool force = false;                // files in the folder the program did not write may be replaced

    bool shaping() const {
        return seed || size || maximize || kinds || artificial || iterations || halves || model || force;
    }
};

}  // namespace cli
