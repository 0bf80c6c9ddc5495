#pragma once

// What a MathProg model prints (display and printf to the terminal) as the
// program shows it. The model box collects the output apart from GLPK's messages
// (problem/model_box.h) and keeps its first kKeptModelPrintBytes.

#include <cstddef>
#include <string>

// The most of the output that is kept; the rest is only counted.
inline constexpr std::size_t kKeptModelPrintBytes = std::size_t{1} << 20;

// The output in UTF-8 from `text`, its first bytes (at least kKeptModelPrintBytes
// of them when there are more), and its whole size: as it is when it is UTF-8,
// else taken as Windows-1251; past kKeptModelPrintBytes cut at a character and
// followed by a line that counts the bytes left out.
std::string model_print_text(std::string text, std::size_t size);
