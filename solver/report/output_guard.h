#pragma once

// Whether a run may write one of its outputs (a report, a document, a picture, a problem file) where it
// is told to. The command line and the window ask here and only present the answer.

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "solver/report/earlier_output.h"

enum class ReportForm;

struct OutputTarget {
    std::filesystem::path path;  // as the writer opens it: a relative path is taken from the current folder
    OutputKind kind;
    bool named_by_user;  // given on the command line or chosen in a dialog, not derived from a file's name
};

// A file the run reads, with its name as the messages say it ("файлом задачи", "файлом данных").
struct RunInput {
    std::filesystem::path path;
    std::string_view said_as;
};

enum class OutputVerdict {
    write,         // nothing of the name yet, an empty file, an earlier output, a folder, or a name the user gave
    foreign_file,  // a file the program did not write, under a name the user did not give: only when allowed
    input_file,    // one of the run's inputs (problem file, model, data file): never
};

struct OutputCheck {
    OutputVerdict verdict = OutputVerdict::write;
    const RunInput* input = nullptr;  // the input the output would replace
};

// Every file the run reads is given in `inputs`.
OutputCheck check_output(const OutputTarget& target, std::span<const RunInput> inputs);

// Both paths lead to one file: the same file where both exist, else the same absolute path once
// "." and ".." and the links on the way are resolved.
bool same_file(const std::filesystem::path& a, const std::filesystem::path& b);

OutputKind report_kind(ReportForm form);

// A report name written into a problem file (Windows-1251) that is absolute, climbs out of `folder`
// (the folder the run takes relative names from) or leads out of it through a link. Such a name is
// written only when the user allows it: a student's file must not reach the user's other files.
bool report_name_leaves_folder(std::string_view cp1251_name, const std::filesystem::path& folder);

// The messages for people (UTF-8, Russian), naming the file; `what` names the output in the
// nominative ("файл отчёта", "файл рисунка", "файл задачи").
std::string output_refusal_text(const OutputCheck& check, std::string_view what, const std::filesystem::path& path);
// The question before the window writes over a file the program did not write.
std::string foreign_file_question(const std::filesystem::path& path);
// The refusal, and the question, for a report name from a problem file that leads out of its folder.
std::string report_path_refusal_text(const std::filesystem::path& path);
std::string report_path_question(const std::filesystem::path& path);
