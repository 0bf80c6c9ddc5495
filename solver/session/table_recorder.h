#pragma once

// A run kept in memory for a window: its problem, every table it went through
// within a memory bound, and how it ended.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "problem/simplex_iteration.h"
#include "solver/analysis/plane_source.h"
#include "solver/engine/run_types.h"
#include "solver/report/report_sink.h"
#include "solver/report/sensitivity_report.h"
#include "solver/report/table_snapshot.h"

struct CanonicalForm;

// The tables of a run are kept while they fit in this many bytes; past it, the
// first half of the bound keeps the first tables and the second half the latest.
// A double table of 300 x 500 takes 1.2 MB: the bound keeps about a hundred of
// them, and a run of the window touches no more fresh memory than that.
inline constexpr std::size_t kRecordedTablesBound = std::size_t{128} << 20;

struct RecordedRun {
    std::shared_ptr<const SimplexIteration> problem;  // the record as the run started
    std::vector<std::string> preamble;                // UTF-8: a model's construction
    std::vector<TableSnapshot> tables;                // in the run's order; see omitted
    // Tables left out between tables[omitted_after - 1] and tables[omitted_after]
    // to keep within the bound; none when omitted_count is 0.
    std::size_t omitted_after = 0;
    std::size_t omitted_count = 0;
    std::int32_t omitted_first_iteration = 0;  // iterations of the first and last table left out
    std::int32_t omitted_last_iteration = 0;
    std::size_t table_bytes = 0;  // memory the kept tables take, roughly
    bool ended = false;           // end() came: outcome, answer and sections are set
    SolveOutcome outcome;
    std::vector<std::string> answer;  // UTF-8: a model's answer
    std::vector<DocumentSection> sections;
    // The picture of a model in two variables (set by whoever ran it); null: the
    // problem record's own rule decides (plane_source_of_record).
    std::shared_ptr<const PlaneSource> plane;
    // The model that was run and the analysis of its optimum (set by whoever ran it): a window tells the
    // answer and the analysis from them in its own number format; `answer` and `sections` are the report's.
    std::shared_ptr<const CanonicalForm> model;
    std::optional<SensitivityReport> sensitivity;
    // The headings of a run made of parts (Gomory's cuts), each with the number of tables the run had
    // shown before it, omitted ones included: the window groups the tables under them.
    struct PartHeading {
        std::size_t tables_before = 0;
        std::string heading;  // UTF-8
    };
    std::vector<PartHeading> part_headings;
};

// The heading of the part table `index` of the run belongs to; empty for a run without parts.
std::string part_heading_of(const RecordedRun& run, std::size_t index);

// Where the tables of the part under `heading` stand in run.tables: the first kept one, none when the
// part showed no table (or there is no such part); omitted when the window left some or all of them out.
struct PartTables {
    std::optional<std::size_t> first;
    bool omitted = false;
};
PartTables part_tables(const RecordedRun& run, const std::string& heading);

// The memory a snapshot takes, roughly: its vectors and the texts of its numbers.
std::size_t snapshot_bytes(const TableSnapshot& snapshot);

// A ReportSink that keeps the run (for RunObserver::tables). One recorder, one run.
class TableRecorder final : public ReportSink {
public:
    explicit TableRecorder(std::size_t bound = kRecordedTablesBound);

    void begin(const ReportStart& start) override;
    void table(TableSource& source) override;
    void part(const ReportPart& part) override;
    void end(const ReportEnd& end) override;

    // The run so far; after end(), the whole of it. Takes it out of the recorder.
    std::shared_ptr<RecordedRun> take();

private:
    std::size_t bound_;
    std::size_t tables_seen_ = 0;
    std::size_t head_bytes_ = 0;          // bytes of the first tables, kept in run_->tables
    bool head_full_ = false;              // later tables go to the tail
    std::deque<TableSnapshot> tail_;      // the latest tables, oldest first
    std::deque<std::size_t> tail_sizes_;  // their bytes
    std::size_t tail_bytes_ = 0;
    TableSnapshot spare_;  // the latest table left out, whose buffers the next table takes
    std::shared_ptr<RecordedRun> run_ = std::make_shared<RecordedRun>();
};
