#pragma once

#include <ostream>
#include <string>

#include "solver/engine/run_types.h"
#include "solver/report/sensitivity_report.h"

namespace cli {

// The analysis as two aligned tables for people (Russian, UTF-8).
void write_sensitivity_table(std::ostream& out, const SensitivityReport& report);

// Why a run without an optimum has no analysis (UTF-8).
inline constexpr const char* kNoSensitivityWithoutOptimum = "анализ чувствительности не выполнен: оптимум не получен";
inline constexpr const char* kNoSensitivityAtIterationLimit =
    "анализ чувствительности не выполнен: счёт остановлен пределом числа итераций, последняя таблица не оптимальна";
// Why --dual has no dual solution to tell (UTF-8).
inline constexpr const char* kNoDualSolution = "двойственное решение не прочитано: последняя таблица не оптимальна";
// The note of a run that has no optimum: a stopped run's says nothing of the iteration limit.
inline const char* no_sensitivity_text(RunEnd end) {
    return end == RunEnd::stopped ? kNoSensitivityWithoutOptimum : kNoSensitivityAtIterationLimit;
}

}  // namespace cli
