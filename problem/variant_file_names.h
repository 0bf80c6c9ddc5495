#pragma once

// The names of a numbered variant's problem file, for the variants written and the student files that name
// them: variant-7.qtb of a set of up to 9, variant-07.qtb of up to 99, and so on. A student's file names its
// variant by the number alone.

#include <cstdint>
#include <string>
#include <vector>

// Variant `number` of a set of `count`: the number padded with zeros to the width of `count`.
inline std::string variant_file_name(std::uint32_t number, std::uint32_t count) {
    std::string digits = std::to_string(number);
    const std::size_t width = std::to_string(count).size();
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return "variant-" + digits + ".qtb";
}

// The names variant `number` may have when the size of its set is not known: sets of up to 9999.
inline std::vector<std::string> variant_file_names(std::uint32_t number) {
    std::vector<std::string> names{variant_file_name(number, number)};
    for (std::uint32_t count = 10; count <= 1000; count *= 10) {
        if (count > number) names.push_back(variant_file_name(number, count));
    }
    return names;
}
