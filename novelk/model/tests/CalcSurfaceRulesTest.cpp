// The surface and cavity rules of the colours: fixed surface coefficients,
// the equivalent conductivity of an air cavity against EN ISO 10077-2
// worked by hand, the choices of the emissivities, widths and temperature
// differences, a calculation that recomputes a cavity from its own
// temperatures, and the saturation vapour pressure against table values.
#include "CalcFixture.h"
#include "novelk/model/calc/SurfaceRules.h"
#include "novelk/model/store/ColourQueries.h"

#include <cmath>

namespace novelk::test {
namespace {

class CalcSurfaceRulesTest : public CalcTest {
  protected:
    // An EQUIMAT cavity 20 mm (x) by 100 mm (y) by 1 m (z) in mm cells,
    // material on its four sides across x and y.
    void Cavity(int rule, const char* name)
    {
        SetGrid({10, 20, 10}, {10, 100, 10}, {1000});
        model.gridUnit = 0.001f;
        Material(1, 1.0f);
        SetColour(14, EQUIMAT, 0.5f);
        model.colours[14].rule = rule;
        model.colours[14].name = name;
        AddBlock(1, 0, 3, 0, 3, 0, 1);
        AddBlock(14, 1, 2, 1, 2, 0, 1);
        RasteriseBlocks(model, run, calcHost);
    }
    bool Apply(bool results = false) { return ApplySurfaceRules(model, run, calcHost, false, results); }
};

TEST_F(CalcSurfaceRulesTest, SurfaceRulesSetTheirCoefficientOnce)
{
    SetUnitGrid(1, 1, 1);
    Surface(10, 20, 7.7f);
    model.colours[10].rule = 2; // HI_REDUC
    SetColour(6, BC_FRE_S, 1, 0, 1.0f);
    model.colours[6].rule = 3; // HE
    AddBlock(10, 0, 1, 0, 1, 0, 1);
    EXPECT_TRUE(Apply());
    EXPECT_EQ(model.colours[10].hGlobal, 5.0f);
    EXPECT_EQ(model.colours[6].hGlobal, 25.0f);
    EXPECT_FALSE(run.cenValuesCurrent);
    EXPECT_EQ(std::count(calcHost.calls.begin(), calcHost.calls.end(), "colours"), 1);
    EXPECT_FALSE(Apply());
    EXPECT_TRUE(run.cenValuesCurrent);
    EXPECT_FALSE(HasLongWaveColours(model)); // surface rules need no recomputing cycles
}

TEST_F(CalcSurfaceRulesTest, EquivalentConductivityByHand)
{
    // EN ISO 10077-2: h_a = max(C1/d, C2 dT^(1/3)) with dT 10 K; h_r =
    // 4 sigma Tm^3 / (1/e1 + 1/e2 - 2 + 2 / (1 + sqrt(1 + d^2/b^2) - d/b))
    // with Tm 283.16 K; lambda_eq = d (h_a + h_r):
    // h_a = 1.57274, h_r = 3.89723, lambda_eq = 0.109399 W/(m K).
    Cavity(1, "");
    EXPECT_TRUE(Apply());
    EXPECT_NEAR(model.colours[14].lambda, 0.1093994, 2e-6);
    EXPECT_TRUE(run.cenWithoutResults);
    // The same value from the name's default emissivities; the exterior
    // rule (CEN_Xy_E) doubles it.
    model.colours[14].name = "e1=0.9 e2=0.9";
    EXPECT_FALSE(Apply());
    model.colours[14].rule = 7;
    EXPECT_TRUE(Apply());
    EXPECT_NEAR(model.colours[14].lambda, 2 * 0.1093994, 4e-6);
    // e1 = 0.05 and e2 = 2 (taken as 1.0): lambda_eq = 0.0365785.
    model.colours[14].rule = 1;
    model.colours[14].name = "e1=0.05 e2=2";
    EXPECT_TRUE(Apply());
    EXPECT_NEAR(model.colours[14].lambda, 0.0365785, 2e-6);
}

TEST_F(CalcSurfaceRulesTest, WidthsAndSidesOfTheCavity)
{
    // Heat flow along y (CEN_Yx_I): d = 100 mm, b = 20 mm; along x the
    // cavity is closed by material, so no side is adiabatic.
    Cavity(3, "");
    const kernels::CavitySize size = MeasureColourCavity(model, run, 14);
    EXPECT_NEAR(size.d, 0.1, 1e-7);
    EXPECT_NEAR(size.b, 0.02, 1e-7);
    EXPECT_EQ(CountAdiabaticCavitySides(model, run, 14), 0);
    // Both sides across x adiabatic boundaries (h and flux 0): F = 1, as
    // for an infinitely wide cavity.
    Surface(11, 0, 0);
    model.blocks[0].colour = 11;
    RasteriseBlocks(model, run, calcHost);
    EXPECT_EQ(CountAdiabaticCavitySides(model, run, 14), 2);
    Apply();
    const double ha = std::max(0.025 / 0.1, 0.73 * std::pow(10.0, double(0.333333f)));
    const double hr = 4 * 5.67e-8 * std::pow(283.16, 3) / (2 / 0.9 - 2 + 1);
    EXPECT_NEAR(model.colours[14].lambda, (ha + hr) * 0.1, 2e-6);

    // A free cavity narrower than 5 mm across b takes C1/d alone.
    ResetModel(model, defaults);
    SetGrid({20}, {4}, {1000});
    model.gridUnit = 0.001f;
    SetColour(13, BC_FREE);
    model.colours[13].rule = 1;
    AddBlock(13, 0, 1, 0, 1, 0, 1);
    RasteriseBlocks(model, run, calcHost);
    Apply();
    EXPECT_NEAR(model.colours[13].hConvective, 2 * 0.025 / 0.02, 1e-5);
}

TEST_F(CalcSurfaceRulesTest, TemperatureDifferenceOfTheResults)
{
    Cavity(1, "");
    ColourRecord& c = model.colours[14];
    c.lowestTemperature = 4;
    c.highestTemperature = 12;
    Apply(true);
    EXPECT_FALSE(run.cenWithoutResults);
    const double d = 0.02, ha = std::max(0.025 / d, 0.73 * std::pow(8.0, double(0.333333f)));
    const double e = 2 / 0.9 - 2 + 2 / (1 + std::sqrt(1.04) - 0.2);
    EXPECT_NEAR(c.lambda, (ha + 4 * 5.67e-8 * std::pow(281.16, 3) / e) * d, 2e-6);
    // A used colour without cells has no result range: it keeps dtas and
    // never takes a value that is not a number.
    SetColour(13, BC_SKY);
    model.colours[13].rule = 1; // CEN_CON
    Apply(true);
    EXPECT_NEAR(model.colours[13].hConvective, 2 * 0.73 * std::pow(10.0, double(0.333333f)), 1e-5);
    // CEN_CON: the larger distance of the extremes from the air temperature.
    model.colours[13].lowestTemperature = 5;
    model.colours[13].highestTemperature = 8;
    model.colours[13].airTemperature = 7;
    Apply(true);
    EXPECT_NEAR(model.colours[13].hConvective, 2 * 0.73 * std::pow(2.0, double(0.333333f)), 1e-5);
}

TEST_F(CalcSurfaceRulesTest, CyclesRecomputeACavityFromItsTemperatures)
{
    // 20 °C | 100 mm brick | 50 mm air layer (EQUIMAT, CEN_Xy_I) | 100 mm
    // brick | 0 °C: the rules run before every cycle and the last value
    // belongs to the layer's own temperature difference.
    SetGrid({1, 50, 50, 50, 50, 50, 1}, {1000}, {1000});
    model.gridUnit = 0.001f;
    Surface(10, 20, 8);
    Surface(12, 0, 25);
    Material(3, 0.9f);
    SetColour(14, EQUIMAT, 0.5f);
    model.colours[14].rule = 1;
    AddBlock(10, 0, 1, 0, 1, 0, 1);
    AddBlock(3, 1, 3, 0, 1, 0, 1);
    AddBlock(14, 3, 4, 0, 1, 0, 1);
    AddBlock(3, 4, 6, 0, 1, 0, 1);
    AddBlock(12, 6, 7, 0, 1, 0, 1);
    model.calc.recalcCen = 1;
    model.calc.cycles = 40;
    Tight();
    model.calc.maxCycleChange = 1e-7f;
    ASSERT_EQ(Calculate(), "");
    const ColourRecord& air = model.colours[14];
    const double dT = air.highestTemperature - air.lowestTemperature;
    const double tm = (air.highestTemperature + air.lowestTemperature) / 2 + 273.16;
    EXPECT_GT(dT, 1.0);
    EXPECT_LT(dT, 10.0);
    const double d = 0.05, ha = std::max(0.025 / d, 0.73 * std::pow(dT, double(0.333333f)));
    const double hr = 4 * 5.67e-8 * tm * tm * tm / (2 / 0.9 - 2 + 1); // both sides across y beyond the grid
    EXPECT_NEAR(air.lambda, (ha + hr) * d, 2e-4);
    // The derived value belongs to the model: the data file was written.
    EXPECT_NE(ReadBytes("model.nvk").find("colr=14"), std::string::npos);
    EXPECT_TRUE(run.cenValuesCurrent);
}

TEST_F(CalcSurfaceRulesTest, SaturationVapourPressureAgainstTableValues)
{
    struct Case {
        double t, pa;
    };
    for (const Case c : {Case{-10, 259.9}, Case{0, 611.2}, Case{20, 2339.2}, Case{40, 7384.9}, Case{50, 12352},
                         Case{100, 101325}})
        EXPECT_NEAR(SaturationVapourPressure(c.t), c.pa, 0.005 * c.pa) << c.t;
}

} // namespace
} // namespace novelk::test
