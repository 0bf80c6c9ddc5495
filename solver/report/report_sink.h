#pragma once

// The report of a run as the engine's loop feeds it: the start, each printed
// table, the end. The text report, LaTeX and HTML are sinks behind this.

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "problem/simplex_iteration.h"
#include "solver/report/table_snapshot.h"

struct SolveOutcome;
enum class ReportForm;
enum class TextEncoding;

// A section a document shows after the answer and the notes (the sensitivity
// analysis, for one): UTF-8 texts, a table of `header` columns and plain lines.
struct DocumentSection {
    std::string title;
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> lines;  // after the table
};

// A part of a run made of several linear programs (a node of branch and bound, a cut of Gomory's
// method): a heading and lines of prose, and a tree as an outline (UTF-8), told between its tables.
struct ReportPart {
    std::string heading;  // empty: none
    std::vector<std::string> lines;
    struct Entry {
        std::uint32_t depth = 0;  // 0 for a root
        std::string text;
    };
    std::vector<Entry> outline;  // each entry after its parent, children in order
};

struct ReportStart {
    const SimplexIteration& problem;           // the starting table of the run
    const std::vector<std::string>& preamble;  // Windows-1251 lines: a model's construction
};

struct ReportEnd {
    const SolveOutcome& outcome;
    std::vector<std::string> answer;  // Windows-1251 lines: a model's answer; empty for a problem file
    std::vector<DocumentSection> sections;
    bool text_notes = false;  // a text report adds the notes after the answer
};

// One table at hand: drawn as the text report draws it, straight from the run,
// or taken as a snapshot (which costs a copy of the table).
class TableSource {
public:
    virtual void write_text(std::ostream& out) = 0;
    virtual TableSnapshot snapshot() const = 0;
    // The same snapshot into `into`, reusing its buffers: a snapshot of an earlier table of the same run
    // takes no new memory.
    virtual void snapshot_into(TableSnapshot& into) const = 0;

protected:
    ~TableSource() = default;
};

class ReportSink {
public:
    virtual ~ReportSink() = default;
    virtual void begin(const ReportStart& start) = 0;
    virtual void table(TableSource& source) = 0;
    // Text between the tables of a run made of parts; a sink with no use for it leaves it out.
    virtual void part(const ReportPart& /*part*/) {}
    virtual void end(const ReportEnd& end) = 0;
};

// The sink of a report form writing to `out`; the encoding applies to the text form only.
std::unique_ptr<ReportSink> make_report_sink(ReportForm form, TextEncoding encoding, std::ostream& out);
