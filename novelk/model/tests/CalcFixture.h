// Test fixture of the calculation tests: small models built in the store,
// calculated as the calculation window calculates them, read out at grid
// points; tight stop limits for comparisons with references; and helpers
// that assemble a model's system for a dense Eigen solve.
#pragma once
#include "ModelFixture.h"
#include "novelk/model/calc/Assembly.h"
#include "novelk/model/calc/CalcSystem.h"
#include "novelk/model/calc/NodeNumbering.h"
#include "novelk/model/calc/Zones.h"

#include <Eigen/Dense>
#include <cstdio>

namespace novelk::test {

// A figure of a comparison for the test report, three significant digits.
inline std::string Figure(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", v);
    return text;
}

// Answers the questions as told (Yes when no answer is left), counts the
// progress windows and keeps the read-outs.
class CalcHost : public RecordingHost {
  public:
    MessageAnswer MessageBox(std::string_view text, MessageStyle style) override
    {
        NullEngineHost::MessageBox(text, style);
        if (answers.empty())
            return style == MessageStyle::Ok || style == MessageStyle::OkCancel ? MessageAnswer::Ok
                                                                                : MessageAnswer::Yes;
        const MessageAnswer a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    void RunProgressWindow(ProgressWindow window, const std::function<void()>& work) override
    {
        windows.push_back(window);
        work();
    }
    void ShowCycle(int cycle) override { cycles.push_back(cycle); }
    void ShowSolverProgress(const SolverReadouts& r) override { last = r; }
    void ShowNodeCount(long long n) override { nodeCount = n; }
    void RefillColours() override { calls.push_back("colours"); }
    void ShowTemperatures() override { calls.push_back("temperatures"); }
    bool EscPressed() override { return escAfter >= 0 && ++polls > escAfter; }

    std::vector<MessageAnswer> answers;
    std::vector<ProgressWindow> windows;
    std::vector<int> cycles;
    SolverReadouts last;
    long long nodeCount = -1;
    long escAfter = -1; // Esc once this many polls have passed; -1 never
    long polls = 0;
};

class CalcTest : public ModelTest {
  protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        model.dataFilePath = "model.nvk";
        model.calc.cycles = 1;
    }
    // Stop limits far below the tolerances of the comparisons.
    void Tight()
    {
        model.calc.iterations = 100000;
        model.calc.maxDeltaT = 1e-11f;
        model.calc.maxObjectDivergence = 1e-7f;
        model.calc.maxNodeDivergence = 1e-5f;
        model.calc.maxCycleChange = 1e-9f;
    }
    // The calculation as its window runs it; "" or the message of the error.
    std::string Calculate()
    {
        const WorkOutcome outcome = RunCalculation(model, run, calcHost);
        if (outcome.error)
            return outcome.error->Message();
        return outcome.Normal() ? "" : "aborted";
    }
    std::string ViewFactors()
    {
        const WorkOutcome outcome = RunViewFactorWork(model, run, calcHost);
        if (outcome.error)
            return outcome.error->Message();
        return outcome.Normal() ? "" : "aborted";
    }
    double T(long long i, long long j, long long k) const { return GetNodeValueAt(model, run, i, j, k); }
    // A boundary colour: BC_SIMPL with temperature and h.
    void Surface(int n, float temperature, float h)
    {
        SetColour(n, BC_SIMPL, 1.0f, temperature, h);
    }
    void Material(int n, float lambda) { SetColour(n, MATERIAL, lambda); }
    void AddNodeBc(int type, int i, int j, int k, float t, float power = 0)
    {
        GrowNodeBcArray(model, std::size_t(model.nodeBcs.count) + 1);
        NodeBcRecord& r = model.nodeBcs[std::size_t(model.nodeBcs.count++)];
        r = NodeBcRecord{};
        r.type = static_cast<std::uint8_t>(type);
        r.i = std::uint16_t(i), r.j = std::uint16_t(j), r.k = std::uint16_t(k);
        r.temperature = t;
        r.power = power;
    }
    void AddMaterialBc(int type, int colour, float t, float power = 0)
    {
        GrowMaterialBcArray(model, std::size_t(model.materialBcs.count) + 1);
        MaterialBcRecord& r = model.materialBcs[std::size_t(model.materialBcs.count++)];
        r = MaterialBcRecord{};
        r.colour = std::int16_t(colour);
        r.type = static_cast<std::uint8_t>(type);
        r.temperature = t;
        r.power = power;
    }
    void AddBorderBc(int type, int c1, int c2, float t, float flux = 0)
    {
        GrowBorderBcArray(model, std::size_t(model.borderBcs.count) + 1);
        BorderFaceBcRecord& r = model.borderBcs[std::size_t(model.borderBcs.count++)];
        r = BorderFaceBcRecord{};
        r.colour1 = std::int16_t(c1), r.colour2 = std::int16_t(c2);
        r.type = static_cast<std::uint8_t>(type);
        r.temperature = t;
        r.flux = flux;
    }
    // The model's system as the calculation assembles it (raster, numbers,
    // zones, structure, assembly at the present temperatures), dense.
    void AssembleDense(Eigen::MatrixXd& k, Eigen::VectorXd& b)
    {
        RasteriseBlocks(model, run, calcHost);
        BuildNodeNumbering(model, run, calcHost);
        PrepareRadiationZones(model, run, calcHost);
        BuildMatrixStructure(model, run, calcHost);
        AssembleCoefficients(model, run, calcHost);
        const kernels::SymmetricMatrix& a = *run.calc.matrix;
        const auto n = Eigen::Index(run.unknowns);
        k = Eigen::MatrixXd::Zero(n, n);
        b = Eigen::Map<const Eigen::VectorXd>(run.calc.rhs.data(), n);
        const kernels::SymmetricPattern& p = a.Pattern();
        for (Eigen::Index r = 0; r < n; ++r) {
            k(r, r) = a.Diagonal()[std::size_t(r)];
            for (kernels::Index e = p.RowStarts()[r]; e < p.RowStarts()[r + 1]; ++e) {
                const Eigen::Index c = p.Columns()[e];
                k(r, c) = k(c, r) = a.Lower()[std::size_t(e)];
            }
        }
    }

    CalcHost calcHost;
    UndoHistory history;
};

} // namespace novelk::test
