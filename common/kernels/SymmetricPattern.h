// The structure of a sparse symmetric node matrix: per row the columns of its
// lower (below-diagonal) elements, ascending. Each coupling is stored once, in
// the row of the larger node number; the diagonal lives in its own vector.
//
// Rows are sized from the links actually made: the builder counts every link
// first, then stores them, so no coupling is ever lost whatever a row's number
// of neighbours. Rows [0, grid rows) are the grid (mesh) rows that the
// incomplete-Cholesky factor and the heat balance cover; rows behind them
// belong to radiation and air zones.
#pragma once

#include "common/kernels/KernelTypes.h"

#include <span>
#include <vector>

namespace kernels {

class SymmetricPattern {
  public:
    Index RowCount() const { return rowCount_; }
    Index GridRowCount() const { return gridRowCount_; }
    // Lower elements of all rows, and of the grid rows (a prefix of them).
    Index LowerCount() const { return rowStart_.back(); }
    Index GridLowerCount() const { return rowStart_[gridRowCount_]; }

    // RowCount() + 1 positions: row n's elements are [start[n], start[n+1]).
    const Index* RowStarts() const { return rowStart_.data(); }
    const Column* Columns() const { return columns_.data(); }
    std::span<const Column> LowerColumns(Index row) const;

    // Position of element (row, col) with col < row among the lower values;
    // -1 when the pattern has no such coupling.
    Index Find(Index row, Index col) const;

  private:
    friend class SymmetricPatternBuilder;
    Index rowCount_ = 0;
    Index gridRowCount_ = 0;
    std::vector<Index> rowStart_{0};
    std::vector<Column> columns_;
};

// Two passes over the same links: CountLink for each, then BeginLinks, then
// AddLink for each again, then Finish. A link of a node with itself is no
// coupling and is ignored; a link given twice is stored once.
class SymmetricPatternBuilder {
  public:
    SymmetricPatternBuilder(Index rowCount, Index gridRowCount);

    void CountLink(Index a, Index b);
    void BeginLinks();
    void AddLink(Index a, Index b);
    // Sorts and compacts the rows; polls Esc every 10000 rows.
    SymmetricPattern Finish(const EscCheck& esc);

  private:
    Index CheckedLowerRow(Index a, Index b) const;

    SymmetricPattern pattern_;
    std::vector<Index> fill_;
    bool adding_ = false;
};

// Builds a pattern from a link generator called twice: forEachLink(link) must
// call link(a, b) for every coupled pair, the same pairs both times.
template <class ForEachLink>
SymmetricPattern BuildSymmetricPattern(Index rowCount, Index gridRowCount, ForEachLink&& forEachLink,
                                       const EscCheck& esc)
{
    SymmetricPatternBuilder builder(rowCount, gridRowCount);
    forEachLink([&](Index a, Index b) { builder.CountLink(a, b); });
    builder.BeginLinks();
    forEachLink([&](Index a, Index b) { builder.AddLink(a, b); });
    return builder.Finish(esc);
}

} // namespace kernels
