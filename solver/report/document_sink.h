#pragma once

// What the documents (LaTeX, HTML) say, once for both: the problem, the
// construction of a model, the tables, the answer and the notes. The markup
// of each form is a DocumentMarkup; all texts handed to it are UTF-8 and
// unescaped (names come from users' files: the markup escapes them).

#include <cstdint>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "solver/report/report_sink.h"
#include "solver/report/table_snapshot.h"

class DocumentMarkup {
public:
    virtual ~DocumentMarkup() = default;
    virtual void open(const std::string& title) = 0;
    virtual void heading(const std::string& text) = 0;
    // Lines of prose, one under the other.
    virtual void lines(const std::vector<std::string>& texts) = 0;
    // Lines whose blanks align them (a model's construction and answer): a fixed-width font.
    virtual void preformatted(const std::vector<std::string>& texts) = 0;
    virtual void table(const TableSnapshot& table, const std::string& title, const std::string& closing) = 0;
    virtual void section(const DocumentSection& section) = 0;
    // What follows starts on a new page when the document is printed (a reader of the screen sees a rule).
    virtual void new_page() {}
    // A tree, each entry indented under its parent.
    virtual void outline(const std::vector<ReportPart::Entry>& entries) = 0;
    virtual void close() = 0;
};

// A sink that tells the run through `markup`.
std::unique_ptr<ReportSink> make_document_sink(std::unique_ptr<DocumentMarkup> markup);

// Texts of a table in the documents: its title, its closing line.
std::string document_table_title(const TableSnapshot& table);
std::string document_closing_line(const TableSnapshot& table);

// One table with its title and closing line as a Markup (constructed on a stream)
// writes it, after `before`: a piece for the clipboard.
template <class Markup>
std::string document_table_fragment(const TableSnapshot& table, std::string_view before = {}) {
    std::ostringstream out;
    out << before;
    Markup(out).table(table, document_table_title(table), document_closing_line(table));
    return std::move(out).str();
}

// A part of a wide table as the documents print it: the variable columns
// first..last (with the basis columns again) under its own title.
struct TableColumnPart {
    std::uint32_t first = 1;
    std::uint32_t last = 0;
    std::string title;
};
// A table of more than kDocumentColumnsPerPart variable columns is printed in
// parts of that many, so that each fits the width of an A4 or Letter page.
inline constexpr std::uint32_t kDocumentColumnsPerPart = 8;
std::vector<TableColumnPart> document_column_parts(const TableSnapshot& table, const std::string& title);
