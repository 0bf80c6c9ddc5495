// qtb-solve as its users meet it: the built program run in temporary folders.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "problem/cp1251.h"
#include "support/temp_folder.h"
#include "support/tool_run.h"

namespace {

using namespace test_support;

namespace fs = std::filesystem;

// Problem files are Windows-1251; these are written in UTF-8 here and converted.
void write_problem(const fs::path& path, std::string_view utf8_text) {
    write_file(path, *cp1251::from_utf8(utf8_text));
}

// max 3x1 + 2x2: x1 + x2 <= 4, 2x1 + x2 <= 6 -> x1 = x2 = 2, F = 10 after two pivots.
constexpr std::string_view kMaximum =
    "Name: Пример\nAim: max\nSize: 2 4\nVar_names: x1 x2 s1 s2\nMatrix:\n 3 2 0 0\n 4 1 1 1 0\n 6 2 1 0 1\n"
    "File: report.txt\n";
constexpr std::string_view kMaximumJson =
    R"({"ok": true, "end": "optimal", "objective": 10, "solution": [10, 2, 2, 0, 0], "iterations": 2, )"
    R"("pivots": [[1, 2], [2, 1]], "alternative_optima": false, "alternative_columns": [], "degenerate": false, "degenerate_pivots": 0})"
    "\n";

// Beale's cycling example: stopped by the limit 4 x (3 + 1) = 16 with the objective 0.
constexpr std::string_view kCycling =
    "Aim: max\nSize: 3 7\nMatrix:\n 10 -57 -9 -24 0 0 0\n 0 0.5 -5.5 -2.5 9 1 0 0\n 0 0.5 -1.5 -0.5 1 0 1 0\n"
    " 1 1 0 0 0 0 0 1\nFile: cycle.txt\nNoTable\n";

// max x1 + x2 with -x1 + x2 + s = 2: unbounded at once.
constexpr std::string_view kUnbounded = "Aim: max\nSize: 1 3\nMatrix:\n 1 1 0\n 2 -1 1 1\nFile: u.txt\n";

std::size_t table_count(std::string_view report) {
    const std::string_view marker = "о ц е н о к"_cp1251;
    std::size_t count = 0;
    for (auto at = report.find(marker); at != std::string_view::npos; at = report.find(marker, at + 1)) ++count;
    return count;
}

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

class QtbSolve : public testing::Test {
protected:
    fs::path at(std::string_view leaf) const { return dir_.path() / fs::path(std::string(leaf)); }
    ToolRun run(const std::vector<std::string>& args) const { return run_tool(dir_.path(), args); }
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_.path())) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder dir_{"qtb_cli"};
};

TEST_F(QtbSolve, SolvesForPeopleInRussian) {
    write_problem(at("p.qtb"), kMaximum);
    const ToolRun r = run({"p.qtb"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "Задача: Пример\n"));
    EXPECT_TRUE(contains(r.out, "Решение получено: оптимум.\n"));
    EXPECT_TRUE(contains(r.out, "Значение целевой функции: 10\n"));
    EXPECT_TRUE(contains(r.out, "  x1 = 2\n  x2 = 2\n  s1 = 0\n  s2 = 0\n"));
    EXPECT_TRUE(contains(r.out, "Отчёт: report.txt\n"));
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(table_count(read_file(at("report.txt"))), 3u);
}

TEST_F(QtbSolve, JsonOnSuccess) {
    write_problem(at("p.qtb"), kMaximum);
    const ToolRun r = run({"--json", "p.qtb"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kMaximumJson);
}

TEST_F(QtbSolve, ProblemFileErrorsExitWithOne) {
    write_problem(at("bare.qtb"), "Size: 1 2\nMatrix: 1 0 4 1 1\n");  // neither Aim: nor File:
    const ToolRun r = run({"--json", "bare.qtb"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, R"({"ok": false, "stage": "read", "codes": [14, 15], "messages": )"
                     R"(["Вы забыли указать критерий функции цели", )"
                     R"("Вы забыли указать имя файла для вывода результатов"], "lines": [null, null]})"
                     "\n");

    const ToolRun missing = run({"--json", "missing.qtb"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(contains(missing.out, R"("stage": "read", "codes": [1])"));

    const ToolRun text = run({"bare.qtb"});
    EXPECT_EQ(text.status, 1);
    EXPECT_TRUE(contains(text.out, "Вы забыли указать критерий функции цели (код 14)\n"));
}

// A misspelt keyword is a warning: on standard error, in JSON's "warnings", the status and the result unchanged.
TEST_F(QtbSolve, SkippedKeywordIsAWarning) {
    write_problem(at("p.qtb"), std::string(kMaximum) + "Prnt: 1 2\n");
    const ToolRun json = run({"--json", "p.qtb"});
    EXPECT_EQ(json.status, 0);
    const std::string warnings =
        R"(, "warnings": [{"line": 10, "message": "«Prnt:» не ключевое слово, оно пропущено"}]})";
    ASSERT_TRUE(json.out.ends_with(warnings + "\n")) << json.out;
    EXPECT_EQ(json.out.substr(0, json.out.size() - warnings.size() - 1),
              kMaximumJson.substr(0, kMaximumJson.size() - 2));
    EXPECT_EQ(json.err, "qtb-solve: предупреждение: строка 10: «Prnt:» не ключевое слово, оно пропущено\n");

    const ToolRun missing = run({"missing.qtb"});
    EXPECT_TRUE(contains(missing.out, "Подсказка: не удаётся открыть файл задачи «missing.qtb»: такого файла нет\n"))
        << missing.out;
}

TEST_F(QtbSolve, FailedRunsExitWithTwoAndTheirCodes) {
    write_problem(at("u.qtb"), kUnbounded);
    const ToolRun r = run({"--json", "u.qtb"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(
        r.out,
        R"({"ok": false, "stage": "solve", "codes": [12], "messages": )"
        R"(["Функция неогpаничена в области допустимых pешениий"], "lines": [null], "iterations": 0, "pivots": []})"
        "\n");
    const ToolRun text = run({"u.qtb"});
    EXPECT_EQ(text.status, 2);
    EXPECT_TRUE(contains(text.out, "Решение не получено:\n"));
    EXPECT_TRUE(contains(text.out, "(код 12)"));
}

// The exit status tells whether the run reached an optimum; a model stops at a repeated basis.
TEST_F(QtbSolve, ExitStatusTellsTheEnd) {
    write_problem(at("p.qtb"), kMaximum);
    write_problem(at("c.qtb"), kCycling);
    write_file(at("beale.lp"),
               "Minimize\n cost: -0.75 x4 + 150 x5 - 0.02 x6 + 6 x7\nSubject To\n"
               " r1: 0.25 x4 - 60 x5 - 0.04 x6 + 9 x7 <= 0\n r2: 0.5 x4 - 90 x5 - 0.02 x6 + 3 x7 <= 0\n"
               " r3: x6 <= 1\nEnd\n");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string_view json_part;
    };
    const Case cases[] = {
        {{"p.qtb"}, 0, R"("end": "optimal")"},
        {{"--stop", "1", "p.qtb"}, 3, R"("end": "iteration_limit")"},
        {{"c.qtb"}, 3, R"("cycle": [0, 6])"},
        {{"beale.lp"}, 3, R"("end": "cycling")"},
        {{"--arithmetic", "exact", "beale.lp"}, 3, R"("cycle": [0, 6])"},
        {{"--rule", "bland", "--arithmetic", "exact", "beale.lp"}, 0, R"("objective": "-1/20")"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"--json", "--tables", "none"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ToolRun r = run(args);
        EXPECT_EQ(r.status, c.status) << r.out;
        EXPECT_TRUE(contains(r.out, c.json_part)) << r.out;
    }
    // A model's report ends with what stopped its run, not with its answer.
    for (const char* form : {"text", "latex", "html"}) {
        ASSERT_EQ(run({"--output", form, "--report", "m.out", "--stop", "2", "beale.lp"}).status, 3) << form;
        const std::string bytes = read_file(at("m.out"));
        const std::string report = std::string_view(form) == "text" ? cp1251::to_utf8(bytes) : bytes;
        EXPECT_TRUE(contains(report, "пределом числа итераций (2)")) << form;
        EXPECT_FALSE(contains(report, "Ответ в переменных модели")) << form;
    }
}

TEST_F(QtbSolve, TellsARunStoppedByTheIterationLimit) {
    write_problem(at("c.qtb"), kCycling);
    const ToolRun json = run({"--json", "c.qtb"});
    EXPECT_EQ(json.status, 3);
    EXPECT_EQ(json.out,
              R"({"ok": true, "end": "iteration_limit", "objective": 0, "solution": [0, 0, 0, 0, 0, 0, 0, 1], )"
              R"("iterations": 16, "pivots": [[1, 1], [2, 2], [3, 1], [4, 2], [5, 1], [6, 2], [1, 1], [2, 2], )"
              R"([3, 1], [4, 2], [5, 1], [6, 2], [1, 1], [2, 2], [3, 1], [4, 2]], "cycle": [0, 6], )"
              R"("alternative_optima": false, )"
              R"("alternative_columns": [], "degenerate": false, "degenerate_pivots": 16})"
              "\n");
    const ToolRun text = run({"c.qtb"});
    EXPECT_TRUE(contains(text.out, "пределом числа итераций"));
    EXPECT_TRUE(contains(text.out, "не оптимальна"));
    EXPECT_TRUE(contains(text.out, "Итераций: 16\n"));
    EXPECT_TRUE(contains(text.out, "Таблицы не выводились.\n"));
    EXPECT_TRUE(contains(text.out, "Базис итерации 6 повторяет базис итерации 0"));
    EXPECT_FALSE(contains(text.out, "Значения переменных"));
    EXPECT_EQ(files(), std::vector<std::string>{"c.qtb"});
}

TEST_F(QtbSolve, TablesOptionChoosesTheTablesAndDropsTheFilesInterval) {
    write_problem(at("p.qtb"), std::string(kMaximum) + "Print: 5 9\n");  // would print nothing
    const struct {
        const char* mode;
        std::size_t tables;
    } modes[] = {{"all", 3}, {"data", 1}, {"optimal", 1}, {"data+optimal", 2}};
    for (const auto& mode : modes) {
        const ToolRun r = run({"--tables", mode.mode, "p.qtb"});
        EXPECT_EQ(r.status, 0) << mode.mode;
        EXPECT_EQ(table_count(read_file(at("report.txt"))), mode.tables) << mode.mode;
    }
    fs::remove(at("report.txt"));
    EXPECT_EQ(run({"--tables=none", "--json", "p.qtb"}).out, kMaximumJson);
    EXPECT_EQ(files(), std::vector<std::string>{"p.qtb"});
}

TEST_F(QtbSolve, PrintOptionSelectsAnInterval) {
    write_problem(at("p.qtb"), std::string(kMaximum) + "OnlyDataTable\n");  // the interval mode clears it
    EXPECT_EQ(run({"--print", "1:1", "p.qtb"}).status, 0);
    const std::string one = read_file(at("report.txt"));
    EXPECT_EQ(table_count(one), 1u);
    EXPECT_TRUE(contains(one, "Итерация: 1"_cp1251));
    EXPECT_EQ(run({"--print=2:2", "p.qtb"}).status, 0);
    EXPECT_EQ(table_count(read_file(at("report.txt"))), 1u);  // the final table
    EXPECT_EQ(run({"--print", "-3:0", "p.qtb"}).status, 0);
    EXPECT_EQ(table_count(read_file(at("report.txt"))), 3u);
}

TEST_F(QtbSolve, AccuracyOptionSetsTheNumberFormat) {
    write_problem(at("p.qtb"), kMaximum);
    EXPECT_EQ(run({"--accuracy", "6:2", "p.qtb"}).status, 0);
    const std::string report = read_file(at("report.txt"));
    EXPECT_TRUE(contains(report, "|   2.00 |"));
    EXPECT_FALSE(contains(report, "2.0000"));
}

TEST_F(QtbSolve, ReportOptionNamesAnotherFileFromTheCurrentFolder) {
    fs::create_directory(at("sub"));
    write_problem(at("sub/p.qtb"), kMaximum);
    EXPECT_EQ(run({"--report", "отчёт.txt", "sub/p.qtb"}).status, 0);
    EXPECT_EQ(files(), (std::vector<std::string>{"sub", "отчёт.txt"}));
    EXPECT_EQ(table_count(read_file(at("отчёт.txt"))), 3u);
    // The file's own relative name is taken from the current folder as well.
    EXPECT_EQ(run({"sub/p.qtb"}).status, 0);
    EXPECT_TRUE(fs::exists(at("report.txt")));
    EXPECT_FALSE(fs::exists(at("sub/report.txt")));
}

TEST_F(QtbSolve, DocumentsTakeTheirExtensionUnlessTheReportIsNamed) {
    write_problem(at("p.qtb"), kMaximum);
    EXPECT_EQ(run({"--output", "latex", "p.qtb"}).status, 0);
    EXPECT_EQ(run({"--output=html", "p.qtb"}).status, 0);
    EXPECT_EQ(run({"--output", "html", "--report", "page.txt", "p.qtb"}).status, 0);
    EXPECT_EQ(run({"--output", "text", "--encoding", "utf-8", "p.qtb"}).status, 0);
    EXPECT_EQ(files(), (std::vector<std::string>{"p.qtb", "page.txt", "report.html", "report.tex", "report.txt"}));
    EXPECT_TRUE(read_file(at("report.tex")).starts_with("\\documentclass"));
    EXPECT_TRUE(read_file(at("page.txt")).starts_with("<!DOCTYPE html>"));
    EXPECT_TRUE(contains(read_file(at("report.txt")), "Задача: Пример\n"));
}

TEST_F(QtbSolve, AReportNameInTheFileIsWindows1251AndBecomesUtf8) {
    write_problem(at("p.qtb"), "Цель: максимум\nРазмерность: 1 2\nМатрица:\n 1 0\n 4 1 1\nФайл: итоги.txt\n");
    const ToolRun r = run({"p.qtb"});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(contains(r.out, "Отчёт: итоги.txt\n"));
    EXPECT_EQ(files(), (std::vector<std::string>{"p.qtb", "итоги.txt"}));
}

TEST_F(QtbSolve, NeverWritesTheReportOverTheProblem) {
    write_problem(at("p.qtb"), kMaximum);
    const std::string problem = read_file(at("p.qtb"));
    for (const std::string& name : {std::string("p.qtb"), std::string("./p.qtb"), at("p.qtb").string()}) {
        const ToolRun r = run({"--json", "--report", name, "p.qtb"});
        EXPECT_EQ(r.status, 2) << name;
        EXPECT_TRUE(contains(r.out, R"("stage": "solve", "codes": [7])")) << name;
        EXPECT_EQ(read_file(at("p.qtb")), problem) << name;
        EXPECT_TRUE(contains(r.err, "совпадает с файлом задачи")) << name;
    }
    write_problem(at("self.qtb"), "Aim: max\nSize: 1 2\nMatrix:\n 1 0\n 4 1 1\nFile: self.qtb\n");
    const std::string self = read_file(at("self.qtb"));
    EXPECT_EQ(run({"self.qtb"}).status, 2);
    EXPECT_EQ(read_file(at("self.qtb")), self);
    // Without tables nothing is written, so nothing is in danger.
    EXPECT_EQ(run({"--tables", "none", "self.qtb"}).status, 0);
}

// Each way an output could take the place of a file the user keeps: refused with status 2 and the file's
// bytes unchanged, unless the command line names the file or allows it.
TEST_F(QtbSolve, ReplacesOnlyItsOwnOutputsOrWhatTheUserNames) {
    fs::create_directory(at("sub"));
    const std::string lp = "Maximize\n z: x + y\nSubject To\n c1: x + 2 y <= 6\n c2: 3 x + y <= 6\nEnd\n";
    const std::string in_folder = "Aim: max\nSize: 1 2\nMatrix:\n 1 0\n 4 1 1\nFile: ";
    const struct {
        std::vector<std::string> args;
        const char* kept;  // the file the run must not touch (in the test's folder)
        int status;
        const char* said;  // in stderr
    } cases[] = {
        {{"--output", "latex", "problem.lp"}, "problem.tex", 2, "«problem.tex» уже существует"},
        {{"--output", "latex", "--overwrite", "problem.lp"}, "problem.tex", 0, ""},
        {{"--output", "latex", "--report", "problem.tex", "problem.lp"}, "problem.tex", 0, ""},
        {{"tr.mod", "--data", "tr.txt"}, "tr.txt", 2, "совпадает с файлом данных"},
        {{"--overwrite", "tr.mod", "--data", "tr.txt"}, "tr.txt", 2, "совпадает с файлом данных"},
        {{"--plot", "two.lp", "two.lp"}, "two.lp", 2, "совпадает с файлом модели"},
        {{"--write-qtb", "two.lp", "two.lp"}, "two.lp", 2, "совпадает с файлом модели"},
        {{"--overwrite", "--plot", "report.txt", "notes.qtb"}, "report.txt", 2, "совпадает с файлом отчёта"},
        {{"notes.qtb"}, "report.txt", 2, "«report.txt» уже существует"},
        {{"--overwrite", "notes.qtb"}, "report.txt", 0, ""},
        {{"up.qtb"}, "x", 2, "указывает вне папки"},
        {{"grades.qtb"}, "grades.txt", 2, "указывает вне папки"},
        {{"--allow-report-path", "grades.qtb"}, "grades.txt", 2, "уже существует"},
        {{"--allow-report-path", "--overwrite", "grades.qtb"}, "grades.txt", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back() + " " + c.args.front());
        write_file(at("problem.tex"), "% the teacher's notes\n");
        write_file(at("problem.lp"), lp);
        write_file(at("two.lp"), lp);
        write_file(at("tr.mod"), "param a;\nvar x >= 0;\nmaximize z: x;\ns.t. c: x <= a;\nend;\n");
        write_file(at("tr.txt"), "data;\nparam a := 6;\nend;\n");
        write_file(at("report.txt"), "мои заметки\n");
        write_file(at("x"), "outside\n");
        write_file(at("grades.txt"), "grades\n");
        write_problem(at("notes.qtb"), in_folder + "report.txt\n");
        write_problem(at("sub/up.qtb"), in_folder + "../x\n");
        write_problem(at("sub/grades.qtb"), in_folder + at("grades.txt").string() + "\n");
        const std::string kept = read_file(at(c.kept));
        const bool in_sub = c.args.back().ends_with("up.qtb") || c.args.back().ends_with("grades.qtb");
        const ToolRun r = run_tool(in_sub ? at("sub") : dir_.path(), c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_TRUE(contains(r.err, c.said)) << r.err;
        EXPECT_EQ(read_file(at(c.kept)) == kept, c.status != 0);
    }
    // A report the program wrote may be written again; a named file it did not write is the user's to replace.
    write_problem(at("p.qtb"), kMaximum);
    fs::remove(at("report.txt"));
    for (const char* form : {"text", "latex", "html"}) {
        EXPECT_EQ(run({"--output", form, "p.qtb"}).status, 0) << form;
        EXPECT_EQ(run({"--output", form, "p.qtb"}).status, 0) << form;
    }
}

TEST_F(QtbSolve, AReportThatCannotBeWrittenIsCodeSeven) {
    write_problem(at("p.qtb"), kMaximum);
    const ToolRun missing_folder = run({"--json", "--report", "nowhere/r.txt", "p.qtb"});
    EXPECT_EQ(missing_folder.status, 2);
    EXPECT_TRUE(contains(missing_folder.out, R"("codes": [7])"));
    fs::create_directory(at("folder"));
    EXPECT_EQ(run({"--report", "folder", "p.qtb"}).status, 2);
    if (fs::exists("/dev/full")) {
        const ToolRun full = run({"--json", "--report", "/dev/full", "p.qtb"});
        EXPECT_EQ(full.status, 2);
        EXPECT_TRUE(contains(full.out, R"("codes": [7])"));
    }
}

TEST_F(QtbSolve, BadUsageExitsWith64AndSaysWhy) {
    write_problem(at("p.qtb"), kMaximum);
    const std::vector<std::vector<std::string>> refused = {
        {},
        {"p.qtb", "q.qtb"},
        {"--bogus", "p.qtb"},
        {"--tables", "some", "p.qtb"},
        {"--tables", "all", "--tables", "none", "p.qtb"},
        {"--tables", "all", "--print", "1:2", "p.qtb"},
        {"--print", "3:2", "p.qtb"},
        {"--print", "1:0", "p.qtb"},
        {"--print", "-5:-1", "p.qtb"},
        {"--print", "2", "p.qtb"},
        {"--print", "1:2x", "p.qtb"},
        {"--print", "1:99999999999", "p.qtb"},
        {"--accuracy", "5:5", "p.qtb"},
        {"--accuracy", "0:0", "p.qtb"},
        {"--accuracy", "10:-1", "p.qtb"},
        {"--report", "中.txt", "p.qtb"},
        {"--report", "", "p.qtb"},
        {"p.qtb", "--report"},
        {"--arithmetic", "float", "p.qtb"},
        {"--rule", "bland", "--rule", "bland", "p.qtb"},
        {"--output", "pdf", "p.qtb"},
        {"--encoding", "koi8-r", "p.qtb"},
        {"--time-limit", "0", "p.qtb"},
        {"--time-limit", "-1", "p.qtb"},
        {"--time-limit", "1s", "p.qtb"},
        {"--time-limit", "inf", "p.qtb"},
        {"--time-limit=1", "--time-limit=2", "p.qtb"},
    };
    for (const auto& args : refused) {
        const ToolRun r = run(args);
        std::string shown;
        for (const auto& a : args) shown += a + " ";
        EXPECT_EQ(r.status, 64) << shown;
        EXPECT_TRUE(contains(r.err, "qtb-solve: ")) << shown;
        EXPECT_EQ(r.out, "") << shown;
    }
    EXPECT_EQ(files(), std::vector<std::string>{"p.qtb"});
}

TEST_F(QtbSolve, AcceptedEdgesOfTheOptions) {
    write_problem(at("p.qtb"), kMaximum);
    EXPECT_EQ(run({"--print", "7:7", "--accuracy", "1:0", "p.qtb"}).status, 0);
    EXPECT_EQ(run({"--json", "--", "p.qtb"}).out, kMaximumJson);
}

TEST_F(QtbSolve, HelpDocumentsEveryOption) {
    const ToolRun r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* word : {"--tables", "all|data|optimal|data+optimal|none", "--print", "--accuracy", "--report",
                             "--json", "iteration_limit", "64", "70", "--output", "text|latex|html", "--encoding",
                             "cp1251|utf-8", "--time-limit", "--allow-large-report"}) {
        EXPECT_TRUE(contains(r.out, word)) << word;
    }
}

// A slip in the iteration limit would write gigabytes: refused before the run with the estimate,
// unless allowed (then a tiny time limit ends the run at its first table).
TEST_F(QtbSolve, ALargeReportIsRefusedUnlessAllowed) {
    write_problem(at("p.qtb"), std::string(kCycling.substr(0, kCycling.find("NoTable"))) + "Stop: 10000000\n");
    const ToolRun refused = run({"p.qtb"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(contains(refused.out, "ГБ") && contains(refused.out, "--allow-large-report")) << refused.out;
    const ToolRun json = run({"--json", "p.qtb"});
    EXPECT_EQ(json.status, 2);
    EXPECT_TRUE(contains(json.out, R"({"ok": false, "stage": "solve", "codes": [], "messages": ["отчёт)")) << json.out;
    EXPECT_EQ(files(), std::vector<std::string>{"p.qtb"});

    const ToolRun allowed = run({"--allow-large-report", "--time-limit", "0.000001", "p.qtb"});
    EXPECT_EQ(allowed.status, 3) << allowed.err;
    EXPECT_TRUE(contains(allowed.out, "Счёт остановлен пределом времени (1e-06 с) после итерации 0")) << allowed.out;
    EXPECT_EQ(allowed.err, "");  // no progress line off a terminal
    EXPECT_EQ(table_count(read_file(at("cycle.txt"))), 1U);
    EXPECT_TRUE(
        contains(run({"--json", "--tables", "none", "--time-limit", "1e-6", "p.qtb"}).out, R"("end": "time_limit")"));
}

// The dual simplex method refuses a slack basis that is not dual feasible before any output, with its
// own status; on a problem it fits it tells the answer in the problem's columns.
TEST_F(QtbSolve, TheDualSimplexMethodRefusesWhatItDoesNotFit) {
    write_problem(at("p.qtb"), kMaximum);
    const ToolRun refused = run({"--method", "dual", "p.qtb"});
    EXPECT_EQ(refused.status, 4);
    EXPECT_TRUE(contains(refused.out,
                         "Решение не начато:\n  Базис из дополнительных переменных не является "
                         "двойственно допустимым (оценки x1 = -3 < 0, x2 = -2 < 0)"))
        << refused.out;
    const ToolRun json = run({"--json", "--method", "dual", "p.qtb"});
    EXPECT_EQ(json.status, 4);
    EXPECT_TRUE(contains(json.out, R"({"ok": false, "stage": "method", "codes": [], "messages": ["Базис)")) << json.out;
    EXPECT_EQ(files(), std::vector<std::string>{"p.qtb"});

    // min 2 x1 + 3 x2: x1 + x2 >= 4, x1 + 3 x2 >= 6 with r1, r2 artificial.
    write_problem(
        at("d.qtb"),
        "Aim: min\nSize: 2 6\nBase: 4\nMatrix:\n 2 3 0 0 M M\n 4 1 1 -1 0 1 0\n 6 1 3 0 -1 0 1\nFile: d.txt\n");
    const ToolRun solved = run({"--json", "--method", "dual", "d.qtb"});
    EXPECT_EQ(solved.status, 0) << solved.err;
    EXPECT_TRUE(contains(solved.out, R"("objective": 9, "solution": [9, 3, 1, 0, 0, 0, 0], "iterations": 2, )"
                                     R"("pivots": [[2, 2], [1, 1]], "method": "dual")"))
        << solved.out;
}

// Names from the file never reach the terminal as escape sequences; the report keeps them.
TEST_F(QtbSolve, ControlCharactersOfNamesAreWrittenOut) {
    write_problem(at("p.qtb"),
                  "Name: A\x1b]0;title\x07"
                  "B\nAim: max\nSize: 2 4\nVar_names: x\x1b[2J x2 s1 s2\nMatrix:\n 3 2 0 0\n"
                  " 4 1 1 1 0\n 6 2 1 0 1\nFile: report.txt\n");
    const ToolRun text = run({"p.qtb"});
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.out.find('\x1b'), std::string::npos);
    EXPECT_TRUE(contains(text.out, "Задача: A\\x1B]0;title\\x07B\n")) << text.out;
    EXPECT_TRUE(contains(text.out, "  x\\x1B[2J = 2\n")) << text.out;
    EXPECT_TRUE(contains(read_file(at("report.txt")), "x\x1b[2J"));  // the report keeps the name
}

}  // namespace
