// The surface heat flux at a node on a calculated one-dimensional wall of two
// layers between two surface conditions: the series-resistance flux at every
// surface, from either side of the layer interface, and its sum over the
// area of a boundary colour against that colour's heat flow; the flux table
// of radiating faces, and nodes with no conducting cell around them.
#include "gelmar/graphics/core/SurfaceHeatFlux.h"

#include "PictureFixture.h"

namespace gelmar::test {
namespace {

class SurfaceHeatFluxTest : public PictureTest {
  protected:
    void SetUp() override
    {
        PictureTest::SetUp();
        // x: inside air | 2 x 0.1 m, lambda 0.5 | 3 x 0.1 m, lambda 1.5 | outside air.
        Grid(Uniform(7, 0.1f), {0.3f, 0.5f}, {0.2f, 0.4f});
        Material(1, 0.5f, RGB(200, 0, 0));
        Material(2, 1.5f, RGB(0, 200, 0));
        Surface(3, 20.0f, 7.7f);
        Surface(4, 0.0f, 25.0f);
        Block(3, 0, 1, 0, 2, 0, 2);
        Block(1, 1, 3, 0, 2, 0, 2);
        Block(2, 3, 6, 0, 2, 0, 2);
        Block(4, 6, 7, 0, 2, 0, 2);
    }
    // The series resistances of the stored single-precision values.
    static double Q()
    {
        return 20.0 / (1 / double(7.7f) + 2 * double(0.1f) / double(0.5f) + 3 * double(0.1f) / double(1.5f) +
                       1 / double(25.0f));
    }
    float Flux(int i, int j, int k, int orientation)
    {
        return HeatFluxAtSurfaceNode(engine.model, engine.run.work, i, j, k, orientation);
    }
};

TEST_F(SurfaceHeatFluxTest, EverySurfaceOfTheWallCarriesTheSeriesResistanceFlux)
{
    ASSERT_TRUE(Run()) << LastMessage();
    const double q = Q();
    for (int j = 0; j <= 2; ++j)
        for (int k = 0; k <= 2; ++k) {
            // Into the first layer from the inside air: h (T - T0).
            EXPECT_NEAR(Flux(1, j, k, 0), q, 1e-4 * q);
            EXPECT_NEAR(Flux(1, j, k, 0), 7.7f * (20.0 - T(1, j, k)), 1e-4 * q);
            // The layer interface from both sides: lambda dT / d, into the
            // second layer and (negative) into the first.
            EXPECT_NEAR(Flux(3, j, k, 0), 1.5 * (T(3, j, k) - T(6, j, k)) / 0.3, 1e-4 * q);
            EXPECT_NEAR(Flux(3, j, k, 0), q, 1e-4 * q);
            EXPECT_NEAR(Flux(3, j, k, 1), -q, 1e-4 * q);
            // Out of the second layer into the outside air.
            EXPECT_NEAR(Flux(6, j, k, 1), -q, 1e-4 * q);
        }
}

TEST_F(SurfaceHeatFluxTest, TheFluxSummedOverABoundaryColoursAreaIsItsHeatFlow)
{
    ASSERT_TRUE(Run()) << LastMessage();
    const float wy[2] = {0.3f, 0.5f}, wz[2] = {0.2f, 0.4f};
    double inside = 0.0, outside = 0.0;
    for (int j = 0; j <= 2; ++j)
        for (int k = 0; k <= 2; ++k) {
            // The node's share: a quarter of each cell around it.
            double area = 0.0;
            for (int a = j - 1; a <= j; ++a)
                for (int b = k - 1; b <= k; ++b)
                    if (a >= 0 && a < 2 && b >= 0 && b < 2)
                        area += 0.25 * wy[a] * wz[b];
            inside += Flux(1, j, k, 0) * area;
            outside += Flux(6, j, k, 1) * area;
        }
    const double flow = Q() * 0.8 * 0.6;
    EXPECT_NEAR(inside, flow, 1e-4 * flow);
    EXPECT_NEAR(inside, engine.model.colours[3].resultValue1, 1e-4 * flow);
    EXPECT_NEAR(-outside, engine.model.colours[4].resultValue2, 1e-4 * flow);
}

TEST_F(SurfaceHeatFluxTest, RadiatingFacesReadTheFluxTableAndNodesWithoutConductingCellsGiveZero)
{
    engine.model.colours[3].type = BC_FREE;
    engine.model.colours[4].type = TRANSMAT;
    engine.model.colours[4].lambda = 2.0f;
    Build();
    SetTemperatures([](double x, double, double) { return 10.0 - 20.0 * x; });
    // The table keys the inner cell and the orientation; sorted.
    engine.run.work.heatFlows = {
        {1, 0, 0, 0, 11.0f}, {1, 0, 1, 0, 13.0f}, {1, 1, 0, 0, 17.0f}, {1, 1, 1, 0, 19.0f}};
    // Node (1, 1, 1) sits in the middle of the four cells: their areas weigh.
    const double a[4] = {0.3 * 0.2, 0.3 * 0.4, 0.5 * 0.2, 0.5 * 0.4};
    const double expected = (11 * a[0] + 13 * a[1] + 17 * a[2] + 19 * a[3]) / (a[0] + a[1] + a[2] + a[3]);
    EXPECT_NEAR(Flux(1, 1, 1, 0), expected, 1e-5);
    // A transparent solid beyond: conduction on the inner side only.
    EXPECT_NEAR(Flux(6, 1, 1, 1), (10.0 - 20.0 * 0.6 - (10.0 - 20.0 * 0.5)) * 1.5 / 0.1, 1e-3);
    // Inner cells outside the clip box, or not conducting: no flux.
    engine.model.clipLo[0] = 2;
    EXPECT_EQ(Flux(1, 1, 1, 0), 0.0f);
    EXPECT_EQ(Flux(0, 1, 1, 1), 0.0f); // the air side is no solid
}

} // namespace
} // namespace gelmar::test
