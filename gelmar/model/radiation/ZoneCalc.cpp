// The transient calculation's calls into the radiation zones: the zones,
// faces and view factors of a run with their equation rows, the zone links
// of the matrix pattern, the air-node capacities, the long-wave radiation
// and convection terms of each assembly, the time-level bookkeeping of the
// zone faces, the heat-flow file and the computed air temperatures; and
// the view-factor step of Calc System.
#include "common/kernels/ViewFactorZone.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/editing/BlockOperations.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/radiation/ViewFactorDriver.h"
#include "gelmar/model/radiation/ViewFactorFile.h"
#include "gelmar/model/radiation/ZoneEquations.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/ventilation/Ventilation.h"

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>

namespace gelmar {

namespace {

bool IsZoneColourType(int type)
{
    return type == BC_FREE || type == BC_SKY || type == BC_NOSKY || type == TRANSMAT || type == BC_FRE_S;
}

bool HasZoneColours(ModelStore& model)
{
    for (const ColourRecord& c : model.colours)
        if (c.inUse && IsZoneColourType(c.type))
            return true;
    return false;
}

bool HasAirNode(int type)
{
    return type == BC_FREE || type == BC_FRE_S;
}

double NodeTemperature(ModelStore& model, RunState& run, int node, int level)
{
    return GetNodeValue(model, run.work, node, level);
}

// A colour's air node, -1 when it has none in this run.
int AirNode(ModelStore& model, RunState& run, int colour)
{
    if (run.zoneRows.empty() || colour < 0 || colour >= kColourCount)
        return -1;
    const ColourRecord& c = model.colours[colour];
    if (!c.inUse || !HasAirNode(c.type))
        return -1;
    return AirNodeOfColour(run, colour, run.zoneRows);
}

// The zone terms go straight into the node matrix and right-hand side.
class MatrixSink : public kernels::EquationSink {
  public:
    explicit MatrixSink(RunState& run) : run(run) {}

    void AddDiagonal(int row, double v) override { Diagonal(row) += v; }
    void SetDiagonal(int row, double v) override { Diagonal(row) = v; }
    void AddLower(int row, int col, double v) override
    {
        if (row != col)
            run.work.matrix->Element(row, col) += v;
    }
    void SetLower(int row, int col, double v) override
    {
        if (row != col)
            run.work.matrix->Element(row, col) = v;
    }
    void AddRhs(int row, double v) override { run.work.rhs[static_cast<std::size_t>(row)] += v; }

  private:
    double& Diagonal(int row) { return run.work.matrix->Diagonal()[static_cast<std::size_t>(row)]; }

    RunState& run;
};

double Emissivity(ModelStore& model, int colour, int level)
{
    const ColourRecord& c = model.colours[colour];
    return level == 0 ? c.epsilon : c.working.previousEpsilon;
}

// The radiant temperature keeps no previous value: both levels use the
// current one.
double RadiantTemperature(ModelStore& model, int colour, int)
{
    return model.colours[colour].radiantTemperature;
}

double ConvectiveInput(ModelStore& model, int colour, int level)
{
    const ColourRecord& c = model.colours[colour];
    return level == 0 ? c.qConvective : c.working.previousQConvective;
}

} // namespace

void LoadViewFactors(ModelStore& model, RunState& run, EngineHost& host)
{
    FreeRadiation(run);
    run.zoneRows.clear();
    if (!HasZoneColours(model))
        return;
    const kernels::CellGrid cells{model.axes[0].n, model.axes[1].n, model.axes[2].n,
                                  run.work.cellColours};
    LoadViewFactors(model, run, host, cells, [&model, &run](int i, int j, int k) { return GetNodeIndex(model, run.work, i, j, k); });
    if (run.radiation.zones.empty())
        return;
    if (!run.radiation.fileZones.empty()) {
        long long pairs = 0;
        for (const RadiationZone& zone : run.radiation.fileZones)
            pairs += static_cast<long long>(kernels::PackedSize(static_cast<std::size_t>(zone.faceCount)));
        host.ShowViewFactorCount(pairs);
    }
    // Node numbers are 32-bit in the matrix and the zone tables.
    const kernels::Index rows = run.work.gridNodeCount + run.radiation.extraRows;
    if (rows > std::numeric_limits<std::int32_t>::max())
        throw EngineError::Memory();
    run.work.rowCount = rows;
    run.zoneRows = NumberZoneRows(model, run, static_cast<int>(run.work.gridNodeCount));
}

void ForEachZoneLink(RunState& run, const std::function<void(kernels::Index, kernels::Index)>& link)
{
    if (!run.zoneRows.empty())
        AddZonePatternPairs(run, run.zoneRows, [&](int a, int b) { link(a, b); });
}

void AssembleAirNodeCapacities(ModelStore& model, RunState& run, EngineHost& host, int step, double k)
{
    if (run.zoneRows.empty())
        return;
    const double* x = run.work.solution.data();
    const double* x0 = run.work.previous.data();
    const double* x00 = run.work.previous2.data();
    const bool ventilated = HasVentilationFlows(model);
    double* diag = run.work.matrix->Diagonal().data();
    double* b = run.work.rhs.data();
    const GridAxis* axes = model.axes.data();
    kernels::Index visited = 0;
    for (int i = 0; i < axes[0].n; ++i)
        for (int j = 0; j < axes[1].n; ++j)
            for (int kk = 0; kk < axes[2].n; ++kk) {
                if (++visited % 10000 == 0)
                    CheckEscAbort(host);
                const int colour = GetCellColour(model, run.work, i, j, kk);
                const int air = AirNode(model, run, colour);
                if (air < 0)
                    continue;
                const ColourRecord& col = model.colours[colour];
                const double t1 = x[air], t0 = x0[air], t00 = step >= 2 ? x00[air] : 0.0;
                const double tRef = ventilated ? t0 : t1;
                const double c1 = GetSpecificHeatAt(model, run, col, static_cast<float>(t1));
                const double c0 = GetSpecificHeatAt(model, run, col, static_cast<float>(t0));
                // The whole cell's volume: k holds an eighth of it per corner.
                const double w = static_cast<double>(axes[0].widths[i]) * axes[1].widths[j] *
                                 axes[2].widths[kk] * col.density * (8.0 * k);
                diag[air] += (c0 + c1) * w;
                if (step == 1) {
                    b[air] += (c0 + c1) * w * tRef;
                } else {
                    const double c00 = GetSpecificHeatAt(model, run, col, static_cast<float>(t00));
                    b[air] += (c00 + 2 * c0 + c1) * w * tRef;
                }
            }
}

void AssembleLongWaveRadiation(ModelStore& model, RunState& run, EngineHost& host, int step)
{
    if (run.zoneRows.empty())
        return;
    const kernels::RadiationLaw law{model.linearRadiation != 0 || !run.solutionValid, model.hrBlack};
    const bool transient = step > 0;
    MatrixSink sink(run);
    const auto nodeTemperature = [&model, &run](int node, int level) {
        return NodeTemperature(model, run, node, level);
    };
    const auto emissivity = [&model](int colour, int level) { return Emissivity(model, colour, level); };
    const auto radiant = [&model](int colour, int level) { return RadiantTemperature(model, colour, level); };
    const auto airFixed = [&model](int colour) { return IsAirTemperatureFixed(model, colour); };
    const auto convective = [&model](int colour, int level) { return ConvectiveInput(model, colour, level); };
    for (std::size_t z = 0; z < run.radiation.zones.size(); ++z) {
        const int type = run.radiation.zones[z].type;
        if (type != BC_FRE_S) {
            const ZoneRadiationTerms terms =
                BuildZoneRadiationTerms(run, z, run.zoneRows[z], law, transient, emissivity, radiant);
            kernels::AssembleZoneRadiation(terms.Input(), nodeTemperature, sink);
        }
        if (HasAirNode(type))
            AssembleZoneConvection(model, run, z, run.zoneRows, nodeTemperature, transient, airFixed, convective,
                                   sink);
        CheckEscAbort(host);
    }
}

void AdvanceZoneFaces(RunState& run)
{
    AdvanceZoneConvection(run);
}

void WriteZoneFaceFlows(ModelStore& model, RunState& run, kernels::ResultFileWriter& file)
{
    if (run.zoneRows.empty())
        return;
    const kernels::RadiationLaw law{model.linearRadiation != 0, model.hrBlack};
    const auto nodeTemperature = [&model, &run](int node, int level) {
        return NodeTemperature(model, run, node, level);
    };
    for (const FaceHeatFlow& f : ZoneFaceHeatFlows(model, run, run.zoneRows, nodeTemperature, law))
        kernels::PutFluxLine(file, f.i, f.j, f.k, f.direction, f.density);
}

void UpdateZoneAirTemperatures(ModelStore& model, RunState& run)
{
    for (int c = 0; c < kColourCount; ++c) {
        double t = 0;
        if (!ColourAirNodeTemperature(model, run, c, t))
            continue;
        ColourRecord& colour = model.colours[c];
        colour.airTemperature = static_cast<float>(t);
        if (colour.type == BC_FRE_S)
            colour.temperature = static_cast<float>(t);
    }
}

int ZoneCount(RunState& run)
{
    return run.zoneRows.empty() ? 0 : static_cast<int>(run.radiation.zones.size());
}

bool ColourAirNodeTemperature(ModelStore& model, RunState& run, int colour, double& temperature)
{
    const int air = AirNode(model, run, colour);
    if (air < 0 || static_cast<std::size_t>(air) >= run.work.solution.size())
        return false;
    temperature = run.work.solution[static_cast<std::size_t>(air)];
    return true;
}

WorkOutcome PrepareViewFactorFile(ModelStore& model, RunState& run, EngineHost& host)
{
    std::error_code ec;
    if (std::filesystem::exists(SelectViewFactorFile(model), ec)) {
        const MessageAnswer answer =
            host.MessageBox("Recalculate view factors ?", MessageStyle::YesNoCancel);
        if (answer == MessageAnswer::Cancel)
            return WorkOutcome::Aborted();
        if (answer != MessageAnswer::Yes)
            return WorkOutcome::Done();
    }
    // Esc in the view-factor window ends Calc System: the run would find no
    // view factors (or stale ones) to read.
    return RunViewFactorDialog(model, run, host);
}

} // namespace gelmar
