// Perspective and section polygons of the visible faces (see
// PicturePolygons.h).
#include "gelmar/graphics/core/PicturePolygons.h"

#include "common/kernels/picture/PictureGeometry.h"
#include "gelmar/graphics/core/PictureGrid.h"

#include <algorithm>
#include <cmath>

namespace gelmar {

namespace {

// Colour numbers of the face's own block and of the block across (-1 without
// one), and which of them is solid.
struct FaceSides {
    int own = -1, far = -1;
    bool ownSolid = false, farSolid = false;
};

FaceSides SidesOf(const ModelStore& model, const FaceRecord& f)
{
    FaceSides s;
    if (f.block >= 0 && f.block < model.blocks.count)
        s.own = model.blocks[static_cast<std::size_t>(f.block)].colour;
    if ((f.flags & 0x08) && f.neighbour >= 0 && f.neighbour < model.blocks.count)
        s.far = model.blocks[static_cast<std::size_t>(f.neighbour)].colour;
    s.ownSolid = IsSolidColour(model, s.own);
    s.farSolid = IsSolidColour(model, s.far);
    return s;
}

bool InUse(const ModelStore& model, int colour)
{
    return colour >= 0 && colour < kColourCount && model.colours[static_cast<std::size_t>(colour)].inUse;
}

} // namespace

bool IsSolidColour(const ModelStore& model, int colour)
{
    if (!InUse(model, colour))
        return false;
    const int type = model.colours[static_cast<std::size_t>(colour)].type;
    return type == MATERIAL || type == EQUIMAT || type == TRANSMAT;
}

std::vector<PicturePolygon> BuildPicturePolygons(const ModelStore& model, const FaceList& list,
                                                 const kernels::PictureMatrix& matrix, int width, int height)
{
    std::vector<PicturePolygon> polygons;
    for (std::int32_t n = 0; n < list.count; ++n) {
        const FaceRecord& f = list.faces[static_cast<std::size_t>(n)];
        if (f.flags & 0x10)
            continue;
        const FaceSides sides = SidesOf(model, f);
        if (sides.ownSolid == sides.farSolid)
            continue;
        const int o = FaceOrientation(f);
        const float x1 = GridLineCoordinate(model, 0, f.bounds[0]),
                    x2 = GridLineCoordinate(model, 0, f.bounds[1]);
        const float y1 = GridLineCoordinate(model, 1, f.bounds[2]),
                    y2 = GridLineCoordinate(model, 1, f.bounds[3]);
        const float z1 = GridLineCoordinate(model, 2, f.bounds[4]),
                    z2 = GridLineCoordinate(model, 2, f.bounds[5]);
        // B and D by orientation and solid side, so that every polygon turns
        // the same way on the screen when its solid side faces away.
        const bool forward = (o % 2 == 0) == sides.ownSolid;
        float p[4][3] = {{x1, y1, z1}, {0, 0, 0}, {x2, y2, z2}, {0, 0, 0}};
        float b[3], d[3];
        switch (o / 2) {
        case 0:
            b[0] = x1, b[1] = y2, b[2] = z1, d[0] = x1, d[1] = y1, d[2] = z2;
            break;
        case 1:
            b[0] = x1, b[1] = y1, b[2] = z2, d[0] = x2, d[1] = y1, d[2] = z1;
            break;
        default:
            b[0] = x2, b[1] = y1, b[2] = z1, d[0] = x1, d[1] = y2, d[2] = z1;
            break;
        }
        for (int k = 0; k < 3; ++k) {
            p[1][k] = forward ? b[k] : d[k];
            p[3][k] = forward ? d[k] : b[k];
        }
        double s[4][3];
        for (int c = 0; c < 4; ++c)
            matrix.Project(p[c][0], p[c][1], p[c][2], s[c][0], s[c][1], s[c][2]);
        auto all = [&](int axis, auto test) {
            return test(s[0][axis]) && test(s[1][axis]) && test(s[2][axis]) && test(s[3][axis]);
        };
        if (all(0, [](double v) { return v < 0; }) || all(1, [](double v) { return v < 0; }) ||
            all(0, [&](double v) { return v > width; }) || all(1, [&](double v) { return v > height; }))
            continue;
        const double area =
            (s[2][0] - s[0][0]) * (s[3][1] - s[1][1]) - (s[2][1] - s[0][1]) * (s[3][0] - s[1][0]);
        if (!(area > 0))
            continue;
        PicturePolygon poly;
        poly.face = f;
        poly.colour = static_cast<std::uint8_t>(sides.ownSolid ? sides.own : sides.far);
        const int other = sides.ownSolid ? sides.far : sides.own;
        poly.farColour = static_cast<std::int16_t>(InUse(model, other) ? other : -1);
        kernels::HiddenLinePolygon& h = poly.shape;
        const double dz = s[3][2] - s[1][2];
        h.a = -((s[2][1] - s[0][1]) * dz + (s[3][1] - s[1][1]) * (s[0][2] - s[2][2])) / area;
        h.b = -((s[0][0] - s[2][0]) * dz + (s[3][0] - s[1][0]) * (s[2][2] - s[0][2])) / area;
        h.c = s[0][2] - h.a * s[0][0] - h.b * s[0][1] + (std::fabs(h.a) + std::fabs(h.b) + 1) * 0.000001;
        for (int c = 0; c < 4; ++c) {
            h.corners[c][0] = static_cast<float>(s[c][0]);
            h.corners[c][1] = static_cast<float>(s[c][1]);
        }
        h.xmin = static_cast<float>(kernels::MinOfFour(s[0][0], s[1][0], s[2][0], s[3][0]));
        h.xmax = static_cast<float>(kernels::MaxOfFour(s[0][0], s[1][0], s[2][0], s[3][0]));
        h.ymin = static_cast<float>(kernels::MinOfFour(s[0][1], s[1][1], s[2][1], s[3][1]));
        h.ymax = static_cast<float>(kernels::MaxOfFour(s[0][1], s[1][1], s[2][1], s[3][1]));
        h.zmin = static_cast<float>(kernels::MinOfFour(s[0][2], s[1][2], s[2][2], s[3][2]) - 0.00001);
        h.zmax = static_cast<float>(kernels::MaxOfFour(s[0][2], s[1][2], s[2][2], s[3][2]) + 0.00001);
        polygons.push_back(poly);
    }
    return polygons;
}

std::vector<PicturePolygon> BuildSectionPolygons(const ModelStore& model, const FaceList& list, int section,
                                                 const kernels::SectionTransform& transform, int width,
                                                 int height)
{
    // The orientation of the section's faces and the clip-box bound they lie on.
    static constexpr int kOrientation[13] = {-1, 0, 1, 2, 3, 4, 5, 0, 1, 2, 3, 5, 4};
    std::vector<PicturePolygon> polygons;
    if (section < 1 || section > 12)
        return polygons;
    const int o = kOrientation[section];
    const int axis = o / 2;
    const bool lower = o % 2 == 0;
    const std::uint16_t plane = lower ? model.clipLo[axis] : model.clipHi[axis];
    for (std::int32_t n = 0; n < list.count; ++n) {
        const FaceRecord& f = list.faces[static_cast<std::size_t>(n)];
        if ((f.flags & 0x10) || FaceOrientation(f) != o || f.bounds[2 * axis + (lower ? 0 : 1)] != plane)
            continue;
        const FaceSides sides = SidesOf(model, f);
        if (sides.ownSolid == sides.farSolid)
            continue;
        const CPoint a = kernels::ProjectToSection(
            section, transform, GridLineCoordinate(model, 0, f.bounds[0]),
            GridLineCoordinate(model, 1, f.bounds[2]), GridLineCoordinate(model, 2, f.bounds[4]));
        const CPoint b = kernels::ProjectToSection(
            section, transform, GridLineCoordinate(model, 0, f.bounds[1]),
            GridLineCoordinate(model, 1, f.bounds[3]), GridLineCoordinate(model, 2, f.bounds[5]));
        if ((a.x < 0 && b.x < 0) || (a.y < 0 && b.y < 0) || (a.x > width && b.x > width) ||
            (a.y > height && b.y > height))
            continue;
        PicturePolygon poly;
        poly.face = f;
        poly.colour = static_cast<std::uint8_t>(sides.ownSolid ? sides.own : sides.far);
        poly.shape.xmin = static_cast<float>(std::min(a.x, b.x));
        poly.shape.xmax = static_cast<float>(std::max(a.x, b.x));
        poly.shape.ymin = static_cast<float>(std::min(a.y, b.y));
        poly.shape.ymax = static_cast<float>(std::max(a.y, b.y));
        polygons.push_back(poly);
    }
    return polygons;
}

} // namespace gelmar
