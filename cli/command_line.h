#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "cli/variants_options.h"
#include "problem/model_format.h"
#include "problem/transport_problem.h"
#include "solver/engine/run_types.h"

// The options of qtb-solve, checked, before anything is read.
namespace cli {

enum class TablesMode { all, data, optimal, data_and_optimal, none };

struct PrintInterval {
    std::int32_t from = 0;
    std::int32_t to = 0;
};

struct Accuracy {
    std::int32_t width = 0;
    std::int32_t digits = 0;
};

struct Options {
    std::optional<TablesMode> tables;
    std::optional<PrintInterval> print;
    std::optional<Accuracy> accuracy;
    std::optional<std::string> report;  // Windows-1251, like a name read from a problem file
    std::optional<Arithmetic> arithmetic;
    std::optional<PivotRule> rule;
    std::optional<SolveMethod> method;
    std::optional<IntegerMethod> integer;  // of a problem with integer columns
    std::optional<std::int32_t> nodes;     // the node limit of branch and bound
    std::optional<std::int32_t> cuts;      // the cut limit of Gomory's method
    std::optional<ReportForm> output;      // the report's form
    std::optional<TextEncoding> encoding;  // of the text report
    bool json = false;
    bool report_notes = false;                        // the text report ends with the notes of the run
    bool sensitivity = false;                         // dual values, reduced costs and their ranges at an optimum
    std::optional<ModelFormat> format;                // otherwise by the file's extension
    std::optional<std::string> data_file;             // of a MathProg model
    std::optional<double> model_time_limit;           // seconds GLPK may take to read a model
    std::optional<std::uint64_t> model_memory_limit;  // MiB of memory it may take
    std::optional<std::int32_t> stop;                 // iteration limit
    std::optional<std::string> write_qtb;             // write the problem file here instead of solving
    bool dual = false;                                // a model's dual shown, and at its optimum the dual solution
    std::optional<std::string> write_dual;            // write a model's dual here (CPLEX LP) instead of solving
    std::optional<std::string> plot;                  // the picture of a two-variable problem, SVG
    bool overwrite = false;                           // the report may replace a file the program did not write
    bool allow_report_path = false;                   // a problem file's report name may lead out of the current folder
    std::optional<double> time_limit;                 // seconds a run may take
    bool allow_large_report = false;                  // a report estimated past 1 GB may be written
    VariantsOptions variants;                         // --variants: problems for a class instead of a solve
    std::string problem_file;                         // a file-system path, used as given
    // The transport problem: --method potentials (a model solved as one), and its first plan.
    bool potentials = false;
    std::optional<transport::StartMethod> start;
};

struct HelpRequest {};
struct VersionRequest {};

// Bad usage, with a message for people (UTF-8, Russian).
struct UsageError {
    std::string message;
};

using CommandLine = std::variant<Options, HelpRequest, VersionRequest, UsageError>;

// The arguments after the program's name.
CommandLine parse_command_line(std::span<const std::string_view> args);

// The environment variable that sets the text report's encoding when --encoding is not given.
inline constexpr std::string_view kEncodingVariable = "QTB_ENCODING";

// Takes the variable's value (nullptr when it is not set) as the encoding unless the command line
// chose one; a message when the value names no encoding.
std::optional<std::string> apply_encoding_variable(Options& options, const char* value);

// Why --dual or --write-dual cannot be taken: the file is a problem file (by --format or its
// extension), which has no model to take the dual of; nothing when they can.
std::optional<std::string> refused_dual(const Options& options);

// Why the variants' options cannot be taken together (cli/variants_command.cpp); nothing when they can.
std::optional<std::string> refused_variants(const Options& options);

// Whether the arguments ask for JSON (--json before any "--"), for a usage error's output.
bool asks_for_json(std::span<const std::string_view> args);

// The text of --version: the program's, GLPK's and GMP's versions, one a line (UTF-8).
std::string version_text();

// The text of --help (UTF-8).
std::string_view help_text();

}  // namespace cli
