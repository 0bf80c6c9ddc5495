#pragma once

#include <QString>

#include <exception>

// The text shown for a failure that leaves a window's handler: "Matrix error: " and the matrix text
// for Matrix::bad_matrix, the status texts of a SimplexIteration::bad_simplex, the description of
// any other standard exception.
QString failure_description(const std::exception_ptr& failure);

// The Unicode text of a status code (the status texts are Windows-1251).
QString status_message(int code);
