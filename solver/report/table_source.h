#pragma once

// The table of a run at hand, for the report sinks: the text report draws it
// straight from the run, the documents take a snapshot of it.

#include <ostream>
#include <string>
#include <vector>

#include "problem/simplex_iteration.h"
#include "solver/report/report_sink.h"
#include "solver/report/table_snapshot.h"

// The variables' names in UTF-8, entry 0 unused: the file's names, else x1, x2, ...
std::vector<std::string> utf8_variable_names(const SimplexIteration& run);

// A snapshot with everything but the numbers: sizes, names, basis, key column and row.
TableSnapshot snapshot_of_record(const SimplexIteration& run);

// What follows a table: as its closing line tells.
TableClose closing_of(const SimplexIteration& run, bool objective_has_m_part);

// A Tableau (solver/engine/big_m_method.h) that also fills the numbers of a snapshot.
template <class Tableau>
class TableOfRun final : public TableSource {
public:
    TableOfRun(SimplexIteration& run, Tableau& numbers) : run_(run), t_(numbers) {}

    void write_text(std::ostream& out) override { t_.print_table(out); }
    TableSnapshot snapshot() const override {
        TableSnapshot snapshot = snapshot_of_record(run_);
        t_.fill_snapshot(snapshot);
        snapshot.close = closing_of(run_, t_.objective_has_m_part());
        return snapshot;
    }

private:
    SimplexIteration& run_;
    Tableau& t_;
};
