// Zone rows, their pattern and their radiation terms.
#include "gelmar/model/radiation/ZoneEquations.h"
#include "gelmar/model/calc/RunState.h"

#include "common/kernels/ViewFactorZone.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/radiation/ViewFactorFile.h"
#include "gelmar/model/store/ModelStore.h"

namespace gelmar {

namespace {

bool HasAirNodes(int type)
{
    return type == BC_FREE || type == BC_FRE_S;
}
bool HasExtraNode(int type)
{
    return type == BC_FREE || type == TRANSMAT;
}

// The radiosity row of a model face of zone z: the row of its linked file
// face when that face belongs to the zone's file zone.
int RadiosityRowOfFace(const RadiatingFace& f, const RadiationZone* file, const ZoneRows& rows)
{
    if (file == nullptr || f.fileFace < 0)
        return -1;
    const std::size_t link = static_cast<std::size_t>(f.fileFace);
    const int local = static_cast<int>(link) - file->firstFace;
    if (local < 0 || local >= file->faceCount)
        return -1;
    return rows.firstRadiosity + local;
}

} // namespace

std::vector<ZoneRows> NumberZoneRows(ModelStore& model, RunState& run, int firstRow)
{
    RadiationSet& r = run.radiation;
    std::vector<ZoneRows> rows(r.zones.size());
    int next = firstRow;
    for (std::size_t z = 0; z < r.zones.size(); ++z) {
        RadiationZone& zone = r.zones[z];
        ZoneRows& zr = rows[z];
        if (zone.type != BC_FRE_S) {
            if (const RadiationZone* file = MatchedFileZone(run, z)) {
                zr.firstRadiosity = next;
                zr.radiosityCount = file->faceCount;
                next += file->faceCount;
            }
        }
        if (HasAirNodes(zone.type)) {
            int left = zone.airNodes;
            if (zone.commonAirNode == -2 && left > 0) {
                zr.commonAir = next++;
                --left;
            }
            for (std::size_t c = 0; c < r.zoneOfColour.size() && left > 0; ++c) {
                if (r.zoneOfColour[c] == static_cast<int>(z) && model.colours[c].inUse &&
                    model.colours[c].unlinked) {
                    r.airNode[c] = next++;
                    --left;
                }
            }
        }
        if (HasExtraNode(zone.type))
            zr.extra = next++;
    }
    return rows;
}

int AirNodeOfColour(RunState& run, int colour, const std::vector<ZoneRows>& rows)
{
    const RadiationSet& r = run.radiation;
    if (colour < 0 || colour > 255)
        return -1;
    if (r.airNode[static_cast<std::size_t>(colour)] >= 0)
        return r.airNode[static_cast<std::size_t>(colour)];
    const int z = r.zoneOfColour[static_cast<std::size_t>(colour)];
    return z >= 0 && static_cast<std::size_t>(z) < rows.size() ? rows[static_cast<std::size_t>(z)].commonAir
                                                               : -1;
}

std::vector<int> ZoneRowSlots(RunState& run, const std::vector<ZoneRows>& rows)
{
    const RadiationSet& r = run.radiation;
    std::vector<int> slots;
    for (std::size_t z = 0; z < r.zones.size(); ++z) {
        const RadiationZone& zone = r.zones[z];
        const ZoneRows& zr = rows[z];
        if (const RadiationZone* file = zr.firstRadiosity >= 0 ? MatchedFileZone(run, z) : nullptr) {
            for (int i = 0; i < file->faceCount; ++i) {
                const RadiatingFace& f = r.fileFaces[static_cast<std::size_t>(file->firstFace + i)];
                slots.push_back(f.partners + 4 * f.matchedCount + 1);
            }
        }
        if (HasAirNodes(zone.type)) {
            for (int a = 0; a < zone.airNodes; ++a)
                slots.push_back(4 * static_cast<int>(zone.faces.size()));
        }
        if (HasExtraNode(zone.type))
            slots.push_back(zr.radiosityCount);
    }
    return slots;
}

void AddZonePatternPairs(RunState& run, const std::vector<ZoneRows>& rows, const std::function<void(int, int)>& addPair)
{
    const RadiationSet& r = run.radiation;
    for (std::size_t z = 0; z < r.zones.size(); ++z) {
        const RadiationZone& zone = r.zones[z];
        const ZoneRows& zr = rows[z];
        const RadiationZone* file = zr.firstRadiosity >= 0 ? MatchedFileZone(run, z) : nullptr;
        for (const RadiatingFace& f : zone.faces) {
            int target = -1;
            int air = -1;
            if (zone.type == BC_FRE_S) {
                air = AirNodeOfColour(run, f.zoneColour, rows);
            } else {
                target = RadiosityRowOfFace(f, file, zr);
                // Every face of a free cavity, with or without a radiosity
                // row, exchanges heat with its air: the air node's
                // conductance counts them all.
                if (zone.type == BC_FREE)
                    air = AirNodeOfColour(run, f.zoneColour, rows);
            }
            for (int n : f.cornerNodes) {
                if (n < 0)
                    continue;
                if (target >= 0)
                    addPair(n, target);
                if (air >= 0)
                    addPair(n, air);
            }
        }
        if (file == nullptr)
            continue;
        const std::size_t n = static_cast<std::size_t>(file->faceCount);
        for (std::size_t i = 1; i < n && file->matrix.size() >= kernels::PackedSize(n); ++i)
            for (std::size_t j = 0; j < i; ++j)
                if (file->matrix[kernels::PackedIndex(i, j)] != 0.0)
                    addPair(zr.firstRadiosity + static_cast<int>(i), zr.firstRadiosity + static_cast<int>(j));
        if (zr.extra >= 0) {
            for (std::size_t i = 0; i < n; ++i)
                if (r.fileFaces[static_cast<std::size_t>(file->firstFace) + i].unseen != 0.0)
                    addPair(zr.firstRadiosity + static_cast<int>(i), zr.extra);
        }
    }
}

ZoneRadiationTerms BuildZoneRadiationTerms(RunState& run, std::size_t z, const ZoneRows& rows,
                                           const kernels::RadiationLaw& law, bool transient,
                                           const std::function<double(int colour, int level)>& emissivity,
                                           const std::function<double(int colour, int level)>& skyTemperature)
{
    const RadiationSet& r = run.radiation;
    const RadiationZone& zone = r.zones.at(z);
    const RadiationZone* file = rows.firstRadiosity >= 0 ? MatchedFileZone(run, z) : nullptr;
    ZoneRadiationTerms terms;
    for (const RadiatingFace& f : zone.faces) {
        kernels::RadiosityFace face;
        face.row = RadiosityRowOfFace(f, file, rows);
        face.corners = f.cornerNodes;
        face.area = f.area;
        const bool same = f.ownerColour == f.zoneColour;
        for (int level = 0; level < 2; ++level)
            face.emissivity[level] = kernels::FaceEmissivity(emissivity(f.ownerColour, level), same);
        terms.faces.push_back(face);
    }
    if (file != nullptr) {
        for (int i = 0; i < file->faceCount; ++i) {
            const RadiatingFace& f = r.fileFaces[static_cast<std::size_t>(file->firstFace + i)];
            kernels::RadiosityNode node;
            node.row = rows.firstRadiosity + i;
            node.area = f.area;
            node.unseen = f.unseen;
            if (zone.type == BC_SKY)
                for (int level = 0; level < 2; ++level)
                    node.skyTemperature[level] = skyTemperature(f.zoneColour, level);
            terms.nodes.push_back(node);
        }
        terms.settings.factors = file->matrix;
    }
    terms.settings.remainder = zone.type == BC_SKY ? kernels::RemainderSink::Sky
                               : zone.type == BC_FREE || zone.type == TRANSMAT
                                   ? kernels::RemainderSink::ExtraNode
                                   : kernels::RemainderSink::None;
    terms.settings.extraRow = rows.extra;
    terms.settings.transient = transient;
    terms.settings.law = law;
    return terms;
}

void AssembleZoneConvection(ModelStore& model, RunState& run, std::size_t z, const std::vector<ZoneRows>& rows, const kernels::NodeValue& value,
                            bool transient, const std::function<bool(int colour)>& airFixed,
                            const std::function<double(int colour, int level)>& qcon,
                            kernels::EquationSink& sink)
{
    const RadiationSet& r = run.radiation;
    const RadiationZone& zone = r.zones.at(z);
    if (!HasAirNodes(zone.type))
        return;
    for (const RadiatingFace& f : zone.faces) {
        if (f.convection == 0.0 && f.convectionPrevious == 0.0)
            continue;
        const int air = AirNodeOfColour(run, f.zoneColour, rows);
        if (air < 0 || airFixed(f.zoneColour))
            continue;
        const double coefficient[2] = {f.convection, f.convectionPrevious};
        kernels::AddFaceConvection(sink, air, f.cornerNodes, coefficient, transient, value);
    }
    if (rows[z].commonAir >= 0)
        sink.AddDiagonal(rows[z].commonAir, zone.commonConvection);
    for (std::size_t c = 0; c < r.zoneOfColour.size(); ++c) {
        const int colour = static_cast<int>(c);
        if (r.zoneOfColour[c] != static_cast<int>(z) || !model.colours[c].inUse || airFixed(colour))
            continue;
        const int air = AirNodeOfColour(run, colour, rows);
        if (air < 0)
            continue;
        sink.AddRhs(air, qcon(colour, 0) + qcon(colour, 1));
        if (model.colours[c].unlinked && r.airNode[c] >= 0)
            sink.AddDiagonal(air, r.convectionSum[c]);
    }
}

std::vector<FaceHeatFlow> ZoneFaceHeatFlows(ModelStore& model, RunState& run, const std::vector<ZoneRows>& rows,
                                            const kernels::NodeValue& value, const kernels::RadiationLaw& law)
{
    const RadiationSet& r = run.radiation;
    std::vector<FaceHeatFlow> flows;
    for (std::size_t z = 0; z < r.zones.size(); ++z) {
        const RadiationZone& zone = r.zones[z];
        if (zone.type == BC_FRE_S || zone.type == TRANSMAT)
            continue;
        const RadiationZone* file = rows[z].firstRadiosity >= 0 ? MatchedFileZone(run, z) : nullptr;
        for (const RadiatingFace& f : zone.faces) {
            const int row = RadiosityRowOfFace(f, file, rows[z]);
            if (row < 0)
                continue;
            const ColourRecord& surface = model.colours[f.ownerColour];
            const ColourRecord& cavity = model.colours[f.zoneColour];
            double air = cavity.airTemperature;
            if (zone.type == BC_FREE) {
                const int airNode = AirNodeOfColour(run, f.zoneColour, rows);
                air = airNode >= 0 ? value(airNode, 0) : 0.0;
            }
            FaceHeatFlow flow;
            flow.i = f.cell[0];
            flow.j = f.cell[1];
            flow.k = f.cell[2];
            flow.direction = static_cast<std::uint8_t>(f.geometry.orientation & 7);
            flow.density = kernels::FaceHeatFlowDensity(surface.epsilon, value(row, 0),
                                                        kernels::FaceMeanTemperature(f.cornerNodes, value, 0),
                                                        law, cavity.hConvective, air, surface.flux);
            flows.push_back(flow);
        }
    }
    return flows;
}

} // namespace gelmar
