#include "solver/session/session_run.h"

#include <mutex>
#include <utility>
#include <vector>

#include "solver/analysis/exact_model_answer.h"
#include "solver/report/sensitivity_tables.h"
#include "solver/session/run_with_report.h"

namespace {

// The analysis of one run, made once for its document and for its front end.
class SensitivityOnce {
public:
    explicit SensitivityOnce(SensitivityQuery query) : query_(std::move(query)) {}

    const std::optional<SensitivityReport>& of(const SolveOutcome& outcome) {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (!made_ && outcome.final_table) {
            report_ = sensitivity_report(*outcome.final_table, query_);
            made_ = true;
        }
        return report_;
    }

private:
    std::mutex mutex_;
    SensitivityQuery query_;
    bool made_ = false;
    std::optional<SensitivityReport> report_;
};

ReportFrame frame_with(const LoadedProblem& loaded, const SimplexIteration& run, const SessionSettings& settings,
                       const std::shared_ptr<SensitivityOnce>& sensitivity) {
    ReportFrame frame;
    frame.text_notes = settings.text_notes;
    if (const std::shared_ptr<const CanonicalForm> model = loaded.model) {
        frame.preamble = model->construction;
        const bool kept = settings.run.integer != IntegerMethod::relax;
        if (std::optional<std::string> line = model->integer_line(run, kept))
            frame.preamble.push_back(std::move(*line));
        frame.epilogue = [model](const SolveOutcome& outcome) { return model_answer_lines(*model, outcome); };
    }
    if (sensitivity) {
        frame.closing_sections = [sensitivity](const SolveOutcome& outcome) {
            const std::optional<SensitivityReport>& report = sensitivity->of(outcome);
            return report ? sensitivity_sections(*report) : std::vector<DocumentSection>{};
        };
    }
    return frame;
}

std::shared_ptr<SensitivityOnce> sensitivity_of(const LoadedProblem& loaded, const SimplexIteration& run,
                                                const SessionSettings& settings) {
    if (!settings.sensitivity) return nullptr;
    return std::make_shared<SensitivityOnce>(sensitivity_query(loaded, run));
}

}  // namespace

ReportFrame session_frame(const LoadedProblem& loaded, const SimplexIteration& run, const SessionSettings& settings) {
    return frame_with(loaded, run, settings, sensitivity_of(loaded, run, settings));
}

SessionRun run_session(const LoadedProblem& loaded, SimplexIteration run, const SessionSettings& settings,
                       const RunObserver& observer) {
    SessionRun done;
    const std::shared_ptr<SensitivityOnce> sensitivity = sensitivity_of(loaded, run, settings);
    if (std::optional<PlaneSource> plane = plane_source(loaded, run)) {
        done.plane = std::make_shared<const PlaneSource>(std::move(*plane));
    }
    RunSettings run_settings = settings.run;
    run_settings.from_model = loaded.from_model();
    run_settings.keep_final_table = run_settings.keep_final_table || settings.sensitivity;
    // A dense table is over a megabyte: it is handed to the run unless the picture replays the run on it.
    if (settings.picture) {
        done.record = run;
    } else {
        Matrix table = std::move(run.table);
        done.record = run;
        run.table = std::move(table);
    }
    ReportFrame frame = frame_with(loaded, run, settings, sensitivity);
    done.outcome = run_simplex(std::move(run), run_settings, frame, observer);
    if (sensitivity) done.sensitivity = sensitivity->of(done.outcome);
    if (settings.picture && done.plane) done.picture = run_plane_picture(done.record, done.outcome, *done.plane);
    return done;
}
