#include "ui/editor_formats.h"

#include <QFile>
#include <QFileInfo>

#include "problem/transport_file.h"

namespace {

// One and the same problem in every format: the plan of two products on two resources,
// maximum 3 x1 + 2 x2 with x1 + x2 <= 4 and 2 x1 + x2 <= 6.
const QString kLpTemplate = QStringLiteral(
    "\\ Наибольшая прибыль от двух изделий из двух видов сырья.\n"
    "Maximize\n"
    " profit: 3 x1 + 2 x2\n"
    "Subject To\n"
    " resource1: x1 + x2 <= 4\n"
    " resource2: 2 x1 + x2 <= 6\n"
    "End\n");

const QString kMathProgTemplate = QStringLiteral(
    "/* Наибольшая прибыль от двух изделий из двух видов сырья. */\n"
    "var x1 >= 0;\n"
    "var x2 >= 0;\n"
    "maximize profit: 3 * x1 + 2 * x2;\n"
    "s.t. resource1: x1 + x2 <= 4;\n"
    "s.t. resource2: 2 * x1 + x2 <= 6;\n"
    "end;\n");

const QString kMpsTemplate = QStringLiteral(
    "* Наибольшая прибыль от двух изделий из двух видов сырья.\n"
    "NAME          PLAN\n"
    "OBJSENSE\n"
    "    MAX\n"
    "ROWS\n"
    " N  PROFIT\n"
    " L  RES1\n"
    " L  RES2\n"
    "COLUMNS\n"
    "    X1        PROFIT         3.0   RES1           1.0\n"
    "    X1        RES2           2.0\n"
    "    X2        PROFIT         2.0   RES1           1.0\n"
    "    X2        RES2           1.0\n"
    "RHS\n"
    "    RHS       RES1           4.0   RES2           6.0\n"
    "ENDATA\n");

// The canonical form by hand: s1 and s2 are the slacks, whose unit columns make the first basis.
const QString kProblemFileTemplate = QStringLiteral(
    "Имя: Два изделия из двух видов сырья\n"
    "Цель: максимум\n"
    "Размерность: 2 4\n"
    "Переменные: x1 x2 s1 s2\n"
    "Матрица:\n"
    "  3 2 0 0\n"
    "  4   1 1 1 0\n"
    "  6   2 1 0 1\n"
    "Файл: report.txt\n"
    "Точность: 8 2\n");

// A textbook problem of three suppliers and four consumers, balanced, started in the north-west corner.
const QString kTransportTemplate = QStringLiteral(
    "Имя: Перевозки с трёх складов в четыре магазина\n"
    "Цель: минимум\n"
    "Размерность: 3 4\n"
    "Запасы: 15 25 10\n"
    "Потребности: 5 15 15 15\n"
    "Тарифы:\n"
    "  10  2 20 11\n"
    "  12  7  9 20\n"
    "   4 14 16 18\n"
    "Начало: северо-западный\n"
    "Файл: report.txt\n");

}  // namespace

const std::array<EditorFormat, 5>& editor_formats() {
    static const std::array<EditorFormat, 5> formats = {{
        {ModelFormat::cplex_lp, false, QStringLiteral("Модель CPLEX LP"), QStringLiteral(".lp"), kLpTemplate},
        {ModelFormat::mathprog, false, QStringLiteral("Модель GNU MathProg"), QStringLiteral(".mod"),
         kMathProgTemplate},
        {ModelFormat::mps, false, QStringLiteral("Модель MPS"), QStringLiteral(".mps"), kMpsTemplate},
        {ModelFormat::problem_file, false, QStringLiteral("Файл данных"), QStringLiteral(".qtb"), kProblemFileTemplate},
        {ModelFormat::problem_file, true, QStringLiteral("Транспортная задача"), QStringLiteral(".qtt"),
         kTransportTemplate},
    }};
    return formats;
}

const EditorFormat& editor_format(ModelFormat format) {
    if (format == ModelFormat::free_mps) format = ModelFormat::mps;
    for (const EditorFormat& entry : editor_formats()) {
        if (entry.format == format && !entry.transport) return entry;
    }
    return editor_formats().front();
}

const EditorFormat& transport_editor_format() { return editor_formats().back(); }

const EditorFormat& editor_format_of(const QString& file_name) {
    const std::string path = QFile::encodeName(file_name).toStdString();
    if (transport::is_transport_file(path)) return transport_editor_format();
    return editor_format(model_format_of_path(path));
}

QString with_extension_of(const QString& file_name, const EditorFormat& format) {
    // A problem file may have any extension but a model's and .qtt; a name without one gets ".qtb".
    const bool stands_for_it = &editor_format_of(file_name) == &format &&
                               (format.format != ModelFormat::problem_file || !QFileInfo(file_name).suffix().isEmpty());
    return stands_for_it ? file_name : file_name + format.extension;
}
