#pragma once

#include <ostream>
#include <string>

#include "solver/report/sensitivity_report.h"

namespace cli {

// The analysis as two aligned tables for people (Russian, UTF-8).
void write_sensitivity_table(std::ostream& out, const SensitivityReport& report);

// Why a run without an optimum has no analysis (UTF-8).
inline constexpr const char* kNoSensitivityWithoutOptimum = "анализ чувствительности не выполнен: оптимум не получен";
inline constexpr const char* kNoSensitivityAtIterationLimit =
    "анализ чувствительности не выполнен: счёт остановлен пределом числа итераций, последняя таблица не оптимальна";

}  // namespace cli
