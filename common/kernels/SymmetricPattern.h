// The structure of a sparse symmetric node matrix: per row the columns of its
// lower (below-diagonal) elements, ascending. Each coupling is stored once, in
// the row of the larger node number; the diagonal lives in its own vector.
//
// Rows are sized from the links actually made: the builder counts every link
// first, then stores them, so no coupling is ever lost whatever a row's number
// of neighbours. Rows [0, grid rows) are the grid (mesh) rows that the
// incomplete-Cholesky factor and the heat balance cover; rows behind them
// belong to radiation and air zones.
//
// Beside the rows the pattern keeps their mirror, the upper elements of each
// row (the rows that hold its column, ascending, with the position of that
// element), so that a row can gather what the other rows give it instead of
// having them scatter into it: loops over rows then split among threads. And
// it keeps the level schedule of its grid rows for the factor.
#pragma once

#include "common/kernels/KernelTypes.h"
#include "common/kernels/LevelSchedule.h"

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
    const LowerPosition* RowStarts() const { return rowStart_.data(); }
    const Column* Columns() const { return columns_.data(); }
    std::span<const Column> LowerColumns(Index row) const;

    // Position of element (row, col) with col < row among the lower values;
    // -1 when the pattern has no such coupling.
    Index Find(Index row, Index col) const;

    // RowCount() + 1 positions: row n's upper elements are [start[n],
    // start[n+1]): the element (UpperRows()[u], n) at lower position
    // UpperPositions()[u], rows ascending.
    const LowerPosition* UpperStarts() const { return upperStart_.data(); }
    const Column* UpperRows() const { return upperRows_.data(); }
    const LowerPosition* UpperPositions() const { return upperPositions_.data(); }

    const LevelSchedule& Schedule() const { return schedule_; }
    // Plans the schedule again (Finish plans it with the default limits).
    void PlanSchedule(const ScheduleLimits& limits);

  private:
    friend class SymmetricPatternBuilder;
    void BuildUpper();

    Index rowCount_ = 0;
    Index gridRowCount_ = 0;
    std::vector<LowerPosition> rowStart_{0};
    std::vector<Column> columns_;
    std::vector<LowerPosition> upperStart_{0};
    std::vector<Column> upperRows_;
    std::vector<LowerPosition> upperPositions_;
    LevelSchedule schedule_;
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
    // Sorts and compacts the rows, then builds the mirror and the schedule;
    // polls Esc every 10000 rows. More lower elements than a LowerPosition
    // can count do not fit: std::bad_alloc.
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
