// The solution and heat-flux files and the per-colour results.
#include "novelk/model/calc/ResultFiles.h"

#include "common/kernels/ColourResults.h"
#include "common/kernels/ResultFiles.h"
#include "novelk/model/calc/Assembly.h"
#include "novelk/model/calc/NodeNumbering.h"
#include "novelk/model/calc/Zones.h"
#include "novelk/model/store/ColourQueries.h"
#include "novelk/model/store/EngineHost.h"
#include "novelk/model/store/Errors.h"
#include "novelk/model/store/TempFiles.h"

#include <algorithm>
#include <array>
#include <new>

namespace novelk {

namespace {

bool IsFlowColour(const ColourRecord& c)
{
    return c.type != MATERIAL && c.type != EQUIMAT;
}

bool IsAirColour(const ColourRecord& c)
{
    return c.type == BC_FREE || c.type == BC_FRE_S;
}

kernels::ColourExtremes ExtremesOf(const ColourRecord& c)
{
    kernels::ColourExtremes e;
    e.lowest = c.lowestTemperature;
    e.highest = c.highestTemperature;
    std::copy(c.lowestPoint, c.lowestPoint + 3, e.lowestPoint);
    std::copy(c.highestPoint, c.highestPoint + 3, e.highestPoint);
    return e;
}

void StoreExtremes(ColourRecord& c, const kernels::ColourExtremes& e)
{
    c.lowestTemperature = e.lowest;
    c.highestTemperature = e.highest;
    std::copy(e.lowestPoint, e.lowestPoint + 3, c.lowestPoint);
    std::copy(e.highestPoint, e.highestPoint + 3, c.highestPoint);
}

// The air node of a used BC_FREE or BC_FRE_S colour of a zone; -1 otherwise.
std::int64_t AirNodeOf(const ModelStore& m, const RunState& run, int colour)
{
    const ColourRecord& c = m.colours[std::size_t(colour)];
    const int z = run.calc.zoneOfColour[std::size_t(colour)];
    if (!c.inUse || !IsAirColour(c) || z < 0 || std::size_t(z) >= run.calc.zones.size())
        return -1;
    const std::int64_t air = run.calc.zones[std::size_t(z)].airNode;
    return air >= 0 && std::size_t(air) < run.temperature.size() ? air : -1;
}

// The store's side of a solution file.
class ModelSink : public kernels::SolutionFileSink {
  public:
    ModelSink(ModelStore& m, RunState& run) : m_m(m), m_run(run) {}
    std::span<double> Temperatures(kernels::Index) override
    {
        if (m_run.temperature.empty())
            m_run.temperature.assign(std::size_t(m_run.unknowns), 0.0);
        return m_run.temperature;
    }
    void AirTemperature(int colour, double t) override
    {
        // Only a used cavity-air colour has an air temperature to take.
        ColourRecord& c = m_m.colours[std::size_t(colour)];
        if (c.inUse && IsAirColour(c))
            c.airTemperature = static_cast<float>(t);
    }
    void Extremes(int colour, const kernels::ColourExtremes& e) override
    {
        StoreExtremes(m_m.colours[std::size_t(colour)], e);
    }
    void Flows(int colour, const kernels::ColourFlows& f) override
    {
        m_m.colours[std::size_t(colour)].flowIn = f.in;
        m_m.colours[std::size_t(colour)].flowOut = f.out;
    }

  private:
    ModelStore& m_m;
    RunState& m_run;
};

} // namespace

void ComputeColourExtremes(ModelStore& m, const RunState& run)
{
    std::array<kernels::ColourExtremes, kColourCount> extremes;
    std::array<bool, kColourCount> used{};
    for (std::size_t c = 0; c < std::size_t(kColourCount); ++c) {
        used[c] = m.colours[c].inUse != 0;
        extremes[c] = ExtremesOf(m.colours[c]);
    }
    kernels::ComputeColourExtremes(
        CellGridOf(run), NodeGridOf(run), [&](std::int32_t n) { return GetNodeValue(m, run, n); }, used,
        extremes);
    for (std::size_t c = 0; c < std::size_t(kColourCount); ++c)
        StoreExtremes(m.colours[c], extremes[c]);
}

void ComputeColourHeatFlows(ModelStore& m, RunState& run, EngineHost& host)
{
    CalcArrays& calc = run.calc;
    std::vector<double> flows;
    try {
        flows.assign(std::size_t(run.gridUnknowns), 0.0);
    } catch (const std::bad_alloc&) {
        throw EngineError::Memory();
    }
    if (calc.matrix) {
        const kernels::HeatBalanceResult balance = kernels::ComputeHeatBalance(
            *calc.matrix, calc.rhs.data(), run.temperature.data(), flows.data(), kernels::HeatBalanceRule{},
            [&host] {
                CheckEscAbort(host);
                return false;
            },
            &calc.work.team);
        run.readouts.objectDivergence = balance.objectDivergence;
        run.readouts.nodeDivergence = balance.nodeDivergence;
    }
    std::array<kernels::ColourFlows, kColourCount> results;
    std::array<bool, kColourCount> reset{}, collect{};
    for (std::size_t c = 0; c < std::size_t(kColourCount); ++c) {
        const ColourRecord& r = m.colours[c];
        results[c] = {r.flowIn, r.flowOut};
        reset[c] = r.inUse && IsFlowColour(r);
        collect[c] = reset[c] && !(r.type == BC_SIMPL && r.hGlobal == 0 && r.flux == 0);
    }
    kernels::DistributeColourHeatFlows(CellGridOf(run), NodeGridOf(run), flows, reset, collect, results);
    for (std::size_t c = 0; c < std::size_t(kColourCount); ++c) {
        m.colours[c].flowIn = results[c].in;
        m.colours[c].flowOut = results[c].out;
    }
}

void WriteSolutionFile(ModelStore& m, RunState& run, EngineHost& host)
{
    // The colour results first: the heat balance may be interrupted by Esc,
    // and an interrupted calculation leaves no new file behind.
    ComputeColourExtremes(m, run);
    ComputeColourHeatFlows(m, run, host);
    const char* path = "tmp.sol";
    kernels::ResultFileWriter w;
    if (!w.Open(path))
        throw EngineError::FileOpen(path);
    kernels::SolutionHeader header;
    header.blocks = m.blocks.count;
    header.nodeBcs = m.nodeBcs.count;
    header.zones = static_cast<long long>(run.calc.zones.size());
    header.rows = run.unknowns;
    header.gridRows = run.gridUnknowns;
    header.largestChange = run.readouts.largestChange;
    header.objectDivergence = run.readouts.objectDivergence;
    header.nodeDivergence = run.readouts.nodeDivergence;
    kernels::PutSolutionHeader(w, header);
    const int n[3] = {m.axes[0].n, m.axes[1].n, m.axes[2].n};
    std::int64_t next = 0;
    for (int i = 0; i <= n[0]; ++i)
        for (int j = 0; j <= n[1]; ++j)
            for (int k = 0; k <= n[2]; ++k)
                if (GetNodeIndex(run, i, j, k) >= 0)
                    kernels::PutGridTemperature(w, run.temperature[std::size_t(next++)], i, j, k);
    for (std::int64_t u = run.gridUnknowns; u < run.unknowns; ++u)
        kernels::PutZoneTemperature(w, run.temperature[std::size_t(u)]);
    for (int c = 0; c < kColourCount; ++c) {
        const std::int64_t air = AirNodeOf(m, run, c);
        if (air < 0)
            continue;
        const double t = run.temperature[std::size_t(air)];
        kernels::PutAirTemperature(w, c, t);
        m.colours[std::size_t(c)].airTemperature = static_cast<float>(t);
    }
    for (int c = 0; c < kColourCount; ++c)
        if (m.colours[std::size_t(c)].inUse)
            kernels::PutColourExtremes(w, c, ExtremesOf(m.colours[std::size_t(c)]));
    for (int c = 0; c < kColourCount; ++c) {
        const ColourRecord& r = m.colours[std::size_t(c)];
        if (r.inUse && IsFlowColour(r))
            kernels::PutColourFlows(w, c, {r.flowIn, r.flowOut});
    }
    if (!w.Close())
        throw EngineError::FileOpen(path);
}

bool ReadSolutionFile(ModelStore& m, RunState& run)
{
    run.resultsLoaded = false;
    run.readouts.largestChange = 0;
    run.readouts.objectDivergence = run.readouts.nodeDivergence = 200;
    const std::string path = SelectResultFile(m.dataFilePath, "tmp.sol", "sol");
    if (path.empty())
        return false;
    const kernels::SolutionFileChecks checks{m.blocks.count, m.nodeBcs.count, run.gridUnknowns};
    kernels::SolutionHeader readouts;
    ModelSink sink(m, run);
    kernels::SolutionReadStatus status;
    try {
        status = kernels::ReadSolutionFile(path, checks, readouts, sink);
    } catch (const std::bad_alloc&) {
        status = kernels::SolutionReadStatus::Rejected;
    }
    if (status != kernels::SolutionReadStatus::Read) {
        std::fill(run.temperature.begin(), run.temperature.end(), 0.0);
        return false;
    }
    run.readouts.largestChange = readouts.largestChange;
    run.readouts.objectDivergence = readouts.objectDivergence;
    run.readouts.nodeDivergence = readouts.nodeDivergence;
    run.resultsLoaded = true;
    run.fluxesLoaded = false;
    return true;
}

void WriteFluxFile(const ModelStore& m, const RunState& run)
{
    const char* path = "tmp.flx";
    kernels::ResultFileWriter w;
    if (!w.Open(path))
        throw EngineError::FileOpen(path);
    const kernels::RadiationLaw law{m.calc.linearRadiation != 0, m.calc.hrBlack};
    for (const CavityZone& zone : run.calc.zones) {
        if (zone.type == BC_FRE_S || zone.type == TRANSMAT)
            continue;
        for (const ZoneFace& f : zone.faces) {
            const std::int64_t r = RadiationNodeUnknown(run, zone, f);
            if (r < 0)
                continue;
            const ColourRecord& cavity = m.colours[f.cavityColour];
            const double ts = FaceTemperature(m, run, f);
            const double ta = zone.airNode >= 0 ? run.temperature[std::size_t(zone.airNode)] : cavity.airTemperature;
            const double flux = kernels::FaceHeatFlowDensity(
                m.colours[f.solidColour].epsilon, run.temperature[std::size_t(r)], ts, law, cavity.hConvective, ta,
                cavity.flux);
            kernels::PutFluxLine(w, f.cell[0], f.cell[1], f.cell[2], f.geometry.orientation, flux);
        }
    }
    if (!w.Close())
        throw EngineError::FileOpen(path);
}

void ReadFluxFile(const ModelStore& m, RunState& run)
{
    run.fluxes.clear();
    const std::string path = SelectResultFile(m.dataFilePath, "tmp.flx", "flx");
    if (!path.empty()) {
        try {
            run.fluxes = kernels::ReadFluxFile(path);
        } catch (const std::bad_alloc&) {
            throw EngineError::Memory();
        }
    }
    run.fluxesLoaded = true;
}

void LoadSavedResults(ModelStore& m, RunState& run, EngineHost& host)
{
    run.resultsLoaded = false;
    const std::string own = CompanionFilePath(m.dataFilePath, "sol");
    if (own.empty() || !FileExists(own))
        return;
    try {
        RasteriseBlocks(m, run, host);
        BuildNodeNumbering(m, run, host);
        ReadSolutionFile(m, run);
        ReadFluxFile(m, run);
    } catch (const EngineError&) {
    } catch (const EscAbort&) {
    }
}

} // namespace novelk
