// Calculated models against references computed here: the two-dimensional
// case of a half square column and a cube with one warm face against their
// Fourier series, a steel bar through insulation against a cell-centred
// finite-volume solve of the same geometry (both extrapolated from
// refinements), and a layered wall against its exact solution.
#include "CalcFixture.h"
#include "novelk/model/store/ColourQueries.h"

#include <Eigen/IterativeLinearSolvers>
#include <Eigen/Sparse>
#include <cmath>
#include <numbers>

namespace novelk::test {
namespace {

constexpr double kPi = std::numbers::pi;

// sinh(a y) / sinh(a) without overflow (0 < y <= 1).
double SinhRatio(double a, double y)
{
    return std::exp(a * (y - 1)) * (1 - std::exp(-2 * a * y)) / (1 - std::exp(-2 * a));
}

// The unit square with its edge y = 1 at t0 and the three others at 0.
double SquareSeries(double x, double y, double t0)
{
    double sum = 0;
    for (int n = 1; n < 4000; n += 2)
        sum += 4 * t0 / (n * kPi) * std::sin(n * kPi * x) * SinhRatio(n * kPi, y);
    return sum;
}

// The unit cube with its face z = 1 at t0 and the five others at 0.
double CubeSeries(double x, double y, double z, double t0)
{
    double sum = 0;
    for (int m = 1; m < 400; m += 2)
        for (int n = 1; n < 400; n += 2) {
            const double k = kPi * std::sqrt(double(m * m + n * n));
            sum += 16 * t0 / (m * n * kPi * kPi) * std::sin(m * kPi * x) * std::sin(n * kPi * y) * SinhRatio(k, z);
        }
    return sum;
}

class ReferenceCasesTest : public CalcTest {
  protected:
    // A fixed-temperature strip: MATERIAL cells whose corners a material
    // BC holds at t.
    void FixedColour(int colour, float t)
    {
        Material(colour, 1.0f);
        AddMaterialBc(MATERIAL_TEMP, colour, t);
    }
};

TEST_F(ReferenceCasesTest, HalfSquareColumnAgainstItsFourierSeries)
{
    // x 0..0.5 (the symmetry side x = 0.5 adiabatic), y 0..1, one cell
    // along z; strips one cell wide hold 20 °C above y = 1 and 0 °C left of
    // x = 0 and below y = 0. The warm strip comes first, so it holds the
    // two corner points it shares with the cold ones.
    const int n = 64;
    const float h = 1.0f / n;
    std::vector<float> x(n / 2 + 1, h), y(n + 2, h);
    SetGrid(x, y, {1.0f});
    Material(1, 1.0f);
    FixedColour(2, 20);
    FixedColour(3, 0);
    AddBlock(1, 1, n / 2 + 1, 1, n + 1, 0, 1);
    AddBlock(2, 0, n / 2 + 1, n + 1, n + 2, 0, 1);
    AddBlock(3, 0, 1, 0, n + 1, 0, 1);
    AddBlock(3, 1, n / 2 + 1, 0, 1, 0, 1);
    Tight();
    ASSERT_EQ(Calculate(), "");
    double worst = 0;
    int points = 0;
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 7; ++j) {
            const double px = 0.125 * i, py = 0.125 * j;
            const int gi = 1 + int(std::lround(px / h)), gj = 1 + int(std::lround(py / h));
            const double exact = SquareSeries(px, py, 20);
            for (int k = 0; k <= 1; ++k)
                EXPECT_NEAR(T(gi, gj, k), exact, 0.1) << px << " " << py;
            worst = std::max(worst, std::abs(T(gi, gj, 0) - exact));
            ++points;
        }
    EXPECT_EQ(points, 28);
    RecordProperty("LargestDeviationK", Figure(worst));
}

TEST_F(ReferenceCasesTest, CubeWithOneWarmFaceAgainstItsFourierSeries)
{
    const int n = 24;
    const float h = 1.0f / n;
    const std::vector<float> w(n + 2, h);
    SetGrid(w, w, w);
    Material(1, 1.0f);
    FixedColour(2, 20);
    FixedColour(3, 0);
    AddBlock(3, 0, n + 2, 0, n + 2, 0, n + 2);
    AddBlock(1, 1, n + 1, 1, n + 1, 1, n + 1);
    AddBlock(2, 1, n + 1, 1, n + 1, n + 1, n + 2);
    // The warm face's strip first: it holds its edges.
    std::swap(model.materialBcs[0], model.materialBcs[1]);
    Tight();
    ASSERT_EQ(Calculate(), "");
    EXPECT_NEAR(CubeSeries(0.5, 0.5, 0.5, 20), 20.0 / 6.0, 1e-9);
    double worst = 0;
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j)
            for (int k = 1; k <= 3; ++k) {
                const double exact = CubeSeries(0.25 * i, 0.25 * j, 0.25 * k, 20);
                const double t = T(1 + i * n / 4, 1 + j * n / 4, 1 + k * n / 4);
                EXPECT_NEAR(t, exact, 0.1) << i << j << k;
                worst = std::max(worst, std::abs(t - exact));
            }
    EXPECT_NEAR(T(1 + n / 2, 1 + n / 2, 1 + n / 2), 20.0 / 6.0, 0.1);
    RecordProperty("LargestDeviationK", Figure(worst));
}

// The steel bar: a quarter of a 20 mm square steel bar (lambda 50) along x
// through 100 mm of insulation (lambda 0.04), the quarter 50 mm x 50 mm
// with adiabatic sides; 20 °C with h 7.7 at x = 0, 0 °C with h 25 at x =
// 0.1. Cells of s = 10 mm / m.
struct BarResult {
    double q;    // W through the quarter
    double tEnd; // mean temperature of the bar's warm end face, °C
};

// The same geometry by cell-centred finite volumes: a node per cell,
// harmonic conductances between cells, the surface resistance in series
// with half a cell at the two faces.
BarResult BarFiniteVolumes(int m)
{
    const int n = 10 * m, nl = 5 * m;
    const double s = 0.01 / m;
    const int bar = m;
    auto lambda = [&](int j, int k) { return j < bar && k < bar ? 50.0 : 0.04; };
    auto id = [&](int i, int j, int k) { return i + n * (j + nl * k); };
    std::vector<Eigen::Triplet<double>> t;
    Eigen::VectorXd b = Eigen::VectorXd::Zero(n * nl * nl);
    auto link = [&](int a, int c, double g) {
        t.emplace_back(a, a, g);
        t.emplace_back(c, c, g);
        t.emplace_back(a, c, -g);
        t.emplace_back(c, a, -g);
    };
    const double area = s * s;
    for (int k = 0; k < nl; ++k)
        for (int j = 0; j < nl; ++j) {
            const double l = lambda(j, k);
            for (int i = 0; i < n; ++i) {
                const int a = id(i, j, k);
                if (i + 1 < n)
                    link(a, id(i + 1, j, k), l * s); // l * area / s
                if (j + 1 < nl)
                    link(a, id(i, j + 1, k), area / (s / (2 * l) + s / (2 * lambda(j + 1, k))));
                if (k + 1 < nl)
                    link(a, id(i, j, k + 1), area / (s / (2 * l) + s / (2 * lambda(j, k + 1))));
            }
            const double gw = area / (1 / 7.7 + s / (2 * l)), gc = area / (1 / 25.0 + s / (2 * l));
            t.emplace_back(id(0, j, k), id(0, j, k), gw);
            b[id(0, j, k)] += gw * 20;
            t.emplace_back(id(n - 1, j, k), id(n - 1, j, k), gc);
        }
    Eigen::SparseMatrix<double> a(n * nl * nl, n * nl * nl);
    a.setFromTriplets(t.begin(), t.end());
    Eigen::ConjugateGradient<Eigen::SparseMatrix<double>, Eigen::Lower | Eigen::Upper,
                             Eigen::IncompleteCholesky<double>>
        cg;
    cg.setTolerance(1e-13);
    cg.compute(a);
    const Eigen::VectorXd x = cg.solve(b);
    BarResult r{0, 0};
    double endArea = 0;
    for (int k = 0; k < nl; ++k)
        for (int j = 0; j < nl; ++j) {
            const double l = lambda(j, k);
            const double gw = area / (1 / 7.7 + s / (2 * l));
            const double flow = gw * (20 - x[id(0, j, k)]);
            r.q += flow;
            if (j < bar && k < bar) {
                r.tEnd += (20 - flow / (7.7 * area)) * area;
                endArea += area;
            }
        }
    r.tEnd /= endArea;
    return r;
}

class SteelBarTest : public ReferenceCasesTest {
  protected:
    BarResult Calculated(int m)
    {
        ResetModel(model, defaults);
        model.dataFilePath = "model.nvk";
        model.calc.cycles = 1;
        const int n = 10 * m, nl = 5 * m;
        const float s = 10.0f / float(m); // mm
        std::vector<float> x(std::size_t(n + 2), s), yz(std::size_t(nl), s);
        SetGrid(x, yz, yz);
        model.gridUnit = 0.001f;
        Material(1, 0.04f);
        Material(2, 50.0f);
        Surface(10, 20, 7.7f);
        Surface(12, 0, 25);
        AddBlock(10, 0, 1, 0, nl, 0, nl);
        AddBlock(1, 1, n + 1, 0, nl, 0, nl);
        AddBlock(2, 1, n + 1, 0, m, 0, m);
        AddBlock(12, n + 1, n + 2, 0, nl, 0, nl);
        Tight();
        EXPECT_EQ(Calculate(), "");
        BarResult r{0.5 * (model.colours[10].flowIn + model.colours[12].flowOut), 0};
        // The bar's end face: bilinear between its grid points.
        double sum = 0, weight = 0;
        for (int j = 0; j <= m; ++j)
            for (int k = 0; k <= m; ++k) {
                const double w = (j == 0 || j == m ? 0.5 : 1.0) * (k == 0 || k == m ? 0.5 : 1.0);
                sum += w * T(1, j, k);
                weight += w;
            }
        r.tEnd = sum / weight;
        return r;
    }
};

TEST_F(SteelBarTest, HeatFlowAndWarmEndAgainstFiniteVolumes)
{
    // Each method at two refinements, extrapolated by Richardson with the
    // orders both show: the heat flow converges as h^(4/3), limited by the
    // bar's edges, where the field of a nearly isothermal square bar in
    // insulation goes as r^(2/3); the end temperature as h.
    const BarResult a1 = Calculated(4), a2 = Calculated(8);
    const BarResult f1 = BarFiniteVolumes(4), f2 = BarFiniteVolumes(8);
    auto limit = [](double coarse, double fine, double order) {
        return fine + (fine - coarse) / (std::pow(2.0, order) - 1);
    };
    const double q = limit(a1.q, a2.q, 4.0 / 3.0), qRef = limit(f1.q, f2.q, 4.0 / 3.0);
    const double t = limit(a1.tEnd, a2.tEnd, 1), tRef = limit(f1.tEnd, f2.tEnd, 1);
    EXPECT_NEAR(q, qRef, 0.01 * qRef);
    EXPECT_NEAR(t, tRef, 0.1);
    // The bar carries heat: well above the insulation's own share of the
    // quarter's 0.0025 m2.
    EXPECT_GT(q, 1.2 * 0.0025 * 20 / (1 / 7.7 + 0.1 / 0.04 + 1 / 25.0));
    RecordProperty("HeatFlowDeviationPercent", Figure(100 * std::abs(q - qRef) / qRef));
    RecordProperty("WarmEndDeviationK", Figure(std::abs(t - tRef)));
}

TEST_F(ReferenceCasesTest, LayeredWallIsExact)
{
    // 20 °C, h 7.7 | 0.1 m lambda 0.9 (two cells) | 0.05 m lambda 0.04 |
    // 0.2 m lambda 1.7 | h 25, 0 °C; 1 m x 1 m, grid unit 1 m.
    SetGrid({1, 0.05f, 0.05f, 0.05f, 0.2f, 1}, {1, 1}, {1});
    Surface(10, 20, 7.7f);
    Surface(12, 0, 25);
    Material(1, 0.9f);
    Material(2, 0.04f);
    Material(3, 1.7f);
    AddBlock(10, 0, 1, 0, 2, 0, 1);
    AddBlock(1, 1, 3, 0, 2, 0, 1);
    AddBlock(2, 3, 4, 0, 2, 0, 1);
    AddBlock(3, 4, 5, 0, 2, 0, 1);
    AddBlock(12, 5, 6, 0, 2, 0, 1);
    Tight();
    ASSERT_EQ(Calculate(), "");
    const double r[4] = {1 / 7.7, 0.1 / 0.9, 0.05 / 0.04, 0.2 / 1.7};
    const double u = 1 / (r[0] + r[1] + r[2] + r[3] + 1 / 25.0);
    const double q = u * 20 * 2; // two square metres
    EXPECT_NEAR(model.colours[10].flowIn, q, 1e-6 * q);
    EXPECT_NEAR(model.colours[12].flowOut, q, 1e-6 * q);
    double t = 20, worst = 0;
    const int line[4] = {1, 3, 4, 5};
    for (int layer = 0; layer < 4; ++layer) {
        t -= u * 20 * r[layer];
        for (int j = 0; j <= 2; ++j)
            for (int k = 0; k <= 1; ++k) {
                EXPECT_NEAR(T(line[layer], j, k), t, 1e-7);
                worst = std::max(worst, std::abs(T(line[layer], j, k) - t));
            }
    }
    EXPECT_NEAR(T(2, 1, 0), 20 - u * 20 * (r[0] + r[1] / 2), 1e-7); // inside the first layer: linear
    RecordProperty("LargestDeviationK", Figure(worst));
}

} // namespace
} // namespace novelk::test
