// The solar part of a time step: irradiance on every surface group from the
// horizontal global and diffuse radiation and the sun position, the absorbed
// fluxes of the sunlit-node records, and the heat sources of the calculation
// nodes that the equation assembly adds.
//
// Coupling into the heat equations: after ComputeSolarFluxesForStep(t, n)
// the assembly adds, for every entry of SolarNodeSourceList(), the entry's
// power (W) to the right-hand side of the row of its node (the previous power
// is there for a scheme that weights the two ends of the step);
// SolarNodePower(node) gives one node's power, 0 for a node without solar.
#pragma once
#include "gelmar/model/solar/SolarState.h"
#include "gelmar/model/solar/SolarSurfaces.h"

#include <array>
#include <span>

namespace gelmar {

class EngineHost;
struct ModelStore;
struct RunState;

// A MATERIAL with transmission or an EQUIMAT: solar power passes through.
bool IsTransparentOrEquivalent(ModelStore& model, int colour);
// Reflection factor of a colour for direct sun at an incidence angle.
float SolarReflectionAt(ModelStore& model, RunState& run, int colour, float angleDegrees);
// The diffuse reflection factor of every solid colour, and the factors of
// the run per colour (a TRANSMAT colour reflects everything).
void SetDiffuseReflection(ModelStore& model, RunState& run);

// Beam irradiance normal to the sun from the horizontal beam B at altitude h
// (degrees) on a day: B / sin h, never above the extraterrestrial irradiance,
// which a sun near the horizon would otherwise overshoot without bound; 0 with
// the sun at or below the horizon.
float BeamNormalIrradiance(float beam, float altitude, int day);

struct FaceIrradiance {
    float direct = 0;
    float diffuse = 0;
    float ground = 0;
    float cosIncidence = 0;
};
// Direct, diffuse and ground-reflected irradiance (W/m2) on the group for
// horizontal global G and diffuse D; the group's shading bit records whether
// the sun reached it.
FaceIrradiance ComputeFaceIrradiance(ModelStore& model, RunState& run, EngineHost& host, SurfaceGroup& group, const FaceDirection& face, float global,
                                     float diffuse, int day);

// The solar part of the step at run time t; stepCounter 0 marks the first
// step of a run.
void ComputeSolarFluxesForStep(ModelStore& model, RunState& run, EngineHost& host, long long t, long long stepCounter);
// The absorbed fluxes of the surface groups into their records.
void AccumulateGroupFluxes(RunState& run, EngineHost& host);
// The record fluxes as powers of their nodes (spread through the depth of
// transparent solids).
void SolarNodeSources(ModelStore& model, RunState& run, EngineHost& host);
// The node-source list of the run: every node that can receive solar power.
void BuildSolarNodeList(ModelStore& model, RunState& run, EngineHost& host);
// The far grid point of the run of transparent cells behind a record's point.
std::array<int, 3> FindTransparentEnd(ModelStore& model, RunState& run, int i, int j, int k, int orientation, int corner);

// What the equation assembly reads.
std::span<const SolarNodeSource> SolarNodeSourceList(RunState& run);
float SolarNodePower(RunState& run, std::int32_t node);

} // namespace gelmar
