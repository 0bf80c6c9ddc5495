#include "solver/analysis/plane_picture.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "problem/record_columns.h"

namespace {

using Polygon = std::vector<PlanePoint>;

double residual(const HalfPlane& h, PlanePoint p) { return h.a * p.x + h.b * p.y - h.c; }

// Sutherland-Hodgman: the part of a convex polygon where a x + b y <= c (sign -1: >=).
Polygon clip(const Polygon& polygon, double a, double b, double c, double eps) {
    Polygon out;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0; i < n; ++i) {
        const PlanePoint p = polygon[i];
        const PlanePoint q = polygon[(i + 1) % n];
        const double rp = a * p.x + b * p.y - c;
        const double rq = a * q.x + b * q.y - c;
        if (rp <= eps) out.push_back(p);
        if ((rp <= eps) != (rq <= eps)) {
            const double t = rp / (rp - rq);
            out.push_back({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
        }
    }
    return out;
}

Polygon clip(const Polygon& polygon, const HalfPlane& h, double eps) {
    switch (h.relation) {
        case Relation::less_equal:
            return clip(polygon, h.a, h.b, h.c, eps);
        case Relation::greater_equal:
            return clip(polygon, -h.a, -h.b, -h.c, eps);
        case Relation::equal:
            return clip(clip(polygon, h.a, h.b, h.c, eps), -h.a, -h.b, -h.c, eps);
    }
    return polygon;
}

double area(const Polygon& polygon) {
    double twice = 0.0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const PlanePoint p = polygon[i];
        const PlanePoint q = polygon[(i + 1) % polygon.size()];
        twice += p.x * q.y - q.x * p.y;
    }
    return std::abs(twice) / 2.0;
}

Polygon clip_to_rect(Polygon polygon, const PlaneRect& r) {
    polygon = clip(polygon, 1, 0, r.x_max, 0);
    polygon = clip(polygon, -1, 0, -r.x_min, 0);
    polygon = clip(polygon, 0, 1, r.y_max, 0);
    return clip(polygon, 0, -1, -r.y_min, 0);
}

// The part of the segment p + t d, t in [t0, t1], inside the rectangle (Liang-Barsky).
std::optional<PlaneSegment> clip_segment(PlanePoint p, PlanePoint d, double t0, double t1, const PlaneRect& r) {
    const std::array<double, 4> q{p.x - r.x_min, r.x_max - p.x, p.y - r.y_min, r.y_max - p.y};
    const std::array<double, 4> s{-d.x, d.x, -d.y, d.y};
    for (std::size_t k = 0; k < 4; ++k) {
        if (s[k] == 0) {
            if (q[k] < 0) return std::nullopt;
            continue;
        }
        const double t = q[k] / s[k];
        if (s[k] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
    }
    if (t0 > t1) return std::nullopt;
    return PlaneSegment{{p.x + t0 * d.x, p.y + t0 * d.y}, {p.x + t1 * d.x, p.y + t1 * d.y}};
}

// The line a x + b y = c inside the rectangle.
std::optional<PlaneSegment> line_in(double a, double b, double c, const PlaneRect& r) {
    const double norm2 = a * a + b * b;
    if (norm2 == 0) return std::nullopt;
    const PlanePoint p{a * c / norm2, b * c / norm2};
    return clip_segment(p, {-b, a}, -HUGE_VAL, HUGE_VAL, r);
}

double scale_of(const PlaneProblem& problem) {
    double s = 1.0;
    for (const HalfPlane& h : problem.constraints) {
        const double m = std::max(std::abs(h.a), std::abs(h.b));
        if (m > 0) s = std::max(s, std::abs(h.c) / m);
    }
    for (const PlanePoint& p : problem.run_points) s = std::max({s, std::abs(p.x), std::abs(p.y)});
    return s;
}

// A square view around the points with a margin, so that angles show true.
PlaneRect view_around(const std::vector<PlanePoint>& points, double margin) {
    PlaneRect r{points.front().x, points.front().x, points.front().y, points.front().y};
    for (const PlanePoint& p : points) {
        r.x_min = std::min(r.x_min, p.x);
        r.x_max = std::max(r.x_max, p.x);
        r.y_min = std::min(r.y_min, p.y);
        r.y_max = std::max(r.y_max, p.y);
    }
    double span = std::max(r.x_max - r.x_min, r.y_max - r.y_min);
    if (span <= 0) span = 1.0;
    const double half = span * (0.5 + margin);
    const double cx = (r.x_min + r.x_max) / 2;
    const double cy = (r.y_min + r.y_max) / 2;
    return {cx - half, cx + half, cy - half, cy + half};
}

// As a stream writes it (six significant digits), whatever the locale.
std::string number_text(double v) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 6);
    return {buffer, result.ptr};
}

}  // namespace

bool is_feasible(const PlaneProblem& problem, PlanePoint point) {
    for (const HalfPlane& h : problem.constraints) {
        const double r = residual(h, point);
        const double tol = 1e-7 * (1.0 + std::abs(h.c) + std::abs(h.a * point.x) + std::abs(h.b * point.y));
        if ((h.relation != Relation::greater_equal && r > tol) || (h.relation != Relation::less_equal && r < -tol)) {
            return false;
        }
    }
    return true;
}

PlanePicture build_plane_picture(const PlaneProblem& problem) {
    PlanePicture picture;
    picture.x_name = problem.x_name;
    picture.y_name = problem.y_name;

    // The region: a box far larger than the data, cut by every constraint.
    const double box = 1e3 * scale_of(problem);
    const double eps = 1e-12 * box;
    Polygon region{{-box, -box}, {box, -box}, {box, box}, {-box, box}};
    for (const HalfPlane& h : problem.constraints) region = clip(region, h, eps);

    const auto on_box = [box](PlanePoint p) { return std::max(std::abs(p.x), std::abs(p.y)) >= box * (1 - 1e-9); };
    for (const PlanePoint& p : region) {
        if (on_box(p)) {
            picture.unbounded = true;
        } else {
            picture.vertices.push_back(p);
        }
    }

    std::vector<PlanePoint> shown{{0, 0}};
    shown.insert(shown.end(), picture.vertices.begin(), picture.vertices.end());
    shown.insert(shown.end(), problem.run_points.begin(), problem.run_points.end());
    if (problem.optimum) shown.push_back(*problem.optimum);
    if (region.empty()) {  // no region to show: show where the lines cross the axes
        for (const HalfPlane& h : problem.constraints) {
            if (h.a != 0) shown.push_back({h.c / h.a, 0});
            if (h.b != 0) shown.push_back({0, h.c / h.b});
        }
    }
    // A point of a run that lost its way (an overflow) cannot size the view.
    std::erase_if(shown, [](PlanePoint p) { return !std::isfinite(p.x) || !std::isfinite(p.y); });
    const double margin = picture.unbounded ? 0.3 : 0.12;
    picture.view = view_around(shown, margin);

    // The objective grows along its gradient; a minimum looks the other way. The
    // arrow starts at the optimum and the view grows to hold its head.
    const double direction = problem.maximize ? 1.0 : -1.0;
    const double gx = direction * problem.cost_x;
    const double gy = direction * problem.cost_y;
    const double g = std::hypot(gx, gy);
    picture.objective_from = problem.optimum.value_or(
        PlanePoint{(picture.view.x_min + picture.view.x_max) / 2, (picture.view.y_min + picture.view.y_max) / 2});
    picture.objective_to = picture.objective_from;
    if (g > 0) {
        const double length = 0.15 * (picture.view.x_max - picture.view.x_min);
        picture.objective_to = {picture.objective_from.x + length * gx / g, picture.objective_from.y + length * gy / g};
        shown.push_back(picture.objective_to);
        picture.view = view_around(shown, margin);
    }
    const PlaneRect& view = picture.view;

    picture.region = clip_to_rect(region, view);
    // A leaf's bounds meet the region in a polygon, a side or a corner; only a polygon has a shade.
    const double least_area = 1e-9 * (view.x_max - view.x_min) * (view.y_max - view.y_min);
    for (const std::vector<HalfPlane>& bounds : problem.branches) {
        Polygon part = region;
        for (const HalfPlane& h : bounds) part = clip(part, h, eps);
        part = clip_to_rect(std::move(part), view);
        if (area(part) > least_area) picture.branch_regions.push_back(std::move(part));
    }
    if (!problem.branches.empty()) picture.answer = problem.optimum;
    for (std::size_t i = 0; i < region.size(); ++i) {
        const PlanePoint p = region[i];
        const PlanePoint q = region[(i + 1) % region.size()];
        if (on_box(p) && on_box(q)) continue;  // the open side
        if (auto s = clip_segment(p, {q.x - p.x, q.y - p.y}, 0, 1, view)) picture.borders.push_back(*s);
    }

    // Labels at staggered places along their lines, so that lines crossing at one point keep them apart.
    static constexpr std::array<double, 4> kLabelPlaces{0.85, 0.15, 0.65, 0.35};
    std::size_t labelled = 0;
    for (const HalfPlane& h : problem.constraints) {
        if (h.label.empty()) continue;
        const auto segment = line_in(h.a, h.b, h.c, view);
        if (!segment) continue;
        const double f = kLabelPlaces[labelled++ % kLabelPlaces.size()];
        const PlanePoint at{segment->from.x + f * (segment->to.x - segment->from.x),
                            segment->from.y + f * (segment->to.y - segment->from.y)};
        picture.lines.push_back({*segment, at, h.label});
    }

    if (g > 0 && problem.optimum) {
        const PlanePoint o = *problem.optimum;
        picture.level_line = line_in(problem.cost_x, problem.cost_y, problem.cost_x * o.x + problem.cost_y * o.y, view);
    }

    for (const PlanePoint& p : problem.run_points) picture.run.push_back({p, is_feasible(problem, p)});
    return picture;
}

std::vector<Matrix> basic_solutions(const SimplexIteration& problem, const std::vector<Pivot>& pivots) {
    Matrix table = problem.table;
    std::vector<std::uint32_t> basis = problem.basis;
    const std::uint32_t m = problem.constraint_count();
    const std::uint32_t n = problem.variable_count();
    const auto solution = [&] {
        Matrix s(n + 1, 1);
        for (std::uint32_t i = 1; i <= m; ++i) s(basis.at(i), 0) = table(i, 0);
        for (std::uint32_t j = 1; j <= n; ++j) s(0, 0) += table(0, j) * s(j, 0);
        return s;
    };
    std::vector<Matrix> solutions{solution()};
    for (const Pivot& pivot : pivots) {
        const std::uint32_t r = pivot.row;
        const std::uint32_t k = pivot.column;
        const double key = table(r, k);
        for (std::uint32_t j = 0; j <= n; ++j) table(r, j) /= key;
        for (std::uint32_t i = 1; i <= m; ++i) {
            const double factor = table(i, k);
            if (i == r || factor == 0) continue;
            for (std::uint32_t j = 0; j <= n; ++j) table(i, j) -= factor * table(r, j);
        }
        basis.at(r) = k;
        solutions.push_back(solution());
    }
    return solutions;
}

// GCC 12 at -O2 reports the names of the PlaneProblem returned in an optional as
// maybe used uninitialized, inside std::string's copy (a false positive, gone in GCC 13).
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ < 13
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

std::optional<PlaneProblem> plane_problem_of_record(const SimplexIteration& problem) {
    const std::uint32_t m = problem.constraint_count();
    const std::uint32_t n = problem.variable_count();
    // Columns counted among the own ones beyond the first two are slacks too (a file may count them so).
    if (problem.base_vars == 1 || n < 2) return std::nullopt;
    // The sign of each row's slack: +1 for <=, -1 for >=, 0 for none (=).
    std::vector<int> slack(m + 1, 0);
    for (std::uint32_t j = 3; j <= n; ++j) {
        const double cost = problem.table(0, j);
        if (cost == BIG_M || cost == -BIG_M) continue;  // artificial
        if (cost != 0) return std::nullopt;
        std::uint32_t row = 0;
        for (std::uint32_t i = 1; i <= m; ++i) {
            if (problem.table(i, j) == 0) continue;
            if (row != 0) return std::nullopt;
            row = i;
        }
        if (row == 0 || slack[row] != 0) return std::nullopt;
        slack[row] = problem.table(row, j) > 0 ? 1 : -1;
    }
    PlaneProblem plane;
    plane.x_name = utf8_variable_name(problem, 1);  // the file's names, else x1 and x2
    plane.y_name = utf8_variable_name(problem, 2);
    plane.cost_x = problem.table(0, 1);
    plane.cost_y = problem.table(0, 2);
    plane.maximize = problem.aim == 1;
    for (std::uint32_t i = 1; i <= m; ++i) {
        const Relation relation = slack[i] > 0   ? Relation::less_equal
                                  : slack[i] < 0 ? Relation::greater_equal
                                                 : Relation::equal;
        plane.constraints.push_back(
            {problem.table(i, 1), problem.table(i, 2), relation, problem.table(i, 0), std::to_string(i)});
    }
    plane.constraints.push_back({1, 0, Relation::greater_equal, 0, ""});
    plane.constraints.push_back({0, 1, Relation::greater_equal, 0, ""});
    return plane;
}

std::optional<PlaneProblem> plane_problem_of_model(const LpModel& model) {
    if (model.columns.size() != 2) return std::nullopt;
    PlaneProblem plane;
    plane.x_name = model.columns[0].name;
    plane.y_name = model.columns[1].name;
    plane.cost_x = model.columns[0].cost;
    plane.cost_y = model.columns[1].cost;
    plane.maximize = model.maximize;
    for (const LpModel::Row& row : model.rows) {
        double a = 0;
        double b = 0;
        for (const auto& [column, value] : row.coefficients) (column == 0 ? a : b) += value;
        if (a == 0 && b == 0) continue;
        if (row.lower == row.upper) {
            plane.constraints.push_back({a, b, Relation::equal, row.lower, row.name});
            continue;
        }
        if (std::isfinite(row.lower)) plane.constraints.push_back({a, b, Relation::greater_equal, row.lower, row.name});
        if (std::isfinite(row.upper)) plane.constraints.push_back({a, b, Relation::less_equal, row.upper, row.name});
    }
    for (std::size_t k = 0; k < 2; ++k) {
        const LpModel::Column& column = model.columns[k];
        const double a = k == 0 ? 1 : 0;
        const double b = 1 - a;
        // A zero lower bound is the axis itself and goes without a label.
        if (std::isfinite(column.lower)) {
            const std::string label = column.lower == 0 ? "" : column.name + " ≥ " + number_text(column.lower);
            plane.constraints.push_back({a, b, Relation::greater_equal, column.lower, label});
        }
        if (std::isfinite(column.upper)) {
            plane.constraints.push_back(
                {a, b, Relation::less_equal, column.upper, column.name + " ≤ " + number_text(column.upper)});
        }
    }
    return plane;
}

#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ < 13
#pragma GCC diagnostic pop
#endif

namespace {

// A step of 1, 2 or 5 times a power of ten giving about five ticks.
double tick_step(double span) {
    const double raw = span / 5;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * power >= raw) return m * power;
    }
    return 10 * power;
}

// Whole multiples of the step, counted, so that no sum of steps drifts; -0 shows as 0.
std::vector<double> multiples(double step, double low, double high) {
    std::vector<double> ticks;
    for (auto k = static_cast<long long>(std::ceil(low / step)); static_cast<double>(k) * step <= high; ++k) {
        const double t = static_cast<double>(k) * step;
        ticks.push_back(std::abs(t) < 1e-12 ? 0.0 : t);
    }
    return ticks;
}

}  // namespace

PlaneTicks plane_ticks(const PlaneRect& view) {
    const double step = tick_step(view.x_max - view.x_min);
    return {multiples(step, view.x_min, view.x_max), multiples(step, view.y_min, view.y_max)};
}
