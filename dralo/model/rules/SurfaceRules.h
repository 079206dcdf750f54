// Rule-based thermal properties. A colour with a rule takes derived values
// instead of fixed ones: the surface rules set a boundary colour's `hglo`
// (7.7, 5.0 or 25.0 W/(m².K)); the CEN rules turn an air cavity into an
// equivalent conductivity (EQUIMAT, TRANSMAT) or give a cavity boundary
// (BC_FREE, BC_SKY, BC_NOSKY) its convective coefficient `hcon`, from the
// cavity's size and temperature difference. Run after edits with assumed
// temperatures and between calculation cycles with those of the solution.
#pragma once
#include "dralo/model/store/BitmapModel.h"

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace dralo {

// Mesh nodes in 1/16 pixel.
using MeshPoint = std::pair<std::int32_t, std::int32_t>;
// What the calculation provides of its last mesh for a colour's cavity: for
// EQUIMAT and TRANSMAT the corners of the colour's triangles that lie on
// its boundary, for BC_FREE the nodes of its boundary segments.
using CavityBoundaryNodes = std::function<void(int colour, std::vector<MeshPoint>& nodes)>;

// Recomputes the derived values of every present colour with a rule; true
// when any value moved. withSolution: between calculation cycles, with the
// solution's temperatures (when `usol` is set and the colour has some), flow
// directions and, when given, the mesh nodes; else ΔT = `dtas` and Tm = 10 °C.
bool ApplySurfaceRules(BitmapModel& m, bool withSolution, const CavityBoundaryNodes* nodes = nullptr);
// With the solution's main flow axis, EQUIMAT colours swap the X and Y
// variants of their rules; true when a rule changed.
bool UpdateRuleOrientation(BitmapModel& m);
// A present colour other than MATERIAL, BC_SIMPL and BC_FRE_S has a rule.
bool HasLongWaveColours(const BitmapModel& m);

// The working values of one cavity computation.
struct CavityTemperatures {
    double deltaT = 0, mean = 0; // ΔT, K; Tm, °C
};
struct CavityDimensions {
    double b = 0, d = 0; // m
    bool valid = false;  // false for a cavity without extent (nothing is derived)
};
struct CavityValues {
    double ha = 0;     // convective/conductive coefficient, W/(m².K)
    double hr = 0;     // radiative coefficient (EQUIMAT), W/(m².K)
    double lambda = 0; // equivalent conductivity, W/(m.K)
    bool valid = false;
};

// ΔT and Tm from the colour's solution temperatures; false when it has none.
bool ComputeCavityTemperatures(const BitmapModel& m, int colour, CavityTemperatures& t);
CavityDimensions ComputeCavityDimensions(BitmapModel& m, int colour, bool withSolution,
                                         const CavityBoundaryNodes* nodes, double deltaT);
CavityValues ComputeCavityConductivity(BitmapModel& m, int colour, const CavityTemperatures& t, bool withSolution,
                                       const CavityBoundaryNodes* nodes);
// Sides of the cavity's bounding box (top and bottom for the X variants,
// left and right for the Y variants) along which no pixel of the colour has
// an active neighbour outside; a side on the bitmap border counts when `bsym`
// is set. 0 for rules other than 1..4.
int CountAdiabaticCavitySides(const BitmapModel& m, int colour);
// Stores λ (EQUIMAT, TRANSMAT: `lamb`) or h_a (others: `hcon`) when it moved
// by more than 0.0001 or 0.001; true when it did.
bool StoreRuleResult(BitmapModel& m, int colour, const CavityValues& v);

} // namespace dralo
