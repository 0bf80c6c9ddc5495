#pragma once

// How the numbers people read beside the tables are written (the answer, the objective, the analysis): the
// ten significant digits of the command line and the reports (problem/people_number.h), or fixed notation
// with as many digits after the point as the run's tables have, which is how the window shows them. Exact
// fractions are written by their callers as they are, whatever the format.

#include <cstdint>
#include <optional>
#include <string>

struct PeopleFormat {
    std::optional<std::uint32_t> fraction_digits;  // none: ten significant digits

    // The format of a record's tables: `precision` digits after the point (a negative one as 0).
    static PeopleFormat of_tables(std::int32_t precision);
};

// x in `format`; a value too small to matter beside the problem's `magnitude` is 0 in either form.
std::string people_text(double x, double magnitude, const PeopleFormat& format);
