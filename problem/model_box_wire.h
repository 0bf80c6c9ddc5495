#pragma once

// The bytes between the program and its model box (problem/model_box.h): the
// request (the model's texts and limits) and the result (the model read, or the
// message why not). The result comes from a process that read untrusted input:
// every count and length in it is checked before it is used.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "problem/lp_model.h"
#include "problem/model_format.h"

struct ModelBoxRequest {
    ModelFormat format = ModelFormat::cplex_lp;
    std::string model_text;
    std::optional<std::string> data_text;
    std::string model_name;  // the user's names, for GLPK's messages
    std::optional<std::string> data_name;
    std::uint64_t memory_mib = 1024;
    std::uint64_t cpu_seconds = 10;
};

struct ModelBoxResult {
    enum class Kind : std::uint8_t { model = 0, message = 1, out_of_memory = 2 };
    Kind kind = Kind::message;
    LpModel model;        // when kind is model
    std::string message;  // otherwise
};

std::string encode_request(const ModelBoxRequest& request);
std::optional<ModelBoxRequest> decode_request(std::string_view bytes);

std::string encode_result(const ModelBoxResult& result);
// Nothing when the bytes are not a whole, well-formed result.
std::optional<ModelBoxResult> decode_result(std::string_view bytes);
