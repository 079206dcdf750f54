// The derived figures against independent references: the U of layered walls
// against EN ISO 6946 hand calculations (with an unventilated air layer whose
// resistance follows the standard's formula), a calculated plain wall whose
// Q, Ueq, f, psi and dL follow from its U, and psi and dL of junctions
// against the heat flows of their flanking walls calculated alone.
#include "novelk/model/reports/DerivedFigures.h"

#include "CalcFixture.h"
#include "novelk/model/areas/Areas.h"
#include "novelk/model/areas/InitAreas.h"
#include "novelk/model/calc/SurfaceRules.h"

#include <cmath>
#include <cstdio>

namespace novelk::test {
namespace {

constexpr double kRsi = 1 / 7.7, kRse = 1 / 25.0;

// A 25 mm unventilated air layer with surfaces of emissivity 0.9 and 0.9,
// after EN ISO 6946: R = 1/(ha + hr), ha = max(0.025/d, 0.73 dT^(1/3)) with
// dT = 10 K, hr = 4 sigma Tm^3 E with Tm = 10 °C (283.16 K, the program's
// kelvin) and E = 1/(1/e1 + 1/e2 - 1); the layer is wide, F = 1.
double AirLayerR()
{
    const double e = 1 / (1 / 0.9 + 1 / 0.9 - 1);
    const double ha = std::max(0.025 / 0.025, 0.73 * std::cbrt(10.0));
    const double hr = 4 * 5.67e-8 * std::pow(283.16, 3) * e;
    return 1 / (ha + hr);
}

struct Layer {
    int type;      // MATERIAL or EQUIMAT (an air layer)
    double lambda; // W/(m.K); 0 for an air layer
    double d;      // m
    int cells;     // cells across it
};

const Layer kPlaster{MATERIAL, 0.57, 0.015, 1}, kMasonry{MATERIAL, 0.9, 0.19, 2},
    kInsulation{MATERIAL, 0.035, 0.08, 4}, kAir{EQUIMAT, 0, 0.025, 1}, kBrick{MATERIAL, 0.77, 0.1, 2};

class DerivedFiguresTest : public CalcTest {
  protected:
    // A wall through X: inside air (BC_SIMPL 20 °C, h 7.7), the layers,
    // outside air (BC_SIMPL 0 °C, h 25); the layers fill the grid along Y
    // and Z (their ends adiabatic). ny, nz cells of 1 m along Y and Z; the
    // grid unit in metres.
    void BuildWall(const std::vector<Layer>& layers, float unit, int ny = 1, int nz = 1)
    {
        model.gridUnit = unit;
        std::vector<float> x{float(0.05 / unit)};
        for (const Layer& l : layers)
            for (int c = 0; c < l.cells; ++c)
                x.push_back(float(l.d / l.cells / unit));
        x.push_back(float(0.05 / unit));
        SetGrid(x, std::vector<float>(std::size_t(ny), float(1 / unit)),
                std::vector<float>(std::size_t(nz), float(1 / unit)));
        Surface(1, 20, 7.7f);
        Surface(2, 0, 25);
        AddBlock(1, 0, 1, 0, ny, 0, nz);
        int at = 1;
        for (std::size_t i = 0; i < layers.size(); ++i) {
            const int colour = 10 + int(i);
            SetColour(colour, layers[i].type, float(layers[i].lambda));
            if (layers[i].type == EQUIMAT)
                model.colours[std::size_t(colour)].rule = 1; // CEN_Xy_I: d along X, width along Y
            AddBlock(colour, at, at + layers[i].cells, 0, ny, 0, nz);
            at += layers[i].cells;
        }
        AddBlock(2, at, at + 1, 0, ny, 0, nz);
        model.calc.recalcCen = 0; // the rules are applied once, here
        RasteriseBlocks(model, run, calcHost);
        ApplySurfaceRules(model, run, calcHost, true, false);
    }
    // The heat flow Q of a calculated model and its figures.
    DerivedFigures Calculated()
    {
        Tight();
        EXPECT_EQ(Calculate(), "");
        RefreshAreasAndUValues(model);
        return ComputeDerivedFigures(model);
    }
};

TEST_F(DerivedFiguresTest, UOfLayeredWallsAgainstHandCalculations)
{
    struct Case {
        const char* wall;
        std::vector<Layer> layers;
        float unit;
        double handR; // m².K/W, Rsi and Rse included
    } cases[] = {
        {"masonry", {kMasonry}, 1.0f, kRsi + 0.19 / 0.9 + kRse},
        {"plaster, masonry, insulation (m)",
         {kPlaster, kMasonry, kInsulation},
         1.0f,
         kRsi + 0.015 / 0.57 + 0.19 / 0.9 + 0.08 / 0.035 + kRse},
        {"plaster, masonry, insulation (mm)",
         {kPlaster, kMasonry, kInsulation},
         0.001f,
         kRsi + 0.015 / 0.57 + 0.19 / 0.9 + 0.08 / 0.035 + kRse},
        {"plaster, masonry, 25 mm air layer, brick (mm)",
         {kPlaster, kMasonry, kAir, kBrick},
         0.001f,
         kRsi + 0.015 / 0.57 + 0.19 / 0.9 + AirLayerR() + 0.1 / 0.77 + kRse},
        {"masonry, 25 mm air layer, insulation, brick (m)",
         {kMasonry, kAir, kInsulation, kBrick},
         1.0f,
         kRsi + 0.19 / 0.9 + AirLayerR() + 0.08 / 0.035 + 0.1 / 0.77 + kRse},
    };
    EXPECT_NEAR(AirLayerR(), 0.1728, 5e-5);
    std::printf("%-48s %10s %10s\n", "wall (Rsi 0.13, Rse 0.04)", "U hand", "U measured");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wall);
        ResetModel(model, defaults);
        BuildWall(c.layers, c.unit);
        const int last = model.axes[0].n;
        const std::optional<double> r =
            MeasureElementLine(model, AreaRecord{0, std::uint16_t(last), 0, 0, 0, 0});
        ASSERT_TRUE(r.has_value());
        const double hand = 1 / c.handR, measured = 1 / *r;
        EXPECT_NEAR(measured, hand, 1e-6 * hand);
        std::printf("%-48s %10.6f %10.6f\n", c.wall, hand, measured);
    }
}

TEST_F(DerivedFiguresTest, CalculatedPlainWallFollowsItsU)
{
    for (int dims : {2, 3}) {
        SCOPED_TRACE(dims);
        ResetModel(model, defaults);
        run = RunState{};
        BuildWall({kPlaster, kMasonry, kInsulation}, 0.001f, dims == 2 ? 1 : 2, dims == 2 ? 1 : 2);
        InitAreasAndUValues(model, run, calcHost, true);
        model.report.transmittanceP = model.report.transmittanceQ = 1;
        const DerivedFigures d = Calculated();
        const double u = 1 / (kRsi + 0.015 / 0.57 + 0.19 / 0.9 + 0.08 / 0.035 + kRse);
        const double area = dims == 2 ? 1.0 : 4.0;
        ASSERT_TRUE(d.transmittance.defined);
        EXPECT_NEAR(d.transmittance.area[0], area, 1e-6);
        EXPECT_NEAR(d.transmittance.u[0], u, 1e-6 * u);
        EXPECT_NEAR(d.env.q / (20 * area), u, 1e-6 * u);
        EXPECT_NEAR(d.transmittance.ueq, u, 1e-6 * u);
        EXPECT_NEAR(d.factor.f, 1 - u * kRsi, 1e-6);
        if (dims == 2)
            EXPECT_NEAR(d.transmittance.psi, 0, 1e-6);
        else
            EXPECT_NEAR(d.transmittance.deltaL, 0, 1e-6);
    }
}

// Junctions with unit cells of 5 cm: the walls are 10 cm of insulation
// (lambda 0.04) outside 20 cm of masonry (lambda 0.9); outside air 0 °C
// (h 25), inside air 20 °C (h 7.7), each one cell thick along the faces;
// the free ends of the walls adiabatic.
class JunctionTest : public DerivedFiguresTest {
  protected:
    static constexpr float kCell = 0.05f;
    static constexpr int kIns = 2, kMas = 4, kWall = kIns + kMas;

    void Colours()
    {
        model.gridUnit = 1.0f;
        Surface(1, 20, 7.7f);
        Surface(2, 0, 25);
        Material(3, 0.04f);
        Material(4, 0.9f);
        Material(5, 2.0f); // the slab's concrete
    }
    // A block, mirrored along X when asked (the grid has nx cells).
    void Put(int colour, int x1, int x2, int y1, int y2, int z1 = 0, int z2 = 1)
    {
        const int nx = model.axes[0].n;
        if (mirror)
            AddBlock(colour, nx - x2, nx - x1, y1, y2, z1, z2);
        else
            AddBlock(colour, x1, x2, y1, y2, z1, z2);
    }
    // The flanking wall alone: U from the heat flow of its own run.
    double WallAloneU()
    {
        ModelStore wall;
        RunState wallRun;
        std::swap(wall, model);
        std::swap(wallRun, run);
        ResetModel(model, defaults);
        Colours();
        SetGrid(std::vector<float>(std::size_t(kWall + 2), kCell), {1.0f}, {1.0f});
        AddBlock(2, 0, 1, 0, 1, 0, 1);
        AddBlock(3, 1, 1 + kIns, 0, 1, 0, 1);
        AddBlock(4, 1 + kIns, 1 + kWall, 0, 1, 0, 1);
        AddBlock(1, 1 + kWall, 2 + kWall, 0, 1, 0, 1);
        const double u = Calculated().env.q / 20.0;
        std::swap(wall, model);
        std::swap(wallRun, run);
        return u;
    }

  public:
    // An external corner of two walls, each 1.5 m long from the outer corner.
    void BuildCorner()
    {
        const int n = 1 + 30;
        SetGrid(std::vector<float>(n, kCell), std::vector<float>(n, kCell), {1.0f});
        Put(2, 0, n, 0, 1);
        Put(2, 0, 1, 1, n);
        Put(3, 1, n, 1, 1 + kIns);
        Put(3, 1, 1 + kIns, 1, n);
        Put(4, 1 + kIns, n, 1 + kIns, 1 + kWall);
        Put(4, 1 + kIns, 1 + kWall, 1 + kIns, n);
        Put(1, 1 + kWall, n, 1 + kWall, 2 + kWall);
        Put(1, 1 + kWall, 2 + kWall, 1 + kWall, n);
    }
    // A wall 2.2 m high with a floor slab 20 cm thick through its insulation,
    // reaching 1.2 m into the building; air above and below the slab.
    void BuildSlab()
    {
        const int nx = 1 + kWall + 24, ny = 44;
        SetGrid(std::vector<float>(nx, kCell), std::vector<float>(ny, kCell), {1.0f});
        Put(2, 0, 1, 0, ny);
        Put(3, 1, 1 + kIns, 0, ny);
        Put(4, 1 + kIns, 1 + kWall, 0, ny);
        Put(5, 1, nx, 20, 24);
        Put(1, 1 + kWall, 2 + kWall, 0, 20);
        Put(1, 1 + kWall, 2 + kWall, 24, ny);
        Put(1, 2 + kWall, nx, 19, 20);
        Put(1, 2 + kWall, nx, 24, 25);
    }

  protected:
    struct Psi {
        double reported;  // from the derived figures
        double reference; // from the flanking wall's own run
        double lengths;   // sum of the flanking areas per metre, m
    };
    Psi Junction(void (JunctionTest::*build)(), bool external, double wallU)
    {
        ResetModel(model, defaults);
        run = RunState{};
        Colours();
        (this->*build)();
        InitAreasAndUValues(model, run, calcHost, external);
        model.report.transmittanceP = 1;
        const DerivedFigures d = Calculated();
        const Transmittance& t = d.transmittance;
        EXPECT_TRUE(t.defined && t.anyUsed && t.flatAxis == 2);
        EXPECT_NEAR(t.length, 1.0, 1e-9);
        const double lengths = (t.area[0] + t.area[1] + t.area[2]) / t.length;
        for (int i = 0; i < 3; ++i) {
            if (t.area[std::size_t(i)] > 0) {
                EXPECT_NEAR(t.u[std::size_t(i)], wallU, 1e-6 * wallU) << i;
            }
        }
        return {t.psi, (d.env.q - wallU * 20 * lengths) / 20, lengths};
    }
    bool mirror = false;
};

TEST_F(JunctionTest, PsiOfTwoDimensionalJunctionsFromTwoRuns)
{
    const double wallU = WallAloneU();
    EXPECT_NEAR(wallU, 1 / (kRsi + 0.1 / 0.04 + 0.2 / 0.9 + kRse), 1e-6);
    struct Case {
        const char* junction;
        void (JunctionTest::*build)();
        double external, internal; // expected flanking lengths, m
    } cases[] = {
        {"external corner of two walls", &JunctionTest::BuildCorner, 3.0, 2.4},
        {"wall with a floor slab through its insulation", &JunctionTest::BuildSlab, 2.2, 2.0},
    };
    std::printf("%-46s %-8s %10s %10s %10s\n", "junction", "dims", "psi", "two runs", "lengths");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.junction);
        Psi both[2];
        for (int way = 0; way < 2; ++way) {
            const bool external = way == 0;
            Psi mirrored;
            for (bool m : {false, true}) {
                mirror = m;
                const Psi p = Junction(c.build, external, wallU);
                EXPECT_NEAR(p.reported, p.reference, 0.001);
                EXPECT_NEAR(p.lengths, external ? c.external : c.internal, 1e-6);
                if (m)
                    mirrored = p;
                else
                    both[way] = p;
                std::printf("%-46s %-8s %10.4f %10.4f %10.2f%s\n", c.junction,
                            external ? "external" : "internal", p.reported, p.reference, p.lengths,
                            m ? " (mirrored)" : "");
            }
            EXPECT_NEAR(mirrored.reported, both[way].reported, 1e-5);
        }
        // Internal and external dimensions differ by the U·Δl of the flanks.
        EXPECT_NEAR(both[1].reported - both[0].reported, wallU * (c.external - c.internal), 1e-6);
    }
}

TEST_F(JunctionTest, SurplusTransmittanceOfAThreeDimensionalCorner)
{
    // The wall alone: 20 cm of lambda 1 in cells of 10 cm, 1 m².
    ResetModel(model, defaults);
    model.gridUnit = 1.0f;
    Surface(1, 20, 7.7f);
    Surface(2, 0, 25);
    Material(3, 1.0f);
    SetGrid({0.1f, 0.1f, 0.1f, 0.1f}, {1.0f}, {1.0f});
    AddBlock(2, 0, 1, 0, 1, 0, 1);
    AddBlock(3, 1, 3, 0, 1, 0, 1);
    AddBlock(1, 3, 4, 0, 1, 0, 1);
    const double wallU = Calculated().env.q / 20;
    EXPECT_NEAR(wallU, 1 / (kRsi + 0.2 + kRse), 1e-6);

    // Three such walls meeting at an external corner, each 1 m long from
    // it; the outside air wraps the three outer faces, the inside air lines
    // the three inner ones, the rest of the inside is void.
    ResetModel(model, defaults);
    run = RunState{};
    model.gridUnit = 1.0f;
    Surface(1, 20, 7.7f);
    Surface(2, 0, 25);
    Material(3, 1.0f);
    const int n = 11;
    SetGrid(std::vector<float>(n, 0.1f), std::vector<float>(n, 0.1f), std::vector<float>(n, 0.1f));
    AddBlock(2, 0, 1, 0, n, 0, n);
    AddBlock(2, 0, n, 0, 1, 0, n);
    AddBlock(2, 0, n, 0, n, 0, 1);
    AddBlock(3, 1, 3, 1, n, 1, n);
    AddBlock(3, 1, n, 1, 3, 1, n);
    AddBlock(3, 1, n, 1, n, 1, 3);
    AddBlock(1, 3, 4, 3, n, 3, n);
    AddBlock(1, 3, n, 3, 4, 3, n);
    AddBlock(1, 3, n, 3, n, 3, 4);
    InitAreasAndUValues(model, run, calcHost, true);
    model.report.transmittanceP = 1;
    const DerivedFigures d = Calculated();
    const Transmittance& t = d.transmittance;
    ASSERT_TRUE(t.defined);
    EXPECT_EQ(t.flatAxis, -1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(t.area[std::size_t(i)], 1.0, 1e-6) << i;
        EXPECT_NEAR(t.u[std::size_t(i)], wallU, 1e-6 * wallU) << i;
    }
    const double reference = (d.env.q - wallU * 20 * 3.0) / 20;
    EXPECT_NEAR(t.deltaL, reference, 0.001);
    std::printf("3D external corner of three walls: dL %.4f W/K, from the wall's own run %.4f W/K\n",
                t.deltaL, reference);
}

} // namespace
} // namespace novelk::test
