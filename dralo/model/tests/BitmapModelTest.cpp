// The bitmap model: statistics, zone counts, boundary edges (full build and
// update), changed pixels and the colour-table queries, checked against
// brute-force counts of the pixels.
#include "dralo/model/store/ColourQueries.h"
#include "dralo/model/store/FloodFill.h"
#include "dralo/model/store/Statistics.h"
#include "dralo/model/tests/ModelFixture.h"

#include <random>

namespace dralo::test {
namespace {

using BitmapModelTest = ModelTest;

// Zones of every colour by one flood fill per unvisited pixel.
std::array<int, kColourCount> BruteForceZones(BitmapModel m)
{
    std::array<int, kColourCount> zones{};
    FillWork work;
    work.Reset(m);
    for (std::int64_t i = 0; i < PixelTotal(m); ++i) {
        if (work.visited[static_cast<std::size_t>(i)])
            continue;
        const std::uint8_t c = m.pixels[static_cast<std::size_t>(i)];
        ++zones[c];
        FloodFillColourZone(m, i % m.width, i / m.width, c, c, work);
    }
    return zones;
}

void ExpectStatisticsOfPixels(const BitmapModel& m)
{
    for (int c = 0; c < kColourCount; ++c) {
        int count = 0, minX = m.width, maxX = -1, minY = m.height, maxY = -1;
        for (int y = 0; y < m.height; ++y)
            for (int x = 0; x < m.width; ++x)
                if (GetPixelColour(m, x, y) == c) {
                    ++count;
                    minX = std::min(minX, x), maxX = std::max(maxX, x);
                    minY = std::min(minY, y), maxY = std::max(maxY, y);
                }
        const ColourRecord& r = m.colours[static_cast<std::size_t>(c)];
        ASSERT_EQ(r.pixelCount, count) << "colour " << c;
        ASSERT_EQ(r.present, count > 0 ? 1 : 0) << "colour " << c;
        if (count > 0) {
            ASSERT_EQ(r.minX, minX) << "colour " << c;
            ASSERT_EQ(r.maxX, maxX) << "colour " << c;
            ASSERT_EQ(r.minY, minY) << "colour " << c;
            ASSERT_EQ(r.maxY, maxY) << "colour " << c;
        }
    }
}

TEST_F(BitmapModelTest, EdgeCasesOfTheBoundaryEdges)
{
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        std::vector<BoundaryEdge> edges; // the full build's records, in order
    };
    const std::vector<Case> cases = {
        {"one colour: the outline as four records",
         {"111", "111"},
         {{-1, 1, 0, 0, 3, 0}, {1, -1, 0, 2, 3, 2}, {1, -1, 0, 0, 0, 2}, {-1, 1, 3, 0, 3, 2}}},
        {"two colours meeting along a straight line: one record for the line",
         {"1122", "1122", "1122"},
         {{-1, 1, 0, 0, 2, 0},
          {-1, 2, 2, 0, 4, 0},
          {1, -1, 0, 3, 2, 3},
          {2, -1, 2, 3, 4, 3},
          {1, -1, 0, 0, 0, 3},
          {2, 1, 2, 0, 2, 3},
          {-1, 2, 4, 0, 4, 3}}},
    };
    for (const Case& c : cases) {
        Draw(c.rows);
        EXPECT_EQ(model.edges, c.edges) << c.name;
    }
}

TEST_F(BitmapModelTest, FullBuildCoversEveryPixelSideWithMaximalRuns)
{
    Draw({"1112223", "1412223", "1442555", "6666555", "6776550"});
    EXPECT_EQ(UnitSides(model.edges), BruteForceSides(model));
    // Maximal runs: no two records of one line and colour pair touch end to end.
    for (const BoundaryEdge& a : model.edges)
        for (const BoundaryEdge& b : model.edges)
            EXPECT_FALSE(a.left == b.left && a.right == b.right && a.x2 == b.x1 && a.y2 == b.y1 &&
                         (a.y1 == a.y2) == (b.y1 == b.y2) && (a.y1 == a.y2 ? a.y1 == b.y1 : a.x1 == b.x1));
    // Horizontal records row by row, then vertical ones column by column.
    bool vertical = false;
    for (std::size_t i = 0; i + 1 < model.edges.size(); ++i) {
        const BoundaryEdge &a = model.edges[i], &b = model.edges[i + 1];
        vertical = vertical || a.x1 == a.x2;
        if (vertical) {
            EXPECT_TRUE(b.x1 == b.x2 && (a.x1 < b.x1 || (a.x1 == b.x1 && a.y2 <= b.y1)));
        } else if (b.y1 == b.y2) {
            EXPECT_TRUE(a.y1 < b.y1 || (a.y1 == b.y1 && a.x2 <= b.x1));
        }
    }
}

TEST_F(BitmapModelTest, OnePixelEditSplitsTheRecordsThroughItAtTheBoxSides)
{
    Draw({"11111", "11111", "22222"});
    ASSERT_TRUE(SetPixelColour(model, PixelIndex(model, 2, 1), 3));
    UpdateColourBoundaryEdges(model, model.changed.entries, true);
    // The line between rows 1 and 2 is cut at x = 2 and x = 3.
    const std::vector<BoundaryEdge> expected = {{1, 2, 0, 2, 2, 2}, {1, 2, 3, 2, 5, 2}, {3, 2, 2, 2, 3, 2}};
    for (const BoundaryEdge& e : expected)
        EXPECT_NE(std::find(model.edges.begin(), model.edges.end(), e), model.edges.end())
            << e.left << " " << e.right << " " << e.x1 << "," << e.y1 << " " << e.x2 << "," << e.y2;
    EXPECT_EQ(UnitSides(model.edges), BruteForceSides(model));
}

TEST_F(BitmapModelTest, RandomEditsKeepEdgesStatisticsAndZonesEqualToBruteForce)
{
    std::mt19937 rng(28);
    for (int round = 0; round < 40; ++round) {
        const int w = 1 + static_cast<int>(rng() % 23), h = 1 + static_cast<int>(rng() % 17);
        AllocatePixels(model, w, h, 0);
        const int colours = 1 + static_cast<int>(rng() % 5);
        // Blocks of colour, so that there are long runs to split.
        for (int b = 0; b < 6; ++b) {
            const int x0 = static_cast<int>(rng() % w), y0 = static_cast<int>(rng() % h);
            const int x1 = std::min(w, x0 + 1 + static_cast<int>(rng() % w));
            const int y1 = std::min(h, y0 + 1 + static_cast<int>(rng() % h));
            const auto c = static_cast<std::uint8_t>(rng() % colours);
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x)
                    model.pixels[static_cast<std::size_t>(x + y * w)] = c;
        }
        BuildColourBoundaryEdges(model);
        ASSERT_EQ(UnitSides(model.edges), BruteForceSides(model));
        for (int edit = 0; edit < 8; ++edit) {
            const int n = 1 + static_cast<int>(rng() % 6);
            for (int k = 0; k < n; ++k)
                SetPixelColour(model, static_cast<std::int64_t>(rng() % (w * h)),
                               static_cast<std::uint8_t>(rng() % (colours + 1)));
            UpdateColourBoundaryEdges(model, model.changed.entries, true);
            model.changed.entries.clear();
            ASSERT_EQ(UnitSides(model.edges), BruteForceSides(model)) << "round " << round << " edit " << edit;
            ExpectStatisticsOfPixels(model);
            for (const ColourRecord& c : model.colours)
                ASSERT_EQ(c.zoneCount, 0) << "an update leaves the zones to be counted";
        }
        CountColourZones(model);
        const auto zones = BruteForceZones(model);
        for (int c = 0; c < kColourCount; ++c)
            ASSERT_EQ(model.colours[static_cast<std::size_t>(c)].zoneCount, zones[static_cast<std::size_t>(c)]);
    }
}

TEST_F(BitmapModelTest, ZoneCountsOfShapesThatJoinLate)
{
    // Two U shapes join their arms only on their last row; a pixel below a
    // gap and pixels touching only diagonally are zones of their own.
    Draw({"1010101", "1010101", "1110111", "0001000", "2020020", "0202002"});
    CountColourZones(model);
    const auto zones = BruteForceZones(model);
    EXPECT_EQ(model.colours[1].zoneCount, 3);
    EXPECT_EQ(model.colours[2].zoneCount, zones[2]);
    EXPECT_EQ(model.colours[2].zoneCount, 6);
    EXPECT_EQ(model.colours[0].zoneCount, zones[0]);
}

TEST_F(BitmapModelTest, ChangedPixelListStopsListingWhenFull)
{
    AllocatePixels(model, 100, 100, 0);
    EXPECT_EQ(model.changed.capacity, 1250);
    AllocatePixels(model, 10, 10, 0);
    EXPECT_EQ(model.changed.capacity, 1000);
    AllocatePixels(model, 1000, 1000, 0);
    EXPECT_EQ(model.changed.capacity, 10000);
    for (int i = 0; i < 10005; ++i)
        EXPECT_TRUE(SetPixelColour(model, i, 1));
    EXPECT_EQ(model.changed.entries.size(), 10000u);
    EXPECT_TRUE(model.changed.Full());
    EXPECT_EQ(model.pixels[10004], 1) << "the pixel still changes";
    EXPECT_FALSE(SetPixelColour(model, 0, 1)) << "no change, nothing listed";
}

TEST_F(BitmapModelTest, PixelQueriesOutsideTheBitmap)
{
    Draw({"12", "34"});
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {2, 0}, {0, 2}, {-100000, 5}})
        EXPECT_EQ(GetPixelColour(model, x, y), -1);
    EXPECT_EQ(GetPixelColour(model, 1, 1), 4);
}

TEST_F(BitmapModelTest, PresentAndDefinedColourQueries)
{
    EXPECT_EQ(GetNthPresentColour(model, 0), 0) << "none present";
    Draw({"5577", "9977"});
    EXPECT_EQ(CountPresentColours(model), 3);
    EXPECT_EQ(GetNthPresentColour(model, 1), 7);
    EXPECT_EQ(GetNthPresentColour(model, 3), 5) << "beyond the present colours: the first";
    EXPECT_EQ(GetPresentColourIndex(model, 9), 2);
    EXPECT_EQ(GetPresentColourIndex(model, 6), -1);
    model.colours[200].lamb = 0.5f;
    model.colours[3].name = "named";
    EXPECT_EQ(GetNthDefinedColour(model, 0), 3);
    EXPECT_EQ(GetNthDefinedColour(model, 4), 200);
    EXPECT_EQ(GetDefinedColourIndex(model, 200), 4);
    EXPECT_EQ(FindFreeColour(model, 5), 6);
    EXPECT_EQ(FindFreeColour(model, 255), 255);
}

TEST_F(BitmapModelTest, FindFreeColourWithAllPresentReturnsItsArgument)
{
    AllocatePixels(model, 16, 16, 0);
    for (int i = 0; i < 256; ++i)
        model.pixels[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    ComputeColourStatistics(model);
    for (int c : {0, 17, 255})
        EXPECT_EQ(FindFreeColour(model, c), c);
}

TEST_F(BitmapModelTest, TwoBoundaryTemperatures)
{
    struct Colour {
        int type;
        float temp, hglo, flux, tair, trad;
    };
    struct Case {
        const char* name;
        std::vector<Colour> colours;
        bool two;
    };
    const Case cases[] = {
        {"two surfaces", {{BC_SIMPL, 0, 25, 0, 0, 0}, {BC_SIMPL, 20, 7.7f, 0, 0, 0}}, true},
        {"one temperature twice", {{BC_SIMPL, 20, 25, 0, 0, 0}, {BC_FRE_S, 20, 7.7f, 0, 0, 0}}, false},
        {"an adiabatic surface is skipped",
         {{BC_SIMPL, 0, 25, 0, 0, 0}, {BC_SIMPL, 20, 7.7f, 0, 0, 0}, {BC_SIMPL, 5, 0, 0, 0, 0}},
         true},
        {"a flux", {{BC_SIMPL, 0, 25, 3, 0, 0}, {BC_SIMPL, 20, 7.7f, 0, 0, 0}}, false},
        {"a sky boundary at its air temperature", {{BC_SKY, 0, 0, 0, -5, -5}, {BC_SIMPL, 20, 7.7f, 0, 0, 0}}, true},
        {"a sky boundary with another radiant temperature",
         {{BC_SKY, 0, 0, 0, -5, -10}, {BC_SIMPL, 20, 7.7f, 0, 0, 0}},
         false},
        {"any BC_NOSKY", {{BC_NOSKY, 0, 0, 0, 0, 0}, {BC_SIMPL, 20, 7.7f, 0, 0, 0}, {BC_SIMPL, 0, 7.7f, 0, 0, 0}},
         false},
        {"three temperatures",
         {{BC_SIMPL, 0, 25, 0, 0, 0}, {BC_SIMPL, 20, 7.7f, 0, 0, 0}, {BC_SIMPL, 10, 7.7f, 0, 0, 0}},
         false},
    };
    for (const Case& c : cases) {
        LoadMaterialColours(model);
        AllocatePixels(model, static_cast<std::int32_t>(c.colours.size()) + 1, 1, 0);
        for (std::size_t i = 0; i < c.colours.size(); ++i) {
            ColourRecord& r = model.colours[i + 1];
            r.type = c.colours[i].type;
            r.temp = c.colours[i].temp;
            r.hglo = c.colours[i].hglo;
            r.flux = c.colours[i].flux;
            r.tair = c.colours[i].tair;
            r.trad = c.colours[i].trad;
            model.pixels[i + 1] = static_cast<std::uint8_t>(i + 1);
        }
        ComputeColourStatistics(model);
        EXPECT_EQ(HasTwoBoundaryTemperatures(model), c.two) << c.name;
    }
}

TEST_F(BitmapModelTest, FloodFillReachesTheFourConnectedZoneOnly)
{
    Draw({"11011", "01010", "11111", "00100"});
    FillWork work;
    work.Reset(model);
    EXPECT_EQ(FloodFillColourZone(model, 0, 0, 1, 7, work), 12);
    EXPECT_EQ(Picture(), (std::vector<std::string>{"77077", "07070", "77777", "00700"}));
}

TEST_F(BitmapModelTest, StatisticsOfAColourFillingAHugeBitmapDoNotOverflow)
{
    AllocatePixels(model, 4000, 3000, 9);
    ComputeColourStatistics(model);
    EXPECT_EQ(model.colours[9].pixelCount, 12000000);
    EXPECT_EQ(model.colours[9].maxX, 3999);
    EXPECT_EQ(model.colours[9].maxY, 2999);
    EXPECT_EQ(model.colours[0].present, 0);
    EXPECT_EQ(model.colours[0].minX, 4000) << "an absent colour's box starts at the far corner";
}

} // namespace
} // namespace dralo::test
