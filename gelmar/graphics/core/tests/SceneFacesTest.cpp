// The 3D view's surfaces as triangles: winding and normals seen from the
// solid's outside, which faces are drawn in which colour, the highlight of a
// selected span, the transparent drawing order, and the colour bands of the
// result surfaces against linear fields (areas and colours from the field's
// formula, not from the code).
#include "gelmar/graphics/core/SceneFaces.h"

#include "PictureFixture.h"
#include "gelmar/graphics/core/ValueReadout.h"
#include "gelmar/model/store/ViewState.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace gelmar::test {
namespace {

struct Triangle {
    double p[3][3];
    double n[3];
    COLORREF colour;
    int alpha;
};

std::vector<Triangle> Triangles(const TriangleMesh& mesh)
{
    std::vector<Triangle> out;
    for (std::size_t v = 0; v + 3 <= mesh.VertexCount(); v += 3) {
        Triangle t{};
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 3; ++k)
                t.p[c][k] = mesh.positions[3 * (v + c) + k];
        for (int k = 0; k < 3; ++k)
            t.n[k] = mesh.normals[3 * v + k];
        const std::uint8_t* rgba = &mesh.colours[4 * v];
        t.colour = RGB(rgba[0], rgba[1], rgba[2]);
        t.alpha = rgba[3];
        out.push_back(t);
    }
    return out;
}

void Cross(const Triangle& t, double out[3])
{
    double a[3], b[3];
    for (int k = 0; k < 3; ++k) {
        a[k] = t.p[1][k] - t.p[0][k];
        b[k] = t.p[2][k] - t.p[0][k];
    }
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

double Area(const Triangle& t)
{
    double c[3];
    Cross(t, c);
    return 0.5 * std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
}

void Centroid(const Triangle& t, double c[3])
{
    for (int k = 0; k < 3; ++k)
        c[k] = (t.p[0][k] + t.p[1][k] + t.p[2][k]) / 3;
}

class SceneFacesTest : public PictureTest {
  protected:
    TriangleMesh Faces(ViewKind kind, const FaceHighlight& h = {})
    {
        TriangleMesh mesh;
        EmitBlockFaces(engine.model, kind, h, 255, {}, engine.view.faces, mesh);
        return mesh;
    }
};

TEST_F(SceneFacesTest, FacesAreClockwiseFromOutsideWithOutwardNormals)
{
    Grid({1, 2, 0.5f}, {1.5f, 1}, {2});
    Material(1, 1.0f, RGB(200, 120, 80));
    Block(1, 0, 3, 0, 2, 0, 1);
    Build();
    const auto tris = Triangles(Faces(ViewKind::Materials));
    ASSERT_EQ(tris.size(), 12u);
    const double centre[3] = {1.75, 1.25, 1.0};
    double area = 0;
    for (const Triangle& t : tris) {
        double c[3], g[3];
        Cross(t, c);
        Centroid(t, g);
        // Clockwise seen from the side the normal points to.
        EXPECT_LT(c[0] * t.n[0] + c[1] * t.n[1] + c[2] * t.n[2], 0.0);
        EXPECT_GT((g[0] - centre[0]) * t.n[0] + (g[1] - centre[1]) * t.n[1] + (g[2] - centre[2]) * t.n[2],
                  0.0);
        EXPECT_EQ(t.colour, RGB(200, 120, 80));
        EXPECT_EQ(t.alpha, 255);
        area += Area(t);
    }
    EXPECT_NEAR(area, 2 * (3.5 * 2.5 + 3.5 * 2 + 2.5 * 2), 1e-5);
}

TEST_F(SceneFacesTest, NoFaceBetweenShownMaterialsInAnyKind)
{
    Grid(Uniform(2, 1), Uniform(1, 1), Uniform(1, 1));
    Material(1, 1.0f, RGB(255, 0, 0));
    Material(2, 1.0f, RGB(0, 0, 255));
    Block(1, 0, 1, 0, 1, 0, 1);
    Block(2, 1, 2, 0, 1, 0, 1);
    Build();
    for (ViewKind kind : {ViewKind::Materials, ViewKind::Transparent, ViewKind::BoundaryConditions}) {
        const auto tris = Triangles(Faces(kind));
        EXPECT_EQ(tris.size(), 20u) << static_cast<int>(kind);
        for (const Triangle& t : tris)
            EXPECT_FALSE(t.p[0][0] == 1 && t.p[1][0] == 1 && t.p[2][0] == 1) << static_cast<int>(kind);
    }
    // A material hidden in the Clip Colours table uncovers the face.
    engine.model.colours[2].clipShow = 0;
    int shared = 0;
    for (const Triangle& t : Triangles(Faces(ViewKind::Materials)))
        if (t.p[0][0] == 1 && t.p[1][0] == 1 && t.p[2][0] == 1) {
            ++shared;
            EXPECT_EQ(t.n[0], 1.0);
            EXPECT_EQ(t.colour, RGB(255, 0, 0));
        }
    EXPECT_EQ(shared, 4); // the red block's face and the hidden block's, both for the red side
}

TEST_F(SceneFacesTest, BcViewColoursFacesByWhatLiesInFront)
{
    Grid(Uniform(3, 1), Uniform(1, 1), Uniform(1, 1));
    Material(1, 1.0f, RGB(200, 120, 80));
    Colour(2, BC_SIMPL);
    SetDisplayColour(engine.model.colours[2], 255, 0, 0);
    Colour(3, BC_FREE);
    SetDisplayColour(engine.model.colours[3], 0, 128, 255);
    Block(2, 0, 1, 0, 1, 0, 1);
    Block(1, 1, 2, 0, 1, 0, 1);
    Block(3, 2, 3, 0, 1, 0, 1);
    Build();
    std::map<int, COLORREF> byNormal; // +-1 x, +-2 y, +-3 z
    for (const Triangle& t : Triangles(Faces(ViewKind::BoundaryConditions))) {
        int key = 0;
        for (int k = 0; k < 3; ++k)
            if (t.n[k] != 0)
                key = t.n[k] > 0 ? k + 1 : -(k + 1);
        // Only the material's surface: between x = 1 and x = 2.
        for (const auto& p : t.p)
            EXPECT_TRUE(p[0] >= 1 && p[0] <= 2);
        if (byNormal.count(key)) {
            EXPECT_EQ(byNormal[key], t.colour) << key;
        }
        byNormal[key] = t.colour;
    }
    EXPECT_EQ(byNormal[-1], RGB(255, 0, 0));
    EXPECT_EQ(byNormal[1], RGB(0, 128, 255));
    for (int key : {2, -2, 3, -3})
        EXPECT_EQ(byNormal[key], kUncoveredFaceColour) << key;
    // A hidden boundary colour leaves its face uncovered.
    engine.model.colours[3].clipShow = 0;
    for (const Triangle& t : Triangles(Faces(ViewKind::BoundaryConditions))) {
        if (t.n[0] > 0) {
            EXPECT_EQ(t.colour, kUncoveredFaceColour);
        }
    }
}

TEST_F(SceneFacesTest, TheSelectedSpanIsLightened)
{
    EXPECT_EQ(HighlightColour(RGB(0, 100, 255)), RGB(159, 196, 255));
    Grid(Uniform(4, 1), Uniform(1, 1), Uniform(1, 1));
    Material(1, 1.0f, RGB(0, 100, 255));
    Block(1, 0, 4, 0, 1, 0, 1);
    Build();
    struct Case {
        int lo, hi;
        double lightArea, plainArea;
    } cases[] = {
        {1, 2, 4.0, 14.0}, // one interval: a band around the block
        {0, 4, 18.0, 0.0}, // everything, both ends included
        {4, 4, 1.0, 17.0}, // a line: only the end face in its plane
        {5, 6, 0.0, 18.0}, // beyond the block
    };
    for (const Case& c : cases) {
        double light = 0, plain = 0;
        for (const Triangle& t : Triangles(Faces(ViewKind::Materials, {true, 0, c.lo, c.hi}))) {
            double g[3];
            Centroid(t, g);
            const bool inside = g[0] >= c.lo && g[0] <= c.hi;
            EXPECT_EQ(t.colour, inside ? RGB(159, 196, 255) : RGB(0, 100, 255)) << c.lo;
            (inside ? light : plain) += Area(t);
        }
        EXPECT_NEAR(light, c.lightArea, 1e-6) << c.lo;
        EXPECT_NEAR(plain, c.plainArea, 1e-6) << c.lo;
    }
}

TEST_F(SceneFacesTest, TransparentFacesSortFarthestFirstAndParallelOnesFirstOfAll)
{
    Grid(Uniform(3, 1), Uniform(2, 1), Uniform(1, 1));
    Material(1, 1.0f, RGB(10, 20, 30));
    Block(1, 0, 1, 0, 2, 0, 1);
    Block(1, 2, 3, 0, 2, 0, 1);
    Build();
    // Looking along -x from in front of +x: no y or z component.
    const float eye[3] = {10, 1, 0.5f}, focus[3] = {1.5f, 1, 0.5f + 1e-7f};
    std::vector<std::int32_t> order;
    SortTransparentFaces(engine.model, eye, focus, engine.view.faces, order);
    ASSERT_EQ(order.size(), static_cast<std::size_t>(engine.view.faces.count));
    std::size_t parallel = 0;
    while (parallel < order.size() && FaceOrientation(engine.view.faces.faces[order[parallel]]) >= 2)
        ++parallel;
    EXPECT_EQ(parallel, 8u); // the y and z faces of both blocks come first
    double last = 1e30;
    for (std::size_t n = parallel; n < order.size(); ++n) {
        const FaceRecord& f = engine.view.faces.faces[order[n]];
        ASSERT_LT(FaceOrientation(f), 2);
        const double x = GridLineCoordinate(engine.model, 0, f.bounds[0]);
        EXPECT_LE(eye[0] - x, last); // nearer planes later
        last = eye[0] - x;
    }
    // Drawn in that order with the alpha given.
    TriangleMesh mesh;
    EmitBlockFaces(engine.model, ViewKind::Transparent, {}, 128, order, engine.view.faces, mesh);
    for (const Triangle& t : Triangles(mesh))
        EXPECT_EQ(t.alpha, 128);
}

TEST_F(SceneFacesTest, TriangleBandsCoverTheTriangleByValue)
{
    // v = x on the right triangle (0,0)-(1,0)-(0,1): the area with x in
    // [a, b] is (b - a) - (b^2 - a^2) / 2.
    auto areaBetween = [](double a, double b) {
        a = std::clamp(a, 0.0, 1.0), b = std::clamp(b, 0.0, 1.0);
        return (b - a) - (b * b - a * a) / 2;
    };
    struct Case {
        double shift, lower, upper, inc;
    } cases[] = {
        {0.0, 0.0, 1.0, 0.25},                        // four bands
        {0.1, 0.0, 1.0, 0.25},                        // levels not on the corners
        {5.0, 0.0, 1.0, 0.25},                        // all above: out of range only
        {-5.0, 0.0, 1.0, 0.25}, {0.0, 0.3, 0.6, 0.1}, // below, three bands, above
    };
    const float normal[3] = {0, 0, 1};
    for (const Case& c : cases) {
        const kernels::BandVertex corners[3] = {
            {0, 0, 0, c.shift}, {1, 0, 0, 1 + c.shift}, {0, 1, 0, c.shift}};
        TriangleMesh mesh;
        EmitTriangleBands(corners, normal, {c.lower, c.upper, c.inc}, scale, mesh);
        std::map<COLORREF, double> area;
        for (const Triangle& t : Triangles(mesh)) {
            double g[3], cr[3];
            Centroid(t, g);
            Cross(t, cr);
            EXPECT_GE(cr[2], 0.0); // the triangle's own winding is kept
            area[t.colour] += Area(t);
            if (Area(t) < 1e-12)
                continue;
            const double v = g[0] + c.shift;
            const COLORREF expected =
                v < c.lower || v > c.upper
                    ? common::kOutsideScaleColour
                    : common::ValueToColour(
                          scale, static_cast<float>((std::floor((v + 1e-9) / c.inc) * c.inc - c.lower) /
                                                    (c.upper - c.lower)));
            EXPECT_EQ(t.colour, expected) << c.shift << " " << v;
        }
        double total = 0;
        for (const auto& [colour, a] : area)
            total += a;
        EXPECT_NEAR(total, 0.5, 1e-6); // float vertices
        if (c.shift == 0.0 && c.lower == 0.0) {
            for (int b = 0; b < 4; ++b)
                EXPECT_NEAR(area[common::ValueToColour(scale, b * 0.25f)],
                            areaBetween(b * 0.25, b * 0.25 + 0.25), 1e-6);
        }
        if (std::fabs(c.shift) == 5.0) {
            EXPECT_EQ(area.size(), 1u);
        }
    }
}

TEST_F(SceneFacesTest, ResultSurfacesMergeUniformAreasAndColourBandsByTheField)
{
    Grid(Uniform(8, 0.5f), Uniform(6, 0.5f), Uniform(4, 0.5f));
    Material(1, 1.0f, RGB(128, 128, 128));
    Block(1, 0, 8, 0, 6, 0, 4);
    Build();
    const kernels::ValueRange range{0.0, 10.0, 1.0};
    const double surface = 2 * (4 * 3 + 4 * 2 + 3 * 2);

    // A field inside one band: every face is one quad.
    SetTemperatures([](double, double, double) { return 5.5; });
    TriangleMesh mesh;
    EmitResultSurfaces(engine.model, LoadedTemperatures(engine.model, engine.run.work), range, scale,
                       engine.view.faces, mesh);
    EXPECT_EQ(Triangles(mesh).size(), 12u);

    // Wholly above the range: one quad a face as well, in the out-of-range colour.
    SetTemperatures([](double, double, double) { return 12.0; });
    mesh.Clear();
    EmitResultSurfaces(engine.model, LoadedTemperatures(engine.model, engine.run.work), range, scale,
                       engine.view.faces, mesh);
    EXPECT_EQ(Triangles(mesh).size(), 12u);
    for (const Triangle& t : Triangles(mesh))
        EXPECT_EQ(t.colour, common::kOutsideScaleColour);

    // A linear field: the bands follow it, they tile the surface, and cells
    // away from band limits merge.
    auto field = [](double x, double y, double z) { return 1.3 + 0.45 * x + 0.1 * y - 0.05 * z; };
    SetTemperatures(field);
    mesh.Clear();
    EmitResultSurfaces(engine.model, LoadedTemperatures(engine.model, engine.run.work), range, scale,
                       engine.view.faces, mesh);
    const auto tris = Triangles(mesh);
    double area = 0;
    for (const Triangle& t : tris) {
        area += Area(t);
        if (Area(t) < 1e-9)
            continue;
        double g[3];
        Centroid(t, g);
        const double v = field(g[0], g[1], g[2]);
        EXPECT_EQ(t.colour, common::ValueToColour(scale, static_cast<float>(std::floor(v) / 10.0))) << v;
    }
    EXPECT_NEAR(area, surface, 1e-4);
    // Fewer triangles than drawing every cell with its bands gives.
    TriangleMesh cells;
    for (int f = 0; f < engine.view.faces.count; ++f) {
        const FaceFrame frame = FaceFrameOf(engine.model, engine.view.faces.faces[f], true);
        const FaceRecord& face = engine.view.faces.faces[f];
        for (int a = face.bounds[2 * frame.u]; a < face.bounds[2 * frame.u + 1]; ++a)
            for (int b = face.bounds[2 * frame.v]; b < face.bounds[2 * frame.v + 1]; ++b) {
                float c[4][3];
                RectCorners(frame, GridLineCoordinate(engine.model, frame.u, a),
                            GridLineCoordinate(engine.model, frame.u, a + 1),
                            GridLineCoordinate(engine.model, frame.v, b),
                            GridLineCoordinate(engine.model, frame.v, b + 1), c);
                kernels::BandVertex w[4];
                for (int n = 0; n < 4; ++n)
                    w[n] = {c[n][0], c[n][1], c[n][2], field(c[n][0], c[n][1], c[n][2])};
                const kernels::BandVertex first[3] = {w[0], w[1], w[2]}, second[3] = {w[0], w[2], w[3]};
                EmitTriangleBands(first, frame.normal, range, scale, cells);
                EmitTriangleBands(second, frame.normal, range, scale, cells);
            }
    }
    EXPECT_LT(tris.size(), Triangles(cells).size());
}

TEST_F(SceneFacesTest, PreviewFacesFollowTheMaterialColoursOnly)
{
    Grid(Uniform(3, 1), Uniform(1, 1), Uniform(1, 1));
    Material(2, 1.0f, RGB(0, 0, 255));
    Material(1, 1.0f, RGB(255, 0, 0));
    Colour(3, BC_SIMPL);
    Block(2, 0, 1, 0, 1, 0, 1);
    Block(1, 1, 2, 0, 1, 0, 1);
    Block(3, 2, 3, 0, 1, 0, 1);
    engine.model.colours[1].clipShow = 0; // the preview shows every material
    Build();
    TriangleMesh mesh;
    EmitColourFaces(engine.model, engine.view.faces, mesh);
    const auto tris = Triangles(mesh);
    // Both blocks whole (their shared faces too), colour 1 before colour 2.
    ASSERT_EQ(tris.size(), 24u);
    for (std::size_t n = 0; n < tris.size(); ++n)
        EXPECT_EQ(tris[n].colour, n < 12 ? RGB(255, 0, 0) : RGB(0, 0, 255));
}

} // namespace
} // namespace gelmar::test
