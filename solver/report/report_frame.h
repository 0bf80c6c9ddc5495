#pragma once

#include <functional>
#include <string>
#include <vector>

#include "numerics/matrix.h"
#include "solver/report/report_sink.h"

// Text a run's report holds around its tables, for problems that were not given
// as problem files: lines in Windows-1251 without line ends; the report writes
// them with CR LF. Both stay out of a report when no tables are written.
struct ReportFrame {
    std::vector<std::string> preamble;  // before the first table, then an empty line
    // After the last table of a run that ended without status codes, from its outcome.
    std::function<std::vector<std::string>(const SolveOutcome& outcome)> epilogue;
    // Sections a document (LaTeX, HTML) shows at its end, from the outcome of the run.
    std::function<std::vector<DocumentSection>(const SolveOutcome& outcome)> closing_sections;
    // Whether a text report ends with the run's notes too (the documents always show them).
    bool text_notes = false;
};
