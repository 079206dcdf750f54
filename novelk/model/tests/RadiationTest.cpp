// Radiation across cavities: the view factors of a cubic cavity as the
// catalogue gives them, the radiosity temperatures and face fluxes of a
// closed cavity against a radiosity computation made here (linear and
// non-linear), a thin wide cavity against the parallel-plate exchange, a
// view-factor file used again giving the same temperatures, and the model
// checks of the zones.
#include "CalcFixture.h"
#include "common/kernels/ResultFiles.h"
#include "common/kernels/ViewFactorFile.h"
#include "common/kernels/ViewFactorZone.h"
#include "novelk/model/calc/ResultFiles.h"

#include <cmath>
#include <filesystem>
#include <functional>
#include <numbers>

namespace novelk::test {
namespace {

constexpr double kSigma = 5.67e-8;
constexpr double kKelvin = 273.16;
constexpr double kPi = std::numbers::pi;

// Catalogue formulas: two equal parallel rectangles a x b at distance c,
// and two perpendicular rectangles sharing an edge of length l, of widths
// w (the first) and h (the second).
double ParallelRectangles(double a, double b, double c)
{
    const double x = a / c, y = b / c;
    const double sx = std::sqrt(1 + x * x), sy = std::sqrt(1 + y * y);
    return 2 / (kPi * x * y) *
           (std::log(sx * sy / std::sqrt(1 + x * x + y * y)) + x * sy * std::atan(x / sy) +
            y * sx * std::atan(y / sx) - x * std::atan(x) - y * std::atan(y));
}

double PerpendicularRectangles(double l, double w, double h)
{
    const double hh = h / l, ww = w / l, s = hh * hh + ww * ww;
    const double a = (1 + ww * ww) * (1 + hh * hh) / (1 + s);
    const double b = std::pow(ww * ww * (1 + s) / ((1 + ww * ww) * s), ww * ww);
    const double c = std::pow(hh * hh * (1 + s) / ((1 + hh * hh) * s), hh * hh);
    return 1 / (kPi * ww) *
           (ww * std::atan(1 / ww) + hh * std::atan(1 / hh) - std::sqrt(s) * std::atan(1 / std::sqrt(s)) +
            0.25 * std::log(a * b * c));
}

class RadiationTest : public CalcTest {
  protected:
    // A cubic cavity of 1 m (BC_FREE colour 13, no convection) in the middle
    // of 3 x 3 x 3 cells; the cell at its -x side warm (colour 2, 20 °C,
    // emissivity 0.9), its five other neighbours cold (colour 3, 0 °C,
    // emissivity 0.5), held by material BCs; the other cells void.
    void CubicCavity()
    {
        SetUnitGrid(3, 3, 3);
        Material(2, 1.0f);
        Material(3, 1.0f);
        model.colours[2].epsilon = 0.9f;
        model.colours[3].epsilon = 0.5f;
        SetColour(13, BC_FREE);
        model.colours[13].hConvective = 0.0f;
        AddBlock(13, 1, 2, 1, 2, 1, 2);
        AddBlock(2, 0, 1, 1, 2, 1, 2);
        for (const auto& c : std::vector<std::array<int, 3>>{{2, 1, 1}, {1, 0, 1}, {1, 2, 1}, {1, 1, 0}, {1, 1, 2}})
            AddBlock(3, c[0], c[0] + 1, c[1], c[1] + 1, c[2], c[2] + 1);
        AddMaterialBc(MATERIAL_TEMP, 2, 20);
        AddMaterialBc(MATERIAL_TEMP, 3, 0);
    }
    kernels::ViewFactorFileData ReadFile(const std::string& path = "tmp.vwf")
    {
        kernels::ViewFactorFileData data;
        EXPECT_EQ(kernels::ReadViewFactorFile(path, {false}, data).status, kernels::ViewFactorReadStatus::Read);
        return data;
    }
    // The mean of a file face's four corner values.
    double FaceTemperature(const kernels::ViewFactorFileFace& f)
    {
        double sum = 0;
        int axis = f.geometry.lo[0] == f.geometry.hi[0] ? 0 : f.geometry.lo[1] == f.geometry.hi[1] ? 1 : 2;
        const int u = (axis + 1) % 3, v = (axis + 2) % 3;
        for (int q = 0; q < 4; ++q) {
            float p[3];
            p[axis] = f.geometry.lo[axis];
            p[u] = q & 1 ? f.geometry.hi[u] : f.geometry.lo[u];
            p[v] = q & 2 ? f.geometry.hi[v] : f.geometry.lo[v];
            sum += T(std::lround(p[0]), std::lround(p[1]), std::lround(p[2]));
        }
        return sum / 4;
    }
};

TEST_F(RadiationTest, CubicCavityFactorsAreTheCatalogueValues)
{
    CubicCavity();
    ASSERT_EQ(ViewFactors(), "");
    const kernels::ViewFactorFileData file = ReadFile();
    ASSERT_EQ(file.zones.size(), 1u);
    ASSERT_EQ(file.faces.size(), 6u);
    const double opposite = ParallelRectangles(1, 1, 1), adjacent = PerpendicularRectangles(1, 1, 1);
    EXPECT_NEAR(opposite, 0.19982, 5e-6);
    EXPECT_NEAR(adjacent, 0.20004, 5e-6);
    int opposites = 0;
    for (std::size_t i = 1; i < 6; ++i)
        for (std::size_t j = 0; j < i; ++j) {
            const auto& a = file.faces[i].geometry;
            const auto& b = file.faces[j].geometry;
            const bool parallel = (a.lo[0] == a.hi[0]) == (b.lo[0] == b.hi[0]) &&
                                  (a.lo[1] == a.hi[1]) == (b.lo[1] == b.hi[1]);
            opposites += parallel;
            EXPECT_NEAR(file.zones[0].matrix[kernels::PackedIndex(i, j)], parallel ? opposite : adjacent, 1e-12);
        }
    EXPECT_EQ(opposites, 3);
    // Every face sees 0.99998 of the enclosure: no remainder.
    for (const auto& f : file.faces) {
        EXPECT_EQ(f.unseen, 0.0);
        EXPECT_NEAR(f.area, 1.0, 1e-12);
    }
}

TEST_F(RadiationTest, SquareCavityOfATwoDimensionalModel)
{
    // One cell 0.5 m deep along z: the faces are strips, their factors the
    // crossed-string values of a square, their areas strip length x depth.
    SetGrid({1, 1, 1}, {1, 1, 1}, {0.5f});
    Material(1, 1.0f);
    SetColour(13, BC_FREE);
    AddBlock(1, 0, 3, 0, 3, 0, 1);
    AddBlock(13, 1, 2, 1, 2, 0, 1);
    ASSERT_EQ(ViewFactors(), "");
    const kernels::ViewFactorFileData file = ReadFile();
    ASSERT_EQ(file.faces.size(), 4u);
    for (std::size_t i = 1; i < 4; ++i)
        for (std::size_t j = 0; j < i; ++j) {
            const bool parallel = (file.faces[i].geometry.lo[0] == file.faces[i].geometry.hi[0]) ==
                                  (file.faces[j].geometry.lo[0] == file.faces[j].geometry.hi[0]);
            EXPECT_NEAR(file.zones[0].matrix[kernels::PackedIndex(i, j)],
                        parallel ? std::sqrt(2.0) - 1 : 1 - std::sqrt(2.0) / 2, 1e-12);
        }
    for (const auto& f : file.faces) {
        EXPECT_NEAR(f.area, 0.5, 1e-7);
        EXPECT_EQ(f.unseen, 0.0); // the four strips close the square
    }
}

// The radiosity temperatures and the face fluxes of the cubic cavity
// against the radiosity network of its six faces solved here, with the
// catalogue factors and the face temperatures of the model (the edges the
// warm face shares with its neighbours hold 20 °C, so those faces average
// 10 °C).
TEST_F(RadiationTest, ClosedCavityAgainstARadiosityComputation)
{
    double worst = 0;
    for (const int linear : {1, 0}) {
        SCOPED_TRACE(linear ? "linear" : "non-linear");
        ResetModel(model, defaults);
        model.dataFilePath = "model.nvk";
        CubicCavity();
        model.calc.linearRadiation = linear;
        model.calc.cycles = 200;
        Tight();
        ASSERT_EQ(ViewFactors(), "");
        ASSERT_EQ(Calculate(), "");
        const kernels::ViewFactorFileData file = ReadFile();
        const int n = 6;
        ASSERT_EQ(run.gridUnknowns, 0);
        ASSERT_EQ(run.unknowns, n + 2); // radiation nodes, air node, closure node
        Eigen::MatrixXd f(n, n);
        Eigen::VectorXd eps(n), ts(n);
        for (int i = 0; i < n; ++i) {
            const auto& a = file.faces[std::size_t(i)];
            eps[i] = a.ownerColour == 2 ? 0.9 : 0.5;
            ts[i] = FaceTemperature(a);
            for (int j = 0; j < n; ++j) {
                const auto& b = file.faces[std::size_t(j)];
                const bool parallel = (a.geometry.lo[0] == a.geometry.hi[0]) == (b.geometry.lo[0] == b.geometry.hi[0]) &&
                                      (a.geometry.lo[1] == a.geometry.hi[1]) == (b.geometry.lo[1] == b.geometry.hi[1]);
                f(i, j) = i == j ? 0.0 : parallel ? ParallelRectangles(1, 1, 1) : PerpendicularRectangles(1, 1, 1);
            }
        }
        EXPECT_EQ(ts.maxCoeff(), 20.0);
        EXPECT_EQ(ts.minCoeff(), 0.0);
        // Each face: its surface resistance (1 - e)/(e A) to its radiosity,
        // the space resistances 1/(A F_ij) to the others. Unit areas.
        Eigen::MatrixXd k = Eigen::MatrixXd::Zero(n, n);
        Eigen::VectorXd rhs(n);
        for (int i = 0; i < n; ++i) {
            const double g = eps[i] / (1 - eps[i]);
            k(i, i) = g + f.row(i).sum();
            for (int j = 0; j < n; ++j)
                k(i, j) -= f(i, j);
            rhs[i] = g * (linear ? ts[i] : kSigma * std::pow(ts[i] + kKelvin, 4));
        }
        const Eigen::VectorXd x = k.lu().solve(rhs); // temperatures (linear) or radiosities
        const std::vector<kernels::FluxRecord> fluxes = kernels::ReadFluxFile("tmp.flx");
        ASSERT_EQ(fluxes.size(), 6u);
        for (int i = 0; i < n; ++i) {
            const double tr = linear ? x[i] : std::pow(x[i] / kSigma, 0.25) - kKelvin;
            EXPECT_NEAR(run.temperature[std::size_t(i)], tr, 1e-6);
            worst = std::max(worst, std::abs(run.temperature[std::size_t(i)] - tr));
            // The flux into the face from the cavity, W/m2, found by its
            // solid cell and side.
            const double q = eps[i] / (1 - eps[i]) *
                             (linear ? 5.1 * (x[i] - ts[i]) : x[i] - kSigma * std::pow(ts[i] + kKelvin, 4));
            const auto& g = file.faces[std::size_t(i)].geometry;
            const int axis = g.lo[0] == g.hi[0] ? 0 : g.lo[1] == g.hi[1] ? 1 : 2;
            const bool low = std::lround(g.lo[axis]) == 1; // the plane at 1: the solid cell below it
            int cell[3] = {1, 1, 1};
            cell[axis] = low ? 0 : 2;
            const int direction = 2 * axis + (low ? 1 : 0);
            int found = 0;
            for (const kernels::FluxRecord& r : fluxes)
                if (r.i == cell[0] && r.j == cell[1] && r.k == cell[2] && r.direction == direction) {
                    EXPECT_NEAR(r.flow, q, 1e-4 * std::max(1.0, std::abs(q)));
                    ++found;
                }
            EXPECT_EQ(found, 1);
        }
    }
    RecordProperty("LargestDeviationK", Figure(worst));
}

// A cavity between a warm and a cold plate, 500 mm wide in y and z (10 x 10
// faces each), open (void) at its four narrow sides: the flux at the middle
// of the warm plate tends to the parallel-plate exchange as the cavity gets
// thinner.
TEST_F(RadiationTest, ThinWideCavityTendsToParallelPlates)
{
    const double e1 = 0.9, e2 = 0.6, t1 = 20, t2 = 0;
    const double plates =
        kSigma * (std::pow(t1 + kKelvin, 4) - std::pow(t2 + kKelvin, 4)) / (1 / e1 + 1 / e2 - 1);
    double previous = 1e9;
    for (const float thickness : {50.0f, 5.0f}) {
        SCOPED_TRACE(thickness);
        ResetModel(model, defaults);
        model.dataFilePath = "model.nvk";
        const std::vector<float> side(10, 50.0f);
        SetGrid({10, thickness, 10}, side, side);
        model.gridUnit = 0.001f;
        Material(2, 1.0f);
        Material(3, 1.0f);
        model.colours[2].epsilon = float(e1);
        model.colours[3].epsilon = float(e2);
        SetColour(13, BC_FREE);
        model.colours[13].hConvective = 0.0f;
        AddBlock(2, 0, 1, 0, 10, 0, 10);
        AddBlock(13, 1, 2, 0, 10, 0, 10);
        AddBlock(3, 2, 3, 0, 10, 0, 10);
        AddMaterialBc(MATERIAL_TEMP, 2, float(t1));
        AddMaterialBc(MATERIAL_TEMP, 3, float(t2));
        model.calc.linearRadiation = 0;
        model.calc.cycles = 100;
        Tight();
        ASSERT_EQ(ViewFactors(), "");
        ASSERT_EQ(Calculate(), "");
        // The mean of the warm plate's four middle faces, out of the plate.
        const std::vector<kernels::FluxRecord> fluxes = kernels::ReadFluxFile("tmp.flx");
        double middle = 0;
        for (const kernels::FluxRecord& r : fluxes)
            if (r.i == 0 && (r.j == 4 || r.j == 5) && (r.k == 4 || r.k == 5))
                middle -= r.flow / 4;
        const double error = std::abs(middle - plates) / plates;
        EXPECT_LT(error, previous);
        previous = error;
        RecordProperty("ParallelPlateDeviationAt" + std::to_string(int(thickness)) + "mm", Figure(error));
    }
    EXPECT_LT(previous, 0.01);
}

TEST_F(RadiationTest, AViewFactorFileUsedAgainGivesTheSameTemperatures)
{
    // 30 °C (h 7.7) | material (lambda 0.5) | warm wall | cavity, its other
    // five sides cold walls at 0 °C; non-linear radiation.
    SetUnitGrid(5, 3, 3);
    Surface(10, 30, 7.7f);
    Material(4, 0.5f);
    Material(2, 1.0f);
    Material(3, 1.0f);
    SetColour(13, BC_FREE);
    AddBlock(10, 0, 1, 1, 2, 1, 2);
    AddBlock(4, 1, 2, 1, 2, 1, 2);
    AddBlock(2, 2, 3, 1, 2, 1, 2);
    AddBlock(13, 3, 4, 1, 2, 1, 2);
    for (const auto& c : std::vector<std::array<int, 3>>{{4, 1, 1}, {3, 0, 1}, {3, 2, 1}, {3, 1, 0}, {3, 1, 2}})
        AddBlock(3, c[0], c[0] + 1, c[1], c[1] + 1, c[2], c[2] + 1);
    AddMaterialBc(MATERIAL_TEMP, 3, 0);
    model.calc.linearRadiation = 0;
    model.calc.cycles = 20;
    ASSERT_EQ(RunCalcSystem(model, run, history, calcHost), CalcResult::Done);
    const std::vector<double> first = run.temperature;
    ASSERT_GT(run.gridUnknowns, 0);

    // The file beside the data file instead of tmp.vwf, reused ("No").
    std::filesystem::rename("tmp.vwf", "model.vwf");
    std::filesystem::remove("tmp.sol");
    calcHost.answers = {MessageAnswer::Yes, MessageAnswer::No}; // continue on the minimum grid; reuse
    calcHost.messages.clear();
    ASSERT_EQ(RunCalcSystem(model, run, history, calcHost), CalcResult::Done);
    ASSERT_EQ(calcHost.messages.size(), 2u);
    EXPECT_EQ(calcHost.messages[1], "Recalculate view factors ?");
    EXPECT_FALSE(std::filesystem::exists("tmp.vwf"));
    EXPECT_EQ(run.temperature, first);
}

TEST_F(RadiationTest, ZoneChecksNameTheColourAndTheCell)
{
    // 4 x 3 x 3 cells of material with cavities in the middle row.
    auto twoRegions = [&] {
        AddBlock(13, 1, 2, 1, 2, 1, 2);
        AddBlock(13, 3, 4, 1, 2, 1, 2);
    };
    auto freeBesideSky = [&] {
        AddBlock(13, 1, 2, 1, 2, 1, 2);
        AddBlock(15, 2, 3, 1, 2, 1, 2);
    };
    auto transparentBesideVoid = [&] {
        AddBlock(16, 1, 2, 1, 2, 1, 2);
        model.blocks[0].x2 = 2; // the material leaves the cells x = 2..3 ...
        AddBlock(1, 3, 4, 0, 3, 0, 3);
        AddBlock(1, 2, 3, 0, 1, 0, 3);
        AddBlock(1, 2, 3, 2, 3, 0, 3);
        AddBlock(1, 2, 3, 1, 2, 0, 1);
        AddBlock(1, 2, 3, 1, 2, 2, 3); // ... but for the void cell (2, 1, 1)
    };
    struct Case {
        const char* what;
        std::function<void()> build;
        bool rcl;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"two regions of one colour", twoRegions, false, "BC (colour 13) occurs in separated zones.\nSee X=3, Y=1, Z=1."},
        {"rows, columns and layers", twoRegions, true, "BC (colour 13) occurs in separated zones.\nSee R=7, C=3, L=5."},
        {"a free cavity touching a sky", freeBesideSky, false,
         "BC (colour 15) touches other BC of different type.\nSee X=2, Y=1, Z=1."},
        {"transparent beside void", transparentBesideVoid, false,
         "TRANSMAT (colour 16) bordering void space.\nSee X=1, Y=1, Z=1."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetModel(model, defaults);
        model.dataFilePath = "model.nvk";
        SetUnitGrid(4, 3, 3);
        Material(1, 1.0f);
        SetColour(13, BC_FREE);
        SetColour(15, BC_SKY);
        SetColour(16, TRANSMAT);
        model.rcl = c.rcl;
        AddBlock(1, 0, 4, 0, 3, 0, 3);
        c.build();
        EXPECT_EQ(ViewFactors(), c.message);
        EXPECT_EQ(Calculate(), c.message);
    }
}

TEST_F(RadiationTest, TouchingFreeColoursShareOneAirNode)
{
    // Two BC_FREE colours side by side in one cavity: one zone, their air
    // inputs summed; a TRANSMAT cell on the boundary of a model one cell
    // thick along z has no faces along z.
    SetUnitGrid(4, 3, 3);
    Material(1, 1.0f);
    SetColour(13, BC_FREE);
    SetColour(14, BC_FREE);
    model.colours[13].qConvective = 2;
    model.colours[14].qConvective = 3;
    AddBlock(1, 0, 4, 0, 3, 0, 3);
    AddBlock(13, 1, 2, 1, 2, 1, 2);
    AddBlock(14, 2, 3, 1, 2, 1, 2);
    RasteriseBlocks(model, run, calcHost);
    BuildNodeNumbering(model, run, calcHost);
    ASSERT_EQ(BuildZoneFaces(model, run, false, calcHost), 1);
    EXPECT_EQ(run.calc.zones[0].airHeatInput, 5.0f);
    EXPECT_EQ(run.calc.zones[0].faces.size(), 10u);

    ResetModel(model, defaults);
    SetUnitGrid(3, 3, 1);
    Material(1, 1.0f);
    SetColour(16, TRANSMAT);
    AddBlock(1, 0, 3, 0, 3, 0, 1);
    AddBlock(16, 1, 2, 1, 2, 0, 1);
    RasteriseBlocks(model, run, calcHost);
    BuildNodeNumbering(model, run, calcHost);
    ASSERT_EQ(BuildZoneFaces(model, run, false, calcHost), 1);
    EXPECT_EQ(run.calc.zones[0].faces.size(), 4u); // the four solid sides, none along z
}

TEST_F(RadiationTest, EveryFaceOfAFreeCavityExchangesWithItsAir)
{
    // A closed free cavity in a wall between 20 °C and 0 °C whose
    // view-factor file knows only some of its faces (the model changed
    // since): the faces without a radiation node still exchange with the
    // cavity air, so no heat leaks and what enters leaves.
    SetGrid({1, 0.1f, 0.1f, 0.1f, 1}, {0.1f, 0.1f, 0.1f}, {0.1f, 0.1f, 0.1f});
    Surface(10, 20, 7.7f);
    Surface(12, 0, 25);
    Material(1, 0.5f);
    SetColour(13, BC_FREE);
    model.colours[13].hConvective = 3.0f;
    AddBlock(1, 1, 4, 0, 3, 0, 3);
    AddBlock(13, 2, 3, 1, 2, 1, 2);
    AddBlock(10, 0, 1, 0, 3, 0, 3);
    AddBlock(12, 4, 5, 0, 3, 0, 3);
    ASSERT_EQ(ViewFactors(), "");
    // Keep only the faces at the cavity's two x sides in the file.
    kernels::ViewFactorFileData file = ReadFile();
    std::vector<kernels::ViewFactorFileFace> kept;
    for (const auto& f : file.faces)
        if (f.geometry.lo[0] == f.geometry.hi[0])
            kept.push_back(f);
    ASSERT_EQ(kept.size(), 2u);
    const std::vector<double> factor = {0.5};
    const std::vector<kernels::ViewFactorZoneOut> zones = {{kept, factor}};
    ASSERT_TRUE(kernels::WriteViewFactorFile("tmp.vwf", zones, {false}));
    Tight();
    ASSERT_EQ(Calculate(), "");
    const ColourRecord& warm = model.colours[10];
    const ColourRecord& cold = model.colours[12];
    const ColourRecord& cavity = model.colours[13];
    EXPECT_NEAR(warm.flowIn, cold.flowOut, 1e-6 * warm.flowIn);
    EXPECT_NEAR(cavity.flowIn, cavity.flowOut, 1e-6 * cavity.flowIn);
    EXPECT_GT(cavity.airTemperature, 5.0);
    EXPECT_LT(cavity.airTemperature, 15.0);
}

TEST_F(RadiationTest, AFaceOfANonConductingSolidHasNoAirCoupling)
{
    // The cavity's -x neighbour conducts nothing (lambda 0), so its face has
    // no surface term; its air coupling would leave the corners' rows
    // unbalanced. The heat still balances.
    SetGrid({1, 0.1f, 0.1f, 0.1f, 1}, {0.1f, 0.1f, 0.1f}, {0.1f, 0.1f, 0.1f});
    Surface(10, 20, 7.7f);
    Surface(12, 0, 25);
    Material(1, 0.5f);
    Material(2, 0.0f);
    SetColour(13, BC_FREE);
    model.colours[13].hConvective = 3.0f;
    AddBlock(1, 1, 4, 0, 3, 0, 3);
    AddBlock(2, 1, 2, 1, 2, 1, 2);
    AddBlock(13, 2, 3, 1, 2, 1, 2);
    AddBlock(10, 0, 1, 0, 3, 0, 3);
    AddBlock(12, 4, 5, 0, 3, 0, 3);
    ASSERT_EQ(ViewFactors(), "");
    RasteriseBlocks(model, run, calcHost);
    BuildNodeNumbering(model, run, calcHost);
    PrepareRadiationZones(model, run, calcHost);
    int uncoupled = 0;
    for (const ZoneFace& f : run.calc.zones[0].faces)
        uncoupled += f.airConductance == 0.0;
    EXPECT_EQ(uncoupled, 1);
    Tight();
    ASSERT_EQ(Calculate(), "");
    EXPECT_NEAR(model.colours[10].flowIn, model.colours[12].flowOut, 1e-6 * model.colours[10].flowIn);
}

TEST_F(RadiationTest, EscInTheViewFactorWindowEndsCalcSystem)
{
    CubicCavity();
    calcHost.escAfter = 0;
    EXPECT_EQ(RunCalcSystem(model, run, history, calcHost), CalcResult::Aborted);
    EXPECT_EQ(calcHost.windows, (std::vector<ProgressWindow>{ProgressWindow::ViewFactors}));
    // Only the minimum-grid question, no message of a failure.
    ASSERT_EQ(calcHost.messages.size(), 1u);
    EXPECT_EQ(calcHost.messages[0].substr(0, 29), "Current grid is minimum grid.");
    EXPECT_FALSE(std::filesystem::exists("tmp.vwf"));
}

TEST_F(RadiationTest, FacesLinkOnlyWithinTheFileZoneOfTheirZone)
{
    // Two cavities; a file whose first zone holds cavity A's faces but one,
    // which sits in the second file zone beside cavity B's faces. The first
    // face of A is not in the file at all.
    SetUnitGrid(5, 3, 3);
    Material(1, 1.0f);
    SetColour(13, BC_FREE);
    SetColour(14, BC_NOSKY);
    AddBlock(1, 0, 5, 0, 3, 0, 3);
    AddBlock(13, 1, 2, 1, 2, 1, 2);
    AddBlock(14, 3, 4, 1, 2, 1, 2);
    ASSERT_EQ(ViewFactors(), "");
    kernels::ViewFactorFileData file = ReadFile();
    ASSERT_EQ(file.zones.size(), 2u);
    ASSERT_EQ(file.zones[0].faceCount, 6);
    std::vector<kernels::ViewFactorFileFace> a(file.faces.begin() + 1, file.faces.begin() + 5);
    std::vector<kernels::ViewFactorFileFace> b(file.faces.begin() + 6, file.faces.end());
    b.push_back(file.faces[5]);
    const std::vector<double> fa(kernels::PackedSize(a.size()), 0.1), fb(kernels::PackedSize(b.size()), 0.1);
    const std::vector<kernels::ViewFactorZoneOut> zones = {{a, fa}, {b, fb}};
    ASSERT_TRUE(kernels::WriteViewFactorFile("tmp.vwf", zones, {false}));
    RasteriseBlocks(model, run, calcHost);
    BuildNodeNumbering(model, run, calcHost);
    PrepareRadiationZones(model, run, calcHost);
    const CavityZone& za = run.calc.zones[0];
    EXPECT_EQ(za.fileZone, 0);
    EXPECT_EQ(za.faces[0].radiationNode, -1); // not in the file
    for (int f = 1; f < 5; ++f)
        EXPECT_EQ(za.faces[std::size_t(f)].radiationNode, f - 1);
    EXPECT_EQ(za.faces[5].radiationNode, -1); // its node lies in the other file zone
    EXPECT_EQ(run.calc.zones[1].fileZone, 1);
    EXPECT_EQ(run.calc.radiationNodes[4 + 6].linkedFaces, 0);
    // Radiation nodes of both, the air and closure nodes of A.
    EXPECT_EQ(run.unknowns - run.gridUnknowns, 4 + 2 + 7);
    Tight();
    EXPECT_EQ(Calculate(), "");
}

} // namespace
} // namespace novelk::test
