// Solar power behind transparent solids and between the faces of radiation
// zones: the tables built once per run, the passes that follow transmitted
// and reflected power through glazing into the cavities behind it, and the
// linear system that exchanges the diffusely reflected power between the
// faces of every zone (and through glazing into neighbouring zones). The
// absorbed shares become fluxes of the sunlit-node records.
#pragma once
#include <cstdint>
#include <span>

namespace gelmar {

class EngineHost;
struct ModelStore;
struct RunState;

// Builds the zone-face list, the exchange numbers of the file faces, the
// transmission nodes and the links of the surface groups; nothing when no
// zone has a transparent solid.
void PrepareSolarExchange(ModelStore& model, RunState& run);

// The transmission pass of the step and the passes that follow it, until
// nothing is pending (or a bounded number of passes has run).
void DistributeSolarPower(ModelStore& model, RunState& run, EngineHost& host);
void TransmitSurfaceGroups(ModelStore& model, RunState& run, EngineHost& host);
bool HasPendingSolarPower(RunState& run);
void FollowTransmittedPatches(ModelStore& model, RunState& run, EngineHost& host);
void SpreadZoneReflection(RunState& run, EngineHost& host);
void SplitReceivedSolar(ModelStore& model, RunState& run, EngineHost& host);
void MapZoneFacePower(RunState& run, EngineHost& host);
void TransmitZoneFacePower(ModelStore& model, RunState& run, EngineHost& host);

// The zone face (entry of the zone-face list) whose cavity lies behind the
// run of transparent cells from a grid point's cell along the inward
// direction of the orientation; with node, also the transmission node at the
// far plane. -1 for none.
void FindFaceBeyond(ModelStore& model, RunState& run, int i, int j, int k, int orientation, int corner, int& face, int* node);
void DepositDirectPower(RunState& run, float power, int face, float x, float y, float z);
int FindNearestOpenFace(RunState& run, float x, float y, float z);
void DepositPatchAtNode(ModelStore& model, RunState& run, int node, float dx, float dy, float dz);

// The zone exchange of the step: solves for the diffuse power incident on
// every file face and maps its absorbed share to the records.
void SolveZoneExchange(RunState& run, EngineHost& host);
// The file face (exchange number) behind file face a across a transparent
// layer, -1 for none.
int FindFaceBehind(RunState& run, int a);
// Solves the n x (n + 1) system in place (column n: right-hand side, then
// the result); a zero pivot leaves its column, a zero diagonal gives 0.
void EliminateExchangeSystem(EngineHost& host, std::span<double> matrix, std::size_t n);

// View factor from file face a to file face b of a zone (0 for a = b).
double ZoneViewFactor(RunState& run, int zone, int a, int b);

} // namespace gelmar
