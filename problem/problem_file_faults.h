#pragma once

#include <string_view>
#include <vector>

// A status code of the problem-file reader with the line (from 1) where the reading
// had got to when it found the fault; 0 for a fault of the file as a whole (a missing
// aim, report file or size, a row without a unit column, text outside Windows-1251).
struct ProblemFileFault {
    int code;
    unsigned line;
    friend bool operator==(const ProblemFileFault&, const ProblemFileFault&) = default;
};

// Reads the bytes of a problem file as SimplexIteration::from_bytes does and gives
// the codes it would throw, in their order, each with its line; empty when the file loads.
std::vector<ProblemFileFault> problem_file_faults(std::string_view bytes);
