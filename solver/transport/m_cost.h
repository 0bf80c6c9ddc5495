#pragma once

// A number with a multiple of M, the big cost a forbidden route carries: plain + m * M, compared
// as M is larger than any number (its coefficient first). Potentials and estimates are of this
// form too, so the method needs no numeric value of M in either arithmetic.

namespace transport {

template <class Number>
struct MCost {
    Number m{};      // coefficient of M
    Number plain{};  // the number beside it

    static MCost big_m() { return MCost{Number(1), Number(0)}; }
    bool has_m() const { return m != 0; }
    bool is_zero() const { return m == 0 && plain == 0; }

    friend MCost operator+(const MCost& a, const MCost& b) { return {a.m + b.m, a.plain + b.plain}; }
    friend MCost operator-(const MCost& a, const MCost& b) { return {a.m - b.m, a.plain - b.plain}; }
    friend MCost operator-(const MCost& a) { return {-a.m, -a.plain}; }
    friend bool operator==(const MCost& a, const MCost& b) { return a.m == b.m && a.plain == b.plain; }
    friend bool operator<(const MCost& a, const MCost& b) { return a.m < b.m || (a.m == b.m && a.plain < b.plain); }
    friend bool operator>(const MCost& a, const MCost& b) { return b < a; }
};

}  // namespace transport
