// The overlays of the 3D views (see SceneOverlays.h).
#include "gelmar/graphics/core/SceneOverlays.h"

#include "gelmar/graphics/core/SunPath.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace gelmar {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kAxisColour[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
constexpr double kDegree = 3.14159265358979323846 / 180.0;

ScenePrimitive Primitive(PrimitiveKind kind, float width, COLORREF colour)
{
    ScenePrimitive p;
    p.kind = kind;
    p.width = width;
    p.colour = colour;
    return p;
}

// A point of the box given by the lower (0) or upper (1) bound on each axis.
void BoxPoint(const float box[6], int ix, int iy, int iz, float out[3])
{
    out[0] = box[ix];
    out[1] = box[2 + iy];
    out[2] = box[4 + iz];
}

void AddBoxLines(const float box[6], ScenePrimitive& lines, ScenePrimitive* bottom, ScenePrimitive* top)
{
    static constexpr int kLoop[5][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}};
    float p[3];
    for (const auto& c : kLoop) {
        BoxPoint(box, c[0], c[1], 0, p);
        bottom->Add(p);
        BoxPoint(box, c[0], c[1], 1, p);
        top->Add(p);
    }
    for (int n = 0; n < 4; ++n) {
        BoxPoint(box, kLoop[n][0], kLoop[n][1], 0, p);
        lines.Add(p);
        BoxPoint(box, kLoop[n][0], kLoop[n][1], 1, p);
        lines.Add(p);
    }
}

// The same lines twice: wide in white, then narrow in black.
void Outlined(const ScenePrimitive& shape, float wide, float narrow, SceneOverlay& out)
{
    ScenePrimitive w = shape;
    w.width = wide;
    w.colour = kWhite;
    out.push_back(std::move(w));
    ScenePrimitive b = shape;
    b.width = narrow;
    b.colour = kBlack;
    out.push_back(std::move(b));
}

void OutlinedBox(const float box[6], SceneOverlay& out)
{
    ScenePrimitive edges = Primitive(PrimitiveKind::Lines, 1, kBlack);
    ScenePrimitive bottom = Primitive(PrimitiveKind::LineStrip, 1, kBlack);
    ScenePrimitive top = bottom;
    AddBoxLines(box, edges, &bottom, &top);
    for (const ScenePrimitive* p : {&bottom, &top, &edges})
        Outlined(*p, 3, 1, out);
}

// Lines through a point along the given axes across the box, 4 px white,
// then 2 px in the axis colours.
void AxisLinesThrough(const float point[3], const float box[6], SceneOverlay& out)
{
    ScenePrimitive white = Primitive(PrimitiveKind::Lines, 4, kWhite);
    ScenePrimitive coloured[3];
    for (int a = 0; a < 3; ++a) {
        float p[3] = {point[0], point[1], point[2]}, q[3] = {point[0], point[1], point[2]};
        p[a] = box[2 * a];
        q[a] = box[2 * a + 1];
        white.Add(p);
        white.Add(q);
        coloured[a] = Primitive(PrimitiveKind::Lines, 2, kAxisColour[a]);
        coloured[a].Add(p);
        coloured[a].Add(q);
    }
    out.push_back(std::move(white));
    for (ScenePrimitive& c : coloured)
        out.push_back(std::move(c));
}

} // namespace

float OverlayGrid::Coordinate(int axis, int line) const
{
    const std::span<const float>& c = coords[axis];
    if (line <= 0 || static_cast<std::size_t>(line - 1) >= c.size())
        return 0.0f;
    return c[static_cast<std::size_t>(line - 1)];
}

void OverlayGrid::Box(float box[6]) const
{
    for (int a = 0; a < 3; ++a) {
        box[2 * a] = Coordinate(a, lo[a]);
        box[2 * a + 1] = Coordinate(a, hi[a]);
    }
}

void EmitRangeBox(const float box[6], float width, COLORREF colour, SceneOverlay& out)
{
    ScenePrimitive edges = Primitive(PrimitiveKind::Lines, width, colour);
    ScenePrimitive bottom = Primitive(PrimitiveKind::LineStrip, width, colour);
    ScenePrimitive top = bottom;
    AddBoxLines(box, edges, &bottom, &top);
    out.push_back(std::move(bottom));
    out.push_back(std::move(top));
    out.push_back(std::move(edges));
}

void EmitAxisCross(const float box[6], SceneOverlay& out)
{
    const float corner[3] = {box[0], box[2], box[4]};
    ScenePrimitive white = Primitive(PrimitiveKind::Lines, 4, kWhite);
    ScenePrimitive coloured[3];
    for (int a = 0; a < 3; ++a) {
        float end[3] = {corner[0], corner[1], corner[2]};
        end[a] = box[2 * a + 1];
        white.Add(corner);
        white.Add(end);
        coloured[a] = Primitive(PrimitiveKind::Lines, 2, kAxisColour[a]);
        coloured[a].Add(corner);
        coloured[a].Add(end);
    }
    out.push_back(std::move(white));
    for (ScenePrimitive& c : coloured)
        out.push_back(std::move(c));
}

void EmitSelectionBox(const float box[6], SceneOverlay& out)
{
    EmitRangeBox(box, 3, kWhite, out);
    EmitRangeBox(box, 1, kBlack, out);
    EmitAxisCross(box, out);
}

void EmitGridPlane(const OverlayGrid& grid, int plane, SceneOverlay& out)
{
    // The plane's two axes and the third, on whose lower side it lies.
    static constexpr int kAxes[3][3] = {{0, 1, 2}, {0, 2, 1}, {1, 2, 0}};
    if (plane < 0 || plane > 2)
        return;
    const int a = kAxes[plane][0], b = kAxes[plane][1], c = kAxes[plane][2];
    float box[6];
    grid.Box(box);
    ScenePrimitive lines = Primitive(PrimitiveKind::Lines, 1, kGridPlaneColour);
    for (int pass = 0; pass < 2; ++pass) {
        const int along = pass == 0 ? a : b, across = pass == 0 ? b : a;
        for (int line = grid.lo[along]; line <= grid.hi[along]; ++line) {
            float p[3], q[3];
            p[along] = q[along] = grid.Coordinate(along, line);
            p[across] = box[2 * across];
            q[across] = box[2 * across + 1];
            p[c] = q[c] = box[2 * c];
            lines.Add(p);
            lines.Add(q);
        }
    }
    out.push_back(std::move(lines));
}

void EmitAxisGridPlanes(const OverlayGrid& grid, int axis, SceneOverlay& out)
{
    static constexpr int kPlanes[3][2] = {{0, 1}, {0, 2}, {1, 2}};
    if (axis < 0 || axis > 2)
        return;
    EmitGridPlane(grid, kPlanes[axis][0], out);
    EmitGridPlane(grid, kPlanes[axis][1], out);
}

void EmitNodeMarker(const OverlayGrid& grid, const float node[3], bool insideClip, SceneOverlay& out)
{
    for (int plane = 0; plane < 3; ++plane)
        EmitGridPlane(grid, plane, out);
    float box[6];
    grid.Box(box);
    if (insideClip) {
        ScenePrimitive lines = Primitive(PrimitiveKind::Lines, 1, kBlack);
        for (int a = 0; a < 3; ++a) {
            float p[3] = {node[0], node[1], node[2]}, q[3] = {node[0], node[1], node[2]};
            p[a] = box[2 * a];
            q[a] = box[2 * a + 1];
            lines.Add(p);
            lines.Add(q);
        }
        Outlined(lines, 3, 1, out);
    }
    EmitAxisCross(box, out);
}

void EmitSegmentsOutlined(std::span<const float> segments, SceneOverlay& out)
{
    ScenePrimitive lines = Primitive(PrimitiveKind::Lines, 1, kBlack);
    for (std::size_t s = 0; s + 6 <= segments.size(); s += 6) {
        lines.Add(&segments[s]);
        lines.Add(&segments[s + 3]);
    }
    if (!lines.vertices.empty())
        Outlined(lines, 3, 1, out);
}

void EmitSpanOverlay(const OverlayGrid& grid, int axis, const float span[6], SceneOverlay& out)
{
    EmitAxisGridPlanes(grid, axis, out);
    OutlinedBox(span, out);
    EmitAxisCross(span, out);
}

void EmitCoordinatesOverlay(const OverlayGrid& grid, int axis, const float span[6], const float origin[3],
                            SceneOverlay& out)
{
    EmitAxisGridPlanes(grid, axis, out);
    float box[6];
    grid.Box(box);
    bool inside = true;
    ScenePrimitive planes = Primitive(PrimitiveKind::Lines, 1, kGridPlaneColour);
    for (int a = 0; a < 3; ++a) {
        if (origin[a] < box[2 * a] || origin[a] > box[2 * a + 1]) {
            inside = false;
            continue;
        }
        const int u = (a + 1) % 3, v = (a + 2) % 3;
        // The plane's outline across the view box...
        static constexpr int kLoop[5][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}};
        for (int n = 0; n < 4; ++n) {
            float p[3], q[3];
            p[a] = q[a] = origin[a];
            p[u] = box[2 * u + kLoop[n][0]];
            p[v] = box[2 * v + kLoop[n][1]];
            q[u] = box[2 * u + kLoop[n + 1][0]];
            q[v] = box[2 * v + kLoop[n + 1][1]];
            planes.Add(p);
            planes.Add(q);
        }
        // ...and its two lines through the origin.
        for (int d : {u, v}) {
            const int e = d == u ? v : u;
            float p[3], q[3];
            p[a] = q[a] = origin[a];
            p[e] = q[e] = origin[e];
            p[d] = box[2 * d];
            q[d] = box[2 * d + 1];
            planes.Add(p);
            planes.Add(q);
        }
    }
    if (!planes.vertices.empty())
        out.push_back(std::move(planes));
    OutlinedBox(span, out);
    if (inside)
        AxisLinesThrough(origin, box, out);
}

void EmitNorthDisplay(const NorthDisplay& north, SceneOverlay& out)
{
    double distance = 0.0;
    for (int k = 0; k < 3; ++k)
        distance += (north.focus[k] - north.eye[k]) * (north.focus[k] - north.eye[k]);
    const double r = std::tan(north.viewAngle / 2 * kDegree) * std::sqrt(distance) * 0.5;
    const float(&f)[3][3] = north.frame;
    auto at = [&](const double d[3], double scale, float p[3]) {
        for (int k = 0; k < 3; ++k)
            p[k] = static_cast<float>(north.focus[k] + scale * d[k]);
    };

    // The disc in the horizontal plane, one colour on each side.
    ScenePrimitive top = Primitive(PrimitiveKind::Triangles, 1, RGB(0, 0, 128));
    ScenePrimitive below = Primitive(PrimitiveKind::Triangles, 1, RGB(192, 192, 255));
    for (ScenePrimitive* p : {&top, &below}) {
        p->lit = true;
        for (int k = 0; k < 3; ++k)
            p->normal[k] = f[2][k];
    }
    for (int n = 0; n < 24; ++n) {
        float rim[2][3];
        for (int e = 0; e < 2; ++e) {
            const double t = (n + e) * 15.0 * kDegree;
            const double d[3] = {std::cos(t) * f[0][0] + std::sin(t) * f[1][0],
                                 std::cos(t) * f[0][1] + std::sin(t) * f[1][1],
                                 std::cos(t) * f[0][2] + std::sin(t) * f[1][2]};
            at(d, r, rim[e]);
        }
        // North to west turns about up: clockwise seen from above is the
        // other way round.
        top.Add(north.focus);
        top.Add(rim[1]);
        top.Add(rim[0]);
        below.Add(north.focus);
        below.Add(rim[0]);
        below.Add(rim[1]);
    }
    out.push_back(std::move(top));
    out.push_back(std::move(below));

    // The sun's paths of midwinter, the equinox and midsummer.
    auto skyPoint = [&](double altitude, double azimuth, float p[3]) {
        double d[3];
        SunDirection(f, altitude, azimuth, d);
        at(d, r, p);
    };
    if (north.sunPath)
        for (int day : {355, 79, 172}) {
            std::vector<ScenePrimitive> strips;
            float last[3] = {};
            north.sunPath(day, [&](double a0, double z0, double a1, double z1) {
                float p[3], q[3];
                skyPoint(a0, z0, p);
                skyPoint(a1, z1, q);
                if (strips.empty() || p[0] != last[0] || p[1] != last[1] || p[2] != last[2]) {
                    strips.push_back(Primitive(PrimitiveKind::LineStrip, 4, kBlack));
                    strips.back().Add(p);
                }
                strips.back().Add(q);
                std::copy(q, q + 3, last);
            });
            for (const ScenePrimitive& s : strips)
                out.push_back(s);
            for (ScenePrimitive& s : strips) {
                s.width = 2;
                s.colour = RGB(255, 255, 0);
                out.push_back(std::move(s));
            }
        }

    // The sun now.
    if (north.sunUp) {
        float p[3];
        skyPoint(north.sunAltitude, north.sunAzimuth, p);
        ScenePrimitive dot = Primitive(PrimitiveKind::Points, 20, kBlack);
        dot.smooth = true;
        dot.Add(p);
        out.push_back(dot);
        dot.width = 18;
        dot.colour = RGB(255, 255, 0);
        out.push_back(std::move(dot));
    }

    // The site's axes (north red, west green, up blue), the north one with
    // an arrow head.
    ScenePrimitive white = Primitive(PrimitiveKind::Lines, 4, kWhite);
    ScenePrimitive axes[3];
    for (int a = 0; a < 3; ++a) {
        axes[a] = Primitive(PrimitiveKind::Lines, 2, kAxisColour[a]);
        const double d[3] = {f[a][0], f[a][1], f[a][2]};
        float tip[3];
        at(d, r, tip);
        axes[a].Add(north.focus);
        axes[a].Add(tip);
        if (a == 0)
            for (double side : {-1.0, 1.0}) {
                const double head[3] = {0.85 * f[0][0] + side * 0.08 * f[1][0],
                                        0.85 * f[0][1] + side * 0.08 * f[1][1],
                                        0.85 * f[0][2] + side * 0.08 * f[1][2]};
                float p[3];
                at(head, r, p);
                axes[a].Add(tip);
                axes[a].Add(p);
            }
        white.vertices.insert(white.vertices.end(), axes[a].vertices.begin(), axes[a].vertices.end());
    }
    out.push_back(std::move(white));
    for (ScenePrimitive& a : axes)
        out.push_back(std::move(a));
}

} // namespace gelmar
