#pragma once

#include <QString>

#include <exception>
#include <vector>

#include "problem/simplex_iteration.h"

// The text shown for a failure that leaves a window's handler: "Matrix error: " and the matrix text
// for Matrix::bad_matrix, the status texts of a SimplexIteration::bad_simplex, the description of
// any other standard exception.
QString failure_description(const std::exception_ptr& failure);

// The Unicode text of a status code (the status texts are Windows-1251).
QString status_message(int code);

// The boxes of a failure that a run or a load tells: one for each status code, with its place, then
// one with every hint.
struct BoxText {
    QString text;
    QString caption;
};
std::vector<BoxText> status_boxes(const SimplexIteration::bad_simplex& failure);
