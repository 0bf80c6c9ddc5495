#pragma once

// A linear program as a modelling format states it, before any conversion:
// bounded columns, ranged rows and an objective with a constant. Names are
// UTF-8, as the model file spells them.

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

struct LpModel {
    static constexpr double kInfinity = std::numeric_limits<double>::infinity();

    struct Column {
        std::string name;
        double lower = 0.0;  // -kInfinity when unbounded below
        double upper = kInfinity;
        double cost = 0.0;
        bool integer = false;  // an integer mark, solved as its LP relaxation
    };

    // lower <= sum of coefficient * column <= upper; columns are 0-based.
    struct Row {
        std::string name;
        double lower = -kInfinity;
        double upper = kInfinity;
        std::vector<std::pair<std::uint32_t, double>> coefficients;
    };

    bool maximize = false;
    double constant = 0.0;  // the objective's constant term
    std::string name;
    std::vector<Column> columns;
    std::vector<Row> rows;
    // What a MathProg model printed with display and printf, UTF-8; empty for the other formats.
    std::string output;

    bool has_integer_marks() const {
        for (const Column& column : columns) {
            if (column.integer) return true;
        }
        return false;
    }
};
