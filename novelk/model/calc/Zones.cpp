// Zones, zone faces, radiation nodes and air conductances of a calculation.
#include "novelk/model/calc/Zones.h"

#include "common/kernels/RadiationZones.h"
#include "common/kernels/ViewFactorFile.h"
#include "common/kernels/ViewFactorZone.h"
#include "novelk/model/calc/NodeNumbering.h"
#include "novelk/model/store/ColourQueries.h"
#include "novelk/model/store/Errors.h"
#include "novelk/model/store/TempFiles.h"

#include <algorithm>
#include <new>

namespace novelk {

namespace {

// The location a model-check message names: the cell, or in row, column and
// layer numbering the doubled indices of the table views.
ErrorLocation Location(const ModelStore& m, const kernels::CavityFault& f)
{
    if (m.rcl != 0)
        return {2 * f.i + 1, 2 * f.j + 1, 2 * (int(m.axes[2].n) - f.k) + 1, true};
    return {f.i, f.j, f.k, false};
}

void RaiseCavityFault(const ModelStore& m, const kernels::CavityFault& f)
{
    switch (f.error) {
    case kernels::CavityError::None:
        return;
    case kernels::CavityError::SeparatedZones:
        throw EngineError::ModelCheck(ErrorCode::SeparatedZones, f.colour, Location(m, f));
    case kernels::CavityError::DifferentBcTypes:
        throw EngineError::ModelCheck(ErrorCode::DifferentBcTypes, f.colour, Location(m, f));
    case kernels::CavityError::TransparentBesideVoid:
        throw EngineError::ModelCheck(ErrorCode::TransmatBesideVoid, f.colour, Location(m, f));
    }
}

// Novelk's face lines carry no orientation.
constexpr kernels::ViewFactorFileFormat kFileFormat{false};

} // namespace

int BuildZoneFaces(const ModelStore& m, RunState& run, bool skipSolarFree, EngineHost& host)
{
    CalcArrays& c = run.calc;
    c.zones.clear();
    c.zoneOfColour = NoZones();
    const kernels::CellGrid cells = CellGridOf(run);
    const std::array<int, kColourCount> types = ColourTypes(m);
    try {
        const kernels::RadiationZoneMap map =
            kernels::FindRadiationZones(cells, types, !skipSolarFree, [&host] { CheckEscAbort(host); });
        RaiseCavityFault(m, map.fault);
        if (map.zoneCount == 0)
            return 0;
        c.zones.resize(std::size_t(map.zoneCount));
        for (int colour = 0; colour < kColourCount; ++colour) {
            const ColourRecord& r = m.colours[std::size_t(colour)];
            const int z = map.zoneOfColour[std::size_t(colour)];
            if (!r.inUse || z < 0)
                continue;
            c.zoneOfColour[std::size_t(colour)] = z;
            CavityZone& zone = c.zones[std::size_t(z)];
            zone.type = r.type;
            if (r.type == BC_FREE || r.type == BC_FRE_S)
                zone.airHeatInput += r.qConvective;
        }
        kernels::GridCoordinates coordinates;
        for (std::size_t a = 0; a < 3; ++a)
            coordinates[a] = std::span<const float>(m.axes[a].coords.data(), m.axes[a].n);
        const double grun = m.gridUnit;
        const kernels::ZoneFaces collected = kernels::CollectZoneFaces(cells, coordinates, types, map, grun * grun);
        RaiseCavityFault(m, collected.fault);
        for (std::size_t z = 0; z < collected.zones.size(); ++z) {
            std::vector<ZoneFace>& faces = c.zones[z].faces;
            faces.reserve(collected.zones[z].size());
            for (const kernels::CollectedFace& from : collected.zones[z]) {
                ZoneFace f;
                f.geometry = from.geometry;
                for (std::size_t a = 0; a < 3; ++a)
                    f.cell[a] = static_cast<std::uint16_t>(std::max(from.cell[a], 0));
                f.solidColour = static_cast<std::uint8_t>(from.ownerColour);
                f.cavityColour = static_cast<std::uint8_t>(from.zoneColour);
                f.area = from.area;
                f.points = from.corners;
                for (std::size_t q = 0; q < 4; ++q)
                    f.corners[q] = GetNodeIndex(run, from.corners[q][0], from.corners[q][1], from.corners[q][2]);
                faces.push_back(f);
            }
        }
        return map.zoneCount;
    } catch (const std::bad_alloc&) {
        throw EngineError::Memory();
    }
}

void ReadViewFactorFile(const ModelStore& m, RunState& run)
{
    CalcArrays& c = run.calc;
    c.radiationNodes.clear();
    c.fileZones.clear();
    // Without a data file there is no file beside it to fall back on.
    std::string path = SelectViewFactorFile(m.dataFilePath);
    if (path.empty())
        path = "tmp.vwf";
    try {
        kernels::ViewFactorFileData data;
        const kernels::ViewFactorReadResult result = kernels::ReadViewFactorFile(path, kFileFormat, data);
        if (result.status == kernels::ViewFactorReadStatus::NotOpened)
            throw EngineError::FileOpen(path);
        if (result.status == kernels::ViewFactorReadStatus::Syntax)
            throw EngineError::Syntax(path, result.line);
        c.fileZones.reserve(data.zones.size());
        for (kernels::ViewFactorFileZone& z : data.zones)
            c.fileZones.push_back({z.firstFace, z.faceCount, std::move(z.matrix)});
        c.radiationNodes.reserve(data.faces.size());
        for (const kernels::ViewFactorFileFace& f : data.faces) {
            RadiationNode n;
            n.box = f.geometry;
            n.cavityColour = static_cast<std::uint8_t>(f.zoneColour);
            n.solidColour = static_cast<std::uint8_t>(f.ownerColour);
            n.area = f.area;
            n.remainder = f.unseen;
            n.index = f.localIndex;
            n.fileZone = f.zone;
            c.radiationNodes.push_back(n);
        }
        c.zonesRead = true;
    } catch (const std::bad_alloc&) {
        c.radiationNodes.clear();
        c.fileZones.clear();
        throw EngineError::Memory();
    }
}

void AssignFacesToRadiationNodes(RunState& run)
{
    CalcArrays& c = run.calc;
    std::vector<kernels::ViewFactorFace> boxes;
    boxes.reserve(c.radiationNodes.size());
    for (RadiationNode& n : c.radiationNodes) {
        n.linkedFaces = 0;
        boxes.push_back(n.box);
    }
    for (CavityZone& zone : c.zones) {
        zone.fileZone = -1;
        if (zone.type == BC_FRE_S)
            continue;
        std::vector<kernels::ViewFactorFace> faces;
        faces.reserve(zone.faces.size());
        for (const ZoneFace& f : zone.faces)
            faces.push_back(f.geometry);
        const std::vector<int> links = kernels::MatchFileFaces(faces, boxes);
        for (std::size_t f = 0; f < zone.faces.size(); ++f) {
            const int link = links[f];
            // The zone belongs to the file zone of its first linked face; a
            // link into another file zone (the model changed since the
            // view-factor run) would couple two zones' unknowns.
            if (link >= 0 && zone.fileZone < 0)
                zone.fileZone = c.radiationNodes[std::size_t(link)].fileZone;
            const bool same = link >= 0 && c.radiationNodes[std::size_t(link)].fileZone == zone.fileZone;
            zone.faces[f].radiationNode = same ? link : -1;
            if (same)
                ++c.radiationNodes[std::size_t(link)].linkedFaces;
        }
    }
}

void CountRadiationCouplings(RunState& run, EngineHost& host)
{
    CalcArrays& c = run.calc;
    for (const FileZone& zone : c.fileZones) {
        const std::vector<int> partners = kernels::CountFacePartners(
            zone.factors, std::size_t(zone.nodeCount), [&host] { CheckEscAbort(host); });
        for (std::size_t i = 0; i < partners.size(); ++i)
            c.radiationNodes[std::size_t(zone.firstNode) + i].couplings = partners[i];
    }
}

void NumberZoneNodes(RunState& run)
{
    CalcArrays& c = run.calc;
    std::int64_t next = run.unknowns;
    for (CavityZone& zone : c.zones) {
        zone.firstRadiationNode = zone.airNode = zone.closureNode = -1;
        if (zone.type != BC_FRE_S && zone.fileZone >= 0) {
            zone.firstRadiationNode = next;
            next += c.fileZones[std::size_t(zone.fileZone)].nodeCount;
        }
        if (zone.type == BC_FREE || zone.type == BC_FRE_S)
            zone.airNode = next++;
        if (zone.type == BC_FREE || zone.type == TRANSMAT)
            zone.closureNode = next++;
    }
    run.unknowns = next;
}

void ComputeCavityAirConductances(const ModelStore& m, RunState& run)
{
    for (CavityZone& zone : run.calc.zones) {
        if (zone.type != BC_FREE && zone.type != BC_FRE_S)
            continue;
        double sum = 0;
        for (ZoneFace& f : zone.faces) {
            const ColourRecord& cavity = m.colours[f.cavityColour];
            const double h = zone.type == BC_FRE_S ? cavity.hGlobal : cavity.hConvective;
            const double g = m.colours[f.solidColour].lambda > 0 ? h * f.area * 0.25 : 0.0;
            f.airConductance = g != 0.0 ? -g : 0.0;
            sum += f.airConductance;
        }
        zone.airDiagonal = -4.0 * sum;
    }
}

void PrepareRadiationZones(const ModelStore& m, RunState& run, EngineHost& host)
{
    if (BuildZoneFaces(m, run, false, host) > 0) {
        const bool radiating = HasRadiatingColours(m);
        if (radiating) {
            ReadViewFactorFile(m, run);
            AssignFacesToRadiationNodes(run);
        }
        NumberZoneNodes(run);
        ComputeCavityAirConductances(m, run);
        if (radiating)
            CountRadiationCouplings(run, host);
    }
    long long pairs = 0;
    for (const FileZone& zone : run.calc.fileZones)
        pairs += static_cast<long long>(kernels::PackedSize(std::size_t(zone.nodeCount)));
    host.ShowViewFactorCount(pairs);
}

double FaceTemperature(const ModelStore& m, const RunState& run, const ZoneFace& f)
{
    double sum = 0;
    for (const std::int32_t c : f.corners)
        sum += GetNodeValue(m, run, c);
    return 0.25 * sum;
}

} // namespace novelk
