// The explanations of a run: the engine's choices as recorded for each table (ties decided by the
// rule, rows left out of the ratio test, every way a run ends), the sentences made of them, and the
// ratio column of the text report.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "problem/cp1251.h"
#include "solver/engine/run_observer.h"
#include "solver/report/choice_sentences.h"
#include "solver/report/report_frame.h"
#include "solver/report/report_sink.h"
#include "solver/session/run_with_report.h"
#include "support/problem_builder.h"
#include "support/temp_folder.h"

namespace {

using test_support::make_problem;
using Column = TableChoices::Column;
using Row = TableChoices::Row;
using End = TableChoices::End;

constexpr std::uint8_t kMax = 1;
constexpr std::uint8_t kMin = 2;

class Tables final : public ReportSink {
public:
    void begin(const ReportStart&) override {}
    void table(TableSource& source) override { tables.push_back(source.snapshot()); }
    void end(const ReportEnd&) override {}

    std::vector<TableSnapshot> tables;
};

std::vector<TableSnapshot> explained_tables(const SimplexIteration& problem, RunSettings settings) {
    settings.explain = true;
    Tables recorder;
    RunObserver observer;
    observer.tables = &recorder;
    run_simplex(problem, settings, ReportFrame{}, observer);
    return recorder.tables;
}

std::string sentences(const TableSnapshot& t) {
    std::string text;
    for (const std::string& line : choice_sentences(t.look, t.names, t.basis)) text += line + "\n";
    return text;
}

// max 3 x1 + 3 x2: x1 + x2 + s1 = 4, 2 x1 + x2 + s2 = 6; the two estimates are equal.
SimplexIteration equal_estimates() { return make_problem(kMax, {3, 3, 0, 0}, {{4, 1, 1, 1, 0}, {6, 2, 1, 0, 1}}); }
// max x1: x1 + s1 = 2, -x1 + s2 = 3: row 2 takes no part in the ratio test.
SimplexIteration negative_element() { return make_problem(kMax, {1, 0, 0}, {{2, 1, 1, 0}, {3, -1, 0, 1}}); }
// max x1: x1 + s1 = 2, x1 + s2 = 2: two rows of the same ratio.
SimplexIteration equal_ratios() { return make_problem(kMax, {1, 0, 0}, {{2, 1, 1, 0}, {2, 1, 0, 1}}); }
// max x1: -x1 + s1 = 2.
SimplexIteration unbounded() { return make_problem(kMax, {1, 0}, {{2, -1, 1}}); }
// x1 <= 1 and x1 >= 2: x1 + s1 = 1, x1 - s2 + a = 2.
SimplexIteration inconsistent(std::uint8_t aim) {
    return make_problem(aim, {1, 0, 0, aim == kMax ? -BIG_M : BIG_M}, {{1, 1, 1, 0, 0}, {2, 1, 0, -1, 1}}, 3);
}
// max x1: x1 + s1 = 3, x1 - s2 + a = 1.
SimplexIteration feasible_with_artificial() {
    return make_problem(kMax, {1, 0, 0, -BIG_M}, {{3, 1, 1, 0, 0}, {1, 1, 0, -1, 1}}, 3);
}

struct FirstChoiceCase {
    std::string_view what;
    SimplexIteration problem;
    RunSettings settings;
    Column column;
    std::uint32_t key_column;
    std::vector<std::uint32_t> column_rivals;
    std::uint32_t key_row;
    std::vector<std::uint32_t> row_rivals;
    std::vector<std::string> ratios;  // rows 1..m of the ratio column
    std::string_view said;            // a part of the sentences
};

TEST(Explanations, TheFirstTableTellsTheEnginesChoices) {
    const RunSettings dantzig{};
    const RunSettings bland{.rule = PivotRule::bland};
    const RunSettings exact{.arithmetic = Arithmetic::exact};
    const FirstChoiceCase cases[] = {
        {"tie kept by Dantzig",
         equal_estimates(),
         dantzig,
         Column::largest_estimate,
         1,
         {2},
         2,
         {},
         {"4.0000", "3.0000"},
         "такая же у x2, и по правилу Данцига"},
        {"Bland's lowest candidate",
         equal_estimates(),
         bland,
         Column::first_candidate,
         1,
         {2},
         2,
         {},
         {"4.0000", "3.0000"},
         "по правилу Бленда берётся столбец с наименьшим номером"},
        {"a row that does not qualify",
         negative_element(),
         dantzig,
         Column::largest_estimate,
         1,
         {},
         1,
         {},
         {"2.0000", "—"},
         "отношение b / a = 2.0000 — наименьшее"},
        {"equal ratios, the lower row",
         equal_ratios(),
         dantzig,
         Column::largest_estimate,
         1,
         {},
         1,
         {2},
         {"2.0000", "2.0000"},
         "такое же в строке 2, по правилу Данцига"},
        {"equal ratios, Bland",
         equal_ratios(),
         bland,
         Column::first_candidate,
         1,
         {},
         1,
         {2},
         {"2.0000", "2.0000"},
         "по правилу Бленда выводится базисная переменная"},
        {"exact fractions",
         make_problem(kMax, {1, 0, 0}, {{4, 3, 1, 0}, {5, 2, 0, 1}}),
         exact,
         Column::largest_estimate,
         1,
         {},
         1,
         {},
         {"4/3", "5/2"},
         "Разрешающий элемент: 3 (строка 1, столбец x1)"},
        {"an M estimate, its M part first",
         inconsistent(kMax),
         dantzig,
         Column::largest_estimate,
         1,
         {},
         1,
         {},
         {"1.0000", "2.0000"},
         "его оценка -1.0000M - 1.0000"},
    };
    for (const FirstChoiceCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<TableSnapshot> tables = explained_tables(c.problem, c.settings);
        ASSERT_FALSE(tables.empty());
        const TableSnapshot& first = tables.front();
        ASSERT_TRUE(first.look.choices);
        const TableChoices& choices = *first.look.choices;
        EXPECT_EQ(choices.column, c.column);
        EXPECT_EQ(choices.key_column, first.key_column);  // the engine's own choice
        EXPECT_EQ(choices.key_column, c.key_column);
        EXPECT_EQ(choices.column_rivals, c.column_rivals);
        EXPECT_EQ(choices.key_row, first.key_row);
        EXPECT_EQ(choices.key_row, c.key_row);
        EXPECT_EQ(choices.row_rivals, c.row_rivals);
        std::vector<std::string> ratios;
        for (std::uint32_t i = 1; i <= first.m; ++i) ratios.emplace_back(ratio_column_text(first.look, i));
        EXPECT_EQ(ratios, c.ratios);
        EXPECT_NE(sentences(first).find(c.said), std::string::npos) << sentences(first);
    }
}

struct EndCase {
    std::string_view what;
    SimplexIteration problem;
    RunSettings settings;
    End end;
    std::string_view said;
};

TEST(Explanations, TheLastTableTellsWhyTheRunEnded) {
    SimplexIteration one_pivot = equal_estimates();
    one_pivot.stop = 1;
    RunSettings two_phase;
    two_phase.method = SolveMethod::two_phase;
    RunSettings dual;
    dual.method = SolveMethod::dual_simplex;
    const EndCase cases[] = {
        {"optimum", equal_estimates(), {}, End::optimum, "отрицательных оценок нет"},
        {"optimum of a minimum", make_problem(kMin, {1, 0}, {{2, 1, 1}}), {}, End::optimum, "положительных оценок нет"},
        {"unbounded", unbounded(), {}, End::unbounded, "в ключевом столбце x1 нет положительных элементов"},
        {"inconsistent", inconsistent(kMax), {}, End::inconsistent, "искусственная переменная x4 осталась в базисе"},
        {"inconsistent, exact",
         inconsistent(kMin),
         {.arithmetic = Arithmetic::exact},
         End::inconsistent,
         "система ограничений несовместна"},
        {"iteration limit", one_pivot, {}, End::iteration_limit, "предел числа итераций (1)"},
        {"phase I infeasible", inconsistent(kMax), two_phase, End::inconsistent, "(w > 0)"},
        {"dual optimum", make_problem(kMin, {1, 1, 0, BIG_M}, {{2, 1, 1, -1, 1}}, 3), dual, End::optimum,
         "отрицательных значений базисных переменных нет"},
        {"dual: no negative element", inconsistent(kMin), dual, End::no_negative_element,
         "нет отрицательных элементов"},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<TableSnapshot> tables = explained_tables(c.problem, c.settings);
        ASSERT_FALSE(tables.empty());
        ASSERT_TRUE(tables.back().look.choices);
        EXPECT_EQ(tables.back().look.choices->end, c.end);
        EXPECT_NE(sentences(tables.back()).find(c.said), std::string::npos) << sentences(tables.back());
        for (std::size_t k = 0; k + 1 < tables.size(); ++k) {
            if (tables[k].look.choices && !tables[k].look.phase_end) {
                EXPECT_EQ(tables[k].look.choices->end, End::goes_on);
            }
        }
    }
}

TEST(Explanations, PhaseOneEndsWithWZeroBeforePhaseTwo) {
    RunSettings two_phase;
    two_phase.method = SolveMethod::two_phase;
    const std::vector<TableSnapshot> tables = explained_tables(feasible_with_artificial(), two_phase);
    std::size_t phase_ends = 0;
    for (const TableSnapshot& t : tables) {
        if (!t.look.phase_end) continue;
        ++phase_ends;
        ASSERT_TRUE(t.look.choices);
        EXPECT_EQ(t.look.choices->end, End::phase_end);
        EXPECT_NE(sentences(t).find("переход к фазе II"), std::string::npos);
    }
    EXPECT_EQ(phase_ends, 1U);
    EXPECT_EQ(tables.back().look.choices->end, End::optimum);
}

// The text report gains the ratio column and the sentences in both encodings; without the switch
// nothing of them is written.
TEST(Explanations, TheTextReportShowsTheRatioColumnInBothEncodings) {
    const test_support::TempFolder folder("qtb_explanations");
    SimplexIteration problem = negative_element();
    problem.no_table = false;
    problem.file = folder.report_name("report");
    const auto report = [&](bool explain, TextEncoding encoding) {
        run_simplex(problem, RunSettings{.encoding = encoding, .explain = explain});
        return test_support::read_file(cp1251::to_utf8(*problem.file));
    };
    const std::string plain = report(false, TextEncoding::cp1251);
    const std::string cp1251_text = report(true, TextEncoding::cp1251);
    const std::string utf8_text = report(true, TextEncoding::utf8);
    EXPECT_EQ(plain.find("b / a"), std::string::npos);
    EXPECT_EQ(plain.find('\x97'), std::string::npos);
    EXPECT_NE(cp1251_text.find("|    b / a   |\r\n"), std::string::npos) << cp1251_text;
    EXPECT_NE(cp1251_text.find(" \x97 |\r\n"), std::string::npos) << cp1251_text;
    EXPECT_NE(cp1251_text.find("Из базиса выводится x2"_cp1251), std::string::npos);
    EXPECT_NE(utf8_text.find(" — |\n"), std::string::npos) << utf8_text;
    EXPECT_EQ(cp1251::to_utf8(cp1251_text.substr(0, cp1251_text.find("\r\n"))),
              utf8_text.substr(0, utf8_text.find('\n')));
}

}  // namespace
