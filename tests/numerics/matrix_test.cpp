#include "numerics/matrix.h"

#include <gtest/gtest.h>

namespace {

int code_of(auto&& operation) {
    try {
        operation();
    } catch (const Matrix::bad_matrix& e) {
        return e.code;
    }
    return -1;
}

Matrix counting(std::uint32_t rows, std::uint32_t cols) {
    Matrix m(rows, cols);
    for (std::uint32_t i = 0; i < rows; ++i)
        for (std::uint32_t j = 0; j < cols; ++j) m(i, j) = 10.0 * i + j + 1;
    return m;
}

void expect_counting(const Matrix& m, std::uint32_t rows, std::uint32_t cols) {
    ASSERT_EQ(m.rows, rows);
    ASSERT_EQ(m.cols, cols);
    for (std::uint32_t i = 0; i < rows; ++i)
        for (std::uint32_t j = 0; j < cols; ++j) EXPECT_EQ(m(i, j), 10.0 * i + j + 1);
}

TEST(Matrix, ConstructionWithAZeroCountIsEmpty) {
    for (auto [r, c] : {std::pair{0u, 5u}, std::pair{5u, 0u}, std::pair{0u, 0u}}) {
        Matrix m(r, c);
        EXPECT_TRUE(m.empty());
        EXPECT_EQ(m.rows, 0u);
        EXPECT_EQ(m.cols, 0u);
    }
    Matrix m(2, 3);
    for (std::uint32_t i = 0; i < 6; ++i) EXPECT_EQ(m.data[i], 0.0);
}

TEST(Matrix, ElementAccessIsRowMajorAndChecked) {
    Matrix m(2, 3);
    m(1, 2) = 7.5;
    EXPECT_EQ(m.data[5], 7.5);
    EXPECT_EQ(code_of([&] { m(2, 0); }), 1);
    EXPECT_EQ(code_of([&] { m(0, 3); }), 1);
    EXPECT_EQ(code_of([&] { m(static_cast<std::uint32_t>(-1), 0); }), 1);
    Matrix empty;
    EXPECT_EQ(code_of([&] { empty(0, 0); }), 1);
    EXPECT_EQ(code_of([&] { m.row(2); }), 1);
    EXPECT_EQ(m.row(1)[2], 7.5);
}

TEST(Matrix, CopiesAreDeep) {
    Matrix a = counting(2, 3);
    Matrix b(a);
    a(0, 0) = -1;
    expect_counting(b, 2, 3);
    Matrix empty;
    const Matrix c(empty);  // NOLINT(performance-unnecessary-copy-initialization): the copy is under test
    EXPECT_TRUE(c.empty());
}

TEST(Matrix, AssignmentRules) {
    Matrix a = counting(2, 3);
    EXPECT_EQ(code_of([&] { a = a; }), 10);
    Matrix empty;
    EXPECT_EQ(code_of([&] { empty = empty; }), 10);

    a = Matrix();  // an empty source changes nothing
    expect_counting(a, 2, 3);

    Matrix b;
    b = counting(3, 2);  // an empty target adopts the size
    expect_counting(b, 3, 2);

    EXPECT_EQ(code_of([&] { a = b; }), 0);
    expect_counting(a, 2, 3);

    Matrix same(2, 3);
    same = a;
    expect_counting(same, 2, 3);
}

TEST(Matrix, AssigningANumberMakesAScaledIdentity) {
    Matrix a = counting(2, 3);
    a = 0.0;
    for (std::uint32_t k = 0; k < 6; ++k) EXPECT_EQ(a.data[k], 0.0);
    Matrix b = counting(2, 3);
    EXPECT_EQ(code_of([&] { b = 1.5; }), 4);
    expect_counting(b, 2, 3);
    Matrix c = counting(3, 3);
    c = 1.5;
    for (std::uint32_t i = 0; i < 3; ++i)
        for (std::uint32_t j = 0; j < 3; ++j) EXPECT_EQ(c(i, j), i == j ? 1.5 : 0.0);
    Matrix empty;
    empty = 2.0;
    EXPECT_TRUE(empty.empty());
}

TEST(Matrix, ResizeZeroFillsAndChainsWithAssignment) {
    Matrix a = counting(2, 2);
    a.resize(2, 2);
    for (std::uint32_t k = 0; k < 4; ++k) EXPECT_EQ(a.data[k], 0.0);
    Matrix b = counting(2, 3);
    b.resize(3, 2) = counting(3, 2);
    expect_counting(b, 3, 2);
    b.resize(0, 4);
    EXPECT_TRUE(b.empty());
    EXPECT_EQ(b.cols, 0u);
}

TEST(Matrix, TransposeSwapsIndices) {
    Matrix row(1, 3);
    row(0, 0) = 1;
    row(0, 1) = 2;
    row(0, 2) = 3;
    Matrix column = row.transposed();
    ASSERT_EQ(column.rows, 3u);
    ASSERT_EQ(column.cols, 1u);
    EXPECT_EQ(column(0, 0), 1);
    EXPECT_EQ(column(1, 0), 2);
    EXPECT_EQ(column(2, 0), 3);
    EXPECT_TRUE(Matrix().transposed().empty());
}

TEST(Matrix, FailedAllocationThrowsSevenAndLeavesTheMatrixEmpty) {
    EXPECT_EQ(code_of([] { Matrix huge(0xFFFFFFFFu, 0xFFFFFFFFu); }), 7);
    Matrix m = counting(2, 2);
    EXPECT_EQ(code_of([&] { m.resize(0xFFFFFFFFu, 0xFFFFFFFFu); }), 7);
    EXPECT_TRUE(m.empty());
    EXPECT_EQ(m.rows, 0u);
    m = counting(2, 2);  // usable again
    expect_counting(m, 2, 2);
}

TEST(Matrix, ErrorTexts) {
    EXPECT_STREQ(matrix_error_text(0), "The matrixes must have identical dimansions");
    EXPECT_STREQ(matrix_error_text(6), "");
    EXPECT_STREQ(matrix_error_text(10), "The effort of giving the matrix itself");
    EXPECT_EQ(matrix_error_message(7), "Matrix error: Memory allotment is impossible");
    EXPECT_STREQ(matrix_error_text(11), "");
}

}  // namespace
