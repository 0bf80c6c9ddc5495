#pragma once

// Helpers for driving the windows in tests: a message sink that records instead of showing boxes,
// a temporary current folder, problem files and report files.

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "problem/cp1251.h"
#include "ui/message_sink.h"

// The caption of every error box but the two about the file name.
inline const QString kErrorCaption = QStringLiteral("сообщение об ошибке");

struct Message {
    QString text;
    QString caption;
    friend bool operator==(const Message&, const Message&) = default;
    friend void PrintTo(const Message& m, std::ostream* out) {
        *out << '[' << m.caption.toStdString() << "] " << m.text.toStdString();
    }
};

// The boxes expected, in order (a function, so that the list can stand inside a test macro).
inline std::vector<Message> boxes(std::initializer_list<Message> list) { return list; }

class RecordedMessages : public MessageSink {
public:
    void show(const QString& text, const QString& caption) override { shown.push_back({text, caption}); }
    std::vector<Message> take() { return std::exchange(shown, {}); }
    std::vector<Message> shown;
};

// Makes a fresh temporary folder the current one for the life of the object.
class TemporaryCurrentFolder {
public:
    TemporaryCurrentFolder() : previous_(QDir::currentPath()) {
        EXPECT_TRUE(folder_.isValid());
        EXPECT_TRUE(QDir::setCurrent(folder_.path()));
    }
    ~TemporaryCurrentFolder() { QDir::setCurrent(previous_); }
    TemporaryCurrentFolder(const TemporaryCurrentFolder&) = delete;
    TemporaryCurrentFolder& operator=(const TemporaryCurrentFolder&) = delete;

    QString path() const { return folder_.path(); }

private:
    QString previous_;
    QTemporaryDir folder_;
};

// Writes a problem file; the text is UTF-8 here and Windows-1251 in the file, as problem files are.
inline void write_problem(const std::string& name, const std::string& utf8_text) {
    std::ofstream out(name, std::ios::binary);
    out << cp1251::from_utf8(utf8_text).value();
}

// The report file as UTF-8 text, or nothing when it does not exist.
inline std::optional<std::string> read_report(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    if (!in) return std::nullopt;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return cp1251::to_utf8(bytes);
}

inline int count_of(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + part.size())) ++count;
    return count;
}

// A maximisation that takes two pivots: tables 0 and 1 inside the loop, then the final table 2.
inline const std::string kTwoPivotProblem =
    "Name: Пример\n"
    "Aim: max\n"
    "Size: 2 4\n"
    "Var_names: x1 x2 s1 s2\n"
    "Matrix:\n"
    "  3 2 0 0\n"
    "  4   1 1 1 0\n"
    "  6   2 1 0 1\n"
    "File: report.txt\n";

// A maximisation whose first key column has no positive element: the run fails with code 12.
inline const std::string kUnboundedProblem =
    "Aim: max\n"
    "Size: 1 2\n"
    "Matrix:\n"
    "  1 0\n"
    "  1  -1 1\n"
    "File: unbounded.txt\n";

// A MathProg model whose parameter c only its data file gives: max c x + y, x + y <= 3, x <= 2.
inline const std::string kMathProgModel =
    "param c;\nvar x >= 0;\nvar y >= 0;\nmaximize z: c * x + y;\ns.t. a: x + y <= 3;\ns.t. b: x <= 2;\nend;\n";
inline const std::string kMathProgData = "data;\nparam c := 2;\nend;\n";

inline void write_text(const std::string& name, const std::string& text) {
    std::ofstream(name, std::ios::binary) << text;
}
