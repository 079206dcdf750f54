// Minimum grid, STL coordinates and merging meshes.
#include "parven/model/editing/GridOperations.h"

#include "common/kernels/AxisLines.h"
#include "parven/model/store/Errors.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

namespace parven {

namespace {

// Every vertex of an STL block's triangles.
template <typename F> void ForEachStlVertex(const ShapeModel& m, const BlockRecord& b, F&& f)
{
    for (std::size_t t = b.firstTriangle; t < std::size_t{b.firstTriangle} + b.triangleCount; ++t)
        for (std::uint32_t v : m.stl.triangles[t].v)
            f(m.stl.vertices[v]);
}

float Coordinate(const StlVertex& v, int axis)
{
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

// The (coordinate, area) pairs of one STL block on an axis: its plane
// facets and its extremes, merged by coordinate with their areas summed.
std::vector<std::pair<float, double>> PlaneFacets(const ShapeModel& m, const BlockRecord& b, int axis)
{
    const int u = (axis + 1) % 3, w = (axis + 2) % 3;
    std::vector<std::pair<float, double>> list;
    float lo = 1e30f, hi = -1e30f;
    for (std::size_t t = b.firstTriangle; t < std::size_t{b.firstTriangle} + b.triangleCount; ++t) {
        const std::uint32_t* v = m.stl.triangles[t].v;
        const StlVertex& p = m.stl.vertices[v[0]];
        const StlVertex& q = m.stl.vertices[v[1]];
        const StlVertex& r = m.stl.vertices[v[2]];
        const float c = Coordinate(p, axis);
        for (const StlVertex* s : {&p, &q, &r}) {
            lo = std::min(lo, Coordinate(*s, axis));
            hi = std::max(hi, Coordinate(*s, axis));
        }
        if (Coordinate(q, axis) != c || Coordinate(r, axis) != c)
            continue;
        const double a1 = double(Coordinate(q, u)) - Coordinate(p, u), a2 = double(Coordinate(q, w)) - Coordinate(p, w);
        const double b1 = double(Coordinate(r, u)) - Coordinate(p, u), b2 = double(Coordinate(r, w)) - Coordinate(p, w);
        list.emplace_back(static_cast<float>(SnapToLengthQuantum(m.settings, c)), std::fabs(a1 * b2 - a2 * b1) / 2);
    }
    if (lo > hi)
        return list;
    list.emplace_back(lo, 1e30);
    list.emplace_back(hi, 1e30);
    std::sort(list.begin(), list.end());
    std::vector<std::pair<float, double>> merged;
    for (const auto& [c, area] : list) {
        if (!merged.empty() && merged.back().first == c)
            merged.back().second += area;
        else
            merged.emplace_back(c, area);
    }
    return merged;
}

} // namespace

void AddGridCoordinate(std::vector<float>& lines, const ModelSettings& s, double value)
{
    // Equal coordinates are joined when the axis is finished.
    lines.push_back(static_cast<float>(SnapToLengthQuantum(s, value)));
}

void FinishGridAxis(ShapeModel& m, int axis, std::vector<float>& lines)
{
    kernels::SortDistinctCoordinates(lines);
    const std::size_t n = lines.empty() ? 0 : lines.size() - 1;
    if (n > kMaxAxisCells)
        throw EngineError::Memory();
    if (n > m.gridCapacity && !SetGridCapacity(m, std::min<std::size_t>(n + 100, kMaxAxisCells + 1)))
        throw EngineError::Memory();
    GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
    const float origin = lines.empty() ? m.origin[axis] : lines[0];
    for (std::size_t i = 0; i < n; ++i)
        a.coords[i] = static_cast<float>(SnapToLengthQuantum(m.settings, double(lines[i + 1]) - origin));
    kernels::WidthsFromCoordinates(std::span<const float>(a.coords.data(), n), a.widths);
    std::fill(a.flags.begin(), a.flags.begin() + static_cast<std::ptrdiff_t>(n), 0u);
    a.n = static_cast<std::uint16_t>(n);
    m.origin[axis] = origin;
    m.clipLo[axis] = 0;
    m.clipHi[axis] = a.n;
}

void CreateMinimumGrid(ShapeModel& m, int axis)
{
    std::vector<float> lines;
    float lo = 1e30f, hi = -1e30f;
    const auto extent = [&lo, &hi](float c) {
        lo = std::min(lo, c);
        hi = std::max(hi, c);
    };
    for (std::size_t i = 0; i < m.blocks.count; ++i) {
        const BlockRecord& b = m.blocks[i];
        if (b.kind == SOLID) {
            for (const auto& p : b.points) {
                AddGridCoordinate(lines, m.settings, p[axis]);
                extent(p[axis]);
            }
        } else if (b.kind == STL) {
            ForEachStlVertex(m, b, [&](const StlVertex& v) { extent(Coordinate(v, axis)); });
        }
    }
    if (lo > 1e29f) {
        m.axes[static_cast<std::size_t>(axis)].n = 0;
        return;
    }
    AddGridCoordinate(lines, m.settings, lo);
    AddGridCoordinate(lines, m.settings, hi);
    FinishGridAxis(m, axis, lines);
}

void InsertStlCoordinates(ShapeModel& m)
{
    if (m.stl.triangles.empty())
        return;
    const double minimum = m.session.mesh.minStlArea;
    for (std::size_t i = 0; i < m.blocks.count; ++i) {
        const BlockRecord& b = m.blocks[i];
        if (b.kind != STL)
            continue;
        for (int axis = 0; axis < 3; ++axis) {
            const auto facets = PlaneFacets(m, b, axis);
            const GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
            std::vector<float> lines;
            AddGridCoordinate(lines, m.settings, m.origin[axis]);
            for (std::size_t j = 0; j < a.n; ++j)
                AddGridCoordinate(lines, m.settings, double(a.coords[j]) + m.origin[axis]);
            for (const auto& [c, area] : facets)
                if (area > minimum)
                    AddGridCoordinate(lines, m.settings, c);
            FinishGridAxis(m, axis, lines);
        }
    }
}

void MergeMeshRange(ShapeModel& m, int axis, std::size_t first, std::size_t last)
{
    GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
    if (!(first < last && last < a.n))
        return;
    double sum = 0;
    for (std::size_t i = first; i <= last; ++i)
        sum += a.widths[i];
    a.widths[first] = static_cast<float>(sum);
    const std::size_t gone = last - first;
    for (std::size_t i = last + 1; i < a.n; ++i) {
        a.widths[i - gone] = a.widths[i];
        a.flags[i - gone] = a.flags[i];
    }
    a.n = static_cast<std::uint16_t>(a.n - gone);
}

void MergeSmallMeshes(ShapeModel& m)
{
    const float t = m.session.mesh.mergeThreshold;
    for (int axis = 0; axis < 3; ++axis) {
        GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
        // After a merge the scan starts again; the meshes more than two
        // before the merged one kept their neighbours, so it goes on from there.
        for (std::size_t i = 0; i < a.n;) {
            if (a.widths[i] <= t && i > 0 && a.widths[i - 1] > t)
                MergeMeshRange(m, axis, i - 1, i);
            else if (a.widths[i] <= t && i + 1 < a.n && a.widths[i + 1] > t)
                MergeMeshRange(m, axis, i, i + 1);
            else {
                ++i;
                continue;
            }
            i = i >= 2 ? i - 2 : 0;
        }
        ComputeAxisCoordinates(a);
    }
}

} // namespace parven
