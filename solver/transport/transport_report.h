#pragma once

// The report of a transport run in each form the tool writes: the text (Windows-1251 with CR LF,
// or UTF-8 with LF), a LaTeX document or an HTML page, all drawn from one TransportDocument.

#include <cstdint>
#include <string>

#include "solver/engine/run_types.h"
#include "solver/transport/transport_document.h"

namespace transport {

// The report's bytes. `width` is the least width of a grid column of the text report.
std::string report_bytes(const TransportDocument& document, ReportForm form, TextEncoding encoding, std::int32_t width);

}  // namespace transport
