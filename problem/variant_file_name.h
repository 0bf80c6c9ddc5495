#pragma once

// The problem file of a numbered variant: variant-07.qtb. Files of variants are written under
// these names and a student's file names its variant by the number alone.

#include <cstdio>
#include <string>

inline std::string variant_file_name(unsigned number) {
    char name[32];
    std::snprintf(name, sizeof name, "variant-%02u.qtb", number);
    return name;
}
