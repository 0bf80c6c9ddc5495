#include "problem/fault_texts.h"

#include "problem/cp1251.h"
#include "problem/status_texts.h"

namespace {

std::string at_line(std::uint32_t line, const std::string& text) {
    return line == 0 ? text : "строка " + std::to_string(line) + ": " + text;
}

}  // namespace

std::string located_status_text(const SimplexIteration::bad_simplex& failure, int index) {
    const auto at = static_cast<std::size_t>(index);
    return at_line(failure.lines.at(at), cp1251::to_utf8(status_text(failure.codes.at(at))));
}

std::string hint_text(const SimplexIteration::bad_simplex::Hint& hint) { return at_line(hint.line, hint.text); }
