// Surface and cavity rules after the CEN method, and the zone flood fill.
#include "gelmar/model/calc/SurfaceRules.h"

#include "CalcModel.h"

#include <cmath>

namespace gelmar::test {
namespace {

class SurfaceRulesTest : public CalcEngineTest {};

TEST_F(SurfaceRulesTest, SurfaceRulesSetTheirCoefficient)
{
    SetGrid(Uniform(1, 1), Uniform(1, 1), Uniform(1, 1));
    ColourRecord& s = Colour(1, BC_FRE_S);
    s.rule = 2; // HI_REDUC
    s.hGlobal = 7.7f;
    Block(1, 0, 1, 0, 1, 0, 1);
    EXPECT_EQ(ApplySurfaceRules(engine.model, engine.run, 0), 1);
    EXPECT_EQ(s.hGlobal, 5.0f);
    EXPECT_EQ(ApplySurfaceRules(engine.model, engine.run, 0), 0);
    s.rule = 3; // HE
    EXPECT_EQ(ApplySurfaceRules(engine.model, engine.run, 0), 1);
    EXPECT_EQ(s.hGlobal, 25.0f);
    EXPECT_FALSE(HasRuleColours(engine.model)); // surface rules need no recomputation
}

TEST_F(SurfaceRulesTest, NarrowCavityTakesTheConductionTerm)
{
    // A free cavity 20 mm across x and 4 mm wide along y (CEN_Xy_I).
    SetGrid({0.02f}, {0.004f}, {1.0f});
    ColourRecord& cavity = Colour(1, BC_FREE);
    cavity.rule = 1;
    Block(1, 0, 1, 0, 1, 0, 1);
    EXPECT_TRUE(HasRuleColours(engine.model));
    const CavitySize size = CavityDimensions(engine.model, engine.run, 1, 1);
    EXPECT_NEAR(size.d, 0.02, 1e-7);
    EXPECT_NEAR(size.b, 0.004, 1e-7);
    ApplySurfaceRules(engine.model, engine.run, 0);
    // h_a = C1 / d, doubled for the cavity's two surfaces.
    EXPECT_NEAR(cavity.hConvective, 2 * 0.025 / 0.02, 1e-5);
    EXPECT_TRUE(CavityCoefficientChanged(engine.run));
}

TEST_F(SurfaceRulesTest, EquivalentConductivityOfAnAirLayer)
{
    // A 50 mm air layer 1 m wide, heat flow along x, closed by the grid's
    // ends along y (both sides adiabatic: infinitely wide).
    SetGrid({0.05f}, {1.0f}, {1.0f});
    ColourRecord& air = Colour(1, EQUIMAT);
    air.rule = 1;
    air.name = "e1=0.05 e2=2";
    Block(1, 0, 1, 0, 1, 0, 1);
    EXPECT_EQ(CountAdiabaticSides(engine.model, engine.run, 1, 1), 2);
    ApplySurfaceRules(engine.model, engine.run, 0);
    const double d = double(0.05f), dT = 10, t = 283.16;
    const double ha = std::max(0.025 / d, 0.73 * std::pow(dT, double(0.333333f)));
    const double e = 1 / (1 / 0.05 + 1 / 1.0 - 1); // e2 clamped to 1
    const double expected = (2.268e-7 * t * t * t / (1 / e + 1 / 1.0 - 1) + ha) * d;
    EXPECT_NEAR(air.lambda, expected, 1e-6);

    // Default emissivities 0.9 and an exterior rule doubling the result.
    air.name = "cavity";
    air.rule = 7;
    ApplySurfaceRules(engine.model, engine.run, 0);
    const double e9 = 1 / (1 / 0.9 + 1 / 0.9 - 1);
    EXPECT_NEAR(air.lambda, 2 * (2.268e-7 * t * t * t / (1 / e9 + 1 / 1.0 - 1) + ha) * d, 1e-5);
}

TEST_F(SurfaceRulesTest, OneAdiabaticSideDoublesTheWidth)
{
    SetGrid({0.05f}, {0.5f, 0.5f}, {1.0f});
    ColourRecord& air = Colour(1, EQUIMAT);
    air.rule = 1;
    Colour(2, MATERIAL);
    Block(1, 0, 1, 0, 1, 0, 1);
    Block(2, 0, 1, 1, 2, 0, 1);
    EXPECT_EQ(CountAdiabaticSides(engine.model, engine.run, 1, 1), 1);
    ApplySurfaceRules(engine.model, engine.run, 0);
    const double d = double(0.05f), b = 2 * 0.5, t = 283.16, r = d / b;
    const double ha = std::max(0.025 / d, 0.73 * std::pow(10.0, double(0.333333f)));
    const double f = (std::sqrt(r * r + 1) + 1 - r) / 2;
    const double e9 = 1 / (1 / 0.9 + 1 / 0.9 - 1);
    EXPECT_NEAR(air.lambda, (2.268e-7 * t * t * t / (1 / e9 + 1 / f - 1) + ha) * d, 1e-6);
}

TEST_F(SurfaceRulesTest, RecomputedAirLayerMatchesItsOwnTemperatureDifference)
{
    // 20 °C | 0.1 m brick | 50 mm air layer | 0.1 m brick | 0 °C; with ccen
    // the cycles of the step recompute the layer from its temperatures.
    SetGrid({1, 0.05f, 0.05f, 0.05f, 0.05f, 0.05f, 1}, {1}, {1});
    Surface(1, 20, 8);
    Surface(2, 0, 25);
    Colour(3, MATERIAL, 0.9f);
    ColourRecord& air = Colour(4, EQUIMAT);
    air.rule = 1;
    Block(1, 0, 1, 0, 1, 0, 1);
    Block(3, 1, 3, 0, 1, 0, 1);
    Block(4, 3, 4, 0, 1, 0, 1);
    Block(3, 4, 6, 0, 1, 0, 1);
    Block(2, 6, 7, 0, 1, 0, 1);
    engine.model.recalcCen = 1;
    engine.model.cycles = 40;
    ASSERT_TRUE(Run());
    const double dT = air.resultMax - air.resultMin, tm = (air.resultMax + air.resultMin) / 2 + 273.16;
    EXPECT_GT(dT, 1.0);
    EXPECT_LT(dT, 10.0);
    const double d = double(0.05f);
    const double ha = std::max(0.025 / d, 0.73 * std::pow(dT, double(0.333333f)));
    const double e9 = 1 / (1 / 0.9 + 1 / 0.9 - 1);
    EXPECT_NEAR(air.lambda, (2.268e-7 * tm * tm * tm / (1 / e9 + 1 / 1.0 - 1) + ha) * d, 2e-4);
}

TEST_F(SurfaceRulesTest, FloodFillRecoloursOneConnectedRegion)
{
    SetGrid(Uniform(4, 1), Uniform(3, 1), Uniform(2, 1));
    Colour(1, MATERIAL);
    Colour(2, MATERIAL);
    Block(1, 0, 4, 0, 3, 0, 2);
    Block(2, 1, 2, 0, 3, 0, 2); // splits colour 1 into two regions
    Block(2, 3, 4, 2, 3, 1, 2); // one cell of colour 2 on its own
    RasteriseBlocks(engine.model, engine.run);
    std::vector<std::uint8_t> visited;
    std::vector<std::int64_t> stack;
    FloodFillColourZone(engine.model, engine.run, 2, 0, 0, 1, 9, visited, stack);
    for (int j = 0; j < 3; ++j)
        for (int k = 0; k < 2; ++k) {
            EXPECT_EQ(GetCellColour(engine.model, engine.run.work, 0, j, k), 1);
            EXPECT_EQ(GetCellColour(engine.model, engine.run.work, 2, j, k), 9);
        }
    EXPECT_EQ(GetCellColour(engine.model, engine.run.work, 3, 0, 0), 9);
    EXPECT_EQ(GetCellColour(engine.model, engine.run.work, 3, 2, 1), 2);
    const std::uint16_t box[6] = {2, 3, 0, 2, 0, 1};
    EXPECT_TRUE(std::equal(box, box + 6, engine.model.colours[9].cellBox));

    visited.assign(visited.size(), 0);
    FloodFillColourZone(engine.model, engine.run, 3, 2, 1, 2, 8, visited, stack);
    EXPECT_EQ(GetCellColour(engine.model, engine.run.work, 3, 2, 1), 8);
    EXPECT_EQ(GetCellColour(engine.model, engine.run.work, 1, 0, 0), 2);
    const std::uint16_t one[6] = {3, 3, 2, 2, 1, 1};
    EXPECT_TRUE(std::equal(one, one + 6, engine.model.colours[8].cellBox));
}

} // namespace
} // namespace gelmar::test
