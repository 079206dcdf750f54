// View factors between the surface segments of a two-dimensional cavity by
// Hottel's crossed strings, with obstruction estimated by random rays: each
// segment of a pair is clipped to the part in front of the other, the strings
// give the unobstructed exchange X = L_i F_ij = L_j F_ji, and X is scaled by
// the fraction of rays between the clipped segments that no other segment of
// the zone properly crosses. Segments are explicit data; the obstruction test
// goes through a box tree over them.
#pragma once
#include "common/kernels/BoxTree.h"
#include "common/kernels/ViewFactorZone.h"
#include "platform/core/Random.h"

#include <span>

namespace kernels {

// A surface segment from (x1, y1) to (x2, y2). Its front (the side it
// radiates to) is where (p2 - p1) x (q - p1) > 0.
struct ViewSegment {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct SegmentViewFactorSettings {
    int rays = 100;     // rays per unit of the pair's larger view factor; at least one ray
    double vwfc = 1e-4; // pairs whose two view factors are both below this give 0 and cast no rays
};

// The part of `s` in front of `other`'s line; false when none of it is
// strictly in front.
bool ClipInFrontOf(const ViewSegment& s, const ViewSegment& other, ViewSegment& clipped);

// Unobstructed exchange |X| of two segments already clipped, in their length
// unit (the crossed strings minus the uncrossed ones, halved).
double CrossedStringsExchange(const ViewSegment& a, const ViewSegment& b);

// The segments of one zone with a box tree over them.
class SegmentScene {
  public:
    explicit SegmentScene(std::span<const ViewSegment> segments);
    SegmentScene(const SegmentScene&) = delete;
    SegmentScene& operator=(const SegmentScene&) = delete;

    std::span<const ViewSegment> Segments() const { return m_segments; }
    // True when the ray from (ax, ay) to (bx, by) properly crosses a segment
    // other than skip1 and skip2 (touching an end does not block).
    bool IsBlocked(double ax, double ay, double bx, double by, std::size_t skip1, std::size_t skip2) const;

  private:
    std::span<const ViewSegment> m_segments;
    CFloatBoxTree m_tree;
};

// The stored value of pair (i, j): |X| times the share of the pair's rays
// that pass, in the segments' length unit. The rays join the points at
// fractions rng.Next() / 32767 along clipped i and clipped j.
double ComputeSegmentPairViewFactor(const SegmentScene& scene, std::size_t i, std::size_t j,
                                    const SegmentViewFactorSettings& settings, platform::Rand15& rng);

// Every pair of the zone into the packed matrix (L_i F_ij per entry).
void ComputeSegmentZoneViewFactors(std::span<const ViewSegment> segments, const SegmentViewFactorSettings& settings,
                                   std::span<double> matrix, const PairLoopOptions& options = {});

} // namespace kernels
