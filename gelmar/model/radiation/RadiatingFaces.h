// Radiation zones and radiating faces of the model in the store: the zones
// (cavities of one radiating colour type) found in the cell raster, their
// faces with areas and corner points, the colours' air-node data, and the
// zones read back from the view-factor file. They live from the start of a
// run until FreeRadiation.
#pragma once
#include "common/kernels/RadiationZones.h"
#include "common/kernels/ViewFactor.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace gelmar {

class EngineHost;
struct ModelStore;
struct RunState;

struct RadiatingFace {
    kernels::ViewFactorFace geometry{};               // bounds in grid coordinates, orientation 0..5
    std::array<std::uint16_t, 3> cell{};              // owning cell (a negative index kept as 0)
    std::uint8_t zoneColour = 0;                      // colour of the cavity cell the face looks into
    std::uint8_t ownerColour = 0;                     // colour of the owning cell
    double area = 0;                                  // m2
    double unseen = 0;                                // 1 - the sum of its view factors
    double convection = 0;                            // -h*A/4, the coupling of each corner to the air node
    double convectionPrevious = 0;                    // the same of the previous time step
    int partners = 0;                                 // faces with a non-zero view factor to it (file faces)
    std::array<std::array<int, 3>, 4> cornerPoints{}; // grid points, in order around the face
    std::array<int, 4> cornerNodes{-1, -1, -1, -1};   // their node numbers
    int fileFace = -1;                                // matching file face (index into the file faces)
    int matchedCount = 0;                             // model faces matched to this file face
    int localIndex = 0;                               // index within its zone
    int zone = 0;                                     // index of its zone
};

struct RadiationZone {
    int type = -1;                    // colour type of its colours
    int firstFace = 0;                // file zones: index of its first face among all file faces
    int faceCount = 0;                // file zones: its number of faces
    int airNodes = 0;                 // BC_FREE and BC_FRE_S zones
    int commonAirNode = -1;           // -1 none yet, -2 the zone has one common air node
    double commonConvection = 0;      // h*A sum of the common air node
    std::vector<RadiatingFace> faces; // model zones: their faces
    // Packed lower triangle, entry (i, j), j < i, at i(i-1)/2 + j: A*F while
    // computed, then the view factor from face i to face j.
    std::vector<double> matrix;
};

constexpr std::array<int, 256> kNoColourNumbers = [] {
    std::array<int, 256> a{};
    a.fill(-1);
    return a;
}();

struct RadiationSet {
    std::vector<RadiationZone> zones;                     // of the model
    std::vector<RadiationZone> fileZones;                 // read back from the view-factor file
    std::vector<RadiatingFace> fileFaces;                 // all file faces, in file order
    std::array<int, 256> zoneOfColour = kNoColourNumbers; // -1: none
    std::array<int, 256> airNode = kNoColourNumbers;      // -1 until the assembly numbers it
    std::array<double, 256> convectionSum{};              // h*A of an unlinked colour's own air node
    double areaScale = 1.0;                               // grun squared
    int extraRows = 0;                                    // equation rows of the zones behind the grid nodes
    // The view-factor run's progress: the zone under way and the pairs
    // computed in it.
    std::size_t progressZone = 0;
    std::size_t progressPairsDone = 0;
};

// Frees zones, faces, matrices and file data. The colours' zone numbers
// stay: the output windows read them after a run.
void FreeRadiation(RunState& run);

// The colour types of all 256 colours of the store.
std::array<int, 256> ColourTypes(const ModelStore& model);

// Finds the zones and collects their faces from the cell raster: cavities of
// the types BC_FREE, BC_SKY, BC_NOSKY and TRANSMAT, and BC_FRE_S unless
// forViewFactors is set. A cavity fault raises its code (4, 5 or 12) with the
// colour and cell for the message. Returns the zone count.
int CollectRadiatingFaces(ModelStore& model, RunState& run, EngineHost& host, const kernels::CellGrid& cells, bool forViewFactors);

// Resets the zones' air-node data and the colours', takes the zone types
// from the colours and sets the area scale.
void InitRadiationZones(ModelStore& model, RunState& run);

// Fills each face's corner node numbers from nodeOf(i, j, k).
void AssignCornerNodes(RunState& run, const std::function<int(int, int, int)>& nodeOf);

// End of a time step: every face of the BC_FREE and BC_FRE_S zones keeps
// its convective coupling as the previous level's.
void AdvanceZoneConvection(RunState& run);

// The zone's faces as the view-factor kernels see them, and their areas.
std::vector<kernels::ViewFactorFace> FaceGeometry(const std::vector<RadiatingFace>& faces);
std::vector<double> FaceAreas(const std::vector<RadiatingFace>& faces);

} // namespace gelmar
