#include "solver/engine/row_split.h"

#include <algorithm>
#include <numeric>

namespace engine {

void RowSplit::split(std::span<const double> basic_costs, unsigned parts) {
    const auto m = static_cast<std::uint32_t>(basic_costs.size() - 1);
    if (parts == 1) {  // every row in order, as the rows of one part are made and summed
        if (!in_order_ || rows_.size() != m) {
            rows_.resize(m);
            std::iota(rows_.begin(), rows_.end(), std::uint32_t{1});
            in_order_ = true;
        }
        begin_.assign({0, m});
        summed_end_.assign({m});
        return;
    }
    in_order_ = false;
    summed_.clear();
    unsummed_.clear();
    for (std::uint32_t i = 1; i <= m; ++i) (basic_costs[i] != 0.0 ? summed_ : unsummed_).push_back(i);
    rows_.clear();
    begin_.assign(1, 0);
    summed_end_.clear();
    const std::size_t total = kFused * summed_.size() + kMade * unsummed_.size();
    const std::size_t even_share = (total + parts - 1) / parts;
    first_extra_ = std::clamp<std::ptrdiff_t>(first_extra_, -static_cast<std::ptrdiff_t>(even_share),
                                              static_cast<std::ptrdiff_t>(total - even_share));
    std::size_t next_summed = 0;
    std::size_t next_unsummed = 0;
    for (unsigned part = 0; part < parts; ++part) {
        const bool last = part + 1 == parts;
        const std::size_t summed_cost = part == 0 ? kFused : kMade + kAdded;
        const std::size_t share =
            part == 0 ? static_cast<std::size_t>(static_cast<std::ptrdiff_t>(even_share) + first_extra_) : even_share;
        std::size_t work = 0;
        for (; next_summed < summed_.size() && (last || work + summed_cost <= share); ++next_summed) {
            rows_.push_back(summed_[next_summed]);
            work += summed_cost;
        }
        summed_end_.push_back(static_cast<std::uint32_t>(rows_.size()));
        for (; next_unsummed < unsummed_.size() && (last || work + kMade <= share); ++next_unsummed) {
            rows_.push_back(unsummed_[next_unsummed]);
            work += kMade;
        }
        begin_.push_back(static_cast<std::uint32_t>(rows_.size()));
    }
}

}  // namespace engine
