// The model store: reset, the array trios and the colour operations.
#include "ModelFixture.h"
#include "novelk/model/store/Records.h"

namespace novelk::test {
namespace {

using ModelStoreTest = ModelTest;

TEST_F(ModelStoreTest, ResetEmptiesTheModelButKeepsTheColourValues)
{
    SetUnitGrid(2, 2, 2);
    AddBlock(3, 0, 1, 0, 1, 0, 1);
    model.colours[3].type = BC_FREE;
    model.colours[3].lambda = 0.3f;
    model.colours[3].show = 0;
    model.colours[3].keepOnInsert = 1;
    model.title = "old";
    model.rcl = 1;
    model.areas[1].x2 = 2;
    model.insertionOrigin[2] = 4;
    model.outlines.Grow(1);
    model.outlines.count = 1;
    defaults.cycl = 9;
    defaults.grun = 0.01f;
    defaults.lct2 = 77;
    defaults.graphicReport[2].fill = 5;
    ResetModel(model, defaults);
    EXPECT_EQ(model.blocks.count, 0);
    EXPECT_EQ(model.axes[0].n, 0);
    EXPECT_EQ(model.title, "");
    EXPECT_EQ(model.rcl, 0);
    EXPECT_EQ(model.areas[1], AreaRecord{});
    EXPECT_EQ(model.insertionOrigin[2], 0);
    EXPECT_EQ(model.outlines.count, 0);
    for (const ColourRecord& c : model.colours) {
        EXPECT_EQ(c.inUse, 0);
        EXPECT_EQ(c.show, 1);
        EXPECT_EQ(c.keepOnInsert, 0);
    }
    EXPECT_EQ(model.colours[3].type, BC_FREE);
    EXPECT_EQ(model.colours[3].lambda, 0.3f);
    EXPECT_EQ(model.calc.cycles, 9);
    EXPECT_EQ(model.gridUnit, 0.01f);
    EXPECT_EQ(model.output.lines.isotherm2, 77);
    EXPECT_EQ(model.output.viewAzimuth, 30);
    EXPECT_EQ(model.report.graphicReport[2].fill, 5);
    EXPECT_EQ(model.report.elementName, "Ufloor");
    EXPECT_GE(model.gridCapacity, 200);
    EXPECT_GE(model.blocks.capacity, 1000);
    EXPECT_GE(model.nodeBcs.capacity, 100);
    EXPECT_GE(model.borderBcs.capacity, 100);
}

TEST_F(ModelStoreTest, FindFreeColourWraps)
{
    for (int c = 250; c < 256; ++c)
        model.colours[static_cast<std::size_t>(c)].inUse = 1;
    EXPECT_EQ(FindFreeColour(model, 250), 0);
    EXPECT_EQ(FindFreeColour(model, 12), 12);
    for (ColourRecord& c : model.colours)
        c.inUse = 1;
    EXPECT_EQ(FindFreeColour(model, 17), 17);
}

TEST_F(ModelStoreTest, CellBlocksAndNewBlocks)
{
    SetUnitGrid(2, 3, 4);
    EXPECT_FALSE(AddCellBlock(model, 2, 0, 0, 5)); // i = nx
    EXPECT_FALSE(AddCellBlock(model, 0, -1, 0, 5));
    EXPECT_EQ(model.blocks.count, 0);
    EXPECT_FALSE(model.colours[5].inUse);
    ASSERT_TRUE(AddCellBlock(model, 1, 2, 3, 5));
    EXPECT_EQ(model.blocks[0].x1, 1);
    EXPECT_EQ(model.blocks[0].z2, 4);
    EXPECT_TRUE(model.colours[5].inUse);

    InitBlock(model, 1, 9);
    EXPECT_EQ(model.blocks[1].z1, 0);
    EXPECT_EQ(model.blocks[1].z2, 1);
    model.rcl = 1; // the top layer
    InitBlock(model, 1, 9);
    EXPECT_EQ(model.blocks[1].z1, 3);
    EXPECT_EQ(model.blocks[1].z2, 4);
    EXPECT_TRUE(model.colours[9].inUse);
}

TEST_F(ModelStoreTest, CellBlocksGrowInThousandsUpTo65535)
{
    SetUnitGrid(1, 1, 1);
    FreeBlockArray(model);
    for (int b = 0; b < 2500; ++b)
        ASSERT_TRUE(AddCellBlock(model, 0, 0, 0, 1));
    EXPECT_EQ(model.blocks.capacity, 3000);
    model.blocks.count = 65535;
    ASSERT_TRUE(GrowBlockArray(model, 65535));
    EXPECT_FALSE(AddCellBlock(model, 0, 0, 0, 1));
    EXPECT_EQ(model.blocks.count, 65535);
    EXPECT_FALSE(GrowBlockArray(model, 65536)); // never a wrapped capacity
    EXPECT_FALSE(GrowGridLineArrays(model, 65536));
    EXPECT_TRUE(GrowGridLineArrays(model, 65535));
    EXPECT_EQ(model.axes[0].flags.size(), 65536u); // one flag per line 0..n
}

TEST_F(ModelStoreTest, ColourOperations)
{
    ColourRecord& b = model.colours[2];
    b.type = EQUIMAT;
    b.rule = 4;
    b.name = "Cavity";
    b.pattern = 3;
    b.lambda = 0.1f;
    b.con3 = 9;
    b.displayColour = 77;
    b.inUse = 1;
    CopyColourProperties(model, 1, 2);
    const ColourRecord& a = model.colours[1];
    EXPECT_EQ(a.type, EQUIMAT);
    EXPECT_EQ(a.name, "Cavity");
    EXPECT_EQ(a.con3, 9);
    EXPECT_EQ(a.displayColour, 0u); // display colour and use stay
    EXPECT_EQ(a.inUse, 0);

    EXPECT_FALSE(IsColourRowNonDefault(ColourRecord{}));
    for (auto change : {+[](ColourRecord& c) { c.inUse = 1; }, +[](ColourRecord& c) { c.type = BC_SKY; },
                        +[](ColourRecord& c) { c.lambda = 2; }, +[](ColourRecord& c) { c.name = "x"; }}) {
        ColourRecord c;
        change(c);
        EXPECT_TRUE(IsColourRowNonDefault(c));
    }
    EXPECT_STREQ(ColourTypeName(BC_FRE_S), "BC_FRE_S");
    EXPECT_STREQ(RuleName(EQUIMAT, 12), "CEN_Zy_E");
    EXPECT_STREQ(RuleName(BC_FREE, 7), "CEN_CON");
    EXPECT_EQ(RuleName(BC_FREE, 8), nullptr);
    EXPECT_EQ(RuleName(MATERIAL, 0), nullptr);
    EXPECT_STREQ(RuleName(BC_NOSKY, 1), "CEN_CON");
}

TEST_F(ModelStoreTest, CellRaster)
{
    SetUnitGrid(3, 2, 1);
    AddBlock(4, 0, 3, 0, 2, 0, 1);
    AddBlock(6, 1, 2, 1, 2, 0, 1); // a later block overwrites
    EXPECT_TRUE(IsCellRasterMissing(run));
    EXPECT_EQ(GetCellColour(run.cells, 0, 0, 0), -1);
    RasteriseBlocks(model, run, host);
    EXPECT_EQ(GetCellColour(run.cells, 1, 1, 0), 6);
    EXPECT_EQ(GetCellColour(run.cells, 2, 1, 0), 4);
    EXPECT_EQ(GetCellColour(run.cells, 3, 0, 0), -1); // i = nx
    EXPECT_EQ(GetCellColour(run.cells, 0, -1, 0), -1);
    model.clipLo[0] = 1;
    EXPECT_EQ(GetClippedCellColour(model, run.cells, 0, 0, 0), -1);
    EXPECT_EQ(GetClippedCellColour(model, run.cells, 1, 0, 0), 4);
    SetCellColour(run.cells, 4 + 256, 2, 0, 0);
    EXPECT_EQ(GetCellColour(run.cells, 2, 0, 0), 260);
    FreeWorkArrays(run, WorkGroup::CellsAndNodes, host);
    FreeWorkArrays(run, WorkGroup::CellsAndNodes, host); // twice is harmless
    EXPECT_TRUE(IsCellRasterMissing(run));
    EXPECT_EQ(host.outputFrees, 3); // the raster's build frees the outputs too

    ResetModel(model, defaults);
    SetUnitGrid(2, 2, 2); // no blocks: void cells only
    EnsureCellArray(model, run, host);
    EXPECT_FALSE(IsCellRasterMissing(run));
    EXPECT_EQ(GetCellColour(run.cells, 1, 1, 1), -1);
}

TEST_F(ModelStoreTest, ErrorMessages)
{
    EXPECT_EQ(EngineError::Memory().Message(), "Not enough memory");
    EXPECT_EQ(EngineError::Bitmap().Message(), "Bitmap creation failed.\nBitmap size too large.");
    EXPECT_EQ(EngineError::ModelCheck(ErrorCode::SeparatedZones, 7, {1, 2, 3, false}).Message(),
              "BC (colour 7) occurs in separated zones.\nSee X=1, Y=2, Z=3.");
    EXPECT_EQ(EngineError::ModelCheck(ErrorCode::DifferentBcTypes, 8, {4, 5, 6, true}).Message(),
              "BC (colour 8) touches other BC of different type.\nSee R=4, C=5, L=6.");
    EXPECT_EQ(EngineError::ModelCheck(ErrorCode::TransmatBesideVoid, 9, {0, 0, 1, false}).Message(),
              "TRANSMAT (colour 9) bordering void space.\nSee X=0, Y=0, Z=1.");
}

} // namespace
} // namespace novelk::test
