#include "solver/analysis/plane_svg.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <locale>
#include <map>
#include <sstream>
#include <utility>

#include "solver/report/output_marker.h"

namespace {

constexpr double kSize = 640;
constexpr double kLeft = 64;
constexpr double kTop = 24;
constexpr double kPlot = 552;  // the square plot area

std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// Numbers are written without the C locale, so that a point stays a point under any LC_NUMERIC.
std::string fixed(double v) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 2);
    return {buffer, result.ptr};
}

std::string tick_text(double v) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, std::abs(v) < 1e-12 ? 0.0 : v, std::chars_format::general, 6);
    return {buffer, result.ptr};
}

double number_of(const std::string& text) {
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

class Canvas {
public:
    explicit Canvas(const PlaneRect& view) : v_(view) {}
    double x(double world) const { return kLeft + (world - v_.x_min) / (v_.x_max - v_.x_min) * kPlot; }
    double y(double world) const { return kTop + kPlot - (world - v_.y_min) / (v_.y_max - v_.y_min) * kPlot; }
    std::string point(PlanePoint p) const { return fixed(x(p.x)) + "," + fixed(y(p.y)); }
    std::string line(PlaneSegment s, const std::string& style) const {
        return "<line x1=\"" + fixed(x(s.from.x)) + "\" y1=\"" + fixed(y(s.from.y)) + "\" x2=\"" + fixed(x(s.to.x)) +
               "\" y2=\"" + fixed(y(s.to.y)) + "\" " + style + "/>\n";
    }

private:
    PlaneRect v_;
};

std::string text(double x, double y, const std::string& body, const std::string& style) {
    return "<text x=\"" + fixed(x) + "\" y=\"" + fixed(y) + "\" " + style + ">" + escaped(body) + "</text>\n";
}

// Labels stay inside the plot, clear of its frame.
double inside(double v, double low, double high) { return std::clamp(v, low + 14, high - 14); }

void write_axes(std::ostringstream& out, const PlanePicture& picture, const Canvas& canvas) {
    const PlaneRect& v = picture.view;
    const PlaneTicks ticks = plane_ticks(v);
    for (const double t : ticks.x) {
        out << canvas.line({{t, v.y_min}, {t, v.y_max}}, "class=\"grid\"");
        out << text(canvas.x(t), kTop + kPlot + 18, tick_text(t), "text-anchor=\"middle\"");
    }
    for (const double t : ticks.y) {
        out << canvas.line({{v.x_min, t}, {v.x_max, t}}, "class=\"grid\"");
        out << text(kLeft - 6, canvas.y(t) + 4, tick_text(t), "text-anchor=\"end\"");
    }
    if (v.y_min <= 0 && v.y_max >= 0) out << canvas.line({{v.x_min, 0}, {v.x_max, 0}}, "class=\"axis\"");
    if (v.x_min <= 0 && v.x_max >= 0) out << canvas.line({{0, v.y_min}, {0, v.y_max}}, "class=\"axis\"");
    out << text(kLeft + kPlot, kTop + kPlot + 36, picture.x_name, "text-anchor=\"end\" class=\"name\"");
    out << text(kLeft - 6, kTop - 8, picture.y_name, "text-anchor=\"end\" class=\"name\"");
}

void write_run(std::ostringstream& out, const PlanePicture& picture, const Canvas& canvas) {
    for (std::size_t i = 1; i < picture.run.size(); ++i) {
        const PlanePoint a = picture.run[i - 1].at;
        const PlanePoint b = picture.run[i].at;
        if (a.x == b.x && a.y == b.y) continue;  // a degenerate pivot stays in place
        out << canvas.line({a, b}, "class=\"step\" marker-end=\"url(#step-head)\"");
    }
    // Iterations that stay at one point share one label.
    std::map<std::pair<std::string, std::string>, std::pair<std::string, bool>> labels;
    std::vector<std::pair<std::string, std::string>> order;
    for (std::size_t i = 0; i < picture.run.size(); ++i) {
        const PlaneRunPoint& p = picture.run[i];
        const auto key = std::make_pair(fixed(canvas.x(p.at.x)), fixed(canvas.y(p.at.y)));
        auto [entry, added] = labels.try_emplace(key, std::to_string(i), p.feasible);
        if (added) {
            order.push_back(key);
        } else {
            entry->second.first += "," + std::to_string(i);
        }
    }
    for (const auto& key : order) {
        const auto& [label, feasible] = labels[key];
        const std::string style = feasible ? "class=\"inside\"" : "class=\"outside\"";
        out << "<circle cx=\"" << key.first << "\" cy=\"" << key.second << "\" r=\"4.5\" " << style << "/>\n";
        const double x = inside(number_of(key.first) + 7, kLeft, kLeft + kPlot);
        const double y = inside(number_of(key.second) - 7, kTop, kTop + kPlot);
        out << text(x, y, label, "class=\"number halo\"");
    }
}

}  // namespace

std::string plane_svg(const PlanePicture& picture) {
    const Canvas canvas(picture.view);
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<!-- " << kOutputMarker << " -->\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kSize << "\" height=\"" << kSize
        << "\" viewBox=\"0 0 " << kSize << ' ' << kSize << "\" font-family=\"sans-serif\" font-size=\"13\">\n"
        << "<style>\n"
        << ".grid{stroke:#e4e4e4;stroke-width:1}.axis{stroke:#000;stroke-width:1.3}\n"
        << ".region{fill:#bcd7f5;fill-opacity:0.55;stroke:none}.border{stroke:#1f5fbf;stroke-width:2.2}\n"
        << ".constraint{stroke:#666;stroke-width:1}.label{fill:#333}\n"
        << ".level{stroke:#c0392b;stroke-width:1.6;stroke-dasharray:7 5}.objective{stroke:#c0392b;stroke-width:2}\n"
        << ".step{stroke:#222;stroke-width:1.4}.inside{fill:#2e8b57;stroke:#fff}.outside{fill:#e67e22;stroke:#fff}\n"
        << ".number{font-weight:bold;fill:#111}.name{font-style:italic}\n"
        << ".halo{paint-order:stroke;stroke:#fff;stroke-width:3;stroke-linejoin:round}\n"
        << "</style>\n"
        << "<defs>\n"
        << "<clipPath id=\"plot\"><rect x=\"" << kLeft << "\" y=\"" << kTop << "\" width=\"" << kPlot << "\" height=\""
        << kPlot << "\"/></clipPath>\n"
        << "<marker id=\"step-head\" viewBox=\"0 0 10 10\" refX=\"14\" refY=\"5\" markerWidth=\"8\" "
           "markerHeight=\"8\" orient=\"auto\"><path d=\"M0,0 L10,5 L0,10 z\" fill=\"#222\"/></marker>\n"
        << "<marker id=\"objective-head\" viewBox=\"0 0 10 10\" refX=\"9\" refY=\"5\" markerWidth=\"7\" "
           "markerHeight=\"7\" orient=\"auto\"><path d=\"M0,0 L10,5 L0,10 z\" fill=\"#c0392b\"/></marker>\n"
        << "</defs>\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n";

    write_axes(out, picture, canvas);
    out << "<g clip-path=\"url(#plot)\">\n";
    if (picture.region.size() >= 3) {
        out << "<polygon class=\"region\" points=\"";
        for (const PlanePoint& p : picture.region) out << canvas.point(p) << ' ';
        out << "\"/>\n";
    }
    for (const PlaneLine& line : picture.lines) out << canvas.line(line.segment, "class=\"constraint\"");
    for (const PlaneSegment& border : picture.borders) out << canvas.line(border, "class=\"border\"");
    if (picture.level_line) out << canvas.line(*picture.level_line, "class=\"level\"");
    if (picture.objective_from.x != picture.objective_to.x || picture.objective_from.y != picture.objective_to.y) {
        out << canvas.line({picture.objective_from, picture.objective_to},
                           "class=\"objective\" marker-end=\"url(#objective-head)\"");
    }
    write_run(out, picture, canvas);
    out << "</g>\n";
    // Each label a little to the side of its line, so that the line does not cross it.
    for (const PlaneLine& line : picture.lines) {
        const double dx = canvas.x(line.segment.to.x) - canvas.x(line.segment.from.x);
        const double dy = canvas.y(line.segment.to.y) - canvas.y(line.segment.from.y);
        const double length = std::max(std::hypot(dx, dy), 1e-9);
        const double x = inside(canvas.x(line.label_at.x) - 10 * dy / length, kLeft, kLeft + kPlot);
        const double y = inside(canvas.y(line.label_at.y) + 10 * dx / length + 4, kTop, kTop + kPlot);
        out << text(x, y, line.label, "class=\"label halo\" text-anchor=\"middle\"");
    }
    out << "<rect x=\"" << kLeft << "\" y=\"" << kTop << "\" width=\"" << kPlot << "\" height=\"" << kPlot
        << "\" fill=\"none\" stroke=\"#999\"/>\n"
        << "</svg>\n";
    return out.str();
}
