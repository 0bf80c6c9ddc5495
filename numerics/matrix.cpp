#include "numerics/matrix.h"

#include <algorithm>
#include <limits>
#include <new>
#include <utility>

namespace {

constexpr const char* kErrorTexts[] = {
    "The matrixes must have identical dimansions",
    "Overrun. Effort of access to non-existent element",
    "There was breached the rule of dimension of the matrixes during their multiplication",
    "The degree must be larger than zero or -1",
    "The matrix must be squarte",
    "The insertion is impossible because the covering of the basic matrix took place",
    "",
    "Memory allotment is impossible",
    "The matrix is singular",
    "The zero element in Gauss' transformation",
    "The effort of giving the matrix itself",
};

}  // namespace

const char* matrix_error_text(int code) noexcept {
    if (code < 0 || code >= static_cast<int>(std::size(kErrorTexts))) return "";
    return kErrorTexts[code];
}

std::string matrix_error_message(int code) { return std::string("Matrix error: ") + matrix_error_text(code); }

std::unique_ptr<double[]> Matrix::allocate(std::uint32_t row_count, std::uint32_t col_count, bool zero_fill) {
    const std::size_t count = std::size_t{row_count} * col_count;  // cannot overflow: both are 32-bit
    if (count > std::numeric_limits<std::size_t>::max() / sizeof(double)) throw bad_matrix(kNoMemory);
    try {
        return zero_fill ? std::make_unique<double[]>(count) : std::make_unique_for_overwrite<double[]>(count);
    } catch (const std::bad_alloc&) {
        throw bad_matrix(kNoMemory);
    }
}

Matrix::Matrix(std::uint32_t row_count, std::uint32_t col_count) {
    if (row_count == 0 || col_count == 0) return;
    data = allocate(row_count, col_count, true);
    rows = row_count;
    cols = col_count;
}

Matrix::Matrix(const Matrix& other) {
    if (other.empty()) return;
    data = allocate(other.rows, other.cols, false);
    std::copy_n(other.data.get(), std::size_t{other.rows} * other.cols, data.get());
    rows = other.rows;
    cols = other.cols;
}

Matrix::Matrix(Matrix&& other) noexcept
    : data(std::move(other.data)), rows(std::exchange(other.rows, 0)), cols(std::exchange(other.cols, 0)) {}

Matrix& Matrix::operator=(const Matrix& other) {
    if (&other == this) throw bad_matrix(kSelfAssignment);
    if (other.empty()) return *this;
    if (empty()) {
        // A failed allocation leaves the matrix empty, which is safe to use again.
        data = allocate(other.rows, other.cols, false);
        rows = other.rows;
        cols = other.cols;
    }
    if (rows != other.rows || cols != other.cols) throw bad_matrix(kDimensionMismatch);
    std::copy_n(other.data.get(), std::size_t{rows} * cols, data.get());
    return *this;
}

Matrix& Matrix::operator=(Matrix&& other) {  // NOLINT(performance-noexcept-move-constructor,bugprone-exception-escape)
    if (&other == this) throw bad_matrix(kSelfAssignment);
    if (other.empty()) return *this;
    if (!empty() && (rows != other.rows || cols != other.cols)) throw bad_matrix(kDimensionMismatch);
    swap(*this, other);
    return *this;
}

Matrix& Matrix::operator=(double d) {
    if (d != 0.0 && rows != cols) throw bad_matrix(kNotSquare);
    for (std::uint32_t i = 0; i < rows; ++i) {
        for (std::uint32_t j = 0; j < cols; ++j) data[std::size_t{i} * cols + j] = (i == j) ? d : 0.0;
    }
    return *this;
}

double& Matrix::operator()(std::uint32_t row_index, std::uint32_t col_index) {
    if (col_index >= cols || row_index >= rows) throw bad_matrix(kOverrun);
    return data[std::size_t{row_index} * cols + col_index];
}

const double& Matrix::operator()(std::uint32_t row_index, std::uint32_t col_index) const {
    if (col_index >= cols || row_index >= rows) throw bad_matrix(kOverrun);
    return data[std::size_t{row_index} * cols + col_index];
}

std::span<double> Matrix::row(std::uint32_t index) {
    if (index >= rows) throw bad_matrix(kOverrun);
    return {data.get() + std::size_t{index} * cols, cols};
}

std::span<const double> Matrix::row(std::uint32_t index) const {
    if (index >= rows) throw bad_matrix(kOverrun);
    return {data.get() + std::size_t{index} * cols, cols};
}

Matrix& Matrix::resize(std::uint32_t row_count, std::uint32_t col_count) {
    data.reset();
    rows = 0;
    cols = 0;
    if (row_count == 0 || col_count == 0) return *this;
    data = allocate(row_count, col_count, true);
    rows = row_count;
    cols = col_count;
    return *this;
}

Matrix Matrix::transposed() const {
    Matrix result(cols, rows);
    for (std::uint32_t i = 0; i < rows; ++i) {
        for (std::uint32_t j = 0; j < cols; ++j) result(j, i) = (*this)(i, j);
    }
    return result;
}
