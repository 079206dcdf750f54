// Solution and heat-flow files, per-colour step results and time levels.
#include "gelmar/model/calc/StepFiles.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/store/EngineHost.h"

#include "common/core/NumberText.h"
#include "common/kernels/ResultFiles.h"
#include "gelmar/model/calc/Assembly.h"
#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/functions/FunctionFiles.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/solar/SolarRun.h"
#include "gelmar/model/store/Engine.h"
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
void PrepareFunctionsForReadBack(ModelStore& model, RunState& run)
{
    ResolveFunctionReferences(model, run);
    try {
        CollectFunctionFiles(model, run);
        LoadPropertyTables(model, run);
    } catch (const EngineError&) {
        FreeFunctionFileData(run);
    }
    EvaluateColourFunctions(model, run, false);
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

std::string BuildStepFileName(ModelStore& model, RunState& run, const char* extension)
{
    const long long every =
        static_cast<long long>(std::max(1, model.saveFrequency)) * std::max(1, model.timeStep);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%04lld%s", "tmp", run.calcTime / every, extension);
    return buf;
}

void WriteSolutionFile(ModelStore& model, RunState& run)
{
    const std::string path = BuildStepFileName(model, run, ".sol");
    kernels::ResultFileWriter w;
    if (!w.Open(path))
        throw EngineError::FileOpen(path);
    const ModelStore& m = model;
    const WorkArrays& work = run.work;
    const kernels::SolverState& s = run.solver;
    kernels::SolutionHeader header;
    header.blocks = m.blocks.count;
    header.nodeBcs = m.nodeBcs.count;
    header.zones = ZoneCount(run);
    header.rows = work.rowCount;
    header.gridRows = work.gridNodeCount;
    header.largestChange = s.largestChange;
    header.objectDivergence = s.objectDivergence;
    header.nodeDivergence = s.nodeDivergence;
    kernels::PutSolutionHeader(w, header);
    for (int i = 0; i <= m.axes[0].n; ++i)
        for (int j = 0; j <= m.axes[1].n; ++j)
            for (int k = 0; k <= m.axes[2].n; ++k) {
                const std::int32_t n = GetNodeIndex(model, run.work, i, j, k);
                if (n >= 0)
                    kernels::PutGridTemperature(w, work.solution[n], i, j, k);
            }
    for (kernels::Index n = work.gridNodeCount; n < work.rowCount; ++n)
        kernels::PutZoneTemperature(w, work.solution[n]);
    for (int c = 0; c < kColourCount; ++c) {
        double air = 0;
        if (m.colours[c].inUse && ColourAirNodeTemperature(model, run, c, air))
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
        throw EngineError::FileOpen(path);
}

void WriteFluxFile(ModelStore& model, RunState& run)
{
    const std::string path = BuildStepFileName(model, run, ".flx");
    kernels::ResultFileWriter w;
    if (!w.Open(path))
        throw EngineError::FileOpen(path);
    WriteZoneFaceFlows(model, run, w);
    if (!w.Close())
        throw EngineError::FileOpen(path);
}

namespace {

// The store's side of a solution file: temperatures into the solution,
// colour results into the colour records, and the B and F lines (the
// temperatures of the fixed node and border-face BCs at that step).
class StoreSink : public kernels::SolutionFileSink {
  public:
    StoreSink(ModelStore& model, RunState& run) : model(model), run(run) {}

    std::span<double> Temperatures(kernels::Index) override
    {
        if (run.work.solution.empty())
            AllocWorkArray(model, run, kSolutionVector);
        return run.work.solution;
    }
    void AirTemperature(int colour, double t) override
    {
        ColourRecord& r = model.colours[colour];
        r.airTemperature = static_cast<float>(t);
        if (r.type == BC_FRE_S)
            r.temperature = static_cast<float>(t);
    }
    void Extremes(int colour, const kernels::ColourExtremes& e) override
    {
        ColourRecord& r = model.colours[colour];
        r.resultMin = e.lowest;
        r.resultMax = e.highest;
        std::copy(e.lowestPoint, e.lowestPoint + 3, r.working.lowestPoint);
        std::copy(e.highestPoint, e.highestPoint + 3, r.working.highestPoint);
    }
    void Flows(int colour, const kernels::ColourFlows& f) override
    {
        model.colours[colour].resultValue1 = f.in;
        model.colours[colour].resultValue2 = f.out;
    }
    bool ExtraLine(int key, const char* p) override
    {
        int a = 0;
        float x = 0;
        if (!common::ScanInt(p, a) || !common::ScanFloat(p, x) || a < 0)
            return false;
        if (key == 0 && a < model.nodeBcs.count) {
            model.nodeBcs[a].temperature = x;
            return true;
        }
        if (key == 1 && a < model.borderBcs.count) {
            model.borderBcs[a].temperature = x;
            return true;
        }
        return false;
    }

  private:
    ModelStore& model;
    RunState& run;
};

} // namespace

bool ReadSolutionFile(ModelStore& model, RunState& run, const std::string& path)
{
    run.solutionValid = false;
    run.solver.largestChange = 0.0f;
    run.solver.objectDivergence = run.solver.nodeDivergence = 200.0f;
    const ModelStore& m = model;
    const kernels::SolutionFileChecks checks{m.blocks.count, m.nodeBcs.count, run.work.gridNodeCount};
    kernels::SolutionHeader readouts;
    StoreSink sink(model, run);
    const kernels::SolutionReadStatus status = kernels::ReadSolutionFile(path, checks, readouts, sink, "BF");
    if (status == kernels::SolutionReadStatus::NotOpened)
        return false;
    if (status == kernels::SolutionReadStatus::Rejected) {
        ClearSolution(run);
        return false;
    }
    run.solver.largestChange = readouts.largestChange;
    run.solver.objectDivergence = readouts.objectDivergence;
    run.solver.nodeDivergence = readouts.nodeDivergence;
    PrepareFunctionsForReadBack(model, run);
    run.solutionValid = true;
    run.fluxesValid = false;
    return true;
}

void ReadFluxFile(ModelStore& model, RunState& run)
{
    bool opened = false;
    std::vector<HeatFlowRecord> kept;
    try {
        kept = kernels::ReadFluxFile(BuildStepFileName(model, run, ".flx"), &opened);
    } catch (const std::bad_alloc&) {
        throw EngineError::Memory();
    }
    if (!opened)
        return;
    run.work.heatFlows = std::move(kept);
    run.fluxesValid = true;
}

void EnsureFluxTable(ModelStore& model, RunState& run)
{
    if (run.fluxesValid)
        return;
    run.work.heatFlows.clear();
    if (HasRadiatingColours(model))
        ReadFluxFile(model, run);
    run.fluxesValid = true;
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

kernels::CellGrid CellsOfModel(ModelStore& model, RunState& run)
{
    return {model.axes[0].n, model.axes[1].n, model.axes[2].n, run.work.cellColours};
}

kernels::NodeGrid NodesOfModel(ModelStore& model, RunState& run)
{
    return {model.axes[0].n, model.axes[1].n, model.axes[2].n, run.work.nodeIndex};
}

} // namespace

void UpdateColourTemperatureRanges(ModelStore& model, RunState& run)
{
    UpdateZoneAirTemperatures(model, run);
    std::array<kernels::ColourExtremes, kColourCount> extremes;
    std::array<bool, kColourCount> used{};
    for (int c = 0; c < kColourCount; ++c) {
        const ColourRecord& r = model.colours[c];
        used[c] = r.inUse != 0;
        extremes[c].lowest = r.resultMin;
        extremes[c].highest = r.resultMax;
        std::copy(r.working.lowestPoint, r.working.lowestPoint + 3, extremes[c].lowestPoint);
        std::copy(r.working.highestPoint, r.working.highestPoint + 3, extremes[c].highestPoint);
    }
    kernels::ComputeColourExtremes(
        CellsOfModel(model, run), NodesOfModel(model, run), [&model, &run](std::int32_t n) { return GetNodeValue(model, run.work, n, 0); }, used, extremes);
    for (int c = 0; c < kColourCount; ++c) {
        ColourRecord& r = model.colours[c];
        r.resultMin = extremes[c].lowest;
        r.resultMax = extremes[c].highest;
        std::copy(extremes[c].lowestPoint, extremes[c].lowestPoint + 3, r.working.lowestPoint);
        std::copy(extremes[c].highestPoint, extremes[c].highestPoint + 3, r.working.highestPoint);
    }
}

void ComputeColourHeatFlows(ModelStore& model, RunState& run, EngineHost& host)
{
    EvaluateColourFunctions(model, run, false);
    ClearSolarFluxColumn(run);
    AssembleEquations(model, run, host, 0);
    const kernels::Index grid = run.work.gridNodeCount;
    std::vector<double> flows(grid, 0.0);
    kernels::ComputeHeatBalance(*run.work.matrix, run.work.rhs.data(), run.work.solution.data(), flows.data(),
                                kernels::HeatBalanceRule{}, [&host] {
                                    CheckEscAbort(host);
                                    return false;
                                },
                                &run.work.solverWork.team);
    std::array<kernels::ColourFlows, kColourCount> results;
    std::array<bool, kColourCount> reset{}, collect{};
    for (int c = 0; c < kColourCount; ++c) {
        const ColourRecord& r = model.colours[c];
        results[c] = {r.resultValue1, r.resultValue2};
        reset[c] = r.inUse && IsBoundaryResultColour(r);
        collect[c] = IsBoundaryResultColour(r) &&
                     !((r.type == BC_SIMPL || r.type == BC_FRE_S) && r.hGlobal == 0 && r.flux == 0);
    }
    kernels::DistributeColourHeatFlows(CellsOfModel(model, run), NodesOfModel(model, run), flows, reset, collect, results);
    for (int c = 0; c < kColourCount; ++c) {
        model.colours[c].resultValue1 = results[c].in;
        model.colours[c].resultValue2 = results[c].out;
    }
}

void AdvanceTimeLevel(RunState& run)
{
    WorkArrays& w = run.work;
    w.keptRhs = w.rhs;
    if (run.step >= 1)
        w.previous2 = w.previous;
    w.previous = w.solution;
    AdvanceZoneFaces(run);
}

} // namespace gelmar
