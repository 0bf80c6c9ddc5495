#pragma once

// The transport problem file (extension .qtt): keywords and values in the style of the problem
// files, English or Russian keywords, Windows-1251 or UTF-8, a decimal point or comma.
//
//     Name: Перевозки              Имя:
//     Aim: min                     Цель: минимум (max / максимум: profits)
//     Size: 3 4                    Размерность:   suppliers, consumers
//     Supplies: 30 40 20           Запасы:
//     Demands: 20 30 25 15         Потребности:
//     Costs:                       Тарифы:        a row a supplier; x (or х, -) a forbidden route
//       2 3 x 4  ...
//     Suppliers: / Consumers:      Поставщики: / Потребители:   names, one word each
//     Start: northwest             Начало: северо-западный | минимальный | Фогеля
//     File: report.txt             Файл:
//     Accuracy:, Print:, Stop:, OnlyDataTable, OnlyOptimalTable, NoTable as in problem files

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "problem/transport_problem.h"

namespace transport {

// The largest problem a file may state (each count), and its cells.
inline constexpr std::size_t kMaxLines = 1000;

// A fault of the file: its line (from 1; 0 for the file as a whole) and its text (UTF-8, Russian).
struct FileFault {
    unsigned line = 0;
    std::string text;
    friend bool operator==(const FileFault&, const FileFault&) = default;
};

// Every fault of one file, found in one reading.
class TransportFileError : public std::runtime_error {
public:
    explicit TransportFileError(std::vector<FileFault> faults);
    const std::vector<FileFault>& faults() const { return faults_; }

private:
    std::vector<FileFault> faults_;
};

// Whether a path names a transport problem file (by its extension, .qtt in any case).
bool is_transport_file(std::string_view path);

// The problem of a file's bytes; throws TransportFileError with all its faults.
TransportProblem read_transport_bytes(std::string bytes);

// The same from a file; a file that cannot be read is a fault of line 0.
TransportProblem read_transport_file(const std::string& path);

}  // namespace transport
