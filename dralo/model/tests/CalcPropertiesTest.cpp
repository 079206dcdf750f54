// Properties every calculation must have: the temperatures of a dense
// reference solve of the same finite-element system (assembled here from the
// mesh file on its own), the heat balance of the boundary flows, mirror
// symmetry, convergence under mesh refinement, the solver's limits and Esc.
#include "dralo/model/calc/HeatFlows.h"
#include "dralo/model/calc/Solver.h"
#include "dralo/model/tests/CalcFixture.h"

#include <Eigen/Dense>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <new>
#include <set>
#include <stdexcept>

namespace dralo::test {
namespace {

// A block of two materials, a hot boundary hole inside and a cold boundary
// strip at one side; mirrored in x on request.
class CalcPropertiesTest : public CalcTest {
  protected:
    static constexpr int kWide = 40, kHigh = 30;
    void Draw(bool mirrored = false, float tric = 3)
    {
        model = BitmapModel();
        LoadMaterialColours(model);
        CalculationSettings();
        model.calc.mxdt = 1e-10f;
        AllocatePixels(model, kWide, kHigh, 1);
        auto area = [&](int x0, int y0, int x1, int y1, int colour) {
            if (mirrored)
                Fill(kWide - x1, y0, kWide - x0, y1, colour);
            else
                Fill(x0, y0, x1, y1, colour);
        };
        area(10, 8, 25, 20, 2);
        area(30, 5, 35, 10, 3);
        area(0, 0, 1, kHigh, 4);
        Finish();
        model.pixs = 0.002f;
        Material(1, 1.0f);
        Material(2, 0.2f);
        Boundary(3, 20, 7.7f);
        Boundary(4, 0, 25);
        MeshSize(tric);
    }
    double CalculateFlow()
    {
        const WorkOutcome outcome = Calculate();
        EXPECT_TRUE(outcome.Normal()) << (outcome.error ? outcome.error->Message() : "Esc");
        return ReadFlowFile().colours.at(3).first;
    }
};

// Stops the work at the solver's first read-out.
class EscInSolveHost : public RecordingHost {
  public:
    bool EscPressed() override { return solving; }
    void ShowSolverProgress(const SolverReadouts&) override { solving = true; }
    bool solving = false;
};

TEST_F(CalcPropertiesTest, TemperaturesMatchADenseReferenceSolve)
{
    struct Case {
        const char* name;
        bool fixedInterface; // a borderline TEMP between the two materials
    };
    for (const Case& c : {Case{"surface heat transfer only", false}, Case{"with fixed nodes", true}}) {
        SCOPED_TRACE(c.name);
        Draw();
        if (c.fixedInterface)
            BorderlineTemp(1, 2, 5);
        ASSERT_TRUE(Calculate().Normal());
        LoadResults();
        const Mesh& mesh = result.mesh;
        const Eigen::Index n = static_cast<Eigen::Index>(mesh.points.size());
        ASSERT_LT(n, 2000);

        // Fixed nodes: the sides between the two materials.
        std::vector<bool> fixed(static_cast<std::size_t>(n), false);
        if (c.fixedInterface)
            for (std::size_t t = 0; t < mesh.triangles.size(); ++t)
                for (int k = 0; k < 3; ++k) {
                    const std::int32_t nb = mesh.neighbours[t][static_cast<std::size_t>(k)];
                    if (nb >= 0 && mesh.triangles[static_cast<std::size_t>(nb)].colour != mesh.triangles[t].colour) {
                        fixed[static_cast<std::size_t>(mesh.triangles[t].v[k])] = true;
                        fixed[static_cast<std::size_t>(mesh.triangles[t].v[(k + 1) % 3])] = true;
                    }
                }

        // Linear elements from the gradients of the shape functions, in
        // metres; the surface heat transfer of each border edge with the
        // weights 3/8 and 1/8 of h times its length.
        Eigen::MatrixXd a = Eigen::MatrixXd::Zero(n, n);
        Eigen::VectorXd b = Eigen::VectorXd::Zero(n);
        const double unit = model.pixs / 16.0;
        for (const MeshTriangle& t : mesh.triangles) {
            double x[3], y[3];
            for (int k = 0; k < 3; ++k) {
                x[k] = mesh.points[static_cast<std::size_t>(t.v[k])].x * unit;
                y[k] = mesh.points[static_cast<std::size_t>(t.v[k])].y * unit;
            }
            const double area2 = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]);
            double gx[3], gy[3];
            for (int k = 0; k < 3; ++k) {
                gx[k] = (y[(k + 1) % 3] - y[(k + 2) % 3]) / area2;
                gy[k] = (x[(k + 2) % 3] - x[(k + 1) % 3]) / area2;
            }
            const double lambda = model.colours[t.colour].lamb;
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j)
                    a(t.v[i], t.v[j]) += lambda * area2 / 2 * (gx[i] * gx[j] + gy[i] * gy[j]);
        }
        for (const BorderEdge& e : mesh.borders) {
            const ColourRecord& bc = model.colours[e.boundary];
            const MeshVertex &p = mesh.points[static_cast<std::size_t>(e.start)],
                             &q = mesh.points[static_cast<std::size_t>(e.end)];
            const double length = std::hypot(double(q.x - p.x), double(q.y - p.y)) * unit;
            const double g = bc.hglo * length;
            for (const auto& [i, j] : {std::pair{e.start, e.end}, std::pair{e.end, e.start}}) {
                a(i, i) += 0.375 * g;
                a(i, j) += 0.125 * g;
                b(i) += 0.5 * g * bc.temp;
            }
        }
        for (Eigen::Index i = 0; i < n; ++i)
            if (fixed[static_cast<std::size_t>(i)]) {
                a.row(i).setZero();
                a(i, i) = 1;
                b(i) = 5;
            }
        const Eigen::VectorXd reference = a.partialPivLu().solve(b);
        double worst = 0;
        for (Eigen::Index i = 0; i < n; ++i)
            worst = std::max(worst, std::abs(reference(i) - result.temperature[static_cast<std::size_t>(i)]));
        EXPECT_LT(worst, 1e-8);
        std::printf("[ NOTE     ] %s: worst deviation from the dense solve %.3g K\n", c.name, worst);
    }
}

TEST_F(CalcPropertiesTest, HeatInEqualsHeatOutAndTheMirrorGivesTheSameFlow)
{
    Draw();
    const double q = CalculateFlow();
    const FlowFile flw = ReadFlowFile();
    EXPECT_GT(q, 0);
    EXPECT_NEAR(flw.colours.at(3).second, 0, 1e-12);
    EXPECT_NEAR(flw.colours.at(4).second, q, 1e-6 * q);
    EXPECT_NEAR(flw.colours.at(4).first, 0, 1e-12);
    EXPECT_LE(run.readouts.objectDivergence, model.calc.mxod);

    Draw(true);
    const double mirrored = CalculateFlow();
    EXPECT_NEAR(mirrored, q, 0.01 * q);
    std::printf("[ NOTE     ] mirrored model: relative flow difference %.3g\n", std::abs(mirrored - q) / q);
}

TEST_F(CalcPropertiesTest, FinerMeshesChangeTheFlowBySmallerSteps)
{
    double flows[3];
    const float sizes[3] = {4, 2, 1};
    for (int k = 0; k < 3; ++k) {
        Draw(false, sizes[k]);
        flows[k] = CalculateFlow();
    }
    const double first = std::abs(flows[1] - flows[0]), second = std::abs(flows[2] - flows[1]);
    EXPECT_LT(second, first);
    std::printf("[ NOTE     ] mesh halving: flow steps %.4g then %.4g W/m\n", first, second);
}

TEST_F(CalcPropertiesTest, SolverLimits)
{
    // One iteration: the files are written; the read-out counts on past the
    // last iteration, as after every full run.
    Draw();
    model.calc.iter = 1;
    ASSERT_TRUE(Calculate().Normal());
    EXPECT_EQ(run.readouts.steps, 2);
    EXPECT_TRUE(std::filesystem::exists("tmp.flw"));

    // Nothing drives a flow: every temperature stays 0 °C and no colour
    // takes or gives heat.
    Draw();
    std::remove(kSolutionFileName);
    model.colours[3].temp = 0;
    ASSERT_TRUE(Calculate().Normal());
    // One iteration changes nothing and ends the solve; the balance was
    // judged once.
    EXPECT_EQ(run.readouts.steps, 2);
    EXPECT_LT(run.readouts.objectDivergence, 200.0f);
    LoadResults();
    for (const double t : result.temperature)
        EXPECT_EQ(t, 0.0);
    for (const auto& [colour, flow] : ReadFlowFile().colours) {
        EXPECT_EQ(flow.first, 0.0) << colour;
        EXPECT_EQ(flow.second, 0.0) << colour;
    }
}

TEST_F(CalcPropertiesTest, EscInTheSolveKeepsTheSolutionAndWritesNoFlows)
{
    Draw();
    std::remove(kSolutionFileName);
    std::remove(kFlowFileName);
    EscInSolveHost esc;
    const WorkOutcome outcome = RunCalculation(model, run, startup, esc, true);
    EXPECT_FALSE(outcome.Normal());
    EXPECT_FALSE(outcome.error.has_value());
    EXPECT_TRUE(std::filesystem::exists(kSolutionFileName));
    EXPECT_FALSE(std::filesystem::exists(kFlowFileName));
    EXPECT_TRUE(run.mesh.points.empty()) << "the work arrays are released";
    // The solution written is a valid start for the next run.
    LoadResults();
}

// Memory runs out at the n-th progress step of the run: the step throws what
// a failed allocation throws.
class OutOfMemoryHost : public RecordingHost {
  public:
    void StepProgress() override
    {
        if (++steps == failAt) {
            if (lengthError)
                throw std::length_error("vector");
            throw std::bad_alloc();
        }
    }
    long failAt = 0; // 0: never
    bool lengthError = false;
    long steps = 0;
};

TEST_F(CalcPropertiesTest, MemoryRunningOutAnywhereInTheRunIsErrorOneAndLeavesNoPartFile)
{
    const char* const files[] = {kMeshFileName, kSolutionFileName, kFlowFileName, kFluxFileName};
    auto removeResults = [&] {
        for (const char* f : files)
            std::remove(f);
    };
    // The uninterrupted run: its steps and its files.
    Draw();
    removeResults();
    OutOfMemoryHost counter;
    ASSERT_EQ(RunCalcSystem(model, run, undo, startup, counter, true), CalcResult::Done);
    const long steps = counter.steps;
    ASSERT_GT(steps, 20);
    std::map<std::string, std::string> complete;
    for (const char* f : files)
        complete[f] = ReadBytes(f);

    // Failures spread over the run, from the model check to the flux
    // densities: each ends the run with error 1 and its message; the
    // arrays go; a result file is either the whole file of the full run or
    // not there.
    std::set<std::string> stagesReached;
    const int kPoints = 16;
    for (int k = 0; k <= kPoints; ++k) {
        const long at = 1 + (steps - 1) * k / kPoints;
        SCOPED_TRACE(at);
        Draw();
        removeResults();
        OutOfMemoryHost failing;
        failing.failAt = at;
        failing.lengthError = k % 2 == 1;
        EXPECT_EQ(RunCalcSystem(model, run, undo, startup, failing, true), CalcResult::Failed);
        ASSERT_EQ(failing.messages.size(), 1u);
        EXPECT_EQ(failing.messages[0], kMsgNoMemory);
        EXPECT_TRUE(run.mesh.points.empty());
        EXPECT_EQ(run.matrix, nullptr);
        EXPECT_TRUE(run.temperature.empty());
        std::string present;
        for (const char* f : files)
            if (std::filesystem::exists(f)) {
                EXPECT_EQ(ReadBytes(f), complete[f]) << f;
                present += std::string(f) + " ";
            }
        EXPECT_FALSE(std::filesystem::exists(kFluxFileName)) << "the last file follows the last step";
        stagesReached.insert(present);
    }
    // Failures before the mesh file, after it and after the solution file.
    EXPECT_GE(stagesReached.size(), 3u);
}

TEST_F(CalcPropertiesTest, SolutionFilesThatDoNotFitGiveZeroStartValues)
{
    Draw();
    ASSERT_TRUE(Calculate().Normal());
    LoadResults();
    const std::string good = ReadBytes(kSolutionFileName);
    const std::size_t firstN = good.find("\r\nN ") + 2;
    const std::size_t secondN = good.find("\r\nN ", firstN) + 2;
    const std::string firstLine = good.substr(firstN, secondN - firstN);
    struct Case {
        const char* name;
        std::string text;
    };
    const Case cases[] = {
        {"a temperature that is not a number", good.substr(0, firstN) + "N nan\r\n" + good.substr(secondN)},
        {"an infinite temperature", good.substr(0, firstN) + "N inf\r\n" + good.substr(secondN)},
        {"a temperature beyond any float", good.substr(0, firstN) + "N 1e300\r\n" + good.substr(secondN)},
        {"one temperature missing", good.substr(0, firstN) + good.substr(secondN)},
        {"one temperature too many", good.substr(0, firstN) + firstLine + good.substr(firstN)},
        {"another mesh's counts", "D 1 1 0 0\r\n" + good.substr(good.find("\r\nR ") + 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(kSolutionFileName, c.text);
        result.solutionAvailable = true;
        BitmapModel copy = model;
        EXPECT_FALSE(ReadSolutionFile(copy, result));
        EXPECT_FALSE(result.solutionAvailable);
        ASSERT_EQ(result.temperature.size(), result.mesh.points.size());
        for (const double t : result.temperature)
            EXPECT_EQ(t, 0.0);
    }
    WriteBytes(kSolutionFileName, good);
    BitmapModel copy = model;
    EXPECT_TRUE(ReadSolutionFile(copy, result));
}

TEST_F(CalcPropertiesTest, RulesChangedByTheCyclesRewriteTheDataFile)
{
    // An air cavity whose conductivity follows its temperature difference:
    // the first cycle takes the default difference, the next the solution's,
    // so the value moves and the data file takes it.
    struct Case {
        const char* name;
        int bitmapEdits;     // unsaved edits of the bitmap
        const char* data;    // where the data file goes
        bool written;
        bool notModified;    // the document is marked not modified
    };
    const Case cases[] = {
        {"saved bitmap", 0, "model.drl", true, true},
        {"unsaved bitmap edits", 1, "model.drl", true, false},
        {"data file that cannot be written", 0, "no-such-folder/model.drl", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Draw();
        ColourRecord& cavity = model.colours[2];
        cavity.type = EQUIMAT;
        cavity.rule = CEN_Xy_I;
        model.calc.ccen = 1;
        model.calc.usol = 1;
        model.calc.cycl = 2;
        model.dataFilePath = c.data;
        model.view.bitmapModified = c.bitmapEdits;
        std::remove("model.drl");
        std::remove(kSolutionFileName);
        RecordingHost recorder;
        recorder.modified = true;
        const float before = cavity.lamb;
        const WorkOutcome outcome = RunCalculation(model, run, startup, recorder, true);
        ASSERT_TRUE(outcome.Normal()) << (outcome.error ? outcome.error->Message() : "Esc");
        EXPECT_NE(model.colours[2].lamb, before);
        EXPECT_EQ(std::filesystem::exists("model.drl"), c.written);
        EXPECT_EQ(!recorder.modified, c.notModified);
        EXPECT_EQ(recorder.messages.empty(), c.written) << "a failed write is reported";
        EXPECT_TRUE(std::filesystem::exists(kFlowFileName));
    }
}

} // namespace
} // namespace dralo::test
