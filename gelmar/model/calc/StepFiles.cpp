// Solution and heat-flow files, per-colour step results and time levels.
#include "gelmar/model/calc/StepFiles.h"

#include "common/core/ErrorCode.h"
#include "common/core/NumberText.h"
#include "common/kernels/ResultFiles.h"
#include "gelmar/model/calc/Assembly.h"
#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/functions/FunctionFiles.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/solar/SolarRun.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <new>
#include <system_error>

namespace gelmar {

namespace {

// The functions of time at the read-back time: the current values follow
// their functions as during the run. A function file that can no longer be
// read leaves those values at their fixed numbers; the solution still shows.
void PrepareFunctionsForReadBack()
{
    const std::string path = g_model.sharedPath;
    ResolveFunctionReferences();
    try {
        CollectFunctionFiles();
        LoadPropertyTables();
    } catch (const common::EngineException&) {
        common::ResetErrorCode();
        FreeFunctionFileData();
    }
    EvaluateColourFunctions(false);
    g_model.sharedPath = path;
}

std::string S(long long v)
{
    return std::to_string(v);
}

bool IsBoundaryResultColour(const ColourRecord& c)
{
    return c.type != MATERIAL && c.type != EQUIMAT;
}

} // namespace

void BuildStepFileName(const char* extension)
{
    const long long every =
        static_cast<long long>(std::max(1, g_model.saveFrequency)) * std::max(1, g_model.timeStep);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%04lld%s", "tmp", g_model.calcTime / every, extension);
    g_model.sharedPath = buf;
}

void WriteSolutionFile()
{
    BuildStepFileName(".sol");
    kernels::ResultFileWriter w;
    if (!w.Open(g_model.sharedPath))
        common::RaiseError(kErrorFileOpen);
    const ModelStore& m = g_model;
    const WorkArrays& work = g_work;
    const kernels::SolverState& s = g_run.solver;
    kernels::SolutionHeader header;
    header.blocks = m.blocks.count;
    header.nodeBcs = m.nodeBcs.count;
    header.zones = ZoneCount();
    header.rows = work.rowCount;
    header.gridRows = work.gridNodeCount;
    header.largestChange = s.largestChange;
    header.objectDivergence = s.objectDivergence;
    header.nodeDivergence = s.nodeDivergence;
    kernels::PutSolutionHeader(w, header);
    for (int i = 0; i <= m.axes[0].n; ++i)
        for (int j = 0; j <= m.axes[1].n; ++j)
            for (int k = 0; k <= m.axes[2].n; ++k) {
                const std::int32_t n = GetNodeIndex(i, j, k);
                if (n >= 0)
                    kernels::PutGridTemperature(w, work.solution[n], i, j, k);
            }
    for (kernels::Index n = work.gridNodeCount; n < work.rowCount; ++n)
        kernels::PutZoneTemperature(w, work.solution[n]);
    for (int c = 0; c < kColourCount; ++c) {
        double air = 0;
        if (m.colours[c].inUse && ColourAirNodeTemperature(c, air))
            kernels::PutAirTemperature(w, c, air);
    }
    for (int c = 0; c < kColourCount; ++c) {
        const ColourRecord& r = m.colours[c];
        if (!r.inUse)
            continue;
        kernels::ColourExtremes e;
        e.lowest = r.resultMin;
        e.highest = r.resultMax;
        std::copy(r.working.lowestPoint, r.working.lowestPoint + 3, e.lowestPoint);
        std::copy(r.working.highestPoint, r.working.highestPoint + 3, e.highestPoint);
        kernels::PutColourExtremes(w, c, e);
    }
    for (int c = 0; c < kColourCount; ++c) {
        const ColourRecord& r = m.colours[c];
        if (r.inUse && IsBoundaryResultColour(r))
            kernels::PutColourFlows(w, c, {r.resultValue1, r.resultValue2});
    }
    for (std::int32_t n = 0; n < m.nodeBcs.count; ++n)
        if (m.nodeBcs[n].type == 0)
            w.Line("B " + S(n) + " " + kernels::FormatShortG(m.nodeBcs[n].temperature));
    for (std::int32_t n = 0; n < m.borderBcs.count; ++n) {
        const BorderFaceBcRecord& r = m.borderBcs[n];
        if (r.type == 0 && r.colour1 >= 0 && r.colour2 >= 0)
            w.Line("F " + S(n) + " " + kernels::FormatShortG(r.temperature));
    }
    if (!w.Close())
        common::RaiseError(kErrorFileOpen);
}

void WriteFluxFile()
{
    BuildStepFileName(".flx");
    kernels::ResultFileWriter w;
    if (!w.Open(g_model.sharedPath))
        common::RaiseError(kErrorFileOpen);
    WriteZoneFaceFlows(w);
    if (!w.Close())
        common::RaiseError(kErrorFileOpen);
}

namespace {

// The store's side of a solution file: temperatures into the solution,
// colour results into the colour records, and the B and F lines (the
// temperatures of the fixed node and border-face BCs at that step).
class StoreSink : public kernels::SolutionFileSink {
  public:
    std::span<double> Temperatures(kernels::Index) override
    {
        if (g_work.solution.empty())
            AllocWorkArray(kSolutionVector);
        return g_work.solution;
    }
    void AirTemperature(int colour, double t) override
    {
        ColourRecord& r = g_model.colours[colour];
        r.airTemperature = static_cast<float>(t);
        if (r.type == BC_FRE_S)
            r.temperature = static_cast<float>(t);
    }
    void Extremes(int colour, const kernels::ColourExtremes& e) override
    {
        ColourRecord& r = g_model.colours[colour];
        r.resultMin = e.lowest;
        r.resultMax = e.highest;
        std::copy(e.lowestPoint, e.lowestPoint + 3, r.working.lowestPoint);
        std::copy(e.highestPoint, e.highestPoint + 3, r.working.highestPoint);
    }
    void Flows(int colour, const kernels::ColourFlows& f) override
    {
        g_model.colours[colour].resultValue1 = f.in;
        g_model.colours[colour].resultValue2 = f.out;
    }
    bool ExtraLine(int key, const char* p) override
    {
        int a = 0;
        float x = 0;
        if (!common::ScanInt(p, a) || !common::ScanFloat(p, x) || a < 0)
            return false;
        if (key == 0 && a < g_model.nodeBcs.count) {
            g_model.nodeBcs[a].temperature = x;
            return true;
        }
        if (key == 1 && a < g_model.borderBcs.count) {
            g_model.borderBcs[a].temperature = x;
            return true;
        }
        return false;
    }
};

} // namespace

bool ReadSolutionFile(int usePath)
{
    g_run.solutionValid = false;
    g_run.solver.largestChange = 0.0f;
    g_run.solver.objectDivergence = g_run.solver.nodeDivergence = 200.0f;
    if (usePath == 0)
        BuildStepFileName(".sol");
    const ModelStore& m = g_model;
    const kernels::SolutionFileChecks checks{m.blocks.count, m.nodeBcs.count, g_work.gridNodeCount};
    kernels::SolutionHeader readouts;
    StoreSink sink;
    const kernels::SolutionReadStatus status =
        kernels::ReadSolutionFile(g_model.sharedPath, checks, readouts, sink, "BF");
    if (status == kernels::SolutionReadStatus::NotOpened)
        return false;
    if (status == kernels::SolutionReadStatus::Rejected) {
        ClearSolution();
        return false;
    }
    g_run.solver.largestChange = readouts.largestChange;
    g_run.solver.objectDivergence = readouts.objectDivergence;
    g_run.solver.nodeDivergence = readouts.nodeDivergence;
    PrepareFunctionsForReadBack();
    g_run.solutionValid = true;
    g_run.fluxesValid = false;
    return true;
}

void ReadFluxFile()
{
    BuildStepFileName(".flx");
    bool opened = false;
    std::vector<HeatFlowRecord> kept;
    try {
        kept = kernels::ReadFluxFile(g_model.sharedPath, &opened);
    } catch (const std::bad_alloc&) {
        common::RaiseError(kErrorMemory);
    }
    if (!opened)
        return;
    g_work.heatFlows = std::move(kept);
    g_run.fluxesValid = true;
}

void EnsureFluxTable()
{
    if (g_run.fluxesValid)
        return;
    g_work.heatFlows.clear();
    if (HasRadiatingColours())
        ReadFluxFile();
    g_run.fluxesValid = true;
}

void RemoveStepFiles()
{
    std::error_code ec;
    std::vector<std::filesystem::path> doomed;
    for (const auto& entry : std::filesystem::directory_iterator(".", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() != 11 || !entry.is_regular_file(ec))
            continue;
        std::string lower = name;
        for (char& ch : lower)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        const bool digits =
            std::all_of(lower.begin() + 3, lower.begin() + 7, [](char ch) { return ch >= '0' && ch <= '9'; });
        const std::string ext = lower.substr(7);
        if (lower.compare(0, 3, "tmp") == 0 && digits &&
            (ext == ".sol" || ext == ".flx" || ext == ".sfx" || ext == ".sfd"))
            doomed.push_back(entry.path());
    }
    for (const auto& p : doomed)
        std::filesystem::remove(p, ec);
}

namespace {

kernels::CellGrid CellsOfModel()
{
    return {g_model.axes[0].n, g_model.axes[1].n, g_model.axes[2].n, g_work.cellColours};
}

kernels::NodeGrid NodesOfModel()
{
    return {g_model.axes[0].n, g_model.axes[1].n, g_model.axes[2].n, g_work.nodeIndex};
}

} // namespace

void UpdateColourTemperatureRanges()
{
    UpdateZoneAirTemperatures();
    std::array<kernels::ColourExtremes, kColourCount> extremes;
    std::array<bool, kColourCount> used{};
    for (int c = 0; c < kColourCount; ++c) {
        const ColourRecord& r = g_model.colours[c];
        used[c] = r.inUse != 0;
        extremes[c].lowest = r.resultMin;
        extremes[c].highest = r.resultMax;
        std::copy(r.working.lowestPoint, r.working.lowestPoint + 3, extremes[c].lowestPoint);
        std::copy(r.working.highestPoint, r.working.highestPoint + 3, extremes[c].highestPoint);
    }
    kernels::ComputeColourExtremes(
        CellsOfModel(), NodesOfModel(), [](std::int32_t n) { return GetNodeValue(n, 0); }, used, extremes);
    for (int c = 0; c < kColourCount; ++c) {
        ColourRecord& r = g_model.colours[c];
        r.resultMin = extremes[c].lowest;
        r.resultMax = extremes[c].highest;
        std::copy(extremes[c].lowestPoint, extremes[c].lowestPoint + 3, r.working.lowestPoint);
        std::copy(extremes[c].highestPoint, extremes[c].highestPoint + 3, r.working.highestPoint);
    }
}

void ComputeColourHeatFlows()
{
    EvaluateColourFunctions(false);
    ClearSolarFluxColumn();
    AssembleEquations(0);
    const kernels::Index grid = g_work.gridNodeCount;
    std::vector<double> flows(grid, 0.0);
    kernels::ComputeHeatBalance(*g_work.matrix, g_work.rhs.data(), g_work.solution.data(), flows.data(),
                                kernels::HeatBalanceRule{}, [] {
                                    CheckEscAbort();
                                    return false;
                                },
                                &g_work.solverWork.team);
    std::array<kernels::ColourFlows, kColourCount> results;
    std::array<bool, kColourCount> reset{}, collect{};
    for (int c = 0; c < kColourCount; ++c) {
        const ColourRecord& r = g_model.colours[c];
        results[c] = {r.resultValue1, r.resultValue2};
        reset[c] = r.inUse && IsBoundaryResultColour(r);
        collect[c] = IsBoundaryResultColour(r) &&
                     !((r.type == BC_SIMPL || r.type == BC_FRE_S) && r.hGlobal == 0 && r.flux == 0);
    }
    kernels::DistributeColourHeatFlows(CellsOfModel(), NodesOfModel(), flows, reset, collect, results);
    for (int c = 0; c < kColourCount; ++c) {
        g_model.colours[c].resultValue1 = results[c].in;
        g_model.colours[c].resultValue2 = results[c].out;
    }
}

void AdvanceTimeLevel()
{
    WorkArrays& w = g_work;
    w.keptRhs = w.rhs;
    if (g_run.step >= 1)
        w.previous2 = w.previous;
    w.previous = w.solution;
    AdvanceZoneFaces();
}

} // namespace gelmar
