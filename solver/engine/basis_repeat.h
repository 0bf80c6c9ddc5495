#pragma once

// Notices a basis that comes back: the sign of cycling. Bases are compared as
// sets of basic columns. A pivot with a ratio other than 0 moves the objective
// strictly, and it never comes back to where it was; so a basis can return only
// while every pivot since it was left has been degenerate, and only what
// happened since the last pivot that moved the objective is kept: per table a
// hash of its set of columns, per pivot the column that left and the one that
// entered (a few bytes a pivot, whatever the size of the table).

#include <cstdint>
#include <optional>
#include <vector>

class BasisRepeatWatch {
public:
    // The basis of the first table (basis[1..m]; entry 0 is not a column).
    explicit BasisRepeatWatch(const std::vector<std::uint32_t>& basis);

    // The pivot to table `iteration`: `leaving` left the basis and `entering` took its place, by a
    // degenerate pivot (ratio 0) or not. Returns the earlier table with the same set of columns, if any.
    std::optional<std::int32_t> pivot(std::uint32_t leaving, std::uint32_t entering, std::int32_t iteration,
                                      bool degenerate);
    // Forgets the bases seen before the current one: what follows cannot return to them.
    void forget();

private:
    struct Seen {
        std::uint64_t hash;
        std::int32_t iteration;
        std::size_t first_step;  // the pivots since that table: steps_[first_step..]
    };
    struct Step {
        std::uint32_t leaving;
        std::uint32_t entering;
    };
    bool same_basis_since(const Seen& earlier) const;

    std::uint64_t hash_ = 0;  // of the current basis
    std::int32_t iteration_ = 0;
    std::vector<Seen> seen_;
    std::vector<Step> steps_;
};
