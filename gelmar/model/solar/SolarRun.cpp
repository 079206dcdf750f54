// The solar state's inputs of a run, the node powers of the assembly and the
// "Calc Solar Fluxes" run (see SolarRun.h).
#include "gelmar/model/solar/SolarRun.h"
#include "gelmar/model/calc/RunState.h"

#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/FiniteChecks.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/output/OutputReport.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/radiation/ViewFactorFile.h"
#include "gelmar/model/solar/SolarFiles.h"
#include "gelmar/model/solar/SolarFlux.h"
#include "gelmar/model/solar/SolarState.h"
#include "gelmar/model/solar/SolarSurfaces.h"
#include "gelmar/model/solar/SunPosition.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/ModelStore.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace gelmar {

namespace {

bool HasZoneColours(ModelStore& model)
{
    for (const ColourRecord& c : model.colours)
        if (c.inUse && (c.type == BC_FREE || c.type == BC_SKY || c.type == BC_NOSKY || c.type == TRANSMAT ||
                        c.type == BC_FRE_S))
            return true;
    return false;
}

float ReflectionOfColour(ModelStore& model, RunState& run, int colour, float angleDegrees)
{
    if (colour < 0 || colour >= kColourCount)
        return 0.0f;
    const ColourRecord& c = model.colours[colour];
    const int table = c.working.function[kFnReflection];
    // A colour whose reflection function did not resolve keeps its factor.
    return table < 0 ? c.solarReflection : EvaluatePropertyTable(model, run, table, angleDegrees);
}

SolarZone CopyZone(RunState& run, const RadiationZone& zone, const RadiationZone* file)
{
    SolarZone s;
    s.type = zone.type;
    s.faces.reserve(zone.faces.size());
    for (const RadiatingFace& f : zone.faces) {
        SolarZoneFace z;
        z.geometry = f.geometry;
        for (int a = 0; a < 3; ++a)
            z.cell[a] = f.cell[a];
        z.zoneColour = f.zoneColour;
        z.ownerColour = f.ownerColour;
        z.area = f.area;
        z.corners = f.cornerPoints;
        s.faces.push_back(z);
    }
    s.fileFaceOfFace.assign(zone.faces.size(), -1);
    if (zone.type == BC_FRE_S || !file)
        return s;
    const std::vector<RadiatingFace>& all = run.radiation.fileFaces;
    const int first = file->firstFace;
    const int count = std::max(0, std::min(file->faceCount, static_cast<int>(all.size()) - first));
    for (int n = 0; n < count; ++n) {
        const RadiatingFace& f = all[static_cast<std::size_t>(first + n)];
        s.fileFaces.push_back(f.geometry);
        s.fileAreas.push_back(f.area);
        s.fileOwnerColours.push_back(f.ownerColour);
    }
    // Matches to file faces of another zone (or none) stay unmatched: the
    // exchange reads view factors within one zone only.
    for (std::size_t f = 0; f < zone.faces.size(); ++f) {
        const int local = zone.faces[f].fileFace - first;
        if (zone.faces[f].fileFace >= 0 && local >= 0 && local < count)
            s.fileFaceOfFace[f] = local;
    }
    const std::size_t packed =
        static_cast<std::size_t>(count) * static_cast<std::size_t>(std::max(0, count - 1)) / 2;
    s.viewFactors.assign(packed, 0.0);
    std::copy_n(file->matrix.begin(), std::min(packed, file->matrix.size()), s.viewFactors.begin());
    return s;
}

} // namespace

void SetSolarRunInputs(ModelStore& model, RunState& run)
{
    FreeSolarTables(run);
    run.solar.sourcesLeftOut = false;
    for (int a = 0; a < 3; ++a)
        run.solar.grid.n[a] = model.axes[a].n;
    run.solar.grid.cellColours = run.work.cellColours;
    run.solar.grid.nodeIndex = run.work.nodeIndex;
    run.solar.grid.gridNodes = static_cast<std::int32_t>(run.work.gridNodeCount);
    run.solar.hooks.evaluate = [&model, &run](int f, double t) { return EvaluateFunction(model, run, f, t); };
    run.solar.hooks.reflectionAt = [&model, &run](int colour, float angle) {
        return ReflectionOfColour(model, run, colour, angle);
    };
}

void CollectSolarZones(ModelStore& model, RunState& run)
{
    std::vector<SolarZone>& zones = run.solar.zones;
    zones.clear();
    if (!HasZoneColours(model))
        return;
    zones.reserve(run.radiation.zones.size());
    for (std::size_t z = 0; z < run.radiation.zones.size(); ++z)
        zones.push_back(CopyZone(run, run.radiation.zones[z], MatchedFileZone(run, z)));
}

void AddSolarNodeSources(RunState& run, double* b)
{
    if (run.solar.sourcesLeftOut)
        return;
    for (const SolarNodeSource& s : SolarNodeSourceList(run)) {
        if (s.node >= 0 && s.node < run.solar.grid.gridNodes)
            b[s.node] += static_cast<double>(s.power) + static_cast<double>(s.previous);
    }
}

bool AnySolarNodePower(RunState& run)
{
    if (run.solar.sourcesLeftOut)
        return false;
    const auto list = SolarNodeSourceList(run);
    return std::any_of(list.begin(), list.end(), [](const SolarNodeSource& s) { return s.power != 0.0f; });
}

void ClearSolarFluxColumn(RunState& run)
{
    run.solar.sourcesLeftOut = true;
}

void RunSolarFluxCalculation(ModelStore& model, RunState& run, EngineHost& host)
{
    ModelStore& m = model;
    CheckGridLengths(m);
    run.step = 0;
    for (int group = 0; group <= 4; ++group)
        FreeWorkArrays(run, group);
    FindSolarFunctions(model, run, true);
    ResolveFunctionReferences(model, run);
    LoadPropertyTables(model, run);
    RasteriseBlocks(model, run);
    BuildSiteRotation(model, run);
    BuildNodeNumbering(model, run, host);
    SetSolarRunInputs(model, run);
    if (HasZoneColours(model))
        LoadViewFactors(model, run, host);
    CollectSolarZones(model, run);
    host.ShowNodeCount(run.work.gridNodeCount);
    CheckSolarContacts(model, run);
    PrepareSolarSurfaces(model, run, host, true);
    SizeOutputBuffer(model, run);

    const int step = std::max(1, m.timeStep);
    run.stepLength = 0;
    long long t = 0;
    for (long long n = 0; t <= m.calcDuration; ++n) {
        run.calcTime = static_cast<std::int32_t>(t);
        run.step = static_cast<std::int32_t>(n);
        host.ShowTimeStep(t, 0, m.calcDuration);
        EvaluateColourFunctions(model, run, true);
        ComputeSolarFluxesForStep(model, run, host, t, n);
        if (HasReportItems(model) && (t / step) % std::max(1, m.reportFrequency) == 0)
            FormatReportRow(model, run);
        t += step;
        run.stepLength = step;
    }
    run.calcTime = static_cast<std::int32_t>(t - step);

    std::error_code ec;
    std::filesystem::remove("view.tmp", ec);
    FreePropertyTables(run);
}

} // namespace gelmar
