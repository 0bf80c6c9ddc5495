#include "bench/stream_table_writer.h"

#include <algorithm>
#include <iomanip>
#include <locale>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "problem/cp1251.h"

namespace {

using Width = std::uint64_t;

class StreamTable {
public:
    StreamTable(std::ostream& out, const SimplexIteration& r)
        : out_(out), r_(r), n_(static_cast<int>(r.variable_count())) {
        for (int k = -2; k <= n_; ++k) widths_.push_back(r.col_widths[k]);
        if (r.var_names) {
            std::size_t longest = 3;
            for (std::uint32_t i = 1; i < r.basis.size(); ++i)
                longest = std::max(longest, r.var_names->at(r.basis[i]).size());
            widths_[1] = longest;
        }
    }

    void write() {
        out_.imbue(std::locale::classic());
        out_ << std::fixed << std::setprecision(r_.precision) << std::right;
        const std::uint32_t m = r_.constraint_count();
        if (r_.iterations == 0 && r_.name) out_ << "Задача: "_cp1251 << *r_.name << "\r\n";

        rule(' ', -2, 0);
        rule('+', 1, n_);
        out_ << "+\r\n";
        std::string title;
        if (r_.iterations == 0) {
            title = "исходная таблица"_cp1251;
        } else {
            title = std::string("Итерация: "_cp1251) + std::to_string(r_.iterations);
            if (title.size() < 13) title.resize(13, ' ');
            if (r_.pivot_col == 0 && r_.estimates(0, 0) == 0.0) title += " (оптимум)"_cp1251;
        }
        centred(title, w(-2) + w(-1) + w(0) + 7);
        for (int j = 1; j <= n_; ++j) cell(r_.table(0, static_cast<std::uint32_t>(j)), w(j));
        out_ << "|\r\n";
        full_rule();

        out_ << '|';
        centred("C баз"_cp1251, w(-2));
        out_ << '|';
        centred("Имя"_cp1251, w(-1));
        out_ << '|';
        centred("X баз"_cp1251, w(0));
        for (int j = 1; j <= n_; ++j) {
            out_ << '|';
            centred(name(static_cast<std::uint32_t>(j)), w(j));
        }
        out_ << "|\r\n";
        full_rule();

        for (std::uint32_t i = 1; i <= m; ++i) {
            cell(r_.table(0, r_.basis[i]), w(-2));
            out_ << '|';
            centred(name(r_.basis[i]), w(-1));
            for (int k = 0; k <= n_; ++k) cell(r_.table(i, static_cast<std::uint32_t>(k)), w(k));
            out_ << "|\r\n";
            if (i < m) full_rule();
        }
        full_rule();

        out_ << '|';
        centred("строка"_cp1251, w(-2) + w(-1) + 3);
        for (int k = 0; k <= n_; ++k) {
            const double em = r_.estimates(0, static_cast<std::uint32_t>(k));
            if (em != 0.0) {
                cell(em, w(k));
            } else {
                rule('|', k, k);
            }
        }
        out_ << "|\r\n|";
        centred("о ц е н о к"_cp1251, w(-2) + w(-1) + 3);
        for (int k = 0; k <= n_; ++k) cell(r_.estimates(1, static_cast<std::uint32_t>(k)), w(k));
        out_ << "|\r\n";
        rule('+', -2, -2);
        rule('-', -1, -1);
        rule('+', 0, n_);
        out_ << "+\r\n";

        if (r_.pivot_col != 0 && r_.pivot_row != 0) {
            out_ << "ключевой столбец: "_cp1251 << r_.pivot_col << "  ключевая строка: "_cp1251 << r_.pivot_row;
        } else if (r_.pivot_col != 0) {
            out_ << "ключевой столбец: "_cp1251 << r_.pivot_col
                 << "  ключевая строка не найдена: функция не ограничена"_cp1251;
        } else if (r_.estimates(0, 0) != 0.0) {
            out_ << "система ограничений несовместна"_cp1251;
        } else {
            out_ << "получено оптимальное решение !"_cp1251;
        }
        out_ << "\r\n\r\n";
    }

private:
    Width w(int k) const { return widths_[static_cast<std::size_t>(k + 2)]; }

    std::string name(std::uint32_t j) const {
        if (r_.var_names) return r_.var_names->at(j);
        std::string text = "x";
        text += std::to_string(j);
        if (text.size() < 4) text.resize(4, ' ');
        return text;
    }

    void centred(std::string_view text, Width a) {
        const Width surplus = a + 2 > text.size() ? a + 2 - text.size() : 0;
        out_ << std::string(std::max<Width>((surplus + 1) / 2, 1), ' ') << text
             << std::string(std::max<Width>(surplus / 2, 1), ' ');
    }

    void cell(double x, Width width) {
        out_ << '|';
        if (x == BIG_M) {
            out_ << std::string(width, ' ') << "M ";
        } else if (x == -BIG_M) {
            out_ << std::string(std::max<Width>(width, 2) - 1, ' ') << "-M ";
        } else {
            out_ << std::setw(static_cast<int>(width + 1)) << x << ' ';
        }
    }

    void rule(char ch, int first, int last) {
        const char filler = (ch == '|' || ch == ' ') ? ' ' : '-';
        for (int k = first; k <= last; ++k) out_ << ch << std::string(w(k) + 2, filler);
    }

    void full_rule() {
        rule('+', -2, n_);
        out_ << "+\r\n";
    }

    std::ostream& out_;
    const SimplexIteration& r_;
    int n_;
    std::vector<Width> widths_;
};

}  // namespace

void stream_print_table(std::ostream& out, const SimplexIteration& record) { StreamTable(out, record).write(); }
