// The transient calculation's calls into the radiation zones: the zones,
// faces and view factors of a run with their equation rows, the zone links
// of the matrix pattern, the air-node capacities, the long-wave radiation
// and convection terms of each assembly, the time-level bookkeeping of the
// zone faces, the heat-flow file and the computed air temperatures; and
// the view-factor step of Calc System.
#include "common/core/ErrorCode.h"
#include "common/kernels/ViewFactorZone.h"
#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/editing/BlockOperations.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/radiation/ViewFactorDriver.h"
#include "gelmar/model/radiation/ViewFactorFile.h"
#include "gelmar/model/radiation/ZoneEquations.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/ventilation/Ventilation.h"

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>

namespace gelmar {

namespace {

// The rows of the zones of the present run; empty without zones.
std::vector<ZoneRows> g_zoneRows;

bool IsZoneColourType(int type)
{
    return type == BC_FREE || type == BC_SKY || type == BC_NOSKY || type == TRANSMAT || type == BC_FRE_S;
}

bool HasZoneColours()
{
    for (const ColourRecord& c : g_model.colours)
        if (c.inUse && IsZoneColourType(c.type))
            return true;
    return false;
}

bool HasAirNode(int type)
{
    return type == BC_FREE || type == BC_FRE_S;
}

double NodeTemperature(int node, int level)
{
    return GetNodeValue(node, level);
}

// A colour's air node, -1 when it has none in this run.
int AirNode(int colour)
{
    if (g_zoneRows.empty() || colour < 0 || colour >= kColourCount)
        return -1;
    const ColourRecord& c = g_model.colours[colour];
    if (!c.inUse || !HasAirNode(c.type))
        return -1;
    return AirNodeOfColour(colour, g_zoneRows);
}

// The zone terms go straight into the node matrix and right-hand side.
class MatrixSink : public kernels::EquationSink {
  public:
    void AddDiagonal(int row, double v) override { Diagonal(row) += v; }
    void SetDiagonal(int row, double v) override { Diagonal(row) = v; }
    void AddLower(int row, int col, double v) override
    {
        if (row != col)
            g_work.matrix->Element(row, col) += v;
    }
    void SetLower(int row, int col, double v) override
    {
        if (row != col)
            g_work.matrix->Element(row, col) = v;
    }
    void AddRhs(int row, double v) override { g_work.rhs[static_cast<std::size_t>(row)] += v; }

  private:
    static double& Diagonal(int row) { return g_work.matrix->Diagonal()[static_cast<std::size_t>(row)]; }
};

double Emissivity(int colour, int level)
{
    const ColourRecord& c = g_model.colours[colour];
    return level == 0 ? c.epsilon : c.working.previousEpsilon;
}

// The radiant temperature keeps no previous value: both levels use the
// current one.
double RadiantTemperature(int colour, int)
{
    return g_model.colours[colour].radiantTemperature;
}

double ConvectiveInput(int colour, int level)
{
    const ColourRecord& c = g_model.colours[colour];
    return level == 0 ? c.qConvective : c.working.previousQConvective;
}

} // namespace

void LoadViewFactors()
{
    FreeRadiation();
    g_zoneRows.clear();
    if (!HasZoneColours())
        return;
    const kernels::CellGrid cells{g_model.axes[0].n, g_model.axes[1].n, g_model.axes[2].n,
                                  g_work.cellColours};
    LoadViewFactors(cells, [](int i, int j, int k) { return GetNodeIndex(i, j, k); });
    if (g_radiation.zones.empty())
        return;
    if (!g_radiation.fileZones.empty()) {
        long long pairs = 0;
        for (const RadiationZone& zone : g_radiation.fileZones)
            pairs += static_cast<long long>(kernels::PackedSize(static_cast<std::size_t>(zone.faceCount)));
        Host().ShowViewFactorCount(pairs);
    }
    // Node numbers are 32-bit in the matrix and the zone tables.
    const kernels::Index rows = g_work.gridNodeCount + g_radiation.extraRows;
    if (rows > std::numeric_limits<std::int32_t>::max())
        common::RaiseError(kErrorMemory);
    g_work.rowCount = rows;
    g_zoneRows = NumberZoneRows(static_cast<int>(g_work.gridNodeCount));
}

void ForEachZoneLink(const std::function<void(kernels::Index, kernels::Index)>& link)
{
    if (!g_zoneRows.empty())
        AddZonePatternPairs(g_zoneRows, [&](int a, int b) { link(a, b); });
}

void AssembleAirNodeCapacities(int step, double k)
{
    if (g_zoneRows.empty())
        return;
    const double* x = g_work.solution.data();
    const double* x0 = g_work.previous.data();
    const double* x00 = g_work.previous2.data();
    const bool ventilated = HasVentilationFlows();
    double* diag = g_work.matrix->Diagonal().data();
    double* b = g_work.rhs.data();
    const GridAxis* axes = g_model.axes.data();
    kernels::Index visited = 0;
    for (int i = 0; i < axes[0].n; ++i)
        for (int j = 0; j < axes[1].n; ++j)
            for (int kk = 0; kk < axes[2].n; ++kk) {
                if (++visited % 10000 == 0)
                    CheckEscAbort();
                const int colour = GetCellColour(i, j, kk);
                const int air = AirNode(colour);
                if (air < 0)
                    continue;
                const ColourRecord& col = g_model.colours[colour];
                const double t1 = x[air], t0 = x0[air], t00 = step >= 2 ? x00[air] : 0.0;
                const double tRef = ventilated ? t0 : t1;
                const double c1 = GetSpecificHeatAt(col, static_cast<float>(t1));
                const double c0 = GetSpecificHeatAt(col, static_cast<float>(t0));
                // The whole cell's volume: k holds an eighth of it per corner.
                const double w = static_cast<double>(axes[0].widths[i]) * axes[1].widths[j] *
                                 axes[2].widths[kk] * col.density * (8.0 * k);
                diag[air] += (c0 + c1) * w;
                if (step == 1) {
                    b[air] += (c0 + c1) * w * tRef;
                } else {
                    const double c00 = GetSpecificHeatAt(col, static_cast<float>(t00));
                    b[air] += (c00 + 2 * c0 + c1) * w * tRef;
                }
            }
}

void AssembleLongWaveRadiation(int step)
{
    if (g_zoneRows.empty())
        return;
    const kernels::RadiationLaw law{g_model.linearRadiation != 0 || !g_run.solutionValid, g_model.hrBlack};
    const bool transient = step > 0;
    MatrixSink sink;
    for (std::size_t z = 0; z < g_radiation.zones.size(); ++z) {
        const int type = g_radiation.zones[z].type;
        if (type != BC_FRE_S) {
            const ZoneRadiationTerms terms =
                BuildZoneRadiationTerms(z, g_zoneRows[z], law, transient, Emissivity, RadiantTemperature);
            kernels::AssembleZoneRadiation(terms.Input(), NodeTemperature, sink);
        }
        if (HasAirNode(type))
            AssembleZoneConvection(z, g_zoneRows, NodeTemperature, transient, IsAirTemperatureFixed,
                                   ConvectiveInput, sink);
        CheckEscAbort();
    }
}

void AdvanceZoneFaces()
{
    AdvanceZoneConvection();
}

void WriteZoneFaceFlows(kernels::ResultFileWriter& file)
{
    if (g_zoneRows.empty())
        return;
    const kernels::RadiationLaw law{g_model.linearRadiation != 0, g_model.hrBlack};
    for (const FaceHeatFlow& f : ZoneFaceHeatFlows(g_zoneRows, NodeTemperature, law))
        kernels::PutFluxLine(file, f.i, f.j, f.k, f.direction, f.density);
}

void UpdateZoneAirTemperatures()
{
    for (int c = 0; c < kColourCount; ++c) {
        double t = 0;
        if (!ColourAirNodeTemperature(c, t))
            continue;
        ColourRecord& colour = g_model.colours[c];
        colour.airTemperature = static_cast<float>(t);
        if (colour.type == BC_FRE_S)
            colour.temperature = static_cast<float>(t);
    }
}

int ZoneCount()
{
    return g_zoneRows.empty() ? 0 : static_cast<int>(g_radiation.zones.size());
}

bool ColourAirNodeTemperature(int colour, double& temperature)
{
    const int air = AirNode(colour);
    if (air < 0 || static_cast<std::size_t>(air) >= g_work.solution.size())
        return false;
    temperature = g_work.solution[static_cast<std::size_t>(air)];
    return true;
}

bool PrepareViewFactorFile()
{
    std::error_code ec;
    if (std::filesystem::exists(SelectViewFactorFile(), ec)) {
        const MessageAnswer answer =
            Host().MessageBox("Recalculate view factors ?", MessageStyle::YesNoCancel);
        if (answer == MessageAnswer::Cancel)
            return false;
        if (answer != MessageAnswer::Yes)
            return true;
    }
    // Esc in the view-factor window ends Calc System: the run would find no
    // view factors (or stale ones) to read.
    return RunViewFactorDialog() || common::ErrorCode() != 0;
}

} // namespace gelmar
