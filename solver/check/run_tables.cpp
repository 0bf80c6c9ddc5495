#include "solver/check/run_tables.h"

#include <string>

#include "solver/engine/run_observer.h"
#include "solver/report/report_frame.h"
#include "solver/session/run_with_report.h"
#include "solver/session/table_recorder.h"

namespace {

std::vector<mpq_class> exact_numbers(const SnapshotNumbers& numbers) {
    std::vector<mpq_class> values;
    values.reserve(numbers.size());
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        const std::string_view text = numbers[k].fraction;
        values.emplace_back(std::string(text.empty() ? "0" : text), 10);
        values.back().canonicalize();
    }
    return values;
}

ExactTable table_of(const TableSnapshot& snapshot) {
    ExactTable table;
    table.m = snapshot.m;
    table.n = snapshot.n;
    table.basis = snapshot.basis;
    table.elements = exact_numbers(snapshot.elements);
    table.m_parts = exact_numbers(snapshot.m_parts);
    table.plain_parts = exact_numbers(snapshot.plain_parts);
    return table;
}

}  // namespace

RunTables exact_run_tables(const SimplexIteration& problem, PivotRule rule) {
    SimplexIteration run = problem;
    run.no_table = true;  // the tables go to the recorder alone
    RunSettings settings;
    settings.arithmetic = Arithmetic::exact;
    settings.rule = rule;
    TableRecorder recorder;
    RunObserver observer;
    observer.tables = &recorder;
    const SolveOutcome outcome = run_simplex(std::move(run), settings, ReportFrame{}, observer);
    const auto recorded = recorder.take();
    if (recorded->omitted_count != 0) throw RunTooLongError("в счёте слишком много таблиц для проверки");
    RunTables tables;
    tables.end = outcome.end;
    for (const TableSnapshot& snapshot : recorded->tables) tables.tables.push_back(table_of(snapshot));
    return tables;
}
