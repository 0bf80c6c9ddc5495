#include "ui/failure_text.h"

#include <QStringList>

#include <new>

#include "numerics/matrix.h"
#include "problem/cp1251.h"
#include "problem/fault_texts.h"
#include "problem/status_texts.h"

QString status_message(int code) { return QString::fromStdString(cp1251::to_utf8(status_text(code))); }

std::vector<BoxText> status_boxes(const SimplexIteration::bad_simplex& failure) {
    std::vector<BoxText> boxes;
    for (int i = 0; i < failure.count && i < SimplexIteration::bad_simplex::kCapacity; ++i)
        boxes.push_back(
            {QString::fromStdString(located_status_text(failure, i)), QStringLiteral("сообщение об ошибке")});
    if (failure.hints.empty()) return boxes;
    QStringList hints;
    for (const auto& hint : failure.hints) hints << QString::fromStdString(hint_text(hint));
    boxes.push_back({hints.join('\n'), QStringLiteral("Подсказка")});
    return boxes;
}

QString failure_description(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Matrix::bad_matrix& e) {
        return QString::fromStdString(matrix_error_message(e.code));
    } catch (const SimplexIteration::bad_simplex& e) {
        QStringList texts;
        for (int i = 0; i < e.count && i < SimplexIteration::bad_simplex::kCapacity; ++i)
            texts << QString::fromStdString(located_status_text(e, i));
        for (const auto& hint : e.hints) texts << QString::fromStdString("Подсказка: " + hint_text(hint));
        return texts.join('\n');
    } catch (const std::bad_alloc&) {
        // The library's own text ("std::bad_alloc") tells a user nothing.
        return QStringLiteral("Недостаточно памяти для решения задачи");
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Неизвестная ошибка");
    }
}
