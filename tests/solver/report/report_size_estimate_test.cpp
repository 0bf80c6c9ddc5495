// The report's size known before the run: near what a run that takes every pivot of its limit writes.

#include <gtest/gtest.h>

#include <filesystem>

#include "problem/cp1251.h"
#include "solver/report/report_size_estimate.h"
#include "solver/session/run_with_report.h"
#include "support/problem_builder.h"
#include "support/temp_folder.h"

namespace {

TEST(ReportSizeEstimate, TracksTheBytesARunWrites) {
    const test_support::TempFolder folder("qtb_report_size");
    const struct {
        std::int32_t width, precision, from, to;
        bool first_and_optimal;
        TextEncoding encoding;
    } cases[] = {{10, 4, 0, 0, false, TextEncoding::cp1251},
                 {2, 4, 0, 0, false, TextEncoding::cp1251},
                 {14, 2, 0, 0, true, TextEncoding::cp1251},
                 {8, 1, 1, 1, false, TextEncoding::utf8}};
    for (const auto& c : cases) {
        // Two pivots to the optimum; with the limit at 2 every table of the limit is written.
        SimplexIteration p = test_support::make_problem(
            1, {3, 5, 0, 0, 0}, {{4, 1, 0, 1, 0, 0}, {12, 0, 2, 0, 1, 0}, {18, 3, 2, 0, 0, 1}}, 2);
        p.stop = 2;
        p.width = c.width;
        p.precision = c.precision;
        p.only_data_table = p.only_optimal_table = c.first_and_optimal;
        p.no_table = false;
        p.compute_col_widths();
        p.file = folder.report_name("report");
        RunSettings settings;
        settings.encoding = c.encoding;
        static_cast<void>(run_simplex(p, settings));
        // Cells of numbers wider than their column and of M differ: around the size, rather above it.
        const double ratio = estimated_report_bytes(p, c.encoding) /
                             static_cast<double>(std::filesystem::file_size(cp1251::to_utf8(*p.file)));
        EXPECT_TRUE(ratio > 0.9 && ratio < 1.25) << c.width << ": " << ratio;
    }
}

}  // namespace
