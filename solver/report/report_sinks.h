#pragma once

// The writers behind ReportSink, one per report form.

#include <memory>
#include <ostream>
#include <string>

#include "solver/engine/run_types.h"
#include "solver/report/report_sink.h"
#include "solver/report/table_snapshot.h"

std::unique_ptr<ReportSink> make_text_sink(std::ostream& out, TextEncoding encoding);
std::unique_ptr<ReportSink> make_latex_sink(std::ostream& out);
std::unique_ptr<ReportSink> make_html_sink(std::ostream& out);

// One table as the documents draw it, with its title and closing line: a LaTeX
// fragment for a document that loads the packages of the LaTeX report
// (longtable, xcolor with table), and an HTML fragment with its style.
std::string latex_table_fragment(const TableSnapshot& table);
std::string html_table_fragment(const TableSnapshot& table);
