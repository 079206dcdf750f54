// The material colours and the questions asked of the colour table.
#include "novelk/model/files/ColourFiles.h"

#include "ModelFixture.h"
#include "novelk/model/store/ColourQueries.h"

namespace novelk::test {
namespace {

using ColourFilesTest = ModelTest;

TEST_F(ColourFilesTest, MaterialColoursTakeTheirDefaultsAndTheFilesColours)
{
    model.colours[7].type = BC_FREE;
    model.colours[7].inUse = 1;
    WriteBytes("MatColor.rgb", "MatColor\r\nC 1 2 3\r\nc 4 5 6\r\nC 300 0 0\r\nC 7 8 9\r\n");
    LoadMaterialColours(model, ".");
    EXPECT_EQ(model.colours[0].displayColour, RGB(1, 2, 3));
    EXPECT_EQ(model.colours[1].displayColour, RGB(4, 5, 6));
    EXPECT_EQ(model.colours[2].displayColour, 0u); // out of range: black
    EXPECT_EQ(model.colours[3].displayColour, RGB(7, 8, 9));
    EXPECT_EQ(model.colours[3].green, 8);
    ColourRecord expected;
    EXPECT_EQ(model.colours[7], expected);
    EXPECT_EQ((std::array<float, 3>{expected.hGlobal, expected.hConvective, expected.con3}),
              (std::array<float, 3>{7.7f, 2.5f, 0.333333f}));
    LoadMaterialColours(model, "no such folder");
    EXPECT_EQ(model.colours[0].displayColour, 0u);
}

TEST_F(ColourFilesTest, ColourScalesReportTheirFailures)
{
    common::ColourScale scale;
    LoadColourScale(SUITE_EXAMPLES_DIR, false, scale);
    EXPECT_FALSE(scale.entries.empty());
    try {
        LoadColourScale("no such folder", true, scale);
        FAIL();
    } catch (const EngineError& e) {
        EXPECT_EQ(e.Message(), "Failed to open file\nno such folder/RainbowGray.rgb");
    }
    WriteBytes("RainbowColor.rgb", "N 2\nC 1 2 3\nC 1 2\n");
    try {
        LoadColourScale(".", false, scale);
        FAIL();
    } catch (const EngineError& e) {
        EXPECT_EQ(e.Message(), SyntaxMessage("./RainbowColor.rgb", 3));
    }
}

TEST_F(ColourFilesTest, TwoSimpleTemperatures)
{
    SetColour(1, BC_SIMPL, 1, 20);
    SetColour(2, BC_SIMPL, 1, 20);
    SetColour(3, BC_SIMPL, 1, 0);
    SetColour(9, MATERIAL);
    model.colours[10].type = BC_SIMPL; // not in use
    model.colours[10].temperature = 7;
    EXPECT_TRUE(HasTwoSimpleBcTemperatures(model));
    EXPECT_TRUE(HasTwoBoundaryTemperatures(model));
    SetColour(4, BC_SIMPL, 1, 5);
    EXPECT_FALSE(HasTwoSimpleBcTemperatures(model));
    EXPECT_FALSE(HasTwoBoundaryTemperatures(model));
}

TEST_F(ColourFilesTest, BoundaryTemperatures)
{
    struct Case {
        int type;
        float temperature, h, flux, air, radiant;
        bool two; // with BC_SIMPL colours at 20 and 0 beside it
    } cases[] = {
        {BC_SIMPL, 5, 0, 0, 0, 0, true},     // h and flux 0: no environment
        {BC_FRE_S, 20, 3, 0, 0, 0, true},    // the same temperature again
        {BC_FRE_S, 20, 3, 1, 0, 0, false},   // a flux
        {BC_SKY, 0, 0, 0, 20, 20, true},     // by its air temperature
        {BC_SKY, 0, 0, 0, 20, 19, false},    // air and radiation differ
        {BC_SKY, 0, 0, 2, 20, 20, false},    // a flux
        {BC_NOSKY, 20, 7, 0, 20, 20, false}, // always
        {BC_FREE, 99, 7, 5, 9, 8, true},     // not a boundary of the environment
    };
    for (const Case& c : cases) {
        ResetModel(model, defaults);
        SetColour(1, BC_SIMPL, 1, 20);
        SetColour(2, BC_SIMPL, 1, 0);
        SetColour(3, c.type, 1, c.temperature, c.h);
        model.colours[3].flux = c.flux;
        model.colours[3].airTemperature = c.air;
        model.colours[3].radiantTemperature = c.radiant;
        EXPECT_EQ(HasTwoBoundaryTemperatures(model), c.two) << c.type;
    }
}

TEST_F(ColourFilesTest, ColourSetTests)
{
    SetColour(1, MATERIAL);
    SetColour(2, BC_SIMPL);
    EXPECT_FALSE(HasViewFactorColours(model));
    EXPECT_FALSE(HasRadiatingColours(model));
    EXPECT_FALSE(HasEquimatColours(model));
    EXPECT_FALSE(HasLongWaveColours(model));
    SetColour(3, BC_FRE_S);
    EXPECT_TRUE(HasViewFactorColours(model));
    EXPECT_FALSE(HasRadiatingColours(model));
    SetColour(4, TRANSMAT);
    EXPECT_TRUE(HasRadiatingColours(model));
    SetColour(5, EQUIMAT);
    EXPECT_TRUE(HasEquimatColours(model));
    EXPECT_FALSE(HasLongWaveColours(model));
    model.colours[5].rule = 1;
    EXPECT_TRUE(HasLongWaveColours(model));
    model.colours[2].rule = 1; // BC_SIMPL rules are not long-wave rules
    model.colours[5].rule = 0;
    EXPECT_FALSE(HasLongWaveColours(model));
}

} // namespace
} // namespace novelk::test
