#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

#include "cli/result_printer.h"
#include "problem/status_texts.h"

namespace {

TEST(ShortestNumber, ReadsBackToTheSameDouble) {
    EXPECT_EQ(cli::shortest_number(10.0), "10");
    EXPECT_EQ(cli::shortest_number(0.1), "0.1");
    EXPECT_EQ(cli::shortest_number(16.400000000000002), "16.400000000000002");
    EXPECT_EQ(cli::shortest_number(1e21), "1e+21");
    EXPECT_EQ(cli::shortest_number(-0.0), "-0");
    EXPECT_EQ(cli::shortest_number(5e-324), "5e-324");
}

SolveOutcome outcome_of(std::initializer_list<double> values, RunEnd end) {
    SolveOutcome outcome;
    outcome.solution.resize(static_cast<std::uint32_t>(values.size()), 1);
    std::uint32_t j = 0;
    for (const double v : values) outcome.solution(j++, 0) = v;
    outcome.end = end;
    return outcome;
}

TEST(JsonPrinter, NonFiniteNumbersAreNull) {
    std::ostringstream out;
    const double inf = std::numeric_limits<double>::infinity();
    cli::make_json_printer(out)->solved(
        SimplexIteration{}, outcome_of({-inf, 0.5, std::nan(""), 3}, RunEnd::iteration_limit), std::nullopt);
    EXPECT_EQ(
        out.str(),
        R"({"ok": true, "end": "iteration_limit", "objective": null, "solution": [null, 0.5, null, 3], )"
        R"("iterations": 0, "pivots": [], "alternative_optima": false, "alternative_columns": [], "degenerate": false, "degenerate_pivots": 0})"
        "\n");
}

TEST(JsonPrinter, StatusTextsAreEscapedUtf8) {
    SimplexIteration::bad_simplex failure;
    failure.add(kBaseBeforeSize);  // its text begins with a double quote
    failure.add(kBadSize);
    std::ostringstream out;
    cli::make_json_printer(out)->read_failed(failure);
    EXPECT_EQ(out.str(), R"({"ok": false, "stage": "read", "codes": [16, 4], "messages": )"
                         R"(["\"База\" может быть указана только после указания размерности", )"
                         R"("Ошибка при вводе размерности таблицы"], "lines": [null, null]})"
                         "\n");
}

TEST(TextPrinter, NamesEveryVariableAndMarksArtificialOnes) {
    SimplexIteration problem;
    problem.base_vars = 2;
    problem.var_names = std::vector<std::string>{"", "x", "\xFF\xEE", "r"};  // "яо" in Windows-1251
    problem.file = "r.txt";
    std::ostringstream out;
    cli::make_text_printer(out)->solved(problem, outcome_of({7, 1, 2.5, 0}, RunEnd::optimal), std::nullopt);
    EXPECT_EQ(out.str(),
              "Решение получено: оптимум.\nИтераций: 0\nЗначение целевой функции: 7\nЗначения переменных:\n"
              "  x = 1\n  яо = 2.5\n  r = 0 (искусственная)\nОтчёт: r.txt\n");
}

}  // namespace
