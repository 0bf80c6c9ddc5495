// Integer columns from a problem file's "Integer:" keyword and from a model's integer marks.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "problem/canonical_form.h"
#include "problem/cp1251.h"
#include "problem/problem_file_writer.h"
#include "problem/status_texts.h"

namespace {

constexpr double kInf = LpModel::kInfinity;

// The codes of a failed reading, none for a file that loads.
std::vector<int> codes_of(const std::string& text, std::vector<std::uint32_t>* columns = nullptr) {
    try {
        const SimplexIteration record = SimplexIteration::from_bytes(text);
        if (columns) *columns = record.integer_columns;
        return {};
    } catch (const SimplexIteration::bad_simplex& failure) {
        return {failure.codes.begin(), failure.codes.begin() + failure.count};
    }
}

const std::string kHead = "Aim: max\r\nFile: r.txt\r\n";
const std::string kBody = "Matrix:\r\n3 2 0\r\n4 1 1 1\r\n";

TEST(IntegerKeyword, ReadsCountThenColumns) {
    const struct {
        std::string text;
        std::vector<int> codes;
        std::vector<std::uint32_t> columns;
    } cases[] = {
        {"Size: 1 3\r\nInteger: 2 2 1\r\n" + kBody, {}, {1, 2}},
        {"Size: 1 3\r\n" + std::string("Целые: 1 3\r\n"_cp1251) + kBody, {}, {3}},
        {"Size: 1 3\r\ninteger: 3 1 1 2\r\n" + kBody, {}, {1, 2}},  // repeated columns count once
        {"Size: 1 3\r\nInteger: 0\r\n" + kBody, {}, {}},
        {"Integer: 1 1\r\nSize: 1 3\r\n" + kBody, {kBaseBeforeSize}, {}},
        {"Size: 1 3\r\nInteger: 1 4\r\n" + kBody, {kBadIntegerColumns}, {}},
        {"Size: 1 3\r\nInteger: 1 0\r\n" + kBody, {kBadIntegerColumns}, {}},
        {"Size: 1 3\r\nInteger: 4 1 2 3 1\r\n" + kBody, {kBadIntegerColumns}, {}},           // the rest is free text
        {"Size: 1 3\r\nInteger: 2 1\r\n" + kBody, {kBadIntegerColumns, kNoUnitColumn}, {}},  // ends the reading
        {"Size: 1 3\r\nInteger: 1 2\r\nSize: 1 3\r\n" + kBody, {}, {}},  // a new size drops the list
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::uint32_t> columns;
        EXPECT_EQ(codes_of(kHead + c.text, &columns), c.codes);
        if (c.codes.empty()) {
            EXPECT_EQ(columns, c.columns);
        }
    }
}

TEST(IntegerKeyword, WrittenOnlyWhenSetAndReadBack) {
    SimplexIteration record = SimplexIteration::from_bytes(kHead + "Size: 1 3\r\n" + kBody);
    EXPECT_EQ(problem_file_bytes(record).find("Integer:"), std::string::npos);
    record.integer_columns = {1, 3};
    const std::string bytes = problem_file_bytes(record);
    EXPECT_NE(bytes.find("Integer: 2 1 3\r\n"), std::string::npos) << bytes;
    EXPECT_EQ(SimplexIteration::from_bytes(bytes).integer_columns, record.integer_columns);
}

LpModel::Column integer(std::string name, double lower, double upper) {
    return {std::move(name), lower, upper, 1.0, true};
}

TEST(IntegerMarks, CarriedToTheColumnsTheEngineSolves) {
    const struct {
        const char* what;
        std::vector<LpModel::Column> columns;
        std::vector<std::string> integer_names;
        bool fault;
    } cases[] = {
        {"plain and continuous", {integer("x", 0, kInf), {"y", 0, kInf, 1.0, false}}, {"x"}, false},
        {"shifted by an integer", {integer("x", 2, kInf)}, {"x'"}, false},
        {"mirrored", {integer("x", -kInf, 4)}, {"x'"}, false},
        {"free: both halves", {integer("x", -kInf, kInf)}, {"x+", "x-"}, false},
        {"binary with its bound row", {integer("x", 0, 1)}, {"x"}, false},
        {"fixed: no column", {integer("x", 3, 3), integer("y", 0, kInf)}, {"y"}, false},
        {"fractional lower bound", {integer("x", 0.5, kInf)}, {"x'"}, true},
        {"fractional upper bound", {integer("x", 0, 2.5)}, {"x"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LpModel model;
        model.maximize = true;
        model.columns = c.columns;
        LpModel::Row row{"r", -kInf, 10, {}};
        for (std::uint32_t j = 0; j < c.columns.size(); ++j) row.coefficients.emplace_back(j, 1.0);
        model.rows = {row};
        const CanonicalForm form = build_canonical_form(model);
        std::vector<std::string> names;
        for (const std::uint32_t j : form.record.integer_columns) names.push_back((*form.record.var_names)[j]);
        EXPECT_EQ(names, c.integer_names);
        EXPECT_TRUE(form.integer_marks);
        EXPECT_EQ(!form.integer_fault.empty(), c.fault) << form.integer_fault;
        // The construction closes with the columns kept, or the note of a relaxation.
        EXPECT_EQ(form.integer_line(form.record, false).value_or(""),
                  "Условия целочисленности не учитываются: решается задача без них"_cp1251);
        EXPECT_EQ(form.integer_line(form.record, true).value_or("").rfind("Целочисленные столбцы:"_cp1251, 0), 0u);
    }
}

}  // namespace
