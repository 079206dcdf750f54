// Named objects and hit reading of the 3D view's picks (see ScenePicking.h).
#include "gelmar/graphics/core/ScenePicking.h"

#include "gelmar/graphics/core/SceneFaces.h"
#include "gelmar/model/store/ViewState.h"

#include <algorithm>

namespace gelmar {

bool PickRegionFilter::Keep(const float corners[4][3]) const
{
    const double* m = m_clip.m;
    unsigned all = 0x3F;
    for (int n = 0; n < 4 && all; ++n) {
        const double x = corners[n][0], y = corners[n][1], z = corners[n][2];
        const double cx = m[0] * x + m[4] * y + m[8] * z + m[12];
        const double cy = m[1] * x + m[5] * y + m[9] * z + m[13];
        const double cz = m[2] * x + m[6] * y + m[10] * z + m[14];
        const double w = m[3] * x + m[7] * y + m[11] * z + m[15];
        const unsigned code = (cx < -w ? 0x01u : 0u) | (cx > w ? 0x02u : 0u) | (cy < -w ? 0x04u : 0u) |
                              (cy > w ? 0x08u : 0u) | (cz < -w ? 0x10u : 0u) | (cz > w ? 0x20u : 0u);
        all &= code;
    }
    return all == 0;
}

namespace {

bool IsBoundaryBlockColour(const ModelStore& model, int colour)
{
    if (colour < 0 || colour >= kColourCount)
        return false;
    const ColourRecord& c = model.colours[static_cast<std::size_t>(colour)];
    return c.inUse && c.clipShow && !IsShownMaterial(model, colour);
}

// The whole face as one quad, wound for the side.
NamedQuad FaceQuad(const ModelStore& model, const FaceRecord& face, bool ownerSide, std::uint32_t name)
{
    const FaceFrame frame = FaceFrameOf(model, face, ownerSide);
    NamedQuad q;
    q.name = name;
    RectCorners(frame, GridLineCoordinate(model, frame.u, face.bounds[2 * frame.u]),
                GridLineCoordinate(model, frame.u, face.bounds[2 * frame.u + 1]),
                GridLineCoordinate(model, frame.v, face.bounds[2 * frame.v]),
                GridLineCoordinate(model, frame.v, face.bounds[2 * frame.v + 1]), q.corners);
    return q;
}

void Append(const NamedQuad& q, const PickRegionFilter* filter, std::vector<NamedQuad>& out)
{
    if (!filter || filter->Keep(q.corners))
        out.push_back(q);
}

} // namespace

void CollectBlockNames(const ModelStore& model, ViewKind viewKind, const PickRegionFilter* filter,
                       const FaceList& faces, std::vector<NamedQuad>& out)
{
    out.clear();
    if (viewKind != ViewKind::Materials && viewKind != ViewKind::BoundaryConditions)
        return;
    const std::int32_t count = FaceCount(faces);
    for (std::int32_t i = 0; i < count; ++i) {
        const FaceRecord& face = faces.faces[static_cast<std::size_t>(i)];
        const FaceSides sides = SidesOf(model, face);
        if (!sides.owner)
            continue;
        if (viewKind == ViewKind::Materials) {
            Append(FaceQuad(model, face, true, static_cast<std::uint32_t>(face.block)), filter, out);
            continue;
        }
        const NamedQuad any = FaceQuad(model, face, true, kNoBlockName);
        if (filter && !filter->Keep(any.corners))
            continue;
        if (sides.otherColour >= 0 && IsBoundaryBlockColour(model, sides.otherColour)) {
            NamedQuad named = any;
            named.name = static_cast<std::uint32_t>(face.neighbour);
            out.push_back(named);
        }
        out.push_back(any);
    }
    // Blocks in block order, each with its faces in list order.
    std::stable_sort(out.begin(), out.end(),
                     [](const NamedQuad& a, const NamedQuad& b) { return a.name < b.name; });
}

void CollectFaceNames(const ModelStore& model, const PickRegionFilter* filter, const FaceList& faces,
                      std::vector<NamedQuad>& out)
{
    out.clear();
    const std::int32_t count = FaceCount(faces);
    for (std::int32_t i = 0; i < count; ++i) {
        const FaceRecord& face = faces.faces[static_cast<std::size_t>(i)];
        const FaceSides sides = SidesOf(model, face);
        if (sides.owner)
            Append(FaceQuad(model, face, true, static_cast<std::uint32_t>(i)), filter, out);
        if (sides.other)
            Append(FaceQuad(model, face, false, static_cast<std::uint32_t>(i)), filter, out);
    }
}

void CollectQuadNames(const ModelStore& model, int face, const FaceList& faces, std::vector<NamedQuad>& out)
{
    out.clear();
    if (face < 0 || face >= FaceCount(faces))
        return;
    const FaceRecord& record = faces.faces[static_cast<std::size_t>(face)];
    std::uint32_t name = 0;
    ForEachFaceQuad(record, FaceOrientation(record), [&](const GridPoint c[4]) {
        NamedQuad q;
        q.name = name++;
        for (int n = 0; n < 4; ++n) {
            q.corners[n][0] = GridLineCoordinate(model, 0, c[n].i);
            q.corners[n][1] = GridLineCoordinate(model, 1, c[n].j);
            q.corners[n][2] = GridLineCoordinate(model, 2, c[n].k);
        }
        out.push_back(q);
    });
}

namespace {

// Walks the hit records; visit(minimum depth, first name) returns false to stop.
template <class Visit> void ForEachHit(const std::uint32_t* buffer, std::size_t size, int hits, Visit&& visit)
{
    std::size_t p = 0;
    for (int h = 0; h < hits && p + 3 <= size; ++h) {
        const std::uint32_t names = buffer[p];
        if (names > 0 && p + 3 < size && !visit(buffer[p + 1], buffer[p + 3]))
            return;
        p += 3 + names;
    }
}

} // namespace

std::int64_t NearestHitName(const std::uint32_t* buffer, std::size_t size, int hits)
{
    std::int64_t name = -1;
    std::uint32_t depth = 0;
    ForEachHit(buffer, size, hits, [&](std::uint32_t zmin, std::uint32_t first) {
        if (name < 0 || zmin < depth) {
            name = first;
            depth = zmin;
        }
        return true;
    });
    return name;
}

std::int64_t FirstHitName(const std::uint32_t* buffer, std::size_t size, int hits)
{
    std::int64_t name = -1;
    ForEachHit(buffer, size, hits, [&](std::uint32_t, std::uint32_t first) {
        name = first;
        return false;
    });
    return name;
}

} // namespace gelmar
