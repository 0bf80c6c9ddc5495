#pragma once

// The table of a run at hand, for the report sinks: the text report draws it
// straight from the run, the documents take a snapshot of it.

#include <ostream>
#include <string>
#include <vector>

#include "problem/record_columns.h"
#include "problem/simplex_iteration.h"
#include "solver/engine/tableau_concept.h"
#include "solver/report/report_sink.h"
#include "solver/report/table_snapshot.h"

// A snapshot with everything but the numbers: sizes, names, basis, key column and row.
TableSnapshot snapshot_of_record(const SimplexIteration& run);
// The same into `snapshot`, whose vectors keep their buffers: its number lists are left empty, with
// room for the numbers the tableau appends (fill_snapshot).
void snapshot_of_record_into(const SimplexIteration& run, TableSnapshot& snapshot);

// What follows a table: as its closing line tells.
TableClose closing_of(const SimplexIteration& run, bool objective_has_m_part);

// The table at hand of a run in the numbers of a Tableau (solver/engine/tableau_concept.h).
template <big_m::ReportedTableau Numbers>
class TableOfRun final : public TableSource {
public:
    TableOfRun(SimplexIteration& run, Numbers& numbers) : run_(run), t_(numbers) {}

    void write_text(std::ostream& out) override { t_.print_table(out); }
    TableSnapshot snapshot() const override {
        TableSnapshot snapshot;
        snapshot_into(snapshot);
        return snapshot;
    }
    void snapshot_into(TableSnapshot& snapshot) const override {
        snapshot_of_record_into(run_, snapshot);
        t_.fill_snapshot(snapshot);
        snapshot.close = closing_of(run_, t_.objective_has_m_part());
    }

private:
    SimplexIteration& run_;
    Numbers& t_;
};
