#include "solver/analysis/plane_svg.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <locale>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

#include "solver/analysis/plane_layout.h"
#include "solver/report/markup_escapes.h"
#include "solver/report/output_marker.h"

namespace {

constexpr double kSize = 640;  // a square picture, its text 13 pixels high

// Numbers are written without the C locale, so that a point stays a point under any LC_NUMERIC.
std::string fixed(double v) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 2);
    return {buffer, result.ptr};
}

std::string shortest(double v) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return {buffer, result.ptr};
}

// "#rrggbb", or "#rgb" when each of its three bytes is one digit twice.
std::string colour_text(PlaneColour colour) {
    constexpr std::string_view kHex = "0123456789abcdef";
    const std::uint8_t bytes[] = {colour.red, colour.green, colour.blue};
    const bool short_form =
        std::all_of(std::begin(bytes), std::end(bytes), [](std::uint8_t b) { return b >> 4 == (b & 0xF); });
    std::string text = "#";
    for (const std::uint8_t b : bytes) {
        text += kHex[b >> 4];
        if (!short_form) text += kHex[b & 0xF];
    }
    return text;
}

// One rule of the style sheet: ".grid{stroke:#e4e4e4;stroke-width:1}".
std::string style_rule(const PlaneStyle& style) {
    std::vector<std::string> parts;
    if (style.stroke_under) parts.emplace_back("paint-order:stroke");
    if (style.bold) parts.emplace_back("font-weight:bold");
    if (style.italic) parts.emplace_back("font-style:italic");
    if (style.fill) parts.push_back("fill:" + colour_text(*style.fill));
    if (style.fill_opacity != 1) parts.push_back("fill-opacity:" + shortest(style.fill_opacity));
    if (style.stroke) parts.push_back("stroke:" + colour_text(*style.stroke));
    if (style.no_stroke) parts.emplace_back("stroke:none");
    if (style.stroke_width != 0) parts.push_back("stroke-width:" + shortest(style.stroke_width));
    if (style.dashed) parts.emplace_back("stroke-dasharray:7 5");
    if (style.stroke_under) parts.emplace_back("stroke-linejoin:round");
    std::string rule = std::string(".") + style.name + "{";
    for (std::size_t k = 0; k < parts.size(); ++k) rule += (k == 0 ? "" : ";") + parts[k];
    return rule + "}";
}

bool in_style_sheet(PlaneMark mark) {
    return std::ranges::any_of(plane_style_groups(),
                               [mark](const auto& group) { return std::ranges::find(group, mark) != group.end(); });
}

// The value of text-anchor, in the order of PlaneAnchor.
const char* anchor_name(PlaneAnchor anchor) {
    static constexpr const char* kNames[] = {"start", "middle", "end"};
    return kNames[static_cast<std::size_t>(anchor)];
}

class SvgCanvas final : public PlaneCanvas {
public:
    explicit SvgCanvas(std::ostringstream& out) : out_(out) {}

    void line(PlanePoint from, PlanePoint to, PlaneMark mark) override {
        const PlaneStyle& style = plane_style(mark);
        out_ << "<line x1=\"" << fixed(from.x) << "\" y1=\"" << fixed(from.y) << "\" x2=\"" << fixed(to.x) << "\" y2=\""
             << fixed(to.y) << "\" class=\"" << style.name << '"';
        if (style.head) out_ << " marker-end=\"url(#" << style.head->id << ")\"";
        out_ << "/>\n";
    }
    void polygon(const std::vector<PlanePoint>& points, PlaneMark mark) override {
        out_ << "<polygon class=\"" << plane_style(mark).name << "\" points=\"";
        for (const PlanePoint& p : points) out_ << fixed(p.x) << ',' << fixed(p.y) << ' ';
        out_ << "\"/>\n";
    }
    void circle(PlanePoint centre, double radius, PlaneMark mark) override {
        out_ << "<circle cx=\"" << fixed(centre.x) << "\" cy=\"" << fixed(centre.y) << "\" r=\"" << shortest(radius)
             << "\" class=\"" << plane_style(mark).name << "\"/>\n";
    }
    // A label's classes come before its anchor, a plain text's anchor before its class.
    void text(PlanePoint at, const std::string& body, PlaneMark mark, PlaneAnchor anchor, bool halo) override {
        const std::string anchoring =
            anchor == PlaneAnchor::start ? "" : std::string("text-anchor=\"") + anchor_name(anchor) + '"';
        std::string attributes;
        if (halo) {
            attributes = std::string("class=\"") + plane_style(mark).name + " halo\"" + (anchoring.empty() ? "" : " ") +
                         anchoring;
        } else {
            attributes = anchoring;
            if (in_style_sheet(mark))
                attributes += std::string(attributes.empty() ? "" : " ") + "class=\"" + plane_style(mark).name + '"';
        }
        out_ << "<text x=\"" << fixed(at.x) << "\" y=\"" << fixed(at.y) << "\" " << attributes << '>' << xml_text(body)
             << "</text>\n";
    }
    void begin_clip(const PlaneFrame& /*frame*/) override { out_ << "<g clip-path=\"url(#plot)\">\n"; }
    void end_clip() override { out_ << "</g>\n"; }
    void frame(const PlaneFrame& frame) override {
        out_ << "<rect x=\"" << frame.left << "\" y=\"" << frame.top << "\" width=\"" << frame.side << "\" height=\""
             << frame.side << "\" fill=\"none\" stroke=\"" << colour_text(*plane_style(PlaneMark::frame).stroke)
             << "\"/>\n";
    }

private:
    std::ostringstream& out_;
};

void write_head(std::ostringstream& out, const PlaneFrame& f, const PlanePicture& picture) {
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<!-- " << kOutputMarker << " -->\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kSize << "\" height=\"" << kSize
        << "\" viewBox=\"0 0 " << kSize << ' ' << kSize << "\" font-family=\"sans-serif\" font-size=\"13\">\n"
        << "<style>\n";
    for (const auto& group : plane_style_groups()) {
        for (const PlaneMark mark : group) out << style_rule(plane_style(mark));
        out << '\n';
    }
    // The marks of a branch and bound's tree, for its pictures alone: the others stay as they were.
    if (!picture.branch_regions.empty() || picture.answer) {
        out << style_rule(plane_style(PlaneMark::branch)) << style_rule(plane_style(PlaneMark::answer)) << '\n';
    }
    out << "</style>\n"
        << "<defs>\n"
        << "<clipPath id=\"plot\"><rect x=\"" << f.left << "\" y=\"" << f.top << "\" width=\"" << f.side
        << "\" height=\"" << f.side << "\"/></clipPath>\n";
    for (const PlaneMark mark : {PlaneMark::step, PlaneMark::objective}) {
        const PlaneStyle& style = plane_style(mark);
        const std::string size = shortest(style.head->size);
        out << "<marker id=\"" << style.head->id << "\" viewBox=\"0 0 10 10\" refX=\"" << shortest(style.head->ref_x)
            << "\" refY=\"5\" markerWidth=\"" << size << "\" markerHeight=\"" << size
            << "\" orient=\"auto\"><path d=\"M0,0 L10,5 L0,10 z\" fill=\"" << colour_text(*style.stroke)
            << "\"/></marker>\n";
    }
    out << "</defs>\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"" << colour_text(kPlaneBackground) << "\"/>\n";
}

}  // namespace

std::string plane_svg(const PlanePicture& picture) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    const PlaneFrame frame = plane_frame(kSize, kSize, 1);
    write_head(out, frame, picture);
    SvgCanvas canvas(out);
    lay_out_plane(picture, frame, canvas);
    out << "</svg>\n";
    return out.str();
}
