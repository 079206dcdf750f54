// Cavity radiation: the rows of a square cavity against a dense radiosity
// network of its catalogue view factors, the unseen share of sky, no-sky and
// transparent zones and the air node of a convection-only zone against hand
// networks, non-linear radiation at small differences against linear
// radiation with hrbl = 4 sigma T³, a zero `hrbl` with non-linear radiation,
// the view-factor read-out and Esc in the view factors, and a closed cavity
// in a calculated wall (rows summing to one, thread-count independence,
// heat in = heat out).
#include "common/kernels/SymmetricMatrix.h"
#include "common/kernels/SymmetricPattern.h"
#include "dralo/model/calc/Assembly.h"
#include "dralo/model/calc/HeatFlows.h"
#include "dralo/model/calc/Solver.h"
#include "dralo/model/radiation/CavityRadiation.h"
#include "dralo/model/reports/TextReports.h"
#include "dralo/model/results/MeshResults.h"
#include "dralo/model/tests/CalcFixture.h"

#include <Eigen/Dense>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>

namespace dralo::test {
namespace {

constexpr double kSigma = 5.67e-8;

std::size_t U(std::int64_t i)
{
    return static_cast<std::size_t>(i);
}

// A surface of a radiation zone: a segment (1/16 pixel) with end points of
// its own, held at temperature t; it faces the side to its left. A material
// colour equal to the zone's boundary colour makes it transparent.
struct Side {
    int x1, y1, x2, y2;
    double t;
    float eps;
    bool transparent = false;
};

// One radiation zone of the given sides and type (boundary colour 9, side k
// of material colour 10 + k), its equations after the 2n fixed end points.
struct ZoneFixture {
    BitmapModel m;
    Mesh mesh;
    CavityRadiation radiation;
    std::int64_t points = 0;
    std::int64_t equations = 0;
    std::vector<std::uint8_t> kind;
    std::vector<float> fixedT;

    // prepare sets the colours' values before the zone is formed.
    explicit ZoneFixture(const std::vector<Side>& sides, int type = BC_FREE,
                         const std::function<void(BitmapModel&)>& prepare = {}, EngineHost* recorder = nullptr,
                         unsigned threads = 0)
    {
        m.pixs = 0.001f;
        m.calc.hrbl = 5.1f;
        m.calc.vwfc = 1e-9f;
        m.colours[9].type = static_cast<std::uint8_t>(type);
        m.colours[9].hcon = 0;
        mesh.zoneEdges = {static_cast<std::int32_t>(sides.size())};
        for (std::size_t k = 0; k < sides.size(); ++k) {
            const Side& side = sides[k];
            mesh.points.push_back({side.x1, side.y1});
            mesh.points.push_back({side.x2, side.y2});
            BorderEdge e;
            e.start = static_cast<std::int32_t>(2 * k), e.end = static_cast<std::int32_t>(2 * k + 1);
            e.material = static_cast<std::uint8_t>(side.transparent ? 9 : 10 + k % 100);
            e.boundary = 9;
            e.zone = 0;
            mesh.borders.push_back(e);
            m.colours[10 + k % 100].epsi = side.eps;
        }
        points = equations = static_cast<std::int64_t>(mesh.points.size());
        if (prepare)
            prepare(m);
        NullEngineHost host;
        ComputeViewFactors(m, mesh, radiation, equations, ".", recorder ? *recorder : host, threads);
        kind.assign(U(equations), kNodeFree);
        fixedT.assign(U(equations), 0.0f);
        for (std::int64_t k = 0; k < points; ++k) {
            kind[U(k)] = kNodeFixed;
            fixedT[U(k)] = static_cast<float>(sides[U(k / 2)].t);
        }
    }

    // The assembled rows of the radiation nodes, solved densely.
    Eigen::VectorXd Solve(const std::vector<double>& previous = {})
    {
        UpdateViewFactors(m, mesh, radiation, previous);
        const kernels::SymmetricPattern pattern = kernels::BuildSymmetricPattern(
            equations, points,
            [&](auto&& link) {
                for (std::int64_t i = 1; i < equations; ++i)
                    for (std::int64_t j = 0; j < i; ++j)
                        link(i, j);
            },
            {});
        kernels::SymmetricMatrix a(pattern);
        std::vector<double> b(U(equations), 0.0);
        AssembleRadiation(radiation, kind, fixedT, a, b);
        const Eigen::Index n = equations - points;
        Eigen::MatrixXd dense(n, n);
        Eigen::VectorXd rhs(n);
        for (Eigen::Index i = 0; i < n; ++i) {
            rhs(i) = b[U(i + points)];
            dense(i, i) = a.Diagonal()[U(i + points)];
            for (Eigen::Index j = 0; j < i; ++j)
                dense(i, j) = dense(j, i) = a.Element(i + points, j + points);
        }
        // The air node without convection and the environment node of a
        // closed cavity carry nothing: unit rows.
        for (Eigen::Index i = 0; i < n; ++i)
            if (dense(i, i) == 0)
                dense(i, i) = 1;
        return dense.ldlt().solve(rhs);
    }
};

// A square cavity of side 10 pixels (160 in 1/16 pixel) whose four sides
// face the inside; side k is held at temperature t[k].
std::vector<Side> SquareSides(const std::array<double, 4>& t, const std::array<float, 4>& eps)
{
    const int x[5] = {0, 160, 160, 0, 0}, y[5] = {0, 0, 160, 160, 0};
    std::vector<Side> sides;
    for (std::size_t k = 0; k < 4; ++k)
        sides.push_back({x[k], y[k], x[k + 1], y[k + 1], t[k], eps[k]});
    return sides;
}

struct SquareCavity : ZoneFixture {
    SquareCavity(const std::array<double, 4>& t, const std::array<float, 4>& eps) : ZoneFixture(SquareSides(t, eps))
    {
    }
};

// Radiosities (as temperatures) of the grey square by the textbook network:
// A e/(1-e) h (T_i - J_i) = sum_j A F_ij h (J_i - J_j).
Eigen::VectorXd NetworkRadiosities(const std::array<double, 4>& t, const std::array<float, 4>& eps, double h)
{
    const double adjacent = 1.0 - std::sqrt(0.5), opposite = std::sqrt(2.0) - 1.0;
    Eigen::MatrixXd a = Eigen::MatrixXd::Zero(4, 4);
    Eigen::VectorXd b(4);
    const double area = 0.01;
    for (int i = 0; i < 4; ++i) {
        const double e = eps[static_cast<std::size_t>(i)];
        const double surface = area * e / (1 - e) * h;
        a(i, i) += surface;
        b(i) = surface * t[i];
        for (int j = 0; j < 4; ++j) {
            if (j == i)
                continue;
            const double f = (i - j + 4) % 4 == 2 ? opposite : adjacent;
            a(i, i) += area * f * h;
            a(i, j) -= area * f * h;
        }
    }
    return a.lu().solve(b);
}

TEST(CavityRadiation, SquareRowsMatchTheRadiosityNetwork)
{
    const std::array<double, 4> t = {20, 5, -3, 12};
    const std::array<float, 4> eps = {0.9f, 0.5f, 0.2f, 0.75f};
    SquareCavity cavity(t, eps);
    ASSERT_EQ(cavity.equations, 8 + 4 + 2); // four segment nodes, the air and the environment node
    const Eigen::VectorXd j = cavity.Solve();
    const Eigen::VectorXd reference = NetworkRadiosities(t, eps, 5.1);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(j(i), reference(i), 1e-8) << "side " << i;
    // What the surfaces give off, the others take up.
    double net = 0;
    for (int i = 0; i < 4; ++i) {
        const double e = eps[U(i)];
        net += 0.01 * e / (1 - e) * 5.1 * (t[U(i)] - j(i));
    }
    EXPECT_NEAR(net, 0.0, 1e-10);
}

TEST(CavityRadiation, NonLinearAtSmallDifferencesApproachesLinearWith4SigmaT3)
{
    const std::array<double, 4> t = {10.01, 10.0, 9.99, 10.005};
    const std::array<float, 4> eps = {0.9f, 0.9f, 0.9f, 0.9f};
    SquareCavity linear(t, eps);
    const double tk = 10 + 273.16;
    linear.m.calc.hrbl = static_cast<float>(4 * kSigma * tk * tk * tk);
    const Eigen::VectorXd jl = linear.Solve();

    for (float hrbl : {5.1f, 0.0f}) { // hrbl 0: nothing is divided by it
        SquareCavity nonlinear(t, eps);
        nonlinear.m.calc.hrbl = hrbl;
        nonlinear.m.calc.linr = 0;
        std::vector<double> previous(static_cast<std::size_t>(nonlinear.equations), 10.0);
        for (int k = 0; k < 8; ++k)
            previous[static_cast<std::size_t>(k)] = t[static_cast<std::size_t>(k / 2)];
        for (int i = 0; i < 4; ++i)
            previous[static_cast<std::size_t>(8 + i)] = jl(i);
        const Eigen::VectorXd jn = nonlinear.Solve(previous);
        for (int i = 0; i < 4; ++i) {
            ASSERT_TRUE(std::isfinite(jn(i)));
            EXPECT_NEAR(jn(i), jl(i), 1e-5) << "hrbl " << hrbl << " side " << i;
        }
    }
}

// Where the share of the surroundings a surface does not see goes.
enum class Unseen { Sky, Nowhere, FloatingNode };

// Radiosities (as temperatures) of surfaces of equal area A by the network
// A e_i/(1-e_i) h (T_i - J_i) = sum_j A F_ij h (J_i - J_j) + A (1 - sum_j F_ij) h (J_i - T_u),
// T_u being the sky's temperature, an environment node that only these
// exchanges hold (the last unknown), or no exchange at all.
Eigen::VectorXd UnseenNetwork(const Eigen::MatrixXd& f, const std::vector<Side>& sides, double area, double h,
                              Unseen unseen, double sky)
{
    const Eigen::Index n = f.rows();
    const Eigen::Index size = unseen == Unseen::FloatingNode ? n + 1 : n;
    Eigen::MatrixXd a = Eigen::MatrixXd::Zero(size, size);
    Eigen::VectorXd b = Eigen::VectorXd::Zero(size);
    for (Eigen::Index i = 0; i < n; ++i) {
        const Side& side = sides[U(i)];
        const double e = side.transparent ? 0.0 : side.eps;
        const double surface = area * e / (1 - e) * h;
        a(i, i) += surface;
        b(i) += surface * side.t;
        for (Eigen::Index j = 0; j < n; ++j) {
            a(i, i) += area * f(i, j) * h;
            a(i, j) -= area * f(i, j) * h;
        }
        const double rest = area * (1 - f.row(i).sum()) * h;
        if (unseen == Unseen::Sky) {
            a(i, i) += rest;
            b(i) += rest * sky;
        } else if (unseen == Unseen::FloatingNode) {
            a(i, i) += rest;
            a(i, n) -= rest;
            a(n, n) += rest;
            a(n, i) -= rest;
        }
    }
    return a.fullPivLu().solve(b);
}

// Two strips of 10 pixels facing each other at 10 pixels: each sees
// sqrt(2) - 1 of the other and the rest of the surroundings.
std::vector<Side> FacingStrips(double t1, float e1, double t2, float e2, bool secondTransparent = false)
{
    return {{0, 0, 160, 0, t1, e1}, {160, 160, 0, 160, t2, e2, secondTransparent}};
}

TEST(CavityRadiation, TheUnseenShareGoesWhereTheZoneTypeSendsIt)
{
    struct Case {
        const char* name;
        int type;
        Unseen unseen;
        std::vector<Side> sides;
    };
    // The pixel size is a float: the segments' area is 10 of its pixels.
    const double h = double(5.1f), area = 10 * double(0.001f), sky = -10.0;
    const double f = std::sqrt(2.0) - 1.0;
    const Case cases[] = {
        {"sky", BC_SKY, Unseen::Sky, FacingStrips(20, 0.9f, 5, 0.6f)},
        {"no sky", BC_NOSKY, Unseen::Nowhere, FacingStrips(20, 0.9f, 5, 0.6f)},
        {"transparent boundary", TRANSMAT, Unseen::FloatingNode, FacingStrips(20, 0.9f, 5, 0.6f)},
        {"one side transparent", TRANSMAT, Unseen::FloatingNode, FacingStrips(20, 0.9f, 5, 0.6f, true)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ZoneFixture zone(c.sides, c.type, [&](BitmapModel& m) { m.colours[9].trad = static_cast<float>(sky); });
        // Two segment nodes, and the environment node of a transparent boundary.
        ASSERT_EQ(zone.equations, 4 + 2 + (c.unseen == Unseen::FloatingNode ? 1 : 0));
        const Eigen::VectorXd j = zone.Solve();
        Eigen::MatrixXd views(2, 2);
        views << 0, f, f, 0;
        const Eigen::VectorXd reference = UnseenNetwork(views, c.sides, area, h, c.unseen, sky);
        ASSERT_EQ(j.size(), reference.size());
        for (Eigen::Index i = 0; i < j.size(); ++i)
            EXPECT_NEAR(j(i), reference(i), 1e-8) << "node " << i;

        // Heat given off by each surface, and what the surroundings take.
        double q[2];
        double unseenTakes = 0;
        for (int i = 0; i < 2; ++i) {
            const Side& side = c.sides[U(i)];
            const double e = side.transparent ? 0.0 : side.eps;
            q[i] = area * e / (1 - e) * h * (side.t - j(i));
            if (c.unseen == Unseen::Sky)
                unseenTakes += area * (1 - f) * h * (j(i) - sky);
        }
        EXPECT_NEAR(q[0] + q[1], unseenTakes, 1e-9);
        if (c.type == BC_NOSKY) {
            // In series: both surface resistances and the space between.
            const double e1 = 0.9f, e2 = 0.6f;
            const double r = (1 - e1) / (area * e1 * h) + 1 / (area * f * h) + (1 - e2) / (area * e2 * h);
            EXPECT_NEAR(q[0], (20 - 5) / r, 1e-9);
        }
        if (c.sides[1].transparent) {
            // A transparent surface neither emits nor absorbs: nothing leaves the other.
            EXPECT_NEAR(q[0], 0.0, 1e-12);
            EXPECT_EQ(zone.radiation.zones[0].segments[1].emissivity, 0.0f);
        }
    }
}

TEST(CavityRadiation, NonLinearSkyRadiationReachesTheFourthPowerLaw)
{
    // One surface at 20 °C under a sky at -10 °C sees nothing else: once the
    // cycles settle it gives off A e sigma (T⁴ - Tsky⁴), whatever `hrbl` is.
    const double t = 20, sky = -10, kelvin = 273.16;
    const float e = 0.9f;
    for (float hrbl : {5.1f, 0.0f}) {
        SCOPED_TRACE(hrbl);
        ZoneFixture zone({{0, 0, 160, 0, t, e}}, BC_SKY, [&](BitmapModel& m) {
            m.colours[9].trad = static_cast<float>(sky);
            m.calc.hrbl = hrbl;
            m.calc.linr = 0;
        });
        ASSERT_EQ(zone.equations, 2 + 1);
        std::vector<double> previous(3, t);
        for (int cycle = 0; cycle < 40; ++cycle) {
            const Eigen::VectorXd j = zone.Solve(previous);
            ASSERT_TRUE(std::isfinite(j(0)));
            previous[2] = j(0);
        }
        const double area = 10 * double(0.001f);
        const double tk = t + kelvin, jk = previous[2] + kelvin, sk = sky + kelvin;
        const double given = area * e / (1 - e) * kSigma * (std::pow(tk, 4) - std::pow(jk, 4));
        const double expected = area * e * kSigma * (std::pow(tk, 4) - std::pow(sk, 4));
        EXPECT_NEAR(given, expected, 1e-9 * expected);
    }
}

TEST(CavityRadiation, AFreeCavityWithoutRadiationHoldsOnlyItsAirNode)
{
    // hglo 3 on four sides of 0.01 m at 20, 5, -3 and 12 °C; 2 W/m go into
    // the air, whose temperature balances what the sides take.
    const std::array<double, 4> t = {20, 5, -3, 12};
    const double h = 3.0, area = 10 * double(0.001f), input = 2.0;
    ZoneFixture zone(SquareSides(t, {0.9f, 0.9f, 0.9f, 0.9f}), BC_FRE_S, [&](BitmapModel& m) {
        m.colours[9].hglo = static_cast<float>(h);
        m.colours[9].qcon = static_cast<float>(input);
    });
    ASSERT_EQ(zone.equations, 8 + 1); // the air node only
    const Eigen::VectorXd air = zone.Solve();
    const double expected = (h * area * (20 + 5 - 3 + 12) + input) / (4 * h * area);
    EXPECT_NEAR(air(0), expected, 1e-9);
    double taken = 0;
    for (double side : t)
        taken += h * area * (air(0) - side);
    EXPECT_NEAR(taken, input, 1e-9);
    for (const RadiationSegment& s : zone.radiation.zones[0].segments) {
        EXPECT_EQ(s.emissivity, 1.0f);
        EXPECT_EQ(s.halfEmission, 0.0);
    }
}

// Keeps the view-factor read-outs; with escAfter set, Esc is down once that
// many were shown.
class ViewFactorReadoutHost : public NullEngineHost {
  public:
    void ShowViewFactorCount(long long count) override { counts.push_back(count); }
    bool EscPressed() override { return escAfter > 0 && counts.size() >= escAfter; }
    std::vector<long long> counts;
    std::size_t escAfter = 0;
};

// A square of 100 pixels whose sides are cut into `pieces` segments each.
std::vector<Side> DividedSquare(int pieces)
{
    const int x[5] = {0, 1600, 1600, 0, 0}, y[5] = {0, 0, 1600, 1600, 0};
    std::vector<Side> sides;
    for (int k = 0; k < 4; ++k) {
        for (int p = 0; p < pieces; ++p) {
            auto at = [&](const int (&c)[5], int q) { return c[k] + (c[k + 1] - c[k]) * q / pieces; };
            sides.push_back({at(x, p), at(y, p), at(x, p + 1), at(y, p + 1), 10.0, 0.9f});
        }
    }
    return sides;
}

TEST(CavityRadiation, TheViewFactorCountIsShownEvery10000PairsAndAtTheEnd)
{
    // 400 segments: 79800 pairs, polled every 2000 on one thread.
    ViewFactorReadoutHost host;
    ZoneFixture zone(DividedSquare(100), BC_FREE, {}, &host, 1);
    const std::vector<long long> expected = {10000, 20000, 30000, 40000, 50000, 60000, 70000, 79800};
    EXPECT_EQ(host.counts, expected);

    // A zone of one segment has no pairs; the count still ends the step.
    ViewFactorReadoutHost single;
    ZoneFixture one({{0, 0, 160, 0, 10.0, 0.9f}}, BC_FREE, {}, &single, 1);
    EXPECT_EQ(single.counts, std::vector<long long>{0});
    // Its whole surroundings are unseen: -A per unit of h.
    EXPECT_DOUBLE_EQ(one.radiation.zones[0].segments[0].environment, -10 * double(0.001f));
}

TEST(CavityRadiation, EscInTheViewFactorsStopsThemAtTheNextPoll)
{
    ViewFactorReadoutHost host;
    host.escAfter = 1;
    EXPECT_THROW(ZoneFixture(DividedSquare(100), BC_FREE, {}, &host, 1), EscAbort);
    EXPECT_EQ(host.counts, std::vector<long long>{10000});
}

class CavityCalcTest : public CalcTest {
  protected:
    // 40 x 40 pixels of λ 1 between 20 °C and 0 °C, a 12 x 8 pixel cavity of
    // a free-cavity colour without convection in the middle; or a wall `wide`
    // x `high` pixels with the cavity [x0, x1) x [y0, y1) and the mesh size.
    void DrawCavity(int wide = 40, int high = 40, std::array<int, 4> cavity = {15, 16, 27, 24}, float mesh = 3);
};

void CavityCalcTest::DrawCavity(int wide, int high, std::array<int, 4> cavity, float mesh)
{
    AllocatePixels(model, wide + 2, high, 1);
    Fill(0, 0, 1, high, 2);
    Fill(wide + 1, 0, wide + 2, high, 3);
    Fill(cavity[0], cavity[1], cavity[2], cavity[3], 5);
    Finish();
    model.pixs = 0.001f;
    Material(1, 1.0f);
    Boundary(2, 20, 7.7f);
    Boundary(3, 0, 25);
    SetColour(5, BC_FREE, 1.0f, 0, 0);
    model.colours[5].hcon = 0;
    model.colours[5].qcon = 0;
    model.colours[1].epsi = 0.9f;
    model.calc.rays = 200;
    MeshSize(mesh);
}

TEST_F(CavityCalcTest, AClosedCavityInAWallKeepsHeatInEqualToHeatOut)
{
    DrawCavity();
    const WorkOutcome outcome = Calculate();
    ASSERT_TRUE(outcome.Normal()) << (outcome.error ? outcome.error->Message() : "Esc");
    const FlowFile flw = ReadFlowFile();
    const double in = flw.colours.at(2).first, out = flw.colours.at(3).second;
    EXPECT_GT(in, 0);
    EXPECT_NEAR(in, out, 1e-6 * in);

    // Radiation across the cavity carries heat: without emission it is
    // adiabatic and less flows. Non-linear radiation over three cycles keeps
    // the balance and removes its coefficient file at the end.
    model.colours[1].epsi = 0.0f;
    ASSERT_TRUE(Calculate(false).Normal());
    EXPECT_LT(ReadFlowFile().colours.at(2).first, in - 1e-3 * in);
    model.colours[1].epsi = 0.9f;
    model.calc.linr = 0;
    model.calc.cycl = 3;
    const std::string start = common::testing::ReadBytes("tmp.sol");
    ASSERT_TRUE(Calculate(false).Normal());
    const FlowFile nonlinear = ReadFlowFile();
    // A short coefficient file left from elsewhere changes nothing.
    common::testing::WriteBytes("view.tmp", "short");
    common::testing::WriteBytes("tmp.sol", start);
    ASSERT_TRUE(Calculate(false).Normal());
    EXPECT_EQ(ReadFlowFile().colours, nonlinear.colours);
    EXPECT_NEAR(nonlinear.colours.at(2).first, nonlinear.colours.at(3).second, 1e-6 * in);
    EXPECT_NEAR(nonlinear.colours.at(2).first, in, 0.05 * in); // hrbl 5.1 is near 4 sigma T³ here
    EXPECT_FALSE(std::filesystem::exists("view.tmp"));
    model.calc.linr = 1;

    // The cavity's surfaces see only each other, the same on any number of
    // threads.
    BitmapModel copy = model;
    Mesh mesh;
    ReadMeshFile(copy, ".", mesh);
    ASSERT_EQ(mesh.zoneEdges.size(), 1u);
    CavityRadiation one, eight;
    std::int64_t e1 = 0, e8 = 0;
    ComputeViewFactors(copy, mesh, one, e1, ".", host, 1);
    ComputeViewFactors(copy, mesh, eight, e8, ".", host, 8);
    ASSERT_EQ(one.zones[0].couplings, eight.zones[0].couplings);
    const RadiationZone& z = one.zones[0];
    for (std::size_t k = 0; k < z.segments.size(); ++k)
        EXPECT_EQ(z.segments[k].environment, 0.0) << "segment " << k << " sees outside the cavity";
}

TEST_F(CavityCalcTest, EscInTheViewFactorsEndsTheRunWithoutResultFiles)
{
    // A cavity of 60 x 60 pixels in a finer mesh: 240 segments, 28680 pairs;
    // Esc is down from the first read-out on, at 10000 pairs.
    DrawCavity(80, 80, {11, 10, 71, 70}, 1);
    model.calc.linr = 0; // a finished step would write view.tmp
    for (const char* name : {kSolutionFileName, kFlowFileName, kFluxFileName, "view.tmp"})
        std::remove(name);

    ViewFactorReadoutHost esc;
    esc.escAfter = 1;
    WorkOutcome outcome;
    {
        // On one thread the calculation polls after every 2000 pairs.
        const char* before = std::getenv("SUITE_THREADS");
        const std::string saved = before ? before : "";
        setenv("SUITE_THREADS", "1", 1);
        outcome = RunCalculation(model, run, startup, esc, true);
        if (before)
            setenv("SUITE_THREADS", saved.c_str(), 1);
        else
            unsetenv("SUITE_THREADS");
    }
    EXPECT_FALSE(outcome.Normal());
    EXPECT_FALSE(outcome.error.has_value()) << outcome.error->Message();
    EXPECT_EQ(esc.counts, std::vector<long long>{10000}) << "the read-out stops with the pairs";
    for (const char* name : {kSolutionFileName, kFlowFileName, kFluxFileName, "view.tmp"})
        EXPECT_FALSE(std::filesystem::exists(name)) << name;
    EXPECT_TRUE(run.mesh.points.empty()) << "the work arrays are released";

    // The same model then calculates to the end.
    const WorkOutcome again = Calculate(false);
    ASSERT_TRUE(again.Normal()) << (again.error ? again.error->Message() : "Esc");
    EXPECT_TRUE(std::filesystem::exists(kFlowFileName));
}

TEST_F(CavityCalcTest, ReportsOfAModelWithACavity)
{
    DrawCavity();
    model.colours[5].name = "Cavity";
    ASSERT_TRUE(Calculate().Normal());
    MeshResults results;
    ASSERT_NO_THROW(ReadResults(model, ".", results));
    EXPECT_GT(results.equations, static_cast<int>(results.points.size())); // the radiation nodes
    EXPECT_FALSE(results.radiationEdges.empty());
    platform::StringTable strings;
    ASSERT_TRUE(LoadDraloStrings(strings, SUITE_SOURCE_DIR "/resources/dralo"));
    ReportContext c{model, results, strings};
    std::string dat, res;
    for (const auto& [suffix, text] : BuildTextReports(c)) {
        if (suffix == "_DAT")
            dat = text;
        else if (suffix == "_RES")
            res = text;
    }
    // The cavity's own values, the emissivity column and the radiation
    // parameters appear; its air temperature stands in the results.
    EXPECT_NE(dat.find("Col.    ta      hc        Pc     tr        C1        C2        C3\n"), std::string::npos);
    EXPECT_NE(dat.find("\n5             0.00         0"), std::string::npos) << dat;
    EXPECT_NE(dat.find("\n1    MATERIAL" + std::string(32, ' ') + "1.000  0.90"), std::string::npos) << dat;
    EXPECT_NE(dat.find("\n5    BC_FREE   NIHIL       Cavity"), std::string::npos) << dat;
    EXPECT_NE(dat.find("Smallest view factor = 0.0001\nRays per unit view factor = 200\n"), std::string::npos) << dat;
    EXPECT_NE(res.find("5    BC_FREE   Cavity    "), std::string::npos) << res;
}

} // namespace
} // namespace dralo::test
