// The calculation window's work and the Calc System command.
#include "dralo/model/calc/CalcSystem.h"

#include "dralo/model/calc/Assembly.h"
#include "dralo/model/calc/HeatFlows.h"
#include "dralo/model/calc/Solver.h"
#include "dralo/model/check/ModelCheck.h"
#include "dralo/model/files/DataFile.h"
#include "dralo/model/mesh/MeshBuild.h"
#include "dralo/model/mesh/MeshFile.h"
#include "dralo/model/rules/SurfaceRules.h"
#include "dralo/model/store/ColourQueries.h"
#include "dralo/model/store/EngineHost.h"

#include <cstdio>

namespace dralo {

namespace {

// The mesh steps, ending with "tmp.tri"; their arrays go when they end.
void Triangulate(BitmapModel& m, const std::string& workFolder, EngineHost& host)
{
    CheckCalculationModel(m, host);
    MeshBuild build;
    BuildMesh(m, build, host);
    WriteMeshFile(m, build.contours, build.triangles, workFolder);
}

void Calculate(BitmapModel& m, RunState& run, const ColourTable& startupColours, EngineHost& host, bool triangulate)
{
    FreeWorkArrays(run);
    const bool recalculate = HasLongWaveColours(m) && m.calc.ccen != 0;
    const int cycles = CalculationCycleCount(m);

    if (triangulate)
        Triangulate(m, run.workFolder, host);
    ReadMeshFile(m, run.workFolder, run.mesh);
    host.ShowTriangleCount(static_cast<long long>(run.mesh.triangles.size()));
    BuildMeshNeighbours(run.mesh, host);
    // The mesh points are the first equations; the radiation zones' nodes
    // follow them.
    run.equations = static_cast<kernels::Index>(run.mesh.points.size());
    if (!run.mesh.zoneEdges.empty())
        ComputeViewFactors(m, run.mesh, run.radiation, run.equations, run.workFolder, host);
    host.ShowNodeCount(run.equations);

    ApplyBorderlineBcs(m, run, host);
    BuildMatrixStructure(run, host);
    ClearNodeTemperatures(run);
    ReadSolutionFile(m, run);

    const CavityBoundaryNodes nodes = MeshCavityNodes(run);
    bool rulesChanged = false;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        host.ShowCycle(cycle);
        if (run.solutionAvailable) {
            if (recalculate) {
                ComputeColourTemperatureRanges(m, run);
                ComputeColourFlowDirections(m, run, host);
                if (ApplySurfaceRules(m, true, &nodes)) {
                    rulesChanged = true;
                    run.solutionAvailable = true;
                    host.RefillRuleTables();
                }
            } else if (cycle == 1) {
                ApplySurfaceRules(m, false);
            }
        } else {
            ApplySurfaceRules(m, false);
        }
        // Non-linear radiation from the solution's temperatures once there is
        // one; the air couplings follow the rules' coefficients.
        const bool linear = !HasRadiatingColours(m) || m.calc.linr != 0;
        UpdateViewFactors(m, run.mesh, run.radiation,
                          !linear && run.solutionAvailable ? run.temperature : std::vector<double>());
        AssembleCoefficients(m, run, host);
        FactorIncompleteCholesky(run, host);
        RunConjugateGradient(m, run, host);
    }

    std::remove(TempFilePath(run.workFolder, kViewFileName).c_str());
    if (rulesChanged) {
        // The recalculated values belong to the model: its data file takes
        // them. The document stays modified while the bitmap has edits that
        // only Save writes.
        try {
            WriteDataFile(m, startupColours, m.dataFilePath);
            if (m.view.bitmapModified == 0)
                host.SetModified(false);
        } catch (const common::EngineError& e) {
            host.MessageBox(e.Message(), MessageStyle::Ok);
        }
    }
    ComputeColourFlowDirections(m, run, host);
    WriteSolutionFile(m, run);
    WriteFlowFile(m, run, host);
    WriteFluxFile(m, run, host);
}

} // namespace

int CalculationCycleCount(const BitmapModel& m)
{
    const int linear = HasRadiatingColours(m) ? m.calc.linr : 1;
    if (linear == 0 || (HasLongWaveColours(m) && m.calc.ccen != 0))
        return m.calc.cycl;
    return 1;
}

bool MeshFileExists(const BitmapModel& m, const std::string& workFolder)
{
    return FileExists(TempFilePath(workFolder, kMeshFileName)) || (!m.dataFilePath.empty() && FileExists(ReplaceExtension(m.dataFilePath, ".tri")));
}

WorkOutcome RunCalculation(BitmapModel& m, RunState& run, const ColourTable& startupColours, EngineHost& host,
                           bool triangulate)
{
    WorkOutcome outcome =
        common::RunGuarded<EngineError>([&] { Calculate(m, run, startupColours, host, triangulate); });
    FreeWorkArrays(run);
    return outcome;
}

CalcResult RunCalcSystem(BitmapModel& m, RunState& run, UndoHistory& undo, const ColourTable& startupColours,
                         EngineHost& host, bool triangulate)
{
    if (m.dataFilePath.empty())
        return CalcResult::NotStarted;
    undo.Clear();
    WorkOutcome outcome = WorkOutcome::Aborted();
    host.RunCalculationWindow([&] { outcome = RunCalculation(m, run, startupColours, host, triangulate); });
    if (outcome.error)
        host.MessageBox(outcome.error->Message(), MessageStyle::Ok);
    SaveUndoRecord(undo, m, kUndoBase, 0, 0, false, host);
    return common::ResultOf(outcome);
}

} // namespace dralo
