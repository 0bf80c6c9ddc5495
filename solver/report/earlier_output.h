#pragma once

#include <filesystem>
#include <string_view>

// The files the program writes, each recognised by its content.
enum class OutputKind { text_report, latex_document, html_document, svg_picture, problem_file };

// True when the file at `path` is one the program wrote as `kind` earlier (or is empty, so that
// nothing is lost): a text report by its shape, a document or picture by the marker comment its
// writer puts in, a problem file by being one the reader takes. Reads at most the file's head,
// except for a problem file, which is read whole.
bool is_earlier_output(const std::filesystem::path& path, OutputKind kind);

// The text report's shape in the first bytes of a file, in Windows-1251 with CR LF or UTF-8 with LF:
// a table's top rule first, or the problem's name line and then that rule, or the beginning of a
// model's construction, or the line of a run stopped before its first table; or an integer program's
// first part heading and the line under it; or a transport report's title line and the empty line under it.
bool looks_like_text_report(std::string_view head);
