// The one layout of the picture, seen through a canvas that writes down what it is asked to draw.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "solver/analysis/plane_layout.h"

namespace {

struct Call {
    std::string kind;  // "line", "polygon", "circle", "text", "clip", "unclip", "frame"
    PlaneMark mark = PlaneMark::frame;
    PlanePoint at;
    std::string body;
};

class RecordingCanvas final : public PlaneCanvas {
public:
    std::vector<Call> calls;

    void line(PlanePoint from, PlanePoint /*to*/, PlaneMark mark) override {
        calls.push_back({"line", mark, from, {}});
    }
    void polygon(const std::vector<PlanePoint>& points, PlaneMark mark) override {
        calls.push_back({"polygon", mark, points.front(), {}});
    }
    void circle(PlanePoint centre, double /*radius*/, PlaneMark mark) override {
        calls.push_back({"circle", mark, centre, {}});
    }
    void text(PlanePoint at, const std::string& body, PlaneMark mark, PlaneAnchor /*anchor*/, bool /*halo*/) override {
        calls.push_back({"text", mark, at, body});
    }
    void begin_clip(const PlaneFrame& /*frame*/) override { calls.push_back({"clip", PlaneMark::frame, {}, {}}); }
    void end_clip() override { calls.push_back({"unclip", PlaneMark::frame, {}, {}}); }
    void frame(const PlaneFrame& /*frame*/) override { calls.push_back({"frame", PlaneMark::frame, {}, {}}); }

    std::size_t index_of(const std::string& kind, PlaneMark mark) const {
        for (std::size_t k = 0; k < calls.size(); ++k)
            if (calls[k].kind == kind && calls[k].mark == mark) return k;
        return calls.size();
    }
};

// A view of [0, 10] x [0, 10]; a run 0 -> 1 -> 2 whose last pivot is degenerate (2 stays where 1 is), and
// point 3 at the view's corner, where its label must still fit inside the plot.
PlanePicture picture() {
    PlanePicture p;
    p.x_name = "x";
    p.y_name = "y";
    p.view = {0, 10, 0, 10};
    p.region = {{0, 0}, {4, 0}, {0, 4}};
    p.lines = {PlaneLine{{{0, 4}, {4, 0}}, {2, 2}, "1"}};
    p.objective_from = {1, 1};
    p.objective_to = {2, 2};
    p.run = {{{0, 0}, true}, {{4, 0}, true}, {{4, 0}, true}, {{10, 10}, false}};
    return p;
}

TEST(PlaneLayout, TheSvgFrameIsTheSquareOfTheOldWriterAndScalesWithTheText) {
    const PlaneFrame svg = plane_frame(640, 640, 1);
    EXPECT_EQ(svg.left, 64);
    EXPECT_EQ(svg.top, 24);
    EXPECT_EQ(svg.side, 552);
    const PlaneFrame wide = plane_frame(1280 + 200, 1280, 2);  // twice as large, 200 pixels to spare across
    EXPECT_EQ(wide.side, 2 * svg.side);
    EXPECT_EQ(wide.left, 2 * svg.left + 100);
    EXPECT_EQ(wide.top, 2 * svg.top);
}

TEST(PlaneLayout, PointsThatStayShareOneLabelAndLabelsStayInThePlot) {
    RecordingCanvas canvas;
    const PlaneFrame frame = plane_frame(640, 640, 1);
    lay_out_plane(picture(), frame, canvas);
    std::vector<std::string> numbers;
    std::size_t circles = 0;
    for (const Call& call : canvas.calls) {
        circles += call.kind == "circle" ? 1 : 0;
        if (call.kind != "text" || (call.mark != PlaneMark::number && call.mark != PlaneMark::label)) continue;
        if (call.mark == PlaneMark::number) numbers.push_back(call.body);
        EXPECT_GE(call.at.x, frame.left + 14) << call.body;
        EXPECT_LE(call.at.x, frame.left + frame.side - 14) << call.body;
        EXPECT_GE(call.at.y, frame.top + 14) << call.body;
        EXPECT_LE(call.at.y, frame.top + frame.side - 14) << call.body;
    }
    EXPECT_EQ(numbers, (std::vector<std::string>{"0", "1,2", "3"}));
    EXPECT_EQ(circles, 3U);
}

// The order both canvases draw in: what lies under comes first, the constraints' labels over everything
// but outside the clip, and the frame last.
TEST(PlaneLayout, MarksComeInTheirOrder) {
    RecordingCanvas canvas;
    lay_out_plane(picture(), plane_frame(640, 640, 1), canvas);
    const std::size_t order[] = {
        canvas.index_of("line", PlaneMark::grid),       canvas.index_of("text", PlaneMark::name),
        canvas.index_of("clip", PlaneMark::frame),      canvas.index_of("polygon", PlaneMark::region),
        canvas.index_of("line", PlaneMark::constraint), canvas.index_of("line", PlaneMark::objective),
        canvas.index_of("line", PlaneMark::step),       canvas.index_of("circle", PlaneMark::inside),
        canvas.index_of("unclip", PlaneMark::frame),    canvas.index_of("text", PlaneMark::label),
        canvas.index_of("frame", PlaneMark::frame),
    };
    for (std::size_t k = 1; k < std::size(order); ++k) EXPECT_LT(order[k - 1], order[k]) << k;
    EXPECT_EQ(order[std::size(order) - 1], canvas.calls.size() - 1);
}

}  // namespace
