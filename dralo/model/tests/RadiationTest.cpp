// Cavity radiation: the rows of a square cavity against a dense radiosity
// network of its catalogue view factors, non-linear radiation at small
// differences against linear radiation with hrbl = 4 sigma T³, a zero
// `hrbl` with non-linear radiation, and a closed cavity in a calculated wall
// (rows summing to one, thread-count independence, heat in = heat out).
#include "common/kernels/SymmetricMatrix.h"
#include "common/kernels/SymmetricPattern.h"
#include "dralo/model/calc/Assembly.h"
#include "dralo/model/radiation/CavityRadiation.h"
#include "dralo/model/reports/TextReports.h"
#include "dralo/model/results/MeshResults.h"
#include "dralo/model/tests/CalcFixture.h"

#include <Eigen/Dense>
#include <cmath>
#include <filesystem>

namespace dralo::test {
namespace {

constexpr double kSigma = 5.67e-8;

std::size_t U(std::int64_t i)
{
    return static_cast<std::size_t>(i);
}

// A square cavity of side 10 pixels (160 in 1/16 pixel) whose four sides
// are segments with end points of their own, counter-clockwise so that
// each faces the inside; side k is held at temperature t[k].
struct SquareCavity {
    BitmapModel m;
    Mesh mesh;
    CavityRadiation radiation;
    std::int64_t equations = 8;
    std::vector<std::uint8_t> kind;
    std::vector<float> fixedT;

    explicit SquareCavity(const std::array<double, 4>& t, const std::array<float, 4>& eps)
    {
        m.pixs = 0.001f;
        m.calc.hrbl = 5.1f;
        m.calc.vwfc = 1e-9f;
        const int x[5] = {0, 160, 160, 0, 0}, y[5] = {0, 0, 160, 160, 0};
        m.colours[9].type = BC_FREE;
        m.colours[9].hcon = 0;
        mesh.zoneEdges = {4};
        for (int k = 0; k < 4; ++k) {
            mesh.points.push_back({x[k], y[k]});
            mesh.points.push_back({x[k + 1], y[k + 1]});
            BorderEdge e;
            e.start = 2 * k, e.end = 2 * k + 1;
            e.material = static_cast<std::uint8_t>(10 + k);
            e.boundary = 9;
            e.zone = 0;
            mesh.borders.push_back(e);
            m.colours[U(10 + k)].epsi = eps[U(k)];
        }
        NullEngineHost host;
        ComputeViewFactors(m, mesh, radiation, equations, host);
        kind.assign(U(equations), kNodeFree);
        fixedT.assign(U(equations), 0.0f);
        for (int k = 0; k < 8; ++k) {
            kind[U(k)] = kNodeFixed;
            fixedT[U(k)] = static_cast<float>(t[U(k / 2)]);
        }
    }

    // The assembled rows of the radiation nodes, solved densely.
    Eigen::VectorXd Solve(const std::vector<double>& previous = {})
    {
        UpdateViewFactors(m, mesh, radiation, previous);
        const kernels::SymmetricPattern pattern = kernels::BuildSymmetricPattern(
            equations, 8,
            [&](auto&& link) {
                for (std::int64_t i = 1; i < equations; ++i)
                    for (std::int64_t j = 0; j < i; ++j)
                        link(i, j);
            },
            {});
        kernels::SymmetricMatrix a(pattern);
        std::vector<double> b(U(equations), 0.0);
        AssembleRadiation(radiation, kind, fixedT, a, b);
        const Eigen::Index n = equations - 8;
        Eigen::MatrixXd dense(n, n);
        Eigen::VectorXd rhs(n);
        for (Eigen::Index i = 0; i < n; ++i) {
            rhs(i) = b[U(i + 8)];
            dense(i, i) = a.Diagonal()[U(i + 8)];
            for (Eigen::Index j = 0; j < i; ++j)
                dense(i, j) = dense(j, i) = a.Element(i + 8, j + 8);
        }
        // The air node without convection and the environment node of a
        // closed cavity carry nothing: unit rows.
        for (Eigen::Index i = 4; i < n; ++i)
            if (dense(i, i) == 0)
                dense(i, i) = 1;
        return dense.ldlt().solve(rhs);
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

class CavityCalcTest : public CalcTest {
  protected:
    // 40 x 40 pixels of λ 1 between 20 °C and 0 °C, a 12 x 8 pixel cavity of
    // a free-cavity colour without convection in the middle.
    void DrawCavity();
};

void CavityCalcTest::DrawCavity()
{
    AllocatePixels(model, 42, 40, 1);
    Fill(0, 0, 1, 40, 2);
    Fill(41, 0, 42, 40, 3);
    Fill(15, 16, 27, 24, 5);
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
    MeshSize(3);
}

TEST_F(CavityCalcTest, AClosedCavityInAWallKeepsHeatInEqualToHeatOut)
{
    DrawCavity();
    const WorkOutcome outcome = Calculate();
    ASSERT_TRUE(outcome.normal) << (outcome.error ? outcome.error->Message() : "Esc");
    const FlowFile flw = ReadFlowFile();
    const double in = flw.colours.at(2).first, out = flw.colours.at(3).second;
    EXPECT_GT(in, 0);
    EXPECT_NEAR(in, out, 1e-6 * in);

    // Radiation across the cavity carries heat: without emission it is
    // adiabatic and less flows. Non-linear radiation over three cycles keeps
    // the balance and removes its coefficient file at the end.
    model.colours[1].epsi = 0.0f;
    ASSERT_TRUE(Calculate(false).normal);
    EXPECT_LT(ReadFlowFile().colours.at(2).first, in - 1e-3 * in);
    model.colours[1].epsi = 0.9f;
    model.calc.linr = 0;
    model.calc.cycl = 3;
    const std::string start = common::testing::ReadBytes("tmp.sol");
    ASSERT_TRUE(Calculate(false).normal);
    const FlowFile nonlinear = ReadFlowFile();
    // A short coefficient file left from elsewhere changes nothing.
    common::testing::WriteBytes("view.tmp", "short");
    common::testing::WriteBytes("tmp.sol", start);
    ASSERT_TRUE(Calculate(false).normal);
    EXPECT_EQ(ReadFlowFile().colours, nonlinear.colours);
    EXPECT_NEAR(nonlinear.colours.at(2).first, nonlinear.colours.at(3).second, 1e-6 * in);
    EXPECT_NEAR(nonlinear.colours.at(2).first, in, 0.05 * in); // hrbl 5.1 is near 4 sigma T³ here
    EXPECT_FALSE(std::filesystem::exists("view.tmp"));
    model.calc.linr = 1;

    // The cavity's surfaces see only each other, the same on any number of
    // threads.
    BitmapModel copy = model;
    Mesh mesh;
    ReadMeshFile(copy, mesh);
    ASSERT_EQ(mesh.zoneEdges.size(), 1u);
    CavityRadiation one, eight;
    std::int64_t e1 = 0, e8 = 0;
    ComputeViewFactors(copy, mesh, one, e1, host, 1);
    ComputeViewFactors(copy, mesh, eight, e8, host, 8);
    ASSERT_EQ(one.zones[0].couplings, eight.zones[0].couplings);
    const RadiationZone& z = one.zones[0];
    for (std::size_t k = 0; k < z.segments.size(); ++k)
        EXPECT_EQ(z.segments[k].environment, 0.0) << "segment " << k << " sees outside the cavity";
}

TEST_F(CavityCalcTest, ReportsOfAModelWithACavity)
{
    DrawCavity();
    model.colours[5].name = "Cavity";
    ASSERT_TRUE(Calculate().normal);
    MeshResults results;
    ASSERT_EQ(ReadResults(model, results).code, ErrorCode::None);
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
