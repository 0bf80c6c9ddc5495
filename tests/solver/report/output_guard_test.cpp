#include "solver/report/output_guard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "problem/cp1251.h"
#include "solver/report/output_marker.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using test_support::TempFolder;
using test_support::write_file;

const std::string kMarker(kOutputMarker);
const std::string kTopRule = "          +--------+--------+\r\n";

// What a file holds, and whether the program knows it for an earlier output of that kind.
TEST(OutputGuard, KnowsItsOwnEarlierOutputsByTheirContent) {
    const TempFolder dir("qtb_output_guard");
    const struct {
        std::string bytes;
        OutputKind kind;
        bool earlier;
    } cases[] = {
        {"", OutputKind::text_report, true},  // nothing to lose
        {kTopRule + "  исходная таблица  |"_cp1251.data(), OutputKind::text_report, true},
        {"Задача: Пример\r\n"_cp1251.data() + kTopRule, OutputKind::text_report, true},
        {"Задача: Пример\nзаметки\n", OutputKind::text_report, false},
        {"Задача: Пример\r\nФаза I\r\n"_cp1251.data() + kTopRule, OutputKind::text_report, true},  // two phases
        {"Фаза II\n" + kTopRule, OutputKind::text_report, true},
        {"Фаза III\n" + kTopRule, OutputKind::text_report, false},
        {"Модель: m\nЦель: максимум\nПеременные:\n  x: x >= 0\n", OutputKind::text_report, true},  // UTF-8
        {"Цель: минимум\r\nПеременные:\r\n"_cp1251.data(), OutputKind::text_report, true},
        {"Решение остановлено пользователем после итерации 3.\r\n"_cp1251.data(), OutputKind::text_report, true},
        {"Решение остановлено пользователем после итерации .\r\n"_cp1251.data(), OutputKind::text_report, false},
        {"Узел 1: задача без условий целочисленности\r\nГраницы: нет.\r\n"_cp1251.data(), OutputKind::text_report,
         true},
        {"Задача без условий целочисленности\nМетод Гомори (отсечения дробных частей): ...\n", OutputKind::text_report,
         true},
        {"Задача без условий целочисленности\nмои заметки\n", OutputKind::text_report, false},
        {"Транспортная задача «Перевозки»\r\n\r\n"_cp1251.data(), OutputKind::text_report, true},
        {"Транспортная задача: решить к пятнице\n", OutputKind::text_report, false},
        {"data;\nparam a := 6;\nend;\n", OutputKind::text_report, false},
        {"+---+---+\r\n", OutputKind::text_report, false},  // a full rule is not how a report begins
        {"\\documentclass{article}\n% " + kMarker + "\n", OutputKind::latex_document, true},
        {"\\documentclass{article}\n% my notes\n", OutputKind::latex_document, false},
        {"<!DOCTYPE html>\n<!-- " + kMarker + " -->\n", OutputKind::html_document, true},
        {"<!DOCTYPE html>\n<!-- " + kMarker + " -->\n", OutputKind::latex_document, false},
        {"<?xml version=\"1.0\"?>\n<!-- " + kMarker + " -->\n<svg/>", OutputKind::svg_picture, true},
        {"Aim: max\nSize: 1 2\nMatrix:\n 1 0\n 4 1 1\nFile: r.txt\n", OutputKind::problem_file, true},
        {"Aim: max\nSize: 1 2\n", OutputKind::problem_file, false},
    };
    for (const auto& c : cases) {
        write_file(dir.path() / "f", c.bytes);
        EXPECT_EQ(is_earlier_output(dir.path() / "f", c.kind), c.earlier) << c.bytes;
    }
}

TEST(OutputGuard, NeverAnInputAndAForeignFileOnlyUnderTheUsersName) {
    const TempFolder dir("qtb_output_guard");
    const fs::path problem = dir.path() / "p.qtb";
    write_file(problem, "problem");
    write_file(dir.path() / "notes.txt", "notes");
    write_file(dir.path() / "old.txt", "Задача: P\r\n"_cp1251.data() + kTopRule);
    fs::create_symlink(problem, dir.path() / "link.qtb");
    fs::create_hard_link(problem, dir.path() / "hard.qtb");
    fs::create_symlink(dir.path() / "nowhere.txt", dir.path() / "dangling.txt");
    const RunInput inputs[] = {{problem, "файлом задачи"}};
    const struct {
        fs::path target;
        bool named;
        OutputVerdict verdict;
    } cases[] = {
        {problem, true, OutputVerdict::input_file},
        {dir.path() / "sub/../p.qtb", true, OutputVerdict::input_file},
        {dir.path() / "link.qtb", true, OutputVerdict::input_file},
        {dir.path() / "hard.qtb", false, OutputVerdict::input_file},
        {dir.path() / "notes.txt", false, OutputVerdict::foreign_file},
        {dir.path() / "notes.txt", true, OutputVerdict::write},
        {dir.path() / "old.txt", false, OutputVerdict::write},
        {dir.path() / "new.txt", false, OutputVerdict::write},
        {dir.path() / "dangling.txt", false, OutputVerdict::foreign_file},
        {dir.path(), false, OutputVerdict::write},  // a folder: the writer cannot open it and says so (code 7)
    };
    for (const auto& c : cases) {
        EXPECT_EQ(check_output({c.target, OutputKind::text_report, c.named}, inputs).verdict, c.verdict) << c.target;
    }
}

TEST(OutputGuard, AReportNameFromAProblemFileStaysInItsFolder) {
    const TempFolder dir("qtb_output_guard");
    fs::create_directory(dir.path() / "sub");
    fs::create_directory_symlink(fs::temp_directory_path(), dir.path() / "out");
    const struct {
        const char* name;  // UTF-8 here, Windows-1251 in the record
        bool leaves;
    } cases[] = {
        {"r.txt", false},      {"./sub/отчёт.txt", false},   {"sub/../r.txt", false}, {"../x", true},
        {"sub/../../x", true}, {"/home/t/grades.txt", true}, {"out/x", true},         {"sub/../out/x", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(report_name_leaves_folder(cp1251::from_utf8(c.name).value(), dir.path()), c.leaves) << c.name;
    }
}

}  // namespace
