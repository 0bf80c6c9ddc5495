#pragma once

// The names a numbered variant's problem file may have: variant-7.qtb, variant-07.qtb, variant-007.qtb,
// variant-0007.qtb (the number padded to the width of the largest number of its set). A student's file
// names its variant by the number alone.

#include <string>
#include <vector>

inline std::vector<std::string> variant_file_names(unsigned number) {
    std::vector<std::string> names;
    const std::string digits = std::to_string(number);
    for (std::size_t width = digits.size(); width <= 4; ++width) {
        names.push_back("variant-" + std::string(width - digits.size(), '0') + digits + ".qtb");
    }
    if (names.empty()) names.push_back("variant-" + digits + ".qtb");
    return names;
}
