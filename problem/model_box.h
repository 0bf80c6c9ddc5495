#pragma once

// The model box: GLPK translates a model in a process of its own, the helper
// program qtb-model-box (problem/model_box_main.cpp), walled in
// (problem/model_sandbox.h) and watched from here with a time limit and a stop
// request. The helper is found through the environment variable QTB_MODEL_BOX,
// beside the running program, or where it is installed.

#include <string>

#include "problem/model_box_wire.h"
#include "problem/model_read_limits.h"

// The model the box read, and what the model printed (UTF-8, bounded as
// kKeptModelPrintBytes says) in printed. Every failure throws
// ModelReadError with one message in Russian, and what was printed.
LpModel run_model_box(const ModelBoxRequest& request, const ModelReadLimits& limits, std::string& printed);

// Where the helper program is looked for first.
std::string model_box_program();
