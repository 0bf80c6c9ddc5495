#include "ui/failure_text.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "numerics/matrix.h"
#include "problem/simplex_iteration.h"
#include "problem/status_texts.h"

namespace {

TEST(FailureDescription, NamesMatrixErrorsWithTheirText) {
    const QString text = failure_description(std::make_exception_ptr(Matrix::bad_matrix{Matrix::kNoMemory}));
    EXPECT_EQ(text, QString::fromStdString(matrix_error_message(Matrix::kNoMemory)));
    EXPECT_TRUE(text.startsWith("Matrix error: "));
}

TEST(FailureDescription, GivesOtherStandardExceptionsTheirOwnDescription) {
    EXPECT_EQ(failure_description(std::make_exception_ptr(std::runtime_error("disk on fire"))), "disk on fire");
    EXPECT_EQ(failure_description(std::make_exception_ptr(std::bad_alloc())),
              QStringLiteral("Недостаточно памяти для решения задачи"));
    EXPECT_FALSE(failure_description(std::make_exception_ptr(42)).isEmpty());
}

TEST(StatusMessage, IsTheStatusTextInUnicode) {
    EXPECT_EQ(status_message(kCannotOpenReportFile), QStringLiteral("Hе могу открыть файл для вывода результатов"));
    EXPECT_EQ(status_message(kUnbounded), QStringLiteral("Функция неогpаничена в области допустимых pешениий"));
}

}  // namespace
