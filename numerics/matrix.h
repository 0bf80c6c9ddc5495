#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>

// Dense row-major matrix of doubles with checked element access.
// A matrix is either empty (no storage, both counts 0) or holds rows x cols
// elements with both counts at least 1. Copies are deep. Every failing
// operation throws bad_matrix before it writes anything.
class Matrix {
public:
    // Error raised by a matrix operation; `code` indexes matrix_error_text().
    class bad_matrix {
    public:
        explicit bad_matrix(int error_code) noexcept : code(error_code) {}
        int code;
    };

    enum ErrorCode : int {
        kDimensionMismatch = 0,
        kOverrun = 1,
        kMultiplicationRule = 2,
        kDegree = 3,
        kNotSquare = 4,
        kInsertionCovering = 5,
        kNoText = 6,
        kNoMemory = 7,
        kSingular = 8,
        kZeroInGauss = 9,
        kSelfAssignment = 10,
    };

    Matrix() noexcept = default;
    Matrix(std::uint32_t row_count, std::uint32_t col_count);
    Matrix(const Matrix& other);
    Matrix(Matrix&& other) noexcept;
    ~Matrix() = default;

    // Self-assignment throws 10; an empty source leaves the target as it is;
    // an empty target adopts the source's size; otherwise sizes must match (0).
    Matrix& operator=(const Matrix& other);
    // The same rules as the copy, taking over the source's storage where it can;
    // it throws like the copy does, so it cannot be noexcept.
    Matrix& operator=(Matrix&& other);  // NOLINT(performance-noexcept-move-constructor,bugprone-exception-escape)
    // Makes the matrix d times the identity; a non-zero d needs a square matrix (4).
    Matrix& operator=(double d);

    double& operator()(std::uint32_t row, std::uint32_t col);
    const double& operator()(std::uint32_t row, std::uint32_t col) const;

    // One whole row, its index checked once: for loops over a row's elements.
    std::span<double> row(std::uint32_t index);
    std::span<const double> row(std::uint32_t index) const;

    // Releases the elements, then sizes the matrix as the constructor does (all zeros).
    Matrix& resize(std::uint32_t row_count, std::uint32_t col_count);
    Matrix transposed() const;

    bool empty() const noexcept { return data == nullptr; }

    // Exchanges contents whatever the sizes (assignment would refuse other sizes).
    friend void swap(Matrix& a, Matrix& b) noexcept {
        a.data.swap(b.data);
        std::swap(a.rows, b.rows);
        std::swap(a.cols, b.cols);
    }

    std::unique_ptr<double[]> data;
    std::uint32_t rows = 0;
    std::uint32_t cols = 0;

private:
    // Storage for the given counts, or an exception with code 7. Never returns
    // a block smaller than the counts say.
    static std::unique_ptr<double[]> allocate(std::uint32_t row_count, std::uint32_t col_count, bool zero_fill);
};

// English text of a matrix error code, without the prefix; empty for codes without text.
const char* matrix_error_text(int code) noexcept;
// "Matrix error: " followed by the text of the code.
std::string matrix_error_message(int code);
