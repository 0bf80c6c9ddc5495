#pragma once

// The writers behind ReportSink, one per report form.

#include <memory>
#include <ostream>

#include "solver/report_sink.h"
#include "solver/simplex_engine.h"

std::unique_ptr<ReportSink> make_text_sink(std::ostream& out, TextEncoding encoding);
std::unique_ptr<ReportSink> make_latex_sink(std::ostream& out);
std::unique_ptr<ReportSink> make_html_sink(std::ostream& out);
