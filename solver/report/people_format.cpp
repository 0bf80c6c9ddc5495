#include "solver/report/people_format.h"

#include <algorithm>
#include <cmath>

#include "problem/people_number.h"
#include "solver/report/number_format.h"

PeopleFormat PeopleFormat::of_tables(std::int32_t precision) {
    return {static_cast<std::uint32_t>(std::max(precision, 0))};
}

std::string people_text(double x, double magnitude, const PeopleFormat& format) {
    if (!format.fraction_digits) return people_number::text(x, magnitude);
    // The ten digits' rule for 0, then the tables' digits; a value that rounds to zeros reads without a minus.
    const bool negligible = std::isfinite(x) && std::fabs(x) < people_number::kZeroShare * magnitude;
    std::string text = number_format::to_fixed(negligible ? 0.0 : x, *format.fraction_digits);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}
