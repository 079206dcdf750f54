// The radiation zones in the node equations: the rows they add behind the
// grid nodes (radiosity rows of the file faces matched to the zone, air
// nodes, the extra node of the unseen remainder), the slots and links of
// those rows in the matrix pattern, and the zone's radiation terms built
// from the store for ZoneRadiation's assembly.
#pragma once
#include "common/kernels/ZoneRadiation.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace gelmar {

struct ModelStore;
struct RunState;

struct RadiationZone;

// Rows of one zone.
struct ZoneRows {
    int firstRadiosity = -1; // row of its file zone's first face; -1 none
    int radiosityCount = 0;  // faces of that file zone
    int commonAir = -1;      // the zone's common air node
    int extra = -1;          // extra node of a BC_FREE or TRANSMAT zone
};

// Numbers the zones' rows from firstRow on, zone by zone: the radiosity rows
// (zones but BC_FRE_S), then the air nodes (BC_FREE and BC_FRE_S: the common
// one, then the own ones of the zone's unlinked colours in colour order),
// then the extra node (BC_FREE and TRANSMAT). Sets the colours' air nodes in
// run.radiation.airNode. Uses run.radiation.extraRows rows in all.
std::vector<ZoneRows> NumberZoneRows(ModelStore& model, RunState& run, int firstRow);

// The air node of a zone colour: its own when it has one, else its zone's
// common one; -1 when it has none.
int AirNodeOfColour(RunState& run, int colour, const std::vector<ZoneRows>& rows);

// Slots of the zone rows, in row order: a radiosity row its partners + 4 per
// model face matched to it + 1; an air node 4 per model face of its zone; the
// extra node one per file face. (Air nodes count the zone's model faces, whose
// corners they link, so no link is dropped for want of a slot.)
std::vector<int> ZoneRowSlots(RunState& run, const std::vector<ZoneRows>& rows);

// Every link of the zone rows: corners to their face's radiosity row,
// corners of BC_FREE and BC_FRE_S faces to the air node, radiosity rows of
// pairs with a non-zero factor, radiosity rows with a remainder to the extra
// node. addPair(a, b) stores the link both ways.
void AddZonePatternPairs(RunState& run, const std::vector<ZoneRows>& rows, const std::function<void(int, int)>& addPair);

// The radiation terms of zone z as AssembleZoneRadiation takes them.
// emissivity(colour, level) and skyTemperature(colour, level) give a colour's
// emissivity and radiant temperature at level 0 (current) or 1 (previous).
struct ZoneRadiationTerms {
    std::vector<kernels::RadiosityFace> faces;
    std::vector<kernels::RadiosityNode> nodes;
    kernels::ZoneRadiationInput settings; // all but the faces and nodes
    // The input over this object's faces and nodes.
    kernels::ZoneRadiationInput Input() const
    {
        kernels::ZoneRadiationInput in = settings;
        in.faces = faces;
        in.nodes = nodes;
        return in;
    }
};
ZoneRadiationTerms
BuildZoneRadiationTerms(RunState& run, std::size_t z, const ZoneRows& rows, const kernels::RadiationLaw& law, bool transient,
                        const std::function<double(int colour, int level)>& emissivity,
                        const std::function<double(int colour, int level)>& skyTemperature);

// Convection of a BC_FREE or BC_FRE_S zone to its air nodes: the corners of
// all its faces (also those without a radiosity row, whose surface terms
// count on their air as every other face's do) coupled to the air node of
// their cavity colour, the common air node's conductance,
// the unlinked colours' own conductances, and every used colour's convective
// heat input qcon(colour, level) at both levels. Colours whose air
// temperature is fixed (airFixed) take no part. Nothing for other zones.
void AssembleZoneConvection(ModelStore& model, RunState& run, std::size_t z, const std::vector<ZoneRows>& rows, const kernels::NodeValue& value,
                            bool transient, const std::function<bool(int colour)>& airFixed,
                            const std::function<double(int colour, int level)>& qcon,
                            kernels::EquationSink& sink);

// A line of the heat-flow file: a face and the heat-flow density from the
// cavity into it (W/m2).
struct FaceHeatFlow {
    std::uint16_t i = 0, j = 0, k = 0; // the face's cell
    std::uint8_t direction = 0;        // its orientation 0..5
    double density = 0;
};

// The heat flows of the faces with a radiosity row in the zones of types
// BC_FREE, BC_SKY and BC_NOSKY, in zone and face order, from the node
// values at level 0: radiation through the face's surface resistance (its
// solid colour's emissivity), convection with the cavity colour's h to the
// air node (BC_FREE) or the cavity colour's air temperature, and the solid
// colour's flux.
std::vector<FaceHeatFlow> ZoneFaceHeatFlows(ModelStore& model, RunState& run, const std::vector<ZoneRows>& rows,
                                            const kernels::NodeValue& value,
                                            const kernels::RadiationLaw& law);

} // namespace gelmar
