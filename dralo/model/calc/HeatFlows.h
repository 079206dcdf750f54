// The heat-flow results of a solution: the mean temperature-gradient
// direction of the colours whose rules depend on it, the heat-flow function
// at the triangle corners (whose contours are the heat-flow lines), the heat
// flow into and out of every boundary colour, and the largest heat-flux
// density at every mesh point; and the two files the outputs read back.
//
// "tmp.flw": D <points> <triangles> <border edges> <zones>; one
// T <v1> <v2> <v3> per triangle (the flow function at its corners, W/m;
// 0 0 0 for a triangle left out: TRANSMAT, or touching a node with a fixed
// temperature or a given heat input); one B <colour> <in> <out> per present
// colour other than MATERIAL and EQUIMAT (W/m).
// "tmp.flx": D <points>, then one N <W/m²> per mesh point.
#pragma once
#include "dralo/model/calc/RunState.h"
#include "dralo/model/rules/SurfaceRules.h"
#include "dralo/model/store/BitmapModel.h"

namespace dralo {

class EngineHost;

// Gradient vectors and flow axes of the EQUIMAT colours with a rule, the
// TRANSMAT colours of rule 1 and the BC_FREE colours of rule 4. Polls Esc
// every 3001st triangle.
void ComputeColourFlowDirections(BitmapModel& m, const RunState& run, EngineHost& host);

// The flow function at every triangle corner (a triangle's values in its own
// corner order), 0 for the triangles left out.
std::vector<std::array<double, 3>> ComputeFlowFunction(const BitmapModel& m, const RunState& run, EngineHost& host);
// Heat flow in and out of every present boundary colour from a heat
// balance of the present temperatures on the assembled system.
void ComputeBoundaryFlows(BitmapModel& m, RunState& run, EngineHost& host);
// The largest estimate of the heat-flux density at each mesh point, W/m².
std::vector<double> ComputeFluxDensities(const BitmapModel& m, const RunState& run, EngineHost& host);

// Compute and write "tmp.flw" and "tmp.flx" in the run's working folder; EngineError FileOpen when a
// file cannot be written.
void WriteFlowFile(BitmapModel& m, RunState& run, EngineHost& host);
void WriteFluxFile(const BitmapModel& m, const RunState& run, EngineHost& host);

// The mesh nodes of a cavity colour's boundary for the cavity rules: the
// corners of an EQUIMAT or TRANSMAT colour's triangles on the colour's
// outline, the ends of a BC_FREE colour's border edges. The run must
// outlive the function.
CavityBoundaryNodes MeshCavityNodes(const RunState& run);

} // namespace dralo
