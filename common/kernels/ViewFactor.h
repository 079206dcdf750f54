// View factor of one pair of radiating faces of a cavity: the analytic value
// for two axis-aligned rectangles (or, in a model one cell thick along an
// axis, two line segments), scaled by the fraction of random rays between the
// faces that no other face of the zone blocks. The faces are explicit data;
// obstruction tests go through a box tree over them.
#pragma once
#include "common/kernels/BoxTree.h"
#include "platform/core/Random.h"

#include <array>
#include <cstdint>
#include <span>

namespace kernels {

// A radiating face as the view-factor kernels see it: the owning cell's
// extent collapsed onto the face's plane, in grid coordinates.
struct ViewFactorFace {
    std::array<float, 3> lo; // xmin, ymin, zmin
    std::array<float, 3> hi; // xmax, ymax, zmax
    int orientation;         // side of the owning solid cell: 0..5 = -x, +x, -y, +y, -z, +z
};

// How the number of rays of a pair follows from its larger view factor.
enum class RayRounding { Truncate, Nearest };

struct ViewFactorSettings {
    int rays = 100;         // rays per unit view factor
    float vwfc = 1e-4f;     // pairs whose two view factors are both below this give 0
    double grun = 1.0;      // metres per grid unit
    int thinAxis = -1;      // -1: rectangles; 0, 1, 2: the axis with a single cell (segment formulas)
    double thinWidth = 0.0; // width of that single cell, grid units
    RayRounding rounding = RayRounding::Truncate;
};

// The axis along which a grid of nx x ny x nz cells is one cell thick, tested
// z first, then y, then x; -1 when there is none.
int SelectThinAxis(int nx, int ny, int nz);

// Corner functions of the parallel (d: plane distance) and the perpendicular
// rectangle formulas, summed with signs over the sixteen corner combinations.
double RectangleFactorTermA(double a, double b, double d);
double RectangleFactorTermB(double a, double b, double c);

// Unobstructed A1*F12 of two rectangles in squared grid units; 0 when they
// lie on the same side or face away from each other.
double UnobstructedRectangleExchange(const ViewFactorFace& f1, const ViewFactorFace& f2);
// Unobstructed L1*F12 of the two faces seen as segments in the plane normal
// to thinAxis, in grid units (the crossed strings of the two whole
// segments); 0 when they cannot see each other.
double UnobstructedSegmentExchange(const ViewFactorFace& f1, const ViewFactorFace& f2, int thinAxis);

// The faces of one zone with a box tree over them (payload: face index).
class ObstructionScene {
  public:
    explicit ObstructionScene(std::span<const ViewFactorFace> faces);
    ObstructionScene(const ObstructionScene&) = delete;
    ObstructionScene& operator=(const ObstructionScene&) = delete;

    std::span<const ViewFactorFace> Faces() const { return m_faces; }
    // Number of rays out of n from face i to face j that no other face blocks.
    int EstimateUnobstructedFraction(std::size_t i, std::size_t j, int n, platform::Rand15& rng) const;

  private:
    std::span<const ViewFactorFace> m_faces;
    CFloatBoxTree m_tree;
};

// A*F of faces i and j in m2 (A the area of face i), obstruction included:
// the rectangle formulas when settings.thinAxis < 0, else the segment
// formulas times the thin cell's width.
double ComputeRectangleViewFactor(const ObstructionScene& scene, std::size_t i, std::size_t j,
                                  const ViewFactorSettings& settings, platform::Rand15& rng);
double ComputeFacePairViewFactor(const ObstructionScene& scene, std::size_t i, std::size_t j,
                                 const ViewFactorSettings& settings, platform::Rand15& rng);
double ComputePairViewFactor(const ObstructionScene& scene, std::size_t i, std::size_t j,
                             const ViewFactorSettings& settings, platform::Rand15& rng);

} // namespace kernels
