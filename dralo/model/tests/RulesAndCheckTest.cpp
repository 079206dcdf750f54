// The rule-based properties, worked by hand, and the model check.
#include "dralo/model/check/ModelCheck.h"
#include "common/kernels/CavityRules.h"
#include "dralo/model/rules/SurfaceRules.h"
#include "dralo/model/store/Errors.h"
#include "dralo/model/store/Statistics.h"
#include "dralo/model/tests/ModelFixture.h"

#include <cmath>

namespace dralo::test {
namespace {

class RulesTest : public ModelTest {
  protected:
    // A cavity of colour 5, w x h pixels, inside colour 1 (a material) with
    // a border of `border` pixels; 1 mm pixels.
    void Cavity(int w, int h, int border, int rule, int type = EQUIMAT)
    {
        AllocatePixels(model, w + 2 * border, h + 2 * border, 1);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                model.pixels[static_cast<std::size_t>(PixelIndex(model, x + border, y + border))] = 5;
        BuildColourBoundaryEdges(model);
        model.pixs = 0.001f;
        model.colours[5].type = type;
        model.colours[5].rule = rule;
    }
    CavityValues Values(bool withSolution = false, const CavityBoundaryNodes* nodes = nullptr)
    {
        return ComputeCavityConductivity(model, 5, {model.calc.dtas, 10.0}, withSolution, nodes);
    }
};

TEST_F(RulesTest, SurfaceRulesSetTheSurfaceCoefficient)
{
    const std::pair<int, float> rules[] = {{HI_NORML, 7.7f}, {HI_REDUC, 5.0f}, {HE, 25.0f}};
    for (int type : {BC_SIMPL, BC_FRE_S})
        for (const auto& [rule, h] : rules) {
            Draw({"12"});
            model.colours[2].type = type;
            model.colours[2].rule = rule;
            model.colours[2].hglo = 1.0f;
            EXPECT_TRUE(ApplySurfaceRules(model, false));
            EXPECT_EQ(model.colours[2].hglo, h);
            EXPECT_FALSE(ApplySurfaceRules(model, false)) << "a second run changes nothing";
        }
}

TEST_F(RulesTest, EquimatCavityWorkedByHand)
{
    // 20 mm along x, 10 mm high, inside a material, rule 1, no solution:
    // ΔT 10 K, Tm 10 °C, ε 0.9 on both faces.
    Cavity(20, 10, 3, CEN_Xy_I);
    const CavityDimensions dims = ComputeCavityDimensions(model, 5, false, nullptr, 10.0);
    ASSERT_TRUE(dims.valid);
    // The pixel size is a float: the lengths hold to its precision.
    EXPECT_NEAR(dims.b, 0.02, 1e-8);
    EXPECT_NEAR(dims.d, 0.01, 1e-8);
    EXPECT_EQ(CountAdiabaticCavitySides(model, 5), 0);
    const CavityValues v = Values();
    ASSERT_TRUE(v.valid);
    EXPECT_NEAR(v.ha, 1.5727, 5e-5);   // 0.73 * 10^(1/3) beats 0.025 / 0.02
    EXPECT_NEAR(v.hr, 2.6038, 5e-5);   // (sqrt(5) - 1) / 2 * 283.16³ * (1/(2/0.9 - 1)) * 2.268e-7
    EXPECT_NEAR(v.lambda, 0.08353, 5e-6);
    EXPECT_TRUE(ApplySurfaceRules(model, false));
    EXPECT_NEAR(model.colours[5].lamb, 0.08353, 5e-6);
    EXPECT_FALSE(ApplySurfaceRules(model, false));
}

TEST_F(RulesTest, TheYVariantSwapsTheDimensionsAndTheVentilatedVariantDoubles)
{
    Cavity(20, 10, 3, CEN_Yx_I);
    const CavityDimensions y = ComputeCavityDimensions(model, 5, false, nullptr, 10.0);
    EXPECT_NEAR(y.b, std::sqrt(0.0002 * 0.01 / 0.02), 1e-8);
    EXPECT_NEAR(y.d, 0.0002 / y.b, 1e-8);
    Cavity(20, 10, 3, CEN_Xy_I);
    const double internal = Values().lambda;
    model.colours[5].rule = CEN_Xy_E;
    EXPECT_NEAR(Values().lambda, 2 * internal, 1e-8);
}

TEST_F(RulesTest, FaceEmissivitiesFromTheName)
{
    struct Case {
        const char* name;
        double e1, e2;
    };
    const Case cases[] = {{"", 0.9, 0.9},          {"e1=0.5 e2=0.2", 0.5, 0.2}, {"e1=0 e2=2", 0.001, 1.0},
                          {"e1=0.5", 0.9, 0.9},    {"x e1=0.5 e2=0.2", 0.9, 0.9}, {"e1=0.4  e2=0.6 low-e", 0.4, 0.6},
                          {"e1=nan e2=1", 0.9, 0.9}};
    for (const Case& c : cases) {
        double e1 = 0, e2 = 0;
        kernels::CavityEmissivities(c.name, e1, e2);
        EXPECT_NEAR(e1, c.e1, 1e-7) << c.name;
        EXPECT_NEAR(e2, c.e2, 1e-7) << c.name;
    }
    Cavity(20, 10, 3, CEN_Xy_I);
    const double hr = Values().hr;
    model.colours[5].name = "e1=0 e2=2";
    // h_r is proportional to E = 1 / (1/e1 + 1/e2 - 1).
    EXPECT_NEAR(Values().hr / hr, (1.0 / (1 / 0.001 + 1.0 - 1)) / (1.0 / (2 / 0.9 - 1)), 1e-9);
}

TEST_F(RulesTest, AdiabaticSidesOfACavity)
{
    const double tk3 = std::pow(283.16, 3) * (1.0 / (2 / 0.9 - 1)) * 2.268e-7;
    // Touching the top and bottom borders with bsym: both examined sides
    // adiabatic, r = 0.
    Cavity(20, 10, 0, CEN_Xy_I);
    AllocatePixels(model, 24, 10, 1);
    for (int y = 0; y < 10; ++y)
        for (int x = 2; x < 22; ++x)
            model.pixels[static_cast<std::size_t>(PixelIndex(model, x, y))] = 5;
    BuildColourBoundaryEdges(model);
    model.calc.bsym = 1;
    EXPECT_EQ(CountAdiabaticCavitySides(model, 5), 2);
    EXPECT_NEAR(Values().hr, tk3, 1e-9);
    model.calc.bsym = 0;
    EXPECT_EQ(CountAdiabaticCavitySides(model, 5), 0);
    // One side against an adiabatic boundary: d is doubled, r = b / 2d.
    Cavity(20, 10, 3, CEN_Xy_I);
    for (int x = 0; x < 26; ++x)
        model.pixels[static_cast<std::size_t>(PixelIndex(model, x, 2))] = 9;
    model.colours[9].type = BC_SIMPL;
    model.colours[9].hglo = 0;
    BuildColourBoundaryEdges(model);
    EXPECT_EQ(CountAdiabaticCavitySides(model, 5), 1);
    const double r = 0.02 / 0.02;
    EXPECT_NEAR(Values().hr, (std::sqrt(r * r + 1) + 1 - r) / 2 * tk3, 1e-9);
    // Rules other than 1..4 examine no side.
    model.colours[5].rule = CEN_DIR_I;
    EXPECT_EQ(CountAdiabaticCavitySides(model, 5), 0);
}

TEST_F(RulesTest, SolutionTemperatures)
{
    Cavity(20, 10, 3, CEN_Xy_I);
    model.colours[5].lowestTemperature = 4;
    model.colours[5].highestTemperature = 12;
    const float before = model.colours[5].lamb;
    // usol off: ΔT is dtas and Tm 10 °C as without a solution.
    model.calc.usol = 0;
    ApplySurfaceRules(model, true);
    const float assumed = model.colours[5].lamb;
    model.colours[5].lamb = before;
    ApplySurfaceRules(model, false);
    EXPECT_EQ(model.colours[5].lamb, assumed);
    // usol on: ΔT 8 K, Tm 8 °C.
    model.calc.usol = 1;
    ApplySurfaceRules(model, true);
    const double ha = std::max(0.025 / 0.02, 0.73 * std::pow(8.0, 0.333333));
    const double hr = (std::sqrt(5.0) - 1) / 2 * std::pow(281.16, 3) * (1.0 / (2 / 0.9 - 1)) * 2.268e-7;
    EXPECT_NEAR(model.colours[5].lamb, (ha + hr) * 0.02, 1e-6);
    // A colour the solution gave no temperatures: dtas and 10 °C, never NaN.
    model.colours[5].lowestTemperature = kNoLowestTemperature;
    model.colours[5].highestTemperature = kNoHighestTemperature;
    ApplySurfaceRules(model, true);
    EXPECT_EQ(model.colours[5].lamb, assumed);
}

TEST_F(RulesTest, CavityBoundaries)
{
    // BC_FREE with CEN_CON: h = 2 con2 ΔT^con3.
    Cavity(20, 10, 3, CEN_CON_FREE, BC_FREE);
    ApplySurfaceRules(model, false);
    EXPECT_NEAR(model.colours[5].hcon, 2 * 0.73 * std::pow(10.0, 0.333333), 1e-5);
    // With a solution: ΔT the larger distance of the extremes from the air temperature.
    model.colours[5].tair = 10;
    model.colours[5].lowestTemperature = 7;
    model.colours[5].highestTemperature = 15;
    ApplySurfaceRules(model, true);
    EXPECT_NEAR(model.colours[5].hcon, 2 * 0.73 * std::pow(5.0, 0.333333), 1e-5);
    // BC_FREE with a cavity rule: twice the cavity air's coefficient.
    model.colours[5].rule = CEN_Xy_I;
    model.colours[5].lowestTemperature = kNoLowestTemperature;
    model.colours[5].highestTemperature = kNoHighestTemperature;
    ApplySurfaceRules(model, false);
    EXPECT_NEAR(model.colours[5].hcon, 2 * 0.73 * std::pow(10.0, 0.333333), 1e-5);
    // A thin cavity (d < 5 mm) keeps the conduction term.
    Cavity(40, 3, 3, CEN_Xy_I, BC_FREE);
    ApplySurfaceRules(model, false);
    const double b = std::sqrt(0.000120 * 0.040 / 0.003);
    EXPECT_NEAR(model.colours[5].hcon, 2 * 0.025 / b, 1e-5);
}

TEST_F(RulesTest, DirectionRulesWithTheSolutionsMeshNodes)
{
    Cavity(20, 10, 3, CEN_DIR_I);
    model.colours[5].flowX = 0;
    model.colours[5].flowY = 1;
    // Without a solution, a flow along y swaps width and height.
    CavityDimensions d = ComputeCavityDimensions(model, 5, false, nullptr, 10);
    EXPECT_NEAR(d.b, std::sqrt(0.0002 * 0.01 / 0.02), 1e-8);
    // With it: the extents of the nodes along and across the flow (1/16 pixel).
    const CavityBoundaryNodes nodes = [](int, std::vector<MeshPoint>& p) {
        p = {{0, 0}, {16 * 30, 0}, {16 * 30, 16 * 6}, {0, 16 * 6}};
    };
    d = ComputeCavityDimensions(model, 5, true, &nodes, 7.5);
    const double along = 6 * 0.001, across = 30 * 0.001;
    EXPECT_NEAR(d.b, std::sqrt(0.0002 * along / across), 1e-8);
    EXPECT_NEAR(model.colours[5].cavityB, d.b, 1e-8);
    EXPECT_EQ(model.colours[5].cavityDeltaT, 7.5f);
    // Nodes on one line give no extent across the flow: nothing is derived.
    const CavityBoundaryNodes flat = [](int, std::vector<MeshPoint>& p) { p = {{0, 0}, {0, 16 * 5}}; };
    EXPECT_FALSE(ComputeCavityDimensions(model, 5, true, &flat, 10).valid);
    const float lambda = model.colours[5].lamb;
    EXPECT_FALSE(ApplySurfaceRules(model, true, &flat));
    EXPECT_EQ(model.colours[5].lamb, lambda);
    EXPECT_TRUE(std::isfinite(model.colours[5].lamb));
}

TEST_F(RulesTest, RuleOrientationFollowsTheMainFlowAxis)
{
    struct Case {
        int rule, axis, after;
    };
    const Case cases[] = {{1, 2, 2}, {2, 1, 1}, {3, 2, 4}, {4, 1, 3}, {1, 1, 1}, {2, 2, 2}, {5, 2, 5}, {1, 0, 1}};
    for (const Case& c : cases) {
        Draw({"5"});
        model.colours[5].type = EQUIMAT;
        model.colours[5].rule = c.rule;
        model.colours[5].flowAxis = c.axis;
        EXPECT_EQ(UpdateRuleOrientation(model), c.rule != c.after);
        EXPECT_EQ(model.colours[5].rule, c.after);
    }
}

TEST_F(RulesTest, LongWaveColours)
{
    Draw({"1234"});
    model.colours[2].type = BC_SIMPL;
    model.colours[2].rule = HE;
    EXPECT_FALSE(HasLongWaveColours(model));
    model.colours[3].type = BC_FREE;
    EXPECT_FALSE(HasLongWaveColours(model));
    model.colours[3].rule = 1;
    EXPECT_TRUE(HasLongWaveColours(model));
}

class ModelCheckTest : public ModelTest {
  protected:
    // The error the check throws, ErrorCode::None when it passes.
    ErrorCode Check(int* colour = nullptr, int* colour2 = nullptr)
    {
        try {
            CheckCalculationModel(model, host);
        } catch (const EngineError& e) {
            if (colour)
                *colour = e.Colour();
            if (colour2)
                *colour2 = e.Colour2();
            return e.Code();
        }
        return ErrorCode::None;
    }
};

TEST_F(ModelCheckTest, BoundaryConditionsAndRadiationZones)
{
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        ErrorCode error;
        int colour, colour2;
    };
    // 1 material, 3 and 4 BC_FREE, 2 BC_SIMPL, 6 adiabatic BC_SIMPL, 7 TRANSMAT.
    const std::vector<Case> cases = {
        {"two areas of one BC_FREE colour", {"13131"}, ErrorCode::SeparatedZones, 3, -1},
        {"BC_SIMPL touching BC_FREE", {"1431", "1421"}, ErrorCode::TouchingBcTypes, 2, 4},
        {"an adiabatic BC_SIMPL does not join two areas", {"13631"}, ErrorCode::SeparatedZones, 3, -1},
        {"two BC_FREE colours in one zone", {"13441"}, ErrorCode::None, -1, -1},
        {"no boundary colours of types 3..7", {"1221", "1111"}, ErrorCode::None, -1, -1},
        {"TRANSMAT beside BC_FREE", {"1371"}, ErrorCode::TouchingBcTypes, 3, 7},
    };
    for (const Case& c : cases) {
        Draw(c.rows);
        SetColour(2, BC_SIMPL);
        SetColour(3, BC_FREE);
        SetColour(4, BC_FREE);
        SetColour(6, BC_SIMPL, 1, 0, 0);
        SetColour(7, TRANSMAT);
        int colour = -1, colour2 = -1;
        EXPECT_EQ(Check(&colour, &colour2), c.error) << c.name;
        EXPECT_EQ(colour, c.colour) << c.name;
        EXPECT_EQ(colour2, c.colour2) << c.name;
    }
}

TEST_F(ModelCheckTest, ZonesAndMarksOfAPassingModel)
{
    Draw({"3311744", "3311744", "1111111", "1166111"});
    SetColour(3, BC_FREE);
    SetColour(4, BC_SKY);
    SetColour(7, BC_SKY);
    SetColour(6, BC_SIMPL, 1, 0, 0);
    EXPECT_EQ(CheckCalculationModel(model, host), 2);
    EXPECT_EQ(model.radiationZoneCount, 2);
    EXPECT_EQ(model.colours[3].radiationZone, 0);
    EXPECT_EQ(model.colours[7].radiationZone, 1);
    EXPECT_EQ(model.colours[4].radiationZone, 1);
    EXPECT_EQ(model.colours[1].radiationZone, -1);
    EXPECT_EQ(model.colours[6].adiabatic, 1);
    EXPECT_EQ(model.colours[3].adiabatic, 0);
}

TEST_F(ModelCheckTest, EscStopsTheCheck)
{
    AllocatePixels(model, 200, 200, 1);
    BuildColourBoundaryEdges(model);
    host.escPressed = true;
    EXPECT_THROW(CheckCalculationModel(model, host), EscAbort);
}

} // namespace
} // namespace dralo::test
