// Object lines, grid lines, isotherms and isoflux lines over the picture
// polygons (see PictureWalkers.h).
#include "common/kernels/picture/QuadIsolines.h"
#include "gelmar/graphics/core/PictureWalkers.h"
#include "gelmar/model/calc/WorkArrays.h"

#include <algorithm>

namespace gelmar {

void DrawObjectLines(PictureContext& context)
{
    context.Plotter().SetPen(context.Settings().objectPen);
    for (const PicturePolygon& p : context.Polygons()) {
        const std::uint16_t* b = p.face.bounds;
        const int x1 = b[0], x2 = b[1], y1 = b[2], y2 = b[3], z1 = b[4], z2 = b[5];
        switch (FaceOrientation(p.face) / 2) {
        case 0:
            DrawObjectEdge(context, {x1, y1, z1}, {x1, y2, z1});
            DrawObjectEdge(context, {x1, y1, z2}, {x1, y2, z2});
            DrawObjectEdge(context, {x1, y1, z1}, {x1, y1, z2});
            DrawObjectEdge(context, {x1, y2, z1}, {x1, y2, z2});
            break;
        case 1:
            DrawObjectEdge(context, {x1, y1, z1}, {x2, y1, z1});
            DrawObjectEdge(context, {x1, y1, z2}, {x2, y1, z2});
            DrawObjectEdge(context, {x1, y1, z1}, {x1, y1, z2});
            DrawObjectEdge(context, {x2, y1, z1}, {x2, y1, z2});
            break;
        default:
            DrawObjectEdge(context, {x1, y1, z1}, {x2, y1, z1});
            DrawObjectEdge(context, {x1, y2, z1}, {x2, y2, z1});
            DrawObjectEdge(context, {x1, y1, z1}, {x1, y2, z1});
            DrawObjectEdge(context, {x2, y1, z1}, {x2, y2, z1});
            break;
        }
    }
}

void DrawObjectEdge(PictureContext& context, const GridPoint& p, const GridPoint& q)
{
    const PictureSource& src = context.Source();
    const int i = p.i, j = p.j, k = p.k;
    int cells[4][3];
    if (p.k != q.k) { // along z
        const int c[4][3] = {{i - 1, j - 1, k}, {i, j - 1, k}, {i, j, k}, {i - 1, j, k}};
        std::copy(&c[0][0], &c[0][0] + 12, &cells[0][0]);
    } else if (p.j != q.j) { // along y
        const int c[4][3] = {{i - 1, j, k - 1}, {i, j, k - 1}, {i, j, k}, {i - 1, j, k}};
        std::copy(&c[0][0], &c[0][0] + 12, &cells[0][0]);
    } else { // along x
        const int c[4][3] = {{i, j - 1, k - 1}, {i, j, k - 1}, {i, j, k}, {i, j - 1, k}};
        std::copy(&c[0][0], &c[0][0] + 12, &cells[0][0]);
    }
    int value[4];
    int solid = 0;
    for (int n = 0; n < 4; ++n) {
        const int colour = GetCellColourInClip(src.model, src.work, cells[n][0], cells[n][1], cells[n][2]);
        if (IsSolidColour(src.model, colour)) {
            value[n] = colour;
            ++solid;
        } else {
            value[n] = -1 - n; // two non-solid cells never compare equal
        }
    }
    const bool draw = solid == 1 || solid == 3 ||
                      (solid == 2 && value[0] != value[1] && value[1] != value[2] && value[2] != value[3] &&
                       value[3] != value[0]);
    if (draw)
        context.DrawGridSegment(p, q);
}

void DrawFaceGridLines(PictureContext& context)
{
    context.Plotter().SetPen(context.Settings().gridPen);
    for (const PicturePolygon& p : context.Polygons()) {
        const std::uint16_t* b = p.face.bounds;
        const int x1 = b[0], x2 = b[1], y1 = b[2], y2 = b[3], z1 = b[4], z2 = b[5];
        switch (FaceOrientation(p.face) / 2) {
        case 0:
            for (int j = y1; j <= y2; ++j)
                context.DrawGridSegment({x1, j, z1}, {x1, j, z2});
            for (int k = z1; k <= z2; ++k)
                context.DrawGridSegment({x1, y1, k}, {x1, y2, k});
            break;
        case 1:
            for (int i = x1; i <= x2; ++i)
                context.DrawGridSegment({i, y1, z1}, {i, y1, z2});
            for (int k = z1; k <= z2; ++k)
                context.DrawGridSegment({x1, y1, k}, {x2, y1, k});
            break;
        default:
            for (int i = x1; i <= x2; ++i)
                context.DrawGridSegment({i, y1, z1}, {i, y2, z1});
            for (int j = y1; j <= y2; ++j)
                context.DrawGridSegment({x1, j, z1}, {x2, j, z1});
            break;
        }
    }
}

void DrawIsolines(PictureContext& context)
{
    const PictureSettings& s = context.Settings();
    kernels::IsolineStyle style;
    style.lower = s.temperature.lower;
    style.upper = s.temperature.upper;
    style.inc = s.temperature.inc;
    style.inc2 = s.temperature.inc2;
    style.firstPen = s.temperature.firstPen;
    style.secondPen = s.temperature.secondPen;
    style.clamped = !context.Isoflux();
    style.singleValue = s.singleValue;
    style.singlePen = s.singlePen;
    const bool perspective = context.Perspective();
    auto pen = [&](const kernels::LinePen& p) { context.Plotter().SetPen(p); };
    auto segment = [&](const kernels::BandVertex& a, const kernels::BandVertex& b) {
        context.DrawSegment(a.x, a.y, a.z, b.x, b.y, b.z);
    };
    FacePoints face;
    for (const PicturePolygon& p : context.Polygons()) {
        const int corners = context.CornerOrientation(p);
        if (context.Isoflux())
            context.faceOrientation = corners;
        // The perspective's corners are kept as floats.
        face.Load(context, p.face, corners, perspective);
        for (int a = 0; a < face.QuadsA(); ++a)
            for (int b = 0; b < face.QuadsB(); ++b) {
                kernels::BandVertex v[4];
                face.Quad(a, b, v);
                kernels::DrawQuadIsolines(v, style, pen, segment, context.Esc());
            }
    }
}

void DrawIsofluxLines(PictureContext& context)
{
    ContextFlux pass(context);
    DrawIsolines(context);
}

} // namespace gelmar
