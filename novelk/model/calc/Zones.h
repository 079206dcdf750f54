// Radiation and cavity zones of a calculation: the face-connected regions
// of the cavity colours (BC_FREE, BC_SKY, BC_NOSKY, BC_FRE_S, TRANSMAT) in
// the cell raster, their faces towards the solid cells, the radiation nodes
// of the last view-factor run read back and linked to the faces, the zone
// unknowns behind the grid unknowns and the faces' air conductances.
#pragma once
#include "novelk/model/store/EngineHost.h"
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

#include <cstdint>

namespace novelk {

// Finds the zones of the raster (BC_FRE_S cavities too unless skipSolarFree)
// and collects their faces with the node numbers of their corners into the
// run's zones; the zone type comes from the colours, their qcon summed into
// the air heat input. The model checks end in EngineError 4 (a colour in
// separated regions), 5 (a zone touching a boundary colour of another type)
// or 7 (TRANSMAT beside void) naming the colour and a cell. Returns the
// number of zones.
int BuildZoneFaces(const ModelStore& m, RunState& run, bool skipSolarFree, EngineHost& host);

// Reads the view-factor file ("tmp.vwf", else the data file's ".vwf") into
// the run's radiation nodes and file zones. EngineError FileOpen when there
// is none, Syntax at a bad line, Memory when the tables cannot be had.
void ReadViewFactorFile(const ModelStore& m, RunState& run);

// Links every face of the zones but BC_FRE_S ones to the first radiation
// node whose box holds its centre; a zone takes the file zone of its first
// linked face, and a face that would link into another file zone stays
// unlinked.
void AssignFacesToRadiationNodes(RunState& run);
// The non-zero exchange entries of each radiation node's row and column.
void CountRadiationCouplings(RunState& run, EngineHost& host);
// Gives every zone its unknowns behind the present ones: its radiation
// nodes (zones but BC_FRE_S with a file zone), its air node (BC_FREE,
// BC_FRE_S), its closure node (BC_FREE, TRANSMAT).
void NumberZoneNodes(RunState& run);
// g = h A / 4 of every face of the BC_FREE (h = hcon) and BC_FRE_S (h = hglo)
// zones, h of the face's cavity colour, stored negated; 0 for a face whose
// solid colour conducts nothing (it has no surface term either). The zone's
// air diagonal is 4 times the sum of the g.
void ComputeCavityAirConductances(const ModelStore& m, RunState& run);
// The whole zone set-up of a calculation, before the matrix structure.
void PrepareRadiationZones(const ModelStore& m, RunState& run, EngineHost& host);

// The mean of the values of the face's four corner nodes.
double FaceTemperature(const ModelStore& m, const RunState& run, const ZoneFace& f);

// The unknown of the radiation node a face is linked to; -1 when none.
inline std::int64_t RadiationNodeUnknown(const RunState& run, const CavityZone& zone, const ZoneFace& f)
{
    if (f.radiationNode < 0 || zone.firstRadiationNode < 0)
        return -1;
    return zone.firstRadiationNode + run.calc.radiationNodes[std::size_t(f.radiationNode)].index;
}

// Calls link(a, b) for every coupling of the zone unknowns: face corners
// with their radiation node and (BC_FREE, BC_FRE_S) with the air node, pairs
// of radiation nodes with a non-zero exchange factor, radiation nodes with a
// remainder and the closure node. Polls Esc every 10000 links.
template <class Link> void ForEachZoneLink(const RunState& run, Link&& link, EngineHost& host)
{
    long long count = 0;
    auto add = [&](std::int64_t a, std::int64_t b) {
        link(a, b);
        if (++count % 10000 == 0)
            CheckEscAbort(host);
    };
    for (const CavityZone& zone : run.calc.zones) {
        const bool air = zone.airNode >= 0;
        for (const ZoneFace& f : zone.faces) {
            const std::int64_t r = zone.type == BC_FRE_S ? -1 : RadiationNodeUnknown(run, zone, f);
            for (const std::int32_t c : f.corners) {
                if (c < 0)
                    continue;
                if (r >= 0)
                    add(c, r);
                if (air && f.airConductance != 0.0)
                    add(c, zone.airNode);
            }
        }
        if (zone.fileZone < 0 || zone.firstRadiationNode < 0)
            continue;
        const FileZone& file = run.calc.fileZones[std::size_t(zone.fileZone)];
        std::size_t p = 0;
        for (int i = 1; i < file.nodeCount; ++i)
            for (int j = 0; j < i; ++j, ++p)
                if (file.factors[p] != 0.0)
                    add(zone.firstRadiationNode + i, zone.firstRadiationNode + j);
        if (zone.closureNode >= 0)
            for (int i = 0; i < file.nodeCount; ++i)
                if (run.calc.radiationNodes[std::size_t(file.firstNode + i)].remainder != 0.0)
                    add(zone.firstRadiationNode + i, zone.closureNode);
    }
}

} // namespace novelk
