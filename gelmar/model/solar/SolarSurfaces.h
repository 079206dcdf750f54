// The solar surfaces of a model: the colours that make a model solar and the
// one forbidden contact, the solar and shading faces taken from the visible
// faces of the whole model, the surface groups and sunlit-node records, how
// the sun strikes a face of each orientation, whether blocks of the model
// shade a point, and the fraction of the sky each surface group sees.
#pragma once
#include "gelmar/model/solar/SolarState.h"

#include <cstdint>
#include <span>
#include <string>

namespace gelmar {

class EngineHost;
struct RunState;

struct ModelStore;
struct WorkArrays;

// A used BC_SIMPL or BC_SKY colour with its solar-zone flag set.
bool IsSolarColour(ModelStore& model, int colour);
// MATERIAL or EQUIMAT.
bool IsSolidColour(ModelStore& model, int colour);

// Sets and returns the solar flag: true when a colour is solar.
bool HasSolarColours(ModelStore& model, RunState& run);
// With the solar flag set, stops the run with error 10 when an EQUIMAT cell
// has a solar neighbour; the error names both colours.
void CheckSolarContacts(ModelStore& model, RunState& run);

// The solar set-up of a run (only with solar colours): solar and shading
// faces, ray length and plane offset; with full also the surface groups and
// their sky-view fractions, the sunlit-node records (and their file), the
// node-source list and the diffuse reflection factors.
void PrepareSolarSurfaces(ModelStore& model, RunState& run, EngineHost& host, bool full);

void ComputeShadingRayLength(ModelStore& model, RunState& run);
void ComputeShadingPlaneOffset(ModelStore& model, RunState& run);
// The planes of the shading faces for IsRayBlocked (after the two above).
void BuildShadingPlanes(ModelStore& model, RunState& run);
void BuildSurfaceGroups(ModelStore& model, RunState& run, EngineHost& host);
void BuildSunlitNodeRecords(ModelStore& model, RunState& run, EngineHost& host);
void ComputeSkyViewFractions(ModelStore& model, RunState& run, EngineHost& host);

// The direction of a face of an orientation in the site frame: azimuth gamma
// (from south towards west, 0..360) and tilt beta (0 looking up, 90 a wall).
struct FaceDirection {
    float azimuth = 0;
    float tilt = 0;
};
FaceDirection SetFaceDirection(RunState& run, int orientation);
// Incidence cosine of the current sun on the face; sets the sun-visible
// flag, cleared when the cosine is negative.
float ComputeIncidence(RunState& run, const FaceDirection& face);
// True when a shading face lies on the ray from the point towards the sun.
bool IsRayBlocked(ModelStore& model, RunState& run, EngineHost& host, float x, float y, float z);


// Area-weighted mean flux of the sunlit-node records of one node, orientation
// and colour (records in the order the flux reader leaves them); 0 for none.
float GetSurfaceFlux(RunState& run, int i, int j, int k, int orientation, int colour);

// The absorbed solar flux density (W/m2) at a surface node, for the pictures:
// a binary search in the sunlit-surface table of the solar set-up (sorted by
// node, orientation and colour, as the flux reader leaves it), then the
// area-weighted mean of the entries of that node, orientation and colour; 0
// when none matches or the grid point has no calculation node.
float AbsorbedSolarFluxAtNode(std::span<const SunlitNodeRecord> records, std::int32_t node, int orientation,
                              int colour);
float AbsorbedSolarFluxAtNode(const SolarState& solar, const ModelStore& model, const WorkArrays& work, int i,
                              int j, int k, int orientation, int colour);

} // namespace gelmar
