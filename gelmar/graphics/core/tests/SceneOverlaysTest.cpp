// The overlays of the 3D views: grid planes, boxes and axis crosses where
// the grid and the boxes put them, the Coordinates overlay around the
// origin, and the North display's disc, sun paths and axes checked against
// the site frame and the sun's altitude.
#include "gelmar/graphics/core/SceneOverlays.h"

#include "gelmar/graphics/core/SunPath.h"
#include "gelmar/model/solar/SunPosition.h"
#include "gelmar/model/store/ModelStore.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace gelmar {
namespace {

const std::vector<float> kX = {1, 3, 4}, kY = {2, 5}, kZ = {1};

OverlayGrid Grid()
{
    OverlayGrid g;
    g.coords[0] = kX, g.coords[1] = kY, g.coords[2] = kZ;
    g.lo[0] = 0, g.hi[0] = 3;
    g.lo[1] = 1, g.hi[1] = 2;
    g.lo[2] = 0, g.hi[2] = 1;
    return g;
}

// Every segment of the primitives of a given width and colour.
std::set<std::vector<float>> Segments(const SceneOverlay& overlay, float width, COLORREF colour)
{
    std::set<std::vector<float>> out;
    for (const ScenePrimitive& p : overlay) {
        if (p.width != width || p.colour != colour)
            continue;
        const std::size_t n = p.vertices.size() / 3;
        const bool strip = p.kind == PrimitiveKind::LineStrip;
        for (std::size_t v = 0; v + 1 < n; v += strip ? 1 : 2) {
            std::vector<float> a(&p.vertices[3 * v], &p.vertices[3 * v + 3]);
            std::vector<float> b(&p.vertices[3 * v + 3], &p.vertices[3 * v + 6]);
            if (b < a)
                std::swap(a, b);
            a.insert(a.end(), b.begin(), b.end());
            out.insert(a);
        }
    }
    return out;
}

TEST(SceneOverlaysTest, GridPlanesLieOnTheViewBoxsLowerSides)
{
    const OverlayGrid grid = Grid();
    float box[6];
    grid.Box(box);
    EXPECT_EQ(std::vector<float>(box, box + 6), (std::vector<float>{0, 4, 2, 5, 0, 1}));
    struct Case {
        int plane;
        int fixedAxis;
        std::size_t lines;
    } cases[] = {{0, 2, 4 + 2}, {1, 1, 4 + 2}, {2, 0, 2 + 2}};
    for (const Case& c : cases) {
        SceneOverlay overlay;
        EmitGridPlane(grid, c.plane, overlay);
        ASSERT_EQ(overlay.size(), 1u);
        const ScenePrimitive& p = overlay[0];
        EXPECT_EQ(p.kind, PrimitiveKind::Lines);
        EXPECT_EQ(p.colour, kGridPlaneColour);
        EXPECT_EQ(p.vertices.size(), 6 * c.lines) << c.plane;
        for (std::size_t v = c.fixedAxis; v < p.vertices.size(); v += 3)
            EXPECT_EQ(p.vertices[v], box[2 * c.fixedAxis]);
    }
    // The planes that contain an axis.
    const int contains[3][2] = {{2, 1}, {2, 0}, {1, 0}}; // constant axis of each plane drawn
    for (int axis = 0; axis < 3; ++axis) {
        SceneOverlay overlay;
        EmitAxisGridPlanes(grid, axis, overlay);
        ASSERT_EQ(overlay.size(), 2u);
        for (int n = 0; n < 2; ++n)
            for (std::size_t v = contains[axis][n]; v < overlay[n].vertices.size(); v += 3)
                EXPECT_EQ(overlay[n].vertices[v], box[2 * contains[axis][n]]) << axis;
    }
}

TEST(SceneOverlaysTest, SelectionBoxIsTheBoxWhiteThenBlackWithItsAxisCross)
{
    const float box[6] = {1, 3, 2, 5, 0, 1};
    SceneOverlay overlay;
    EmitSelectionBox(box, overlay);
    const auto white = Segments(overlay, 3, RGB(255, 255, 255));
    const auto black = Segments(overlay, 1, RGB(0, 0, 0));
    EXPECT_EQ(white.size(), 12u);
    EXPECT_EQ(white, black);
    for (const auto& s : white)
        for (int e = 0; e < 2; ++e)
            for (int k = 0; k < 3; ++k)
                EXPECT_TRUE(s[3 * e + k] == box[2 * k] || s[3 * e + k] == box[2 * k + 1]);
    // The cross: along each axis from the lower corner to the box's far side.
    const COLORREF colours[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    EXPECT_EQ(Segments(overlay, 4, RGB(255, 255, 255)).size(), 3u);
    for (int a = 0; a < 3; ++a) {
        const auto s = Segments(overlay, 2, colours[a]);
        ASSERT_EQ(s.size(), 1u);
        std::vector<float> expected = {box[0], box[2], box[4], box[0], box[2], box[4]};
        expected[3 + a] = box[2 * a + 1];
        EXPECT_EQ(*s.begin(), expected);
    }
}

TEST(SceneOverlaysTest, NodeMarkerCrossesTheViewBoxOnlyForANodeInsideTheClipBox)
{
    const OverlayGrid grid = Grid();
    const float node[3] = {3, 2, 1};
    for (bool inside : {true, false}) {
        SceneOverlay overlay;
        EmitNodeMarker(grid, node, inside, overlay);
        const auto lines = Segments(overlay, 1, RGB(0, 0, 0));
        EXPECT_EQ(lines.size(), inside ? 3u : 0u);
        for (const auto& s : lines) {
            int along = 0;
            for (int k = 0; k < 3; ++k)
                if (s[k] != s[3 + k])
                    along = k;
            for (int k = 0; k < 3; ++k) {
                if (k != along) {
                    EXPECT_EQ(s[k], node[k]);
                }
            }
        }
    }
}

TEST(SceneOverlaysTest, CoordinatesOverlayDrawsTheOriginsPlanesAndAxes)
{
    const OverlayGrid grid = Grid(); // view box x 0..4, y 2..5, z 0..1
    const float span[6] = {0, 1, 2, 5, 0, 1};
    struct Case {
        float origin[3];
        std::size_t planeSegments; // grey lines through the origin's planes
        bool axes;
    } cases[] = {
        {{1, 3, 0.5f}, 3 * 6, true},  // inside: three planes, each outline and two lines
        {{9, 3, 0.5f}, 2 * 6, false}, // outside on x: the y and z planes only
        {{9, 9, 9}, 0, false},
    };
    for (const Case& c : cases) {
        SceneOverlay overlay;
        EmitCoordinatesOverlay(grid, 0, span, c.origin, overlay);
        // The x axis's grid planes (x-y, x-z) come first, the origin's planes after.
        std::size_t grey = 0;
        for (std::size_t n = 2; n < overlay.size(); ++n)
            if (overlay[n].colour == kGridPlaneColour)
                grey += overlay[n].vertices.size() / 6;
        EXPECT_EQ(grey, c.planeSegments);
        EXPECT_EQ(Segments(overlay, 2, RGB(255, 0, 0)).size(), c.axes ? 1u : 0u);
        EXPECT_EQ(Segments(overlay, 3, RGB(255, 255, 255)).size(), 12u); // the span's box
    }
}

TEST(SceneOverlaysTest, NorthDisplayShowsEachSideOfTheDiscAndOnlyTheSkyAboveTheHorizon)
{
    ModelStore model;
    model.latitude = 50.78f;
    model.longitude = 4.37f;
    model.timeZone = 1.0f;
    NorthDisplay north;
    north.eye[0] = 10, north.eye[1] = 0, north.eye[2] = 6;
    north.focus[0] = 1, north.focus[1] = 1, north.focus[2] = 0;
    north.viewAngle = 40;
    ComputeSiteFrame(30, 10, -20, north.frame);
    north.sunUp = true;
    north.sunAltitude = 35, north.sunAzimuth = 10;
    north.sunPath = [&model](int day, const std::function<void(double, double, double, double)>& visit) {
        ForEachSunPathStep(model, day, 23.0f, 1.0f, 25, visit);
    };
    SceneOverlay overlay;
    EmitNorthDisplay(north, overlay);

    const double distance = std::sqrt(81.0 + 1.0 + 36.0);
    const double r = std::tan(20.0 * 3.14159265358979323846 / 180.0) * distance * 0.5;
    const float* up = north.frame[2];
    auto relative = [&](const float* p, double d[3]) {
        for (int k = 0; k < 3; ++k)
            d[k] = p[k] - north.focus[k];
    };
    int discs = 0, paths = 0, points = 0;
    for (const ScenePrimitive& p : overlay) {
        if (p.kind == PrimitiveKind::Triangles) {
            ++discs;
            ASSERT_EQ(p.vertices.size(), 24u * 9);
            EXPECT_TRUE(p.lit);
            for (std::size_t t = 0; t < p.vertices.size(); t += 9) {
                double a[3], b[3];
                relative(&p.vertices[t + 3], a);
                relative(&p.vertices[t + 6], b);
                const double cross[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                                         a[0] * b[1] - a[1] * b[0]};
                const double facing = cross[0] * up[0] + cross[1] * up[1] + cross[2] * up[2];
                // Clockwise from above for the top colour, from below for the other.
                EXPECT_EQ(facing < 0, p.colour == RGB(0, 0, 128));
                EXPECT_NEAR(std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]), r, 1e-5);
            }
        } else if (p.kind == PrimitiveKind::LineStrip) {
            ++paths;
            for (std::size_t v = 0; v < p.vertices.size(); v += 3) {
                double d[3];
                relative(&p.vertices[v], d);
                EXPECT_NEAR(std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]), r, 1e-4);
                EXPECT_GE((d[0] * up[0] + d[1] * up[1] + d[2] * up[2]) / r, -1e-5);
            }
        } else if (p.kind == PrimitiveKind::Points) {
            ++points;
            EXPECT_TRUE(p.smooth);
            double d[3];
            relative(p.vertices.data(), d);
            const double height = (d[0] * up[0] + d[1] * up[1] + d[2] * up[2]) / r;
            EXPECT_NEAR(height, std::sin(35.0 * 3.14159265358979323846 / 180.0), 1e-5);
        }
    }
    EXPECT_EQ(discs, 2);
    EXPECT_EQ(paths, 2 * 3); // each day's path black and yellow, one piece each at 50 degrees N
    EXPECT_EQ(points, 2);

    north.sunUp = false;
    overlay.clear();
    EmitNorthDisplay(north, overlay);
    for (const ScenePrimitive& p : overlay)
        EXPECT_NE(p.kind, PrimitiveKind::Points);
}

} // namespace
} // namespace gelmar
