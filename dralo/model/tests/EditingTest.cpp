// The whole-bitmap and whole-colour edits: geometry, dissolving, colour
// edits, pixel values and the end every edit shares (an undo snapshot, the
// document modified).
#include "dralo/model/editing/ColourEdits.h"
#include "dralo/model/editing/Dissolve.h"
#include "dralo/model/editing/Geometry.h"
#include "dralo/model/editing/PixelValues.h"
#include "dralo/model/store/ColourQueries.h"
#include "dralo/model/store/Errors.h"
#include "dralo/model/store/Statistics.h"
#include "dralo/model/tests/ModelFixture.h"

#include <functional>
#include <random>

namespace dralo::test {
namespace {

using EditingTest = ModelTest;

void SetDistance(BitmapModel& m, int k, std::uint8_t direction, int x1, int y1, int x2, int y2)
{
    m.ndis = std::max(m.ndis, k + 1);
    DistanceRecord& d = m.distances[static_cast<std::size_t>(k)];
    d = DistanceRecord{};
    d.disd = direction;
    d.x1 = static_cast<std::int16_t>(x1), d.y1 = static_cast<std::int16_t>(y1);
    d.x2 = static_cast<std::int16_t>(x2), d.y2 = static_cast<std::int16_t>(y2);
}

TEST_F(EditingTest, FourQuarterTurnsGiveTheModelBack)
{
    std::mt19937 rng(4);
    AllocatePixels(model, 7, 4, 0);
    for (std::uint8_t& p : model.pixels)
        p = static_cast<std::uint8_t>(rng() % 5);
    SetDistance(model, 0, kDistanceX, 1, 2, 5, 2);
    SetDistance(model, 1, kDistanceAny, 0, -1, 6, 3);
    model.distances[1].diss = 1;
    model.colours[3].type = EQUIMAT;
    model.colours[3].rule = CEN_Xy_E;
    model.colours[4].type = BC_FREE;
    model.colours[4].rule = CEN_Yx_I;
    BuildColourBoundaryEdges(model);
    const BitmapModel before = model;
    RotateModel90(s);
    EXPECT_EQ(model.width, 4);
    EXPECT_EQ(model.height, 7);
    // New (x, y) is old (y, height-1-x); end points (x, y) -> (height-1-y, x).
    EXPECT_EQ(Pixel(0, 0), GetPixelColour(before, 0, 3));
    EXPECT_EQ(Pixel(3, 6), GetPixelColour(before, 6, 0));
    EXPECT_EQ(model.distances[0].x1, 1);
    EXPECT_EQ(model.distances[0].y1, 1);
    EXPECT_EQ(model.distances[1].diss, 0);
    EXPECT_EQ(model.distances[1].y1, -1) << "an unset point stays unset";
    EXPECT_EQ(model.colours[3].rule, CEN_Yx_E);
    EXPECT_EQ(model.colours[4].rule, CEN_Xy_I);
    for (int turn = 0; turn < 3; ++turn)
        RotateModel90(s);
    EXPECT_EQ(model.width, before.width);
    EXPECT_EQ(model.pixels, before.pixels);
    EXPECT_TRUE(model.distances == before.distances);
    EXPECT_EQ(model.colours[3].rule, CEN_Xy_E);
    EXPECT_EQ(model.colours[4].rule, CEN_Yx_I);
    EXPECT_TRUE(model.edges == before.edges);
}

TEST_F(EditingTest, ResizeMovesThePixelsAndTheDistances)
{
    Draw({"123", "456"});
    SetDistance(model, 0, kDistanceX, 0, 1, 2, 1);
    ASSERT_TRUE(ResizeBitmap(model, 5, 3, 1, 1, false, host));
    EXPECT_EQ(Picture(), (std::vector<std::string>{"11111", "11231", "14561"}));
    // A point at 0 stays, the old last column goes to the new last.
    EXPECT_EQ(model.distances[0].x1, 0);
    EXPECT_EQ(model.distances[0].y1, 2);
    EXPECT_EQ(model.distances[0].x2, 4);
    ASSERT_TRUE(ResizeBitmap(model, 7, 4, 1, 0, true, host));
    EXPECT_EQ(Picture(), (std::vector<std::string>{"1111111", "1112311", "1145611", "1145611"}))
        << "new pixels repeat the nearest border pixel";
    EXPECT_EQ(model.changed.capacity, 1000);
}

TEST_F(EditingTest, SizesOutsideOneTo32767AreRefusedUnchanged)
{
    Draw({"12", "34"});
    const std::vector<std::uint8_t> before = model.pixels;
    struct Case {
        const char* name;
        std::function<bool()> edit;
        const char* message;
    };
    const Case cases[] = {
        {"resize to 0 wide", [&] { return ResizeBitmap(model, 0, 2, 0, 0, false, host); }, kMsgBitmapTooSmall},
        {"resize beyond 32767", [&] { return ResizeBitmap(model, 32768, 2, 0, 0, false, host); },
         kMsgBitmapTooLarge},
        {"insert beyond 32767", [&] { return InsertPixelBand(model, 0, 0, 32766, 0, host); }, kMsgBitmapTooLarge},
        {"delete every column", [&] { return DeletePixelBand(model, 0, 0, 2, 0, host); }, kMsgBitmapTooSmall},
        {"a pixel size making 0 pixels", [&] { return ResizePixels(model, 10.0f, host); }, kMsgBitmapTooSmall},
        {"a pixel size making too many", [&] { return ResizePixels(model, 1e-9f, host); }, kMsgBitmapTooLarge},
    };
    for (const Case& c : cases) {
        host.messages.clear();
        EXPECT_FALSE(c.edit()) << c.name;
        EXPECT_EQ(host.messages, std::vector<std::string>{c.message}) << c.name;
        EXPECT_EQ(model.pixels, before) << c.name;
        EXPECT_EQ(model.width, 2) << c.name;
    }
    EXPECT_FALSE(ResizePixels(model, 0.0f, host));
    EXPECT_FALSE(ResizePixels(model, -1.0f, host));
}

TEST_F(EditingTest, PixelBands)
{
    Draw({"123", "456", "789"});
    SetDistance(model, 0, kDistanceX, 0, 2, 2, 2);
    ASSERT_TRUE(InsertPixelBand(model, 1, 0, 2, 1, host));
    EXPECT_EQ(Picture(), (std::vector<std::string>{"12223", "12223", "45556", "78889"}));
    EXPECT_EQ(model.distances[0].x2, 4);
    EXPECT_EQ(model.distances[0].y1, 3);
    ASSERT_TRUE(DeletePixelBand(model, 1, 1, 3, 1, host));
    EXPECT_EQ(Picture(), (std::vector<std::string>{"13", "46", "79"}));
    EXPECT_EQ(model.distances[0].x2, 1);
    EXPECT_EQ(model.distances[0].y1, 2);
    // A band reaching past the end is cut at it; points inside go to its start.
    SetDistance(model, 0, kDistanceX, 1, 0, 1, 0);
    ASSERT_TRUE(DeletePixelBand(model, 1, 2, 5, 5, host));
    EXPECT_EQ(Picture(), (std::vector<std::string>{"1", "4"}));
    EXPECT_EQ(model.distances[0].x1, 0);
}

TEST_F(EditingTest, ResizePixelHalvesTheBitmapAndTheMeshSizes)
{
    AllocatePixels(model, 11, 6, 3);
    model.pixels[0] = 4;
    model.pixs = 0.001f;
    model.tris = 10;
    model.colours[3].tric = 8;
    model.colours[4].tric = 6;
    model.colours[5].tric = 4; // not present: kept
    ComputeColourStatistics(model);
    SetDistance(model, 0, kDistanceX, 0, 1, 10, 1);
    ASSERT_TRUE(ResizePixels(model, 0.002f, host));
    EXPECT_EQ(model.width, 6); // trunc(5.5 + 0.5)
    EXPECT_EQ(model.height, 3);
    EXPECT_EQ(model.pixs, 0.002f);
    EXPECT_FLOAT_EQ(model.tris, 5);
    EXPECT_FLOAT_EQ(model.colours[3].tric, 4);
    EXPECT_FLOAT_EQ(model.colours[4].tric, 3);
    EXPECT_EQ(model.colours[5].tric, 4);
    EXPECT_EQ(Pixel(0, 0), 3) << "new (0, 0) takes old (trunc(0.5 / 0.5), trunc(0.5 / 0.5)) = (1, 1)";
    EXPECT_EQ(model.distances[0].x2, 5);
}

TEST_F(EditingTest, CropRemovesUniformBorderBandsOnly)
{
    Draw({"5551225", "5553445", "5555555"});
    ASSERT_TRUE(CropBitmapBorders(model, true, false, false, false, host));
    EXPECT_EQ(Picture(), (std::vector<std::string>{"1225", "3445", "5555"}));
    ASSERT_TRUE(CropBitmapBorders(model, false, true, false, true, host));
    EXPECT_EQ(Picture(), (std::vector<std::string>{"122", "344"}));
    Draw({"77", "77"});
    ASSERT_TRUE(CropBitmapBorders(model, true, true, true, true, host));
    EXPECT_EQ(Picture(), (std::vector<std::string>{"7"})) << "a uniform bitmap keeps one pixel";
    EXPECT_FALSE(CropBitmapBorders(model, true, true, true, true, host)) << "nothing to crop";
}

TEST_F(EditingTest, DeletingAColourLetsItsNeighboursGrowInTurn)
{
    // One row of 5 between 1 and 2: growth to the right (1) and to the left
    // (2) take turns, one layer each.
    Draw({"155552"});
    DissolveColour(model, 5, false, -1, defaults.lahm);
    EXPECT_EQ(Picture(), (std::vector<std::string>{"111222"}));
    // Three rows: the diagonal directions let 2 reach a little further.
    Draw({"1555552", "1555552", "1555552"});
    const int current = DeleteColour(s, 5);
    EXPECT_EQ(Picture(), (std::vector<std::string>{"1112222", "1112222", "1112222"}));
    EXPECT_EQ(current, 2) << "no colour above 5: the nearest below";
    EXPECT_EQ(model.colours[5].present, 0);
}

TEST_F(EditingTest, DissolvingHoldsBackHardMaterialsAndBoundaries)
{
    // 9 is hard (lamb 50 at or above 0.2) and waits while 1 can grow.
    Draw({"9555551"});
    model.colours[9].lamb = 50;
    model.colours[1].lamb = 0.04f;
    DissolveColour(model, 5, true, -1, defaults.lahm);
    EXPECT_EQ(Picture(), (std::vector<std::string>{"9111111"}));
    Draw({"9555551"});
    DissolveColour(model, 5, false, -1, defaults.lahm);
    EXPECT_EQ(Picture(), (std::vector<std::string>{"9991111"}));
    // Nothing but the colour: nothing can grow, the work still ends.
    Draw({"55", "55"});
    DissolveColour(model, 5, true, -1, defaults.lahm);
    EXPECT_EQ(Picture(), (std::vector<std::string>{"55", "55"}));
    EXPECT_EQ(model.colours[5].present, 1) << "pixels no colour reaches stay";
    // A kept colour does not grow.
    Draw({"3555551"});
    DissolveColour(model, 5, false, 3, defaults.lahm);
    EXPECT_EQ(Picture(), (std::vector<std::string>{"3111111"}));
    EXPECT_EQ(model.colours[3].present, 1);
}

TEST_F(EditingTest, NewColourMergeAndLineDrawing)
{
    Draw({"1122", "1133"});
    AssignNewColour(s, 2, 7);
    EXPECT_EQ(Picture(), (std::vector<std::string>{"1177", "1133"}));
    EXPECT_EQ(model.colours[2].present, 0);
    // Merge: 3 equals 7 in every value that matters, 1 does not.
    model.colours[7].lamb = model.colours[3].lamb = 0.5f;
    model.colours[3].patt = model.colours[7].patt = 4;
    MergeEqualColours(s, 7);
    EXPECT_EQ(Picture(), (std::vector<std::string>{"1177", "1177"}));
    // A line drawing of two colours: the zones of the larger get colours 10, 11, ...
    Draw({"0000000", "0001000", "1111111", "0001000"});
    model.colours[0].lamb = 0.3f;
    model.colours[0].patt = 9;
    FillLineDrawingCommand(s, 10);
    EXPECT_EQ(CountPresentColours(model), 3);
    EXPECT_EQ(model.colours[1].present, 0) << "the line colour dissolved";
    EXPECT_EQ(Pixel(0, 0), 10);
    EXPECT_EQ(Pixel(0, 3), 11);
    EXPECT_EQ(Pixel(6, 3), 12);
    EXPECT_EQ(model.colours[11].lamb, 0.3f);
    EXPECT_EQ(model.colours[11].patt, 16) << "the pattern of the new colour stays";
    Draw({"0123"});
    EXPECT_EQ(FillLineDrawing(model, 10), -1) << "not two colours";
}

TEST_F(EditingTest, WholeColourEditsRecordAnUndoSnapshotAndMarkTheModelModified)
{
    const std::pair<const char*, std::function<void()>> edits[] = {
        {"new colour", [&] { AssignNewColour(s, 2, 9); }},
        {"delete colour", [&] { DeleteColour(s, 2); }},
        {"merge colours", [&] { MergeEqualColours(s, 1); }},
        {"rotate", [&] { RotateModel90(s); }},
        {"line drawing", [&] { FillLineDrawingCommand(s, 20); }},
    };
    for (const auto& [name, edit] : edits) {
        Draw({"1122", "1122"});
        undo.Clear();
        SaveUndoRecord(undo, model, kUndoBase, 0, 0, false, host);
        host.modified = false;
        model.view.bitmapModified = 0;
        edit();
        EXPECT_EQ(undo.Count(), 2u) << name;
        EXPECT_EQ(undo.Current()->kind, kUndoPixels) << name;
        EXPECT_TRUE(host.modified) << name;
        EXPECT_EQ(model.view.bitmapModified, 1) << name;
        EXPECT_TRUE(UndoEdit(undo, model, host)) << name;
        EXPECT_EQ(Picture(), (std::vector<std::string>{"1122", "1122"})) << name;
        EXPECT_FALSE(host.modified) << name << ": back at the base snapshot";
    }
}

TEST_F(EditingTest, PixelValueConversion)
{
    WriteBytes("map.txt", "3 7\n7 3\n300 1\nnot a pair\n5\n9 -1\n");
    PixelValueMap map;
    ASSERT_NO_THROW(ConvertPixelValues("map.txt", map));
    EXPECT_EQ(map[3], 7);
    EXPECT_EQ(map[7], 3);
    EXPECT_EQ(map[9], -1);
    Draw({"0373", "1200"});
    ApplyPixelValueMap(model, map);
    // 0, 1 and 2 have no entry: the first numbers not used as targets.
    EXPECT_EQ(Picture(), (std::vector<std::string>{"0737", "1200"}));
    EXPECT_THROW(ConvertPixelValues("missing.txt", map), EngineError);
    EXPECT_FALSE(ConvertPixelValuesCommand(s, "missing.txt"));
    EXPECT_EQ(host.messages, std::vector<std::string>{FileOpenText("missing.txt")});
}

TEST_F(EditingTest, LabelPositionsAreTheLargestSquares)
{
    Draw({"1111122", "1111122", "1111133", "1111133", "3333333"});
    FindColourLabelPositions(model);
    EXPECT_EQ(model.colours[1].labelSize, 4);
    EXPECT_EQ(model.colours[1].labelX, 2);
    EXPECT_EQ(model.colours[1].labelY, 2);
    EXPECT_EQ(model.colours[2].labelSize, 2);
    EXPECT_EQ(model.colours[3].labelSize, 2);
    AllocatePixels(model, 40, 40, 6);
    FindColourLabelPositions(model);
    EXPECT_EQ(model.colours[6].labelSize, 32) << "at most 32 pixels";
}

} // namespace
} // namespace dralo::test
