#pragma once

#include <QString>

#include <vector>

#include "problem/model_format.h"

// One fault of a problem text: the line it stands on (from 1; 0 when it belongs to no line) and
// what is wrong, in Unicode.
struct TextFault {
    unsigned line;
    QString message;
    friend bool operator==(const TextFault&, const TextFault&) = default;
};

// Reads a text as the main window would read the same text saved as UTF-8 in a file of the format:
// a problem file through the program's reader, a model through GLPK and the canonical form.
// Empty when the text loads.
std::vector<TextFault> check_problem_text(const QString& text, ModelFormat format);
