// Grid lines: coordinates of the items, rebuilding an axis, merging lines,
// the plane and minimum-grid tests, used-line flags, unit and volume texts.
#include "novelk/model/editing/GridLines.h"

#include "common/core/UnitLabel.h"
#include "common/kernels/AxisLines.h"
#include "novelk/model/store/Errors.h"

#include <algorithm>
#include <charconv>
#include <new>
#include <optional>
#include <span>
#include <vector>

namespace novelk {

namespace {

// f(std::uint16_t& index, float& coordinate) for both bounds of every block
// and the point of every node BC on the axis: the positions that keep lines.
template <typename M, typename F> void ForEachLineItem(M& m, int axis, F&& f)
{
    for (std::size_t b = 0; b < m.blocks.count; ++b) {
        auto& r = m.blocks[b];
        auto& lo = axis == 0 ? r.x1 : axis == 1 ? r.y1 : r.z1;
        auto& hi = axis == 0 ? r.x2 : axis == 1 ? r.y2 : r.z2;
        f(lo, r.coord[2 * axis]);
        f(hi, r.coord[2 * axis + 1]);
    }
    for (std::size_t n = 0; n < static_cast<std::size_t>(m.nodeBcs.count); ++n) {
        auto& r = m.nodeBcs[n];
        f(axis == 0 ? r.i : axis == 1 ? r.j : r.k, axis == 0 ? r.x : axis == 1 ? r.y : r.z);
    }
}

// f(std::uint16_t& index, float& coordinate) for both bounds of A1..A3 and U1..U3.
template <typename F> void ForEachBoxBound(ModelStore& m, int axis, F&& f)
{
    for (auto* list : {&m.areas, &m.elements})
        for (AreaRecord& r : *list) {
            f(axis == 0 ? r.x1 : axis == 1 ? r.y1 : r.z1, r.coord[2 * axis]);
            f(axis == 0 ? r.x2 : axis == 1 ? r.y2 : r.z2, r.coord[2 * axis + 1]);
        }
}

float SnappedLineCoordinate(const ModelStore& m, int axis, std::size_t line)
{
    return static_cast<float>(kernels::SnapToLengthQuantum(LineCoordinate(m, axis, line), 0.001));
}

std::span<const float> Coordinates(const GridAxis& a)
{
    return {a.coords.data(), a.n};
}

// "%.*g" without the locale's decimal separator.
std::string FormatG(double value, int precision)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, precision);
    return std::string(buf, r.ptr);
}

} // namespace

void StoreAxisCoordinates(ModelStore& m, int axis)
{
    const auto store = [&m, axis](std::uint16_t& index, float& coord) {
        coord = SnappedLineCoordinate(m, axis, index);
    };
    ForEachLineItem(m, axis, store);
    ForEachBoxBound(m, axis, store);
}

void CreateMinimumGrid(ModelStore& m, int axis)
{
    std::vector<float> list;
    try {
        ForEachLineItem(m, axis, [&list](std::uint16_t&, float& coord) { list.push_back(coord); });
    } catch (const std::bad_alloc&) {
        throw EngineError::Memory();
    }
    if (list.empty())
        return;
    kernels::SortDistinctCoordinates(list);
    const std::size_t count = list.size() - 1;
    if (count > kMaxCount16)
        throw EngineError::TooManyGridIntervals();
    if (!GrowGridLineArrays(m, count))
        throw EngineError::Memory();

    GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
    // The same subtraction for lines and items, so that they stay equal.
    const float first = kernels::AxisFromSortedCoordinates(list, a.coords, a.widths);
    const auto shift = [first](std::uint16_t&, float& coord) { coord -= first; };
    ForEachLineItem(m, axis, shift);
    ForEachBoxBound(m, axis, shift);
    m.insertionOrigin[axis] -= first;
    a.n = static_cast<std::uint16_t>(count);
    std::fill(a.flags.begin(), a.flags.begin() + static_cast<std::ptrdiff_t>(count + 1), std::uint8_t{0});
    m.clipLo[axis] = 0;
    m.clipHi[axis] = a.n;
    RemapAxisIndices(m, axis);
}

void RemapAxisIndices(ModelStore& m, int axis)
{
    const std::span<const float> coords = Coordinates(m.axes[static_cast<std::size_t>(axis)]);
    ForEachLineItem(m, axis, [coords](std::uint16_t& index, float& coord) {
        const std::optional<std::size_t> line = kernels::FindExactLine(coords, coord);
        index = static_cast<std::uint16_t>(line ? *line : kernels::NearestLine(coords, coord));
    });
    ForEachBoxBound(m, axis, [coords](std::uint16_t& index, float& coord) {
        index = static_cast<std::uint16_t>(kernels::NearestLine(coords, coord));
    });
    // A box that rounding turned inside out closes on its lower bound.
    for (auto* list : {&m.areas, &m.elements})
        for (AreaRecord& r : *list) {
            std::uint16_t& lo = axis == 0 ? r.x1 : axis == 1 ? r.y1 : r.z1;
            std::uint16_t& hi = axis == 0 ? r.x2 : axis == 1 ? r.y2 : r.z2;
            hi = std::max(lo, hi);
        }
}

bool MergeGridLines(ModelStore& m, int axis, std::size_t a, std::size_t b)
{
    GridAxis& ax = m.axes[static_cast<std::size_t>(axis)];
    if (!(a < b && b <= ax.n))
        return false;
    StoreAxisCoordinates(m, axis);

    // Line flags move down with the lines above the removed ones.
    for (std::size_t j = 1; b + j <= ax.n; ++j)
        ax.flags[a + j] = ax.flags[b + j];

    std::vector<float> list;
    list.reserve(ax.n);
    for (std::size_t line = 1; line <= ax.n; ++line)
        if (line <= a || line > b)
            list.push_back(SnappedLineCoordinate(m, axis, line));
    // A removed line on which a block bound or node BC lies stays.
    ForEachLineItem(m, axis, [&list, a, b](std::uint16_t& index, float& coord) {
        if (index > a && index <= b)
            list.push_back(coord);
    });
    kernels::SortDistinctCoordinates(list);
    std::copy(list.begin(), list.end(), ax.coords.begin());
    const std::size_t oldN = ax.n;
    ax.n = static_cast<std::uint16_t>(list.size());
    kernels::WidthsFromCoordinates(Coordinates(ax), ax.widths);
    for (std::size_t line = oldN - (b - a) + 1; line <= ax.n; ++line)
        ax.flags[line] = 0;
    m.clipLo[axis] = 0;
    m.clipHi[axis] = ax.n;
    RemapAxisIndices(m, axis);
    return true;
}

bool IsGridPlaneVoid(const ModelStore& m, const CellRaster& cells, int axis, std::size_t index)
{
    const int u = axis == 0 ? 1 : 0, v = axis == 2 ? 1 : 2;
    long long p[3];
    p[axis] = static_cast<long long>(index);
    for (p[u] = 0; p[u] < m.axes[static_cast<std::size_t>(u)].n; ++p[u])
        for (p[v] = 0; p[v] < m.axes[static_cast<std::size_t>(v)].n; ++p[v]) {
            const int c = GetCellColour(cells, p[0], p[1], p[2]);
            if (c >= 0 && c < kColourCount && IsConductiveType(m.colours[static_cast<std::size_t>(c)].type))
                return false;
        }
    return true;
}

bool IsMinimumGrid(const ModelStore& m)
{
    for (int axis = 0; axis < 3; ++axis) {
        const std::size_t n = m.axes[static_cast<std::size_t>(axis)].n;
        std::vector<bool> marked(n + 1, false);
        ForEachLineItem(m, axis, [&marked, n](const std::uint16_t& index, const float&) {
            if (index <= n)
                marked[index] = true;
        });
        if (std::find(marked.begin(), marked.end(), false) != marked.end())
            return false;
    }
    return true;
}

void MarkUsedGridLines(ModelStore& m)
{
    for (int axis = 0; axis < 3; ++axis) {
        GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
        const std::size_t lines = std::min<std::size_t>(a.n + 1u, a.flags.size());
        for (std::size_t i = 0; i < lines; ++i)
            a.flags[i] &= static_cast<std::uint8_t>(~kLineUsed);
        ForEachLineItem(m, axis, [&a, lines](std::uint16_t& index, float&) {
            if (index < lines)
                a.flags[index] |= kLineUsed;
        });
        if (lines == 0)
            continue;
        a.flags[0] &= static_cast<std::uint8_t>(~kLineBand);
        bool band = false;
        for (std::size_t i = 1; i < lines; ++i) {
            band ^= (a.flags[i] & kLineUsed) != 0;
            a.flags[i] = static_cast<std::uint8_t>(band ? a.flags[i] | kLineBand : a.flags[i] & ~kLineBand);
        }
    }
}

int CompareFloats(float a, float b)
{
    return kernels::CompareCoordinates(a, b);
}

std::string FormatGridUnitLabel(float unit)
{
    return common::GridUnitLabel(unit);
}

std::string FormatColourVolumeText(const ModelStore& m, const CellRaster& cells, int colour)
{
    double volume = 0;
    std::size_t n[3];
    for (int a = 0; a < 3; ++a)
        n[a] = std::min<std::size_t>(cells.n[a], m.axes[static_cast<std::size_t>(a)].n);
    for (std::size_t k = 0; k < n[2]; ++k)
        for (std::size_t j = 0; j < n[1]; ++j)
            for (std::size_t i = 0; i < n[0]; ++i)
                if (cells.colour[cells.Index(i, j, k)] == colour)
                    volume +=
                        static_cast<double>(m.axes[0].widths[i]) * m.axes[1].widths[j] * m.axes[2].widths[k];
    const double unit = m.gridUnit;
    volume *= unit * unit * unit;
    if (volume < 9.99e-7)
        return FormatG(volume * 1e9, 3) + " mm3";
    if (volume < 0.000999)
        return FormatG(volume * 1e6, 3) + " cm3";
    if (volume < 0.999)
        return FormatG(volume * 1e3, 3) + " dm3";
    return FormatG(volume, 3) + " m3";
}

} // namespace novelk
