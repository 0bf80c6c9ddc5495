#include "cli/plot_output.h"

#include <fstream>
#include <iostream>

#include "solver/plane_svg.h"

namespace cli {

bool write_plot(const std::string& path, const SimplexIteration& problem, const SolveOutcome& outcome,
                const PlotSource& source) {
    if (!source.plane) {
        std::cerr << "qtb-solve: --plot: рисунок строится только для задачи с двумя переменными (у файла задачи — "
                     "два собственных столбца, кроме них лишь балансовые и искусственные); файл "
                  << path << " не записан\n";
        return true;  // a refusal, as --help says, leaves the exit status alone
    }
    PlaneProblem plane = *source.plane;
    for (const Matrix& solution : basic_solutions(problem, outcome.pivots)) {
        plane.run_points.push_back(source.point(solution));
    }
    if (outcome.status.empty() && outcome.end == RunEnd::optimal) plane.optimum = source.point(outcome.solution);

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << plane_svg(build_plane_picture(plane));
    out.close();
    if (!out) {
        std::cerr << "qtb-solve: не удалось записать рисунок в файл " << path << '\n';
        return false;
    }
    return true;
}

}  // namespace cli
