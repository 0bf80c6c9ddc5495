// The text report behind ReportSink: the tables drawn straight from the run,
// the lines of a model's construction before them and of its answer after.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "problem/cp1251.h"
#include "solver/engine/run_observer.h"
#include "solver/engine/run_types.h"
#include "solver/report/outcome_story.h"
#include "solver/report/outcome_texts.h"
#include "solver/report/report_sinks.h"
#include "solver/report/sensitivity_tables.h"
#include "solver/report/table_source.h"
#include "solver/report/utf8_text_stream.h"

namespace {

class TextReportSink final : public ReportSink {
public:
    explicit TextReportSink(std::ostream& out) : out_(out) {}

    void begin(const ReportStart& start) override {
        names_ = utf8_variable_names(start.problem);
        if (start.preamble.empty()) return;
        write_lines(start.preamble);
        out_ << "\r\n";
    }
    void table(TableSource& source) override { source.write_text(out_); }
    void part(const ReportPart& part) override {
        std::vector<std::string> lines;
        if (!part.heading.empty()) lines.push_back(part.heading);
        lines.insert(lines.end(), part.lines.begin(), part.lines.end());
        for (const ReportPart::Entry& entry : part.outline)
            lines.push_back(std::string(std::size_t{2} * entry.depth, ' ') + entry.text);
        write_utf8_lines(lines);
        out_ << "\r\n";
    }
    void end(const ReportEnd& end) override {
        if (end.outcome.stopped) write_lines(run_end_lines_cp1251(end.outcome));
        write_lines(end.answer);
        // What is added to the tables and the answer comes after them, so earlier reports stay a prefix.
        if (end.text_notes) {
            out_ << "\r\n"
                 << "Замечания:"_cp1251.data() << "\r\n";
            write_utf8_lines(outcome_notes(end.outcome, names_));
        }
        if (!end.sections.empty()) {
            out_ << "\r\n"
                 << "Анализ чувствительности (по последней таблице):"_cp1251.data() << "\r\n";
            for (const DocumentSection& section : end.sections) write_utf8_lines(section_text_lines(section));
        }
    }

private:
    void write_lines(const std::vector<std::string>& lines) {
        for (const std::string& line : lines) out_ << line << "\r\n";
    }

    // The code page has no infinity sign: the open ends of a range read "inf".
    void write_utf8_lines(const std::vector<std::string>& lines) {
        for (std::string line : lines) {
            for (std::size_t at = line.find("∞"); at != std::string::npos; at = line.find("∞", at))
                line.replace(at, std::string_view("∞").size(), "inf");
            out_ << cp1251::from_utf8(line).value_or("?") << "\r\n";
        }
    }

    std::ostream& out_;
    std::vector<std::string> names_;
};

// The same text, converted to UTF-8 with LF on its way out.
class Utf8TextReportSink final : public ReportSink {
public:
    explicit Utf8TextReportSink(std::ostream& out) : converted_(out), text_(converted_) {}

    void begin(const ReportStart& start) override { text_.begin(start); }
    void table(TableSource& source) override { text_.table(source); }
    void part(const ReportPart& part) override { text_.part(part); }
    void end(const ReportEnd& end) override {
        text_.end(end);
        converted_.finish();
    }

private:
    Utf8TextStream converted_;
    TextReportSink text_;
};

}  // namespace

std::unique_ptr<ReportSink> make_text_sink(std::ostream& out, TextEncoding encoding) {
    if (encoding == TextEncoding::utf8) return std::make_unique<Utf8TextReportSink>(out);
    return std::make_unique<TextReportSink>(out);
}

std::unique_ptr<ReportSink> make_report_sink(ReportForm form, TextEncoding encoding, std::ostream& out) {
    switch (form) {
        case ReportForm::latex:
            return make_latex_sink(out);
        case ReportForm::html:
            return make_html_sink(out);
        case ReportForm::text:
            break;
    }
    return make_text_sink(out, encoding);
}
