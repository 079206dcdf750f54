// The model store: reset, capacities, array growth and colour operations.
#include "ModelBuilder.h"
#include "gelmar/model/store/Engine.h"

namespace gelmar::test {
namespace {

using StoreTest = EngineTest;

TEST_F(StoreTest, ResetEmptiesListsAndGivesCapacities)
{
    engine.model.blocks.count = 5;
    engine.model.nodeBcs.count = 3;
    engine.model.axes[0].n = 4;
    engine.model.title = "old";
    ResetModel(engine);
    EXPECT_EQ(engine.model.blocks.count, 0);
    EXPECT_EQ(engine.model.nodeBcs.count, 0);
    EXPECT_EQ(engine.model.axes[0].n, 0);
    EXPECT_TRUE(engine.model.title.empty());
    EXPECT_GE(engine.model.gridCapacity, 200);
    EXPECT_GE(engine.model.blocks.capacity, 1000);
    for (int cap : {engine.model.nodeBcs.capacity, engine.model.borderBcs.capacity,
                    engine.model.outputNodes.capacity, engine.model.outputBlocks.capacity,
                    engine.model.reportItems.capacity, int{engine.model.controls.capacity}})
        EXPECT_GE(cap, 100);
    EXPECT_GE(engine.view.faces.capacity, 100000);
    EXPECT_EQ(engine.model.sunObstacleCount, 1);
    EXPECT_EQ(engine.model.sunObstacles[0], (SunObstacleRecord{-180, 180, 0, 5}));
}

TEST_F(StoreTest, ResetKeepsColourValuesButClearsFlags)
{
    ColourRecord& c = engine.model.colours[7];
    c.inUse = 1;
    c.insertGuard = 1;
    c.unlinked = 1;
    c.clipShow = 0;
    c.name = "brick";
    c.lambda = 0.8f;
    ResetModel(engine);
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
    engine.parameters.rays = 55;
    engine.parameters.grun = 0.001f;
    engine.parameters.tras = 7.0f;
    ResetModel(engine);
    EXPECT_EQ(engine.model.rays, 55);
    EXPECT_EQ(engine.model.gridUnit, 0.001f);
    EXPECT_EQ(engine.view.display.splitSize, 7.0f);
}

TEST_F(StoreTest, GrowNeverShrinksAndKeepsRecords)
{
    engine.model.blocks[3].colour = 9;
    EXPECT_TRUE(GrowBlockArray(engine.model, 10));
    EXPECT_EQ(engine.model.blocks.capacity, 1000);
    EXPECT_TRUE(GrowBlockArray(engine.model, 1500));
    EXPECT_EQ(engine.model.blocks.capacity, 1500);
    EXPECT_EQ(engine.model.blocks[3].colour, 9);
    // A 16-bit capacity cannot hold more.
    EXPECT_FALSE(GrowBlockArray(engine.model, 70000));
    EXPECT_EQ(engine.model.blocks.capacity, 1500);
    engine.model.axes[1].widths[5] = 2.5f;
    EXPECT_TRUE(GrowGridLineArrays(engine.model, 300));
    EXPECT_EQ(engine.model.gridCapacity, 300);
    EXPECT_EQ(engine.model.axes[1].widths[5], 2.5f);
    FreeBlockArray(engine.model);
    EXPECT_EQ(engine.model.blocks.capacity, 0);
    EXPECT_EQ(engine.model.blocks.count, 0);
}

TEST_F(StoreTest, InitRecordsGiveDefaults)
{
    engine.view.currentColour = 12;
    engine.model.axes[2].n = 4;
    InitBlock(engine.model, 0, engine.view.currentColour);
    EXPECT_EQ(engine.model.blocks[0].colour, 12);
    EXPECT_EQ(engine.model.blocks[0].z1, 0);
    EXPECT_EQ(engine.model.blocks[0].z2, 1);
    EXPECT_EQ(engine.model.colours[12].inUse, 1);
    engine.model.rcl = 1;
    InitBlock(engine.model, 1, engine.view.currentColour);
    EXPECT_EQ(engine.model.blocks[1].z1, 3);
    EXPECT_EQ(engine.model.blocks[1].z2, 4);

    InitBorderBc(engine.model, 0);
    EXPECT_EQ(engine.model.borderBcs[0].colour1, -1);
    EXPECT_EQ(engine.model.borderBcs[0].fluxFunc.View(), "I00");
    GrowMaterialBcArray(engine.model, 1);
    InitMaterialBc(engine.model, 0);
    EXPECT_EQ(engine.model.materialBcs[0].powerFunc.View(), "P00");
    InitControl(engine.model, 0);
    EXPECT_EQ(engine.model.controls[0].sensitivityUp, 1.0f);
    EXPECT_EQ(engine.model.controls[0].zone2, -1);
}

TEST_F(StoreTest, FindFreeColourWraps)
{
    for (int c = 250; c < 256; ++c)
        engine.model.colours[c].inUse = 1;
    EXPECT_EQ(FindFreeColour(engine.model, 250), 0);
    EXPECT_EQ(FindFreeColour(engine.model, 3), 3);
    for (ColourRecord& c : engine.model.colours)
        c.inUse = 1;
    EXPECT_EQ(FindFreeColour(engine.model, 42), 42);
}

TEST_F(StoreTest, CopyColourPropertiesLeavesDisplayAndUse)
{
    ColourRecord& s = engine.model.colours[1];
    s.type = BC_SIMPL;
    s.name = "inside";
    s.temperature = 20;
    s.hGlobal = 7.7f;
    s.temperatureFunc.Set("T04");
    s.solarTransmission = 0.5f;
    SetDisplayColour(s, 10, 20, 30);
    s.inUse = 1;
    CopyColourProperties(engine.model, 2, 1);
    const ColourRecord& t = engine.model.colours[2];
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
    engine.model.colours[4].type = BC_FRE_S;
    engine.model.colours[4].inUse = 1;
    engine.run.solarResults = true;
    EXPECT_FALSE(HasRadiatingColours(engine.model));
    EXPECT_TRUE(HasRadiatingOrSolarColours(engine.model, engine.run.solarResults));
    engine.model.colours[4].inUse = 0;
    engine.model.colours[9].type = TRANSMAT;
    EXPECT_FALSE(HasRadiatingOrSolarColours(engine.model, engine.run.solarResults));
    EXPECT_FALSE(engine.run.solarResults);
    engine.model.colours[9].inUse = 1;
    EXPECT_TRUE(HasRadiatingColours(engine.model));
}

TEST_F(StoreTest, GridCoordinatesAndExtent)
{
    engine.model.axes[0].n = 3;
    engine.model.axes[0].widths[0] = 0.1f;
    engine.model.axes[0].widths[1] = 0.2f;
    engine.model.axes[0].widths[2] = 0.3f;
    engine.model.axes[1].n = 1;
    engine.model.axes[1].widths[0] = 0.8f;
    ComputeGridCoordinates(engine.model);
    EXPECT_FLOAT_EQ(engine.model.axes[0].coords[2], 0.6f);
    ComputeModelExtent(engine.model);
    EXPECT_FLOAT_EQ(engine.model.extent[0], 0.6f);
    EXPECT_FLOAT_EQ(engine.model.centre[1], 0.4f);
    EXPECT_FLOAT_EQ(engine.model.extent[2], 0.0f);
    EXPECT_FLOAT_EQ(engine.model.halfDiagonal, 0.5f);
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
