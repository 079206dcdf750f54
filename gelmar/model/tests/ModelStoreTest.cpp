// The model store: reset, capacities, array growth and colour operations.
#include "ModelFixture.h"
#include "gelmar/model/store/Engine.h"

namespace gelmar::test {
namespace {

using StoreTest = ModelTest;

TEST_F(StoreTest, ResetEmptiesListsAndGivesCapacities)
{
    g_model.blocks.count = 5;
    g_model.nodeBcs.count = 3;
    g_model.axes[0].n = 4;
    g_model.title = "old";
    ResetModel();
    EXPECT_EQ(g_model.blocks.count, 0);
    EXPECT_EQ(g_model.nodeBcs.count, 0);
    EXPECT_EQ(g_model.axes[0].n, 0);
    EXPECT_TRUE(g_model.title.empty());
    EXPECT_GE(g_model.gridCapacity, 200);
    EXPECT_GE(g_model.blocks.capacity, 1000);
    for (int cap :
         {g_model.nodeBcs.capacity, g_model.borderBcs.capacity, g_model.outputNodes.capacity,
          g_model.outputBlocks.capacity, g_model.reportItems.capacity, int{g_model.controls.capacity}})
        EXPECT_GE(cap, 100);
    EXPECT_GE(g_view.faces.capacity, 100000);
    EXPECT_EQ(g_model.sunObstacleCount, 1);
    EXPECT_EQ(g_model.sunObstacles[0], (SunObstacleRecord{-180, 180, 0, 5}));
}

TEST_F(StoreTest, ResetKeepsColourValuesButClearsFlags)
{
    ColourRecord& c = g_model.colours[7];
    c.inUse = 1;
    c.insertGuard = 1;
    c.unlinked = 1;
    c.clipShow = 0;
    c.name = "brick";
    c.lambda = 0.8f;
    ResetModel();
    EXPECT_EQ(c.inUse, 0);
    EXPECT_EQ(c.insertGuard, 0);
    EXPECT_EQ(c.unlinked, 0);
    EXPECT_EQ(c.clipShow, 1);
    EXPECT_EQ(c.name, "brick");
    EXPECT_EQ(c.lambda, 0.8f);
    EXPECT_TRUE(IsColourDefined(c));
}

TEST_F(StoreTest, ResetTakesParameterDefaults)
{
    g_parameters.rays = 55;
    g_parameters.grun = 0.001f;
    g_parameters.tras = 7.0f;
    ResetModel();
    EXPECT_EQ(g_model.rays, 55);
    EXPECT_EQ(g_model.gridUnit, 0.001f);
    EXPECT_EQ(g_view.display.splitSize, 7.0f);
}

TEST_F(StoreTest, GrowNeverShrinksAndKeepsRecords)
{
    g_model.blocks[3].colour = 9;
    EXPECT_TRUE(GrowBlockArray(g_model, 10));
    EXPECT_EQ(g_model.blocks.capacity, 1000);
    EXPECT_TRUE(GrowBlockArray(g_model, 1500));
    EXPECT_EQ(g_model.blocks.capacity, 1500);
    EXPECT_EQ(g_model.blocks[3].colour, 9);
    // A 16-bit capacity cannot hold more.
    EXPECT_FALSE(GrowBlockArray(g_model, 70000));
    EXPECT_EQ(g_model.blocks.capacity, 1500);
    g_model.axes[1].widths[5] = 2.5f;
    EXPECT_TRUE(GrowGridLineArrays(g_model, 300));
    EXPECT_EQ(g_model.gridCapacity, 300);
    EXPECT_EQ(g_model.axes[1].widths[5], 2.5f);
    FreeBlockArray(g_model);
    EXPECT_EQ(g_model.blocks.capacity, 0);
    EXPECT_EQ(g_model.blocks.count, 0);
}

TEST_F(StoreTest, InitRecordsGiveDefaults)
{
    g_view.currentColour = 12;
    g_model.axes[2].n = 4;
    InitBlock(g_model, 0, g_view.currentColour);
    EXPECT_EQ(g_model.blocks[0].colour, 12);
    EXPECT_EQ(g_model.blocks[0].z1, 0);
    EXPECT_EQ(g_model.blocks[0].z2, 1);
    EXPECT_EQ(g_model.colours[12].inUse, 1);
    g_model.rcl = 1;
    InitBlock(g_model, 1, g_view.currentColour);
    EXPECT_EQ(g_model.blocks[1].z1, 3);
    EXPECT_EQ(g_model.blocks[1].z2, 4);

    InitBorderBc(g_model, 0);
    EXPECT_EQ(g_model.borderBcs[0].colour1, -1);
    EXPECT_EQ(g_model.borderBcs[0].fluxFunc.View(), "I00");
    GrowMaterialBcArray(g_model, 1);
    InitMaterialBc(g_model, 0);
    EXPECT_EQ(g_model.materialBcs[0].powerFunc.View(), "P00");
    InitControl(g_model, 0);
    EXPECT_EQ(g_model.controls[0].sensitivityUp, 1.0f);
    EXPECT_EQ(g_model.controls[0].zone2, -1);
}

TEST_F(StoreTest, FindFreeColourWraps)
{
    for (int c = 250; c < 256; ++c)
        g_model.colours[c].inUse = 1;
    EXPECT_EQ(FindFreeColour(g_model, 250), 0);
    EXPECT_EQ(FindFreeColour(g_model, 3), 3);
    for (ColourRecord& c : g_model.colours)
        c.inUse = 1;
    EXPECT_EQ(FindFreeColour(g_model, 42), 42);
}

TEST_F(StoreTest, CopyColourPropertiesLeavesDisplayAndUse)
{
    ColourRecord& s = g_model.colours[1];
    s.type = BC_SIMPL;
    s.name = "inside";
    s.temperature = 20;
    s.hGlobal = 7.7f;
    s.temperatureFunc.Set("T04");
    s.solarTransmission = 0.5f;
    SetDisplayColour(s, 10, 20, 30);
    s.inUse = 1;
    CopyColourProperties(g_model, 2, 1);
    const ColourRecord& t = g_model.colours[2];
    EXPECT_EQ(t.type, BC_SIMPL);
    EXPECT_EQ(t.name, "inside");
    EXPECT_EQ(t.hGlobal, 7.7f);
    EXPECT_EQ(t.temperatureFunc.View(), "T04");
    EXPECT_EQ(t.solarTransmission, 0.5f);
    EXPECT_EQ(t.displayColour, 0u);
    EXPECT_EQ(t.inUse, 0);
}

TEST_F(StoreTest, RadiatingColoursCountOnlyColoursInUse)
{
    g_model.colours[4].type = BC_FRE_S;
    g_model.colours[4].inUse = 1;
    g_run.solarResults = true;
    EXPECT_FALSE(HasRadiatingColours(g_model));
    EXPECT_TRUE(HasRadiatingOrSolarColours(g_model, g_run.solarResults));
    g_model.colours[4].inUse = 0;
    g_model.colours[9].type = TRANSMAT;
    EXPECT_FALSE(HasRadiatingOrSolarColours(g_model, g_run.solarResults));
    EXPECT_FALSE(g_run.solarResults);
    g_model.colours[9].inUse = 1;
    EXPECT_TRUE(HasRadiatingColours(g_model));
}

TEST_F(StoreTest, GridCoordinatesAndExtent)
{
    g_model.axes[0].n = 3;
    g_model.axes[0].widths[0] = 0.1f;
    g_model.axes[0].widths[1] = 0.2f;
    g_model.axes[0].widths[2] = 0.3f;
    g_model.axes[1].n = 1;
    g_model.axes[1].widths[0] = 0.8f;
    ComputeGridCoordinates(g_model);
    EXPECT_FLOAT_EQ(g_model.axes[0].coords[2], 0.6f);
    ComputeModelExtent(g_model);
    EXPECT_FLOAT_EQ(g_model.extent[0], 0.6f);
    EXPECT_FLOAT_EQ(g_model.centre[1], 0.4f);
    EXPECT_FLOAT_EQ(g_model.extent[2], 0.0f);
    EXPECT_FLOAT_EQ(g_model.halfDiagonal, 0.5f);
}

TEST_F(StoreTest, NamesOfTypesAndRules)
{
    EXPECT_STREQ(ColourTypeName(BC_FRE_S), "BC_FRE_S");
    EXPECT_STREQ(RuleName(EQUIMAT, 12), "CEN_Zy_E");
    EXPECT_STREQ(RuleName(BC_SIMPL, 3), "HE");
    EXPECT_STREQ(RuleName(BC_FREE, 7), "CEN_CON");
    EXPECT_EQ(RuleName(BC_SKY, 2), nullptr);
    EXPECT_EQ(RuleName(MATERIAL, 0), nullptr);
}

TEST(FunctionNameTest, DigitsZeroMeanNoFunction)
{
    EXPECT_TRUE(FunctionName("T00").IsNone());
    EXPECT_TRUE(FunctionName("R00").IsNone());
    EXPECT_TRUE(FunctionName("").IsNone());
    EXPECT_FALSE(FunctionName("T01").IsNone());
    EXPECT_EQ(FunctionName("T012345").View(), "T01");
}

TEST(SnapTest, HalvesAwayFromZero)
{
    EXPECT_DOUBLE_EQ(SnapToLengthQuantum(0.0126), 0.013);
    EXPECT_DOUBLE_EQ(SnapToLengthQuantum(-0.0126), -0.013);
}

} // namespace
} // namespace gelmar::test
