// The calculation against independent references: analytic steady fields
// (layered walls, a rectangle heated on one side), an analytic transient
// (a lumped capacity in a ramping surrounding), a dense direct solve of the
// same assembled system, mirrored models, and energy balances.
#include "CalcModel.h"
#include "gelmar/model/calc/Assembly.h"
#include "gelmar/model/calc/Solver.h"
#include "gelmar/model/calc/SurfaceRules.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/store/Engine.h"
#include "platform/core/Random.h"

#include <Eigen/Dense>
#include <cmath>
#include <numbers>

namespace gelmar::test {
namespace {

class ReferenceCalcTest : public CalcEngineTest {
  protected:
    // Each case of a loop starts from a fresh model with the calculation
    // settings, as the test itself does.
    void StartAgain()
    {
        SetHost(&host);
        for (ColourRecord& c : engine.model.colours)
            c = ColourRecord{};
        FreeModel(engine);
        ResetModel(engine);
        SetCalcSettings(engine.model);
    }
    void RandomModel(unsigned seed, bool mirrored);
};

// ---- layered walls ----

struct Layer {
    float lambda, thickness;
    int cells;
};
struct LayeredWall {
    const char* name;
    std::vector<Layer> layers;
    float hi, he, ti, te, gridUnit;
};

TEST_F(ReferenceCalcTest, LayeredWallsFollowTheirSeriesResistances)
{
    const LayeredWall cases[] = {
        {"one layer", {{0.5f, 0.2f, 4}}, 7.7f, 25.0f, 20.0f, 0.0f, 1.0f},
        {"three layers",
         {{1.7f, 0.1f, 2}, {0.035f, 0.08f, 4}, {0.9f, 0.02f, 1}},
         7.7f,
         25.0f,
         20.0f,
         -10.0f,
         1.0f},
        {"millimetres", {{0.2f, 150.0f, 3}, {2.0f, 50.0f, 5}}, 5.0f, 10.0f, 5.0f, 35.0f, 0.001f},
        {"large contrast",
         {{200.0f, 0.01f, 1}, {0.002f, 0.01f, 2}, {200.0f, 0.01f, 1}},
         100.0f,
         3.0f,
         1.0f,
         2.0f,
         1.0f},
    };
    for (const LayeredWall& c : cases) {
        SCOPED_TRACE(c.name);
        StartAgain();
        std::vector<float> wx{1.0f};
        for (const Layer& l : c.layers)
            for (int n = 0; n < l.cells; ++n)
                wx.push_back(l.thickness / l.cells);
        wx.push_back(1.0f);
        SetGrid(wx, {1.0f}, {1.0f});
        engine.model.gridUnit = c.gridUnit;
        Surface(1, c.ti, c.hi);
        Surface(2, c.te, c.he);
        Block(1, 0, 1, 0, 1, 0, 1);
        int x = 1;
        double resistance = 1 / double(c.hi) + 1 / double(c.he);
        for (std::size_t l = 0; l < c.layers.size(); ++l) {
            const Layer& layer = c.layers[l];
            Colour(static_cast<int>(10 + l), MATERIAL, layer.lambda);
            Block(static_cast<int>(10 + l), x, x + layer.cells, 0, 1, 0, 1);
            x += layer.cells;
            for (int n = 0; n < layer.cells; ++n)
                resistance += double(float(layer.thickness / layer.cells)) * c.gridUnit / layer.lambda;
        }
        Block(2, x, x + 1, 0, 1, 0, 1);
        ASSERT_TRUE(Run()) << LastMessage();

        const double q = (double(c.ti) - c.te) / resistance; // W/m2
        const double area = double(c.gridUnit) * c.gridUnit;
        double expected = c.ti - q / c.hi;
        EXPECT_NEAR(T(1, 0, 0), expected, 1e-7 * std::abs(c.ti - c.te) + 1e-9);
        int point = 1;
        for (std::size_t l = 0; l < c.layers.size(); ++l)
            for (int n = 0; n < c.layers[l].cells; ++n) {
                expected -= q * double(float(c.layers[l].thickness / c.layers[l].cells)) * c.gridUnit /
                            c.layers[l].lambda;
                ++point;
                EXPECT_NEAR(T(point, 1, 1), expected, 1e-7 * std::abs(c.ti - c.te) + 1e-9)
                    << "point " << point;
            }
        const ColourRecord& warm = engine.model.colours[q > 0 ? 1 : 2];
        const ColourRecord& cold = engine.model.colours[q > 0 ? 2 : 1];
        EXPECT_NEAR(warm.resultValue1, std::abs(q) * area, 1e-5 * std::abs(q) * area);
        EXPECT_NEAR(cold.resultValue2, std::abs(q) * area, 1e-5 * std::abs(q) * area);
    }
}

// ---- a rectangle heated on one side ----

TEST_F(ReferenceCalcTest, RectangleHeatedOnOneSideFollowsItsFourierSeries)
{
    // W x H = 1 x 1 in the x-y plane (one cell along z), the side y = H held
    // at 1 °C and the other three at 0 °C by fixed-temperature layers.
    const int n = 40;
    const float w = 1.0f / n;
    std::vector<float> wx(n + 2, w);
    SetGrid(wx, wx, {0.1f});
    Colour(1, MATERIAL);
    Colour(2, MATERIAL);
    Colour(3, MATERIAL);
    Block(1, 1, n + 1, 1, n + 1, 0, 1);     // the plate
    Block(2, 1, n + 1, n + 1, n + 2, 0, 1); // heated side
    Block(3, 0, 1, 1, n + 1, 0, 1);         // cold sides
    Block(3, n + 1, n + 2, 1, n + 1, 0, 1);
    Block(3, 1, n + 1, 0, 1, 0, 1);
    FixedMaterial(3, 0.0f);
    FixedMaterial(2, 1.0f);
    ASSERT_TRUE(Run()) << LastMessage();

    auto series = [](double x, double y) {
        double sum = 0;
        for (int m = 1; m < 400; m += 2) {
            const double a = m * std::numbers::pi;
            sum += 4 / a * std::sin(a * x) * std::exp(a * (y - 1)) * (1 - std::exp(-2 * a * y)) /
                   (1 - std::exp(-2 * a));
        }
        return sum;
    };
    double worst = 0;
    for (int i = 4; i <= n - 4; i += 4)
        for (int j = 4; j <= n - 4; j += 4) {
            const double exact = series((i) / double(n), (j) / double(n));
            worst = std::max(worst, std::abs(T(i + 1, j + 1, 0) - exact));
            EXPECT_NEAR(T(i + 1, j + 1, 1), T(i + 1, j + 1, 0), 1e-9);
        }
    EXPECT_LT(worst, 2e-3);
    EXPECT_NEAR(T(n / 2 + 1, n / 2 + 1, 0), 0.25, 2e-3); // the centre sees a quarter
}

// ---- a lumped capacity ----

class RecordingHost : public NullEngineHost {
  public:
    explicit RecordingHost(const Engine& e) : engine(e) {}
    void ShowStepTemperatures() override
    {
        times.push_back(engine.run.calcTime);
        temperatures.push_back(GetNodeValueAt(engine.model, engine.run.work, 1, 1, 1, 0));
        netInflow.push_back(double(engine.model.colours[1].resultValue1) -
                            engine.model.colours[1].resultValue2);
    }
    const Engine& engine;
    std::vector<double> times, temperatures, netInflow;
};

TEST_F(ReferenceCalcTest, LumpedCapacityFollowsARampingSurrounding)
{
    // A 0.1 m cube of a very good conductor (C = 1000 J/K) with h = 10 on
    // all six sides (hA = 0.6 W/K) in surroundings that rise at 1/600 K/s
    // from t = 0: T = r (t - tau (1 - exp(-t/tau))), tau = C / hA.
    RecordingHost recorder(engine);
    SetHost(&recorder);
    SetGrid({0.1f, 0.1f, 0.1f}, {0.1f, 0.1f, 0.1f}, {0.1f, 0.1f, 0.1f});
    ColourRecord& cube = Colour(5, MATERIAL, 1.0e4f);
    cube.density = 1000.0f;
    cube.heatCapacity = 1000.0f;
    ColourRecord& air = Surface(1, 0.0f, 10.0f);
    air.temperatureFunc = FunctionName("T01");
    // T01: 0 until minute 0, then up to 100 over 1000 minutes.
    AppendFunction(engine.model, "T01", 2, {0, 100, 0, 1000});
    Block(5, 1, 2, 1, 2, 1, 2);
    for (int a = 0; a < 3; ++a) {
        int lo[3] = {1, 1, 1}, hi[3] = {2, 2, 2};
        lo[a] = 0;
        hi[a] = 1;
        Block(1, lo[0], hi[0], lo[1], hi[1], lo[2], hi[2]);
        lo[a] = 2;
        hi[a] = 3;
        Block(1, lo[0], hi[0], lo[1], hi[1], lo[2], hi[2]);
    }
    engine.model.timeStep = 60;
    engine.model.calcDuration = 6000;
    ASSERT_TRUE(Run()) << recorder.messages.size();
    SetHost(&host);

    const double c = 1000.0 * 1000.0 * double(0.1f) * double(0.1f) * double(0.1f);
    const double ha = 6 * 10.0 * double(0.1f) * double(0.1f);
    const double tau = c / ha, rate = 100.0 / 60000.0;
    // Every step, then the switch to the temperature display at the end.
    ASSERT_EQ(recorder.times.size(), 102u);
    recorder.times.pop_back();
    recorder.temperatures.pop_back();
    recorder.netInflow.pop_back();
    for (std::size_t s = 0; s < recorder.times.size(); ++s) {
        const double t = recorder.times[s];
        EXPECT_NEAR(recorder.temperatures[s], rate * (t - tau * (1 - std::exp(-t / tau))), 2e-4)
            << "t = " << t;
    }
    // Energy: the trapezoidal time integral of the surface inflow is the
    // change of stored heat.
    double heat = 0;
    for (std::size_t s = 1; s < recorder.times.size(); ++s)
        heat += 0.5 * (recorder.netInflow[s] + recorder.netInflow[s - 1]) * 60.0;
    const double stored = c * (recorder.temperatures.back() - recorder.temperatures.front());
    EXPECT_NEAR(heat, stored, 1e-4 * stored);
}

// ---- random models: dense solve, mirror image, energy balance ----

// A random block model: x-end layers of two surface colours, random
// materials inside with some surface cells, a point power and a
// volumetric power.
void ReferenceCalcTest::RandomModel(unsigned seed, bool mirrored)
{
    platform::srand15(seed);
    auto pick = [](int lo, int hi) { return lo + platform::rand15() % (hi - lo + 1); };
    const int nx = pick(4, 7), ny = pick(2, 5), nz = pick(1, 4);
    auto widths = [&](int n) {
        std::vector<float> w;
        for (int i = 0; i < n; ++i)
            w.push_back(0.01f * float(pick(1, 20)));
        return w;
    };
    std::vector<float> wx = widths(nx);
    const std::vector<float> wy = widths(ny), wz = widths(nz);
    if (mirrored)
        std::reverse(wx.begin(), wx.end());
    SetGrid(wx, wy, wz);
    auto mx = [&](int x1, int x2, int& a, int& b) {
        a = mirrored ? nx - x2 : x1;
        b = mirrored ? nx - x1 : x2;
    };
    int a = 0, b = 0;
    Surface(1, float(pick(-10, 30)), float(pick(2, 30)));
    Surface(2, float(pick(-10, 30)), float(pick(2, 30)));
    Surface(3, float(pick(-10, 30)), float(pick(1, 10)));
    for (int m = 0; m < 3; ++m)
        Colour(10 + m, MATERIAL, 0.05f * float(pick(1, 40)));
    mx(0, 1, a, b);
    Block(1, a, b, 0, ny, 0, nz);
    mx(nx - 1, nx, a, b);
    Block(2, a, b, 0, ny, 0, nz);
    for (int i = 1; i < nx - 1; ++i)
        for (int j = 0; j < ny; ++j)
            for (int k = 0; k < nz; ++k) {
                const int r = pick(0, 9);
                mx(i, i + 1, a, b);
                Block(r == 0 ? 3 : 10 + r % 3, a, b, j, j + 1, k, k + 1);
            }
    NodeBcRecord& p = NodeBc(1, 0, 0, 0);
    const int pi = pick(1, nx - 1);
    p.i = static_cast<std::uint16_t>(mirrored ? nx - pi : pi);
    p.j = static_cast<std::uint16_t>(pick(0, ny));
    p.k = static_cast<std::uint16_t>(pick(0, nz));
    p.power = float(pick(0, 50));
    MaterialBcRecord& heat = FixedMaterial(11, 0);
    heat.type = 1;
    heat.power = float(pick(0, 500));
}

TEST_F(ReferenceCalcTest, RandomModelsMatchADenseSolveOfTheSameSystem)
{
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        StartAgain();
        RandomModel(seed, false);

        // The system of the steady step, assembled as the run does it.
        RasteriseBlocks(engine.model, engine.run);
        ResolveFunctionReferences(engine.model, engine.run);
        PrepareConductivities(engine.model, engine.run);
        BuildNodeNumbering(engine.model, engine.run, Host());
        BuildMatrixPattern(engine.model, engine.run, Host());
        engine.run.stepLength = 0; // the steady first step: no previous values
        EvaluateColourFunctions(engine.model, engine.run, true);
        AssembleEquations(engine.model, engine.run, Host(), 0);
        const kernels::Index rows = engine.run.work.rowCount;
        ASSERT_GT(rows, 0);
        Eigen::MatrixXd dense = Eigen::MatrixXd::Zero(rows, rows);
        const kernels::SymmetricPattern& pattern = *engine.run.work.pattern;
        for (kernels::Index r = 0; r < rows; ++r) {
            dense(r, r) = engine.run.work.matrix->Diagonal()[r];
            for (kernels::Index e = pattern.RowStarts()[r]; e < pattern.RowStarts()[r + 1]; ++e) {
                dense(r, pattern.Columns()[e]) = engine.run.work.matrix->Lower()[e];
                dense(pattern.Columns()[e], r) = engine.run.work.matrix->Lower()[e];
            }
        }
        const Eigen::VectorXd rhs = Eigen::Map<const Eigen::VectorXd>(engine.run.work.rhs.data(), rows);
        const Eigen::LLT<Eigen::MatrixXd> llt(dense);
        ASSERT_EQ(llt.info(), Eigen::Success) << "the assembled matrix is positive definite";
        const Eigen::VectorXd exact = llt.solve(rhs);

        // The whole run gives the same field.
        ASSERT_TRUE(Run()) << LastMessage();
        ASSERT_EQ(engine.run.work.rowCount, rows);
        const double scale = exact.cwiseAbs().maxCoeff() + 1.0;
        for (kernels::Index r = 0; r < rows; ++r)
            EXPECT_NEAR(engine.run.work.solution[r], exact[r], 1e-7 * scale) << "row " << r;
    }
}

TEST_F(ReferenceCalcTest, MirroredModelsGiveMirroredFields)
{
    for (unsigned seed = 20; seed <= 26; ++seed) {
        SCOPED_TRACE(seed);
        StartAgain();
        RandomModel(seed, false);
        ASSERT_TRUE(Run()) << LastMessage();
        const int nx = engine.model.axes[0].n, ny = engine.model.axes[1].n, nz = engine.model.axes[2].n;
        std::vector<double> field;
        for (int i = 0; i <= nx; ++i)
            for (int j = 0; j <= ny; ++j)
                for (int k = 0; k <= nz; ++k)
                    field.push_back(GetNodeIndex(engine.model, engine.run.work, i, j, k) == -1 ? -999.0
                                                                                               : T(i, j, k));

        StartAgain();
        RandomModel(seed, true);
        ASSERT_TRUE(Run()) << LastMessage();
        std::size_t n = 0;
        for (int i = 0; i <= nx; ++i)
            for (int j = 0; j <= ny; ++j)
                for (int k = 0; k <= nz; ++k, ++n) {
                    const double mirror = GetNodeIndex(engine.model, engine.run.work, nx - i, j, k) == -1
                                              ? -999.0
                                              : T(nx - i, j, k);
                    EXPECT_NEAR(mirror, field[n], 1e-6) << i << " " << j << " " << k;
                }
    }
}

TEST_F(ReferenceCalcTest, SteadyHeatInEqualsHeatOut)
{
    for (unsigned seed = 40; seed <= 47; ++seed) {
        SCOPED_TRACE(seed);
        StartAgain();
        RandomModel(seed, false);
        // Surfaces only: no power sources.
        engine.model.nodeBcs.count = 0;
        engine.model.materialBcs.count = 0;
        ASSERT_TRUE(Run()) << LastMessage();
        double in = 0, out = 0;
        for (int c = 1; c <= 3; ++c) {
            in += engine.model.colours[c].resultValue1;
            out += engine.model.colours[c].resultValue2;
        }
        EXPECT_GT(in, 0);
        EXPECT_NEAR(in, out, 1e-5 * in);
    }
}

class BalanceHost : public NullEngineHost {
  public:
    explicit BalanceHost(const Engine& e) : engine(e) {}
    void ShowStepTemperatures() override
    {
        double net = 0;
        for (int c = 1; c <= 3; ++c)
            net += double(engine.model.colours[c].resultValue1) - engine.model.colours[c].resultValue2;
        inflow.push_back(net);
        fields.push_back(engine.run.work.solution);
    }
    const Engine& engine;
    std::vector<double> inflow;
    std::vector<std::vector<double>> fields;
};

TEST_F(ReferenceCalcTest, TransientBoundaryFlowsAddUpToTheStoredHeat)
{
    for (unsigned seed = 60; seed <= 64; ++seed) {
        SCOPED_TRACE(seed);
        StartAgain();
        BalanceHost recorder(engine);
        SetHost(&recorder);
        RandomModel(seed, false);
        engine.model.nodeBcs.count = 0;
        engine.model.materialBcs.count = 0;
        for (int m = 0; m < 3; ++m) {
            engine.model.colours[10 + m].density = 500.0f * float(m + 1);
            engine.model.colours[10 + m].heatCapacity = 800.0f + 300.0f * float(m);
        }
        // Surface 1 follows a sine of two hours.
        engine.model.colours[1].temperatureFunc = FunctionName("T01");
        AppendFunction(engine.model, "T01", 5, {10, 15, 120});
        engine.model.timeStep = 300;
        engine.model.calcDuration = 20 * 300;
        ASSERT_TRUE(Run());
        SetHost(&host);
        ASSERT_EQ(recorder.fields.size(), 22u);

        // Capacity of each node: an eighth of every conductive cell around it.
        std::vector<double> capacity(engine.run.work.gridNodeCount, 0.0);
        for (int i = 0; i < engine.model.axes[0].n; ++i)
            for (int j = 0; j < engine.model.axes[1].n; ++j)
                for (int k = 0; k < engine.model.axes[2].n; ++k) {
                    const int c = GetCellColour(engine.model, engine.run.work, i, j, k);
                    if (c < 10)
                        continue;
                    const ColourRecord& r = engine.model.colours[c];
                    const double v = double(engine.model.axes[0].widths[i]) * engine.model.axes[1].widths[j] *
                                     engine.model.axes[2].widths[k];
                    for (int q = 0; q < 8; ++q) {
                        const std::int32_t n = GetNodeIndex(engine.model, engine.run.work, i + (q & 1),
                                                            j + ((q >> 1) & 1), k + ((q >> 2) & 1));
                        if (n >= 0)
                            capacity[n] += double(r.density) * r.heatCapacity * v / 8;
                    }
                }
        double stored = 0, scale = 0;
        for (std::size_t n = 0; n < capacity.size(); ++n) {
            stored += capacity[n] * (recorder.fields[20][n] - recorder.fields[0][n]);
            scale += capacity[n] * std::abs(recorder.fields[20][n] - recorder.fields[0][n]);
        }
        double heat = 0;
        for (std::size_t s = 1; s <= 20; ++s)
            heat += 0.5 * (recorder.inflow[s] + recorder.inflow[s - 1]) * 300.0;
        EXPECT_GT(scale, 0);
        EXPECT_NEAR(heat, stored, 1e-4 * scale);
    }
}

} // namespace
} // namespace gelmar::test
