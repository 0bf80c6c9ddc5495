#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "numerics/matrix.h"
#include "problem/column_widths.h"
#include "problem/table_look.h"

class ReportWriter;  // the report's output buffer (solver/report/report_writer.h)

// The cost that stands for the big M; the reader stores "M" as +BIG_M and "-M" as -BIG_M.
inline constexpr double BIG_M = 2147483637.0;

// The problem record: one linear program in canonical form with its print
// options, and the working state of one run of the simplex engine.
// m constraints and n variables; `table` is (m+1) x (n+1), row 0 the costs,
// column 0 the right-hand sides. All texts are Windows-1251 bytes.
// Copies are deep; absent optional fields stay absent in copies.
class SimplexIteration {
public:
    // Up to ten status codes (problem/status_texts.h) gathered by the reader or the engine.
    class bad_simplex {
    public:
        static constexpr int kCapacity = 10;

        // Records a code while fewer than ten are held; later codes are dropped. `line` is the line of
        // the problem file where the code arose, 0 for none.
        void add(int code, std::uint32_t line = 0) noexcept {
            if (count < kCapacity) {
                lines[static_cast<std::size_t>(count)] = line;
                codes[static_cast<std::size_t>(count++)] = code;
            }
        }
        bool empty() const noexcept { return count == 0; }

        std::array<std::int32_t, kCapacity> codes{};
        std::int32_t count = 0;
        std::array<std::uint32_t, kCapacity> lines{};  // parallel to codes

        // A word of a problem file that was skipped but looks meant as a keyword (a keyword without
        // its colon, an unknown word ending in a colon): told beside the codes of a failed reading.
        struct Hint {
            std::uint32_t line = 0;
            std::string text;  // UTF-8
        };
        static constexpr std::size_t kHintCapacity = 10;
        std::vector<Hint> hints;
    };

    // An empty record: no table, no names, no report file.
    SimplexIteration() = default;
    // Reads a problem file (path bytes as the file system takes them). Throws
    // bad_simplex with the faults found; otherwise the record satisfies every
    // invariant of a loaded problem. A file that cannot be opened, or is larger
    // than any problem file (256 MiB), gives code 1.
    explicit SimplexIteration(const std::string& problem_file);
    // Reads the bytes of a problem file held in memory, as the constructor above
    // reads those of a file, with the same record or the same codes.
    static SimplexIteration from_bytes(std::string_view bytes);

    SimplexIteration(const SimplexIteration&) = default;
    SimplexIteration(SimplexIteration&&) noexcept = default;
    // Deep copy with the strong guarantee; assigning a record to itself changes nothing.
    SimplexIteration& operator=(const SimplexIteration& other);
    SimplexIteration& operator=(SimplexIteration&& other) noexcept;
    ~SimplexIteration() = default;

    // Widths from `width` and, where given, the lengths of the variable names.
    void compute_col_widths();

    std::uint32_t constraint_count() const noexcept { return table.rows == 0 ? 0 : table.rows - 1; }
    std::uint32_t variable_count() const noexcept { return table.cols == 0 ? 0 : table.cols - 1; }

    // --- The iteration table report (solver/report/table_report.cpp) ---
    // Writes the current table with its closing line and an empty line after it,
    // Windows-1251 with CR LF line ends. A failed write shows in the stream's state.
    std::ostream& print_table(std::ostream& stream);
    // The pieces of a table; w(k) is col_widths[k], every column k is w(k) + 2 wide between bars.
    // "|" and one value cell of column k: "M"/"-M" for +-BIG_M, else the number right-aligned.
    void print_cell(ReportWriter& out, double x, int k) const;
    // The text centred in a + 2 characters (an odd blank to the left), at least one blank each side.
    static void print_centered(ReportWriter& out, std::string_view text, std::uint64_t a);
    // For each column k in first..last: ch and w(k) + 2 fillers (blanks after "|" or " ", else "-").
    void print_rule(ReportWriter& out, char ch, int first, int last) const;
    // "+" and w(k) + 2 "-" for every column, the closing "+" and a line end.
    void print_full_rule(ReportWriter& out) const;
    // Puts v into text at offset: left-aligned in three characters up to 999, every digit above.
    static std::string& fill_number(std::string& text, std::size_t offset, std::uint32_t v);

    // --- The simplex engine (solver/engine/simplex_engine.cpp); used by solve() on its own copy ---
    void compute_estimates();
    int choose_pivot_col();
    int choose_pivot_row();
    void pivot();

    std::uint8_t aim = 0;              // 0 not given, 1 maximum, 2 minimum
    Matrix table;                      // (m+1) x (n+1)
    Matrix estimates;                  // 2 x (n+1): row 0 coefficients of M, row 1 plain parts
    std::vector<std::uint32_t> basis;  // m+1 entries; entry 0 is the elimination marker
    ColumnWidths col_widths;           // indices -2..n
    std::int32_t pivot_col = 0;
    std::int32_t pivot_row = 0;
    std::int32_t base_vars = 0;  // variables 1..base_vars are the problem's own; 0 = not given
    std::int32_t iterations = 0;
    std::int32_t print_from = 0;
    std::int32_t print_to = 0;
    std::int32_t stop = 0;  // iteration limit; below 1 the engine's default
    bool only_data_table = false;
    bool only_optimal_table = false;
    bool no_table = false;
    std::optional<std::vector<std::string>> var_names;  // n+1 entries, entry 0 unused
    std::optional<std::string> name;
    std::optional<std::string> file;  // report file name
    std::int32_t width = 10;
    std::int32_t precision = 4;
    // A model's free variables split in two columns: twin_columns[j] is the other
    // half of column j, 0 for none. Empty for a problem file.
    std::vector<std::uint32_t> twin_columns;
    // The columns whose values must be integers, 1-based and increasing: a model's integer
    // variables in their canonical columns, or what a problem file's "Integer:" names. Empty: none.
    std::vector<std::uint32_t> integer_columns;
    // A model's right-hand sides as exact fractions ("p/q", entry i for row i, entry 0
    // unused): what the model's numbers give before the doubles round them, for the
    // exact arithmetic. Empty for a problem file, whose numbers are its decimals.
    std::vector<std::string> exact_rhs;
    // What the reading of a problem file noticed without a status code (words that look meant as
    // keywords, with their lines): warnings for a file that loads. Empty for a model.
    std::vector<bad_simplex::Hint> reading_hints;
    // How the tables of the run look when its method is not the big-M method.
    TableLook look;

private:
    void swap_with(SimplexIteration& other) noexcept;
};
