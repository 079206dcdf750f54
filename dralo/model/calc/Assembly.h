// The finite-element system of the calculation over linear triangles: the
// node conditions of the borderline BCs, the structure of the sparse
// symmetric matrix, the assembly of the conduction, the surface heat
// transfer and heat flux of the border edges and the given heat inputs and
// temperatures, and its incomplete-Cholesky factor. The radiation nodes
// (behind the mesh points) add their couplings to the same structure and
// their terms to the same assembly.
#pragma once
#include "dralo/model/calc/RunState.h"
#include "dralo/model/store/BitmapModel.h"

namespace dralo {

class EngineHost;

// The length of a mesh segment, in 1/16 pixel: the plain difference along
// an axis, else Euclidean; 0 when its square is below 1e-6.
double SegmentLength(const MeshVertex& a, const MeshVertex& b);

// Cotangent and angle (radians) at each corner of a triangle, from its
// integer coordinates: cot = (d·f) / (d × f) for the sides d and f leaving
// the corner; the angle is π/2 for |cot| < 1e-6 and the third angle is π
// minus the other two. A triangle without area has cotangents 0.
struct CornerGeometry {
    double cot[3];
    float angle[3];
};
CornerGeometry TriangleCorners(const Mesh& mesh, const MeshTriangle& t);

// The node kinds, fixed temperatures and heat inputs of the valid
// borderline BCs on the mesh: a TEMP record fixes both nodes of every
// triangle side and border edge between its two colours, a FLUX record
// gives each of them its flux times half the length (not on border edges
// towards a TRANSMAT colour). Validates the records first.
void ApplyBorderlineBcs(BitmapModel& m, RunState& run, EngineHost& host);

// The matrix structure over run.equations rows, the first the mesh points:
// the pairs of every triangle and border edge. Polls Esc every 5001st item.
void BuildMatrixStructure(RunState& run, EngineHost& host);
// The matrix and right-hand side from the colours' present values; polls
// Esc every 1001st triangle and border edge.
void AssembleCoefficients(const BitmapModel& m, RunState& run, EngineHost& host);
void FactorIncompleteCholesky(RunState& run, EngineHost& host);

// The Esc poll of the kernels' loops, through the host.
kernels::EscCheck EscOf(EngineHost& host);

} // namespace dralo
