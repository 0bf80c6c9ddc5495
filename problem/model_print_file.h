#pragma once

// Where GLPK writes what a MathProg model prints (display and printf to the
// terminal) while it is generated: a file in memory that no other process sees
// and that goes with the object, so that the model's own output is kept apart
// from GLPK's messages.

#include <cstddef>
#include <string>

class ModelPrintFile {
public:
    // The most of the output that is kept; the rest is only counted.
    static constexpr std::size_t kKeptBytes = std::size_t{1} << 20;

    // Throws ModelReadError when the system gives no such file.
    ModelPrintFile();
    ~ModelPrintFile();
    ModelPrintFile(const ModelPrintFile&) = delete;
    ModelPrintFile& operator=(const ModelPrintFile&) = delete;

    // The name to hand to GLPK, which opens it for writing.
    const std::string& name() const { return name_; }

    // What was written, in UTF-8: as it is when it is UTF-8, else taken as
    // Windows-1251; past kKeptBytes cut at a character and followed by a line
    // that counts the bytes left out.
    std::string text() const;

private:
    int fd_ = -1;
    std::string name_;
};

// What a model printed, as ModelPrintFile::text() gives it, from `text`, its first
// bytes (at least kKeptBytes of them when there are more), and its whole size.
std::string model_print_text(std::string text, std::size_t size);
