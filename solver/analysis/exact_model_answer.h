#pragma once

#include <string>
#include <vector>

#include "problem/canonical_form.h"
#include "solver/engine/run_types.h"
#include "solver/report/people_format.h"

// A model's answer from an exact run: its objective (canonical objective plus the
// constant) and its variables rebuilt from their columns, as fractions "p/q".
struct ExactModelAnswer {
    std::string objective;
    std::vector<std::string> values;  // in the order of model.variables
};

// `exact_solution` is the run's solution vector as fractions (element 0 the objective).
ExactModelAnswer exact_model_answer(const CanonicalForm& model, const std::vector<std::string>& exact_solution);

// A model's answer as people read it: fractions after an exact run, else the
// doubles in `format` beside the problem's magnitude (the reports' ten digits unless told).
ExactModelAnswer model_answer_texts(const CanonicalForm& model, const SolveOutcome& outcome,
                                    const PeopleFormat& format = {});

// The answer lines of a model's report (Windows-1251), in fractions after an exact run.
std::vector<std::string> model_answer_lines(const CanonicalForm& model, const SolveOutcome& outcome,
                                            const PeopleFormat& format = {});
