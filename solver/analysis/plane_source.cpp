#include "solver/analysis/plane_source.h"

#include "solver/engine/dual_start_table.h"

std::optional<PlaneSource> plane_source_of_record(const SimplexIteration& problem) {
    std::optional<PlaneProblem> plane = plane_problem_of_record(problem);
    if (!plane) return std::nullopt;
    return PlaneSource{std::move(*plane), [](const Matrix& solution) {
                           return PlanePoint{solution(1, 0), solution(2, 0)};
                       }};
}

PlanePicture run_plane_picture(const SimplexIteration& problem, const SolveOutcome& outcome,
                               const PlaneSource& source) {
    PlaneProblem plane = source.plane;
    if (outcome.settings.method == SolveMethod::dual_simplex) {
        const DualStartTable start = dual_start_table(problem);
        for (const Matrix& solution : basic_solutions(start.record, outcome.pivots)) {
            plane.run_points.push_back(source.point(original_solution(start, solution, problem.variable_count() + 1)));
        }
    } else {
        for (const Matrix& solution : basic_solutions(problem, outcome.pivots)) {
            plane.run_points.push_back(source.point(solution));
        }
    }
    if (outcome.status.empty() && outcome.end == RunEnd::optimal) plane.optimum = source.point(outcome.solution);
    return build_plane_picture(plane);
}
