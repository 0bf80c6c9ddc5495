#pragma once

// The picture laid out once: where each mark of a PlanePicture goes on a canvas, in which order, how the
// labels of the run's points merge and stand off, and how each kind of mark looks. A PlaneCanvas only draws
// (the SVG writer, the window's painter); positions are in the canvas's pixels, y downwards.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "solver/analysis/plane_picture.h"

struct PlaneColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// An arrow's head in the units of its line's width: a triangle `size` widths long and as wide, whose tip
// stands (ref_x - 10) / 10 of its length back from the end of the line (a head of 10 by 10 placed at ref_x).
struct PlaneArrowHead {
    const char* id;  // "step-head"
    double ref_x;
    double size;
};

// What a kind of mark looks like. A text's colour is its fill.
struct PlaneStyle {
    const char* name;  // "grid": also the class of the mark in SVG
    std::optional<PlaneColour> stroke = std::nullopt;
    double stroke_width = 0;  // 0: the canvas's thinnest
    bool no_stroke = false;   // said so, for a filled shape
    std::optional<PlaneColour> fill = std::nullopt;
    double fill_opacity = 1;
    bool dashed = false;  // 7 on, 5 off
    bool bold = false;
    bool italic = false;
    // Drawn first in the stroke, round-joined, as wide as stroke_width (the white edge of a label).
    bool stroke_under = false;
    std::optional<PlaneArrowHead> head = std::nullopt;  // a line's arrow head, in its stroke colour
};

// The kinds of marks, in the rows of the style sheet.
enum class PlaneMark {
    grid,
    axis,
    region,
    border,
    constraint,
    label,
    level,
    objective,
    step,
    inside,
    outside,
    number,
    name,
    halo,
    tick,    // the numbers of the grid
    frame,   // the plot's border
    branch,  // a leaf's part of the region, in a branch and bound
    answer,  // its answer's point
};
const PlaneStyle& plane_style(PlaneMark mark);
// The style sheet: groups of kinds that belong together, the marks of the reference lines, of the region, ...
const std::vector<std::vector<PlaneMark>>& plane_style_groups();
inline const PlaneColour kPlaneBackground{0xff, 0xff, 0xff};

enum class PlaneAnchor { start, middle, end };

// Where the plot goes on the canvas: a square beneath a margin, beside room for the tick values; every
// distance scales with the canvas's text (1: text 13 pixels high).
struct PlaneFrame {
    double left = 0;
    double top = 0;
    double side = 0;
    double scale = 1;
};
// The largest square plot in width x height with room for the texts around it, centred across.
PlaneFrame plane_frame(double width, double height, double scale);

class PlaneCanvas {
public:
    virtual ~PlaneCanvas() = default;
    virtual void line(PlanePoint from, PlanePoint to, PlaneMark mark) = 0;
    virtual void polygon(const std::vector<PlanePoint>& points, PlaneMark mark) = 0;
    virtual void circle(PlanePoint centre, double radius, PlaneMark mark) = 0;
    // `at` is the start, the middle or the end of the text's base line; a label with `halo` has a white edge.
    virtual void text(PlanePoint at, const std::string& body, PlaneMark mark, PlaneAnchor anchor, bool halo) = 0;
    // Marks between these two stay inside the plot.
    virtual void begin_clip(const PlaneFrame& frame) = 0;
    virtual void end_clip() = 0;
    virtual void frame(const PlaneFrame& frame) = 0;  // the plot's border, last
};

// Draws the picture: grid and ticks, axes, names, then within the plot the region, the constraint lines,
// the region's borders, the level line, the objective's arrow and the run, then the constraints' labels.
void lay_out_plane(const PlanePicture& picture, const PlaneFrame& frame, PlaneCanvas& canvas);

// A tick's value as it is written: six significant digits, no minus zero.
std::string plane_tick_text(double value);
