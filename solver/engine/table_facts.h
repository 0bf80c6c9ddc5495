#pragma once

// What a run knows of its table from one pivot to the next. When rows 1..m hold
// only finite numbers and no -0, a pivot leaves every column whose key-row element
// is 0 exactly as it is, so it need not look at those columns at all; and the
// unit columns among them have estimates that take no sum over the rows.

#include <cstdint>
#include <vector>

#include "numerics/matrix.h"

namespace engine {

class TableFacts {
public:
    // Whether rows 1..m are known to be finite and free of -0, and unit_rows() to be right.
    bool clean() const { return clean_; }

    // [j]: the row i in which column j holds +1 when it holds +0 in every other row
    // of 1..m; 0 for the other columns. The pivot keeps it up to date.
    std::vector<std::uint32_t>& unit_rows() { return unit_rows_; }

    // Looks the table over unless the facts are known. A table found unclean is
    // looked at again only some pivots later, so that it does not cost a pass every time.
    void refresh(const Matrix& table);

    // After a change that the facts do not follow.
    void forget() { clean_ = false; }

private:
    std::vector<std::uint32_t> unit_rows_;
    bool clean_ = false;
    unsigned pivots_to_wait_ = 0;
};

}  // namespace engine
