// The 3D view's read-out: quad numbering and corner order of face pieces, and
// the value under a pixel against a linear field through an affine camera
// (where interpolation on the screen is exact), read from the loaded results.
#include "gelmar/graphics/core/ValueReadout.h"

#include "gelmar/model/calc/WorkArrays.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace gelmar {
namespace {

class ValueReadoutTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        // Widths 1, 2, 0.5 on x; 1.5, 1 on y; 2 on z.
        const std::vector<float> widths[3] = {{1.0f, 2.0f, 0.5f}, {1.5f, 1.0f}, {2.0f}};
        for (int a = 0; a < 3; ++a) {
            GridAxis& axis = model.axes[a];
            axis.n = static_cast<std::uint16_t>(widths[a].size());
            axis.widths = widths[a];
            float sum = 0.0f;
            for (float w : widths[a])
                axis.coords.push_back(sum += w);
        }
    }
    static float Field(double x, double y, double z)
    {
        return static_cast<float>(3.0 + 2.0 * x - 5.0 * y + z);
    }
    GridPointValue FieldAtGridPoints() const
    {
        return [this](int i, int j, int k) {
            return Field(GridLineCoordinate(model, 0, i), GridLineCoordinate(model, 1, j),
                         GridLineCoordinate(model, 2, k));
        };
    }
    ModelStore model;
};

FaceRecord Face(int orientation, int x1, int x2, int y1, int y2, int z1, int z2)
{
    FaceRecord f;
    f.flags = static_cast<std::uint8_t>(orientation);
    const int b[6] = {x1, x2, y1, y2, z1, z2};
    for (int n = 0; n < 6; ++n)
        f.bounds[n] = static_cast<std::uint16_t>(b[n]);
    return f;
}

TEST_F(ValueReadoutTest, QuadsAreNumberedOuterAxisFirst)
{
    // A z face over x 0..3, y 0..2: quad q is (i = q / 2, j = q % 2).
    const FaceRecord face = Face(4, 0, 3, 0, 2, 0, 0);
    EXPECT_EQ(FaceQuadCount(face), 6);
    kernels::PictureMatrix identity; // pixel = model x, y
    kernels::QuadCorner c[4];
    ASSERT_TRUE(ProjectQuadCorners(identity, model, face, 3, FieldAtGridPoints(), c));
    // Quad 3 is i = 1, j = 1: x from 1 to 3, y from 1.5 to 2.5.
    double xmin = 1e9, xmax = -1e9, ymin = 1e9, ymax = -1e9;
    for (const auto& p : c) {
        xmin = std::min(xmin, p.x), xmax = std::max(xmax, p.x);
        ymin = std::min(ymin, p.y), ymax = std::max(ymax, p.y);
        EXPECT_FLOAT_EQ(p.value, Field(p.x, p.y, 0.0));
    }
    EXPECT_DOUBLE_EQ(xmin, 1.0);
    EXPECT_DOUBLE_EQ(xmax, 3.0);
    EXPECT_DOUBLE_EQ(ymin, 1.5);
    EXPECT_DOUBLE_EQ(ymax, 2.5);
    EXPECT_FALSE(ProjectQuadCorners(identity, model, face, 6, FieldAtGridPoints(), c));
    EXPECT_EQ(ValueAtScreenPoint(identity, model, face, -1, FieldAtGridPoints(), 0, 0), 0.0f);
}

TEST_F(ValueReadoutTest, PixelsOfEveryOrientationReadTheLinearField)
{
    // An affine camera: 40 pixels per unit, turned and shifted, depth = z.
    // Each face orientation is seen from a different side through a camera
    // that looks at its plane.
    struct Case {
        FaceRecord face;
        double forward[16];
    };
    const Case cases[] = {
        {Face(4, 0, 3, 0, 2, 0, 0), {36, -17, 0, 20, 17, 36, 0, 30, 0, 0, 1, 0, 0, 0, 0, 1}},
        {Face(5, 0, 3, 0, 2, 1, 1), {-36, 17, 0, 200, 17, 36, 0, 30, 0, 0, -1, 0, 0, 0, 0, 1}},
        {Face(0, 0, 0, 0, 2, 0, 1), {0, 40, 3, 10, 0, 5, 40, 10, 1, 0, 0, 0, 0, 0, 0, 1}},
        {Face(3, 0, 3, 2, 2, 0, 1), {40, 0, 2, 10, 4, 0, 40, 10, 0, 1, 0, 0, 0, 0, 0, 1}},
    };
    std::mt19937 rng(3);
    for (const Case& c : cases) {
        kernels::PictureMatrix matrix;
        ASSERT_TRUE(matrix.SetForward(c.forward));
        const int axis = FaceOrientation(c.face) / 2;
        const double plane = GridLineCoordinate(model, axis, c.face.bounds[2 * axis]);
        for (int q = 0; q < FaceQuadCount(c.face); ++q) {
            kernels::QuadCorner corners[4];
            ASSERT_TRUE(ProjectQuadCorners(matrix, model, c.face, q, FieldAtGridPoints(), corners));
            // Pixels well inside the quad: blends of its corners.
            std::uniform_real_distribution<double> w(0.2, 0.8);
            for (int trial = 0; trial < 20; ++trial) {
                const double s = w(rng), t = w(rng);
                const double px = (1 - t) * ((1 - s) * corners[0].x + s * corners[1].x) +
                                  t * ((1 - s) * corners[3].x + s * corners[2].x);
                const double py = (1 - t) * ((1 - s) * corners[0].y + s * corners[1].y) +
                                  t * ((1 - s) * corners[3].y + s * corners[2].y);
                const int ix = static_cast<int>(std::lround(px)), iy = static_cast<int>(std::lround(py));
                // Every point of the face's plane has one depth: the model
                // point under the pixel is the unprojection at that depth.
                double px0, py0, depth;
                matrix.Project(plane, plane, plane, px0, py0, depth);
                double best[3];
                matrix.Unproject(ix, iy, depth, best[0], best[1], best[2]);
                best[axis] = plane;
                const float v = ValueAtScreenPoint(matrix, model, c.face, q, FieldAtGridPoints(), ix, iy);
                EXPECT_NEAR(v, Field(best[0], best[1], best[2]), 2e-4)
                    << "orientation " << FaceOrientation(c.face) << " quad " << q;
            }
        }
    }
}

TEST_F(ValueReadoutTest, LoadedTemperaturesReadSolutionAndBoundaryRecords)
{
    WorkArrays work;
    work.rowStride = 4;
    work.layerStride = 12;
    work.nodeIndex.assign(24, -1);
    work.nodeIndex[1 + 2 * 4 + 1 * 12] = 0;  // (1, 2, 1): calculation node 0
    work.nodeIndex[2 + 0 * 4 + 0 * 12] = -2; // (2, 0, 0): the first node BC
    work.solution = {12.5};
    model.nodeBcs.count = 0;
    NodeBcRecord bc;
    bc.temperature = -4.0f;
    model.nodeBcs.Grow(1);
    model.nodeBcs[0] = bc;
    model.nodeBcs.count = 1;
    const GridPointValue t = LoadedTemperatures(model, work);
    EXPECT_EQ(t(1, 2, 1), 12.5f);
    EXPECT_EQ(t(2, 0, 0), -4.0f);
    EXPECT_EQ(t(0, 0, 0), 0.0f);
    EXPECT_EQ(t(9, 0, 0), 0.0f); // outside the grid
}

} // namespace
} // namespace gelmar
