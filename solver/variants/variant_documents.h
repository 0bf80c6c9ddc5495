#pragma once

// The papers of a set of variants: the teacher's answer key (each variant on a page of its own: the
// problem, its first and final tables and the answer) and the students' sheet (the problems alone),
// told through a document markup, so that LaTeX and HTML come from the same walk.

#include <cstdint>
#include <string>
#include <vector>

#include "solver/report/document_sink.h"
#include "solver/variants/variant_generator.h"

// The problem as the student gets it (UTF-8): the objective, one line per row with its relation,
// the signs of the variables.
std::vector<std::string> variant_statement(const VariantData& data);

// Lines that say how a set was made: its count, seed and shape.
std::vector<std::string> variants_about(const VariantShape& shape, std::uint32_t count, std::uint64_t seed);

// `about`: lines under the title that say how the set was made (its seed and shape).
void write_answer_key(DocumentMarkup& markup, const std::vector<Variant>& variants,
                      const std::vector<std::string>& about);
void write_problem_sheet(DocumentMarkup& markup, const std::vector<Variant>& variants,
                         const std::vector<std::string>& about);
