#pragma once

// The picture of a problem in two variables (x, y): the feasible region, the
// constraint lines, the objective and the basic solutions of a run, as plain
// geometry in the problem's own coordinates. Drawn as SVG by plane_svg.h; a
// window can draw the same data.

#include <optional>
#include <string>
#include <vector>

#include "problem/lp_model.h"
#include "problem/simplex_iteration.h"
#include "solver/engine/run_types.h"

struct PlanePoint {
    double x = 0.0;
    double y = 0.0;
};

enum class Relation { less_equal, greater_equal, equal };

// a x + b y (relation) c; a bound is a constraint on one variable alone.
struct HalfPlane {
    double a = 0.0;
    double b = 0.0;
    Relation relation = Relation::less_equal;
    double c = 0.0;
    std::string label;  // UTF-8
};

// A problem in two variables with the points of its run.
struct PlaneProblem {
    std::string x_name = "x";
    std::string y_name = "y";
    std::vector<HalfPlane> constraints;
    double cost_x = 0.0;
    double cost_y = 0.0;
    bool maximize = true;
    std::vector<PlanePoint> run_points;  // the basic solutions, the initial one first
    std::optional<PlanePoint> optimum;
    // A branch and bound: the bounds of each leaf of its tree, whose part of the region is shaded.
    std::vector<std::vector<HalfPlane>> branches;
};

struct PlaneRect {
    double x_min = 0.0;
    double x_max = 1.0;
    double y_min = 0.0;
    double y_max = 1.0;
};

struct PlaneSegment {
    PlanePoint from;
    PlanePoint to;
};

struct PlaneLine {
    PlaneSegment segment;  // the line inside the view
    PlanePoint label_at;
    std::string label;
};

struct PlaneRunPoint {
    PlanePoint at;
    bool feasible = false;
};

struct PlanePicture {
    std::string x_name;
    std::string y_name;
    PlaneRect view;
    // The feasible region cut to the view, counter-clockwise; empty when the problem has none.
    std::vector<PlanePoint> region;
    // The region's own vertices (not those of the big clipping box).
    std::vector<PlanePoint> vertices;
    bool unbounded = false;             // the region reaches past the view: drawn open
    std::vector<PlaneSegment> borders;  // the region's edges on constraint lines, inside the view
    std::vector<PlaneLine> lines;       // one per constraint meeting the view
    PlanePoint objective_from;          // the arrow towards better objective values
    PlanePoint objective_to;
    std::optional<PlaneSegment> level_line;  // through the optimum
    std::vector<PlaneRunPoint> run;
    // A branch and bound: the region within each leaf's bounds, cut to the view (the empty ones left
    // out), and the answer's point.
    std::vector<std::vector<PlanePoint>> branch_regions;
    std::optional<PlanePoint> answer;
};

// Whether a point satisfies every constraint (with a tolerance relative to the data).
bool is_feasible(const PlaneProblem& problem, PlanePoint point);

PlanePicture build_plane_picture(const PlaneProblem& problem);

// The grid lines and tick values of a view: whole multiples of one step (1, 2 or 5 times a power of
// ten, about five across the x range), the same on both axes so that the plot keeps its proportions.
struct PlaneTicks {
    std::vector<double> x, y;
};
PlaneTicks plane_ticks(const PlaneRect& view);

// The basic solution (solution vector: element 0 the objective, element j
// column j) before the first pivot and after each pivot of a run, replayed on
// the problem's table.
std::vector<Matrix> basic_solutions(const SimplexIteration& problem, const std::vector<Pivot>& pivots);

// A problem file whose own variables are columns 1 and 2 and whose other
// columns are slacks (cost 0, one nonzero element) or artificial (M cost),
// whether or not the file counts its slacks among its own variables; nothing otherwise.
std::optional<PlaneProblem> plane_problem_of_record(const SimplexIteration& problem);
// A model in exactly two variables; nothing otherwise.
std::optional<PlaneProblem> plane_problem_of_model(const LpModel& model);
