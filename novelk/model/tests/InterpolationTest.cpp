// Values inside projected quads and band colours.
#include "novelk/model/values/Interpolation.h"

#include "ModelFixture.h"

#include <cmath>

namespace novelk::test {
namespace {

// The plane t = 2 + 3x - y over a unit-sized quad.
double Plane(double x, double y)
{
    return 2 + 3 * x - y;
}

QuadCorner Corner(double x, double y)
{
    return QuadCorner{x, y, static_cast<float>(Plane(x, y))};
}

TEST(Interpolation, PlanarQuadsGiveThePlaneValue)
{
    // Counter-clockwise on screen for the graphic output, clockwise for the 3D view.
    const QuadCorner ccw[4] = {Corner(0, 0), Corner(10, 0), Corner(10, 10), Corner(0, 10)};
    const QuadCorner cw[4] = {ccw[0], ccw[3], ccw[2], ccw[1]};
    for (const auto& [px, py] : {std::pair{3, 7}, std::pair{5, 5}, std::pair{2, 2}, std::pair{10, 10},
                                 std::pair{0, 4}, std::pair{7, 3}}) {
        // (5, 5), (2, 2) lie on a diagonal: in two or more triangles, their mean.
        EXPECT_NEAR(InterpolateQuadValue(px, py, ccw, Winding::CounterClockwise), Plane(px, py), 1e-9);
        EXPECT_NEAR(InterpolateQuadValue(px, py, cw, Winding::Clockwise), Plane(px, py), 1e-9);
    }
    EXPECT_NEAR(InterpolateInTriangle(4, 1, ccw[0], ccw[1], ccw[2]), Plane(4, 1), 1e-9);
}

TEST(Interpolation, OutsideTheQuadTheNearestEdge)
{
    QuadCorner q[4] = {{0, 0, 1}, {10, 0, 3}, {10, 10, 5}, {0, 10, 7}};
    // Below edge 12: the values of corners 1 and 2 weighted by the other's distance.
    const double d1 = std::hypot(3, 1), d2 = std::hypot(7, 1);
    EXPECT_NEAR(InterpolateQuadValue(3, -1, q, Winding::CounterClockwise), (1 * d2 + 3 * d1) / (d1 + d2),
                1e-9);
    // Right of edge 23 at its middle.
    EXPECT_NEAR(InterpolateQuadValue(12, 5, q, Winding::CounterClockwise), 4, 1e-9);
    // Equally far from every edge (all corners at one point): edge 41.
    QuadCorner point[4] = {{5, 5, 1}, {5, 5, 2}, {5, 5, 3}, {5, 5, 4}};
    EXPECT_NEAR(InterpolateQuadValue(9, 9, point, Winding::CounterClockwise), 2.5, 1e-9);
    EXPECT_EQ(InterpolateQuadValue(5, 5, point, Winding::Clockwise), 4); // no division by zero
}

TEST(Interpolation, BandColours)
{
    struct Case {
        float value, inc1, inc2;
        COLORREF colour;
    } cases[] = {
        {0, 1, 5, RGB(0, 255, 0)},
        {1, 1, 5, RGB(0, 255, 255)},
        {5, 1, 5, RGB(255, 0, 255)},
        {4, 1, 5, RGB(0, 255, 0)},
        {6, 1, 5, RGB(255, 0, 0)},
        {10, 1, 5, RGB(0, 255, 0)},
        // -3 + 0.5 = -2.5, shifted by 10: 7.5 -> bands 7 and 1.
        {-3, 1, 5, RGB(255, 0, 255)},
        {-0.4f, 1, 5, RGB(0, 255, 0)},
        {-25, 1, 5, RGB(255, 0, 255)},
        {1e30f, 1, 5, RGB(0, 255, 0)},
        {3, 0, 5, RGB(0, 255, 0)},
        {3, 1, -5, RGB(0, 255, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BandColourOfValue(c.value, c.inc1, c.inc2), c.colour) << c.value;
}

using FaceValueTest = ModelTest;

TEST_F(FaceValueTest, CellsOfAFaceInTheView)
{
    // A z-max face over 2 x 3 cells, seen from above: screen x = 10 x, y = 10 y
    // (clockwise corners on screen once ordered); node values t = i + 10 j.
    SetUnitGrid(2, 3, 1);
    FaceRecord face;
    face.flags = 5;
    const std::uint16_t bounds[6] = {0, 2, 0, 3, 1, 1};
    std::copy(bounds, bounds + 6, face.bounds);
    const ProjectPointFn project = [](float x, float y, float) { return ScreenPoint{10.0 * x, 10.0 * y}; };
    const NodeValueFn value = [](int i, int j, int) { return static_cast<float>(i + 10 * j); };
    // Cell 4: x runs outside, y inside: cells (0,0) (0,1) (0,2) (1,0) (1,1) (1,2).
    EXPECT_NEAR(*InterpolateFaceValue(15, 5, face, 3, model, project, value), 1.5 + 5, 1e-9);
    EXPECT_NEAR(*InterpolateFaceValue(12, 17, face, 4, model, project, value), 1.2 + 17, 1e-9);
    // A mirrored projection runs the corners the other way: the same values.
    const ProjectPointFn mirrored = [](float x, float y, float) { return ScreenPoint{-10.0 * x, 10.0 * y}; };
    EXPECT_NEAR(*InterpolateFaceValue(-15, 5, face, 3, model, mirrored, value), 6.5, 1e-9);
    EXPECT_FALSE(InterpolateFaceValue(15, 5, face, 6, model, project, value));
    face.flags = 6;
    EXPECT_FALSE(InterpolateFaceValue(15, 5, face, 0, model, project, value));
}

} // namespace
} // namespace novelk::test
