// The sunlit-node file and the flux files: written and read back, fluxes
// found by their line whatever order the records are in, tolerant flux
// reading and the checks of the sunlit-node reader.
#include "gelmar/model/solar/SolarFiles.h"

#include "SolarFixture.h"
#include "gelmar/model/solar/SolarFlux.h"

#include <filesystem>
#include <map>
#include <tuple>

namespace gelmar::test {
namespace {

class SolarFilesTest : public SolarTest {
  protected:
    void SetUp() override
    {
        SolarTest::SetUp();
        // Two materials on a slab under the solar sky, so the records carry
        // two colours.
        SetGrid({1, 2, 1}, {1, 1}, {1, 1});
        Colour(1, MATERIAL);
        Colour(4, MATERIAL);
        Colour(2, BC_SKY, true);
        Block(1, 0, 3, 0, 2, 0, 1);
        Block(4, 1, 3, 0, 2, 0, 1);
        Block(2, 0, 3, 0, 2, 1, 2);
        Rasterise();
        PrepareSolarSurfaces(engine.model, engine.run, Host(), true);
        engine.model.saveResults = 1;
        engine.model.saveFrequency = 2;
        engine.model.timeStep = 600;
    }
    using Key = std::tuple<int, int, int>; // node, orientation, file line
    std::map<Key, float> Fluxes() const
    {
        std::map<Key, float> out;
        for (const SunlitNodeRecord& r : engine.run.solar.records)
            out[{r.node, r.orientation, r.fileLine}] = r.flux;
        return out;
    }
    void SetFluxes(float base)
    {
        for (SunlitNodeRecord& r : engine.run.solar.records)
            r.flux = base + static_cast<float>(r.fileLine) * 0.5f;
    }
};

TEST_F(SolarFilesTest, NamesFollowTheSavedSteps)
{
    EXPECT_EQ(SolarFileName(engine.model, 0, ".sfd"), "tmp0000.sfd");
    EXPECT_EQ(SolarFileName(engine.model, 6000, ".sfx"), "tmp0005.sfx");
    EXPECT_TRUE(IsSaveStep(engine.model, 1200));
    EXPECT_FALSE(IsSaveStep(engine.model, 600));
    EXPECT_FALSE(IsSaveStep(engine.model, -1200));
    engine.model.saveResults = 0;
    EXPECT_FALSE(IsSaveStep(engine.model, 1200));
}

TEST_F(SolarFilesTest, SunlitNodesWrittenAndReadBack)
{
    ASSERT_TRUE(std::filesystem::exists("tmp0000.sfd"));
    const std::vector<SunlitNodeRecord> written = engine.run.solar.records;
    const std::string bytes = ReadBytes("tmp0000.sfd");
    EXPECT_EQ(bytes.rfind("D " + std::to_string(written.size()) + "\r\nN ", 0), 0u);
    ASSERT_TRUE(ReadSunlitNodesFile(engine.model, engine.run, Host()));
    ASSERT_EQ(engine.run.solar.records.size(), written.size());
    for (std::size_t n = 0; n < written.size(); ++n) {
        EXPECT_EQ(engine.run.solar.records[n].node, written[n].node);
        EXPECT_EQ(engine.run.solar.records[n].orientation, written[n].orientation);
        EXPECT_EQ(engine.run.solar.records[n].colour, written[n].colour);
        EXPECT_EQ(engine.run.solar.records[n].area, written[n].area);
        EXPECT_EQ(engine.run.solar.records[n].fileLine, static_cast<int>(n));
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(SolarFilesTest, EachReadGivesEveryRecordTheFluxOfItsOwnLine)
{
    SetFluxes(100);
    const auto first = Fluxes();
    WriteSolarFluxFile(engine.model, engine.run, 1200);
    SetFluxes(300);
    const auto second = Fluxes();
    WriteSolarFluxFile(engine.model, engine.run, 2400);
    engine.run.solar.records.clear(); // as the output windows start: from the files
    ReadSolarFluxFile(engine.model, engine.run, Host(), 1200);
    EXPECT_EQ(Fluxes(), first);
    ReadSolarFluxFile(engine.model, engine.run, Host(),
                      2400); // the records are now in node/orientation/colour order
    EXPECT_EQ(Fluxes(), second);
    ReadSolarFluxFile(engine.model, engine.run, Host(), 1200);
    EXPECT_EQ(Fluxes(), first);
    for (std::size_t n = 1; n < engine.run.solar.records.size(); ++n) {
        const SunlitNodeRecord &a = engine.run.solar.records[n - 1], &b = engine.run.solar.records[n];
        EXPECT_LE(std::tuple(a.node, a.orientation, a.colour), std::tuple(b.node, b.orientation, b.colour));
    }
    // GetSurfaceFlux: the area-weighted mean of one node, orientation and colour.
    const SunlitNodeRecord& r = engine.run.solar.records.front();
    double weighted = 0, area = 0;
    for (const SunlitNodeRecord& s : engine.run.solar.records) {
        if (s.node == r.node && s.orientation == r.orientation && s.colour == r.colour)
            weighted += s.flux * s.area, area += s.area;
    }
    int p[3] = {0, 0, 0};
    for (int i = 0; i <= 3; ++i)
        for (int j = 0; j <= 2; ++j)
            for (int k = 0; k <= 2; ++k)
                if (Node(i, j, k) == r.node)
                    p[0] = i, p[1] = j, p[2] = k;
    EXPECT_FLOAT_EQ(GetSurfaceFlux(engine.run, p[0], p[1], p[2], r.orientation, r.colour), weighted / area);
    EXPECT_EQ(GetSurfaceFlux(engine.run, p[0], p[1], p[2], r.orientation, 200), 0.0f);
}

TEST_F(SolarFilesTest, MissingShortAndLongFluxFilesAreTolerated)
{
    ReadSolarFluxFile(engine.model, engine.run, Host(), 9 * 1200); // no file: zeros
    for (const SunlitNodeRecord& r : engine.run.solar.records)
        EXPECT_EQ(r.flux, 0.0f);
    const std::size_t n = engine.run.solar.records.size();
    ASSERT_GE(n, 4u);
    WriteBytes(SolarFileName(engine.model, 1200, ".sfx"), "5\r\n" + std::string(300, '7') + "\r\nx\r\n6\n");
    ReadSolarFluxFile(engine.model, engine.run, Host(), 1200);
    for (const SunlitNodeRecord& r : engine.run.solar.records)
        EXPECT_EQ(r.flux, r.fileLine == 0 ? 5.0f : (r.fileLine == 1 ? 6.0f : 0.0f)) << r.fileLine;
    std::string many;
    for (std::size_t k = 0; k < n + 5; ++k)
        many += "2\r\n";
    WriteBytes(SolarFileName(engine.model, 1200, ".sfx"), many);
    ReadSolarFluxFile(engine.model, engine.run, Host(), 1200);
    for (const SunlitNodeRecord& r : engine.run.solar.records)
        EXPECT_EQ(r.flux, 2.0f);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(SolarFilesTest, BadSunlitNodeFilesAreReportedAndLeaveNoRecords)
{
    const int nodes = engine.run.solar.grid.gridNodes;
    struct Case {
        std::string text;
        int line;
    } cases[] = {
        {"D 2\r\nN 1 5 1 0.25\r\n", 2},                 // fewer N lines than counted
        {"D 1\r\nN 1 5 1 0.25\r\nN 2 5 1 0.25\r\n", 3}, // more
        {"N 1 5 1 0.25\r\nD 1\r\n", 1},                 // N before D
        {"D 0\r\n", 1},
        {"D 1\r\nN 1 6 1 0.25\r\n", 2},
        {"D 1\r\nN -1 5 1 0.25\r\n", 2},
        {"D 1\r\nN " + std::to_string(nodes) + " 5 1 0.25\r\n", 2},
        {"D 1\r\nN 1 5 256 0.25\r\n", 2},
        {"D 1\r\nN 1 5 1 0\r\n", 2},
        {"D 1\r\nN 1 5 1\r\n", 2},
        {"D 1\r\nX\r\nN 1 5 1 0.25\r\n", 2},
        {"D 1\r\nD 1\r\n", 2},
        {"D 1\r\nN 1 5 1 " + std::string(300, '1') + "\r\n", 2},
        {std::string("\x01\xff\0zz", 5), 1},
    };
    for (const Case& c : cases) {
        host.messages.clear();
        WriteBytes("tmp0000.sfd", c.text);
        EXPECT_FALSE(ReadSunlitNodesFile(engine.model, engine.run, Host())) << c.text;
        EXPECT_TRUE(engine.run.solar.records.empty());
        EXPECT_EQ(LastMessage(), "Syntax error in file tmp0000.sfd\nLine " + std::to_string(c.line))
            << c.text;
    }
    host.messages.clear();
    std::filesystem::remove("tmp0000.sfd");
    EXPECT_FALSE(ReadSunlitNodesFile(engine.model, engine.run, Host()));
    EXPECT_TRUE(host.messages.empty());               // no file: no message
    WriteBytes("tmp0000.sfd", "D 1\nN 1 5 1 0.25\n"); // LF line ends read as well
    EXPECT_TRUE(ReadSunlitNodesFile(engine.model, engine.run, Host()));
}

} // namespace
} // namespace gelmar::test
