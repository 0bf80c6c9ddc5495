#include <charconv>

#include "cli/result_printer.h"

namespace cli {

std::string shortest_number(double x) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, x);
    return std::string(text, result.ptr);
}

}  // namespace cli
