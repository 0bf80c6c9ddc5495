#include "solver/analysis/plane_layout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <utility>

namespace {

constexpr PlaneColour kBlack{0x00, 0x00, 0x00};
constexpr PlaneColour kWhite{0xff, 0xff, 0xff};
constexpr PlaneColour kObjectiveRed{0xc0, 0x39, 0x2b};
constexpr PlaneColour kStepInk{0x22, 0x22, 0x22};

// Room around the plot at scale 1: for the tick values on the left and below, and a margin above and right.
constexpr double kRoomLeft = 64;
constexpr double kRoomTop = 24;
constexpr double kRoomAcross = 88;  // left and right
constexpr double kRoomDown = 88;    // top and bottom
constexpr double kPointRadius = 4.5;

// World coordinates to the canvas: the view fills the square plot.
class Mapping {
public:
    Mapping(const PlaneRect& view, const PlaneFrame& frame) : v_(view), f_(frame) {}
    double x(double world) const { return f_.left + (world - v_.x_min) / (v_.x_max - v_.x_min) * f_.side; }
    double y(double world) const { return f_.top + f_.side - (world - v_.y_min) / (v_.y_max - v_.y_min) * f_.side; }
    PlanePoint operator()(PlanePoint p) const { return {x(p.x), y(p.y)}; }

private:
    PlaneRect v_;
    PlaneFrame f_;
};

// A canvas position to the hundredth of a pixel: points closer than that are one point.
double hundredths(double v) {
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 2);
    double value = 0.0;
    std::from_chars(buffer, written.ptr, value);
    return value;
}

// Labels stay inside the plot, clear of its frame.
double inside(double v, double low, double high, double scale) {
    return std::clamp(v, low + 14 * scale, high - 14 * scale);
}

void draw_axes(const PlanePicture& picture, const PlaneFrame& f, const Mapping& map, PlaneCanvas& canvas) {
    const PlaneRect& v = picture.view;
    const double s = f.scale;
    const PlaneTicks ticks = plane_ticks(v);
    for (const double t : ticks.x) {
        canvas.line(map({t, v.y_min}), map({t, v.y_max}), PlaneMark::grid);
        canvas.text({map.x(t), f.top + f.side + 18 * s}, plane_tick_text(t), PlaneMark::tick, PlaneAnchor::middle,
                    false);
    }
    for (const double t : ticks.y) {
        canvas.line(map({v.x_min, t}), map({v.x_max, t}), PlaneMark::grid);
        canvas.text({f.left - 6 * s, map.y(t) + 4 * s}, plane_tick_text(t), PlaneMark::tick, PlaneAnchor::end, false);
    }
    if (v.y_min <= 0 && v.y_max >= 0) canvas.line(map({v.x_min, 0}), map({v.x_max, 0}), PlaneMark::axis);
    if (v.x_min <= 0 && v.x_max >= 0) canvas.line(map({0, v.y_min}), map({0, v.y_max}), PlaneMark::axis);
    canvas.text({f.left + f.side, f.top + f.side + 36 * s}, picture.x_name, PlaneMark::name, PlaneAnchor::end, false);
    canvas.text({f.left - 6 * s, f.top - 8 * s}, picture.y_name, PlaneMark::name, PlaneAnchor::end, false);
}

// The steps joined in order, the points numbered by iteration: iterations that stay at one point share a label.
void draw_run(const PlanePicture& picture, const PlaneFrame& f, const Mapping& map, PlaneCanvas& canvas) {
    for (std::size_t i = 1; i < picture.run.size(); ++i) {
        const PlanePoint a = picture.run[i - 1].at;
        const PlanePoint b = picture.run[i].at;
        if (a.x == b.x && a.y == b.y) continue;  // a degenerate pivot stays in place
        canvas.line(map(a), map(b), PlaneMark::step);
    }
    std::map<std::pair<double, double>, std::pair<std::string, bool>> labels;
    std::vector<std::pair<double, double>> order;
    for (std::size_t i = 0; i < picture.run.size(); ++i) {
        const PlaneRunPoint& p = picture.run[i];
        const auto key = std::make_pair(hundredths(map.x(p.at.x)), hundredths(map.y(p.at.y)));
        auto [entry, added] = labels.try_emplace(key, std::to_string(i), p.feasible);
        if (added) {
            order.push_back(key);
        } else {
            entry->second.first += "," + std::to_string(i);
        }
    }
    const double s = f.scale;
    for (const auto& key : order) {
        const auto& [label, feasible] = labels[key];
        canvas.circle({key.first, key.second}, kPointRadius * s, feasible ? PlaneMark::inside : PlaneMark::outside);
        const double x = inside(key.first + 7 * s, f.left, f.left + f.side, s);
        const double y = inside(key.second - 7 * s, f.top, f.top + f.side, s);
        canvas.text({x, y}, label, PlaneMark::number, PlaneAnchor::start, true);
    }
}

// Each label a little to the side of its line, so that the line does not cross it.
void draw_labels(const PlanePicture& picture, const PlaneFrame& f, const Mapping& map, PlaneCanvas& canvas) {
    const double s = f.scale;
    for (const PlaneLine& line : picture.lines) {
        const double dx = map.x(line.segment.to.x) - map.x(line.segment.from.x);
        const double dy = map.y(line.segment.to.y) - map.y(line.segment.from.y);
        const double length = std::max(std::hypot(dx, dy), 1e-9);
        const double x = inside(map.x(line.label_at.x) - 10 * s * dy / length, f.left, f.left + f.side, s);
        const double y = inside(map.y(line.label_at.y) + 10 * s * dx / length + 4 * s, f.top, f.top + f.side, s);
        canvas.text({x, y}, line.label, PlaneMark::label, PlaneAnchor::middle, true);
    }
}

}  // namespace

const PlaneStyle& plane_style(PlaneMark mark) {
    static const PlaneStyle styles[] = {
        {.name = "grid", .stroke = PlaneColour{0xe4, 0xe4, 0xe4}, .stroke_width = 1},
        {.name = "axis", .stroke = kBlack, .stroke_width = 1.3},
        {.name = "region", .no_stroke = true, .fill = PlaneColour{0xbc, 0xd7, 0xf5}, .fill_opacity = 0.55},
        {.name = "border", .stroke = PlaneColour{0x1f, 0x5f, 0xbf}, .stroke_width = 2.2},
        {.name = "constraint", .stroke = PlaneColour{0x66, 0x66, 0x66}, .stroke_width = 1},
        {.name = "label", .fill = PlaneColour{0x33, 0x33, 0x33}},
        {.name = "level", .stroke = kObjectiveRed, .stroke_width = 1.6, .dashed = true},
        {.name = "objective",
         .stroke = kObjectiveRed,
         .stroke_width = 2,
         .head = PlaneArrowHead{"objective-head", 9, 7}},
        {.name = "step", .stroke = kStepInk, .stroke_width = 1.4, .head = PlaneArrowHead{"step-head", 14, 8}},
        {.name = "inside", .stroke = kWhite, .fill = PlaneColour{0x2e, 0x8b, 0x57}},
        {.name = "outside", .stroke = kWhite, .fill = PlaneColour{0xe6, 0x7e, 0x22}},
        {.name = "number", .fill = PlaneColour{0x11, 0x11, 0x11}, .bold = true},
        {.name = "name", .italic = true},
        {.name = "halo", .stroke = kWhite, .stroke_width = 3, .stroke_under = true},
        {.name = "tick"},
        {.name = "frame", .stroke = PlaneColour{0x99, 0x99, 0x99}},
        {.name = "branch",
         .stroke = PlaneColour{0xb0, 0x7d, 0x00},
         .stroke_width = 1.2,
         .fill = PlaneColour{0xff, 0xcf, 0x40},
         .fill_opacity = 0.35,
         .dashed = true},
        {.name = "answer", .stroke = kWhite, .fill = PlaneColour{0x1b, 0x7a, 0x1b}},
    };
    return styles[static_cast<std::size_t>(mark)];
}

const std::vector<std::vector<PlaneMark>>& plane_style_groups() {
    using enum PlaneMark;
    static const std::vector<std::vector<PlaneMark>> groups{
        {grid, axis},   {region, border}, {constraint, label}, {level, objective}, {step, inside, outside},
        {number, name}, {halo},
    };
    return groups;
}

PlaneFrame plane_frame(double width, double height, double scale) {
    const double side = std::max(10.0, std::min(width - kRoomAcross * scale, height - kRoomDown * scale));
    const double spare = std::max(0.0, width - kRoomAcross * scale - side);
    return {kRoomLeft * scale + spare / 2, kRoomTop * scale, side, scale};
}

void lay_out_plane(const PlanePicture& picture, const PlaneFrame& frame, PlaneCanvas& canvas) {
    const Mapping map(picture.view, frame);
    draw_axes(picture, frame, map, canvas);
    canvas.begin_clip(frame);
    if (picture.region.size() >= 3) {
        std::vector<PlanePoint> region;
        region.reserve(picture.region.size());
        for (const PlanePoint& p : picture.region) region.push_back(map(p));
        canvas.polygon(region, PlaneMark::region);
    }
    for (const std::vector<PlanePoint>& part : picture.branch_regions) {
        std::vector<PlanePoint> shape;
        shape.reserve(part.size());
        for (const PlanePoint& p : part) shape.push_back(map(p));
        canvas.polygon(shape, PlaneMark::branch);
    }
    for (const PlaneLine& line : picture.lines)
        canvas.line(map(line.segment.from), map(line.segment.to), PlaneMark::constraint);
    for (const PlaneSegment& border : picture.borders) canvas.line(map(border.from), map(border.to), PlaneMark::border);
    if (picture.level_line) canvas.line(map(picture.level_line->from), map(picture.level_line->to), PlaneMark::level);
    if (picture.objective_from.x != picture.objective_to.x || picture.objective_from.y != picture.objective_to.y) {
        canvas.line(map(picture.objective_from), map(picture.objective_to), PlaneMark::objective);
    }
    draw_run(picture, frame, map, canvas);
    if (picture.answer) canvas.circle(map(*picture.answer), 1.5 * kPointRadius * frame.scale, PlaneMark::answer);
    canvas.end_clip();
    draw_labels(picture, frame, map, canvas);
    canvas.frame(frame);
}

std::string plane_tick_text(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::abs(value) < 1e-12 ? 0.0 : value,
                                      std::chars_format::general, 6);
    return {buffer, result.ptr};
}
