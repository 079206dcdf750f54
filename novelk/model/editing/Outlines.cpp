// Colour and border-face outlines over the visible-face list.
#include "novelk/model/editing/Outlines.h"

#include "common/kernels/OutlineEdges.h"

#include <algorithm>
#include <array>
#include <unordered_set>

namespace novelk {

namespace {

// The axis along which the edge runs (its end points differ there), -1 for none.
int EdgeAxis(const OutlineSegment& e)
{
    const int differ = (e.x1 != e.x2) + (e.y1 != e.y2) + (e.z1 != e.z2);
    if (differ != 1)
        return -1;
    return e.x1 != e.x2 ? 0 : e.y1 != e.y2 ? 1 : 2;
}

bool AroundEdge(const ModelStore& m, const CellRaster& cells, const OutlineSegment& e, int around[4])
{
    const int axis = EdgeAxis(e);
    if (axis < 0)
        return false;
    const std::uint16_t start[3] = {std::min(e.x1, e.x2), std::min(e.y1, e.y2), std::min(e.z1, e.z2)};
    kernels::CellsAroundEdge(
        axis, start, [&](int i, int j, int k) { return GetClippedCellColour(m, cells, i, j, k); }, around);
    return true;
}

// The four edges of a face's rectangle, each from its lower end.
template <typename F> void ForEachFaceEdge(const FaceRecord& face, F&& visit)
{
    const int normal = (face.flags & kFaceOrientation) / 2;
    if ((face.flags & kFaceOrientation) > 5)
        return;
    const int u = normal == 0 ? 1 : 0, v = normal == 2 ? 1 : 2;
    const std::uint16_t* b = face.bounds; // x1, x2, y1, y2, z1, z2
    for (int along : {u, v}) {
        const int across = along == u ? v : u;
        if (b[2 * along] == b[2 * along + 1])
            continue;
        for (int side = 0; side < 2; ++side) {
            std::uint16_t p[3], q[3];
            p[normal] = q[normal] = b[2 * normal];
            p[across] = q[across] = b[2 * across + side];
            p[along] = b[2 * along];
            q[along] = b[2 * along + 1];
            visit(OutlineSegment{p[0], p[1], p[2], q[0], q[1], q[2]});
        }
    }
}

struct SegmentHash {
    std::size_t operator()(const std::array<std::uint16_t, 6>& s) const
    {
        std::uint64_t h = 1469598103934665603ULL;
        for (std::uint16_t v : s)
            h = (h ^ v) * 1099511628211ULL;
        return static_cast<std::size_t>(h);
    }
};

// Fills the list from scratch, never holding a segment twice; when the list
// cannot grow it keeps what it holds.
class OutlineList {
  public:
    explicit OutlineList(ModelStore& m) : m_model(m) { m.outlines.count = 0; }
    void Add(const OutlineSegment& e)
    {
        if (!m_seen.insert({e.x1, e.y1, e.z1, e.x2, e.y2, e.z2}).second)
            return;
        auto& list = m_model.outlines;
        if (list.count >= list.capacity &&
            !GrowOutlineSegmentArray(m_model, static_cast<std::size_t>(list.count) + 1000))
            return;
        list[static_cast<std::size_t>(list.count++)] = e;
    }

  private:
    ModelStore& m_model;
    std::unordered_set<std::array<std::uint16_t, 6>, SegmentHash> m_seen;
};

int BlockColour(const ModelStore& m, std::int32_t block)
{
    return block >= 0 && block < m.blocks.count ? m.blocks[static_cast<std::size_t>(block)].colour : -1;
}

} // namespace

bool IsColourOutlineEdge(const ModelStore& m, const CellRaster& cells, const OutlineSegment& edge, int c)
{
    int around[4];
    return AroundEdge(m, cells, edge, around) && kernels::IsColourOutlineEdge(around, c);
}

bool IsInterfaceOutlineEdge(const ModelStore& m, const CellRaster& cells, const OutlineSegment& edge)
{
    int around[4];
    return AroundEdge(m, cells, edge, around) && kernels::IsInterfaceOutlineEdge(around);
}

void BuildColourOutline(ModelStore& m, const FaceList& faces, const CellRaster& cells, int c)
{
    OutlineList list(m);
    if (cells.colour.empty())
        return;
    for (const FaceRecord& face : faces.faces) {
        // A face of the colour's region belongs to a block of the colour, or
        // to a later block of another colour that covers part of one (the
        // colour is then its neighbour).
        const bool ofColour = BlockColour(m, face.block) == c ||
                              ((face.flags & kFaceBetweenColours) && BlockColour(m, face.neighbour) == c);
        if ((face.flags & kFaceHidden) || !ofColour)
            continue;
        ForEachFaceEdge(face, [&](const OutlineSegment& e) {
            if (IsColourOutlineEdge(m, cells, e, c))
                list.Add(e);
        });
    }
}

void BuildBorderFaceOutline(ModelStore& m, const FaceList& faces, const CellRaster& cells, int row)
{
    if (cells.colour.empty() || row < 0 || row >= m.borderBcs.count)
        return;
    const BorderFaceBcRecord& bc = m.borderBcs[static_cast<std::size_t>(row)];
    const int c1 = bc.colour1, c2 = bc.colour2;
    OutlineList list(m);
    for (const FaceRecord& face : faces.faces) {
        if (!(face.flags & kFaceBetweenColours) || (face.flags & kFaceHidden))
            continue;
        const int p = BlockColour(m, face.block), q = BlockColour(m, face.neighbour);
        if (!((p == c1 && q == c2) || (p == c2 && q == c1)))
            continue;
        ForEachFaceEdge(face, [&](const OutlineSegment& e) {
            if (IsInterfaceOutlineEdge(m, cells, e))
                list.Add(e);
        });
    }
}

} // namespace novelk
