// Grid lines: coordinates, rebuilding from item coordinates, merging, plane
// and minimum-grid tests, used-line marks and the unit and volume texts.
#include "gelmar/model/editing/GridLines.h"

#include "common/core/UnitLabel.h"
#include "common/kernels/AxisLines.h"
#include "gelmar/model/editing/ItemLines.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/store/ValueText.h"
#include "gelmar/model/store/ViewState.h"

#include <algorithm>
#include <optional>
#include <span>
#include <vector>

namespace gelmar {

namespace {

float SnappedLineCoordinate(const ModelStore& m, int axis, std::size_t line)
{
    return static_cast<float>(SnapToLengthQuantum(LineCoordinate(m, axis, line)));
}

// Room for n cells on every axis; a refusal is reported.
bool ReserveCells(ModelStore& m, EngineHost& host, std::size_t n)
{
    if (n > kMaxCount16) {
        host.MessageBox(kTooManyGridIntervals, MessageStyle::Ok);
        return false;
    }
    if (!GrowGridLineArrays(m, n)) {
        ReportOutOfMemory(host);
        return false;
    }
    return true;
}

void RecomputeWidths(GridAxis& a)
{
    kernels::WidthsFromCoordinates(std::span<const float>(a.coords.data(), a.n), a.widths);
}

} // namespace

float LineCoordinate(const ModelStore& m, int axis, std::size_t line)
{
    const GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
    if (line == 0 || a.n == 0)
        return 0.0f;
    return a.coords[std::min<std::size_t>(line, a.n) - 1];
}

void ComputeViewBoxCoordinates(const ModelStore& m, ViewState& view)
{
    for (int k = 0; k < 3; ++k) {
        view.viewCoord[2 * k] = LineCoordinate(m, k, view.viewLo[k]);
        view.viewCoord[2 * k + 1] = LineCoordinate(m, k, view.viewHi[k]);
    }
}

void StoreItemCoordinates(ModelStore& m, int axis)
{
    ForEachItemLine(m, axis, [&m, axis](std::uint16_t& index, float& coord, ItemLineRole) {
        coord = SnappedLineCoordinate(m, axis, index);
    });
}

bool RebuildGridFromCoordinates(ModelStore& m, EngineHost& host, int axis)
{
    std::vector<float> list;
    ForEachItemLine(m, axis, [&list](std::uint16_t&, float& coord, ItemLineRole) { list.push_back(coord); });
    if (list.empty())
        return true;
    kernels::SortDistinctCoordinates(list);
    const std::size_t count = list.size() - 1;
    if (!ReserveCells(m, host, count))
        return false;

    GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
    // The same subtraction for lines and items, so that they stay equal.
    const float first = kernels::AxisFromSortedCoordinates(list, a.coords, a.widths);
    ForEachItemLine(m, axis, [first](std::uint16_t&, float& coord, ItemLineRole) { coord -= first; });
    m.origin[axis] -= first;
    a.n = static_cast<std::uint16_t>(count);
    std::fill(a.flags.begin(), a.flags.begin() + static_cast<std::ptrdiff_t>(count + 1), std::uint8_t{0});
    m.clipLo[axis] = 0;
    m.clipHi[axis] = a.n;
    MapCoordinatesToIndices(m, axis);
    return true;
}

int CompareCoordinates(float a, float b)
{
    return kernels::CompareCoordinates(a, b);
}

void MapCoordinatesToIndices(ModelStore& m, int axis)
{
    const GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
    const std::span<const float> coords(a.coords.data(), a.n);
    ForEachItemLine(m, axis, [coords](std::uint16_t& index, float& coord, ItemLineRole) {
        // Every item coordinate was added to the lines; should one be missing
        // all the same, the nearest line takes it.
        const std::optional<std::size_t> line = kernels::FindExactLine(coords, coord);
        index = static_cast<std::uint16_t>(line ? *line : kernels::NearestLine(coords, coord));
    });
}

bool MergeGridLines(ModelStore& m, int axis, std::size_t a, std::size_t b)
{
    GridAxis& ax = m.axes[static_cast<std::size_t>(axis)];
    if (!(a < b && b < ax.n))
        return false;
    StoreItemCoordinates(m, axis);

    // Line flags move down with the lines above the removed ones.
    for (std::size_t j = 0; b + j <= ax.n; ++j)
        ax.flags[a + j] = ax.flags[b + j];

    std::vector<float> list;
    list.reserve(ax.n - (b - a));
    for (std::size_t line = 1; line <= ax.n; ++line)
        if (line <= a || line > b)
            list.push_back(SnappedLineCoordinate(m, axis, line));
    // A removed line on which an item lies stays.
    ForEachItemLine(m, axis, [&list, a, b](std::uint16_t& index, float& coord, ItemLineRole) {
        if (index > a && index <= b)
            list.push_back(coord);
    });
    kernels::SortDistinctCoordinates(list);
    std::copy(list.begin(), list.end(), ax.coords.begin());
    ax.n = static_cast<std::uint16_t>(list.size());
    RecomputeWidths(ax);
    m.clipLo[axis] = 0;
    m.clipHi[axis] = ax.n;
    MapCoordinatesToIndices(m, axis);
    return true;
}

bool IsGridPlaneVoid(const ModelStore& m, const CellRaster& cells, int axis, std::size_t index)
{
    if (index >= cells.n[axis])
        return true;
    const int u = (axis + 1) % 3, v = (axis + 2) % 3;
    std::size_t p[3];
    p[axis] = index;
    for (p[u] = 0; p[u] < cells.n[u]; ++p[u])
        for (p[v] = 0; p[v] < cells.n[v]; ++p[v]) {
            const int c = cells.At(p[0], p[1], p[2]);
            if (c < 0)
                continue;
            const int type = m.colours[static_cast<std::size_t>(c)].type;
            if (type == MATERIAL || type == EQUIMAT || type == TRANSMAT)
                return false;
        }
    return true;
}

bool IsMinimumGrid(const ModelStore& m)
{
    for (int axis = 0; axis < 3; ++axis) {
        const std::size_t n = m.axes[static_cast<std::size_t>(axis)].n;
        std::vector<bool> marked(n + 1, false);
        ForEachItemLine(
            m, axis,
            [&marked, n](const std::uint16_t& index, const float&, ItemLineRole) {
                if (index <= n)
                    marked[index] = true;
            },
            true);
        if (std::find(marked.begin(), marked.end(), false) != marked.end())
            return false;
    }
    return true;
}

void MarkUsedGridLines(ModelStore& m)
{
    for (int axis = 0; axis < 3; ++axis) {
        GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
        if (a.flags.empty())
            continue;
        const std::size_t lines = std::min<std::size_t>(a.n + 1u, a.flags.size());
        for (std::size_t i = 0; i < lines; ++i)
            a.flags[i] &= static_cast<std::uint8_t>(~(kLineUsed | kLineBand));
        ForEachItemLine(m, axis, [&a, lines](std::uint16_t& index, float&, ItemLineRole) {
            if (index < lines)
                a.flags[index] |= kLineUsed;
        });
        // The band is 0 at line 0 and flips at every further used line, so
        // the cells between two used lines share one band.
        bool band = false;
        for (std::size_t i = 1; i < lines; ++i) {
            band ^= (a.flags[i] & kLineUsed) != 0;
            if (band)
                a.flags[i] |= kLineBand;
        }
    }
}

std::string GridUnitLabelFor(float unit)
{
    return common::GridUnitLabel(unit);
}

std::string FormatGridUnitLabel(const ModelStore& m)
{
    return GridUnitLabelFor(m.gridUnit);
}

std::string FormatColourVolumeText(const ModelStore& m, const CellRaster& cells, int colour)
{
    double volume = 0;
    for (std::size_t k = 0; k < cells.n[2]; ++k)
        for (std::size_t j = 0; j < cells.n[1]; ++j)
            for (std::size_t i = 0; i < cells.n[0]; ++i)
                if (cells.At(i, j, k) == colour)
                    volume +=
                        static_cast<double>(m.axes[0].widths[i]) * m.axes[1].widths[j] * m.axes[2].widths[k];
    const double unit = m.gridUnit;
    volume *= unit * unit * unit;
    if (volume >= 0.999)
        return FormatG(volume, 3) + " m3";
    if (volume >= 0.000999)
        return FormatG(volume * 1e3, 3) + " dm3";
    if (volume >= 9.99e-7)
        return FormatG(volume * 1e6, 3) + " cm3";
    return FormatG(volume * 1e9, 3) + " mm3";
}

} // namespace gelmar
