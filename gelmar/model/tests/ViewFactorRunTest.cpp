// The view-factor run over cavities built from blocks: catalogue factors of
// a cube cavity, rows that close to one with reciprocity in a box of unequal
// sides, the file it writes, progress read-outs, Esc, and the cavity faults
// with their messages.
#include "CavityFixture.h"
#include "ModelBuilder.h"
#include "common/kernels/ViewFactorZone.h"
#include "gelmar/model/calc/CalcSystem.h"
#include "gelmar/model/radiation/CavityChecks.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/radiation/ViewFactorDriver.h"
#include "gelmar/model/radiation/ViewFactorFile.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"

#include <cmath>
#include <filesystem>

namespace gelmar::test {
namespace {

class ViewFactorRun : public EngineTest {
  protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        RemoveTempFiles(); // the folder may hold an earlier run's files
        std::filesystem::remove_all("models");
    }
    void Load(const CavityModel& model)
    {
        ASSERT_TRUE(ReadText(model.Text()));
        raster = RasteriseModel(engine.model);
    }
    // Runs the view factors: how the run ended; the message of its error is
    // kept.
    WorkOutcome Run(unsigned threads = 0)
    {
        WorkOutcome outcome =
            RunGuarded([&] { ComputeViewFactors(engine.model, engine.run, Host(), raster.Grid(), threads); });
        message = outcome.HasError() ? outcome.error->Message() : std::string();
        ClearPendingError();
        return outcome;
    }
    // The view factor from face i to face j of a zone (reciprocity for j > i).
    static double Factor(const RadiationZone& zone, std::size_t i, std::size_t j)
    {
        if (i == j)
            return 0.0;
        if (j < i)
            return zone.matrix[kernels::PackedIndex(i, j)];
        return zone.matrix[kernels::PackedIndex(j, i)] * zone.faces[j].area / zone.faces[i].area;
    }

    ModelRaster raster;
    std::string message;
};

// A solid of colour 1 around a cavity of colour 2 (BC_FREE) of cells
// [lo, hi) on every axis.
CavityModel BoxCavity(const std::vector<double>& x, const std::vector<double>& y,
                      const std::vector<double>& z)
{
    CavityModel m;
    m.Axis(0, x).Axis(1, y).Axis(2, z).Colour(1, MATERIAL).Colour(2, BC_FREE, {"hcon=3"});
    const int nx = int(x.size()), ny = int(y.size()), nz = int(z.size());
    m.Block(1, 0, nx, 0, ny, 0, nz).Block(2, 1, nx - 1, 1, ny - 1, 1, nz - 1);
    return m;
}

TEST_F(ViewFactorRun, CubeCavityGivesCatalogueFactors)
{
    Load(BoxCavity({1, 1, 1}, {1, 1, 1}, {1, 1, 1}));
    ASSERT_TRUE(Run().Normal());
    ASSERT_EQ(engine.run.radiation.zones.size(), 1u);
    const RadiationZone& zone = engine.run.radiation.zones[0];
    ASSERT_EQ(zone.faces.size(), 6u);
    // Discovery order: +x side of (0,1,1), +y of (1,0,1), +z of (1,1,0), -z of
    // (1,1,2), -y of (1,2,1), -x of (2,1,1): face f faces face 5 - f.
    const int orientations[6] = {1, 3, 5, 4, 2, 0};
    for (std::size_t f = 0; f < 6; ++f) {
        EXPECT_EQ(zone.faces[f].geometry.orientation, orientations[f]);
        EXPECT_DOUBLE_EQ(zone.faces[f].area, 1.0);
        EXPECT_EQ(zone.faces[f].unseen, 0.0); // 0.99998 counts as closed
    }
    for (std::size_t i = 0; i < 6; ++i) {
        for (std::size_t j = 0; j < 6; ++j) {
            if (i != j) {
                EXPECT_NEAR(Factor(zone, i, j), i + j == 5 ? 0.19982 : 0.20004, 5e-6) << i << " " << j;
            }
        }
    }
    EXPECT_TRUE(std::filesystem::exists("tmp.vwf"));
    // Progress read-outs: totals and the last zone's pairs.
    EXPECT_EQ(host.progressTexts[kProgressTotalZones], "1");
    EXPECT_EQ(host.progressTexts[kProgressTotalFaces], "6");
    EXPECT_EQ(host.progressTexts[kProgressTotalPairs], "15");
    EXPECT_EQ(host.progressTexts[kProgressZone], "1");
    EXPECT_EQ(host.progressTexts[kProgressZonePairs], "15");
    EXPECT_EQ(host.progressTexts[kProgressPairsDone], "15");
    // Freeing the run's tables keeps the colours' zones for the output windows.
    FreeRadiation(engine.run);
    EXPECT_TRUE(engine.run.radiation.zones.empty());
    EXPECT_EQ(engine.run.radiation.zoneOfColour[2], 0);
    EXPECT_EQ(engine.run.radiation.zoneOfColour[1], -1);
}

TEST_F(ViewFactorRun, BoxOfUnequalSidesClosesWithReciprocity)
{
    // Cavity 3 x 2 x 4 cells of unequal widths, grid unit 0.5 m.
    CavityModel model = BoxCavity({1, 0.5, 1.5, 0.7, 1}, {1, 2, 0.6, 1}, {1, 0.4, 0.8, 1.2, 0.3, 1});
    model.Line("grun=0.5").Line("rays=2000");
    Load(model);
    ASSERT_TRUE(Run().Normal());
    const RadiationZone& zone = engine.run.radiation.zones.at(0);
    ASSERT_EQ(zone.faces.size(), std::size_t(2 * (3 * 2 + 2 * 4 + 3 * 4)));
    double wallArea = 0;
    for (const RadiatingFace& f : zone.faces)
        wallArea += f.area;
    const double sides[3] = {0.5 + 1.5 + 0.7, 2 + 0.6, 0.4 + 0.8 + 1.2 + 0.3};
    EXPECT_NEAR(wallArea, 0.25 * 2 * (sides[0] * sides[1] + sides[1] * sides[2] + sides[0] * sides[2]), 1e-6);
    for (std::size_t i = 0; i < zone.faces.size(); ++i) {
        double sum = 0;
        for (std::size_t j = 0; j < zone.faces.size(); ++j)
            sum += Factor(zone, i, j);
        // A closed convex cavity: every face sees everything, nothing unseen.
        EXPECT_NEAR(sum + zone.faces[i].unseen, 1.0, 1e-4) << "face " << i;
        EXPECT_NEAR(sum, 1.0, 2e-3) << "face " << i;
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NEAR(zone.faces[i].area * Factor(zone, i, j), zone.faces[j].area * Factor(zone, j, i),
                        1e-12);
    }
}

TEST_F(ViewFactorRun, ModelOneCellThickUsesStripFactors)
{
    // 3 x 3 cells, one cell of 2 units along z: a square cavity of unit side
    // seen as strips, with the cell's z width in the areas.
    CavityModel model;
    model.Axis(0, {1, 1, 1}).Axis(1, {1, 1, 1}).Axis(2, {2}).Colour(1, MATERIAL).Colour(2, BC_NOSKY);
    model.Block(1, 0, 3, 0, 3, 0, 1).Block(2, 1, 2, 1, 2, 0, 1);
    Load(model);
    ASSERT_TRUE(Run().Normal());
    const RadiationZone& zone = engine.run.radiation.zones.at(0);
    ASSERT_EQ(zone.faces.size(), 4u);
    // Faces: +x of (0,1), +y of (1,0), -y of (1,2), -x of (2,1).
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(zone.faces[i].area, 2.0);
        for (std::size_t j = 0; j < 4; ++j) {
            if (i != j) {
                const double expected = i + j == 3 ? std::sqrt(2.0) - 1 : 1 - std::sqrt(0.5);
                EXPECT_NEAR(Factor(zone, i, j), expected, 1e-6) << i << " " << j;
            }
        }
    }
}

TEST_F(ViewFactorRun, ThreadCountDoesNotChangeTheFile)
{
    // A cavity with a pillar inside, so rays are blocked.
    CavityModel model = BoxCavity({1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}, {1, 1, 1, 1});
    model.Block(1, 2, 3, 2, 3, 1, 2);
    Load(model);
    ASSERT_TRUE(Run(1).Normal());
    const std::string one = ReadBytes("tmp.vwf");
    ASSERT_TRUE(Run(4).Normal());
    EXPECT_EQ(ReadBytes("tmp.vwf"), one);
    EXPECT_NE(one.find("vwfc="), std::string::npos);
}

TEST_F(ViewFactorRun, NoCavityWritesNoFile)
{
    CavityModel model;
    model.Axis(0, {1, 1}).Axis(1, {1}).Axis(2, {1}).Colour(1, MATERIAL).Colour(2, BC_SIMPL);
    model.Block(1, 0, 1, 0, 1, 0, 1).Block(2, 1, 2, 0, 1, 0, 1);
    Load(model);
    EXPECT_TRUE(Run().Normal());
    EXPECT_TRUE(engine.run.radiation.zones.empty());
    EXPECT_FALSE(std::filesystem::exists("tmp.vwf"));
}

TEST_F(ViewFactorRun, EscAbortsWithoutCodeOrFile)
{
    Load(BoxCavity({1, 1, 1}, {1, 1, 1}, {1, 1, 1}));
    host.escPressed = true;
    EXPECT_EQ(Run().end, WorkOutcome::End::Esc);
    EXPECT_FALSE(std::filesystem::exists("tmp.vwf"));
}

TEST_F(ViewFactorRun, CavityFaultsNameColourAndCell)
{
    struct Case {
        const char* what;
        CavityModel model;
        ErrorCode code;
        std::string text;
    };
    auto solid = [] {
        CavityModel m;
        m.Axis(0, {1, 1, 1, 1, 1, 1}).Axis(1, {1, 1, 1}).Axis(2, {1, 1, 1, 1, 1});
        m.Colour(1, MATERIAL).Colour(2, BC_FREE).Colour(3, BC_SKY).Colour(7, TRANSMAT);
        m.Block(1, 0, 6, 0, 3, 0, 5);
        return m;
    };
    std::vector<Case> cases;
    cases.push_back({"two cavities of one colour",
                     solid().Block(2, 1, 2, 1, 2, 1, 2).Block(2, 4, 5, 1, 2, 1, 2), ErrorCode::SeparatedZones,
                     "BC (colour 2) occurs in separated zones.\nSee X=4, Y=1, Z=1."});
    cases.push_back({"BC_FREE touching BC_SKY", solid().Block(2, 1, 3, 1, 2, 1, 2).Block(3, 3, 4, 1, 2, 1, 2),
                     ErrorCode::DifferentBcTypes,
                     "BC (colour 3) touches other BC of different type.\nSee X=3, Y=1, Z=1."});
    cases.push_back({"TRANSMAT beside void", solid().Block(7, 1, 3, 1, 2, 1, 2).Block(0, 3, 4, 1, 2, 1, 2),
                     ErrorCode::TransmatBesideVoid, ""});
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.code == ErrorCode::TransmatBesideVoid) {
            // Colour 0 is MATERIAL too; carve a void cell instead.
            Load(c.model);
            raster.cells[3 + 1 * 6 + 1 * 18] = kernels::kVoidCell;
            c.text = "TRANSMAT (colour 7) bordering void space.\nSee X=2, Y=1, Z=1.";
        } else {
            Load(c.model);
        }
        EXPECT_EQ(Run().Code(), c.code);
        EXPECT_EQ(message, c.text);
        EXPECT_FALSE(std::filesystem::exists("tmp.vwf"));
    }
}

TEST_F(ViewFactorRun, FaultMessageInRowColumnLayerForm)
{
    CavityModel model;
    model.Axis(0, {1, 1, 1}).Axis(1, {1, 1}).Axis(2, {1, 1, 1, 1, 1}).Colour(2, BC_FREE).Line("rcls=1");
    model.Block(2, 0, 1, 0, 1, 0, 1).Block(2, 2, 3, 0, 1, 0, 1);
    Load(model);
    ASSERT_EQ(Run().Code(), ErrorCode::SeparatedZones);
    EXPECT_EQ(message, "BC (colour 2) occurs in separated zones.\nSee R=5, C=1, L=11.");

    // The command shows it through the host.
    ShowCalcErrorMessage(Host(), EngineError::CavityFault(ErrorCode::SeparatedZones, 2, {0, 0, 0, true, 5}));
    EXPECT_EQ(LastMessage(), "BC (colour 2) occurs in separated zones.\nSee R=1, C=1, L=11.");
    engine.model.rcl = 0;
    ASSERT_EQ(Run().Code(), ErrorCode::SeparatedZones);
    EXPECT_EQ(message, "BC (colour 2) occurs in separated zones.\nSee X=2, Y=0, Z=0.");
}

} // namespace
} // namespace gelmar::test
