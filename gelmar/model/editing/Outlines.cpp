// Colour and colour-pair outlines over the visible-face list. Each face edge
// is judged one unit grid edge at a time, because a face of the list may be
// longer than one cell and the cells along its edge may differ; the outline
// edges found are then joined into maximal straight segments.
#include "gelmar/model/editing/Outlines.h"

#include "common/kernels/OutlineEdges.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/store/ViewState.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace gelmar {

namespace {

// A unit edge: axis, start point; packed for sorting and de-duplication so
// that edges on one line along one axis sort together, in order of position.
using EdgeKey = std::uint64_t;

EdgeKey Pack(int axis, const std::uint16_t p[3])
{
    const int f = (axis + 1) % 3, g = (axis + 2) % 3;
    return (EdgeKey(axis) << 48) | (EdgeKey(p[f]) << 32) | (EdgeKey(p[g]) << 16) | p[axis];
}

// Colours of the four cells around a unit edge, in order around it.
void AroundEdge(const CellRaster& cells, int axis, const std::uint16_t p[3], int c[4])
{
    kernels::CellsAroundEdge(
        axis, p, [&cells](int i, int j, int k) { return cells.InClip(i, j, k); }, c);
}

int FaceColour(const ModelStore& m, const FaceRecord& face, bool neighbour)
{
    if (neighbour && !(face.flags & 8))
        return -1;
    const std::int32_t b = neighbour ? face.neighbour : face.block;
    if (b < 0 || b >= m.blocks.count)
        return -1;
    return m.blocks[static_cast<std::size_t>(b)].colour;
}

// Visits the unit edges of the four sides of a face.
template <typename F> void ForEachFaceEdge(const FaceRecord& face, F&& visit)
{
    const int normal = (face.flags & 7) / 2;
    if (normal > 2)
        return;
    const std::uint16_t* r = face.bounds; // x1, x2, y1, y2, z1, z2
    for (int along = 0; along < 3; ++along) {
        if (along == normal)
            continue;
        const int across = 3 - normal - along;
        for (int side = 0; side < 2; ++side) {
            std::uint16_t p[3];
            p[normal] = r[2 * normal];
            p[across] = r[2 * across + side];
            for (int s = r[2 * along]; s < r[2 * along + 1]; ++s) {
                p[along] = static_cast<std::uint16_t>(s);
                visit(along, p);
            }
        }
    }
}

// Joins the unit edges into maximal segments and stores them in the list.
void StoreSegments(ViewState& view, EngineHost& host, std::vector<EdgeKey>& edges)
{
    std::sort(edges.begin(), edges.end());
    auto& list = view.outlines;
    list.count = 0;
    for (std::size_t i = 0; i < edges.size();) {
        std::size_t j = i + 1;
        while (j < edges.size() && edges[j] == edges[j - 1] + 1 && (edges[j] >> 16) == (edges[i] >> 16))
            ++j;
        const int axis = static_cast<int>(edges[i] >> 48);
        const int f = (axis + 1) % 3, g = (axis + 2) % 3;
        std::uint16_t a[3], b[3];
        a[f] = b[f] = static_cast<std::uint16_t>(edges[i] >> 32);
        a[g] = b[g] = static_cast<std::uint16_t>(edges[i] >> 16);
        a[axis] = static_cast<std::uint16_t>(edges[i]);
        b[axis] = static_cast<std::uint16_t>((edges[j - 1] & 0xFFFF) + 1);
        if (list.count >= list.capacity &&
            !GrowOutlineSegmentArray(view, static_cast<std::size_t>(list.count) + 1000)) {
            ReportOutOfMemory(host);
            return;
        }
        list[static_cast<std::size_t>(list.count++)] = OutlineSegment{a[0], a[1], a[2], b[0], b[1], b[2]};
        i = j;
    }
}

template <typename Take, typename Test>
void BuildOutline(const ModelStore& m, ViewState& view, EngineHost& host, Take&& take, Test&& test)
{
    const CellRaster cells = RasteriseModel(m);
    std::unordered_set<EdgeKey> seen;
    std::vector<EdgeKey> edges;
    const FaceList& faces = view.faces;
    for (std::int32_t i = 0; i < faces.count; ++i) {
        const FaceRecord& face = faces.faces[static_cast<std::size_t>(i)];
        if ((face.flags & 16) || !take(face))
            continue;
        ForEachFaceEdge(face, [&](int axis, const std::uint16_t p[3]) {
            const EdgeKey key = Pack(axis, p);
            if (seen.insert(key).second && test(cells, axis, p))
                edges.push_back(key);
        });
    }
    StoreSegments(view, host, edges);
}

} // namespace

bool GrowOutlineSegmentArray(ViewState& view, std::size_t n)
{
    return n <= 0x7FFFFFFF && view.outlines.Grow(n);
}

void FreeOutlineSegments(ViewState& view)
{
    view.outlines.Free();
}

bool IsOutlineEdge(const CellRaster& cells, int axis, const std::uint16_t p[3], int colour)
{
    int c[4];
    AroundEdge(cells, axis, p, c);
    return kernels::IsColourOutlineEdge(c, colour);
}

bool IsPairOutlineEdge(const CellRaster& cells, int axis, const std::uint16_t p[3])
{
    int c[4];
    AroundEdge(cells, axis, p, c);
    return kernels::IsInterfaceOutlineEdge(c);
}

void BuildColourOutline(const ModelStore& m, ViewState& view, EngineHost& host, int colour)
{
    BuildOutline(
        m, view, host,
        [&m, colour](const FaceRecord& face) {
            return FaceColour(m, face, false) == colour ||
                   ((face.flags & 8) && FaceColour(m, face, true) == colour);
        },
        [colour](const CellRaster& cells, int axis, const std::uint16_t p[3]) {
            return IsOutlineEdge(cells, axis, p, colour);
        });
}

void BuildColourPairOutline(const ModelStore& m, ViewState& view, EngineHost& host, std::size_t row)
{
    if (row >= static_cast<std::size_t>(m.borderBcs.count)) {
        view.outlines.count = 0;
        return;
    }
    const BorderFaceBcRecord& bc = m.borderBcs[row];
    const int c1 = bc.colour1, c2 = bc.colour2;
    BuildOutline(
        m, view, host,
        [&m, c1, c2](const FaceRecord& face) {
            const int a = FaceColour(m, face, false), b = FaceColour(m, face, true);
            return (a == c1 && b == c2) || (a == c2 && b == c1);
        },
        [](const CellRaster& cells, int axis, const std::uint16_t p[3]) {
            return IsPairOutlineEdge(cells, axis, p);
        });
}

} // namespace gelmar
