// The report's forms: the documents mark the key and escape names from files;
// the UTF-8 text report is the Windows-1251 one converted, with LF.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

#include "problem/cp1251.h"
#include "solver/engine/run_observer.h"
#include "solver/report/report_frame.h"
#include "solver/report/report_sinks.h"
#include "solver/session/run_with_report.h"
#include "solver/session/table_recorder.h"
#include "support/problem_builder.h"
#include "support/temp_folder.h"

namespace {

using test_support::TempFolder;

constexpr std::string_view kHostile = "a&b<c>_%$#";

std::size_t count(std::string_view text, std::string_view part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// max 2x1 + 3x2 - M x3, 2x1 + 2x2 + x3 = 4: one pivot (column 2, row 1), then x2 = 2 at the optimum 6.
SimplexIteration hostile_problem(const TempFolder& folder) {
    SimplexIteration p = test_support::make_problem(1, {2, 3, -BIG_M}, {{4, 2, 2, 1}}, 2);
    p.name = std::string(kHostile);
    p.var_names = std::vector<std::string>{"", std::string(kHostile), "y", *cp1251::from_utf8("иск")};
    p.compute_col_widths();
    p.no_table = false;
    p.file = folder.report_name("report");
    return p;
}

std::string report_of(SimplexIteration p, RunSettings settings, const ReportFrame& frame = {}) {
    const SolveOutcome outcome = run_simplex(p, settings, frame);
    EXPECT_TRUE(outcome.status.empty());
    return test_support::read_file(cp1251::to_utf8(*p.file));
}

struct DocumentCase {
    ReportForm form;
    Arithmetic arithmetic;
    std::string_view escaped_name, key_element, half, start, finish;
};

TEST(ReportForms, DocumentsMarkTheKeyElementAndEscapeNames) {
    const DocumentCase cases[] = {
        {ReportForm::latex, Arithmetic::double_precision, R"(a\&b\textless{}c\textgreater{}\_\%\$\#)",
         R"(\fbox{$2.0000$})", "$0.5000$", R"(\documentclass)", "\\end{document}\n"},
        {ReportForm::latex, Arithmetic::exact, R"(a\&b\textless{}c\textgreater{}\_\%\$\#)", R"(\fbox{$2$})",
         R"($\frac{1}{2}$)", R"(\documentclass)", "\\end{document}\n"},
        {ReportForm::html, Arithmetic::double_precision, "a&amp;b&lt;c&gt;_%$#", R"(<td class="key">2.0000</td>)",
         "<td>0.5000</td>", "<!DOCTYPE html>", "</html>\n"},
        {ReportForm::html, Arithmetic::exact, "a&amp;b&lt;c&gt;_%$#", R"(<td class="key">2</td>)", "<td>1/2</td>",
         "<!DOCTYPE html>", "</html>\n"},
    };
    for (const DocumentCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.form) * 10 + static_cast<int>(c.arithmetic));
        const TempFolder folder("qtb_report_forms");
        const std::string document = report_of(
            hostile_problem(folder), {.arithmetic = c.arithmetic, .rule = PivotRule::dantzig, .form = c.form});
        EXPECT_TRUE(document.starts_with(c.start));
        EXPECT_TRUE(document.ends_with(c.finish));
        EXPECT_EQ(count(document, kHostile), 0U);  // never unescaped: title, statement, tables, answer
        EXPECT_GE(count(document, c.escaped_name), 4U);
        EXPECT_EQ(count(document, c.key_element), 1U);       // the pivot of the initial table alone
        EXPECT_EQ(count(document, c.half), 1U);              // x3's column in the optimal table
        EXPECT_NE(document.find("иск"), std::string::npos);  // UTF-8
        EXPECT_NE(document.find("Получено оптимальное решение."), std::string::npos);
    }
}

TEST(ReportForms, Utf8TextIsTheWindows1251TextConverted) {
    const TempFolder folder("qtb_report_forms");
    const ReportFrame frame{
        {*cp1251::from_utf8("Построение: строка 1"), ""},
        [](const SolveOutcome&) { return std::vector<std::string>{*cp1251::from_utf8("Ответ: 6")}; },
        {}};
    for (const Arithmetic arithmetic : {Arithmetic::double_precision, Arithmetic::exact}) {
        const std::string cp1251_text = report_of(hostile_problem(folder), {arithmetic}, frame);
        const std::string utf8_text = report_of(hostile_problem(folder),
                                                {.arithmetic = arithmetic,
                                                 .rule = PivotRule::dantzig,
                                                 .form = ReportForm::text,
                                                 .encoding = TextEncoding::utf8},
                                                frame);
        std::string expected = cp1251::to_utf8(cp1251_text);
        for (auto at = expected.find("\r\n"); at != std::string::npos; at = expected.find("\r\n", at)) {
            expected.erase(at, 1);
        }
        EXPECT_EQ(count(cp1251_text, "\r\n"), count(utf8_text, "\n"));
        EXPECT_EQ(utf8_text.find('\r'), std::string::npos);
        EXPECT_EQ(utf8_text, expected);
        EXPECT_NE(utf8_text.find("Ответ: 6\n"), std::string::npos);
    }
}

// max x1 + ... + x18, x1 + ... + x18 + s = 5: a table wider than a page, and sections of symbols.
SimplexIteration wide_problem(const TempFolder& folder) {
    std::vector<double> costs(19, 1.0);
    costs.back() = 0.0;
    std::vector<double> row(20, 1.0);
    row.front() = 5.0;
    SimplexIteration p = test_support::make_problem(1, costs, {row});
    std::vector<std::string> names{""};
    for (int j = 1; j <= 18; ++j) names.push_back("a" + std::to_string(j));
    names.emplace_back("s");
    p.var_names = names;
    p.compute_col_widths();
    p.no_table = false;
    p.file = folder.report_name("report");
    return p;
}

struct WideCase {
    ReportForm form;
    std::vector<std::string_view> present;  // each at least once
    std::vector<std::string_view> absent;
};

TEST(ReportForms, DocumentsSplitWideTablesAndWriteTheirSymbols) {
    const WideCase cases[] = {
        {ReportForm::latex,
         {R"(\ensuremath{+\infty})", R"(\ensuremath{-\infty})", R"(\ensuremath{\leq})", R"(\ensuremath{-}2)", "иск"},
         {"∞", "≤", "−"}},
        {ReportForm::html, {"+∞", "-∞", "≤", "−2", "иск"}, {"ensuremath"}},
    };
    const ReportFrame frame{{}, {}, [](const SolveOutcome&) {
                                return std::vector<DocumentSection>{
                                    {"Диапазоны", {"иск", "от", "до"}, {{"≤ 1", "-∞", "+∞"}, {"x", "−2", "3"}}, {}}};
                            }};
    for (const WideCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.form));
        const TempFolder folder("qtb_report_forms");
        const std::string document =
            report_of(wide_problem(folder), {.rule = PivotRule::dantzig, .form = c.form}, frame);
        // Each table in parts of 8 columns: a1-a8, a9-a16, a17-s.
        const std::size_t tables = count(document, ", столбцы a1–a8");
        EXPECT_GE(tables, 1U);
        EXPECT_EQ(count(document, ", столбцы a9–a16"), tables);
        EXPECT_EQ(count(document, ", столбцы a17–s"), tables);
        for (const std::string_view text : c.present) EXPECT_NE(document.find(text), std::string::npos) << text;
        for (const std::string_view text : c.absent) EXPECT_EQ(document.find(text), std::string::npos) << text;
    }
}

// Notes and sections come after all the report held before, in its encoding and line ends.
TEST(ReportForms, TextReportAddsNotesAndSectionsAfterItsEnd) {
    const TempFolder folder("qtb_report_forms");
    const auto sections = [](const SolveOutcome&) {
        return std::vector<DocumentSection>{{"", {"Ограничение", "Диапазон"}, {{"1", "[0; +∞]"}}, {}}};
    };
    struct Case {
        bool notes;
        bool with_sections;
        TextEncoding encoding;
        std::string_view added;
    };
    const Case cases[] = {
        {false, false, TextEncoding::cp1251, ""},
        {true, false, TextEncoding::cp1251, "\r\nЗамечания:\r\nИтераций: 1.\r\n"},
        {false, true, TextEncoding::cp1251,
         "\r\nАнализ чувствительности (по последней таблице):\r\n   Ограничение  Диапазон\r\n   1"
         "             [0; +inf]\r\n"},
        {true, false, TextEncoding::utf8, "\nЗамечания:\nИтераций: 1.\n"},
    };
    for (const Case& c : cases) {
        const RunSettings settings{.form = ReportForm::text, .encoding = c.encoding};
        const std::string plain = report_of(hostile_problem(folder), settings);
        ReportFrame frame;
        if (c.with_sections) frame.closing_sections = sections;
        frame.text_notes = c.notes;
        const std::string report = report_of(hostile_problem(folder), settings, frame);
        ASSERT_TRUE(report.starts_with(plain));
        const std::string added = report.substr(plain.size());
        EXPECT_EQ(c.encoding == TextEncoding::utf8 ? added : cp1251::to_utf8(added), c.added);
    }
}

// The preamble lines a piece of LaTeX needs, found from what it writes: Cyrillic, longtables, shaded cells and
// each colour they are shaded in (its definition as `document` has it).
std::set<std::string> lines_called_for(std::string_view latex, const std::string& document) {
    std::set<std::string> lines;
    if (std::any_of(latex.begin(), latex.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
        lines.insert({R"(\usepackage[T2A]{fontenc})", R"(\usepackage[utf8]{inputenc})"});
    }
    if (latex.find(R"(\begin{longtable})") != std::string_view::npos) lines.insert(R"(\usepackage{longtable})");
    constexpr std::string_view kShade = R"(\cellcolor{)";
    for (auto at = latex.find(kShade); at != std::string_view::npos; at = latex.find(kShade, at + 1)) {
        lines.insert(R"(\usepackage[table]{xcolor})");
        const std::string colour(latex.substr(at + kShade.size(), latex.find('}', at) - at - kShade.size()));
        const std::size_t definition = document.find("\\definecolor{" + colour + "}");
        EXPECT_NE(definition, std::string::npos) << colour;
        if (definition != std::string::npos)
            lines.insert(document.substr(definition, document.find('\n', definition) - definition));
    }
    return lines;
}

// A table copied alone says above itself, in a comment, exactly the report's preamble lines it needs.
TEST(ReportForms, ACopiedLatexTableNamesThePreambleItNeeds) {
    const TempFolder folder("qtb_report_forms");
    SimplexIteration problem = hostile_problem(folder);
    const std::string document = report_of(problem, {.form = ReportForm::latex});
    TableRecorder recorder;
    problem.no_table = true;
    run_simplex(problem, RunSettings{}, ReportFrame{}, RunObserver{&recorder, {}, nullptr});
    const std::shared_ptr<RecordedRun> run = recorder.take();
    ASSERT_EQ(run->tables.size(), 2U);  // with a pivot, then the optimum
    for (const TableSnapshot& table : run->tables) {
        SCOPED_TRACE(table.iteration);
        const std::string copied = latex_table_fragment(table);
        std::size_t body_at = 0;  // past the comment's lines
        while (copied.compare(body_at, 1, "%") == 0) body_at = copied.find('\n', body_at) + 1;
        std::istringstream note(copied.substr(0, body_at));
        std::string line;
        ASSERT_TRUE(std::getline(note, line));
        EXPECT_EQ(line, "% Нужно в преамбуле:");
        std::set<std::string> noted;
        while (std::getline(note, line)) {
            ASSERT_TRUE(line.starts_with("% ")) << line;
            noted.insert(line.substr(2));
            EXPECT_NE(document.find('\n' + line.substr(2) + '\n'), std::string::npos) << line;  // the report's own
        }
        const std::string_view body = std::string_view(copied).substr(body_at);
        EXPECT_EQ(noted, lines_called_for(body, document));
        EXPECT_EQ(body.find(R"(\cellcolor)") != std::string_view::npos, table.key_column != 0);
    }
}

}  // namespace
