#pragma once

#include <string>

#include "solver/analysis/plane_picture.h"

// The picture as a self-contained SVG document (UTF-8): axes with ticks, the
// region filled lightly, the constraint lines with their labels, the objective's
// arrow and dashed level line, and the run's points numbered by iteration and
// joined in order (points outside the region in another colour).
std::string plane_svg(const PlanePicture& picture);
