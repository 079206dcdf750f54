// The view-factor file: read back for a run it gives the factors the run
// computed and links each model face to its file face; damaged files are a
// syntax error at their line; the summary of the text output.
#include "gelmar/model/radiation/ViewFactorFile.h"

#include "CavityFixture.h"
#include "ModelBuilder.h"
#include "common/kernels/ViewFactorZone.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/radiation/ViewFactorDriver.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"

#include <filesystem>

namespace gelmar::test {
namespace {

class ViewFactorFileTest : public EngineTest {
  protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        RemoveTempFiles(); // the folder may hold an earlier run's files
        std::filesystem::remove_all("models");
    }
    // Reads "tmp.vwf" with the given lines; the code of its error.
    ErrorCode ReadFile(const std::vector<std::string>& lines)
    {
        std::string text;
        for (const std::string& l : lines)
            text += l + "\r\n";
        WriteBytes("tmp.vwf", text);
        return Catch([this] { ReadViewFactorFile(engine.model, engine.run); });
    }
    template <typename F> ErrorCode Catch(F&& f) { return CaughtError(f, &message); }
    std::string message;
};

// Two zones: faces 1-3 and 4-5.
const std::vector<std::string> kGoodFile = {
    "nzon=2",             // 1
    "zone=1 3",           // 2
    "zone=2 2",           // 3
    "nfac=5",             // 4
    "face=1 2 1 1 1 0",   // 5
    "box =1 1 0 1 0 1",   // 6
    "face=2 2 1 3 1 0",   // 7
    "box =0 1 1 1 0 1",   // 8
    "face=3 2 1 5 1 0.5", // 9
    "box =0 1 0 1 1 1",   // 10
    "face=4 3 1 0 2 0",   // 11
    "box =5 5 0 1 0 2",   // 12
    "face=5 3 1 1 2 0",   // 13
    "box =4 4 0 1 0 2",   // 14
    "vwfc=2 1 0.2",       // 15
    "vwfc=3 1 0.25",      // 16
    "vwfc=3 2 0.3",       // 17
    "vwfc=5 4 0.4",       // 18
};

std::vector<std::string> With(std::size_t line, const std::string& text)
{
    std::vector<std::string> lines = kGoodFile;
    lines[line - 1] = text;
    return lines;
}
std::vector<std::string> Inserted(std::size_t before, const std::string& text)
{
    std::vector<std::string> lines = kGoodFile;
    lines.insert(lines.begin() + std::ptrdiff_t(before - 1), text);
    return lines;
}
std::vector<std::string> Without(std::size_t line)
{
    std::vector<std::string> lines = kGoodFile;
    lines.erase(lines.begin() + std::ptrdiff_t(line - 1));
    return lines;
}

TEST_F(ViewFactorFileTest, GoodFileFillsZonesAndFaces)
{
    std::vector<std::string> lines = Inserted(1, "; written by hand");
    lines[11] = "face=4 3 1 6 2 0"; // orientation 6 is accepted
    ASSERT_EQ(ReadFile(lines), ErrorCode::None) << message;
    const RadiationSet& r = engine.run.radiation;
    ASSERT_EQ(r.fileZones.size(), 2u);
    ASSERT_EQ(r.fileFaces.size(), 5u);
    EXPECT_EQ(r.fileZones[0].firstFace, 0);
    EXPECT_EQ(r.fileZones[1].firstFace, 3);
    EXPECT_EQ(r.fileZones[1].faceCount, 2);
    EXPECT_EQ(r.fileZones[0].matrix, (std::vector<double>{0.2, 0.25, 0.3}));
    EXPECT_EQ(r.fileZones[1].matrix, (std::vector<double>{0.4}));
    EXPECT_EQ(r.fileFaces[3].zone, 1);
    EXPECT_EQ(r.fileFaces[3].localIndex, 0);
    EXPECT_EQ(r.fileFaces[3].geometry.orientation, 6);
    EXPECT_EQ(r.fileFaces[2].unseen, 0.5);
    EXPECT_EQ(r.fileFaces[4].geometry.lo, (std::array<float, 3>{4, 0, 0}));
    EXPECT_EQ(r.fileFaces[4].geometry.hi, (std::array<float, 3>{4, 1, 2}));

    // A zone without faces and no faces at all.
    EXPECT_EQ(ReadFile({"nzon=1", "zone=1 0", "nfac=0"}), ErrorCode::None) << message;
    EXPECT_TRUE(engine.run.radiation.fileFaces.empty());
}

TEST_F(ViewFactorFileTest, BadLinesAreSyntaxErrorsAtTheirLine)
{
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        int line;
    };
    const std::vector<Case> cases = {
        {"no zones", With(1, "nzon=0"), 1},
        {"zone count twice", Inserted(2, "nzon=2"), 2},
        {"zone out of order", With(2, "zone=2 3"), 2},
        {"zone number beyond the count", Inserted(4, "zone=3 1"), 4},
        {"negative face count", With(2, "zone=1 -1"), 2},
        {"face total differs", With(4, "nfac=6"), 4},
        {"faces before the total", Without(4), 4},
        {"face number skips one", With(7, "face=3 2 1 3 1 0"), 7},
        {"face without its box line", Without(6), 6},
        {"box line without a face", Inserted(7, "box =0 1 0 1 0 1"), 7},
        {"orientation 7", With(5, "face=1 2 1 7 1 0"), 5},
        {"zone colour 256", With(5, "face=1 256 1 1 1 0"), 5},
        {"owner colour -1", With(5, "face=1 2 -1 1 1 0"), 5},
        {"five fields", With(5, "face=1 2 1 1 1"), 5},
        {"five bounds", With(6, "box =1 1 0 1 0"), 6},
        {"face number beyond the total", Inserted(15, "face=6 2 1 1 1 0"), 15},
        {"factor before all faces", Inserted(9, "vwfc=2 1 0.2"), 9},
        {"second face not lower", With(15, "vwfc=1 2 0.2"), 15},
        {"face equal", With(15, "vwfc=2 2 0.2"), 15},
        {"face 0", With(15, "vwfc=2 0 0.2"), 15},
        {"face beyond the total", With(15, "vwfc=6 1 0.2"), 15},
        {"faces of two zones", With(15, "vwfc=4 3 0.2"), 15},
        {"factor not a number", With(15, "vwfc=2 1 nan"), 15},
        {"missing factor", With(15, "vwfc=2 1"), 15},
        {"truncated after a face", std::vector<std::string>(kGoodFile.begin(), kGoodFile.begin() + 13), 13},
        {"empty file", {}, 0},
        {"line too long", Inserted(16, std::string(300, 'x')), 16},
        {"binary garbage", Inserted(3, std::string("zone=\x01\xff\x7f", 8)), 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReadFile(c.lines), ErrorCode::Syntax);
        EXPECT_EQ(message, "Syntax error in file tmp.vwf\nLine " + std::to_string(c.line));
        EXPECT_TRUE(engine.run.radiation.fileZones.empty());
        EXPECT_TRUE(engine.run.radiation.fileFaces.empty());
    }
}

TEST_F(ViewFactorFileTest, PathChoiceAndOpenFailure)
{
    engine.model.dataFilePath = "models/room.glm";
    EXPECT_EQ(SelectViewFactorFile(engine.model), "models/room.vwf");
    EXPECT_EQ(Catch([this] { ReadViewFactorFile(engine.model, engine.run); }), ErrorCode::FileOpen);
    EXPECT_EQ(message, "Failed to open file\nmodels/room.vwf");
    // The data file's own view-factor file is read when there is no tmp.vwf.
    std::string text;
    for (const std::string& l : kGoodFile)
        text += l + "\n";
    WriteBytes("models/room.vwf", text);
    EXPECT_EQ(Catch([this] { ReadViewFactorFile(engine.model, engine.run); }), ErrorCode::None);
    EXPECT_EQ(engine.run.radiation.fileFaces.size(), 5u);
    WriteBytes("tmp.vwf", "nzon=1\nzone=1 0\nnfac=0\n");
    EXPECT_EQ(SelectViewFactorFile(engine.model), "tmp.vwf");
}

TEST_F(ViewFactorFileTest, RunReadsBackTheFactorsItComputed)
{
    // A cavity with a pillar, linked air; a second colour of the zone is unlinked.
    CavityModel model;
    model.Axis(0, {1, 0.5, 1, 1, 0.8}).Axis(1, {1, 1, 2, 1}).Axis(2, {1, 0.3, 1, 0.7, 1});
    model.Colour(1, MATERIAL).Colour(2, BC_FREE, {"hcon=2.5"}).Colour(3, BC_FREE, {"hcon=4"}).Line("unlk=3");
    model.Block(1, 0, 5, 0, 4, 0, 5)
        .Block(2, 1, 4, 1, 3, 1, 4)
        .Block(3, 1, 4, 1, 3, 3, 4)
        .Block(1, 2, 3, 1, 2, 1, 3);
    ASSERT_TRUE(ReadText(model.Text()));
    const ModelRaster raster = RasteriseModel(engine.model);
    ComputeViewFactors(engine.model, engine.run, Host(), raster.Grid());
    const RadiationSet computed = engine.run.radiation;
    ASSERT_EQ(computed.zones.size(), 1u);
    const RadiationZone& zone = computed.zones[0];

    // A later run collects the faces again and reads the file; the corner
    // nodes come from the node numbering (here: one number per grid point).
    LoadViewFactors(engine.model, engine.run, Host(), raster.Grid(),
                    [](int i, int j, int k) { return i + 10 * j + 100 * k; });
    const RadiationSet& r = engine.run.radiation;
    ASSERT_EQ(r.zones.size(), 1u);
    ASSERT_EQ(r.fileFaces.size(), zone.faces.size());
    const RadiationZone* file = MatchedFileZone(engine.run, 0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->matrix, zone.matrix); // every factor, to the last bit
    std::vector<int> partners(zone.faces.size(), 0);
    for (std::size_t i = 0; i < zone.faces.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (zone.matrix[kernels::PackedIndex(i, j)] != 0.0)
                ++partners[i], ++partners[j];
    for (std::size_t f = 0; f < zone.faces.size(); ++f) {
        const RadiatingFace& face = r.zones[0].faces[f];
        EXPECT_EQ(face.fileFace, int(f));
        EXPECT_EQ(r.fileFaces[f].matchedCount, 1);
        EXPECT_EQ(r.fileFaces[f].unseen, zone.faces[f].unseen);
        EXPECT_EQ(r.fileFaces[f].area, zone.faces[f].area);
        EXPECT_EQ(r.fileFaces[f].partners, partners[f]);
        const auto& p = face.cornerPoints[0];
        EXPECT_EQ(face.cornerNodes[0], p[0] + 10 * p[1] + 100 * p[2]);
    }
    // Rows behind the grid nodes: two air nodes (the linked colour's common
    // one and the unlinked colour's own), one radiosity row per face, one
    // extra node for the remainder.
    EXPECT_EQ(r.zones[0].airNodes, 2);
    EXPECT_EQ(r.extraRows, 2 + int(zone.faces.size()) + 1);
    // Convective couplings: -h*A/4 per face; h*A summed per air node.
    double common = 0, own = 0;
    for (const RadiatingFace& f : r.zones[0].faces) {
        const double h = f.zoneColour == 3 ? 4.0 : 2.5;
        EXPECT_DOUBLE_EQ(f.convection, -0.25 * h * f.area);
        (f.zoneColour == 3 ? own : common) += h * f.area;
    }
    EXPECT_GT(own, 0.0);
    EXPECT_DOUBLE_EQ(r.zones[0].commonConvection, common);
    EXPECT_DOUBLE_EQ(r.convectionSum[3], own);
}

TEST_F(ViewFactorFileTest, SolarFreeCavityIsAZoneOfARunOnly)
{
    CavityModel model;
    model.Axis(0, {1, 1, 1}).Axis(1, {1, 1, 1}).Axis(2, {1, 1, 1}).Colour(1, MATERIAL);
    model.Colour(6, BC_FRE_S, {"hglo=8"}).Block(1, 0, 3, 0, 3, 0, 3).Block(6, 1, 2, 1, 2, 1, 2);
    ASSERT_TRUE(ReadText(model.Text()));
    const ModelRaster raster = RasteriseModel(engine.model);
    ComputeViewFactors(engine.model, engine.run, Host(), raster.Grid());
    EXPECT_TRUE(engine.run.radiation.zones.empty());
    EXPECT_FALSE(std::filesystem::exists("tmp.vwf"));
    // No radiating colour: the run reads no file; the zone has its air node.
    LoadViewFactors(engine.model, engine.run, Host(), raster.Grid(), {});
    ASSERT_EQ(engine.run.radiation.zones.size(), 1u);
    EXPECT_EQ(engine.run.radiation.zones[0].faces.size(), 6u);
    EXPECT_EQ(engine.run.radiation.extraRows, 1);
    EXPECT_DOUBLE_EQ(engine.run.radiation.zones[0].commonConvection, 6 * 8.0);
}

TEST_F(ViewFactorFileTest, SummaryAddsExchangePerColourPair)
{
    WriteBytes("tmp.vwf", "nfac=3\nface=1 9 1 0 2 0\nface=2 9 1 1 4 0\nface=3 9 2 2 1 0\n"
                          "vwfc=2 1 0.5\nvwfc=3 1 0.25\nvwfc=3 2 0.125\n");
    ViewFactorSummary s;
    ASSERT_EQ(Catch([this, &s] { s = ReadViewFactorSummary(engine.model); }), ErrorCode::None);
    EXPECT_EQ(s.area[1], 6.0);
    EXPECT_EQ(s.area[2], 1.0);
    EXPECT_EQ(s.exchange[1 * 256 + 1], 4 * 0.5);      // one colour: the diagonal once
    EXPECT_EQ(s.exchange[2 * 256 + 1], 0.25 + 0.125); // two colours: both orders
    EXPECT_EQ(s.exchange[1 * 256 + 2], 0.25 + 0.125);

    WriteBytes("tmp.vwf", "nfac=1\nface=1 9 1 0 2 0\nvwfc=2 1 0.5\n");
    EXPECT_EQ(Catch([this] { ReadViewFactorSummary(engine.model); }), ErrorCode::Syntax);
    EXPECT_EQ(message, "Syntax error in file tmp.vwf\nLine 3");
    // A missing file is no error here.
    std::filesystem::remove("tmp.vwf");
    engine.model.dataFilePath = "none.glm";
    EXPECT_EQ(Catch([this] { ReadViewFactorSummary(engine.model); }), ErrorCode::None);
}

} // namespace
} // namespace gelmar::test
