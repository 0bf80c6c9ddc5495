#pragma once

#include <optional>
#include <string>

// GLPK refuses the OBJSENSE section that CPLEX and HiGHS write into MPS files
// ("OBJSENSE" with "MAX" on the next line, or "OBJSENSE MAX" on one line).
// Turns its lines into comment lines, so that GLPK's line numbers stay right,
// and tells whether it asked for the maximum. Nothing when there is no such
// section or its word is not one of MAX, MAXIMIZE, MIN, MINIMIZE (GLPK then
// reports the section itself).
std::optional<bool> take_out_objective_sense(std::string& mps_text);
