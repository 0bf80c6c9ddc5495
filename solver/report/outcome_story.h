#pragma once

// The one account of a run's outcome for people (UTF-8): the verdict, the answer, why there is none, the
// remarks on the optimum, the settings the run was made with and what stopped it. The command line, the
// documents, the text report's notes and the window all tell it from here, each in its own form.

#include <cstdint>
#include <string>
#include <vector>

#include "solver/engine/run_types.h"
#include "solver/report/people_format.h"

// One value of the answer: "x1 = 2", with its mark when the variable is artificial.
struct StoryValue {
    std::string name;
    std::string value;
    bool artificial = false;
};
std::string story_value_line(const StoryValue& value);

struct OutcomeStory {
    // "Решение получено: оптимум.", "Оптимум не достигнут." or, with status codes, "Решение не получено:".
    std::string verdict;
    // The status texts "… (код n)", and why the iteration limit may have come before feasibility.
    std::vector<std::string> failure;
    std::string objective;  // the objective's value; empty when the run has no solution
    std::vector<StoryValue> values;
    // A repeated basis the end of the run does not tell (a double run may leave its cycle by rounding).
    std::vector<std::string> repeat;
    // What a teacher looks for in the final table: other optima, a degenerate optimum, degenerate steps.
    std::vector<std::string> remarks;
    // The arithmetic and the rule, each when it is not the usual one.
    std::vector<std::string> settings;
    std::int32_t iterations = 0;
    // What stopped a run with no status codes before an optimum (the observer, the time or iteration limit,
    // a repeated basis); empty for any other run.
    std::vector<std::string> end;
};

// The story of a run; names: columns 1..n (entry 0 unused); a variable past the `own` first ones is
// marked artificial (own 0: none marked). The objective and the values of a double run in `format`.
OutcomeStory outcome_story(const SolveOutcome& outcome, const std::vector<std::string>& names, std::uint32_t own,
                           const PeopleFormat& format = {});

// "Итераций: n" (a line of the command line's heading; among the notes it ends with a full stop).
std::string iterations_text(std::int32_t iterations);
// "Правило выбора: …." and "Арифметика: …." lines name the choices by these words.
std::string pivot_rule_name(PivotRule rule);  // "Бленда (наименьшие номера)", "Данцига (наибольшая оценка)"
std::string pivot_rule_surname(PivotRule rule);  // "Бленда", "Данцига": the rule's name in a menu
std::string arithmetic_name(Arithmetic arithmetic);  // "точные дроби", "числа с плавающей точкой (double)"
std::string method_name(SolveMethod method);  // "двухфазный", "двойственный симплекс-метод", …

// The verdict of a run that failed with status codes, before its codes.
inline constexpr const char* kNoSolutionVerdict = "Решение не получено:";

// --- The story in the forms of the documents and the window ---

// "F = …" and one line per variable.
std::vector<std::string> outcome_answer_lines(const SolveOutcome& outcome, const std::vector<std::string>& names,
                                              std::uint32_t own, const PeopleFormat& format = {});

// Why a run gave no solution: the stop by its observer, what else stopped it before an optimum, or the
// verdict with its status texts; empty when it gave one.
std::vector<std::string> outcome_failure_lines(const SolveOutcome& outcome);

// The remarks on the run, each a sentence; with `with_settings`, the arithmetic and the rule when they are not
// the usual ones.
std::vector<std::string> outcome_notes(const SolveOutcome& outcome, const std::vector<std::string>& names,
                                       bool with_settings = true);

// "Арифметика: …; правило выбора: …." — always, for a window that shows how a run was made.
std::string run_settings_text(const RunSettings& settings);
