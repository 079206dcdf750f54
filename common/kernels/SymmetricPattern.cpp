// Building and searching the lower-triangle structure of the node matrix.
#include "common/kernels/SymmetricPattern.h"

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>

namespace kernels {

std::span<const Column> SymmetricPattern::LowerColumns(Index row) const
{
    return {columns_.data() + rowStart_[row], static_cast<size_t>(rowStart_[row + 1] - rowStart_[row])};
}

Index SymmetricPattern::Find(Index row, Index col) const
{
    if (row < 0 || row >= rowCount_ || col < 0 || col >= row)
        return -1;
    const Column* first = columns_.data() + rowStart_[row];
    const Column* last = columns_.data() + rowStart_[row + 1];
    const Column* it = std::lower_bound(first, last, static_cast<Column>(col));
    return it != last && *it == col ? it - columns_.data() : -1;
}

SymmetricPatternBuilder::SymmetricPatternBuilder(Index rowCount, Index gridRowCount)
{
    if (rowCount < 0 || rowCount > std::numeric_limits<Column>::max() || gridRowCount < 0 ||
        gridRowCount > rowCount)
        throw std::invalid_argument("matrix row counts out of range");
    pattern_.rowCount_ = rowCount;
    pattern_.gridRowCount_ = gridRowCount;
    pattern_.rowStart_.assign(rowCount + 1, 0);
}

Index SymmetricPatternBuilder::CheckedLowerRow(Index a, Index b) const
{
    if (a < 0 || b < 0 || a >= pattern_.rowCount_ || b >= pattern_.rowCount_)
        throw std::out_of_range("matrix link outside the rows");
    return std::max(a, b);
}

void SymmetricPatternBuilder::CountLink(Index a, Index b)
{
    if (adding_)
        throw std::logic_error("matrix link counted after BeginLinks");
    Index row = CheckedLowerRow(a, b);
    if (a != b)
        ++pattern_.rowStart_[row + 1];
}

void SymmetricPatternBuilder::BeginLinks()
{
    auto& start = pattern_.rowStart_;
    Index total = 0;
    for (Index n = 0; n < pattern_.rowCount_; ++n) {
        total += start[n + 1];
        if (total > std::numeric_limits<LowerPosition>::max())
            throw std::bad_alloc();
        start[n + 1] = static_cast<LowerPosition>(total);
    }
    pattern_.columns_.assign(start.back(), -1);
    fill_.assign(start.begin(), start.end() - 1);
    adding_ = true;
}

void SymmetricPatternBuilder::AddLink(Index a, Index b)
{
    if (!adding_)
        throw std::logic_error("matrix link added before BeginLinks");
    Index row = CheckedLowerRow(a, b);
    if (a == b)
        return;
    if (fill_[row] == pattern_.rowStart_[row + 1])
        throw std::logic_error("matrix link added that was not counted");
    pattern_.columns_[fill_[row]++] = static_cast<Column>(std::min(a, b));
}

SymmetricPattern SymmetricPatternBuilder::Finish(const EscCheck& esc)
{
    if (!adding_)
        BeginLinks();
    auto& start = pattern_.rowStart_;
    auto& cols = pattern_.columns_;
    Index out = 0;
    for (Index n = 0; n < pattern_.rowCount_; ++n) {
        // Only the slots filled in the second pass count: a generator that
        // gave fewer links then leaves no free slot behind.
        auto first = cols.begin() + start[n];
        auto last = cols.begin() + fill_[n];
        std::sort(first, last);
        last = std::unique(first, last);
        start[n] = static_cast<LowerPosition>(out);
        out = std::copy(first, last, cols.begin() + out) - cols.begin();
        if ((n + 1) % 10000 == 0)
            PollEsc(esc);
    }
    start[pattern_.rowCount_] = static_cast<LowerPosition>(out);
    cols.resize(out);
    cols.shrink_to_fit();
    fill_ = {};
    PollEsc(esc);
    pattern_.BuildUpper();
    PollEsc(esc);
    pattern_.PlanSchedule({});
    PollEsc(esc);
    return std::move(pattern_);
}

void SymmetricPattern::BuildUpper()
{
    upperStart_.assign(rowCount_ + 1, 0);
    for (Column c : columns_)
        ++upperStart_[c + 1];
    for (Index n = 0; n < rowCount_; ++n)
        upperStart_[n + 1] += upperStart_[n];
    upperRows_.resize(columns_.size());
    upperPositions_.resize(columns_.size());
    std::vector<LowerPosition> fill(upperStart_.begin(), upperStart_.end() - 1);
    for (Index n = 0; n < rowCount_; ++n)
        for (Index e = rowStart_[n]; e < rowStart_[n + 1]; ++e) {
            const Index u = fill[columns_[e]]++;
            upperRows_[u] = static_cast<Column>(n);
            upperPositions_[u] = static_cast<LowerPosition>(e);
        }
}

void SymmetricPattern::PlanSchedule(const ScheduleLimits& limits)
{
    schedule_ = PlanLevels(*this, limits);
}

} // namespace kernels
