// Grid edits of the Grid and Minimum Grid tables: inserting and splitting
// intervals, Auto Split, the minimum grid and the grid unit.
#include "gelmar/model/editing/GridEdit.h"

#include "gelmar/model/editing/GridLines.h"
#include "gelmar/model/editing/ItemLines.h"
#include "gelmar/model/store/CellRaster.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"

#include <algorithm>
#include <cmath>

namespace gelmar {

void ShiftGridIndices(ModelStore& m, int axis, std::size_t line, std::size_t k)
{
    const auto shift = [line, k](std::uint16_t& index) {
        if (index > line)
            index = static_cast<std::uint16_t>(index + k);
    };
    shift(m.clipLo[axis]);
    shift(m.clipHi[axis]);
    ForEachItemLine(m, axis, [&shift](std::uint16_t& index, float&, ItemLineRole) { shift(index); });
}

bool ReplaceGridCell(ModelStore& m, EngineHost& host, int axis, std::size_t cell,
                     const std::vector<float>& widths)
{
    GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
    if (cell >= a.n)
        return false;
    const std::size_t n = a.n;
    const std::size_t added = widths.empty() ? 0 : widths.size() - 1;
    if (widths.empty() || n + added > kMaxCount16) {
        host.MessageBox(kTooManyGridIntervals, MessageStyle::Ok);
        return false;
    }
    if (n + added > m.gridCapacity && !GrowGridLineArrays(m, std::min(n + added + 100, kMaxCount16))) {
        ReportOutOfMemory(host);
        return false;
    }
    std::copy_backward(a.widths.begin() + static_cast<std::ptrdiff_t>(cell + 1),
                       a.widths.begin() + static_cast<std::ptrdiff_t>(n),
                       a.widths.begin() + static_cast<std::ptrdiff_t>(n + added));
    std::copy(widths.begin(), widths.end(), a.widths.begin() + static_cast<std::ptrdiff_t>(cell));
    // Line flags above the cell move with their lines; the new lines start clear.
    std::copy_backward(a.flags.begin() + static_cast<std::ptrdiff_t>(cell + 1),
                       a.flags.begin() + static_cast<std::ptrdiff_t>(n + 1),
                       a.flags.begin() + static_cast<std::ptrdiff_t>(n + added + 1));
    std::fill_n(a.flags.begin() + static_cast<std::ptrdiff_t>(cell + 1), added, std::uint8_t{0});
    a.n = static_cast<std::uint16_t>(n + added);
    ShiftGridIndices(m, axis, cell, added);
    ComputeGridCoordinates(m);
    return true;
}

bool InsertGridInterval(ModelStore& m, EngineHost& host, int axis, std::size_t cell, bool after)
{
    const std::size_t n = m.axes[static_cast<std::size_t>(axis)].n;
    if (cell >= n)
        return false;
    if (n + 1 > kMaxCount16) {
        host.MessageBox(kTooManyGridIntervals, MessageStyle::Ok);
        return false;
    }
    if (n + 1 > m.gridCapacity && !GrowGridLineArrays(m, std::min(n + 101, kMaxCount16))) {
        ReportOutOfMemory(host);
        return false;
    }
    GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
    const std::size_t at = after ? cell + 1 : cell; // position of the new interval
    a.widths.insert(a.widths.begin() + static_cast<std::ptrdiff_t>(at), 1.0f);
    a.widths.pop_back();
    a.flags.insert(a.flags.begin() + static_cast<std::ptrdiff_t>(at + 1), std::uint8_t{0});
    a.flags.pop_back();
    a.n = static_cast<std::uint16_t>(n + 1);

    // Lower bounds and points on the new interval's lower line move past it,
    // upper bounds on it stay: the new interval belongs to no item that only
    // touches it. Ranges across it grow.
    const std::size_t k = cell;
    ForEachItemLine(m, axis, [after, k](std::uint16_t& index, float&, ItemLineRole role) {
        const bool upper = role == ItemLineRole::Upper;
        const bool moves = after ? (upper ? index > k + 1 : index > k) : (upper ? index > k : index >= k);
        if (moves)
            ++index;
    });
    for (std::uint16_t* bound : {&m.clipLo[axis], &m.clipHi[axis]})
        if (*bound > k)
            ++*bound;
    ComputeGridCoordinates(m);
    return true;
}

MinimumGridAxis BuildMinimumGridAxis(const ModelStore& m, int axis)
{
    const GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
    const std::size_t n = a.n;
    std::vector<bool> used(n + 1, false);
    ForEachItemLine(
        m, axis,
        [&used, n](const std::uint16_t& index, const float&, ItemLineRole) {
            if (index <= n)
                used[index] = true;
        },
        true);
    MinimumGridAxis g;
    g.map.resize(n);
    std::size_t count = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && used[i])
            ++count;
        g.map[i] = count;
    }
    if (n > 0)
        g.widths.assign(count + 1, 0.0);
    for (std::size_t i = 0; i < n; ++i)
        g.widths[g.map[i]] += a.widths[i];
    return g;
}

bool ScaleMinimumGridInterval(ModelStore& m, int axis, const MinimumGridAxis& grid, std::size_t k,
                              double width)
{
    if (k >= grid.widths.size() || !(width >= 0))
        return false;
    const double old = grid.widths[k];
    const double factor = old == 0 ? 1.0 : width / old;
    GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
    for (std::size_t i = 0; i < grid.map.size() && i < a.n; ++i)
        if (grid.map[i] == k)
            a.widths[i] = static_cast<float>(a.widths[i] * factor);
    ComputeGridCoordinates(m);
    return true;
}

bool AutoSplitAxis(ModelStore& m, EngineHost& host, int axis, const AutoSplitSettings& s)
{
    const std::size_t n = m.axes[static_cast<std::size_t>(axis)].n;
    // Splitting never changes the colour of a cell, so the layers can be
    // judged once; visiting from the last interval keeps earlier indices valid.
    const CellRaster cells = RasteriseModel(m);
    for (std::size_t i = n; i-- > 0;) {
        if (IsGridPlaneVoid(m, cells, axis, i))
            continue;
        const float w = m.axes[static_cast<std::size_t>(axis)].widths[i];
        const std::vector<float> pieces = kernels::AutoSplitCell(w, i, n, s);
        if (pieces.size() != 1 && !ReplaceGridCell(m, host, axis, i, pieces))
            return false;
    }
    return true;
}

bool ChangeGridUnit(ModelStore& m, EngineHost& host, float unit, bool transformWidths)
{
    if (!(unit > 0)) {
        host.MessageBox("Grid unit must be greater than 0 m", MessageStyle::Ok);
        return false;
    }
    if (transformWidths) {
        const double factor = static_cast<double>(m.gridUnit) / unit;
        for (GridAxis& a : m.axes)
            for (std::size_t i = 0; i < a.n; ++i)
                a.widths[i] = static_cast<float>(a.widths[i] * factor);
        ComputeGridCoordinates(m);
        ComputeModelExtent(m);
    }
    m.gridUnit = unit;
    return true;
}

} // namespace gelmar
