// Writes the dense benchmark problem (bench/dense_problem.h) twice, for the
// whole-process comparison of bench/vs_glpsol.sh:
//
//     build/bench/dense_problem_files FOLDER
//
// FOLDER/dense.qtb is the problem file of the simplex table as the engine starts
// from it (slack and artificial columns included, report dense.txt); FOLDER/dense.lp
// is the same problem in CPLEX LP form, the own variables and the rows only: the
// slack rows as "<=", the rows with an artificial variable as "=". Every number is
// written in the shortest form that reads back as the same double.

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "bench/dense_problem.h"

namespace {

std::string shortest(double x) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, x).ptr;
    return {text, end};
}

// A problem file of the table: the cost row, then each row as b_i, a_i1..a_in.
bool write_problem_file(const SimplexIteration& p, const std::string& name) {
    const std::uint32_t m = p.constraint_count();
    const std::uint32_t n = p.variable_count();
    std::ofstream out(name, std::ios::binary);
    out << "Name: dense " << m << " x " << n << "\nAim: max\nSize: " << m << ' ' << n << "\nBase: " << p.base_vars
        << "\nFile: dense.txt\nMatrix:\n";
    for (std::uint32_t j = 1; j <= n; ++j) {
        const double c = p.table(0, j);
        out << (std::fabs(c) == BIG_M ? (c > 0 ? "M" : "-M") : shortest(c)) << (j == n ? '\n' : ' ');
    }
    for (std::uint32_t i = 1; i <= m; ++i) {
        for (std::uint32_t j = 0; j <= n; ++j) out << shortest(p.table(i, j)) << (j == n ? '\n' : ' ');
    }
    return static_cast<bool>(out.flush());
}

// "+ 2.5 x3" / "- 2.5 x3", a few terms a line.
void write_terms(std::ofstream& out, const SimplexIteration& p, std::uint32_t row, std::uint32_t own) {
    for (std::uint32_t j = 1; j <= own; ++j) {
        const double a = p.table(row, j);
        out << (std::signbit(a) ? " - " : " + ") << shortest(std::fabs(a)) << " x" << j << (j % 8 == 0 ? "\n" : "");
    }
}

bool write_lp_file(const SimplexIteration& p, const std::string& name) {
    const std::uint32_t m = p.constraint_count();
    const std::uint32_t own = bench::kDenseOwnVariables;
    std::ofstream out(name, std::ios::binary);
    out << "\\ dense " << m << " x " << own << ", the problem of dense.qtb without its slack and artificial columns\n";
    out << "Maximize\n obj:";
    write_terms(out, p, 0, own);
    out << "\nSubject To\n";
    for (std::uint32_t i = 1; i <= m; ++i) {
        // A row whose unit column costs M has an artificial variable: an equation.
        const bool equation = std::fabs(p.table(0, p.basis[i])) == BIG_M;
        out << " r" << i << ':';
        write_terms(out, p, i, own);
        out << (equation ? " = " : " <= ") << shortest(p.table(i, 0)) << '\n';
    }
    out << "End\n";
    return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dense_problem_files FOLDER\n");
        return 2;
    }
    const SimplexIteration problem = bench::dense_problem();
    const std::string folder = argv[1];
    if (!write_problem_file(problem, folder + "/dense.qtb") || !write_lp_file(problem, folder + "/dense.lp")) {
        std::fprintf(stderr, "cannot write the problem files into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
