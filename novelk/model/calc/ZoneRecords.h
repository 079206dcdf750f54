// The records of the radiation and cavity zones of a calculation: the zones
// found in the cell raster with their faces, and the radiation nodes read
// back from the view-factor file with the exchange tables of their zones.
// Each zone adds unknowns behind the grid unknowns, in zone order: its
// radiation nodes, then its air node (BC_FREE, BC_FRE_S), then its closure
// node (BC_FREE, TRANSMAT); a BC_FRE_S zone has only its air node.
#pragma once
#include "common/kernels/ViewFactor.h"

#include <array>
#include <cstdint>
#include <vector>

namespace novelk {

// One cell face between a zone and a solid cell (or, for a TRANSMAT zone, a
// face of the zone on the grid's outer boundary).
struct ZoneFace {
    kernels::ViewFactorFace geometry{}; // bounds in grid coordinates, orientation 0..5 (solid cell -> zone cell)
    std::uint16_t cell[3] = {};         // the solid cell (negative indices kept as 0)
    std::uint8_t solidColour = 0;
    std::uint8_t cavityColour = 0;
    double area = 0;                              // m2
    double airConductance = 0;                    // W/K per corner, stored negative; 0 for none
    std::array<std::int32_t, 4> corners{};        // node numbers, in cyclic order around the face
    std::array<std::array<int, 3>, 4> points{};   // their grid points
    int radiationNode = -1;                       // index into the run's radiation nodes; -1 none
};

struct CavityZone {
    int type = -1; // the colour type of all its cells
    std::vector<ZoneFace> faces;
    int fileZone = -1;       // the file zone its first face links it to; -1 none
    float airHeatInput = 0;  // summed qcon of its colours, W (BC_FREE, BC_FRE_S)
    double airDiagonal = 0;  // 4 x the sum of the face air conductances
    // Unknowns of the zone (-1 none): its first radiation node, air node and
    // closure node.
    std::int64_t firstRadiationNode = -1;
    std::int64_t airNode = -1;
    std::int64_t closureNode = -1;
};

// One face record of the view-factor file.
struct RadiationNode {
    kernels::ViewFactorFace box{}; // bounds (one axis collapsed)
    std::uint8_t cavityColour = 0;
    std::uint8_t solidColour = 0;
    double area = 0;      // m2
    double remainder = 0; // 1 - the sum of its view factors
    int couplings = 0;    // non-zero exchange entries in its row and column
    int linkedFaces = 0;  // zone faces linked to it
    int index = 0;        // within its file zone
    int fileZone = 0;
};

// A zone of the view-factor file.
struct FileZone {
    int firstNode = 0; // index of its first radiation node
    int nodeCount = 0;
    // Packed view factors F_rs, r > s, at (r-1)r/2 + s.
    std::vector<double> factors;
};

} // namespace novelk
