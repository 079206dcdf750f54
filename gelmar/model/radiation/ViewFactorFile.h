// The view-factor file: written by the view-factor run as "tmp.vwf", read
// back by every transient and solar-flux run and matched to the faces of the
// current model, and read for the text output's view-factor summary. Also
// the radiation set-up of a run that uses it.
//
// Lines (face numbers 1-based, running through all zones in zone order):
//   nzon=<zones>
//   zone=<zone> <faces>                      one per zone
//   nfac=<faces>
//   face=<n> <zone colour> <owner colour> <orientation> <area m2> <unseen>
//   box =<xmin> <xmax> <ymin> <ymax> <zmin> <zmax>   after its face line
//   vwfc=<i> <j> <F_ij>                      j < i, one zone, non-zero only
#pragma once
#include "common/kernels/RadiationZones.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace gelmar {

class EngineHost;
struct ModelStore;
struct RunState;

struct RadiationZone;

// "tmp.vwf" in the working folder when it exists, else the data-file path
// with "vwf" for its last three characters; also set as the shared path.
std::string SelectViewFactorFile(ModelStore& model);

// Writes "tmp.vwf" from the zones of run.radiation (plain view factors).
// Failure to write: error code 2.
void WriteViewFactorFile(RunState& run);

// Reads the file SelectViewFactorFile chooses into the file zones and faces
// of run.radiation. A file that cannot be opened: error code 2; a bad or
// missing line: error code 3 with the line (the file data are then cleared).
void ReadViewFactorFile(ModelStore& model, RunState& run);

// Links every face of the model zones (but BC_FRE_S zones) to the first
// file face whose box holds its centre.
void MatchFileFaces(RunState& run);
// The file zone of a model zone: the one of the file face its first face is
// linked to; nullptr when there is none.
const RadiationZone* MatchedFileZone(RunState& run, std::size_t zone);
// Convective coupling of each face of the BC_FREE and BC_FRE_S zones (0 for
// h*A = 0) and the air nodes' conductance sums.
void ComputeZoneConvection(ModelStore& model, RunState& run);
// Partner count of every file face.
void CountFacePartners(RunState& run, EngineHost& host);

// Radiation set-up of a transient or solar-flux run over the cell raster:
// zones and faces (BC_FRE_S included), the view-factor file and its
// matching when the model has radiating colours, the extra equation rows,
// the convective couplings and the partner counts. nodeOf gives the node
// number of a grid point for the faces' corners.
void LoadViewFactors(ModelStore& model, RunState& run, EngineHost& host, const kernels::CellGrid& cells, const std::function<int(int, int, int)>& nodeOf);

// View factors summed per pair of owner colours, for the text output.
struct ViewFactorSummary {
    std::vector<double> exchange;   // 256 x 256, A_i*F_ij at (from colour * 256 + to colour)
    std::array<double, 256> area{}; // radiating area per owner colour, m2
};
// Reads the summary from the file SelectViewFactorFile chooses; a missing
// file gives an empty summary quietly, a bad line raises the syntax error.
ViewFactorSummary ReadViewFactorSummary(ModelStore& model);

} // namespace gelmar
