// The assembled system of small models: solved it equals a dense Eigen
// solve of the same system, the heat entering equals the heat leaving, a
// mirrored model and one drawn ten times larger in a ten times smaller
// grid unit give the same temperatures, and the edge cases of the
// conduction, surface and source terms.
#include "CalcFixture.h"
#include "novelk/model/calc/Solver.h"

#include <random>

namespace novelk::test {
namespace {

class AssemblyTest : public CalcTest {
  protected:
    // A random model: 8 x 5 x 4 cells of random widths and materials, warm
    // and cold BC_SIMPL faces at the two x ends, a node power and a cell of
    // power density away from every boundary colour; with a cavity, a
    // closed BC_FREE cavity inside with an air heat input and an EQUIMAT
    // neighbour, and its view factors.
    void RandomModel(unsigned seed, bool cavity)
    {
        std::mt19937 rng(seed);
        std::uniform_real_distribution<float> width(0.5f, 2.0f), lambda(0.1f, 5.0f);
        const int nx = 8, ny = 5, nz = 4;
        std::vector<float> w[3];
        for (int a = 0; a < 3; ++a)
            for (int c = 0; c < (a == 0 ? nx : a == 1 ? ny : nz); ++c)
                w[a].push_back(width(rng));
        SetGrid(w[0], w[1], w[2]);
        model.gridUnit = 0.1f;
        Surface(10, 20, 7.7f);
        Surface(12, -5, 25);
        for (int c = 1; c <= 5; ++c)
            Material(c, lambda(rng));
        AddBlock(1, 1, nx - 1, 0, ny, 0, nz);
        std::uniform_int_distribution<int> pick(1, 4);
        for (int b = 0; b < 8; ++b) {
            std::uniform_int_distribution<int> x(1, nx - 2), y(0, ny - 1), z(0, nz - 1);
            const int x1 = x(rng), y1 = y(rng), z1 = z(rng);
            AddBlock(pick(rng), x1, std::min(x1 + 2, nx - 1), y1, std::min(y1 + 2, ny), z1, std::min(z1 + 2, nz));
        }
        AddBlock(10, 0, 1, 0, ny, 0, nz);
        AddBlock(12, nx - 1, nx, 0, ny, 0, nz);
        AddBlock(5, 5, 6, 3, 5, 0, 2);
        AddNodeBc(NODE_POWER, 6, 4, 1, 0, 3.0f);
        AddMaterialBc(MATERIAL_POWER, 5, 0, 50.0f);
        if (cavity) {
            SetColour(13, BC_FREE);
            model.colours[13].hConvective = 2.5f;
            model.colours[13].qConvective = 0.5f;
            SetColour(14, EQUIMAT, 0.15f);
            AddBlock(13, 2, 4, 1, 3, 1, 3);
            AddBlock(14, 4, 5, 1, 3, 1, 3);
            model.calc.linearRadiation = 1;
            ASSERT_EQ(ViewFactors(), "");
        }
    }
    // The powers inside the object: the node power and the cell's power
    // density (grid unit 0.1 m).
    double InnerPower() const
    {
        double v = 0;
        for (int i = 0; i < model.axes[0].n; ++i)
            for (int j = 0; j < model.axes[1].n; ++j)
                for (int k = 0; k < model.axes[2].n; ++k)
                    if (GetCellColour(run.cells, i, j, k) == 5)
                        v += double(model.axes[0].widths[std::size_t(i)]) * model.axes[1].widths[std::size_t(j)] *
                             model.axes[2].widths[std::size_t(k)];
        return 3.0 + 50.0 * v * 1e-3;
    }
};

TEST_F(AssemblyTest, RandomModelsAgreeWithADenseSolveAndBalance)
{
    double worst = 0, worstBalance = 0;
    for (const bool cavity : {false, true})
        for (unsigned seed = 1; seed <= 4; ++seed) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << (cavity ? " with cavity" : ""));
            ResetModel(model, defaults);
            model.dataFilePath = "model.nvk";
            model.calc.cycles = 1;
            RandomModel(seed, cavity);
            Tight();
            ASSERT_EQ(Calculate(), "");
            const std::vector<double> solved = run.temperature;
            const double power = InnerPower();
            double in = 0, out = 0;
            for (const ColourRecord& c : model.colours)
                if (c.inUse && c.type != MATERIAL && c.type != EQUIMAT)
                    in += c.flowIn, out += c.flowOut;
            Eigen::MatrixXd k;
            Eigen::VectorXd b;
            AssembleDense(k, b);
            ASSERT_EQ(std::size_t(k.rows()), solved.size());
            const Eigen::VectorXd x = k.ldlt().solve(b);
            for (Eigen::Index n = 0; n < x.size(); ++n) {
                EXPECT_NEAR(solved[std::size_t(n)], x[n], 1e-7) << n;
                worst = std::max(worst, std::abs(solved[std::size_t(n)] - x[n]));
            }
            // Heat in through the boundary colours (the cavity's air input
            // enters through its faces) plus the powers inside = heat out.
            EXPECT_NEAR(in + power, out, 1e-5 * out);
            worstBalance = std::max(worstBalance, std::abs(in + power - out) / out);
        }
    RecordProperty("LargestDeviationK", Figure(worst));
    RecordProperty("LargestImbalance", Figure(worstBalance));
}

TEST_F(AssemblyTest, MirroredAndRescaledModelsAgree)
{
    RandomModel(7, false);
    Tight();
    ASSERT_EQ(Calculate(), "");
    const int n[3] = {model.axes[0].n, model.axes[1].n, model.axes[2].n};
    std::vector<double> original;
    for (int i = 0; i <= n[0]; ++i)
        for (int j = 0; j <= n[1]; ++j)
            for (int k = 0; k <= n[2]; ++k)
                original.push_back(T(i, j, k));
    const float q10 = model.colours[10].flowIn;

    // Mirrored along y: widths reversed, blocks and the node BC reflected.
    ModelStore mirrored = model;
    std::reverse(mirrored.axes[1].widths.begin(), mirrored.axes[1].widths.begin() + n[1]);
    for (std::size_t b = 0; b < mirrored.blocks.count; ++b) {
        BlockRecord& r = mirrored.blocks[b];
        const std::uint16_t y1 = r.y1;
        r.y1 = std::uint16_t(n[1] - r.y2);
        r.y2 = std::uint16_t(n[1] - y1);
    }
    mirrored.nodeBcs[0].j = std::uint16_t(n[1] - mirrored.nodeBcs[0].j);
    ComputeGridCoordinates(mirrored);
    model = mirrored;
    ASSERT_EQ(Calculate(), "");
    std::size_t p = 0;
    double worst = 0;
    for (int i = 0; i <= n[0]; ++i)
        for (int j = 0; j <= n[1]; ++j)
            for (int k = 0; k <= n[2]; ++k, ++p) {
                EXPECT_NEAR(T(i, n[1] - j, k), original[p], 1e-7);
                worst = std::max(worst, std::abs(T(i, n[1] - j, k) - original[p]));
            }
    EXPECT_NEAR(model.colours[10].flowIn, q10, 1e-5 * q10);

    // Widths x 10 in a grid unit / 10: the same physical model.
    for (auto& axis : model.axes)
        for (float& w : axis.widths)
            w *= 10;
    model.gridUnit /= 10;
    ComputeGridCoordinates(model);
    ASSERT_EQ(Calculate(), "");
    p = 0;
    for (int i = 0; i <= n[0]; ++i)
        for (int j = 0; j <= n[1]; ++j)
            for (int k = 0; k <= n[2]; ++k, ++p) {
                EXPECT_NEAR(T(i, n[1] - j, k), original[p], 1e-5);
                worst = std::max(worst, std::abs(T(i, n[1] - j, k) - original[p]));
            }
    EXPECT_NEAR(model.colours[10].flowIn, q10, 1e-5 * q10);
    RecordProperty("LargestDeviationK", Figure(worst));
}

TEST_F(AssemblyTest, TermsOfTheEdgeCases)
{
    // A row of cells along x in a model one cell thick along y and z.
    SetUnitGrid(4, 1, 1);
    Material(1, 1.0f);
    Material(2, 0.0f); // conducts nothing
    Surface(10, 20, 0.0f);
    model.colours[10].flux = 8.0f; // h 0 with a flux: only the flux enters
    AddBlock(10, 0, 1, 0, 1, 0, 1);
    AddBlock(1, 1, 2, 0, 1, 0, 1);
    AddBlock(2, 2, 3, 0, 1, 0, 1);
    Surface(12, 0, 25);
    AddBlock(12, 3, 4, 0, 1, 0, 1);
    AddNodeBc(NODE_POWER, 1, 0, 0, 0, 4.0f); // z is the single-cell axis: (1, 0, 0) and (1, 0, 1)
    Eigen::MatrixXd k;
    Eigen::VectorXd b;
    AssembleDense(k, b);
    const std::int32_t a = GetNodeIndex(run, 1, 0, 0), a1 = GetNodeIndex(run, 1, 0, 1);
    ASSERT_GE(a, 0);
    ASSERT_GE(a1, 0);
    // The flux 8 W/m2 on the 1 m2 face gives each of its corners 2 W; the
    // power of 4 W halves between the two points of its line across z.
    EXPECT_DOUBLE_EQ(b[a], 2.0 + 2.0);
    EXPECT_DOUBLE_EQ(b[a1], 2.0 + 2.0);
    // Points only the lambda-0 cell and the cold surface touch: no terms
    // reach them, so their rows are 1 and 0 and their temperature 0.
    const std::int32_t lonely = GetNodeIndex(run, 3, 0, 0);
    ASSERT_GE(lonely, 0);
    EXPECT_EQ(k(lonely, lonely), 1.0);
    EXPECT_EQ(b[lonely], 0.0);
    EXPECT_EQ((k.row(lonely).array() != 0).count(), 1);
    // The conductive cell: lambda grun dy dz / (4 dx) on each of its twelve
    // edges, so a corner's diagonal holds three of them.
    EXPECT_DOUBLE_EQ(k(a, a), 3 * 0.25);
}

TEST_F(AssemblyTest, PowerAcrossASingleCellAlongY)
{
    SetUnitGrid(2, 1, 2);
    Material(1, 1.0f);
    AddBlock(1, 0, 2, 0, 1, 0, 2);
    AddNodeBc(NODE_POWER, 1, 7, 1, 0, 6.0f);
    Eigen::MatrixXd k;
    Eigen::VectorXd b;
    AssembleDense(k, b);
    EXPECT_DOUBLE_EQ(b[GetNodeIndex(run, 1, 0, 1)], 3.0);
    EXPECT_DOUBLE_EQ(b[GetNodeIndex(run, 1, 1, 1)], 3.0);
    EXPECT_DOUBLE_EQ(b.sum(), 6.0);
}

} // namespace
} // namespace novelk::test
