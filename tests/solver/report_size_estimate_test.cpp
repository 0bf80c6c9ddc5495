// The report's size known before the run: close to what a run that takes every pivot of its limit
// writes, and far past a gigabyte for the width a slip can give.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "problem/cp1251.h"
#include "solver/report_size_estimate.h"
#include "solver/simplex_engine.h"
#include "support/problem_builder.h"
#include "support/temp_folder.h"

namespace {

// Two pivots to the optimum; with the limit at 2 every table of the limit is written.
SimplexIteration two_pivot_problem() {
    SimplexIteration p = test_support::make_problem(1, {3, 5, 0, 0, 0},
                                                    {{4, 1, 0, 1, 0, 0}, {12, 0, 2, 0, 1, 0}, {18, 3, 2, 0, 0, 1}}, 2);
    p.stop = 2;
    p.no_table = false;
    return p;
}

TEST(ReportSizeEstimate, TracksTheBytesARunWrites) {
    const test_support::TempFolder folder("qtb_report_size");
    const struct {
        const char* what;
        std::int32_t width, precision, from, to;
        bool only_data, only_optimal;
        TextEncoding encoding;
    } cases[] = {
        {"all tables", 10, 4, 0, 0, false, false, TextEncoding::cp1251},
        {"numbers wider than the width", 2, 4, 0, 0, false, false, TextEncoding::cp1251},
        {"first and optimal", 14, 2, 0, 0, true, true, TextEncoding::cp1251},
        {"an interval", 8, 1, 1, 1, false, false, TextEncoding::cp1251},
        {"UTF-8", 10, 4, 0, 0, false, false, TextEncoding::utf8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimplexIteration problem = two_pivot_problem();
        problem.width = c.width;
        problem.precision = c.precision;
        problem.print_from = c.from;
        problem.print_to = c.to;
        problem.only_data_table = c.only_data;
        problem.only_optimal_table = c.only_optimal;
        problem.compute_col_widths();
        problem.file = folder.report_name("report");
        RunSettings settings;
        settings.encoding = c.encoding;
        static_cast<void>(run_simplex(problem, settings));
        const auto written = static_cast<double>(std::filesystem::file_size(cp1251::to_utf8(*problem.file)));
        const double estimate = estimated_report_bytes(problem, c.encoding);
        // Cells of numbers wider than their column and of M differ: around the size, rather above it.
        EXPECT_GT(estimate / written, 0.9) << estimate << " for " << written;
        EXPECT_LT(estimate / written, 1.25) << estimate << " for " << written;
    }
}

TEST(ReportSizeEstimate, KnowsWhenNothingIsWrittenAndWhenASlipWritesGigabytes) {
    SimplexIteration problem = two_pivot_problem();
    problem.no_table = true;
    EXPECT_EQ(estimated_report_bytes(problem), 0.0);
    problem.no_table = false;
    problem.stop = 0;
    problem.width = 2147483647;
    problem.compute_col_widths();
    EXPECT_GT(estimated_report_bytes(problem), 1000.0 * (1U << 30));
}

}  // namespace
