#pragma once

#include <string>
#include <vector>

#include "solver/report/people_format.h"
#include "solver/report/report_sink.h"
#include "solver/report/sensitivity_report.h"

// The analysis as people read it, the same in every form that shows it (the
// text of qtb-solve, the LaTeX and HTML reports, the window): two tables of UTF-8 texts.

// The fraction of an exact run, a double in `format` beside the problem's largest
// magnitude (solver/report/people_format.h), "-∞" and "+∞" for the open ends of a range.
std::string sensitivity_number_text(const SensitivityNumber& number, double magnitude, const PeopleFormat& format = {});

// The rows, then the variables; the second ends with the note on a degenerate optimum. Every
// number, the ends of the ranges too, in `format` (the reports' ten digits unless told).
std::vector<DocumentSection> sensitivity_sections(const SensitivityReport& report, const PeopleFormat& format = {});

// A section as plain text lines (UTF-8): its header and rows as a table, the first column
// left-aligned and the numbers right-aligned, then its lines.
std::vector<std::string> section_text_lines(const DocumentSection& section);
