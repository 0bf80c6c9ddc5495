// The story of an outcome: each thing told once and in one wording, whatever front end tells it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "solver/report/outcome_story.h"
#include "solver/report/outcome_texts.h"

namespace {

const std::vector<std::string> kNames{"", "x1", "x2", "s1"};

SolveOutcome optimum_with_every_note() {
    SolveOutcome outcome;
    outcome.solution = Matrix(4, 1);
    outcome.iterations = 3;
    outcome.notes.alternative_columns = {2};
    outcome.notes.degenerate = true;
    outcome.notes.degenerate_pivots = 1;
    outcome.notes.cycle = RunNotes::BasisRepeat{1, 3};
    outcome.settings.arithmetic = Arithmetic::exact;
    outcome.settings.rule = PivotRule::bland;
    return outcome;
}

std::size_t count(const std::vector<std::string>& lines, const std::string& line) {
    std::size_t n = 0;
    for (const std::string& l : lines) n += l == line ? 1 : 0;
    return n;
}

struct RepeatCase {
    const char* what;
    RunEnd end;
    bool stopped;
    bool with_codes;
};

// A repeated basis is told exactly once: by the end of the run when the end is about it, else among the notes.
TEST(OutcomeStory, ARepeatedBasisIsToldOnce) {
    const RepeatCase cases[] = {
        {"optimum left by rounding", RunEnd::optimal, false, false},
        {"cycling", RunEnd::cycling, false, false},
        {"iteration limit", RunEnd::iteration_limit, false, false},
        {"stopped", RunEnd::stopped, true, false},
        {"status codes", RunEnd::unbounded, false, true},
    };
    for (const RepeatCase& c : cases) {
        SolveOutcome outcome = optimum_with_every_note();
        outcome.end = c.end;
        outcome.stopped = c.stopped;
        if (c.with_codes) outcome.status.add(12);
        const OutcomeStory story = outcome_story(outcome, kNames, 2);
        const std::string repeat = cycle_text(*outcome.notes.cycle);
        EXPECT_EQ(count(story.repeat, repeat) + count(story.end, repeat), 1U) << c.what;
        EXPECT_EQ(count(outcome_notes(outcome, kNames), repeat), count(story.repeat, repeat)) << c.what;
    }
}

// The notes of the documents are sentences, and the settings read as the window's summary names them.
TEST(OutcomeStory, NotesAreSentencesAndNameTheSettingsAsTheSummaryDoes) {
    const SolveOutcome outcome = optimum_with_every_note();
    const std::vector<std::string> notes = outcome_notes(outcome, kNames);
    ASSERT_EQ(notes.size(), 7U);
    for (const std::string& note : notes) EXPECT_TRUE(note.ends_with(".")) << note;
    EXPECT_EQ(notes[3], "Вырожденных шагов (отношение 0): 1.");
    EXPECT_EQ(notes[4], "Арифметика: точные дроби.");
    EXPECT_EQ(notes[5], "Правило выбора: Бленда (наименьшие номера).");
    EXPECT_EQ(notes[6], iterations_text(3) + ".");
    EXPECT_EQ(run_settings_text(outcome.settings),
              "Арифметика: точные дроби; правило выбора: Бленда (наименьшие номера).");
    EXPECT_EQ(outcome_notes(outcome, kNames, false).size(), 5U);
    EXPECT_NE(cycle_text(*outcome.notes.cycle).find("Правило " + pivot_rule_surname(PivotRule::bland) + " "),
              std::string::npos);
}

// A run that failed has no solution vector: the story tells its codes and no value.
TEST(OutcomeStory, AFailedRunTellsItsCodesWithoutValues) {
    SolveOutcome outcome;
    outcome.end = RunEnd::iteration_limit;
    outcome.status.add(13);
    outcome.limit_before_feasible = true;
    const OutcomeStory story = outcome_story(outcome, kNames, 2);
    EXPECT_EQ(story.verdict, kNoSolutionVerdict);
    ASSERT_EQ(story.failure.size(), 2U);
    EXPECT_TRUE(story.failure[0].ends_with(" (код 13)"));
    EXPECT_EQ(story.failure[1], limit_before_feasible_text());
    EXPECT_TRUE(story.objective.empty());
    EXPECT_TRUE(story.values.empty());
    std::vector<std::string> expected{kNoSolutionVerdict};
    expected.insert(expected.end(), story.failure.begin(), story.failure.end());
    EXPECT_EQ(outcome_failure_lines(outcome), expected);
}

TEST(OutcomeStory, AnArtificialVariableIsMarked) {
    SolveOutcome outcome;
    outcome.solution = Matrix(4, 1);
    const OutcomeStory story = outcome_story(outcome, kNames, 2);
    ASSERT_EQ(story.values.size(), 3U);
    EXPECT_EQ(story_value_line(story.values[1]), "x2 = 0");
    EXPECT_EQ(story_value_line(story.values[2]), "s1 = 0 (искусственная)");
    EXPECT_EQ(outcome_answer_lines(outcome, kNames, 2).front(), "F = 0");
}

}  // namespace
