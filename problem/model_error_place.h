#pragma once

// Where a model's read error lies, taken from its message: GLPK's messages and the
// program's own refusals name the place as "<file name>:<line>: ...".

#include <optional>
#include <string>
#include <string_view>

struct ModelErrorPlace {
    std::string file;        // one of the names the message was looked at for
    unsigned long line = 0;  // from 1
};

// The ":<line>: " by which a line of a message names its place.
struct LinePlaceMark {
    std::size_t colon = 0;   // where the mark begins
    std::size_t words = 0;   // where the words after it begin
    unsigned long line = 0;  // the number; one too long saturates
};

// The first such mark in the line, nothing when it has none.
std::optional<LinePlaceMark> line_place_mark(std::string_view line);

// The first line of the message that starts with one of the file names, a colon, a line
// number and ": "; nothing when no line does. A number too long saturates.
std::optional<ModelErrorPlace> model_error_place(std::string_view message, std::string_view model_file,
                                                 const std::optional<std::string>& data_file);
