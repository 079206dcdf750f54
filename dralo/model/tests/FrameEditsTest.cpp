// The window-frame edits: reduced heat transfer, Split Zones and EN 10077
// Preparation.
#include "dralo/model/editing/En10077.h"
#include "dralo/model/editing/ReducedHeatTransfer.h"
#include "dralo/model/editing/SplitZones.h"
#include "dralo/model/store/ColourQueries.h"
#include "dralo/model/store/Errors.h"
#include "dralo/model/store/Statistics.h"
#include "dralo/model/tests/ModelFixture.h"

#include <algorithm>

namespace dralo::test {
namespace {

class ReducedHeatTransferTest : public ModelTest {
  protected:
    // Material (1) in rows 0..4 over the interior colour 5 below, w x h.
    void SurfaceUnderMaterial(int w, int h)
    {
        AllocatePixels(model, w, h, 5);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < w; ++x)
                model.pixels[static_cast<std::size_t>(x + y * w)] = 1;
        BuildColourBoundaryEdges(model);
        SetColour(5, BC_SIMPL, 1, 20, 7.7f);
        model.colours[5].flux = 0.5f;
    }
    std::vector<std::uint8_t> Transposed() const
    {
        std::vector<std::uint8_t> t(model.pixels.size());
        for (int y = 0; y < model.height; ++y)
            for (int x = 0; x < model.width; ++x)
                t[static_cast<std::size_t>(y + x * model.height)] =
                    model.pixels[static_cast<std::size_t>(x + y * model.width)];
        return t;
    }
};

TEST_F(ReducedHeatTransferTest, TheWedgeIsThirtyMillimetresDeepAndOpensDownstream)
{
    SurfaceUnderMaterial(60, 50);
    model.pixs = 0.001f;
    SetReducedHeatTransfer(model, 182, 5, kFlowRightwards);
    int deepest = 0;
    int previousDepth = 0;
    for (int x = 0; x < 60; ++x) {
        // Each column: the wedge's pixels lie against the surface, in one run.
        int depth = 0;
        while (depth < 45 && Pixel(x, 5 + depth) == 182)
            ++depth;
        for (int y = 5 + depth; y < 50; ++y)
            EXPECT_EQ(Pixel(x, y), 5) << x << "," << y;
        EXPECT_GE(depth, previousDepth) << "the wedge opens downstream, column " << x;
        previousDepth = depth;
        deepest = std::max(deepest, depth);
    }
    EXPECT_EQ(deepest, 30) << "0.03 m of 1 mm pixels";
    EXPECT_GT(Pixel(0, 5), 0);
    const ColourRecord& r = model.colours[182];
    EXPECT_EQ(r.type, BC_SIMPL);
    EXPECT_EQ(r.rule, HI_REDUC);
    EXPECT_EQ(r.hglo, 5.0f);
    EXPECT_EQ(r.temp, 20.0f);
    EXPECT_EQ(r.flux, 0.5f);
}

TEST_F(ReducedHeatTransferTest, CoarsePixelsMakeAWedgeOnePixelDeep)
{
    SurfaceUnderMaterial(12, 9);
    model.pixs = 0.1f; // trunc(0.5 + 0.3) = 0, raised to 1
    SetReducedHeatTransfer(model, 182, 5, kFlowRightwards);
    for (int x = 0; x < 12; ++x) {
        EXPECT_EQ(Pixel(x, 5), 182) << x;
        EXPECT_EQ(Pixel(x, 6), 5) << x;
    }
}

TEST_F(ReducedHeatTransferTest, ASurfacePixelWhoseFirstStepLeavesTheColourAddsNothing)
{
    // A strip of the interior one pixel high: the ray's first diagonal step
    // leaves it at once.
    Draw({"11111", "55555"});
    SetColour(5, BC_SIMPL, 1, 20, 7.7f);
    model.pixs = 0.001f;
    SetReducedHeatTransfer(model, 182, 5, kFlowRightwards);
    EXPECT_EQ(Picture(), (std::vector<std::string>{"11111", "55555"}));
    EXPECT_EQ(model.colours[182].type, BC_SIMPL) << "the colour is set up all the same";
}

TEST_F(ReducedHeatTransferTest, MirroredAndTransposedFlowsGiveMirroredAndTransposedWedges)
{
    auto build = [&] {
        SurfaceUnderMaterial(40, 40);
        for (int y = 20; y < 40; ++y) // a step in the surface
            for (int x = 25; x < 40; ++x)
                model.pixels[static_cast<std::size_t>(x + y * 40)] = 1;
        BuildColourBoundaryEdges(model);
        model.pixs = 0.002f;
    };
    build();
    SetReducedHeatTransfer(model, 182, 5, kFlowRightwards);
    const std::vector<std::uint8_t> rightwards = model.pixels;
    // Mirrored left to right, heat flowing leftwards.
    build();
    for (int y = 0; y < 40; ++y)
        std::reverse(model.pixels.begin() + y * 40, model.pixels.begin() + y * 40 + 40);
    BuildColourBoundaryEdges(model);
    SetReducedHeatTransfer(model, 182, 5, kFlowLeftwards);
    for (int y = 0; y < 40; ++y)
        std::reverse(model.pixels.begin() + y * 40, model.pixels.begin() + y * 40 + 40);
    EXPECT_EQ(model.pixels, rightwards);
    // Transposed, heat flowing downwards.
    build();
    model.pixels = Transposed();
    BuildColourBoundaryEdges(model);
    SetReducedHeatTransfer(model, 182, 5, kFlowDownwards);
    EXPECT_EQ(Transposed(), rightwards);
    EXPECT_GT(std::count(rightwards.begin(), rightwards.end(), 182), 100);
}

TEST_F(ReducedHeatTransferTest, AnIsolatedPixelSpreadsToItsNeighboursOfTheColour)
{
    Draw({"55555", "55855", "55555", "88555"});
    SpreadIsolatedPixels(model, 8, 5);
    EXPECT_EQ(Picture(), (std::vector<std::string>{"55855", "58885", "55855", "88555"}));
}

TEST_F(ReducedHeatTransferTest, TheCommandEndsAsEveryEdit)
{
    SurfaceUnderMaterial(40, 40);
    SaveUndoRecord(undo, model, kUndoBase, 0, 0, false, host);
    RunSetReducedHeatTransfer(s, 5, kFlowRightwards);
    EXPECT_EQ(undo.Count(), 2u);
    EXPECT_TRUE(host.modified);
    EXPECT_EQ(model.colours[182].present, 1);
}

class SplitZonesTest : public ModelTest {
  protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        session.split.szcl = 0;
        session.split.szgr = 0;
        session.split.szps = 1;
        session.split.szcf = 10;
        session.split.szcs = 254;
    }
};

TEST_F(SplitZonesTest, EachZoneGetsAColourOfItsOwnAndSmallZonesShareOne)
{
    // Colour 1 in zones of 6, 2 and 4 pixels; 11 is present already.
    Draw({"111011", "111000", "00000b", "1111bb"}, {{'b', 11}});
    model.colours[1].lamb = 0.025f;
    model.colours[1].name = "cavity";
    session.split.szps = 3;
    ASSERT_TRUE(SplitZones(model, session.split, defaults.lahm, 1, 10));
    ComputeColourStatistics(model);
    // The cores are numbered first (10, 12, 13: 11 is taken), then the small
    // one goes to the small-zone colour.
    EXPECT_EQ(Picture({{'a', 10}, {'b', 11}, {'c', 13}, {'z', 254}}),
              (std::vector<std::string>{"aaa0zz", "aaa000", "00000b", "ccccbb"}));
    EXPECT_EQ(model.colours[1].present, 0);
    EXPECT_EQ(model.colours[13].lamb, 0.025f);
    EXPECT_EQ(model.colours[13].name, "cavity");
}

TEST_F(SplitZonesTest, OneLargeZoneMovesWholeToOneNewColour)
{
    Draw({"0110", "0110"});
    ASSERT_TRUE(SplitZones(model, session.split, defaults.lahm, 1, 10));
    EXPECT_EQ(Picture({{'a', 10}}), (std::vector<std::string>{"0aa0", "0aa0"}));
}

TEST_F(SplitZonesTest, StageOneDeletesZonesOfAtMostTheAreaLimit)
{
    // Zones of 2 and 3 pixels of colour 1 in colour 0; limit 2.
    Draw({"1100000", "0000111", "0000000"});
    session.split.szcl = 1;
    session.split.szpc = 2;
    ASSERT_TRUE(DeleteSmallZones(model, session.split, defaults.lahm, 1));
    EXPECT_EQ(Picture(), (std::vector<std::string>{"0000000", "0000111", "0000000"}));
}

TEST_F(SplitZonesTest, Nearness)
{
    ColourEdges edges;
    edges.vertical.push_back({5, 0, 3});
    EXPECT_TRUE(IsNearVerticalEdge(edges, 6, 4, 2)) << "gaps 1 and 1: 2 < 4";
    EXPECT_FALSE(IsNearVerticalEdge(edges, 6, 4, 1));
    for (int r : {1, 2, 5})
        EXPECT_TRUE(IsNearVerticalEdge(edges, 5, 1, r)) << "its left side lies on the edge";
    EXPECT_TRUE(IsNearVerticalEdge(edges, 3, 1, 2)) << "gap 5 - (3 + 1) = 1 across";
    EXPECT_FALSE(IsNearVerticalEdge(edges, 2, 1, 2)) << "gap 2 across: not nearer than 2";
    ColourEdges horizontal;
    horizontal.horizontal.push_back({5, 0, 3});
    EXPECT_TRUE(IsNearHorizontalEdge(horizontal, 4, 6, 2));
    EXPECT_FALSE(IsNearHorizontalEdge(horizontal, 4, 6, 1));
}

TEST_F(SplitZonesTest, APixelSizeThatMakesNoGrooveRadiusSwitchesTheOptimisationOff)
{
    Draw({"0110", "0110"});
    model.pixs = 0.003f; // 2 mm: trunc(0.333 + 0.5) = 0
    session.split.szgr = 1;
    EXPECT_EQ(GrooveRadius(model, session.split), 0);
    ASSERT_TRUE(SplitZones(model, session.split, defaults.lahm, 1, 10));
    EXPECT_EQ(session.split.szgr, 0);
    EXPECT_EQ(Picture({{'a', 10}}), (std::vector<std::string>{"0aa0", "0aa0"}));
}

TEST_F(SplitZonesTest, WithAllColoursPresentNothingIsRecolouredAndTheMessageIsShown)
{
    AllocatePixels(model, 16, 17, 0);
    for (int i = 0; i < 256; ++i)
        model.pixels[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    model.pixels[256] = 1;
    BuildColourBoundaryEdges(model);
    const std::vector<std::uint8_t> before = model.pixels;
    session.split.szcl = 1;
    EXPECT_FALSE(RunSplitZones(s, 1));
    EXPECT_EQ(model.pixels, before);
    EXPECT_EQ(host.messages, std::vector<std::string>{kMsgNoFreeColours});
}

TEST_F(SplitZonesTest, ANarrowChannelSplitsTwoChambers)
{
    // Two 12 x 12 chambers of colour 1 joined by a channel 2 pixels wide, in
    // frame material 8; 1 mm pixels, 2 mm grooves: radius 1.
    AllocatePixels(model, 40, 16, 8);
    auto fill = [&](int x0, int x1, int y0, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                model.pixels[static_cast<std::size_t>(x + y * 40)] = 1;
    };
    fill(2, 14, 2, 14);
    fill(14, 26, 7, 9);
    fill(26, 38, 2, 14);
    BuildColourBoundaryEdges(model);
    model.pixs = 0.001f;
    session.split.szgr = 1;
    session.split.szps = 10;
    const std::int64_t cavity = model.colours[1].pixelCount;
    ASSERT_TRUE(SplitZones(model, session.split, defaults.lahm, 1, 20));
    ComputeColourStatistics(model);
    EXPECT_EQ(model.colours[1].present, 0);
    EXPECT_NE(Pixel(5, 5), Pixel(30, 5)) << "the chambers are zones of their own";
    // Every pixel of the cavity went to a colour of the split; none of the frame did.
    std::int64_t split = 0;
    for (int c = 20; c < 254; ++c)
        split += model.colours[static_cast<std::size_t>(c)].pixelCount;
    split += model.colours[254].pixelCount;
    EXPECT_EQ(split, cavity);
    EXPECT_EQ(model.colours[8].pixelCount, 40 * 16 - cavity);
}

class En10077Test : public ModelTest {
  protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        SetColour(defaults.cint, BC_SIMPL, 1, 20, 7.7f);
        SetColour(defaults.cext, BC_SIMPL, 1, 0, 25);
        SetColour(8, MATERIAL, 0.13f);
        SetColour(13, MATERIAL, 0.035f);
        model.pixs = 0.001f;
        SaveUndoRecord(undo, model, kUndoBase, 0, 0, false, host);
    }
};

TEST_F(En10077Test, EnvironmentsFromTheCavityColourAtTwoOppositeBorders)
{
    // The cavity colour (1) left and right of a frame bar that spans the height.
    Draw({"11888811", "11888811", "11888811"});
    EXPECT_EQ(PrepareEn10077Model(s), FrameLayout::XInteriorLeft);
    EXPECT_EQ(Pixel(0, 0), defaults.cint);
    EXPECT_EQ(Pixel(7, 2), defaults.cext);
    EXPECT_EQ(model.ndis, 1) << "the frame distance";
    EXPECT_EQ(model.colours[defaults.crht].rule, HI_REDUC);
    EXPECT_TRUE(host.modified);
    EXPECT_EQ(undo.Count(), 2u);
}

TEST_F(En10077Test, CavitiesBecomeEquivalentMaterialsEachWithAColourOfItsOwn)
{
    Draw({"11888888888811", "11881188118811", "11881188118811", "11888888888811"});
    ASSERT_EQ(PrepareEn10077Model(s), FrameLayout::XInteriorLeft);
    const int a = Pixel(4, 1), b = Pixel(8, 1);
    EXPECT_NE(a, b);
    for (int c : {a, b}) {
        EXPECT_EQ(model.colours[static_cast<std::size_t>(c)].type, EQUIMAT) << c;
        EXPECT_EQ(model.colours[static_cast<std::size_t>(c)].rule, CEN_Xy_I) << c;
    }
    EXPECT_EQ(Pixel(5, 2), a);
    EXPECT_EQ(session.split.szcf, defaults.ccav) << "the first new colour was 0: the cavity colour";
}

TEST_F(En10077Test, BordersNotOfTheCavityColourLeaveTheEnvironmentsAlone)
{
    defaults.npxd = 1; // the cavities stay
    Draw({"88888888", "81188118", "88888888"});
    EXPECT_EQ(PrepareEn10077Model(s), FrameLayout::None);
    EXPECT_EQ(Picture(), (std::vector<std::string>{"88888888", "81188118", "88888888"}));
    EXPECT_FALSE(host.modified);
}

TEST_F(En10077Test, ASmallSingleCavityZoneDisappears)
{
    Draw({"8888", "8188", "8888"});
    EXPECT_EQ(PrepareEn10077Model(s), FrameLayout::None);
    EXPECT_EQ(Picture(), (std::vector<std::string>{"8888", "8888", "8888"}));
    EXPECT_TRUE(host.modified);
}

TEST_F(En10077Test, ShortPanelsAreLengthenedAtTheBorder)
{
    // Heat flow along y, interior on top; a panel of 150 pixels left of the
    // frame and one of 190 right of it.
    const int w = 150 + 20 + 190;
    AllocatePixels(model, w, 20, 13);
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < 2; ++y)
            model.pixels[static_cast<std::size_t>(x + y * w)] = defaults.cint;
        for (int y = 18; y < 20; ++y)
            model.pixels[static_cast<std::size_t>(x + y * w)] = defaults.cext;
        if (x >= 150 && x < 170)
            for (int y = 2; y < 18; ++y)
                model.pixels[static_cast<std::size_t>(x + y * w)] = 8;
    }
    BuildColourBoundaryEdges(model);
    const std::vector<std::uint8_t> firstColumn = [&] {
        std::vector<std::uint8_t> c;
        for (int y = 0; y < 20; ++y)
            c.push_back(static_cast<std::uint8_t>(Pixel(0, y)));
        return c;
    }();
    EXPECT_EQ(PrepareEn10077Model(s), FrameLayout::YInteriorTop);
    EXPECT_EQ(model.width, w + 40) << "trunc(190 - 150 + 0.5) columns at the left";
    ASSERT_EQ(model.ndis, 3);
    EXPECT_EQ(model.distances[1].x1, 0);
    EXPECT_EQ(model.distances[1].x2, 189);
    EXPECT_EQ(model.distances[0].x1, 190) << "the frame moved with the pixels";
    EXPECT_EQ(model.distances[2].x2, model.width - 1);
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < 20; ++y)
            ASSERT_EQ(Pixel(x, y), firstColumn[static_cast<std::size_t>(y)]) << "new columns repeat the border";
    EXPECT_TRUE(host.wholeBitmap);
}

} // namespace
} // namespace dralo::test
