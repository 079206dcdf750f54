// Colour bands of a value range over a projected polygon whose values vary
// linearly along its edges: which bands a quad needs (the range's first
// increment apart, with out-of-range bands below and above), the outline of
// one band on the polygon, and that outline cut into a fan of triangles that
// keeps the two pieces a band has on a saddle quad apart. The fills of the
// pictures and the 3D view's result surfaces build their bands from these.
#pragma once
#include "common/kernels/KernelTypes.h"

#include <functional>
#include <span>
#include <vector>

namespace kernels {

// A value range as the pictures draw it: lower and upper limit and the band
// width (first increment).
struct ValueRange {
    double lower = 0.0;
    double upper = 1.0;
    double inc = 1.0;

    // Bands can be drawn: a positive finite increment and upper > lower.
    bool Usable() const;
    // Position of a band's lower level in the range, for the colour scale.
    double Fraction(double level) const { return (level - lower) / (upper - lower); }
};

// Fraction that asks the colour scale for its out-of-range colour.
constexpr double kOutOfRange = -1.0;
// The open ends of the bands below and above the range.
constexpr double kBelowAll = -1e38;
constexpr double kAboveAll = 1e38;

// A corner of a projected polygon: pixel x, pixel y, depth and its value.
struct BandVertex {
    double x = 0.0, y = 0.0, z = 0.0;
    double value = 0.0;
};

// One band of a quad: levels low..high, the colour-scale fraction
// (kOutOfRange for the bands outside the range) and the tolerance eps with
// which the quad's outlines are cut.
using BandVisit = std::function<void(double low, double high, double fraction, double eps)>;

// The bands a quad with values from vmin to vmax needs, in rising order, each
// with the tolerance eps (a thousandth of the smaller of value spread and
// band width) with which the quad's outlines are cut. A zero-flux quad (flux mode with
// all values 0) is one out-of-range band. A range that cannot be banded
// (upper at or below lower, no positive increment) gives one out-of-range
// band over everything. Very many bands: esc is polled every 256 of them.
void QuadBands(double vmin, double vmax, const ValueRange& range, bool fluxMode, const BandVisit& band,
               const EscCheck& esc = {});

// Appends to outline the part of the polygon (corners in order, values linear
// along the edges) whose values lie in [low - eps, high + eps]: edge by edge,
// the start corner when it is inside, then the edge's cuts at low and high
// in their order along the edge.
void BandOutline(std::span<const BandVertex> corners, double low, double high, double eps,
                 std::vector<BandVertex>& outline);

// Cuts an outline into triangles fanned from its first point, in outline
// order; on an outline of six or more points a fan ends where its first and
// its latest point lie on the same level (low or high, within eps), and the
// next point starts a new fan.
void FanTriangles(
    std::span<const BandVertex> outline, double low, double high, double eps,
    const std::function<void(const BandVertex&, const BandVertex&, const BandVertex&)>& triangle);
// The same fans, each as the polygon its triangles tile: the fan's first
// point and the outline points it spans, in outline order (a convex polygon,
// since the outline runs along the border of a convex quad).
void FanPieces(std::span<const BandVertex> outline, double low, double high, double eps,
               const std::function<void(std::span<const BandVertex> piece)>& piece);

} // namespace kernels
