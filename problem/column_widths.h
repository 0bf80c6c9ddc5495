#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

// Print widths of the report's columns, addressed by -2..n:
// -2 the cost of the basic variable, -1 its name, 0 the right-hand side, 1..n the variables.
// Empty until a problem size is known.
class ColumnWidths {
public:
    ColumnWidths() = default;
    explicit ColumnWidths(std::uint32_t variable_count) : widths_(std::size_t{variable_count} + 3, 0) {}

    bool empty() const noexcept { return widths_.empty(); }
    // Highest index, n; -3 when empty.
    int last() const noexcept { return static_cast<int>(widths_.size()) - 3; }

    std::uint32_t& operator[](int k) { return widths_.at(slot(k)); }
    std::uint32_t operator[](int k) const { return widths_.at(slot(k)); }

    friend bool operator==(const ColumnWidths&, const ColumnWidths&) = default;

private:
    static std::size_t slot(int k) {
        if (k < -2) throw std::out_of_range("column width index below -2");
        return static_cast<std::size_t>(k + 2);
    }

    std::vector<std::uint32_t> widths_;
};
