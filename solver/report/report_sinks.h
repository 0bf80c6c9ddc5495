#pragma once

// The writers behind ReportSink, one per report form.

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "solver/engine/run_types.h"
#include "solver/report/report_sink.h"
#include "solver/report/table_snapshot.h"

std::unique_ptr<ReportSink> make_text_sink(std::ostream& out, TextEncoding encoding);
std::unique_ptr<ReportSink> make_latex_sink(std::ostream& out);
std::unique_ptr<ReportSink> make_html_sink(std::ostream& out);

// The markups behind the LaTeX and HTML sinks, for documents of several problems.
class DocumentMarkup;
std::unique_ptr<DocumentMarkup> make_latex_markup(std::ostream& out);
std::unique_ptr<DocumentMarkup> make_html_markup(std::ostream& out);

// One table as the documents draw it, with its title and closing line: a LaTeX
// fragment under a comment naming the preamble lines of the LaTeX report it needs
// ("% Нужно в преамбуле:", then "% " and a line each), and an HTML fragment with its style.
std::string latex_table_fragment(const TableSnapshot& table);
std::string html_table_fragment(const TableSnapshot& table);

// The lines of the LaTeX report's preamble that `latex`, a piece of it, calls for, in the preamble's order.
std::vector<std::string_view> latex_preamble_needs(std::string_view latex);
