#pragma once

#include <cstdint>

class ModelLoadStop;

// How long and in how much memory GLPK may read a model, and a request to give up.
struct ModelReadLimits {
    double time_seconds = 10.0;       // wall clock
    std::uint64_t memory_mib = 1024;  // address space of the reading process
    const ModelLoadStop* stop = nullptr;
};
