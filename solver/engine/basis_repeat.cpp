#include "solver/engine/basis_repeat.h"

#include <algorithm>
#include <utility>

namespace {

// A column's share of the hash of a set: the set's hash is the sum of its columns' shares, so a
// pivot changes it by two terms whatever the order of the rows.
std::uint64_t share(std::uint32_t column) {
    std::uint64_t z = column + 0x9E3779B97F4A7C15ULL;  // splitmix64
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

}  // namespace

BasisRepeatWatch::BasisRepeatWatch(const std::vector<std::uint32_t>& basis) {
    for (std::size_t i = 1; i < basis.size(); ++i) hash_ += share(basis[i]);
    seen_.push_back({hash_, 0, 0});
}

std::optional<std::int32_t> BasisRepeatWatch::pivot(std::uint32_t leaving, std::uint32_t entering,
                                                    std::int32_t iteration, bool degenerate) {
    hash_ += share(entering) - share(leaving);
    iteration_ = iteration;
    if (!degenerate) {
        forget();
        return std::nullopt;
    }
    steps_.push_back({leaving, entering});
    for (const Seen& earlier : seen_) {
        if (earlier.hash == hash_ && same_basis_since(earlier)) return earlier.iteration;
    }
    seen_.push_back({hash_, iteration, steps_.size()});
    return std::nullopt;
}

void BasisRepeatWatch::forget() {
    seen_.assign(1, Seen{hash_, iteration_, 0});
    steps_.clear();
}

// The sets are equal when every column entered the basis as often as it left it since then.
bool BasisRepeatWatch::same_basis_since(const Seen& earlier) const {
    std::vector<std::pair<std::uint32_t, int>> moves;
    for (std::size_t k = earlier.first_step; k < steps_.size(); ++k) {
        moves.emplace_back(steps_[k].entering, 1);
        moves.emplace_back(steps_[k].leaving, -1);
    }
    std::sort(moves.begin(), moves.end());
    for (std::size_t k = 0; k < moves.size();) {
        int balance = 0;
        const std::uint32_t column = moves[k].first;
        for (; k < moves.size() && moves[k].first == column; ++k) balance += moves[k].second;
        if (balance != 0) return false;
    }
    return true;
}
