// Zones and faces of the store's model, over the cell raster.
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/store/EngineHost.h"

#include "gelmar/model/radiation/CavityChecks.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"

#include <algorithm>

namespace gelmar {

void FreeRadiation(RunState& run)
{
    RadiationSet& r = run.radiation;
    std::vector<RadiationZone>().swap(r.zones);
    std::vector<RadiationZone>().swap(r.fileZones);
    std::vector<RadiatingFace>().swap(r.fileFaces);
    r.extraRows = 0;
}

std::array<int, 256> ColourTypes(const ModelStore& model)
{
    std::array<int, 256> types{};
    for (std::size_t c = 0; c < types.size(); ++c)
        types[c] = model.colours[c].type;
    return types;
}

int CollectRadiatingFaces(ModelStore& model, RunState& run, EngineHost& host, const kernels::CellGrid& cells, bool forViewFactors)
{
    FreeRadiation(run);
    RadiationSet& r = run.radiation;
    r.zoneOfColour.fill(-1);
    r.airNode.fill(-1);
    r.convectionSum.fill(0.0);
    const std::array<int, 256> types = ColourTypes(model);
    const kernels::RadiationZoneMap map =
        kernels::FindRadiationZones(cells, types, !forViewFactors, [&host] { CheckEscAbort(host); });
    RaiseCavityFault(model, map.fault);
    CheckEscAbort(host);
    r.zoneOfColour = map.zoneOfColour;
    r.zones.resize(static_cast<std::size_t>(map.zoneCount));
    if (map.zoneCount == 0)
        return 0;
    InitRadiationZones(model, run);

    kernels::GridCoordinates coordinates;
    for (int a = 0; a < 3; ++a) {
        const GridAxis& axis = model.axes[static_cast<std::size_t>(a)];
        coordinates[static_cast<std::size_t>(a)] =
            std::span<const float>(axis.coords.data(), std::min<std::size_t>(axis.n, axis.coords.size()));
    }
    kernels::ZoneFaces collected = kernels::CollectZoneFaces(cells, coordinates, types, map, r.areaScale);
    RaiseCavityFault(model, collected.fault);
    for (std::size_t z = 0; z < collected.zones.size(); ++z) {
        RadiationZone& zone = r.zones[z];
        zone.faces.reserve(collected.zones[z].size());
        for (const kernels::CollectedFace& c : collected.zones[z]) {
            RadiatingFace f;
            f.geometry = c.geometry;
            for (int a = 0; a < 3; ++a)
                f.cell[static_cast<std::size_t>(a)] = static_cast<std::uint16_t>(std::max(c.cell[a], 0));
            f.zoneColour = static_cast<std::uint8_t>(c.zoneColour);
            f.ownerColour = static_cast<std::uint8_t>(c.ownerColour);
            f.area = c.area;
            f.cornerPoints = c.corners;
            f.localIndex = static_cast<int>(zone.faces.size());
            f.zone = static_cast<int>(z);
            zone.faces.push_back(f);
        }
    }
    return map.zoneCount;
}

void InitRadiationZones(ModelStore& model, RunState& run)
{
    RadiationSet& r = run.radiation;
    for (RadiationZone& zone : r.zones) {
        zone.airNodes = 0;
        zone.commonAirNode = -1;
    }
    for (std::size_t c = 0; c < r.zoneOfColour.size(); ++c) {
        const ColourRecord& colour = model.colours[c];
        const int z = r.zoneOfColour[c];
        if (!colour.inUse || z < 0 || static_cast<std::size_t>(z) >= r.zones.size())
            continue;
        RadiationZone& zone = r.zones[static_cast<std::size_t>(z)];
        r.airNode[c] = -1;
        zone.type = colour.type;
        if (zone.type != BC_FREE && zone.type != BC_FRE_S)
            continue;
        if (colour.unlinked) {
            ++zone.airNodes;
            r.convectionSum[c] = 0;
        } else if (zone.commonAirNode != -2) {
            ++zone.airNodes;
            zone.commonAirNode = -2;
            zone.commonConvection = 0;
        }
    }
    r.areaScale = static_cast<double>(model.gridUnit) * static_cast<double>(model.gridUnit);
}

void AssignCornerNodes(RunState& run, const std::function<int(int, int, int)>& nodeOf)
{
    for (RadiationZone& zone : run.radiation.zones)
        for (RadiatingFace& f : zone.faces)
            for (std::size_t c = 0; c < 4; ++c)
                f.cornerNodes[c] = nodeOf(f.cornerPoints[c][0], f.cornerPoints[c][1], f.cornerPoints[c][2]);
}

void AdvanceZoneConvection(RunState& run)
{
    for (RadiationZone& zone : run.radiation.zones)
        if (zone.type == BC_FREE || zone.type == BC_FRE_S)
            for (RadiatingFace& f : zone.faces)
                f.convectionPrevious = f.convection;
}

std::vector<kernels::ViewFactorFace> FaceGeometry(const std::vector<RadiatingFace>& faces)
{
    std::vector<kernels::ViewFactorFace> geometry;
    geometry.reserve(faces.size());
    for (const RadiatingFace& f : faces)
        geometry.push_back(f.geometry);
    return geometry;
}

std::vector<double> FaceAreas(const std::vector<RadiatingFace>& faces)
{
    std::vector<double> areas;
    areas.reserve(faces.size());
    for (const RadiatingFace& f : faces)
        areas.push_back(f.area);
    return areas;
}

} // namespace gelmar
