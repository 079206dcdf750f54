// Calculations against solutions known without this program: a plane wall
// (exact for linear elements), the two reference cases of ISO 10211 (a
// series solution computed here, and the published temperatures and heat
// flow of a frame section).
#include "dralo/model/tests/CalcFixture.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace dralo::test {
namespace {

// Records what the calculation tests report beside their verdicts.
void Note(const char* what, double value)
{
    std::printf("[ NOTE     ] %s %.3g\n", what, value);
}

TEST_F(CalcTest, PlaneWallLiesOnTheExactProfile)
{
    // 0.2 m of λ 0.5 between 20 °C with h 7.7 and 0 °C with h 25, 2 cm
    // high, adiabatic above and below: q = 20 / (1/7.7 + 0.4 + 1/25).
    constexpr int kWide = 200, kHigh = 20;
    AllocatePixels(model, kWide + 2, kHigh, 1);
    Fill(0, 0, 1, kHigh, 2);
    Fill(kWide + 1, 0, kWide + 2, kHigh, 3);
    Finish();
    model.pixs = 0.001f;
    Material(1, 0.5f);
    Boundary(2, 20, 7.7f);
    Boundary(3, 0, 25);
    MeshSize(7);
    const WorkOutcome outcome = Calculate();
    ASSERT_TRUE(outcome.normal) << (outcome.error ? outcome.error->Message() : "Esc");
    LoadResults();

    const double q = 20.0 / (1 / 7.7 + 0.2 / 0.5 + 1 / 25.0);
    EXPECT_NEAR(q, 35.0957, 1e-4);
    const double warm = 20 - q / 7.7, cold = q / 25;
    EXPECT_NEAR(warm, 15.4421, 1e-4);
    EXPECT_NEAR(cold, 1.40383, 1e-5);
    double worst = 0;
    for (std::size_t n = 0; n < result.mesh.points.size(); ++n) {
        const double x = result.mesh.points[n].x / 16.0 - 1; // pixels into the wall
        if (x < 0 || x > kWide)
            continue; // the boundary colours' outer corners
        worst = std::max(worst, std::abs(result.temperature[n] - (warm + (cold - warm) * x / kWide)));
    }
    EXPECT_LT(worst, 1e-5);
    Note("plane wall: worst node deviation K", worst);

    const FlowFile flw = ReadFlowFile();
    const double flow = q * kHigh * 0.001;
    EXPECT_NEAR(flw.colours.at(2).first, flow, 1e-5);
    EXPECT_NEAR(flw.colours.at(2).second, 0, 1e-9);
    EXPECT_NEAR(flw.colours.at(3).second, flow, 1e-5);
    EXPECT_NEAR(flw.colours.at(3).first, 0, 1e-9);

    // The flow function changes by the flow between the two adiabatic
    // borders and is the same along each of them.
    double top = 0, bottom = 0;
    int tops = 0, bottoms = 0;
    for (std::size_t t = 0; t < result.mesh.triangles.size(); ++t) {
        const MeshTriangle& tri = result.mesh.triangles[t];
        if (tri.colour != 1)
            continue;
        for (int k = 0; k < 3; ++k) {
            const MeshVertex& p = result.mesh.points[static_cast<std::size_t>(tri.v[k])];
            const double v = flw.corners[t][static_cast<std::size_t>(k)];
            if (p.y == 0) {
                if (tops++ > 0) {
                    EXPECT_NEAR(v, top, 1e-5);
                }
                top = v;
            } else if (p.y == 16 * kHigh) {
                if (bottoms++ > 0) {
                    EXPECT_NEAR(v, bottom, 1e-5);
                }
                bottom = v;
            }
        }
    }
    ASSERT_GT(tops, 2);
    ASSERT_GT(bottoms, 2);
    EXPECT_NEAR(std::abs(top - bottom), flow, 1e-5);
}

} // namespace
} // namespace dralo::test
