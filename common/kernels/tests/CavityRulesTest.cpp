// CEN cavity values over explicit inputs: the emissivities of a name, the
// rule on a known air temperature, the floor of the temperature difference,
// and a cavity measured in a raster.
#include "common/kernels/CavityRules.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kernels {
namespace {

TEST(CavityRules, EmissivitiesOfAName)
{
    struct Case {
        const char* name;
        bool found;
        double e1, e2;
    };
    for (const Case& c : {Case{"e1=0.05 e2=2", true, 0.05f, 1.0}, Case{"e1=0.90  e2=0.20", true, 0.9f, 0.2f},
                          Case{"e1=0 e2=0.5 window", true, 0.001, 0.5}, Case{"cavity", false, 0.9, 0.9},
                          Case{"e1=0.5", false, 0.9, 0.9}, Case{" e1=0.5 e2=0.5", false, 0.9, 0.9},
                          Case{"e1=0.5 e3=0.5", false, 0.9, 0.9}}) {
        SCOPED_TRACE(c.name);
        double e1 = 0, e2 = 0;
        EXPECT_EQ(CavityEmissivities(c.name, e1, e2), c.found);
        EXPECT_EQ(e1, c.e1);
        EXPECT_EQ(e2, c.e2);
    }
}

TEST(CavityRules, CoefficientsOfTheRules)
{
    CavityInput in;
    in.conRule = true;
    in.temperatures = CavityTemperatureDifference(true, 20, 12, 19);
    EXPECT_EQ(in.temperatures.deltaT, 8.0);
    const double con = 2 * 0.73 * std::pow(8.0, 1.0 / 3.0);
    EXPECT_DOUBLE_EQ(ComputeCavityCoefficient(in).value, con);
    // A negative difference counts as none; a floor lifts a small one.
    in.temperatures.deltaT = -1e10;
    EXPECT_EQ(ComputeCavityCoefficient(in).value, 0.0);
    in.temperatures.deltaT = 0.01;
    in.deltaTFloor = 0.1;
    EXPECT_DOUBLE_EQ(ComputeCavityCoefficient(in).value, 2 * 0.73 * std::pow(0.1, 1.0 / 3.0));

    // A free cavity 20 mm thick: narrower than 5 mm across takes C1/d alone.
    CavityInput free;
    free.rule = 1;
    free.temperatures = {10, 10};
    free.size = {0.02, 0.004};
    EXPECT_DOUBLE_EQ(ComputeCavityCoefficient(free).value, 2 * 0.025 / 0.02);
    free.size.b = 1;
    EXPECT_DOUBLE_EQ(ComputeCavityCoefficient(free).value, 2 * std::max(0.025 / 0.02, 0.73 * std::cbrt(10.0)));
}

TEST(CavityRules, CavityMeasuredInARaster)
{
    // An L-shaped cavity of colour 3: cells (0,0,0), (1,0,0), (0,1,0), the
    // others colour 1; widths x 0.1 0.3, y 0.2 0.2 0.2, z 1; grid unit 0.5.
    std::vector<std::uint16_t> cells = {3, 3, 3, 1, 1, 1};
    const CellGrid grid{2, 3, 1, cells};
    const std::vector<float> wx = {0.1f, 0.3f}, wy = {0.2f, 0.2f, 0.2f}, wz = {1.0f};
    const CellWidths widths = {wx, wy, wz};
    const double v = 0.1 * 0.2 + 0.3 * 0.2 + 0.1 * 0.2;
    const double s = std::sqrt(v / (0.4 * 0.4 * 1.0));
    const CavitySize size = MeasureColourCavity(grid, widths, 0.5, 3, 1); // CEN_Xy: d along x, b along y
    EXPECT_NEAR(size.d, s * 0.4 * 0.5, 1e-7);
    EXPECT_NEAR(size.b, s * 0.4 * 0.5, 1e-7);
    EXPECT_NEAR(MeasureColourCavity(grid, widths, 0.5, 3, 5).d, s * 1.0 * 0.5, 1e-7); // CEN_Zx: d along z
    EXPECT_EQ(MeasureColourCavity(grid, widths, 0.5, 7, 1).d, 0.0);
    EXPECT_EQ(MeasureColourCavity(grid, widths, 0.5, 3, 0).d, 0.0);
    // Across y (rule 1) the low side borders the grid's end, the high side
    // colour 1 beyond the cell (0,1): adiabatic only when colour 1 is.
    EXPECT_EQ(CountAdiabaticCavitySides(grid, 3, 1, [](int) { return false; }), 1);
    EXPECT_EQ(CountAdiabaticCavitySides(grid, 3, 1, [](int c) { return c == 1; }), 2);
}

} // namespace
} // namespace kernels
