#include "cli/plot_output.h"

#include <fstream>
#include <iostream>

#include "solver/analysis/plane_svg.h"

namespace cli {

bool write_plot(const std::string& path, const SimplexIteration& problem, const SolveOutcome& outcome,
                const std::optional<PlaneSource>& source) {
    if (!source) {
        std::cerr << "qtb-solve: --plot: рисунок строится только для задачи с двумя переменными (у файла задачи — "
                     "два собственных столбца, кроме них лишь балансовые и искусственные); файл "
                  << path << " не записан\n";
        return true;  // a refusal, as --help says, leaves the exit status alone
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << plane_svg(run_plane_picture(problem, outcome, *source));
    out.close();
    if (!out) {
        std::cerr << "qtb-solve: не удалось записать рисунок в файл " << path << '\n';
        return false;
    }
    return true;
}

}  // namespace cli
