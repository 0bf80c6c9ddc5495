// The numbers people read beside the tables in the two formats: the reports' ten significant digits, and the
// window's digits after the point, the same for the answer and every number of the analysis.

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "solver/report/outcome_story.h"
#include "solver/report/people_format.h"
#include "solver/report/sensitivity_tables.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

SensitivityNumber number(double value, std::optional<std::string> exact = std::nullopt) {
    return {value, std::move(exact)};
}

// One row and one variable of a double run, and one row as an exact run gives it.
SensitivityReport furniture_report() {
    SensitivityReport report;
    report.magnitude = 16;
    report.rows = {{"boards", number(1.1), number(12), number(4), number(16.0 / 3), ""},
                   {"exact", number(0.5, "1/2"), number(6, "6"), number(4, "4"), number(16.0 / 3, "16/3"), ""}};
    report.variables = {{"tables", number(3.6), number(-1e-12), number(5), number(8.0 / 3), number(kInf)}};
    return report;
}

TEST(PeopleFormat, TheAnalysisAndItsRangesFollowTheDigits) {
    const struct {
        PeopleFormat format;
        std::vector<std::string> row, variable;
    } cases[] = {
        {{}, {"boards", "1.1", "12", "[4; 5.333333333]"}, {"tables", "3.6", "0", "5", "[2.666666667; +∞]"}},
        {PeopleFormat::of_tables(0), {"boards", "1", "12", "[4; 5]"}, {"tables", "4", "0", "5", "[3; +∞]"}},
        {PeopleFormat::of_tables(2),
         {"boards", "1.10", "12.00", "[4.00; 5.33]"},
         {"tables", "3.60", "0.00", "5.00", "[2.67; +∞]"}},
        {PeopleFormat::of_tables(4),
         {"boards", "1.1000", "12.0000", "[4.0000; 5.3333]"},
         {"tables", "3.6000", "0.0000", "5.0000", "[2.6667; +∞]"}},
        {PeopleFormat::of_tables(-3), {"boards", "1", "12", "[4; 5]"}, {"tables", "4", "0", "5", "[3; +∞]"}},
    };
    for (const auto& c : cases) {
        const std::vector<DocumentSection> sections = sensitivity_sections(furniture_report(), c.format);
        ASSERT_EQ(sections.size(), 2U);
        EXPECT_EQ(sections[0].rows.at(0), c.row) << c.row.back();
        // An exact run's fractions stay fractions in any format.
        EXPECT_EQ(sections[0].rows.at(1), (std::vector<std::string>{"exact", "1/2", "6", "[4; 16/3]"}));
        EXPECT_EQ(sections[1].rows.at(0), c.variable) << c.variable.back();
    }
}

TEST(PeopleFormat, ZeroReadsWithoutAMinus) {
    const struct {
        double x, magnitude;
        PeopleFormat format;
        const char* text;
    } cases[] = {
        {-1e-12, 100, PeopleFormat::of_tables(2), "0.00"},  // too small beside the problem's numbers
        {-0.001, 0, PeopleFormat::of_tables(2), "0.00"},    // rounds to zeros
        {-0.0, 0, PeopleFormat::of_tables(1), "0.0"},
        {-0.05, 0, PeopleFormat::of_tables(1), "-0.1"},
        {-0.05, 0, {}, "-0.05"},
        {-kInf, 0, PeopleFormat::of_tables(3), "-inf"},
    };
    for (const auto& c : cases) EXPECT_EQ(people_text(c.x, c.magnitude, c.format), c.text) << c.x;
}

TEST(PeopleFormat, TheAnswerFollowsTheDigitsAndExactRunsKeepFractions) {
    SolveOutcome outcome;
    outcome.solution = Matrix(3, 1);
    outcome.solution(0, 0) = 24.4;
    outcome.solution(1, 0) = 3.6;
    outcome.solution(2, 0) = 1.6;
    const std::vector<std::string> names{"", "tables", "chairs"};
    EXPECT_EQ(outcome_answer_lines(outcome, names, 0),
              (std::vector<std::string>{"F = 24.4", "tables = 3.6", "chairs = 1.6"}));
    EXPECT_EQ(outcome_answer_lines(outcome, names, 0, PeopleFormat::of_tables(3)),
              (std::vector<std::string>{"F = 24.400", "tables = 3.600", "chairs = 1.600"}));
    outcome.exact_solution = {"122/5", "18/5", "8/5"};
    EXPECT_EQ(outcome_answer_lines(outcome, names, 0, PeopleFormat::of_tables(3)),
              (std::vector<std::string>{"F = 122/5", "tables = 18/5", "chairs = 8/5"}));
}

}  // namespace
