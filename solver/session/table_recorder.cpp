#include "solver/session/table_recorder.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

#include "problem/cp1251.h"

namespace {

std::size_t number_bytes(const SnapshotNumbers& numbers) {
    std::size_t bytes = numbers.values.capacity() * sizeof(double) + numbers.texts.capacity() * sizeof(std::string);
    // A text longer than the string keeps in itself takes a buffer of its own; double runs have no texts.
    const std::size_t in_place = std::string().capacity();
    for (const std::string& text : numbers.texts) {
        if (text.capacity() > in_place) bytes += text.capacity() + 1;
    }
    return bytes;
}

}  // namespace

std::size_t snapshot_bytes(const TableSnapshot& snapshot) {
    std::size_t bytes = sizeof(TableSnapshot) + snapshot.basis.capacity() * sizeof(std::uint32_t);
    bytes += snapshot.names.capacity() * sizeof(std::string);
    for (const std::string& name : snapshot.names) bytes += name.capacity() + 1;
    return bytes + number_bytes(snapshot.costs) + number_bytes(snapshot.elements) + number_bytes(snapshot.m_parts) +
           number_bytes(snapshot.plain_parts);
}

TableRecorder::TableRecorder(std::size_t bound) : bound_(bound) {}

void TableRecorder::begin(const ReportStart& start) {
    run_->problem = std::make_shared<const SimplexIteration>(start.problem);
    run_->preamble = cp1251::lines_to_utf8(start.preamble);
}

void TableRecorder::table(TableSource& source) {
    ++tables_seen_;
    // Into the buffers of the latest table left out: a long run takes no new memory per table.
    TableSnapshot snapshot = std::move(spare_);
    spare_ = TableSnapshot{};
    source.snapshot_into(snapshot);
    const std::size_t bytes = snapshot_bytes(snapshot);
    const std::size_t half = bound_ / 2;
    if (!head_full_ && head_bytes_ + bytes <= half) {
        head_bytes_ += bytes;
        run_->tables.push_back(std::move(snapshot));
        return;
    }
    head_full_ = true;
    tail_.push_back(std::move(snapshot));
    tail_sizes_.push_back(bytes);
    tail_bytes_ += bytes;
    // The latest table always stays: it is where the run stands.
    while (tail_bytes_ > half && tail_.size() > 1) {
        RecordedRun& run = *run_;
        if (run.omitted_count == 0) run.omitted_first_iteration = tail_.front().iteration;
        run.omitted_last_iteration = tail_.front().iteration;
        ++run.omitted_count;
        tail_bytes_ -= tail_sizes_.front();
        spare_ = std::move(tail_.front());
        tail_.pop_front();
        tail_sizes_.pop_front();
    }
}

void TableRecorder::part(const ReportPart& part) {
    if (!part.heading.empty()) run_->part_headings.push_back({tables_seen_, part.heading});
}

std::string part_heading_of(const RecordedRun& run, std::size_t index) {
    // Tables after the omitted ones stand that many places further in the run.
    const std::size_t place = run.omitted_count != 0 && index >= run.omitted_after ? index + run.omitted_count : index;
    std::string heading;
    for (const RecordedRun::PartHeading& part : run.part_headings) {
        if (part.tables_before <= place) heading = part.heading;
    }
    return heading;
}

PartTables part_tables(const RecordedRun& run, const std::string& heading) {
    const auto& parts = run.part_headings;
    const auto part = std::find_if(parts.begin(), parts.end(),
                                   [&heading](const RecordedRun::PartHeading& p) { return p.heading == heading; });
    if (part == parts.end()) return {};
    // Places in the run, omitted tables included.
    const std::size_t shown = run.tables.size() + run.omitted_count;
    const std::size_t begin = part->tables_before;
    const std::size_t end = std::next(part) == parts.end() ? shown : std::next(part)->tables_before;
    if (begin >= end) return {};
    const std::size_t omitted_end = run.omitted_after + run.omitted_count;
    if (run.omitted_count == 0 || begin < run.omitted_after) {
        return {begin, run.omitted_count != 0 && end > run.omitted_after};
    }
    if (begin >= omitted_end) return {begin - run.omitted_count, false};
    // It starts among the tables left out: its first kept one follows them, if it goes on past them.
    if (end > omitted_end) return {run.omitted_after, true};
    return {std::nullopt, true};
}

void TableRecorder::end(const ReportEnd& end) {
    run_->ended = true;
    run_->outcome = end.outcome;
    run_->answer = cp1251::lines_to_utf8(end.answer);
    run_->sections = end.sections;
}

std::shared_ptr<RecordedRun> TableRecorder::take() {
    RecordedRun& run = *run_;
    run.omitted_after = run.tables.size();
    run.table_bytes = head_bytes_ + tail_bytes_;
    for (TableSnapshot& snapshot : tail_) run.tables.push_back(std::move(snapshot));
    tail_.clear();
    tail_sizes_.clear();
    spare_ = TableSnapshot{};
    head_bytes_ = tail_bytes_ = 0;
    head_full_ = false;
    tables_seen_ = 0;
    return std::exchange(run_, std::make_shared<RecordedRun>());
}
