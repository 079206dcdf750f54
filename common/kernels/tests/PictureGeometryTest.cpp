// The picture matrix and the pixel geometry: the inverse against products
// with the forward matrix, the Liang-Barsky test's cases, the triangle
// tests, and quad values against the plane they lie on.
#include "common/kernels/picture/PictureGeometry.h"

#include "common/kernels/picture/PictureMatrix.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace kernels {
namespace {

TEST(PictureMatrix, InverseUndoesTheForwardMatrixOfRandomCameras)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-3.0, 3.0);
    for (int trial = 0; trial < 200; ++trial) {
        double m[16];
        for (double& v : m)
            v = u(rng);
        PictureMatrix matrix;
        ASSERT_TRUE(matrix.SetForward(m));
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) {
                double sum = 0.0;
                for (int k = 0; k < 4; ++k)
                    sum += matrix.Forward()[r * 4 + k] * matrix.Inverse()[k * 4 + c];
                EXPECT_NEAR(sum, r == c ? 1.0 : 0.0, 1e-9);
            }
        // A projected point comes back at its depth.
        const double x = u(rng), y = u(rng), z = u(rng);
        double px, py, depth, bx, by, bz;
        matrix.Project(x, y, z, px, py, depth);
        if (std::fabs(m[12] * x + m[13] * y + m[14] * z + m[15]) < 1e-3)
            continue;
        matrix.Unproject(px, py, depth, bx, by, bz);
        EXPECT_NEAR(bx, x, 1e-6);
        EXPECT_NEAR(by, y, 1e-6);
        EXPECT_NEAR(bz, z, 1e-6);
    }
}

TEST(PictureMatrix, PivotingHandlesAZeroLeadingEntryAndASingularMatrixIsRefused)
{
    // A permutation: no inverse without row exchanges.
    const double permutation[16] = {0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 0};
    double inverse[16];
    ASSERT_TRUE(InvertMatrix4(permutation, inverse));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(inverse[i], permutation[i]); // its own inverse

    const double singular[16] = {1, 2, 3, 4, 2, 4, 6, 8, 0, 1, 0, 0, 0, 0, 0, 1};
    PictureMatrix matrix;
    EXPECT_FALSE(matrix.SetForward(singular));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(matrix.Inverse()[i], 0.0);
}

TEST(PictureMatrix, APointOnTheEyePlaneStaysFinite)
{
    // w = z: the point z = 0 lies on the eye plane.
    const double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 1, 0, 0, 1, 0};
    PictureMatrix matrix;
    matrix.SetForward(m);
    double px, py, depth;
    matrix.Project(1.0, 1.0, 0.0, px, py, depth);
    EXPECT_TRUE(std::isfinite(px) && std::isfinite(py) && std::isfinite(depth));
    EXPECT_GT(std::fabs(px), 1e9);
}

TEST(ClipParameterTest, CasesOfTheConstraintPTimesTBelowQ)
{
    struct Case {
        double tIn, tOut, p, q;
        bool accepted;
        double newIn, newOut;
    };
    const Case cases[] = {
        {0, 1, 0, 0, true, 0, 1},        // p = 0, q = 0 counts as inside
        {0, 1, 0, -1, false, 0, 1},      // p = 0, q < 0: parallel and outside
        {0, 1, 1, 0, false, 0, 1},       // p > 0, q = 0 rejects
        {0, 1, 2, 1, true, 0, 0.5},      // exit at 0.5
        {0, 1, 2, 3, true, 0, 1},        // q >= p: no change
        {0.5, 1, 2, 1, false, 0.5, 1},   // exit at the entry: rejected
        {0, 1, -2, -1, true, 0.5, 1},    // entry at 0.5
        {0, 1, -2, -2, false, 0, 1},     // q <= p: wholly outside
        {0, 0.5, -2, -1, false, 0, 0.5}, // entry at the exit: rejected
        {0, 1, -2, 1, true, 0, 1},       // q >= 0 with p < 0: unchanged
    };
    for (const Case& c : cases) {
        ClipInterval interval{c.tIn, c.tOut};
        EXPECT_EQ(ClipParameterTest(interval, c.p, c.q), c.accepted) << c.p << " " << c.q;
        if (c.accepted) {
            EXPECT_DOUBLE_EQ(interval.tIn, c.newIn);
            EXPECT_DOUBLE_EQ(interval.tOut, c.newOut);
        }
    }
}

TEST(PictureGeometry, TrianglesCountTheirEdgesAndRejectDegenerateOnes)
{
    // (0,0) -> (0,10) -> (10,0) is the turning the clockwise test takes
    // (edge values <= 0); the reverse order is the counter-clockwise one.
    EXPECT_TRUE(PointInTriangleCW(2, 2, 0, 0, 0, 10, 10, 0));
    EXPECT_TRUE(PointInTriangleCW(5, 5, 0, 0, 0, 10, 10, 0)); // on the long edge
    EXPECT_TRUE(PointInTriangleCW(0, 0, 0, 0, 0, 10, 10, 0)); // at a corner
    EXPECT_FALSE(PointInTriangleCW(6, 6, 0, 0, 0, 10, 10, 0));
    EXPECT_FALSE(PointInTriangleCW(2, 2, 0, 0, 10, 0, 0, 10));
    EXPECT_TRUE(PointInTriangleCCW(2, 2, 0, 0, 10, 0, 0, 10));
    EXPECT_FALSE(PointInTriangleCCW(6, 6, 0, 0, 10, 0, 0, 10));
    EXPECT_FALSE(PointInTriangleCW(1, 1, 0, 0, 1, 1, 2, 2));
    EXPECT_FALSE(PointInTriangleCCW(1, 1, 0, 0, 1, 1, 2, 2));

    const QuadCorner a{0, 0, 1.0f}, b{10, 0, 21.0f}, c{0, 10, -9.0f};
    EXPECT_FLOAT_EQ(InterpolateInTriangle(3, 4, a, b, c), 1.0f + 2.0f * 3 - 1.0f * 4);
}

// Corners of a projected quad with values of the plane v = 1 + 2x - 3y.
void PlaneQuad(QuadCorner q[4], const double xy[4][2])
{
    for (int n = 0; n < 4; ++n)
        q[n] = {xy[n][0], xy[n][1], static_cast<float>(1.0 + 2.0 * xy[n][0] - 3.0 * xy[n][1])};
}

TEST(PictureGeometry, QuadValuesLieOnThePlaneAndPixelsOnTheDiagonalAverageBothTriangles)
{
    const double xy[4][2] = {{0, 0}, {20, 2}, {22, 18}, {1, 20}};
    QuadCorner q[4];
    PlaneQuad(q, xy);
    OrderQuadCornersClockwise(q);
    for (int py = 3; py <= 17; py += 2)
        for (int px = 3; px <= 17; px += 2) {
            const float v = ValueInQuad(px, py, q, true);
            EXPECT_NEAR(v, 1.0 + 2.0 * px - 3.0 * py, 1e-3) << px << "," << py;
        }
    // The counter-clockwise order reads the same plane.
    QuadCorner r[4] = {q[0], q[3], q[2], q[1]};
    EXPECT_NEAR(ValueInQuad(7, 9, r, false), 1.0 + 14 - 27, 1e-3);

    // A non-planar quad: a pixel on the diagonal c0-c2 lies in all four
    // triangles; the mean of their (different) plane values comes back.
    QuadCorner s[4] = {{0, 0, 0.0f}, {10, 0, 10.0f}, {10, 10, 0.0f}, {0, 10, 10.0f}};
    const float t012 = InterpolateInTriangle(5, 5, s[0], s[1], s[2]);
    const float t123 = InterpolateInTriangle(5, 5, s[1], s[2], s[3]);
    EXPECT_FLOAT_EQ(ValueInQuad(5, 5, s, false),
                    (t012 + t123 + InterpolateInTriangle(5, 5, s[2], s[3], s[0]) +
                     InterpolateInTriangle(5, 5, s[3], s[0], s[1])) /
                        4.0f);
}

TEST(PictureGeometry, OutsideEveryTriangleTheNearestEdgeGivesTheValue)
{
    QuadCorner q[4] = {{0, 0, 0.0f}, {10, 0, 10.0f}, {10, 10, 20.0f}, {0, 10, 30.0f}};
    // Below edge c0-c1 at x = 2: weights by the other corner's distance.
    const double d0 = std::hypot(2.0, 3.0), d1 = std::hypot(8.0, 3.0);
    EXPECT_NEAR(ValueInQuad(2, -3, q, true), (0.0 * d1 + 10.0 * d0) / (d0 + d1), 1e-5);
    // Equal distance sums to all four edges (the centre of a degenerate
    // quad whose corners all sit at one point): the edge c3-c0 decides.
    QuadCorner p[4] = {{5, 5, 1.0f}, {5, 5, 2.0f}, {5, 5, 3.0f}, {5, 5, 4.0f}};
    EXPECT_FLOAT_EQ(ValueInQuad(0, 0, p, true), (4.0f + 1.0f) / 2.0f);
}

TEST(PictureGeometry, QuadOutlineCountsItsBorderAsInside)
{
    // The turning of the picture polygons (right, then down on the screen).
    const float corners[4][2] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_TRUE(PointInPicturePolygon(5, 5, corners));
    EXPECT_TRUE(PointInPicturePolygon(0, 5, corners));
    EXPECT_TRUE(PointInPicturePolygon(10, 10, corners));
    EXPECT_FALSE(PointInPicturePolygon(10.5f, 5, corners));
    EXPECT_FALSE(PointInPicturePolygon(5, -0.5f, corners));
}

} // namespace
} // namespace kernels
