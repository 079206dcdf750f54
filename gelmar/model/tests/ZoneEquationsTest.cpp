// Zone rows, their pattern and their radiation terms built from the store:
// rows and slots agree with the count of the set-up, every link has a slot,
// and the solved cavity of a cube with a hot and a cold side conserves energy
// with the symmetric air temperature.
#include "gelmar/model/radiation/ZoneEquations.h"

#include "CavityFixture.h"
#include "ModelBuilder.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/radiation/ViewFactorDriver.h"
#include "gelmar/model/radiation/ViewFactorFile.h"
#include "gelmar/model/store/EngineServices.h"

#include <cmath>
#include <map>

namespace gelmar::test {
namespace {

// A small dense system with Gaussian elimination (partial pivoting).
class DenseSystem : public kernels::EquationSink {
  public:
    DenseSystem(int first, int rows)
        : m_first(first), m_n(rows), A(std::size_t(rows * rows)), b(std::size_t(rows))
    {
    }
    void AddDiagonal(int row, double v) override { At(row, row) += v; }
    void SetDiagonal(int row, double v) override { At(row, row) = v; }
    void AddLower(int row, int col, double v) override
    {
        At(row, col) += v;
        At(col, row) += v;
    }
    void SetLower(int row, int col, double v) override
    {
        At(row, col) = v;
        At(col, row) = v;
    }
    void AddRhs(int row, double v) override { b[Index(row)] += v; }
    std::vector<double> Solve() const
    {
        std::vector<double> a = A, x = b;
        const std::size_t n = std::size_t(m_n);
        for (std::size_t c = 0; c < n; ++c) {
            std::size_t p = c;
            for (std::size_t r = c + 1; r < n; ++r)
                if (std::abs(a[r * n + c]) > std::abs(a[p * n + c]))
                    p = r;
            for (std::size_t k = 0; k < n; ++k)
                std::swap(a[c * n + k], a[p * n + k]);
            std::swap(x[c], x[p]);
            for (std::size_t r = c + 1; r < n; ++r) {
                const double f = a[r * n + c] / a[c * n + c];
                for (std::size_t k = c; k < n; ++k)
                    a[r * n + k] -= f * a[c * n + k];
                x[r] -= f * x[c];
            }
        }
        for (std::size_t c = n; c-- > 0;) {
            for (std::size_t k = c + 1; k < n; ++k)
                x[c] -= a[c * n + k] * x[k];
            x[c] /= a[c * n + c];
        }
        return x;
    }
    std::size_t Index(int row) const
    {
        EXPECT_GE(row, m_first); // zone rows only: every corner is a boundary node here
        return std::size_t(row - m_first);
    }

  private:
    double& At(int r, int c) { return A[Index(r) * std::size_t(m_n) + Index(c)]; }
    int m_first, m_n;
    std::vector<double> A, b;
};

class ZoneEquationsTest : public EngineTest {
  protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        RemoveTempFiles();
    }
};

TEST_F(ZoneEquationsTest, RowsSlotsAndLinksAgree)
{
    // A cavity with a pillar: BC_FREE, one linked and one unlinked colour.
    CavityModel model;
    model.Axis(0, {1, 1, 1, 1, 1}).Axis(1, {1, 1, 1, 1}).Axis(2, {1, 1, 1, 1});
    model.Colour(1, MATERIAL).Colour(2, BC_FREE, {"hcon=2"}).Colour(3, BC_FREE).Line("unlk=3");
    model.Block(1, 0, 5, 0, 4, 0, 4)
        .Block(2, 1, 4, 1, 3, 1, 3)
        .Block(3, 3, 4, 1, 3, 1, 3)
        .Block(1, 2, 3, 1, 2, 1, 2);
    ASSERT_TRUE(ReadText(model.Text()));
    const ModelRaster raster = RasteriseModel(engine.model);
    ComputeViewFactors(engine.model, engine.run, Host(), raster.Grid());
    // Grid points 0..5 x 0..4 x 0..4 numbered as calculation nodes.
    LoadViewFactors(engine.model, engine.run, Host(), raster.Grid(),
                    [](int i, int j, int k) { return i + 6 * j + 30 * k; });
    const int grid = 6 * 5 * 5;
    const std::vector<ZoneRows> rows = NumberZoneRows(engine.model, engine.run, grid);
    ASSERT_EQ(rows.size(), 1u);
    const int faces = int(engine.run.radiation.zones[0].faces.size());
    EXPECT_EQ(rows[0].firstRadiosity, grid);
    EXPECT_EQ(rows[0].radiosityCount, faces);
    EXPECT_EQ(rows[0].commonAir, grid + faces);
    EXPECT_EQ(engine.run.radiation.airNode[3], grid + faces + 1);
    EXPECT_EQ(AirNodeOfColour(engine.run, 2, rows), grid + faces);
    EXPECT_EQ(rows[0].extra, grid + faces + 2);
    EXPECT_EQ(engine.run.radiation.extraRows, faces + 3);

    const std::vector<int> slots = ZoneRowSlots(engine.run, rows);
    ASSERT_EQ(int(slots.size()), engine.run.radiation.extraRows);
    std::map<int, std::map<int, int>> links;
    AddZonePatternPairs(engine.run, rows, [&](int a, int b) {
        EXPECT_NE(a, b);
        ++links[a][b];
        ++links[b][a];
    });
    for (const auto& [row, partners] : links) {
        ASSERT_LT(row, grid + engine.run.radiation.extraRows);
        if (row < grid)
            continue;
        EXPECT_LE(int(partners.size()), slots[std::size_t(row - grid)]) << "row " << row;
    }
    // Each radiosity row links its face's four corners; the pillar blocks
    // some pairs, but each face sees some other.
    for (int r = grid; r < grid + faces; ++r)
        EXPECT_GE(links[r].size(), 5u);
    // The extra node links the faces whose view factors leave a remainder
    // (partly blocked faces of the estimate).
    std::size_t remainders = 0;
    for (const RadiatingFace& f : engine.run.radiation.fileFaces)
        remainders += f.unseen != 0.0;
    EXPECT_EQ(links[rows[0].extra].size(), remainders);
}

TEST_F(ZoneEquationsTest, HotAndColdSidesOfACubeConserveEnergy)
{
    CavityModel model;
    model.Axis(0, {1, 1, 1}).Axis(1, {1, 1, 1}).Axis(2, {1, 1, 1});
    model.Colour(1, MATERIAL, {"epsi=0.8"}).Colour(2, BC_FREE, {"hcon=3"}).Block(1, 0, 3, 0, 3, 0, 3);
    model.Block(2, 1, 2, 1, 2, 1, 2);
    ASSERT_TRUE(ReadText(model.Text()));
    const ModelRaster raster = RasteriseModel(engine.model);
    ComputeViewFactors(engine.model, engine.run, Host(), raster.Grid());
    // Every grid point is a boundary node: x <= 1 hot (-2), beyond cold (-3).
    LoadViewFactors(engine.model, engine.run, Host(), raster.Grid(),
                    [](int i, int, int) { return i <= 1 ? -2 : -3; });
    const std::map<int, double> fixed = {{-2, 60.0}, {-3, 10.0}};
    const int first = 100;
    const std::vector<ZoneRows> rows = NumberZoneRows(engine.model, engine.run, first);
    const int count = engine.run.radiation.extraRows;
    ASSERT_EQ(count, 6 + 1 + 1);

    for (const bool linear : {true, false}) {
        SCOPED_TRACE(linear ? "linear" : "non-linear");
        const kernels::RadiationLaw law{linear, 5.1};
        std::vector<double> x(std::size_t(count), 35.0);
        const kernels::NodeValue value = [&](int n, int) {
            return n <= -2 ? fixed.at(n) : x[std::size_t(n - first)];
        };
        const auto emissivity = [this](int colour, int) {
            return double(engine.model.colours[std::size_t(colour)].epsilon);
        };
        for (int pass = 0; pass < 100; ++pass) {
            DenseSystem system(first, count);
            const ZoneRadiationTerms terms = BuildZoneRadiationTerms(
                engine.run, 0, rows[0], law, false, emissivity, [](int, int) { return 0.0; });
            kernels::AssembleZoneRadiation(terms.Input(), value, system);
            const RadiationZone& zone = engine.run.radiation.zones[0];
            for (const RadiatingFace& f : zone.faces) {
                const double coefficient[2] = {f.convection, f.convection};
                kernels::AddFaceConvection(system, rows[0].commonAir, f.cornerNodes, coefficient, false,
                                           value);
            }
            system.AddDiagonal(rows[0].commonAir, zone.commonConvection);
            const std::vector<double> next = system.Solve();
            double change = 0;
            for (std::size_t n = 0; n < x.size(); ++n)
                change = std::max(change, std::abs(next[n] - x[n]));
            x = next;
            if (change < 1e-12)
                break;
        }
        // Flows from the faces into the cavity: radiation through each face's
        // surface conductance and convection to the air.
        const RadiationZone& zone = engine.run.radiation.zones[0];
        const double air = x[std::size_t(rows[0].commonAir - first)];
        double radiated = 0, convected = 0, hot = 0;
        for (const RadiatingFace& f : zone.faces) {
            const double tf = kernels::FaceMeanTemperature(f.cornerNodes, value, 0);
            const double tr = x[std::size_t(rows[0].firstRadiosity + f.fileFace - first)];
            const double q =
                4 *
                kernels::RadiosityCoupling(0.8, f.area, kernels::RadiationTemperatureFactor(tr, tf, law)) *
                (tf - tr);
            radiated += q;
            convected += -4 * f.convection * (tf - air);
            if (f.geometry.orientation == 1)
                hot = q;
        }
        EXPECT_NEAR(radiated, 0.0, 1e-9);
        // The heat-flow file's densities: the same flows, into the faces.
        const std::vector<FaceHeatFlow> flows = ZoneFaceHeatFlows(engine.model, engine.run, rows, value, law);
        ASSERT_EQ(flows.size(), zone.faces.size());
        double into = 0;
        for (std::size_t f = 0; f < flows.size(); ++f) {
            into += flows[f].density * zone.faces[f].area;
            EXPECT_EQ(flows[f].direction, zone.faces[f].geometry.orientation);
        }
        EXPECT_NEAR(into, 0.0, 1e-9);
        EXPECT_EQ(flows[0].i, 0); // the hot face is the +x side of cell (0, 1, 1)
        EXPECT_LT(flows[0].density, 0.0);
        EXPECT_NEAR(convected, 0.0, 1e-9);
        EXPECT_GT(hot, 0.0);
        if (linear) {
            EXPECT_NEAR(air, 35.0, 1e-9); // four sides at 35, one hot and one cold
        }
    }
}

TEST_F(ZoneEquationsTest, AirNodesTakeTheMeanOfTheirFaces)
{
    // Two BC_FRE_S cells side by side: colour 6 on the common air node,
    // colour 8 (unlinked) on its own. Grid points with x <= 1 at 60 C, the
    // others at 10 C.
    CavityModel model;
    model.Axis(0, {1, 1, 1, 1}).Axis(1, {1, 1, 1}).Axis(2, {1, 1, 1}).Colour(1, MATERIAL);
    model.Colour(6, BC_FRE_S, {"hglo=8"}).Colour(8, BC_FRE_S, {"hglo=8"}).Line("unlk=8");
    model.Block(1, 0, 4, 0, 3, 0, 3).Block(6, 1, 2, 1, 2, 1, 2).Block(8, 2, 3, 1, 2, 1, 2);
    ASSERT_TRUE(ReadText(model.Text()));
    const ModelRaster raster = RasteriseModel(engine.model);
    LoadViewFactors(engine.model, engine.run, Host(), raster.Grid(),
                    [](int i, int, int) { return i <= 1 ? -2 : -3; });
    const std::vector<ZoneRows> rows = NumberZoneRows(engine.model, engine.run, 0);
    ASSERT_EQ(engine.run.radiation.extraRows, 2);
    EXPECT_EQ(rows[0].commonAir, 0);
    EXPECT_EQ(AirNodeOfColour(engine.run, 8, rows), 1);
    const kernels::NodeValue value = [](int n, int) { return n == -2 ? 60.0 : 10.0; };
    const auto qcon = [](int colour, int level) { return colour == 6 && level == 0 ? 40.0 : 0.0; };

    DenseSystem system(0, 2);
    AssembleZoneConvection(
        engine.model, engine.run, 0, rows, value, false, [](int) { return false; }, qcon, system);
    const std::vector<double> air = system.Solve();
    EXPECT_NEAR(air[0], (60 + 4 * 35) / 5.0 + 40 / (5 * 8.0), 1e-12);
    EXPECT_NEAR(air[1], 10.0, 1e-12);

    // A colour whose air temperature is fixed takes no part.
    DenseSystem fixed(0, 2);
    AssembleZoneConvection(
        engine.model, engine.run, 0, rows, value, false, [](int c) { return c == 8; }, qcon, fixed);
    fixed.AddDiagonal(1, 1.0);
    EXPECT_EQ(fixed.Solve()[1], 0.0);

    // A coefficient that falls to 0 couples nothing any more.
    engine.model.colours[6].hGlobal = 0;
    ComputeZoneConvection(engine.model, engine.run);
    for (const RadiatingFace& f : engine.run.radiation.zones[0].faces)
        EXPECT_EQ(f.convection, f.zoneColour == 6 ? 0.0 : -0.25 * 8 * f.area);
    EXPECT_EQ(engine.run.radiation.zones[0].commonConvection, 0.0);
}

} // namespace
} // namespace gelmar::test
