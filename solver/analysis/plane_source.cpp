#include "solver/analysis/plane_source.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "solver/engine/dual_start_table.h"

std::optional<PlaneSource> plane_source_of_record(const SimplexIteration& problem) {
    std::optional<PlaneProblem> plane = plane_problem_of_record(problem);
    if (!plane) return std::nullopt;
    return PlaneSource{std::move(*plane), [](const Matrix& solution) {
                           return PlanePoint{solution(1, 0), solution(2, 0)};
                       }};
}

namespace {

// A cut over the problem's columns as a x + b y >= c in the picture's variables, through the point of the
// solution vectors 0 and e_j (the picture's variables are affine in the columns): a column the cut names
// moves the point along its own direction, and the directions of the columns it names must be at right
// angles (a variable and its bound's shift or mirror; not both halves of a free variable). Nothing else.
std::optional<HalfPlane> cut_half_plane(const GomoryCut& cut, std::uint32_t columns, const PlaneSource& source) {
    const Matrix zero(columns + 1, 1);
    const PlanePoint origin = source.point(zero);
    HalfPlane half{0.0, 0.0, Relation::greater_equal, cut.own_bound, {}};
    std::vector<PlanePoint> directions;
    for (std::uint32_t j = 1; j < cut.own_coefficients.size() && j <= columns; ++j) {
        const double g = cut.own_coefficients[j];
        if (g == 0.0) continue;
        Matrix unit(columns + 1, 1);
        unit(j, 0) = 1.0;
        const PlanePoint moved = source.point(unit);
        const PlanePoint d{moved.x - origin.x, moved.y - origin.y};
        const double length = d.x * d.x + d.y * d.y;
        if (length == 0.0) return std::nullopt;
        for (const PlanePoint& other : directions) {
            if (std::fabs(other.x * d.x + other.y * d.y) > 1e-12 * length) return std::nullopt;
        }
        directions.push_back(d);
        // The column's value at (x, y) is its projection on its direction.
        half.a += g * d.x / length;
        half.b += g * d.y / length;
        half.c += g * (origin.x * d.x + origin.y * d.y) / length;
    }
    if (half.a == 0.0 && half.b == 0.0) return std::nullopt;
    return half;
}

// A node's bound on a column as a half-plane of the picture: the same rule as a cut's, the bound being
// the cut x_j >= v or -x_j >= -v.
std::optional<HalfPlane> bound_half_plane(const BranchBound& bound, std::uint32_t columns, const PlaneSource& source) {
    if (bound.column == 0 || bound.column > columns) return std::nullopt;
    GomoryCut cut;
    cut.own_coefficients.assign(std::size_t{columns} + 1, 0.0);
    cut.own_coefficients[bound.column] = bound.upper ? -1.0 : 1.0;
    cut.own_bound = bound.upper ? -bound.value : bound.value;
    return cut_half_plane(cut, columns, source);
}

// The bounds of every leaf of the tree: the nodes not branched (a leaf whose bounds the picture cannot
// draw is left out).
std::vector<std::vector<HalfPlane>> leaf_bounds(const std::vector<BranchNode>& nodes, std::uint32_t columns,
                                                const PlaneSource& source) {
    std::vector<std::vector<HalfPlane>> leaves;
    for (const BranchNode& node : nodes) {
        if (node.close == NodeClose::branched) continue;
        std::vector<HalfPlane> bounds;
        for (const BranchBound& bound : node.bounds) {
            if (auto half = bound_half_plane(bound, columns, source)) {
                bounds.push_back(std::move(*half));
            } else {
                break;
            }
        }
        if (bounds.size() == node.bounds.size()) leaves.push_back(std::move(bounds));
    }
    return leaves;
}

}  // namespace

PlanePicture run_plane_picture(const SimplexIteration& problem, const SolveOutcome& outcome,
                               const PlaneSource& source) {
    PlaneProblem plane = source.plane;
    // Gomory's rounds pivot on tables of their own: the points are those of the relaxation, the cuts lines.
    std::vector<Pivot> pivots = outcome.pivots;
    if (!outcome.cuts.empty()) {
        pivots.resize(std::min(pivots.size(), outcome.cuts.front().pivots_before));
        for (std::size_t k = 0; k < outcome.cuts.size(); ++k) {
            if (auto line = cut_half_plane(outcome.cuts[k], problem.variable_count(), source)) {
                line->label = "Отсечение " + std::to_string(k + 1);
                plane.constraints.push_back(std::move(*line));
            }
        }
    }
    if (outcome.settings.method == SolveMethod::dual_simplex) {
        const DualStartTable start = dual_start_table(problem);
        for (const Matrix& solution : basic_solutions(start.record, pivots)) {
            plane.run_points.push_back(source.point(original_solution(start, solution, problem.variable_count() + 1)));
        }
    } else {
        for (const Matrix& solution : basic_solutions(problem, pivots)) {
            plane.run_points.push_back(source.point(solution));
        }
    }
    if (outcome.status.empty() && outcome.end == RunEnd::optimal) plane.optimum = source.point(outcome.solution);
    plane.branches = leaf_bounds(outcome.nodes, problem.variable_count(), source);
    return build_plane_picture(plane);
}
