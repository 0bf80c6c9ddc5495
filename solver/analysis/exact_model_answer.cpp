#include "solver/analysis/exact_model_answer.h"

#include "numerics/exact_number.h"
#include "solver/report/people_format.h"

ExactModelAnswer exact_model_answer(const CanonicalForm& model, const std::vector<std::string>& exact_solution) {
    const auto column = [&exact_solution](std::uint32_t j) { return mpq_class(exact_solution.at(j)); };
    ExactModelAnswer answer;
    answer.objective = fraction_text(column(0) + mpq_class(model.exact_constant));
    answer.values.reserve(model.variables.size());
    for (const ModelVariable& variable : model.variables) {
        mpq_class value = exact_from_double(variable.offset);
        if (variable.column != 0) value += exact_from_double(variable.sign) * column(variable.column);
        if (variable.minus_column != 0) value -= column(variable.minus_column);
        answer.values.push_back(fraction_text(value));
    }
    return answer;
}

ExactModelAnswer model_answer_texts(const CanonicalForm& model, const SolveOutcome& outcome,
                                    const PeopleFormat& format) {
    if (!outcome.exact_solution.empty()) return exact_model_answer(model, outcome.exact_solution);
    ExactModelAnswer answer;
    answer.objective = people_text(model.objective(outcome.solution), outcome.magnitude, format);
    for (const double value : model.variable_values(outcome.solution))
        answer.values.push_back(people_text(value, outcome.magnitude, format));
    return answer;
}

std::vector<std::string> model_answer_lines(const CanonicalForm& model, const SolveOutcome& outcome,
                                            const PeopleFormat& format) {
    const ExactModelAnswer answer = model_answer_texts(model, outcome, format);
    return model.answer(answer.objective, answer.values);
}
